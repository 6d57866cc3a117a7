#pragma once

#include "common/TableLook.h"

// The settlement table as the window paints it: negative amounts red, a hit's
// row light yellow, the races' subtotals grey and bold.
inline const TableLook SettleLook{QColor(220, 0, 0), QColor(255, 240, 170), QColor(232, 232, 232),
                                  true};
