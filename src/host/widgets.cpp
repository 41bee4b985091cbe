// Strategy-panel widgets: geometry, pointer and keyboard behaviour, and painting.
#include "host/widgets.hpp"

#include <algorithm>
#include <cmath>

#include "host/drawing.hpp"

namespace zav3::host {

namespace {

constexpr std::uint32_t face = 0xFFC0C0C0u;
constexpr std::uint32_t light = 0xFFFFFFFFu;
constexpr std::uint32_t highlight = 0xFFDFDFDFu;
constexpr std::uint32_t shadow = 0xFF808080u;
constexpr std::uint32_t dark = 0xFF000000u;
constexpr std::uint32_t selection = 0xFF000080u;

constexpr int maxListRows = 8;

bool isWidget(ControlKind k) {
  return k == ControlKind::button || k == ControlKind::edit || k == ControlKind::scrollBar ||
         k == ControlKind::comboBox;
}

bool takesMouse(const Control& c) {
  if (isWidget(c.kind)) return true;
  return c.kind == ControlKind::pictureBox &&
         (!c.mouseDownProc.empty() || !c.mouseUpProc.empty() || !c.mouseMoveProc.empty());
}

// --- painting helpers ---

void fill(Surface& s, int x, int y, int w, int h, std::uint32_t argb) {
  if (w <= 0 || h <= 0) return;
  fillBox(s, x, y, x + w - 1, y + h - 1, Pen{argb}, argb);
}

void hline(Surface& s, int x1, int x2, int y, std::uint32_t argb) {
  if (x2 >= x1) drawLine(s, x1, y, x2, y, Pen{argb});
}

void vline(Surface& s, int x, int y1, int y2, std::uint32_t argb) {
  if (y2 >= y1) drawLine(s, x, y1, x, y2, Pen{argb});
}

// A frame of one pixel: top and left in `tl`, bottom and right in `br`.
void frame(Surface& s, int x, int y, int w, int h, std::uint32_t tl, std::uint32_t br) {
  if (w <= 0 || h <= 0) return;
  hline(s, x, x + w - 1, y, tl);
  vline(s, x, y, y + h - 1, tl);
  hline(s, x, x + w - 1, y + h - 1, br);
  vline(s, x + w - 1, y, y + h - 1, br);
}

void raised(Surface& s, int x, int y, int w, int h) {
  fill(s, x, y, w, h, face);
  frame(s, x, y, w, h, light, dark);
  frame(s, x + 1, y + 1, w - 2, h - 2, highlight, shadow);
}

void pushed(Surface& s, int x, int y, int w, int h) {
  fill(s, x, y, w, h, face);
  frame(s, x, y, w, h, dark, light);
  frame(s, x + 1, y + 1, w - 2, h - 2, shadow, highlight);
}

void sunken(Surface& s, int x, int y, int w, int h, std::uint32_t inside) {
  fill(s, x, y, w, h, inside);
  frame(s, x, y, w, h, shadow, light);
  frame(s, x + 1, y + 1, w - 2, h - 2, dark, highlight);
}

// A solid triangle pointing `dir` (0 up, 1 down, 2 left, 3 right) centred in the rectangle.
void arrowGlyph(Surface& s, int x, int y, int w, int h, int dir, std::uint32_t argb) {
  const int size = std::max(2, std::min(w, h) / 4 + 1);  // rows of the triangle
  const int cx = x + w / 2;
  const int cy = y + h / 2;
  for (int i = 0; i < size; ++i) {
    const int half = i;
    switch (dir) {
      case 0:
        hline(s, cx - half, cx + half, cy - size / 2 + i, argb);
        break;
      case 1:
        hline(s, cx - half, cx + half, cy + size / 2 - i, argb);
        break;
      case 2:
        vline(s, cx - size / 2 + i, cy - half, cy + half, argb);
        break;
      default:
        vline(s, cx + size / 2 - i, cy - half, cy + half, argb);
        break;
    }
  }
}

void dottedFrame(Surface& s, int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  Pen pen{dark};
  pen.pattern = 0xAAAA;
  drawBox(s, x, y, x + w - 1, y + h - 1, pen);
}

int measure(TextRenderer* text, const Bytes& t, const Control& c) {
  if (text) return text->width(FontSpec{c.fontName, c.fontSize}, t);
  // Without a painter: half the em for single-byte characters, the em for double-byte ones.
  const int em = fontPixels(c.fontSize);
  int w = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    if (isLeadByte(static_cast<std::uint8_t>(t[i])) && i + 1 < t.size()) {
      w += em;
      ++i;
    } else {
      w += em / 2;
    }
  }
  return w;
}

int lineOf(TextRenderer* text, const Control& c) {
  return text ? text->height(FontSpec{c.fontName, c.fontSize}) : fontPixels(c.fontSize);
}

void label(Surface& s, TextRenderer* text, int x, int y, const Bytes& t, const Control& c,
           std::uint32_t argb) {
  if (text && !t.empty()) text->draw(s, FontSpec{c.fontName, c.fontSize}, x, y, t, argb);
}

// Byte offsets of the characters of a Shift-JIS string, with the end as the last entry.
std::vector<size_t> charStarts(const Bytes& t) {
  std::vector<size_t> out;
  for (size_t i = 0; i < t.size(); ++i) {
    out.push_back(i);
    if (isLeadByte(static_cast<std::uint8_t>(t[i])) && i + 1 < t.size()) ++i;
  }
  out.push_back(t.size());
  return out;
}

void paintButton(const Control& c, bool focused, Surface& s, TextRenderer* text) {
  const bool down = c.ui.pressedPart != 0 && c.ui.pointerInside;
  if (down) {
    pushed(s, 0, 0, c.width, c.height);
  } else {
    raised(s, 0, 0, c.width, c.height);
  }
  const int shift = down ? 1 : 0;
  const int tw = measure(text, c.caption, c);
  const int x = (c.width - tw) / 2 + shift;
  const int y = (c.height - lineOf(text, c)) / 2 + shift;
  if (c.enabled) {
    label(s, text, x, y, c.caption, c, dark);
  } else {
    label(s, text, x + 1, y + 1, c.caption, c, light);
    label(s, text, x, y, c.caption, c, shadow);
  }
  if (focused && c.enabled) dottedFrame(s, 4, 4, c.width - 8, c.height - 8);
}

void paintScrollBar(const Control& c, Surface& s) {
  const ScrollGeometry g = scrollGeometry(c);
  const int thick = c.vertical ? c.width : c.height;
  // Track: the classic checker of white and grey; the held part darkens.
  const auto held = static_cast<ScrollPart>(c.ui.pressedPart);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      s.set(x, y, ((x + y) & 1) ? face : light);
    }
  }
  auto box = [&](int start, int length, auto&& draw) {
    if (length <= 0) return;
    if (c.vertical) {
      draw(0, start, thick, length);
    } else {
      draw(start, 0, length, thick);
    }
  };
  if (c.ui.pointerInside && (held == ScrollPart::lowTrack || held == ScrollPart::highTrack)) {
    const int a = held == ScrollPart::lowTrack ? g.trackStart : g.thumbStart + g.thumbLength;
    const int b = held == ScrollPart::lowTrack ? g.thumbStart : g.trackStart + g.trackLength;
    box(a, b - a, [&](int x, int y, int w, int h) {
      for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx)
          if ((xx + yy) & 1) s.set(xx, yy, dark);
    });
  }
  const std::uint32_t glyph = c.enabled ? dark : shadow;
  auto arrowButton = [&](int start, ScrollPart part, int dir) {
    box(start, g.arrow, [&](int x, int y, int w, int h) {
      const bool down = held == part && c.ui.pointerInside;
      if (down) {
        fill(s, x, y, w, h, face);
        frame(s, x, y, w, h, shadow, shadow);
      } else {
        raised(s, x, y, w, h);
      }
      arrowGlyph(s, x + (down ? 1 : 0), y + (down ? 1 : 0), w, h, dir, glyph);
    });
  };
  arrowButton(0, ScrollPart::lowArrow, c.vertical ? 0 : 2);
  arrowButton(g.length - g.arrow, ScrollPart::highArrow, c.vertical ? 1 : 3);
  if (c.enabled && g.thumbLength > 0) {
    box(g.thumbStart, g.thumbLength, [&](int x, int y, int w, int h) { raised(s, x, y, w, h); });
  }
}

