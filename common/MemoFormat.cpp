#include "common/MemoFormat.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <optional>

#include "common/Racecourse.h"

namespace {

// Heading bet types, longest first so that "単・複勝" is not read as "複勝".
constexpr BetType HeadingTypes[] = {BetType::WinPlace, BetType::Quinella, BetType::BracketQuinella, BetType::Win, BetType::Place};

constexpr qint64 MaxStake = 99'999'900;

bool isDash(char16_t u) {
    return u == u'-' || u == 0x2010 || u == 0x2011 || u == 0x2012 || u == 0x2013 || u == 0x2014 ||
           u == 0x2015 || u == 0x2212 || u == 0xFE63;
}

// The line with full-width letters and digits made half-width, every blank a
// plain blank, every dash "-", and no blanks around a dash.
QString normalise(QStringView line) {
    QString out;
    out.reserve(line.size());
    bool afterDash = false;
    for (QChar c : line) {
        char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E) u = char16_t(u - 0xFEE0);
        if (u == 0x3000 || u == u'\t') u = u' ';
        if (isDash(u)) {
            while (out.endsWith(QLatin1Char(' '))) out.chop(1);
            out += QLatin1Char('-');
            afterDash = true;
            continue;
        }
        if (u == u' ' && afterDash) continue;
        afterDash = false;
        out += QChar(u);
    }
    return out;
}

bool allDigits(QStringView text) {
    if (text.isEmpty()) return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    }
    return true;
}

// A number of one or two digits ("7", "07").
int smallNumber(QStringView text) {
    if (text.size() > 2 || !allDigits(text)) return -1;
    return text.toInt();
}

struct Heading {
    bool isHeading = false;
    QString error;  // empty when the heading reads
    MemoBlock block;
};

// A heading: racecourse, race and bet type, in that order, with or without
// blanks between them.
Heading readHeading(const QStringList& tokens) {
    Heading h;
    const QString joined = tokens.join(QString());
    for (const BetType type : HeadingTypes) {
        const QString name = BetTypeName(type);
        if (!joined.endsWith(name)) continue;
        QStringView head = QStringView(joined).chopped(name.size());
        if (head.endsWith(QLatin1Char('R')) || head.endsWith(QLatin1Char('r'))) head.chop(1);
        qsizetype digits = 0;
        while (digits < head.size() && head[head.size() - 1 - digits].isDigit() &&
               head[head.size() - 1 - digits].unicode() < 0x80) {
            ++digits;
        }
        if (digits == 0 || digits == head.size()) return h;  // no race, or no racecourse
        h.isHeading = true;
        const QStringView place = head.first(head.size() - digits);
        const int race = digits <= 2 ? head.last(digits).toInt() : 0;
        h.block.place = place.toString();
        h.block.courseCode = CourseCodeOf(place);
        h.block.race = race;
        h.block.kind = SettledType(type);
        h.block.asWin = type == BetType::WinPlace;
        if (h.block.courseCode < 0) {
            h.error = QStringLiteral("競馬場「%1」がわかりません").arg(place);
        } else if (race < 1 || race > 12) {
            h.error = QStringLiteral("レース番号が 1～12 ではありません");
        }
        return h;
    }
    return h;
}

// A line meant as a heading that did not read as one: it names a racecourse,
// or a race as a number of one or two digits with "R" ("11R", "3r三連単").
bool looksLikeHeading(QStringView line) {
    for (const Racecourse& course : Racecourses) {
        if (line.contains(QStringView(course.name))) return true;
    }
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != u'R' && line[i] != u'r') continue;
        qsizetype digits = 0;
        while (digits < i && digits < 3 && line[i - 1 - digits].isDigit() &&
               line[i - 1 - digits].unicode() < 0x80) {
            ++digits;
        }
        const bool wordBefore = digits < i && line[i - 1 - digits].isLetterOrNumber();
        const bool letterAfter =
            i + 1 < line.size() && line[i + 1].unicode() < 0x80 && line[i + 1].isLetter();
        if (digits >= 1 && digits <= 2 && !wordBefore && !letterAfter) return true;
    }
    return false;
}

