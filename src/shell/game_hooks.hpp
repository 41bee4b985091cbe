// The hooks through which the interpreter shows pictures, clears the message window, waits for
// clicks and shows list lines on the main form. Each request is also written to the trace.
#pragma once

#include <vector>

#include "scenario/hooks.hpp"

namespace zav3::shell {

class GameHooks : public scenario::TracingHooks {
 public:
  void showMessages(Main& m) override;
  void choiceBlock(Main& m) override;
  void clearTextArea(Main& m) override;
  void clearWindowAndFace(Main& m) override;
  void closeScene(Main& m) override;
  void waitClick(Main& m) override;
  void showScenePicture(Main& m, Integer picture) override;
  void showPictureAtOnce(Main& m, Integer picture) override;
  void prepareEventPicture(Main& m) override;
  void listDisplay(Main& m, const std::vector<Bytes>& lines) override;
  void soundEffect(Main& m, Integer sound) override;
  void music(Main& m, Integer song) override;
  bool playMovie(Main& m, Integer movie) override;
  void setCaption(Main& m, const Bytes& caption) override;
};

}  // namespace zav3::shell