void paintEdit(const Control& c, bool focused, Surface& s, TextRenderer* text) {
  sunken(s, 0, 0, c.width, c.height, c.enabled ? argbOf(c.backColour) : face);
  const int pad = 3;
  const auto starts = charStarts(c.text);
  const int caretChar = std::clamp(c.ui.caret, 0, static_cast<int>(starts.size()) - 1);
  const int caretX = measure(text, c.text.substr(0, starts[static_cast<size_t>(caretChar)]), c);
  const int room = c.width - 2 * pad - 1;
  const int scroll = std::max(0, caretX - room);
  const int y = (c.height - lineOf(text, c)) / 2;
  Surface inner(std::max(0, c.width - 4), std::max(0, c.height - 4),
                c.enabled ? argbOf(c.backColour) : face);
  label(inner, text, pad - 2 - scroll, y - 2, c.text, c, c.enabled ? argbOf(c.foreColour) : shadow);
  if (focused && c.enabled) {
    const int x = pad - 2 - scroll + caretX;
    vline(inner, x, y - 2, y - 2 + lineOf(text, c) - 1, dark);
  }
  copyRect(s, 2, 2, inner.width(), inner.height(), inner, 0, 0);
}

void paintComboField(const Control& c, bool focused, Surface& s, TextRenderer* text) {
  const int h = comboFieldHeight(c);
  sunken(s, 0, 0, c.width, h, c.enabled ? argbOf(c.backColour) : face);
  const int button = std::max(0, std::min(h - 4, c.width - 4));
  const int bx = c.width - 2 - button;
  if (c.ui.listOpen) {
    fill(s, bx, 2, button, h - 4, face);
    frame(s, bx, 2, button, h - 4, shadow, shadow);
  } else {
    raised(s, bx, 2, button, h - 4);
  }
  arrowGlyph(s, bx + (c.ui.listOpen ? 1 : 0), 2 + (c.ui.listOpen ? 1 : 0), button, h - 4, 1,
             c.enabled ? dark : shadow);
  const int textWidth = std::max(0, bx - 3);
  Surface field(textWidth, std::max(0, h - 6), c.enabled ? argbOf(c.backColour) : face);
  std::uint32_t ink = c.enabled ? argbOf(c.foreColour) : shadow;
  if (focused && c.enabled) {
    field.fill(selection);
    ink = light;
  }
  label(field, text, 2, (field.height() - lineOf(text, c)) / 2, c.text, c, ink);
  copyRect(s, 3, 3, field.width(), field.height(), field, 0, 0);
}

