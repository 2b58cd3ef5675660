// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/float_search.h"

#include "verdict/exact_values.h"
#include "verdict/row_echelon.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace vintrelle {

namespace {

// Nudges 2^-1 down to 2^-40 of a free direction whose largest entry is 1.
// Rounding accepts what exact sums reject when a nudge is kept in some
// float sums and lost in others, so the nudges worth trying lie around
// float's last bit of the sums, 2^-24 times their size; 40 reaches 16 bits
// beyond that for sums smaller than 1. A reach, not a bound: the search
// proves nothing, and each try costs one check pass (at most 2 signs x 6
// inputs x 2 nudge signs x 40 per direction).
constexpr int SmallestNudgeExponent = 40;

// The grid of small weights: every multiple -6..6 of 2^-149 on at most
// three inputs, 13^3 = 2197 check passes at most, of the order of the
// float proof's box. Products of such weights with decimal inputs below 1
// are a few units of 2^-149 at most, where rounding to the grid can turn
// a sign (0,1 * 5 * 2^-149 rounds to 2^-149, twice the exact product).
// Also a reach, not a bound.
constexpr long GridReach = 6;
constexpr std::size_t MostGridInputs = 3;

// A basis of the weights that give every sample of the proof an exact sum
// of 0, each scaled to a largest entry of 1 and rounded to float.
std::vector<WeightVector> freeDirections(std::span<const SampleRow> samples, const ProofSamples &support)
{
    const std::size_t n = support.inputs.size();
    RationalMatrix rows;
    for (const std::size_t s : support.proof) {
        std::vector<mpq_class> row(n);
        for (std::size_t c = 0; c < n; ++c)
            row[c] = exactValue(samples[s][support.inputs[c]]);
        rows.push_back(std::move(row));
    }
    const RowEchelon echelon = reducedRowEchelon(std::move(rows), n);
    const std::vector<std::size_t> &pivotColumns = echelon.pivotColumns;
    std::vector<WeightVector> directions;
    for (std::size_t free = 0; free < n; ++free) {
        if (std::find(pivotColumns.begin(), pivotColumns.end(), free) != pivotColumns.end())
            continue;
        std::vector<double> v(n);
        v[free] = 1;
        for (std::size_t r = 0; r < echelon.rank(); ++r)
            v[pivotColumns[r]] = -echelon.rows[r][free].get_d();
        double largest = 0;
        for (const double value : v)
            largest = std::max(largest, std::fabs(value));
        WeightVector direction{};
        for (std::size_t c = 0; c < n; ++c)
            direction[support.inputs[c]] = static_cast<float>(v[c] / largest);
        directions.push_back(direction);
    }
    return directions;
}

} // namespace

FloatOutcome searchFloatWeights(std::span<const SampleRow> samples, const std::vector<mpq_class> &y)
{
    const ProofSamples support = proofSamples(samples, y);
    const std::vector<int> used = usedInputs(samples);
    for (const WeightVector &direction : freeDirections(samples, support)) {
        for (const float sign : {1.0f, -1.0f}) {
            for (const int i : used) {
                for (const float nudgeSign : {1.0f, -1.0f}) {
                    for (int k = 1; k <= SmallestNudgeExponent; ++k) {
                        WeightVector weights{};
                        for (int j = 0; j < InputCount; ++j)
                            weights[j] = sign * direction[j];
                        weights[i] = weights[i] + nudgeSign * std::ldexp(1.0f, -k);
                        if (passCheck(weights, samples, support.every))
                            return {FloatCheck::Weights, weights};
                    }
                }
            }
        }
    }
    if (used.size() <= MostGridInputs) {
        std::vector<long> units(used.size(), -GridReach);
        for (;;) {
            WeightVector weights{};
            for (std::size_t i = 0; i < used.size(); ++i)
                weights[used[i]] = gridWeight(units[i]);
            if (passCheck(weights, samples, support.every))
                return {FloatCheck::Weights, weights};
            std::size_t i = 0;
            while (i < units.size() && units[i] == GridReach) {
                units[i] = -GridReach;
                ++i;
            }
            if (i == units.size())
                break;
            ++units[i];
        }
    }
    return {FloatCheck::Undecided, {}};
}

} // namespace vintrelle
