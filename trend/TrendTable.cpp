#include "trend/TrendTable.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "common/Csv.h"
#include "racedata/Records.h"

namespace {

const QString Scratched = QStringLiteral("  ﾄﾘｹｼ");
const QChar Minus(0x2212);

QString pairKey(int a, int b) {
    return QStringLiteral("%1-%2").arg(a).arg(b);
}

QString timeText(const QDateTime& time) {
    return time.toLocalTime().toString(QStringLiteral("HH:mm"));
}

}  // namespace

std::vector<OddsEntry> OddsEntries(OddsFile file, const QByteArray& raw, BetType kind) {
    std::vector<OddsEntry> entries;
    if (file != FileOf(kind)) return entries;
    if (file == OddsFile::Uo) {
        UoRecord uo;
        uo.assign(raw);
        bool ok = false;
        const int runners = std::clamp(uo.Runners().trimmed().toInt(&ok), 0, 18);
        const int pairs = ok ? runners * (runners - 1) / 2 : 0;
        for (int k = 0; k < pairs; ++k) {
            const QString odds = uo.Quinella(k).QuinellaOdds.left(6);
            const auto [a, b] = UoRecord::PairOfEntry(k, runners);
            entries.push_back({pairKey(a, b), odds == Scratched ? odds.mid(2) : odds.trimmed()});
        }
        return entries;
    }
    ZoRecord zo;
    zo.assign(raw);
    if (kind == BetType::BracketQuinella) {
        for (int t = 0; t < ZoLayout::BracketCount; ++t) {
            const auto [a, b] = ZoRecord::BracketPairOfEntry(t);
            entries.push_back({pairKey(a, b), zo.Bracket(t).BracketOdds.trimmed()});
        }
        return entries;
    }
    const int runners = zo.RunnerCount();
    for (int h = 0; h < runners; ++h) {
        const HorseEntry horse = zo.Horse(h);
        QString text = horse.WinOdds.trimmed();
        if (kind == BetType::Place) {
            const QString low = horse.PlaceOddsLow.trimmed(), high = horse.PlaceOddsHigh.trimmed();
            text = OddsHundredths(low) && !high.isEmpty() ? low + QLatin1Char('-') + high
                   : low.isEmpty()                        ? text
                                                          : low;
        }
        entries.push_back({QString::number(h + 1), text});
    }
    return entries;
}