void paintOpenList(const Control& c, const Control& form, Surface& out, TextRenderer* text) {
  const ListBox box = comboListBox(c, form);
  Surface s(box.width, box.height, argbOf(c.backColour));
  frame(s, 0, 0, box.width, box.height, dark, dark);
  for (int r = 0; r < box.rows; ++r) {
    const int i = c.ui.listTop + r;
    if (i >= static_cast<int>(c.items.size())) break;
    const int y = 1 + r * box.itemHeight;
    std::uint32_t ink = argbOf(c.foreColour);
    if (i == c.ui.hotItem) {
      fill(s, 1, y, box.width - 2, box.itemHeight, selection);
      ink = light;
    }
    label(s, text, 3, y + (box.itemHeight - lineOf(text, c)) / 2, c.items[static_cast<size_t>(i)],
          c, ink);
  }
  copyRect(out, box.left, box.top, box.width, box.height, s, 0, 0);
}

}  // namespace

Control* controlAt(Forms& forms, Control& form, int x, int y) {
  for (auto it = form.controls.rbegin(); it != form.controls.rend(); ++it) {
    Control& c = forms.control(*it);
    if (!c.visible || !c.contains(x, y) || !takesMouse(c)) continue;
    // A closed drop-down list is only its field, whatever its height in the layout.
    if (c.kind == ControlKind::comboBox && y >= c.top + comboFieldHeight(c)) continue;
    return &c;
  }
  return nullptr;
}

