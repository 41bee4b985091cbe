// Save slots through the game: every saved value into a fresh game, the layout against a
// checked-in file, the message on screen shown again after a load from the option menu and from
// the title menu, the slot lists, and damaged slots that leave the running game as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "host/bmp.hpp"
#include "host/dialogs.hpp"
#include "host/headless/headless_display.hpp"
#include "host/media/media.hpp"
#include "host/sjis.hpp"
#include "scenario/interpreter.hpp"
#include "scenario/media_cues.hpp"
#include "shell/game_hooks.hpp"
#include "shell/save_data.hpp"
#include "shell/startup.hpp"
#include "support/media_files.hpp"
#include "support/message_fixture.hpp"
#include "support/script_fixture.hpp"

namespace zav3::testing {
namespace {

namespace fs = std::filesystem;
using host::sj;

// Every box the game shows, with its caption; answered with the first button.
class RecordingDialogs final : public host::Dialogs {
 public:
  host::BoxAnswer messageBox(const Bytes& text, const Bytes& caption, host::BoxButtons,
                             host::BoxIcon) override {
    boxes.emplace_back(text, caption);
    return host::BoxAnswer::ok;
  }
  Bytes inputBox(const Bytes&, const Bytes&, const Bytes& defaultText) override {
    return defaultText;
  }
  Bytes saveFileDialog(const Bytes&, const Bytes& proposed, const Bytes&) override {
    return proposed;
  }
  std::vector<std::pair<Bytes, Bytes>> boxes;
};

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> out;
  size_t at = 0;
  for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
    out.push_back(text.substr(at, end - at));
  }
  if (at < text.size()) out.push_back(text.substr(at));
  return out;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

// A distinct value in every variable a slot carries, and in the neighbours it does not carry
// (choiceMask 0, returnStack 10, personTableB 10..99). Two seeds give games that differ in
// every one of them.
void fillDistinct(Main& g, int seed) {
  const float f = static_cast<float>(seed);
  const double d = seed;
  g.messageRecord = 2147483647 - seed;
  g.messageTextFrom = 1000000 + seed;
  g.sceneTitle = sj("第二話、艦橋") + "x, y" + std::to_string(seed);  // an ASCII comma
  g.currentPicture = static_cast<Integer>(6 + seed);                  // pictures 7 and 8 exist
  g.textDelay = static_cast<Integer>(340 + seed);
  g.musicOption = seed % 2;
  g.typingSoundOption = 1 - seed % 2;
  g.currentSong = static_cast<Integer>(4 + seed);
  g.reservedSaveValue = static_cast<Integer>(-12345 - seed);
  for (long i = 0; i <= 10; ++i) g.choiceMask(i) = static_cast<Integer>(100 + 3 * i + seed);
  g.returnDepth = static_cast<Integer>(6 + seed);
  for (long i = 0; i <= 10; ++i) {
    g.returnStack(i) = i % 2 ? -(i * 1000003 + seed) : 2147483647 - i - 20 * seed;
  }
  const std::vector<Bytes> replies = {
      sj("あかつき"), "a,b, c", "  leading blanks",    "trailing blank ", "\"quoted\"", " 12",
      sj("－艦長、"), "-",      std::string(200, 'w'), sj("＠ＡＢ")};
  for (long i = 0; i <= 9; ++i)
    g.replyText(i) = replies[static_cast<size_t>(i)] + std::to_string(seed);
  g.clockDayText = "0" + std::to_string(seed);
  g.clockHourText = std::to_string(16 + seed);
  g.clockMinuteText = std::to_string(44 + seed);
  for (long i = 0; i <= 200; ++i) {
    g.gameVar(i) = static_cast<float>(i + 1) * (0.37f + f / 1024) * (i % 2 ? -1.0f : 1.0f);
  }
  g.gameVar(0) = FLT_MAX / f;
  g.gameVar(1) = -FLT_MIN * f;
  g.gameVar(2) = 1e-7f * f;
  g.gameVar(3) = 16777216.0f + 2 * f;
  g.gameVar(4) = -123456.789f * f;
  g.gameVar(5) = std::bit_cast<float>(0x00000001u) * f;  // the smallest subnormal and twice it
  g.gameVar(6) = 0.1f * f;
  g.gameVar(7) = 1e20f * f;
  for (long i = 0; i <= 2000; ++i) {
    g.gameFlag(i) = static_cast<Integer>((i < 1000 ? i - 1000 : i + 1) * (seed == 1 ? 1 : -1));
  }
  g.gameFlag(0) = static_cast<Integer>(-32768 + seed);
  g.gameFlag(2000) = static_cast<Integer>(32768 - seed);
  const double ship[] = {9076607273.5,         -1e300, 1e-300, 0.1,       -12345678.125, 1e20,
                         123456789012345678.0, 5e-324, -2.5,   1.0 / 3.0, 6.02214076e23};
  for (long i = 0; i <= 10; ++i) g.shipState(i) = ship[i] * d;
  for (long i = 0; i <= 99; ++i) g.personTableB(i) = static_cast<Integer>(500 + i + 1000 * seed);
  for (long i = 0; i <= 64; ++i) {
    g.personTableA(i) = static_cast<Integer>(-(i + 1) * 7 - seed);
    g.personTableC(i) = static_cast<Integer>((i + 1) * 11 + 3 * seed);
  }
}

// What a load may change, or must leave alone when it fails: every saved variable, their
// unsaved neighbours, the tables routine 26 rebuilds, the interpreter and option state, the
// screen, the caption and everything traced.
std::vector<std::string> stateOf(Main& g, bool withTrace = true) {
  std::vector<std::string> out;
  auto text = [](const auto& v) {
    using T = std::decay_t<decltype(v)>;
    if constexpr (std::is_same_v<T, Bytes>) {
      return "\"" + v + "\"";
    } else if constexpr (std::is_same_v<T, SpacePoint>) {
      char b[120];
      std::snprintf(b, sizeof b, "%a %a %a", v.x, v.y, v.z);
      return std::string(b);
    } else if constexpr (std::is_floating_point_v<T>) {
      char b[40];
      std::snprintf(b, sizeof b, "%a", static_cast<double>(v));
      return std::string(b);
    } else {
      return std::to_string(v);
    }
  };
  auto add = [&](const char* name, const auto& v) {
    out.push_back(std::string(name) + " " + text(v));
  };
  auto addArray = [&](const char* name, const auto& a) {
    for (long i = a.first(); i <= a.last(); ++i) {
      out.push_back(std::string(name) + "(" + std::to_string(i) + ") " + text(a(i)));
    }
  };
  auto addSurface = [&](const char* name, host::Handle control) {
    const auto& s = g.host.forms.surface(control);
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint32_t p : s.pixels()) h = (h ^ p) * 1099511628211ull;
    out.push_back(std::string(name) + " " + std::to_string(s.width()) + "x" +
                  std::to_string(s.height()) + " " + std::to_string(h));
  };
  add("programCounter", g.programCounter);
  add("textFrom", g.textFrom);
  add("textTo", g.textTo);
  add("messageRecord", g.messageRecord);
  add("messageTextFrom", g.messageTextFrom);
  add("sceneTitle", g.sceneTitle);
  add("currentPicture", g.currentPicture);
  add("shownPicture", g.shownPicture);
  add("preparedPicture", g.preparedPicture);
  add("textDelay", g.textDelay);
  add("musicOption", g.musicOption);
  add("typingSoundOption", g.typingSoundOption);
  add("autoAdvance", g.autoAdvance);
  add("currentSong", g.currentSong);
  add("reservedSaveValue", g.reservedSaveValue);
  add("returnDepth", g.returnDepth);
  add("resumePending", g.resumePending);
  add("saveLocked", g.saveLocked);
  add("noSaveSceneMarker", g.noSaveSceneMarker);
  add("windowTitle", g.windowTitle);
  add("clockDayText", g.clockDayText);
  add("clockHourText", g.clockHourText);
  add("clockMinuteText", g.clockMinuteText);
  add("lastFaceCode", g.lastFaceCode);
  add("combatTablesMade", g.combatTablesMade);
  addArray("gameVar", g.gameVar);
  addArray("gameFlag", g.gameFlag);
  addArray("shipState", g.shipState);
  addArray("replyText", g.replyText);
  addArray("choiceMask", g.choiceMask);
  addArray("returnStack", g.returnStack);
  addArray("personTableA", g.personTableA);
  addArray("personTableB", g.personTableB);
  addArray("personTableC", g.personTableC);
  addArray("saveTitle", g.saveTitle);
  addArray("choiceText", g.choiceText);
  addArray("placeName", g.placeName);
  addArray("placePos", g.placePos);
  addArray("sinTable", g.sinTable);
  addSurface("PICTURE1", g.PICTURE1);
  addSurface("PICTURE2", g.PICTURE2);
  addSurface("P8", g.P8);
  if (withTrace) {
    for (const auto& line : g.host.trace.lines()) out.push_back("trace " + line);
  }
  return out;
}

