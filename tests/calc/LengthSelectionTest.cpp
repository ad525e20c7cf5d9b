// Tests of the weld length selection, taking its proposal, and the report action's cancel.
#include "FrameTestSupport.h"
#include "ProgramWindows.h"
#include "Unit1.h"

#include <QPushButton>
#include <QTextEdit>
#include <cmath>

using namespace frametest;

namespace {

// The check of 1 t at 100 mm with a design length of 40 mm.
void checkOneTonneAtHundredMillimetres(TFrame3 &frame)
{
    retype(frame.Edit4, QStringLiteral("1"));
    retype(frame.Edit3, QStringLiteral("100"));
    retype(frame.Edit6, local(QStringLiteral("4,8")));
    QTest::mouseClick(frame.Button1, Qt::LeftButton);
}

// The selection's lengths for a moment in kg*cm and a force in kg (leg 4 mm, beta 0.7, Rwf 1850).
double momentLength(double moment)
{
    return std::sqrt(6 * moment / (0.7 * 0.4 * 1850)) + 2 * 0.4;
}
double forceLength(double force)
{
    return force / (1850 * 0.7 * 0.4) + 2 * 0.4;
}

} // namespace

class LengthSelectionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { substituteDesignedFonts(); }

    void proposalAfterACheck_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<bool>("clickTheBox");
        for (QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
            QTest::addRow("caption (%c)", separator.toLatin1()) << separator << false;
            QTest::addRow("proposal box (%c)", separator.toLatin1()) << separator << true;
        }
    }
    void proposalAfterACheck()
    {
        QFETCH(QChar, separator);
        QFETCH(bool, clickTheBox);
        Session session(separator);
        TFrame3 &frame = *session.frame;
        checkOneTonneAtHundredMillimetres(frame);
        QCOMPARE(frame.Label26->text(), QStringLiteral(" > "));
        if (clickTheBox)
            QTest::mouseClick(frame.Edit13, Qt::LeftButton);
        else
            QTest::mouseClick(frame.Label34, Qt::LeftButton);
        QVERIFY(std::abs(WeldCalcState.LM - 11.562) < 5e-4);
        QVERIFY(std::abs(WeldCalcState.LQ - 2.731) < 5e-4);
        QVERIFY(std::abs(WeldCalcState.Lsel - 11.880) < 5e-4);
        QCOMPARE(frame.Edit13->text(), QStringLiteral("12"));

        QTest::mouseClick(frame.Button10, Qt::LeftButton);
        QCOMPARE(frame.Edit6->text(), QStringLiteral("12"));
        QCOMPARE(frame.Label52->text(), QStringLiteral("112"));
        QCOMPARE(frame.Label26->text(), QStringLiteral(" > "));
        QTest::mouseClick(frame.Button1, Qt::LeftButton);
        QCOMPARE(frame.Label22->text(), QStringLiteral("1738"));
        QCOMPARE(frame.Label23->text(), QStringLiteral("1850"));
        QCOMPARE(frame.Label26->text(), QStringLiteral(" < "));
        QCOMPARE(fontColour(frame.Label27), green);
        QVERIFY(session.boxes.boxes.isEmpty());
    }

    void zeroLoadIsGovernedByTheMoment()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        retype(frame.Edit1, QStringLiteral("100"));
        frame.Button1Click(frame.Button1);
        frame.Label34Click(frame.Label34);
        QCOMPARE(WeldCalcState.LQ, 0.8);
        QVERIFY(std::abs(WeldCalcState.LM - momentLength(10000)) < 1e-12);
    }

    void selectionFailsWithoutAUsableState_data()
    {
        QTest::addColumn<QString>("load");
        QTest::addColumn<QString>("moment"); // typed into Edit1 before a check, if any
        QTest::addColumn<QString>("error");
        QTest::newRow("before any check, no load") << QString() << QString()
                                                   << QStringLiteral("Invalid floating point operation.");
        QTest::newRow("before any check, with a load") << QStringLiteral("1") << QString()
                                                       << QStringLiteral("Floating point division by zero.");
        QTest::newRow("negative moment after a check") << QString() << QStringLiteral("-5")
                                                       << QStringLiteral("Invalid floating point operation.");
    }
    void selectionFailsWithoutAUsableState()
    {
        QFETCH(QString, load);
        QFETCH(QString, moment);
        QFETCH(QString, error);
        Session session;
        TFrame3 &frame = *session.frame;
        WeldCalcState.LM = 1;
        WeldCalcState.LQ = 2;
        WeldCalcState.Lsel = 3;
        if (!load.isEmpty()) {
            retype(frame.Edit4, load);
            retype(frame.Edit3, QStringLiteral("100"));
        }
        if (!moment.isEmpty()) {
            retype(frame.Edit1, moment);
            frame.Button1Click(frame.Button1);
        }
        QTest::mouseClick(frame.Label34, Qt::LeftButton);
        QCOMPARE(session.boxes.errors(), QStringList({error}));
        QCOMPARE(WeldCalcState.LM, 1.0);
        QCOMPARE(WeldCalcState.LQ, 2.0);
        QCOMPARE(WeldCalcState.Lsel, 3.0);
        QCOMPARE(frame.Edit13->text(), QStringLiteral("0"));
    }

    void acceptingBeforeAnySelectionWritesZero()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        QTest::mouseClick(frame.Button10, Qt::LeftButton);
        QCOMPARE(frame.Edit6->text(), QStringLiteral("0"));
        QCOMPARE(frame.Label52->text(), QStringLiteral("-8"));
        QCOMPARE(WeldCalcState.L, 0.0);
    }

    void selectionUsesOneConsistentState_data()
    {
        QTest::addColumn<QString>("editedLoad");
        QTest::addColumn<QString>("editedEccentricity");
        QTest::addColumn<bool>("checkAgain");
        QTest::addColumn<double>("moment"); // kg*cm
        QTest::addColumn<double>("force");  // kg
        QTest::newRow("as the check left it") << QString() << QString() << false << 10000.0 << 1000.0;
        QTest::newRow("load edited") << QStringLiteral("2") << QString() << false << 20000.0 << 2000.0;
        QTest::newRow("eccentricity edited") << QString() << QStringLiteral("50") << false << 5000.0 << 1000.0;
        QTest::newRow("edited, then checked") << QStringLiteral("2") << QString() << true << 20000.0 << 2000.0;
    }
    void selectionUsesOneConsistentState()
    {
        QFETCH(QString, editedLoad);
        QFETCH(QString, editedEccentricity);
        QFETCH(bool, checkAgain);
        QFETCH(double, moment);
        QFETCH(double, force);
        Session session;
        TFrame3 &frame = *session.frame;
        checkOneTonneAtHundredMillimetres(frame);
        if (!editedLoad.isEmpty())
            retype(frame.Edit4, editedLoad);
        if (!editedEccentricity.isEmpty())
            retype(frame.Edit3, editedEccentricity);
        if (checkAgain)
            frame.Button1Click(frame.Button1);
        frame.Label34Click(frame.Label34);
        QVERIFY2(std::abs(WeldCalcState.LM - momentLength(moment)) < 1e-12,
                 qPrintable(QString::number(WeldCalcState.LM, 'g', 17)));
        QVERIFY2(std::abs(WeldCalcState.LQ - forceLength(force)) < 1e-12,
                 qPrintable(QString::number(WeldCalcState.LQ, 'g', 17)));
        QVERIFY(session.boxes.boxes.isEmpty());
    }

    void reportCancelledChangesNothing()
    {
        Session session;
        ProgramWindows windows;
        TFrame3 &frame = *session.frame;
        const QString before = Form1->RichEdit1->toPlainText();
        session.boxes.answerFileDialog(std::nullopt);
        QTest::mouseClick(frame.Button9, Qt::LeftButton);
        QCOMPARE(session.boxes.dialogs.size(), 1);
        QVERIFY(session.boxes.boxes.isEmpty());
        QVERIFY(!Form1->isVisible());
        QCOMPARE(Form1->RichEdit1->toPlainText(), before);
    }
};

QTEST_MAIN(LengthSelectionTest)
#include "LengthSelectionTest.moc"