int fontPixels(Single size) {
  return std::clamp(static_cast<int>(std::lround(size)), 1, 1024);
}

// --- geometry ---

ScrollGeometry scrollGeometry(const Control& bar) {
  ScrollGeometry g;
  g.length = bar.vertical ? bar.height : bar.width;
  const int thick = bar.vertical ? bar.width : bar.height;
  g.arrow = std::max(0, std::min(thick, g.length / 2));
  g.trackStart = g.arrow;
  g.trackLength = std::max(0, g.length - 2 * g.arrow);
  g.thumbLength = g.trackLength >= 8 ? std::min(thick, g.trackLength) : 0;
  const int span = bar.maximum - bar.minimum;
  const int room = g.trackLength - g.thumbLength;
  g.thumbStart = g.trackStart;
  if (span != 0 && room > 0) {
    g.thumbStart +=
        static_cast<int>(std::lround(static_cast<double>(bar.value - bar.minimum) * room / span));
  }
  return g;
}

ScrollPart scrollPartAt(const Control& bar, int x, int y) {
  if (x < 0 || y < 0 || x >= bar.width || y >= bar.height) return ScrollPart::none;
  const ScrollGeometry g = scrollGeometry(bar);
  const int p = bar.vertical ? y : x;
  if (p < g.arrow) return ScrollPart::lowArrow;
  if (p >= g.length - g.arrow) return ScrollPart::highArrow;
  if (g.thumbLength == 0) return p < g.length / 2 ? ScrollPart::lowTrack : ScrollPart::highTrack;
  if (p < g.thumbStart) return ScrollPart::lowTrack;
  if (p < g.thumbStart + g.thumbLength) return ScrollPart::thumb;
  return ScrollPart::highTrack;
}

int scrollValueAt(const Control& bar, int thumbStart) {
  const ScrollGeometry g = scrollGeometry(bar);
  const int room = g.trackLength - g.thumbLength;
  if (room <= 0) return bar.value;
  const int offset = std::clamp(thumbStart - g.trackStart, 0, room);
  return bar.minimum + static_cast<int>(std::lround(static_cast<double>(offset) *
                                                    (bar.maximum - bar.minimum) / room));
}

int comboFieldHeight(const Control& list) {
  return std::min(list.height, std::max(22, fontPixels(list.fontSize) + 8));
}

ListBox comboListBox(const Control& list, const Control& form) {
  ListBox box;
  box.itemHeight = fontPixels(list.fontSize) + 4;
  box.rows = std::clamp(static_cast<int>(list.items.size()), 1, maxListRows);
  box.width = list.width;
  box.height = box.rows * box.itemHeight + 2;
  box.left = list.left;
  const int below = list.top + comboFieldHeight(list);
  box.top = below;
  if (below + box.height > form.clientHeight && list.top - box.height >= 0) {
    box.top = list.top - box.height;
  }
  return box;
}

// --- behaviour ---

bool Widgets::workable(const Control& c) const {
  const Control& form = forms_.control(c.form);
  return c.visible && c.enabled && form.visible && form.enabled;
}

Control* Widgets::widgetAt(Control& form, int x, int y) {
  Control* c = controlAt(forms_, form, x, y);
  return c && isWidget(c->kind) ? c : nullptr;
}

void Widgets::setValue(Control& bar, int value, bool notify) {
  value = std::clamp(value, std::min(bar.minimum, bar.maximum), std::max(bar.minimum, bar.maximum));
  if (value == bar.value) return;
  bar.value = value;
  forms_.touch();
  if (notify) post_(bar.actionProc);
}

void Widgets::stepScroll(Control& bar, ScrollPart part) {
  const int sign = bar.maximum >= bar.minimum ? 1 : -1;
  switch (part) {
    case ScrollPart::lowArrow:
      setValue(bar, bar.value - sign * bar.smallStep, true);
      break;
    case ScrollPart::highArrow:
      setValue(bar, bar.value + sign * bar.smallStep, true);
      break;
    case ScrollPart::lowTrack:
      setValue(bar, bar.value - sign * bar.largeStep, true);
      break;
    case ScrollPart::highTrack:
      setValue(bar, bar.value + sign * bar.largeStep, true);
      break;
    default:
      break;
  }
}

