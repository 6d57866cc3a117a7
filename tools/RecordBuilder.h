#pragma once

#include <QByteArray>
#include <QString>

#include "racedata/Records.h"

// Builds the bytes of a PAT95 record from field values, for the tests and the
// sample-data generator. Unset bytes are blanks.
class RecordBuilder {
public:
    explicit RecordBuilder(int length) : bytes_(length, ' ') {}

    // Writes the text as CP932 into the field, left-aligned and padded with
    // blanks; a longer text is cut at the field's end.
    RecordBuilder& set(FieldSpan field, const QString& text);
    // Writes the text right-aligned in the field, as PAT95 writes numbers.
    RecordBuilder& setRight(FieldSpan field, const QString& text);
    // Writes bytes as they are, for runs the program does not read and for
    // bytes that are not CP932.
    RecordBuilder& setBytes(int offset, QByteArrayView bytes);

    const QByteArray& bytes() const { return bytes_; }
    bool writeTo(const QString& path) const;

private:
    QByteArray bytes_;
};

inline RecordBuilder UoBuilder() { return RecordBuilder(UoLayout::Length); }
inline RecordBuilder ZoBuilder() { return RecordBuilder(ZoLayout::Length); }
inline RecordBuilder KsBuilder() { return RecordBuilder(KsLayout::Length); }
