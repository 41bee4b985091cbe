// The two forms of the game and their controls: the main window MAINFORM and the strategy panel
// FORM3, built from their stored layouts, with the control operations the game uses. Controls
// are reached through handles (small integers, 0 = no control); every operation checks the
// handle, the control's kind and its arguments and raises the run-time error the game expects.
#pragma once

#include <cstdint>
#include <source_location>
#include <string>
#include <string_view>
#include <vector>

#include "host/numbers.hpp"
#include "host/sjis.hpp"
#include "host/surface.hpp"

namespace zav3::host {

// Kind codes of the stored layouts.
enum class ControlKind : int {
  form = 1,
  button = 3,
  edit = 7,
  scrollBar = 11,
  comboBox = 12,
  pictureBox = 13,
  timer = 16,
  mediaDevice = 17,
};

using Handle = std::int32_t;  // 0 = no control

// Classic 3D colours (ARGB) shared by the forms and the widgets.
namespace colours {
inline constexpr GameColour lightGrey = 0xC0C0C0;  // r + 256 g + 65536 b
inline constexpr GameColour white = 0xFFFFFF;
inline constexpr GameColour black = 0x000000;
}  // namespace colours

// State of a widget while the player works it (pressed part, open list, caret); never set by the
// game.
struct WidgetState {
  int pressedPart = 0;  // scroll bar part held down (see widgets.hpp), or 1 for a held button
  bool pointerInside = false;  // the pointer is over the held part
  bool listOpen = false;       // drop-down list shown
  int listTop = 0;             // first item shown in the open list
  int hotItem = -1;            // item under the pointer in the open list
  int caret = 0;               // edit box caret, in characters
  int dragOffset = 0;          // thumb drag: pointer offset from the thumb's start
  int valueAtPress = 0;        // scroll value when a drag began
  std::int64_t repeatAt = 0;   // time of the next auto-repeat of a held arrow or track
};

struct Control {
  Handle handle = 0;
  ControlKind kind = ControlKind::pictureBox;
  std::string name;  // upper case, as in the layout
  Handle form = 0;   // the form holding it (a form holds itself)

  // Rectangle in pixels: inside the form for controls; the outer window rectangle for a form.
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = true;
  bool enabled = true;

  Bytes caption;  // form caption or button text
  Bytes fontName;
  Single fontSize = 9;
  GameColour foreColour = colours::black;
  GameColour backColour = colours::lightGrey;

  Surface surface;  // picture boxes: the drawing surface, sized to the control

  // Forms: their controls in layout order (later ones lie on top), the client area, the control
  // that has the focus.
  std::vector<Handle> controls;
  int clientWidth = 0;
  int clientHeight = 0;
  Handle focus = 0;

  // Event procedures the control's actions go to; empty = not handled.
  std::string mouseDownProc;
  std::string mouseUpProc;
  std::string mouseMoveProc;
  std::string actionProc;  // button click, scroll or list change, edit change, timer tick

  // Drop-down lists and edit boxes.
  std::vector<Bytes> items;
  int selected = -1;
  Bytes text;
  int maxLength = 0;  // edit boxes, in characters; 0 = no limit

  // Scroll bars.
  bool vertical = false;
  int minimum = 0;
  int maximum = 32767;
  int smallStep = 1;
  int largeStep = 1;
  int value = 0;

  // Timers: interval in ms; `enabled` starts and stops it. `timerEpoch` grows with every change
  // of either, so the event layer restarts the count.
  int interval = 0;
  std::uint32_t timerEpoch = 0;

  WidgetState ui;

  bool contains(int x, int y) const {
    return x >= left && y >= top && x < left + width && y < top + height;
  }
};

class Forms {
 public:
  // Builds MAINFORM and FORM3 from their layouts. FORM3 starts hidden.
  Forms();

  static constexpr int screenWidth = 640;  // the main form's client area: the game screen
  static constexpr int screenHeight = 480;

  Handle mainForm() const { return mainForm_; }
  Handle panelForm() const { return panelForm_; }

  // Loads a form by name ("FORM3") and shows it (flag -1) or keeps it hidden (0). An unknown
  // name is error 1000.
  Handle loadForm(std::string_view name, Integer showFlag,
                  std::source_location where = std::source_location::current());
  // The control named `name` (upper or lower case) of form `form`; an unknown name is error
  // 1000, a handle that is not a form error 1002.
  Handle find(Handle form, std::string_view name,
              std::source_location where = std::source_location::current()) const;

