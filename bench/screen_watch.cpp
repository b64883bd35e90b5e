// Times a player from the outside: spawns it, or sends the X server a key or a
// pointer move as a person's hand would (XTest), then watches the server's own
// screen until a colour covers a given area, and prints the milliseconds from
// the spawn or the event. Every player is timed to the same physical event
// without being touched. Xvfb started with -fbdir keeps its screen in an XWD
// file that can be mapped; it is read on a coarse grid every 2 ms.
//
//   bench_screen_watch XWD_FILE RRGGBB MIN_PIXELS TIMEOUT_MS [--region X,Y,W,H] -- COMMAND ARGS...
//   bench_screen_watch XWD_FILE RRGGBB MIN_PIXELS TIMEOUT_MS [--region X,Y,W,H] --key KEYSYM
//   bench_screen_watch XWD_FILE RRGGBB MIN_PIXELS TIMEOUT_MS [--region X,Y,W,H] --pointer X,Y
//
// Prints "first-colour MS" (or "timeout"); ends the command it started. The
// region limits the watch to part of the screen (a preview above a seek bar).
#include <arpa/inet.h>
#include <algorithm>
#include <chrono>
#include <X11/Xlib.h>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
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

struct ScreenFile {
  const uint8_t* pixels = nullptr;
  uint32_t width = 0, height = 0, bytesPerLine = 0;
  uint32_t left = 0, top = 0, right = 0, bottom = 0; // the part watched
};

bool mapScreen(const char* path, ScreenFile& screen)
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
  screen.right = screen.width;
  screen.bottom = screen.height;
  return true;
}

bool near(int a, int b) { return a - b <= Tolerance && b - a <= Tolerance; }

// Grid points of the colour, each standing for GridStep² pixels.
long colouredPixels(const ScreenFile& s, int r, int g, int b)
{
  long points = 0;
  for (uint32_t y = s.top; y < s.bottom; y += GridStep) {
    const uint8_t* row = s.pixels + size_t(y) * s.bytesPerLine;
    for (uint32_t x = s.left; x < s.right; x += GridStep) {
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

// A key press and release, or a pointer move, through XTest as input devices
// make them; libXtst is opened at run time, its headers need not be there.
bool sendInput(const char* kind, const char* what)
{
  void* xtst = dlopen("libXtst.so.6", RTLD_NOW);
  Display* display = XOpenDisplay(nullptr);
  if (!xtst || !display)
    return false;
  using Motion = int (*)(Display*, int, int, int, unsigned long);
  using Key = int (*)(Display*, unsigned int, int, unsigned long);
  if (std::strcmp(kind, "--pointer") == 0) {
    int x = 0, y = 0;
    if (std::sscanf(what, "%d,%d", &x, &y) != 2)
      return false;
    reinterpret_cast<Motion>(dlsym(xtst, "XTestFakeMotionEvent"))(display, -1, x, y, 0);
  } else {
    const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(what));
    const auto key = reinterpret_cast<Key>(dlsym(xtst, "XTestFakeKeyEvent"));
    key(display, code, True, 0);
    key(display, code, False, 0);
  }
  XFlush(display);
  XCloseDisplay(display);
  return true;
}

} // namespace

int main(int argc, char** argv)
{
  if (argc < 7) {
    std::fprintf(stderr, "usage: %s XWD_FILE RRGGBB MIN_PIXELS TIMEOUT_MS [--region X,Y,W,H] "
                         "{-- COMMAND... | --key KEYSYM | --pointer X,Y}\n", argv[0]);
    return 2;
  }
  ScreenFile screen;
  if (!mapScreen(argv[1], screen)) {
    std::fprintf(stderr, "cannot map the screen file %s\n", argv[1]);
    return 2;
  }
  const unsigned long rgb = std::strtoul(argv[2], nullptr, 16);
  const int r = int(rgb >> 16 & 0xff), g = int(rgb >> 8 & 0xff), b = int(rgb & 0xff);
  const long minPixels = std::atol(argv[3]);
  const auto timeout = std::chrono::milliseconds(std::atol(argv[4]));
  int next = 5;
  if (std::strcmp(argv[next], "--region") == 0 && argc > next + 2) {
    unsigned x = 0, y = 0, w = 0, h = 0;
    std::sscanf(argv[next + 1], "%u,%u,%u,%u", &x, &y, &w, &h);
    screen.left = std::min(x, screen.width);
    screen.top = std::min(y, screen.height);
    screen.right = std::min(x + w, screen.width);
    screen.bottom = std::min(y + h, screen.height);
    next += 2;
  }

  const auto start = Clock::now();
  pid_t child = -1;
  if (std::strcmp(argv[next], "--") == 0 && argc > next + 1) {
    child = fork();
    if (child == 0) {
      execvp(argv[next + 1], argv + next + 1);
      _exit(127);
    }
  } else if (argc != next + 2 || !sendInput(argv[next], argv[next + 1])) {
    std::fprintf(stderr, "no command to start and no input to send\n");
    return 2;
  }
  int result = 1;
  while (Clock::now() - start < timeout) {
    if (colouredPixels(screen, r, g, b) >= minPixels) {
      const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      std::printf("first-colour %.0f\n", ms);
      result = 0;
      break;
    }
    if (child > 0 && waitpid(child, nullptr, WNOHANG) == child) {
      std::printf("exited\n");
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (result != 0)
    std::printf("timeout\n");
  std::fflush(stdout);
  if (child > 0)
    endChild(child);
  return result;
}