// The first line where two states differ, empty when they are the same.
std::string firstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    const std::string x = i < a.size() ? a[i] : "(none)";
    const std::string y = i < b.size() ? b[i] : "(none)";
    if (x != y) return "before: " + host::sjisToUtf8(x) + "\n after: " + host::sjisToUtf8(y);
  }
  return "";
}

// A game at a message, with the save folder, the nine slot files and their titles ("-"), the
// real slot lists in the option menu, nine songs and three event pictures.
class SaveSlots : public MessageFixture {
 protected:
  void SetUp() override {
    MessageFixture::SetUp();
    fs::create_directories(dir_ / "SAVEDATA");
    m().saveFolder = folder_ + "SAVEDATA\\";
    for (int n = 1; n <= 9; ++n) {
      writeBytes(slotPath(n), "-\r\n");
      m().saveTitle(n) = "-";
    }
    m().saveMenu = shell::saveMenu;
    m().loadMenu = shell::loadMenu;
    m().midiFolder = folder_ + "MIDI\\";
    for (int n = 1; n <= 9; ++n) {
      writeFile(dir_ / "MIDI" / ("0" + std::to_string(n) + ".MID"), tempoChangeSong());
    }
    for (int p : {3, 7, 8}) {
      writePicture(dir_ / "CG" / ("00" + std::to_string(p) + ".BMP"), 8, 4,
                   host::rgb(10 * p, 20, 30));
    }
    auto recording = std::make_unique<RecordingDialogs>();
    dialogs_ = recording.get();
    host_->dialogs = std::move(recording);
  }

