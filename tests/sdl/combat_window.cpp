// The battle screen in the real SDL windows (run under xvfb-run): the main window and the
// strategy panel's window must show exactly the pictures a headless composition of the same
// forms gives; then the planning phase runs on the panel's window, worked by mouse clicks and
// keys sent to that window as the player's would come (a radar click, a speed picked from the
// open list, a scroll arrow, the arrow keys, Tab and Enter). Exits 0 when all is as expected, 1
// when not, 77 when no window can be opened.
//   zav3_combat_window WORK_DIR
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "combat/battle_flow.hpp"
#include "combat/player_damage.hpp"
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

// The window of the strategy panel, found by its title.
SDL_Window* panelWindow() {
  for (std::uint32_t id = 1; id < 64; ++id) {
    SDL_Window* w = SDL_GetWindowFromID(id);
    if (w && std::string(SDL_GetWindowTitle(w)) == "戦略パネル") return w;
  }
  return nullptr;
}

void pushClick(SDL_Window* w, int x, int y) {
  for (const std::uint32_t type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = SDL_GetWindowID(w);
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
  }
}

void pushKey(SDL_Window* w, SDL_Keycode key) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.windowID = SDL_GetWindowID(w);
  e.key.state = SDL_PRESSED;
  e.key.keysym.sym = key;
  SDL_PushEvent(&e);
}

bool check(bool ok, const char* what) {
  std::printf("%s: %s\n", what, ok ? "as expected" : "NOT as expected");
  return ok;
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

  // The planning phase in the windows.
  using namespace combat::vars;
  combat::fillIntervalSeconds(m);
  combat::loadSystemNames(m);
  shield(m) = 1200;
  SDL_Window* window = panelWindow();
  if (!window) {
    std::printf("no window of the strategy panel\n");
    return 1;
  }
  bool ok = true;
  // The mouse: a click on the radar plot turns the course towards the upper right of the
  // player's position (radar point (50, 100)); the speed list opens upwards and its fifth item,
  // level 5, is picked; "変更".
  pushClick(window, 8 + 150, 8 + 30);
  pushClick(window, 120 + 20, 240 + 8);
  pushClick(window, 120 + 20, 240 - 104 + 1 + 4 * 17 + 8);
  pushClick(window, 656 + 40, 248 + 12);
  m.routines.run(m, 77);
  ok &= check(m.gameVar(callArgVar) == 7 && m.courseAzimuth == 43 && m.gameVar(42) == 5,
              "mouse: course 43, speed level 5, accepted");
  // The keyboard: the interval's scroll arrow clicked (60 s to 30 s), the up arrow key (20 s),
  // Tab past EDIT1 to "変更", Enter.
  pushClick(window, 296 + 8, 168 + 4);
  pushKey(window, SDLK_UP);
  pushKey(window, SDLK_TAB);
  pushKey(window, SDLK_TAB);
  pushKey(window, SDLK_RETURN);
  m.routines.run(m, 77);
  ok &= check(m.gameVar(callArgVar) == 7 && m.intervalIndex == 1, "keys: interval 20 s, accepted");
  // A radar click, then Tab from the focused "変更" to "現状維持" and Enter: the course stays.
  pushClick(window, 8 + 60, 8 + 200);
  pushKey(window, SDLK_TAB);
  pushKey(window, SDLK_RETURN);
  m.routines.run(m, 77);
  ok &= check(m.gameVar(callArgVar) == 8 && m.courseAzimuth == 43 && m.intervalIndex == 1,
              "keys: the plan discarded");
  ok &= check(sdl->forms.isVisible(m.FORM3) == 0, "the panel hidden after the phase");
  return screenSame && panelSame && ok ? 0 : 1;
}
