// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/explanation.h"

#include "core/messages.h"
#include "core/numeric_text.h"
#include "core/training.h"
#include "verdict/exact_verdict.h"
#include "verdict/separability.h"

#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <optional>

namespace vintrelle {

namespace {

// Whole numbers rounded to nearest, a half away from 0.
mpz_class roundedWhole(const mpq_class &value)
{
    if (sgn(value) < 0)
        return -roundedWhole(-value);
    const mpq_class up = value + mpq_class(1, 2);
    mpz_class whole;
    mpz_fdiv_q(whole.get_mpz_t(), up.get_num_mpz_t(), up.get_den_mpz_t());
    return whole;
}

// The multipliers as they are shown: the exact whole numbers when each is at
// most 999; else the smallest whole numbers (up to 999) in the same
// proportions to within 1 part in 100000, with `rounded` set; else the exact
// ones when each has at most 9 digits; else none (`tooLong`). Every
// multiplier above 0 is shown as 1 or more, and only those are. Decimal
// inputs are stored as the binary numbers nearest to them, so the exact
// multipliers of a proof on 0,2, 0,5 and 0,9 are 26843544, 46976203 and
// 20132659, where the typed values would need 4, 7 and 3: those are shown,
// marked as rounded.
struct ShownMultipliers
{
    std::vector<mpz_class> values;
    bool rounded = false;
    bool tooLong = false;
};

ShownMultipliers shownMultipliers(const std::vector<mpq_class> &exact)
{
    ShownMultipliers shown;
    mpz_class largest = 0;
    for (const mpq_class &m : exact) {
        shown.values.push_back(m.get_num());
        largest = std::max(largest, mpz_class(m.get_num()));
    }
    if (largest <= 999)
        return shown;
    for (int top = 1; top <= 999; ++top) {
        std::vector<mpz_class> wholes;
        for (const mpz_class &value : shown.values) {
            const mpq_class scaled(value * top, largest);
            const mpz_class whole = roundedWhole(scaled);
            const mpq_class off = abs(scaled - whole) * 100000;
            if (sgn(value) > 0 && (whole < 1 || off > std::max(mpz_class(1), whole)))
                break;
            wholes.push_back(whole);
        }
        if (wholes.size() == shown.values.size()) {
            shown.values = wholes;
            shown.rounded = true;
            return shown;
        }
    }
    shown.tooLong = largest >= 1000000000;
    return shown;
}

// A decimal text of numeric_text.h ("-0,75", "300") as the exact number it writes.
mpq_class decimalValue(const std::string &text)
{
    std::string digits;
    std::size_t decimals = 0;
    bool afterComma = false;
    for (const char c : text) {
        if (c == ',')
            afterComma = true;
        else if (c >= '0' && c <= '9') {
            digits += c;
            decimals += afterComma ? 1 : 0;
        }
    }
    mpz_class tenPower;
    mpz_ui_pow_ui(tenPower.get_mpz_t(), 10, decimals);
    mpq_class value(mpz_class(digits.empty() ? "0" : digits, 10), tenPower);
    value.canonicalize();
    return text.starts_with('-') ? mpq_class(-value) : value;
}

// A number with a finite decimal expansion, written as numeric_text.h writes
// one: 7/2 -> "3,5", -2 -> "-2", 1/40 -> "0,025".
std::string decimalText(const mpq_class &value)
{
    mpz_class tenPower = 1;
    std::size_t decimals = 0;
    while (tenPower % value.get_den() != 0) {
        tenPower *= 10;
        ++decimals;
    }
    std::string digits = mpz_class(abs(value.get_num()) * (tenPower / value.get_den())).get_str();
    if (digits.size() <= decimals)
        digits.insert(0, decimals + 1 - digits.size(), '0');
    if (decimals > 0)
        digits.insert(digits.size() - decimals, ",");
    return (sgn(value) < 0 ? "-" : "") + digits;
}

// "(1 ; 0)": the values of the shown columns, as the list writes them.
std::string tupleText(const std::vector<std::string> &values)
{
    std::string text = "(";
    for (std::size_t k = 0; k < values.size(); ++k)
        text += (k > 0 ? " ; " : "") + values[k];
    return text + ")";
}

// The proof's samples, and the inputs shown beside them.
struct Proof
{
    std::span<const SampleRow> samples;
    ShownMultipliers shown;
    std::vector<std::size_t> positives, negatives;
    // The inputs shown: those not 0 in some sample of the proof, but the
    // bias when it is -1 in all of them (said once); the bias alone when
    // nothing else is left.
    std::vector<int> columns;
    bool biasMinusOne = true;

