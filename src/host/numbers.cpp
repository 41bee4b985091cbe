// Numeric semantics: rounding stores, integer division, number/text conversions and the random
// number generator.
#include "host/numbers.hpp"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

#include "host/error.hpp"
#include "host/sjis.hpp"

namespace zav3::host {

namespace {

// Nearest integer, ties to even, independent of the floating-point environment.
double roundHalfEven(double value) {
  const double down = std::floor(value);
  const double fraction = value - down;  // exact for every finite double
  if (fraction > 0.5) return down + 1.0;
  if (fraction < 0.5) return down;
  return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

template <typename T>
T roundInto(double value, std::source_location where) {
  const double r = roundHalfEven(value);
  if (!(r >= std::numeric_limits<T>::min() && r <= std::numeric_limits<T>::max())) {
    raise(err::overflow, where);  // also NaN and infinities
  }
  return static_cast<T>(r);
}

// The shortest decimal digits of a positive finite value (or `precision` significant digits
// when given) and the decimal exponent of the first digit: value = d.ddd x 10^exponent.
template <typename T>
void decimalDigits(T value, std::string& digits, int& exponent, int precision = 0) {
  char buffer[64];
  const std::to_chars_result r =
      precision > 0
          ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                          precision - 1)
          : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  const std::string_view text(buffer, r.ptr);
  const std::size_t e = text.find('e');
  digits.clear();
  for (const char c : text.substr(0, e)) {
    if (c != '.') digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  exponent = 0;
  const std::string_view exponentText = text.substr(e + 1);
  const char* first = exponentText.data() + (exponentText[0] == '+' ? 1 : 0);
  std::from_chars(first, exponentText.data() + exponentText.size(), exponent);
}

// Lays out digits d1 d2 ... (value d1.d2... x 10^exponent) in the classic style: plain when the
// exponent is modest (no leading zero before the point), else mantissa, "E", sign and at least
// two exponent digits.
std::string layout(const std::string& digits, int exponent, int wholeDigits) {
  std::string out;
  const auto count = static_cast<int>(digits.size());
  if (exponent >= -5 && exponent < wholeDigits) {
    if (exponent < 0) {
      out = "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (count <= exponent + 1) {
      out = digits + std::string(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
      out = digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
            digits.substr(static_cast<std::size_t>(exponent + 1));
    }
    return out;
  }
  out = digits.substr(0, 1);
  if (count > 1) out += "." + digits.substr(1);
  out += exponent < 0 ? "E-" : "E+";
  const std::string e = std::to_string(std::abs(exponent));
  if (e.size() < 2) out += '0';
  return out + e;
}

// Whole values up to `wholeDigits` integer digits print as integers; everything else through
// the shortest digits of the type.
template <typename T>
std::string floatText(T value, int wholeDigits, int fullDigits) {
  if (std::isnan(value)) return " NaN";
  if (std::isinf(value)) return value > 0 ? " Inf" : "-Inf";
  if (value == 0) return " 0";
  const std::string sign = value < 0 ? "-" : " ";
  const T magnitude = std::abs(value);
  if (magnitude == std::trunc(magnitude) && magnitude < std::pow(10.0, wholeDigits)) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(magnitude));
    return sign + std::string(buffer, r.ptr);
  }
  std::string digits;
  int exponent = 0;
  decimalDigits(magnitude, digits, exponent);
  std::string text = sign + layout(digits, exponent, wholeDigits);
  // Text is read back through a double; for singles that second rounding could in principle
  // land on the neighbour, so fall back to full precision when the text does not come back.
  if (static_cast<T>(textToNumber(text)) != value) {
    decimalDigits(magnitude, digits, exponent, fullDigits);
    text = sign + layout(digits, exponent, wholeDigits);
  }
  return text;
}

}  // namespace

Integer toInteger(double value, std::source_location where) {
  return roundInto<Integer>(value, where);
}

Long toLong(double value, std::source_location where) {
  return roundInto<Long>(value, where);
}

Long intDivide(double a, double b, std::source_location where) {
  const Long x = toLong(a, where);
  const Long y = toLong(b, where);
  if (y == 0) raise(err::divisionByZero, where);
  if (x == std::numeric_limits<Long>::min() && y == -1) raise(err::overflow, where);
  return x / y;
}

Long intRemainder(double a, double b, std::source_location where) {
  const Long x = toLong(a, where);
  const Long y = toLong(b, where);
  if (y == 0) raise(err::divisionByZero, where);
  if (y == -1) return 0;
  return x % y;
}

double intPart(double value) {
  return std::floor(value);
}

std::string numberText(Single value) {
  return floatText(value, 9, 9);
}
std::string numberText(Double value) {
  return floatText(value, 16, 17);
}

std::string numberText(Long value) {
  char buffer[16];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
  return (value < 0 ? "" : " ") + std::string(buffer, r.ptr);
}

// "&H" and "&O" values follow the literal rule of the language: a value that fits in 16 bits
// is a 16-bit signed integer ("&HFFFF" is -1, "&O177777" too), a larger one a 32-bit signed
// integer ("&H10000" is 65536, "&HFFFFFFFF" is -1); digits beyond 32 bits are dropped from the
// top. Decimal numbers end at the first character that does not fit, blanks and commas
// included ("12 3" reads 12).
double textToNumber(std::string_view text) {
  std::size_t i = 0;
  const auto at = [&text](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
  while (at(i) == ' ' || at(i) == '\t') ++i;

  if (at(i) == '&') {
    const char kind = at(i + 1);
    const unsigned base = (kind == 'H' || kind == 'h') ? 16 : (kind == 'O' || kind == 'o') ? 8 : 0;
    if (base == 0) return 0;
    std::uint32_t v = 0;
    for (i += 2;; ++i) {
      const char c = at(i);
      unsigned digit;
      if (c >= '0' && c <= '9') {
        digit = static_cast<unsigned>(c - '0');
      } else if (c >= 'A' && c <= 'F') {
        digit = static_cast<unsigned>(c - 'A' + 10);
      } else if (c >= 'a' && c <= 'f') {
        digit = static_cast<unsigned>(c - 'a' + 10);
      } else {
        break;
      }
      if (digit >= base) break;
      v = v * base + digit;
    }
    if (v <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
    return static_cast<std::int32_t>(v);
  }

  bool negative = false;
  if (at(i) == '+' || at(i) == '-') negative = at(i++) == '-';
  std::string number;
  bool point = false;
  bool anyDigit = false;
  bool significant = false;  // a non-zero digit has been seen
  int wholeDigits = 0;       // significant digits before the point
  int leadingZeros = 0;      // zeros after the point before the first significant digit
  for (;; ++i) {
    const char c = at(i);
    if (c >= '0' && c <= '9') {
      if (c != '0') significant = true;
      if (!point && significant) ++wholeDigits;
      if (point && !significant) ++leadingZeros;
      anyDigit = true;
      number += c;
    } else if (c == '.' && !point) {
      point = true;
      number += c;
    } else {
      break;
    }
  }
  if (!anyDigit) return 0;
  long exponent = 0;
  const char e = at(i);
  if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
    std::size_t j = i + 1;
    const bool minus = at(j) == '-';
    if (at(j) == '+' || at(j) == '-') ++j;
    if (at(j) >= '0' && at(j) <= '9') {
      number += minus ? "e-" : "e";
      for (; at(j) >= '0' && at(j) <= '9'; ++j) {
        number += at(j);
        exponent = std::min(exponent * 10 + (at(j) - '0'), 100000L);
      }
      if (minus) exponent = -exponent;
    }
  }
  double value = 0;
  const std::from_chars_result r =
      std::from_chars(number.data(), number.data() + number.size(), value);
  if (r.ec == std::errc::result_out_of_range) {
    // Decimal exponent of the first significant digit decides between too big and too small.
    const long magnitude = (wholeDigits > 0 ? wholeDigits : -leadingZeros) + exponent;
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

std::string fullWidthNumber(double value) {
  // Values that are singles print as singles (0.1f as ".1", not as its double expansion).
  const bool single = std::abs(value) <= std::numeric_limits<float>::max() &&
                      static_cast<double>(static_cast<float>(value)) == value;
  std::string text = single ? numberText(static_cast<Single>(value)) : numberText(value);
  if (!text.empty() && text[0] == ' ') text.erase(0, 1);
  return toFullWidth(text);
}

Single Random::value() const {
  return std::bit_cast<Single>(0x3F800000u | (state_ >> 9)) - 1.0f;
}

void Random::step() {
  do {
    state_ = state_ * 2058568021u + 1276750819u;
  } while (value() == 0.0f);
}

Single Random::next(Single argument) {
  if (argument == 0) return value();
  if (argument < 0) {
    const auto bits = std::bit_cast<std::uint32_t>(argument);
    state_ = bits << 16 | bits >> 16;
  }
  step();
  return value();
}

void Random::reseed(Long n) {
  state_ ^= static_cast<std::uint32_t>(n);
}

Long waitMilliseconds(double hundredths, std::source_location where) {
  const double r = roundHalfEven(hundredths);
  if (!(r >= 0 && r <= 65535)) raise(err::illegalCall, where);
  return static_cast<Long>(r) * 10;
}

}  // namespace zav3::host