  fs::path slotPath(int n) const {
    return dir_ / "SAVEDATA" / ("SAVE" + std::to_string(n) + ".DAT");
  }
  // Writes the state of `g` into slot n as the save does, with a fixed title.
  void writeSlot(Main& g, int n) {
    shell::writeSaveLayout(g, m().saveFolder + "SAVE" + std::to_string(n) + ".DAT",
                           "2026/12/08 21:05:09");
  }

  RecordingDialogs* dialogs_ = nullptr;
};

TEST_F(SaveSlots, EveryValueComesBackIntoAFreshGame) {
  Main source(*host_);
  fillDistinct(source, 1);
  writeSlot(source, 3);
  fillDistinct(m(), 2);
  m().noSaveSceneMarker = 1;
  m().resumePending = false;
  const Main& g = m();
  std::vector<Integer> personTableBBefore = m().personTableB.values();

  ASSERT_TRUE(shell::loadSlot(m(), 3));
  EXPECT_TRUE(dialogs_->boxes.empty());

  EXPECT_EQ(g.programCounter, source.messageRecord);
  EXPECT_EQ(g.textFrom, source.messageTextFrom);
  EXPECT_EQ(g.messageTextFrom, source.messageTextFrom);
  EXPECT_EQ(g.sceneTitle, source.sceneTitle);
  EXPECT_EQ(g.currentPicture, source.currentPicture);
  EXPECT_EQ(g.textDelay, source.textDelay);
  EXPECT_EQ(g.musicOption, source.musicOption);
  EXPECT_EQ(g.typingSoundOption, source.typingSoundOption);
  EXPECT_EQ(g.currentSong, source.currentSong);
  EXPECT_EQ(g.reservedSaveValue, source.reservedSaveValue);
  EXPECT_EQ(g.returnDepth, source.returnDepth);
  EXPECT_EQ(g.clockDayText, source.clockDayText);
  EXPECT_EQ(g.clockHourText, source.clockHourText);
  EXPECT_EQ(g.clockMinuteText, source.clockMinuteText);
  EXPECT_EQ(g.choiceMask(0), 100 + 2) << "element 0 is not saved";
  for (long i = 1; i <= 10; ++i) EXPECT_EQ(g.choiceMask(i), source.choiceMask(i)) << i;
  for (long i = 0; i <= 9; ++i) EXPECT_EQ(g.returnStack(i), source.returnStack(i)) << i;
  EXPECT_EQ(g.returnStack(10), 2147483647 - 10 - 40) << "element 10 is not saved";
  for (long i = 0; i <= 9; ++i) EXPECT_EQ(g.replyText(i), source.replyText(i)) << i;
  for (long i = 0; i <= 200; ++i) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(g.gameVar(i)),
              std::bit_cast<std::uint32_t>(source.gameVar(i)))
        << "gameVar(" << i << ") " << g.gameVar(i) << " for " << source.gameVar(i);
  }
  for (long i = 0; i <= 2000; ++i) EXPECT_EQ(g.gameFlag(i), source.gameFlag(i)) << i;
  for (long i = 0; i <= 10; ++i) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(g.shipState(i)),
              std::bit_cast<std::uint64_t>(source.shipState(i)))
        << "shipState(" << i << ") " << g.shipState(i) << " for " << source.shipState(i);
  }
  for (long i = 0; i <= 99; ++i) {
    const Integer want =
        i <= 9 ? source.personTableB(i) : personTableBBefore[static_cast<size_t>(i)];
    EXPECT_EQ(g.personTableB(i), want) << "personTableB(" << i << ")";
  }
  for (long i = 0; i <= 64; ++i) {
    EXPECT_EQ(g.personTableA(i), source.personTableA(i)) << i;
    EXPECT_EQ(g.personTableC(i), source.personTableC(i)) << i;
  }
  // The restore steps: resume, no-save marker cleared, the scene picture and caption.
  EXPECT_TRUE(g.resumePending);
  EXPECT_EQ(g.noSaveSceneMarker, 0);
  EXPECT_EQ(g.shownPicture, 7);
  EXPECT_EQ(g.windowTitle, g.captionPrefix + source.sceneTitle);
}

