// Number conversion, the general and fixed formats, and checked extended arithmetic.
#include "Numbers.h"

#include "Errors.h"

#include <QLocale>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
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

// Qt's application object puts the process into the user's locale, so the C library's own
// conversion would expect the user's separator; the checked text is handed over in the "C"
// notation and read under the "C" locale instead.
locale_t cNumericLocale()
{
    static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    return locale;
}

// A value in decimal: 0.digits × 10^exponent, no leading or trailing zeros in `digits`; no
// digits at all is zero. The digits are the exact expansion or its first digits, cut off, never
// rounded.
struct Decimal
{
    std::string digits;
    int exponent = 0;
    bool negative = false;
};

Decimal exactDecimal(Extended value)
{
    Decimal result;
    result.negative = std::signbit(value);
    value = std::fabs(value);
    if (value == 0)
        return result;
    // value = m × 2^(e - 64) with a 64-bit integer m, so 64 - e fraction digits hold it exactly,
    // and the C library prints that many exactly.
    int binaryExponent = 0;
    std::frexp(value, &binaryExponent);
    const int fractionDigits = std::max(0, 64 - binaryExponent);
    const int size = std::snprintf(nullptr, 0, "%.*Lf", fractionDigits, value);
    // The terminating zero goes to text[size], which a std::string always holds.
    std::string text(std::size_t(std::max(size, 0)), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.*Lf", fractionDigits, value);

    // The separator printed is the C library's current one, whatever it is: only digits count.
    std::size_t integerLength = 0;
    while (integerLength < text.size() && text[integerLength] >= '0' && text[integerLength] <= '9')
        ++integerLength;
    std::string digits;
    digits.reserve(text.size());
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digits += c;
    }
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    const std::size_t lastSignificant = digits.find_last_not_of('0');
    result.exponent = int(integerLength) - int(firstSignificant);
    result.digits = digits.substr(firstSignificant, lastSignificant - firstSignificant + 1);
    return result;
}

// The first `count` digits of the exact expansion, cut off (not rounded) after them; enough for
// rounding to count - 1 digits. Printing a few more digits, rounded, gives the cut digits
// unless the digits beyond them print as zeros (an exact short decimal, or a carry from far
// out); only then is the whole exact expansion worth its cost.
Decimal leadingDigits(Extended value, int count)
{
    constexpr int guardDigits = 20;
    const int printed = count + guardDigits;
    std::string text(std::size_t(printed) + 16, '\0');
    const int size = std::snprintf(text.data(), text.size(), "%.*Le", printed - 1, std::fabs(value));
    if (size <= 0 || size >= int(text.size()))
        return exactDecimal(value);
    text.resize(std::size_t(size));
    std::string digits;
    digits.reserve(std::size_t(printed));
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            digits += text[i];
    }
    if (i == text.size() || int(digits.size()) != printed || digits[0] == '0'
        || digits.find_first_not_of('0', std::size_t(count)) == std::string::npos)
        return exactDecimal(value);
    Decimal result;
    result.negative = std::signbit(value);
    result.exponent = std::atoi(text.c_str() + i + 1) + 1;
    digits.resize(std::size_t(count));
    digits.resize(digits.find_last_not_of('0') + 1);
    result.digits = std::move(digits);
    return result;
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

QString writeIntegerPart(const Decimal &number)
{
    if (number.exponent <= 0)
        return QStringLiteral("0");
    QString text;
    text.reserve(number.exponent);
    for (int i = 0; i < number.exponent; ++i)
        text += QLatin1Char(digitAt(number, i));
    return text;
}

std::optional<QString> nonFiniteText(Extended value)
{
    // The checked arithmetic never lets these reach a format; should one arrive, it is named.
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    return std::nullopt;
}

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

