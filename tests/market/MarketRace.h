#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <utility>
#include <vector>

// A race's odds as field values, written into uo- and zo- records with the
// record builder.
struct MarketRace {
    int runners = 0;
    std::vector<QString> win;                        // horse 1..runners
    std::function<QString(int a, int b)> pair;       // quinella odds, a < b
    std::map<std::pair<int, int>, QString> bracket;  // bracket-quinella odds by pair

    QByteArray uo() const;
    QByteArray zo() const;
};

// Nine starters, horses 1 to 7 alone in brackets 1 to 7 and 8, 9 in bracket 8:
// win odds 2.0 3.5 5.0 8.0 10.0 20.0 25.0 40.0 50.0; every pair with horse 1 at
// 10.0, every other pair at 40.0; 枠連 1-2 12.0, 1-8 4.8, 8-8 40.0, 1-1 5.0 (no
// two starters make it), 1-3 … 1-7 9.0, x-8 19.0, the others 35.0.
MarketRace NineStarters();

// Five starters, all at 5.0 to win; horse 1's pairs at 9.0, the others at 11.5:
// horse 1 has 3.0 points more of the quinella money than of the win money.
MarketRace FiveAtFive();
