// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/float_proof.h"

#include "verdict/exact_values.h"
#include "verdict/row_echelon.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace vintrelle {

namespace {

// The most points of the small-weight box tried one by one. Each is one
// check pass over the proof's samples (at most eleven sums of six
// products), so 5000 points stay within about a millisecond; a larger box
// leaves the proof to the float-weight search (and, failing that, Undecided).
constexpr double MostBoxPoints = 5000;

// lambda^(sigma, i) for one input i of U and one sign sigma: multipliers
// >= 0 of the proof's samples with sum_s lambda_s g_s = -sigma e_i, stored
// (i, +1) then (i, -1) for the inputs in order.
using Combinations = std::vector<std::vector<mpq_class>>;

class FloatProof
{
public:
    FloatProof(std::span<const SampleRow> samples, const std::vector<mpq_class> &y)
        : samples(samples), y(y), support(proofSamples(samples, y))
    {
        for (const std::size_t s : support.proof)
            for (const int i : support.inputs)
                allWhole = allWhole && wholeNumber(samples[s][i]);
    }

    FloatOutcome decide() const
    {
        if (rowsMatch())
            return {FloatCheck::NoWeights, {}};
        const std::optional<Combinations> combinations = findCombinations();
        if (!combinations || !largeWeightsFail(*combinations))
            return {FloatCheck::Undecided, {}};
        if (!smallWeightsPossible() || columnsMatch())
            return {FloatCheck::NoWeights, {}};
        return gridBox(*combinations);
    }

private:
    bool negative(std::size_t s) const
    {
        return negativeTarget(samples[s]);
    }

    // Proof (1): the same rows, counted y times, on both sides (rows of
    // zeros left out: their float sum is always 0).
    bool rowsMatch() const
    {
        for (const std::size_t s : support.proof) {
            mpq_class total = 0;
            for (const std::size_t t : support.proof)
                if (sameInputs(samples[s], samples[t]))
                    total += negative(t) ? -y[t] : y[t];
            if (!sameInputs(samples[s], SampleRow{}) && total != 0)
                return false;
        }
        return true;
    }

    // For case M < tau: each input column, values counted y times, the same
    // on both sides, so that the products cancel exactly in the identity.
    bool columnsMatch() const
    {
        for (const int i : support.inputs) {
            for (const std::size_t s : support.proof) {
                mpq_class total = 0;
                for (const std::size_t t : support.proof)
                    if (samples[t][i] == samples[s][i])
                        total += negative(t) ? -y[t] : y[t];
                if (total != 0)
                    return false;
            }
        }
        return true;
    }

    // When T's inputs span U (|T| = |U| + 1): g of the proof but its last
    // sample is a square matrix (its null space is y's, and y_last > 0),
    // inverted; alpha for -sigma e_i is column i of the inverse (times
    // -sigma, alpha_last = 0), made >= 0 by adding the least multiple t of y.
    std::optional<Combinations> findCombinations() const
    {
        const std::vector<std::size_t> &proof = support.proof;
        const std::size_t n = support.inputs.size();
        if (proof.size() != n + 1)
            return std::nullopt;
        // [M | I] to [I | M^-1].
        RationalMatrix m(n, std::vector<mpq_class>(2 * n));
        for (std::size_t r = 0; r < n; ++r) {
            for (std::size_t c = 0; c < n; ++c) {
                const std::size_t s = proof[c];
                const mpq_class x = exactValue(samples[s][support.inputs[r]]);
                m[r][c] = negative(s) ? mpq_class(-x) : x;
            }
            m[r][n + r] = 1;
        }
        const RowEchelon inverse = reducedRowEchelon(std::move(m), n);
        if (inverse.rank() < n)
            return std::nullopt;
        Combinations combinations;
        for (std::size_t i = 0; i < n; ++i) {
            for (const int sigma : {1, -1}) {
                std::vector<mpq_class> lambda(proof.size());
                mpq_class t = 0;
                for (std::size_t c = 0; c < n; ++c) {
                    lambda[c] = -sigma * inverse.rows[c][n + i];
                    const mpq_class needed = -lambda[c] / y[proof[c]];
                    if (needed > t)
                        t = needed;
                }
                for (std::size_t c = 0; c < proof.size(); ++c)
                    lambda[c] += t * y[proof[c]];
                combinations.push_back(std::move(lambda));
            }
        }
        return combinations;
    }

    // tau = 2^tauExponent: tau * max_s sum_i |x_si| < 2^-126, at most 2^-126.
    int tauExponent() const
    {
        mpq_class largest = 0;
        for (const std::size_t s : support.proof) {
            mpq_class sum = 0;
            for (const int i : support.inputs)
                sum += abs(exactValue(samples[s][i]));
            largest = std::max(largest, sum);
        }
        int exponent = 0;
        std::frexp(largest.get_d(), &exponent);   // largest < 2^exponent
        return std::min(SmallestNormalExponent, SmallestNormalExponent - exponent);
    }

