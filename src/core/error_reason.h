// The reason a file could not be read or written, as the text after the path in a
// message. The batch command says it as the system does (English); the program
// switches once at its start to the Japanese table below, so every message that
// names a file gives its reason in Japanese. Texts are UTF-8.
#pragma once

#include <string>

namespace mireva {

// The reason for the error number `errorNumber` (an errno value) in the language
// chosen for this process: the system's text unless Japanese reasons were chosen.
std::string errorReason(int errorNumber);

// Chooses the Japanese table for errorReason() (the program calls it at start).
void useJapaneseErrorReasons(bool japanese);

// The Japanese reason for the file errors a user meets (no such file or folder,
// access denied, read-only file system, disk full, a folder in the file's place,
// name too long, …); the system's text for an error the table lacks.
std::string japaneseErrorReason(int errorNumber);

}  // namespace mireva
