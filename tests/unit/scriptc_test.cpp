// The scenario compiler and disassembler: exact record bytes of each source form, errors with
// their file and line, and byte-exact round trips of compiled and of deliberately odd data.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

#include "host/sjis.hpp"
#include "scriptc/compiler.hpp"
#include "scriptc/disassembler.hpp"

namespace zav3::scriptc {
namespace {

using host::sj;

DataFiles compiled(const std::string& source) {
  const CompileResult r = compileText(source, "t.zs");
  std::string errors;
  for (const Diagnostic& d : r.errors) errors += d.text() + "\n";
  EXPECT_TRUE(r.ok()) << errors;
  return r.files;
}

std::vector<std::string> errorsOf(const std::string& source) {
  std::vector<std::string> out;
  for (const Diagnostic& d : compileText(source, "t.zs").errors) out.push_back(d.text());
  return out;
}

std::string record(const std::string& pro, int n) {
  return pro.substr((n - 1) * 35, 35);
}
std::string messageAt(const std::string& txt, int n) {
  return txt.substr((n - 1) * 57, 57);
}

std::string rec(std::string op, std::string a1 = "", std::string a2 = "", std::string a3 = "",
                std::string a4 = "") {
  std::string out;
  for (std::string* f : {&op, &a1, &a2, &a3, &a4}) out += *f + std::string(7 - f->size(), ' ');
  return out;
}

std::string plusOne(const std::string& s) {
  std::string out;
  for (unsigned char c : s) out += static_cast<char>(c + 1);
  return out;
}

std::string jumpLines(const std::map<int, long>& entries) {
  std::string out;
  for (int i = 0; i <= 5000; ++i) {
    out += std::to_string(entries.count(i) ? entries.at(i) : 0) + "\r\n";
  }
  return out;
}

std::string defaultSpeakers() {
  std::string out;
  for (int i = 0; i <= 64; ++i) out += (i < 10 ? "0" : "") + std::to_string(i) + ":0,\r\n";
  return out;
}

// Disassembles `files`, compiles the result and expects the same bytes.
void expectRoundTrip(const DataFiles& files) {
  const std::string source = disassemble(files);
  const CompileResult again = compileText(source, "back.zs");
  std::string errors;
  for (const Diagnostic& d : again.errors) errors += d.text() + "\n";
  ASSERT_TRUE(again.ok()) << errors << "\n--- source ---\n" << source;
  EXPECT_TRUE(again.files.pro == files.pro) << source;
  EXPECT_TRUE(again.files.txt == files.txt) << source;
  EXPECT_TRUE(again.files.jmp == files.jmp) << source;
  EXPECT_TRUE(again.files.man == files.man) << source;
}

const char* const richSource = R"(# A bit of everything.
speaker 1 ミナ voice 2 as mina
speaker 2 "艦長 ケイ" voice 3
speaker 3 raw "XX:7,Odd"

label start
say face ミナ/01/00 pic 12
  こんにちは、艦長。
  [S] 今日は@1の日です。@T
  [face 020100 pic 3 size big] OK!
end
HE 5 10
IF 5 <= T3 J:ship_menu
SJ :start
message question face mina/02/FF
  どこへ行きますか
end
message answer
  ブリッジへ。
end
message other size small
  [chain 7] 一行目
  []
end
choice mask 1 costume 2
  header question
  option "ブリッジ" jump ship_menu first answer routine 12
  option 食堂 leave first answer repeat question .. answer
  option "話す" ask 1 close 3 first answer
  option "待つ" keep
  option 戻る until 2
  line "予備"
  persons 1 2 mina
  persons list 2 - 5
  about 1 2 answer
  action back first 3 .. 4
end
list
  艦長　ケイ
  副長　@1
  []
end
insert 1 "艦長"
insert 2 H5
MG 3 10 11 0
label ship_menu = 100
label twice
show question .. answer
P 2 3
record "XY\x00\x01 raw"
"ZZ" 1 "a b"
label final
END
)";

TEST(ScriptcCompile, MessageRecordsAreStoredPlusOneAndChained) {
  const DataFiles f = compiled(richSource);
  ASSERT_EQ(f.txt.size(), 7u * 57);
  // say: three lines, the chain field counts the lines left, pause S on the second.
  const std::string text1 = sj("こんにちは、艦長。");
  EXPECT_EQ(messageAt(f.txt, 1),
            plusOne(text1) + std::string(24, ' ') + "18  03" + "010100" + "012");
  const std::string text2 = sj("今日は") + "@1" + sj("の日です。") + "@T";
  EXPECT_EQ(messageAt(f.txt, 2), plusOne(text2) + std::string(22, ' ') + "20 S02010100012");
  // ASCII becomes full width; line attributes override the header.
  EXPECT_EQ(messageAt(f.txt, 3), plusOne(sj("ＯＫ！")) + std::string(36, ' ') + "06< 01020100003");
  EXPECT_EQ(record(f.pro, 1), rec("P", "1", "3"));
  // Face by alias with costume FF; a chain override; an empty line; small size.
  EXPECT_EQ(messageAt(f.txt, 4).substr(42), "16  010102FF000");
  EXPECT_EQ(messageAt(f.txt, 6).substr(42), "06> 07000000000");
  EXPECT_EQ(messageAt(f.txt, 7), std::string(42, ' ') + "00> 01000000000");
}

// The entries of a JMP.DAT in the compiler's layout that are not 0.
std::map<int, long> usedEntries(const std::string& jmp) {
  std::map<int, long> out;
  std::size_t pos = 0;
  for (int i = 0; pos < jmp.size(); ++i) {
    const std::size_t end = jmp.find("\r\n", pos);
    const long v = std::stol(jmp.substr(pos, end - pos));
    if (v) out[i] = v;
    pos = end + 2;
  }
  return out;
}

TEST(ScriptcCompile, CommandsLabelsAndJumpTable) {
  const DataFiles f = compiled(richSource);
  EXPECT_EQ(record(f.pro, 2), rec("HE", "5", "10"));
  EXPECT_EQ(record(f.pro, 3), rec("IF", "5", "<=", "T3", "J100"));
  EXPECT_EQ(record(f.pro, 4), rec("SJ", "1"));
  // start gets 1, ship_menu is pinned to 100, the later labels take 2 and 3.
  EXPECT_EQ(usedEntries(f.jmp), (std::map<int, long>{{1, 1}, {2, 30}, {3, 34}, {100, 30}}));
  EXPECT_EQ(f.jmp.size(), 5001u * 3 + 3);  // CR LF after each number
  EXPECT_EQ(record(f.pro, 29), rec("MG", "3", "10", "11", "0"));
  EXPECT_EQ(record(f.pro, 30), rec("P", "4", "5"));
  EXPECT_EQ(record(f.pro, 31), rec("P", "2", "3"));
  EXPECT_EQ(record(f.pro, 32), std::string("XY\0\1 raw", 8) + std::string(27, ' '));
  EXPECT_EQ(record(f.pro, 33), rec("ZZ", "1", "a b"));
  EXPECT_EQ(record(f.pro, 34), rec("END"));
  EXPECT_EQ(f.pro.size(), 34u * 35);
}

TEST(ScriptcCompile, ChoiceBlockRecords) {
  const DataFiles f = compiled(richSource);
  EXPECT_EQ(record(f.pro, 5), rec("Q", "", "6", "1", "2"));
  EXPECT_EQ(record(f.pro, 6), sj("ブリッジ？") + std::string(25, ' '));
  EXPECT_EQ(record(f.pro, 11), sj("予備？") + std::string(29, ' '));
  EXPECT_EQ(record(f.pro, 12), rec("H", "4", "4"));
  EXPECT_EQ(record(f.pro, 13), rec("C12J100", "5", "5"));
  EXPECT_EQ(record(f.pro, 14), rec("=", "5", "5", "4", "5"));
  EXPECT_EQ(record(f.pro, 15), rec("O", "5", "5", "1", "3"));
  EXPECT_EQ(record(f.pro, 16), rec("N"));
  EXPECT_EQ(record(f.pro, 17), rec("+2"));
  // Person lists: "OP", nine 3-byte person fields, the list number, two unused bytes.
  EXPECT_EQ(record(f.pro, 18), "OP   1  2  1" + std::string(18, ' ') + "  1  ");
  EXPECT_EQ(record(f.pro, 19),
            "OP " + std::string(3, ' ') + "  5" + std::string(21, ' ') + "  2  ");
  EXPECT_EQ(record(f.pro, 20), rec("OT", "1", "2", "5", "5"));
  EXPECT_EQ(record(f.pro, 21), rec("L", "3", "4"));
  EXPECT_EQ(record(f.pro, 22), rec("QE"));
}

TEST(ScriptcCompile, ListsInsertsAndSpeakers) {
  const DataFiles f = compiled(richSource);
  EXPECT_EQ(record(f.pro, 23), rec("H", "3"));
  EXPECT_EQ(record(f.pro, 24), sj("艦長　ケイ＾") + std::string(23, ' '));
  EXPECT_EQ(record(f.pro, 25), sj("副長　") + "@1" + sj("＾") + std::string(25, ' '));
  EXPECT_EQ(record(f.pro, 26), sj("＾") + std::string(33, ' '));
  EXPECT_EQ(record(f.pro, 27), "$1" + sj("「艦長」") + std::string(25, ' '));
  EXPECT_EQ(record(f.pro, 28), rec("$", "2", "5"));
  // MAN.DAT: 65 lines "NN:voice,name" with CR LF; ASCII in names becomes full width.
  const std::string& man = f.man;
  EXPECT_EQ(man.substr(0, 7), "00:0,\r\n");
  EXPECT_NE(man.find("\r\n01:2," + sj("ミナ") + "\r\n"), std::string::npos);
  EXPECT_NE(man.find("\r\n02:3," + sj("艦長　ケイ") + "\r\n"), std::string::npos);
  EXPECT_NE(man.find("\r\nXX:7,Odd\r\n04:0,\r\n"), std::string::npos);
  EXPECT_EQ(std::count(man.begin(), man.end(), '\n'), 65);
  EXPECT_EQ(man.substr(man.size() - 7), "64:0,\r\n");
}

TEST(ScriptcCompile, TextConversionAndEscapes) {
  const DataFiles f =
      compiled("say\n  a @5@t @x\\x41\\x81\n  \\\\\\\"~\nend\nHE \"a\\\"b\\\\\" \\x01\nEND\n");
  const std::string line1 = sj("ａ　") + "@5" + sj("＠ｔ　＠ｘ") + std::string("\x41\x81", 2);
  EXPECT_EQ(messageAt(f.txt, 1).substr(0, 42),
            plusOne(line1) + std::string(42 - line1.size(), ' '));
  EXPECT_EQ(messageAt(f.txt, 2).substr(0, 6), plusOne(sj("＼”～")));
  EXPECT_EQ(record(f.pro, 2), rec("HE", "a\"b\\", "\x01"));
}

TEST(ScriptcCompile, EntryDirectivesFilesAndTails) {
  const DataFiles f = compiled(
      "entry 0 = 7\nlabel a = 2\nlabel b\nlabel c\nJ :c\ntail \"abc\"\ntexttail \"\\x00\"\n"
      "file MAN.DAT \"x\\r\\n\"\n");
  EXPECT_TRUE(f.jmp == jumpLines({{0, 7}, {2, 1}, {1, 1}, {3, 1}}));
  EXPECT_EQ(f.pro, rec("J", "3") + "abc");
  EXPECT_EQ(f.txt, std::string(1, '\0'));
  EXPECT_EQ(f.man, "x\r\n");
}

TEST(ScriptcCompile, CommentsAndDirectiveLinesAreIgnored) {
  const DataFiles f = compiled(
      "#> expect gameVar(5) = 3\n  # indented comment\nHE 1 2   # trailing comment\n"
      "HE \"#x\" a#b # the quoted and the inner # stay\nsay\n  あ # note\n  # whole line\nend\n");
  EXPECT_EQ(f.pro, rec("HE", "1", "2") + rec("HE", "#x", "a#b") + rec("P", "1", "1"));
  EXPECT_EQ(messageAt(f.txt, 1).substr(0, 2), plusOne(sj("あ")));
  EXPECT_EQ(f.txt.size(), 57u);
}

TEST(ScriptcCompile, ChainCountsTheLinesLeftUpTo99) {
  std::string source = "message long\n";
  for (int i = 0; i < 101; ++i) source += "  あ\n";
  source += "end\nmessage one\n  い\nend\n";
  const DataFiles f = compiled(source);
  EXPECT_EQ(messageAt(f.txt, 1).substr(46, 2), "99");
  EXPECT_EQ(messageAt(f.txt, 3).substr(46, 2), "99");
  EXPECT_EQ(messageAt(f.txt, 4).substr(46, 2), "98");
  EXPECT_EQ(messageAt(f.txt, 100).substr(46, 2), "02");
  EXPECT_EQ(messageAt(f.txt, 101).substr(46, 2), "01");
  EXPECT_EQ(messageAt(f.txt, 102).substr(46, 2), "01");
}

TEST(ScriptcCompile, LineMarksAreLeftOutWhenTheLineIsFull) {
  const std::string k16 = "一二三四五六七八九十一二三四五六";  // 32 bytes
  const DataFiles f = compiled("list\n  " + k16 + "\n  " + k16 + "七\n  " + k16 +
                               "x\nend\nchoice\n  option " + k16 +
                               "七 keep\nend\n"
                               "insert 0 一二三四五六七八九十一二三四\n");
  EXPECT_EQ(record(f.pro, 2), sj(k16) + sj("＾") + " ");
  EXPECT_EQ(record(f.pro, 3), sj(k16 + "七") + " ");
  EXPECT_EQ(record(f.pro, 4), sj(k16 + "ｘ") + " ");
  EXPECT_EQ(record(f.pro, 6), sj(k16 + "七") + " ");
  EXPECT_EQ(record(f.pro, 9), "$0" + sj("「一二三四五六七八九十一二三四」") + " ");
  EXPECT_EQ(errorsOf("insert 0 一二三四五六七八九十一二三四五\n"),
            std::vector<std::string>{"t.zs:1: insert text is over 28 bytes (30)"});
}

TEST(ScriptcCompile, SpeakersByNameAliasOrNumberDeclaredAnywhere) {
  const DataFiles f = compiled(
      "say face ケイ/3/FF\n  あ\n  [face kei/05/01] い\n  [face 12/1/2] う\nend\n"
      "choice\n  persons list 3 ケイ - 64\n  option 聞く ask 2 close kei\n  about 2 ケイ 1 .. "
      "1\nend\n"
      "speaker 7 ケイ voice 1 as kei\n");
  EXPECT_EQ(messageAt(f.txt, 1).substr(48, 6), "0703FF");
  EXPECT_EQ(messageAt(f.txt, 2).substr(48, 6), "070501");
  EXPECT_EQ(messageAt(f.txt, 3).substr(48, 6), "120102");
  EXPECT_EQ(record(f.pro, 4), "OP   7    64" + std::string(18, ' ') + "  3  ");
  EXPECT_EQ(record(f.pro, 5), rec("O", "", "", "2", "7"));
  EXPECT_EQ(record(f.pro, 6), rec("OT", "2", "7", "1", "1"));
  EXPECT_EQ(
      errorsOf("speaker 1 同名\nspeaker 2 同名\nsay face 同名/1/1\n  あ\nend\n"),
      std::vector<std::string>{"t.zs:3: speaker name '同名' is ambiguous (speakers 1 and 2)"});
}

TEST(ScriptcCompile, AutoNumbersSkipNumbersTakenLaterInTheSource) {
  const DataFiles f = compiled("label a\nHE 1 1\nlabel b\nlabel c = 1\nentry 2 = 77\nlabel d\n");
  // c pins 1 and entry 2 is taken, so a, b and d get 3, 4 and 5.
  EXPECT_EQ(usedEntries(f.jmp), (std::map<int, long>{{1, 2}, {2, 77}, {3, 1}, {4, 2}, {5, 2}}));
}

TEST(ScriptcErrors, EachKindNamesFileAndLine) {
  EXPECT_EQ(errorsOf("HE 1 2\nXX 1\n"), std::vector<std::string>{"t.zs:2: unknown opcode 'XX'"});
  EXPECT_EQ(errorsOf("J :nowhere\n"),
            std::vector<std::string>{"t.zs:1: undefined label 'nowhere'"});
  EXPECT_EQ(errorsOf("label a\n\nlabel a\n"),
            std::vector<std::string>{"t.zs:3: duplicate label 'a' (first at t.zs:1)"});
  EXPECT_EQ(errorsOf("HE 12345678 1\n"),
            std::vector<std::string>{"t.zs:1: '12345678' is over 7 bytes"});
  EXPECT_EQ(errorsOf("say\n  一二三四五六七八九十一二三四五六七八九十一\n"
                     "  一二三四五六七八九十一二三四五六七八九十一二\nend\n"),
            std::vector<std::string>{"t.zs:3: message line is over 42 bytes (44)"});
  EXPECT_EQ(errorsOf("list\n  一二三四五六七八九十一二三四五六七八\nend\n"),
            std::vector<std::string>{"t.zs:2: list line is over 34 bytes (36)"});
  EXPECT_EQ(errorsOf("say\n  ☺\nend\n"),
            std::vector<std::string>{"t.zs:2: '☺' has no Shift-JIS form"});
  EXPECT_EQ(errorsOf("HE ☺\n"), std::vector<std::string>{"t.zs:1: '☺' has no Shift-JIS form"});
}

TEST(ScriptcErrors, MoreKindsAndAllErrorsAreReported) {
  const auto e = errorsOf(
      "label a = 3\nlabel b = 3\nshow nothing\nsay face ミナ/1/2\n  ｱ\n  い\nend\nchoice\n"
      "  option \"本当？\" leave\n  option x\nend\nlabel z = 6000\nIF 1 = T1 J:long\n"
      "label long = 1000\nchoice\n  option 行く routine 123 jump long\nend\nsay\n");
  const std::vector<std::string> want = {
      "t.zs:2: entry 3 is already taken at t.zs:1",
      "t.zs:3: undefined message 'nothing'",
      "t.zs:4: unknown speaker 'ミナ'",
      "t.zs:5: half-width kana 'ｱ' in text: write it in full width",
      "t.zs:9: an option line cannot hold ？ (it ends the line)",
      "t.zs:10: option needs an action (back, keep, leave, jump, until or ask)",
      "t.zs:12: entry numbers run from 0 to 5000",
      "t.zs:16: 'long' gives 'C123J1000', over 7 bytes",
      "t.zs:18: message block without 'end'",
  };
  EXPECT_EQ(e, want);
}

TEST(ScriptcErrors, BlocksRecordsAndSpeakers) {
  const auto e = errorsOf(
      "end\nsay pic 1000\n  あ\nend\nsay\n  [colour 3] あ\nend\nsay face 0101\n  あ\nend\n"
      "choice\n  label x\n  option い keep\n  persons 1 2 3 4 5 6 7 8 9 10\nend\n"
      "speaker 65 だれ\nrecord \"123456789012345678901234567890123456\"\ntail \"ab\"\nEND\n");
  const std::vector<std::string> want = {
      "t.zs:1: 'end' without a block to end",
      "t.zs:2: pic needs a number from 0 to 999",
      "t.zs:6: unknown message attribute 'colour' (S, face, pic, size, pause, chain, length)",
      "t.zs:8: a face code has 6 bytes ('0101' has 4)",
      "t.zs:12: a label cannot stand inside a choice block",
      "t.zs:14: a person list record holds at most 9 persons",
      "t.zs:16: speaker numbers run from 0 to 64",
      "t.zs:17: record is over 35 bytes (36)",
      "t.zs:19: no record may follow a tail",
  };
  EXPECT_EQ(e, want);
}

TEST(ScriptcErrors, IncludedFilesAreNamed) {
  const auto dir = std::filesystem::temp_directory_path() / "zav3-scriptc-include";
  std::filesystem::create_directories(dir / "sub");
  std::ofstream(dir / "main.zs") << "include \"sub/part.zs\"\nJ :there\n";
  std::ofstream(dir / "sub" / "part.zs") << "label there\nHE 1 2\nBAD\ninclude \"part.zs\"\n";
  const CompileResult r = compile(dir / "main.zs");
  ASSERT_EQ(r.errors.size(), 2u);
  const std::string sub = (dir / "sub" / "part.zs").string();
  EXPECT_EQ(r.errors[0].text(), sub + ":3: unknown opcode 'BAD'");
  EXPECT_EQ(r.errors[1].text(), sub + ":4: 'part.zs' includes itself");
  std::filesystem::remove_all(dir);
}

TEST(ScriptcRoundTrip, CompiledSourceComesBackReadable) {
  const DataFiles f = compiled(richSource);
  expectRoundTrip(f);
  const std::string source = disassemble(f);
  EXPECT_NE(source.find("label e100 = 100\n"), std::string::npos);
  EXPECT_NE(source.find("IF 5 <= T3 J:e100\n"), std::string::npos);
  EXPECT_NE(
      source.find("say face ミナ/01/00 pic 12\n  こんにちは、艦長。\n  [S] 今日は@1の日です。@T\n"),
      std::string::npos);
  EXPECT_NE(source.find("  option ブリッジ jump e100 first m5 routine 12\n"), std::string::npos);
  EXPECT_NE(source.find("  option 食堂 leave first m5 repeat m4 .. m5\n"), std::string::npos);
  EXPECT_NE(source.find("  persons list 2 - 5\n"), std::string::npos);
  EXPECT_NE(source.find("list\n  艦長　ケイ\n  副長　@1\n  []\nend\n"), std::string::npos);
  EXPECT_NE(source.find("insert 1 艦長\ninsert 2 H5\n"), std::string::npos);
  EXPECT_NE(source.find("show m4 .. m5\nP 2 3\n"), std::string::npos);
  EXPECT_NE(source.find("speaker 3 raw \"XX:7,Odd\"\n"), std::string::npos);
}

TEST(ScriptcRoundTrip, SayBlocksAreNamedOnlyWhenReferenced) {
  const DataFiles f = compiled("say hello\n  あ\nend\nsay bye\n  い\nend\nshow hello\n");
  const std::string source = disassemble(f);
  EXPECT_NE(source.find("say m1\n  あ\nend\nsay\n  い\nend\nshow m1\n"), std::string::npos)
      << source;
  expectRoundTrip(f);
}

TEST(ScriptcRoundTrip, OddDataComesBackByteForByte) {
  DataFiles f;
  // Records with non-canonical padding, split characters, a blank record and a partial one.
  f.pro = rec(" HE", "5") + rec("J", "012") + rec("HE", " 5", "1 ") + std::string(35, ' ') +
          sj("あいうえおかきくけこさしすせそたちつ") + "X" +  // 37 bytes: a split character
          rec("Q", "", "1", "0", "0") + sj("はい") + std::string(31, 'x') +  // odd option line
          rec("QE") + rec("H", "2") + sj("一＾") + std::string(31, ' ') + "END";
  // A message record with junk in the unused text bytes, one with an odd length, foreign
  // chains and faces.
  std::string t1 = plusOne(sj("あい")) + "Z" + std::string(37, ' ') + "04   2000000  0";
  std::string t2 = plusOne(sj("あい")) + std::string(38, ' ') + "03S  1ABCDEF012";
  std::string t3 = plusOne(sj("う")) + std::string(40, ' ') +
                   "02x\x01"
                   "01"
                   "01/0FF"
                   "abc";
  f.txt = t1 + t2 + t3 + "tail";
  // Entries: 0, several at one record, one past the end, one far away and a negative one.
  f.jmp = jumpLines({{0, 1}, {5, 3}, {6, 3}, {7, 13}, {8, 9999}, {9, -4}});
  f.man = defaultSpeakers();
  expectRoundTrip(f);

  // A short jump table, LF line ends, and a speaker file of the wrong shape.
  f.jmp = "1,2\n3\n";
  f.man = "00:1,A\n";
  expectRoundTrip(f);
  f.jmp = "";
  f.man = "";
  f.pro = "";
  f.txt = "";
  expectRoundTrip(f);
}

TEST(ScriptcRoundTrip, ReadableFormsGiveWayToRawOnesWhereTheyMust) {
  DataFiles f = compiled(richSource);
  // An entry pointing into the choice block: the block is written record by record.
  f.jmp = jumpLines({{1, 1}, {7, 9}});
  std::string source = disassemble(f);
  EXPECT_EQ(source.find("choice"), std::string::npos);
  EXPECT_NE(source.find("Q \"\" 6 1 2\n"), std::string::npos);
  EXPECT_NE(source.find("label e7 = 7\n"), std::string::npos);
  expectRoundTrip(f);
  // A jump table in another layout is kept whole, its labels still name the records.
  f.jmp = "0,1\n";
  source = disassemble(f);
  EXPECT_NE(source.find("file JMP.DAT \"0,1\\n\"\n"), std::string::npos);
  EXPECT_NE(source.find("SJ :e1\n"), std::string::npos);
  expectRoundTrip(f);
  // Two speakers of one name: faces are written as codes.
  f = compiled("speaker 1 ミナ\nspeaker 2 ミナ\nsay face 010100\n  あ\nend\n");
  source = disassemble(f);
  EXPECT_NE(source.find("say face 010100\n"), std::string::npos);
  expectRoundTrip(f);
}

TEST(ScriptcRoundTrip, DataFolderOnDisk) {
  const auto dir = std::filesystem::temp_directory_path() / "zav3-scriptc-folder";
  std::filesystem::remove_all(dir);
  const DataFiles f = compiled(richSource);
  writeDataFolder(dir / "DATA", f);
  EXPECT_TRUE(readDataFolder(dir / "DATA") == f);
  EXPECT_THROW(readDataFolder(dir / "missing"), std::runtime_error);
  std::filesystem::remove_all(dir);
}

TEST(ScriptcRoundTrip, RandomAndMutatedDataComeBackByteForByte) {
  const DataFiles base = compiled(richSource);
  std::mt19937 rng(12345);
  auto randomBytes = [&](std::size_t n) {
    std::string s(n, ' ');
    for (char& c : s) c = static_cast<char>(rng() % 256);
    return s;
  };
  for (int round = 0; round < 200; ++round) {
    DataFiles f = base;
    if (round % 10 == 0) {
      f.pro = randomBytes(rng() % 400);
      f.txt = randomBytes(rng() % 400);
      f.jmp = randomBytes(rng() % 40);
      f.man = randomBytes(rng() % 40);
    } else {
      for (std::string* s : {&f.pro, &f.txt, &f.jmp, &f.man}) {
        const int edits = static_cast<int>(rng() % 4);
        for (int k = 0; k < edits && !s->empty(); ++k) {
          const std::size_t at = rng() % s->size();
          switch (rng() % 4) {
            case 0:
              (*s)[at] = static_cast<char>(rng() % 256);
              break;
            case 1:
              (*s)[at] = " 0123456789JSQEHOP\x81"[rng() % 19];
              break;
            case 2:
              s->erase(at, 1);
              break;
            default:
              s->insert(at, 1, static_cast<char>(rng() % 256));
              break;
          }
        }
      }
    }
    SCOPED_TRACE("round " + std::to_string(round));
    expectRoundTrip(f);
    if (HasFatalFailure() || HasNonfatalFailure()) break;
  }
}

}  // namespace
}  // namespace zav3::scriptc
