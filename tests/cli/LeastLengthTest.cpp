// The least length that holds, at its edges: a length that holds with nothing to spare, one
// beyond 85·beta·Kf, a zero load, no length at all; and the window's proposal beside it.
#include "JointRun.h"
#include "LeastLength.h"
#include "Numbers.h"
#include "WeldFormulas.h"

#include <QRandomGenerator>
#include <QTest>
#include <cstring>

Q_DECLARE_METATYPE(JointInputs)

namespace {

JointInputs joint(std::initializer_list<std::pair<InputBox, const char *>> typed)
{
    JointInputs inputs;
    for (const auto &[box, text] : typed)
        inputs[std::size_t(box)] = QString::fromUtf8(text);
    return inputs;
}

// The check at a whole length, run as the window runs it.
JointResult checkedAt(JointInputs inputs, qint64 length, const QString &leg = QString())
{
    inputs[std::size_t(InputBox::Length)] = QString::number(length);
    if (!leg.isEmpty())
        inputs[std::size_t(InputBox::Leg)] = leg;
    return runJoint(inputs);
}

bool holdsAt(const JointInputs &inputs, qint64 length, const QString &leg = QString())
{
    const JointResult result = checkedAt(inputs, length, leg);
    return !result.error && result.relation && holds(*result.relation);
}

} // namespace

class LeastLengthTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setDecimalSeparator(QLatin1Char(',')); }

    // A trial's design length is the one the caption of Label52 shows and the check reads back.
    void trialDesignLengthAsTheCaptionShowsIt_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("leg");
        QTest::newRow("whole") << "17" << "4";
        QTest::newRow("a half rounds away from zero") << "0,25" << "0";
        QTest::newRow("a negative half") << "0" << "1,25";
        QTest::newRow("rounds to zero from below") << "0,4" << "2,2";
        QTest::newRow("rounds up to a million mm") << "99999,96" << "0";
        QTest::newRow("scientific caption") << "10000000" << "4";
        QTest::newRow("huge") << "1E300" << "6";
    }
    void trialDesignLengthAsTheCaptionShowsIt()
    {
        QFETCH(QString, length);
        QFETCH(QString, leg);
        QList<std::pair<QString, QString>> texts = {{length, leg}};
        // And random whole and decimal lengths with the legs a search tries.
        QRandomGenerator random(18);
        for (int i = 0; i < 20000; ++i) {
            const qint64 whole = 1 + random.bounded(qint64(10'000'000) >> random.bounded(24));
            texts.append({i % 2 ? QString::number(whole) : QString::number(whole) + QStringLiteral(",%1").arg(random.bounded(100)),
                          legEntries[random.bounded(legEntries.size())]});
        }
        for (const auto &[lengthText, legText] : texts) {
            WeldCalcValues state;
            const QString caption = updateDesignLength(state, lengthText, legText);
            const double shown = store(divide(parseNumber(caption), lengthFactor));
            const double fast = designLengthAsShown(state.L, state.Kf);
            QVERIFY2(std::memcmp(&shown, &fast, sizeof shown) == 0,
                     qPrintable(lengthText + QLatin1Char(' ') + legText + QLatin1Char(' ') + caption));
        }
    }

    void leastLengthAtItsEdges_data()
    {
        using enum InputBox;
        QTest::addColumn<JointInputs>("inputs");
        QTest::addColumn<QString>("proposal");
        QTest::addColumn<QString>("least");
        // The window proposes 10 cm, which fails once rounded.
        QTest::newRow("rounded proposal fails")
            << joint({{Load, "0,403"}, {Eccentricity, "254,2"}, {Leg, "4"}, {Length, "17,5"}, {Beta, "0,9"},
                      {Resistance, "2000"}, {WeldFactor, "0,9"}, {StructureFactor, "1,1"}})
            << "10" << "11";
        // Pure shear of 4 t on 1·0,5·4 cm² is 2000 against 2000: it holds with the sign " = ".
        QTest::newRow("holds with nothing to spare")
            << joint({{Load, "4"}, {Leg, "5"}, {Beta, "1"}, {Resistance, "2000"}}) << "5" << "5";
        // Nothing to carry: the least design length of 4 cm decides (5 cm with two legs of 4 mm).
        QTest::newRow("zero load") << joint({{Load, "0"}, {Eccentricity, "100"}}) << "1" << "5";
        QTest::newRow("beyond 85·beta·Kf, a larger leg within")
            << joint({{Load, "5"}, {Eccentricity, "100"}}) << "27"
            << "26, больше допустимой 238 мм; при катете 6 мм: 22";
        QTest::newRow("beyond for every leg of the list")
            << joint({{Load, "100"}, {Eccentricity, "1000"}}) << "392"
            << "370, больше допустимой 238 мм; в пределах допустимой не держит ни один катет списка";
        QTest::newRow("no resistance, no length") << joint({{Load, "1"}, {Resistance, "0"}}) << QString() << "нет";
    }
    void leastLengthAtItsEdges()
    {
        QFETCH(JointInputs, inputs);
        QFETCH(QString, proposal);
        QFETCH(QString, least);
        const JointResult result = runJoint(inputs);
        QVERIFY(result.relation);
        if (result.proposed)
            QCOMPARE(result.Edit13, proposal);
        const LeastLength found = findLeastLength(result);
        QCOMPARE(leastLengthText(found), least);
        if (!found.length)
            return;
        // The length holds as the window checks it; one centimetre less fails or is below the least
        // design length (40 mm).
        const qint64 length = *found.length;
        QVERIFY(holdsAt(inputs, length));
        QVERIFY(!holdsAt(inputs, length - 1) || checkedAt(inputs, length - 1).Label52.toInt() < 40);
        QCOMPARE(checkedAt(inputs, length).warnings.size(), found.beyondGreatest ? 1 : 0);
        if (found.otherLegLength) {
            QVERIFY(holdsAt(inputs, *found.otherLegLength, found.otherLeg));
            QVERIFY(!holdsAt(inputs, *found.otherLegLength - 1, found.otherLeg));
        }
    }
};

QTEST_GUILESS_MAIN(LeastLengthTest)
#include "LeastLengthTest.moc"