Extended parseNumber(QStringView text)
{
    const QChar separator = decimalSeparator();
    const auto fail = [&text]() { throw ConversionError(text.toString()); };

    // Spaces only: a tab or a line break around a number is as wrong as any other letter.
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;

    std::string normal;
    normal.reserve(std::size_t(end - begin) + 2);
    qsizetype i = begin;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            normal += '-';
        ++i;
    }
    bool mantissa = false;
    const std::size_t integerStart = normal.size();
    while (i < end && isAsciiDigit(text[i])) {
        normal += char(text[i++].unicode());
        mantissa = true;
    }
    if (normal.size() == integerStart)
        normal += '0'; // ",5" and "," read as "0.5" and "0."
    if (i < end && text[i] == separator) {
        normal += '.';
        ++i;
        mantissa = true;
        while (i < end && isAsciiDigit(text[i]))
            normal += char(text[i++].unicode());
    }
    if (!mantissa)
        fail();
    if (i < end && (text[i] == u'E' || text[i] == u'e')) {
        normal += 'e';
        ++i;
        if (i < end && (text[i] == u'+' || text[i] == u'-'))
            normal += char(text[i++].unicode());
        const qsizetype exponentStart = i;
        while (i < end && isAsciiDigit(text[i]))
            normal += char(text[i++].unicode());
        if (i == exponentStart)
            fail();
    }
    if (i != end)
        fail();

    char *parsedEnd = nullptr;
    const Extended value = strtold_l(normal.c_str(), &parsedEnd, cNumericLocale());
    if (parsedEnd != normal.c_str() + normal.size())
        fail();
    // Beyond the Extended range the text names no value the program could hold. A value below
    // it is the nearest one, zero at the least, as underflow is silent.
    if (std::isinf(value))
        fail();
    return value;
}

double store(Extended value)
{
    if (std::isnan(value))
        throw InvalidOperationError();
    // Half an ulp above DBL_MAX, (2^54 - 1) × 2^970, is the least value that rounds to infinity
    // (the tie goes to the even 2^1024). Checked before converting, because converting a value
    // beyond the double range is undefined.
    static const Extended overflowLimit = std::ldexp(Extended((1ULL << 54) - 1), 970);
    if (std::fabs(value) >= overflowLimit)
        throw OverflowError();
    return static_cast<double>(value);
}

Extended divide(Extended dividend, Extended divisor)
{
    if (std::isnan(dividend) || std::isnan(divisor))
        throw InvalidOperationError();
    if (divisor == 0) {
        if (dividend == 0)
            throw InvalidOperationError();
        throw ZeroDivideError();
    }
    const Extended quotient = dividend / divisor;
    if (std::isnan(quotient))
        throw InvalidOperationError();
    if (std::isinf(quotient) && std::isfinite(dividend))
        throw OverflowError();
    return quotient;
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
    if (std::optional<QString> text = nonFiniteText(value))
        return *text;
    Decimal number = leadingDigits(value, generalPrecision + 1);
    roundAt(number, number.exponent - generalPrecision);
    if (number.digits.empty())
        return QStringLiteral("0");
    if (number.exponent > generalPrecision || number.exponent < smallestFixedExponent)
        return writeScientific(number);
    QString text = signOf(number) + writeIntegerPart(number);
    if ((long long)number.digits.size() > number.exponent) {
        text += decimalSeparator();
        // From the first place after the separator; places before the first digit are zeros.
        for (long long i = number.exponent; i < (long long)number.digits.size(); ++i)
            text += QLatin1Char(digitAt(number, i));
    }
    return text;
}

QString formatFixed(Extended value, int precision, int decimals)
{
    if (std::optional<QString> text = nonFiniteText(value))
        return *text;
    precision = std::max(precision, 1);
    decimals = std::max(decimals, 0);
    // At most `precision` digits are kept, so one more decides the rounding.
    Decimal number = leadingDigits(value, precision + 1);
    if (!number.digits.empty())
        roundAt(number, std::max(number.exponent - precision, -decimals));
    if (!number.digits.empty() && number.exponent > precision)
        return writeScientific(number);
    QString text = signOf(number) + writeIntegerPart(number);
    if (decimals > 0) {
        text += decimalSeparator();
        for (int k = 0; k < decimals; ++k)
            text += QLatin1Char(digitAt(number, (long long)number.exponent + k));
    }
    return text;
}