    Proof(std::span<const SampleRow> samples, const std::vector<mpq_class> &multipliers)
        : samples(samples), shown(shownMultipliers(multipliers))
    {
        for (std::size_t s = 0; s < samples.size(); ++s) {
            if (sgn(multipliers[s]) <= 0)
                continue;
            (samples[s][TargetColumn] < 0.0f ? negatives : positives).push_back(s);
            biasMinusOne = biasMinusOne && samples[s][0] == -1.0f;
        }
        for (int i = biasMinusOne ? 1 : 0; i < InputCount; ++i)
            if (std::any_of(positives.begin(), positives.end(), [&](std::size_t s) { return samples[s][i] != 0.0f; })
                || std::any_of(negatives.begin(), negatives.end(), [&](std::size_t s) { return samples[s][i] != 0.0f; }))
                columns.push_back(i);
        if (columns.empty() && biasMinusOne) {
            columns.push_back(0);
            biasMinusOne = false;
        }
    }

    bool allOnes() const
    {
        return std::all_of(shown.values.begin(), shown.values.end(), [](const mpz_class &m) { return m <= 1; });
    }

    // "Ingressi mostrati (X1 ; X2), gli altri sono 0, il Bias è sempre -1: "
    std::string legend() const
    {
        if (columns.empty())
            return {};
        std::vector<std::string> names;
        for (const int i : columns)
            names.emplace_back(i == 0 ? "Bias" : "X" + std::to_string(i));
        const std::size_t others = static_cast<std::size_t>(InputCount) - (biasMinusOne ? 1 : 0);
        return std::string(messages::ShownInputs) + tupleText(names)
               + std::string(columns.size() < others ? messages::OtherInputsZero : "")
               + std::string(biasMinusOne ? messages::BiasAlwaysMinusOne : "") + ": ";
    }

    // "2 × N°1 (1 ; 0) + N°2 (0 ; 1)": multipliers shown but 1s.
    std::string sideText(const std::vector<std::size_t> &rows) const
    {
        std::string text;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            const std::size_t s = rows[k];
            const bool multiplier = !shown.tooLong && shown.values[s] != 1;
            text += (k > 0 ? " + " : "") + (multiplier ? shown.values[s].get_str() + " × " : std::string())
                    + messages::sampleName(static_cast<int>(s));
            if (!columns.empty()) {
                std::vector<std::string> values;
                for (const int i : columns)
                    values.push_back(singleToText(samples[s][i]));
                text += " " + tupleText(values);
            }
        }
        return text;
    }

    // The shown columns and the bias, each added up over a side with the
    // shown multipliers, from the numbers as shown.
    std::vector<mpq_class> sums(const std::vector<std::size_t> &rows) const
    {
        std::vector<mpq_class> total(InputCount);
        for (const std::size_t s : rows)
            for (int i = 0; i < InputCount; ++i)
                total[i] += shown.values[s] * decimalValue(singleToText(samples[s][i]));
        return total;
    }

    // "(1 ; 1), con il Bias -2"
    std::string sumText(const std::vector<mpq_class> &total) const
    {
        std::vector<std::string> values;
        for (const int i : columns)
            values.push_back(decimalText(total[i]));
        return tupleText(values) + (biasMinusOne ? std::string(messages::WithBias) + decimalText(total[0]) : "");
    }

    // " Entrambe le parti sommano (1 ; 1), con il Bias -2.", or both sums
    // when the numbers shown do not make them equal.
    std::string sumsSentence() const
    {
        if (shown.tooLong)
            return {};
        const std::vector<mpq_class> first = sums(positives);
        const std::vector<mpq_class> second = sums(negatives);
        if (first == second)
            return std::string(messages::BothSidesAddUpTo) + sumText(first) + ".";
        return std::string(messages::ShownFirstSideAddsUpTo) + sumText(first) + std::string(messages::ShownSecondSide)
               + sumText(second) + "." + std::string(shown.rounded ? "" : messages::EqualAsStored);
    }

    // "N°1 e N°2", in store order.
    static std::string names(const std::vector<std::size_t> &rows)
    {
        std::string text;
        for (std::size_t k = 0; k < rows.size(); ++k)
            text += std::string(k == 0 ? "" : k + 1 == rows.size() ? " e " : ", ") + messages::sampleName(static_cast<int>(rows[k]));
        return text;
    }

    // Why the proof rules out every weight.
    std::string sentence() const
    {
        const std::string rounded(shown.rounded ? messages::RoundedMultipliers : std::string_view());
        const std::string tooLong(shown.tooLong ? messages::MultipliersTooLong : ".");
        if (positives.empty()) {
            if (negatives.size() == 1)
                return messages::sampleName(static_cast<int>(negatives[0])) + std::string(messages::AllInputsZero);
            return legend() + sideText(negatives) + std::string(messages::InputsCancel) + rounded;
        }
        return legend() + sideText(positives)
               + std::string(positives.size() == 1 ? messages::SameInputsSingular : messages::SameInputsPlural)
               + sideText(negatives) + tooLong + sumsSentence() + rounded + std::string(messages::SameSum)
               + names(positives) + std::string(positives.size() == 1 ? messages::AsksSingular : messages::AsksPlural)
               + names(negatives) + std::string(messages::AsksBelowZero);
    }

