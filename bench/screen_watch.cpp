// Times a player from the outside: spawns it, then watches the X server's own
// screen until a colour covers a given area, and prints the milliseconds from
// the spawn. Every player is timed to the same physical event without being
// touched. Xvfb started with -fbdir keeps its screen in an XWD file that can
// be mapped; it is read on a coarse grid every 2 ms.
//
//   bench_screen_watch XWD_FILE RRGGBB MIN_PIXELS TIMEOUT_MS -- COMMAND ARGS...
//
// Prints "first-colour MS" (or "timeout"), then ends the command it started.
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int GridStep = 8;     // pixels between the points looked at
constexpr int Tolerance = 24;   // per channel: players convert YUV a little differently
using Clock = std::chrono::steady_clock;

// The XWD header: 25 big-endian 32-bit fields, then the window name.
struct XwdHeader {
  uint32_t headerSize, fileVersion, pixmapFormat, pixmapDepth, pixmapWidth, pixmapHeight,
      xoffset, byteOrder, bitmapUnit, bitmapBitOrder, bitmapPad, bitsPerPixel, bytesPerLine,
      visualClass, redMask, greenMask, blueMask, bitsPerRgb, colormapEntries, ncolors,
      windowWidth, windowHeight, windowX, windowY, windowBorderWidth;
};
constexpr size_t XwdColorSize = 12;

struct Screen {
  const uint8_t* pixels = nullptr;
  uint32_t width = 0, height = 0, bytesPerLine = 0;
};

bool mapScreen(const char* path, Screen& screen)
{
  const int fd = open(path, O_RDONLY);
  if (fd < 0)
    return false;
  struct stat st {};
  fstat(fd, &st);
  void* map = mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_SHARED, fd, 0);
  close(fd);
  if (map == MAP_FAILED)
    return false;
  XwdHeader h;
  std::memcpy(&h, map, sizeof h);
  for (uint32_t* field = &h.headerSize; field <= &h.windowBorderWidth; ++field)
    *field = ntohl(*field);
  if (h.bitsPerPixel != 32) {
    std::fprintf(stderr, "screen has %u bits per pixel; start Xvfb with depth 24\n",
                 h.bitsPerPixel);
    return false;
  }
  screen.pixels = static_cast<const uint8_t*>(map) + h.headerSize + h.ncolors * XwdColorSize;
  screen.width = h.pixmapWidth;
  screen.height = h.pixmapHeight;
  screen.bytesPerLine = h.bytesPerLine;
  return true;
}

bool near(int a, int b) { return a - b <= Tolerance && b - a <= Tolerance; }

// Grid points of the colour, each standing for GridStep² pixels.
long colouredPixels(const Screen& s, int r, int g, int b)
{
  long points = 0;
  for (uint32_t y = 0; y < s.height; y += GridStep) {
    const uint8_t* row = s.pixels + size_t(y) * s.bytesPerLine;
    for (uint32_t x = 0; x < s.width; x += GridStep) {
      const uint8_t* p = row + size_t(x) * 4; // little-endian xRGB: B, G, R, x
      points += near(p[2], r) && near(p[1], g) && near(p[0], b);
    }
  }
  return points * GridStep * GridStep;
}

void endChild(pid_t child)
{
  kill(child, SIGTERM);
  for (int i = 0; i < 500; ++i) {
    if (waitpid(child, nullptr, WNOHANG) == child)
      return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

} // namespace

int main(int argc, char** argv)
{
  if (argc < 7 || std::strcmp(argv[5], "--") != 0) {
    std::fprintf(stderr, "usage: %s XWD_FILE RRGGBB MIN_PIXELS TIMEOUT_MS -- COMMAND...\n",
                 argv[0]);
    return 2;
  }
  Screen screen;
  if (!mapScreen(argv[1], screen)) {
    std::fprintf(stderr, "cannot map the screen file %s\n", argv[1]);
    return 2;
  }
  const unsigned long rgb = std::strtoul(argv[2], nullptr, 16);
  const int r = int(rgb >> 16 & 0xff), g = int(rgb >> 8 & 0xff), b = int(rgb & 0xff);
  const long minPixels = std::atol(argv[3]);
  const auto timeout = std::chrono::milliseconds(std::atol(argv[4]));

  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[6], argv + 6);
    _exit(127);
  }
  int result = 1;
  while (Clock::now() - start < timeout) {
    if (colouredPixels(screen, r, g, b) >= minPixels) {
      const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      std::printf("first-colour %.0f\n", ms);
      result = 0;
      break;
    }
    if (waitpid(child, nullptr, WNOHANG) == child) {
      std::printf("exited\n");
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (result != 0)
    std::printf("timeout\n");
  std::fflush(stdout);
  endChild(child);
  return result;
}
