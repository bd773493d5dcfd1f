// fuzz-libs:
// UTF-8 to code page 932 on arbitrary bytes: the per-character table must give
// exactly what the whole-text conversion gives, and the result must read back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string fast = mireva::toCp932(text).bytes;
    if (fast != mireva::detail::toCp932WholeText(text)) __builtin_trap();
    const std::string back = mireva::fromCp932(mireva::SjView{fast});
    if (back.size() > 3 * fast.size()) __builtin_trap();
    return 0;
}
