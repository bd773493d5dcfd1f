// Helpers for tests: a private temporary folder per test (also used as the per-user
// data folder), file reading and writing, and code page 932 literals.
#pragma once

#include <filesystem>
#include <string>
#include <vector>
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

// While it lives, file permissions apply to this process as to an ordinary user: run
// as root (where permission bits are ignored), the effective user becomes "nobody".
// So a folder of mode 0700 owned by root cannot be listed, as for the user of a
// shared computer with another user's folder.
class AsOrdinaryUser {
public:
    AsOrdinaryUser();
    ~AsOrdinaryUser();
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
    bool switched_ = false;
};

// While it lives, no file of this process may grow beyond `bytes`: a full disk as a
// file's writes meet it (the write fails with "File too large" instead of a signal).
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long long previousLimit_ = 0;
    void (*previousHandler_)(int) = nullptr;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view bytes);
// The names in a folder, sorted (a rewrite must leave no scratch file behind).
std::vector<std::string> folderNames(const std::filesystem::path& folder);
// Takes every write permission bit off a file: the user's read-only mark, which a
// rewrite must respect even for the superuser the tests run as.
void makeReadOnly(const std::filesystem::path& path);

// One text file with its lines ended in other ways than CR LF, as every reader of the
// system's files must take them: `bytes` reads as the lines of `asCrLf` (the same
// lines, each followed by CR LF). Made from content whose every line ends in CR LF.
struct LineEndCase {
    const char* name;
    std::string bytes;
    std::string asCrLf;
};
std::vector<LineEndCase> lineEndCases(const std::string& crlfContent);

// UTF-8 text to code page 932 bytes (for expected file content).
inline std::string cp(std::string_view utf8) { return toCp932(utf8).bytes; }
// Code page 932 bytes to UTF-8 (for readable failure messages).
inline std::string u8(std::string_view bytes) { return fromCp932(SjView{bytes}); }
inline std::string u8(const Sj& text) { return fromCp932(text); }

// Path of a file in the source tree (samples, fixtures).
std::filesystem::path sourcePath(const std::string& relative);

}  // namespace mireva::test
