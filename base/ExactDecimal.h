// Exact conversion between decimal digits and the 80-bit long double, the same on every system.
//
// The C libraries disagree here: glibc's strtold is bound to a locale, MinGW-w64 has no strtold_l
// and its from_chars rounds long doubles to double. So both directions are computed here with
// small big integers, without any call into the C library's conversions.
#pragma once

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

static_assert(LDBL_MANT_DIG == 64 && LDBL_MIN_EXP == -16381 && LDBL_MAX_EXP == 16384,
              "exact conversion needs the x87 80-bit long double (g++ or clang on x86-64, MinGW-w64)");

// The x87 format's fields, read from the value's bytes: the 64-bit mantissa with its explicit
// leading bit, 15 bits of biased exponent and the sign.
struct ExtendedFields
{
    static constexpr int exponentBias = 16383;
    std::uint64_t mantissa = 0;
    int biasedExponent = 0;
    bool negative = false;

    // The finite value is ±mantissa × 2^scale(); a subnormal has the exponent of the least normal.
    long long scale() const
    {
        return (long long)(biasedExponent > 0 ? biasedExponent : 1) - exponentBias - (LDBL_MANT_DIG - 1);
    }
};

inline ExtendedFields fieldsOf(long double value)
{
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof value);
    ExtendedFields fields;
    std::uint16_t top = 0;
    std::memcpy(&fields.mantissa, bytes, sizeof fields.mantissa);
    std::memcpy(&top, bytes + sizeof fields.mantissa, sizeof top);
    fields.biasedExponent = top & 0x7fff;
    fields.negative = (top & 0x8000) != 0;
    return fields;
}

// 10^0 to 10^19, every power of ten a 64-bit integer holds.
inline constexpr std::uint64_t powersOfTen[20] = {
    1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL, 100000000ULL, 1000000000ULL,
    10000000000ULL, 100000000000ULL, 1000000000000ULL, 10000000000000ULL, 100000000000000ULL,
    1000000000000000ULL, 10000000000000000ULL, 100000000000000000ULL, 1000000000000000000ULL,
    10000000000000000000ULL};

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
