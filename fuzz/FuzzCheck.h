#pragma once

// Shared pieces of the fuzz targets: an invariant check that stops the run
// with a message, and the cutting of an input into texts.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                           \
    do {                                                                                \
        if (!(condition)) {                                                             \
            std::fprintf(stderr, "invariant failed at %s:%d: %s\n", __FILE__, __LINE__, \
                         #condition);                                                   \
            std::abort();                                                               \
        }                                                                               \
    } while (0)

// The input as UTF-8 texts separated by newlines; at most count texts, missing
// ones are empty.
inline QList<QString> FuzzTexts(const uint8_t* data, size_t size, int count) {
    const QList<QByteArray> parts =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)).split('\n');
    QList<QString> texts;
    for (int i = 0; i < count; ++i) {
        texts << (i < parts.size() ? QString::fromUtf8(parts[i]) : QString());
    }
    return texts;
}

inline QByteArrayView FuzzBytes(const uint8_t* data, size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A text that could pass for a figure the program computed: no NaN or infinity
// spelt out.
inline bool LooksFinite(const QString& text) {
    return !text.contains(QLatin1String("nan"), Qt::CaseInsensitive) &&
           !text.contains(QLatin1String("inf"), Qt::CaseInsensitive);
}
