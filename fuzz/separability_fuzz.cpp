// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The exact verdict on sample sets made from the input bytes: whatever the
// verdict, its certificate must hold when checked exactly, and the verdict
// must never fail to come.
//
// The bytes are read in order, 0 once they run out:
//   the number of samples, byte % 12 (0..11);
//   per sample a kind byte:
//     % 8 == 0 (not for the first): a copy of an earlier sample, the next
//              byte % (samples so far) naming it;
//     % 8 == 1 (not for the first): the same, with the target's sign turned;
//     otherwise a new sample: x0 (-1 when the kind byte has its top bit set,
//              else a value), x1..x5 as values, then the target:
//              byte % 4 is 0 -> 1, 1 -> -1, 2 -> 0, 3 -> a value.
//   a value byte below 0xC0 picks one of sixteen values (0, +-1, +-2,
//   +-0.5, +-1e-38, +-1e38, 3, 0.25, 1e-20, 1e20, -0); from 0xC0 on, the
//   next four bytes are a float's bits, its magnitude brought into
//   [1e-38, 1e38] (0 stays 0, infinities and NaN become 1e38).
// The bytes left over are candidate weights, six values at a time.
//
// When the verdict says that no float weights pass the check pass
// (FloatCheck::NoWeights), none of the candidates may: those of the bytes,
// and a few hundred more drawn from them: small multiples of 2^-149 and of
// other powers of two, random floats of every size, and the exact certificate's
// numbers nudged. Weights the verdict gives (FloatCheck::Weights) must pass.
//
// The explanation of a training stopped at the limit (at Eta 0 for inputs of
// an odd length, else at Eta 1) has one note per sample; when it tells a
// proof, the samples with a note, and those the reason names as "N°r", are
// exactly those whose multiplier is above 0, and they alone are not
// separable; "tutti gli ingressi a 0" is said only of a sample whose inputs
// are all 0; at Eta 0 it never says that more passes may help.

#include "core/training.h"
#include "verdict/explanation.h"
#include "verdict/separability.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <random>
#include <string>
#include <vector>

namespace {

using vintrelle::SampleRow;

class Bytes
{
public:
    Bytes(const std::uint8_t *data, std::size_t size) : data(data), size(size) {}

    std::uint8_t next()
    {
        return at < size ? data[at++] : 0;
    }

private:
    const std::uint8_t *data;
    std::size_t size;
    std::size_t at = 0;

public:
    bool left() const
    {
        return at < size;
    }
};

constexpr float smallest = 1e-38f;
constexpr float largest = 1e38f;

constexpr std::array<float, 16> palette{0.0f, 1.0f, -1.0f, 2.0f, -2.0f, 0.5f, -0.5f, smallest,
                                        -smallest, largest, -largest, 3.0f, 0.25f, 1e-20f, 1e20f, -0.0f};

float value(Bytes &bytes)
{
    const std::uint8_t pick = bytes.next();
    if (pick < 0xC0)
        return palette[pick % palette.size()];
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits = (bits << 8) | bytes.next();
    const float f = std::bit_cast<float>(bits);
    if (!std::isfinite(f))
        return std::signbit(f) ? -largest : largest;
    if (f == 0.0f)
        return f;
    if (std::fabs(f) > largest)
        return std::copysign(largest, f);
    if (std::fabs(f) < smallest)
        return std::copysign(smallest, f);
    return f;
}

float target(Bytes &bytes)
{
    switch (bytes.next() % 4) {
    case 0:
        return 1.0f;
    case 1:
        return -1.0f;
    case 2:
        return 0.0f;
    default:
        return value(bytes);
    }
}

std::vector<SampleRow> samplesFrom(Bytes &bytes)
{
    const int count = bytes.next() % 12;
    std::vector<SampleRow> samples;
    for (int s = 0; s < count; ++s) {
        const std::uint8_t kind = bytes.next();
        if (s > 0 && kind % 8 <= 1) {
            SampleRow copy = samples[bytes.next() % samples.size()];
            if (kind % 8 == 1)
                copy[vintrelle::TargetColumn] = -copy[vintrelle::TargetColumn];
            samples.push_back(copy);
            continue;
        }
        SampleRow row{};
        row[0] = (kind & 0x80) != 0 ? -1.0f : value(bytes);
        for (int i = 1; i < vintrelle::InputCount; ++i)
            row[static_cast<std::size_t>(i)] = value(bytes);
        row[vintrelle::TargetColumn] = target(bytes);
        samples.push_back(row);
    }
    return samples;
}

using vintrelle::WeightVector;

bool allPass(const WeightVector &weights, const std::vector<SampleRow> &samples)
{
    for (const SampleRow &sample : samples)
        if (!vintrelle::classifiedRight(weights, sample))
            return false;
    return true;
}

std::vector<WeightVector> candidates(Bytes &bytes, const std::vector<SampleRow> &samples,
                                     const vintrelle::SeparabilityVerdict &verdict, const std::uint8_t *data,
                                     std::size_t size)
{
    std::vector<WeightVector> found;
    while (bytes.left() && found.size() < 64) {
        WeightVector weights{};
        for (float &w : weights)
            w = value(bytes);
        found.push_back(weights);
    }
    std::uint32_t seed = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        seed = (seed ^ data[i]) * 16777619u;
    std::mt19937 random(seed);
    const int exponents[] = {-149, -145, -140, -130, -126, -100, -60, -30, -26, -24, -10, 0, 10, 30};
    for (int round = 0; round < 400; ++round) {
        WeightVector weights{};
        const int kind = round % 4;
        for (int i = 0; i < vintrelle::InputCount; ++i) {
            const int small = static_cast<int>(random() % 17) - 8;
            if (kind == 0)
                weights[i] = std::ldexp(static_cast<float>(small), -149);
            else if (kind == 1)
                weights[i] = std::ldexp(static_cast<float>(small), exponents[random() % 14]);
            else if (kind == 2)
                weights[i] = std::ldexp(std::uniform_real_distribution<float>(-1, 1)(random),
                                        static_cast<int>(random() % 180) - 149);
            else
                weights[i] = (random() % 2 ? 1.0f : -1.0f) * static_cast<float>(random() % 3)
                             + std::ldexp(static_cast<float>(small), exponents[random() % 14]);
        }
        found.push_back(weights);
    }
    // The multipliers as weights, which lie along the samples' own inputs.
    WeightVector fromMultipliers{};
    for (std::size_t s = 0; s < samples.size() && s < verdict.multipliers.size(); ++s) {
        const std::string &text = verdict.multipliers[s].numerator;
        float multiplier = 0;
        if (std::from_chars(text.data(), text.data() + text.size(), multiplier).ec != std::errc())
            multiplier = 1;
        for (int i = 0; i < vintrelle::InputCount; ++i)
            fromMultipliers[i] += multiplier * samples[s][i]
                                  * (samples[s][vintrelle::TargetColumn] < 0 ? -1.0f : 1.0f);
    }
    found.push_back(fromMultipliers);
    return found;
}

// The rows named "N°r" in a text.
std::vector<bool> namedIn(const std::string &text, std::size_t count)
{
    std::vector<bool> named(count);
    const std::string mark = "N°";
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1)) {
        std::size_t row = 0;
        const char *first = text.data() + at + mark.size();
        const auto [end, error] = std::from_chars(first, text.data() + text.size(), row);
        if (error == std::errc() && end != first && row < count)
            named[row] = true;
    }
    return named;
}

