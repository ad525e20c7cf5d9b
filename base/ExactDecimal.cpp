// Exact conversion between decimal digits and the 80-bit long double, the same on every system.
#include "ExactDecimal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr int mantissaBits = LDBL_MANT_DIG;
// The least subnormal is 2^-16445, the largest finite value (2^64 - 1) × 2^16320.
constexpr long long leastBinaryExponent = -16445;
constexpr long long greatestBinaryExponent = 16320;

constexpr std::uint32_t fivePower13 = 1220703125; // the greatest power of five in 32 bits
constexpr std::uint32_t billion = 1000000000;

// A natural number in base 2^32, least significant limb first, without leading zero limbs.
struct Natural
{
    std::vector<std::uint32_t> limbs;

    void multiplyAdd(std::uint32_t factor, std::uint32_t addend)
    {
        std::uint64_t carry = addend;
        for (std::uint32_t &limb : limbs) {
            carry += std::uint64_t(limb) * factor;
            limb = std::uint32_t(carry);
            carry >>= 32;
        }
        if (carry != 0)
            limbs.push_back(std::uint32_t(carry));
    }

    void multiplyByPowerOfFive(long long exponent)
    {
        for (; exponent >= 13; exponent -= 13)
            multiplyAdd(fivePower13, 0);
        std::uint32_t rest = 1;
        for (; exponent > 0; --exponent)
            rest *= 5;
        multiplyAdd(rest, 0);
    }

    void shiftLeft(long long bits)
    {
        if (limbs.empty() || bits == 0)
            return;
        const std::size_t whole = std::size_t(bits / 32);
        const int part = int(bits % 32);
        if (part != 0) {
            std::uint32_t carry = 0;
            for (std::uint32_t &limb : limbs) {
                const std::uint32_t next = limb >> (32 - part);
                limb = (limb << part) | carry;
                carry = next;
            }
            if (carry != 0)
                limbs.push_back(carry);
        }
        limbs.insert(limbs.begin(), whole, 0);
    }

    // Drops the bits shifted out.
    void shiftRight(long long bits)
    {
        const std::size_t whole = std::size_t(std::min<long long>(bits / 32, (long long)limbs.size()));
        limbs.erase(limbs.begin(), limbs.begin() + std::ptrdiff_t(whole));
        const int part = int(bits % 32);
        if (part != 0 && !limbs.empty()) {
            for (std::size_t i = 0; i + 1 < limbs.size(); ++i)
                limbs[i] = (limbs[i] >> part) | (limbs[i + 1] << (32 - part));
            limbs.back() >>= part;
        }
        while (!limbs.empty() && limbs.back() == 0)
            limbs.pop_back();
    }

    // Requires *this >= other.
    void subtract(const Natural &other)
    {
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < limbs.size(); ++i) {
            std::int64_t difference = std::int64_t(limbs[i]) - borrow
                                      - (i < other.limbs.size() ? std::int64_t(other.limbs[i]) : 0);
            borrow = difference < 0;
            limbs[i] = std::uint32_t(difference + (borrow << 32));
        }
        while (!limbs.empty() && limbs.back() == 0)
            limbs.pop_back();
    }

    // Divides in place and returns the remainder.
    std::uint32_t divideSmall(std::uint32_t divisor)
    {
        std::uint64_t remainder = 0;
        for (std::size_t i = limbs.size(); i-- > 0;) {
            const std::uint64_t current = (remainder << 32) | limbs[i];
            limbs[i] = std::uint32_t(current / divisor);
            remainder = current % divisor;
        }
        while (!limbs.empty() && limbs.back() == 0)
            limbs.pop_back();
        return std::uint32_t(remainder);
    }

    long long bitLength() const
    {
        if (limbs.empty())
            return 0;
        return 32 * (long long)(limbs.size() - 1) + (long long)std::bit_width(limbs.back());
    }
};

int compare(const Natural &a, const Natural &b)
{
    if (a.limbs.size() != b.limbs.size())
        return a.limbs.size() < b.limbs.size() ? -1 : 1;
    for (std::size_t i = a.limbs.size(); i-- > 0;) {
        if (a.limbs[i] != b.limbs[i])
            return a.limbs[i] < b.limbs[i] ? -1 : 1;
    }
    return 0;
}

