// zav3-window-watch: starts a program on the X display and watches it as a player would see
// it: when its first window is mapped, and when that window's picture last changed before it
// stayed still for a while. Prints the program's process id and both times in milliseconds
// after the program was started, and leaves the program running. With --click the window is
// then clicked at (X, Y) (a game that plays an opening skips it) and watched until it is still
// again: that time is the one printed as drawn_ms, the first one as first_drawn_ms.
//   zav3-window-watch [--still MS] [--timeout MS] [--poll MS] [--click X,Y] -- COMMAND [ARG ...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

double nowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

std::uint64_t pictureHash(Display* x, Window w, int width, int height, bool& ok) {
  // Errors (the window went away) are reported by the handler below and end in `ok` false.
  XImage* image = XGetImage(x, w, 0, 0, width, height, AllPlanes, ZPixmap);
  ok = image != nullptr;
  if (!image) return 0;
  std::uint64_t h = 1469598103934665603ull;
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const unsigned char*>(image->data + y * image->bytes_per_line);
    for (int i = 0; i < width * image->bits_per_pixel / 8; ++i) h = (h ^ row[i]) * 1099511628211ull;
  }
  XDestroyImage(image);
  return h;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

// Reads the window's picture until it has not changed for `stillMs`; returns the time of the
// last change.
double waitUntilStill(Display* x, Window shown, int& width, int& height, double start,
                      double lastChange, std::uint64_t& last, double stillMs, double timeoutMs,
                      double pollMs, bool& ok) {
  while (ok && nowMs() - start - lastChange < stillMs && nowMs() - start < timeoutMs) {
    usleep(static_cast<useconds_t>(pollMs * 1000));
    while (XPending(x)) {
      XEvent e;
      XNextEvent(x, &e);
      if (e.type == ConfigureNotify && e.xconfigure.window == shown) {
        width = e.xconfigure.width;
        height = e.xconfigure.height;
      }
    }
    const double at = nowMs() - start;
    const std::uint64_t h = pictureHash(x, shown, width, height, ok);
    if (ok && h != last) {
      last = h;
      lastChange = at;
    }
  }
  return lastChange;
}

// A left press and release at (px, py) of the window, sent to it as the X server would.
void click(Display* x, Window w, int px, int py) {
  for (int type : {ButtonPress, ButtonRelease}) {
    XEvent e{};
    e.xbutton.type = type;
    e.xbutton.display = x;
    e.xbutton.window = w;
    e.xbutton.root = DefaultRootWindow(x);
    e.xbutton.x = px;
    e.xbutton.y = py;
    e.xbutton.button = Button1;
    e.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
    e.xbutton.same_screen = True;
    XSendEvent(x, w, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
    XFlush(x);
    usleep(50000);
  }
}

int main(int argc, char** argv) {
  double stillMs = 1000, timeoutMs = 30000, pollMs = 4;
  int clickX = -1, clickY = -1;
  int first = 1;
  for (; first < argc; ++first) {
    const std::string a = argv[first];
    if (a == "--") {
      ++first;
      break;
    }
    if (first + 1 >= argc) break;
    if (a == "--still") stillMs = std::atof(argv[++first]);
    else if (a == "--timeout") timeoutMs = std::atof(argv[++first]);
    else if (a == "--poll") pollMs = std::atof(argv[++first]);
    else if (a == "--click") {
      if (std::sscanf(argv[++first], "%d,%d", &clickX, &clickY) != 2) clickX = -1;
    } else break;
  }
  if (first >= argc) {
    std::fprintf(stderr, "usage: zav3-window-watch [--still MS] [--timeout MS] [--poll MS] [--click X,Y] -- COMMAND ...\n");
    return 2;
  }
  Display* x = XOpenDisplay(nullptr);
  if (!x) {
    std::fprintf(stderr, "zav3-window-watch: no X display\n");
    return 2;
  }
  XSetErrorHandler(ignoreErrors);
  const Window root = DefaultRootWindow(x);
  XSelectInput(x, root, SubstructureNotifyMask);
  XSync(x, False);

  const double start = nowMs();
  const pid_t pid = fork();
  if (pid == 0) {
    close(ConnectionNumber(x));
    execvp(argv[first], argv + first);
    _exit(127);
  }
  std::printf("pid %d\n", static_cast<int>(pid));
  std::fflush(stdout);

  auto alive = [pid] { return waitpid(pid, nullptr, WNOHANG) == 0; };
  // The first top-level window of a useful size that is mapped.
  Window shown = 0;
  int width = 0, height = 0;
  double mapped = -1;
  while (!shown) {
    if (nowMs() - start > timeoutMs || !alive()) {
      std::fprintf(stderr, "zav3-window-watch: no window mapped\n");
      return 1;
    }
    while (XPending(x)) {
      XEvent e;
      XNextEvent(x, &e);
      if (e.type != MapNotify || e.xmap.override_redirect || shown) continue;
      XWindowAttributes at;
      if (!XGetWindowAttributes(x, e.xmap.window, &at) || at.width < 100) continue;
      mapped = nowMs() - start;
      shown = e.xmap.window;
      width = at.width;
      height = at.height;
    }
    if (!shown) {
      pollfd p{ConnectionNumber(x), POLLIN, 0};
      poll(&p, 1, 1);
    }
  }
  std::printf("mapped_ms %.1f\n", mapped);
  std::fflush(stdout);

  // The picture is read again and again until it has not changed for `stillMs`.
  double lastChange = mapped;
  bool ok = true;
  std::uint64_t last = pictureHash(x, shown, width, height, ok);
  lastChange = waitUntilStill(x, shown, width, height, start, lastChange, last, stillMs,
                              timeoutMs, pollMs, ok);
  if (ok && clickX >= 0 && alive()) {
    std::printf("first_drawn_ms %.1f\n", lastChange);
    click(x, shown, clickX, clickY);
    lastChange = nowMs() - start;
    lastChange = waitUntilStill(x, shown, width, height, start, lastChange, last, stillMs,
                                timeoutMs, pollMs, ok);
  }
  if (!ok || !alive()) {
    std::fprintf(stderr, "zav3-window-watch: the window went away\n");
    return 1;
  }
  std::printf("drawn_ms %.1f\n", lastChange);
  XCloseDisplay(x);
  return 0;
}
