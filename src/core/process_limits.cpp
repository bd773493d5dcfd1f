#include "core/process_limits.h"

#include <malloc.h>
#include <sys/resource.h>

namespace mireva {

void prepareProcessForLargeOutputs() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
}

}  // namespace mireva
