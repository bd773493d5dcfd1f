#include "core/file_io.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/error_reason.h"

#ifdef _WIN32
#include <io.h>
#define MIREVA_FSYNC(fd) _commit(fd)
#define MIREVA_FILENO(f) _fileno(f)
#else
#include <fcntl.h>
#include <unistd.h>
#define MIREVA_FSYNC(fd) ::fsync(fd)
#define MIREVA_FILENO(f) ::fileno(f)
#endif

namespace mireva {
namespace fs = std::filesystem;

namespace {

// Every this many bytes a long scratch file's disk writing is started without waiting
// for it, so the sync at commit is left with little to wait for.
constexpr size_t kWritebackChunk = size_t{4} << 20;

// Starts the disk writing of the file's dirty pages and returns at once where the
// platform can; elsewhere the sync at commit does all of it.
void startWriteback([[maybe_unused]] std::FILE* file) {
#if defined(__linux__)
    ::sync_file_range(MIREVA_FILENO(file), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

}  // namespace

bool readWholeFile(const fs::path& path, std::string& out) {
    out.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) out.append(buffer, n);
    bool ok = !std::ferror(f);
    const int readError = errno;
    std::fclose(f);
    if (!ok) errno = readError;  // the caller may name the reason
    return ok;
}

bool fileExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool isDirectory(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

AtomicFileWriter::AtomicFileWriter(fs::path target, fs::path scratch)
    : target_(std::move(target)), scratch_(std::move(scratch)) {
    if (scratch_.empty()) scratch_ = fs::path(target_.string() + ".tmp");
}

AtomicFileWriter::~AtomicFileWriter() { abandon(); }

bool AtomicFileWriter::open() {
    abandon();
    failed_ = false;
    error_.clear();
    errorNumber_ = 0;
    unsynced_ = 0;
    file_ = std::fopen(scratch_.c_str(), "wb");
    if (!file_) return fail(scratch_, errno);
    return true;
}

bool AtomicFileWriter::write(std::string_view bytes) {
    if (!file_ || failed_) return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        return fail(scratch_, errno);
    unsynced_ += bytes.size();
    if (unsynced_ >= kWritebackChunk) {
        unsynced_ = 0;
        if (std::fflush(file_) != 0) return fail(scratch_, errno);
        startWriteback(file_);
    }
    return true;
}

bool AtomicFileWriter::commit() {
    if (!file_) {
        if (error_.empty()) error_ = scratch_.string() + ": not open";
        if (errorNumber_ == 0) errorNumber_ = EBADF;
        return false;
    }
    bool ok = !failed_;
    if (ok && std::fflush(file_) != 0) ok = fail(scratch_, errno);
    if (ok && MIREVA_FSYNC(MIREVA_FILENO(file_)) != 0) ok = fail(scratch_, errno);
    if (std::fclose(file_) != 0 && ok) ok = fail(scratch_, errno);
    file_ = nullptr;
    if (ok) {
        std::error_code ec;
        fs::rename(scratch_, target_, ec);  // replaces the target in one step
        if (ec) ok = fail(target_, ec.value());
    }
    if (!ok) {
        std::error_code ec;
        fs::remove(scratch_, ec);
    }
    return ok;
}

bool AtomicFileWriter::fail(const fs::path& file, int errorNumber) {
    failed_ = true;
    errorNumber_ = errorNumber;
    error_ = file.string() + ": " + errorReason(errorNumber);
    return false;
}

void AtomicFileWriter::abandon() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
        std::error_code ec;
        fs::remove(scratch_, ec);
    }
}

bool replaceFileContent(const fs::path& target, std::string_view content, std::string* error, const fs::path& scratch,
                        int* errorNumber) {
    AtomicFileWriter writer(target, scratch);
    bool ok = writer.open() && writer.write(content) && writer.commit();
    if (!ok && error) *error = writer.error();
    if (!ok && errorNumber) *errorNumber = writer.errorNumber();
    return ok;
}

bool copyFileReplacing(const fs::path& from, const fs::path& to, std::string* error) {
    std::string content;
    if (!readWholeFile(from, content)) {
        if (error) *error = from.string() + ": " + errorReason(errno);
        return false;
    }
    return replaceFileContent(to, content, error);
}

}  // namespace mireva
