// SDL message boxes and the drawn input box and save-file dialog.
#include "host/sdl/sdl_dialogs.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "host/drawing.hpp"
#include "host/widgets.hpp"

namespace zav3::host {

namespace {

constexpr std::uint32_t faceArgb = 0xFFC0C0C0u;
constexpr std::uint32_t ink = 0xFF000000u;

Control makeControl(ControlKind kind, int left, int top, int width, int height,
                    const Bytes& caption = {}) {
  Control c;
  c.kind = kind;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.caption = caption;
  c.fontName = sj("ＭＳ Ｐゴシック");
  c.fontSize = 12;
  if (kind == ControlKind::edit) c.backColour = colours::white;
  return c;
}

// A modal window of fixed controls: labels, one edit line, OK and Cancel, and an optional list
// of lines (the folders of the save-file dialog).
class DrawnDialog {
 public:
  DrawnDialog(SdlDisplay& display, Events& events, const Bytes& title, int width, int height)
      : display_(display), events_(events), width_(width), height_(height) {
    int mw = 0;
    int mh = 0;
    SDL_GetWindowSize(display.mainWindow(), &mw, &mh);
    const int scale = std::max(1, std::min(mw / Forms::screenWidth, mh / Forms::screenHeight));
    window_ = SDL_CreateWindow(sjisToUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED,
                               SDL_WINDOWPOS_CENTERED, width * scale, height * scale, 0);
    if (window_) {
      SDL_SetWindowModalFor(window_, display.mainWindow());
      renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (renderer_) {
      SDL_RenderSetLogicalSize(renderer_, width, height);
      SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
      texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                   width, height);
    }
  }
  ~DrawnDialog() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
  }
  DrawnDialog(const DrawnDialog&) = delete;
  DrawnDialog& operator=(const DrawnDialog&) = delete;

  bool usable() const { return texture_ != nullptr; }

  struct Label {
    int x, y;
    Bytes text;
  };
  std::vector<Label> labels;
  Control edit;
  Control okButton;
  Control cancelButton;
  // The list: its rectangle, its lines, and what a click on line i does.
  Control listBox;
  std::vector<Bytes> lines;
  std::function<void(int)> onLine;
  std::function<void()> onEdit;  // the edit line changed
  int listTop = 0;

  // Runs until OK (true) or Cancel (false).
  bool run() {
    SDL_RaiseWindow(window_);
    bool dirty = true;
    for (;;) {
      if (dirty) {
        paint();
        dirty = false;
      }
      SDL_Event e;
      if (!SDL_WaitEventTimeout(&e, 500)) continue;
      do {
        if (const auto r = handle(e)) return *r == 1;
      } while (SDL_PollEvent(&e));
      dirty = true;
    }
  }