void Widgets::closeLists(Control& form) {
  for (Handle h : form.controls) {
    Control& c = forms_.control(h);
    if (c.ui.listOpen) {
      c.ui.listOpen = false;
      forms_.touch();
    }
  }
}

void Widgets::pick(Control& list, int index) {
  list.ui.listOpen = false;
  list.ui.hotItem = -1;
  list.selected = index;
  list.text = list.items[static_cast<size_t>(index)];
  forms_.touch();
  post_(list.actionProc);
}

bool Widgets::pointerDown(Control& form, int x, int y, int button, std::int64_t now) {
  lastX_ = x;
  lastY_ = y;
  // An open list takes the press: on an item it starts tracking, elsewhere it closes.
  for (Handle h : form.controls) {
    Control& c = forms_.control(h);
    if (!c.ui.listOpen) continue;
    const ListBox box = comboListBox(c, form);
    if (x >= box.left && x < box.left + box.width && y >= box.top && y < box.top + box.height) {
      const int row = (y - box.top - 1) / box.itemHeight;
      const int item = c.ui.listTop + row;
      if (row >= 0 && item < static_cast<int>(c.items.size())) c.ui.hotItem = item;
      held_ = c.handle;
      forms_.touch();
      return true;
    }
    // A press anywhere else (its own field too) only closes it.
    c.ui.listOpen = false;
    forms_.touch();
    return true;
  }
  Control* c = widgetAt(form, x, y);
  if (!c) return false;
  if (!workable(*c) || button != leftButton) return true;
  if (form.focus != c->handle) {
    form.focus = c->handle;
    forms_.touch();
  }
  held_ = c->handle;
  const int lx = x - c->left;
  const int ly = y - c->top;
  switch (c->kind) {
    case ControlKind::button:
      c->ui.pressedPart = 1;
      c->ui.pointerInside = true;
      break;
    case ControlKind::scrollBar: {
      const ScrollPart part = scrollPartAt(*c, lx, ly);
      c->ui.pressedPart = static_cast<int>(part);
      c->ui.pointerInside = true;
      if (part == ScrollPart::thumb) {
        c->ui.dragOffset = (c->vertical ? ly : lx) - scrollGeometry(*c).thumbStart;
        c->ui.valueAtPress = c->value;
      } else {
        stepScroll(*c, part);
        c->ui.repeatAt = now + repeatDelayMs;
      }
      break;
    }
    case ControlKind::comboBox: {
      c->ui.listOpen = true;
      const ListBox box = comboListBox(*c, form);
      c->ui.hotItem = c->selected;
      c->ui.listTop = std::clamp(c->selected - box.rows + 1, 0,
                                 std::max(0, static_cast<int>(c->items.size()) - box.rows));
      break;
    }
    case ControlKind::edit: {
      const auto starts = charStarts(c->text);
      int best = 0;
      int bestDistance = 1 << 30;
      for (size_t i = 0; i < starts.size(); ++i) {
        const int cx = 3 + measure(text_, c->text.substr(0, starts[i]), *c);
        if (std::abs(cx - lx) < bestDistance) {
          bestDistance = std::abs(cx - lx);
          best = static_cast<int>(i);
        }
      }
      c->ui.caret = best;
      held_ = 0;
      break;
    }
    default:
      break;
  }
  forms_.touch();
  return true;
}

