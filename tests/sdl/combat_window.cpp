// The battle screen in the real SDL windows (run under xvfb-run): the main window and the
// strategy panel's window must show exactly the pictures a headless composition of the same
// forms gives. Exits 0 when both match, 1 when not, 77 when no window can be opened.
//   zav3_combat_window WORK_DIR
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/headless/headless_display.hpp"
#include "host/host.hpp"
#include "host/png.hpp"
#include "support/combat_scene.hpp"

namespace {

using namespace zav3;

// The number of pixels whose colour differs (alpha ignored), or -1 for another size.
long differences(const host::Surface& a, const host::Surface& b) {
  if (a.width() != b.width() || a.height() != b.height()) return -1;
  long count = 0;
  for (std::size_t i = 0; i < a.pixels().size(); ++i)
    if (((a.pixels()[i] ^ b.pixels()[i]) & 0xFFFFFFu) != 0) ++count;
  return count;
}

bool same(const std::filesystem::path& shot, const host::Surface& composed, const char* what) {
  const std::optional<host::Surface> window = host::readPng(shot);
  if (!window) {
    std::printf("%s: no screenshot %s\n", what, shot.c_str());
    return false;
  }
  const long n = differences(*window, composed);
  if (n != 0) {
    std::printf(
        "%s: the window differs from the headless picture (%ld pixels; -1: size %dx%d "
        "against %dx%d)\n",
        what, n, window->width(), window->height(), composed.width(), composed.height());
    return false;
  }
  std::printf("%s: the window shows the headless picture\n", what);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::filesystem::path work(argv[1]);
  std::filesystem::create_directories(work);
  const std::filesystem::path shot = work / "combat_window.png";
  std::filesystem::remove(shot);
  setenv("ZAV3_SCREENSHOT", shot.c_str(), 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  host::WindowOptions options;
  options.scale = 1;
  const auto sdl = host::makeSdlHost(options);
  if (!sdl) return 77;
  Main m(*sdl);
  testing::drawStandardBattle(m, ZAV3_DEMO_DIR);
  sdl->forms.setVisible(m.FORM3, -1);

  host::HeadlessDisplay composer(sdl->forms, *sdl->clock, sdl->trace);
  const host::Surface screen = composer.compose(sdl->forms.mainForm());
  const host::Surface panel = composer.compose(m.FORM3);
  host::writePng(screen, work / "combat_headless.png");
  host::writePng(panel, work / "combat_headless.FORM3.png");

  // The first wait presents both windows and writes what they show.
  sdl->display->wait(*sdl->events, 0);
  const bool screenSame = same(shot, screen, "main window");
  const bool panelSame = same(work / "combat_window.FORM3.png", panel, "FORM3 window");
  return screenSame && panelSame ? 0 : 1;
}