TEST_F(SaveSlots, LoadRestoresOptionsAndASceneWithoutPictureKeepsTheCaption) {
  m().musicOption = 1;
  m().typingSoundOption = 0;
  m().currentPicture = 0;
  m().textDelay = 0;
  m().sceneTitle = sj("甲板");
  writeSlot(m(), 1);
  m().musicOption = 0;
  m().typingSoundOption = 1;
  m().textDelay = 900;
  m().windowTitle = "kept";
  ASSERT_TRUE(shell::loadSlot(m(), 1));
  EXPECT_EQ(m().musicOption, 1);
  EXPECT_EQ(m().typingSoundOption, 0);
  EXPECT_EQ(m().textDelay, 0);
  EXPECT_EQ(m().windowTitle, "kept") << "no picture: the caption stays";
  EXPECT_EQ(m().shownPicture, 0);
}

TEST_F(SaveSlots, ALoadPlaysTheSavedSongAgain) {
  scenario::installMediaCues(m());
  host_->media->setTraceMedia(true);
  m().musicOption = 1;
  m().hooks->music(m(), 1);
  writeSlot(m(), 1);  // saved while song 1 plays
  m().hooks->music(m(), 2);
  const size_t seen = host_->trace.lines().size();
  ASSERT_TRUE(shell::loadSlot(m(), 1));
  EXPECT_EQ(m().currentSong, 1);
  std::string opened;
  const auto& lines = host_->trace.lines();
  for (size_t i = seen; i < lines.size(); ++i) {
    if (lines[i].find("ALIAS MID_M") != std::string::npos) opened = lines[i];
  }
  EXPECT_NE(opened.find("01.MID"), std::string::npos) << "last song opened: " << opened;
  host_->media->sendCommand(m().MCI2, "status MID_M mode");
  EXPECT_EQ(host_->media->resultText(m().MCI2), "playing");

  // Saved with the music off: the load stops the song that plays.
  m().musicOption = 0;
  writeSlot(m(), 2);
  m().hooks->music(m(), 2);
  shell::pressOptionButton(m(), 4);
  ASSERT_TRUE(shell::loadSlot(m(), 2));
  EXPECT_EQ(m().musicOption, 0);
  host_->media->sendCommand(m().MCI2, "status MID_M mode");
  EXPECT_NE(host_->media->resultText(m().MCI2), "playing");
}

