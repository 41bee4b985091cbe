// SDL windows for the forms: presenting, scaling, full screen and input translation.
#include "host/sdl/sdl_display.hpp"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "host/png.hpp"
#include "host/widgets.hpp"

namespace zav3::host {

namespace {

constexpr std::int64_t presentIntervalMs = 15;  // at most one composition per frame
constexpr std::int64_t pumpIntervalMs = 2;      // the statement poll looks at SDL this often

int buttonOf(std::uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return leftButton;
    case SDL_BUTTON_RIGHT:
      return rightButton;
    case SDL_BUTTON_MIDDLE:
      return middleButton;
    default:
      return 0;
  }
}

int buttonsOf(std::uint32_t sdlState) {
  int b = 0;
  if (sdlState & SDL_BUTTON_LMASK) b |= leftButton;
  if (sdlState & SDL_BUTTON_RMASK) b |= rightButton;
  if (sdlState & SDL_BUTTON_MMASK) b |= middleButton;
  return b;
}

int shiftState() {
  const SDL_Keymod m = SDL_GetModState();
  int s = 0;
  if (m & KMOD_SHIFT) s |= 1;
  if (m & KMOD_CTRL) s |= 2;
  if (m & KMOD_ALT) s |= 4;
  return s;
}

bool keyOf(SDL_Keycode k, Key& out) {
  switch (k) {
    case SDLK_BACKSPACE:
      out = Key::backspace;
      return true;
    case SDLK_DELETE:
      out = Key::del;
      return true;
    case SDLK_LEFT:
      out = Key::left;
      return true;
    case SDLK_RIGHT:
      out = Key::right;
      return true;
    case SDLK_HOME:
      out = Key::home;
      return true;
    case SDLK_END:
      out = Key::end;
      return true;
    case SDLK_UP:
      out = Key::up;
      return true;
    case SDLK_DOWN:
      out = Key::down;
      return true;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      out = Key::enter;
      return true;
    case SDLK_ESCAPE:
      out = Key::escape;
      return true;
    case SDLK_TAB:
      out = Key::tab;
      return true;
    case SDLK_SPACE:
      out = Key::space;
      return true;
    case SDLK_PAGEUP:
      out = Key::pageUp;
      return true;
    case SDLK_PAGEDOWN:
      out = Key::pageDown;
      return true;
    case SDLK_F12:
      out = Key::f12;
      return true;
    default:
      return false;
  }
}

}  // namespace

SdlDisplay::SdlDisplay(Forms& forms, Clock& time, const WindowOptions& options)
    : forms_(forms), time_(time), options_(options), text_(std::make_unique<TextRenderer>()) {}

std::unique_ptr<SdlDisplay> SdlDisplay::open(Forms& forms, Clock& time,
                                             const WindowOptions& options, std::string& error) {
  std::unique_ptr<SdlDisplay> d(new SdlDisplay(forms, time, options));
  if (const char* shot = std::getenv("ZAV3_SCREENSHOT")) d->screenshotFile_ = shot;
  // The first window size: the largest whole multiple of the screen that fits the desktop.
  int scale = options.scale;
  if (scale <= 0) {
    SDL_Rect usable{0, 0, 1024, 768};
    SDL_GetDisplayUsableBounds(0, &usable);
    scale = std::max(
        1, std::min((usable.w - 40) / Forms::screenWidth, (usable.h - 80) / Forms::screenHeight));
  }
  d->windows_.resize(2);
  d->windows_[0].form = forms.mainForm();
  d->windows_[1].form = forms.panelForm();
  if (!d->openWindow(d->windows_[0], scale, true, error)) return nullptr;
  if (!d->openWindow(d->windows_[1], scale, false, error)) return nullptr;
  SDL_StartTextInput();
  d->present(true);
  return d;
}

