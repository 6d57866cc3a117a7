#pragma once

#include <QDate>
#include <QString>

#include "racedata/Records.h"

// What the whole run shares: the data directory, the race day chosen, the records read last of each
// kind and the file stems of the last odds lookups. main creates one and hands
// it to the main window, which hands it to the windows it opens.
struct AppState {
    QString DataDir;
    UoRecord UoData;
    ZoRecord ZoData;
    KsRecord KsData;
    QString UoStem;
    QString ZoStem;
    // The race day the user chose; null while each race is shown on its newest day.
    QDate Day;
};
