// Hard cases of the exact decimal conversion, shared by its test and the portable check program.
//
// Expected values are exact (mantissa × 2^scale, digits worked out with exact rational
// arithmetic); long inputs are built here with schoolbook decimal arithmetic, independent of
// the converter.
#pragma once

#include "ExactDecimal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#ifdef __GLIBC__
#include <cfenv>
#include <locale.h>
#endif

namespace exactcases {

// digits × factor + addend, in decimal.
inline std::string timesSmall(const std::string &digits, std::uint64_t factor, std::uint64_t addend = 0)
{
    std::string result(digits.size() + 20, '0');
    std::uint64_t carry = addend;
    std::size_t at = result.size();
    for (std::size_t i = digits.size(); i-- > 0;) {
        carry += std::uint64_t(digits[i] - '0') * factor;
        result[--at] = char('0' + carry % 10);
        carry /= 10;
    }
    for (; carry != 0; carry /= 10)
        result[--at] = char('0' + carry % 10);
    const std::size_t first = result.find_first_not_of('0');
    return first == std::string::npos ? "0" : result.substr(first);
}

inline std::string timesPowerOf(std::string digits, std::uint64_t base, int exponent)
{
    // Twenty at a time: 9 × 5^20 plus a carry stays far within 64 bits.
    std::uint64_t twenty = 1;
    for (int i = 0; i < 20; ++i)
        twenty *= base;
    for (; exponent >= 20; exponent -= 20)
        digits = timesSmall(digits, twenty);
    for (; exponent > 0; --exponent)
        digits = timesSmall(digits, base);
    return digits;
}

// digits - 1, for digits > 0.
inline std::string decremented(std::string digits)
{
    std::size_t i = digits.size();
    while (digits[--i] == '0')
        digits[i] = '9';
    --digits[i];
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

struct ParseCase
{
    std::string name;
    std::string digits; // the value is digits × 10^exponent
    long long exponent = 0;
    bool negative = false;
    // Expected: mantissa × 2^scale, or infinity.
    std::uint64_t mantissa = 0;
    int scale = 0;
    bool infinite = false;
};

// (2m + 1) × 2^(q - 1), the value halfway between m × 2^q and (m + 1) × 2^q, exactly in decimal.
struct Halfway
{
    std::string digits;
    long long exponent = 0;
};

inline Halfway halfway(std::uint64_t m, int q)
{
    const std::string odd = timesSmall(std::to_string(m), 2, 1);
    if (q - 1 >= 0)
        return {timesPowerOf(odd, 2, q - 1), 0};
    return {timesPowerOf(odd, 5, 1 - q), q - 1};
}

inline std::vector<ParseCase> parseCases()
{
    constexpr std::uint64_t top = std::uint64_t(1) << 63;
    constexpr std::uint64_t allOnes = ~std::uint64_t(0);
    std::vector<ParseCase> cases = {
        {"zero", "0", 0, false, 0, 0},
        {"negative zeros", "000", 5, true, 0, 0},
        {"one", "1", 0, false, 1, 0},
        {"tenth", "1", -1, false, 0xCCCCCCCCCCCCCCCD, -67},
        {"leading and trailing zeros", "000120000", -5, false, 0x4CCCCCCCCCCCCCCD, -62},
        {"third", "333333333333333333333333", -24, false, 0xAAAAAAAAAAAAAAAB, -65},
        {"small", "15", -8, false, 0xA10FAFA06C1BB20D, -86},
        {"beyond double", "1", 400, false, 0x6D3B1FE465CFFCF3, 1266},
        {"largest double written short", "17976931348623157", 292, false, 0x3FFFFFFFFFFFFDEB, 962},
        {"2^64 + 1 ties to the even below", "18446744073709551617", 0, false, top, 1},
        {"2^64 + 3 ties to the even above", "18446744073709551619", 0, false, top + 2, 1},
        {"tie within 19 digits", "3689348814741910325", 1, false, top + 4, 2},
        {"19 digits nudged above a tie", "3689348814741910325000001", -5, false, top + 5, 2},
        {"largest written short", "118973149535723176502", 4912, false, allOnes, 16320},
        {"1e4932", "1", 4932, false, 0xD72CB2A95C7EF6CD, 16320},
        {"1e4933 overflows", "1", 4933, false, 0, 0, true},
        {"negative overflow", "5", 4940, true, 0, 0, true},
        {"exponent far above", "1", 1000000000000000LL, false, 0, 0, true},
        {"exponent far below", "1", -1000000000000000LL, true, 0, 0},
        {"least subnormal written short", "36451995318824746025", -4970, false, 1, -16445},
        {"1e-4950", "1", -4950, false, 3, -16445},
        {"1e-4940", "1", -4940, false, 0x33193C731, -16444},
        {"2e-4951 rounds up to the least", "2", -4951, false, 1, -16445},
        {"1e-4951 rounds to zero", "1", -4951, false, 0, 0},
        {"1e-5000 underflows", "1", -5000, true, 0, 0},
        {"long zero run before the digits", "0" + std::string(5000, '0') + "1", 0, false, 1, 0},
        {"zeros compensated by the exponent", "1" + std::string(6000, '0'), -6000, false, 1, 0},
        {"many digits just above one", "1" + std::string(30000, '0') + "1", -30001, false, 1, 0},
        {"long run of nines rounds to one", std::string(15000, '9'), -15000, false, 1, 0},
    };

    // Each halfway point exactly (a tie, to the even neighbour), and nudged below and above.
    struct Tie
    {
        const char *name;
        std::uint64_t m;
        int q;
        std::uint64_t evenMantissa; // the even neighbour, at scale q (0 with carry: 2^64 × 2^q)
    };
    const Tie ties[] = {
        {"2^64 + 1", top, 1, top},
        {"2^64 + 5", top + 2, 1, top + 2},
        {"1 + 2^-64", top, -63, top},
        {"below 2^64", allOnes, 0, 0},
        {"above the largest", allOnes, 16320, 0},
        {"half the least subnormal", 0, -16445, 0},
        {"between subnormals 1 and 2", 1, -16445, 2},
        {"between subnormals 2 and 3", 2, -16445, 2},
        {"at the least normal", top - 1, -16445, top},
    };
    for (const Tie &tie : ties) {
        const Halfway point = halfway(tie.m, tie.q);
        const bool overflows = tie.q == 16320;
        const auto add = [&](const std::string &what, std::string digits, long long exponent,
                             std::uint64_t mantissa, bool infinite) {
            int scale = tie.q;
            if (mantissa == 0 && tie.evenMantissa == 0 && tie.m != 0) {
                mantissa = 1; // the carry: 2^64 × 2^q
                scale += 64;
            }
            cases.push_back({std::string("tie ") + tie.name + what, std::move(digits), exponent, false,
                             mantissa, scale, infinite});
        };
        const bool evenIsUpper = tie.evenMantissa != tie.m;
        add(" exactly", point.digits, point.exponent, tie.evenMantissa, overflows && evenIsUpper);
        add(" nudged below", decremented(point.digits) + "999999", point.exponent - 6, tie.m, false);
        add(" nudged above", point.digits + "000001", point.exponent - 6, tie.m + 1, overflows);
        // The nudge lies beyond the digits worth reading: only its being nonzero counts.
        add(" nudged above far out", point.digits + std::string(20000, '0') + "1", point.exponent - 20001,
            tie.m + 1, overflows);
    }
    return cases;
}

struct FormatCase
{
    std::string name;
    std::uint64_t mantissa; // the value is mantissa × 2^scale
    int scale;
    std::size_t count;       // digits asked for
    std::string digits;      // the expected digits, or their beginning when `length` is longer
    std::size_t length;      // the number of expected digits
    int exponent;            // the value is 0.digits × 10^exponent
};

inline std::vector<FormatCase> formatCases()
{
    const auto whole = [](std::string name, std::uint64_t mantissa, int scale, std::size_t count,
                          std::string digits, int exponent) {
        const std::size_t length = digits.size();
        return FormatCase{std::move(name), mantissa, scale, count, std::move(digits), length, exponent};
    };
    return {
        whole("zero", 0, 0, 10, "", 0),
        whole("one", 1, 0, 10, "1", 1),
        whole("half", 1, -1, 10, "5", 0),
        whole("2^64", 1, 64, 30, "18446744073709551616", 20),
        whole("tenth in full", 0xCCCCCCCCCCCCCCCD, -67, 100,
              "1000000000000000000013552527156068805425093160010874271392822265625", 0),
        whole("tenth cut", 0xCCCCCCCCCCCCCCCD, -67, 25, "1000000000000000000013552", 0),
        whole("tenth cut before its zeros", 0xCCCCCCCCCCCCCCCD, -67, 10, "1", 0),
        // Cut, not rounded: the nines stay.
        whole("double 0.285 cut", 0x123D70A3D70A3D, -54, 3, "284", 0),
        whole("double 0.285 in full", 0x123D70A3D70A3D, -54, 100,
              "284999999999999975575093458246556110680103302001953125", 0),
        whole("double 1e23 cut", 0x152D02C7E14AF6, 24, 16, "9999999999999999", 23),
        whole("double 999999.5", 0x1E847F00000000, -33, 7, "9999995", 6),
        whole("double 1234.5678 cut", 0x134A456D5CFAAD, -42, 7, "1234567", 4),
        whole("largest", ~std::uint64_t(0), 16320, 40, "1189731495357231765021263853030970205169", 4933),
        whole("least subnormal", 1, -16445, 40, "3645199531882474602528405933619419816399", -4950),
        whole("least normal", 1, -16382, 40, "3362103143112093506262677817321752602598", -4931),
        whole("largest subnormal", (std::uint64_t(1) << 63) - 1, -16445, 25, "3362103143112093505898157", -4931),
        {"least double in full", 1, -1074, 1000, "4940656458412465441765687928682213723650", 751, -323},
        {"largest in full", ~std::uint64_t(0), 16320, 100000, "1189731495357231765021263853030970205169", 4932, 4933},
        {"least subnormal in full", 1, -16445, 100000, "3645199531882474602528405933619419816399", 11495, -4950},
    };
}

// Random inputs for comparing with another implementation, or one system with another. The raw
// output of std::mt19937_64 is the same everywhere, so the inputs are too.
struct Text
{
    std::string digits;
    long long exponent = 0;
    bool negative = false;
};

inline Text randomText(std::mt19937_64 &random)
{
    const auto below = [&random](std::uint64_t n) { return (long long)(random() % n); };
    // Digits with runs of zeros and nines, where carries and near-ties hide.
    const auto digitString = [&](long long length) {
        std::string digits;
        while ((long long)digits.size() < length) {
            const long long run = 1 + below(below(4) == 0 ? 40 : 3);
            const char kind = below(3) == 0 ? '0' : below(2) == 0 ? '9' : 0;
            for (long long i = 0; i < run; ++i)
                digits += kind ? kind : char('0' + below(10));
        }
        digits.resize(std::size_t(length));
        return digits;
    };
    // A halfway point, exactly, nudged either way, or cut to fewer digits (then just below it).
    const auto nearTie = [&](const Halfway &point) {
        switch (below(4)) {
        case 0:
            return Text{point.digits, point.exponent, false};
        case 1: {
            const long long more = 1 + below(3);
            return Text{decremented(point.digits) + digitString(more), point.exponent - more, false};
        }
        case 2: {
            const long long zeros = below(30);
            return Text{point.digits + std::string(std::size_t(zeros), '0') + "1", point.exponent - zeros - 1, false};
        }
        default: {
            const long long kept = 1 + below((long long)point.digits.size());
            return Text{point.digits.substr(0, std::size_t(kept)),
                        point.exponent + (long long)point.digits.size() - kept, false};
        }
        }
    };
    Text text;
    const long long kind = below(100);
    if (kind < 25) { // anywhere in the range and a little beyond
        text = {digitString(1 + below(25)), below(9960) - 4985};
    } else if (kind < 50) { // what people type
        text = {digitString(1 + below(20)), below(40) - 25};
    } else if (kind < 65) {
        text = {digitString(1 + below(400)), below(800) - 500};
    } else if (kind < 98) {
        std::uint64_t m = random() | (std::uint64_t(1) << 63);
        const int q = below(2000) == 0 ? int(below(16320 + 16445)) - 16445 : int(below(400)) - 232;
        text = nearTie(halfway(m, q));
    } else { // at the ends of the range, where the digits are many and the work is longest
        static const std::vector<Halfway> ends = [] {
            std::vector<Halfway> points;
            for (std::uint64_t m = 0; m < 6; ++m)
                points.push_back(halfway(m, -16445));
            for (std::uint64_t k = 0; k < 3; ++k)
                points.push_back(halfway(~std::uint64_t(0) - k, 16320));
            points.push_back(halfway((std::uint64_t(1) << 63) - 1, -16445));
            return points;
        }();
        text = nearTie(ends[std::size_t(below((long long)ends.size()))]);
    }
    text.negative = below(2) == 0;
    return text;
}

struct Value
{
    std::uint64_t mantissa = 0; // the value is mantissa × 2^scale, always finite
    int scale = 0;
    std::size_t count = 0;      // digits asked for
};

inline Value randomValue(std::mt19937_64 &random)
{
    const auto below = [&random](std::uint64_t n) { return (long long)(random() % n); };
    Value value;
    value.mantissa = random() >> below(64);
    value.scale = below(3) == 0 ? int(below(16320 + 16445)) - 16445 : int(below(200)) - 130;
    value.count = below(20) == 0 ? 100000 : std::size_t(1 + below(40));
    return value;
}

inline std::string written(const Text &text)
{
    return (text.negative ? "-" : "") + text.digits + "e" + std::to_string(text.exponent);
}

#ifdef __GLIBC__
// glibc's own conversions, the reference where they exist.
inline locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

inline long double libcNearest(const std::string &text)
{
    return strtold_l(text.c_str(), nullptr, cLocale());
}

// The first `count` digits as printf gives them: cut by printing toward zero, or all of them
// printed in full.
inline Decimal libcDigits(long double value, std::size_t count)
{
    Decimal result;
    result.negative = std::signbit(value);
    value = std::fabs(value);
    if (value == 0)
        return result;
    std::string text;
    uselocale(cLocale());
    if (count > 60) {
        int binaryExponent = 0;
        std::frexp(value, &binaryExponent);
        const int fractionDigits = std::max(0, 64 - binaryExponent);
        text.resize(std::size_t(std::snprintf(nullptr, 0, "%.*Lf", fractionDigits, value)) + 1);
        text.resize(std::size_t(std::snprintf(text.data(), text.size(), "%.*Lf", fractionDigits, value)));
        const std::size_t point = text.find('.');
        const std::string digits = point == std::string::npos ? text : text.substr(0, point) + text.substr(point + 1);
        const std::size_t first = digits.find_first_not_of('0');
        result.exponent = int(point == std::string::npos ? text.size() : point) - int(first);
        result.digits = digits.substr(first, count);
    } else {
        std::fesetround(FE_TOWARDZERO);
        text.resize(count + 16);
        text.resize(std::size_t(std::snprintf(text.data(), text.size(), "%.*Le", int(count) - 1, value)));
        std::fesetround(FE_TONEAREST);
        const std::size_t e = text.find('e');
        for (std::size_t i = 0; i < e; ++i) {
            if (text[i] != '.')
                result.digits += text[i];
        }
        result.exponent = std::atoi(text.c_str() + e + 1) + 1;
    }
    uselocale(LC_GLOBAL_LOCALE);
    result.digits.resize(result.digits.find_last_not_of('0') + 1);
    return result;
}
#endif

} // namespace exactcases