std::optional<qint64> OddsHundredths(QStringView text) {
    text = text.trimmed();
    if (const qsizetype dash = text.indexOf(u'-'); dash > 0) text = text.first(dash);  // 複勝
    qint64 whole = 0;
    int decimals = -1;
    int digits = 0;
    for (const QChar c : text) {
        if (c == u'.' && decimals < 0) {
            decimals = 0;
        } else if (c.isDigit() && c.unicode() < 0x80 && decimals < 2 && digits < 12) {
            whole = whole * 10 + (c.unicode() - u'0');
            ++digits;
            if (decimals >= 0) ++decimals;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    for (int d = std::max(decimals, 0); d < 2; ++d) whole *= 10;
    return whole;
}

OddsMove MoveBetween(QStringView previous, QStringView current) {
    const auto before = OddsHundredths(previous), now = OddsHundredths(current);
    if (!before || !now || *before == 0) return OddsMove::None;
    // now <= 0.8 x before, and now >= 1.2 x before, in whole numbers.
    if (*now * 5 <= *before * 4) return OddsMove::Fall;
    if (*now * 5 >= *before * 6) return OddsMove::Rise;
    return OddsMove::None;
}

std::optional<double> ChangePercent(QStringView previous, QStringView current) {
    const auto before = OddsHundredths(previous), now = OddsHundredths(current);
    if (!before || !now || *before == 0) return std::nullopt;
    return static_cast<double>(*now - *before) * 100.0 / static_cast<double>(*before);
}

qint64 OddsCapHundredths(BetType kind) {
    return kind == BetType::Quinella ? 999990 : 99990;
}

bool CappedOdds(QStringView text, BetType kind) {
    const auto odds = OddsHundredths(text);
    return odds && *odds >= OddsCapHundredths(kind);
}

QString OddsShown(const QString& text, BetType kind) {
    return CappedOdds(text, kind) ? text + QStringLiteral("以上") : text;
}

OddsMove MoveBetween(QStringView previous, QStringView current, BetType kind) {
    if (CappedOdds(previous, kind) || CappedOdds(current, kind)) return OddsMove::None;
    return MoveBetween(previous, current);
}

std::optional<double> ChangePercent(QStringView previous, QStringView current, BetType kind) {
    if (CappedOdds(previous, kind) || CappedOdds(current, kind)) return std::nullopt;
    return ChangePercent(previous, current);
}

QString ChangeText(double percent) {
    const qint64 whole = std::llround(percent);
    if (whole < 0) return Minus + QString::number(-whole) + QLatin1Char('%');
    if (whole > 0) return QLatin1Char('+') + QString::number(whole) + QLatin1Char('%');
    return QStringLiteral("0%");
}

std::vector<OddsFall> FallsBetween(const OddsSnapshot& previous, const OddsSnapshot& current,
                                   BetType kind, int limit) {
    std::vector<OddsFall> falls;
    QHash<QString, QString> before;
    for (const OddsEntry& entry : OddsEntries(previous.file, previous.raw, kind))
        before.insert(entry.key, entry.text);
    for (const OddsEntry& entry : OddsEntries(current.file, current.raw, kind)) {
        const auto it = before.constFind(entry.key);
        if (it == before.constEnd() || MoveBetween(*it, entry.text) != OddsMove::Fall) continue;
        falls.push_back({entry.key, *it, entry.text, *ChangePercent(*it, entry.text),
                         previous.modified, current.modified});
    }
    std::stable_sort(falls.begin(), falls.end(),
                     [](const OddsFall& a, const OddsFall& b) { return a.percent < b.percent; });
    if (limit >= 0 && static_cast<int>(falls.size()) > limit) falls.resize(limit);
    return falls;
}

QString FallText(const OddsFall& fall) {
    return QStringLiteral("急落 %1 %2→%3 (%4) %5→%6")
        .arg(fall.key, fall.previousOdds, fall.currentOdds, ChangeText(fall.percent),
             timeText(fall.previousTime), timeText(fall.currentTime));
}

QStringList TimeHeadings(const std::vector<QDateTime>& times) {
    QStringList minutes;
    for (const QDateTime& time : times) minutes << timeText(time);
    QStringList headings;
    for (size_t i = 0; i < times.size(); ++i) {
        const bool shared = minutes.count(minutes[static_cast<int>(i)]) > 1;
        headings << (shared ? times[i].toLocalTime().toString(QStringLiteral("HH:mm:ss"))
                            : minutes[static_cast<int>(i)]);
    }
    return headings;
}

TrendTable BuildTrendTable(const std::vector<OddsSnapshot>& snapshots, BetType kind) {
    TrendTable table;
    std::vector<QHash<QString, QString>> columns;
    QSet<QString> known;
    for (auto it = snapshots.rbegin(); it != snapshots.rend();
         ++it) {  // the latest decides the order
        QHash<QString, QString> column;
        for (const OddsEntry& entry : OddsEntries(it->file, it->raw, kind)) {
            if (!known.contains(entry.key)) {
                known.insert(entry.key);
                table.keys << entry.key;
            }
            column.insert(entry.key, entry.text);
        }
        columns.push_back(std::move(column));
    }
    std::reverse(columns.begin(), columns.end());
    for (const OddsSnapshot& snapshot : snapshots) table.times.push_back(snapshot.modified);
    table.headings = TimeHeadings(table.times);

    QStringList keys;
    for (const QString& key : std::as_const(table.keys)) {
        QStringList row;
        for (const auto& column : columns) row << column.value(key);
        if (std::all_of(row.begin(), row.end(), [](const QString& t) { return t.isEmpty(); }))
            continue;
        keys << key;
        std::optional<double> change;
        if (row.size() > 1) change = ChangePercent(row.front(), row.back(), kind);
        table.cells.push_back(std::move(row));
        table.change.push_back(change);
    }
    table.keys = keys;
    return table;
}

std::vector<int> LargestFalls(const TrendTable& table, int count) {
    std::vector<int> rows;
    for (int r = 0; r < table.rows(); ++r) {
        if (table.change[r] && *table.change[r] < 0) rows.push_back(r);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [&](int a, int b) { return *table.change[a] < *table.change[b]; });
    if (static_cast<int>(rows.size()) > count) rows.resize(count);
    return rows;
}

QByteArray TrendCsv(const TrendTable& table, BetType kind) {
    QStringList heading{BetTypeName(kind)};
    heading << table.headings << QStringLiteral("変化（%）");
    QString text = heading.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (int r = 0; r < table.rows(); ++r) {
        QStringList fields{CsvPairField(BetTypeName(kind), table.keys[r])};
        for (const QString& cell : table.cells[r]) fields << CsvField(OddsShown(cell, kind));
        fields << (table.change[r] ? QString::number(*table.change[r], 'f', 1) : QString());
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}
