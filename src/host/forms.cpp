// The stored layouts of MAINFORM and FORM3 and the control operations with their checks.
#include "host/forms.hpp"

#include <algorithm>
#include <cctype>

#include "host/error.hpp"

namespace zav3::host {

namespace {

constexpr int borderWidth = 3;                                    // window frame on each side
constexpr int captionHeight = 19;                                 // window caption bar
constexpr std::int64_t maxPicturePixels = std::int64_t{1} << 26;  // 256 MiB of pixels

// Gives `s` a new size, keeping the overlapping top-left part and filling the rest.
void resizeKeeping(Surface& s, int width, int height, std::uint32_t fill) {
  Surface out(width, height, fill);
  const int w = std::min(width, s.width());
  const int h = std::min(height, s.height());
  for (int y = 0; y < h; ++y) std::copy(s.row(y), s.row(y) + w, out.row(y));
  s = std::move(out);
}

bool truth(Integer flag) {
  return flag != 0;
}

void checkColour(Long colour, std::source_location where) {
  if (colour < 0 || colour > 0xFFFFFF) raise(err::illegalCall, where);
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

Forms::Forms() {
  buildMainForm();
  buildPanelForm();
  frontForm_ = mainForm_;
}

Handle Forms::add(Control c) {
  c.handle = static_cast<Handle>(controls_.size() + 1);
  if (c.kind == ControlKind::form) {
    c.form = c.handle;
  } else {
    controls_[static_cast<size_t>(c.form - 1)].controls.push_back(c.handle);
  }
  if (c.kind == ControlKind::pictureBox) c.surface.resize(c.width, c.height, argbOf(c.backColour));
  controls_.push_back(std::move(c));
  return controls_.back().handle;
}

void Forms::buildMainForm() {
  const Bytes mincho = sj("ＭＳ 明朝");
  const Bytes gothic = sj("ＭＳ Ｐゴシック");
  Control form;
  form.kind = ControlKind::form;
  form.name = "MAINFORM";
  form.caption = "MainForm";
  form.fontName = mincho;
  form.fontSize = 16;
  form.left = 40;
  form.top = 138;
  form.width = 646;
  form.height = 480;
  // The client area is the game screen, whatever the frame takes.
  form.clientWidth = screenWidth;
  form.clientHeight = screenHeight;
  form.backColour = colours::black;
  form.foreColour = colours::white;
  mainForm_ = add(form);

  // Picture boxes start where the start-up layout puts them; only PICTURE1 is shown, the
  // others are off-screen stores or shown by the game when needed.
  struct Box {
    const char* name;
    int left, top, width, height;
    bool gothic;
    Single size;
  };
  auto picture = [&](const Box& b) {
    Control c;
    c.kind = ControlKind::pictureBox;
    c.name = b.name;
    c.form = mainForm_;
    c.left = b.left;
    c.top = b.top;
    c.width = b.width;
    c.height = b.height;
    c.visible = false;
    c.fontName = b.gothic ? gothic : mincho;
    c.fontSize = b.size;
    c.backColour = colours::black;
    c.foreColour = colours::white;
    return c;
  };
  auto device = [&](const char* name, ControlKind kind) {
    Control c;
    c.kind = kind;
    c.name = name;
    c.form = mainForm_;
    c.visible = false;
    return c;
  };

  Control p1 = picture({"P1", 0, 0, 640, 286, false, 16});
  p1.mouseDownProc = "PICTURE1_MOUSEDOWN";
  p1.mouseUpProc = "PICTURE1_MOUSEUP";
  p1.mouseMoveProc = "PICTURE1_MOUSEMOVE";
  add(p1);
  Control picture1 = picture({"PICTURE1", 0, 0, 640, 460, false, 16});
  picture1.visible = true;
  picture1.mouseDownProc = "PICTURE1_MOUSEDOWN";
  picture1.mouseUpProc = "PICTURE1_MOUSEUP";
  add(picture1);
  add(picture({"PICTURE2", 228, 32, 128, 32, false, 16}));
  add(picture({"P3", 420, 0, 128, 32, false, 16}));
  add(picture({"P4", 0, 84, 544, 156, false, 16}));
  add(picture({"P5", 160, 295, 470, 156, false, 16}));
  add(picture({"P6", 438, 10, 150, 300, false, 16}));
  add(picture({"P7", 438, 10, 150, 280, false, 16}));
  add(picture({"P8", 438, 10, 150, 300, false, 16}));
  add(device("MCI1", ControlKind::mediaDevice));
  add(device("MCI2", ControlKind::mediaDevice));
  add(device("MCI3", ControlKind::mediaDevice));
  Control timer = device("TIMER1", ControlKind::timer);
  timer.enabled = false;
  timer.interval = 200;
  timer.actionProc = "TIMER1_TIMER";
  add(timer);
  add(picture({"PICTURE14", 228, 32, 128, 32, true, 9}));
  add(picture({"P15", 0, 0, 216, 216, true, 9}));
}

void Forms::buildPanelForm() {
  const Bytes gothic = sj("ＭＳ Ｐゴシック");
  Control form;
  form.kind = ControlKind::form;
  form.name = "FORM3";
  form.caption = sj("戦略パネル");
  form.fontName = "FixedSys";
  form.fontSize = 18;
  form.left = 18;
  form.top = 149;
  form.width = 757;
  form.height = 319;
  form.clientWidth = form.width - 2 * borderWidth;
  form.clientHeight = form.height - 2 * borderWidth - captionHeight;
  form.visible = false;
  form.backColour = colours::lightGrey;
  panelForm_ = add(form);

  auto base = [&](const char* name, ControlKind kind, int l, int t, int w, int h, Single size) {
    Control c;
    c.kind = kind;
    c.name = name;
    c.form = panelForm_;
    c.left = l;
    c.top = t;
    c.width = w;
    c.height = h;
    c.fontName = gothic;
    c.fontSize = size;
    return c;
  };
  auto scroll = [&](const char* name, bool vertical, int l, int t, int w, int h, int min, int max,
                    int small, int large, int value) {
    Control c = base(name, ControlKind::scrollBar, l, t, w, h, 9);
    c.vertical = vertical;
    c.minimum = min;
    c.maximum = max;
    c.smallStep = small;
    c.largeStep = large;
    c.value = value;
    c.actionProc = std::string(name) + "_CHANGE";
    add(c);
  };
  auto edit = [&](const char* name, int l, int t, int w, int h, int maxLength, Single size) {
    Control c = base(name, ControlKind::edit, l, t, w, h, size);
    c.maxLength = maxLength;
    c.backColour = colours::white;
    c.actionProc = std::string(name) + "_CHANGE";
    add(c);
  };
  auto picture = [&](const char* name, int l, int t, int w, int h, Single size, bool mouse) {
    Control c = base(name, ControlKind::pictureBox, l, t, w, h, size);
    if (mouse) c.mouseDownProc = std::string(name) + "_MOUSEDOWN";
    add(c);
  };
  auto button = [&](const char* name, const char* caption, int l, int t, int w, int h,
                    Single size) {
    Control c = base(name, ControlKind::button, l, t, w, h, size);
    c.caption = sj(caption);
    c.actionProc = std::string(name) + "_ON";
    add(c);
  };
  auto combo = [&](const char* name, const char* text, int l, int t, int w, int h, Single size) {
    Control c = base(name, ControlKind::comboBox, l, t, w, h, size);
    c.text = sj(text);
    c.backColour = colours::white;
    c.actionProc = std::string(name) + "_CHANGE";
    add(c);
  };

  scroll("HSCROLL1", false, 376, 240, 216, 16, -90, 90, 1, 15, 0);
  scroll("VSCROLL1", true, 600, 16, 16, 216, -90, 90, 1, 15, 0);
  scroll("VSCROLL2", true, 248, 168, 16, 88, 1, 100, 1, 10, 1);
  scroll("VSCROLL3", true, 344, 168, 16, 88, 100, 19900, 100, 1000, 10000);
  scroll("VSCROLL4", true, 296, 168, 16, 64, 0, 5, 1, 1, 3);
  edit("EDIT1", 272, 248, 64, 24, 10, 10);
  picture("PICTURE10", 8, 8, 216, 224, 14, true);
  picture("PICTURE11", 232, 8, 136, 144, 14, true);
  picture("PICTURE12", 376, 8, 216, 224, 14, false);
  button("BUTTON8", "変更", 656, 248, 80, 24, 10);
  button("BUTTON9", "現状維持", 8, 240, 88, 24, 10);
  combo("COMBO1", "停止", 120, 240, 120, 104, 10);
  button("BUTTON7", "原点", 592, 232, 40, 24, 10);
  picture("PICTURE13", 240, 16, 120, 120, 9, false);
  button("BUTTON10", "十字表示ＯＮ", 624, 16, 112, 24, 9);
  button("BUTTON12", "≪", 656, 184, 16, 24, 10);
  button("BUTTON13", "≫", 712, 184, 16, 24, 10);
  edit("EDIT48", 672, 184, 38, 24, 6, 10);
  button("BUTTON14", "射程距離ＯＮ", 624, 48, 112, 24, 8);
  combo("COMBO2", "レーザー砲", 624, 80, 104, 96, 9);
  button("BUTTON15", "同期追尾設定", 656, 216, 80, 24, 8);
}

Handle Forms::loadForm(std::string_view name, Integer showFlag, std::source_location where) {
  for (const Control& c : controls_) {
    if (c.kind == ControlKind::form && sameName(c.name, name)) {
      setVisible(c.handle, showFlag, where);
      return c.handle;
    }
  }
  raise(err::invalidHandle, "no form " + std::string(name), where);
}

Handle Forms::find(Handle form, std::string_view name, std::source_location where) const {
  const Control& f = control(form, where);
  if (f.kind != ControlKind::form) raise(err::wrongControlKind, where);
  for (Handle h : f.controls) {
    if (sameName(controls_[static_cast<size_t>(h - 1)].name, name)) return h;
  }
  raise(err::invalidHandle, "no control " + std::string(name) + " on " + f.name, where);
}

Control& Forms::control(Handle h, std::source_location where) {
  return const_cast<Control&>(static_cast<const Forms*>(this)->control(h, where));
}

const Control& Forms::control(Handle h, std::source_location where) const {
  if (h == 0) raise(err::emptyObject, where);
  if (!valid(h)) raise(err::invalidHandle, where);
  return controls_[static_cast<size_t>(h - 1)];
}

Control& Forms::control(Handle h, ControlKind kind, std::source_location where) {
  Control& c = control(h, where);
  if (c.kind != kind) raise(err::wrongControlKind, c.name, where);
  return c;
}

Surface& Forms::surface(Handle h, std::source_location where) {
  Surface& s = control(h, ControlKind::pictureBox, where).surface;
  touch();  // whoever takes a picture to change may draw on it
  return s;
}

void Forms::setSize(Handle h, Single width, Single height, std::source_location where) {
  Control& c = control(h, where);
  const Long w = toLong(width, where);
  const Long hh = toLong(height, where);
  if (w < 0 || hh < 0) raise(err::illegalCall, where);
  if (static_cast<std::int64_t>(w) * hh > maxPicturePixels) raise(err::outOfMemory, where);
  c.width = w;
  c.height = hh;
  if (c.kind == ControlKind::pictureBox) resizeKeeping(c.surface, w, hh, argbOf(c.backColour));
  touch();
}

void Forms::setPosition(Handle h, Single left, Single top, std::source_location where) {
  Control& c = control(h == 0 ? mainForm_ : h, where);
  c.left = toLong(left, where);
  c.top = toLong(top, where);
  touch();
}

void Forms::setVisible(Handle h, Integer flag, std::source_location where) {
  Control& c = control(h, where);
  c.visible = truth(flag);
  if (c.kind == ControlKind::form && c.visible) frontForm_ = c.handle;
  if (!c.visible) c.ui.listOpen = false;
  touch();
}

Integer Forms::isVisible(Handle h, std::source_location where) const {
  return control(h, where).visible ? -1 : 0;
}

void Forms::setEnabled(Handle h, Integer flag, std::source_location where) {
  Control& c = control(h, where);
  if (c.enabled != truth(flag) && c.kind == ControlKind::timer) ++c.timerEpoch;
  c.enabled = truth(flag);
  if (!c.enabled) c.ui = WidgetState{.caret = c.ui.caret};
  touch();
}

Integer Forms::isEnabled(Handle h, std::source_location where) const {
  return control(h, where).enabled ? -1 : 0;
}

void Forms::setCaption(Handle h, const Bytes& text, std::source_location where) {
  Control& c = control(h == 0 ? mainForm_ : h, where);
  if (c.kind != ControlKind::form && c.kind != ControlKind::button)
    raise(err::wrongControlKind, c.name, where);
  c.caption = text;
  touch();
}

void Forms::setFontSize(Handle h, Single points, std::source_location where) {
  Control& c = control(h, where);
  if (!(points > 0) || points > 2048) raise(err::illegalCall, where);
  c.fontSize = points;
  touch();
}

void Forms::setColour(Handle h, Long colour, std::source_location where) {
  Control& c = control(h, where);
  checkColour(colour, where);
  c.foreColour = static_cast<GameColour>(colour);
  touch();
}

void Forms::setBackColour(Handle h, Long colour, std::source_location where) {
  Control& c = control(h, where);
  checkColour(colour, where);
  c.backColour = static_cast<GameColour>(colour);
  touch();
}

void Forms::listClear(Handle h, std::source_location where) {
  Control& c = control(h, ControlKind::comboBox, where);
  c.items.clear();
  c.selected = -1;
  c.text.clear();
  c.ui.listOpen = false;
  c.ui.listTop = 0;
  c.ui.hotItem = -1;
  touch();
}

void Forms::listAdd(Handle h, const Bytes& item, std::source_location where) {
  Control& c = control(h, ControlKind::comboBox, where);
  if (c.items.size() >= 32767) raise(err::illegalCall, where);
  c.items.push_back(item);
  touch();
}

Integer Forms::listCount(Handle h, std::source_location where) {
  return static_cast<Integer>(control(h, ControlKind::comboBox, where).items.size());
}

void Forms::listSelect(Handle h, Integer index, std::source_location where) {
  Control& c = control(h, ControlKind::comboBox, where);
  if (index < -1 || index >= static_cast<int>(c.items.size())) raise(err::illegalCall, where);
  c.selected = index;
  c.text = index < 0 ? Bytes() : c.items[static_cast<size_t>(index)];
  touch();
}

Integer Forms::listIndex(Handle h, std::source_location where) {
  return static_cast<Integer>(control(h, ControlKind::comboBox, where).selected);
}

Bytes Forms::text(Handle h, std::source_location where) {
  Control& c = control(h, where);
  if (c.kind != ControlKind::edit && c.kind != ControlKind::comboBox)
    raise(err::wrongControlKind, c.name, where);
  return c.text;
}

void Forms::setText(Handle h, const Bytes& text, std::source_location where) {
  Control& c = control(h, where);
  if (c.kind == ControlKind::edit) {
    c.text = c.maxLength > 0 && static_cast<long>(charLength(text)) > c.maxLength
                 ? charMiddle(text, 1, c.maxLength)
                 : text;
    c.ui.caret = static_cast<int>(charLength(c.text));
  } else if (c.kind == ControlKind::comboBox) {
    c.text = text;
  } else {
    raise(err::wrongControlKind, c.name, where);
  }
  touch();
}

void Forms::setScrollValue(Handle h, Integer value, std::source_location where) {
  Control& c = control(h, ControlKind::scrollBar, where);
  if (value < std::min(c.minimum, c.maximum) || value > std::max(c.minimum, c.maximum))
    raise(err::illegalCall, where);
  c.value = value;
  touch();
}

Integer Forms::scrollValue(Handle h, std::source_location where) {
  return static_cast<Integer>(control(h, ControlKind::scrollBar, where).value);
}

void Forms::giveFocus(Handle h, std::source_location where) {
  Control& c = control(h, where);
  Control& form = control(c.form, where);
  frontForm_ = form.handle;
  if (c.kind != ControlKind::form) form.focus = c.handle;
  touch();
}

void Forms::timerEnable(Handle h, Integer flag, std::source_location where) {
  Control& c = control(h, ControlKind::timer, where);
  if (c.enabled != truth(flag)) ++c.timerEpoch;
  c.enabled = truth(flag);
}

void Forms::setTimerInterval(Handle h, Long ms, std::source_location where) {
  Control& c = control(h, ControlKind::timer, where);
  if (ms < 0 || ms > 65535) raise(err::illegalCall, where);
  c.interval = ms;
  ++c.timerEpoch;
}

}  // namespace zav3::host
