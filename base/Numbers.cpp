// Number conversion, the general and fixed formats, and checked extended arithmetic.
#include "Numbers.h"

#include "Errors.h"
#include "ExactDecimal.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
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

    // The digits of both parts run together as one integer; each decimal shifts the exponent.
    std::string digits;
    digits.reserve(std::size_t(end - begin));
    long long exponent = 0;
    bool negative = false;
    qsizetype i = begin;
    if (i < end && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    bool mantissa = false;
    while (i < end && isAsciiDigit(text[i])) {
        digits += char(text[i++].unicode());
        mantissa = true;
    }
    // ",5" and "," read as "0.5" and "0."
    if (i < end && text[i] == separator) {
        ++i;
        mantissa = true;
        while (i < end && isAsciiDigit(text[i])) {
            digits += char(text[i++].unicode());
            --exponent;
        }
    }
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
    if (std::optional<QString> text = nonFiniteText(value))
        return *text;
    precision = std::max(precision, 1);
    decimals = std::max(decimals, 0);
    // At most `precision` digits are kept, so one more decides the rounding.
    Decimal number = leadingDigits(value, std::size_t(precision + 1));
    if (!number.digits.empty())
        roundAt(number, std::max(number.exponent - precision, -decimals));
    if (!number.digits.empty() && number.exponent > precision)
        return writeScientific(number);
    return writeFixed(number, decimals);
}