 private:
  // 1 = OK, 0 = Cancel, nothing = go on.
  std::optional<int> handle(const SDL_Event& e) {
    const std::uint32_t mine = SDL_GetWindowID(window_);
    switch (e.type) {
      case SDL_QUIT:
        events_.closeMainWindow();
        return 0;
      case SDL_WINDOWEVENT:
        if (e.window.windowID != mine) {
          if (e.window.event == SDL_WINDOWEVENT_CLOSE &&
              e.window.windowID == SDL_GetWindowID(display_.mainWindow())) {
            events_.closeMainWindow();
            return 0;
          }
          if (e.window.event == SDL_WINDOWEVENT_EXPOSED) display_.present(true);
          return std::nullopt;
        }
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) return 0;
        return std::nullopt;
      case SDL_MOUSEBUTTONDOWN: {
        if (e.button.windowID != mine || e.button.button != SDL_BUTTON_LEFT) break;
        const int x = e.button.x;
        const int y = e.button.y;
        for (Control* b : {&okButton, &cancelButton}) {
          if (b->contains(x, y)) {
            b->ui.pressedPart = 1;
            b->ui.pointerInside = true;
          }
        }
        if (edit.contains(x, y)) {
          editFocused_ = true;
          edit.ui.caret = static_cast<int>(charLength(edit.text));
        }
        if (onLine && listBox.contains(x, y)) {
          const int row = (y - listBox.top - 2) / rowHeight() + listTop;
          if (row >= 0 && row < static_cast<int>(lines.size())) onLine(row);
        }
        break;
      }
      case SDL_MOUSEMOTION:
        if (e.motion.windowID != mine) break;
        for (Control* b : {&okButton, &cancelButton}) {
          if (b->ui.pressedPart) b->ui.pointerInside = b->contains(e.motion.x, e.motion.y);
        }
        break;
      case SDL_MOUSEBUTTONUP: {
        if (e.button.windowID != mine) break;
        for (Control* b : {&okButton, &cancelButton}) {
          const bool click = b->ui.pressedPart && b->contains(e.button.x, e.button.y);
          b->ui.pressedPart = 0;
          b->ui.pointerInside = false;
          if (click) return b == &okButton ? 1 : 0;
        }
        break;
      }
      case SDL_MOUSEWHEEL:
        if (e.wheel.windowID != mine || !onLine) break;
        listTop = std::clamp(listTop - e.wheel.y, 0,
                             std::max(0, static_cast<int>(lines.size()) - visibleRows()));
        break;
      case SDL_KEYDOWN: {
        if (e.key.windowID != mine) break;
        switch (e.key.keysym.sym) {
          case SDLK_RETURN:
          case SDLK_KP_ENTER:
            return 1;
          case SDLK_ESCAPE:
            return 0;
          case SDLK_BACKSPACE:
            editWith(Key::backspace);
            break;
          case SDLK_DELETE:
            editWith(Key::del);
            break;
          case SDLK_LEFT:
            editWith(Key::left);
            break;
          case SDLK_RIGHT:
            editWith(Key::right);
            break;
          case SDLK_HOME:
            editWith(Key::home);
            break;
          case SDLK_END:
            editWith(Key::end);
            break;
          default:
            break;
        }
        break;
      }
      case SDL_TEXTINPUT: {
        if (e.text.windowID != mine) break;
        if (auto sjis = utf8ToSjis(e.text.text)) {
          if (editInsert(edit, *sjis) && onEdit) onEdit();
        }
        break;
      }
      default:
        break;
    }
    return std::nullopt;
  }

  void editWith(Key k) {
    if (editKey(edit, k) && onEdit) onEdit();
  }

  int rowHeight() const { return fontPixels(listBox.fontSize) + 4; }
  int visibleRows() const { return std::max(1, (listBox.height - 4) / rowHeight()); }

  void paint() {
    TextRenderer& text = display_.text();
    Surface s(width_, height_, faceArgb);
    Surface part;
    for (const Label& l : labels) {
      text.draw(s, FontSpec{edit.fontName, edit.fontSize}, l.x, l.y, l.text, ink);
    }
    if (onLine) {
      Control box = listBox;
      box.kind = ControlKind::edit;
      box.text.clear();
      paintControl(box, false, part, nullptr);
      const int rows = visibleRows();
      listTop = std::clamp(listTop, 0, std::max(0, static_cast<int>(lines.size()) - rows));
      for (int r = 0; r < rows && listTop + r < static_cast<int>(lines.size()); ++r) {
        text.draw(part, FontSpec{listBox.fontName, listBox.fontSize}, 6, 3 + r * rowHeight(),
                  lines[static_cast<size_t>(listTop + r)], ink);
      }
      copyRect(s, listBox.left, listBox.top, part.width(), part.height(), part, 0, 0);
    }
    paintControl(edit, editFocused_, part, &text);
    copyRect(s, edit.left, edit.top, part.width(), part.height(), part, 0, 0);
    for (const Control* b : {&okButton, &cancelButton}) {
      paintControl(*b, false, part, &text);
      copyRect(s, b->left, b->top, part.width(), part.height(), part, 0, 0);
    }
    SDL_UpdateTexture(texture_, nullptr, s.pixels().data(),
                      width_ * static_cast<int>(sizeof(std::uint32_t)));
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
  }

