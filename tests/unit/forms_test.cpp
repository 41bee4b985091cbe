// The stored form layouts, control lookup and the checks of the control operations and dialogs.
#include "support/error_of.hpp"
#include "host/forms.hpp"

#include <gtest/gtest.h>

#include "host/dialogs.hpp"
#include "host/error.hpp"

namespace zav3::host {
namespace {

using zav3::testing::errorOf;

struct Expected {
  const char* name;
  ControlKind kind;
  int left, top, width, height;
};

TEST(FormsTest, PanelLayoutMatchesTheTable) {
  Forms forms;
  const Handle panel = forms.panelForm();
  const Control& form = forms.control(panel);
  EXPECT_EQ(form.caption, sj("戦略パネル"));
  EXPECT_EQ(form.fontName, "FixedSys");
  EXPECT_EQ(form.fontSize, 18);
  EXPECT_EQ(form.left, 18);
  EXPECT_EQ(form.top, 149);
  EXPECT_EQ(form.width, 757);
  EXPECT_EQ(form.height, 319);
  EXPECT_FALSE(form.visible);

  const Expected table[] = {
      {"HSCROLL1", ControlKind::scrollBar, 376, 240, 216, 16},
      {"VSCROLL1", ControlKind::scrollBar, 600, 16, 16, 216},
      {"VSCROLL2", ControlKind::scrollBar, 248, 168, 16, 88},
      {"VSCROLL3", ControlKind::scrollBar, 344, 168, 16, 88},
      {"VSCROLL4", ControlKind::scrollBar, 296, 168, 16, 64},
      {"EDIT1", ControlKind::edit, 272, 248, 64, 24},
      {"PICTURE10", ControlKind::pictureBox, 8, 8, 216, 224},
      {"PICTURE11", ControlKind::pictureBox, 232, 8, 136, 144},
      {"PICTURE12", ControlKind::pictureBox, 376, 8, 216, 224},
      {"BUTTON8", ControlKind::button, 656, 248, 80, 24},
      {"BUTTON9", ControlKind::button, 8, 240, 88, 24},
      {"COMBO1", ControlKind::comboBox, 120, 240, 120, 104},
      {"BUTTON7", ControlKind::button, 592, 232, 40, 24},
      {"PICTURE13", ControlKind::pictureBox, 240, 16, 120, 120},
      {"BUTTON10", ControlKind::button, 624, 16, 112, 24},
      {"BUTTON12", ControlKind::button, 656, 184, 16, 24},
      {"BUTTON13", ControlKind::button, 712, 184, 16, 24},
      {"EDIT48", ControlKind::edit, 672, 184, 38, 24},
      {"BUTTON14", ControlKind::button, 624, 48, 112, 24},
      {"COMBO2", ControlKind::comboBox, 624, 80, 104, 96},
      {"BUTTON15", ControlKind::button, 656, 216, 80, 24},
  };
  ASSERT_EQ(form.controls.size(), std::size(table));
  for (size_t i = 0; i < std::size(table); ++i) {
    const Expected& e = table[i];
    SCOPED_TRACE(e.name);
    const Handle h = forms.find(panel, e.name);
    EXPECT_EQ(form.controls[i], h) << "layout order";
    const Control& c = forms.control(h);
    EXPECT_EQ(c.kind, e.kind);
    EXPECT_EQ(c.left, e.left);
    EXPECT_EQ(c.top, e.top);
    EXPECT_EQ(c.width, e.width);
    EXPECT_EQ(c.height, e.height);
    EXPECT_EQ(c.fontName, sj("ＭＳ Ｐゴシック"));
    const bool white = c.kind == ControlKind::edit || c.kind == ControlKind::comboBox;
    EXPECT_EQ(c.backColour, white ? 0xFFFFFFu : 0xC0C0C0u);
    if (c.kind == ControlKind::pictureBox) {
      EXPECT_EQ(c.surface.width(), e.width);
      EXPECT_EQ(c.surface.height(), e.height);
    }
  }

  struct Range {
    const char* name;
    int min, max, small, large, value;
    bool vertical;
  };
  for (const Range& r :
       {Range{"HSCROLL1", -90, 90, 1, 15, 0, false}, Range{"VSCROLL1", -90, 90, 1, 15, 0, true},
        Range{"VSCROLL2", 1, 100, 1, 10, 1, true},
        Range{"VSCROLL3", 100, 19900, 100, 1000, 10000, true},
        Range{"VSCROLL4", 0, 5, 1, 1, 3, true}}) {
    SCOPED_TRACE(r.name);
    const Control& c = forms.control(forms.find(panel, r.name));
    EXPECT_EQ(c.minimum, r.min);
    EXPECT_EQ(c.maximum, r.max);
    EXPECT_EQ(c.smallStep, r.small);
    EXPECT_EQ(c.largeStep, r.large);
    EXPECT_EQ(c.value, r.value);
    EXPECT_EQ(c.vertical, r.vertical);
    EXPECT_EQ(c.actionProc, std::string(r.name) + "_CHANGE");
  }
  EXPECT_EQ(forms.control(forms.find(panel, "EDIT1")).maxLength, 10);
  EXPECT_EQ(forms.control(forms.find(panel, "EDIT48")).maxLength, 6);
  EXPECT_EQ(forms.control(forms.find(panel, "COMBO1")).text, sj("停止"));
  EXPECT_EQ(forms.control(forms.find(panel, "COMBO2")).text, sj("レーザー砲"));
  EXPECT_EQ(forms.control(forms.find(panel, "BUTTON10")).caption, sj("十字表示ＯＮ"));
  EXPECT_EQ(forms.control(forms.find(panel, "BUTTON15")).fontSize, 8);
  EXPECT_EQ(forms.control(forms.find(panel, "BUTTON10")).actionProc, "BUTTON10_ON");
  EXPECT_EQ(forms.control(forms.find(panel, "PICTURE10")).mouseDownProc, "PICTURE10_MOUSEDOWN");
  EXPECT_TRUE(forms.control(forms.find(panel, "PICTURE12")).mouseDownProc.empty());
}

TEST(FormsTest, MainFormLayoutAndRoutes) {
  Forms forms;
  const Handle main = forms.mainForm();
  const Control& form = forms.control(main);
  EXPECT_EQ(form.caption, "MainForm");
  EXPECT_EQ(form.fontName, sj("ＭＳ 明朝"));
  EXPECT_EQ(form.left, 40);
  EXPECT_EQ(form.top, 138);
  EXPECT_EQ(form.width, 646);
  EXPECT_EQ(form.height, 480);
  EXPECT_EQ(form.clientWidth, 640);
  EXPECT_EQ(form.clientHeight, 480);

  const char* order[] = {"P1", "PICTURE1", "PICTURE2", "P3",   "P4",     "P5",        "P6", "P7",
                         "P8", "MCI1",     "MCI2",     "MCI3", "TIMER1", "PICTURE14", "P15"};
  ASSERT_EQ(form.controls.size(), std::size(order));
  for (size_t i = 0; i < std::size(order); ++i) {
    EXPECT_EQ(forms.find(main, order[i]), form.controls[i]) << order[i];
  }
  const Control& p1 = forms.control(forms.find(main, "P1"));
  EXPECT_EQ(p1.mouseMoveProc, "PICTURE1_MOUSEMOVE");
  EXPECT_EQ(p1.mouseDownProc, "PICTURE1_MOUSEDOWN");
  const Control& picture1 = forms.control(forms.find(main, "picture1"));
  EXPECT_EQ(picture1.mouseDownProc, "PICTURE1_MOUSEDOWN");
  EXPECT_EQ(picture1.mouseUpProc, "PICTURE1_MOUSEUP");
  EXPECT_TRUE(picture1.mouseMoveProc.empty());
  EXPECT_TRUE(picture1.visible);
  EXPECT_EQ(picture1.width, 640);
  EXPECT_EQ(picture1.height, 460);
  EXPECT_EQ(forms.control(forms.find(main, "PICTURE14")).fontName, sj("ＭＳ Ｐゴシック"));
  const Control& timer = forms.control(forms.find(main, "TIMER1"));
  EXPECT_EQ(timer.kind, ControlKind::timer);
  EXPECT_FALSE(timer.enabled);
  EXPECT_EQ(timer.interval, 200);
  EXPECT_EQ(forms.control(forms.find(main, "MCI2")).kind, ControlKind::mediaDevice);
}

TEST(FormsTest, HandlesNamesAndKinds) {
  Forms forms;
  const Handle main = forms.mainForm();
  EXPECT_EQ(errorOf([&] { forms.find(main, "PICTURE99"); }), 1000);
  EXPECT_EQ(errorOf([&] { forms.find(forms.panelForm(), "P1"); }), 1000) << "wrong form";
  const Handle picture = forms.find(main, "PICTURE1");
  EXPECT_EQ(errorOf([&] { forms.find(picture, "P1"); }), 1002) << "not a form";
  EXPECT_EQ(errorOf([&] { forms.setVisible(0, -1); }), 1003);
  EXPECT_EQ(errorOf([&] { forms.setVisible(9999, -1); }), 1000);
  EXPECT_EQ(errorOf([&] { forms.listAdd(picture, "x"); }), 1002);
  EXPECT_EQ(errorOf([&] { forms.scrollValue(picture); }), 1002);
  EXPECT_EQ(errorOf([&] { forms.setCaption(picture, "x"); }), 1002);
  EXPECT_EQ(errorOf([&] { forms.timerEnable(picture, -1); }), 1002);
  EXPECT_EQ(errorOf([&] { forms.surface(forms.find(main, "TIMER1")); }), 1002);
  EXPECT_EQ(errorOf([&] { forms.loadForm("FORM9", 0); }), 1000);

  EXPECT_EQ(forms.loadForm("FORM3", -1), forms.panelForm());
  EXPECT_EQ(forms.isVisible(forms.panelForm()), -1);
  forms.setCaption(0, "Title");
  EXPECT_EQ(forms.control(main).caption, "Title");
  forms.setPosition(0, 0, 0);
  EXPECT_EQ(forms.control(main).left, 0);
  EXPECT_EQ(forms.control(main).top, 0);
}

TEST(FormsTest, ArgumentChecks) {
  Forms forms;
  const Handle main = forms.mainForm();
  const Handle picture = forms.find(main, "PICTURE1");
  const Handle bar = forms.find(forms.panelForm(), "VSCROLL3");
  const Handle list = forms.find(forms.panelForm(), "COMBO1");
  EXPECT_EQ(errorOf([&] { forms.setColour(picture, 0x1000000); }), 5);
  EXPECT_EQ(errorOf([&] { forms.setColour(picture, -1); }), 5);
  EXPECT_EQ(errorOf([&] { forms.setColour(picture, 0xFFFFFF); }), 0);
  EXPECT_EQ(forms.control(picture).foreColour, 0xFFFFFFu);
  EXPECT_EQ(errorOf([&] { forms.setScrollValue(bar, 99); }), 5);
  EXPECT_EQ(errorOf([&] { forms.setScrollValue(bar, 19901); }), 5);
  EXPECT_EQ(errorOf([&] { forms.setScrollValue(bar, 19900); }), 0);
  EXPECT_EQ(forms.scrollValue(bar), 19900);
  EXPECT_EQ(errorOf([&] { forms.listSelect(list, 0); }), 5) << "empty list";
  EXPECT_EQ(errorOf([&] { forms.listSelect(list, -2); }), 5);
  EXPECT_EQ(errorOf([&] { forms.setSize(picture, -1, 10); }), 5);
  EXPECT_EQ(errorOf([&] { forms.setFontSize(picture, 0); }), 5);
  const Handle timer = forms.find(main, "TIMER1");
  EXPECT_EQ(errorOf([&] { forms.setTimerInterval(timer, 65536); }), 5);
  EXPECT_EQ(errorOf([&] { forms.setTimerInterval(timer, 65535); }), 0);

  ScriptedDialogs dialogs;
  EXPECT_EQ(errorOf([&] { messageBox(dialogs, "t", "c", 6, 0); }), 5);
  EXPECT_EQ(errorOf([&] { messageBox(dialogs, "t", "c", 0, 5); }), 5);
  EXPECT_EQ(errorOf([&] { messageBox(dialogs, "t", "c", -1, 0); }), 5);
  EXPECT_EQ(dialogs.shown(), 0);
}

TEST(FormsTest, ResizingKeepsTheTopLeftPicture) {
  Forms forms;
  const Handle h = forms.find(forms.mainForm(), "PICTURE2");
  Surface& s = forms.surface(h);
  ASSERT_EQ(s.width(), 128);
  s.set(0, 0, 0xFF112233u);
  s.set(127, 31, 0xFF445566u);
  s.set(40, 10, 0xFF778899u);
  forms.setSize(h, 64, 80);
  const Surface& r = forms.surface(h);
  EXPECT_EQ(r.width(), 64);
  EXPECT_EQ(r.height(), 80);
  EXPECT_EQ(r.at(0, 0), 0xFF112233u);
  EXPECT_EQ(r.at(40, 10), 0xFF778899u);
  EXPECT_EQ(r.at(10, 50), argbOf(forms.control(h).backColour)) << "new area";
  forms.setSize(h, 128.4f, 32.6f);  // singles are rounded
  EXPECT_EQ(forms.surface(h).width(), 128);
  EXPECT_EQ(forms.surface(h).height(), 33);
  EXPECT_EQ(forms.surface(h).at(127, 31), argbOf(forms.control(h).backColour)) << "was cut";
}

TEST(FormsTest, ListsAndEditTexts) {
  Forms forms;
  const Handle list = forms.find(forms.panelForm(), "COMBO2");
  forms.listAdd(list, sj("レーザー砲"));
  forms.listAdd(list, sj("プラズマ砲"));
  EXPECT_EQ(forms.listCount(list), 2);
  EXPECT_EQ(forms.listIndex(list), -1);
  forms.listSelect(list, 1);
  EXPECT_EQ(forms.listIndex(list), 1);
  EXPECT_EQ(forms.text(list), sj("プラズマ砲"));
  forms.listClear(list);
  EXPECT_EQ(forms.listCount(list), 0);
  EXPECT_EQ(forms.listIndex(list), -1);

  const Handle edit = forms.find(forms.panelForm(), "EDIT48");
  forms.setText(edit, sj("１２３４５６７８"));  // six characters fit, in bytes twelve
  EXPECT_EQ(forms.text(edit), sj("１２３４５６"));
  EXPECT_EQ(errorOf([&] { forms.text(forms.find(forms.panelForm(), "BUTTON8")); }), 1002);
}

TEST(FormsTest, ScriptedDialogsAnswerByButtonSet) {
  ScriptedDialogs d;
  d.queueAnswer("no");
  d.queueAnswer("retry");
  d.queueAnswer("no");  // does not fit an OK box: OK
  d.queueAnswer(BoxAnswer::cancel);
  EXPECT_EQ(messageBox(d, sj("このまま続けますか？"), "", 4, 4), 6);
  EXPECT_EQ(messageBox(d, "t", "c", 5, 2), 3);
  EXPECT_EQ(messageBox(d, "t", "c", 0, 0), 0);
  EXPECT_EQ(messageBox(d, "t", "c", 3, 1), 1);
  EXPECT_EQ(messageBox(d, "t", "c", 2, 1), 2) << "no answer left: the first button";

  d.queueAnswer("cancel");
  d.queueAnswer("ok");
  d.queueAnswer("D:\\作業\\X.TXT");
  EXPECT_EQ(d.saveFileDialog("title", "C:\\GAME\\COPYRIGHT.TXT", "(*.*)"), cancelText);
  EXPECT_EQ(cancelText.size(), 1u);
  EXPECT_EQ(cancelText[0], 27);
  EXPECT_EQ(d.saveFileDialog("title", "C:\\GAME\\COPYRIGHT.TXT", "(*.*)"),
            "C:\\GAME\\COPYRIGHT.TXT");
  EXPECT_EQ(d.inputBox("prompt", "title", "default"), sj("D:\\作業\\X.TXT"));
  EXPECT_EQ(d.inputBox("prompt", "title", "default"), "default");
  EXPECT_EQ(d.shown(), 9);
}

}  // namespace
}  // namespace zav3::host
