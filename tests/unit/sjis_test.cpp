// Tests of the Shift-JIS string functions, the full-width conversion and the encodings.
#include "support/error_of.hpp"
#include "host/sjis.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include "host/error.hpp"

namespace zav3::host {
namespace {

using zav3::testing::errorOf;

TEST(Sjis, ByteFunctionsClipAndCheckArguments) {
  EXPECT_EQ(middle("ABC", 2), "BC");
  EXPECT_EQ(middle("ABC", 2, 5), "BC");
  EXPECT_EQ(middle("ABC", 4), "");
  EXPECT_EQ(middle("ABC", 9, 2), "");
  EXPECT_EQ(middle("ABC", 1, 0), "");
  EXPECT_EQ(middle(" 12", 2), "12");  // file names are built from number texts this way
  EXPECT_EQ(errorOf([] { middle("ABC", 0); }), err::illegalCall);
  EXPECT_EQ(errorOf([] { middle("ABC", 1, -1); }), err::illegalCall);
  EXPECT_EQ(left("ABC", 2), "AB");
  EXPECT_EQ(left("ABC", 7), "ABC");
  EXPECT_EQ(right("ABC", 2), "BC");
  EXPECT_EQ(right("ABC", 7), "ABC");
  EXPECT_EQ(right("ABC", 0), "");
  EXPECT_EQ(errorOf([] { left("ABC", -1); }), err::illegalCall);
  EXPECT_EQ(errorOf([] { right("ABC", -1); }), err::illegalCall);

  EXPECT_EQ(search(1, "ABCABC", "C"), 3);
  EXPECT_EQ(search(4, "ABCABC", "C"), 6);
  EXPECT_EQ(search(4, "ABCABC", "CA"), 0);
  EXPECT_EQ(search(7, "ABCABC", "C"), 0);
  EXPECT_EQ(search(2, "ABC", ""), 2);
  EXPECT_EQ(search(1, "", ""), 0);
  EXPECT_EQ(errorOf([] { search(0, "ABC", "A"); }), err::illegalCall);

  EXPECT_EQ(firstCode(sj("あ")), 0x82);
  EXPECT_EQ(firstCode("\xFF"), 255);
  EXPECT_EQ(errorOf([] { firstCode(""); }), err::illegalCall);
  EXPECT_EQ(fromCode(65), "A");
  EXPECT_EQ(fromCode(0), std::string(1, '\0'));
  EXPECT_EQ(errorOf([] { fromCode(256); }), err::illegalCall);
  EXPECT_EQ(errorOf([] { fromCode(-1); }), err::illegalCall);
  EXPECT_EQ(blanks(3), "   ");
  EXPECT_EQ(blanks(0), "");
  EXPECT_EQ(errorOf([] { blanks(-1); }), err::illegalCall);
}

TEST(Sjis, CharacterFunctionsCountDoubleBytePairs) {
  const Bytes s = sj("AあB漢ｶC");  // 1 + 2 + 1 + 2 + 1 + 1 bytes
  EXPECT_EQ(s.size(), 8u);
  EXPECT_EQ(charLength(s), 6u);
  EXPECT_EQ(charLength(""), 0u);
  EXPECT_EQ(charLength("A\x82"), 2u);  // a lone lead byte at the end
  EXPECT_EQ(charMiddle(s, 2, 2), sj("あB"));
  EXPECT_EQ(charMiddle(s, 4), sj("漢ｶC"));
  EXPECT_EQ(charMiddle(s, 6, 9), "C");
  EXPECT_EQ(charMiddle(s, 7), "");
  EXPECT_EQ(charMiddle(s, 1, 0), "");
  EXPECT_EQ(errorOf([&s] { charMiddle(s, 0); }), err::illegalCall);
  EXPECT_EQ(errorOf([&s] { charMiddle(s, 1, -2); }), err::illegalCall);

  EXPECT_EQ(charSearch(1, s, sj("漢")), 4);
  EXPECT_EQ(charSearch(5, s, sj("漢")), 0);
  EXPECT_EQ(charSearch(1, s, "C"), 6);
  EXPECT_EQ(errorOf([&s] { charSearch(0, s, "A"); }), err::illegalCall);
  // "ア" is 83 41: the byte search finds the "A" in its trail byte, the character search only
  // the real one.
  const Bytes t = sj("アイA");
  EXPECT_EQ(search(1, t, "A"), 2);
  EXPECT_EQ(charSearch(1, t, "A"), 3);
}

TEST(Sjis, FullWidthAsciiAndKana) {
  std::string ascii;
  for (int c = 32; c <= 127; ++c) ascii += static_cast<char>(c);
  EXPECT_EQ(toFullWidth(ascii),
            sj("　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？"
               "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［＼］＾＿"
               "｀ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝￣■"));
  EXPECT_EQ(toFullWidth(sj("｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ")),
            sj("。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテト"
               "ナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン"));
  EXPECT_EQ(toFullWidth(sj("漢字とｶﾅ")), sj("漢字とカナ"));
}

TEST(Sjis, FullWidthMarksAndStrayBytes) {
  EXPECT_EQ(toFullWidth(sj("ｶﾞｺﾞﾂﾞﾄﾞﾊﾞﾎﾞﾊﾟﾎﾟ")), sj("ガゴヅドバボパポ"));
  EXPECT_EQ(toFullWidth(sj("ﾋﾟﾌﾞﾍﾟ")), sj("ピブペ"));
  EXPECT_EQ(toFullWidth(sj("ｶﾟ")), sj("カ゜"));  // no semi-voiced form
  EXPECT_EQ(toFullWidth(sj("ｳﾞ")), sj("ウ゛"));  // outside the voiced ranges
  EXPECT_EQ(toFullWidth(sj("ﾅﾞ")), sj("ナ゛"));
  EXPECT_EQ(toFullWidth(sj("ﾞAﾟ")), sj("゛Ａ゜"));
  EXPECT_EQ(toFullWidth(sj("ｶﾞﾞ")), sj("ガ゛"));  // the mark combines only once
  EXPECT_EQ(toFullWidth(sj("かﾞ")), sj("か゛"));  // not after a double-byte character
  EXPECT_EQ(toFullWidth(std::string("\x01\x80\xFD\xFF", 4)), sj("■■■■"));
  EXPECT_EQ(toFullWidth(std::string("\x00", 1)), sj("■"));
  EXPECT_EQ(toFullWidth("A\x82"), sj("Ａ■"));  // a lone lead byte at the end
}

TEST(Sjis, Encodings) {
  const std::string text = "システムエラー ABC 123 漢字 ｶﾅ ■";
  const std::optional<Bytes> bytes = utf8ToSjis(text);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(sjisToUtf8(*bytes), text);
  EXPECT_EQ(sj("■"), "\x81\xA1");
  EXPECT_EQ(sj("ｱ"), "\xB1");
  EXPECT_EQ(sj("行で、"), "\x8D\x73\x82\xC5\x81\x41");
  // ASCII is unchanged both ways, backslash and tilde included.
  std::string ascii;
  for (int c = 0; c < 128; ++c) ascii += static_cast<char>(c);
  EXPECT_EQ(utf8ToSjis(ascii), ascii);
  EXPECT_EQ(sjisToUtf8(ascii), ascii);

  EXPECT_FALSE(utf8ToSjis("A\xF0\x9F\x98\x80"));  // emoji
  EXPECT_FALSE(utf8ToSjis("\xC3"));               // cut UTF-8
  EXPECT_FALSE(utf8ToSjis("\xC0\x80"));           // overlong UTF-8
  EXPECT_THROW(sj("😀"), std::logic_error);

  EXPECT_EQ(sjisToUtf8("\x80"), "?");
  EXPECT_EQ(sjisToUtf8("A\x82"), "A?");  // lead byte at the end
  EXPECT_EQ(sjisToUtf8("\x81\x20"
                       "B"),
            "? B");  // a bad trail byte is read again
}

}  // namespace
}  // namespace zav3::host
