// The key and wheel procedures of the game's comforts.
#include "shell/input_comforts.hpp"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "host/error.hpp"
#include "host/png.hpp"
#include "host/widgets.hpp"
#include "shell/main_form.hpp"
#include "shell/pictures.hpp"

namespace zav3::shell {

namespace {

constexpr int backlogPage = 19, backlogWheelRows = 3;  // rows of the history

// A left press at (x, y) of PICTURE1 with its release queued after it: what a key stands for.
void virtualClick(Main& m, host::Events& events, Single x, Single y) {
  m.inputCode = 1;
  m.mouseX = x;
  m.mouseY = y;
  m.mouseWaiting = 0;
  events.postMouse("PICTURE1_MOUSEUP", 0, 0, x, y);
}

// Up and down move the list window's highlight (from the first item when none is lit), as the
// pointer does; Enter or Space takes the lit item.
void listWindowKey(Main& m, host::Events& events, host::Key k) {
  if (m.listLast < 0) return;
  const Integer at = m.listHighlight;
  Integer next = at;
  if (k == host::Key::down) next = at < 0 ? 0 : std::min<Integer>(at + 1, m.listLast);
  if (k == host::Key::up) next = at < 0 ? 0 : std::max<Integer>(at - 1, 0);
  const Single x = m.listLeft + m.listWidth / 2;
  auto middleOf = [&](Integer i) {
    return m.listTop + (m.choiceBoxTop(i) + m.choiceBoxBottom(i)) / 2;
  };
  if (k == host::Key::enter || k == host::Key::space) {
    virtualClick(m, events, x, middleOf(at < 0 ? 0 : at));
    return;
  }
  if (next != at) {
    m.mouseX = x;
    m.mouseY = middleOf(next);
    highlightListItemAtPointer(m);
  }
}

// F12: the screen as the player sees it, as PNG in the working folder, named by date and time.
void saveScreenshot(Main& m) {
  host::Surface shot;
  host::TextRenderer& text = textRenderer(m);
  host::composeForm(m.host.forms, m.host.forms.control(m.host.forms.mainForm()), shot, &text);
  const std::time_t now = std::time(nullptr);
  char name[40];
  std::strftime(name, sizeof name, "zav3-%Y%m%d-%H%M%S.png", std::localtime(&now));
  std::filesystem::path folder;
  try {
    if (!m.workFolder.empty()) folder = m.host.files.paths().toReal(m.workFolder);
  } catch (const host::RuntimeError&) {
  }
  const std::filesystem::path file = folder / name;
  if (host::writePng(shot, file)) {
    m.host.trace.line("screenshot " + file.filename().string());
  } else {
    std::fprintf(stderr, "warning: the screenshot %s cannot be written\n", file.c_str());
  }
}

}  // namespace

void registerInputComforts(Main& m, host::Events& events) {
  // Comforts of the message click wait: Space or Enter, or the wheel turned down, act as a
  // left click outside the menu button.
  auto clickInMessageWait = [&m] {
    if (!m.inMessageWait) return;
    m.inputCode = 1;
    m.mouseX = -1;
    m.mouseY = -1;
    m.mouseWaiting = 0;
  };
  events.setMouseProcedure("KEY_DOWN", [&m, &events, clickInMessageWait](Integer key, Integer,
                                                                           Single, Single) {
    const auto k = static_cast<host::Key>(key);
    if (k == host::Key::f12) {
      saveScreenshot(m);
    } else if (m.inBacklog) {
      if (k == host::Key::escape) m.backlogClose = true;
      if (k == host::Key::pageUp) m.backlogScroll += backlogPage;
      if (k == host::Key::pageDown) m.backlogScroll -= backlogPage;
      if (k == host::Key::up) m.backlogScroll += 1;
      if (k == host::Key::down) m.backlogScroll -= 1;
    } else if (m.inMessageWait && k == host::Key::pageUp &&
               m.host.forms.isVisible(m.P8) == 0) {
      m.backlogRequested = true;
    } else if (m.inListWindow) {
      listWindowKey(m, events, k);
    } else if (m.host.forms.isVisible(m.P8) != 0) {
      // In the option menu Escape presses its close button.
      if (k == host::Key::escape) {
        Single x = 0, y = 0;
        optionMenuCloseCentre(m, x, y);
        virtualClick(m, events, x, y);
      }
    } else if (m.inMessageWait && k == host::Key::escape) {
      // Escape opens the option menu, as a press on its button does.
      Single x = 0, y = 0;
      menuTabCentre(m, x, y);
      virtualClick(m, events, x, y);
    } else if (k == host::Key::space || k == host::Key::enter) {
      clickInMessageWait();
    }
  });
  events.setMouseProcedure("MOUSE_WHEEL", [&m, clickInMessageWait](Integer steps, Integer,
                                                                   Single, Single) {
    if (m.inBacklog) {
      m.backlogScroll += steps * backlogWheelRows;
    } else if (steps > 0 && m.inMessageWait && m.host.forms.isVisible(m.P8) == 0) {
      m.backlogRequested = true;  // the history opens
    } else if (steps < 0) {
      clickInMessageWait();
    }
  });
}

}  // namespace zav3::shell
