#include "support/test_support.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include <sys/resource.h>
#include <unistd.h>

namespace mireva::test {
namespace fs = std::filesystem;

TempDir::TempDir(bool asDataHome) : asDataHome_(asDataHome) {
    std::random_device rd;
    std::mt19937_64 gen(rd());
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("mireva-test-" + std::to_string(gen()));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            path_ = candidate;
            break;
        }
    }
    if (path_.empty()) throw std::runtime_error("cannot create a temporary folder");
    if (asDataHome_) {
        for (SavedVariable* v : {&dataHome_, &configHome_}) {
            const char* old = std::getenv(v->name);
            v->had = old != nullptr;
            if (old) v->value = old;
        }
        ::setenv("XDG_DATA_HOME", path_.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (path_ / "config").c_str(), 1);
    }
}

TempDir::~TempDir() {
    if (asDataHome_) {
        for (const SavedVariable* v : {&dataHome_, &configHome_}) {
            if (v->had)
                ::setenv(v->name, v->value.c_str(), 1);
            else
                ::unsetenv(v->name);
        }
    }
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

fs::path TempDir::dataFolder() const {
    fs::path folder = path_ / "ORVANE";
    fs::create_directories(folder);
    return folder;
}

AsOrdinaryUser::AsOrdinaryUser() {
    if (::geteuid() != 0) return;
    if (::seteuid(65534) != 0) throw std::runtime_error("cannot take the effective user nobody");
    switched_ = true;
}

AsOrdinaryUser::~AsOrdinaryUser() {
    if (switched_ && ::seteuid(0) != 0) std::abort();
}

FileSizeLimit::FileSizeLimit(unsigned long long bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    previousLimit_ = limit.rlim_cur;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(previousLimit_);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler_);
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const fs::path& path, std::string_view bytes) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> folderNames(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void makeReadOnly(const fs::path& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

std::vector<LineEndCase> lineEndCases(const std::string& crlf) {
    // The content with line end number n (from 0) replaced by end(n).
    auto withEnds = [&](auto&& end) {
        std::string out;
        size_t n = 0;
        size_t at = 0;
        for (size_t lf; (lf = crlf.find("\r\n", at)) != std::string::npos; at = lf + 2) {
            out.append(crlf, at, lf - at);
            out += end(n++);
        }
        out.append(crlf, at);
        return out;
    };
    auto withoutLast = [](std::string text, size_t endSize) {
        text.resize(text.size() >= endSize ? text.size() - endSize : 0);
        return text;
    };
    const std::string lf = withEnds([](size_t) { return "\n"; });
    return {
        {"CR LF", crlf, crlf},
        {"LF", lf, crlf},
        {"CR LF and LF mixed", withEnds([](size_t n) { return n % 2 ? "\n" : "\r\n"; }), crlf},
        {"last line without its CR LF", withoutLast(crlf, 2), crlf},
        {"last line without its LF", withoutLast(lf, 1), crlf},
        // A CR after the last line end is one more line, an empty one.
        {"CR after the last line", crlf + "\r", crlf + "\r\n"},
    };
}

fs::path sourcePath(const std::string& relative) { return fs::path(MIREVA_TEST_SOURCE_DIR) / relative; }

}  // namespace mireva::test