// The stake: digits with optional digit-group commas, an optional "円" after
// and "¥" before.
bool readStake(QString text, qint64& stake, QString& error) {
    if (text.endsWith(u'円')) text.chop(1);
    if (text.startsWith(QChar(0x00A5)) || text.startsWith(QChar(0xFFE5))) text.remove(0, 1);
    const QString digits = QString(text).remove(QLatin1Char(','));
    if (!allDigits(digits) || text.startsWith(QLatin1Char(',')) ||
        text.endsWith(QLatin1Char(','))) {
        error = QStringLiteral("金額「%1」が数字ではありません").arg(text);
        return false;
    }
    if (digits.size() > 12) {
        error = QStringLiteral("金額が大きすぎます");
        return false;
    }
    stake = digits.toLongLong();
    if (stake <= 0) {
        error = QStringLiteral("金額が 0 円です");
    } else if (stake % 100 != 0) {
        error = QStringLiteral("金額が 100 円単位ではありません");
    } else if (stake > MaxStake) {
        error = QStringLiteral("金額が大きすぎます");
    }
    return error.isEmpty();
}

bool readBet(const MemoBlock& block, const QString& text, MemoBet& bet, QString& error) {
    const bool pair = block.kind == BetType::Quinella || block.kind == BetType::BracketQuinella;
    const int top = block.kind == BetType::BracketQuinella ? 8 : 18;
    const QString what =
        block.kind == BetType::BracketQuinella ? QStringLiteral("枠番") : QStringLiteral("馬番");
    const QStringList parts = text.split(QLatin1Char('-'));
    if (pair && parts.size() != 2) {
        error = QStringLiteral("買い目「%1」が 2 つの%2の組ではありません").arg(text, what);
        return false;
    }
    if (!pair && parts.size() != 1) {
        error = QStringLiteral("単勝・複勝の買い目「%1」が馬番ひとつではありません").arg(text);
        return false;
    }
    int numbers[2] = {0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        numbers[i] = smallNumber(parts[i]);
        if (numbers[i] < 1 || numbers[i] > top) {
            error = QStringLiteral("%1「%2」が 1～%3 ではありません").arg(what, parts[i]).arg(top);
            return false;
        }
    }
    if (block.kind == BetType::Quinella && numbers[0] == numbers[1]) {
        error = QStringLiteral("馬連の買い目「%1」が同じ馬番の組です").arg(text);
        return false;
    }
    bet.first = numbers[0];
    bet.second = numbers[1];
    return true;
}

