// Scripted input and PNG snapshots of a headless run.
#include "host/headless/headless_display.hpp"

#include <limits>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "host/host.hpp"
#include "host/png.hpp"
#include "host/widgets.hpp"

namespace zav3::host {

namespace {

bool readInt(std::istringstream& in, int& out) {
  long v = 0;
  if (!(in >> v) || v < -1000000 || v > 1000000) return false;
  out = static_cast<int>(v);
  return true;
}

bool atEnd(std::istringstream& in) {
  std::string more;
  return !(in >> more);
}

}  // namespace

HeadlessDisplay::HeadlessDisplay(Forms& forms, Clock& time, Trace& trace)
    : forms_(forms), time_(time), trace_(trace) {}

bool HeadlessDisplay::queue(const std::string& verb, const std::string& rest) {
  std::istringstream in(rest);
  Item item;
  auto bad = [&](const char* why) {
    std::fprintf(stderr, "input \"%s %s\": %s\n", verb.c_str(), rest.c_str(), why);
    return false;
  };
  auto panelControl = [&](std::string& name, ControlKind kind) -> bool {
    if (!(in >> name)) return false;
    for (Handle h : forms_.control(forms_.panelForm()).controls) {
      const Control& c = forms_.control(h);
      if (sameName(c.name, name) && c.kind == kind) {
        item.control = h;
        return true;
      }
    }
    return false;
  };
  // An optional last word naming the form: MAINFORM (the default) or FORM3.
  auto readForm = [&](Handle& form) {
    form = forms_.mainForm();
    std::string word;
    if (in >> word) {
      if (sameName(word, "FORM3")) {
        form = forms_.panelForm();
      } else if (!sameName(word, "MAINFORM")) {
        return false;
      }
    }
    return atEnd(in);
  };
  std::string name;
  if (verb == "click" || verb == "rclick" || verb == "press" || verb == "release" ||
      verb == "move") {
    if (!readInt(in, item.x) || !readInt(in, item.y)) return bad("needs X Y");
    std::string which;
    if (verb == "press" && (in >> which)) {
      if (which == "right") {
        item.button = rightButton;
      } else if (which != "left") {
        return bad("the button is left or right");
      }
    }
    if (!atEnd(in)) return bad("too many arguments");
    if (verb == "click" || verb == "rclick") {
      item.kind = Kind::press;
      item.button = verb == "rclick" ? rightButton : leftButton;
      script_.push_back(item);
      item.kind = Kind::release;
      script_.push_back(item);
      return true;
    }
    item.kind = verb == "press" ? Kind::press : verb == "release" ? Kind::release : Kind::move;
  } else if (verb == "button") {
    item.kind = Kind::button;
    if (!panelControl(name, ControlKind::button) || !atEnd(in)) return bad("no such button");
  } else if (verb == "scroll") {
    item.kind = Kind::scroll;
    if (!panelControl(name, ControlKind::scrollBar)) return bad("no such scroll bar");
    if (!readInt(in, item.value) || !atEnd(in)) return bad("needs a value");
  } else if (verb == "select") {
    item.kind = Kind::select;
    if (!panelControl(name, ControlKind::comboBox)) return bad("no such list");
    if (!readInt(in, item.value) || !atEnd(in)) return bad("needs an index");
  } else if (verb == "type") {
    item.kind = Kind::type;
    if (!panelControl(name, ControlKind::edit)) return bad("no such edit box");
    std::string text;
    std::getline(in >> std::ws, text);
    auto sjis = utf8ToSjis(text);
    if (!sjis) return bad("the text has no Shift-JIS form");
    item.text = *sjis;
  } else if (verb == "picture") {
    if (!panelControl(name, ControlKind::pictureBox)) return bad("no such picture box");
    int x = 0, y = 0;
    if (!readInt(in, x) || !readInt(in, y) || !atEnd(in)) return bad("needs X Y");
    // A press and a release at that point of the panel.
    const Control& box = forms_.control(item.control);
    item.form = forms_.panelForm();
    item.x = box.left + x;
    item.y = box.top + y;
    item.button = leftButton;
    item.kind = Kind::press;
    script_.push_back(item);
    item.kind = Kind::release;
    script_.push_back(item);
    return true;
  } else if (verb == "close") {
    item.kind = Kind::close;
    if (!atEnd(in)) return bad("takes no arguments");
  } else if (verb == "snapshot") {
    item.kind = Kind::snapshot;
    if (!(in >> item.file)) return bad("needs a file name");
    if (!readForm(item.form)) return bad("the form is MAINFORM or FORM3, last");
  } else if (verb == "check-pixel") {
    item.kind = Kind::checkPixel;
    std::string colour;
    if (!readInt(in, item.x) || !readInt(in, item.y) || !(in >> colour)) {
      return bad("needs X Y RRGGBB");
    }
    char* end = nullptr;
    const unsigned long rgb = std::strtoul(colour.c_str(), &end, 16);
    if (colour.size() != 6 || *end != '\0') return bad("the colour is six hex digits RRGGBB");
    item.argb = 0xFF000000u | static_cast<std::uint32_t>(rgb);
    item.text = verb + " " + rest;
    if (!readForm(item.form)) return bad("the form is MAINFORM or FORM3, last");
    ++pixelChecksQueued_;
  } else if (verb == "auto-click") {
    long count = 100000;
    if (!readInt(in, autoX_) || !readInt(in, autoY_)) return bad("needs X Y");
    int n = 0;
    if (readInt(in, n)) count = n;
    if (count < 0 || !atEnd(in)) return bad("needs X Y [N]");
    autoClicks_ = count;
    return true;
  } else if (verb == "wait") {
    item.kind = Kind::wait;
    if (!readInt(in, item.value) || item.value < 0 || !atEnd(in)) return bad("needs MS");
  } else if (verb == "key") {
    static const std::pair<const char*, Key> keys[] = {
        {"enter", Key::enter},   {"escape", Key::escape},     {"space", Key::space},
        {"up", Key::up},         {"down", Key::down},         {"left", Key::left},
        {"right", Key::right},   {"pageup", Key::pageUp},     {"pagedown", Key::pageDown},
        {"f12", Key::f12},       {"tab", Key::tab},           {"home", Key::home},
        {"end", Key::end},       {"backspace", Key::backspace}, {"delete", Key::del}};
    std::string which;
    in >> which;
    item.kind = Kind::key;
    bool known = false;
    for (const auto& [name, key] : keys) {
      if (which == name) {
        item.key = key;
        known = true;
      }
    }
    if (!known || !atEnd(in)) return bad("needs a key: enter, escape, space, up, down, f12 ...");
  } else if (verb == "at") {
    // Game time runs long in a whole play: up to 2e9 ms (23 days).
    item.kind = Kind::at;
    long ms = -1;
    if (!(in >> ms) || ms < 0 || ms > 2000000000L || !atEnd(in)) return bad("needs MS");
    item.value = static_cast<int>(ms);
  } else {
    return false;
  }
  script_.push_back(item);
  return true;
}

Surface HeadlessDisplay::compose(Handle form) {
  if (!text_) text_ = std::make_unique<TextRenderer>();
  Surface out;
  composeForm(forms_, forms_.control(form), out, text_.get());
  return out;
}

void HeadlessDisplay::poll(Events& events) {
  // Only the lines of a due "at" are taken here: checks at once, inputs one at a time with
  // time passing between them, so that the game sees a press before its release.
  if (inAtGroup_ && lastAtInputMs_ == time_.nowMs()) return;
  if (!script_.empty() && script_.front().kind == Kind::at &&
      script_.front().value <= time_.nowMs()) {
    script_.pop_front();
    inAtGroup_ = true;
  }
  while (inAtGroup_) {
    if (script_.empty() || script_.front().kind == Kind::at ||
        script_.front().kind == Kind::wait) {
      inAtGroup_ = false;
      return;
    }
    const Item item = script_.front();
    script_.pop_front();
    if (!takeCheck(item)) {
      deliver(events, item);
      lastAtInputMs_ = time_.nowMs();
      return;
    }
  }
}

bool HeadlessDisplay::takeCheck(const Item& item) {
  if (item.kind == Kind::snapshot) {
    if (!writePng(compose(item.form), item.file)) {
      std::fprintf(stderr, "snapshot: cannot write %s\n", item.file.c_str());
    }
    return true;
  }
  if (item.kind == Kind::checkPixel) {
    const Surface shot = compose(item.form);
    const std::uint32_t have = shot.contains(item.x, item.y) ? shot.at(item.x, item.y) : 0;
    if ((have | 0xFF000000u) != item.argb || !shot.contains(item.x, item.y)) {
      char found[16];
      std::snprintf(found, sizeof found, "%06X", have & 0xFFFFFFu);
      pixelFailures_.push_back(item.text + ": the pixel is " +
                               (shot.contains(item.x, item.y) ? found : "off the form"));
    }
    return true;
  }
  return false;
}

void HeadlessDisplay::wait(Events& events, std::int64_t timeoutMs) {
  for (;;) {
    const std::int64_t now = time_.nowMs();
    if (waitUntil_ <= now && !script_.empty() && script_.front().kind == Kind::at) {
      // A wait before the time of an "at" lets time pass up to it; then its lines go on as
      // any others, one for each wait.
      if (script_.front().value > now) {
        waitUntil_ = script_.front().value;
      } else {
        script_.pop_front();
        continue;
      }
    }
    if (waitUntil_ > now) {
      // Time passes up to the next timer (which then runs) or the end of the wait.
      const std::int64_t until =
          timeoutMs >= 0 ? std::min(waitUntil_, now + timeoutMs) : waitUntil_;
      time_.sleepMs(until - now);
      return;
    }
    waitUntil_ = -1;
    if (script_.empty() && autoClicks_ > 0) {
      --autoClicks_;
      queue("click", std::to_string(autoX_) + " " + std::to_string(autoY_));
    }
    if (script_.empty()) {
      trace_.line("input exhausted");
      events.endProgram(0);
    }
    const Item item = script_.front();
    script_.pop_front();
    if (takeCheck(item)) continue;
    if (item.kind == Kind::wait) {
      waitUntil_ = now + item.value;
      continue;
    }
    deliver(events, item);
    return;
  }
}

std::vector<std::string> HeadlessDisplay::pixelFailures() const {
  std::vector<std::string> out = pixelFailures_;
  for (const Item& item : script_) {
    if (item.kind == Kind::checkPixel) out.push_back(item.text + ": not reached before the end");
  }
  return out;
}

std::int64_t HeadlessDisplay::nextPolledInputMs() const {
  if (inAtGroup_) return lastAtInputMs_ + 1;
  if (!script_.empty() && script_.front().kind == Kind::at) return script_.front().value;
  return std::numeric_limits<std::int64_t>::max();
}

void HeadlessDisplay::idle(Events&, std::int64_t ms) {
  time_.sleepMs(ms);
}

void HeadlessDisplay::deliver(Events& events, const Item& item) {
  // Pointer input goes to the main form unless the line named a panel picture.
  const Handle target = item.form != 0 ? item.form : forms_.mainForm();
  Widgets& widgets = events.widgets();
  bool worked = true;
  switch (item.kind) {
    case Kind::press:
      if (target != forms_.mainForm() && !forms_.control(target).visible) {
        std::fprintf(stderr, "input: the panel is not shown now; the click is ignored\n");
      }
      held_ |= item.button;
      events.pointer(target, PointerAction::down, item.button, held_, 0, item.x, item.y);
      break;
    case Kind::release: {
      const int released = item.button & held_ ? item.button : (held_ ? held_ & -held_ : 1);
      held_ &= ~released;
      events.pointer(target, PointerAction::up, released, held_, 0, item.x, item.y);
      break;
    }
    case Kind::move:
      events.pointer(target, PointerAction::move, 0, held_, 0, item.x, item.y);
      break;
    case Kind::button:
      worked = widgets.click(item.control);
      break;
    case Kind::key:
      events.key(target, item.key);
      break;
    case Kind::scroll:
      worked = widgets.scrollTo(item.control, item.value);
      break;
    case Kind::select:
      worked = widgets.select(item.control, item.value);
      break;
    case Kind::type:
      worked = widgets.type(item.control, item.text);
      break;
    case Kind::close:
      events.closeMainWindow();
      break;
    default:
      break;
  }
  if (!worked) {
    std::fprintf(stderr, "input: %s is not available now; ignored\n",
                 forms_.control(item.control).name.c_str());
  }
}

}  // namespace zav3::host
