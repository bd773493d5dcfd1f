// What a program of the system sets for its whole process before any work, in its
// main(): large workbooks keep one scratch file open per sheet and allocate a large,
// mostly untouched cell array per sheet.
#pragma once

namespace mireva {

// Raises the soft open-file limit to the hard one, and keeps large allocations
// served by mmap: the workbook library gives every sheet a 128 KiB cell array that it
// allocates zeroed and touches only at its start; served by mmap such a block costs a
// page or two, served from the heap all of it. glibc moves its mmap threshold up
// whenever a large block is freed (reading a big worksheet does that), which would put
// every sheet's array on the heap: thousands of sheets would take hundreds of
// megabytes. A fixed threshold keeps them mapped.
void prepareProcessForLargeOutputs();

}  // namespace mireva
