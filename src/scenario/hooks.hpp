// The points where the interpreter hands over to the parts of the game that show things, wait
// for the player. The tracing hooks only write what they were asked into
// the host's trace and behave as a player who clicks at once.
#pragma once

#include <vector>

#include "shell/game_state.hpp"

namespace zav3::scenario {

class ScenarioHooks {
 public:
  virtual ~ScenarioHooks() = default;

  // Messages textFrom..textTo; advances textFrom; stops early when resumePending becomes true.
  virtual void showMessages(Main& m) = 0;
  virtual void clearTextArea(Main& m) = 0;        // text area only, the face frame is kept
  virtual void clearWindowAndFace(Main& m) = 0;   // text area and face frame
  virtual void closeScene(Main& m) = 0;           // the shutter wipe over the scene area
  virtual void waitClick(Main& m) = 0;            // may set resumePending
  virtual void showScenePicture(Main& m, Integer picture) = 0;  // 0 keeps the current one
  virtual void showPictureAtOnce(Main& m, Integer picture) = 0; // no wipe (movie backdrop)
  virtual void soundEffect(Main& m, Integer sound) = 0;
  virtual void music(Main& m, Integer song) = 0;  // 0 stops
  // Plays movie `movie` in the scene area until it ends; false when it could not be played.
  virtual bool playMovie(Main& m, Integer movie) = 0;
  // Shows the list lines (already with their insert texts) and waits for a click.
  virtual void listDisplay(Main& m, const std::vector<Bytes>& lines) = 0;
  // Runs the choice block whose Q record is the current record; leaves programCounter on the
  // record after which the script continues.
  virtual void choiceBlock(Main& m) = 0;
  virtual void setCaption(Main& m, const Bytes& caption) = 0;
  virtual void pause(Main& m, Long milliseconds) = 0;
  // Loads picture currentPicture into the off-screen scene copy, even when it is the one
  // prepared there already.
  virtual void prepareEventPicture(Main& m) = 0;
};

class TracingHooks : public ScenarioHooks {
 public:
  void showMessages(Main& m) override;
  void clearTextArea(Main& m) override;
  void clearWindowAndFace(Main& m) override;
  void closeScene(Main& m) override;
  void waitClick(Main& m) override;
  void showScenePicture(Main& m, Integer picture) override;
  void showPictureAtOnce(Main& m, Integer picture) override;
  void soundEffect(Main& m, Integer sound) override;
  void music(Main& m, Integer song) override;
  bool playMovie(Main& m, Integer movie) override;
  void listDisplay(Main& m, const std::vector<Bytes>& lines) override;
  void choiceBlock(Main& m) override;
  void setCaption(Main& m, const Bytes& caption) override;
  void pause(Main& m, Long milliseconds) override;
  void prepareEventPicture(Main& m) override;

 protected:
  static void trace(Main& m, const std::string& utf8);
};

}  // namespace zav3::scenario
