// The main form as the game uses it: control binding and layout, the event procedures of both
// forms and the input globals they fill, the end handler, the click waits with the option menu,
// the list window and the opening text procedures.
#pragma once

#include "shell/game_state.hpp"

namespace zav3::shell {

// --- start-up pieces ---

// Binds the controls of the main form by name and applies the start-up layout.
void bindMainFormControls(Main& m);
// Loads FORM3 hidden, binds its controls and sets their font sizes.
void loadPanelForm(Main& m);
// Screen origins (frameX, frameY), the scene area and the option menu button tables.
void setUpScreenGeometry(Main& m);
// The screen frame: clears PICTURE1, loads OPTION1 (P6, copied to P8), OPTION2 (P7), KAOWAKU
// (P4 and the face frame), TXTWAKU (P5 and the message frame) and LISTWAKU (P3 and PICTURE2),
// then draws the textDelay display.
void buildScreenFrame(Main& m);
// Registers the event procedures below (and MAINFORM_END) with the host's events by name.
void registerEventProcedures(Main& m);

// --- event procedures ---

void PICTURE1_MOUSEDOWN(Main& m, Integer button, Integer shift, Single x, Single y);
void PICTURE1_MOUSEUP(Main& m, Integer button, Integer shift, Single x, Single y);
void PICTURE1_MOUSEMOVE(Main& m, Integer button, Integer shift, Single x, Single y);
void PICTURE10_MOUSEDOWN(Main& m, Integer button, Integer shift, Single x, Single y);
void PICTURE11_MOUSEDOWN(Main& m, Integer button, Integer shift, Single x, Single y);
void BUTTON1_ON(Main& m);
void BUTTON2_ON(Main& m);
void BUTTON3_ON(Main& m);
void BUTTON4_ON(Main& m);
void BUTTON5_ON(Main& m);
void BUTTON6_ON(Main& m);
void BUTTON7_ON(Main& m);
void BUTTON8_ON(Main& m);
void BUTTON9_ON(Main& m);
void BUTTON10_ON(Main& m);
void BUTTON12_ON(Main& m);
void BUTTON13_ON(Main& m);
void BUTTON14_ON(Main& m);
void BUTTON15_ON(Main& m);
void VSCROLL1_CHANGE(Main& m);
void VSCROLL2_CHANGE(Main& m);
void VSCROLL3_CHANGE(Main& m);
void VSCROLL4_CHANGE(Main& m);
void HSCROLL1_CHANGE(Main& m);
void COMBO1_CHANGE(Main& m);
void COMBO2_CHANGE(Main& m);
void TIMER1_TIMER(Main& m);
// The end handler: closes the media devices, releases the bitmaps, closes the files and deletes
// tempPictureFile.
void MAINFORM_END(Main& m);

// --- click waits and the option menu ---

// inputCode := 0, then waits until an event procedure stores a press.
void waitForAnyClick(Main& m);
// The click that ends a message: skip mode, automatic advance, and the option menu when the
// press falls on the menu button of the message frame.
void messageClickWait(Main& m);
// The option menu button k (0..13) under (x, y) relative to P8, the first hit wins; -1 none.
Integer optionButtonAt(const Main& m, Single x, Single y);
// Presses option menu button k as the player would (drawn pressed, the toggle partner drawn up)
// and performs its action. Returns true when the action closes the menu.
bool pressOptionButton(Main& m, Integer k);
// The textDelay number on P8.
void drawTextDelay(Main& m);

// --- the list window ---

// Builds the window image for listColumns x listRows in PICTURE2 and saves the screen under it
// in PICTURE14; sets listLeft, listTop, listWidth, listHeight.
void prepareListWindow(Main& m);
// Shows choiceText(0..) until the first empty text, lets the player pick one and returns its
// number from 1 (also in listChoice); restores the screen and empties choiceText.
Integer runListWindow(Main& m);

// --- opening text ---

// x := 320 - (character length of text x 16) \ 2.
void OPEN_MES_X(Single& x, const Bytes& text);

// What the keys need of the main form: the list window's highlight moved to the item under the
// pointer, the centre of the option menu's close button and of the menu tab.
void highlightListItemAtPointer(Main& m);
void optionMenuCloseCentre(const Main& m, Single& x, Single& y);
void menuTabCentre(const Main& m, Single& x, Single& y);
// Types text on PICTURE1 from (x, y), `delay` x 20 ms after each character; a left press ends
// the line. y += 20.
void OPEN_MES_SUB(Main& m, Single x, Single& y, const Bytes& text, Integer delay);
// Centres and types a line.
void OPEN_MES1(Main& m, Single& y, const Bytes& text, Integer delay);

}  // namespace zav3::shell
