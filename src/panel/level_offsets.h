// Level offsets: adding or subtracting a value in dB to the levels of the selected
// places, for one offset group of bands or for all of them, and keeping the running
// total per group in the place's offset summary (field レベルオフセット(dB)).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/worksheet_document.h"
#include "panel/panel_messages.h"

namespace mireva {

// The items of the offset group list, in list order; the last one is "ALL".
inline constexpr int kOffsetGroupItems = 11;
inline constexpr int kOffsetGroupAll = 10;

struct OffsetGroupItem {
    const char* listText;  // UTF-8, as the list shows it
    int firstChannel;
    int lastChannel;  // both included
};

const std::array<OffsetGroupItem, kOffsetGroupItems>& offsetGroupItems();

enum class OffsetSign { Plus, Minus };

// Checks a typed offset value. Returns the messages to show, in order; the value is
// accepted when the result is empty.
PanelMessages validateOffsetText(std::string_view typed);

// The ten value texts of an offset summary, by offset group; a label the summary
// lacks gives an empty text.
std::array<std::string, 10> splitOffsetSummary(std::string_view summary);
// The summary rebuilt from ten value texts (labels followed by a colon and the text).
std::string joinOffsetSummary(const std::array<std::string, 10>& values);

struct OffsetRequest {
    std::string valueText;  // as typed, or "0.1", "1.0", "10.0" for the quick buttons
    OffsetSign sign = OffsetSign::Plus;
    int group = 0;  // item of the offset group list
    // The first and last selected grid rows: every place whose level row lies between
    // them, both included, is offset.
    int firstRow = 0;
    int lastRow = 0;
};

// Rewrites the level lines of the places in the range. Returns the number of level
// lines rewritten (0 when no level row lies in the range).
int applyOffset(WorksheetDocument& worksheet, const OffsetRequest& request);

}  // namespace mireva
