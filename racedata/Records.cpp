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

int UoRecord::EntryOfPair(int a, int b, int runners) {
    if (runners > 18 || a < 1 || b <= a || b > runners) return -1;
    // Pairs before block a: (N-1) + (N-2) + … + (N-a+1).
    return (a - 1) * runners - (a - 1) * a / 2 + (b - a - 1);
}

std::pair<int, int> UoRecord::PairOfEntry(int k, int runners) {
    if (runners > 18 || k < 0) return {0, 0};
    for (int a = 1; a < runners; ++a) {
        const int blockSize = runners - a;
        if (k < blockSize) return {a, a + 1 + k};
        k -= blockSize;
    }
    return {0, 0};
}

int ZoRecord::RunnerCount() const {
    for (int h = 0; h < ZoLayout::HorseCount; ++h) {
        const FieldSpan no = ZoLayout::HorseNo(h);
        if (raw().sliced(no.offset, no.width) == "  ") return h;
    }
    return ZoLayout::HorseCount;
}

int ZoRecord::EntryOfBracketPair(int a, int b) {
    if (a < 1 || b < a || b > 8) return -1;
    // Pairs before block a: 8 + 7 + … + (10 - a).
    return (a - 1) * 8 - (a - 1) * (a - 2) / 2 + (b - a);
}

std::pair<int, int> ZoRecord::BracketPairOfEntry(int t) {
    if (t < 0) return {0, 0};
    for (int a = 1; a <= 8; ++a) {
        const int blockSize = 9 - a;
        if (t < blockSize) return {a, a + t};
        t -= blockSize;
    }
    return {0, 0};
}