bool Widgets::pointerMove(Control& form, int x, int y) {
  lastX_ = x;
  lastY_ = y;
  if (held_ == 0) {
    // Hovering over an open list follows the pointer.
    for (Handle h : form.controls) {
      Control& c = forms_.control(h);
      if (!c.ui.listOpen) continue;
      const ListBox box = comboListBox(c, form);
      if (x >= box.left && x < box.left + box.width && y >= box.top && y < box.top + box.height) {
        const int item = c.ui.listTop + (y - box.top - 1) / box.itemHeight;
        if (item < static_cast<int>(c.items.size()) && item != c.ui.hotItem) {
          c.ui.hotItem = item;
          forms_.touch();
        }
      }
      return true;
    }
    return widgetAt(form, x, y) != nullptr;
  }
  Control& c = forms_.control(held_);
  const int lx = x - c.left;
  const int ly = y - c.top;
  switch (c.kind) {
    case ControlKind::button: {
      const bool inside = c.contains(x, y);
      if (inside != c.ui.pointerInside) {
        c.ui.pointerInside = inside;
        forms_.touch();
      }
      break;
    }
    case ControlKind::scrollBar: {
      const auto part = static_cast<ScrollPart>(c.ui.pressedPart);
      if (part == ScrollPart::thumb) {
        setValue(c, scrollValueAt(c, (c.vertical ? ly : lx) - c.ui.dragOffset), false);
      } else {
        const bool inside = scrollPartAt(c, lx, ly) == part;
        if (inside != c.ui.pointerInside) {
          c.ui.pointerInside = inside;
          forms_.touch();
        }
      }
      break;
    }
    case ControlKind::comboBox: {
      const ListBox box = comboListBox(c, forms_.control(c.form));
      if (c.ui.listOpen && x >= box.left && x < box.left + box.width && y >= box.top &&
          y < box.top + box.height) {
        const int item = c.ui.listTop + (y - box.top - 1) / box.itemHeight;
        if (item < static_cast<int>(c.items.size()) && item != c.ui.hotItem) {
          c.ui.hotItem = item;
          forms_.touch();
        }
      }
      break;
    }
    default:
      break;
  }
  return true;
}

bool Widgets::pointerUp(Control& form, int x, int y, int button) {
  lastX_ = x;
  lastY_ = y;
  if (held_ == 0) return widgetAt(form, x, y) != nullptr || button != leftButton;
  Control& c = forms_.control(held_);
  held_ = 0;
  switch (c.kind) {
    case ControlKind::button: {
      const bool click = c.ui.pressedPart != 0 && c.contains(x, y);
      c.ui.pressedPart = 0;
      c.ui.pointerInside = false;
      forms_.touch();
      if (click) post_(c.actionProc);
      break;
    }
    case ControlKind::scrollBar: {
      const bool drag = static_cast<ScrollPart>(c.ui.pressedPart) == ScrollPart::thumb;
      c.ui.pressedPart = 0;
      c.ui.pointerInside = false;
      c.ui.repeatAt = 0;
      forms_.touch();
      if (drag && c.value != c.ui.valueAtPress) post_(c.actionProc);
      break;
    }
    case ControlKind::comboBox: {
      if (!c.ui.listOpen) break;
      const ListBox box = comboListBox(c, forms_.control(c.form));
      if (x >= box.left && x < box.left + box.width && y >= box.top && y < box.top + box.height) {
        const int item = c.ui.listTop + (y - box.top - 1) / box.itemHeight;
        if (item >= 0 && item < static_cast<int>(c.items.size())) pick(c, item);
      }
      break;
    }
    default:
      break;
  }
  return true;
}

bool Widgets::wheel(Control& form, int x, int y, int steps) {
  for (Handle h : form.controls) {
    Control& c = forms_.control(h);
    if (!c.ui.listOpen) continue;
    const ListBox box = comboListBox(c, form);
    const int last = std::max(0, static_cast<int>(c.items.size()) - box.rows);
    c.ui.listTop = std::clamp(c.ui.listTop - steps, 0, last);
    forms_.touch();
    return true;
  }
  Control* c = widgetAt(form, x, y);
  if (!c) return false;
  if (c->kind == ControlKind::scrollBar && workable(*c)) {
    const int sign = c->maximum >= c->minimum ? 1 : -1;
    setValue(*c, c->value - steps * sign * c->smallStep, true);
  }
  return true;
}

