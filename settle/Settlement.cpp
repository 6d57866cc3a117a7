#include "settle/Settlement.h"

#include <QLocale>
#include <array>
#include <memory>
#include <optional>

#include "common/NumberText.h"
#include "racedata/RaceFiles.h"
#include "racedata/Records.h"

namespace {

// The files of one race, each found and read at most once a settlement.
class RaceRecords {
public:
    RaceRecords(const QString& dataDir, int courseCode, int race)
        : dataDir_(dataDir), course_(courseCode), race_(race) {
        const RaceFile file = FindRaceFile(dataDir_, QStringLiteral("ks-"), 7, course_, race_);
        ksPath_ = file.path;
        hasResult_ = !file.path.isEmpty() && ReadRecord1(file.path, ks_) && ks_.HasResult();
    }

    const QString& ksPath() const { return ksPath_; }

    bool hasResult() const { return hasResult_; }
    const KsRecord& ks() const { return ks_; }
    const UoRecord* uo() { return read(uo_, uoTried_, QStringLiteral("uo-")); }
    const ZoRecord* zo() { return read(zo_, zoTried_, QStringLiteral("zo-")); }

private:
    template <typename Record>
    const Record* read(std::optional<Record>& record, bool& tried, const QString& prefix) {
        if (!tried) {
            tried = true;
            const RaceFile file = FindRaceFile(dataDir_, prefix, 5, course_, race_);
            Record r;
            if (!file.path.isEmpty() && ReadRecord1(file.path, r)) record = r;
        }
        return record ? &*record : nullptr;
    }

    QString dataDir_;
    int course_, race_;
    KsRecord ks_;
    QString ksPath_;
    bool hasResult_ = false;
    std::optional<UoRecord> uo_;
    std::optional<ZoRecord> zo_;
    bool uoTried_ = false, zoTried_ = false;
};

// A number of the record: digits, blanks around them and digit-group commas.
std::optional<int> recordNumber(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const int value = t.toInt(&ok);
    return ok && value >= 0 && !t.startsWith(QLatin1Char('+')) ? std::optional<int>(value)
                                                               : std::nullopt;
}

// A payout per 100 yen: a whole number of yen, digit-group commas allowed.
std::optional<qint64> payoutOf(const QString& text) {
    if (!IsNumeric(text)) return std::nullopt;
    const QString digits = text.trimmed().remove(QLatin1Char(','));
    if (digits.isEmpty() || digits.size() > 10) return std::nullopt;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    }
    return digits.toLongLong();
}

// A combination "a-b" of the record, in either order.
bool comboIs(const QString& combo, int a, int b) {
    const QStringList parts = combo.split(QLatin1Char('-'));
    if (parts.size() != 2) return false;
    const auto x = recordNumber(parts[0]), y = recordNumber(parts[1]);
    return x && y && ((*x == a && *y == b) || (*x == b && *y == a));
}

QString dateOf(const KsRecord& ks) {
    const QString d = ks.RaceDate();
    for (QChar c : d) {
        if (!c.isDigit()) return QString();
    }
    return QStringLiteral("%1/%2/%3").arg(d.left(4), d.mid(4, 2), d.mid(6, 2));
}

bool refunded(const MemoBlock& block, const MemoBet& bet, RaceRecords& files) {
    switch (block.kind) {
        case Quinella: {
            const UoRecord* uo = files.uo();
            if (!uo) return false;
            const auto runners = recordNumber(uo->Runners());
            if (!runners) return false;
            const int k = UoRecord::EntryOfPair(std::min(bet.first, bet.second),
                                                std::max(bet.first, bet.second), *runners);
            return k >= 0 && uo->Quinella(k).QuinellaOdds.trimmed().startsWith(u"ﾄﾘｹｼ");
        }
        case WinPlace:  // a block's kind is as settled: never 単・複勝
        case Win:
        case Place: {
            const ZoRecord* zo = files.zo();
            if (!zo) return false;
            const HorseEntry horse = zo->Horse(bet.first - 1);
            return !horse.HorseNo.trimmed().isEmpty() && !IsNumeric(horse.WinOdds);
        }
        case BracketQuinella:
            return false;
    }
    return false;
}

struct Decision {
    Outcome outcome;
    std::optional<qint64> payoutPer100;
};

Decision decide(const MemoBlock& block, const MemoBet& bet, RaceRecords& files) {
    if (!files.hasResult()) return {Outcome::Pending, {}};
    if (refunded(block, bet, files)) return {Outcome::Refund, {}};
    const KsRecord& ks = files.ks();
    const auto hit = [](const QString& payoutText) -> Decision {
        const auto payout = payoutOf(payoutText);
        return payout ? Decision{Outcome::Hit, payout} : Decision{Outcome::PayoutUnknown, {}};
    };
    const auto finisher = [&](int i) { return recordNumber(ks.Place(i).HorseNo); };
    switch (block.kind) {
        case Quinella:
            if (comboIs(ks.QuinellaCombo(), bet.first, bet.second)) return hit(ks.QuinellaPayout());
            break;
        case BracketQuinella:
            if (comboIs(ks.BracketCombo(), bet.first, bet.second)) return hit(ks.BracketPayout());
            break;
        case WinPlace:
        case Win:
            if (finisher(0) == bet.first) return hit(ks.WinPayout());
            break;
        case Place: {
            const QString payouts[] = {ks.PlacePayout1(), ks.PlacePayout2(), ks.PlacePayout3()};
            for (int i = 0; i < 3; ++i) {
                // A place the race does not pay (few runners) has a blank payout.
                if (finisher(i) == bet.first && !payouts[i].trimmed().isEmpty()) {
                    return hit(payouts[i]);
                }
            }
            break;
        }
    }
    return {Outcome::Miss, {}};
}

