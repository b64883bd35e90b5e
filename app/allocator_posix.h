#pragma once

// Keeps the memory that playing frees from staying with the process: glibc's
// allocator is told to map large blocks and give them back, and to keep few
// arenas. Called first thing in main, before any thread exists.
void tuneAllocator();
