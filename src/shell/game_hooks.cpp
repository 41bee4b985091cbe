// The interpreter's hooks on the main form: message window clearing from the frame pictures,
// scene pictures and the shutter, the message click wait and the list display.
#include "shell/game_hooks.hpp"

#include <algorithm>
#include <string>

#include "host/drawing.hpp"
#include "scenario/choices.hpp"
#include "scenario/message_window.hpp"
#include "scenario/media_cues.hpp"
#include "shell/main_form.hpp"
#include "shell/pictures.hpp"

namespace zav3::shell {

namespace {

constexpr int charWidth = 16;
constexpr int lineHeight = 20;
constexpr int listMargin = 16;
constexpr int characterPauseMs = 100;

}  // namespace

void GameHooks::showMessages(Main& m) {
  m.host.trace.line("text " + std::to_string(m.textFrom) + ".." + std::to_string(m.textTo));
  m.backlogNewMessage = true;
  scenario::showMessages(m);
}

void GameHooks::choiceBlock(Main& m) {
  m.host.trace.line("choice " + std::to_string(m.programCounter));
  scenario::runChoiceBlock(m);
}

void GameHooks::clearTextArea(Main& m) {
  TracingHooks::clearTextArea(m);
  scenario::clearTextArea(m);
}

void GameHooks::clearWindowAndFace(Main& m) {
  TracingHooks::clearWindowAndFace(m);
  scenario::clearWindowAndFace(m);
}

void GameHooks::closeScene(Main& m) {
  TracingHooks::closeScene(m);
  shutterClose(m);
}

void GameHooks::waitClick(Main& m) {
  TracingHooks::waitClick(m);
  scenario::messageWait(m);
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

void GameHooks::prepareEventPicture(Main& m) {
  TracingHooks::prepareEventPicture(m);
  shell::prepareEventPicture(m);
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
    // Two bytes make one column and one pause, whatever they hold, as the list lines are
    // double-byte text.
    for (size_t b = 0; b < line.size(); b += 2) {
      const Single x = static_cast<Single>(m.listLeft + listMargin + charWidth * static_cast<int>(b / 2));
      printText(m, m.PICTURE1, x, y, line.substr(b, 2), 15);
      m.host.clock->sleepMs(characterPauseMs);
    }
  }
  waitClick(m);
  host::copyRect(forms.surface(m.PICTURE1), m.listLeft, m.listTop, m.listWidth, m.listHeight,
                 forms.surface(m.PICTURE14), 0, 0);
}

void GameHooks::soundEffect(Main& m, Integer sound) {
  TracingHooks::soundEffect(m, sound);
  scenario::playSoundEffect(m, sound);
}

void GameHooks::music(Main& m, Integer song) {
  TracingHooks::music(m, song);
  scenario::musicCue(m, song);
}

bool GameHooks::playMovie(Main& m, Integer movie) {
  TracingHooks::playMovie(m, movie);
  // The movie picture covers the scene area, one pixel higher; it is hidden again afterwards.
  host::Forms& forms = m.host.forms;
  forms.setSize(m.PICTURE2, 640, 270);
  forms.setPosition(m.PICTURE2, static_cast<Single>(m.sceneLeft), static_cast<Single>(m.sceneTop - 1));
  const bool played = scenario::playMovie(m, movie);
  if (played) {
    // The scene backing picture goes back over the scene area; the movie picture is hidden.
    host::copyRect(forms.surface(m.PICTURE1), m.sceneLeft, m.sceneTop, 640, 270,
                   forms.surface(m.P1), 0, 0);
    forms.setVisible(m.PICTURE2, 0);
  }
  return played;
}

void GameHooks::setCaption(Main& m, const Bytes& caption) {
  TracingHooks::setCaption(m, caption);
  m.host.forms.setCaption(0, caption);
}

}  // namespace zav3::shell
