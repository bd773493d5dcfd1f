// Rounding every measured level of the worksheet to a whole number of dB.
#pragma once

#include "core/worksheet_document.h"

namespace mireva {

// Every channel field of the level line of every place (whole block) that holds a
// value becomes the value rounded with halves away from zero, written as the integer
// and ".0"; "－", the offset summary, every other line and the lines of a trailing
// partial block stay as they are. Rounding twice changes nothing more.
void roundAllLevels(WorksheetDocument& worksheet);

}  // namespace mireva
