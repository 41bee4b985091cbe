// Numbered files: the print layout, reading back what print wrote, lines, record and byte files,
// the error numbers of the file statements and the file-system operations.
#include "support/error_of.hpp"
#include "host/files.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "host/error.hpp"

namespace zav3::host {
using zav3::testing::errorOf;

namespace {

namespace fs = std::filesystem;

// A FileSystem whose drive C: is a fresh temporary folder, which is also the current folder.
class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    dir_ = fs::temp_directory_path() /
           ("zav3-files-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::create_directories(dir_);
    files_.paths().mapDrive('C', dir_);
    files_.paths().setCurrentFolder(dir_);
  }
  void TearDown() override {
    files_.closeAll();
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }

  void writeRaw(const fs::path& relative, std::string_view bytes) {
    fs::create_directories((dir_ / relative).parent_path());
    std::ofstream(dir_ / relative, std::ios::binary) << bytes;
  }
  std::string readRaw(const fs::path& relative) {
    std::ifstream in(dir_ / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string printed(std::vector<PrintItem> items) {
    files_.open("O", 3, "OUT.TXT");
    files_.print(3, items);
    files_.close(3);
    return readRaw("OUT.TXT");
  }

  fs::path dir_;
  FileSystem files_;
};

TEST_F(FilesTest, PrintWritesNumbersWithBlanksAndPadsToZones) {
  // 3 then 10: " 3 " padded to column 14, then " 10 " and the line end.
  EXPECT_EQ(printed({{Integer{3}, 1}, {Integer{10}, 0}}), " 3 " + Bytes(11, ' ') + " 10 \r\n");
  EXPECT_EQ(printed({{Single{1.0f}, 0}}), " 1 \r\n");
  EXPECT_EQ(printed({{Long{-5}, 2}, {Double{0.5}, 0}}), "-5  .5 \r\n");
  EXPECT_EQ(printed({{Bytes("ab"), 2}, {Bytes("c d"), 2}}), "abc d");
  EXPECT_EQ(printed({}), "\r\n");
  // An item ending exactly on a zone start still moves to the next zone; longer items skip zones.
  EXPECT_EQ(printed({{Bytes(14, 'x'), 1}, {Bytes("y"), 0}}),
            Bytes(14, 'x') + Bytes(14, ' ') + "y\r\n");
  EXPECT_EQ(printed({{Bytes(20, 'x'), 1}, {Bytes("y"), 0}}),
            Bytes(20, 'x') + Bytes(8, ' ') + "y\r\n");
  // Double-byte characters count two columns; the column starts again after each line end.
  const Bytes kana = sj("アイ");
  EXPECT_EQ(printed({{kana, 1}, {Integer{1}, 0}, {Bytes("z"), 1}, {Integer{2}, 0}}),
            kana + Bytes(10, ' ') + " 1 \r\nz" + Bytes(13, ' ') + " 2 \r\n");
}

TEST_F(FilesTest, ReadItemsReadsBackWhatPrintWrote) {
  files_.open("O", 3, "SAVE1.DAT");
  const std::vector<PrintItem> block = {{Integer{1}, 1},
                                        {Integer{-2}, 1},
                                        {Integer{32767}, 1},
                                        {Integer{-32768}, 1},
                                        {Integer{0}, 0}};
  files_.print(3, block);
  files_.print(3, std::vector<PrintItem>{{Long{-2000000000}, 1},
                                         {Single{0.1f}, 1},
                                         {Single{-1.5e-7f}, 1},
                                         {Double{1.0 / 3.0}, 1},
                                         {Double{-123456789.125}, 0}});
  files_.print(3, std::vector<PrintItem>{{Bytes(" scene  title "), 0}});
  files_.print(3, std::vector<PrintItem>{{Bytes(""), 0}});
  files_.print(3, std::vector<PrintItem>{{sj("第３話　遭遇"), 0}});
  files_.print(3, std::vector<PrintItem>{{Bytes("01"), 0}});
  files_.close(3);

  files_.open("I", 3, "SAVE1.DAT");
  Integer i[5];
  files_.input(3, std::vector<InputTarget>{&i[0], &i[1], &i[2], &i[3], &i[4]});
  EXPECT_EQ(std::vector<Integer>(i, i + 5), (std::vector<Integer>{1, -2, 32767, -32768, 0}));
  Long l = 0;
  Single s1 = 0, s2 = 0;
  Double d1 = 0, d2 = 0;
  files_.input(3, std::vector<InputTarget>{&l, &s1, &s2, &d1, &d2});
  EXPECT_EQ(l, -2000000000);
  EXPECT_EQ(s1, 0.1f);
  EXPECT_EQ(s2, -1.5e-7f);
  EXPECT_EQ(d1, 1.0 / 3.0);
  EXPECT_EQ(d2, -123456789.125);
  Bytes title, empty = "x", japanese, clock;
  files_.input(3, std::vector<InputTarget>{&title, &empty, &japanese, &clock});
  EXPECT_EQ(title, "scene  title ");  // leading blanks are skipped, inner and trailing kept
  EXPECT_EQ(empty, "");
  EXPECT_EQ(japanese, sj("第３話　遭遇"));
  EXPECT_EQ(clock, "01");
  EXPECT_TRUE(files_.atEnd(3));
}

TEST_F(FilesTest, ReadItemsSplitsAtCommasAndHonoursQuotes) {
  // The play-record loop: one item at a time until the end, "D" followed by numbers.
  writeRaw("COPYRIGHT.TXT", "**** Zav3 ****\r\n\r\nversion 1\r\nD,1,2,3\r\nD, 4 , 5,-6\r\nD,7,8,9");
  files_.open("I", 3, "COPYRIGHT.TXT");
  std::vector<Bytes> words;
  std::vector<Single> numbers;
  while (!files_.atEnd(3)) {
    Bytes word;
    files_.input(3, std::vector<InputTarget>{&word});
    words.push_back(word);
    if (word == "D") {
      Single a, b, c;
      files_.input(3, std::vector<InputTarget>{&a, &b, &c});
      numbers.insert(numbers.end(), {a, b, c});
    }
  }
  EXPECT_EQ(words, (std::vector<Bytes>{"**** Zav3 ****", "", "version 1", "D", "D", "D"}));
  EXPECT_EQ(numbers, (std::vector<Single>{1, 2, 3, 4, 5, -6, 7, 8, 9}));
  files_.close(3);

  // A comma cuts a string; a quoted string keeps its commas; a comma at a line end does not
  // make an empty item.
  writeRaw("Q.TXT", "a,b c\r\n\"x, y\" rest,z,\r\nw\n12abc,,7\r");
  files_.open("I", 3, "Q.TXT");
  Bytes a, b, q, z, w;
  Integer n1 = -1, n2 = -1, n3 = -1;
  files_.input(3, std::vector<InputTarget>{&a, &b, &q, &z, &w, &n1, &n2, &n3});
  EXPECT_EQ(a, "a");
  EXPECT_EQ(b, "b c");
  EXPECT_EQ(q, "x, y");
  EXPECT_EQ(z, "z");
  EXPECT_EQ(w, "w");
  EXPECT_EQ(n1, 12);  // the number stops where the digits do
  EXPECT_EQ(n2, 0);   // an empty item is 0
  EXPECT_EQ(n3, 7);
  EXPECT_TRUE(files_.atEnd(3));
}

TEST_F(FilesTest, ReadItemsRoundsIntoIntegersAndReportsOverflowAndEnd) {
  writeRaw("N.TXT", "2.5 3.5 -2.5 -3.5 32767.4\r\n32767.6\r\n3E9\r\n1E39\r\n");
  files_.open("I", 3, "N.TXT");
  Integer v[5];
  files_.input(3, std::vector<InputTarget>{&v[0], &v[1], &v[2], &v[3], &v[4]});
  EXPECT_EQ(std::vector<Integer>(v, v + 5), (std::vector<Integer>{2, 4, -2, -4, 32767}));
  Integer i = 0;
  Long l = 0;
  Single s = 0;
  EXPECT_EQ(errorOf([&] { files_.input(3, std::vector<InputTarget>{&i}); }), err::overflow);
  EXPECT_EQ(errorOf([&] { files_.input(3, std::vector<InputTarget>{&l}); }), err::overflow);
  EXPECT_EQ(errorOf([&] { files_.input(3, std::vector<InputTarget>{&s}); }), err::overflow);
  EXPECT_TRUE(files_.atEnd(3));
  EXPECT_EQ(errorOf([&] { files_.input(3, std::vector<InputTarget>{&i}); }), err::inputPastEnd);
  Bytes text;
  EXPECT_EQ(errorOf([&] { files_.input(3, std::vector<InputTarget>{&text}); }), err::inputPastEnd);
  EXPECT_EQ(errorOf([&] { files_.lineInput(3); }), err::inputPastEnd);
  files_.close(3);

  // Trailing blank lines hold no number: reading one is past the end.
  writeRaw("T.TXT", " 5 \r\n\r\n  \r\n");
  files_.open("I", 3, "T.TXT");
  files_.input(3, std::vector<InputTarget>{&i});
  EXPECT_EQ(i, 5);
  EXPECT_FALSE(files_.atEnd(3));
  EXPECT_EQ(errorOf([&] { files_.input(3, std::vector<InputTarget>{&i}); }), err::inputPastEnd);
}

TEST_F(FilesTest, LineInputHandlesEveryLineEndAndHostileContent) {
  Bytes nul("a\0b", 3);
  writeRaw("L.TXT", "one, two \r\nthree\nfour\rfive\r\n\r\n" + nul + "\r\nlast");
  files_.open("I", 3, "L.TXT");
  std::vector<Bytes> lines;
  while (!files_.atEnd(3)) lines.push_back(files_.lineInput(3));
  EXPECT_EQ(lines, (std::vector<Bytes>{"one, two ", "three", "four", "five", "", nul, "last"}));
  EXPECT_EQ(errorOf([&] { files_.lineInput(3); }), err::inputPastEnd);
  files_.close(3);

  // Lines longer than the read buffer, with a CR LF split across buffer refills.
  const Bytes longLine(65535, 'x');
  const Bytes longer(200000, 'y');
  writeRaw("BIG.TXT", longLine + "\r\n" + longer + "\r\nend");
  files_.open("I", 3, "BIG.TXT");
  EXPECT_EQ(files_.lineInput(3), longLine);
  EXPECT_EQ(files_.lineInput(3), longer);
  EXPECT_EQ(files_.lineInput(3), "end");
  EXPECT_TRUE(files_.atEnd(3));
  files_.close(3);

  // Binary garbage read as items and lines ends in values or error 62, never in a crash.
  Bytes garbage;
  std::uint32_t state = 12345;
  for (int k = 0; k < 300000; ++k) {
    state = state * 1103515245u + 12345u;
    garbage.push_back(static_cast<char>(state >> 24));
  }
  writeRaw("BIN.DAT", garbage);
  for (int round = 0; round < 3; ++round) {
    files_.open("I", 3, "BIN.DAT");
    int reads = 0;
    try {
      while (!files_.atEnd(3) && reads < 1000000) {
        Bytes s;
        Double d;
        if (round == 0) files_.input(3, std::vector<InputTarget>{&s});
        if (round == 1) files_.input(3, std::vector<InputTarget>{&d});
        if (round == 2) s = files_.lineInput(3);
        ++reads;
      }
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), err::inputPastEnd);
    }
    EXPECT_GT(reads, 0);
    files_.close(3);
  }
}

TEST_F(FilesTest, OpenAndStatementErrors) {
  writeRaw("A.TXT", "x\r\n");
  EXPECT_EQ(errorOf([&] { files_.open("I", 0, "A.TXT"); }), err::badFileNumber);
  EXPECT_EQ(errorOf([&] { files_.open("I", 256, "A.TXT"); }), err::badFileNumber);
  EXPECT_EQ(errorOf([&] { files_.open("X", 1, "A.TXT"); }), err::badFileMode);
  EXPECT_EQ(errorOf([&] { files_.open("", 1, "A.TXT"); }), err::badFileMode);
  EXPECT_EQ(errorOf([&] { files_.open("I", 1, Bytes(261, 'a')); }), err::badFileName);
  EXPECT_EQ(errorOf([&] { files_.open("I", 1, ""); }), err::badFileName);
  EXPECT_EQ(errorOf([&] { files_.open("I", 1, "MISSING.TXT"); }), err::fileNotFound);
  EXPECT_EQ(errorOf([&] { files_.open("I", 1, "NODIR\\A.TXT"); }), err::pathNotFound);
  EXPECT_EQ(errorOf([&] { files_.open("O", 1, "NODIR\\A.TXT"); }), err::pathNotFound);
  EXPECT_EQ(errorOf([&] { files_.open("I", 1, "Q:\\A.TXT"); }), err::pathNotFound);
  fs::create_directory(dir_ / "SUB");
  EXPECT_EQ(errorOf([&] { files_.open("I", 1, "SUB"); }), err::accessError);
  EXPECT_EQ(errorOf([&] { files_.open("O", 1, "SUB"); }), err::accessError);
  EXPECT_FALSE(files_.isOpen(1));

  files_.open("I", 1, "a.txt");
  EXPECT_EQ(errorOf([&] { files_.open("I", 1, "A.TXT"); }), err::fileAlreadyOpen);
  const std::vector<PrintItem> item = {{Integer{1}, 0}};
  EXPECT_EQ(errorOf([&] { files_.print(1, item); }), err::badFileMode);
  EXPECT_EQ(errorOf([&] { files_.readRecord(1, 1); }), err::badFileMode);
  EXPECT_EQ(errorOf([&] { files_.print(2, item); }), err::fileNotOpen);
  EXPECT_EQ(errorOf([&] { files_.lineInput(2); }), err::fileNotOpen);
  EXPECT_EQ(errorOf([&] { files_.atEnd(300); }), err::badFileNumber);
  files_.close(1);
  files_.close(1);  // closing a closed number is harmless
  EXPECT_EQ(errorOf([&] { files_.lineInput(1); }), err::fileNotOpen);

  // Output truncates, append adds; the buffered text is on disk after close.
  files_.open("O", 1, "A.TXT");
  files_.print(1, item);
  files_.close(1);
  files_.open("A", 1, "A.TXT");
  files_.print(1, item);
  files_.close(1);
  EXPECT_EQ(readRaw("A.TXT"), " 1 \r\n 1 \r\n");

  if (::geteuid() != 0) {  // write protection means nothing to the superuser
    fs::permissions(dir_ / "A.TXT", fs::perms::owner_read);
    EXPECT_EQ(errorOf([&] { files_.open("O", 1, "A.TXT"); }), err::accessError);
  }
}

TEST_F(FilesTest, RecordFilesReadFixedFields) {
  // Two full 57-byte records and a short third one.
  Bytes r1 = Bytes(42, 'a') + "01" + "b" + "c" + "dd" + "eeeeee" + "fff";
  Bytes r2 =
      sj("あいうえおかきくけこさしすせそたちつてとな") + "  " + "1" + " " + "  " + " 1234 " + "  7";
  ASSERT_EQ(r1.size(), 57u);
  ASSERT_EQ(r2.size(), 57u);
  writeRaw("DATA/TXT.RND", r1 + r2 + "short");
  files_.open("R", 1, "C:(57)\\DATA\\TXT.RND");
  constexpr int widths[] = {42, 2, 1, 1, 2, 6, 3};
  files_.declareFields(1, widths);
  const auto& f = files_.readRecord(1, 2);
  ASSERT_EQ(f.size(), 7u);
  EXPECT_EQ(f[0], sj("あいうえおかきくけこさしすせそたちつてとな"));
  EXPECT_EQ(f[1], "  ");
  EXPECT_EQ(f[5], " 1234 ");  // blanks kept, no trimming
  EXPECT_EQ(f[6], "  7");
  EXPECT_EQ(files_.recordBuffer(1), r2);
  EXPECT_EQ(files_.readRecord(1, 1)[1], "01");
  EXPECT_FALSE(files_.atEnd(1));
  // Partly and wholly beyond the end: blanks for the missing bytes.
  EXPECT_EQ(files_.readRecord(1, 3)[0], "short" + Bytes(37, ' '));
  EXPECT_EQ(files_.recordBuffer(1), "short" + Bytes(52, ' '));
  EXPECT_TRUE(files_.atEnd(1));
  for (const auto& field : files_.readRecord(1, 1000000))
    EXPECT_EQ(field, Bytes(field.size(), ' '));
  EXPECT_EQ(files_.readRecord(1, 1000000)[6].size(), 3u);
  EXPECT_EQ(errorOf([&] { files_.readRecord(1, 0); }), err::badRecordNumber);
  EXPECT_EQ(errorOf([&] { files_.readRecord(1, -5); }), err::badRecordNumber);
  constexpr int tooWide[] = {50, 8};
  EXPECT_EQ(errorOf([&] { files_.declareFields(1, tooWide); }), err::fieldOverflow);
  files_.close(1);

  // The script file: five fields of 7 bytes in 35-byte records, always 7 bytes each.
  writeRaw("PRO.RND", "SP     90     1");
  files_.open("R", 2, "(35)PRO.RND");
  constexpr int seven[] = {7, 7, 7, 7, 7};
  files_.declareFields(2, seven);
  const auto& g = files_.readRecord(2, 1);
  EXPECT_EQ(g, (std::vector<Bytes>{"SP     ", "90     ", "1      ", "       ", "       "}));
  files_.close(2);

  // Without a marker the length is 128; a record file is created when missing.
  files_.open("R", 3, "4TH_CG.BMP");
  EXPECT_EQ(files_.readRecord(3, 1).size(), 0u);
  EXPECT_EQ(files_.recordBuffer(3).size(), 128u);
  files_.close(3);
  EXPECT_TRUE(fs::exists(dir_ / "4TH_CG.BMP"));
  EXPECT_EQ(fs::file_size(dir_ / "4TH_CG.BMP"), 0u);

  // A write-protected record file still opens for reading.
  if (::geteuid() != 0) {
    fs::permissions(dir_ / "PRO.RND", fs::perms::owner_read);
    files_.open("R", 2, "C:(35)PRO.RND");
    files_.declareFields(2, seven);
    EXPECT_EQ(files_.readRecord(2, 1)[1], "90     ");
  }
}

TEST_F(FilesTest, ByteFilesWriteAtOneBasedPositions) {
  writeRaw("4TH_CG.BMP", "xxCONTENT");
  files_.open("B", 4, "4TH_CG.BMP");
  files_.seek(4, 1);
  files_.putBytes(4, "BM");
  files_.seek(4, 12);  // beyond the end: the file grows
  files_.putBytes(4, "Z");
  files_.putBytes(4, "!");
  EXPECT_EQ(errorOf([&] { files_.seek(4, 0); }), err::badRecordNumber);
  files_.close(4);
  EXPECT_EQ(readRaw("4TH_CG.BMP"), Bytes("BMCONTENT\0\0Z!", 13));
}

TEST_F(FilesTest, PathsMatchNamesIgnoringCaseAndKeepShiftJis) {
  writeRaw("DATA/PRO.RND", "p");
  EXPECT_TRUE(files_.fileExists("data\\pro.rnd"));
  EXPECT_TRUE(files_.fileExists("C:\\Data\\Pro.Rnd"));
  EXPECT_TRUE(files_.fileExists("./DATA/../data/./PRO.RND"));
  EXPECT_TRUE(files_.folderExists("DATA\\"));
  EXPECT_FALSE(files_.fileExists("DATA"));
  EXPECT_FALSE(files_.folderExists("DATA\\PRO.RND"));
  EXPECT_EQ(files_.paths().toReal("data\\pro.rnd"), dir_ / "DATA" / "PRO.RND");
  // ".." never leaves the drive's root.
  EXPECT_EQ(files_.paths().toReal("..\\..\\DATA"), dir_ / "DATA");

  // An exact match wins over case-insensitive ones.
  writeRaw("a.txt", "lower");
  writeRaw("A.TXT", "upper");
  EXPECT_EQ(files_.paths().toReal("A.TXT").filename(), "A.TXT");
  EXPECT_EQ(files_.paths().toReal("a.txt").filename(), "a.txt");

  // A missing name keeps its spelling, also below a matched folder.
  EXPECT_EQ(files_.paths().toReal("data\\New\\File.txt"), dir_ / "DATA" / "New" / "File.txt");

  // Shift-JIS names: created through the game path, stored in UTF-8, found in any case.
  files_.open("O", 3, sj("SKIPメッセージ.TXT"));
  files_.close(3);
  EXPECT_TRUE(fs::exists(dir_ / "SKIPメッセージ.TXT"));
  EXPECT_TRUE(files_.fileExists(sj("skipメッセージ.txt")));
  // "ソ" and "表" end in 0x5C, the backslash: it must not split the name.
  const Bytes tricky = sj("ソフト表\\表.TXT");
  files_.makeFolder(sj("ソフト表"));
  files_.open("O", 3, tricky);
  files_.close(3);
  EXPECT_TRUE(fs::exists(dir_ / "ソフト表" / "表.TXT"));
  EXPECT_TRUE(files_.fileExists(tricky));
  // Full-width Latin letters match either case.
  writeRaw("ＡＢＣ.TXT", "");
  EXPECT_TRUE(files_.fileExists(sj("ａｂｃ.txt")));

  // Bytes that cannot name a file.
  for (const Bytes& bad : {Bytes("a?b"), Bytes("a|b"), Bytes("a*"), Bytes("a\0b", 3),
                           Bytes("x\\a:b"), Bytes("x\x81"), Bytes("\xFF.TXT")}) {
    EXPECT_EQ(errorOf([&] { files_.paths().toReal(bad); }), err::badFileName) << bad;
    EXPECT_FALSE(files_.fileExists(bad));
  }
  EXPECT_EQ(errorOf([&] { files_.paths().toReal(Bytes(260, 'a')); }), 0);
  EXPECT_EQ(errorOf([&] { files_.paths().toReal(Bytes(261, 'a')); }), err::badFileName);
}

TEST_F(FilesTest, DrivesAndTheCurrentFolder) {
  fs::create_directories(dir_ / "GAME" / "DATA");
  fs::create_directories(dir_ / "disc" / "Zav3" / "AVI");
  writeRaw("disc/Zav3/AVI/COM.TXT", "");
  files_.paths().setCurrentFolder(dir_ / "GAME");
  EXPECT_EQ(files_.currentFolder(), "C:\\GAME");
  EXPECT_EQ(files_.paths().toReal("DATA"), dir_ / "GAME" / "DATA");
  EXPECT_EQ(files_.paths().toReal("\\disc"), dir_ / "disc");
  EXPECT_EQ(files_.paths().toReal("C:"), dir_ / "GAME");

  // Another drive; the longest root names the current folder.
  files_.paths().mapDrive('q', dir_ / "disc");
  EXPECT_TRUE(files_.fileExists("Q:\\ZAV3\\avi\\com.txt"));
  EXPECT_TRUE(files_.fileExists("q:zav3\\AVI\\COM.TXT"));  // from that drive's root
  files_.paths().setCurrentFolder(dir_ / "disc" / "Zav3");
  EXPECT_EQ(files_.currentFolder(), "Q:\\Zav3");
  EXPECT_TRUE(files_.fileExists("AVI\\COM.TXT"));
  files_.paths().setCurrentFolder(dir_ / "disc");
  EXPECT_EQ(files_.currentFolder(), "Q:\\");
  EXPECT_EQ(files_.paths().toGame(dir_ / "GAME" / "DATA"), "C:\\GAME\\DATA");
  EXPECT_EQ(files_.paths().toGame(dir_ / "disc" / "Zav3/"), "Q:\\Zav3");
  EXPECT_EQ(files_.paths().toGame("/"), "");

  // Unmapped drives: absent for the existence tests, error 76 for everything else.
  files_.paths().unmapDrive('Q');
  EXPECT_FALSE(files_.fileExists("Q:\\ZAV3\\AVI\\COM.TXT"));
  EXPECT_FALSE(files_.folderExists("Q:\\"));
  EXPECT_EQ(errorOf([&] { files_.open("I", 1, "Q:\\ZAV3\\AVI\\COM.TXT"); }), err::pathNotFound);
  EXPECT_EQ(errorOf([&] { files_.open("I", 1, "AVI\\COM.TXT"); }), err::pathNotFound);
  EXPECT_EQ(errorOf([&] { files_.paths().setCurrentFolder("/"); }), err::pathNotFound);
  EXPECT_EQ(errorOf([&] { files_.paths().setCurrentFolder(dir_ / "none"); }), err::pathNotFound);

  // A folder with a Japanese name is named in Shift-JIS.
  fs::create_directories(dir_ / "ゲーム");
  files_.paths().setCurrentFolder(dir_ / "ゲーム");
  EXPECT_EQ(files_.currentFolder(), sj("C:\\ゲーム"));
  EXPECT_EQ(files_.paths().toReal(sj("C:\\ゲーム\\A")), dir_ / "ゲーム" / "A");

  // The default mapping puts C: on the real root.
  FileSystem plain;
  plain.paths().setCurrentFolder(dir_);
  EXPECT_EQ(plain.paths().toReal("C:\\"), fs::path("/"));
  EXPECT_TRUE(plain.folderExists("GAME"));
  EXPECT_EQ(plain.currentFolder().substr(0, 3), "C:\\");
}

TEST_F(FilesTest, FileSystemOperations) {
  files_.makeFolder("SAVEDATA");
  EXPECT_TRUE(files_.folderExists("savedata"));
  EXPECT_EQ(errorOf([&] { files_.makeFolder("SaveData"); }), err::accessError);
  EXPECT_EQ(errorOf([&] { files_.makeFolder("NO\\SUB"); }), err::pathNotFound);

  writeRaw("SAVEDATA/SAVE1.DAT", "-\r\n");
  files_.copyFile("savedata\\save1.dat", "SAVEDATA\\SAVE2.DAT");
  EXPECT_EQ(readRaw("SAVEDATA/SAVE2.DAT"), "-\r\n");
  EXPECT_EQ(errorOf([&] { files_.copyFile("NOPE.DAT", "X.DAT"); }), err::fileNotFound);
  EXPECT_EQ(errorOf([&] { files_.copyFile("SAVEDATA\\SAVE1.DAT", "NO\\X.DAT"); }),
            err::pathNotFound);

  // A save written beside the slot and moved over it.
  writeRaw("SAVEDATA/SAVE1.TMP", "new\r\n");
  files_.replaceFile("SAVEDATA\\SAVE1.TMP", "SAVEDATA\\save1.dat");
  EXPECT_EQ(readRaw("SAVEDATA/SAVE1.DAT"), "new\r\n");
  EXPECT_FALSE(fs::exists(dir_ / "SAVEDATA" / "SAVE1.TMP"));
  EXPECT_EQ(errorOf([&] { files_.replaceFile("SAVEDATA\\SAVE1.TMP", "SAVEDATA\\SAVE1.DAT"); }),
            err::fileNotFound);

  files_.deleteFile("SAVEDATA\\SAVE2.DAT");
  EXPECT_FALSE(files_.fileExists("SAVEDATA\\SAVE2.DAT"));
  EXPECT_EQ(errorOf([&] { files_.deleteFile("SAVEDATA\\SAVE2.DAT"); }), err::fileNotFound);
  EXPECT_EQ(errorOf([&] { files_.deleteFile("SAVEDATA"); }), err::accessError);

  fs::permissions(dir_ / "SAVEDATA" / "SAVE1.DAT", fs::perms::owner_read);
  files_.setAttribute("SAVEDATA\\SAVE1.DAT", "-R");
  EXPECT_NE(fs::status(dir_ / "SAVEDATA" / "SAVE1.DAT").permissions() & fs::perms::owner_write,
            fs::perms::none);
  EXPECT_EQ(errorOf([&] { files_.setAttribute("SAVEDATA\\SAVE1.DAT", "R"); }), err::illegalCall);
  EXPECT_EQ(errorOf([&] { files_.setAttribute("GONE.DAT", "-R"); }), err::fileNotFound);
}

TEST(SplitPath, DriveFolderNameAndExtension) {
  auto check = [](std::string_view path, const SplitPathResult& want) {
    const SplitPathResult r = FileSystem::splitPath(path);
    EXPECT_EQ(r.drive, want.drive) << path;
    EXPECT_EQ(r.folder, want.folder) << path;
    EXPECT_EQ(r.name, want.name) << path;
    EXPECT_EQ(r.extension, want.extension) << path;
  };
  check("C:\\GAME\\DATA\\PRO.RND", {"C:", "\\GAME\\DATA\\", "PRO", ".RND"});
  check("C:\\GAME\\", {"C:", "\\GAME\\", "", ""});
  check("d:a.b.c", {"d:", "", "a.b", ".c"});
  check("DIR.X\\NAME", {"", "DIR.X\\", "NAME", ""});
  check("..", {"", "", "..", ""});
  check(sj("C:\\ソフト表\\表"), {"C:", sj("\\ソフト表\\"), sj("表"), ""});
  check("", {"", "", "", ""});
}

TEST(FileErrorNumber, MapsSystemErrors) {
  EXPECT_EQ(fileErrorNumber(ENOENT, true), err::fileNotFound);
  EXPECT_EQ(fileErrorNumber(ENOENT, false), err::pathNotFound);
  EXPECT_EQ(fileErrorNumber(EACCES, true), err::accessError);
  EXPECT_EQ(fileErrorNumber(EROFS, true), err::accessError);
  EXPECT_EQ(fileErrorNumber(ENOSPC, true), err::diskFull);
  EXPECT_EQ(fileErrorNumber(EEXIST, true), err::fileExists);
  EXPECT_EQ(errorText(err::badRecordNumber), "Bad record number");
}

}  // namespace
}  // namespace zav3::host
