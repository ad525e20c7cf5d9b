// Exact conversion between decimal digits and the 80-bit long double, the same on every system.
//
// The C libraries disagree here: glibc's strtold is bound to a locale, MinGW-w64 has no strtold_l
// and its from_chars rounds long doubles to double. So both directions are computed here with
// small big integers, without any call into the C library's conversions.
#pragma once

#include <cfloat>
#include <cstddef>
#include <string>
#include <string_view>

static_assert(LDBL_MANT_DIG == 64 && LDBL_MIN_EXP == -16381 && LDBL_MAX_EXP == 16384,
              "exact conversion needs the x87 80-bit long double (g++ or clang on x86-64, MinGW-w64)");

// A value in decimal: 0.digits × 10^exponent, no leading or trailing zeros in `digits`; no digits
// at all is zero.
struct Decimal
{
    std::string digits;
    int exponent = 0;
    bool negative = false;
};

// The first `count` digits of the exact decimal expansion of a finite value, cut off after them,
// never rounded, so that a digit dropped later decides a rounding by itself.
Decimal leadingDigits(long double value, std::size_t count);
// The same through big integers at any magnitude; leadingDigits takes a shorter road through
// 128-bit integers where the value allows, and must agree with this one.
Decimal leadingDigitsByBigIntegers(long double value, std::size_t count);

// The long double nearest to digits × 10^exponent (ASCII digits, leading and trailing zeros
// allowed), a tie going to the even mantissa, with subnormals. Beyond the largest finite value
// the result is infinity; below half the least subnormal it is zero, signed in both cases.
long double nearestExtended(std::string_view digits, long long exponent, bool negative);
