// Start-up steps, the title menu, a new game and the error trap.
#include "shell/startup.hpp"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "host/bmp.hpp"
#include "host/drawing.hpp"
#include "host/error.hpp"
#include "scenario/data_files.hpp"
#include "scenario/hooks.hpp"
#include "scenario/interpreter.hpp"
#include "scenario/media_cues.hpp"
#include "shell/main_form.hpp"
#include "shell/pictures.hpp"
#include "shell/save_data.hpp"

namespace zav3::shell {

namespace {

Bytes digitText(long n) { return host::middle(host::numberText(static_cast<Long>(n)), 2); }

void clearControl(Main& m, host::Handle h) {
  host::clear(m.host.forms.surface(h), host::argbOf(m.host.forms.control(h).backColour));
}

// A small text file with the given lines, each ended with CR LF.
void writeLines(Main& m, const Bytes& path, std::initializer_list<Bytes> lines) {
  auto& files = m.host.files;
  files.open("O", 3, path);
  for (const Bytes& line : lines) {
    const host::PrintItem item{line, 0};
    files.print(3, std::span(&item, 1));
  }
  files.close(3);
}

}  // namespace

void setUpFolders(Main& m) {
  const Bytes current = m.host.files.currentFolder();
  const long colon = host::search(1, current, ":");
  m.currentDrive = host::left(current, colon);
  m.folderPath = host::middle(current, colon + 1);
  if (m.folderPath.empty() || m.folderPath.back() != '\\') m.folderPath += "\\";
  m.programFolder = m.currentDrive + m.folderPath;
  m.pictureFolder = m.programFolder + "MAINCG\\";
  m.textFileName = m.currentDrive + "(57)" + m.folderPath + "DATA\\TXT.RND";
  m.scriptFileName = m.currentDrive + "(35)" + m.folderPath + "DATA\\PRO.RND";
  m.cgFolder = m.programFolder + "CG\\";
  m.faceFolder = m.programFolder + "KAOCG\\";
  m.dataFolder = m.programFolder + "DATA\\";
}

std::optional<Bytes> userDataProposal(Main& m) {
  std::error_code ec;
  const std::filesystem::path program = m.host.files.paths().toReal(m.programFolder);
  // The program folder can hold the records only if a file can be made there.
  const std::filesystem::path probe = program / ".zav3-write-test";
  {
    std::FILE* f = std::fopen(probe.c_str(), "wb");
    if (f) {
      std::fclose(f);
      std::filesystem::remove(probe, ec);
      return std::nullopt;
    }
  }
  std::filesystem::path base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::filesystem::path(home) / ".local" / "share";
  } else {
    return std::nullopt;
  }
  std::filesystem::path name = program.lexically_normal();
  if (!name.has_filename()) name = name.parent_path();
  const std::filesystem::path folder = base / "zav3" / name.filename();
  const Bytes game = m.host.files.paths().toGame(folder / "COPYRIGHT.TXT");
  if (game.empty()) return std::nullopt;
  return game;
}

bool setUpWorkFolder(Main& m) {
  auto& files = m.host.files;
  Bytes candidate = m.programFolder + "COPYRIGHT.TXT";
  if (!m.workFolderChoice.empty()) {
    candidate = m.workFolderChoice;
    if (candidate.back() != '\\') candidate += "\\";
    candidate += "COPYRIGHT.TXT";
  } else if (!files.fileExists(candidate)) {
    // A game folder that cannot be written to (an installed game, a disc) proposes a folder
    // of the player's own: $XDG_DATA_HOME/zav3/<game folder name>.
    const std::optional<Bytes> own = userDataProposal(m);
    const Bytes proposal = own ? *own : candidate;
    const Bytes chosen = m.host.dialogs->saveFileDialog(host::sj("作業用フォルダの指定"),
                                                        proposal, "(*.*)");
    if (chosen == host::cancelText) return false;
    candidate = chosen;  // only its drive and folder count
    if (own && chosen == *own) {
      std::error_code ec;
      std::filesystem::create_directories(files.paths().toReal(*own).parent_path(), ec);
    }
  }
  const auto parts = host::FileSystem::splitPath(candidate);
  m.workFolder = parts.drive + parts.folder;
  if (m.workFolder.empty() || m.workFolder.back() != '\\') m.workFolder += "\\";

  if (!files.fileExists(m.workFolder + "COPYRIGHT.TXT")) {
    writeLines(m, m.workFolder + "COPYRIGHT.TXT",
               {"**** " + m.productTag + " ****", "", m.versionLine});
  }
  if (!files.folderExists(m.workFolder + "SAVEDATA")) files.makeFolder(m.workFolder + "SAVEDATA");
  for (int n = 1; n <= 9; ++n) {
    const Bytes slot = m.workFolder + "SAVEDATA\\SAVE" + digitText(n) + ".DAT";
    if (!files.fileExists(slot)) writeLines(m, slot, {"-"});
  }
  return true;
}

