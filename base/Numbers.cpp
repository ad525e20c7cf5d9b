// Number conversion, the general and fixed formats, and checked extended arithmetic.
#include "Numbers.h"

#include "Errors.h"
#include "ExactDecimal.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace {

std::optional<QChar> &separatorSetting()
{
    static std::optional<QChar> separator;
    return separator;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Keeps the digits whose place value is at least 10^place, halves away from zero; since the
// digits are exact up to where they are cut, a half is a 5 in the first digit dropped,
// whatever follows.
void roundAt(Decimal &number, int place)
{
    if (number.digits.empty())
        return;
    const long long keep = (long long)number.exponent - place;
    if (keep >= (long long)number.digits.size())
        return;
    if (keep < 0) {
        number.digits.clear();
        return;
    }
    const bool up = number.digits[std::size_t(keep)] >= '5';
    number.digits.resize(std::size_t(keep));
    if (up) {
        std::size_t i = number.digits.size();
        while (i > 0 && number.digits[i - 1] == '9')
            number.digits[--i] = '0';
        if (i == 0) {
            number.digits.insert(number.digits.begin(), '1');
            ++number.exponent;
        } else {
            ++number.digits[i - 1];
        }
    }
    const std::size_t last = number.digits.find_last_not_of('0');
    number.digits.resize(last == std::string::npos ? 0 : last + 1);
}

QString signOf(const Decimal &number)
{
    return number.negative && !number.digits.empty() ? QStringLiteral("-") : QString();
}

QString writeScientific(const Decimal &number)
{
    QString text = signOf(number);
    text += QLatin1Char(number.digits[0]);
    if (number.digits.size() > 1) {
        text += decimalSeparator();
        text += QLatin1String(number.digits.data() + 1, qsizetype(number.digits.size() - 1));
    }
    text += QLatin1Char('E');
    text += QString::number(number.exponent - 1);
    return text;
}

// Digit of the place value 10^(exponent - 1 - index), zero outside the digits held.
char digitAt(const Decimal &number, long long index)
{
    return index >= 0 && index < (long long)number.digits.size() ? number.digits[std::size_t(index)]
                                                                 : '0';
}

// The sign, the integer part ("0" without one) and `places` places after the separator, in one
// allocation; places before the first digit and after the last are zeros.
QString writeFixed(const Decimal &number, long long places)
{
    const bool sign = number.negative && !number.digits.empty();
    const long long integerDigits = number.exponent <= 0 ? 1 : number.exponent;
    QString text(qsizetype(sign + integerDigits + (places > 0 ? 1 + places : 0)), Qt::Uninitialized);
    QChar *out = text.data();
    if (sign)
        *out++ = u'-';
    if (number.exponent <= 0)
        *out++ = u'0';
    for (long long i = 0; i < number.exponent; ++i)
        *out++ = QLatin1Char(digitAt(number, i));
    if (places > 0) {
        *out++ = decimalSeparator();
        // The first place after the separator is the digit at index `exponent`.
        for (long long k = 0; k < places; ++k)
            *out++ = QLatin1Char(digitAt(number, (long long)number.exponent + k));
    }
    return text;
}

// The checked arithmetic never lets these reach a format; should one arrive, it is named.
QString nonFiniteText(Extended value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

#ifdef __SIZEOF_INT128__
// The formats' road for the values the program shows, without the decimal expansion.

// |value| × 10^decimals cut to an integer, and whether the part cut off is at least one half:
// value = mantissa × 2^scale, so it is mantissa × 5^decimals (below 2^109 for decimals <= 19)
// shifted by scale + decimals, exact in 128 bits. Nothing where the integer needs more than
// 64 bits.
struct ScaledValue
{
    std::uint64_t integer = 0;
    bool halfOrMore = false;
    bool negative = false;
};

std::optional<ScaledValue> scaledByIntegers(Extended value, int decimals)
{
    __extension__ typedef unsigned __int128 Wide;
    if (decimals < 0 || decimals > 19)
        return std::nullopt;
    const ExtendedFields fields = fieldsOf(value);
    ScaledValue scaled;
    scaled.negative = fields.negative;
    const Wide product = Wide(fields.mantissa) * (powersOfTen[std::size_t(decimals)] >> decimals);
    const long long shift = fields.scale() + decimals;
    if (shift >= 0) {
        if (shift >= 64 || (product >> (64 - shift)) != 0)
            return std::nullopt;
        scaled.integer = std::uint64_t(product << shift);
    } else if (shift > -128) {
        const int dropped = int(-shift);
        const Wide truncated = product >> dropped;
        if ((truncated >> 64) != 0)
            return std::nullopt;
        scaled.integer = std::uint64_t(truncated);
        scaled.halfOrMore = product - (truncated << dropped) >= Wide(1) << (dropped - 1);
    } // else far below one half of the last place: zero
    return scaled;
}

// integer × 10^-decimals as the fixed format writes it: the sign unless it is zero, the integer
// part ("0" without one), and `decimals` places.
QString writeScaled(std::uint64_t integer, int decimals, bool negative)
{
    char digits[20]; // least significant first
    int count = 0;
    do
        digits[count++] = char('0' + integer % 10);
    while ((integer /= 10) != 0);
    const bool sign = negative && (count > 1 || digits[0] != '0');
    const int integerDigits = std::max(count - decimals, 1);
    QString text(qsizetype(sign + integerDigits + (decimals > 0 ? 1 + decimals : 0)), Qt::Uninitialized);
    QChar *out = text.data();
    const auto digitAt = [&](int place) { return QLatin1Char(place < count ? digits[place] : '0'); };
    if (sign)
        *out++ = u'-';
    for (int place = decimals + integerDigits - 1; place >= decimals; --place)
        *out++ = digitAt(place);
    if (decimals > 0) {
        *out++ = decimalSeparator();
        for (int place = decimals - 1; place >= 0; --place)
            *out++ = digitAt(place);
    }
    return text;
}

// When |value| × 10^decimals, cut to an integer, has at most `precision` digits, the rounding is
// at the last place shown, and the text is that integer rounded half away from zero.
std::optional<QString> fixedByIntegers(Extended value, int precision, int decimals)
{
    if (precision > 19)
        return std::nullopt;
    const std::optional<ScaledValue> scaled = scaledByIntegers(value, decimals);
    const std::uint64_t limit = powersOfTen[std::size_t(precision)];
    if (!scaled || scaled->integer >= limit)
        return std::nullopt;
    const std::uint64_t rounded = scaled->integer + scaled->halfOrMore;
    // Rounding up to 10^precision writes one digit more, in the scientific form.
    if (rounded >= limit)
        return std::nullopt;
    return writeScaled(rounded, decimals, scaled->negative);
}

// A normal value whose fifteen significant digits are written fixed (from 0,0001 to below
// 10^15), the places after the last significant digit left out.
std::optional<QString> generalByIntegers(Extended value, int precision, int smallestExponent)
{
    if (std::fpclassify(value) != FP_NORMAL)
        return std::nullopt;
    const int binaryExponent = std::ilogb(value);
    // |value| lies in [10^(e - 1), 10^e) for e this estimate (from log10(2) slightly below) or
    // the next; the first `precision` digits are those of |value| × 10^(precision - e).
    int exponent = int(std::floor(binaryExponent * 0.30102999566398119521)) + 1;
    std::optional<ScaledValue> scaled = scaledByIntegers(value, precision - exponent);
    if (scaled && scaled->integer >= powersOfTen[std::size_t(precision)])
        scaled = scaledByIntegers(value, precision - ++exponent);
    if (!scaled || scaled->integer < powersOfTen[std::size_t(precision - 1)]
        || scaled->integer >= powersOfTen[std::size_t(precision)])
        return std::nullopt;
    std::uint64_t rounded = scaled->integer + scaled->halfOrMore;
    int decimals = precision - exponent;
    if (rounded == powersOfTen[std::size_t(precision)]) {
        rounded /= 10;
        --decimals;
        ++exponent;
    }
    if (exponent > precision || exponent < smallestExponent || decimals < 0)
        return std::nullopt;
    while (decimals > 0 && rounded % 10 == 0) {
        rounded /= 10;
        --decimals;
    }
    return writeScaled(rounded, decimals, scaled->negative);
}
#endif

constexpr int generalPrecision = 15;
constexpr int smallestFixedExponent = -4; // 0.00001 = 0.1 × 10^-4 is still written fixed

} // namespace

QChar decimalSeparator()
{
    std::optional<QChar> &separator = separatorSetting();
    if (!separator) {
        const QString point = QLocale::system().decimalPoint();
        separator = point.isEmpty() ? QChar(u'.') : point.at(0);
    }
    return *separator;
}

void setDecimalSeparator(QChar separator)
{
    separatorSetting() = separator;
}

void useLocaleDecimalSeparator()
{
    separatorSetting().reset();
}

namespace {

Extended readNumber(QStringView text, QChar separator)
{
    const auto fail = [&text]() { throw ConversionError(text.toString()); };

    // Spaces only: a tab or a line break around a number is as wrong as any other letter.
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;

    // The digits of both parts run together as one integer; each decimal shifts the exponent.
    // Written in place, without a length check at each digit.
    std::string digits(std::size_t(end - begin), '0');
    char *digit = digits.data();
    long long exponent = 0;
    bool negative = false;
    qsizetype i = begin;
    if (i < end && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    bool mantissa = false;
    while (i < end && isAsciiDigit(text[i])) {
        *digit++ = char(text[i++].unicode());
        mantissa = true;
    }
    // ",5" and "," read as "0.5" and "0."
    if (i < end && text[i] == separator) {
        ++i;
        mantissa = true;
        while (i < end && isAsciiDigit(text[i])) {
            *digit++ = char(text[i++].unicode());
            --exponent;
        }
    }
    digits.resize(std::size_t(digit - digits.data()));
    if (!mantissa)
        fail();
    if (i < end && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == u'+' || text[i] == u'-'))
            negativeExponent = text[i++] == u'-';
        const qsizetype exponentStart = i;
        // Beyond 10^15 any exponent means zero or overflow, whatever the digits, so it stops
        // growing there instead of overflowing.
        long long written = 0;
        while (i < end && isAsciiDigit(text[i]))
            written = std::min(written * 10 + (text[i++].unicode() - u'0'), 1000000000000000LL);
        if (i == exponentStart)
            fail();
        exponent += negativeExponent ? -written : written;
    }
    if (i != end)
        fail();

    const Extended value = nearestExtended(digits, exponent, negative);
    // Beyond the Extended range the text names no value the program could hold. A value below
    // it is the nearest one, zero at the least, as underflow is silent.
    if (std::isinf(value))
        fail();
    return value;
}

// Texts read lately on this thread with their values: a schedule repeats its legs, factors and
// resistances row after row, and a check reads each box more than once. Short texts only, in a
// small table where a text has one place.
class RecentNumbers
{
public:
    static constexpr qsizetype longest = 16; // an entry fills a cache line

    const Extended *find(QStringView text, char16_t separator) const
    {
        const Entry &entry = m_entries[placeOf(text)];
        const bool same = entry.size == text.size() && entry.separator == separator
                          && std::memcmp(entry.text.data(), text.utf16(), std::size_t(text.size()) * 2) == 0;
        return same ? &entry.value : nullptr;
    }

    void keep(QStringView text, char16_t separator, Extended value)
    {
        Entry &entry = m_entries[placeOf(text)];
        entry.size = text.size();
        entry.separator = separator;
        std::memcpy(entry.text.data(), text.utf16(), std::size_t(text.size()) * 2);
        entry.value = value;
    }

private:
    struct Entry
    {
        std::array<char16_t, longest> text;
        qsizetype size = -1;
        char16_t separator = 0;
        Extended value = 0;
    };

    static std::size_t placeOf(QStringView text)
    {
        std::uint32_t hash = 2166136261u; // FNV-1a
        for (const char16_t *c = text.utf16(), *end = c + text.size(); c != end; ++c)
            hash = (hash ^ *c) * 16777619u;
        return (hash * 0x9E3779B1u) >> (32 - entryBits); // Fibonacci hashing spreads the top bits
    }

    static constexpr int entryBits = 8;
    static constexpr std::size_t entryCount = std::size_t(1) << entryBits;
    std::array<Entry, entryCount> m_entries{};
};

} // namespace