TEST_F(SaveSlots, LayoutMatchesTheCheckedInFileByteForByte) {
  Main& g = m();
  g.messageRecord = 1234;
  g.messageTextFrom = 567;
  g.sceneTitle = sj("艦橋、朝");
  g.currentPicture = 3;
  g.textDelay = 250;
  g.musicOption = 1;
  g.typingSoundOption = 0;
  g.currentSong = 2;
  g.reservedSaveValue = 9;
  g.choiceMask(0) = 1;  // not saved
  for (long i : {1, 5, 6, 10}) g.choiceMask(i) = 1;
  g.returnDepth = 2;
  g.returnStack(0) = 15;
  g.returnStack(4) = -3;
  g.returnStack(5) = 100000;
  g.returnStack(9) = 2147483647;
  g.returnStack(10) = 99;  // not saved
  g.replyText(0) = sj("あかつき");
  g.replyText(1) = "a,b";
  g.replyText(9) = " 12 ";
  g.clockDayText = "01";
  g.clockHourText = "09";
  g.clockMinuteText = "05";
  g.gameVar(0) = 1.5f;
  g.gameVar(4) = -0.25f;
  g.gameVar(5) = 0.1f;
  g.gameVar(131) = 1;
  g.gameVar(199) = 1e20f;
  g.gameVar(200) = 16777216.0f;
  g.personTableB(0) = 7;
  g.personTableB(9) = -1;
  g.personTableB(10) = 5;  // not saved
  g.personTableA(64) = 12;
  g.personTableC(0) = 3;
  g.personTableC(63) = -4;
  g.gameFlag(0) = -32768;
  g.gameFlag(1999) = 32767;
  g.gameFlag(2000) = 1;
  g.shipState(0) = -12345678.125;  // 14 columns with its blank: the next value one zone later
  g.shipState(1) = 1e20;
  g.shipState(4) = 9076607273.5;
  g.shipState(5) = 0.001;
  g.shipState(10) = -2.5;
  writeSlot(g, 1);
  const std::string expected = readFile(fs::path(ZAV3_SOURCE_DIR) / "tests/golden/save_layout.dat");
  ASSERT_FALSE(expected.empty());
  const std::string written = readFile(slotPath(1));
  const auto want = linesOf(expected);
  const auto have = linesOf(written);
  ASSERT_EQ(have.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(have[i], want[i]) << "line " << i + 1;
  EXPECT_EQ(written, expected);

  // The checked-in slot loads back into the same values.
  fillDistinct(g, 2);
  writeBytes(slotPath(2), expected);
  ASSERT_TRUE(shell::loadSlot(g, 2));
  EXPECT_EQ(g.programCounter, 1234);
  EXPECT_EQ(g.textFrom, 567);
  EXPECT_EQ(g.replyText(1), "a,b");
  EXPECT_EQ(g.replyText(9), " 12 ");
  EXPECT_EQ(g.gameVar(5), 0.1f);
  EXPECT_EQ(g.gameVar(199), 1e20f);
  EXPECT_EQ(g.shipState(0), -12345678.125);
  EXPECT_EQ(g.shipState(5), 0.001);
  EXPECT_EQ(g.reservedSaveValue, 9);
}

TEST_F(SaveSlots, SmallerBoundsInTheFileAreHonoured) {
  // A slot whose gameVar block is 0..100: 20 lines of five and element 100 alone; the elements
  // above keep the zero that routine 26 gave them.
  fillDistinct(m(), 1);
  writeSlot(m(), 1);
  auto lines = linesOf(readFile(slotPath(1)));
  ASSERT_EQ(lines[1], " 200 ");
  lines[1] = " 100 ";
  const size_t firstVarLine = 29;
  char last[40];
  std::snprintf(last, sizeof last, "%s ", host::numberText(m().gameVar(100)).c_str());
  lines[firstVarLine + 20] = last;
  lines.erase(lines.begin() + firstVarLine + 21, lines.begin() + firstVarLine + 41);
  writeBytes(slotPath(2), joined(lines));
  fillDistinct(m(), 2);
  ASSERT_TRUE(shell::loadSlot(m(), 2))
      << host::sjisToUtf8(dialogs_->boxes.empty() ? "" : dialogs_->boxes[0].first);
  Main source(*host_);
  fillDistinct(source, 1);
  for (long i = 0; i <= 100; ++i) EXPECT_EQ(m().gameVar(i), source.gameVar(i)) << i;
  for (long i = 101; i <= 200; ++i) EXPECT_EQ(m().gameVar(i), 0) << i;
  EXPECT_EQ(m().personTableA(64), source.personTableA(64));
  EXPECT_EQ(m().shipState(10), source.shipState(10));
}

TEST_F(SaveSlots, APlayRecordFoundAtStartUpSetsFlag131AfterALoad) {
  m().gameVar(131) = 0;
  writeSlot(m(), 1);
  for (Long endings : {4L, 2L, 256L}) {
    m().playRecordEndings = endings;
    ASSERT_TRUE(shell::loadSlot(m(), 1));
    EXPECT_EQ(m().gameVar(131), endings == 4 ? 1 : 0) << endings;
  }
}

TEST_F(SaveSlots, TheSlotListsSaveIntoAnEmptySlotAndLoadOnlyWrittenOnes) {
  // Slot 3 is empty ("-"): the save list replaces it; its title is the date and time.
  m().gameVar(9) = 6;
  input({"click 500 115"});  // the fourth line: slot 3
  shell::saveMenu(m());
  const std::string title = m().saveTitle(3);
  EXPECT_NE(title, "-");
  EXPECT_EQ(linesOf(readFile(slotPath(3)))[0], title);
  for (int n : {1, 2, 4, 5, 6, 7, 8, 9}) EXPECT_EQ(readFile(slotPath(n)), "-\r\n") << n;

  // The next list offers the new title: loading slot 3 now restores it.
  m().gameVar(9) = 1;
  input({"click 500 115"});
  shell::loadMenu(m());
  EXPECT_EQ(m().gameVar(9), 6);
  EXPECT_TRUE(m().resumePending);

  // An empty slot and "キャンセル" load nothing; "キャンセル" saves nothing.
  m().resumePending = false;
  m().gameVar(9) = 2;
  const auto before = stateOf(m(), false);  // the lists are traced
  input({"click 500 95"});                  // slot 2, "-"
  shell::loadMenu(m());
  input({"click 500 55"});  // キャンセル
  shell::loadMenu(m());
  input({"click 500 55"});
  shell::saveMenu(m());
  EXPECT_EQ(firstDifference(before, stateOf(m(), false)), "");
  EXPECT_EQ(readFile(slotPath(2)), "-\r\n");
  EXPECT_TRUE(dialogs_->boxes.empty());
}

// Damaged slots: each one gives a box naming the slot and changes nothing in the running game.
TEST_F(SaveSlots, DamagedSlotsShowABoxAndChangeNothing) {
  Main source(*host_);
  fillDistinct(source, 1);
  writeSlot(source, 1);
  const std::string good = readFile(slotPath(1));
  const auto lines = linesOf(good);
  fillDistinct(m(), 2);
  m().currentPicture = 8;
  shell::showScenePicture(m());

  std::vector<std::pair<std::string, std::string>> cases;
  cases.emplace_back("empty file", "");
  // Cut after every line of the head and after lines inside and at the ends of the blocks.
  for (size_t k = 1; k < lines.size(); k += k < 32 ? 1 : k < 100 ? 7 : 41) {
    cases.emplace_back(
        "cut after line " + std::to_string(k),
        joined(std::vector<std::string>(lines.begin(), lines.begin() + static_cast<long>(k))));
  }
  cases.emplace_back("cut in the middle of a line", good.substr(0, good.size() / 2));
  auto withLine = [&](size_t index, const std::string& text) {
    auto copy = lines;
    copy[index] = text;
    return joined(copy);
  };
  // Letters where numbers belong.
  cases.emplace_back("letters in a bound", withLine(1, " xyz "));
  cases.emplace_back("digits then letters", withLine(5, " 12ab "));
  cases.emplace_back("Shift-JIS text in a number line", withLine(8, sj("三") + "  " + " 4 "));
  cases.emplace_back("hexadecimal", withLine(29, " &H10  1  2  3  4 "));
  for (const char* word : {"e5", "D5", "1.2.3", "--5", "5-", "1E", "1E+", ".", "-"}) {
    cases.emplace_back(std::string("a flag of \"") + word + "\"",
                       withLine(300, std::string(" ") + word + " 1 2 3 4"));
  }
  cases.emplace_back("commas between values", withLine(11, " 1, 0, 0, 0, 1 "));
  // Bounds the arrays do not have.
  cases.emplace_back("gameVar bound 201", withLine(1, " 201 "));
  cases.emplace_back("gameFlag bound 9000", withLine(2, " 9000 "));
  cases.emplace_back("shipState bound 11", withLine(3, " 11 "));
  cases.emplace_back("person bound 65", withLine(4, " 65 "));
  cases.emplace_back("negative bound", withLine(4, "-1 "));
  cases.emplace_back("fractional bound", withLine(3, " 9.5 "));
  // Values too large for the variables they go into, and a call depth beyond the stack.
  cases.emplace_back("integer overflow", withLine(8, " 40000         3 "));
  cases.emplace_back("long overflow", withLine(5, " 3000000000 "));
  cases.emplace_back("single overflow",
                     withLine(29, " 1E+39         1             2             3             4 "));
  cases.emplace_back("double overflow",
                     withLine(static_cast<size_t>(lines.size() - 1), " 1D+400 "));
  cases.emplace_back("call depth 11", withLine(13, " 11 "));
  cases.emplace_back("call depth -1", withLine(13, "-1 "));
  cases.emplace_back("six values in a line of five", withLine(11, " 1 0 0 0 1 1 "));
  cases.emplace_back("an empty number line", withLine(10, ""));
  // Huge lines: many values, a number of many digits, no line end at all.
  std::string many;
  for (int i = 0; i < 200000; ++i) many += " 1";
  cases.emplace_back("200000 values", withLine(30, many));
  cases.emplace_back("300000 digits", withLine(5, " " + std::string(300000, '7') + " "));
  cases.emplace_back(
      "a huge last line without its end",
      good.substr(0, good.rfind("\r\n", good.size() - 3) + 2) + std::string(300000, '9'));
  // Garbage: random bytes alone, and in place of the middle of the flags.
  std::uint32_t state = 12345;
  auto randomBytes = [&](size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) {
      state = state * 1103515245u + 12345u;
      out += static_cast<char>(state >> 16);
    }
    return out;
  };
  cases.emplace_back("random bytes", randomBytes(4096));
  cases.emplace_back("random bytes after the title", lines[0] + "\r\n" + randomBytes(30000));
  std::string middle = good;
  const size_t at = good.find(lines[300]);
  middle.replace(at, 64, randomBytes(64));
  cases.emplace_back("random bytes in the flags", middle);
  cases.emplace_back("NUL bytes for a number", withLine(2, std::string(" \0\0\0 ", 5)));
  cases.emplace_back("an end-of-file mark", withLine(6, "\x1A"));

  cases.emplace_back("cut before the last line", joined({lines.begin(), lines.end() - 1}));

  const auto before = stateOf(m());
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    writeBytes(slotPath(4), bytes);
    dialogs_->boxes.clear();
    EXPECT_FALSE(shell::loadSlot(m(), 4));
    ASSERT_EQ(dialogs_->boxes.size(), 1u);
    const Bytes& text = dialogs_->boxes[0].first;
    EXPECT_EQ(text.substr(0, 9), "SAVE4.DAT") << host::sjisToUtf8(text);
    EXPECT_EQ(dialogs_->boxes[0].second, sj("ロード"));
    EXPECT_LT(text.size(), 400u) << "the box quotes a few characters at most";
    const std::string difference = firstDifference(before, stateOf(m()));
    EXPECT_EQ(difference, "");
    if (!difference.empty()) break;
  }

  // A missing slot file is the same; and the file number is free again for a good slot.
  fs::remove(slotPath(5));
  dialogs_->boxes.clear();
  EXPECT_FALSE(shell::loadSlot(m(), 5));
  ASSERT_EQ(dialogs_->boxes.size(), 1u);
  EXPECT_EQ(dialogs_->boxes[0].first.substr(0, 9), "SAVE5.DAT");
  EXPECT_EQ(firstDifference(before, stateOf(m())), "");
  EXPECT_TRUE(shell::loadSlot(m(), 1));
  EXPECT_EQ(m().gameFlag(1999), source.gameFlag(1999));
}

