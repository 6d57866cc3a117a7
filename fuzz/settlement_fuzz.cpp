// The memo reader and the settlement together: a memo file and the three
// records of 東京1R (result, win/place odds, quinella odds), each present or
// not and cut short or not, with at times a copy of the result under another
// stem and another date. Checked: every bet is settled, left 未確定 with its
// reason or listed once; the totals add up; a bet is only settled against a
// result of its odds' date; nothing in the data directory changes.
//
// Input: a flag byte, the memo's length (two bytes, little-endian), the memo,
// then the ks-, zo- and uo- records, each of its full length where the input
// has enough bytes.

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "common/BetCsv.h"
#include "common/RaceDate.h"
#include "fuzz/FuzzCheck.h"
#include "racedata/Records.h"
#include "settle/BetMemo.h"
#include "settle/Settlement.h"

namespace {

enum Flag { HasKs = 1, HasZo = 2, HasUo = 4, StaleCopy = 8, ShortKs = 16 };

// A data directory of the run's own, in memory where the system offers it.
const QString& dataDir() {
    static QTemporaryDir dir(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/zem-fuzz-XXXXXX")
                                                       : QDir::tempPath() + "/zem-fuzz-XXXXXX");
    static const QString path = dir.path();
    return path;
}

void put(const QString& name, QByteArrayView bytes) {
    QFile file(QDir(dataDir()).filePath(name));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes.data(), bytes.size()) == bytes.size());
}

// Name → SHA-1 of every file of the directory.
std::map<QString, QByteArray> snapshot() {
    std::map<QString, QByteArray> files;
    QDir dir(dataDir());
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        QFile file(dir.filePath(name));
        FUZZ_CHECK(file.open(QIODevice::ReadOnly));
        files[name] = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1);
    }
    return files;
}

// The next part of the input, at most n bytes.
QByteArrayView take(QByteArrayView& rest, qsizetype n) {
    const QByteArrayView part = rest.first(std::min(n, rest.size()));
    rest = rest.sliced(part.size());
    return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArrayView rest = FuzzBytes(data, size);
    if (rest.size() < 3) return 0;
    const int flags = uchar(rest[0]);
    const qsizetype memoLength = uchar(rest[1]) | uchar(rest[2]) << 8;
    rest = rest.sliced(3);
    const QByteArray memoBytes = take(rest, memoLength).toByteArray();
    QByteArrayView ks = take(rest, KsRecord::Length);
    const QByteArrayView zo = take(rest, ZoRecord::Length);
    const QByteArrayView uo = take(rest, UoRecord::Length);
    if (flags & ShortKs) ks = ks.first(std::min<qsizetype>(ks.size(), 100));

    QDir dir(dataDir());
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) dir.remove(name);
    if (flags & HasKs) put(QStringLiteral("ks-55081.jra"), ks);
    if (flags & HasZo) put(QStringLiteral("zo-581.jra"), zo);
    if (flags & HasUo) put(QStringLiteral("uo-581.jra"), uo);
    if (flags & StaleCopy) {
        QByteArray stale = ks.toByteArray();
        stale.replace(0, std::min<qsizetype>(8, stale.size()), "20251116");
        put(QStringLiteral("ks-55071.jra"), stale);
    }
    const auto before = snapshot();

    const MemoReading memo = ReadMemo(DecodeMemoFile(memoBytes));
    const Settlement s = SettleBets(memo, dataDir());
    const QByteArray csv = BetsCsv(s.rows());
    FUZZ_CHECK(csv.startsWith("\xEF\xBB\xBF"));
    FUZZ_CHECK(snapshot() == before);

    // The date the odds give the race's bets: the later of the two files'.
    QDate oddsDate;
    if (flags & HasUo) {
        UoRecord r;
        r.assign(uo);
        oddsDate = RecordDate(r.RaceDate());
    }
    if (flags & HasZo) {
        ZoRecord r;
        r.assign(zo);
        oddsDate = std::max(oddsDate, RecordDate(r.RaceDate()));
    }

    size_t memoBets = 0, settledBets = 0;
    for (const MemoBlock& block : memo.blocks) memoBets += block.bets.size();
    Totals sum;
    for (const SettledRace& race : s.races) {
        FUZZ_CHECK(race.date.isEmpty() ||
                   QDate::fromString(race.date, QStringLiteral("yyyy/MM/dd")).isValid());
        qint64 stake = 0, payout = 0;
        for (const SettledBet& bet : race.bets) {
            ++settledBets;
            const BetLine& row = bet.row;
            FUZZ_CHECK(row.date == race.date && row.stake > 0 && row.stake % 100 == 0);
            FUZZ_CHECK(IsSettled(bet.outcome) == row.payout.has_value());
            FUZZ_CHECK(row.payout.has_value() == row.balance.has_value());
            if (!IsSettled(bet.outcome)) {
                FUZZ_CHECK(!row.note.isEmpty());  // 未確定 says why
                ++sum.pendingBets;
                continue;
            }
            // Settled only against a result of a known date, the odds' when there are odds.
            FUZZ_CHECK(!race.date.isEmpty());
            if (race.racecourse.placeName() == u"東京" && race.race == 1 && oddsDate.isValid())
                FUZZ_CHECK(race.date == oddsDate.toString(QStringLiteral("yyyy/MM/dd")));
            FUZZ_CHECK(*row.balance == *row.payout - row.stake);
            if (bet.outcome == Outcome::Miss) FUZZ_CHECK(*row.payout == 0);
            if (bet.outcome == Outcome::Refund) FUZZ_CHECK(*row.payout == row.stake);
            if (bet.outcome == Outcome::Hit) FUZZ_CHECK(*row.payout >= 0);
            stake += row.stake;
            payout += *row.payout;
        }
        FUZZ_CHECK(race.stake == stake && race.payout == payout);
        sum.stake += stake;
        sum.payout += payout;
    }
    // Every bet read is settled or listed, once.
    FUZZ_CHECK(memoBets == settledBets + (s.skipped.size() - memo.skipped.size()));
    FUZZ_CHECK(s.totals.stake == sum.stake && s.totals.payout == sum.payout);
    FUZZ_CHECK(s.totals.pendingBets == sum.pendingBets);
    FUZZ_CHECK(s.totals.hitBets <= s.totals.decidedBets &&
               s.totals.hitRaces <= s.totals.decidedRaces);
    return 0;
}
