// Helpers for tests: a private temporary folder per test (also used as the per-user
// data folder), file reading and writing, and code page 932 literals.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/cp932.h"

namespace mireva::test {

// A fresh folder under the system's temporary folder, removed at destruction.
// With `asDataHome` it also becomes $XDG_DATA_HOME, and its folder "config"
// $XDG_CONFIG_HOME, for the test's lifetime.
class TempDir {
public:
    explicit TempDir(bool asDataHome = true);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // The per-user data folder inside it ($XDG_DATA_HOME/ORVANE), created.
    std::filesystem::path dataFolder() const;

private:
    struct SavedVariable {
        const char* name;
        bool had = false;
        std::string value;
    };

    std::filesystem::path path_;
    SavedVariable dataHome_{"XDG_DATA_HOME", false, {}};
    SavedVariable configHome_{"XDG_CONFIG_HOME", false, {}};
    bool asDataHome_ = false;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view bytes);

// UTF-8 text to code page 932 bytes (for expected file content).
inline std::string cp(std::string_view utf8) { return toCp932(utf8); }
// Code page 932 bytes to UTF-8 (for readable failure messages).
inline std::string u8(std::string_view bytes) { return fromCp932(bytes); }

// Path of a file in the source tree (samples, fixtures).
std::filesystem::path sourcePath(const std::string& relative);

}  // namespace mireva::test
