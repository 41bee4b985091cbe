// The list window: geometry of both placements, the saved screen, picking with the highlight,
// and the scenario's list display.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/shell_fixture.hpp"

namespace zav3::testing {
namespace {

class ListWindowTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    // A screen where every pixel differs from its neighbours, to see what is restored.
    host::Surface& screen = surface(m().PICTURE1);
    for (int y = 0; y < screen.height(); ++y) {
      for (int x = 0; x < screen.width(); ++x) {
        screen.set(x, y, px(static_cast<host::GameColour>((x * 7 + y * 640) & 0xFFFFFF)));
      }
    }
    m().panelTile = host::Surface(24, 8, px(0x406080));
  }
  std::vector<std::uint32_t> screenPixels() { return surface(m().PICTURE1).pixels(); }
  void setItems(std::initializer_list<const char*> items) {
    Integer i = 0;
    for (const char* item : items) m().choiceText(i++) = host::sj(item);
  }
  // Screen point inside item i of the prepared window.
  std::string clickOnItem(Integer i, int dx = 40, int dy = 5) {
    return "click " + std::to_string(m().listLeft + dx) + " " +
           std::to_string(m().listTop + 16 + 20 * i + dy);
  }
  void queueLine(const std::string& line) {
    const size_t blank = line.find(' ');
    ASSERT_TRUE(display().queue(line.substr(0, blank), line.substr(blank + 1)));
  }
};

TEST_F(ListWindowTest, GeometryOfBothPlacements) {
  Main& g = m();
  struct Case {
    Integer columns, rows, placement;
    Integer left, top, width, height;
  } cases[] = {
      {9, 2, 0, 438, 32, 176, 72},   // narrow: fixed left edge
      {10, 3, 0, 438, 32, 192, 92},  // 192 wide is no longer narrow: 630 - 192
      {12, 10, 0, 406, 32, 224, 232},
      {9, 2, 1, 232, 107, 176, 72},  // centred on the 640 x 286 scene
      {11, 3, 1, 216, 97, 208, 92},
  };
  for (const Case& c : cases) {
    g.listColumns = c.columns;
    g.listRows = c.rows;
    g.listPlacement = c.placement;
    shell::prepareListWindow(g);
    EXPECT_EQ(g.listLeft, c.left) << c.columns << "x" << c.rows << " placement " << c.placement;
    EXPECT_EQ(g.listTop, c.top) << c.columns << "x" << c.rows;
    EXPECT_EQ(g.listWidth, c.width);
    EXPECT_EQ(g.listHeight, c.height);
    EXPECT_EQ(host_->forms.control(g.PICTURE2).width, c.width);
    EXPECT_EQ(host_->forms.control(g.PICTURE14).height, c.height);
  }
  // The centred placement moves with the list window offset.
  g.frameX(0) = 5;
  g.frameY(0) = -3;
  g.listColumns = 9;
  g.listRows = 2;
  shell::prepareListWindow(g);
  EXPECT_EQ(g.listLeft, 237);
  EXPECT_EQ(g.listTop, 104);
}

TEST_F(ListWindowTest, PrepareSavesTheScreenAndDrawsTheFrame) {
  Main& g = m();
  g.listColumns = 9;
  g.listRows = 2;
  shell::prepareListWindow(g);
  const host::Surface& saved = surface(g.PICTURE14);
  const host::Surface& screen = surface(g.PICTURE1);
  EXPECT_EQ(saved.at(0, 0), screen.at(g.listLeft, g.listTop));
  EXPECT_EQ(saved.at(175, 71), screen.at(g.listLeft + 175, g.listTop + 71));
  const host::Surface& window = surface(g.PICTURE2);
  EXPECT_EQ(window.at(50, 0), px(host::rgb(168, 220, 121)));
  EXPECT_EQ(window.at(50, 2), px(host::rgb(168, 220, 121)));
  EXPECT_EQ(window.at(50, 40), px(0x406080)) << "tiled inside";
  EXPECT_FALSE(host_->forms.isVisible(g.PICTURE2));
}

