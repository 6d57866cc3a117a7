#pragma once

// Odds files of one race for the odds-history tests, built from field values.

#include <QDateTime>
#include <QFile>
#include <QString>
#include <functional>
#include <map>

#include "racedata/Records.h"
#include "tools/RecordBuilder.h"

// A "uo-" record of `runners` horses: every pair at 50.0 unless given, e.g.
// {{"3-7", "31.5"}}.
inline QByteArray UoBytes(const QString& date, int runners,
                          const std::map<QString, QString>& odds = {}) {
    RecordBuilder uo = UoBuilder();
    uo.set(UoLayout::RaceDate, date)
        .set(UoLayout::RaceTitle, QStringLiteral("ジャパンカップ"))
        .setRight(UoLayout::Runners, QString::number(runners));
    for (int k = 0; k < runners * (runners - 1) / 2; ++k) {
        const auto [a, b] = UoRecord::PairOfEntry(k, runners);
        const auto it = odds.find(QStringLiteral("%1-%2").arg(a).arg(b));
        uo.setRight({UoLayout::QuinellaOdds(k).offset, 6},
                    it == odds.end() ? QStringLiteral("50.0") : it->second);
    }
    return uo.bytes();
}

// A "zo-" record of `runners` horses: win odds 10.0 unless given ({{"3", "4.5"}});
// `more` sets further fields.
inline QByteArray ZoBytes(const QString& date, int runners,
                          const std::map<QString, QString>& win = {},
                          const std::function<void(RecordBuilder&)>& more = {}) {
    RecordBuilder zo = ZoBuilder();
    zo.set(ZoLayout::RaceDate, date).set(ZoLayout::RaceTitle, QStringLiteral("ジャパンカップ"));
    for (int h = 0; h < runners; ++h) {
        const auto it = win.find(QString::number(h + 1));
        zo.setRight(ZoLayout::HorseNo(h), QString::number(h + 1))
            .setRight(ZoLayout::WinOdds(h), it == win.end() ? QStringLiteral("10.0") : it->second)
            .setRight(ZoLayout::PlaceOddsLow(h), QStringLiteral("2.0"))
            .setRight(ZoLayout::PlaceOddsHigh(h), QStringLiteral("3.0"));
    }
    if (more) more(zo);
    return zo.bytes();
}

// Writes the bytes to path with the given modification time.
inline bool WriteAt(const QString& path, const QByteArray& bytes, const QDateTime& modified) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return false;
    // Written out first: the writing would set the time again.
    if (!file.flush()) return false;
    return !modified.isValid() || file.setFileTime(modified, QFileDevice::FileModificationTime);
}
