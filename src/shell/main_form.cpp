// The main form: layout, event procedures, end handler, click waits with the option menu, the
// list window and the opening text procedures.
#include "shell/main_form.hpp"

#include <algorithm>
#include <array>

#include "host/drawing.hpp"
#include "host/error.hpp"
#include "host/numbers.hpp"
#include "scenario/hooks.hpp"
#include "shell/backlog.hpp"
#include "shell/input_comforts.hpp"
#include "shell/pictures.hpp"

namespace zav3::shell {

namespace {

using host::Handle;

constexpr Integer white = 15;  // index of white in the 16-colour table

// The option menu panel: where P8 lies on PICTURE1, and its buttons relative to P8.
constexpr int menuLeft = 438;
constexpr int menuTop = 10;
struct MenuButton {
  int x, y, width, height;
};
constexpr std::array<MenuButton, 14> menuButtons{{
    {40, 0, 70, 16},     // 0 title: nothing
    {20, 30, 110, 25},   // 1 load
    {20, 70, 110, 25},   // 2 save
    {20, 110, 53, 25},   // 3 music off
    {77, 110, 53, 25},   // 4 music on
    {20, 150, 53, 25},   // 5 typing sound off
    {77, 150, 53, 25},   // 6 typing sound on
    {20, 190, 20, 25},   // 7 textDelay - 1
    {110, 190, 20, 25},  // 8 textDelay + 1
    {20, 220, 35, 25},   // 9 textDelay - 10
    {95, 220, 35, 25},   // 10 textDelay + 10
    {20, 250, 53, 13},   // 11 textDelay - 100
    {77, 250, 53, 13},   // 12 textDelay + 100
    {40, 283, 68, 14},   // 13 close
}};
// The speed display: the space between the - 1 and + 1 buttons on OPTION1.
constexpr int speedLeft = 40;
constexpr int speedTop = 190;
constexpr int speedWidth = 70;
constexpr int speedHeight = 25;
constexpr Integer textDelayMax = 900;

// The menu button of the message frame, relative to the frame.
constexpr int menuZoneLeft = 437;
constexpr int menuZoneRight = 465;
constexpr int menuZoneTop = 9;
constexpr int menuZoneBottom = 137;
constexpr Integer closeButton = 13;  // of the option menu

// The frames copied to the screen when the screen frame is built.
constexpr int faceFrameWidth = 136;
constexpr int faceFrameHeight = 156;
constexpr int messageFrameWidth = 470;
constexpr int messageFrameHeight = 156;

// The list window.
constexpr int listMargin = 16;
constexpr int listCorner = 32;
constexpr int itemHeight = 20;

host::Surface& surfaceOf(Main& m, Handle control) {
  return m.host.forms.surface(control);
}

void enablePicture1(Main& m, bool on) {
  m.host.forms.setEnabled(m.PICTURE1, on ? -1 : 0);
}

void waitForEvent(Main& m) {
  m.host.events->waitForEvent();
}

host::Pen pen(Integer colour, host::DrawMode mode = host::DrawMode::copy) {
  host::Pen p;
  p.argb = host::argbOf(host::indexedColour(colour));
  p.mode = mode;
  return p;
}

host::Pen rgbPen(int r, int g, int b) {
  host::Pen p;
  p.argb = host::argbOf(host::rgb(r, g, b));
  return p;
}

// --- option menu drawing ---

void copyButton(Main& m, Integer k, Handle from) {
  host::copyRect(surfaceOf(m, m.P8), m.menuButtonX(k), m.menuButtonY(k), m.menuButtonWidth(k),
                 m.menuButtonHeight(k), surfaceOf(m, from), m.menuButtonX(k), m.menuButtonY(k));
}
void drawButtonDown(Main& m, Integer k) {
  copyButton(m, k, m.P7);
}
void drawButtonUp(Main& m, Integer k) {
  copyButton(m, k, m.P6);
}

bool isToggle(Integer k) {
  return k >= 3 && k <= 6;
}

bool closesMenu(Integer k) {
  return k == 1 || k == 2 || k == 13;
}

// The partner of a toggle button draws up again when it was the one showing the setting.
void releasePartner(Main& m, Integer k) {
  switch (k) {
    case 3:
      if (m.musicOption == 1) drawButtonUp(m, 4);
      break;
    case 4:
      if (m.musicOption == 0) drawButtonUp(m, 3);
      break;
    case 5:
      if (m.typingSoundOption == 1) drawButtonUp(m, 6);
      break;
    case 6:
      if (m.typingSoundOption == 0) drawButtonUp(m, 5);
      break;
    default:
      break;
  }
}

void changeTextDelay(Main& m, Integer by) {
  m.textDelay = static_cast<Integer>(std::clamp<int>(m.textDelay + by, 0, textDelayMax));
  drawTextDelay(m);
}

void call(Main& m, const std::function<void(Main&)>& part) {
  if (part) part(m);
}

// Performs the action of button k; true when the menu closes.
bool optionAction(Main& m, Integer k) {
  switch (k) {
    case 1:
      call(m, m.loadMenu);
      return true;
    case 2:
      call(m, m.saveMenu);
      return true;
    case 3:
      call(m, m.stopMusic);
      m.musicOption = 0;
      return false;
    case 4:
      m.musicOption = 1;
      call(m, m.startMusic);
      return false;
    case 5:
      m.typingSoundOption = 0;
      return false;
    case 6:
      m.typingSoundOption = 1;
      return false;
    case 7:
      changeTextDelay(m, -1);
      return false;
    case 8:
      changeTextDelay(m, 1);
      return false;
    case 9:
      changeTextDelay(m, -10);
      return false;
    case 10:
      changeTextDelay(m, 10);
      return false;
    case 11:
      changeTextDelay(m, -100);
      return false;
    case 12:
      changeTextDelay(m, 100);
      return false;
    case 13:
      return true;
    default:
      return false;
  }
}

// The option menu on P8 until an action closes it; true when a game was loaded.
bool runOptionMenu(Main& m) {
  m.host.forms.setVisible(m.P8, -1);
  bool loaded = false;
  for (bool closed = false; !closed;) {
    m.inputCode = 0;
    while (m.inputCode == 0) waitForEvent(m);
    const Integer k = optionButtonAt(m, m.mouseX - menuLeft, m.mouseY - menuTop);
    if (k < 0) continue;
    drawButtonDown(m, k);
    if (!isToggle(k)) {
      while (m.inputCode != 0) waitForEvent(m);
      drawButtonUp(m, k);
    }
    releasePartner(m, k);
    // Load and save open their slot list where the panel lies: the panel must go first.
    if (closesMenu(k)) m.host.forms.setVisible(m.P8, 0);
    const bool wasPending = m.resumePending;
    closed = optionAction(m, k);
    loaded = k == 1 && m.resumePending && !wasPending;
  }
  m.host.forms.setVisible(m.P8, 0);
  return loaded;
}

bool inMenuZone(const Main& m, Single x, Single y) {
  const Single left = m.frameX(2) + menuZoneLeft;
  const Single top = m.frameY(2) + menuZoneTop;
  return x >= left && x <= m.frameX(2) + menuZoneRight && y >= top &&
         y <= m.frameY(2) + menuZoneBottom;
}

// A right press switches automatic advance on once a play record beyond the first ending
// exists.
void rightPressSwitch(Main& m) {
  if (m.inputCode == 2 && m.gameVar(131) == 1) m.autoAdvance = 1;
}

// --- list window ---

void listItemRect(const Main& m, Integer i, int& x1, int& y1, int& x2, int& y2) {
  x1 = m.listLeft + listMargin;
  y1 = m.listTop + m.choiceBoxTop(i);
  x2 = m.listLeft + m.listWidth - listMargin;
  y2 = m.listTop + m.choiceBoxBottom(i);
}

void xorHighlight(Main& m, Integer i) {
  int x1, y1, x2, y2;
  listItemRect(m, i, x1, y1, x2, y2);
  host::drawBox(surfaceOf(m, m.PICTURE1), x1, y1, x2, y2, pen(white, host::DrawMode::exclusiveOr));
}

// The item under (mouseX, mouseY), -1 none.
Integer listItemAt(const Main& m) {
  if (m.listLast < 0) return -1;
  const Single x = m.mouseX - m.listLeft;
  const Single y = m.mouseY - m.listTop;
  if (x < listMargin || x > m.listWidth - listMargin || y < m.choiceBoxTop(0) ||
      y > m.choiceBoxBottom(m.listLast)) {
    return -1;
  }
  for (Integer i = 0; i <= m.listLast; ++i) {
    if (m.choiceBoxTop(i) <= y && y <= m.choiceBoxBottom(i)) return i;
  }
  return -1;
}

void updateHighlight(Main& m) {
  const Integer item = listItemAt(m);
  if (item == m.listHighlight) return;
  if (m.listHighlight >= 0) xorHighlight(m, m.listHighlight);
  if (item >= 0) xorHighlight(m, item);
  m.listHighlight = item;
}

}  // namespace

// --- what the keys need to know ---

void highlightListItemAtPointer(Main& m) { updateHighlight(m); }

void optionMenuCloseCentre(const Main& m, Single& x, Single& y) {
  const Integer c = closeButton;
  x = menuLeft + (m.menuButtonLeft(c) + m.menuButtonRight(c)) / 2;
  y = menuTop + (m.menuButtonTop(c) + m.menuButtonBottom(c)) / 2;
}

void menuTabCentre(const Main& m, Single& x, Single& y) {
  x = m.frameX(2) + (menuZoneLeft + menuZoneRight) / 2;
  y = m.frameY(2) + (menuZoneTop + menuZoneBottom) / 2;
}

// --- start-up pieces ---

void bindMainFormControls(Main& m) {
  host::Forms& forms = m.host.forms;
  const Handle main = forms.mainForm();
  auto bind = [&](const char* name) { return forms.find(main, name); };
  m.PICTURE1 = bind("PICTURE1");
  m.PICTURE2 = bind("PICTURE2");
  m.PICTURE14 = bind("PICTURE14");
  m.P1 = bind("P1");
  m.P3 = bind("P3");
  m.P4 = bind("P4");
  m.P5 = bind("P5");
  m.P6 = bind("P6");
  m.P7 = bind("P7");
  m.P8 = bind("P8");
  m.P15 = bind("P15");
  struct Place {
    Handle control;
    Single width, height, left, top;
  };
  const Place layout[] = {
      {m.PICTURE1, 640, 460, 0, 0}, {m.PICTURE2, 128, 32, 228, 32}, {m.PICTURE14, 128, 32, 228, 32},
      {m.P1, 640, 286, 0, 0},       {m.P3, 128, 32, 420, 0},        {m.P4, 544, 156, 0, 84},
      {m.P5, 470, 156, 160, 295},   {m.P6, 150, 300, 438, 10},      {m.P7, 150, 280, 438, 10},
      {m.P8, 150, 300, 438, 10},    {m.P15, 216, 216, 0, 0},
  };
  for (const Place& p : layout) {
    forms.setSize(p.control, p.width, p.height);
    forms.setPosition(p.control, p.left, p.top);
  }
  m.MCI1 = bind("MCI1");
  m.MCI2 = bind("MCI2");
  m.MCI3 = bind("MCI3");
  m.TIMER1 = bind("TIMER1");
}

void loadPanelForm(Main& m) {
  host::Forms& forms = m.host.forms;
  m.FORM3 = forms.loadForm("FORM3", 0);
  auto bind = [&](const char* name) { return forms.find(m.FORM3, name); };
  m.PICTURE10 = bind("PICTURE10");
  m.PICTURE11 = bind("PICTURE11");
  m.PICTURE12 = bind("PICTURE12");
  m.PICTURE13 = bind("PICTURE13");
  m.HSCROLL1 = bind("HSCROLL1");
  m.VSCROLL1 = bind("VSCROLL1");
  m.VSCROLL2 = bind("VSCROLL2");
  m.VSCROLL3 = bind("VSCROLL3");
  m.VSCROLL4 = bind("VSCROLL4");
  m.EDIT1 = bind("EDIT1");
  m.BUTTON7 = bind("BUTTON7");
  m.BUTTON8 = bind("BUTTON8");
  m.BUTTON9 = bind("BUTTON9");
  m.BUTTON10 = bind("BUTTON10");
  m.BUTTON12 = bind("BUTTON12");
  m.BUTTON13 = bind("BUTTON13");
  m.BUTTON14 = bind("BUTTON14");
  m.BUTTON15 = bind("BUTTON15");
  m.EDIT48 = bind("EDIT48");
  m.COMBO1 = bind("COMBO1");
  m.COMBO2 = bind("COMBO2");
  const std::pair<Handle, Single> sizes[] = {
      {m.EDIT1, 13},    {m.BUTTON7, 13},  {m.BUTTON8, 13},  {m.BUTTON9, 13},
      {m.BUTTON10, 10}, {m.BUTTON12, 14}, {m.BUTTON13, 14}, {m.BUTTON14, 11},
      {m.BUTTON15, 10}, {m.EDIT48, 14},   {m.COMBO1, 13},   {m.COMBO2, 12},
  };
  for (const auto& [control, points] : sizes) forms.setFontSize(control, points);
}

void setUpScreenGeometry(Main& m) {
  const Single origins[5][2] = {{0, 0}, {10, 295}, {160, 295}, {0, 0}, {0, 0}};
  for (int i = 0; i <= 4; ++i) {
    m.frameX(i) = origins[i][0];
    m.frameY(i) = origins[i][1];
  }
  m.sceneLeft = 0;
  m.sceneTop = 0;
  m.sceneRight = 639;
  m.sceneBottom = 269;
  for (Integer k = 0; k <= static_cast<Integer>(Main::smallTableLast); ++k) {
    const MenuButton& b = menuButtons[static_cast<size_t>(k)];
    m.menuButtonX(k) = static_cast<Integer>(b.x);
    m.menuButtonWidth(k) = static_cast<Integer>(b.width);
    m.menuButtonY(k) = static_cast<Integer>(b.y);
    m.menuButtonHeight(k) = static_cast<Integer>(b.height);
    m.menuButtonLeft(k) = host::toInteger(b.x + m.frameX(4));
    m.menuButtonRight(k) = static_cast<Integer>(m.menuButtonLeft(k) + b.width - 1);
    m.menuButtonTop(k) = host::toInteger(b.y + m.frameY(4));
    m.menuButtonBottom(k) = static_cast<Integer>(m.menuButtonTop(k) + b.height - 1);
  }
}

void buildScreenFrame(Main& m) {
  host::Forms& forms = m.host.forms;
  host::clear(surfaceOf(m, m.PICTURE1), host::argbOf(forms.control(m.PICTURE1).backColour));
  auto load = [&](const char* name, Handle onto) {
    m.pictureName = name;
    loadNamedPicture(m);
    host::drawBitmap(surfaceOf(m, onto), m.scenePicture, 0, 0);
  };
  load("OPTION1", m.P6);
  host::drawBitmap(surfaceOf(m, m.P8), surfaceOf(m, m.P6), 0, 0);
  load("OPTION2", m.P7);
  load("KAOWAKU", m.P4);
  host::copyRect(surfaceOf(m, m.PICTURE1), m.frameX(1), m.frameY(1), faceFrameWidth,
                 faceFrameHeight, surfaceOf(m, m.P4), 0, 0);
  load("TXTWAKU", m.P5);
  host::copyRect(surfaceOf(m, m.PICTURE1), m.frameX(2), m.frameY(2), messageFrameWidth,
                 messageFrameHeight, surfaceOf(m, m.P5), 0, 0);
  load("LISTWAKU", m.P3);
  host::drawBitmap(surfaceOf(m, m.PICTURE2), m.scenePicture, 0, 0);
  drawTextDelay(m);
}

void registerEventProcedures(Main& m) {
  host::Events& events = *m.host.events;
  using MouseProc = void (*)(Main&, Integer, Integer, Single, Single);
  const std::pair<const char*, MouseProc> mouse[] = {
      {"PICTURE1_MOUSEDOWN", PICTURE1_MOUSEDOWN},   {"PICTURE1_MOUSEUP", PICTURE1_MOUSEUP},
      {"PICTURE1_MOUSEMOVE", PICTURE1_MOUSEMOVE},   {"PICTURE10_MOUSEDOWN", PICTURE10_MOUSEDOWN},
      {"PICTURE11_MOUSEDOWN", PICTURE11_MOUSEDOWN},
  };
  for (const auto& [name, proc] : mouse) {
    events.setMouseProcedure(name, [&m, proc = proc](Integer button, Integer shift, Single x, Single y) {
      proc(m, button, shift, x, y);
    });
  }
  using Proc = void (*)(Main&);
  const std::pair<const char*, Proc> plain[] = {
      {"BUTTON1_ON", BUTTON1_ON},           {"BUTTON2_ON", BUTTON2_ON},
      {"BUTTON3_ON", BUTTON3_ON},           {"BUTTON4_ON", BUTTON4_ON},
      {"BUTTON5_ON", BUTTON5_ON},           {"BUTTON6_ON", BUTTON6_ON},
      {"BUTTON7_ON", BUTTON7_ON},           {"BUTTON8_ON", BUTTON8_ON},
      {"BUTTON9_ON", BUTTON9_ON},           {"BUTTON10_ON", BUTTON10_ON},
      {"BUTTON12_ON", BUTTON12_ON},         {"BUTTON13_ON", BUTTON13_ON},
      {"BUTTON14_ON", BUTTON14_ON},         {"BUTTON15_ON", BUTTON15_ON},
      {"VSCROLL1_CHANGE", VSCROLL1_CHANGE}, {"VSCROLL2_CHANGE", VSCROLL2_CHANGE},
      {"VSCROLL3_CHANGE", VSCROLL3_CHANGE}, {"VSCROLL4_CHANGE", VSCROLL4_CHANGE},
      {"HSCROLL1_CHANGE", HSCROLL1_CHANGE}, {"COMBO1_CHANGE", COMBO1_CHANGE},
      {"COMBO2_CHANGE", COMBO2_CHANGE},     {"TIMER1_TIMER", TIMER1_TIMER},
      {"MAINFORM_END", MAINFORM_END},
  };
  for (const auto& [name, proc] : plain) events.setProcedure(name, [&m, proc = proc] { proc(m); });
  registerInputComforts(m, events);
}

// --- event procedures ---

void PICTURE1_MOUSEDOWN(Main& m, Integer button, Integer, Single x, Single y) {
  m.inputCode = button;
  m.mouseX = x;
  m.mouseY = y;
  m.mouseWaiting = 0;
}

void PICTURE1_MOUSEUP(Main& m, Integer button, Integer, Single, Single) {
  m.inputCode = button;
}

void PICTURE1_MOUSEMOVE(Main& m, Integer, Integer, Single x, Single y) {
  m.mouseX = x;
  m.mouseY = y;
}

void PICTURE10_MOUSEDOWN(Main& m, Integer, Integer, Single x, Single y) {
  m.panelInput = 9;
  m.mouseX = x;
  m.mouseY = y;
}

void PICTURE11_MOUSEDOWN(Main& m, Integer, Integer, Single x, Single y) {
  m.panelInput = 10;
  m.mouseX = x;
  m.mouseY = y;
}

void BUTTON1_ON(Main& m) {
  m.inputCode = 11;
}
void BUTTON2_ON(Main& m) {
  m.inputCode = 12;
}
void BUTTON3_ON(Main& m) {
  m.inputCode = 13;
}
void BUTTON4_ON(Main& m) {
  m.inputCode = 14;
}
void BUTTON5_ON(Main& m) {
  m.inputCode = 15;
}
void BUTTON6_ON(Main& m) {
  m.inputCode = 16;
}
void BUTTON7_ON(Main& m) {
  m.panelInput = 6;
}
void BUTTON8_ON(Main& m) {
  m.panelInput = 7;
}
void BUTTON9_ON(Main& m) {
  m.panelInput = 8;
}
void BUTTON10_ON(Main& m) {
  m.panelInput = 12;
}
void BUTTON12_ON(Main& m) {
  m.panelInput = 14;
}
void BUTTON13_ON(Main& m) {
  m.panelInput = 15;
}
void BUTTON14_ON(Main& m) {
  m.panelInput = 16;
}
void BUTTON15_ON(Main& m) {
  m.panelInput = 18;
}
void VSCROLL1_CHANGE(Main& m) {
  m.panelInput = 1;
}
void VSCROLL2_CHANGE(Main& m) {
  m.panelInput = 2;
}
void VSCROLL3_CHANGE(Main& m) {
  m.panelInput = 3;
}
void VSCROLL4_CHANGE(Main& m) {
  m.panelInput = 4;
}
void HSCROLL1_CHANGE(Main& m) {
  m.panelInput = 5;
}
void COMBO1_CHANGE(Main& m) {
  m.panelInput = 11;
}
void COMBO2_CHANGE(Main& m) {
  m.panelInput = 17;
}

void TIMER1_TIMER(Main& m) {
  call(m, m.musicLoopCheck);
}

void MAINFORM_END(Main& m) {
  call(m, m.closeMediaDevices);
  m.scenePicture = host::Surface();
  m.radarBitmap = host::Surface();
  m.gaugeBitmap = host::Surface();
  m.modelBitmap = host::Surface();
  m.panelTile = host::Surface();
  m.host.files.closeAll();
  if (!m.tempPictureFile.empty() && m.host.files.fileExists(m.tempPictureFile)) {
    m.host.files.deleteFile(m.tempPictureFile);
  }
}

// --- click waits and the option menu ---

void waitForAnyClick(Main& m) {
  m.inputCode = 0;
  while (m.inputCode == 0) waitForEvent(m);
}

void messageClickWait(Main& m) {
  if (m.gameVar(132) != 0 || m.gameFlag(1357) != 0) {
    enablePicture1(m, true);
    m.inputCode = 0;
    waitForEvent(m);
    if (m.inputCode != 1) {
      enablePicture1(m, false);
      return;
    }
    m.gameFlag(1357) = 0;
  }
  for (;;) {
    enablePicture1(m, true);
    m.inputCode = 0;
    if (m.autoAdvance == 1) {
      waitForEvent(m);
      if (m.inputCode != 0) m.autoAdvance = 0;
      if (m.autoAdvance == 1) {
        enablePicture1(m, false);
        return;
      }
    }
    while (m.inputCode == 0) {
      waitForEvent(m);
      if (m.backlogRequested) runBacklog(m);
    }
    rightPressSwitch(m);
    if (!inMenuZone(m, m.mouseX, m.mouseY)) {
      enablePicture1(m, false);
      return;
    }
    while (m.inputCode == 1) waitForEvent(m);
    if (runOptionMenu(m)) {
      enablePicture1(m, false);
      return;
    }
  }
}

Integer optionButtonAt(const Main& m, Single x, Single y) {
  for (Integer k = 0; k <= static_cast<Integer>(Main::smallTableLast); ++k) {
    if (m.menuButtonLeft(k) <= x && x <= m.menuButtonRight(k) && m.menuButtonTop(k) <= y &&
        y <= m.menuButtonBottom(k)) {
      return k;
    }
  }
  return -1;
}

bool pressOptionButton(Main& m, Integer k) {
  drawButtonDown(m, k);
  if (!isToggle(k)) drawButtonUp(m, k);
  releasePartner(m, k);
  return optionAction(m, k);
}

void drawTextDelay(Main& m) {
  host::copyRect(surfaceOf(m, m.P8), speedLeft, speedTop, speedWidth, speedHeight,
                 surfaceOf(m, m.P6), speedLeft, speedTop);
  Bytes digits = host::numberText(m.textDelay);
  if (!digits.empty() && digits.front() == ' ') digits.erase(0, 1);
  const host::Control& panel = m.host.forms.control(m.P8);
  const host::FontSpec font{panel.fontName, panel.fontSize};
  host::TextRenderer& text = textRenderer(m);
  const int x = speedLeft + (speedWidth - text.width(font, digits)) / 2;
  const int y = speedTop + (speedHeight - text.height(font)) / 2;
  printText(m, m.P8, static_cast<Single>(x), static_cast<Single>(y), digits, white);
}

// --- the list window ---

void prepareListWindow(Main& m) {
  host::Forms& forms = m.host.forms;
  const int width = m.listColumns * 16 + 2 * listMargin;
  const int height = m.listRows * itemHeight + 2 * listMargin;
  if (forms.isVisible(m.PICTURE2)) forms.setVisible(m.PICTURE2, 0);
  host::clear(surfaceOf(m, m.PICTURE2), host::argbOf(forms.control(m.PICTURE2).backColour));
  forms.setSize(m.PICTURE2, width, height);
  forms.setSize(m.PICTURE14, width, height);
  if (m.listPlacement == 0) {
    m.listLeft = static_cast<Integer>(width < 192 ? 438 : 630 - width);
    m.listTop = 32;
  } else {
    m.listLeft = host::toInteger((640 - width) / 2 + m.frameX(0));
    m.listTop = host::toInteger((286 - height) / 2 + m.frameY(0));
  }
  m.listWidth = static_cast<Integer>(width);
  m.listHeight = static_cast<Integer>(height);
  host::copyRect(surfaceOf(m, m.PICTURE14), 0, 0, width, height, surfaceOf(m, m.PICTURE1),
                 m.listLeft, m.listTop);

  host::Surface& window = surfaceOf(m, m.PICTURE2);
  host::stretchRect(window, 0, 0, width, height, m.panelTile, 16, 0, 8, 8);
  const host::Pen frame = rgbPen(168, 220, 121);
  host::drawBox(window, 0, 0, width - 1, height - 1, frame);
  host::drawBox(window, 2, 2, width - 3, height - 3, frame);
  const host::Pen light = rgbPen(220, 255, 190);
  const host::Pen shadow = rgbPen(125, 168, 86);
  host::drawLine(window, 1, 1, width - 2, 1, light);
  host::drawLine(window, 1, 1, 1, height - 2, light);
  host::drawLine(window, 1, height - 2, width - 2, height - 2, shadow);
  host::drawLine(window, width - 2, 1, width - 2, height - 2, shadow);
  const host::Surface& corners = surfaceOf(m, m.P3);
  const int right = width - listCorner;
  const int bottom = height - listCorner;
  host::copyRect(window, 0, 0, listCorner, listCorner, corners, 0, 0);
  host::copyRect(window, 0, bottom, listCorner, listCorner, corners, 32, 0);
  host::copyRect(window, right, 0, listCorner, listCorner, corners, 64, 0);
  host::copyRect(window, right, bottom, listCorner, listCorner, corners, 96, 0);
}

Integer runListWindow(Main& m) {
  host::Forms& forms = m.host.forms;
  forms.setFontSize(m.PICTURE1, 16);
  host::copyRect(surfaceOf(m, m.PICTURE1), m.listLeft, m.listTop, m.listWidth, m.listHeight,
                 surfaceOf(m, m.PICTURE2), 0, 0);
  m.listLast = -1;
  for (Integer i = 0; i <= 10 && !m.choiceText(i).empty(); ++i) {
    m.choiceBoxTop(i) = static_cast<Integer>(i * itemHeight + listMargin);
    m.choiceBoxBottom(i) = static_cast<Integer>(i * itemHeight + listMargin + itemHeight - 1);
    printText(m, m.PICTURE1, m.listLeft + listMargin, m.listTop + m.choiceBoxTop(i) + 2,
              m.choiceText(i), white);
    m.listLast = i;
  }
  enablePicture1(m, true);
  m.listHighlight = -1;
  updateHighlight(m);

  Integer picked = -1;
  m.inListWindow = true;
  while (picked < 0) {
    m.mouseWaiting = -1;
    while (m.mouseWaiting != 0) {
      m.inputCode = 0;
      waitForEvent(m);
      updateHighlight(m);
    }
    picked = listItemAt(m);
  }
  m.inListWindow = false;
  const Integer button = m.inputCode;
  int x1, y1, x2, y2;
  listItemRect(m, picked, x1, y1, x2, y2);
  host::fillBox(surfaceOf(m, m.PICTURE1), x1, y1, x2, y2, pen(white, host::DrawMode::exclusiveOr),
                pen(white).argb);
  while (m.inputCode != 0) waitForEvent(m);

  host::clear(surfaceOf(m, m.PICTURE2), host::argbOf(forms.control(m.PICTURE2).backColour));
  for (Integer i = 0; i <= 10; ++i) m.choiceText(i).clear();
  forms.setVisible(m.PICTURE2, 0);
  host::copyRect(surfaceOf(m, m.PICTURE1), m.listLeft, m.listTop, m.listWidth, m.listHeight,
                 surfaceOf(m, m.PICTURE14), 0, 0);
  m.listHighlight = -1;
  m.listChoice = static_cast<Integer>(picked + 1);
  enablePicture1(m, false);
  if (button == 2 && m.gameVar(131) == 1) m.autoAdvance = 1;
  return m.listChoice;
}

// --- opening text ---

void OPEN_MES_X(Single& x, const Bytes& text) {
  const long width = static_cast<long>(host::charLength(text)) * 16;
  x = static_cast<Single>(320 - width / 2);
}

void OPEN_MES_SUB(Main& m, Single x, Single& y, const Bytes& text, Integer delay) {
  // Both loops are counted loops, whose body runs once before the bound is first tested: an
  // empty text still waits once, and a delay of 0 still waits 20 ms after each character.
  // A left press during the waits ends the line even when its release came before the last
  // of them (which would have set inputCode back): inputCode is left 1 for the caller.
  const long count = static_cast<long>(host::charLength(text));
  long c = 1;
  bool pressed = false;
  do {
    printText(m, m.PICTURE1, x + static_cast<Single>((c - 1) * 16), y, host::charMiddle(text, c, 1),
              white);
    int i = 1;
    do {
      // The sleep itself runs no event: a press is seen only by the check after it.
      m.host.events->idle(20);
      m.inputCode = 0;
      if (m.host.events->eventPending()) m.host.events->doEvents();
      if (m.inputCode == 1) pressed = true;
    } while (++i <= delay);
    if (pressed) {
      m.inputCode = 1;
      break;
    }
  } while (++c <= count);
  y += 20;
}

void OPEN_MES1(Main& m, Single& y, const Bytes& text, Integer delay) {
  Single x = 0;
  OPEN_MES_X(x, text);
  OPEN_MES_SUB(m, x, y, text, delay);
}

}  // namespace zav3::shell
