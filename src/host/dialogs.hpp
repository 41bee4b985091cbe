// Message boxes, the input box and the save-file dialog put to the player. The scripted
// (headless) part answers from a queue of answers (else the first button or the proposed text)
// and prints every box on stderr in UTF-8.
#pragma once

#include <deque>
#include <functional>
#include <source_location>
#include <string>
#include <vector>

#include "host/numbers.hpp"
#include "host/sjis.hpp"

namespace zav3::host {

// Icons and button sets numbered as the game passes them.
enum class BoxIcon {
  stop = 0,
  question = 1,
  exclamation = 2,
  information = 3,
  none = 4,
  warning = exclamation
};
enum class BoxButtons {
  ok = 0,
  okCancel = 1,
  abortRetryIgnore = 2,
  yesNoCancel = 3,
  yesNo = 4,
  retryCancel = 5
};
// Result codes of a message box.
enum class BoxAnswer { ok = 0, cancel = 1, abort = 2, retry = 3, ignore = 4, yes = 5, no = 6 };

// What the input box and the save-file dialog return when the player cancels: one byte, 27.
inline const Bytes cancelText = "\x1b";

// The buttons of a set, in the order they are shown (the first is the default).
std::vector<BoxAnswer> buttonsOf(BoxButtons buttons);
const char* answerWord(BoxAnswer answer);  // "ok", "cancel", "abort", ... "no"

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Texts are Shift-JIS.
  virtual BoxAnswer messageBox(const Bytes& text, const Bytes& caption, BoxButtons buttons,
                               BoxIcon icon) = 0;
  // The entered text, or cancelText.
  virtual Bytes inputBox(const Bytes& prompt, const Bytes& title, const Bytes& defaultText) = 0;
  // The chosen path (a game path), or cancelText. `proposed` is a game path.
  virtual Bytes saveFileDialog(const Bytes& title, const Bytes& proposed, const Bytes& filter) = 0;
};

// The game's message box call: button set 0..5 and icon 0..4, else error 5; returns the result
// code 0..6.
Integer messageBox(Dialogs& dialogs, const Bytes& text, const Bytes& caption, long buttons,
                   long icon, std::source_location where = std::source_location::current());

class ScriptedDialogs final : public Dialogs {
 public:
  // Answers taken in order, one per box: a button word ("yes", "no", "ok", "cancel", "abort",
  // "retry", "ignore") for a message box; for the input box and the save-file dialog "cancel",
  // "ok" (take the proposed text) or the text itself (UTF-8). An answer that does not fit the
  // box gives its default and a note on stderr. With no answer left: the first button, the
  // proposed text.
  void queueAnswer(std::string utf8) { answers_.push_back(std::move(utf8)); }
  void queueAnswer(BoxAnswer a) { answers_.push_back(answerWord(a)); }
  BoxAnswer messageBox(const Bytes& text, const Bytes& caption, BoxButtons buttons,
                       BoxIcon icon) override;
  Bytes inputBox(const Bytes& prompt, const Bytes& title, const Bytes& defaultText) override;
  Bytes saveFileDialog(const Bytes& title, const Bytes& proposed, const Bytes& filter) override;
  int shown() const { return shown_; }
  size_t answersLeft() const { return answers_.size(); }
  // Where each message box is also reported as "box CAPTION: TEXT -> ANSWER" (UTF-8): the
  // headless host sends it to the events trace, so a test can expect a box.
  void setReport(std::function<void(const std::string&)> report) { report_ = std::move(report); }

 private:
  Bytes textAnswer(const char* kind, const Bytes& title, const Bytes& proposed);

  std::deque<std::string> answers_;
  int shown_ = 0;
  std::function<void(const std::string&)> report_;
};

}  // namespace zav3::host