SdlDisplay::~SdlDisplay() {
  for (SDL_GameController* pad : pads_) SDL_GameControllerClose(pad);
  if (padsStarted_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  for (FormWindow& w : windows_) {
    if (w.texture) SDL_DestroyTexture(w.texture);
    if (w.renderer) SDL_DestroyRenderer(w.renderer);
    if (w.window) SDL_DestroyWindow(w.window);
  }
}

bool SdlDisplay::openWindow(FormWindow& w, int scale, bool mainWindow, std::string& error) {
  const Control& form = forms_.control(w.form);
  w.width = form.clientWidth;
  w.height = form.clientHeight;
  std::uint32_t flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
  if (mainWindow) flags |= SDL_WINDOW_RESIZABLE;
  int x = SDL_WINDOWPOS_CENTERED;
  int y = SDL_WINDOWPOS_CENTERED;
  if (!mainWindow && windows_[0].window) {
    // The panel keeps its place over the main form's screen.
    int mx = 0;
    int my = 0;
    SDL_GetWindowPosition(windows_[0].window, &mx, &my);
    const Control& main = forms_.control(forms_.mainForm());
    x = mx + (form.left - main.left) * scale;
    y = my + (form.top - main.top) * scale;
  }
  w.title = form.caption;
  w.window = SDL_CreateWindow(sjisToUtf8(form.caption).c_str(), x, y, w.width * scale,
                              w.height * scale, flags);
  if (!w.window) {
    error = std::string("cannot open a window: ") + SDL_GetError();
    return false;
  }
  if (mainWindow) {
    // Whole multiples need room for one screen; smooth scaling may shrink it.
    const int div = options_.integerScaling ? 1 : 2;
    SDL_SetWindowMinimumSize(w.window, w.width / div, w.height / div);
  }
  // No vsync: presenting must not stretch the game's short sleeps. By default SDL's software
  // renderer draws into the window's own surface: a 640 x 480 picture needs no graphics driver,
  // and loading one (an OpenGL stack with its shader compiler) costs far more memory and start-up
  // time than the few changed frames it would scale. The accelerated renderer is asked for.
  if (options_.accelerated) w.renderer = SDL_CreateRenderer(w.window, -1, SDL_RENDERER_ACCELERATED);
  if (!w.renderer) w.renderer = SDL_CreateRenderer(w.window, -1, SDL_RENDERER_SOFTWARE);
  if (!w.renderer) {
    error = std::string("cannot draw in a window: ") + SDL_GetError();
    return false;
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, options_.integerScaling ? "0" : "1");
  SDL_RenderSetLogicalSize(w.renderer, w.width, w.height);
  SDL_RenderSetIntegerScale(w.renderer, options_.integerScaling ? SDL_TRUE : SDL_FALSE);
  w.texture = SDL_CreateTexture(w.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                w.width, w.height);
  if (!w.texture) {
    error = std::string("cannot make a texture: ") + SDL_GetError();
    return false;
  }
  if (mainWindow) {
    if (options_.fullscreen) SDL_SetWindowFullscreen(w.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    SDL_ShowWindow(w.window);
    w.shown = true;
  }
  return true;
}

SDL_Window* SdlDisplay::mainWindow() const {
  return windows_[0].window;
}

SdlDisplay::FormWindow* SdlDisplay::windowOf(std::uint32_t windowId) {
  for (FormWindow& w : windows_) {
    if (w.window && SDL_GetWindowID(w.window) == windowId) return &w;
  }
  return nullptr;
}

void SdlDisplay::toggleFullscreen() {
  SDL_Window* win = windows_[0].window;
  const bool full = SDL_GetWindowFlags(win) & SDL_WINDOW_FULLSCREEN;
  SDL_SetWindowFullscreen(win, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  windows_[0].exposed = true;
  if (options_.onFullscreen) options_.onFullscreen(!full);
}

void SdlDisplay::presentWindow(FormWindow& w, bool force) {
  const Control& form = forms_.control(w.form);
  const bool visible = w.form == forms_.mainForm() || form.visible;
  if (visible != w.shown) {
    if (visible) {
      SDL_ShowWindow(w.window);
      w.exposed = true;
    } else {
      SDL_HideWindow(w.window);
    }
    w.shown = visible;
  }
  if (w.title != form.caption) {
    w.title = form.caption;
    SDL_SetWindowTitle(w.window, sjisToUtf8(w.title).c_str());
  }
  if (!w.shown) return;
  // Nothing the player could see changed: no need to compose the form again.
  if (!force && !w.exposed && w.composedVersion == forms_.version() && !w.frame.empty()) return;
  composeForm(forms_, form, w.scratch, text_.get());
  w.composedVersion = forms_.version();
  const bool changed = w.frame.width() != w.scratch.width() ||
                       w.frame.height() != w.scratch.height() ||
                       std::memcmp(w.frame.pixels().data(), w.scratch.pixels().data(),
                                   w.frame.pixels().size() * sizeof(std::uint32_t)) != 0;
  if (changed) {
    std::swap(w.frame, w.scratch);
    SDL_UpdateTexture(w.texture, nullptr, w.frame.pixels().data(),
                      w.frame.width() * static_cast<int>(sizeof(std::uint32_t)));
  }
  if (changed || force || w.exposed) {
    SDL_SetRenderDrawColor(w.renderer, 0, 0, 0, 255);
    SDL_RenderClear(w.renderer);
    SDL_RenderCopy(w.renderer, w.texture, nullptr, nullptr);
    SDL_RenderPresent(w.renderer);
    w.exposed = false;
  }
}

void SdlDisplay::present(bool force) {
  for (FormWindow& w : windows_) presentWindow(w, force);
  if (forms_.frontForm() != raised_) {
    // The game gave a form the focus: bring its window to the front.
    raised_ = forms_.frontForm();
    for (FormWindow& w : windows_) {
      if (w.form == raised_ && w.shown) SDL_RaiseWindow(w.window);
    }
  }
  lastPresent_ = time_.nowMs();
  presentPending_ = false;
}

void SdlDisplay::handle(Events& events, const SDL_Event& e) {
  if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) events.setModifiers(shiftState());
  switch (e.type) {
    case SDL_QUIT:
      events.closeMainWindow();
      break;
    case SDL_CONTROLLERDEVICEADDED:
      if (SDL_GameController* pad = SDL_GameControllerOpen(e.cdevice.which)) pads_.push_back(pad);
      break;
    case SDL_CONTROLLERBUTTONDOWN: {
      // A game controller stands for keys: A goes on or takes the lit item (Enter), B opens
      // and closes the option menu (Escape), the d-pad moves through a list.
      Key key;
      bool known = true;
      switch (e.cbutton.button) {
        case SDL_CONTROLLER_BUTTON_A:
          key = Key::enter;
          break;
        case SDL_CONTROLLER_BUTTON_B:
          key = Key::escape;
          break;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
          key = Key::up;
          break;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
          key = Key::down;
          break;
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
          key = Key::pageUp;
          break;
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
          key = Key::pageDown;
          break;
        default:
          known = false;
          key = Key::enter;
          break;
      }
      if (known && !windows_.empty()) {
        events.key(windows_[0].form, key);
        presentPending_ = true;
      }
      break;
    }
    case SDL_WINDOWEVENT: {
      FormWindow* w = windowOf(e.window.windowID);
      if (!w) break;
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          // Closing the panel's window is not offered: the battle waits for its buttons.
          if (w->form == forms_.mainForm()) events.closeMainWindow();
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
          w->exposed = true;
          presentPending_ = true;
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          if (forms_.frontForm() != w->form) {
            forms_.giveFocus(w->form);
            raised_ = w->form;
          }
          if (options_.onFocus) options_.onFocus(true);
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          if (options_.onFocus) options_.onFocus(false);
          break;
        default:
          break;
      }
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      FormWindow* w = windowOf(e.button.windowID);
      const int b = buttonOf(e.button.button);
      if (!w || b == 0) break;
      const bool down = e.type == SDL_MOUSEBUTTONDOWN;
      heldButtons_ = down ? (heldButtons_ | b) : (heldButtons_ & ~b);
      events.pointer(w->form, down ? PointerAction::down : PointerAction::up, b, heldButtons_,
                     shiftState(), e.button.x, e.button.y);
      presentPending_ = true;
      break;
    }
    case SDL_MOUSEMOTION: {
      FormWindow* w = windowOf(e.motion.windowID);
      if (!w) break;
      heldButtons_ = buttonsOf(e.motion.state);
      events.pointer(w->form, PointerAction::move, 0, heldButtons_, shiftState(), e.motion.x,
                     e.motion.y);
      break;
    }
    case SDL_MOUSEWHEEL: {
      FormWindow* w = windowOf(e.wheel.windowID);
      if (!w || e.wheel.y == 0) break;
      int wx = 0;
      int wy = 0;
      SDL_GetMouseState(&wx, &wy);
      float lx = 0;
      float ly = 0;
      SDL_RenderWindowToLogical(w->renderer, wx, wy, &lx, &ly);
      const int steps = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      events.wheel(w->form, lx, ly, steps);
      presentPending_ = true;
      break;
    }
    case SDL_KEYDOWN: {
      const SDL_Keycode k = e.key.keysym.sym;
      if (k == SDLK_F11 ||
          ((k == SDLK_RETURN || k == SDLK_KP_ENTER) && (e.key.keysym.mod & KMOD_ALT))) {
        if (!e.key.repeat) toggleFullscreen();
        break;
      }
      if (k == SDLK_F5 || k == SDLK_F6 || k == SDLK_F7 || k == SDLK_F8) {
        if (options_.onVolumeKey) {
          options_.onVolumeKey(k == SDLK_F5 ? -1 : k == SDLK_F6 ? 1 : 0,
                               k == SDLK_F7 ? -1 : k == SDLK_F8 ? 1 : 0);
        }
        break;
      }
      FormWindow* w = windowOf(e.key.windowID);
      Key key;
      if (w && keyOf(k, key)) {
        events.key(w->form, key);
        presentPending_ = true;
      }
      break;
    }
    case SDL_TEXTINPUT: {
      FormWindow* w = windowOf(e.text.windowID);
      if (!w) break;
      // Characters without a Shift-JIS form are dropped one by one.
      Bytes sjis;
      const std::string utf8 = e.text.text;
      for (size_t i = 0; i < utf8.size();) {
        size_t n = 1;
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead >= 0xF0)
          n = 4;
        else if (lead >= 0xE0)
          n = 3;
        else if (lead >= 0xC0)
          n = 2;
        if (auto one = utf8ToSjis(utf8.substr(i, n))) sjis += *one;
        i += n;
      }
      if (!sjis.empty()) {
        events.typed(w->form, sjis);
        presentPending_ = true;
      }
      break;
    }
    default:
      break;
  }
}

