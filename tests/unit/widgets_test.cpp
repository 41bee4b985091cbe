// The strategy panel's widgets: scroll bar parts and steps, dragging, auto-repeat, buttons,
// drop-down lists, edit boxes and the composition of forms.
#include "host/widgets.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zav3::host {
namespace {

class WidgetsTest : public ::testing::Test {
 protected:
  WidgetsTest() : widgets_(forms_, [this](const std::string& p) { posted_.push_back(p); }) {
    forms_.loadForm("FORM3", -1);
  }
  Control& panel() { return forms_.control(forms_.panelForm()); }
  Control& get(const char* name) { return forms_.control(forms_.find(forms_.panelForm(), name)); }
  // A click at (x, y) of the panel.
  void click(int x, int y) {
    widgets_.pointerDown(panel(), x, y, leftButton, now_);
    widgets_.pointerUp(panel(), x, y, leftButton);
  }

  Forms forms_;
  Widgets widgets_;
  std::vector<std::string> posted_;
  std::int64_t now_ = 0;
};

TEST_F(WidgetsTest, ScrollBarPartsAndThumb) {
  const Control& bar = get("VSCROLL4");  // 16 x 64, range 0..5, value 3
  const ScrollGeometry g = scrollGeometry(bar);
  EXPECT_EQ(g.arrow, 16);
  EXPECT_EQ(g.trackLength, 32);
  EXPECT_EQ(g.thumbLength, 16);
  EXPECT_EQ(g.thumbStart, 16 + 10);  // 3/5 of the 16 pixels the thumb can travel (9.6)
  EXPECT_EQ(scrollPartAt(bar, 8, 0), ScrollPart::lowArrow);
  EXPECT_EQ(scrollPartAt(bar, 8, 15), ScrollPart::lowArrow);
  EXPECT_EQ(scrollPartAt(bar, 8, 20), ScrollPart::lowTrack);
  EXPECT_EQ(scrollPartAt(bar, 8, 30), ScrollPart::thumb);
  EXPECT_EQ(scrollPartAt(bar, 8, 47), ScrollPart::highTrack);
  EXPECT_EQ(scrollPartAt(bar, 8, 48), ScrollPart::highArrow);
  EXPECT_EQ(scrollPartAt(bar, 8, 64), ScrollPart::none);
  EXPECT_EQ(scrollValueAt(bar, 16), 0);
  EXPECT_EQ(scrollValueAt(bar, 32), 5);
  EXPECT_EQ(scrollValueAt(bar, 100), 5);

  const Control& h = get("HSCROLL1");  // horizontal: parts run along x
  EXPECT_EQ(scrollPartAt(h, 3, 8), ScrollPart::lowArrow);
  EXPECT_EQ(scrollPartAt(h, 215, 8), ScrollPart::highArrow);
  EXPECT_EQ(scrollPartAt(h, 108, 8), ScrollPart::thumb);  // value 0 of -90..90: the middle
}

TEST_F(WidgetsTest, ScrollStepsClampToTheRange) {
  Control& bar = get("VSCROLL3");  // 344, 168, 16 x 88; 100..19900, steps 100 / 1000
  click(350, 170);                 // up arrow
  EXPECT_EQ(bar.value, 9900);
  click(350, 250);  // down arrow
  click(350, 250);
  EXPECT_EQ(bar.value, 10100);
  EXPECT_EQ(posted_, (std::vector<std::string>(3, "VSCROLL3_CHANGE")));
  const int thumb = scrollGeometry(bar).thumbStart;
  click(350, 168 + thumb + 20);  // track below the thumb: a large step
  EXPECT_EQ(bar.value, 11100);
  forms_.setScrollValue(bar.handle, 19850);
  posted_.clear();
  click(350, 250);  // 19850 + 100 stops at the end, 19900
  click(350, 250);  // no change: no event
  EXPECT_EQ(bar.value, 19900);
  EXPECT_EQ(posted_.size(), 1u);
  forms_.setScrollValue(bar.handle, 100);
  click(350, 170);       // already at the low end
  click(350, 168 + 16);  // a press on the thumb without a drag changes nothing
  EXPECT_EQ(bar.value, 100);
  EXPECT_EQ(posted_.size(), 1u);

  Control& v4 = get("VSCROLL4");  // large step 1
  click(300, 168 + 64 - 20);
  EXPECT_EQ(v4.value, 4);
}

TEST_F(WidgetsTest, HeldArrowRepeatsAndDraggingChangesOnRelease) {
  Control& bar = get("VSCROLL2");  // 248, 168, 16 x 88; 1..100
  widgets_.pointerDown(panel(), 255, 250, leftButton, 1000);
  EXPECT_EQ(bar.value, 2);
  EXPECT_EQ(widgets_.tick(1399), 1400);
  EXPECT_EQ(bar.value, 2);
  widgets_.tick(1400 + 4 * Widgets::repeatRateMs);  // five repeats by now
  EXPECT_EQ(bar.value, 7);
  widgets_.pointerMove(panel(), 100, 100);  // off the arrow: the repeat pauses
  widgets_.tick(3000);
  EXPECT_EQ(bar.value, 7);
  widgets_.pointerUp(panel(), 100, 100, leftButton);
  EXPECT_EQ(widgets_.tick(5000), 0);
  posted_.clear();

  // Dragging the thumb to the far end: the value follows, one change at the release.
  const int thumb = 168 + scrollGeometry(bar).thumbStart + 4;
  widgets_.pointerDown(panel(), 255, thumb, leftButton, 6000);
  widgets_.pointerMove(panel(), 255, thumb + 30);
  widgets_.pointerMove(panel(), 255, 400);
  EXPECT_EQ(bar.value, 100);
  EXPECT_TRUE(posted_.empty());
  widgets_.pointerUp(panel(), 255, 400, leftButton);
  EXPECT_EQ(posted_, std::vector<std::string>{"VSCROLL2_CHANGE"});
}

TEST_F(WidgetsTest, ButtonsClickOnReleaseInside) {
  click(660, 250);
  EXPECT_EQ(posted_, std::vector<std::string>{"BUTTON8_ON"});
  widgets_.pointerDown(panel(), 660, 250, leftButton, 0);
  EXPECT_EQ(get("BUTTON8").ui.pressedPart, 1);
  widgets_.pointerMove(panel(), 600, 100);
  EXPECT_FALSE(get("BUTTON8").ui.pointerInside);
  widgets_.pointerUp(panel(), 600, 100, leftButton);
  EXPECT_EQ(posted_.size(), 1u) << "released outside";
  widgets_.pointerDown(panel(), 660, 250, rightButton, 0);
  widgets_.pointerUp(panel(), 660, 250, rightButton);
  EXPECT_EQ(posted_.size(), 1u) << "right button";

  forms_.setEnabled(get("BUTTON8").handle, 0);
  click(660, 250);
  EXPECT_FALSE(widgets_.click(get("BUTTON8").handle));
  forms_.setVisible(get("BUTTON9").handle, 0);
  click(10, 245);
  EXPECT_EQ(posted_.size(), 1u);
  forms_.setVisible(forms_.panelForm(), 0);
  EXPECT_FALSE(widgets_.click(get("BUTTON7").handle)) << "hidden form";
}

TEST_F(WidgetsTest, DropDownListPicksAndCloses) {
  Control& list = get("COMBO1");
  for (const char* item : {"   停 止", "　　１０ｋｍ／ｓ", "　１００ｋｍ／ｓ"}) {
    forms_.listAdd(list.handle, sj(item));
  }
  click(130, 245);
  ASSERT_TRUE(list.ui.listOpen);
  const ListBox box = comboListBox(list, panel());
  EXPECT_EQ(box.rows, 3);
  EXPECT_EQ(box.width, list.width);
  EXPECT_LE(box.top + box.height, panel().clientHeight) << "opens upwards when needed";
  EXPECT_TRUE(posted_.empty());
  click(box.left + 5, box.top + 1 + box.itemHeight * 2 + 2);  // the third item
  EXPECT_FALSE(list.ui.listOpen);
  EXPECT_EQ(list.selected, 2);
  EXPECT_EQ(list.text, sj("　１００ｋｍ／ｓ"));
  EXPECT_EQ(posted_, std::vector<std::string>{"COMBO1_CHANGE"});

  // A press elsewhere closes the open list and is not passed on.
  click(130, 245);
  ASSERT_TRUE(list.ui.listOpen);
  EXPECT_TRUE(widgets_.pointerDown(panel(), 660, 250, leftButton, 0));
  widgets_.pointerUp(panel(), 660, 250, leftButton);
  EXPECT_FALSE(list.ui.listOpen);
  EXPECT_EQ(posted_.size(), 1u);

  // Keys on the focused list step through the items.
  widgets_.key(panel(), Key::up);
  EXPECT_EQ(list.selected, 1);
  EXPECT_EQ(posted_.size(), 2u);
  EXPECT_TRUE(widgets_.select(list.handle, 0));
  EXPECT_FALSE(widgets_.select(list.handle, 3));
  EXPECT_EQ(list.text, sj("   停 止"));
  EXPECT_EQ(posted_.size(), 3u);
}

TEST_F(WidgetsTest, EditBoxesKeepTheirMaximumLength) {
  Control& edit = get("EDIT48");  // at most 6 characters
  click(680, 190);
  EXPECT_EQ(panel().focus, edit.handle);
  widgets_.typed(panel(), sj("12３４"));
  widgets_.typed(panel(), sj("5６78"));
  EXPECT_EQ(edit.text, sj("12３４5６"));
  widgets_.key(panel(), Key::backspace);
  widgets_.key(panel(), Key::left);
  widgets_.key(panel(), Key::backspace);
  EXPECT_EQ(edit.text, sj("12３5"));
  widgets_.typed(panel(), sj("\x01X"));  // control characters are dropped
  EXPECT_EQ(edit.text, sj("12３X5"));
  widgets_.key(panel(), Key::home);
  widgets_.key(panel(), Key::del);
  EXPECT_EQ(edit.text, sj("2３X5"));
  EXPECT_TRUE(widgets_.type(get("EDIT1").handle, sj("ABCDEFGHIJKL")));
  EXPECT_EQ(get("EDIT1").text, "ABCDEFGHIJ");
}

TEST_F(WidgetsTest, KeyboardAndWheelWorkTheFocusedWidget) {
  panel().focus = get("BUTTON15").handle;  // the last widget: Tab wraps to the first
  widgets_.key(panel(), Key::tab);
  EXPECT_EQ(panel().focus, get("HSCROLL1").handle);
  widgets_.key(panel(), Key::right);
  widgets_.key(panel(), Key::end);
  EXPECT_EQ(get("HSCROLL1").value, 90);
  forms_.setEnabled(get("VSCROLL1").handle, 0);
  widgets_.key(panel(), Key::tab);  // a disabled widget is passed over
  EXPECT_EQ(panel().focus, get("VSCROLL2").handle);
  widgets_.key(panel(), Key::space);  // nothing for a scroll bar
  EXPECT_EQ(posted_, (std::vector<std::string>(2, "HSCROLL1_CHANGE")));

  widgets_.wheel(panel(), 350, 200, -3);  // over VSCROLL3: three small steps down
  EXPECT_EQ(get("VSCROLL3").value, 10300);
  widgets_.wheel(panel(), 606, 100, 1);  // over the disabled VSCROLL1: nothing
  EXPECT_EQ(get("VSCROLL1").value, 0);

  panel().focus = get("BUTTON7").handle;
  widgets_.key(panel(), Key::enter);
  EXPECT_EQ(posted_.back(), "BUTTON7_ON");
}

TEST_F(WidgetsTest, ComposedFormShowsVisiblePicturesInLayoutOrder) {
  Control& p12 = get("PICTURE12");
  Control& p13 = get("PICTURE13");
  p12.surface.fill(0xFF0000FFu);
  p13.surface.fill(0xFF00FF00u);
  forms_.setPosition(p13.handle, 380, 20);  // over PICTURE12, later in the layout
  Surface out;
  composeForm(forms_, panel(), out, nullptr);
  EXPECT_EQ(out.width(), panel().clientWidth);
  EXPECT_EQ(out.height(), panel().clientHeight);
  EXPECT_EQ(out.at(377, 9), 0xFF0000FFu);
  EXPECT_EQ(out.at(385, 25), 0xFF00FF00u);
  EXPECT_EQ(out.at(740, 5), 0xFFC0C0C0u) << "the form's back colour";
  forms_.setVisible(p13.handle, 0);
  composeForm(forms_, panel(), out, nullptr);
  EXPECT_EQ(out.at(385, 25), 0xFF0000FFu);

  // A pressed button looks pressed: its top-left edge turns dark.
  Control& b = get("BUTTON8");
  composeForm(forms_, panel(), out, nullptr);
  const std::uint32_t up = out.at(b.left, b.top);
  widgets_.pointerDown(panel(), b.left + 5, b.top + 5, leftButton, 0);
  composeForm(forms_, panel(), out, nullptr);
  EXPECT_NE(out.at(b.left, b.top), up);
}

TEST_F(WidgetsTest, PicturesWithoutProceduresLetThePointerThrough) {
  // PICTURE13 lies over PICTURE11 and has no procedure: PICTURE11 takes the pointer.
  Control* c = controlAt(forms_, panel(), 250, 30);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->name, "PICTURE11");
  EXPECT_EQ(controlAt(forms_, panel(), 400, 30), nullptr) << "PICTURE12 has none";
  EXPECT_EQ(controlAt(forms_, panel(), 660, 250)->name, "BUTTON8");
}

}  // namespace
}  // namespace zav3::host
