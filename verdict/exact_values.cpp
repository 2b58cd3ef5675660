// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/exact_values.h"

#include <cmath>
#include <cstdlib>

namespace vintrelle {

mpq_class exactValue(float value)
{
    return mpq_class(static_cast<double>(value));
}

mpq_class powerOfTwo(int exponent)
{
    mpz_class power = 1;
    mpz_mul_2exp(power.get_mpz_t(), power.get_mpz_t(), static_cast<unsigned long>(std::abs(exponent)));
    return exponent >= 0 ? mpq_class(power) : mpq_class(mpz_class(1), power);
}

bool wholeNumber(float value)
{
    return std::trunc(value) == value;
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

bool anyNegativeTarget(std::span<const SampleRow> samples)
{
    for (const SampleRow &sample : samples)
        if (negativeTarget(sample))
            return true;
    return false;
}

bool negativeTarget(const SampleRow &sample)
{
    return sample[TargetColumn] < 0.0f;
}

bool sameInputs(const SampleRow &a, const SampleRow &b)
{
    for (int i = 0; i < InputCount; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

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

} // namespace vintrelle
