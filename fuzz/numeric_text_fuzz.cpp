// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// Any text at all, read as the fields read it. Checks on every input:
// - a text accepted as a number, written back and read again, gives the same
//   value to 15 significant digits, and writing that again gives the same text;
// - every text the program writes is accepted, has no exponent and no period,
//   and carries at most 15 significant digits (9 for a single), zeros after them;
// - a single written and read again is the very same float;
// - the 16-bit integer reading accepts exactly the values that round into
//   -32768..32767, and its result is the value rounded half to even;
// - a text accepted as a single is accepted as a double, to the same value
//   rounded to float precision.

#include "core/numeric_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char *what, std::string_view text)
{
    std::fprintf(stderr, "property broken: %s, text \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

void check(bool holds, const char *what, std::string_view text)
{
    if (!holds)
        fail(what, text);
}

// Digits from the first non-zero one to the last non-zero one: "-0,0120" -> 2.
std::size_t significantDigits(std::string_view text)
{
    const auto first = text.find_first_of("123456789");
    if (first == std::string_view::npos)
        return 0;
    std::size_t count = 0;
    for (std::size_t i = first; i <= text.find_last_of("123456789"); ++i)
        count += text[i] != ',';
    return count;
}

bool sameToFifteenDigits(double a, double b)
{
    if (a == b)
        return true;
    return std::fabs(a - b) <= std::fabs(a) * 1e-14;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    using namespace vintrelle;

    const auto asDouble = textToDouble(text);
    const auto asSingle = textToSingle(text);
    const auto asInteger = textToInteger(text);

    if (asSingle) {
        check(asDouble.has_value(), "single accepted, double refused", text);
        check(std::isfinite(*asSingle), "single not finite", text);
        // The nearest float of the decimal and the float of the nearest double
        // differ at most by one float step (double rounding).
        const float viaDouble = static_cast<float>(*asDouble);
        check(*asSingle == viaDouble || std::nextafter(*asSingle, viaDouble) == viaDouble,
              "single far from the double", text);
        const std::string written = singleToText(*asSingle);
        check(written.find_first_of(".eE+") == std::string::npos, "single's text has an exponent or a period", written);
        check(significantDigits(written) <= 9, "single's text has more than 9 digits", written);
        const auto back = textToSingle(written);
        check(back.has_value() && std::memcmp(&*back, &*asSingle, sizeof(float)) == 0,
              "single's text reads back to another float", written);
    }

    if (!asDouble) {
        check(!asInteger.has_value(), "integer accepted where the number is refused", text);
        return 0;
    }

    const double value = *asDouble;
    check(std::isfinite(value), "double not finite", text);

    const std::string written = doubleToText(value);
    check(written.find_first_of(".eE+") == std::string::npos, "written text has an exponent or a period", written);
    const auto back = textToDouble(written);
    check(significantDigits(written) <= 15, "written text has more than 15 digits", written);
    check(back.has_value(), "written text not accepted", written);
    check(sameToFifteenDigits(value, *back), "value changed beyond 15 digits", text);
    check(doubleToText(*back) == written, "writing is not stable", written);

    // Integers: compare with rounding of the double, away from the halves
    // where the double may have blurred the decimal text.
    const double floor = std::floor(value);
    const double fraction = value - floor;
    const bool nearHalf = std::fabs(fraction - 0.5) < 1e-6;
    if (!nearHalf && std::fabs(value) < 1e6) {
        const double rounded = fraction < 0.5 ? floor : floor + 1.0;
        const bool inRange = rounded >= -32768.0 && rounded <= 32767.0;
        check(asInteger.has_value() == inRange, "integer range", text);
        if (asInteger)
            check(*asInteger == rounded, "integer rounding", text);
    } else if (asInteger) {
        // Near a half the double cannot tell which neighbour the text is
        // closer to; the exact halves are the unit tests' business.
        check(std::fabs(*asInteger - value) <= 0.5 + 1e-6, "integer far from the value", text);
    } else {
        check(std::fabs(value) > 32767.0, "integer refused inside the range", text);
    }
    return 0;
}
