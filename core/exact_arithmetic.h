// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The neuron's arithmetic rounded after every operation on every unit.
//
// Most units compute a float operation in float and a double one in double
// (FLT_EVAL_METHOD 0: amd64, arm64, ...). The x87 unit of i386 computes both
// in its 80-bit registers (FLT_EVAL_METHOD 2): a result keeps 64 bits and
// the wider exponent until it is stored, so products and sums are not
// rounded to float and a float beyond 3.4e38 stays finite. Both helpers
// here do nothing where there is no excess precision.
//
//   roundedToFloat(sum + roundedToFloat(w * x))   the float sum of the float
//                                                 product, on every unit

#include <cfloat>

#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 2 && (defined(__i386__) || defined(__x86_64__)) \
    && __has_include(<fpu_control.h>)
#define VINTRELLE_X87_ARITHMETIC 1
#include <atomic>
#include <fpu_control.h>
#endif

namespace vintrelle {

// The float `value` rounds to, infinite beyond the float range.
//   roundedToFloat(2.0f * 3e38f)          -> inf (not 6e38 in a register)
//   roundedToFloat(-1.0f + 0x1p25f)       -> 0x1p25f (not 2^25 - 1)
inline float roundedToFloat(float value)
{
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
    return value;
#else
    // A float in memory holds a float: the store rounds. (A named variable
    // alone is not enough: the compiler may keep it in a register.)
    volatile float stored = value;
    return stored;
#endif
}

// While one lives, double operations are rounded to double's 53 bits, as
// where doubles are computed in double. On x87 a double result is otherwise
// rounded to 64 bits, and storing it as a double rounds it a second time,
// which can land on the other side of a tie: round(round64(x * w)) is not
// always round(x * w). The unit's precision setting does it: 53 bits,
// restored to 64 when the scope ends. (The exponent stays wide, which only
// matters beyond the double range, where the float the neuron keeps is
// infinite or zero alike.) No call into the maths library while it lives: it
// counts on 64 bits.
class DoublePrecisionScope
{
public:
#ifdef VINTRELLE_X87_ARITHMETIC
    DoublePrecisionScope()
    {
        _FPU_GETCW(saved);
        fpu_control_t doublePrecision = (saved & ~_FPU_EXTENDED) | _FPU_DOUBLE;
        _FPU_SETCW(doublePrecision);
        // No operation of the scope moves above the setting, none below the
        // restoring.
        std::atomic_signal_fence(std::memory_order_seq_cst);
    }
    ~DoublePrecisionScope()
    {
        std::atomic_signal_fence(std::memory_order_seq_cst);
        _FPU_SETCW(saved);
    }
#else
    DoublePrecisionScope() {}
#endif
    DoublePrecisionScope(const DoublePrecisionScope &) = delete;
    DoublePrecisionScope &operator=(const DoublePrecisionScope &) = delete;

private:
#ifdef VINTRELLE_X87_ARITHMETIC
    fpu_control_t saved = 0;
#endif
};

} // namespace vintrelle
