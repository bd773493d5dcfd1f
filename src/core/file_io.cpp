#include "core/error_reason.h"
#include "core/file_io.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mireva {
namespace fs = std::filesystem;

namespace {

// Every this many bytes a long scratch file's disk writing is started without waiting
// for it, so the sync at commit is left with little to wait for.
constexpr size_t kWritebackChunk = size_t{4} << 20;

// Symbolic links followed before a target is given up as a loop (the system's own limit).
constexpr int kMaxLinkHops = 40;

// Attempts at a fresh scratch name before giving up.
constexpr int kScratchAttempts = 100;

// Starts the disk writing of the file's dirty pages and returns at once where the
// platform can; elsewhere the sync at commit does all of it.
void startWriteback([[maybe_unused]] std::FILE* file) {
#if defined(__linux__)
    ::sync_file_range(::fileno(file), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

// Where a chain of symbolic links ends: the path itself when it is no link; a link
// whose end does not exist yet leads to that missing name (the file is created there).
bool followLinks(fs::path path, fs::path& out, int& errorNumber) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            out = path;
            return true;
        }
        std::error_code ec;
        fs::path next = fs::read_symlink(path, ec);
        if (ec) {
            errorNumber = ec.value();
            return false;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    errorNumber = ELOOP;
    return false;
}

// A short name no other writer uses at the same time: a dot (kept out of ordinary
// listings), a fixed stem and ten random letters or digits.
std::string scratchName() {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random([] {
        std::random_device device;
        const auto now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        return (static_cast<std::uint64_t>(device()) << 32 ^ device()) ^ now ^
               static_cast<std::uint64_t>(::getpid()) << 16;
    }());
    std::string name = ".mireva-";
    for (int i = 0; i < 10; ++i) name += kAlphabet[random() % (sizeof kAlphabet - 1)];
    return name + ".tmp";
}

// Makes the new file's name durable: syncs the folder that holds it. Some file systems
// cannot sync a folder; the rename has been made all the same.
void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool readWholeFile(const fs::path& path, std::string& out) {
    out.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    // One read into a buffer of the file's size (a 2,000-place worksheet is over 30 MB);
    // a file that changes size meanwhile, or one without a size (/proc), is read to its
    // end all the same.
    struct stat st {};
    if (::fstat(::fileno(f), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        out.resize(static_cast<size_t>(st.st_size));
        out.resize(std::fread(out.data(), 1, out.size(), f));
    }
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

AtomicFileWriter::AtomicFileWriter(fs::path target) : target_(std::move(target)) {}

AtomicFileWriter::~AtomicFileWriter() { abandon(); }

bool AtomicFileWriter::fail(int errorNumber) {
    failed_ = true;
    if (errorNumber_ == 0) errorNumber_ = errorNumber;
    if (error_.empty()) error_ = target_.string() + ": " + errorReason(errorNumber);
    return false;
}

bool AtomicFileWriter::open() {
    abandon();
    failed_ = false;
    error_.clear();
    errorNumber_ = 0;
    unsynced_ = 0;
    int linkError = 0;
    if (!followLinks(target_, destination_, linkError)) return fail(linkError);

    struct stat existing {};
    const bool exists = ::stat(destination_.c_str(), &existing) == 0;
    if (exists) {
        if (!S_ISREG(existing.st_mode)) return fail(EISDIR);
        // The superuser may write anything; a file without any write bit is still the
        // user's mark that it must not change.
        if ((existing.st_mode & 0222) == 0) return fail(EACCES);
        if (::faccessat(AT_FDCWD, destination_.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT) return fail(errno);
    } else if (errno != ENOENT) {
        return fail(errno);
    }

    const fs::path folder = destination_.parent_path();
    int fd = -1;
    for (int attempt = 0; attempt < kScratchAttempts && fd < 0; ++attempt) {
        scratch_ = folder / scratchName();
        fd = ::open(scratch_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int e = errno;
        scratch_.clear();
        return fail(e);
    }
    if (exists) {
        // The owner first: changing it clears the set-id bits the mode then restores.
        if (::geteuid() == 0 && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()))
            (void)::fchown(fd, existing.st_uid, existing.st_gid);
        (void)::fchmod(fd, existing.st_mode & 07777);
    }
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        const int e = errno;
        ::close(fd);
        ::unlink(scratch_.c_str());
        scratch_.clear();
        return fail(e);
    }
    return true;
}

fs::path AtomicFileWriter::scratchAccessPath() const {
    if (!file_) return {};
#if defined(__linux__)
    return fs::path("/proc/self/fd") / std::to_string(::fileno(file_));
#else
    return scratch_;
#endif
}

bool AtomicFileWriter::write(std::string_view bytes) {
    if (!file_ || failed_) return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return fail(errno);
    unsynced_ += bytes.size();
    if (unsynced_ >= kWritebackChunk) {
        unsynced_ = 0;
        if (std::fflush(file_) != 0) return fail(errno);
        startWriteback(file_);
    }
    return true;
}

bool AtomicFileWriter::commit() {
    if (!file_) {
        if (error_.empty()) error_ = target_.string() + ": not open";
        if (errorNumber_ == 0) errorNumber_ = EBADF;
        return false;
    }
    bool ok = !failed_;
    if (ok && std::fflush(file_) != 0) ok = fail(errno);
    if (ok && ::fsync(::fileno(file_)) != 0) ok = fail(errno);
    if (std::fclose(file_) != 0 && ok) ok = fail(errno);
    file_ = nullptr;
    // The rename replaces the destination in one step; the links leading to it stay.
    if (ok && ::rename(scratch_.c_str(), destination_.c_str()) != 0) ok = fail(errno);
    if (ok)
        syncFolder(destination_.parent_path());
    else
        ::unlink(scratch_.c_str());
    scratch_.clear();
    return ok;
}

void AtomicFileWriter::abandon() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
        ::unlink(scratch_.c_str());
        scratch_.clear();
    }
}

bool replaceFileContent(const fs::path& target, std::string_view content, std::string* error, int* errorNumber) {
    AtomicFileWriter writer(target);
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
