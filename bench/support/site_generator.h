// Generators of large, realistic sites for the benchmarks: a location table with its
// meter tree, and a worksheet aggregated from such a site.
#pragma once

#include <filesystem>

namespace mireva::bench {

// Writes folder/list.csv and the meter tree folder/data (SINGLE and MULTI files,
// PNG entries, a few missing files): about three files per place, MULTI files with
// dozens of channels in several bands, levels, BER, MER and C/N values. The same
// seed gives the same site.
void generateSite(const std::filesystem::path& folder, int places, unsigned seed);

// Writes a worksheet of `places` places, made by aggregating a generated site: values
// in the terrestrial, BS, CS, all 150 CATV channels, JCSAT-3A, LTE, FM and PILOT bands.
void generateWorksheet(const std::filesystem::path& worksheet, int places, unsigned seed);

}  // namespace mireva::bench
