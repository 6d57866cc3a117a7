#include "common/RaceSelection.h"

#include <QComboBox>

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
    static const struct {
        const char16_t* name;
        int code;
    } places[] = {{u"札幌", 1}, {u"函館", 2}, {u"福島", 3}, {u"新潟", 4}, {u"東京", 5},
                  {u"中山", 6}, {u"中京", 7}, {u"京都", 8}, {u"阪神", 9}, {u"小倉", 0}};
    Cmb_Place->clear();
    for (const auto& place : places) Cmb_Place->addItem(QString::fromUtf16(place.name), place.code);

    Cmb_Type->clear();
    Cmb_Type->addItem(QStringLiteral("馬連"), int(Quinella));
    Cmb_Type->addItem(QStringLiteral("枠連"), int(BracketQuinella));
    Cmb_Type->addItem(QStringLiteral("単・複勝"), int(WinPlace));

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
