// Number conventions of Vornell: how a box's text reads as a number, when two
// stations count as different, how a result is rounded, and how it is written.
//
// Every function here is pure, locale-independent and thread-safe. Failures
// are reported by throwing NumericError; nothing else is thrown except
// std::bad_alloc.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vornell {

enum class NumericErrorKind {
  Overflow,       // a number too large for a double or a station too large to compare
  FloatingPoint,  // an invalid operation, division by zero or overflow in the arithmetic
};

// The five inputs of the transition calculation, named after their boxes.
enum class InputField { K1, W1, K2, W2, Kx };

class NumericError : public std::runtime_error {
 public:
  // `input` is the input whose number failed, when one did: a reading too
  // large for a double, or a station too large to compare. Failures of the
  // arithmetic itself carry none.
  explicit NumericError(NumericErrorKind kind, std::optional<InputField> input = std::nullopt);
  NumericErrorKind kind() const noexcept { return kind_; }
  std::optional<InputField> input() const noexcept { return input_; }

 private:
  NumericErrorKind kind_;
  std::optional<InputField> input_;
};

// Reads the number at the start of `text`, the way a calculator box is read:
// every space, tab and line feed is removed first, wherever it stands; then
// either `&H` / `&O` (any case) followed by hexadecimal / octal digits, read as
// an unsigned integer, or an optional sign, digits, an optional point and
// digits, and an optional exponent `E`/`e` with optional sign and digits.
// Reading stops at the first character that does not fit; text with no number
// at its start reads as 0. The decimal separator is always '.', whatever the
// locale. The result is the double nearest to the decimal value read (ties to
// even), for any number of digits and any length of exponent; a value too
// small for a double reads as 0.
//
//   readNumber("")          == 0        readNumber(" 12.5 ")   == 12.5
//   readNumber("12 345.6")  == 12345.6  readNumber("1,234")    == 1
//   readNumber("1.2.3")     == 1.2      readNumber("-.25")     == -0.25
//   readNumber("+5.")       == 5        readNumber("1e3")      == 1000
//   readNumber("1e")        == 1        readNumber("K1+200")   == 0
//   readNumber("&H10")      == 16       readNumber("&o17")     == 15
//   readNumber("1e-99999999999999999999") == 0
//   readNumber("1e400")  throws NumericError(Overflow)
//
// Runs in time linear in the length of `text`.
double readNumber(std::string_view text);

// How much of a text readNumber() takes in, by the same scanning.
struct TextReading {
  enum class Extent {
    Whole,       // every character but the blanks is part of the number read
    Unfinished,  // no character is left out, but more must be typed to make
                 // a number (or its exponent) of what there is
    Stopped,     // the reading stopped at a character no number continues with
  };
  Extent extent;
  // Stopped: the position in the text of that character, never a blank (what
  // stands before it reads as the whole text does); otherwise the text's size.
  std::size_t stop;
};

// Whether `text` reads whole, is still becoming a number as it is typed, or
// stops early and where. Blanks count as the reading counts them: not at all.
// Unfinished texts are those that a number typed on from them completes: the
// empty text, a lone sign or point or both ("-."), an exponent marker with or
// without its sign after a number ("1e", "1e-"), and "&", "&H", "&O" (any
// case). A trailing point is part of a number ("1." reads whole, as 1).
//
//   readingOf("12 345.6")  == {Whole, 8}        readingOf("1.")      == {Whole, 2}
//   readingOf("&H1F")      == {Whole, 4}        readingOf(" 1e- ")   == {Unfinished, 5}
//   readingOf("")          == {Unfinished, 0}   readingOf("&")       == {Unfinished, 1}
//   readingOf("K12+345")   == {Stopped, 0}      readingOf("1,234.5") == {Stopped, 1}
//   readingOf("12.3.4")    == {Stopped, 4}      readingOf("3.5 m")   == {Stopped, 4}
//   readingOf("1e+x")      == {Stopped, 3}      readingOf("+-5")     == {Stopped, 1}
//   readingOf("&H1G")      == {Stopped, 3}      readingOf("1e400,")  == {Stopped, 5}
//
// Never fails, whatever the number's size. Runs in time linear in the length
// of `text`.
TextReading readingOf(std::string_view text);

// Decides whether two stations differ. Each is first turned into a scaled
// decimal: its value rounded to 15 significant digits, and then to at most 28
// places after the point. The two decimals are compared exactly, as numbers.
// So stations that agree in their first 15 significant digits are equal, and
// stations that differ always have a non-zero double difference.
//
//   stationsDiffer(100, 100.0)                == false
//   stationsDiffer(100, 100.000001)           == true
//   stationsDiffer(0.1, 0.1000000000000001)   == false
//   stationsDiffer(0, 1e-30)                  == false   (below 28 places)
//   stationsDiffer(1e30, 0)  throws NumericError(Overflow)
//
// Throws NumericError(Overflow) when either magnitude exceeds
// 79228162514264337593543950335, the largest scaled decimal (or is not finite).
bool stationsDiffer(double a, double b);

// Rounds to five places after the point, halves to even. Halves are judged on
// the exact value of the double, so only values that are exactly halfway
// (such as 0.015625 = 1/64) are ties; the judgement is made in integers, so
// it is the same on every platform. Never fails; values that are already
// whole, infinities and NaN come back unchanged.
//
//   roundToFivePlaces(3.333333333) == 3.33333
//   roundToFivePlaces(1199.999999) == 1200
//   roundToFivePlaces(0.015625)    == 0.01562     roundToFivePlaces(0.046875) == 0.04688
//   roundToFivePlaces(-2.5e-6)     == 0 (negative zero)
//   roundToFivePlaces(1e305)       == 1e305
double roundToFivePlaces(double value);

// Writes a number with at most 15 significant digits: fixed notation when the
// decimal exponent (after rounding to 15 digits) lies in -4..14, otherwise
// exponent notation with a capital E, a sign and at least two digits. Trailing
// zeros and a trailing point are dropped; a negative zero is written "0"; the
// separator is always '.'.
//
//   numberToText(12)         == "12"          numberToText(0.5)    == "0.5"
//   numberToText(-0.0)       == "0"           numberToText(5e-05)  == "5E-05"
//   numberToText(0.00012)    == "0.00012"     numberToText(1e15)   == "1E+15"
//   numberToText(123456789012345678.0) == "1.23456789012346E+17"
//   numberToText(1e305)      == "1E+305"
//
// Throws NumericError(FloatingPoint) for an infinity or NaN, which have no text.
std::string numberToText(double value);

}  // namespace vornell
