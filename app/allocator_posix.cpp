#include "app/allocator_posix.h"

#include <malloc.h>

namespace {

// glibc's own starting value, held: a 640x360 frame's brightness plane and
// anything larger is mapped, and unmapped when freed.
constexpr int MapFromBytes = 128 * 1024;
// The player's busy threads (demuxer, decoders, output, the window) share
// these; with glibc's eight per core, each keeps free pieces of its own.
constexpr int Arenas = 4;

} // namespace

// Every item, and every round of a repeated one, opens its demuxer and
// decoders anew on threads of their own and frees what the last round used.
// By default freeing a large mapped block raises glibc's threshold for
// mapping (up to 32 MiB), so the next round's frames and packets are cut from
// the arenas instead, whose free pieces are seldom given back: a 10 s clip on
// repeat grew by 40 MB in ten minutes. A fixed threshold and four arenas keep
// it where it started, for no measurable CPU.
void tuneAllocator()
{
  mallopt(M_MMAP_THRESHOLD, MapFromBytes);
  mallopt(M_ARENA_MAX, Arenas);
}
