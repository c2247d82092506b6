// Stations in chainage notation, as road drawings write them: K12+345.678 is
// kilometre 12 plus 345.678 metres, station 12345.678; ZK12+345 and YK12+345
// are stations of a divided road's left and right lines, AK, BK... those of
// an interchange's ramps. A box reads such a text as 0 (it begins with a
// letter); the window offers the plain number.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vornell {

// The plain form of a station written in chainage notation, or std::nullopt
// when `text` is not one. Recognised, once every blank (space, tab, line feed)
// is removed, as the reading removes them: at most two ASCII letters of a
// line's name, in either case, then `K` or `k`; the kilometres, one or
// more digits; `+` (a box turns the full-width ＋ into it); the metres, one to
// three digits (0 to 999, as drawings write them with three: K0+050); and
// optionally a point with the metres' fraction, digits or none. Nothing else
// may stand before, between or after: no sign, no exponent, no unit.
//
// The plain form is made from the digits as text, never through a double, so
// any number of digits is exact: the kilometres' digits, the metres' digits
// made three with leading zeros, without the leading zeros of the whole, at
// least one digit before the point; then the point and the fraction's digits
// as typed, when there are any. It reads, with readNumber(), as the decimal
// number kilometres × 1000 + metres.
//
//   chainagePlainForm("K12+345.678") == "12345.678"
//   chainagePlainForm("k12 + 345.6") == "12345.6"
//   chainagePlainForm("ZK12+345")    == "12345"    chainagePlainForm("ak0+120") == "120"
//   chainagePlainForm("K0+000")      == "0"
//   chainagePlainForm("K0+050")      == "50"       chainagePlainForm("K12+5")   == "12005"
//   chainagePlainForm("K1+000.250")  == "1000.250" chainagePlainForm("K12+345.") == "12345"
//   chainagePlainForm("K12+1000")    == std::nullopt   (a kilometre has 1000 m)
//   chainagePlainForm("K12")         == std::nullopt   chainagePlainForm("12+345") == std::nullopt
//   chainagePlainForm("ABCK1+000")   == std::nullopt   chainagePlainForm("Z12+345") == std::nullopt
//   chainagePlainForm("K12+345m")    == std::nullopt   chainagePlainForm("K-1+200") == std::nullopt
//
// Never fails; runs in time linear in the length of `text`.
std::optional<std::string> chainagePlainForm(std::string_view text);

}  // namespace vornell