// A line holding only a date, "2026/12/06" or "2026年12月06日", blanks around
// it allowed (the line as normalise leaves it): nullopt when it is no such
// line, an invalid date when its numbers make no calendar date.
std::optional<QDate> dateLine(const QString& line) {
    const QString text = line.trimmed();
    if (text.size() < 8 || text.size() > 11 || !text[0].isDigit()) return std::nullopt;
    static const QRegularExpression pattern(QStringLiteral(
        "^([0-9]{4})(?:/([0-9]{1,2})/([0-9]{1,2})|年([0-9]{1,2})月([0-9]{1,2})日)$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const bool slashes = m.capturedLength(2) > 0;
    return QDate(m.captured(1).toInt(), m.captured(slashes ? 2 : 4).toInt(),
                 m.captured(slashes ? 3 : 5).toInt());
}

}  // namespace

QString WriteMemoDateLine(const QDate& day) {
    return day.toString(QStringLiteral("yyyy/MM/dd")) + QStringLiteral("\r\n");
}

bool MemoNeedsDateLine(QStringView memo, const QDate& day) {
    if (!day.isValid()) return false;
    // The last date line, looked for from the end.
    qsizetype end = memo.size();
    while (end > 0) {
        qsizetype start = end;
        while (start > 0 && memo[start - 1] != u'\n' && memo[start - 1] != u'\r') --start;
        if (const auto date = dateLine(normalise(memo.sliced(start, end - start))))
            return *date != day;
        end = start - 1;
    }
    return true;
}

QString WriteMemoEntry(QStringView memo, const BetSlip& slip) {
    QString entry = WriteMemoBlock(slip);
    if (MemoNeedsDateLine(memo, slip.race.date)) entry.prepend(WriteMemoDateLine(slip.race.date));
    // A line typed by hand without its line end would swallow the heading (or
    // the date line), and the settlement could not read the block.
    if (!memo.isEmpty() && !memo.endsWith(u'\n') && !memo.endsWith(u'\r'))
        entry.prepend(QStringLiteral("\r\n"));
    return entry;
}

QString WriteMemoBlock(const BetSlip& slip) {
    const QString crlf = QStringLiteral("\r\n");
    const QChar tab = u'\t';
    QString block = slip.race.placeName() + tab + QString::number(slip.race.number) + u'R' + tab +
                    BetTypeName(slip.type) + crlf;
    for (const SlipBet& bet : slip.bets) {
        if (bet.first.isEmpty()) continue;
        if (!IsPairType(slip.type)) {
            block += tab + bet.first + tab + QString::number(bet.stake) + crlf;
        } else if (!bet.second.isEmpty()) {
            block += tab + bet.first + u'-' + bet.second + tab + QString::number(bet.stake) + crlf;
        }
    }
    return block + crlf;
}

MemoReading ReadMemo(QStringView memo) {
    MemoReading reading;
    enum class State { Outside, InBlock, InBadBlock } state = State::Outside;
    MemoBlock block;
    int blockLines = 0;  // lines under the heading of the block
    int lineNo = 0;
    QDate day;  // of the last date line

    const auto skip = [&](const QString& text, const QString& reason) {
        reading.skipped.push_back({lineNo, text, reason});
    };
    const auto endBlock = [&] {
        if (state == State::InBlock) {
            // A heading alone is listed; one whose lines were all unreadable
            // has them listed already.
            if (blockLines == 0) {
                reading.skipped.push_back(
                    {block.line, QString(), QStringLiteral("見出しの後に買い目がありません")});
            }
            if (!block.bets.empty()) reading.blocks.push_back(std::move(block));
        }
        block = MemoBlock();
        state = State::Outside;
    };

    qsizetype start = 0;
    while (start <= memo.size()) {
        qsizetype end = start;
        while (end < memo.size() && memo[end] != u'\n' && memo[end] != u'\r') ++end;
        if (end == memo.size() && start == end && lineNo > 0)
            break;  // no text after the last line end
        ++lineNo;
        const QStringView raw = memo.sliced(start, end - start);
        start =
            end + ((end + 1 < memo.size() && memo[end] == u'\r' && memo[end + 1] == u'\n') ? 2 : 1);

        const QString line = normalise(raw);
        QStringList tokens = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (tokens.isEmpty()) {
            endBlock();
            continue;
        }
        if (tokens.size() == 1) {
            if (const auto date = dateLine(tokens[0])) {
                endBlock();
                if (date->isValid()) {
                    day = *date;
                } else {
                    skip(raw.toString(),
                         QStringLiteral("日付「%1」は暦にありません").arg(tokens[0]));
                }
                continue;
            }
        }
        const Heading heading = readHeading(tokens);
        if (!heading.isHeading && looksLikeHeading(line)) {
            endBlock();
            skip(raw.toString(), QStringLiteral("見出し（競馬場・レース・券種）が読めません"));
            state = State::InBadBlock;
            continue;
        }
        if (heading.isHeading) {
            endBlock();
            if (!heading.error.isEmpty()) {
                skip(raw.toString(), heading.error);
                state = State::InBadBlock;
                continue;
            }
            block = heading.block;
            block.line = lineNo;
            block.day = day;
            blockLines = 0;
            state = State::InBlock;
            continue;
        }
        if (state == State::Outside) {
            skip(raw.toString(), QStringLiteral("見出し（競馬場・レース・券種）の下にない行です"));
            continue;
        }
        if (state == State::InBadBlock) {
            skip(raw.toString(), QStringLiteral("見出しが読めない組の行です"));
            continue;
        }
        ++blockLines;
        if (tokens.size() == 3 && tokens[2] == u"円") tokens[1] += tokens.takeLast();  // "1,200 円"
        if (tokens.size() != 2) {
            skip(raw.toString(), QStringLiteral("買い目と金額の行ではありません"));
            continue;
        }
        MemoBet bet;
        bet.line = lineNo;
        bet.text = raw.toString();
        QString error;
        if (!readBet(block, tokens[0], bet, error) || !readStake(tokens[1], bet.stake, error)) {
            skip(raw.toString(), error);
            continue;
        }
        block.bets.push_back(bet);
    }
    endBlock();
    // A heading without bets is listed when its block ends, after its lines.
    std::stable_sort(reading.skipped.begin(), reading.skipped.end(),
                     [](const SkippedLine& a, const SkippedLine& b) { return a.line < b.line; });
    return reading;
}
