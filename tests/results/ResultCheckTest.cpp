#include <gtest/gtest.h>

#include "results/ResultCheck.h"

TEST(ResultCheck, TrimBlanksRemovesHalfAndFullWidthBlanksAtTheEnds) {
    const struct {
        const char16_t* text;
        const char16_t* trimmed;
    } cases[] = {{u"中山", u"中山"},
                 {u" 中山 ", u"中山"},
                 {u"中山\u3000", u"中山"},
                 {u"\u3000 東京\u3000", u"東京"},
                 {u"中 山", u"中 山"},
                 {u"\u3000\u3000", u""},
                 {u"", u""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        EXPECT_EQ(TrimBlanks(QString::fromUtf16(c.text)), QString::fromUtf16(c.trimmed));
    }
}

TEST(ResultCheck, CaptionsAgainstTheSelection) {
    const struct {
        const char16_t* place;
        const char16_t* race;
        const char16_t* selectedPlace;
        std::optional<int> selectedRace;
        bool same;
    } cases[] = {
        {u"中山", u"11", u"中山", 11, true},
        {u"中山\u3000", u"11", u"中山", 11, true},  // a one-character name padded full-width
        {u"中山", u" 9", u"中山", 9, true},         // the race as stored, right-aligned
        {u" 中山", u"09", u"中山", 9, true},
        {u"東京", u"11", u"中山", 11, false},
        {u"中山", u"10", u"中山", 11, false},
        {u"中山", u"  ", u"中山", 11, false},    // a record without race number
        {u"    ", u"  ", u"中山", 1, false},     // nothing shown yet
        {u"中山", u"１１", u"中山", 11, false},  // full-width digits are not a number
        {u"中山", u"11", u"中山", std::nullopt, false},
    };
    for (const auto& c : cases) {
        const QString place = QString::fromUtf16(c.place);
        const QString race = QString::fromUtf16(c.race);
        SCOPED_TRACE((place + u'|' + race).toStdString());
        EXPECT_EQ(
            ShowsSelectedRace(place, race, QString::fromUtf16(c.selectedPlace), c.selectedRace),
            c.same);
    }
}
