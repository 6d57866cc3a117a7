#include "market/MarketTable.h"

#include "common/CompositeOdds.h"

namespace {

const QColor Red(255, 0, 0);  // 差 of +3.0 or more

TableCell figure(const std::optional<double>& value, QString (*text)(double)) {
    return {value ? text(*value) : QString(), QColor(), true};
}

TableCell word(const QString& text) {
    return {text, QColor(), false};
}

// "1.3-1.8"; a bound at the cap as "999.9以上".
QString placeText(const QString& place) {
    const qsizetype dash = place.indexOf(u'-');
    if (dash < 0) return CappedText(place, OddsCap);
    return CappedText(place.left(dash), OddsCap) + u'-' + CappedText(place.mid(dash + 1), OddsCap);
}

// Composite odds as the tables show them: the figure without its unit 倍.
QString compositeFigure(double composite) {
    QString text = CompositeText(composite);
    text.chop(1);
    return text;
}

}  // namespace

TextTable HorsesTable(const MarketAnalysis& analysis) {
    TextTable table;
    table.headers = QStringList{
        QStringLiteral("馬番"),   QStringLiteral("枠"),     QStringLiteral("単勝"),
        QStringLiteral("支持率"), QStringLiteral("複勝"),   QStringLiteral("馬連支持率"),
        QStringLiteral("差"),     QStringLiteral("総流し"), QStringLiteral("有利")};
    for (const HorseRow& h : analysis.horses) {
        TableCell difference = figure(h.difference, DifferenceText);
        if (h.difference && DifferenceMarked(*h.difference)) difference.colour = Red;
        table.rows.push_back({
            {QString::number(h.horse), QColor(), true},
            {h.bracket ? QString::number(h.bracket) : QString(), QColor(), true},
            {CappedText(h.win, OddsCap), QColor(), true},
            figure(h.winShare, PercentText),
            {placeText(h.place), QColor(), true},
            figure(h.quinellaShare, PercentText),
            difference,
            figure(h.composite, compositeFigure),
            word(h.advantage),
        });
    }
    return table;
}

TextTable BracketsTable(const MarketAnalysis& analysis) {
    TextTable table;
    table.headers =
        QStringList{QStringLiteral("枠連"), QStringLiteral("オッズ"), QStringLiteral("馬連"),
                    QStringLiteral("合成オッズ"), QStringLiteral("有利")};
    for (const BracketRow& b : analysis.brackets) {
        table.rows.push_back({
            word(QStringLiteral("%1-%2").arg(b.first).arg(b.second)),
            {CappedText(b.odds, OddsCap), QColor(), true},
            {PairsText(b.pairs), QColor(), false},
            {b.composite ? compositeFigure(*b.composite) +
                               (b.compositeCapped ? QStringLiteral("以上") : QString())
                         : QString(),
             QColor(), true},
            word(b.advantage),
        });
    }
    return table;
}
