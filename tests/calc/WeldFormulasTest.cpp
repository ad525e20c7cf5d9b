// The weld formulas step by step: the worked figures, the length limits at their edges, the
// length selection from either writer of the moment, and failures that stop at their step.
#include "Errors.h"
#include "Numbers.h"
#include "WeldFormulas.h"

#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(MomentSource)

namespace {

// The record as a strength check leaves it before its formulas: leg 4 mm, beta 0.7, Rwf 1850.
WeldCalcValues checkedInputs(double load, double momentKgCm, double designLength)
{
    WeldCalcValues values;
    values.beta = 0.7;
    values.Kf = 0.4;
    values.Q = load;
    values.M = momentKgCm;
    values.Lw = designLength;
    values.L = designLength + 0.8;
    values.Rwf = 1850;
    values.Ywf = 1;
    values.Yc = 1;
    return values;
}

void runStrengthCheckSteps(WeldCalcValues &values)
{
    computeShearArea(values);
    computeSectionModulus(values);
    computeBendingStress(values);
    computeShearStress(values);
    computeResultantAndLimit(values);
}

} // namespace

class WeldFormulasTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setDecimalSeparator(u','); }

    void strengthCheckFigures_data()
    {
        QTest::addColumn<double>("load");   // t
        QTest::addColumn<double>("moment"); // kg*cm
        QTest::addColumn<double>("designLength");
        QTest::addColumn<QStringList>("shown"); // Fw, Ww, sigma, tau, SIGMAmax, Rlim as shown
        QTest::newRow("no load") << 0.0 << 0.0 << 4.0
                                 << QStringList{"1,12", "0,747", "0,0", "0,0", "0", "1850"};
        QTest::newRow("light load") << 0.05 << 500.0 << 4.0
                                    << QStringList{"1,12", "0,747", "669,6", "44,6", "671", "1850"};
        QTest::newRow("heavy load") << 1.0 << 10000.0 << 4.0
                                    << QStringList{"1,12", "0,747", "13392,9", "892,9", "13423", "1850"};
        QTest::newRow("initial length") << 0.0 << 0.0 << 4.2
                                        << QStringList{"1,18", "0,823", "0,0", "0,0", "0", "1850"};
    }
    void strengthCheckFigures()
    {
        QFETCH(double, load);
        QFETCH(double, moment);
        QFETCH(double, designLength);
        QFETCH(QStringList, shown);
        WeldCalcValues values = checkedInputs(load, moment, designLength);
        runStrengthCheckSteps(values);
        QCOMPARE(values.Qkg, load * 1000);
        const QStringList figures{formatFixed(values.Fw, 6, 2), formatFixed(values.Ww, 6, 3),
                                  formatFixed(values.sigma, 6, 1), formatFixed(values.tau, 6, 1),
                                  formatFixed(values.SIGMAmax, 6, 0), formatFixed(values.Rlim, 6, 0)};
        QCOMPARE(figures, shown);
    }

    // 1850.3 against 1850: the stored figures, not the shown ones, decide the verdict.
    void resultantIsStoredUnrounded()
    {
        WeldCalcValues values = checkedInputs(0, 1381.557, 4.0);
        runStrengthCheckSteps(values);
        QCOMPARE(formatFixed(values.SIGMAmax, 6, 0), formatFixed(values.Rlim, 6, 0));
        QVERIFY(values.SIGMAmax > values.Rlim);
    }

    void lengthLimits_data()
    {
        QTest::addColumn<double>("beta");
        QTest::addColumn<double>("leg"); // cm
        QTest::addColumn<double>("designLength");
        QTest::addColumn<double>("length");
        QTest::addColumn<bool>("below");
        QTest::addColumn<bool>("above");
        QTest::addColumn<QString>("greatest"); // mm, as the warning shows it
        QTest::newRow("within") << 0.7 << 0.4 << 4.2 << 5.0 << false << false << "238";
        QTest::newRow("design length at the least") << 1.0 << 0.5 << 4.0 << 5.0 << false << false << "425";
        QTest::newRow("design length under the least") << 1.0 << 0.5 << 3.99 << 4.99 << true << false << "425";
        QTest::newRow("length at the greatest") << 1.0 << 0.5 << 41.5 << 42.5 << false << false << "425";
        QTest::newRow("length over the greatest") << 1.0 << 0.5 << 41.6 << 42.6 << false << true << "425";
        QTest::newRow("25 cm over 238 mm") << 0.7 << 0.4 << 24.2 << 25.0 << false << true << "238";
        QTest::newRow("negative design length") << 0.7 << 0.4 << -8.0 << 0.0 << true << false << "238";
    }
    void lengthLimits()
    {
        QFETCH(double, beta);
        QFETCH(double, leg);
        QFETCH(double, designLength);
        QFETCH(double, length);
        QFETCH(bool, below);
        QFETCH(bool, above);
        QFETCH(QString, greatest);
        WeldCalcValues values = checkedInputs(0, 0, designLength);
        values.beta = beta;
        values.Kf = leg;
        values.L = length;
        computeLengthLimits(values);
        QCOMPARE(values.Lmin, 4.0);
        QCOMPARE(formatGeneral(Extended(values.Lmax) * lengthFactor), greatest);
        QCOMPARE(isBelowLeastLength(values), below);
        QCOMPARE(isAboveGreatestLength(values), above);
    }

    // A zero design length: the area and the modulus are stored as zero, then the bending stress
    // fails and leaves sigma and everything after it as it was.
    void failingStepLeavesTheLaterFields_data()
    {
        QTest::addColumn<double>("moment");
        QTest::addColumn<QString>("message");
        QTest::newRow("moment over zero") << 500.0 << QStringLiteral("Floating point division by zero");
        QTest::newRow("zero over zero") << 0.0 << QStringLiteral("Invalid floating point operation");
    }
    void failingStepLeavesTheLaterFields()
    {
        QFETCH(double, moment);
        QFETCH(QString, message);
        WeldCalcValues values = checkedInputs(1, moment, 0);
        values.sigma = values.tau = values.SIGMAmax = values.Rlim = -1;
        QString raised;
        try {
            runStrengthCheckSteps(values);
        } catch (const WeldError &error) {
            raised = error.message();
        }
        QCOMPARE(raised, message);
        QCOMPARE(values.Fw, 0.0);
        QCOMPARE(values.Ww, 0.0);
        QCOMPARE(values.sigma, -1.0);
        QCOMPARE(values.tau, -1.0);
        QCOMPARE(values.SIGMAmax, -1.0);
        QCOMPARE(values.Rlim, -1.0);
    }

    // After a check M is kg*cm and Qkg the force of that check; after an edit of the inputs M is
    // kg*m of the new load and eccentricity, and Qkg is stale.
    void selectionTakesMomentAndForceOfOneState_data()
    {
        QTest::addColumn<MomentSource>("source");
        QTest::addColumn<double>("load");
        QTest::addColumn<double>("moment");
        QTest::addColumn<double>("force");
        QTest::addColumn<double>("LM");
        QTest::addColumn<double>("LQ");
        QTest::addColumn<double>("Lsel");
        QTest::newRow("after a check") << MomentSource::StrengthCheck << 1.0 << 10000.0 << 1000.0
                                       << 11.5624 << 2.7305 << 11.8805;
        QTest::newRow("after an edit") << MomentSource::Inputs << 1.0 << 100.0 << 5000.0
                                       << 11.5624 << 2.7305 << 11.8805;
        QTest::newRow("after an edit to 2 t") << MomentSource::Inputs << 2.0 << 200.0 << 1000.0
                                              << 16.0204 << 4.6610 << 16.6847;
        QTest::newRow("no moment, no force") << MomentSource::StrengthCheck << 0.0 << 0.0 << 0.0
                                             << 0.8 << 0.8 << 1.1314;
    }
    void selectionTakesMomentAndForceOfOneState()
    {
        QFETCH(MomentSource, source);
        QFETCH(double, load);
        QFETCH(double, moment);
        QFETCH(double, force);
        WeldCalcValues values = checkedInputs(load, moment, 4.0);
        values.Qkg = force;
        selectLength(values, source);
        QFETCH(double, LM);
        QFETCH(double, LQ);
        QFETCH(double, Lsel);
        QVERIFY2(std::abs(values.LM - LM) < 1e-4, qPrintable(QString::number(values.LM, 'g', 17)));
        QVERIFY2(std::abs(values.LQ - LQ) < 1e-4, qPrintable(QString::number(values.LQ, 'g', 17)));
        QVERIFY2(std::abs(values.Lsel - Lsel) < 1e-4, qPrintable(QString::number(values.Lsel, 'g', 17)));
    }

    void selectionFailsBeforeStoringAnything_data()
    {
        QTest::addColumn<double>("moment");
        QTest::addColumn<double>("resistance");
        QTest::addColumn<QString>("message");
        QTest::newRow("no resistance") << 10000.0 << 0.0 << QStringLiteral("Floating point division by zero");
        QTest::newRow("no resistance, no moment") << 0.0 << 0.0 << QStringLiteral("Invalid floating point operation");
        QTest::newRow("negative moment") << -500.0 << 1850.0 << QStringLiteral("Invalid floating point operation");
    }
    void selectionFailsBeforeStoringAnything()
    {
        QFETCH(double, moment);
        QFETCH(double, resistance);
        QFETCH(QString, message);
        WeldCalcValues values = checkedInputs(1, moment, 4.0);
        values.Rwf = resistance;
        values.LM = 1;
        values.LQ = 2;
        values.Lsel = 3;
        QString raised;
        try {
            selectLength(values, MomentSource::StrengthCheck);
        } catch (const WeldError &error) {
            raised = error.message();
        }
        QCOMPARE(raised, message);
        QCOMPARE(values.LM, 1.0);
        QCOMPARE(values.LQ, 2.0);
        QCOMPARE(values.Lsel, 3.0);
    }

    void resetRestoresTheMomentSource()
    {
        WeldCalcState.M = 5;
        WeldCalcMomentSource = MomentSource::Inputs;
        resetWeldCalcState();
        QCOMPARE(WeldCalcState.M, 0.0);
        QVERIFY(WeldCalcMomentSource == MomentSource::StrengthCheck);
    }
};

QTEST_GUILESS_MAIN(WeldFormulasTest)
#include "WeldFormulasTest.moc"
