// Numeric semantics of the game: 16-bit integers, 32-bit longs, single and double floats,
// round-half-even stores with overflow errors, integer division, number/text conversions and
// the random number generator.
#pragma once

#include <cstdint>
#include <source_location>
#include <string>
#include <string_view>

namespace zav3::host {

using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;
using Double = double;

// Stores a float into an integer or long: nearest, ties to even; error 6 when out of range
// (NaN included).
Integer toInteger(double value, std::source_location where = std::source_location::current());
Long toLong(double value, std::source_location where = std::source_location::current());

// Integer division (`\`) and remainder (`MOD`) on 32-bit values: both operands are first rounded
// as toLong does; error 11 when the divisor is 0. The result is truncated toward zero.
Long intDivide(double a, double b, std::source_location where = std::source_location::current());
Long intRemainder(double a, double b,
                  std::source_location where = std::source_location::current());

// The integer-part function: rounds toward minus infinity (-2.5 gives -3).
double intPart(double value);

// Number to text: a leading blank for non-negative values, "-" for negative ones; whole values
// without a decimal point; other values in the shortest form that reads back to the same value
// at the type's precision (".5", "-1.25", "1.5E-07").
std::string numberText(Single value);
std::string numberText(Double value);
std::string numberText(Long value);
inline std::string numberText(Integer value) { return numberText(static_cast<Long>(value)); }

// Text to number: leading blanks skipped, optional sign, digits with at most one ".", an
// optional exponent ("E" or "D"), or "&H"/"&O" with hexadecimal/octal digits; reading stops at
// the first character that does not fit; empty or non-numeric text gives 0.
double textToNumber(std::string_view text);

// The decimal text of a value without its leading sign blank, in full-width digits
// (numberText(7) = " 7" gives "７"); a minus sign becomes "－" and a point "．".
std::string fullWidthNumber(double value);

// The game's random number generator, bit for bit.
class Random {
 public:
  // Next value: argument > 0 (or omitted) steps the generator; 0 repeats the current value;
  // a negative argument first replaces the state by the argument's bit pattern with its two
  // 16-bit halves swapped, then steps.
  Single next(Single argument = 1.0f);
  // Reseeding exclusive-ors the 32-bit value of n into the state.
  void reseed(Long n);
  std::uint32_t state() const { return state_; }
  void setState(std::uint32_t s) { state_ = s; }

 private:
  Single value() const;
  void step();
  std::uint32_t state_ = 204;
};

// Checks the argument of a pause in hundredths of a second (0..65535, else error 5) and returns
// it in milliseconds.
Long waitMilliseconds(double hundredths,
                      std::source_location where = std::source_location::current());

}  // namespace zav3::host
