// Start-up steps, the end handler and the error trap.
#include "shell/startup.hpp"

#include <cstdio>

#include "host/error.hpp"
#include "scenario/data_files.hpp"
#include "scenario/hooks.hpp"
#include "scenario/interpreter.hpp"

namespace zav3::shell {

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

void startNewGame(Main& m) {
  m.resumePending = false;
  m.programCounter = 0;
  m.textFrom = 0;
  m.currentPicture = 0;
  m.noSaveSceneMarker = 0;
  m.hooks->clearWindowAndFace(m);
}

void MAINFORM_END(Main& m) { m.host.files.closeAll(); }

Bytes systemErrorText(int line, int number) {
  return host::numberText(static_cast<Long>(line)) + host::sj("行で、エラー番号") +
         host::numberText(static_cast<Long>(number)) + host::sj("が発生しました");
}

int runGame(Main& m, long maxRecords) {
  try {
    setUpFolders(m);
    scenario::loadScenarioTables(m);
    startNewGame(m);
    scenario::openRecordFiles(m);
    scenario::runScript(m, maxRecords);
    MAINFORM_END(m);
    return 0;
  } catch (const GameEnded& end) {
    MAINFORM_END(m);
    return end.exitCode;
  } catch (const host::RuntimeError& e) {
    // The game's error trap. A game that ends here failed: the exit status says so.
    m.host.dialogs->messageBox(systemErrorText(e.line(), e.number()), host::sj("システムエラー"),
                               host::BoxButtons::ok, host::BoxIcon::stop);
    if (!e.detail().empty()) std::fprintf(stderr, "  (%s)\n", e.what());
    try {
      MAINFORM_END(m);
    } catch (const host::RuntimeError&) {
    }
    return 1;
  }
}

}  // namespace zav3::shell
