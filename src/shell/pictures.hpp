// The game's picture routines: the named picture loader, the event picture loader with its
// ".cmp" repair, preparing and showing event pictures, the shutter wipes over the scene area
// and the show-scene-picture routine the scenario uses. Also text output in a control's font.
#pragma once

#include <cstdint>

#include "shell/game_state.hpp"

namespace zav3::shell {

// Releases scenePicture and loads pictureFolder + pictureName + ".BMP" into it.
void loadNamedPicture(Main& m);

// The three-digit number text of an event picture: 7 gives "007".
Bytes eventPictureNumber(Integer picture);

// Loads event picture currentPicture into scenePicture from cgFolder + "NNN.BMP"; when that
// fails, from the ".cmp" copy repaired through tempPictureFile.
void loadEventPicture(Main& m);

// Loads the event picture and draws it on P1; preparedPicture := currentPicture.
void prepareEventPicture(Main& m);
// Prepares the event picture and copies the scene area of P1 to PICTURE1 at once.
void showEventPictureAtOnce(Main& m);
// Loads the event picture and draws it straight on PICTURE1.
void drawEventPicture(Main& m);

// The shutter: closing paints the scene area with the panel tile in bands from the top and the
// bottom; opening copies the bands of P1. Each takes 27 steps of 10 ms.
void shutterClose(Main& m);
void shutterOpen(Main& m);

// Shows scene picture currentPicture (0 keeps the prepared one), with the shutter when another
// picture is on screen.
void showScenePicture(Main& m);

// The text renderer of the game, made on first use.
host::TextRenderer& textRenderer(Main& m);
// Prints Shift-JIS `text` on the picture box `control` in its font at (x, y) with a transparent
// background; `colour` is an index into the 16-colour table.
void printText(Main& m, host::Handle control, Single x, Single y, const Bytes& text,
               Integer colour);

}  // namespace zav3::shell
