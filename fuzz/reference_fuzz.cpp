// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The core against a small reference written from the neuron's rules, not
// from the core's code: plain loops, float arithmetic rounded after every
// operation, a 16-bit pass counter, and the C library's own conversions
// between decimal text and binary numbers (the core uses <charconv>).
//
// The input is read as lines of texts separated by ';':
//   line 1: the six starting weights        "0,5;0,25;0;0;0;0"
//   line 2: the learning rate               "0,2"
//   line 3: the cycle limit                 "50"
//   then up to 11 samples: x0..x5 and the target  "-1;1;0;0;0;0;-1"
// Checks, bit for bit where numbers are compared:
// - each text read as a single, a double and a 16-bit integer;
// - a sample's texts converted to its row, or the first field that fails;
// - the sign forced by the arrow keys on each of a sample's texts;
// - training: outcome, passes and each weight;
// - "Calcola" with the trained weights on each sample's input texts;
// - each trained weight's text reads back to the same float.

#include "core/numeric_text.h"
#include "core/output.h"
#include "core/training.h"
#include "samples/sample_store.h"

#include <array>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace reference {

// Blanks (spaces, tabs) around; an optional "-"; digits, at most one comma
// among or after them; at least one digit. Gives the C form ("-0.5").
std::optional<std::string> cNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    std::string c;
    if (!text.empty() && text.front() == '-') {
        c += '-';
        text.remove_prefix(1);
    }
    bool digit = false;
    bool comma = false;
    for (const char ch : text) {
        if (ch >= '0' && ch <= '9') {
            c += ch;
            digit = true;
        } else if (ch == ',' && !comma) {
            c += '.';
            comma = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digit)
        return std::nullopt;
    return c;
}