Natural naturalFrom(std::uint64_t value)
{
    Natural number;
    for (; value != 0; value >>= 32)
        number.limbs.push_back(std::uint32_t(value));
    return number;
}

// Binary long division for a quotient known to lie below 2^bits; the numerator keeps the
// remainder.
Natural divide(Natural &numerator, const Natural &denominator, long long bits)
{
    Natural quotient;
    Natural divisor = denominator;
    divisor.shiftLeft(bits);
    for (long long bit = 0; bit < bits; ++bit) {
        divisor.shiftRight(1);
        const bool one = compare(numerator, divisor) >= 0;
        if (one)
            numerator.subtract(divisor);
        quotient.shiftLeft(1);
        if (quotient.limbs.empty() && one)
            quotient.limbs.push_back(1);
        else if (one)
            quotient.limbs[0] |= 1;
    }
    return quotient;
}

Natural naturalFromDigits(std::string_view digits)
{
    Natural number;
    number.limbs.reserve(digits.size() / 9 + 1);
    std::size_t i = 0;
    while (i < digits.size()) {
        const std::size_t chunk = std::min<std::size_t>(9, digits.size() - i);
        std::uint32_t value = 0;
        std::uint32_t scale = 1;
        for (std::size_t k = 0; k < chunk; ++k) {
            value = value * 10 + std::uint32_t(digits[i + k] - '0');
            scale *= 10;
        }
        number.multiplyAdd(scale, value);
        i += chunk;
    }
    return number;
}

// Every halfway point between two neighbouring long doubles, (2m + 1) × 2^(q - 1) with
// q >= -16445, has at most 11,516 significant digits (65 bits times 5^16446 at most). Digits
// beyond this many may therefore be replaced by one nonzero digit: the value stays on the same
// side of every halfway point, and exactly on none.
constexpr std::size_t significantDigitsKept = 12000;

// mantissa × 2^scale, exactly: the mantissa has 64 bits at most, and a subnormal's scale keeps
// it on the grid of the least subnormal.
long double fromParts(std::uint64_t mantissa, long long scale, bool negative)
{
    const long double magnitude = std::ldexp((long double)mantissa, int(scale));
    return negative ? -magnitude : magnitude;
}

// The x87 format's fields written directly (fieldsOf reads them).
long double fromFields(std::uint64_t mantissa, int biasedExponent, bool negative)
{
    unsigned char bytes[sizeof(long double)] = {};
    const std::uint16_t top = std::uint16_t(biasedExponent | (negative ? 0x8000 : 0));
    std::memcpy(bytes, &mantissa, sizeof mantissa);
    std::memcpy(bytes + sizeof mantissa, &top, sizeof top);
    long double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

#ifdef __SIZEOF_INT128__
// Most texts typed are short: up to 19 digits and a power of ten within 10^±19 fit 128 bits,
// where the rounding takes a few instructions instead of the big integers.
bool convertShort(std::uint64_t digits, long long exponent, bool negative, long double &result)
{
    __extension__ typedef unsigned __int128 Wide; // in GCC and Clang, the compilers with this long double
    if (exponent > 19 || exponent < -19)
        return false;
    const auto bitLength = [](Wide value) {
        const std::uint64_t high = std::uint64_t(value >> 64);
        return high != 0 ? 64 + int(std::bit_width(high)) : int(std::bit_width(std::uint64_t(value)));
    };
    std::uint64_t mantissa = 0;
    long long scale = 0;
    Wide rest = 0;
    Wide half = 0; // rest compared with half decides the rounding
    if (exponent >= 0) {
        const Wide value = Wide(digits) * powersOfTen[exponent]; // below 10^38 < 2^128
        const int shift = std::max(0, bitLength(value) - mantissaBits);
        mantissa = std::uint64_t(value >> shift);
        scale = shift;
        if (shift > 0) {
            rest = value & ((Wide(1) << shift) - 1);
            half = Wide(1) << (shift - 1);
        }
    } else {
        // digits × 2^shift / 10^-exponent lies in [2^63, 2^64) and below 2^64 × 10^19 < 2^128.
        const std::uint64_t denominator = powersOfTen[-exponent];
        int shift = mantissaBits - 1 + int(std::bit_width(denominator)) - int(std::bit_width(digits));
        Wide numerator = Wide(digits) << shift;
        Wide quotient = numerator / denominator;
        if (quotient < (Wide(1) << (mantissaBits - 1))) {
            ++shift;
            numerator <<= 1;
            quotient = numerator / denominator;
        }
        mantissa = std::uint64_t(quotient);
        scale = -shift;
        rest = 2 * (numerator - quotient * denominator);
        half = denominator;
    }
    if (rest > half || (rest == half && half != 0 && (mantissa & 1) != 0)) {
        if (++mantissa == 0) {
            mantissa = std::uint64_t(1) << (mantissaBits - 1);
            ++scale;
        }
    }
    // Within 10^±38 every value is normal: the mantissa is shifted up to its leading bit.
    const int zeros = std::countl_zero(mantissa);
    result = fromFields(mantissa << zeros, int(scale - zeros) + mantissaBits - 1 + ExtendedFields::exponentBias,
                        negative);
    return true;
}
#endif

} // namespace