bool editInsert(Control& edit, const Bytes& sjisText) {
  const auto starts = charStarts(edit.text);
  edit.ui.caret = std::clamp(edit.ui.caret, 0, static_cast<int>(starts.size()) - 1);
  size_t at = starts[static_cast<size_t>(edit.ui.caret)];
  bool changed = false;
  const auto add = charStarts(sjisText);
  for (size_t i = 0; i + 1 < add.size(); ++i) {
    const Bytes ch = sjisText.substr(add[i], add[i + 1] - add[i]);
    if (ch.size() == 1 && static_cast<std::uint8_t>(ch[0]) < 0x20) continue;
    if (edit.maxLength > 0 && static_cast<int>(charLength(edit.text)) >= edit.maxLength) break;
    edit.text.insert(at, ch);
    at += ch.size();
    ++edit.ui.caret;
    changed = true;
  }
  return changed;
}

bool editKey(Control& edit, Key key) {
  const auto starts = charStarts(edit.text);
  const int count = static_cast<int>(starts.size()) - 1;
  int& caret = edit.ui.caret;
  caret = std::clamp(caret, 0, count);
  switch (key) {
    case Key::left:
      caret = std::max(0, caret - 1);
      break;
    case Key::right:
      caret = std::min(count, caret + 1);
      break;
    case Key::home:
      caret = 0;
      break;
    case Key::end:
      caret = count;
      break;
    case Key::backspace:
      if (caret > 0) {
        const size_t a = starts[static_cast<size_t>(caret - 1)];
        edit.text.erase(a, starts[static_cast<size_t>(caret)] - a);
        --caret;
        return true;
      }
      break;
    case Key::del:
      if (caret < count) {
        const size_t a = starts[static_cast<size_t>(caret)];
        edit.text.erase(a, starts[static_cast<size_t>(caret + 1)] - a);
        return true;
      }
      break;
    default:
      break;
  }
  return false;
}

void Widgets::key(Control& form, Key key) {
  if (key == Key::tab) {
    // The next workable widget in layout order takes the focus.
    const auto& list = form.controls;
    auto at = std::find(list.begin(), list.end(), form.focus);
    for (size_t n = 0; n < list.size(); ++n) {
      at = (at == list.end() || at + 1 == list.end()) ? list.begin() : at + 1;
      const Control& c = forms_.control(*at);
      if (isWidget(c.kind) && workable(c)) {
        closeLists(form);
        form.focus = c.handle;
        forms_.touch();
        break;
      }
    }
    return;
  }
  if (!forms_.valid(form.focus)) return;
  Control& c = forms_.control(form.focus);
  if (!workable(c)) return;
  switch (c.kind) {
    case ControlKind::edit:
      forms_.touch();
      if (editKey(c, key)) post_(c.actionProc);
      break;
    case ControlKind::button:
      if (key == Key::space || key == Key::enter) post_(c.actionProc);
      break;
    case ControlKind::comboBox: {
      const int n = static_cast<int>(c.items.size());
      if (c.ui.listOpen) {
        if (key == Key::escape) {
          c.ui.listOpen = false;
        } else if (key == Key::enter && c.ui.hotItem >= 0) {
          pick(c, c.ui.hotItem);
          return;
        } else if ((key == Key::up || key == Key::down) && n > 0) {
          c.ui.hotItem = std::clamp(c.ui.hotItem + (key == Key::up ? -1 : 1), 0, n - 1);
          const ListBox box = comboListBox(c, form);
          c.ui.listTop = std::clamp(c.ui.listTop, c.ui.hotItem - box.rows + 1, c.ui.hotItem);
        }
        forms_.touch();
      } else if ((key == Key::up || key == Key::down) && n > 0) {
        const int next = std::clamp(c.selected + (key == Key::up ? -1 : 1), 0, n - 1);
        if (next != c.selected) pick(c, next);
      }
      break;
    }
    case ControlKind::scrollBar: {
      const bool low = key == Key::up || key == Key::left;
      const bool high = key == Key::down || key == Key::right;
      if (low) stepScroll(c, ScrollPart::lowArrow);
      if (high) stepScroll(c, ScrollPart::highArrow);
      if (key == Key::home) setValue(c, c.minimum, true);
      if (key == Key::end) setValue(c, c.maximum, true);
      break;
    }
    default:
      break;
  }
}

