// Our own widgets for the strategy panel: push buttons, scroll bars, drop-down lists and edit
// boxes, drawn in the classic grey 3D look onto a form's picture and worked by pointer and
// keyboard input in form coordinates. The same code runs headless and in a window, so a
// scripted run sees exactly what a player would. Also composes whole forms for presentation.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "host/forms.hpp"
#include "host/sjis.hpp"
#include "host/surface.hpp"
#include "host/text.hpp"

namespace zav3::host {

// Font sizes are em heights in pixels, as for text drawn by the game (text.hpp).
int fontPixels(Single size);

// The parts of a scroll bar, from the low end (top or left) to the high end.
enum class ScrollPart { none = 0, lowArrow, lowTrack, thumb, highTrack, highArrow };

struct ScrollGeometry {
  int length = 0;       // along the bar
  int arrow = 0;        // length of each arrow button
  int trackStart = 0;   // first pixel after the low arrow
  int trackLength = 0;  // between the arrows
  int thumbStart = 0;
  int thumbLength = 0;
};
ScrollGeometry scrollGeometry(const Control& bar);
// The part at (x, y) in the bar's own coordinates.
ScrollPart scrollPartAt(const Control& bar, int x, int y);
// The value a thumb whose start lies at `thumbStart` stands for.
int scrollValueAt(const Control& bar, int thumbStart);

// Drop-down lists: the closed field's height and the open list's rectangle in form coordinates.
int comboFieldHeight(const Control& list);
struct ListBox {
  int left = 0, top = 0, width = 0, height = 0;
  int itemHeight = 0;
  int rows = 0;  // items shown at once
};
ListBox comboListBox(const Control& list, const Control& form);

enum class Key {
  backspace, del, left, right, home, end, up, down, enter, escape, tab, space, pageUp, pageDown, f12
};

// Pointer buttons as the event procedures count them.
inline constexpr int leftButton = 1;
inline constexpr int rightButton = 2;
inline constexpr int middleButton = 4;

// Works the widgets of one or more forms. `post` queues the procedure a widget's change calls
// (the control's action procedure: BUTTON7_ON, VSCROLL1_CHANGE, COMBO1_CHANGE, EDIT1_CHANGE).
class Widgets {
 public:
  using Post = std::function<void(const std::string& procedure)>;
  Widgets(Forms& forms, Post post) : forms_(forms), post_(std::move(post)) {}
  // Measures texts to place an edit box's caret under the pointer (estimated without one).
  void setTextRenderer(TextRenderer* text) { text_ = text; }

  // Pointer input on a form (client coordinates). Returns true when a widget took it (the
  // pointer was over an enabled widget, an open list, or a widget holds the pointer).
  bool pointerDown(Control& form, int x, int y, int button, std::int64_t now);
  bool pointerUp(Control& form, int x, int y, int button);
  bool pointerMove(Control& form, int x, int y);
  bool wheel(Control& form, int x, int y, int steps);
  // Keys and typed text go to the form's focused widget.
  void key(Control& form, Key key);
  void typed(Control& form, const Bytes& sjisText);
  // Auto-repeat of a held scroll arrow or track; returns the time it wants to be called next
  // (0 = none).
  std::int64_t tick(std::int64_t now);
  bool capturing() const { return held_ != 0; }

  // What a player does to a control, for scripted input. Each returns false when the control
  // could not be worked (hidden, disabled or on a hidden form) and then does nothing.
  bool click(Handle button);
  bool scrollTo(Handle bar, int value);
  bool select(Handle list, int index);
  bool type(Handle edit, const Bytes& sjisText);

  // First auto-repeat after this delay, then at this rate.
  static constexpr int repeatDelayMs = 400;
  static constexpr int repeatRateMs = 50;

 private:
  bool workable(const Control& c) const;
  Control* widgetAt(Control& form, int x, int y);
  void setValue(Control& bar, int value, bool notify);
  void stepScroll(Control& bar, ScrollPart part);
  void closeLists(Control& form);
  void pick(Control& list, int index);

  Forms& forms_;
  Post post_;
  TextRenderer* text_ = nullptr;
  Handle held_ = 0;  // widget holding the pointer
  int lastX_ = 0;    // last pointer position on the form of the held widget
  int lastY_ = 0;
};

// The control that takes pointer input at (x, y) of a form: the topmost visible control there
// that is a widget or a picture box with a mouse procedure. Picture boxes without one let the
// pointer through to what lies below. Null when there is none.
Control* controlAt(Forms& forms, Control& form, int x, int y);

// Composes a form's client area into `out` (resized to it): the back colour, then every
// visible control in layout order (picture boxes show their pictures; widgets are drawn), then
// an open drop-down list on top. Without a text renderer texts are left out.
void composeForm(const Forms& forms, const Control& form, Surface& out, TextRenderer* text);

// Draws one widget into `out` (resized to the widget); `focused` adds the focus marks. Picture
// boxes copy their picture.
void paintControl(const Control& c, bool focused, Surface& out, TextRenderer* text);

// Editing an edit box's text at its caret (in characters), within its maximum length; control
// characters are dropped. Both return true when the text changed.
bool editInsert(Control& edit, const Bytes& sjisText);
bool editKey(Control& edit, Key key);

}  // namespace zav3::host
