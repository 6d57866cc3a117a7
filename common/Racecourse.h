#pragma once

#include <QString>
#include <QStringView>
#include <array>

// The ten JRA racecourses with the one-digit course code that PAT95 puts in
// its file names, in the order of the main window's list. The one table every
// folder reads: the lists, the lookups, the memo and the ledger.
// A Racecourse value stands for one of them; the default one is none (code -1).
struct Racecourse {
    const char16_t* name = u"";
    int code = -1;  // 札幌 1 … 阪神 9, 小倉 0

    bool known() const { return code >= 0; }
    QString placeName() const { return QString::fromUtf16(name); }
    bool operator==(const Racecourse& other) const { return code == other.code; }
};

inline constexpr std::array<Racecourse, 10> Racecourses{{{u"札幌", 1},
                                                         {u"函館", 2},
                                                         {u"福島", 3},
                                                         {u"新潟", 4},
                                                         {u"東京", 5},
                                                         {u"中山", 6},
                                                         {u"中京", 7},
                                                         {u"京都", 8},
                                                         {u"阪神", 9},
                                                         {u"小倉", 0}}};

// The racecourse of a name, none (code -1) for a name that is none.
Racecourse RacecourseNamed(QStringView name);

// The course code of a racecourse name, or -1 for a name that is none.
int CourseCodeOf(QStringView name);
// The name of a course code, empty for a code that is none.
QString RacecourseName(int code);
