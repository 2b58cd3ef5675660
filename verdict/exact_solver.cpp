// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/exact_solver.h"

#include "verdict/exact_values.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <utility>

namespace vintrelle {

namespace {

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
        const bool negative = negativeTarget(sample);
        std::array<mpq_class, InputCount> x;
        // Every denominator is a power of two: the largest clears them all.
        mpz_class clearing = 1;
        for (int i = 0; i < InputCount; ++i) {
            x[i] = exactValue(sample[i]);
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

// The simplest proofs, looked for before the simplex: a negative sample of
// zeros (its sum is 0 for every weight), else two samples with the same
// inputs and opposite targets; lowest rows first.
std::optional<std::vector<mpq_class>> simplestProof(std::span<const SampleRow> samples)
{
    const SampleRow zeros{};
    for (std::size_t s = 0; s < samples.size(); ++s) {
        if (negativeTarget(samples[s]) && sameInputs(samples[s], zeros)) {
            std::vector<mpq_class> y(samples.size());
            y[s] = 1;
            return y;
        }
    }
    for (std::size_t a = 0; a < samples.size(); ++a) {
        for (std::size_t b = a + 1; b < samples.size(); ++b) {
            const bool opposite = negativeTarget(samples[a]) != negativeTarget(samples[b]);
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

} // namespace

ExactCertificate solveExactly(std::span<const SampleRow> samples)
{
    ExactCertificate result;
    if (std::optional<std::vector<mpq_class>> simplest = simplestProof(samples)) {
        result.verdict = Separability::NotSeparable;
        result.values = std::move(*simplest);
    } else {
        PhaseOne phaseOne(samples);
        phaseOne.solve();
        if (phaseOne.feasible()) {
            result.verdict = Separability::NotSeparable;
            result.values = phaseOne.multipliers();
        } else {
            result.verdict = Separability::Separable;
            result.values = phaseOne.weights();
            // An input that is 0 in every sample adds nothing to any sum: its
            // weight is shown as 0 rather than as whatever the last basis left.
            const std::vector<int> used = usedInputs(samples);
            for (int i = 0; i < InputCount; ++i)
                if (std::find(used.begin(), used.end(), i) == used.end())
                    result.values[i] = 0;
        }
    }
    toCoprimeIntegers(result.values);
    return result;
}

} // namespace vintrelle