// The message on screen when the game was saved is shown again from its first record after a
// load from the option menu of a later message, and the script goes on from its record.
TEST_F(SaveSlots, ALoadFromTheOptionMenuShowsTheSavedMessageAgain) {
  const char* const chained = " 2";
  open({message(sj("あ")), message(sj("い"), "000000", chained, 'S'), message(sj("う")),
        message(sj("え"))},
       {rec("P", "1", "1"), rec("HE", "9", "5"), rec("P", "2", "3"), rec("HE", "10", "7"),
        rec("P", "4", "4")});
  std::vector<Long> records;
  m().onRecord = [&](Main& g) {
    records.push_back(g.programCounter);
    if (records.size() == 6) {  // record 3 again: the values of the save are back
      EXPECT_EQ(g.gameVar(9), 5);
      EXPECT_EQ(g.gameVar(10), 0);
    }
  };
  input({"click 100 100",                   // message 1
         "click 100 100",                   // the pause inside message 2..3
         "click 610 400", "click 500 90",   // at the end of 2..3: option menu, save
         "click 500 95",                    // slot 2
         "click 100 100",                   // go on
         "click 610 400", "click 470 45",   // at message 4: option menu, load
         "click 500 95",                    // slot 2
         "click 100 100", "click 100 100",  // 2..3 again
         "click 100 100"});                 // 4 again
  bool saved = false;
  m().saveMenu = [&](Main& g) {
    shell::saveMenu(g);
    saved = true;
    EXPECT_EQ(g.messageRecord, 3);
    EXPECT_EQ(g.messageTextFrom, 2);
    EXPECT_EQ(g.textFrom, 4) << "the message has been typed to its end";
  };
  scenario::runScript(m(), 8);
  EXPECT_TRUE(saved);
  EXPECT_EQ(records, (std::vector<Long>{1, 2, 3, 4, 5, 3, 4, 5}));
  std::vector<std::string> shown;
  for (const auto& l : traceLines()) {
    if (l.rfind("  ", 0) == 0) shown.push_back(l.substr(2, 1));
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"1", "2", "3", "4", "2", "3", "4"}));
  EXPECT_FALSE(m().resumePending);
  EXPECT_EQ(m().gameVar(10), 7);
  EXPECT_EQ(linesOf(readFile(slotPath(2)))[5], " 3 ");
  EXPECT_EQ(linesOf(readFile(slotPath(2)))[6], " 2 ");
}

