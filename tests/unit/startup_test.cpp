// Start-up from an empty working folder to the first script record: the working-folder
// question, the files it creates (and never overwrites), the play-record scan, the blank-in-path
// warning, the movie folder search and the title menu.
#include <cstdlib>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/bmp.hpp"
#include "host/headless/headless_display.hpp"
#include "shell/game_hooks.hpp"
#include "shell/startup.hpp"
#include "support/media_files.hpp"
#include "support/script_fixture.hpp"

namespace zav3::testing {
namespace {

namespace fs = std::filesystem;
using host::sj;

class Startup : public ScriptFixture {
 protected:
  void SetUp() override {
    ScriptFixture::SetUp();
    game().setHooks(std::make_unique<shell::GameHooks>());
    writeGame({rec("IE", "1", "1"), rec("END")});
    writePictures(dir());
  }

  static void writePicture(const fs::path& path, int w, int h) {
    const auto bytes = host::encodeBmp24(host::Surface(w, h, 0xFF203040u));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  static void writePictures(const fs::path& folder) {
    fs::create_directories(folder / "MAINCG");
    writePicture(folder / "MAINCG" / "OPTION1.BMP", 150, 300);
    writePicture(folder / "MAINCG" / "OPTION2.BMP", 150, 280);
    writePicture(folder / "MAINCG" / "KAOWAKU.BMP", 136, 156);
    writePicture(folder / "MAINCG" / "TXTWAKU.BMP", 470, 156);
    writePicture(folder / "MAINCG" / "LISTWAKU.BMP", 128, 32);
    writePicture(folder / "MAINCG" / "BF_COLOR.BMP", 32, 32);
    writePicture(folder / "MAINCG" / "KEIKOKU.BMP", 640, 460);
    // The blip file and the first song, so that the sound and music tests pass quietly.
    writeFile(folder / "WAVE" / "CAPI.WAV", waveBytes(1, 11025, 8, 8000));
    writeFile(folder / "MIDI" / "01.MID", tempoChangeSong());
  }

  host::HeadlessDisplay& display() { return static_cast<host::HeadlessDisplay&>(*hostRef().display); }
  host::ScriptedDialogs& dialogs() { return static_cast<host::ScriptedDialogs&>(*hostRef().dialogs); }

  // Runs the whole start-up with the given folder as the program folder.
  int start(const fs::path& programFolder) {
    hostRef().files.paths().setCurrentFolder(programFolder);
    return shell::runGame(game());
  }
  static std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // The first item of the title menu, then a click for each wait.
  void clickThrough() { ASSERT_TRUE(display().queue("auto-click", "500 55 20")); }
};

TEST_F(Startup, FirstRunAsksForTheWorkingFolderAndCreatesItsFiles) {
  const fs::path work = dir() / "work";
  fs::create_directories(work);
  dialogs().queueAnswer(host::sjisToUtf8(hostRef().files.paths().toGame(work / "anything.txt")));
  clickThrough();
  EXPECT_EQ(start(dir()), 0);
  EXPECT_EQ(read(work / "COPYRIGHT.TXT"),
            "**** Zav3 ****\r\n\r\n" + game().versionLine + "\r\n");
  for (int n = 1; n <= 9; ++n) {
    EXPECT_EQ(read(work / "SAVEDATA" / ("SAVE" + std::to_string(n) + ".DAT")), "-\r\n");
  }
  EXPECT_TRUE(fs::exists(dir() / "work" / "SAVEDATA"));
  EXPECT_FALSE(fs::exists(dir() / "COPYRIGHT.TXT"));
  EXPECT_EQ(game().gameFlag(1), 1);  // the script ran from record 1
  EXPECT_FALSE(fs::exists(work / "4TH_CG.BMP"));  // removed by the end handler
}

TEST_F(Startup, AGameFolderThatCannotBeWrittenProposesTheUsersDataFolder) {
  // A file cannot be made in the game folder (its probe name is taken by a folder, which stops
  // root too): the question proposes $XDG_DATA_HOME/zav3/<game folder name>, and taking the
  // proposal makes that folder with the records and slots in it.
  fs::create_directories(dir() / ".zav3-write-test");
  const fs::path xdg = dir() / "xdg";
  ::setenv("XDG_DATA_HOME", xdg.c_str(), 1);
  clickThrough();
  EXPECT_EQ(start(dir()), 0);
  ::unsetenv("XDG_DATA_HOME");
  const fs::path own = xdg / "zav3" / dir().filename();
  EXPECT_TRUE(fs::exists(own / "COPYRIGHT.TXT"));
  EXPECT_TRUE(fs::exists(own / "SAVEDATA" / "SAVE9.DAT"));
  EXPECT_FALSE(fs::exists(dir() / "COPYRIGHT.TXT"));
  EXPECT_EQ(game().workFolder, hostRef().files.paths().toGame(own) + "\\");
  // A writable game folder is proposed as it always was.
  fs::remove(dir() / ".zav3-write-test");
  EXPECT_FALSE(shell::userDataProposal(game()).has_value());
}

TEST_F(Startup, CancellingTheFolderQuestionQuitsWithoutMakingAnything) {
  dialogs().queueAnswer("cancel");
  EXPECT_EQ(start(dir()), 0);
  EXPECT_FALSE(fs::exists(dir() / "SAVEDATA"));
  EXPECT_EQ(game().gameFlag(1), 0);
}

TEST_F(Startup, ExistingFilesAreKeptAndSlotTitlesRead) {
  std::ofstream(dir() / "COPYRIGHT.TXT", std::ios::binary) << "mine\r\n";
  fs::create_directories(dir() / "SAVEDATA");
  std::ofstream(dir() / "SAVEDATA" / "SAVE3.DAT", std::ios::binary) << "2026/01/01 10:00:00\r\n 1 \r\n";
  clickThrough();
  EXPECT_EQ(start(dir()), 0);
  EXPECT_EQ(dialogs().shown(), 0);  // COPYRIGHT.TXT beside the program: no question
  EXPECT_EQ(read(dir() / "COPYRIGHT.TXT"), "mine\r\n");
  EXPECT_EQ(read(dir() / "SAVEDATA" / "SAVE3.DAT"), "2026/01/01 10:00:00\r\n 1 \r\n");
  EXPECT_EQ(game().saveTitle(3), "2026/01/01 10:00:00");
  EXPECT_EQ(game().saveTitle(4), "-");
}

TEST_F(Startup, PlayRecordsBeyondTheFirstEndingSetFlag131) {
  auto scan = [&](const std::string& records) {
    std::ofstream(dir() / "COPYRIGHT.TXT", std::ios::binary)
        << "**** Zav3 ****\r\n\r\nv\r\n" << records;
    game().gameVar(131) = 0;
    game().workFolder = hostRef().files.paths().toGame(dir()) + "\\";
    shell::scanPlayRecords(game());
    return game().gameVar(131);
  };
  EXPECT_EQ(scan(""), 0);
  EXPECT_EQ(scan("D, 1, 2, 1, 4, 5, 6, 7, 8, 9\r\nD, 1, 2, 2, 4, 5, 6, 7, 8, 9\r\n"), 1);
  EXPECT_EQ(scan("D, 1, 2, 1, 4, 5, 6, 7, 8, 9\r\n"), 0);    // 1 alone
  EXPECT_EQ(scan("D, 1, 2, 2, 4, 5, 6, 7, 8, 9\r\n"), 0);    // 2 alone
  EXPECT_EQ(scan("D, 1, 2, 256, 4, 5, 6, 7, 8, 9\r\n"), 0);  // 256 and above
}

TEST_F(Startup, BlankInTheProgramFolderWarnsAndUsesRelativeSoundFolders) {
  const fs::path spaced = dir() / "my games";
  fs::create_directories(spaced / "DATA");
  for (const char* f : {"PRO.RND", "TXT.RND", "JMP.DAT", "MAN.DAT"}) {
    fs::copy_file(dir() / "DATA" / f, spaced / "DATA" / f);
  }
  writePictures(spaced);
  std::ofstream(spaced / "COPYRIGHT.TXT") << "x\r\n";
  dialogs().queueAnswer("no");
  EXPECT_EQ(start(spaced), 0);
  EXPECT_EQ(dialogs().shown(), 1);
  EXPECT_EQ(game().waveFolder, "WAVE\\");
  EXPECT_EQ(game().midiFolder, "MIDI\\");
  EXPECT_EQ(game().gameFlag(1), 0);  // "No" quits before the script
}

TEST_F(Startup, MovieSearchStartsAtTheSystemDriveAndSkipsDrivesWithout) {
  auto& paths = hostRef().files.paths();
  const fs::path d = dir() / "driveD";
  const fs::path f = dir() / "driveF";
  fs::create_directories(d / "Zav3" / "AVI");
  fs::create_directories(f / "zav3" / "avi");
  std::ofstream(d / "Zav3" / "AVI" / "COM.TXT") << "";
  std::ofstream(f / "zav3" / "avi" / "com.txt") << "";
  paths.mapDrive('D', d);
  paths.mapDrive('E', dir() / "missing");
  paths.mapDrive('F', f);
  paths.setSystemFolder("E:\\WINDOWS");
  paths.setCurrentFolder(dir());
  shell::setUpFolders(game());
  shell::findMovieFolder(game());
  EXPECT_FALSE(game().moviesMissing);
  EXPECT_EQ(game().movieFolder, "F:\\Zav3\\AVI\\");  // never D:, before the system drive

  paths.unmapDrive('F');
  shell::findMovieFolder(game());
  EXPECT_TRUE(game().moviesMissing);  // no drive up to Z: has it; the search ends silently
}

TEST_F(Startup, TheGamesOwnDriveIsSearchedInTheProgramFolder) {
  fs::create_directories(dir() / "AVI");
  std::ofstream(dir() / "AVI" / "COM.TXT") << "";
  hostRef().files.paths().setCurrentFolder(dir());
  shell::setUpFolders(game());
  shell::findMovieFolder(game());
  EXPECT_FALSE(game().moviesMissing);
  EXPECT_EQ(game().movieFolder, game().programFolder + "AVI\\");
}

TEST_F(Startup, LoadMenuWithAnEmptySlotStartsANewGame) {
  std::ofstream(dir() / "COPYRIGHT.TXT") << "x\r\n";
  // Second item of the title menu, then the fourth line (slot 3, empty) of the slot list.
  ASSERT_TRUE(display().queue("click", "500 75"));
  ASSERT_TRUE(display().queue("click", "500 115"));
  int loads = 0;
  game().loadSlot = [&](Main&, int) { return ++loads > 0; };
  EXPECT_EQ(start(dir()), 0);
  EXPECT_EQ(loads, 0);
  EXPECT_EQ(game().gameFlag(1), 1);
  EXPECT_EQ(game().textDelay, 200);
  EXPECT_EQ(game().musicOption, 1);
  EXPECT_EQ(game().typingSoundOption, 1);
}

TEST_F(Startup, MissingFramePictureEndsThroughTheErrorBox) {
  std::ofstream(dir() / "COPYRIGHT.TXT") << "x\r\n";
  fs::remove(dir() / "MAINCG" / "TXTWAKU.BMP");
  EXPECT_EQ(start(dir()), 1);
  EXPECT_EQ(dialogs().shown(), 1);
  EXPECT_EQ(game().gameFlag(1), 0);
}

}  // namespace
}  // namespace zav3::testing
