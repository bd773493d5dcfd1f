// Reads one meter measurement file (UTF-8 CSV, SINGLE or MULTI) into the place
// accumulator: date, time, measurement mode and, per channel, frequency, local
// oscillator, level, C/N or MER and BER texts. Tolerant: what it does not recognise
// it ignores, what it cannot read it logs line by line and goes on.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "ingest/place_accumulator.h"
#include "core/sj.h"

namespace mireva {

class ErrorLog;

// Reads the file's content (UTF-8 bytes) into `acc` for the place `placeName`;
// problems are logged with `fileLabel` (the file's path) as the file name field.
void readMeasurementContent(std::string_view content, const std::string& placeName, PlaceAccumulator& acc,
                            const ErrorLog& log, SjView fileLabel);

// Opens `path` and reads it as above; when it cannot be opened, tries `fallback` (when
// given) before giving up. False (after logging "ファイルを開けません") when
// the file cannot be opened or read.
bool readMeasurementFile(const std::filesystem::path& path, const std::string& placeName, PlaceAccumulator& acc,
                         const ErrorLog& log, SjView fileLabel,
                         const std::function<std::filesystem::path()>& fallback = {});

}  // namespace mireva