    // Weights below tau can be floats other than 0 (tau above 2^-149), and
    // their products can be rounded (an input of T not whole).
    bool smallWeightsPossible() const
    {
        return !allWhole && tauExponent() > SmallestSubnormalExponent;
    }

    int nonZero(std::size_t s) const
    {
        int count = 0;
        for (const int i : support.inputs)
            count += samples[s][i] != 0.0f;
        return count;
    }

    int notWhole(std::size_t s) const
    {
        int count = 0;
        for (const int i : support.inputs)
            count += !wholeNumber(samples[s][i]);
        return count;
    }

    // Case M >= tau: sum_s lambda_s eps_s < 1 for every combination, with
    //   eps_s = gamma_m sum_i |x_si| + (1 + gamma_m) k_s 2^-150 / tau.
    bool largeWeightsFail(const Combinations &combinations) const
    {
        const mpq_class u = powerOfTwo(UnitRoundoffExponent);
        const mpq_class underflow =
            allWhole ? mpq_class(0)
                     : powerOfTwo(SmallestSubnormalExponent - 1 - std::max(tauExponent(), SmallestSubnormalExponent));
        std::vector<mpq_class> eps;
        for (const std::size_t s : support.proof) {
            const int m = nonZero(s);
            const mpq_class gamma = m * u / (1 - m * u);
            mpq_class sum = 0;
            for (const int i : support.inputs)
                sum += abs(exactValue(samples[s][i]));
            eps.push_back(gamma * sum + (1 + gamma) * notWhole(s) * underflow);
        }
        for (const std::vector<mpq_class> &lambda : combinations) {
            mpq_class bound = 0;
            for (std::size_t c = 0; c < support.proof.size(); ++c)
                bound += lambda[c] * eps[c];
            if (bound >= 1)
                return false;
        }
        return true;
    }

    // Case M < tau: weights W in units of 2^-149 with
    //   sigma W_i <= sum_s lambda_s k_s / 2 - sum_n lambda_n,   |W_i| < tau / 2^-149,
    // every point of that box tried with the check pass. NoWeights when
    // every point fails (or the box is empty), Weights when a point passes
    // for every sample, Undecided when one passes the proof's samples only
    // or the box is too large to try.
    FloatOutcome gridBox(const Combinations &combinations) const
    {
        const std::vector<std::size_t> &proof = support.proof;
        const std::vector<int> &inputs = support.inputs;
        const long limit = (1L << (tauExponent() - SmallestSubnormalExponent)) - 1;
        std::vector<long> low(inputs.size()), high(inputs.size());
        double points = 1;
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            for (const int sigma : {1, -1}) {
                const std::vector<mpq_class> &lambda = combinations[2 * i + (sigma > 0 ? 0 : 1)];
                mpq_class bound = 0;
                for (std::size_t c = 0; c < proof.size(); ++c)
                    bound += lambda[c] * (mpq_class(notWhole(proof[c]), 2) - (negative(proof[c]) ? 1 : 0));
                mpz_class whole;
                mpz_fdiv_q(whole.get_mpz_t(), bound.get_num_mpz_t(), bound.get_den_mpz_t());
                const long side = whole < -limit - 1 ? -limit - 1 : whole > limit ? limit : whole.get_si();
                (sigma > 0 ? high[i] : low[i]) = sigma > 0 ? side : -side;
            }
            if (low[i] > high[i])
                return {FloatCheck::NoWeights, {}};
            points *= static_cast<double>(high[i] - low[i] + 1);
        }
        if (points > MostBoxPoints)
            return {FloatCheck::Undecided, {}};
        std::vector<long> units = low;
        for (;;) {
            WeightVector weights{};
            for (std::size_t i = 0; i < inputs.size(); ++i)
                weights[inputs[i]] = gridWeight(units[i]);
            if (passCheck(weights, samples, proof)) {
                if (passCheck(weights, samples, support.every))
                    return {FloatCheck::Weights, weights};
                return {FloatCheck::Undecided, {}};
            }
            std::size_t i = 0;
            while (i < units.size() && units[i] == high[i]) {
                units[i] = low[i];
                ++i;
            }
            if (i == units.size())
                return {FloatCheck::NoWeights, {}};
            ++units[i];
        }
    }

    std::span<const SampleRow> samples;
    const std::vector<mpq_class> &y;
    ProofSamples support;
    bool allWhole = true;   // every input of T a whole number
};

} // namespace

FloatOutcome floatProof(std::span<const SampleRow> samples, const std::vector<mpq_class> &y)
{
    return FloatProof(samples, y).decide();
}

} // namespace vintrelle