void SdlDisplay::pump(Events& events, std::int64_t ms) {
  if (presentPending_ || time_.nowMs() - lastPresent_ >= presentIntervalMs) present();
  SDL_Event e;
  const int timeout = static_cast<int>(std::clamp<std::int64_t>(ms, 0, INT_MAX / 2));
  if (SDL_WaitEventTimeout(&e, timeout)) {
    handle(events, e);
    while (SDL_PollEvent(&e)) handle(events, e);
  }
  lastPump_ = time_.nowMs();
}

void SdlDisplay::poll(Events& events) {
  const std::int64_t now = time_.nowMs();
  if (now - lastPump_ < pumpIntervalMs) return;
  lastPump_ = now;
  // Game controllers are looked for once the window is up, not before it.
  if (!padsStarted_ && !padsTried_) {
    padsTried_ = true;
    padsStarted_ = true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) padsStarted_ = false;
  }
  SDL_Event e;
  while (SDL_PollEvent(&e)) handle(events, e);
  if (now - lastPresent_ >= presentIntervalMs) present();
}

bool SdlDisplay::writeWindowShot(FormWindow& w, const std::filesystem::path& file) {
  presentWindow(w, true);
  // The picture as the renderer scales it into the window, read before it is presented.
  SDL_SetRenderDrawColor(w.renderer, 0, 0, 0, 255);
  SDL_RenderClear(w.renderer);
  SDL_RenderCopy(w.renderer, w.texture, nullptr, nullptr);
  // The letterboxed area of the window, from the renderer's logical units to output pixels.
  SDL_Rect view;
  SDL_RenderGetViewport(w.renderer, &view);
  float sx = 1;
  float sy = 1;
  SDL_RenderGetScale(w.renderer, &sx, &sy);
  const SDL_Rect area{static_cast<int>(view.x * sx), static_cast<int>(view.y * sy),
                      static_cast<int>(view.w * sx), static_cast<int>(view.h * sy)};
  Surface shot(area.w, area.h);
  const bool read = SDL_RenderReadPixels(w.renderer, &area, SDL_PIXELFORMAT_ARGB8888,
                                         shot.pixels().data(), area.w * 4) == 0;
  SDL_RenderPresent(w.renderer);
  // Written beside and then renamed, so that a watcher never sees half a file.
  std::filesystem::path part = file;
  part += ".part";
  bool written = read && writePng(shot, part);
  if (written) {
    std::error_code ec;
    std::filesystem::rename(part, file, ec);
    written = !ec;
  }
  if (!written) std::fprintf(stderr, "zav3: cannot write the screenshot %s\n", file.c_str());
  return written;
}

