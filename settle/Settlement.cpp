#include "settle/Settlement.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <optional>

#include "common/NumberText.h"
#include "common/RaceDate.h"
#include "racedata/RaceFiles.h"
#include "racedata/Records.h"
#include "racedata/ResultFile.h"
#include "recommend/Brackets.h"

namespace {

QString dateText(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

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

// A combination "a-b" of the record, both numbers 1 or more.
std::optional<std::pair<int, int>> comboOf(const QString& combo) {
    const QStringList parts = combo.split(QLatin1Char('-'));
    if (parts.size() != 2) return std::nullopt;
    const auto x = recordNumber(parts[0]), y = recordNumber(parts[1]);
    if (!x || !y || *x < 1 || *y < 1) return std::nullopt;
    return std::pair(*x, *y);
}

bool scratched(const ZoRecord& zo, int horse) {
    const HorseEntry entry = zo.Horse(horse - 1);
    return !entry.HorseNo.trimmed().isEmpty() && !IsNumeric(entry.WinOdds);
}

// The files of one race on one day, each found and read once a settlement:
// the odds files of the day and the result of that date among all the race's
// "ks-" files. A null day (no file of the race tells one) takes the files by
// the older rule and the first result that holds one.
class RaceRecords {
public:
    RaceRecords(const RaceFileSet& files, const QDate& day) : day_(day) {
        uo_ = readOdds<UoRecord>(files, QStringLiteral("uo-"), day);
        zo_ = readOdds<ZoRecord>(files, QStringLiteral("zo-"), day);
        ksPaths_ = files.all(QStringLiteral("ks-"));
        chooseResult();
        readOddsFacts();
    }

    const QStringList& ksPaths() const { return ksPaths_; }
    // The result the bets are settled against; null with the reason when there is none.
    const KsRecord* ks() const { return result_ ? &result_->ks : nullptr; }
    const QString& problem() const { return problem_; }
    QDate day() const { return day_.isValid() ? day_ : resultDate_; }
    QString date() const { return dateText(day()); }
    const UoRecord* uo() const { return uo_ ? &*uo_ : nullptr; }
    const ZoRecord* zo() const { return zo_ ? &*zo_ : nullptr; }

    // What the odds files say of the race, worked out once for all its bets.
    int zoRunners() const { return zoRunners_; }
    const std::optional<int>& uoRunners() const { return uoRunners_; }
    // Scratched by the 単勝 odds; false without a "zo-" file or for a horse
    // number the record has no entry for.
    bool isScratched(int horse) const {
        return horse >= 1 && horse <= ZoLayout::HorseCount && scratched_[horse];
    }
    // Horses that start, by the 単勝 odds; 0 without a "zo-" file.
    int starters() const { return starters_; }
    // Starters left in each bracket, by the 単勝 odds.
    int startersLeft(int bracket) const {
        return bracket >= 0 && bracket <= MaxBracket ? startersLeft_[bracket] : 0;
    }

private:
    template <typename Record>
    static std::optional<Record> readOdds(const RaceFileSet& files, const QString& prefix,
                                          const QDate& day) {
        const RaceFile file = files.find(prefix, 5, day);
        Record r;
        if (file.path.isEmpty() || !ReadRecord1(file.path, r)) return std::nullopt;
        return r;
    }

    void chooseResult() {
        std::vector<std::pair<QString, ResultFile>> files;
        for (const QString& path : std::as_const(ksPaths_)) {
            if (auto r = ReadResultFile(path)) files.emplace_back(path, std::move(*r));
        }
        // The result of the day, a whole one first; without a day, the first
        // file that holds a result at all.
        const auto wanted = [&](const ResultFile& r, bool wholeOnly) {
            if (day_.isValid()) return r.date == day_ && (r.complete || !wholeOnly);
            return !r.blankDate;
        };
        auto chosen = std::find_if(files.begin(), files.end(),
                                   [&](const auto& f) { return wanted(f.second, true); });
        if (chosen == files.end()) {
            chosen = std::find_if(files.begin(), files.end(),
                                  [&](const auto& f) { return wanted(f.second, false); });
        }
        if (chosen != files.end()) {
            const ResultFile& r = chosen->second;
            resultDate_ = r.date;
            if (!r.complete) {
                problem_ = QStringLiteral("結果ファイルが壊れています");
            } else if (!r.date.isValid()) {
                problem_ = QStringLiteral("結果の日付が読めません");
            } else {
                result_ = std::move(chosen->second);
            }
            return;
        }
        // No result of the day: another day's is never used.
        for (const auto& [path, r] : files) {
            if (r.date.isValid()) {
                problem_ = QStringLiteral("結果の日付が違います %1").arg(dateText(r.date));
                return;
            }
        }
        for (const auto& [path, r] : files) {
            if (!r.blankDate) {
                problem_ = r.complete ? QStringLiteral("結果の日付が読めません")
                                      : QStringLiteral("結果ファイルが壊れています");
                return;
            }
        }
        problem_ = QStringLiteral("結果がまだありません");
    }

    void readOddsFacts() {
        if (uo_) uoRunners_ = recordNumber(uo_->Runners());
        if (!zo_) return;
        zoRunners_ = zo_->RunnerCount();
        for (int h = 1; h <= ZoLayout::HorseCount; ++h) scratched_[h] = scratched(*zo_, h);
        for (int h = 1; h <= zoRunners_; ++h) {
            if (scratched_[h]) continue;
            ++startersLeft_[BracketOf(h, zoRunners_)];
            ++starters_;
        }
    }

    std::optional<UoRecord> uo_;
    std::optional<ZoRecord> zo_;
    int zoRunners_ = 0;
    int starters_ = 0;
    std::optional<int> uoRunners_;
    std::array<bool, ZoLayout::HorseCount + 1> scratched_{};
    std::array<int, MaxBracket + 1> startersLeft_{};
    QDate day_, resultDate_;
    QStringList ksPaths_;
    std::optional<ResultFile> result_;
    QString problem_;
};

// Horses entered in the race by its odds files (the 単勝 odds for a 単勝 or
// 複勝, the quinella odds for a 馬連), 0 when they do not say.
int runnersOf(BetType kind, const RaceRecords& files) {
    const int fromZo = files.zoRunners();
    const int fromUo = files.uoRunners().value_or(0);
    if (kind == BetType::Quinella) return fromUo ? fromUo : fromZo;
    return fromZo ? fromZo : fromUo;
}

// Why the race's odds files show the bet was never on sale; empty when it was,
// or when there are no odds files to tell.
QString notOnSale(const MemoBlock& block, const MemoBet& bet, const RaceRecords& files) {
    if (block.kind == BetType::BracketQuinella) {
        const ZoRecord* zo = files.zo();
        const int k = ZoRecord::EntryOfBracketPair(std::min(bet.first, bet.second),
                                                   std::max(bet.first, bet.second));
        if (!zo || k < 0 || !zo->Bracket(k).BracketOdds.trimmed().isEmpty()) return QString();
        return QStringLiteral("枠連 %1-%2 は発売されていません")
            .arg(std::min(bet.first, bet.second))
            .arg(std::max(bet.first, bet.second));
    }
    const int runners = runnersOf(block.kind, files);
    const int top = std::max(bet.first, bet.second);
    if (runners <= 0 || top <= runners) return QString();
    return QStringLiteral("馬番 %1 は出走していません（%2頭立て）").arg(top).arg(runners);
}

bool refunded(const MemoBlock& block, const MemoBet& bet, const RaceRecords& files) {
    switch (block.kind) {
        case BetType::Quinella: {
            const UoRecord* uo = files.uo();
            const auto runners = files.uoRunners();
            if (!uo || !runners) return false;
            const int k = UoRecord::EntryOfPair(std::min(bet.first, bet.second),
                                                std::max(bet.first, bet.second), *runners);
            return k >= 0 && uo->Quinella(k).QuinellaOdds.trimmed().startsWith(u"ﾄﾘｹｼ");
        }
        case BetType::WinPlace:  // a block's kind is as settled: never 単・複勝
        case BetType::Win:
        case BetType::Place:
            return files.isScratched(bet.first);
        case BetType::BracketQuinella: {
            // JRA refunds a bracket pair whose bracket has no starter left, and
            // a ゾロ目 k-k whose bracket has fewer than two.
            if (!files.zo()) return false;
            if (bet.first == bet.second) return files.startersLeft(bet.first) < 2;
            return files.startersLeft(bet.first) == 0 || files.startersLeft(bet.second) == 0;
        }
    }
    return false;
}

struct Decision {
    Outcome outcome;
    std::optional<qint64> payoutPer100;
    QString note;
};

Decision decide(const MemoBlock& block, const MemoBet& bet, const RaceRecords& files) {
    const KsRecord* ks = files.ks();
    if (!ks) return {Outcome::Pending, {}, files.problem()};
    if (refunded(block, bet, files)) return {Outcome::Refund, {}, {}};
    const auto hit = [](const QString& payoutText) -> Decision {
        const auto payout = payoutOf(payoutText);
        if (payout) return {Outcome::Hit, payout, {}};
        return {Outcome::PayoutUnknown, {}, QStringLiteral("結果の払戻金が読めません")};
    };
    const auto unread = [](const char16_t* what) -> Decision {
        return {Outcome::Pending, {}, QStringLiteral("結果の%1が読めません").arg(what)};
    };
    const auto finisher = [&](int i) {
        const auto horse = recordNumber(ks->Place(i).HorseNo);
        return horse && *horse >= 1 ? horse : std::nullopt;
    };
    const auto isPair = [&](const std::optional<std::pair<int, int>>& combo) {
        const auto [x, y] = *combo;
        return (x == bet.first && y == bet.second) || (x == bet.second && y == bet.first);
    };
    switch (block.kind) {
        case BetType::Quinella: {
            const auto combo = comboOf(ks->QuinellaCombo());
            if (!combo) return unread(u"馬連の組番");
            if (isPair(combo)) return hit(ks->QuinellaPayout());
            break;
        }
        case BetType::BracketQuinella: {
            const auto combo = comboOf(ks->BracketCombo());
            if (!combo) return unread(u"枠連の組番");
            if (isPair(combo)) return hit(ks->BracketPayout());
            break;
        }
        case BetType::WinPlace:
        case BetType::Win: {
            const auto winner = finisher(0);
            if (!winner) return unread(u"1着の馬番");
            if (*winner == bet.first) return hit(ks->WinPayout());
            break;
        }
        case BetType::Place: {
            // Each bet on its own: the placings must be read, a payout only for
            // the bet's horse. JRA pays two places below eight starters.
            const int places = files.starters() > 0 && files.starters() < 8 ? 2 : 3;
            const QString payouts[] = {ks->PlacePayout1(), ks->PlacePayout2(), ks->PlacePayout3()};
            std::optional<int> placed[3];
            for (int i = 0; i < places; ++i) {
                placed[i] = finisher(i);
                if (!placed[i]) return unread(u"複勝の着順");
            }
            for (int i = 0; i < places; ++i) {
                if (*placed[i] != bet.first) continue;
                if (const auto payout = payoutOf(payouts[i])) return {Outcome::Hit, payout, {}};
                return {Outcome::PayoutUnknown,
                        {},
                        QStringLiteral("結果の複勝%1着の払戻金が読めません").arg(i + 1)};
            }
            break;
        }
    }
    return {Outcome::Miss, {}, {}};
}

// The day of a race's blocks without a date line: the date of its newest odds
// file, else of its newest file of any kind; null when no file tells one.
QDate newestOddsDay(const RaceFileSet& files) {
    const QDate newest =
        std::max(files.newestDayOf(QStringLiteral("uo-")), files.newestDayOf(QStringLiteral("zo-")));
    return newest.isValid() ? newest : files.newestDay();
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

Settlement SettleBets(const MemoReading& memo, const QString& dataDir, const QDate& chosenDay) {
    Settlement s;
    s.skipped = memo.skipped;
    // One listing of the directory for every race of the memo.
    const RaceDirectory directory(dataDir);
    // Courses 0..9, races 1..12: the race's files of every day, and the day of
    // its blocks without a date line.
    struct RaceOfMemo {
        std::optional<RaceFileSet> files;
        std::optional<QDate> undatedDay;
    };
    std::array<RaceOfMemo, 10 * 13> memoRaces;
    // A race on a day: its files of that day and its place in races.
    struct RaceDay {
        std::unique_ptr<RaceRecords> files;
        int index = -1;
    };
    std::map<std::pair<int, qint64>, RaceDay> raceDays;

    for (const MemoBlock& block : memo.blocks) {
        const int key = block.courseCode * 13 + block.race;
        RaceOfMemo& memoRace = memoRaces[key];
        if (!memoRace.files) memoRace.files.emplace(directory.race(block.courseCode, block.race));
        QDate day = block.day.isValid() ? block.day : chosenDay;
        if (!day.isValid()) {
            if (!memoRace.undatedDay) memoRace.undatedDay = newestOddsDay(*memoRace.files);
            day = *memoRace.undatedDay;
        }
        RaceDay& raceDay = raceDays[{key, day.toJulianDay()}];
        if (!raceDay.files) raceDay.files = std::make_unique<RaceRecords>(*memoRace.files, day);
        const RaceRecords& race = *raceDay.files;
        for (const MemoBet& bet : block.bets) {
            // A bet that was never on sale was never bought: listed, counted nowhere.
            if (const QString reason = notOnSale(block, bet, race); !reason.isEmpty()) {
                s.skipped.push_back({bet.line, bet.text, reason});
                continue;
            }
            if (raceDay.index < 0) {
                raceDay.index = static_cast<int>(s.races.size());
                SettledRace r;
                r.place = block.place;
                r.race = block.race;
                r.resultFiles = race.ksPaths();
                r.date = race.date();
                s.races.push_back(r);
            }
            SettledRace& settled = s.races[raceDay.index];
            const Decision d = decide(block, bet, race);
            SettledBet b;
            b.race = {race.day(), block.courseCode, block.race};
            b.type = block.kind;
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
            b.row.note = d.note;
            if (block.asWin) {
                b.row.note = b.row.note.isEmpty() ? QStringLiteral("単勝として計算")
                                                  : QStringLiteral("単勝として計算、") + b.row.note;
            }
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
    std::stable_sort(s.skipped.begin(), s.skipped.end(),
                     [](const SkippedLine& a, const SkippedLine& b) { return a.line < b.line; });

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