// The title menu's load: a whole start-up with the slot saved by an earlier run.
class TitleMenuLoad : public ScriptFixture {
 protected:
  void SetUp() override {
    ScriptFixture::SetUp();
    const char* const chained = " 2";
    writeGame({rec("P", "1", "1"), rec("HE", "9", "5"), rec("P", "2", "3"), rec("HE", "10", "7"),
               rec("P", "4", "4"), rec("END")},
              {},
              {message(sj("あ")), message(sj("い"), "000000", chained, 'S'), message(sj("う")),
               message(sj("え"))});
    fs::create_directories(dir() / "MAINCG");
    for (auto [name, w, h] : {std::tuple{"OPTION1", 150, 300},
                              {"OPTION2", 150, 280},
                              {"KAOWAKU", 136, 156},
                              {"TXTWAKU", 470, 156},
                              {"LISTWAKU", 128, 32},
                              {"BF_COLOR", 32, 32}}) {
      const auto bytes = host::encodeBmp24(host::Surface(w, h, 0xFF203040u));
      writeBytes(dir() / "MAINCG" / (std::string(name) + ".BMP"),
                 std::string(bytes.begin(), bytes.end()));
    }
    writeFile(dir() / "WAVE" / "CAPI.WAV", waveBytes(1, 11025, 8, 8000));
    writeFile(dir() / "MIDI" / "01.MID", tempoChangeSong());
    writeBytes(dir() / "COPYRIGHT.TXT", "**** Zav3 ****\r\n\r\n\r\n");
  }

