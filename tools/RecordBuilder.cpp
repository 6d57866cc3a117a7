#include "tools/RecordBuilder.h"

#include <QFile>

#include "racedata/Cp932.h"

RecordBuilder& RecordBuilder::set(FieldSpan field, const QString& text) {
    QByteArray encoded = EncodeCp932(text).left(field.width);
    encoded.append(QByteArray(field.width - encoded.size(), ' '));
    return setBytes(field.offset, encoded);
}

RecordBuilder& RecordBuilder::setRight(FieldSpan field, const QString& text) {
    QByteArray encoded = EncodeCp932(text).right(field.width);
    encoded.prepend(QByteArray(field.width - encoded.size(), ' '));
    return setBytes(field.offset, encoded);
}

RecordBuilder& RecordBuilder::setBytes(int offset, QByteArrayView bytes) {
    const qsizetype n = std::min<qsizetype>(bytes.size(), bytes_.size() - offset);
    if (n > 0) std::copy_n(bytes.data(), n, bytes_.data() + offset);
    return *this;
}

bool RecordBuilder::writeTo(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(bytes_) == bytes_.size();
}