void scanPlayRecords(Main& m) {
  auto& files = m.host.files;
  files.open("I", 1, m.workFolder + "COPYRIGHT.TXT");
  Long endings = 0;
  while (!files.atEnd(1)) {
    Bytes item;
    host::InputTarget target = &item;
    files.input(1, std::span(&target, 1));
    if (item != "D") continue;
    for (long i = 0; i <= 8; ++i) {
      host::InputTarget number = &m.recordFields(i);
      files.input(1, std::span(&number, 1));
    }
    endings |= host::toLong(m.recordFields(2));
  }
  files.close(1);
  m.playRecordEndings = endings;  // a load applies the same rule again
  if (endings > 2 && endings < 256) m.gameVar(131) = 1;
}

void findMovieFolder(Main& m) {
  m.moviesMissing = true;
  const Bytes system = m.host.files.systemFolder();
  int drive = system.empty() ? 3 : (system[0] & 0xDF) - 'A' + 1;
  if (drive < 1 || drive > 26) drive = 3;
  for (; drive <= 26; ++drive) {
    const Bytes letter = Bytes(1, static_cast<char>('A' + drive - 1)) + ":";
    const bool own = !m.currentDrive.empty() && (letter[0] | 0x20) == (m.currentDrive[0] | 0x20);
    const Bytes folder = own ? m.folderPath : "\\" + m.productTag + "\\";
    // The local trap of the search: any failure to open moves on to the next drive.
    try {
      m.host.files.open("I", 1, letter + folder + "AVI\\COM.TXT");
      m.host.files.close(1);
      m.movieFolder = letter + folder + "AVI\\";
      m.moviesMissing = false;
      return;
    } catch (const host::RuntimeError&) {
    }
  }
}

void titleMenu(Main& m) {
  if (m.titleChoice >= 1 && m.titleChoice <= 9) {
    if (m.loadSlot && m.loadSlot(m, m.titleChoice)) {
      m.programCounter -= 1;
      return;
    }
    startNewGame(m);
    return;
  }
  if (m.titleChoice == 0) {
    startNewGame(m);
    return;
  }
  // A game folder may bring a picture for behind the title menu (MAINCG\TITLE.BMP); the
  // screen under it comes back once the menu is answered.
  host::Surface& screen = m.host.forms.surface(m.PICTURE1);
  std::optional<host::Surface> underTitle;
  const Bytes titlePicture = m.pictureFolder + "TITLE.BMP";
  if (m.host.files.fileExists(titlePicture)) {
    try {
      const host::Surface picture = host::loadBmp(m.host.files, titlePicture).surface;
      underTitle = screen;
      host::drawBitmap(screen, picture, 0, 0);
    } catch (const host::RuntimeError& e) {
      std::fprintf(stderr, "warning: the title picture cannot be shown (error %d)\n",
                   static_cast<int>(e.number()));
    }
  }
  struct Restore {
    host::Surface& screen;
    std::optional<host::Surface>& saved;
    ~Restore() {
      if (saved) screen = *saved;
    }
  } restore{screen, underTitle};
  m.choiceText(0) = host::sj("最初からプレイ");
  m.choiceText(1) = host::sj("ＬＯＡＤしてプレイ");
  m.listColumns = 9;
  m.listRows = 2;
  prepareListWindow(m);
  if (runListWindow(m) == 2) {
    m.choiceText(0) = host::sj("キャンセル");
    for (int n = 1; n <= 9; ++n) m.choiceText(n) = m.saveTitle(n);
    m.listColumns = 9;
    m.listRows = 10;
    prepareListWindow(m);
    const Integer picked = runListWindow(m);
    const int slot = picked - 1;
    if (slot >= 1 && slot <= 9 && m.saveTitle(slot) != "-" && m.loadSlot && m.loadSlot(m, slot)) {
      m.programCounter -= 1;
      return;
    }
  }
  startNewGame(m);
}

void startNewGame(Main& m) {
  m.resumePending = false;
  m.programCounter = 0;
  m.textFrom = 0;
  m.currentPicture = 0;
  m.noSaveSceneMarker = 0;
  m.textDelay = m.initialPanelValue;
  m.hooks->clearWindowAndFace(m);
  m.currentSong = 0;
  m.reservedSaveValue = 0;
  // Music and typing sound on, as if the player pressed the option menu buttons.
  pressOptionButton(m, 4);
  pressOptionButton(m, 6);
  drawTextDelay(m);
}

Bytes systemErrorText(int line, int number) {
  return host::numberText(static_cast<Long>(line)) + host::sj("行で、エラー番号") +
         host::numberText(static_cast<Long>(number)) + host::sj("が発生しました");
}

