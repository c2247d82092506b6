// Number conventions of Vornell: how a box's text reads as a number, when two
// stations count as different, how a result is rounded, and how it is written.
//
// Every function here is pure, locale-independent, thread-safe and throws
// nothing but std::bad_alloc; what can fail says so in its result.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vornell {

// How much of a text the reading takes in.
enum class TextExtent {
  Whole,       // every character but the blanks is part of the number read
  Unfinished,  // nothing is left out, but more must be typed to make a number
               // (or its exponent) of what there is
  Stopped,     // the reading stopped at a character no number continues with
};

struct NumberReading {
  // The number read; none when it lies beyond the double range.
  std::optional<double> value;
  TextExtent extent = TextExtent::Whole;
};

// Reads the number at the start of `text`, the way a calculator box is read:
// every space, tab and line feed is removed first, wherever it stands; then
// either `&H` / `&O` (any case) followed by hexadecimal / octal digits, read as
// an unsigned integer, or an optional sign, digits, an optional point and
// digits, and an optional exponent `E`/`e` with optional sign and digits.
// Reading stops at the first character that does not fit; text with no number
// at its start reads as 0. The decimal separator is always '.', whatever the
// locale. The value is the double nearest to the decimal value read (ties to
// even), for any number of digits and any length of exponent; a value too
// small for a double reads as 0, one too large has no value.
//
// Unfinished texts are those that a number typed on from them completes: the
// empty text, a lone sign or point or both ("-."), an exponent marker with or
// without its sign after a number ("1e", "1e-"), and "&", "&H", "&O" (any
// case). A trailing point is part of a number ("1." reads whole, as 1).
//
//   readNumber("12 345.6")  == {12345.6, Whole}    readNumber("1.")      == {1, Whole}
//   readNumber("-.25")      == {-0.25, Whole}      readNumber("&o17")    == {15, Whole}
//   readNumber("")          == {0, Unfinished}     readNumber(" 1e- ")   == {1, Unfinished}
//   readNumber("&H")        == {0, Unfinished}     readNumber("K12+345") == {0, Stopped}
//   readNumber("1,234.5")   == {1, Stopped}        readNumber("12.3.4")  == {12.3, Stopped}
//   readNumber("1e-99999999999999999999") == {0, Whole}
//   readNumber("1e400")     == {none, Whole}       readNumber("1e400,")  == {none, Stopped}
//
// Runs in time linear in the length of `text`.
NumberReading readNumber(std::string_view text);

// Whether a station can be compared at all: its magnitude is at most
// 79228162514264337593543950335, the largest scaled decimal.
//
//   stationComparable(7.9e28) == true    stationComparable(1e30) == false
bool stationComparable(double station);

// Decides whether two comparable stations differ. Each is first turned into a
// scaled decimal: its value rounded to 15 significant digits, and then to at
// most 28 places after the point. The two decimals are compared exactly, as
// numbers. So stations that agree in their first 15 significant digits are
// equal, and stations that differ always have a non-zero double difference.
//
//   stationsDiffer(100, 100.0)                == false
//   stationsDiffer(100, 100.000001)           == true
//   stationsDiffer(0.1, 0.1000000000000001)   == false
//   stationsDiffer(0, 1e-30)                  == false   (below 28 places)
//   stationsDiffer(1.1e-28, 2.2e-28)          == true    (1e-28 and 2e-28)
bool stationsDiffer(double a, double b);

// Rounds to five places after the point, halves to even. Halves are judged on
// the exact value of the double, so only values that are exactly halfway
// (such as 0.015625 = 1/64) are ties. Values that are already whole,
// infinities and NaN come back unchanged.
//
//   roundToFivePlaces(3.333333333) == 3.33333
//   roundToFivePlaces(1199.999999) == 1200
//   roundToFivePlaces(0.015625)    == 0.01562     roundToFivePlaces(0.046875) == 0.04688
//   roundToFivePlaces(-2.5e-6)     == 0 (negative zero)
double roundToFivePlaces(double value);

// Writes a finite number with at most 15 significant digits: fixed notation
// when the decimal exponent (after rounding to 15 digits) lies in -4..14,
// otherwise exponent notation with a capital E, a sign and at least two
// digits. Trailing zeros and a trailing point are dropped; a negative zero is
// written "0"; the separator is always '.'.
//
//   numberToText(12)         == "12"          numberToText(0.5)    == "0.5"
//   numberToText(-0.0)       == "0"           numberToText(5e-05)  == "5E-05"
//   numberToText(0.00012)    == "0.00012"     numberToText(1e15)   == "1E+15"
//   numberToText(123456789012345678.0) == "1.23456789012346E+17"
std::string numberToText(double value);

}  // namespace vornell
