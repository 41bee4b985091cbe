// The display of a run with windows (SDL2): the main form as a window showing the 640 x 480
// game screen scaled to the window (whole multiples by default, letterboxed, resizable,
// Alt+Enter / F11 for full screen), FORM3 as a second window shown while the form is visible.
// Presents the forms when their pictures or widgets changed, turns the player's input into
// Events calls and sleeps in SDL_WaitEventTimeout, never busy. With ZAV3_SCREENSHOT=FILE in the
// environment, what the main window shows when the game first waits for input is read back from
// the renderer and written to FILE as PNG (for tests and documentation); when FORM3's window is
// shown then too, it is written beside as FILE's name with ".FORM3" before the extension.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/clock.hpp"
#include "host/events.hpp"
#include "host/forms.hpp"
#include "host/host.hpp"
#include "host/text.hpp"

namespace zav3::host {

class SdlDisplay final : public Display {
 public:
  // Opens the windows (SDL video must be initialised); null with `error` set on failure.
  static std::unique_ptr<SdlDisplay> open(Forms& forms, Clock& time, const WindowOptions& options,
                                          std::string& error);
  ~SdlDisplay() override;
  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;

  void poll(Events& events) override;
  void wait(Events& events, std::int64_t timeoutMs) override;
  void idle(Events& events, std::int64_t ms) override;

  // Handles one SDL event meant for the forms (dialogs pass on what is not theirs).
  void handle(Events& events, const SDL_Event& e);
  // Presents every form whose picture changed (all when `force`).
  void present(bool force = false);
  SDL_Window* mainWindow() const;
  TextRenderer& text() { return *text_; }
  Clock& time() { return time_; }

 private:
  struct FormWindow {
    std::uint64_t composedVersion = ~std::uint64_t{0};  // forms version of the last composition
    Handle form = 0;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int width = 0;  // logical size: the form's client area
    int height = 0;
    bool shown = false;
    bool exposed = true;  // must be presented again although the picture did not change
    Bytes title;
    Surface frame;    // what the window shows
    Surface scratch;  // the next composition
  };

  SdlDisplay(Forms& forms, Clock& time, const WindowOptions& options);
  bool openWindow(FormWindow& w, int scale, bool mainWindow, std::string& error);
  void presentWindow(FormWindow& w, bool force);
  FormWindow* windowOf(std::uint32_t windowId);
  void toggleFullscreen();
  // Waits at most `ms` for SDL events and handles them; presents first.
  void pump(Events& events, std::int64_t ms);
  // Draws the main form's window again and writes what it shows to `screenshotFile_`; the
  // panel's window, when shown, to the same name with ".FORM3" before the extension.
  void writeScreenshot();
  bool writeWindowShot(FormWindow& w, const std::filesystem::path& file);

  Forms& forms_;
  Clock& time_;
  WindowOptions options_;
  std::unique_ptr<TextRenderer> text_;
  std::vector<FormWindow> windows_;  // [0] main form, [1] FORM3
  int heldButtons_ = 0;
  std::int64_t lastPresent_ = -1000;
  std::int64_t lastPump_ = -1000;
  bool presentPending_ = true;
  Handle raised_ = 0;           // the form whose window was last brought to the front
  std::string screenshotFile_;  // written at the first wait for input, then cleared
  std::vector<SDL_GameController*> pads_;
  bool padsTried_ = false, padsStarted_ = false;
};

}  // namespace zav3::host
