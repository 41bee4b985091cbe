// Dialogs of a run with windows: message boxes through SDL, and our own drawn dialogs for what
// SDL lacks: the input box and the save-file dialog (an edit line holding the path, the folders
// of the path's folder to walk through, OK and Cancel).
#pragma once

#include "host/dialogs.hpp"
#include "host/events.hpp"
#include "host/files.hpp"
#include "host/sdl/sdl_display.hpp"

namespace zav3::host {

// A message box's text broken into lines of at most `columns` columns (a double-width character
// takes two): at a blank where the line has one, else between characters, never inside one.
// Line ends already in the text stay.
std::string wrapBoxText(const std::string& utf8, int columns);

class SdlDialogs final : public Dialogs {
 public:
  SdlDialogs(SdlDisplay& display, Events& events, FileSystem& files)
      : display_(display), events_(events), files_(files) {}

  BoxAnswer messageBox(const Bytes& text, const Bytes& caption, BoxButtons buttons,
                       BoxIcon icon) override;
  Bytes inputBox(const Bytes& prompt, const Bytes& title, const Bytes& defaultText) override;
  Bytes saveFileDialog(const Bytes& title, const Bytes& proposed, const Bytes& filter) override;

 private:
  SdlDisplay& display_;
  Events& events_;
  FileSystem& files_;
};

}  // namespace zav3::host