QString betText(const MemoBet& bet) {
    if (bet.second == 0) return QString::number(bet.first);
    return QStringLiteral("%1-%2")
        .arg(std::min(bet.first, bet.second))
        .arg(std::max(bet.first, bet.second));
}

}  // namespace

QString OutcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::Hit:
            return QStringLiteral("的中");
        case Outcome::Miss:
            return QStringLiteral("不的中");
        case Outcome::Refund:
            return QStringLiteral("返還");
        case Outcome::Pending:
            return QStringLiteral("未確定");
        case Outcome::PayoutUnknown:
            return QStringLiteral("払戻不明");
    }
    return QString();
}

bool SettledRace::settled() const {
    for (const SettledBet& bet : bets) {
        if (IsSettled(bet.outcome)) return true;
    }
    return false;
}

std::vector<BetLine> Settlement::rows() const {
    std::vector<BetLine> all;
    for (const SettledRace& race : races) {
        for (const SettledBet& bet : race.bets) all.push_back(bet.row);
    }
    return all;
}

Settlement SettleBets(const MemoReading& memo, const QString& dataDir) {
    Settlement s;
    s.skipped = memo.skipped;
    // Courses 0..9, races 1..12: the files of each race and its place in races.
    std::array<std::unique_ptr<RaceRecords>, 10 * 13> files;
    std::array<int, 10 * 13> raceIndex;
    raceIndex.fill(-1);

    for (const MemoBlock& block : memo.blocks) {
        const int key = block.courseCode * 13 + block.race;
        if (!files[key])
            files[key] = std::make_unique<RaceRecords>(dataDir, block.courseCode, block.race);
        RaceRecords& race = *files[key];
        if (raceIndex[key] < 0) {
            raceIndex[key] = static_cast<int>(s.races.size());
            SettledRace r;
            r.place = block.place;
            r.race = block.race;
            r.resultFile = race.ksPath();
            if (race.hasResult()) r.date = dateOf(race.ks());
            s.races.push_back(r);
        }
        SettledRace& settled = s.races[raceIndex[key]];
        for (const MemoBet& bet : block.bets) {
            const Decision d = decide(block, bet, race);
            SettledBet b;
            b.outcome = d.outcome;
            b.line = bet.line;
            b.asWin = block.asWin;
            b.row.date = settled.date;
            b.row.place = block.place;
            b.row.race = block.race;
            b.row.betType = BetTypeName(block.kind);
            b.row.bet = betText(bet);
            b.row.stake = bet.stake;
            b.row.outcome = OutcomeName(d.outcome);
            if (block.asWin) b.row.note = QStringLiteral("単勝として計算");
            if (d.outcome == Outcome::Hit) b.row.payout = bet.stake / 100 * *d.payoutPer100;
            if (d.outcome == Outcome::Miss) b.row.payout = 0;
            if (d.outcome == Outcome::Refund) b.row.payout = bet.stake;
            if (b.row.payout) {
                b.row.balance = *b.row.payout - bet.stake;
                settled.stake += bet.stake;
                settled.payout += *b.row.payout;
            }
            settled.bets.push_back(std::move(b));
        }
    }

    Totals& t = s.totals;
    for (const SettledRace& race : s.races) {
        t.stake += race.stake;
        t.payout += race.payout;
        bool decided = false, hit = false;
        for (const SettledBet& bet : race.bets) {
            if (bet.outcome == Outcome::Hit || bet.outcome == Outcome::Miss) {
                ++t.decidedBets;
                decided = true;
            }
            if (bet.outcome == Outcome::Hit) {
                ++t.hitBets;
                hit = true;
            }
            if (!IsSettled(bet.outcome)) {
                ++t.pendingBets;
                t.pendingStake += bet.row.stake;
            }
        }
        t.decidedRaces += decided;
        t.hitRaces += hit;
    }
    return s;
}

QString YenText(qint64 amount) {
    return QLocale(QLocale::English).toString(amount) + QStringLiteral("円");
}

QString RateText(qint64 payout, qint64 stake) {
    if (stake <= 0) return QStringLiteral("-");
    const qint64 tenths = (payout * 2000 + stake) / (2 * stake);
    return QStringLiteral("%1.%2%").arg(tenths / 10).arg(tenths % 10);
}

QString PercentOf(int part, int whole) {
    return RateText(part, whole);
}

QString HitText(const Totals& t) {
    return QStringLiteral("レース %1/%2 (%3)　買い目 %4/%5 (%6)")
        .arg(t.hitRaces)
        .arg(t.decidedRaces)
        .arg(PercentOf(t.hitRaces, t.decidedRaces))
        .arg(t.hitBets)
        .arg(t.decidedBets)
        .arg(PercentOf(t.hitBets, t.decidedBets));
}

QString PendingText(const Totals& t) {
    return QStringLiteral("%1件 %2").arg(t.pendingBets).arg(YenText(t.pendingStake));
}
