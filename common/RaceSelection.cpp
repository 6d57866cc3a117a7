#include "common/RaceSelection.h"

#include <QComboBox>

#include "common/Racecourse.h"

namespace {

std::optional<int> itemData(const QComboBox* list) {
    if (!list || list->currentIndex() < 0) return std::nullopt;
    bool ok = false;
    const int value = list->currentData().toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

}  // namespace

void FillSelectionLists(QComboBox* Cmb_Place, QComboBox* Cmb_Type, QComboBox* Cmb_Race) {
    Cmb_Place->clear();
    for (const Racecourse& place : Racecourses) {
        Cmb_Place->addItem(QString::fromUtf16(place.name), place.code);
    }

    Cmb_Type->clear();
    for (const BetType type : {BetType::Quinella, BetType::BracketQuinella, BetType::WinPlace}) {
        Cmb_Type->addItem(BetTypeName(type), int(type));
    }

    Cmb_Race->clear();
    for (int race = 1; race <= 12; ++race) {
        Cmb_Race->addItem(QStringLiteral("%1R").arg(race, 2, 10, QLatin1Char(' ')), race);
    }

    Cmb_Place->setCurrentIndex(5);
    Cmb_Type->setCurrentIndex(0);
    Cmb_Race->setCurrentIndex(0);
}

QString RaceSelection::placeText() const { return place_ ? place_->currentText() : QString(); }
std::optional<int> RaceSelection::courseCode() const { return itemData(place_); }
QString RaceSelection::typeText() const { return type_ ? type_->currentText() : QString(); }
std::optional<int> RaceSelection::typeCode() const { return itemData(type_); }
std::optional<int> RaceSelection::raceNo() const { return itemData(race_); }
Race RaceSelection::race() const {
    return Race{{}, courseCode().value_or(-1), raceNo().value_or(0)};
}
BetType RaceSelection::betType() const {
    return BetTypeFromCode(typeCode().value_or(int(BetType::Quinella))).value_or(BetType::Quinella);
}