    // `note`, with the sample's multiplier where they are not all 1, for
    // each sample of the proof.
    void notes(std::string_view note, std::vector<std::string> &notes) const
    {
        for (const std::vector<std::size_t> *rows : {&positives, &negatives})
            for (const std::size_t s : *rows) {
                std::string text(note);
                if (shown.tooLong)
                    text += messages::NoteMultiplierTooLong;
                else if (!allOnes())
                    text += std::string(messages::NoteMultiplier) + shown.values[s].get_str()
                            + std::string(shown.rounded ? messages::NoteRounded : "") + ")";
                notes[s] = text + ".";
            }
    }
};

// The proof's sentence, and `note` for each sample it names.
std::string proof(std::span<const SampleRow> samples, const std::vector<mpq_class> &multipliers,
                  std::string_view note, std::vector<std::string> &notes)
{
    const Proof told(samples, multipliers);
    told.notes(note, notes);
    return told.sentence();
}

// "w0 = 3, w1 = 2, ..., w5 = 0".
std::string weightsText(const WeightVector &weights)
{
    std::string text;
    for (int i = 0; i < InputCount; ++i)
        text += (i > 0 ? ", w" : "w") + std::to_string(i) + " = " + singleToText(weights[i]);
    return text;
}

bool classifiesAll(const WeightVector &weights, std::span<const SampleRow> samples)
{
    for (const SampleRow &sample : samples)
        if (!classifiedRight(weights, sample))
            return false;
    return true;
}

// Readable float weights from the exact ones (whole numbers with no common
// factor) that the check pass accepts: the whole numbers themselves when
// each is at most 2^24 (a float holds them exactly), else the weights
// scaled so that the largest in size is 10, 100, ... 1000000 and rounded to
// whole numbers (a half away from 0), the first that the check pass accepts.
std::optional<WeightVector> readableWeights(std::span<const SampleRow> samples, const std::vector<mpq_class> &exact)
{
    mpq_class largest = 0;
    for (const mpq_class &w : exact)
        largest = std::max(largest, mpq_class(abs(w)));
    const auto toFloat = [](const mpz_class &whole) { return static_cast<float>(whole.get_si()); };
    if (largest <= (1 << 24)) {
        WeightVector weights{};
        for (int i = 0; i < InputCount; ++i)
            weights[i] = toFloat(exact[i].get_num());
        if (classifiesAll(weights, samples))
            return weights;
    }
    for (long top = 10; top <= 1000000 && largest > 0; top *= 10) {
        WeightVector weights{};
        for (int i = 0; i < InputCount; ++i)
            weights[i] = toFloat(roundedWhole(exact[i] * top / largest));
        if (classifiesAll(weights, samples))
            return weights;
    }
    return std::nullopt;
}

} // namespace

LimitExplanation explainLimit(std::span<const SampleRow> samples, float eta)
{
    LimitExplanation explanation;
    explanation.sampleNotes.resize(samples.size());
    const ExactVerdict verdict = exactSeparability(samples);
    const bool etaZero = eta == 0.0f;
    explanation.reason = std::string(separabilityText(verdict.verdict));
    if (verdict.verdict == Separability::Separable) {
        const std::optional<WeightVector> weights = readableWeights(samples, verdict.weights);
        if (weights)
            explanation.reason = std::string(messages::SeparableBy) + weightsText(*weights)
                                 + std::string(etaZero ? messages::SeparableByEtaZeroEnd : messages::SeparableByEnd);
        else if (etaZero)
            explanation.reason = messages::SeparableEtaZero;
    } else if (verdict.verdict == Separability::NotSeparable) {
        switch (verdict.floatCheck) {
        case FloatCheck::Undecided:
            // The exact proof still tells the student why; the rounding
            // keeps it from being the last word.
            explanation.reason = std::string(messages::NotSeparableExactly) + " "
                                 + proof(samples, verdict.multipliers, messages::InExactProof,
                                         explanation.sampleNotes)
                                 + std::string(messages::RoundingMayDecide);
            break;
        case FloatCheck::Weights:
            explanation.reason = std::string(messages::NotSeparableButRounded)
                                 + weightsText(verdict.floatWeights) + ".";
            break;
        case FloatCheck::NoWeights:
            explanation.reason += " " + proof(samples, verdict.multipliers, messages::InProof,
                                              explanation.sampleNotes);
            break;
        }
    }
    if (etaZero && verdict.verdict != Separability::NoSamples)
        explanation.reason = std::string(messages::EtaZero) + explanation.reason;
    return explanation;
}

} // namespace vintrelle