  // A whole run in a fresh game on a fresh host: the messages it showed, in order.
  std::vector<std::string> play(std::initializer_list<const char*> clicks) {
    auto h = host::makeHeadlessHost();
    auto g = std::make_unique<Main>(*h);
    g->setHooks(std::make_unique<shell::GameHooks>());
    auto& display = static_cast<host::HeadlessDisplay&>(*h->display);
    for (const char* c : clicks) EXPECT_TRUE(display.queue("click", c));
    h->files.paths().setCurrentFolder(dir());
    EXPECT_EQ(shell::runGame(*g), 0);
    std::vector<std::string> shown;
    for (const auto& l : h->trace.lines()) {
      if (l.rfind("  ", 0) == 0) shown.push_back(l.substr(2, 1));
    }
    lastVar9_ = g->gameVar(9);
    lastVar131_ = g->gameVar(131);
    return shown;
  }

  Single lastVar9_ = 0;
  Single lastVar131_ = 0;
};

TEST_F(TitleMenuLoad, TheSavedRecordRunsAgainFromTheMessageOnScreen) {
  // First run: a new game saved into slot 1 at the end of message 2..3.
  EXPECT_EQ(
      play({"500 55", "100 100", "100 100", "610 400", "500 90", "500 75", "100 100", "100 100"}),
      (std::vector<std::string>{"1", "2", "3", "4"}));
  const auto slot = linesOf(readFile(dir() / "SAVEDATA" / "SAVE1.DAT"));
  ASSERT_GT(slot.size(), 7u);
  EXPECT_EQ(slot[5], " 3 ");
  EXPECT_EQ(slot[6], " 2 ");

  // Second run: the title menu's load list, slot 1. Record 3 runs again from message 2; the
  // variable set by record 2 before the save is back although record 2 does not run again.
  // A play record beyond the first ending has been written since: flag 131 comes with it.
  std::ofstream(dir() / "COPYRIGHT.TXT", std::ios::app) << "D,1,2,4,0,0,0,0,0,0\r\n";
  EXPECT_EQ(play({"500 75", "500 75", "100 100", "100 100", "100 100"}),
            (std::vector<std::string>{"2", "3", "4"}));
  EXPECT_EQ(lastVar9_, 5);
  EXPECT_EQ(lastVar131_, 1);
}

}  // namespace
}  // namespace zav3::testing