TEST_F(ListWindowTest, PickReturnsTheItemNumberAndRestoresTheScreen) {
  Main& g = m();
  const auto before = screenPixels();
  g.listColumns = 9;
  g.listRows = 3;
  shell::prepareListWindow(g);
  setItems({"最初からプレイ", "ＬＯＡＤしてプレイ", "キャンセル"});
  // Off the items (left margin, below the last item) the presses are ignored; the boundary
  // between items 1 and 2 belongs to item 2, the right text edge is inclusive.
  queueLine(clickOnItem(0, 15));
  queueLine(clickOnItem(3, 40, 0));
  queueLine(clickOnItem(1, g.listWidth - 16, 0));
  EXPECT_EQ(shell::runListWindow(g), 2);
  EXPECT_EQ(g.listChoice, 2);
  EXPECT_EQ(display().pending(), 0u);
  EXPECT_TRUE(screenPixels() == before);
  for (Integer i = 0; i <= 10; ++i) EXPECT_TRUE(g.choiceText(i).empty());
  EXPECT_FALSE(host_->forms.isEnabled(g.PICTURE1));
  EXPECT_EQ(g.autoAdvance, 0);

  // The bottom edge of the last item; a right press also switches automatic advance on after a
  // finished play.
  g.gameVar(131) = 1;
  shell::prepareListWindow(g);
  setItems({"Ａ", "Ｂ", "Ｃ"});
  queueLine("rclick " + std::to_string(g.listLeft + 16) + " " + std::to_string(g.listTop + 75));
  EXPECT_EQ(shell::runListWindow(g), 3);
  EXPECT_EQ(g.autoAdvance, 1);
}

TEST_F(ListWindowTest, HighlightFollowsThePointerAndDrawingItTwiceRestores) {
  Main& g = m();
  g.listColumns = 9;
  g.listRows = 2;
  shell::prepareListWindow(g);
  setItems({"Ａ", "Ｂ"});
  const host::Surface window = surface(g.PICTURE2);
  // The pointer rests on item 0 when the list opens; timer ticks let the test look at the screen
  // while the window waits.
  g.mouseX = static_cast<Single>(g.listLeft + 40);
  g.mouseY = static_cast<Single>(g.listTop + 20);
  std::vector<std::vector<std::uint32_t>> looks;
  g.musicLoopCheck = [&](Main&) { looks.push_back(screenPixels()); };
  host_->forms.timerEnable(g.TIMER1, -1);
  input({"wait 250"});
  queueLine(clickOnItem(0, 5));  // in the left margin: no item, the highlight goes
  input({"wait 250"});
  queueLine(clickOnItem(1));
  EXPECT_EQ(shell::runListWindow(g), 2);
  ASSERT_GE(looks.size(), 2u);
  const auto& highlighted = looks.front();
  const auto& plain = looks.back();
  const int width = surface(g.PICTURE1).width();
  auto at = [&](const std::vector<std::uint32_t>& s, int x, int y) {
    return s[static_cast<size_t>(y * width + x)];
  };
  // The outline of item 0 is inverted while highlighted, its inside is not.
  const int x1 = g.listLeft + 16;
  const int y1 = g.listTop + 16;
  EXPECT_EQ(at(highlighted, x1 + 30, y1), at(plain, x1 + 30, y1) ^ 0x00FFFFFFu);
  EXPECT_EQ(at(highlighted, x1, y1 + 10), at(plain, x1, y1 + 10) ^ 0x00FFFFFFu);
  EXPECT_EQ(at(highlighted, x1 + 3, y1 + 2), at(plain, x1 + 3, y1 + 2));
  // Removing the highlight restored every pixel of the outline (rows free of text).
  bool outlineGone = true;
  for (int x = x1; x <= g.listLeft + g.listWidth - 16; ++x) {
    for (int y : {y1, y1 + 19}) {
      outlineGone = outlineGone && at(plain, x, y) == window.at(x - g.listLeft, y - g.listTop);
    }
  }
  EXPECT_TRUE(outlineGone);
}

TEST_F(ListWindowTest, ScenarioListDisplayTypesTheLinesAndWaitsForAClick) {
  Main& g = m();
  const auto before = screenPixels();
  input({"click 10 10"});
  const std::int64_t start = now();
  hooks_.listDisplay(g, {host::sj("一二三"), host::sj("四五")});
  EXPECT_EQ(now() - start, 5 * 100) << "100 ms after each character";
  EXPECT_EQ(g.listColumns, 3);
  EXPECT_EQ(g.listRows, 2);
  EXPECT_EQ(g.listLeft, 438);
  EXPECT_TRUE(screenPixels() == before);
  const auto& lines = host_->trace.lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "list 一二三 | 四五");
  EXPECT_EQ(lines.back(), "click");
}

}  // namespace
}  // namespace zav3::testing