  SdlDisplay& display_;
  Events& events_;
  int width_;
  int height_;
  bool editFocused_ = true;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
};

// The folder part of a game path, with its trailing backslash ("C:\A\B.TXT" -> "C:\A\").
Bytes folderOf(const Bytes& path) {
  size_t cut = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\') cut = i + 1;
    if (isLeadByte(static_cast<std::uint8_t>(path[i]))) ++i;
  }
  return path.substr(0, cut);
}

}  // namespace

std::string wrapBoxText(const std::string& utf8, int columns) {
  std::string out, line;
  int width = 0;
  std::size_t lastBlank = std::string::npos;  // in `line`
  int widthAtBlank = 0;
  auto flush = [&] {
    out += line;
    line.clear();
    width = 0;
    lastBlank = std::string::npos;
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    n = std::min(n, utf8.size() - i);
    const std::string ch = utf8.substr(i, n);
    i += n;
    if (ch == "\n") {
      line += ch;
      flush();
      continue;
    }
    // Everything from U+1100 on counts double: kana, kanji and full-width forms.
    const int w = c >= 0xE1 ? 2 : 1;
    if (width + w > columns && width > 0) {
      if (ch == " ") {
        line += "\n";
        flush();
        continue;
      }
      if (lastBlank != std::string::npos) {
        const std::string rest = line.substr(lastBlank + 1);
        const int restWidth = width - widthAtBlank - 1;
        line.erase(lastBlank);
        line += "\n";
        flush();
        line = rest;
        width = restWidth;
      } else {
        line += "\n";
        flush();
      }
    }
    if (ch == " ") {
      lastBlank = line.size();
      widthAtBlank = width;
    }
    line += ch;
    width += w;
  }
  out += line;
  return out;
}

BoxAnswer SdlDialogs::messageBox(const Bytes& text, const Bytes& caption, BoxButtons buttons,
                                 BoxIcon icon) {
  const auto offered = buttonsOf(buttons);
  static const char* const names[] = {"OK",   "キャンセル", "中止",  "再試行",
                                      "無視", "はい",       "いいえ"};
  std::vector<SDL_MessageBoxButtonData> data;
  for (size_t i = 0; i < offered.size(); ++i) {
    SDL_MessageBoxButtonData b{};
    b.buttonid = static_cast<int>(offered[i]);
    b.text = names[b.buttonid];
    if (i == 0) b.flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (offered[i] == BoxAnswer::cancel || (offered.size() == 1) ||
        (offered[i] == BoxAnswer::no && buttons == BoxButtons::yesNo)) {
      b.flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    }
    data.push_back(b);
  }
  std::uint32_t flags = SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  switch (icon) {
    case BoxIcon::stop:
      flags |= SDL_MESSAGEBOX_ERROR;
      break;
    case BoxIcon::exclamation:
      flags |= SDL_MESSAGEBOX_WARNING;
      break;
    case BoxIcon::question:
    case BoxIcon::information:
      flags |= SDL_MESSAGEBOX_INFORMATION;
      break;
    default:
      break;
  }
  const std::string title = sjisToUtf8(caption);
  // Boxes as wide as their text, but never wider than the game's window.
  constexpr int boxColumns = 60;
  const std::string message = wrapBoxText(sjisToUtf8(text), boxColumns);
  display_.present(true);
  SDL_MessageBoxData box{};
  box.flags = flags;
  box.window = display_.mainWindow();
  box.title = title.c_str();
  box.message = message.c_str();
  box.numbuttons = static_cast<int>(data.size());
  box.buttons = data.data();
  int pressed = -1;
  if (SDL_ShowMessageBox(&box, &pressed) != 0 || pressed < 0) {
    std::fprintf(stderr, "[box] %s: %s -> %s\n", title.c_str(), message.c_str(),
                 answerWord(offered.front()));
    return offered.front();
  }
  display_.present(true);
  return static_cast<BoxAnswer>(pressed);
}

