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

// Reads the whole file; false when it cannot be opened or read.
bool readWholeFile(const std::filesystem::path& path, std::string& out);

bool fileExists(const std::filesystem::path& path);
bool isDirectory(const std::filesystem::path& path);

// Replaces `target` in one step. The new content goes into a scratch file with a
// short, unique name in the target's folder, created exclusively (an existing file or
// a symbolic link of that name is never opened), flushed and synced, then renamed over
// the target; the folder is synced after the rename so the new name survives a power
// cut. Two writers of one target each have their own scratch file, so the last rename
// wins with its whole content.
// - A target that is a symbolic link is replaced through the link: the file it points
//   to is replaced and the link stays.
// - A replaced file keeps its permission bits (and, for the superuser, its owner).
// - A target the user made read-only is refused and left as it is: one without any
//   write permission bit, or one the system says the running user may not write.
// Usage: open(), write() any number of times, commit(). Without commit() the scratch
// file is removed and the target is left as it was.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::filesystem::path target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool open();
    bool write(std::string_view bytes);
    // Flushes, syncs and renames the scratch file over the target. False on any failure
    // (reported by error()); the target then keeps its previous content.
    bool commit();
    void abandon();

    // A name under which other code can open the open scratch file itself to write
    // it with its own calls (a library that wants a file name): it names the open
    // file, not a path someone could swap. Empty when not open.
    std::filesystem::path scratchAccessPath() const;

    const std::string& error() const { return error_; }
    // The errno value of the first failure; 0 while nothing failed.
    int errorNumber() const { return errorNumber_; }
    const std::filesystem::path& target() const { return target_; }
    // The file that is replaced: the target, or where its symbolic links lead.
    const std::filesystem::path& destination() const { return destination_; }

private:
    // Records the first failure: the target and the reason of `errorNumber`.
    bool fail(int errorNumber);

    std::filesystem::path target_;
    std::filesystem::path destination_;
    std::filesystem::path scratch_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    size_t unsynced_ = 0;  // bytes written since the disk writing was last started
    int errorNumber_ = 0;
    std::string error_;
};

// One-call form of AtomicFileWriter.
bool replaceFileContent(const std::filesystem::path& target, std::string_view content, std::string* error = nullptr,
                        int* errorNumber = nullptr);

// Copies `from` over `to` in one step (through a scratch file beside `to`).
bool copyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                       std::string* error = nullptr);

}  // namespace mireva
