// The interpreter's hooks on the main form: message window clearing from the frame pictures,
// scene pictures and the shutter, the message click wait and the list display.
#include "shell/game_hooks.hpp"

#include <algorithm>

#include "host/drawing.hpp"
#include "shell/main_form.hpp"
#include "shell/pictures.hpp"

namespace zav3::shell {

namespace {

// The text area lies 16 pixels inside the message frame, (176, 311) to (579, 434) on screen;
// the face 8 pixels inside the face frame, 120 x 140.
constexpr int textMargin = 16;
constexpr int textAreaWidth = 404;
constexpr int textAreaHeight = 124;
constexpr int faceMargin = 8;
constexpr int faceWidth = 120;
constexpr int faceHeight = 140;
constexpr int charWidth = 16;
constexpr int lineHeight = 20;
constexpr int listMargin = 16;
constexpr int characterPauseMs = 100;

}  // namespace

void GameHooks::clearTextArea(Main& m) {
  TracingHooks::clearTextArea(m);
  host::Forms& forms = m.host.forms;
  host::copyRect(forms.surface(m.PICTURE1), m.frameX(2) + textMargin, m.frameY(2) + textMargin,
                 textAreaWidth, textAreaHeight, forms.surface(m.P5), textMargin, textMargin);
}

void GameHooks::clearWindowAndFace(Main& m) {
  TracingHooks::clearWindowAndFace(m);
  host::Forms& forms = m.host.forms;
  host::copyRect(forms.surface(m.PICTURE1), m.frameX(2) + textMargin, m.frameY(2) + textMargin,
                 textAreaWidth, textAreaHeight, forms.surface(m.P5), textMargin, textMargin);
  host::copyRect(forms.surface(m.PICTURE1), m.frameX(1) + faceMargin, m.frameY(1) + faceMargin,
                 faceWidth, faceHeight, forms.surface(m.P4), faceMargin, faceMargin);
}

void GameHooks::closeScene(Main& m) {
  TracingHooks::closeScene(m);
  shutterClose(m);
}

void GameHooks::waitClick(Main& m) {
  TracingHooks::waitClick(m);
  messageClickWait(m);
}

void GameHooks::showScenePicture(Main& m, Integer picture) {
  TracingHooks::showScenePicture(m, picture);
  m.currentPicture = picture;
  shell::showScenePicture(m);
}

void GameHooks::showPictureAtOnce(Main& m, Integer picture) {
  TracingHooks::showPictureAtOnce(m, picture);
  m.currentPicture = picture;
  showEventPictureAtOnce(m);
}

void GameHooks::listDisplay(Main& m, const std::vector<Bytes>& lines) {
  TracingHooks::listDisplay(m, lines);
  size_t longest = 0;
  for (const Bytes& line : lines) longest = std::max(longest, line.size());
  m.listColumns = static_cast<Integer>((longest + 1) / 2);
  m.listRows = static_cast<Integer>(lines.size());
  prepareListWindow(m);
  host::Forms& forms = m.host.forms;
  forms.setFontSize(m.PICTURE1, 16);
  host::copyRect(forms.surface(m.PICTURE1), m.listLeft, m.listTop, m.listWidth, m.listHeight,
                 forms.surface(m.PICTURE2), 0, 0);
  for (size_t i = 0; i < lines.size(); ++i) {
    const Bytes& line = lines[i];
    const Single y = static_cast<Single>(m.listTop + listMargin + lineHeight * static_cast<int>(i));
    int column = 0;
    for (size_t b = 0; b < line.size(); ++column) {
      const size_t width = host::isLeadByte(static_cast<std::uint8_t>(line[b])) ? 2 : 1;
      const Single x = static_cast<Single>(m.listLeft + listMargin + charWidth * column);
      printText(m, m.PICTURE1, x, y, line.substr(b, width), 15);
      b += width;
      m.host.clock->sleepMs(characterPauseMs);
    }
  }
  waitClick(m);
  host::copyRect(forms.surface(m.PICTURE1), m.listLeft, m.listTop, m.listWidth, m.listHeight,
                 forms.surface(m.PICTURE14), 0, 0);
}

}  // namespace zav3::shell
