#include "tools/DataDump.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include "racedata/Records.h"

namespace {

// A field as stored; control characters are shown as \xNN so that every field
// stays on its own line.
QString Shown(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            shown += QStringLiteral("\\x") +
                     QString::number(c.unicode(), 16).rightJustified(2, u'0').toUpper();
        } else {
            shown += c;
        }
    }
    return shown;
}

void Line(QTextStream& out, const QString& name, const QString& value) {
    out << name << ": " << Shown(value) << '\n';
}

QString Indexed(const char* group, int index, const char* field) {
    return QStringLiteral("%1[%2].%3")
        .arg(QLatin1String(group))
        .arg(index)
        .arg(QLatin1String(field));
}

void DumpUo(const UoRecord& uo, QTextStream& out) {
    Line(out, QStringLiteral("RaceDate"), uo.RaceDate());
    Line(out, QStringLiteral("RaceTitle"), uo.RaceTitle());
    Line(out, QStringLiteral("Runners"), uo.Runners());
    bool ok = false;
    const int runners = uo.Runners().trimmed().toInt(&ok);
    for (int k = 0; k < UoLayout::EntryCount; ++k) {
        QString name = Indexed("QuinellaEntry", k, "QuinellaOdds");
        const auto [a, b] = UoRecord::PairOfEntry(k, ok ? runners : 0);
        if (a != 0) name += QStringLiteral(" (%1-%2)").arg(a).arg(b);
        Line(out, name, uo.Quinella(k).QuinellaOdds);
    }
}

void DumpZo(const ZoRecord& zo, QTextStream& out) {
    Line(out, QStringLiteral("RaceDate"), zo.RaceDate());
    Line(out, QStringLiteral("RaceTitle"), zo.RaceTitle());
    for (int h = 0; h < ZoLayout::HorseCount; ++h) {
        const HorseEntry horse = zo.Horse(h);
        Line(out, Indexed("HorseEntry", h, "HorseNo"), horse.HorseNo);
        Line(out, Indexed("HorseEntry", h, "WinOdds"), horse.WinOdds);
        Line(out, Indexed("HorseEntry", h, "PlaceOddsLow"), horse.PlaceOddsLow);
        Line(out, Indexed("HorseEntry", h, "PlaceOddsHigh"), horse.PlaceOddsHigh);
    }
    for (int t = 0; t < ZoLayout::BracketCount; ++t) {
        const auto [a, b] = ZoRecord::BracketPairOfEntry(t);
        Line(out,
             Indexed("BracketEntry", t, "BracketOdds") + QStringLiteral(" (%1-%2)").arg(a).arg(b),
             zo.Bracket(t).BracketOdds);
    }
}

void DumpKs(const KsRecord& ks, QTextStream& out) {
    Line(out, QStringLiteral("RaceDate"), ks.RaceDate());
    Line(out, QStringLiteral("CourseName"), ks.CourseName());
    Line(out, QStringLiteral("RaceNo"), ks.RaceNo());
    Line(out, QStringLiteral("RaceTitle"), ks.RaceTitle());
    for (int i = 0; i < KsLayout::FinisherCount; ++i) {
        const Finisher finisher = ks.Place(i);
        Line(out, Indexed("Finisher", i, "HorseNo"), finisher.HorseNo);
        Line(out, Indexed("Finisher", i, "HorseName"), finisher.HorseName);
    }
    Line(out, QStringLiteral("WinPayout"), ks.WinPayout());
    Line(out, QStringLiteral("PlacePayout1"), ks.PlacePayout1());
    Line(out, QStringLiteral("PlacePayout2"), ks.PlacePayout2());
    Line(out, QStringLiteral("PlacePayout3"), ks.PlacePayout3());
    Line(out, QStringLiteral("BracketCombo"), ks.BracketCombo());
    Line(out, QStringLiteral("BracketPayout"), ks.BracketPayout());
    Line(out, QStringLiteral("QuinellaCombo"), ks.QuinellaCombo());
    Line(out, QStringLiteral("QuinellaPayout"), ks.QuinellaPayout());
}

enum class Kind { Unknown, Uo, Zo, Ks };

Kind KindOf(const QString& path, qint64 size) {
    const QString prefix = QFileInfo(path).fileName().left(3).toLower();
    if (prefix == QLatin1String("uo-")) return Kind::Uo;
    if (prefix == QLatin1String("zo-")) return Kind::Zo;
    if (prefix == QLatin1String("ks-")) return Kind::Ks;
    if (size == UoLayout::Length) return Kind::Uo;
    if (size == ZoLayout::Length) return Kind::Zo;
    if (size == KsLayout::Length) return Kind::Ks;
    return Kind::Unknown;
}

}  // namespace

int DumpDataFile(const QString& path, QTextStream& out, QTextStream& err) {
    if (QFileInfo(path).isDir()) {
        err << "zem-dump: cannot read " << path << ": it is a directory\n";
        return 1;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "zem-dump: cannot read " << path << ": " << file.errorString() << '\n';
        return 1;
    }
    const qint64 size = file.size();
    const Kind kind = KindOf(path, size);
    if (kind == Kind::Unknown) {
        err << "zem-dump: " << path << ": not a PAT95 data file: the name does not begin with "
            << "uo-, zo- or ks-, and its length (" << size
            << " bytes) is none of 1979, 826 or 504\n";
        return 1;
    }

    const char* prefix = kind == Kind::Uo ? "uo-" : kind == Kind::Zo ? "zo-" : "ks-";
    const int length = kind == Kind::Uo   ? UoLayout::Length
                       : kind == Kind::Zo ? ZoLayout::Length
                                          : KsLayout::Length;
    const QByteArray bytes = file.read(length);
    if (file.error() != QFileDevice::NoError) {
        err << "zem-dump: cannot read " << path << ": " << file.errorString() << '\n';
        return 1;
    }
    if (size < length) {
        err << "zem-dump: warning: " << path << " is " << size << " bytes, shorter than a "
            << prefix << " record (" << length << " bytes); the missing bytes read as blanks\n";
    } else if (size > length) {
        err << "zem-dump: warning: " << path << " is " << size << " bytes; only its first "
            << prefix << " record (" << length << " bytes) is shown\n";
    }

    out << "File: " << path << '\n';
    out << "Kind: " << prefix << " (" << length << "-byte record)\n";
    switch (kind) {
        case Kind::Uo: {
            UoRecord uo;
            uo.assign(bytes);
            DumpUo(uo, out);
            break;
        }
        case Kind::Zo: {
            ZoRecord zo;
            zo.assign(bytes);
            DumpZo(zo, out);
            break;
        }
        case Kind::Ks: {
            KsRecord ks;
            ks.assign(bytes);
            DumpKs(ks, out);
            break;
        }
        case Kind::Unknown:
            break;
    }
    out.flush();
    return 0;
}
