#include "ingest/error_log.h"

#include <cstdio>
#include <ctime>

#include "core/cp932.h"

namespace mireva {

std::string errorLogTimestamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[64];
    size_t n = std::strftime(buffer, sizeof buffer, "%Y/%m/%d %H:%M:%S", &local);
    return std::string(buffer, n);
}

std::string pathText(const std::filesystem::path& path) { return toCp932(path.string()); }

bool ErrorLog::begin() const {
    lines_ = 0;
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    if (!f) return false;
    const std::string& header = sj("日時,ファイル名,エラー内容\r\n");
    bool ok = std::fwrite(header.data(), 1, header.size(), f) == header.size();
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

void ErrorLog::append(std::string_view file, std::string_view message) const {
    std::string line = errorLogTimestamp();
    line += ',';
    line += file;
    line += ',';
    line += message;
    line += "\r\n";
    std::FILE* f = std::fopen(path_.c_str(), "ab");
    if (!f) return;
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
    ++lines_;
}

}  // namespace mireva
