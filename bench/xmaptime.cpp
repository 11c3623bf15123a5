// Times a window from the X server's own map events.
//
//   xmaptime start PROGRAM [ARGS...]
//     starts PROGRAM and waits for its first top-level window to be mapped;
//     prints "<milliseconds> <resident KiB at that moment> <pid> <window id>"
//     and leaves the program running.
//   xmaptime key KEYSYM
//     presses and releases the key (XTest, as a keyboard would) and waits for
//     the next top-level window to be mapped; prints "<milliseconds> <window id>".
//
// Both listen for MapNotify on the root window (SubstructureNotify), so the
// time ends when the server maps the window, not when a poller next looks.
// Pop-ups (override-redirect windows: menus, tool tips) are not counted.
// Without a window manager, a top-level window is a child of the root.
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTimeoutMs = 20000;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "xmaptime: %s\n", what);
  std::exit(1);
}

Display* OpenListening() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) Fail("cannot open the display");
  // The program started below must not inherit our connection.
  fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  return display;
}

// Waits for the next MapNotify of a top-level, non-pop-up window.
Window WaitForMap(Display* display) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kTimeoutMs);
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && !event.xmap.override_redirect) return event.xmap.window;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) Fail("no window was mapped in time");
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left));
  }
}

long ResidentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int Start(char** argv) {
  Display* display = OpenListening();
  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid < 0) Fail("cannot fork");
  if (pid == 0) {
    setsid();  // the program outlives us
    execvp(argv[0], argv);
    std::perror(argv[0]);
    _exit(127);
  }
  const Window window = WaitForMap(display);
  const double ms = MillisecondsSince(start);
  std::printf("%.2f %ld %d %lu\n", ms, ResidentKiB(pid), static_cast<int>(pid), window);
  return 0;
}

// XTest from the library that xdotool also loads, so that no development
// package is needed to build this tool.
using FakeKey = int (*)(Display*, unsigned int, int, unsigned long);

int Key(const char* keysymName) {
  void* xtest = dlopen("libXtst.so.6", RTLD_NOW);
  if (xtest == nullptr) Fail("libXtst.so.6 is missing");
  const auto fakeKey = reinterpret_cast<FakeKey>(dlsym(xtest, "XTestFakeKeyEvent"));
  if (fakeKey == nullptr) Fail("XTestFakeKeyEvent is missing");
  Display* display = OpenListening();
  const KeySym keysym = XStringToKeysym(keysymName);
  if (keysym == NoSymbol) Fail("unknown key name");
  const KeyCode code = XKeysymToKeycode(display, keysym);
  const Clock::time_point start = Clock::now();
  fakeKey(display, code, True, 0);
  fakeKey(display, code, False, 0);
  XFlush(display);
  const Window window = WaitForMap(display);
  std::printf("%.2f %lu\n", MillisecondsSince(start), window);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "start") == 0) return Start(argv + 2);
  if (argc == 3 && std::strcmp(argv[1], "key") == 0) return Key(argv[2]);
  std::fprintf(stderr, "usage: xmaptime start PROGRAM [ARGS...] | xmaptime key KEYSYM\n");
  return 2;
}
