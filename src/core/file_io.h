// File access used by every part of the system that keeps files: whole-file reads
// and the replace-in-one-step rewrite (scratch file beside the target, flushed and
// synced, then renamed over the target), so that there is never a moment without a
// valid file and a failed write leaves the original untouched.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace mireva {

// Reads the whole file; false when it cannot be opened or read (errno then says why).
bool readWholeFile(const std::filesystem::path& path, std::string& out);

bool fileExists(const std::filesystem::path& path);
bool isDirectory(const std::filesystem::path& path);

// Writes `target` through `scratch` (default: target name + ".tmp" beside it).
// Usage: open(), write() any number of times, commit(). Without commit() the scratch
// file is removed and the target is left as it was.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::filesystem::path target, std::filesystem::path scratch = {});
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool open();
    bool write(std::string_view bytes);
    // Flushes, syncs and renames the scratch file over the target. False on any failure
    // (reported by error()); the target then keeps its previous content.
    bool commit();
    void abandon();

    const std::string& error() const { return error_; }
    // The errno value of the failure; 0 while nothing failed.
    int errorNumber() const { return errorNumber_; }
    const std::filesystem::path& target() const { return target_; }

private:
    bool fail(const std::filesystem::path& file, int errorNumber);

    std::filesystem::path target_;
    std::filesystem::path scratch_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    size_t unsynced_ = 0;  // bytes written since the disk writing was last started
    int errorNumber_ = 0;
    std::string error_;
};

// One-call form of AtomicFileWriter.
bool replaceFileContent(const std::filesystem::path& target, std::string_view content, std::string* error = nullptr,
                        const std::filesystem::path& scratch = {}, int* errorNumber = nullptr);

// Copies `from` over `to` in one step (through a scratch file beside `to`).
bool copyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                       std::string* error = nullptr);

}  // namespace mireva
