// Checks the exact decimal conversion without Qt, so that it runs wherever a C++ compiler does:
// the hard cases, then digests of many random conversions whose output must be identical on
// every system. Built by hand, e.g. for Windows under Wine:
//   x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -static -Ibase -o check.exe
//       tests/base/ExactDecimalCheck.cpp base/ExactDecimal.cpp && wine check.exe > windows.txt
// With glibc, "--against-libc N" also compares N random texts with strtold_l and N random values
// with printf's exact digits.
#include "ExactDecimal.h"
#include "ExactDecimalCases.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The ten bytes of the x87 format, sign and exponent first.
std::string bitsOf(long double value)
{
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &value, sizeof value);
    char text[32];
    std::snprintf(text, sizeof text, "%02x%02x:", bytes[9], bytes[8]);
    std::string result = text;
    for (int i = 7; i >= 0; --i) {
        std::snprintf(text, sizeof text, "%02x", bytes[i]);
        result += text;
    }
    return result;
}

long double expectedValue(const exactcases::ParseCase &c)
{
    const long double magnitude = c.infinite ? HUGE_VALL : std::ldexp((long double)c.mantissa, c.scale);
    return c.negative ? -magnitude : magnitude;
}

struct Digest
{
    std::uint64_t hash = 1469598103934665603ULL;
    void add(const void *data, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i) {
            hash ^= static_cast<const unsigned char *>(data)[i];
            hash *= 1099511628211ULL;
        }
    }
    void add(const std::string &text) { add(text.data(), text.size()); }
};

int checkTable()
{
    int failures = 0;
    for (const exactcases::ParseCase &c : exactcases::parseCases()) {
        const long double value = nearestExtended(c.digits, c.exponent, c.negative);
        const bool ok = bitsOf(value) == bitsOf(expectedValue(c));
        failures += !ok;
        std::printf("parse  %-50s %s %s\n", c.name.c_str(), bitsOf(value).c_str(), ok ? "ok" : "FAIL");
    }
    for (const exactcases::FormatCase &c : exactcases::formatCases()) {
        const Decimal decimal = leadingDigits(std::ldexp((long double)c.mantissa, c.scale), c.count);
        const bool ok = decimal.digits.size() == c.length && decimal.digits.compare(0, c.digits.size(), c.digits) == 0
                        && decimal.exponent == c.exponent;
        failures += !ok;
        std::printf("format %-50s %.40s %zu %d %s\n", c.name.c_str(), decimal.digits.c_str(),
                    decimal.digits.size(), decimal.exponent, ok ? "ok" : "FAIL");
    }
    return failures;
}

void printDigests(long long count)
{
    std::mt19937_64 random(20240611);
    Digest parsed;
    for (long long i = 0; i < count; ++i) {
        const exactcases::Text text = exactcases::randomText(random);
        parsed.add(bitsOf(nearestExtended(text.digits, text.exponent, text.negative)));
    }
    Digest formatted;
    for (long long i = 0; i < count; ++i) {
        const exactcases::Value value = exactcases::randomValue(random);
        const Decimal decimal = leadingDigits(std::ldexp((long double)value.mantissa, value.scale), value.count);
        formatted.add(decimal.digits);
        formatted.add(&decimal.exponent, sizeof decimal.exponent);
    }
    std::printf("digest of %lld random parses %016llx, of %lld random formats %016llx\n", count,
                (unsigned long long)parsed.hash, count, (unsigned long long)formatted.hash);
}

#ifdef __GLIBC__
int compareWithLibc(long long count)
{
    std::mt19937_64 random(7);
    long long textMismatches = 0;
    double ours = 0, theirs = 0;
    for (long long i = 0; i < count; ++i) {
        const exactcases::Text text = exactcases::randomText(random);
        const std::string written = exactcases::written(text);
        const auto start = std::chrono::steady_clock::now();
        const long double value = nearestExtended(text.digits, text.exponent, text.negative);
        const auto middle = std::chrono::steady_clock::now();
        const long double expected = exactcases::libcNearest(written);
        const auto end = std::chrono::steady_clock::now();
        ours += std::chrono::duration<double>(middle - start).count();
        theirs += std::chrono::duration<double>(end - middle).count();
        if (bitsOf(value) != bitsOf(expected) && ++textMismatches <= 10)
            std::printf("mismatch: %.80s… e%lld: %s, strtold_l %s\n", written.c_str(), text.exponent,
                        bitsOf(value).c_str(), bitsOf(expected).c_str());
    }
    std::printf("texts compared with strtold_l: %lld, mismatches: %lld (%.2f s here, %.2f s strtold_l)\n",
                count, textMismatches, ours, theirs);

    long long valueMismatches = 0;
    ours = theirs = 0;
    for (long long i = 0; i < count; ++i) {
        const exactcases::Value value = exactcases::randomValue(random);
        const long double x = (i & 1 ? -1 : 1) * std::ldexp((long double)value.mantissa, value.scale);
        const auto start = std::chrono::steady_clock::now();
        const Decimal decimal = leadingDigits(x, value.count);
        const auto middle = std::chrono::steady_clock::now();
        const Decimal expected = exactcases::libcDigits(x, value.count);
        const auto end = std::chrono::steady_clock::now();
        ours += std::chrono::duration<double>(middle - start).count();
        theirs += std::chrono::duration<double>(end - middle).count();
        if ((decimal.digits != expected.digits || decimal.exponent != expected.exponent
             || decimal.negative != expected.negative)
            && ++valueMismatches <= 10)
            std::printf("mismatch: %La (%zu digits): %.60s e%d, printf %.60s e%d\n", x, value.count,
                        decimal.digits.c_str(), decimal.exponent, expected.digits.c_str(), expected.exponent);
    }
    std::printf("values compared with printf: %lld, mismatches: %lld (%.2f s here, %.2f s printf)\n", count,
                valueMismatches, ours, theirs);
    return textMismatches + valueMismatches != 0;
}
#endif

} // namespace

int main(int argc, char **argv)
{
#ifdef __GLIBC__
    if (argc == 3 && std::strcmp(argv[1], "--against-libc") == 0)
        return compareWithLibc(std::atoll(argv[2]));
#endif
    const int failures = checkTable();
    printDigests(argc == 2 ? std::atoll(argv[1]) : 20000);
    std::printf("%d failures\n", failures);
    return failures != 0;
}