long double nearestExtended(std::string_view digits, long long exponent, bool negative)
{
    const long double zero = negative ? -0.0L : 0.0L;
    const long double infinity = negative ? -std::numeric_limits<long double>::infinity()
                                          : std::numeric_limits<long double>::infinity();
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos)
        return zero;
    const std::size_t last = digits.find_last_not_of('0');
    std::string_view significant = digits.substr(first, last - first + 1);
    exponent += (long long)(digits.size() - 1 - last);

    // The value lies in [10^(order - 1), 10^order). The largest finite value is about
    // 1.19 × 10^4932, half the least subnormal about 1.82 × 10^-4951.
    const long long order = (long long)significant.size() + exponent;
    if (order > 4933)
        return infinity;
    if (order <= -4951)
        return zero;

#ifdef __SIZEOF_INT128__
    if (significant.size() <= 19) {
        long double result = 0;
        std::uint64_t number = 0;
        for (char digit : significant)
            number = number * 10 + std::uint64_t(digit - '0');
        if (convertShort(number, exponent, negative, result))
            return result;
    }
#endif

    std::string shortened;
    if (significant.size() > significantDigitsKept) {
        shortened.assign(significant.substr(0, significantDigitsKept));
        shortened += '1';
        exponent += (long long)(significant.size() - shortened.size());
        significant = shortened;
    }

    // value = numerator / denominator, exactly.
    Natural numerator = naturalFromDigits(significant);
    Natural denominator = naturalFrom(1);
    if (exponent >= 0) {
        numerator.multiplyByPowerOfFive(exponent);
        numerator.shiftLeft(exponent);
    } else {
        denominator.multiplyByPowerOfFive(-exponent);
        denominator.shiftLeft(-exponent);
    }

    // The binary order: 2^binaryOrder <= value < 2^(binaryOrder + 1); the bit lengths leave two
    // choices.
    const long long lengthDifference = numerator.bitLength() - denominator.bitLength();
    long long binaryOrder = lengthDifference;
    {
        Natural shifted = lengthDifference >= 0 ? denominator : numerator;
        shifted.shiftLeft(lengthDifference >= 0 ? lengthDifference : -lengthDifference);
        if (lengthDifference >= 0 ? compare(numerator, shifted) < 0 : compare(shifted, denominator) < 0)
            --binaryOrder;
    }
    // value = (mantissa + fraction) × 2^scale with a 64-bit mantissa, fewer bits for subnormals.
    long long scale = std::max(binaryOrder - (mantissaBits - 1), leastBinaryExponent);
    if (scale > greatestBinaryExponent)
        return infinity;
    if (scale >= 0)
        denominator.shiftLeft(scale);
    else
        numerator.shiftLeft(-scale);

    const Natural quotient = divide(numerator, denominator, mantissaBits);
    std::uint64_t mantissa = 0;
    for (std::size_t i = quotient.limbs.size(); i-- > 0;)
        mantissa = (mantissa << 32) | quotient.limbs[i];
    // The remainder against half the denominator decides; a tie goes to the even mantissa.
    numerator.shiftLeft(1);
    const int half = compare(numerator, denominator);
    if (half > 0 || (half == 0 && (mantissa & 1) != 0)) {
        if (++mantissa == 0) { // carried into a 65th bit
            mantissa = std::uint64_t(1) << (mantissaBits - 1);
            ++scale;
        }
    }
    if (scale > greatestBinaryExponent)
        return infinity;
    return fromParts(mantissa, scale, negative);
}

