// Counts the heap allocations that the test program's own code makes: the C runtime's and the
// process heap's allocation calls, patched in the program's import table. Allocations that
// Windows makes inside its own DLLs are not the program's and are not counted.
#pragma once

// Patches the imports on first use; returns the number of allocation calls made so far.
unsigned long ModuleAllocationCount();
