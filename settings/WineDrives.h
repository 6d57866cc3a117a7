#pragma once

#include <QString>
#include <vector>

// Under Wine, a Windows program's C: drive is the folder drive_c of its Wine
// prefix ($WINEPREFIX, by default ~/.wine).
struct WineDrive {
    QString name;  // as the drive list shows it: "C: (Wine)", or with the prefix's path
    QString root;  // the drive_c folder
};

// The drive_c folders that exist, of $WINEPREFIX and of ~/.wine, each once.
// ~/.wine's is "C: (Wine)"; another prefix's names its folder,
// "C: (Wine: /path/to/prefix)".
std::vector<WineDrive> WineDrives();
