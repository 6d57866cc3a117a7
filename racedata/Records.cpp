#include "racedata/Records.h"

#include "racedata/Cp932.h"

void FixedRecord::assign(QByteArrayView bytes) {
    const qsizetype n = std::min<qsizetype>(bytes.size(), bytes_.size());
    std::copy_n(bytes.data(), n, bytes_.data());
    std::fill(bytes_.begin() + n, bytes_.end(), ' ');
}

QString FixedRecord::text(FieldSpan field) const {
    return DecodeCp932(QByteArrayView(bytes_).sliced(field.offset, field.width));
}

void FixedRecord::blank(FieldSpan field) {
    std::fill_n(bytes_.begin() + field.offset, field.width, ' ');
}

HorseEntry ZoRecord::Horse(int h) const {
    return {text(ZoLayout::HorseNo(h)), text(ZoLayout::WinOdds(h)), text(ZoLayout::PlaceOddsLow(h)),
            text(ZoLayout::PlaceOddsHigh(h))};
}