// The nearest value of the type; a text beyond its finite range is no
// number of that type.
template <typename Float>
std::optional<Float> toFloating(std::string_view text)
{
    const auto c = cNumber(text);
    if (!c)
        return std::nullopt;
    Float value{};
    if constexpr (std::is_same_v<Float, float>)
        value = std::strtof(c->c_str(), nullptr);
    else
        value = std::strtod(c->c_str(), nullptr);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> toSingle(std::string_view text)
{
    return toFloating<float>(text);
}

std::optional<double> toDouble(std::string_view text)
{
    return toFloating<double>(text);
}

// Rounded to the nearest integer, an exact half to the even neighbour.
std::optional<std::int16_t> toInteger(std::string_view text)
{
    const auto c = cNumber(text);
    if (!c)
        return std::nullopt;
    std::string_view number = *c;
    const bool negative = number.front() == '-';
    if (negative)
        number.remove_prefix(1);
    const auto point = number.find('.');
    const std::string_view whole = number.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "" : number.substr(point + 1);

    long value = 0;
    for (const char d : whole) {
        value = value * 10 + (d - '0');
        if (value > 100000)
            return std::nullopt;
    }
    if (!fraction.empty() && fraction[0] >= '5') {
        const bool half = fraction[0] == '5' && fraction.find_first_not_of('0', 1) == std::string_view::npos;
        if (!half || value % 2 == 1)
            ++value;
    }
    if (negative)
        value = -value;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

// At most 15 significant digits, no exponent (zeros stand for the digits
// past the fifteenth), no trailing zeros after the comma, no comma for a
// whole value.
std::string doubleText(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    std::string s = buffer;
    if (std::isinf(std::strtod(buffer, nullptr))) {
        // Rounding the largest doubles to 15 digits leaves the range, and the
        // text would read as no number: the program cuts the digits instead.
        std::snprintf(buffer, sizeof buffer, "%.16e", value);
        s = buffer;
        s.erase(s.find('e') - 2, 2);
    }
    std::string text;
    if (s.front() == '-') {
        text += '-';
        s.erase(0, 1);
    }
    const auto e = s.find('e');
    const int exponent = std::atoi(s.c_str() + e + 1);
    std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    if (digits == "0")
        return text + "0";
    if (exponent < 0)
        return text + "0," + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole)
        return text + digits + std::string(whole - digits.size(), '0');
    return text + digits.substr(0, whole) + "," + digits.substr(whole);
}

// Down arrow: "-" and the absolute value; Up arrow: the absolute value.
std::optional<std::string> forcedSign(std::string_view text, bool negative)
{
    const auto value = toDouble(text);
    if (!value)
        return std::nullopt;
    return (negative ? "-" : "") + doubleText(std::fabs(*value));
}

using Weights = std::array<float, 6>;
using Row = std::array<float, 7>;

// "Calcola": x(i) read as a double times the weight, added to a float sum.
// std::nullopt when the sum leaves the float range.
std::optional<int> output(const std::array<double, 6> &x, const Weights &w)
{
    float sum = 0;
    for (int i = 0; i < 6; ++i) {
        const double product = x[i] * static_cast<double>(w[i]);
        sum = static_cast<float>(static_cast<double>(sum) + product);
        if (!std::isfinite(sum))
            return std::nullopt;
    }
    return sum >= 0 ? 1 : -1;
}

enum class Outcome { Converged, Limit, Overflow };

struct Training
{
    Outcome outcome = Outcome::Converged;
    std::int16_t cycles = 0;
    Weights w{};
};

// The neuron's answer to a sample with the current weights, 1 or -1;
// nothing when the sum leaves the float range.
std::optional<float> answerTo(const Weights &w, const Row &x)
{
    float sum = 0;
    for (int i = 0; i < 6; ++i) {
        const float product = w[i] * x[i];
        sum = sum + product;
    }
    if (!std::isfinite(sum))
        return std::nullopt;
    return sum >= 0 ? 1.0f : -1.0f;
}

Training train(Weights w, const std::vector<Row> &samples, float eta, std::int16_t maxCycles)
{
    // Two faults the rules leave open, mended as the program mends them: a
    // pass counter that cannot count past 32767 ends training with the
    // limit, and a sum or weight that leaves the float range ends it with the
    // weights from before the sample that overflowed.
    Training result;
    std::int16_t cycles = 0;
    bool converged = false;
    while (!converged) {
        if (cycles == 32767) {
            result.outcome = Outcome::Limit;
            break;
        }
        cycles = static_cast<std::int16_t>(cycles + 1);
        for (const Row &x : samples) {
            const float t = x[6];
            const auto answer = answerTo(w, x);
            if (!answer)
                return {Outcome::Overflow, cycles, w};
            const float y = *answer;
            if (t == y)
                continue;
            Weights corrected;
            for (int i = 0; i < 6; ++i) {
                const float error = t - y;
                const float scaled = error * eta;
                const float delta = scaled * x[i];
                corrected[i] = w[i] + delta;
                if (!std::isfinite(corrected[i]))
                    return {Outcome::Overflow, cycles, w};
            }
            w = corrected;
        }
        for (const Row &x : samples) {
            const float t = x[6];
            const auto answer = answerTo(w, x);
            if (!answer)
                return {Outcome::Overflow, cycles, w};
            const float y = *answer;
            converged = (y > 0 && t > 0) || (y < 0 && t < 0);
            if (!converged)
                break;
        }
        if (cycles > maxCycles) {
            converged = true;
            result.outcome = Outcome::Limit;
        }
    }
    result.cycles = cycles;
    result.w = w;
    return result;
}

} // namespace reference

