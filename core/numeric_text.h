// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// Numbers as the user reads and types them: field text with a decimal comma.
//
// Every conversion is independent of the process locale (QApplication calls
// setlocale(LC_ALL, "")), and none of them throws: a text that is not a
// number gives std::nullopt and the caller decides what to tell the user.
//
// Text to number (single, double):
//   " 0,2 "  -> 0.2        blanks (space, tab) around the number are ignored
//   "-1"     -> -1
//   ",5"     -> 0.5        a comma may stand first ...
//   "5,"     -> 5          ... or last: typing "0" then the decimal key passes "0,"
//   "-0"     -> -0.0
//   ""       -> failure    so do "-", ",", "-,", "abc", "1,2,3"
//   "1.5"    -> failure    a period could be a thousands separator: refused
//   "1e5"    -> failure    no exponent, no "+", no inner blanks, no "inf"/"nan"
//   a value beyond the finite range of the type -> failure;
//   a value too small for the type becomes 0 (the nearest value), keeping its sign.
//
// Text to integer (signed 16 bits): read as above, then rounded to the
// nearest integer, halves to the even neighbour:
//   "10000" -> 10000   "10,5" -> 10   "11,5" -> 12   "-0,4" -> 0
//   "40000" -> failure "32767,5" -> failure (rounds to 32768)
//
// Integer to text: "0", "1", "37", "-5".
//
// Double to text: at most 15 significant digits, then zeros where the value
// needs more; never an exponent, no trailing zeros, no comma for a whole
// value, no grouping:
//   0.5 -> "0,5"   2 -> "2"   -0.75 -> "-0,75"   -0.0 -> "-0"
//   0.1 + 0.2 -> "0,3"   1.5e-7 -> "0,00000015"
//   1234567890123456789 -> "1234567890123460000"
//   1e40 -> "10000000000000000000000000000000000000000" (not ...0303786028427003666890752)
// Every text it writes reads back with textToDouble to the value rounded to
// 15 digits, and writing that again gives the same text. The largest double
// is cut to 15 digits instead, since rounding up would leave the range.
//
// Single to text: the shortest digits that read back as the same float, then
// zeros, written as above, so a float shows the number that was typed:
//   0.2f -> "0,2" (not "0,200000002980232")   -0.75f -> "-0,75"   1e-7f -> "0,0000001"
//   -2e29f -> "-200000000000000000000000000000" (not "-199999999999999982866301714432")
// Every text it writes reads back with textToSingle to the very same float.
//
// Rounded text, for reading at a glance (the weights on the diagram): two
// decimals, rounded to nearest, keeping the sign of a small negative value;
// from 1000 on one decimal and a power of ten:
//   0.25f -> "0,25"   -0.374f -> "-0,37"   0 -> "0,00"   -0.001f -> "-0,00"
//   0.145f -> "0,14" (the float lies below 0,145)   0.125f -> "0,12" (a half: even)
//   999.99f -> "999,99"
//   12345 -> "1,2e4"   -3.4e20f -> "-3,4e20"   1e-30f -> "0,00"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vintrelle {

// The text without the blanks (spaces and tabs) at either end.
std::string_view trimBlanks(std::string_view text);

std::optional<float> textToSingle(std::string_view text);
std::optional<double> textToDouble(std::string_view text);
std::optional<std::int16_t> textToInteger(std::string_view text);

std::string integerToText(long long value);
std::string doubleToText(double value);
std::string singleToText(float value);
std::string roundedText(float value);

// The number in a field forced to one sign, as the arrow keys do it:
//   negative: "0,5" -> "-0,5"   "-2" -> "-2"   "0" -> "-0"
//   positive: "-0,5" -> "0,5"   "3" -> "3"     "-0" -> "0"
//   "" or "-" -> failure
std::optional<std::string> withForcedSign(std::string_view text, bool negative);

} // namespace vintrelle
