// Dialog templates give sizes in dialog units. The program converts them with the
// base units of an 8-point dialog font at 96 dpi (6 × 13 pixels): one horizontal unit
// is 1.5 pixels, one vertical unit 1.625 pixels, rounded to the nearest pixel.
#pragma once

#include <QRect>
#include <QSize>

namespace mireva::ui {

inline constexpr int dluX(int units) { return (units * 3 + 1) / 2; }
inline constexpr int dluY(int units) { return (units * 13 + 4) / 8; }
inline QSize dluSize(int w, int h) { return {dluX(w), dluY(h)}; }
inline QRect dluRect(int x, int y, int w, int h) { return {dluX(x), dluY(y), dluX(w), dluY(h)}; }

}  // namespace mireva::ui