namespace {

std::string_view input;

[[noreturn]] void fail(const char *what, std::string_view detail)
{
    std::fprintf(stderr, "core and reference differ: %s, \"%.*s\"\ninput \"%.*s\"\n", what,
                 static_cast<int>(detail.size()), detail.data(), static_cast<int>(input.size()), input.data());
    std::abort();
}

void check(bool holds, const char *what, std::string_view detail)
{
    if (!holds)
        fail(what, detail);
}

template <typename Number>
bool sameBits(const std::optional<Number> &a, const std::optional<Number> &b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a || std::memcmp(&*a, &*b, sizeof(Number)) == 0;
}

bool sameBits(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

std::vector<std::string_view> split(std::string_view line, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = line.find(separator);
        parts.push_back(line.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        line.remove_prefix(at + 1);
    }
}

void compareReadings(std::string_view text)
{
    check(sameBits(vintrelle::textToSingle(text), reference::toSingle(text)), "text to single", text);
    check(sameBits(vintrelle::textToDouble(text), reference::toDouble(text)), "text to double", text);
    check(vintrelle::textToInteger(text) == reference::toInteger(text), "text to integer", text);
    for (const bool negative : {true, false})
        check(vintrelle::withForcedSign(text, negative) == reference::forcedSign(text, negative), "forced sign",
              text);
}

vintrelle::TrainingOutcome coreOutcome(reference::Outcome outcome)
{
    switch (outcome) {
    case reference::Outcome::Converged:
        return vintrelle::TrainingOutcome::Converged;
    case reference::Outcome::Limit:
        return vintrelle::TrainingOutcome::LimitExceeded;
    case reference::Outcome::Overflow:
        break;
    }
    return vintrelle::TrainingOutcome::Overflow;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The reference reads and writes numbers with the C library, whose
    // decimal point follows the locale: keep it the "C" one.
    std::setlocale(LC_ALL, "C");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vintrelle;
    input = std::string_view(reinterpret_cast<const char *>(data), size);
    const std::vector<std::string_view> lines = split(input, '\n');
    if (lines.size() < 3)
        return 0;

    // Starting weights, learning rate and limit.
    const std::vector<std::string_view> weightTexts = split(lines[0], ';');
    bool trainable = weightTexts.size() == 6;
    reference::Weights startWeights{};
    for (std::size_t i = 0; i < weightTexts.size(); ++i) {
        compareReadings(weightTexts[i]);
        const auto weight = reference::toSingle(weightTexts[i]);
        if (weight && i < 6)
            startWeights[i] = *weight;
        trainable = trainable && weight.has_value();
    }
    compareReadings(lines[1]);
    compareReadings(lines[2]);
    const auto eta = reference::toSingle(lines[1]);
    const auto limit = reference::toInteger(lines[2]);

    // Samples: the row of each, as "aggiungi" stores it.
    std::vector<SampleRow> rows;
    std::vector<std::array<std::string_view, InputCount>> inputTexts;
    for (std::size_t l = 3; l < lines.size() && rows.size() < SampleStore::Capacity; ++l) {
        const std::vector<std::string_view> texts = split(lines[l], ';');
        if (texts.size() != 7)
            continue;
        std::array<std::string_view, InputCount> inputs;
        for (int i = 0; i < InputCount; ++i)
            inputs[static_cast<std::size_t>(i)] = texts[static_cast<std::size_t>(i)];
        for (const std::string_view text : texts)
            compareReadings(text);

        const auto core = sampleRowFromTexts(inputs, texts[6]);
        int failedField = -1;
        SampleRow row{};
        for (int i = 0; i < 7 && failedField < 0; ++i) {
            const auto value = reference::toSingle(texts[static_cast<std::size_t>(i)]);
            if (value)
                row[static_cast<std::size_t>(i)] = *value;
            else
                failedField = i;
        }
        if (failedField >= 0) {
            const messages::Field field = failedField < InputCount ? messages::inputField(failedField)
                                                                   : messages::Field::Output;
            check(std::holds_alternative<messages::Field>(core) && std::get<messages::Field>(core) == field,
                  "failing field of a sample", lines[l]);
            continue;
        }
        check(std::holds_alternative<SampleRow>(core), "sample row refused", lines[l]);
        for (std::size_t i = 0; i < row.size(); ++i)
            check(sameBits(std::get<SampleRow>(core)[i], row[i]), "sample row", lines[l]);
        rows.push_back(row);
        inputTexts.push_back(inputs);
    }

    if (!trainable || !eta || !limit)
        return 0;

    WeightVector weights = startWeights;
    const TrainingResult core = train(weights, rows, *eta, *limit);
    const reference::Training expected = reference::train(startWeights, rows, *eta, *limit);
    check(core.outcome == coreOutcome(expected.outcome), "training outcome", lines[1]);
    check(core.cycles == expected.cycles, "passes", lines[2]);
    for (std::size_t i = 0; i < weights.size(); ++i) {
        check(sameBits(weights[i], expected.w[i]), "trained weight", singleToText(weights[i]));
        check(sameBits(reference::toSingle(singleToText(weights[i])), std::optional<float>(weights[i])),
              "weight's text reads back", singleToText(weights[i]));
    }

    // "Calcola" on each sample's input texts with the trained weights.
    for (const auto &texts : inputTexts) {
        InputVector coreInputs{};
        std::array<double, 6> inputs{};
        for (std::size_t i = 0; i < texts.size(); ++i) {
            coreInputs[i] = *textToDouble(texts[i]);
            inputs[i] = *reference::toDouble(texts[i]);
        }
        check(neuronOutput(coreInputs, weights) == reference::output(inputs, expected.w), "output", texts[1]);
    }
    return 0;
}