void SdlDisplay::writeScreenshot() {
  const std::filesystem::path file(screenshotFile_);
  // The strategy panel's window, when it is shown, goes beside: NAME.FORM3.png. It is written
  // first, so that the main picture's file appearing means both are there.
  if (windows_[1].shown) {
    std::filesystem::path panel = file;
    panel.replace_extension();
    panel += ".FORM3";
    panel += file.extension();
    writeWindowShot(windows_[1], panel);
  }
  writeWindowShot(windows_[0], file);
  screenshotFile_.clear();
}

void SdlDisplay::wait(Events& events, std::int64_t timeoutMs) {
  // Nothing to run: show what the game drew, then sleep until input or the next timer.
  present();
  if (!screenshotFile_.empty()) writeScreenshot();
  const std::int64_t ms = timeoutMs < 0 ? 1000 : timeoutMs;
  pump(events, ms);
}

void SdlDisplay::idle(Events& events, std::int64_t ms) {
  const std::int64_t until = time_.nowMs() + ms;
  for (;;) {
    const std::int64_t now = time_.nowMs();
    if (now >= until || events.endRequested()) break;
    std::int64_t slice = until - now;
    if (presentPending_) slice = std::min(slice, presentIntervalMs);
    pump(events, slice);
  }
}

}  // namespace zav3::host
