// Number conversion, the general and fixed formats, and checked extended arithmetic.
//
// Formulas are evaluated in Extended (the x87 80-bit format, 64-bit mantissa) and rounded to
// double where a value is stored. Errors are raised by explicit checks, never by traps, so no
// infinity or NaN is ever stored or shown.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <cmath>
#include <limits>

using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "the calculation needs an 80-bit long double with a 64-bit mantissa "
              "(g++ or clang on x86-64, MinGW-w64); this compiler's long double is narrower");

// The decimal separator of the user's locale (LC_ALL / LC_NUMERIC / LANG on Linux), read once;
// tests set it explicitly.
QChar decimalSeparator();
void setDecimalSeparator(QChar separator);
// Forgets a separator set before, so that the next use reads the locale's again.
void useLocaleDecimalSeparator();

// Reads a number: optional leading and trailing spaces, optional sign, digits with at most one
// decimal separator (digits and separator not both missing), optional exponent ("E"/"e",
// optional sign, digits). The value is correctly rounded to Extended. Anything else, and a value
// beyond the Extended range, raises ConversionError with the text.
Extended parseNumber(QStringView text);

// The arithmetic errors, raised out of line so that the checks below inline into the formulas:
// an Extended passed to a function goes through memory, which costs more than the check.
[[noreturn]] void throwInvalidOperation();
[[noreturn]] void throwZeroDivide();
[[noreturn]] void throwOverflow();

// Rounds to double for storing; a finite value beyond the double range raises OverflowError.
inline double store(Extended value)
{
    if (std::isnan(value))
        throwInvalidOperation();
    // Half an ulp above DBL_MAX, (2^54 - 1) × 2^970, is the least value that rounds to infinity
    // (the tie goes to the even 2^1024). Checked before converting, because converting a value
    // beyond the double range is undefined.
    constexpr Extended overflowLimit = Extended((1ULL << 54) - 1) * 0x1p970L;
    if (std::fabs(value) >= overflowLimit)
        throwOverflow();
    return static_cast<double>(value);
}

// Checked operations for the formulas; +, - and * need no check in Extended, since the results
// are checked by store(). Division raises ZeroDivideError, and InvalidOperationError for 0/0.
inline Extended divide(Extended dividend, Extended divisor)
{
    if (std::isnan(dividend) || std::isnan(divisor))
        throwInvalidOperation();
    if (divisor == 0) {
        if (dividend == 0)
            throwInvalidOperation();
        throwZeroDivide();
    }
    const Extended quotient = dividend / divisor;
    if (std::isnan(quotient))
        throwInvalidOperation();
    if (std::isinf(quotient) && std::isfinite(dividend))
        throwOverflow();
    return quotient;
}

Extended squareRoot(Extended value); // InvalidOperationError below zero

// Up to 15 significant digits, no trailing zeros; scientific ("1E20", "1,5E-7") from 16 integer
// digits on and below 0.00001 in magnitude. Zero (also negative zero) is "0".
QString formatGeneral(Extended value);

// Rounds the exact value to at most `precision` significant digits and `decimals` decimals,
// halves away from zero, and writes exactly `decimals` decimals; more than `precision` integer
// digits fall back to the general format with `precision` digits in scientific form.
QString formatFixed(Extended value, int precision, int decimals);