void startGame(Main& m, long maxRecords) {
  if (!m.loadSlot) m.loadSlot = [](Main& g, int n) { return loadSlot(g, n); };
  if (!m.saveMenu) m.saveMenu = saveMenu;
  if (!m.loadMenu) m.loadMenu = loadMenu;
  scenario::installMediaCues(m);
  auto& forms = m.host.forms;
  auto& events = *m.host.events;
  // Arrays and constants are made with Main; the bitmaps start empty.
  m.currentDrive.clear();
  m.bitmapSignature = "BM";
  registerEventProcedures(m);
  bindMainFormControls(m);
  loadPanelForm(m);
  m.initialPanelValue = 200;
  forms.setPosition(0, 0, 0);
  forms.setEnabled(m.PICTURE1, 0);

  setUpFolders(m);
  if (!setUpWorkFolder(m)) events.endProgram(0);
  scanPlayRecords(m);
  m.saveFolder = m.workFolder + "SAVEDATA\\";

  if (m.programFolder.find(' ') == Bytes::npos) {
    m.waveFolder = m.programFolder + "WAVE\\";
    m.midiFolder = m.programFolder + "MIDI\\";
  } else {
    // Multimedia command strings are split at blanks: use the folders relative to the current
    // one, and tell the player.
    m.waveFolder = "WAVE\\";
    m.midiFolder = "MIDI\\";
    m.pictureName = "KEIKOKU";
    loadNamedPicture(m);
    host::drawBitmap(forms.surface(m.PICTURE1), m.scenePicture, 0, 0);
    printText(m, m.PICTURE1, 100, 410, m.programFolder, 13);
    const auto answer = m.host.dialogs->messageBox(host::sj("このまま続けますか？"), "",
                                                   host::BoxButtons::yesNo, host::BoxIcon::none);
    if (answer == host::BoxAnswer::no) events.endProgram(0);
  }

  m.tempPictureFile = m.workFolder + "4TH_CG.BMP";
  m.host.files.open("R", 1, m.tempPictureFile);
  m.host.files.close(1);
  findMovieFolder(m);
  if (m.mediaStartupTests) m.mediaStartupTests(m);

  for (int n = 1; n <= 9; ++n) {
    m.host.files.open("I", 3, m.saveFolder + "SAVE" + digitText(n) + ".DAT");
    m.saveTitle(n) = m.host.files.atEnd(3) ? Bytes() : m.host.files.lineInput(3);
    m.host.files.close(3);
  }

  printText(m, m.PICTURE1, 32, 80, host::sj("データロード中"), 15);
  host::drawPoint(forms.surface(m.PICTURE1), 32, 100, host::Pen{host::argbOf(host::indexedColour(15))});
  scenario::loadScenarioTables(m);
  clearControl(m, m.PICTURE1);
  setUpScreenGeometry(m);
  m.pictureName = "BF_COLOR";
  loadNamedPicture(m);
  m.panelTile = m.scenePicture;
  m.textDelay = m.initialPanelValue;
  buildScreenFrame(m);

  m.clockDayText = "01";
  m.clockHourText = "00";
  m.clockMinuteText = "00";
  m.returnDepth = 0;
  events.setPeriodic(2, [&m] {
    if (m.musicLoopCheck) m.musicLoopCheck(m);
  });

  titleMenu(m);
  events.periodicOn();
  m.clockRunning = 1;
  forms.timerEnable(m.TIMER1, -1);
  scenario::openRecordFiles(m);
  scenario::runScript(m, maxRecords);
}

void startScriptOnly(Main& m, long maxRecords) {
  registerEventProcedures(m);
  setUpFolders(m);
  scenario::loadScenarioTables(m);
  m.resumePending = false;
  m.programCounter = 0;
  m.textFrom = 0;
  m.currentPicture = 0;
  m.textDelay = m.initialPanelValue;
  m.musicOption = 1;
  m.typingSoundOption = 1;
  scenario::openRecordFiles(m);
  scenario::runScript(m, maxRecords);
}

int runGame(Main& m, long maxRecords, bool scriptOnly) {
  try {
    try {
      if (scriptOnly) {
        startScriptOnly(m, maxRecords);
      } else {
        startGame(m, maxRecords);
      }
      m.host.events->endProgram(0);
    } catch (const host::RuntimeError& e) {
      // The game's error trap. A game that ends here failed: the exit status says so.
      host::messageBox(*m.host.dialogs, systemErrorText(e.line(), e.number()),
                       host::sj("システムエラー"), 0, 0);
      if (!e.detail().empty()) std::fprintf(stderr, "  (%s)\n", e.what());
      m.host.events->endProgram(1);
    }
  } catch (const host::ProgramEnd& end) {
    return end.exitCode;
  } catch (const host::RuntimeError& e) {
    // An error inside the end handler itself: nothing is left to trap it.
    std::fprintf(stderr, "zav3: %s\n", e.what());
    return 1;
  }
  return 0;
}

}  // namespace zav3::shell
