// The picture loader, the event picture routines, the shutter wipes and text output on controls.
#include "shell/pictures.hpp"

#include "host/bmp.hpp"
#include "host/drawing.hpp"
#include "host/error.hpp"
#include "scenario/hooks.hpp"

namespace zav3::shell {

namespace {

constexpr int sceneWidth = 640;
constexpr int sceneHeight = 270;
constexpr int bandHeight = 5;
constexpr int bandStep = 10;
constexpr int stepMs = 10;
// The blank of the shutter: the 8 x 8 tile at (16, 0) of the panel tile picture.
constexpr int tileX = 16;
constexpr int tileSize = 8;

host::Surface& surfaceOf(Main& m, host::Handle control) {
  return m.host.forms.surface(control);
}

// The first file number from 3 on that is not open (1 and 2 hold the scenario files).
int freeFileNumber(const Main& m) {
  int number = 3;
  while (m.host.files.isOpen(number)) ++number;
  return number;
}

}  // namespace

void loadNamedPicture(Main& m) {
  m.scenePicture = host::Surface();
  m.scenePicture = host::loadBmp(m.host.files, m.pictureFolder + m.pictureName + ".BMP").surface;
}

Bytes eventPictureNumber(Integer picture) {
  Bytes digits = host::numberText(picture);
  if (!digits.empty() && digits.front() == ' ') digits.erase(0, 1);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return digits;
}

void loadEventPicture(Main& m) {
  const Bytes number = eventPictureNumber(m.currentPicture);
  m.scenePicture = host::Surface();
  try {
    m.scenePicture = host::loadBmp(m.host.files, m.cgFolder + number + ".BMP").surface;
    return;
  } catch (const host::RuntimeError&) {
    // Missing or not a valid bitmap: go on with the ".cmp" copy below.
  }
  // The ".cmp" copy is an ordinary bitmap whose first two bytes are not "BM": repair them in a
  // copy and load that. Errors here are not trapped.
  host::FileSystem& files = m.host.files;
  files.copyFile(m.cgFolder + number + ".cmp", m.tempPictureFile);
  files.setAttribute(m.tempPictureFile, "-R");
  const int file = freeFileNumber(m);
  files.open("B", file, m.tempPictureFile);
  files.seek(file, 1);
  files.putBytes(file, m.bitmapSignature);
  files.close(file);
  m.scenePicture = host::loadBmp(files, m.tempPictureFile).surface;
}

void prepareEventPicture(Main& m) {
  loadEventPicture(m);
  host::drawBitmap(surfaceOf(m, m.P1), m.scenePicture, 0, 0);
  m.preparedPicture = m.currentPicture;
}

void showEventPictureAtOnce(Main& m) {
  prepareEventPicture(m);
  host::copyRect(surfaceOf(m, m.PICTURE1), m.sceneLeft, m.sceneTop, sceneWidth, sceneHeight,
                 surfaceOf(m, m.P1), 0, 0);
  m.shownPicture = m.preparedPicture;
}

void drawEventPicture(Main& m) {
  loadEventPicture(m);
  host::drawBitmap(surfaceOf(m, m.PICTURE1), m.scenePicture, m.sceneLeft, m.sceneTop);
  m.shownPicture = m.currentPicture;
}

void shutterClose(Main& m) {
  m.hooks->clearWindowAndFace(m);
  const int width = m.sceneRight - m.sceneLeft + 1;
  for (int k = 0; k <= sceneHeight - 1; k += bandStep) {
    host::Surface& screen = surfaceOf(m, m.PICTURE1);
    host::stretchRect(screen, m.sceneLeft, m.sceneTop + k, width, bandHeight, m.panelTile, tileX, 0,
                      tileSize, tileSize);
    host::stretchRect(screen, m.sceneLeft, m.sceneBottom - k - 4, width, bandHeight, m.panelTile,
                      tileX, 0, tileSize, tileSize);
    m.host.clock->sleepMs(stepMs);
  }
  m.shownPicture = 0;
  m.preparedPicture = 0;
}

void shutterOpen(Main& m) {
  for (int k = 0; k <= sceneHeight - 1; k += bandStep) {
    host::Surface& screen = surfaceOf(m, m.PICTURE1);
    const host::Surface& backing = surfaceOf(m, m.P1);
    host::copyRect(screen, m.sceneLeft, m.sceneTop + k, sceneWidth, bandHeight, backing, 0, k);
    host::copyRect(screen, m.sceneLeft, m.sceneBottom - k - 4, sceneWidth, bandHeight, backing, 0,
                   sceneHeight - bandHeight - k);
    m.host.clock->sleepMs(stepMs);
  }
  m.shownPicture = m.preparedPicture;
}

void showScenePicture(Main& m) {
  if (m.currentPicture == 0 && m.preparedPicture == 0) {
    shutterClose(m);
    return;
  }
  if (m.currentPicture == 0) m.currentPicture = m.preparedPicture;
  if (m.shownPicture == 0) {
    showEventPictureAtOnce(m);
    return;
  }
  if (m.currentPicture == m.shownPicture) return;
  if (m.currentPicture != m.preparedPicture) prepareEventPicture(m);
  shutterOpen(m);
}

host::TextRenderer& textRenderer(Main& m) {
  if (!m.textRenderer) m.textRenderer = std::make_unique<host::TextRenderer>();
  return *m.textRenderer;
}

void printText(Main& m, host::Handle control, Single x, Single y, const Bytes& text,
               Integer colour) {
  const std::uint32_t argb = host::argbOf(host::indexedColour(colour));
  const host::Control& c = m.host.forms.control(control);
  const host::FontSpec font{c.fontName, c.fontSize};
  textRenderer(m).draw(m.host.forms.surface(control), font, x, y, text, argb);
}

}  // namespace zav3::shell
