#pragma once

namespace hw {

// A database of tens of thousands of records is built from many small heap
// blocks; on 4 KiB pages every page touched is a fault of its own, which
// costs more than the parsing. glibc's allocator backs its heap with
// transparent huge pages when its tunable glibc.malloc.hugetlb says so, and
// reads that only at start: this runs the program again with it set.
//
// Returns (without restarting) when the environment already names the
// tunable (whatever its value, so that a user can turn it off), when the
// kernel never gives huge pages, or when the restart failed.
void RestartWithHugePageHeap(char** argv);

} // namespace hw