  // The control behind a handle: 0 is error 1003 (empty object), an unknown handle 1000.
  Control& control(Handle h, std::source_location where = std::source_location::current());
  const Control& control(Handle h,
                         std::source_location where = std::source_location::current()) const;
  // The same, and error 1002 unless the control is of kind `kind`.
  Control& control(Handle h, ControlKind kind,
                   std::source_location where = std::source_location::current());
  bool valid(Handle h) const { return h > 0 && static_cast<size_t>(h) <= controls_.size(); }
  const std::vector<Control>& all() const { return controls_; }

  // Picture boxes: the drawing surface (error 1002 for other kinds).
  Surface& surface(Handle h, std::source_location where = std::source_location::current());

  // Size and position (singles, rounded). A picture box keeps the part of its picture that
  // still fits and fills the rest with its back colour. Negative sizes are error 5, more than
  // 2^26 pixels error 7. Position with handle 0 moves the main form.
  void setSize(Handle h, Single width, Single height,
               std::source_location where = std::source_location::current());
  void setPosition(Handle h, Single left, Single top,
                   std::source_location where = std::source_location::current());
  void setVisible(Handle h, Integer flag,
                  std::source_location where = std::source_location::current());
  Integer isVisible(Handle h, std::source_location where = std::source_location::current()) const;
  // A disabled control delivers no events; for the timer this stops it.
  void setEnabled(Handle h, Integer flag,
                  std::source_location where = std::source_location::current());
  Integer isEnabled(Handle h, std::source_location where = std::source_location::current()) const;
  // Forms and buttons; handle 0 = the main form.
  void setCaption(Handle h, const Bytes& text,
                  std::source_location where = std::source_location::current());
  // Points above 0 and at most 2048, else error 5.
  void setFontSize(Handle h, Single points,
                   std::source_location where = std::source_location::current());
  // Fore and back colours, 0..&HFFFFFF, else error 5.
  void setColour(Handle h, Long colour,
                 std::source_location where = std::source_location::current());
  void setBackColour(Handle h, Long colour,
                     std::source_location where = std::source_location::current());

  // Drop-down lists.
  void listClear(Handle h, std::source_location where = std::source_location::current());
  void listAdd(Handle h, const Bytes& item,
               std::source_location where = std::source_location::current());
  Integer listCount(Handle h, std::source_location where = std::source_location::current());
  // Index from 0, or -1 for no selection; anything else outside the items is error 5. The
  // list's text becomes the selected item.
  void listSelect(Handle h, Integer index,
                  std::source_location where = std::source_location::current());
  Integer listIndex(Handle h, std::source_location where = std::source_location::current());

  // Text of an edit box or drop-down list. Setting an edit box's text cuts it to its maximum
  // length.
  Bytes text(Handle h, std::source_location where = std::source_location::current());
  void setText(Handle h, const Bytes& text,
               std::source_location where = std::source_location::current());

  // Scroll bars: a value outside the bar's range is error 5.
  void setScrollValue(Handle h, Integer value,
                      std::source_location where = std::source_location::current());
  Integer scrollValue(Handle h, std::source_location where = std::source_location::current());

  // Brings a form (or the form of a control) to the front; a control also takes the focus.
  void giveFocus(Handle h, std::source_location where = std::source_location::current());
  Handle frontForm() const { return frontForm_; }

  // Timers: start (-1) or stop (0); the interval in ms, 0..65535 else error 5.
  void timerEnable(Handle h, Integer flag,
                   std::source_location where = std::source_location::current());
  void setTimerInterval(Handle h, Long ms,
                        std::source_location where = std::source_location::current());

  // Grows on every change the player could see; a display redraws when it moved.
  std::uint64_t version() const { return version_; }
  void touch() { ++version_; }

 private:
  Handle add(Control c);
  void buildMainForm();
  void buildPanelForm();

  std::vector<Control> controls_;  // handle h is controls_[h - 1]
  Handle mainForm_ = 0;
  Handle panelForm_ = 0;
  Handle frontForm_ = 0;
  std::uint64_t version_ = 0;
};

// Case-insensitive comparison of ASCII names.
bool sameName(std::string_view a, std::string_view b);

}  // namespace zav3::host