Bytes SdlDialogs::inputBox(const Bytes& prompt, const Bytes& title, const Bytes& defaultText) {
  DrawnDialog d(display_, events_, title, 400, 130);
  if (!d.usable()) return defaultText;
  d.labels.push_back({12, 12, prompt});
  d.edit = makeControl(ControlKind::edit, 12, 56, 376, 24);
  d.edit.text = defaultText;
  d.edit.ui.caret = static_cast<int>(charLength(defaultText));
  d.okButton = makeControl(ControlKind::button, 220, 94, 80, 24, "OK");
  d.cancelButton = makeControl(ControlKind::button, 308, 94, 80, 24, sj("キャンセル"));
  const bool ok = d.run();
  display_.present(true);
  return ok ? d.edit.text : cancelText;
}

Bytes SdlDialogs::saveFileDialog(const Bytes& title, const Bytes& proposed, const Bytes&) {
  DrawnDialog d(display_, events_, title, 480, 340);
  if (!d.usable()) return proposed;
  d.labels.push_back({12, 8, sj("保存する場所")});
  d.labels.push_back({12, 262, sj("ファイル名（パス）")});
  d.listBox = makeControl(ControlKind::edit, 12, 48, 456, 204);
  d.edit = makeControl(ControlKind::edit, 12, 280, 456, 24);
  d.edit.text = proposed;
  d.edit.ui.caret = static_cast<int>(charLength(proposed));
  d.okButton = makeControl(ControlKind::button, 300, 310, 80, 24, "OK");
  d.cancelButton = makeControl(ControlKind::button, 388, 310, 80, 24, sj("キャンセル"));

  // The list shows ".." and the folders in the edit line's folder; a click walks into one.
  Bytes listed = "\x01";
  std::vector<Bytes> folders;
  auto relist = [&]() {
    const Bytes folder = folderOf(d.edit.text);
    if (folder == listed) return;
    listed = folder;
    folders.clear();
    std::error_code ec;
    if (!folder.empty()) {
      try {
        const auto real = files_.paths().toReal(folder);
        for (const auto& entry : std::filesystem::directory_iterator(real, ec)) {
          std::error_code ec2;
          if (!entry.is_directory(ec2)) continue;
          const std::string name = entry.path().filename().string();
          if (name.empty() || name[0] == '.') continue;
          if (auto sjis = utf8ToSjis(name)) folders.push_back(*sjis);
        }
      } catch (const std::exception&) {
        // An unmapped drive or a bad name: an empty list.
      }
    }
    std::sort(folders.begin(), folders.end());
    d.lines.clear();
    d.lines.push_back("..");
    for (const Bytes& f : folders) d.lines.push_back("[" + f + "]");
    d.listTop = 0;
    d.labels.resize(2);
    d.labels.push_back({12, 26, folder});
  };
  d.onEdit = relist;
  d.onLine = [&](int line) {
    const Bytes file = d.edit.text.substr(folderOf(d.edit.text).size());
    Bytes folder = folderOf(d.edit.text);
    if (line == 0) {
      // Up one folder, never above the drive's root.
      const Bytes inner = folder.size() > 1 ? folder.substr(0, folder.size() - 1) : folder;
      const Bytes up = folderOf(inner);
      if (!up.empty()) folder = up;
    } else {
      folder += folders[static_cast<size_t>(line - 1)] + "\\";
    }
    d.edit.text = folder + file;
    d.edit.ui.caret = static_cast<int>(charLength(d.edit.text));
    relist();
  };
  relist();
  const bool ok = d.run();
  display_.present(true);
  return ok ? d.edit.text : cancelText;
}

}  // namespace zav3::host
