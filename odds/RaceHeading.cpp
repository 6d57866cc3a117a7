#include "odds/RaceHeading.h"

#include <QLabel>

#include "common/Fonts.h"
#include "common/RaceDate.h"
#include "common/RaceSelection.h"
#include "common/Twips.h"
#include "odds/OddsCells.h"
#include "racedata/AppState.h"

namespace {

QLabel* label(QWidget* window, const char* name, const QRect& geometry, Qt::Alignment align) {
    QLabel* l = PlainLabel(window, QLatin1String(name), geometry, align);
    l->setFont(UiFont(10));
    return l;
}

}  // namespace

RaceHeading MakeRaceHeading(QWidget* window, int left, int top, int width) {
    constexpr int line = 300;
    constexpr int rWidth = 240;
    constexpr int raceWidth = 600;
    constexpr int placeWidth = 1800;
    RaceHeading h{};
    h.Lbl_Date = label(window, "Lbl_Date", TwRect(left, top, 2700, line), Qt::AlignLeft);
    h.Lbl_Place =
        label(window, "Lbl_Place", TwRect(left + (width - placeWidth) / 2, top, placeWidth, line),
              Qt::AlignHCenter);
    h.Lbl_Race =
        label(window, "Lbl_Race", TwRect(left + width - rWidth - raceWidth, top, raceWidth, line),
              Qt::AlignRight);
    h.Label4 =
        label(window, "Label4", TwRect(left + width - rWidth, top, rWidth, line), Qt::AlignLeft);
    h.Label4->setText(QStringLiteral("R"));
    h.Label3 = label(window, "Label3", TwRect(left, top + line + 60, width, 330), Qt::AlignLeft);
    h.Label3->setFrameStyle(QFrame::Box | QFrame::Plain);
    h.Label3->setIndent(Tw(60));
    return h;
}

void FillRaceHeading(const RaceHeading& heading, const QString& dateField,
                     const RaceSelection& selection, const QString& title) {
    heading.Lbl_Date->setText(RaceDateDisplay(dateField));
    heading.Lbl_Place->setText(selection.placeText());
    const auto race = selection.raceNo();
    heading.Lbl_Race->setText(race ? QString::number(*race) : QString());
    heading.Label3->setText(title);
}

QString HeadingDateField(const AppState& state, const RaceSelection& selection) {
    return selection.typeCode() == int(BetType::Quinella) ? state.UoData.RaceDate() : state.ZoData.RaceDate();
}
