// ReportSettings: the in-memory mirror of Mireva.ini. Every form and output keeps
// its own copy and fills only the sections it uses. All texts are code page 932
// bytes, exactly as the file holds them.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/channel_catalog.h"

namespace mireva {

// Section PrintData2: the header data of the format 1 report.
struct PrintData2 {
    std::string report, subject, title, properName, measureDate, weather, measureName, measureEquip, footer, addNote;
};

inline constexpr int kPrintData2Count = 10;
inline constexpr int kStandardValueCount = 17;

// Index of each standard value in ReportSettings::standardValues; the order is the
// order of the keys in section StandardValue.
enum StandardKey : int {
    kStdCatv = 0,
    kStdCatvUp,
    kStdUhf,
    kStdBsCs,
    kStdBsLCsL,
    kStdLte,
    kStdJcsat3a,   // JCSAT-3A vertical
    kStdJcsat3aH,  // JCSAT-3A horizontal
    kStdJcsat4b,
    kStdJcsat4bH,
    kStdSccB,
    kStdSccBH,
    kStdSccCH,
    kStdSccC,
    kStdFm,
    kStdSkyp,
    kStdPilot,
};

struct ReportSettings {
    PrintData2 printData2;
    std::string format1, format2;
    std::array<std::string, kStandardValueCount> standardValues;
    std::array<std::string, kChannelCount> broadcasterNames;  // by channel index

    // Every field at its default (the values a fresh system reads).
    static ReportSettings defaults();
};

// Key of standard value `k` in section StandardValue ("CATV", "CATVUP", "UHF", ...).
const char* standardValueKey(int k);

// The BCName key of a channel: its catalog name, prefixed by "UHF" for terrestrial
// channels, "3A " for JCSAT-3A, "4B " for JCSAT-4B and "SCC-B " for SCC-B.
const std::string& broadcasterKey(int channelIndex);

// Channel indexes in the order their BCName keys are written: the catalog order,
// except that all BS channels come before all 110-degree CS channels.
const std::array<int, kChannelCount>& broadcasterKeyOrder();

// Capacities in characters, terminator excluded (a stored value longer than this is
// cut on reading).
inline constexpr int kPrintDataCapacity = 255;
inline constexpr int kAddNoteCapacity = 1023;
inline constexpr int kFormatNameCapacity = 15;
inline constexpr int kStandardValueCapacity = 255;
inline constexpr int kBroadcasterNameCapacity = 31;

// The first `maxChars` characters of a code page 932 text; a double-byte character
// counts as one and is never split.
std::string_view cutToCharacters(std::string_view cp932, size_t maxChars);

}  // namespace mireva
