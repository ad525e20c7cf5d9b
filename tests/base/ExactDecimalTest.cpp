// Tests of the exact decimal conversion: hard cases at the limits of the format, and agreement
// with glibc's conversions on random inputs where glibc is the C library.
#include "ExactDecimal.h"
#include "ExactDecimalCases.h"

#include <QTest>
#include <cstring>
#include <random>

namespace {

const std::vector<exactcases::ParseCase> &parseCases()
{
    static const std::vector<exactcases::ParseCase> cases = exactcases::parseCases();
    return cases;
}

const std::vector<exactcases::FormatCase> &formatCases()
{
    static const std::vector<exactcases::FormatCase> cases = exactcases::formatCases();
    return cases;
}

// Equal in every bit: the sign of zero and infinities count.
bool identical(long double a, long double b)
{
    return std::memcmp(&a, &b, 10) == 0;
}

QString describe(long double value)
{
    return QString::asprintf("%La", value);
}

QString describe(const Decimal &decimal)
{
    return QString::asprintf("%s0.%s E%d", decimal.negative ? "-" : "", decimal.digits.c_str(), decimal.exponent);
}

} // namespace

class ExactDecimalTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundsToTheNearest_data()
    {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < parseCases().size(); ++i)
            QTest::newRow(parseCases()[i].name.c_str()) << int(i);
    }

    void roundsToTheNearest()
    {
        QFETCH(int, index);
        const exactcases::ParseCase &c = parseCases()[std::size_t(index)];
        const long double magnitude = c.infinite ? HUGE_VALL : std::ldexp((long double)c.mantissa, c.scale);
        const long double expected = c.negative ? -magnitude : magnitude;
        const long double value = nearestExtended(c.digits, c.exponent, c.negative);
        QVERIFY2(identical(value, expected), qPrintable(describe(value) + " != " + describe(expected)));
    }

    void cutsTheExactExpansion_data()
    {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < formatCases().size(); ++i)
            QTest::newRow(formatCases()[i].name.c_str()) << int(i);
    }

    void cutsTheExactExpansion()
    {
        QFETCH(int, index);
        const exactcases::FormatCase &c = formatCases()[std::size_t(index)];
        for (const bool negative : {false, true}) {
            const long double magnitude = std::ldexp((long double)c.mantissa, c.scale);
            const Decimal decimal = leadingDigits(negative ? -magnitude : magnitude, c.count);
            QCOMPARE(decimal.digits.size(), c.length);
            QCOMPARE(decimal.digits.substr(0, c.digits.size()), c.digits);
            QCOMPARE(decimal.exponent, c.exponent);
            QCOMPARE(decimal.negative, negative);
        }
    }

    // Every value reads back from its whole exact expansion.
    void readsBackItsOwnDigits_data()
    {
        QTest::addColumn<int>("seed");
        QTest::newRow("first") << 1;
        QTest::newRow("second") << 2;
    }

    void readsBackItsOwnDigits()
    {
        QFETCH(int, seed);
        std::mt19937_64 random{std::uint64_t(seed)};
        for (int i = 0; i < 400; ++i) {
            const exactcases::Value v = exactcases::randomValue(random);
            const long double value = std::ldexp((long double)v.mantissa, v.scale);
            const Decimal decimal = leadingDigits(value, 100000);
            const long double back = nearestExtended(decimal.digits, decimal.exponent - (long long)decimal.digits.size(), false);
            QVERIFY2(identical(back, value), qPrintable(describe(decimal) + " reads back as " + describe(back)));
        }
    }

    // The short road through 128-bit integers gives the digits of the big integers, wherever it
    // is taken and wherever it stops.
    void shortRoadAgreesWithBigIntegers_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("shown values") << 0;   // typed decimals and results of a few digits
        QTest::newRow("ties") << 1;           // exact halves, quarters, ... at every place
        QTest::newRow("whole numbers") << 2;  // up to and beyond 2^64 and 2^128
        QTest::newRow("small") << 3;          // down to 10^-12, past where the short road ends
        QTest::newRow("full mantissas") << 4; // every bit of the 64-bit mantissa set at random
    }
    void shortRoadAgreesWithBigIntegers()
    {
        QFETCH(int, kind);
        std::mt19937_64 random(std::uint64_t(kind) + 100);
        const auto uniform = [&random](double low, double high) {
            return std::uniform_real_distribution<double>(low, high)(random);
        };
        const auto checkOne = [](long double value, std::size_t count) {
            const Decimal fast = leadingDigits(value, count);
            const Decimal exact = leadingDigitsByBigIntegers(value, count);
            QVERIFY2(fast.digits == exact.digits && fast.exponent == exact.exponent && fast.negative == exact.negative,
                     qPrintable(describe(value) + QString(" count %1: ").arg(count) + describe(fast)
                                + " != " + describe(exact)));
        };
        checkOne(-0.0L, 16);
        for (int i = 0; i < 100000; ++i) {
            long double value = 0;
            switch (kind) {
            case 0:
                value = std::nearbyint(uniform(0, 1e7)) / std::pow(10.0, double(random() % 8));
                value = i % 3 ? double(value) : value * 1.1L;
                break;
            case 1:
                value = std::ldexp((long double)(random() % 100000 * 2 + 1), -int(random() % 60));
                break;
            case 2:
                value = std::ldexp((long double)(random() | 1), int(random() % 80));
                break;
            case 3:
                value = uniform(1, 10) * std::pow(10.0, -double(random() % 13));
                break;
            case 4:
                value = std::ldexp((long double)(random() | (1ULL << 63)), int(random() % 200) - 140);
                break;
            }
            checkOne(i % 2 ? -value : value, std::size_t(1 + random() % 20));
            if (QTest::currentTestFailed())
                return;
        }
    }

    void agreesWithGlibc()
    {
#ifdef __GLIBC__
        std::mt19937_64 random(42);
        for (int i = 0; i < 5000; ++i) {
            const exactcases::Text text = exactcases::randomText(random);
            const std::string written = exactcases::written(text);
            const long double value = nearestExtended(text.digits, text.exponent, text.negative);
            const long double expected = exactcases::libcNearest(written);
            QVERIFY2(identical(value, expected),
                     qPrintable(QString::fromStdString(written.substr(0, 200)) + ": " + describe(value)
                                + " != " + describe(expected)));
        }
        for (int i = 0; i < 5000; ++i) {
            const exactcases::Value v = exactcases::randomValue(random);
            const long double value = (i % 2 ? -1 : 1) * std::ldexp((long double)v.mantissa, v.scale);
            const Decimal decimal = leadingDigits(value, v.count);
            const Decimal expected = exactcases::libcDigits(value, v.count);
            QVERIFY2(decimal.digits == expected.digits && decimal.exponent == expected.exponent
                         && decimal.negative == expected.negative,
                     qPrintable(describe(value) + ": " + describe(decimal) + " != " + describe(expected)));
        }
#else
        QSKIP("glibc's conversions are the reference, and this C library is another");
#endif
    }
};

QTEST_GUILESS_MAIN(ExactDecimalTest)

#include "ExactDecimalTest.moc"