[[noreturn]] void fail(const char *what, const std::vector<SampleRow> &samples)
{
    std::fprintf(stderr, "property broken: %s\n", what);
    for (const SampleRow &row : samples) {
        for (const float x : row)
            std::fprintf(stderr, " %a", static_cast<double>(x));
        std::fprintf(stderr, "\n");
    }
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Bytes bytes(data, size);
    const std::vector<SampleRow> samples = samplesFrom(bytes);

    vintrelle::SeparabilityVerdict verdict;
    try {
        verdict = vintrelle::separability(samples);
    } catch (const std::exception &error) {
        fail(error.what(), samples);
    }
    if (!vintrelle::certificateHolds(samples, verdict))
        fail("the verdict's certificate does not hold", samples);
    if (verdict.verdict == vintrelle::Separability::NotSeparable) {
        if (verdict.floatCheck == vintrelle::FloatCheck::Weights && !allPass(verdict.floatWeights, samples))
            fail("the weights given do not pass the check pass", samples);
        if (verdict.floatCheck == vintrelle::FloatCheck::NoWeights)
            for (const WeightVector &weights : candidates(bytes, samples, verdict, data, size))
                if (allPass(weights, samples))
                    fail("float weights pass the check pass where the verdict says none do", samples);
    }
    const float eta = size % 2 == 1 ? 0.0f : 1.0f;
    const vintrelle::LimitExplanation explanation = vintrelle::explainLimit(samples, eta);
    if (explanation.sampleNotes.size() != samples.size())
        fail("not one note per sample", samples);
    const bool proofTold = verdict.verdict == vintrelle::Separability::NotSeparable
                           && verdict.floatCheck != vintrelle::FloatCheck::Weights;
    const std::vector<bool> inReason = namedIn(explanation.reason, samples.size());
    std::vector<SampleRow> proof;
    for (std::size_t s = 0; s < samples.size(); ++s) {
        const bool inProof = proofTold && verdict.multipliers[s].numerator != "0";
        if (!explanation.sampleNotes[s].empty() != inProof)
            fail("a note on a sample outside the proof, or none on one in it", samples);
        if (inReason[s] != inProof)
            fail("the reason names a sample outside the proof, or leaves one out", samples);
        if (inProof)
            proof.push_back(samples[s]);
    }
    if (proofTold && vintrelle::separability(proof).verdict != vintrelle::Separability::NotSeparable)
        fail("the samples the reason names are separable on their own", samples);
    if (explanation.reason.find("tutti gli ingressi a 0") != std::string::npos)
        for (const SampleRow &row : proof)
            for (int i = 0; i < vintrelle::InputCount; ++i)
                if (row[static_cast<std::size_t>(i)] != 0.0f)
                    fail("an input not 0 in a sample said to have all its inputs at 0", samples);
    if (eta == 0.0f
        && (explanation.reason.find("Più cicli") != std::string::npos
            || explanation.reason.find("più cicli o") != std::string::npos))
        fail("more passes said to help at Eta 0", samples);
    return 0;
}
