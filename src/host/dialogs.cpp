// Button sets, the checked message box call and the scripted (headless) dialogs.
#include "host/dialogs.hpp"

#include <algorithm>
#include <cstdio>

#include "host/error.hpp"

namespace zav3::host {

std::vector<BoxAnswer> buttonsOf(BoxButtons buttons) {
  using A = BoxAnswer;
  switch (buttons) {
    case BoxButtons::ok:
      return {A::ok};
    case BoxButtons::okCancel:
      return {A::ok, A::cancel};
    case BoxButtons::abortRetryIgnore:
      return {A::abort, A::retry, A::ignore};
    case BoxButtons::yesNoCancel:
      return {A::yes, A::no, A::cancel};
    case BoxButtons::yesNo:
      return {A::yes, A::no};
    case BoxButtons::retryCancel:
      return {A::retry, A::cancel};
  }
  return {A::ok};
}

const char* answerWord(BoxAnswer answer) {
  switch (answer) {
    case BoxAnswer::ok:
      return "ok";
    case BoxAnswer::cancel:
      return "cancel";
    case BoxAnswer::abort:
      return "abort";
    case BoxAnswer::retry:
      return "retry";
    case BoxAnswer::ignore:
      return "ignore";
    case BoxAnswer::yes:
      return "yes";
    case BoxAnswer::no:
      return "no";
  }
  return "ok";
}

Integer messageBox(Dialogs& dialogs, const Bytes& text, const Bytes& caption, long buttons,
                   long icon, std::source_location where) {
  if (buttons < 0 || buttons > 5 || icon < 0 || icon > 4) raise(err::illegalCall, where);
  return static_cast<Integer>(dialogs.messageBox(text, caption, static_cast<BoxButtons>(buttons),
                                                 static_cast<BoxIcon>(icon)));
}

BoxAnswer ScriptedDialogs::messageBox(const Bytes& text, const Bytes& caption, BoxButtons buttons,
                                      BoxIcon) {
  ++shown_;
  const auto offered = buttonsOf(buttons);
  BoxAnswer answer = offered.front();
  if (!answers_.empty()) {
    const std::string word = answers_.front();
    answers_.pop_front();
    auto it = std::find_if(offered.begin(), offered.end(),
                           [&](BoxAnswer a) { return word == answerWord(a); });
    if (it != offered.end()) {
      answer = *it;
    } else {
      std::fprintf(stderr, "[box] answer \"%s\" does not fit this box\n", word.c_str());
    }
  }
  std::fprintf(stderr, "[box] %s: %s -> %s\n", sjisToUtf8(caption).c_str(),
               sjisToUtf8(text).c_str(), answerWord(answer));
  if (report_) {
    report_("box " + sjisToUtf8(caption) + ": " + sjisToUtf8(text) + " -> " + answerWord(answer));
  }
  return answer;
}

Bytes ScriptedDialogs::textAnswer(const char* kind, const Bytes& title, const Bytes& proposed) {
  ++shown_;
  Bytes result = proposed;
  if (!answers_.empty()) {
    const std::string word = answers_.front();
    answers_.pop_front();
    if (word == "cancel") {
      result = cancelText;
    } else if (word != "ok") {
      if (auto sjis = utf8ToSjis(word)) {
        result = *sjis;
      } else {
        std::fprintf(stderr, "[%s] answer \"%s\" has no Shift-JIS form\n", kind, word.c_str());
      }
    }
  }
  std::fprintf(stderr, "[%s] %s: %s -> %s\n", kind, sjisToUtf8(title).c_str(),
               sjisToUtf8(proposed).c_str(),
               result == cancelText ? "(cancel)" : sjisToUtf8(result).c_str());
  return result;
}

Bytes ScriptedDialogs::inputBox(const Bytes& prompt, const Bytes& title, const Bytes& defaultText) {
  return textAnswer("input", title.empty() ? prompt : title + ": " + prompt, defaultText);
}

Bytes ScriptedDialogs::saveFileDialog(const Bytes& title, const Bytes& proposed, const Bytes&) {
  return textAnswer("save", title, proposed);
}

}  // namespace zav3::host