void Widgets::typed(Control& form, const Bytes& sjisText) {
  if (!forms_.valid(form.focus)) return;
  Control& c = forms_.control(form.focus);
  if (c.kind == ControlKind::edit && workable(c) && editInsert(c, sjisText)) {
    forms_.touch();
    post_(c.actionProc);
  }
}

std::int64_t Widgets::tick(std::int64_t now) {
  if (held_ == 0) return 0;
  Control& c = forms_.control(held_);
  if (c.kind != ControlKind::scrollBar || c.ui.repeatAt == 0) return 0;
  const auto part = static_cast<ScrollPart>(c.ui.pressedPart);
  if (part == ScrollPart::thumb || part == ScrollPart::none) return 0;
  while (c.ui.repeatAt <= now) {
    c.ui.repeatAt += repeatRateMs;
    // A held track pages until the thumb reaches the pointer: then the part under it changes.
    c.ui.pointerInside = scrollPartAt(c, lastX_ - c.left, lastY_ - c.top) == part;
    if (c.ui.pointerInside && workable(c)) stepScroll(c, part);
  }
  forms_.touch();
  return c.ui.repeatAt;
}

bool Widgets::click(Handle h) {
  Control& c = forms_.control(h, ControlKind::button);
  if (!workable(c)) return false;
  forms_.control(c.form).focus = h;
  forms_.touch();
  post_(c.actionProc);
  return true;
}

bool Widgets::scrollTo(Handle h, int value) {
  Control& c = forms_.control(h, ControlKind::scrollBar);
  if (!workable(c)) return false;
  forms_.control(c.form).focus = h;
  setValue(c, value, true);
  return true;
}

bool Widgets::select(Handle h, int index) {
  Control& c = forms_.control(h, ControlKind::comboBox);
  if (!workable(c) || index < 0 || index >= static_cast<int>(c.items.size())) return false;
  forms_.control(c.form).focus = h;
  pick(c, index);
  return true;
}

bool Widgets::type(Handle h, const Bytes& sjisText) {
  Control& c = forms_.control(h, ControlKind::edit);
  if (!workable(c)) return false;
  forms_.control(c.form).focus = h;
  c.ui.caret = static_cast<int>(charLength(c.text));
  if (editInsert(c, sjisText)) post_(c.actionProc);
  forms_.touch();
  return true;
}

// --- composition ---

void paintControl(const Control& c, bool focused, Surface& out, TextRenderer* text) {
  out.resize(c.width, c.height, argbOf(c.backColour));
  switch (c.kind) {
    case ControlKind::pictureBox:
      copyRect(out, 0, 0, c.width, c.height, c.surface, 0, 0);
      break;
    case ControlKind::button:
      paintButton(c, focused, out, text);
      break;
    case ControlKind::scrollBar:
      paintScrollBar(c, out);
      break;
    case ControlKind::edit:
      paintEdit(c, focused, out, text);
      break;
    case ControlKind::comboBox:
      paintComboField(c, focused, out, text);
      break;
    default:
      break;
  }
}

void composeForm(const Forms& forms, const Control& form, Surface& out, TextRenderer* text) {
  if (out.width() != form.clientWidth || out.height() != form.clientHeight) {
    out.resize(form.clientWidth, form.clientHeight, argbOf(form.backColour));
  } else {
    out.fill(argbOf(form.backColour));
  }
  Surface part;
  for (Handle h : form.controls) {
    const Control& c = forms.control(h);
    if (!c.visible || c.width <= 0 || c.height <= 0) continue;
    if (c.kind == ControlKind::pictureBox) {
      copyRect(out, c.left, c.top, c.width, c.height, c.surface, 0, 0);
    } else if (isWidget(c.kind)) {
      paintControl(c, form.focus == c.handle && forms.frontForm() == form.handle, part, text);
      const int h2 = c.kind == ControlKind::comboBox ? comboFieldHeight(c) : c.height;
      copyRect(out, c.left, c.top, c.width, h2, part, 0, 0);
    }
  }
  for (Handle h : form.controls) {
    const Control& c = forms.control(h);
    if (c.visible && c.ui.listOpen) paintOpenList(c, form, out, text);
  }
}

}  // namespace zav3::host
