// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/separability.h"
#include "verdict/exact_verdict.h"

#include "core/messages.h"
#include "core/training.h"

#include <gmpxx.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <utility>

namespace vintrelle {

namespace {

// The exact value of a stored float: every finite float is a rational
// whose denominator is a power of two, and GMP converts it without rounding.
mpq_class exact(float value)
{
    return mpq_class(static_cast<double>(value));
}

bool allFinite(std::span<const SampleRow> samples)
{
    for (const SampleRow &sample : samples)
        for (const float value : sample)
            if (!std::isfinite(value))
                return false;
    return true;
}

bool anyZeroTarget(std::span<const SampleRow> samples)
{
    for (const SampleRow &sample : samples)
        if (sample[TargetColumn] == 0.0f)
            return true;
    return false;
}

// Scales a certificate by a positive factor to whole numbers with no common
// factor; all zeros stay as they are. Every condition a certificate meets is
// kept by a positive factor.
void toCoprimeIntegers(std::vector<mpq_class> &values)
{
    mpz_class denominators = 1;
    for (const mpq_class &value : values)
        mpz_lcm(denominators.get_mpz_t(), denominators.get_mpz_t(), value.get_den_mpz_t());
    mpz_class numerators = 0;
    for (const mpq_class &value : values) {
        const mpz_class whole = value.get_num() * (denominators / value.get_den());
        mpz_gcd(numerators.get_mpz_t(), numerators.get_mpz_t(), whole.get_mpz_t());
    }
    if (numerators == 0)
        return;
    for (mpq_class &value : values) {
        value = value * denominators / numerators;
        value.canonicalize();
    }
}

std::vector<ExactRational> toTexts(const std::vector<mpq_class> &values)
{
    std::vector<ExactRational> texts;
    texts.reserve(values.size());
    for (const mpq_class &value : values)
        texts.push_back({value.get_num().get_str(), value.get_den().get_str()});
    return texts;
}

// "-12", "7": an optional minus and at least one digit, nothing else.
std::optional<mpz_class> integerFromText(const std::string &text)
{
    std::size_t first = text.size() > 0 && text[0] == '-' ? 1 : 0;
    if (first == text.size())
        return std::nullopt;
    for (std::size_t i = first; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    return mpz_class(text, 10);
}

std::optional<std::vector<mpq_class>> fromTexts(const std::vector<ExactRational> &texts)
{
    std::vector<mpq_class> values;
    values.reserve(texts.size());
    for (const ExactRational &text : texts) {
        const std::optional<mpz_class> numerator = integerFromText(text.numerator);
        const std::optional<mpz_class> denominator = integerFromText(text.denominator);
        if (!numerator || !denominator || *denominator == 0)
            return std::nullopt;
        mpq_class value(*numerator, *denominator);
        value.canonicalize();
        values.push_back(value);
    }
    return values;
}

// The search for multipliers, written as the standard-form system
//   A y = b, y >= 0
// with one column per sample and seven rows: rows 0..5 hold
// x_p (positive target) or -x_n (negative target), so that they ask for
// sum_p y_p x_p - sum_n y_n x_n = 0; row 6 holds 1 for a negative sample
// and 0 for a positive one, and asks for sum_n y_n = 1 (any positive sum
// scales to 1).
//
// Each column is first multiplied by a positive number that makes it whole
// numbers with no common factor (a power of two clears the float fractions);
// that changes y_s by the same factor and keeps every sign.
//
// Phase 1 of the simplex method decides it: an artificial variable per row,
// starting as the basis (b >= 0), and the sum of the artificials minimised
// with Bland's rule (the lowest-numbered column with a negative reduced cost
// enters; among the rows of least ratio, the one whose basic variable has the
// lowest number leaves), which cannot cycle.
//
// A minimum of 0 leaves a solution y: the multipliers. A positive minimum
// leaves the simplex multipliers pi of the last basis, with reduced costs
// d_j = c_j - pi.A_j >= 0 for every column and pi.b = pi_6 > 0 (the minimum).
// With z = -pi: z.A_s >= 0 for every sample column and z.b = z_6 < 0, which
// reads for the weights w = (z_0..z_5):
//   positive sample p:  w.x_p >= 0,
//   negative sample n:  -w.x_n + z_6 >= 0, so w.x_n <= z_6 < 0.
// The artificial columns (cost 1, column e_i) give pi_i = 1 - d_i.
//
// The tableau is kept in whole numbers, integer-preserving (Edmonds): the
// cells are the true tableau times the last pivot, `scale`, which stays
// positive, and a pivot on p = T[r][e] turns every other cell into
//   (p * T[i][j] - T[i][e] * T[r][j]) / scale,
// a division that always comes out whole. No fraction is ever reduced,
// which is what rationals would spend their time on.
class PhaseOne
{
public:
    explicit PhaseOne(std::span<const SampleRow> samples)
        : sampleCount(samples.size()), columnCount(sampleCount + RowCount),
          table(RowCount + 1, std::vector<mpz_class>(columnCount + 1)), basis(RowCount),
          columnFactor(sampleCount)
    {
        for (std::size_t s = 0; s < sampleCount; ++s)
            setSampleColumn(s, samples[s]);
        for (std::size_t i = 0; i < RowCount; ++i) {
            table[i][sampleCount + i] = 1;
            basis[i] = sampleCount + i;
        }
        table[RowCount - 1][columnCount] = 1;
        // Reduced costs of the starting basis, in the last row: c_j minus the
        // column's sum; its last cell holds minus the sum of the artificials.
        std::vector<mpz_class> &reduced = table[RowCount];
        for (std::size_t j = 0; j <= columnCount; ++j) {
            mpz_class sum = 0;
            for (std::size_t i = 0; i < RowCount; ++i)
                sum += table[i][j];
            const int cost = j >= sampleCount && j < columnCount ? 1 : 0;
            reduced[j] = cost - sum;
        }
    }

    // Pivots until no reduced cost is negative.
    void solve()
    {
        const std::vector<mpz_class> &reduced = table[RowCount];
        for (;;) {
            std::size_t entering = columnCount;
            for (std::size_t j = 0; j < columnCount; ++j) {
                if (sgn(reduced[j]) < 0) {
                    entering = j;
                    break;
                }
            }
            if (entering == columnCount)
                return;
            pivot(leavingRow(entering), entering);
        }
    }

    bool feasible() const
    {
        return table[RowCount][columnCount] == 0;
    }

    // The solution's sample columns, once feasible, up to a positive factor.
    std::vector<mpq_class> multipliers() const
    {
        std::vector<mpq_class> y(sampleCount);
        for (std::size_t i = 0; i < RowCount; ++i)
            if (basis[i] < sampleCount)
                y[basis[i]] = table[i][columnCount] * columnFactor[basis[i]];
        return y;
    }

    // w_i = -pi_i = d_i - 1 from the artificial columns of rows 0..5, times
    // the positive scale.
    std::vector<mpq_class> weights() const
    {
        std::vector<mpq_class> w(InputCount);
        for (std::size_t i = 0; i < static_cast<std::size_t>(InputCount); ++i)
            w[i] = table[RowCount][sampleCount + i] - scale;
        return w;
    }

private:
    static constexpr std::size_t RowCount = InputCount + 1;

    void setSampleColumn(std::size_t s, const SampleRow &sample)
    {
        const bool negative = sample[TargetColumn] < 0.0f;
        std::array<mpq_class, InputCount> x;
        // Every denominator is a power of two: the largest clears them all.
        mpz_class clearing = 1;
        for (int i = 0; i < InputCount; ++i) {
            x[i] = exact(sample[i]);
            if (x[i].get_den() > clearing)
                clearing = x[i].get_den();
        }
        mpz_class common = negative ? clearing : mpz_class(0);
        for (int i = 0; i < InputCount; ++i) {
            mpz_class whole = x[i].get_num() * (clearing / x[i].get_den());
            if (negative)
                whole = -whole;
            mpz_gcd(common.get_mpz_t(), common.get_mpz_t(), whole.get_mpz_t());
            table[i][s] = whole;
        }
        if (negative)
            table[RowCount - 1][s] = clearing;
        if (common == 0) {
            // A positive sample of zeros: a column of zeros, never entering.
            columnFactor[s] = 1;
            return;
        }
        for (std::size_t i = 0; i < RowCount; ++i)
            mpz_divexact(table[i][s].get_mpz_t(), table[i][s].get_mpz_t(), common.get_mpz_t());
        columnFactor[s] = mpq_class(clearing, common);
        columnFactor[s].canonicalize();
    }

    std::size_t leavingRow(std::size_t entering) const
    {
        std::size_t best = RowCount;
        for (std::size_t i = 0; i < RowCount; ++i) {
            const mpz_class &a = table[i][entering];
            if (sgn(a) <= 0)
                continue;
            if (best == RowCount) {
                best = i;
                continue;
            }
            // rhs_i / a_i against rhs_best / a_best, both divisors positive.
            const int order = cmp(table[i][columnCount] * table[best][entering], table[best][columnCount] * a);
            if (order < 0 || (order == 0 && basis[i] < basis[best]))
                best = i;
        }
        // The sum of the artificials cannot fall below 0, so a column that
        // lowers it always meets a row that limits it.
        if (best == RowCount)
            throw std::logic_error("separability: phase 1 unbounded");
        return best;
    }

    void pivot(std::size_t row, std::size_t column)
    {
        const std::vector<mpz_class> &pivotRow = table[row];
        const mpz_class p = pivotRow[column];
        for (std::size_t i = 0; i <= RowCount; ++i) {
            if (i == row)
                continue;
            std::vector<mpz_class> &other = table[i];
            const mpz_class factor = other[column];
            for (std::size_t j = 0; j <= columnCount; ++j) {
                mpz_mul(other[j].get_mpz_t(), other[j].get_mpz_t(), p.get_mpz_t());
                mpz_submul(other[j].get_mpz_t(), factor.get_mpz_t(), pivotRow[j].get_mpz_t());
                mpz_divexact(other[j].get_mpz_t(), other[j].get_mpz_t(), scale.get_mpz_t());
            }
        }
        scale = p;
        basis[row] = column;
    }

    std::size_t sampleCount;
    std::size_t columnCount;                     // samples, then one artificial per row
    // RowCount rows, then the reduced costs; the right-hand side last.
    std::vector<std::vector<mpz_class>> table;
    std::vector<std::size_t> basis;              // the basic column of each row
    std::vector<mpq_class> columnFactor;         // y_s = factor * y of the whole-number column
    mpz_class scale = 1;                         // the true tableau times scale is the table
};


bool sameInputs(const SampleRow &a, const SampleRow &b)
{
    for (int i = 0; i < InputCount; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// The inputs that are not 0 in some sample: the others add nothing to any sum.
std::vector<int> usedInputs(std::span<const SampleRow> samples)
{
    std::vector<int> used;
    for (int i = 0; i < InputCount; ++i) {
        bool any = false;
        for (const SampleRow &sample : samples)
            any = any || sample[i] != 0.0f;
        if (any)
            used.push_back(i);
    }
    return used;
}

// The simplest proofs, looked for before the simplex: a negative sample of
// zeros (its sum is 0 for every weight), else two samples with the same
// inputs and opposite targets; lowest rows first.
std::optional<std::vector<mpq_class>> simplestProof(std::span<const SampleRow> samples)
{
    const SampleRow zeros{};
    for (std::size_t s = 0; s < samples.size(); ++s) {
        if (samples[s][TargetColumn] < 0.0f && sameInputs(samples[s], zeros)) {
            std::vector<mpq_class> y(samples.size());
            y[s] = 1;
            return y;
        }
    }
    for (std::size_t a = 0; a < samples.size(); ++a) {
        for (std::size_t b = a + 1; b < samples.size(); ++b) {
            const bool opposite = (samples[a][TargetColumn] < 0.0f) != (samples[b][TargetColumn] < 0.0f);
            if (opposite && sameInputs(samples[a], samples[b])) {
                std::vector<mpq_class> y(samples.size());
                y[a] = 1;
                y[b] = 1;
                return y;
            }
        }
    }
    return std::nullopt;
}

mpq_class powerOfTwo(int exponent)
{
    mpz_class power = 1;
    mpz_mul_2exp(power.get_mpz_t(), power.get_mpz_t(), static_cast<unsigned long>(std::abs(exponent)));
    return exponent >= 0 ? mpq_class(power) : mpq_class(mpz_class(1), power);
}

bool wholeNumber(float x)
{
    return std::trunc(x) == x;
}

// Weights in units of 2^-149, the smallest float: exact while below 2^24.
float gridWeight(long units)
{
    return std::ldexp(static_cast<float>(units), -149);
}

// Whether float weights (a weight outside `inputs` left at 0) pass the
// check pass for the given samples.
bool allRight(const WeightVector &weights, std::span<const SampleRow> samples, const std::vector<std::size_t> &which)
{
    for (const std::size_t s : which)
        if (!classifiedRight(weights, samples[s]))
            return false;
    return true;
}

struct FloatOutcome
{
    FloatCheck check = FloatCheck::Undecided;
    WeightVector weights{};
};

// Whether the float check pass agrees with an exact proof y (one multiplier
// per sample, >= 0), as separability.h tells it.
class FloatProof
{
public:
    FloatProof(std::span<const SampleRow> samples, const std::vector<mpq_class> &y)
        : samples(samples), y(y)
    {
        std::vector<SampleRow> proofRows;
        for (std::size_t s = 0; s < samples.size(); ++s) {
            every.push_back(s);
            if (sgn(y[s]) > 0) {
                proof.push_back(s);
                proofRows.push_back(samples[s]);
            }
        }
        inputs = usedInputs(proofRows);
        for (const std::size_t s : proof)
            for (const int i : inputs)
                allWhole = allWhole && wholeNumber(samples[s][i]);
    }

    FloatOutcome decide()
    {
        if (rowsMatch())
            return {FloatCheck::NoWeights, {}};
        const bool spans = findCombinations();
        bool proven = spans && largeWeightsFail();
        if (proven && smallWeightsPossible())
            proven = columnsMatch() || (spans && gridBoxFails());
        if (proven)
            return {FloatCheck::NoWeights, {}};
        if (found)
            return {FloatCheck::Weights, *found};
        return searchWeights();
    }

private:
    bool negative(std::size_t s) const
    {
        return samples[s][TargetColumn] < 0.0f;
    }

    // Proof (1): the same rows, counted y times, on both sides.
    bool rowsMatch() const
    {
        for (const std::size_t s : proof) {
            mpq_class total = 0;
            for (const std::size_t t : proof)
                if (sameInputs(samples[s], samples[t]))
                    total += negative(t) ? -y[t] : y[t];
            if (!sameInputs(samples[s], SampleRow{}) && total != 0)
                return false;
        }
        return true;
    }

    // For case M < tau: each input column, values counted y times, the same
    // on both sides.
    bool columnsMatch() const
    {
        for (const int i : inputs) {
            for (const std::size_t s : proof) {
                mpq_class total = 0;
                for (const std::size_t t : proof)
                    if (samples[t][i] == samples[s][i])
                        total += negative(t) ? -y[t] : y[t];
                if (total != 0)
                    return false;
            }
        }
        return true;
    }

    // lambda^(sigma, i) for every input i of U and both signs, with
    // sum_s lambda_s g_s = -sigma e_i: g of the proof but its last sample is
    // a square matrix (its null space is y's, and y_last > 0), inverted.
    bool findCombinations()
    {
        const std::size_t n = inputs.size();
        if (proof.size() != n + 1)
            return false;
        // [M | I] to [I | M^-1].
        std::vector<std::vector<mpq_class>> m(n, std::vector<mpq_class>(2 * n));
        for (std::size_t r = 0; r < n; ++r) {
            for (std::size_t c = 0; c < n; ++c) {
                const std::size_t s = proof[c];
                const mpq_class x = exact(samples[s][inputs[r]]);
                m[r][c] = negative(s) ? mpq_class(-x) : x;
            }
            m[r][n + r] = 1;
        }
        for (std::size_t c = 0; c < n; ++c) {
            std::size_t pivot = c;
            while (pivot < n && m[pivot][c] == 0)
                ++pivot;
            if (pivot == n)
                return false;
            std::swap(m[pivot], m[c]);
            const mpq_class p = m[c][c];
            for (std::size_t j = 0; j < 2 * n; ++j)
                m[c][j] /= p;
            for (std::size_t r = 0; r < n; ++r) {
                if (r == c || m[r][c] == 0)
                    continue;
                const mpq_class factor = m[r][c];
                for (std::size_t j = 0; j < 2 * n; ++j)
                    m[r][j] -= factor * m[c][j];
            }
        }
        // alpha for e_i: column i of the inverse; alpha_last = 0.
        for (std::size_t i = 0; i < n; ++i) {
            for (const int sigma : {1, -1}) {
                std::vector<mpq_class> lambda(proof.size());
                mpq_class t = 0;
                for (std::size_t c = 0; c < n; ++c) {
                    lambda[c] = -sigma * m[c][n + i];
                    const mpq_class needed = -lambda[c] / y[proof[c]];
                    if (needed > t)
                        t = needed;
                }
                for (std::size_t c = 0; c < proof.size(); ++c)
                    lambda[c] += t * y[proof[c]];
                combinations.push_back(std::move(lambda));
            }
        }
        return true;
    }

    // tau = 2^tauExponent: tau * max_s sum_i |x_si| < 2^-126, at most 2^-126.
    int tauExponent() const
    {
        mpq_class largest = 0;
        for (const std::size_t s : proof) {
            mpq_class sum = 0;
            for (const int i : inputs)
                sum += abs(exact(samples[s][i]));
            largest = std::max(largest, sum);
        }
        int exponent = 0;
        std::frexp(largest.get_d(), &exponent);   // largest < 2^exponent
        return std::min(-126, -126 - exponent);
    }

    bool smallWeightsPossible() const
    {
        return !allWhole && tauExponent() > -149;
    }

    int nonZero(std::size_t s) const
    {
        int count = 0;
        for (const int i : inputs)
            count += samples[s][i] != 0.0f;
        return count;
    }

    int notWhole(std::size_t s) const
    {
        int count = 0;
        for (const int i : inputs)
            count += !wholeNumber(samples[s][i]);
        return count;
    }

    // Case M >= tau: sum_s lambda_s eps_s < 1 for every combination.
    bool largeWeightsFail() const
    {
        const mpq_class u = powerOfTwo(-24);
        const mpq_class underflow = allWhole ? mpq_class(0) : powerOfTwo(-150 - std::max(tauExponent(), -149));
        std::vector<mpq_class> eps;
        for (const std::size_t s : proof) {
            const int m = nonZero(s);
            const mpq_class gamma = m * u / (1 - m * u);
            mpq_class sum = 0;
            for (const int i : inputs)
                sum += abs(exact(samples[s][i]));
            eps.push_back(gamma * sum + (1 + gamma) * notWhole(s) * underflow);
        }
        for (const std::vector<mpq_class> &lambda : combinations) {
            mpq_class bound = 0;
            for (std::size_t c = 0; c < proof.size(); ++c)
                bound += lambda[c] * eps[c];
            if (bound >= 1)
                return false;
        }
        return true;
    }

    // Case M < tau: weights W in units of 2^-149 with
    // sigma W_i <= sum_s lambda_s k_s / 2 - sum_n lambda_n, |W_i| < tau; every
    // point of the box tried with the check pass.
    bool gridBoxFails()
    {
        static constexpr double MostPoints = 5000;
        const long limit = (1L << (tauExponent() + 149)) - 1;
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
                return true;
            points *= static_cast<double>(high[i] - low[i] + 1);
        }
        if (points > MostPoints)
            return false;
        std::vector<long> units = low;
        for (;;) {
            WeightVector weights{};
            for (std::size_t i = 0; i < inputs.size(); ++i)
                weights[inputs[i]] = gridWeight(units[i]);
            if (allRight(weights, samples, proof)) {
                if (allRight(weights, samples, every))
                    found = weights;
                return false;
            }
            std::size_t i = 0;
            while (i < units.size() && units[i] == high[i]) {
                units[i] = low[i];
                ++i;
            }
            if (i == units.size())
                return true;
            ++units[i];
        }
    }

    // Weights to show where the proof fails: along the directions the
    // proof's samples leave free (their null space), nudged by a power of
    // two along one input; then small multiples of 2^-149.
    FloatOutcome searchWeights() const
    {
        const std::vector<int> used = usedInputs(samples);
        for (const WeightVector &direction : freeDirections()) {
            for (const float sign : {1.0f, -1.0f}) {
                for (const int i : used) {
                    for (const float nudgeSign : {1.0f, -1.0f}) {
                        for (int k = 1; k <= 40; ++k) {
                            WeightVector weights{};
                            for (int j = 0; j < InputCount; ++j)
                                weights[j] = sign * direction[j];
                            weights[i] = weights[i] + nudgeSign * std::ldexp(1.0f, -k);
                            if (allRight(weights, samples, every))
                                return {FloatCheck::Weights, weights};
                        }
                    }
                }
            }
        }
        if (used.size() <= 3) {
            constexpr long Reach = 6;
            std::vector<long> units(used.size(), -Reach);
            for (;;) {
                WeightVector weights{};
                for (std::size_t i = 0; i < used.size(); ++i)
                    weights[used[i]] = gridWeight(units[i]);
                if (allRight(weights, samples, every))
                    return {FloatCheck::Weights, weights};
                std::size_t i = 0;
                while (i < units.size() && units[i] == Reach) {
                    units[i] = -Reach;
                    ++i;
                }
                if (i == units.size())
                    break;
                ++units[i];
            }
        }
        return {FloatCheck::Undecided, {}};
    }

    // A basis of the weights that give every sample of the proof an exact
    // sum of 0, each scaled to a largest entry of 1 and rounded to float.
    std::vector<WeightVector> freeDirections() const
    {
        const std::size_t n = inputs.size();
        std::vector<std::vector<mpq_class>> rows;
        for (const std::size_t s : proof) {
            std::vector<mpq_class> row(n);
            for (std::size_t c = 0; c < n; ++c)
                row[c] = exact(samples[s][inputs[c]]);
            rows.push_back(std::move(row));
        }
        // Reduced row echelon form.
        std::vector<std::size_t> pivotColumn;
        std::size_t rank = 0;
        for (std::size_t c = 0; c < n && rank < rows.size(); ++c) {
            std::size_t pivot = rank;
            while (pivot < rows.size() && rows[pivot][c] == 0)
                ++pivot;
            if (pivot == rows.size())
                continue;
            std::swap(rows[pivot], rows[rank]);
            const mpq_class p = rows[rank][c];
            for (mpq_class &value : rows[rank])
                value /= p;
            for (std::size_t r = 0; r < rows.size(); ++r) {
                if (r == rank || rows[r][c] == 0)
                    continue;
                const mpq_class factor = rows[r][c];
                for (std::size_t j = 0; j < n; ++j)
                    rows[r][j] -= factor * rows[rank][j];
            }
            pivotColumn.push_back(c);
            ++rank;
        }
        std::vector<WeightVector> directions;
        for (std::size_t free = 0; free < n; ++free) {
            if (std::find(pivotColumn.begin(), pivotColumn.end(), free) != pivotColumn.end())
                continue;
            std::vector<double> v(n);
            v[free] = 1;
            for (std::size_t r = 0; r < rank; ++r)
                v[pivotColumn[r]] = -rows[r][free].get_d();
            double largest = 0;
            for (const double value : v)
                largest = std::max(largest, std::fabs(value));
            WeightVector direction{};
            for (std::size_t c = 0; c < n; ++c)
                direction[inputs[c]] = static_cast<float>(v[c] / largest);
            directions.push_back(direction);
        }
        return directions;
    }

    std::span<const SampleRow> samples;
    const std::vector<mpq_class> &y;
    std::vector<std::size_t> every;                 // all the samples
    std::vector<std::size_t> proof;                 // T: multiplier > 0
    std::vector<int> inputs;                        // U: not 0 in some sample of T
    bool allWhole = true;                           // every input of T a whole number
    std::vector<std::vector<mpq_class>> combinations;   // lambda, (i, +) then (i, -)
    std::optional<WeightVector> found;              // from the grid box, right for every sample
};

} // namespace

std::string rationalText(const ExactRational &value)
{
    if (value.denominator == "1")
        return value.numerator;
    return value.numerator + "/" + value.denominator;
}

ExactVerdict exactSeparability(std::span<const SampleRow> samples)
{
    if (!allFinite(samples))
        throw std::domain_error("separability: a sample value is not finite");
    ExactVerdict result;
    if (samples.empty()) {
        result.verdict = Separability::NoSamples;
        return result;
    }
    if (anyZeroTarget(samples)) {
        result.verdict = Separability::ZeroTarget;
        return result;
    }

    bool anyNegative = false;
    for (const SampleRow &sample : samples)
        anyNegative = anyNegative || sample[TargetColumn] < 0.0f;
    if (!anyNegative) {
        // Every sum of weights all 0 is 0, which every positive target accepts.
        result.verdict = Separability::Separable;
        result.weights = std::vector<mpq_class>(InputCount);
        return result;
    }

    std::vector<mpq_class> certificate;
    if (std::optional<std::vector<mpq_class>> simplest = simplestProof(samples)) {
        result.verdict = Separability::NotSeparable;
        certificate = std::move(*simplest);
    } else {
        PhaseOne phaseOne(samples);
        phaseOne.solve();
        if (phaseOne.feasible()) {
            result.verdict = Separability::NotSeparable;
            certificate = phaseOne.multipliers();
        } else {
            result.verdict = Separability::Separable;
            certificate = phaseOne.weights();
        }
    }
    if (result.verdict == Separability::Separable) {
        // An input that is 0 in every sample adds nothing to any sum: its
        // weight is shown as 0 rather than as whatever the last basis left.
        const std::vector<int> used = usedInputs(samples);
        for (int i = 0; i < InputCount; ++i)
            if (std::find(used.begin(), used.end(), i) == used.end())
                certificate[i] = 0;
    }
    toCoprimeIntegers(certificate);
    if (result.verdict == Separability::NotSeparable) {
        const FloatOutcome outcome = FloatProof(samples, certificate).decide();
        result.floatCheck = outcome.check;
        result.floatWeights = outcome.weights;
        result.multipliers = std::move(certificate);
    } else {
        result.weights = std::move(certificate);
    }
    return result;
}

SeparabilityVerdict separability(std::span<const SampleRow> samples)
{
    const ExactVerdict exact = exactSeparability(samples);
    return {exact.verdict, toTexts(exact.weights), toTexts(exact.multipliers), exact.floatCheck, exact.floatWeights};
}

bool certificateHolds(std::span<const SampleRow> samples, const SeparabilityVerdict &verdict)
{
    if (!allFinite(samples))
        return false;
    switch (verdict.verdict) {
    case Separability::NoSamples:
        return samples.empty() && verdict.weights.empty() && verdict.multipliers.empty();
    case Separability::ZeroTarget:
        return anyZeroTarget(samples) && verdict.weights.empty() && verdict.multipliers.empty();
    case Separability::Separable: {
        if (samples.empty() || anyZeroTarget(samples) || !verdict.multipliers.empty()
            || verdict.weights.size() != static_cast<std::size_t>(InputCount))
            return false;
        const auto w = fromTexts(verdict.weights);
        if (!w)
            return false;
        for (const SampleRow &sample : samples) {
            mpq_class sum = 0;
            for (int i = 0; i < InputCount; ++i)
                sum += (*w)[i] * exact(sample[i]);
            const bool met = sample[TargetColumn] > 0.0f ? sgn(sum) >= 0 : sgn(sum) < 0;
            if (!met)
                return false;
        }
        return true;
    }
    case Separability::NotSeparable: {
        if (samples.empty() || anyZeroTarget(samples) || !verdict.weights.empty()
            || verdict.multipliers.size() != samples.size())
            return false;
        const auto y = fromTexts(verdict.multipliers);
        if (!y)
            return false;
        // sum_p y_p x_p - sum_n y_n x_n, input by input, and sum_n y_n.
        std::vector<mpq_class> difference(InputCount);
        mpq_class negativeTotal = 0;
        for (std::size_t s = 0; s < samples.size(); ++s) {
            const mpq_class &multiplier = (*y)[s];
            if (sgn(multiplier) < 0)
                return false;
            const bool negative = samples[s][TargetColumn] < 0.0f;
            for (int i = 0; i < InputCount; ++i) {
                const mpq_class term = multiplier * exact(samples[s][i]);
                if (negative)
                    difference[i] -= term;
                else
                    difference[i] += term;
            }
            if (negative)
                negativeTotal += multiplier;
        }
        for (const mpq_class &d : difference)
            if (d != 0)
                return false;
        if (verdict.floatCheck == FloatCheck::Weights)
            for (const SampleRow &sample : samples)
                if (!classifiedRight(verdict.floatWeights, sample))
                    return false;
        return sgn(negativeTotal) > 0;
    }
    }
    return false;
}

std::string_view separabilityText(Separability verdict)
{
    switch (verdict) {
    case Separability::NoSamples:
        return messages::NoSamples;
    case Separability::ZeroTarget:
        return messages::ZeroTarget;
    case Separability::Separable:
        return messages::Separable;
    case Separability::NotSeparable:
        return messages::NotSeparable;
    }
    return {};
}

} // namespace vintrelle
