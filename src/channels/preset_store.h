// The three preset slots, kept one line per slot in checklist.txt, bcnamelist.txt and
// bermercnlist.txt of the data folder. Each file always holds exactly three lines;
// rewriting one slot keeps the other two lines byte for byte.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "channels/channel_settings_state.h"
#include "core/data_locations.h"

namespace mireva {

inline constexpr int kPresetSlotCount = 3;

struct PresetFile {
    std::filesystem::path file;
    std::string_view placeholder;  // the line of a slot never saved
};

struct PresetFiles {
    PresetFile checks;    // checklist.txt
    PresetFile names;     // bcnamelist.txt
    PresetFile switches;  // bermercnlist.txt

    static PresetFiles in(const DataLocations& locations);
};

// Opening the channel settings: makes sure checklist.txt exists (created empty when
// missing). False with `error` when it cannot be created.
bool probeChannelSettingsFolder(const DataLocations& locations, std::string* error = nullptr);

// Line n (1..3) without its line end; empty when the file has no such line; nothing
// when the file cannot be read.
std::optional<std::string> readPresetLine(const std::filesystem::path& file, int n);

// Makes line n of the file read `text`, keeps the other two of its first three lines
// as they are (a missing line becomes the placeholder) and drops anything after the
// third. A file that does not exist is created with the placeholder as the other two
// lines. The file is replaced in one step through its scratch file, so a failure
// leaves it as it was; a file that exists but cannot be read is not touched. False
// with `error` when nothing was written.
bool savePresetLine(const PresetFile& file, int n, std::string_view text, std::string* error = nullptr);

// Which parts of a slot a save wrote: the check boxes (checklist.txt), the broadcaster
// names (bcnamelist.txt) and the BER/MER/CN switches (bermercnlist.txt).
struct PresetSaveResult {
    bool checks = false;
    bool names = false;
    bool switches = false;
    std::string error;  // one line per file that could not be written

    bool all() const { return checks && names && switches; }
    bool none() const { return !checks && !names && !switches; }
};

// Writes slot n (1..3) of all three files from the dialog's state, in the order
// checklist.txt, bcnamelist.txt, bermercnlist.txt; a file that fails does not stop
// the others, so the result says which were written.
PresetSaveResult savePresetParts(const PresetFiles& files, int slot, const ChannelSettingsState& state);
// The same; false when any file could not be written (`error` lists them).
bool savePreset(const PresetFiles& files, int slot, const ChannelSettingsState& state, std::string* error = nullptr);

// Reads slot n (1..3) into `state`. Each file is read on its own: a file that cannot
// be read leaves its part of the state unchanged, and when checklist.txt cannot be
// read nothing is loaded at all (false).
bool loadPreset(const PresetFiles& files, int slot, ChannelSettingsState& state);

}  // namespace mireva
