// The message history and its page over the game.
#include "shell/backlog.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "host/drawing.hpp"
#include "host/events.hpp"
#include "host/numbers.hpp"
#include "shell/pictures.hpp"

namespace zav3::shell {

namespace {

constexpr std::size_t kept = 2000;  // lines
constexpr int rowHeight = 20;
constexpr int firstRow = 40;
constexpr int rows = 19;
constexpr int nameLeft = 24, textLeft = 40;
constexpr Integer titleColour = 15, nameColour = 11, textColour = 15, hintColour = 7;

struct Row {
  Bytes text;
  int left;
  Integer colour;
};

std::vector<Row> rowsOf(const Main& m) {
  std::vector<Row> out;
  for (const Main::BacklogLine& line : m.backlog) {
    if (line.firstOfMessage) {
      if (!out.empty()) out.push_back({"", 0, textColour});
      if (line.speaker > 0 && line.speaker <= Main::personLast &&
          !m.personName(line.speaker).empty()) {
        out.push_back({host::sj("【") + m.personName(line.speaker) + host::sj("】"), nameLeft,
                       nameColour});
      }
    }
    out.push_back({line.text, textLeft, textColour});
  }
  return out;
}

void draw(Main& m, const host::Surface& under, const std::vector<Row>& all, int offset) {
  host::Surface& screen = m.host.forms.surface(m.PICTURE1);
  screen = under;
  // The game shows through, dimmed.
  for (std::uint32_t& p : screen.pixels()) {
    const std::uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    p = 0xFF000000u | ((r / 5) << 16) | ((g / 5) << 8) | (b / 5 + 24);
  }
  printText(m, m.PICTURE1, nameLeft, 12, host::sj("これまでの会話"), titleColour);
  const int count = static_cast<int>(all.size());
  const int last = count - offset;  // one past the last row shown
  const int first = std::max(0, last - rows);
  for (int i = first; i < last; ++i) {
    const Row& row = all[static_cast<std::size_t>(i)];
    if (row.text.empty()) continue;
    printText(m, m.PICTURE1, row.left, firstRow + (i - first) * rowHeight, row.text, row.colour);
  }
  printText(m, m.PICTURE1, nameLeft, 428,
            host::sj("ホイール・ＰａｇｅＵｐ／Ｄｏｗｎでめくる　Ｅｓｃ・右クリックで閉じる"),
            hintColour);
}

}  // namespace

void rememberLine(Main& m, const Bytes& face, const Bytes& text) {
  const Integer speaker = face.size() >= 2 ? static_cast<Integer>(host::textToNumber(face.substr(0, 2))) : 0;
  m.backlog.push_back({speaker, text, m.backlogNewMessage});
  m.backlogNewMessage = false;
  while (m.backlog.size() > kept) m.backlog.pop_front();
  // The oldest line left opens its message.
  if (!m.backlog.empty()) m.backlog.front().firstOfMessage = true;
}

void runBacklog(Main& m) {
  m.backlogRequested = false;
  if (m.backlog.empty()) return;
  host::Surface& screen = m.host.forms.surface(m.PICTURE1);
  const host::Surface under = screen;
  const std::vector<Row> all = rowsOf(m);
  const int most = std::max(0, static_cast<int>(all.size()) - rows);
  const Integer savedInput = m.inputCode;
  const Single savedX = m.mouseX, savedY = m.mouseY, savedWaiting = m.mouseWaiting;
  m.inBacklog = true;
  int offset = std::min(3, most);  // opened by a turn upwards
  draw(m, under, all, offset);
  for (;;) {
    m.inputCode = 0;
    m.backlogScroll = 0;
    m.backlogClose = false;
    m.host.events->waitForEvent();
    if (m.inputCode == 2 || m.backlogClose) break;
    if (m.backlogScroll == 0) continue;
    offset += m.backlogScroll;
    if (offset < 0) break;  // turned down past the newest line
    offset = std::min(offset, most);
    draw(m, under, all, offset);
  }
  screen = under;
  m.inBacklog = false;
  m.backlogScroll = 0;
  m.backlogClose = false;
  m.inputCode = savedInput;
  m.mouseX = savedX;
  m.mouseY = savedY;
  m.mouseWaiting = savedWaiting;
}

}  // namespace zav3::shell
