#pragma once

#include <QByteArray>
#include <QString>
#include <utility>

// The fixed-length records of the PAT95 data files. A record keeps its exact
// bytes (padded with blanks when the file was shorter); a field is decoded from
// its byte range when it is asked for.

struct FieldSpan {
    int offset;
    int width;
};

namespace UoLayout {
inline constexpr int Length = 1979;
inline constexpr int EntryCount = 153;
inline constexpr FieldSpan RaceDate{0, 8};
inline constexpr FieldSpan RaceTitle{48, 56};
inline constexpr FieldSpan Runners{140, 2};
constexpr FieldSpan QuinellaOdds(int k) {
    return {143 + 12 * k + 5, 7};
}
}  // namespace UoLayout

namespace ZoLayout {
inline constexpr int Length = 826;
inline constexpr int HorseCount = 18;
inline constexpr int BracketCount = 36;
inline constexpr FieldSpan RaceDate{0, 8};
inline constexpr FieldSpan RaceTitle{48, 56};
constexpr FieldSpan HorseNo(int h) {
    return {142 + 18 * h + 1, 2};
}
constexpr FieldSpan WinOdds(int h) {
    return {142 + 18 * h + 3, 5};
}
constexpr FieldSpan PlaceOddsLow(int h) {
    return {142 + 18 * h + 8, 5};
}
constexpr FieldSpan PlaceOddsHigh(int h) {
    return {142 + 18 * h + 13, 5};
}
constexpr FieldSpan BracketOdds(int t) {
    return {466 + 10 * t + 5, 5};
}
}  // namespace ZoLayout

namespace KsLayout {
inline constexpr int Length = 504;
inline constexpr int FinisherCount = 5;
inline constexpr FieldSpan RaceDate{0, 8};
inline constexpr FieldSpan CourseName{8, 4};
inline constexpr FieldSpan RaceNo{20, 2};
inline constexpr FieldSpan RaceTitle{34, 56};
constexpr FieldSpan FinisherHorseNo(int i) {
    return {90 + 40 * i + 2, 2};
}
constexpr FieldSpan FinisherHorseName(int i) {
    return {90 + 40 * i + 4, 18};
}
inline constexpr FieldSpan WinPayout{376, 8};
inline constexpr FieldSpan PlacePayout1{406, 8};
inline constexpr FieldSpan PlacePayout2{416, 8};
inline constexpr FieldSpan PlacePayout3{426, 8};
inline constexpr FieldSpan BracketCombo{455, 3};
inline constexpr FieldSpan BracketPayout{458, 8};
inline constexpr FieldSpan QuinellaCombo{491, 5};
inline constexpr FieldSpan QuinellaPayout{496, 8};
}  // namespace KsLayout

class FixedRecord {
public:
    explicit FixedRecord(int length) : bytes_(length, ' ') {}

    int length() const { return static_cast<int>(bytes_.size()); }
    const QByteArray& raw() const { return bytes_; }

    // Takes the first length() bytes; a shorter input is padded with blanks.
    void assign(QByteArrayView bytes);

    QString text(FieldSpan field) const;
    void blank(FieldSpan field);

private:
    QByteArray bytes_;
};

struct QuinellaEntry {
    QString QuinellaOdds;
};

struct HorseEntry {
    QString HorseNo;
    QString WinOdds;
    QString PlaceOddsLow;
    QString PlaceOddsHigh;
};

struct BracketEntry {
    QString BracketOdds;
};

struct Finisher {
    QString HorseNo;
    QString HorseName;
};

class UoRecord : public FixedRecord {
public:
    static constexpr int Length = UoLayout::Length;
    UoRecord() : FixedRecord(Length) {}

    QString RaceDate() const { return text(UoLayout::RaceDate); }
    QString RaceTitle() const { return text(UoLayout::RaceTitle); }
    QString Runners() const { return text(UoLayout::Runners); }
    QuinellaEntry Quinella(int k) const { return {text(UoLayout::QuinellaOdds(k))}; }
    void BlankRaceTitle() { blank(UoLayout::RaceTitle); }

    // The entries hold the pairs of the N runners in the order 1-2, 1-3, …, 1-N,
    // 2-3, …, (N-1)-N. The entry of horses a < b, or -1 when that is no pair of
    // N runners; and the pair of entry k, or {0, 0} when k lies past the pairs.
    static int EntryOfPair(int a, int b, int runners);
    static std::pair<int, int> PairOfEntry(int k, int runners);
};

class ZoRecord : public FixedRecord {
public:
    static constexpr int Length = ZoLayout::Length;
    ZoRecord() : FixedRecord(Length) {}

    QString RaceDate() const { return text(ZoLayout::RaceDate); }
    QString RaceTitle() const { return text(ZoLayout::RaceTitle); }
    HorseEntry Horse(int h) const;
    BracketEntry Bracket(int t) const { return {text(ZoLayout::BracketOdds(t))}; }
    void BlankRaceTitle() { blank(ZoLayout::RaceTitle); }

    // Number of runners: the index of the first HorseEntry whose HorseNo is two
    // blanks, 18 when there is none.
    int RunnerCount() const;

    // The bracket pairs run 1-1, 1-2, …, 1-8, 2-2, …, 7-8, 8-8. The entry of
    // brackets a <= b, or -1; and the pair of entry t, or {0, 0}.
    static int EntryOfBracketPair(int a, int b);
    static std::pair<int, int> BracketPairOfEntry(int t);
};

class KsRecord : public FixedRecord {
public:
    static constexpr int Length = KsLayout::Length;
    KsRecord() : FixedRecord(Length) {}

    QString RaceDate() const { return text(KsLayout::RaceDate); }
    QString CourseName() const { return text(KsLayout::CourseName); }
    QString RaceNo() const { return text(KsLayout::RaceNo); }
    QString RaceTitle() const { return text(KsLayout::RaceTitle); }
    Finisher Place(int i) const {
        return {text(KsLayout::FinisherHorseNo(i)), text(KsLayout::FinisherHorseName(i))};
    }
    QString WinPayout() const { return text(KsLayout::WinPayout); }
    QString PlacePayout1() const { return text(KsLayout::PlacePayout1); }
    QString PlacePayout2() const { return text(KsLayout::PlacePayout2); }
    QString PlacePayout3() const { return text(KsLayout::PlacePayout3); }
    QString BracketCombo() const { return text(KsLayout::BracketCombo); }
    QString BracketPayout() const { return text(KsLayout::BracketPayout); }
    QString QuinellaCombo() const { return text(KsLayout::QuinellaCombo); }
    QString QuinellaPayout() const { return text(KsLayout::QuinellaPayout); }

    void BlankRaceTitle() { blank(KsLayout::RaceTitle); }
    void BlankRaceDate() { blank(KsLayout::RaceDate); }
    // 8 blanks in RaceDate mean that no result is loaded.
    bool HasResult() const { return raw().first(8) != QByteArray(8, ' '); }
};
