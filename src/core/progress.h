// How a long piece of work (the workbook export, the report's pages) tells how far it
// has got and how the user stops it: the work calls the callback with the units done
// and the units in all, often enough to stop within a moment; false from the callback
// asks it to stop, leaving any earlier output as it was and no scratch file behind.
// An empty callback: no report, no stop.
#pragma once

#include <functional>

namespace mireva {

using ProgressCallback = std::function<bool(int done, int total)>;

// Calls `progress` when there is one; true (go on) when there is none.
inline bool reportProgress(const ProgressCallback& progress, int done, int total) {
    return !progress || progress(done, total);
}

}  // namespace mireva