#ifdef __SIZEOF_INT128__
namespace {

constexpr std::uint64_t powerOfFive(int exponent)
{
    std::uint64_t power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 5;
    return power;
}

// Every value shown in the program has a handful of digits and a magnitude near one. Its first
// `count` digits are those of floor(value × 10^k) for a k that leaves at least `count` digits
// before the point; with k <= 27 (5^27 < 2^63) that integer is a 64-bit mantissa times 5^k,
// shifted, which 128 bits hold exactly. False where they do not.
bool leadingDigitsShort(std::uint64_t mantissa, long long scale, std::size_t count, Decimal &result)
{
    __extension__ typedef unsigned __int128 Wide;
    static constexpr auto fivePowers = [] {
        std::array<std::uint64_t, 28> powers{};
        for (int i = 0; i < 28; ++i)
            powers[std::size_t(i)] = powerOfFive(i);
        return powers;
    }();
    if (count > 19 || scale > 64 || scale < -200)
        return false;
    // value >= 2^(width - 1 + scale) >= 10^below, with log10(2) as 78913 / 2^18 (slightly less)
    // and one lower for the rounding of negative powers.
    const int width = int(std::bit_width(mantissa));
    const long long below = (((long long)width - 1 + scale) * 78913 >> 18) - 1;
    const long long k = std::max<long long>(0, (long long)count - below);
    if (k > 27)
        return false;
    const Wide scaled = Wide(mantissa) * fivePowers[std::size_t(k)]; // below 2^127
    const long long shift = scale + k;
    Wide integer = 0;
    if (shift >= 0) {
        const std::uint64_t high = std::uint64_t(scaled >> 64);
        const int bits = high != 0 ? 64 + int(std::bit_width(high)) : int(std::bit_width(std::uint64_t(scaled)));
        if (bits + shift > 128)
            return false;
        integer = scaled << shift;
    } else {
        if (shift <= -128)
            return false;
        integer = scaled >> -shift; // the floor, exactly
    }
    // At most 39 digits: the top part, then parts of 19 digits.
    constexpr std::uint64_t tenPower19 = 10000000000000000000ULL;
    std::uint64_t parts[2];
    int partCount = 0;
    while (integer >= tenPower19) {
        parts[partCount++] = std::uint64_t(integer % tenPower19);
        integer /= tenPower19;
    }
    char text[40];
    int length = 0;
    for (std::uint64_t top = std::uint64_t(integer); top != 0; top /= 10)
        text[length++] = char('0' + top % 10);
    std::reverse(text, text + length);
    while (partCount > 0) {
        std::uint64_t part = parts[--partCount];
        for (int i = 18; i >= 0; --i, part /= 10)
            text[length + i] = char('0' + part % 10);
        length += 19;
    }
    result.exponent = int(length - k);
    std::size_t kept = std::min(count, std::size_t(length));
    while (kept > 0 && text[kept - 1] == '0')
        --kept;
    result.digits.assign(text, kept);
    return true;
}

} // namespace
#endif

Decimal leadingDigits(long double value, std::size_t count)
{
#ifdef __SIZEOF_INT128__
    // The fields rather than the value: reading it again from the x87 stack costs a stall on every
    // conversion.
    const ExtendedFields fields = fieldsOf(value);
    std::uint64_t mantissa = fields.mantissa;
    // Neither zero nor infinity nor NaN.
    if (mantissa != 0 && fields.biasedExponent != 0x7fff && count != 0) {
        long long scale = fields.scale();
        const int zeros = std::countr_zero(mantissa);
        mantissa >>= zeros;
        scale += zeros;
        Decimal result;
        result.negative = fields.negative;
        if (leadingDigitsShort(mantissa, scale, count, result))
            return result;
    }
#endif
    return leadingDigitsByBigIntegers(value, count);
}

