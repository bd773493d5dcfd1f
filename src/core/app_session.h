// What the running program shares between its windows: where its files are, and
// the used-channel sets. Everything else lives in files.
#pragma once

#include <filesystem>

#include "core/aggregation_summary.h"
#include "core/data_locations.h"

namespace mireva {

struct AppSession {
    DataLocations locations;
    std::filesystem::path settingsPath;  // Mireva.ini (in the data folder)
    SummarySets summary;                 // current and saved sets, all zero at start

    static AppSession forFolder(const std::filesystem::path& folder) {
        AppSession s;
        s.locations = DataLocations(folder);
        s.settingsPath = s.locations.settingsFile();
        return s;
    }
};

}  // namespace mireva
