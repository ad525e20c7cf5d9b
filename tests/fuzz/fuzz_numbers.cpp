// Fuzzes number conversion and both formats: no crash, no undefined behaviour, the accepted
// texts are those of the grammar, and every formatted value reads back as the correctly
// rounded value.
#include "Errors.h"
#include "Numbers.h"

#include <QString>
#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <optional>
#include <regex>
#include <string>

namespace {

[[noreturn]] void fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "fuzz_numbers: %s: %s\n", what, detail.toUtf8().constData());
    std::abort();
}

locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

std::optional<Extended> tryParse(const QString &text)
{
    try {
        return parseNumber(text);
    } catch (const ConversionError &) {
        return std::nullopt;
    }
}

// The C library prints exact digits, rounded in the current rounding mode.
std::string printIn(int mode, const char *format, int digits, Extended value)
{
    const int saved = std::fegetround();
    std::fesetround(mode);
    char buffer[256];
    uselocale(cLocale());
    std::snprintf(buffer, sizeof buffer, format, digits, value);
    uselocale(LC_GLOBAL_LOCALE);
    std::fesetround(saved);
    return buffer;
}

Extended readC(const std::string &text)
{
    return strtold_l(text.c_str(), nullptr, cLocale());
}

// Decimal exponent E of value = 0.d… × 10^E, from the truncated digits (truncation never
// carries into a new digit).
int decimalExponent(Extended value)
{
    const std::string text = printIn(FE_TOWARDZERO, "%.*Le", 3, value);
    return std::atoi(text.c_str() + text.find('e') + 1) + 1;
}

// True when the value lies exactly halfway between two neighbours at this print format, that is
// when one digit more prints exactly, ending in 5.
bool isTie(const char *format, int digits, Extended value)
{
    const std::string down = printIn(FE_DOWNWARD, format, digits + 1, value);
    const std::string up = printIn(FE_UPWARD, format, digits + 1, value);
    if (down != up)
        return false;
    const std::size_t end = down.find('e');
    return down[(end == std::string::npos ? down.size() : end) - 1] == '5';
}

// The correctly rounded value of `value` at this print format, halves away from zero: the C
// library rounds halves to even, so on an exact half the value farther from zero is taken.
Extended roundedOracle(const char *format, int digits, Extended value)
{
    const Extended nearest = readC(printIn(FE_TONEAREST, format, digits, value));
    if (!isTie(format, digits, value))
        return nearest;
    const Extended away = readC(printIn(value > 0 ? FE_UPWARD : FE_DOWNWARD, format, digits, value));
    return away;
}

void checkGeneral(Extended value, QChar separator)
{
    const QString text = formatGeneral(value);
    if (text.isEmpty() || text.contains(u'+') || text.contains(u"E-0") || text.contains(u"E0")
        || (value == 0 && text != u"0") || text.contains(separator == u',' ? u'.' : u','))
        fail("general form", text);
    const qsizetype exponentAt = text.indexOf(u'E');
    const QString mantissa = exponentAt < 0 ? text : text.left(exponentAt);
    if (mantissa.contains(separator) && mantissa.endsWith(u'0'))
        fail("general trailing zero", text);
    int significant = 0;
    bool started = false;
    for (QChar c : mantissa) {
        if (c >= u'1' && c <= u'9')
            started = true;
        if (started && c.isDigit())
            ++significant;
    }
    if (significant > 15)
        fail("general digits", text);

    const std::optional<Extended> back = tryParse(text);
    if (!back)
        fail("general does not read back", text);
    const Extended expected = value == 0 ? 0 : roundedOracle("%.*Le", 14, value);
    if (*back != expected)
        fail("general reads back wrong", text + QString::asprintf(" from %.25Lg", value));
    // Scientific exactly from 16 integer digits on and below 0.00001.
    const Extended magnitude = std::fabs(expected);
    const bool scientific = exponentAt >= 0;
    if (value != 0 && scientific != (magnitude >= 1e15L || magnitude < 0.00001L))
        fail("general form choice", text);
}