Extended parseNumber(QStringView text)
{
    const QChar separator = decimalSeparator();
    if (text.size() > RecentNumbers::longest)
        return readNumber(text, separator);
    thread_local RecentNumbers recent;
    if (const Extended *value = recent.find(text, separator.unicode()))
        return *value;
    const Extended value = readNumber(text, separator);
    recent.keep(text, separator.unicode(), value);
    return value;
}

void throwInvalidOperation()
{
    throw InvalidOperationError();
}

void throwZeroDivide()
{
    throw ZeroDivideError();
}

void throwOverflow()
{
    throw OverflowError();
}

Extended squareRoot(Extended value)
{
    // -0 is not below zero; its root is -0.
    if (std::isnan(value) || value < 0)
        throw InvalidOperationError();
    return std::sqrt(value);
}

QString formatGeneral(Extended value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
#ifdef __SIZEOF_INT128__
    if (std::optional<QString> text = generalByIntegers(value, generalPrecision, smallestFixedExponent))
        return *std::move(text);
#endif
    Decimal number = leadingDigits(value, std::size_t(generalPrecision + 1));
    roundAt(number, number.exponent - generalPrecision);
    if (number.digits.empty())
        return QStringLiteral("0");
    if (number.exponent > generalPrecision || number.exponent < smallestFixedExponent)
        return writeScientific(number);
    return writeFixed(number, (long long)number.digits.size() - number.exponent);
}

QString formatFixed(Extended value, int precision, int decimals)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    precision = std::max(precision, 1);
    decimals = std::max(decimals, 0);
#ifdef __SIZEOF_INT128__
    if (std::optional<QString> text = fixedByIntegers(value, precision, decimals))
        return *std::move(text);
#endif
    // At most `precision` digits are kept, so one more decides the rounding.
    Decimal number = leadingDigits(value, std::size_t(precision + 1));
    if (!number.digits.empty())
        roundAt(number, std::max(number.exponent - precision, -decimals));
    if (!number.digits.empty() && number.exponent > precision)
        return writeScientific(number);
    return writeFixed(number, decimals);
}
