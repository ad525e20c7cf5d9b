// Tests of number conversion, the general and fixed formats and checked extended arithmetic.
#include "Errors.h"
#include "LocaleExpectation.h"
#include "Numbers.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <cfloat>
#include <cmath>
#include <limits>

namespace {

// QVariant has no long double; the rows carry Extended values in this wrapper.
struct ExtendedValue
{
    Extended value = 0;
};

ExtendedValue ext(Extended value)
{
    return ExtendedValue{value};
}

QString describe(Extended value)
{
    return QString::asprintf("%.21Lg", value);
}

// Equal as values and in the sign of zero.
bool same(Extended a, Extended b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

const QString notANumber = QStringLiteral("'%1' is not a valid floating point value");
const QString divisionByZero = QStringLiteral("Floating point division by zero");
const QString invalidOperation = QStringLiteral("Invalid floating point operation");
const QString overflow = QStringLiteral("Floating point overflow");

// Runs `step` and returns the message of the WeldError it raised, or an empty string.
template <typename Step>
QString errorOf(Step step)
{
    try {
        step();
    } catch (const WeldError &error) {
        return error.message();
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(ExtendedValue)

namespace {
const char *const expectedSeparatorVariable = "WELD_EXPECTED_SEPARATOR";
}

class NumbersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The separator of a fresh process follows the user's locale: this program runs itself with
    // a locale in the environment and checks the separator there (separatorOfThisProcess).
    void separatorComesFromTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("separator");
        QTest::newRow("Russian") << "ru_RU.UTF-8" << ",";
        QTest::newRow("German") << "de_DE.UTF-8" << ",";
        QTest::newRow("English") << "en_US.UTF-8" << ".";
        QTest::newRow("C") << "C" << ".";
    }
    void separatorComesFromTheLocale()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows takes the separator from the user's regional settings, not from LC_ALL");
#endif
        QFETCH(QString, locale);
        QFETCH(QString, separator);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), locale);
        environment.insert(QString::fromLatin1(expectedSeparatorVariable), separator);
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("separatorOfThisProcess")});
        QVERIFY(child.waitForFinished(30000));
        const QString output = QString::fromLocal8Bit(child.readAll());
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("Totals: 3 passed, 0 failed, 0 skipped")), qPrintable(output));
    }
    // Run by separatorComesFromTheLocale in a child process, before anything sets the separator.
    void separatorOfThisProcess()
    {
        const QString expected = qEnvironmentVariable(expectedSeparatorVariable);
        if (expected.isEmpty())
            QSKIP("runs in the child process of separatorComesFromTheLocale");
        QCOMPARE(decimalSeparator(), expected.at(0));
    }

    // Under each locale of the locale runs: its separator is read, written and expected in input.
    void separatorIsTheOneTheLocaleMustGive()
    {
        WELD_FETCH_LOCALE_SEPARATOR(separator);
        useLocaleDecimalSeparator();
        QCOMPARE(decimalSeparator(), separator);
        QCOMPARE(formatGeneral(2.5L), QStringLiteral("2") + separator + QStringLiteral("5"));
        QCOMPARE(formatFixed(0.125L, 6, 2), QStringLiteral("0") + separator + QStringLiteral("13"));
        QCOMPARE(parseNumber(QStringLiteral("1") + separator + QStringLiteral("25")), 1.25L);
        const QChar other = separator == u',' ? u'.' : u',';
        QVERIFY_THROWS_EXCEPTION(ConversionError, parseNumber(QStringLiteral("1") + other + QStringLiteral("25")));
    }

    void acceptsNumbers_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<ExtendedValue>("expected");

        const QChar comma = u',';
        const QChar point = u'.';
        QTest::newRow("integer") << comma << "42" << ext(42);
        QTest::newRow("decimal comma") << comma << "1,5" << ext(1.5L);
        QTest::newRow("decimal point") << point << "1.5" << ext(1.5L);
        QTest::newRow("spaces around") << comma << "   1,5  " << ext(1.5L);
        QTest::newRow("plus sign") << comma << "+7" << ext(7);
        QTest::newRow("minus sign") << comma << "-0,7" << ext(-0.7L);
        QTest::newRow("leading zeros") << comma << "000123" << ext(123);
        QTest::newRow("separator last") << comma << "5," << ext(5);
        QTest::newRow("separator first") << comma << ",25" << ext(0.25L);
        QTest::newRow("zero and separator") << comma << "0," << ext(0);
        QTest::newRow("separator alone") << comma << "," << ext(0);
        QTest::newRow("point alone") << point << "." << ext(0);
        QTest::newRow("minus separator") << comma << "-," << ext(-0.0L);
        QTest::newRow("negative zero") << comma << "-0" << ext(-0.0L);
        QTest::newRow("separator and exponent") << comma << ",E5" << ext(0);
        QTest::newRow("exponent") << comma << "1E5" << ext(1e5L);
        QTest::newRow("small exponent") << comma << "1e5" << ext(1e5L);
        QTest::newRow("exponent plus") << comma << "1,2e+2" << ext(120);
        QTest::newRow("exponent minus") << comma << "1,5E-7" << ext(1.5e-7L);
        QTest::newRow("exponent leading zeros") << point << "2.5e-0007" << ext(2.5e-7L);
        // Extended, not double: 0.1 rounded to a 64-bit mantissa.
        QTest::newRow("extended precision") << comma << "0,1" << ext(0.1L);
        QTest::newRow("extended third") << point << "0.333333333333333333333333" << ext(0.333333333333333333333333L);
        // 2^64 + 1 lies halfway between two Extended values: the even one wins, while anything
        // beyond the half, however far out, rounds up.
        QTest::newRow("tie to even") << comma << "18446744073709551617" << ext(18446744073709551616.0L);
        QTest::newRow("just above the tie") << comma << "18446744073709551617,000000000000000000000001"
                                            << ext(18446744073709551618.0L);
        QTest::newRow("many digits") << comma << "0,1000000000000000000000000000000000000000001" << ext(0.1L);
        QTest::newRow("largest") << point << "1.18973149535723176502e4932" << ext(LDBL_MAX);
        QTest::newRow("beyond double") << point << "1e400" << ext(1e400L);
        QTest::newRow("denormal") << point << "1e-4940" << ext(1e-4940L);
        QTest::newRow("underflow to zero") << point << "1e-5000" << ext(0);
        QTest::newRow("negative underflow") << point << "-1e-99999999999999999999" << ext(-0.0L);
        QTest::newRow("exponent compensates digits") << point << ("0." + QString(5000, u'0') + "1e5001") << ext(1);
        QTest::newRow("least denormal") << point << "3.6451995318824746025e-4951"
                                        << ext(std::numeric_limits<Extended>::denorm_min());
        QTest::newRow("half the least denormal") << point << "1.8225997659412373012e-4951" << ext(0);
        // Past thousands of digits only whether any digit is nonzero can still matter.
        QTest::newRow("tie kept over many zeros") << comma << ("18446744073709551617," + QString(20000, u'0'))
                                                  << ext(18446744073709551616.0L);
        QTest::newRow("tie broken far out") << comma << ("18446744073709551617," + QString(20000, u'0') + "1")
                                            << ext(18446744073709551618.0L);
        QTest::newRow("exponent of many digits") << point << ("1e-" + QString(40, u'9')) << ext(0);
    }

    void acceptsNumbers()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, text);
        QFETCH(ExtendedValue, expected);
        setDecimalSeparator(separator);
        const Extended value = parseNumber(text);
        QVERIFY2(same(value, expected.value), qPrintable(describe(value) + " != " + describe(expected.value)));
    }

    void rejectsNonNumbers_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("text");

        const QChar comma = u',';
        const QChar point = u'.';
        QTest::newRow("empty") << comma << "";
        QTest::newRow("spaces only") << comma << "   ";
        QTest::newRow("minus alone") << comma << "-";
        QTest::newRow("plus alone") << comma << "+";
        QTest::newRow("exponent alone") << comma << "E5";
        QTest::newRow("sign and exponent") << comma << "-e5";
        QTest::newRow("point on a comma locale") << comma << "1.2";
        QTest::newRow("comma on a point locale") << point << "0,85";
        QTest::newRow("two separators") << comma << "1,2,3";
        QTest::newRow("separator after exponent") << comma << "1e5,5";
        QTest::newRow("exponent without digits") << comma << "1E";
        QTest::newRow("exponent sign without digits") << comma << "1E+";
        QTest::newRow("two signs") << comma << "+-1";
        QTest::newRow("sign after digits") << comma << "1-";
        QTest::newRow("space inside") << comma << "1 000";
        QTest::newRow("space after sign") << comma << "- 1";
        QTest::newRow("tab before") << comma << "\t1";
        QTest::newRow("tab after") << comma << "1\t";
        QTest::newRow("line break after") << comma << "1\n";
        QTest::newRow("no-break space") << comma << QString::fromUtf8("1\u00A0");
        QTest::newRow("embedded NUL") << comma << QString::fromUtf16(u"1\0" "2", 3);
        QTest::newRow("hexadecimal") << point << "0x10";
        QTest::newRow("infinity") << point << "inf";
        QTest::newRow("not a number") << point << "nan";
        QTest::newRow("Cyrillic e as exponent") << comma << QString::fromUtf8("1е5");
        QTest::newRow("Arabic-Indic digit") << comma << QString::fromUtf8("١");
        QTest::newRow("full-width digit") << comma << QString::fromUtf8("１");
        QTest::newRow("letter") << comma << "5a";
        QTest::newRow("beyond Extended") << point << "1e4933";
        QTest::newRow("far beyond Extended") << point << "-1e99999999999999999999";
        QTest::newRow("just beyond the largest") << point << "1.18973149535723176508575e4932";
        QTest::newRow("many integer digits") << point << QString(5000, u'1');
    }

    void rejectsNonNumbers()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, text);
        setDecimalSeparator(separator);
        QCOMPARE(errorOf([&] { parseNumber(text); }), notANumber.arg(text));
    }

    // Numbers read before are remembered: by the whole text and the separator, never by a part,
    // and a text that is no number is refused each time.
    void numbersReadAgainAgree()
    {
        setDecimalSeparator(u',');
        for (int round = 0; round < 2; ++round) {
            for (int k = 0; k < 1000; ++k)
                QCOMPARE(parseNumber(QString::number(k) + QStringLiteral(",5")), Extended(k) + 0.5L);
        }
        setDecimalSeparator(u'.');
        QCOMPARE(errorOf([] { parseNumber(u"1,5"); }), notANumber.arg("1,5"));
        QCOMPARE(parseNumber(u"1.5"), 1.5L);
    }

    void conversionMessageQuotesTheText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");

        QTest::newRow("empty") << "" << "'' is not a valid floating point value";
        QTest::newRow("spaces kept") << " 5. " << "' 5. ' is not a valid floating point value";
        QTest::newRow("percent signs kept") << "%1%s" << "'%1%s' is not a valid floating point value";
        QTest::newRow("Cyrillic") << QString::fromUtf8("пять") << QString::fromUtf8("'пять' is not a valid floating point value");
    }

    void conversionMessageQuotesTheText()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        setDecimalSeparator(u',');
        try {
            parseNumber(text);
            QFAIL("no error");
        } catch (const ConversionError &error) {
            QCOMPARE(error.message(), message);
        }
    }

    void formatsGeneral_data()
    {
        QTest::addColumn<ExtendedValue>("value");
        QTest::addColumn<QString>("expected");

        QTest::newRow("zero") << ext(0) << "0";
        QTest::newRow("negative zero") << ext(-0.0L) << "0";
        QTest::newRow("integer") << ext(180) << "180";
        QTest::newRow("negative") << ext(-12.5L) << "-12,5";
        QTest::newRow("no trailing zeros") << ext(0.85) << "0,85";
        QTest::newRow("double tenth") << ext(0.1) << "0,1";
        QTest::newRow("third") << ext(1.0 / 3) << "0,333333333333333";
        QTest::newRow("two thirds") << ext(2.0 / 3) << "0,666666666666667";
        QTest::newRow("extended two thirds") << ext(2.0L / 3) << "0,666666666666667";
        QTest::newRow("fifteen integer digits") << ext(999999999999999.0L) << "999999999999999";
        QTest::newRow("sixteen integer digits") << ext(1e15L) << "1E15";
        QTest::newRow("rounds up to sixteen digits") << ext(999999999999999.5L) << "1E15";
        QTest::newRow("large") << ext(1e20L) << "1E20";
        QTest::newRow("large with digits") << ext(123456789012345678.0L) << "1,23456789012346E17";
        QTest::newRow("half away from zero") << ext(1234567890123445.0L) << "1,23456789012345E15";
        QTest::newRow("negative half away from zero") << ext(-1234567890123445.0L) << "-1,23456789012345E15";
        QTest::newRow("smallest fixed") << ext(0.00001) << "0,00001";
        QTest::newRow("small fixed with digits") << ext(1.23456789012345e-5L) << "0,0000123456789012345";
        QTest::newRow("below the smallest fixed") << ext(9.99999e-6) << "9,99999E-6";
        QTest::newRow("rounds up to the smallest fixed") << ext(9.9999999999999999e-6L) << "0,00001";
        QTest::newRow("small") << ext(1.5e-7) << "1,5E-7";
        QTest::newRow("small negative") << ext(-2.5e-6) << "-2,5E-6";
        QTest::newRow("largest double") << ext(DBL_MAX) << "1,79769313486232E308";
        QTest::newRow("smallest double") << ext(std::numeric_limits<double>::denorm_min()) << "4,94065645841247E-324";
        QTest::newRow("largest Extended") << ext(LDBL_MAX) << "1,18973149535723E4932";
        QTest::newRow("smallest Extended") << ext(std::numeric_limits<Extended>::denorm_min()) << "3,64519953188247E-4951";
    }

    void formatsGeneral()
    {
        QFETCH(ExtendedValue, value);
        QFETCH(QString, expected);
        setDecimalSeparator(u',');
        QCOMPARE(formatGeneral(value.value), expected);
    }

    void formatsFixed_data()
    {
        QTest::addColumn<ExtendedValue>("value");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");

        QTest::newRow("area") << ext(1.12) << 6 << 2 << "1,12";
        QTest::newRow("modulus") << ext(0.7467) << 6 << 3 << "0,747";
        QTest::newRow("stress") << ext(13392.857) << 6 << 1 << "13392,9";
        QTest::newRow("half to whole") << ext(42.5) << 6 << 0 << "43";
        QTest::newRow("negative half") << ext(-42.5) << 6 << 0 << "-43";
        QTest::newRow("exact half of a decimal") << ext(1.25) << 6 << 1 << "1,3";
        QTest::newRow("exact quarter") << ext(0.125) << 6 << 2 << "0,13";
        // The double nearest 0.285 lies below it: the exact value decides.
        QTest::newRow("just below a half") << ext(0.285) << 6 << 2 << "0,28";
        QTest::newRow("zeros beyond the precision") << ext(1234.5678) << 6 << 3 << "1234,570";
        QTest::newRow("precision limits decimals") << ext(123456.7) << 6 << 1 << "123457,0";
        QTest::newRow("carry into a new digit") << ext(99.96) << 6 << 1 << "100,0";
        QTest::newRow("carry through all digits") << ext(9.9999999) << 6 << 2 << "10,00";
        QTest::newRow("six integer digits") << ext(999999.4) << 6 << 0 << "999999";
        QTest::newRow("rounds up to seven digits") << ext(999999.5) << 6 << 0 << "1E6";
        QTest::newRow("seven integer digits") << ext(1234567) << 6 << 1 << "1,23457E6";
        QTest::newRow("million") << ext(1e6) << 6 << 0 << "1E6";
        QTest::newRow("lower precision") << ext(12345678) << 3 << 0 << "1,23E7";
        QTest::newRow("large negative") << ext(-1.5e20) << 6 << 2 << "-1,5E20";
        QTest::newRow("zero") << ext(0) << 6 << 2 << "0,00";
        QTest::newRow("negative zero") << ext(-0.0L) << 6 << 0 << "0";
        QTest::newRow("rounds to zero") << ext(-0.04) << 6 << 1 << "0,0";
        QTest::newRow("tiny") << ext(1e-30) << 6 << 3 << "0,000";
        QTest::newRow("rounds up into the last decimal") << ext(0.0006) << 6 << 3 << "0,001";
        QTest::newRow("negative rounds away") << ext(-0.05) << 6 << 1 << "-0,1";
        QTest::newRow("negative length") << ext(-8) << 6 << 0 << "-8";
        QTest::newRow("no decimals") << ext(42.6) << 6 << 0 << "43";
        QTest::newRow("decimal places beyond the precision") << ext(0.5) << 6 << 8 << "0,50000000";
        QTest::newRow("extended value") << ext(0.1L * 0.1L * 1e6L) << 6 << 1 << "10000,0";
    }

    void formatsFixed()
    {
        QFETCH(ExtendedValue, value);
        QFETCH(int, precision);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        setDecimalSeparator(u',');
        QCOMPARE(formatFixed(value.value, precision, decimals), expected);
    }

    void formatsUseTheSeparator()
    {
        setDecimalSeparator(u'.');
        QCOMPARE(formatGeneral(-1.5e-7), QStringLiteral("-1.5E-7"));
        QCOMPARE(formatGeneral(0.7), QStringLiteral("0.7"));
        QCOMPARE(formatFixed(1.12, 6, 2), QStringLiteral("1.12"));
        QCOMPARE(formatFixed(1234567, 6, 1), QStringLiteral("1.23457E6"));
    }

    void divides_data()
    {
        QTest::addColumn<ExtendedValue>("dividend");
        QTest::addColumn<ExtendedValue>("divisor");
        QTest::addColumn<QString>("error");
        QTest::addColumn<ExtendedValue>("quotient");

        QTest::newRow("ordinary") << ext(6) << ext(3) << QString() << ext(2);
        QTest::newRow("extended") << ext(1) << ext(3) << QString() << ext(1.0L / 3);
        QTest::newRow("underflow is silent") << ext(1e-4000L) << ext(1e4000L) << QString() << ext(0);
        QTest::newRow("non-zero by zero") << ext(1) << ext(0) << divisionByZero << ext(0);
        QTest::newRow("negative by zero") << ext(-5) << ext(0) << divisionByZero << ext(0);
        QTest::newRow("by negative zero") << ext(1) << ext(-0.0L) << divisionByZero << ext(0);
        QTest::newRow("tiny by zero") << ext(1e-4940L) << ext(0) << divisionByZero << ext(0);
        QTest::newRow("zero by zero") << ext(0) << ext(0) << invalidOperation << ext(0);
        QTest::newRow("negative zero by zero") << ext(-0.0L) << ext(0) << invalidOperation << ext(0);
        QTest::newRow("beyond Extended") << ext(1e4000L) << ext(1e-4000L) << overflow << ext(0);
    }

    void divides()
    {
        QFETCH(ExtendedValue, dividend);
        QFETCH(ExtendedValue, divisor);
        QFETCH(QString, error);
        QFETCH(ExtendedValue, quotient);
        Extended result = 0;
        QCOMPARE(errorOf([&] { result = divide(dividend.value, divisor.value); }), error);
        if (error.isEmpty())
            QVERIFY2(same(result, quotient.value), qPrintable(describe(result)));
    }

    void takesSquareRoots_data()
    {
        QTest::addColumn<ExtendedValue>("value");
        QTest::addColumn<QString>("error");
        QTest::addColumn<ExtendedValue>("root");

        QTest::newRow("square") << ext(16) << QString() << ext(4);
        QTest::newRow("zero") << ext(0) << QString() << ext(0);
        QTest::newRow("negative zero") << ext(-0.0L) << QString() << ext(-0.0L);
        QTest::newRow("extended") << ext(2) << QString() << ext(1.41421356237309504880L);
        QTest::newRow("negative") << ext(-1) << invalidOperation << ext(0);
        QTest::newRow("tiny negative") << ext(-1e-4940L) << invalidOperation << ext(0);
    }

    void takesSquareRoots()
    {
        QFETCH(ExtendedValue, value);
        QFETCH(QString, error);
        QFETCH(ExtendedValue, root);
        Extended result = 0;
        QCOMPARE(errorOf([&] { result = squareRoot(value.value); }), error);
        if (error.isEmpty())
            QVERIFY2(same(result, root.value), qPrintable(describe(result)));
    }

    void stores_data()
    {
        QTest::addColumn<ExtendedValue>("value");
        QTest::addColumn<QString>("error");
        QTest::addColumn<double>("stored");

        const Extended largest = DBL_MAX;
        QTest::newRow("rounds to double") << ext(0.1L) << QString() << 0.1;
        QTest::newRow("negative zero") << ext(-0.0L) << QString() << -0.0;
        QTest::newRow("largest double") << ext(largest) << QString() << DBL_MAX;
        QTest::newRow("rounds down to the largest") << ext(largest + std::ldexp(Extended(1), 969) * 1.5L) << QString() << DBL_MAX;
        QTest::newRow("negative rounds down to the largest") << ext(-largest - std::ldexp(Extended(1), 969)) << QString() << -DBL_MAX;
        QTest::newRow("half an ulp beyond the largest") << ext(largest + std::ldexp(Extended(1), 970)) << overflow << 0.0;
        QTest::newRow("beyond double") << ext(1e309L) << overflow << 0.0;
        QTest::newRow("negative beyond double") << ext(-1e309L) << overflow << 0.0;
        QTest::newRow("product beyond double") << ext(Extended(1e200) * 1e200) << overflow << 0.0;
        QTest::newRow("largest Extended") << ext(LDBL_MAX) << overflow << 0.0;
        QTest::newRow("infinity") << ext(std::numeric_limits<Extended>::infinity()) << overflow << 0.0;
        QTest::newRow("not a number") << ext(std::numeric_limits<Extended>::quiet_NaN()) << invalidOperation << 0.0;
        QTest::newRow("underflow to denormal") << ext(1e-320L) << QString() << 1e-320;
        QTest::newRow("underflow to zero") << ext(1e-400L) << QString() << 0.0;
        QTest::newRow("negative underflow") << ext(-1e-400L) << QString() << -0.0;
    }

    void stores()
    {
        QFETCH(ExtendedValue, value);
        QFETCH(QString, error);
        QFETCH(double, stored);
        double field = 5;
        QCOMPARE(errorOf([&] { field = store(value.value); }), error);
        if (error.isEmpty()) {
            QCOMPARE(field, stored);
            QCOMPARE(std::signbit(field), std::signbit(stored));
        } else {
            QCOMPARE(field, 5.0); // a failed store leaves the field as it was
        }
    }

    void numberTooLargeForADoubleFailsWhenStored()
    {
        setDecimalSeparator(u',');
        const Extended value = parseNumber(u"1E309");
        QCOMPARE(errorOf([&] { store(value); }), overflow);
    }
};

QTEST_GUILESS_MAIN(NumbersTest)

#include "NumbersTest.moc"