void checkFixed(Extended value, int precision, int decimals, QChar separator)
{
    const QString text = formatFixed(value, precision, decimals);
    if (text.isEmpty())
        fail("fixed empty", text);
    Extended expected = 0;
    if (value != 0) {
        const int exponent = decimalExponent(value);
        const int place = std::max(exponent - precision, -decimals);
        if (place > 0)
            expected = roundedOracle("%.*Le", precision - 1, value);
        else if (exponent - place >= 0)
            expected = roundedOracle("%.*Lf", -place, value);
        // else: the value lies below half of the last place and rounds to zero
    }
    const bool scientific = text.contains(u'E');
    if (std::isinf(expected)) {
        if (!scientific)
            fail("fixed beyond range not scientific", text);
        return; // rounding beyond the Extended range: the text cannot read back
    }
    const std::optional<Extended> back = tryParse(text);
    if (!back)
        fail("fixed does not read back", text);
    if (*back != expected && !(expected == 0 && *back == 0))
        fail("fixed reads back wrong", text + QString::asprintf(" from %.25Lg at %d/%d", value, precision, decimals));
    if (expected == 0 && text.startsWith(u'-'))
        fail("fixed negative zero", text);
    const Extended limit = std::pow(10.0L, precision);
    if (scientific != (std::fabs(expected) >= limit))
        fail("fixed form choice", text);
    if (!scientific) {
        const qsizetype at = text.indexOf(separator);
        const qsizetype written = at < 0 ? 0 : text.size() - at - 1;
        if (written != decimals)
            fail("fixed decimals", text);
    }
}

void checkFormats(Extended value, QChar separator)
{
    checkGeneral(value, separator);
    for (auto [precision, decimals] : {std::pair{6, 0}, {6, 1}, {6, 2}, {6, 3}, {15, 2}, {4, 6}})
        checkFixed(value, precision, decimals, separator);
}

// The grammar, written independently of the converter.
bool grammarAccepts(const std::string &utf8, char separator)
{
    static const std::regex withComma("^ *[+-]?([0-9]+,?[0-9]*|,[0-9]*)([eE][+-]?[0-9]+)? *$");
    static const std::regex withPoint("^ *[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]*)([eE][+-]?[0-9]+)? *$");
    return std::regex_match(utf8, separator == ',' ? withComma : withPoint);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > 4096)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const bool plainBytes = text.toUtf8() == QByteArray::fromStdString(bytes)
                            && std::memchr(data, 0, size) == nullptr;
    for (const QChar separator : {QChar(u','), QChar(u'.')}) {
        setDecimalSeparator(separator);
        const std::optional<Extended> value = tryParse(text);
        if (plainBytes && size <= 300) {
            const bool grammar = grammarAccepts(bytes, char(separator.unicode()));
            if (value && !grammar)
                fail("accepted outside the grammar", text);
            // Within the grammar only a value beyond the Extended range is refused.
            if (!value && grammar) {
                std::string normal = bytes;
                for (char &c : normal)
                    if (c == ',')
                        c = '.';
                std::size_t first = normal.find_first_not_of(' ');
                normal = normal.substr(first);
                if (normal[0] == '.' || ((normal[0] == '-' || normal[0] == '+') && normal[1] == '.'))
                    normal.insert(normal[0] == '.' ? 0 : 1, "0");
                if (!std::isinf(readC(normal)))
                    fail("refused within the grammar", text);
            }
        }
        if (!value)
            continue;
        if (!std::isfinite(*value))
            fail("not finite", text);
        checkFormats(*value, separator);
        try {
            const double stored = store(*value);
            if (!std::isfinite(stored))
                fail("stored not finite", text);
            checkGeneral(stored, separator);
        } catch (const OverflowError &) {
            if (std::fabs(*value) <= Extended(DBL_MAX))
                fail("overflow within range", text);
        }
    }
    // The first ten bytes as a mantissa and an exponent reach every finite Extended value,
    // including those that no short text names.
    if (size >= 10) {
        std::uint64_t mantissa = 0;
        std::int16_t exponent = 0;
        std::memcpy(&mantissa, data, sizeof mantissa);
        std::memcpy(&exponent, data + 8, sizeof exponent);
        const Extended value = std::ldexp(Extended(mantissa), exponent % 16500);
        if (std::isfinite(value)) {
            const QChar separator = (data[0] & 1) ? QChar(u',') : QChar(u'.');
            setDecimalSeparator(separator);
            checkFormats(value, separator);
            checkFormats(-value, separator);
        }
    }
    return 0;
}
