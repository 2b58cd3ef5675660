// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/numeric_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace vintrelle {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), isDigit);
}

// A field text split into sign, whole digits and fraction digits.
struct DecimalText
{
    bool negative = false;
    std::string_view wholeDigits;
    std::string_view fractionDigits;
};

std::optional<DecimalText> splitDecimal(std::string_view text)
{
    text = trimBlanks(text);
    DecimalText decimal;
    if (!text.empty() && text.front() == '-') {
        decimal.negative = true;
        text.remove_prefix(1);
    }
    const auto comma = text.find(',');
    decimal.wholeDigits = text.substr(0, comma);
    if (comma != std::string_view::npos)
        decimal.fractionDigits = text.substr(comma + 1);
    if (decimal.wholeDigits.empty() && decimal.fractionDigits.empty())
        return std::nullopt;
    if (!allDigits(decimal.wholeDigits) || !allDigits(decimal.fractionDigits))
        return std::nullopt;
    return decimal;
}

template <typename Float>
std::optional<Float> textToFloating(std::string_view text)
{
    const auto decimal = splitDecimal(text);
    if (!decimal)
        return std::nullopt;

    // std::from_chars reads the C form: period, at least one whole digit.
    std::string c;
    c.reserve(decimal->wholeDigits.size() + decimal->fractionDigits.size() + 3);
    if (decimal->negative)
        c += '-';
    if (decimal->wholeDigits.empty())
        c += '0';
    else
        c += decimal->wholeDigits;
    if (!decimal->fractionDigits.empty()) {
        c += '.';
        c += decimal->fractionDigits;
    }

    Float value{};
    const auto [end, error] = std::from_chars(c.data(), c.data() + c.size(), value,
                                              std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // Too small for the type: the nearest value is zero. Too large: refused.
        const bool belowOne = std::all_of(decimal->wholeDigits.begin(), decimal->wholeDigits.end(),
                                          [](char d) { return d == '0'; });
        if (!belowOne)
            return std::nullopt;
        return decimal->negative ? -Float(0) : Float(0);
    }
    if (error != std::errc{} || end != c.data() + c.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A number in the scientific form of std::to_chars ("-1.2345e+29",
// "5e-01") written out with a decimal comma and no exponent: the digits it
// has, then as many zeros as the exponent asks for, and no trailing zeros
// after the comma.
std::string fixedText(std::string_view scientific)
{
    std::string text;
    if (scientific.front() == '-') {
        text += '-';
        scientific.remove_prefix(1);
    }
    const auto e = scientific.find('e');
    int exponent = 0;
    const std::string_view exponentText = scientific.substr(e + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);

    std::string digits;
    for (const char c : scientific.substr(0, e)) {
        if (isDigit(c))
            digits += c;
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    if (digits == "0")
        return text + digits;

    // The first digit stands for 10^exponent.
    if (exponent < 0) {
        text += "0,";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
        return text;
    }
    const auto wholeCount = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= wholeCount) {
        text += digits;
        text.append(wholeCount - digits.size(), '0');
        return text;
    }
    text.append(digits, 0, wholeCount);
    text += ',';
    text.append(digits, wholeCount);
    return text;
}

} // namespace

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<float> textToSingle(std::string_view text)
{
    return textToFloating<float>(text);
}

std::optional<double> textToDouble(std::string_view text)
{
    return textToFloating<double>(text);
}

std::optional<std::int16_t> textToInteger(std::string_view text)
{
    const auto decimal = splitDecimal(text);
    if (!decimal)
        return std::nullopt;

    std::string_view whole = decimal->wholeDigits;
    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    if (whole.size() > 5)
        return std::nullopt;

    long magnitude = 0;
    for (const char d : whole)
        magnitude = magnitude * 10 + (d - '0');

    // Rounded on the digits themselves, so that no binary fraction blurs a half.
    const std::string_view fraction = decimal->fractionDigits;
    if (!fraction.empty()) {
        const char first = fraction.front();
        const bool moreThanHalf = first > '5'
            || (first == '5' && fraction.find_first_not_of('0', 1) != std::string_view::npos);
        const bool exactlyHalf = first == '5' && !moreThanHalf;
        if (moreThanHalf || (exactlyHalf && magnitude % 2 == 1))
            ++magnitude;
    }

    const long value = decimal->negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

std::string integerToText(long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string doubleToText(double value)
{
    if (!std::isfinite(value)) {
        char buffer[16];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }
    // Rounded to 15 significant digits: "d.dddddddddddddde+xx".
    char scientific[32];
    auto written = std::to_chars(scientific, scientific + sizeof scientific, value,
                                 std::chars_format::scientific, 14);
    double rounded = 0.0;
    const auto read = std::from_chars(scientific, written.ptr, rounded);
    if (read.ec == std::errc::result_out_of_range && std::fabs(value) > 1.0) {
        // Within a hair of the largest double, rounding up leaves the range
        // and the text would not read back: cut to 15 digits instead.
        written = std::to_chars(scientific, scientific + sizeof scientific, value,
                                std::chars_format::scientific, 16);
        const std::string_view seventeen(scientific, written.ptr);
        const std::size_t fifteen = (value < 0 ? 3 : 2) + 14; // sign, "d." and 14 digits
        return fixedText(std::string(seventeen.substr(0, fifteen))
                         + std::string(seventeen.substr(seventeen.find('e'))));
    }
    return fixedText({scientific, written.ptr});
}

std::string singleToText(float value)
{
    if (!std::isfinite(value))
        return doubleToText(value);
    char scientific[32];
    const auto written = std::to_chars(scientific, scientific + sizeof scientific, value,
                                       std::chars_format::scientific);
    return fixedText({scientific, written.ptr});
}

std::string roundedText(float value)
{
    char digits[48];
    // -0 is a weight of 0, shown as one.
    const double exact = value == 0.0f ? 0.0 : value;
    const bool large = std::isfinite(exact) && std::fabs(exact) >= 1000.0;
    const auto written = large
        ? std::to_chars(digits, digits + sizeof digits, exact, std::chars_format::scientific, 1)
        : std::to_chars(digits, digits + sizeof digits, exact, std::chars_format::fixed, 2);
    std::string text(digits, written.ptr);
    std::replace(text.begin(), text.end(), '.', ',');
    // "1,2e+04" -> "1,2e4", "3,4e-05" does not occur (small values are fixed).
    if (const auto e = text.find('e'); e != std::string::npos) {
        std::string exponent = text.substr(e + 1);
        if (!exponent.empty() && exponent.front() == '+')
            exponent.erase(0, 1);
        while (exponent.size() > 1 && exponent.front() == '0')
            exponent.erase(0, 1);
        text = text.substr(0, e + 1) + exponent;
    }
    return text;
}

std::optional<std::string> withForcedSign(std::string_view text, bool negative)
{
    const auto value = textToDouble(text);
    if (!value)
        return std::nullopt;
    const std::string magnitude = doubleToText(std::fabs(*value));
    return negative ? "-" + magnitude : magnitude;
}

} // namespace vintrelle