Decimal leadingDigitsByBigIntegers(long double value, std::size_t count)
{
    Decimal result;
    result.negative = std::signbit(value);
    value = std::fabs(value);
    if (value == 0 || count == 0)
        return result;

    // value = mantissa × 2^scale exactly, the mantissa odd or the scale zero.
    int binaryExponent = 0;
    const long double fraction = std::frexp(value, &binaryExponent);
    std::uint64_t mantissa = std::uint64_t(std::ldexp(fraction, mantissaBits));
    long long scale = (long long)binaryExponent - mantissaBits;
    while ((mantissa & 1) == 0 && scale < 0) {
        mantissa >>= 1;
        ++scale;
    }

    // The digits come from an integer in base 10^9 limbs, least significant first: value × 10^-decimalScale
    // or its integer part, which holds the first `count` digits.
    std::vector<std::uint32_t> limbs;
    long long decimalScale = 0;

    // Far from 1 the whole expansion has thousands of digits, so the first ones are taken as the
    // integer part of value × 10^shift, with shift chosen to keep at least count + 1 digits (the
    // decimal exponent is estimated from below, one lower for safety).
    constexpr double log10Of2 = 0.30102999566398119521;
    const long long exponentBelow = (long long)std::floor(double((long long)std::bit_width(mantissa) - 1 + scale) * log10Of2);
    const long long shift = (long long)std::min<std::size_t>(count, 100000) + 1 - exponentBelow;
    if (std::abs(scale) > 128 && (scale < 0 ? shift < -scale : shift < 0)) {
        Natural numerator = naturalFrom(mantissa);
        Natural denominator = naturalFrom(1);
        if (shift >= 0)
            numerator.multiplyByPowerOfFive(shift);
        else
            denominator.multiplyByPowerOfFive(-shift);
        const long long twos = scale + shift;
        Natural part;
        if (twos >= 0) {
            numerator.shiftLeft(twos);
        } else if (shift >= 0) {
            numerator.shiftRight(-twos);
        } else {
            denominator.shiftLeft(-twos);
        }
        if (denominator.limbs.size() == 1 && denominator.limbs[0] == 1)
            part = std::move(numerator);
        else
            part = divide(numerator, denominator, numerator.bitLength() - denominator.bitLength() + 1);
        while (!part.limbs.empty())
            limbs.push_back(part.divideSmall(billion));
        decimalScale = -shift;
    } else {
        // The whole expansion: mantissa × 2^scale, or mantissa × 5^-scale = value × 10^-scale.
        for (std::uint64_t rest = mantissa; rest != 0; rest /= billion)
            limbs.push_back(std::uint32_t(rest % billion));
        const auto multiply = [&limbs](std::uint64_t factor) {
            std::uint64_t carry = 0;
            for (std::uint32_t &limb : limbs) {
                carry += limb * factor;
                limb = std::uint32_t(carry % billion);
                carry /= billion;
            }
            for (; carry != 0; carry /= billion)
                limbs.push_back(std::uint32_t(carry % billion));
        };
        if (scale >= 0) {
            for (long long rest = scale; rest > 0; rest -= 32)
                multiply(std::uint64_t(1) << std::min<long long>(rest, 32));
        } else {
            decimalScale = scale;
            for (long long rest = -scale; rest > 0; rest -= 13) {
                std::uint64_t factor = 1;
                for (long long k = std::min<long long>(rest, 13); k > 0; --k)
                    factor *= 5;
                multiply(factor);
            }
        }
    }

    char top[10];
    int topLength = 0;
    for (std::uint32_t rest = limbs.back(); rest != 0; rest /= 10)
        top[topLength++] = char('0' + rest % 10);
    std::reverse(top, top + topLength);
    const long long length = topLength + 9 * (long long)(limbs.size() - 1);
    result.exponent = int(length + decimalScale);

    const std::size_t wanted = std::min(count, std::size_t(length));
    result.digits.reserve(wanted);
    result.digits.append(top, std::size_t(topLength));
    for (std::size_t i = limbs.size() - 1; i-- > 0 && result.digits.size() < wanted;) {
        char group[9];
        std::uint32_t rest = limbs[i];
        for (int k = 8; k >= 0; --k, rest /= 10)
            group[k] = char('0' + rest % 10);
        result.digits.append(group, 9);
    }
    result.digits.resize(std::min(result.digits.size(), wanted));
    const std::size_t lastSignificant = result.digits.find_last_not_of('0');
    result.digits.resize(lastSignificant + 1);
    return result;
}
