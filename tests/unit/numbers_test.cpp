// Tests of the numeric semantics: rounding stores, integer division, number/text conversions
// and the random number generator.
#include "support/error_of.hpp"
#include "host/numbers.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "host/error.hpp"
#include "host/sjis.hpp"

namespace zav3::host {
namespace {

using zav3::testing::errorOf;

TEST(Numbers, StoresRoundHalfToEvenAndOverflow) {
  EXPECT_EQ(toInteger(2.5), 2);
  EXPECT_EQ(toInteger(3.5), 4);
  EXPECT_EQ(toInteger(-2.5), -2);
  EXPECT_EQ(toInteger(-32768.4), -32768);
  EXPECT_EQ(toInteger(32767.4), 32767);
  EXPECT_EQ(errorOf([] { toInteger(32767.6); }), err::overflow);
  EXPECT_EQ(errorOf([] { toInteger(-32768.6); }), err::overflow);
  EXPECT_EQ(errorOf([] { toInteger(std::nan("")); }), err::overflow);
  EXPECT_EQ(toLong(2147483647.4), 2147483647);
  EXPECT_EQ(toLong(-2147483648.5), -2147483647 - 1);  // -2147483648 is even
  EXPECT_EQ(errorOf([] { toLong(2147483647.5); }), err::overflow);
  EXPECT_EQ(errorOf([] { toLong(std::numeric_limits<double>::infinity()); }), err::overflow);
}

TEST(Numbers, IntegerDivisionAndIntegerPart) {
  EXPECT_EQ(intDivide(7, 2), 3);
  EXPECT_EQ(intDivide(-7, 2), -3);
  EXPECT_EQ(intDivide(7.5, 2), 4);  // operands are rounded first
  EXPECT_EQ(intRemainder(-7, 2), -1);
  EXPECT_EQ(intRemainder(7, -3), 1);
  EXPECT_EQ(errorOf([] { intDivide(1, 0.4); }), err::divisionByZero);
  EXPECT_EQ(errorOf([] { intRemainder(1, 0); }), err::divisionByZero);
  EXPECT_EQ(errorOf([] { intDivide(-2147483648.0, -1); }), err::overflow);
  EXPECT_EQ(intRemainder(-2147483648.0, -1), 0);
  EXPECT_EQ(intPart(-2.5), -3);
  EXPECT_EQ(intPart(2.5), 2);
}

TEST(Numbers, NumberTextLayout) {
  EXPECT_EQ(numberText(1.0f), " 1");
  EXPECT_EQ(numberText(0.0f), " 0");
  EXPECT_EQ(numberText(-0.0f), " 0");
  EXPECT_EQ(numberText(0.5f), " .5");
  EXPECT_EQ(numberText(-0.25f), "-.25");
  EXPECT_EQ(numberText(0.1f), " .1");
  EXPECT_EQ(numberText(123456.7f), " 123456.7");
  EXPECT_EQ(numberText(1e-5f), " .00001");
  EXPECT_EQ(numberText(1.5e-7f), " 1.5E-07");
  EXPECT_EQ(numberText(-1e20f), "-1E+20");
  EXPECT_EQ(numberText(123456792.0f), " 123456792");
  EXPECT_EQ(numberText(1e9f), " 1E+09");
  EXPECT_EQ(numberText(1.0 / 3), " .3333333333333333");
  EXPECT_EQ(numberText(9999999999999998.0), " 9999999999999998");
  EXPECT_EQ(numberText(1e16), " 1E+16");
  EXPECT_EQ(numberText(1.7976931348623157e308), " 1.7976931348623157E+308");
  EXPECT_EQ(numberText(Long{1234}), " 1234");
  EXPECT_EQ(numberText(Long{-2147483647 - 1}), "-2147483648");
}

TEST(Numbers, TextToNumberStopsAtTheFirstForeignCharacter) {
  EXPECT_EQ(textToNumber("12     "), 12);
  EXPECT_EQ(textToNumber(" 3 "), 3);
  EXPECT_EQ(textToNumber("1 2"), 1);  // a blank ends the number
  EXPECT_EQ(textToNumber("1,2"), 1);
  EXPECT_EQ(textToNumber("\t -4.5"), -4.5);
  EXPECT_EQ(textToNumber("1.2.3"), 1.2);
  EXPECT_EQ(textToNumber("1E2"), 100);
  EXPECT_EQ(textToNumber("1d-2"), 0.01);
  EXPECT_EQ(textToNumber("1E"), 1);
  EXPECT_EQ(textToNumber("1E+x"), 1);
  EXPECT_EQ(textToNumber("5.E1"), 50);
  EXPECT_EQ(textToNumber(""), 0);
  EXPECT_EQ(textToNumber("abc"), 0);
  EXPECT_EQ(textToNumber("."), 0);
  EXPECT_EQ(textToNumber("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(textToNumber("1e-999"), 0);
  EXPECT_EQ(textToNumber("&H7FFF"), 32767);
  EXPECT_EQ(textToNumber("&hFFFF"), -1);
  EXPECT_EQ(textToNumber("&H10000"), 65536);
  EXPECT_EQ(textToNumber("&HFFFFFFFF"), -1);
  EXPECT_EQ(textToNumber("&O17"), 15);
  EXPECT_EQ(textToNumber("&O177777"), -1);
  EXPECT_EQ(textToNumber("&O8"), 0);
}

template <typename T>
void expectRoundTrip(T x) {
  const std::string text = numberText(x);
  ASSERT_EQ(static_cast<T>(textToNumber(text)), x) << text;
  ASSERT_FALSE(text.starts_with(" 0.") || text.starts_with("-0.")) << text;
  if (x == std::trunc(x) && std::abs(x) < 1e9) {
    ASSERT_EQ(text.find_first_of(".E"), text.npos) << text;
  }
}

TEST(Numbers, NumberTextReadsBackExactly) {
  std::mt19937_64 gen(12345);
  for (int i = 0; i < 200000; ++i) {
    const float f = std::bit_cast<float>(static_cast<std::uint32_t>(gen()));
    if (std::isfinite(f)) expectRoundTrip(f);
    const double d = std::bit_cast<double>(gen());
    if (std::isfinite(d)) expectRoundTrip(d);
    // Values of the size the game uses, where the fixed layout applies.
    expectRoundTrip(static_cast<float>(static_cast<double>(gen() % 2000000) / 997.0 - 1000.0));
    expectRoundTrip(static_cast<double>(gen() % 2000000000000) / 9973.0);
    if (HasFatalFailure()) return;
  }
  const std::vector<float> singles = {
      std::numeric_limits<float>::max(), std::numeric_limits<float>::min(),
      std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::epsilon(),
      std::nextafter(1.0f, 2.0f), std::nextafter(1.0f, 0.0f), 16777216.0f, 8388607.5f, 999999936.0f,
      1e-5f, std::nextafter(1e-5f, 0.0f), 0.3f, -32768.0f, 2.5f,
      // The one single whose shortest digits (7.038531E-26) come back as its neighbour when
      // read through a double.
      std::bit_cast<float>(0x15AE43FDu)};
  for (const float f : singles) {
    expectRoundTrip(f);
    expectRoundTrip(-f);
  }
  const std::vector<double> doubles = {std::numeric_limits<double>::max(),
                                       std::numeric_limits<double>::min(),
                                       std::numeric_limits<double>::denorm_min(),
                                       std::numeric_limits<double>::epsilon(),
                                       4503599627370495.5,
                                       9007199254740993.0,
                                       1e15 + 0.5,
                                       0.1,
                                       1.0 + 0x1p-24};
  for (const double d : doubles) {
    expectRoundTrip(d);
    expectRoundTrip(-d);
  }
  // Every power of ten a single can hold.
  for (int e = -45; e <= 38; ++e) expectRoundTrip(static_cast<float>(std::pow(10.0, e)));
}

// The generator written out independently: 64-bit arithmetic reduced by hand, the value as
// mantissa / 2^23.
struct ReferenceRandom {
  std::uint64_t state = 204;
  float next() {
    do {
      state = (state * 2058568021ull + 1276750819ull) % 4294967296ull;
    } while ((state >> 9) == 0);
    return current();
  }
  float current() const { return static_cast<float>(state >> 9) / 8388608.0f; }
};

TEST(Numbers, RandomFollowsTheGenerator) {
  Random r;
  ReferenceRandom ref;
  EXPECT_EQ(r.state(), 204u);
  for (int i = 0; i < 1000; ++i) {
    const float v = r.next();
    ASSERT_EQ(v, ref.next()) << i;
    ASSERT_GT(v, 0.0f);
    ASSERT_LT(v, 1.0f);
  }
  // Argument 0 repeats; any positive argument steps.
  const float last = r.next(0);
  EXPECT_EQ(r.next(0), last);
  EXPECT_EQ(r.next(5.0f), ref.next());

  // A negative argument seeds from its bit pattern with the halves swapped: -1.0f is BF800000.
  EXPECT_EQ(r.next(-1.0f), (ReferenceRandom{0x0000BF80u}.next()));
  Random again;
  EXPECT_EQ(again.next(-1.0f), (ReferenceRandom{0x0000BF80u}.next()));

  // Reseeding exclusive-ors the value (a negative one as its 32-bit pattern).
  Random x;
  x.reseed(0x12345);
  EXPECT_EQ(x.state(), 204u ^ 0x12345u);
  x.reseed(-1);
  EXPECT_EQ(x.state(), ~(204u ^ 0x12345u));
  EXPECT_EQ(x.next(), (ReferenceRandom{~(204u ^ 0x12345u)}.next()));
}

TEST(Numbers, RandomSkipsAZeroValue) {
  // Find the state whose successor is 5 (value exactly 0): invert the multiplier mod 2^32.
  std::uint32_t inverse = 2058568021u;
  for (int i = 0; i < 5; ++i) inverse *= 2u - 2058568021u * inverse;
  const std::uint32_t before = (5u - 1276750819u) * inverse;
  Random r;
  r.setState(before);
  ReferenceRandom ref{before};
  const float v = r.next();
  EXPECT_NE(v, 0.0f);
  EXPECT_EQ(v, ref.next());
  EXPECT_EQ(r.state(), 5u * 2058568021u + 1276750819u);
}

TEST(Numbers, WaitAndFullWidthNumbers) {
  EXPECT_EQ(waitMilliseconds(0), 0);
  EXPECT_EQ(waitMilliseconds(65535), 655350);
  EXPECT_EQ(waitMilliseconds(1.5), 20);
  EXPECT_EQ(errorOf([] { waitMilliseconds(-1); }), err::illegalCall);
  EXPECT_EQ(errorOf([] { waitMilliseconds(65535.6); }), err::illegalCall);

  EXPECT_EQ(fullWidthNumber(7), sj("７"));
  EXPECT_EQ(fullWidthNumber(120), sj("１２０"));
  EXPECT_EQ(fullWidthNumber(-12.5), sj("－１２．５"));
  EXPECT_EQ(fullWidthNumber(0.1f), sj("．１"));
}

}  // namespace
}  // namespace zav3::host
