// The windowed host on SDL's dummy video driver: input reaches the form of its window, the
// panel's window follows the form's visible flag, the drawn dialogs answer, F11 and Alt+Enter
// switch full screen, and closing the main window ends the program after MAINFORM_END.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/host.hpp"
#include "host/sdl/sdl_dialogs.hpp"

namespace zav3::host {
namespace {

class SdlHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    host_ = makeSdlHost();
    if (!host_) GTEST_SKIP() << "no SDL video";
    auto& ev = *host_->events;
    ev.setMouseProcedure("PICTURE1_MOUSEDOWN", [this](Integer b, Integer, Single x, Single y) {
      log_.push_back("down " + std::to_string(b) + " " + std::to_string(static_cast<int>(x)) + "," +
                     std::to_string(static_cast<int>(y)));
    });
    for (const char* name : {"BUTTON8_ON", "MAINFORM_END"}) {
      ev.setProcedure(name, [this, name] { log_.push_back(name); });
    }
  }
  void TearDown() override { host_.reset(); }

  static void pushButton(std::uint32_t window, bool down, int x, int y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = window;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
  }
  static void pushKey(std::uint32_t window, SDL_Keycode key, const char* text = nullptr) {
    SDL_Event e{};
    if (text) {
      e.type = SDL_TEXTINPUT;
      e.text.windowID = window;
      std::strncpy(e.text.text, text, sizeof e.text.text - 1);
    } else {
      e.type = SDL_KEYDOWN;
      e.key.windowID = window;
      e.key.keysym.sym = key;
    }
    SDL_PushEvent(&e);
  }
  static std::uint32_t windowTitled(const std::string& utf8) {
    for (std::uint32_t id = 1; id < 16; ++id) {
      SDL_Window* w = SDL_GetWindowFromID(id);
      if (w && utf8 == SDL_GetWindowTitle(w)) return id;
    }
    return 0;
  }

  std::unique_ptr<Host> host_;
  std::vector<std::string> log_;
};

TEST_F(SdlHostTest, InputGoesToTheFormOfItsWindow) {
  Forms& forms = host_->forms;
  const std::uint32_t main = windowTitled("MainForm");
  const std::uint32_t panel = windowTitled("戦略パネル");
  ASSERT_NE(main, 0u);
  ASSERT_NE(panel, 0u);
  EXPECT_TRUE(SDL_GetWindowFlags(SDL_GetWindowFromID(panel)) & SDL_WINDOW_HIDDEN);

  pushButton(main, true, 50, 60);
  host_->events->waitForEvent();
  EXPECT_EQ(log_, std::vector<std::string>{"down 1 50,60"});

  forms.loadForm("FORM3", -1);
  forms.setCaption(0, "Zav3");
  host_->clock->sleepMs(20);  // sleeping presents
  pushButton(panel, true, 660, 250);  // BUTTON8
  pushButton(panel, false, 660, 250);
  host_->events->waitForEvent();
  EXPECT_EQ(log_.back(), "BUTTON8_ON");
  EXPECT_FALSE(SDL_GetWindowFlags(SDL_GetWindowFromID(panel)) & SDL_WINDOW_HIDDEN);
  EXPECT_EQ(windowTitled("Zav3"), main);

  forms.setVisible(forms.panelForm(), 0);
  host_->clock->sleepMs(20);  // sleeping presents
  EXPECT_TRUE(SDL_GetWindowFlags(SDL_GetWindowFromID(panel)) & SDL_WINDOW_HIDDEN);
}

TEST_F(SdlHostTest, DrawnDialogsAnswer) {
  // The dialog's window is the next one made; keys sent to it before it opens wait in the queue.
  std::uint32_t next = 0;
  for (std::uint32_t id = 1; id < 16; ++id) {
    if (SDL_GetWindowFromID(id)) next = id + 1;
  }
  pushKey(next, 0, "ab");
  pushKey(next, SDLK_BACKSPACE);
  pushKey(next, SDLK_RETURN);
  EXPECT_EQ(host_->dialogs->inputBox("prompt", "title", "x"), "xa");
  pushKey(next + 1, SDLK_ESCAPE);
  EXPECT_EQ(host_->dialogs->saveFileDialog("title", "C:\\A.TXT", "(*.*)"), cancelText);
}

TEST_F(SdlHostTest, F11AndAltEnterToggleFullScreenWithoutReachingTheGame) {
  host_->events->setMouseProcedure(
      "KEY_DOWN", [this](Integer, Integer, Single, Single) { log_.push_back("key"); });
  const std::uint32_t main = windowTitled("MainForm");
  SDL_Window* window = SDL_GetWindowFromID(main);
  auto fullScreen = [window] { return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0; };
  ASSERT_FALSE(fullScreen());
  pushKey(main, SDLK_F11);
  host_->clock->sleepMs(20);
  EXPECT_TRUE(fullScreen());
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.windowID = main;
  e.key.keysym.sym = SDLK_RETURN;
  e.key.keysym.mod = KMOD_LALT;
  SDL_PushEvent(&e);
  host_->clock->sleepMs(20);
  EXPECT_FALSE(fullScreen());
  EXPECT_TRUE(log_.empty());
  // Enter alone is the game's.
  pushKey(main, SDLK_RETURN);
  host_->clock->sleepMs(20);
  EXPECT_FALSE(fullScreen());
  EXPECT_EQ(log_, std::vector<std::string>{"key"});
}

TEST_F(SdlHostTest, ClosingTheMainWindowEndsTheProgram) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = windowTitled("MainForm");
  e.window.event = SDL_WINDOWEVENT_CLOSE;
  SDL_PushEvent(&e);
  EXPECT_THROW(host_->events->waitForEvent(), ProgramEnd);
  EXPECT_EQ(log_, std::vector<std::string>{"MAINFORM_END"});
}

}  // namespace
}  // namespace zav3::host

namespace zav3::testing {
namespace {

// Message boxes never grow wider than the window: long texts break at blanks, Japanese text
// between characters (two columns each), and the line ends already there stay.
TEST(BoxText, WrapsToTheColumnsGiven) {
  EXPECT_EQ(host::wrapBoxText("one two three four", 9), "one two\nthree\nfour");
  EXPECT_EQ(host::wrapBoxText("ＢＧＭは機能しません。", 8), "ＢＧＭは\n機能しま\nせん。");
  EXPECT_EQ(host::wrapBoxText("short\nlines stay", 40), "short\nlines stay");
  EXPECT_EQ(host::wrapBoxText("abcdefghij", 4), "abcd\nefgh\nij");
  EXPECT_EQ(host::wrapBoxText("", 4), "");
}

}  // namespace
}  // namespace zav3::testing
