// Tests of the strength check: worked examples, warnings, verdict colours, failures, blinking.
#include "FrameTestSupport.h"

#include <QPushButton>
#include <QTimer>

using namespace frametest;

namespace {

QList<Label *> verdictLabels(const TFrame3 &frame)
{
    return {frame.Label28, frame.Label29, frame.Label26, frame.Label22, frame.Label27, frame.Label23};
}

const QString lowerWarning = QStringLiteral("Длина шва меньше допустимой!");

} // namespace

class StrengthCheckTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { substituteDesignedFonts(); }

    void workedExamples_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("load");
        QTest::addColumn<QString>("eccentricity");
        QTest::addColumn<QString>("moment"); // typed into Edit1 after the load, if any
        QTest::addColumn<QString>("length"); // typed into Edit6, if any
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<QStringList>("results"); // Edit2, Edit9, Edit10, Edit11, Label22, Label23
        QTest::addColumn<QString>("relation");
        QTest::addColumn<bool>("holds");

        const QString none;
        const auto add = [&](const char *name, const QString &load, const QString &eccentricity,
                             const QString &moment, const QString &length, const QStringList &warnings,
                             const QStringList &results, const QString &relation, bool holds) {
            for (QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
                QTest::addRow("%s (%c)", name, separator.toLatin1())
                    << separator << load << eccentricity << moment << length << warnings << results
                    << relation << holds;
            }
        };
        // The design length follows the inputs from the start: 42 mm with the initial 5 cm.
        add("initial values", none, none, none, none, {},
            {"1,18", "0,823", "0,0", "0,0", "0", "1850"}, " < ", true);
        // 4,8 cm with the leg of 4 mm is the design length of 40 mm.
        add("initial values at 40 mm", none, none, none, "4,8", {},
            {"1,12", "0,747", "0,0", "0,0", "0", "1850"}, " < ", true);
        add("0,05 t at 100 mm", "0,05", "100", none, "4,8", {},
            {"1,12", "0,747", "669,6", "44,6", "671", "1850"}, " < ", true);
        add("1 t at 100 mm", "1", "100", none, "4,8", {},
            {"1,12", "0,747", "13392,9", "892,9", "13423", "1850"}, " > ", false);
        add("25 cm is above 85 beta Kf", none, none, none, "25",
            {QStringLiteral("Длина шва боьше допустимой! 238 мм")},
            {"6,78", "27,330", "0,0", "0,0", "0", "1850"}, " < ", true);
        add("4,5 cm is below the least design length", none, none, none, "4,5", {lowerWarning},
            {"1,04", "0,639", "0,0", "0,0", "0", "1850"}, " < ", true);
        // 1850.3 against 1850: both show 1850, and the check fails.
        add("1850.3 against 1850", none, none, "13,81557", "4,8", {},
            {"1,12", "0,747", "1850,3", "0,0", "1850", "1850"}, " > ", false);
    }
    void workedExamples()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, load);
        QFETCH(QString, eccentricity);
        QFETCH(QString, moment);
        QFETCH(QString, length);
        QFETCH(QStringList, warnings);
        QFETCH(QStringList, results);
        QFETCH(QString, relation);
        QFETCH(bool, holds);
        Session session(separator);
        TFrame3 &frame = *session.frame;
        if (!load.isEmpty()) {
            retype(frame.Edit4, local(load));
            retype(frame.Edit3, local(eccentricity));
        }
        if (!moment.isEmpty())
            retype(frame.Edit1, local(moment));
        if (!length.isEmpty())
            retype(frame.Edit6, local(length));
        QVERIFY(session.boxes.boxes.isEmpty());

        QTest::mouseClick(frame.Button1, Qt::LeftButton);
        QCOMPARE(session.boxes.messages(), warnings);
        QCOMPARE(session.boxes.errors(), QStringList());
        const QStringList shown = {frame.Edit2->text(), frame.Edit9->text(), frame.Edit10->text(),
                                   frame.Edit11->text(), frame.Label22->text(), frame.Label23->text()};
        QStringList expected;
        for (const QString &result : results)
            expected << local(result);
        QCOMPARE(shown, expected);
        QCOMPARE(frame.Label26->text(), relation);
        QCOMPARE(frame.Label27->text(), holds ? QStringLiteral("Условие выполняется.")
                                              : QStringLiteral("Условие не выполняется!"));
        for (Label *label : verdictLabels(frame))
            QCOMPARE(fontColour(label), holds ? green : red);
        QVERIFY(frame.Timer1->isActive());
    }

    void checkStoresItsInputsInKilogramsAndCentimetres()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        retype(frame.Edit4, QStringLiteral("1"));
        retype(frame.Edit3, QStringLiteral("100"));
        QCOMPARE(WeldCalcState.M, 100.0);
        frame.Button1Click(frame.Button1);
        QCOMPARE(WeldCalcState.M, 10000.0);
        QCOMPARE(WeldCalcState.Qkg, 1000.0);
        QCOMPARE(WeldCalcState.Lmin, 4.0);
        QCOMPARE(WeldCalcState.Lmax, 23.8);
        QCOMPARE(WeldCalcState.Rwf, 1850.0);
        QCOMPARE(WeldCalcState.Ywf, 1.0);
        QCOMPARE(WeldCalcState.Yc, 1.0);
        QCOMPARE(WeldCalcState.Rlim, 1850.0);
    }

    void equalStressAndLimitHold()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        retype(frame.ComboBox2, QStringLiteral("0"));
        frame.Button1Click(frame.Button1);
        QCOMPARE(frame.Label26->text(), QStringLiteral(" = "));
        QCOMPARE(frame.Label27->text(), QStringLiteral("Условие выполняется."));
        for (Label *label : verdictLabels(frame))
            QCOMPARE(fontColour(label), green);
    }

    void verdictColoursFollowEachCheck()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        for (Label *label : verdictLabels(frame))
            QCOMPARE(fontColour(label), maroon);
        retype(frame.Edit1, QStringLiteral("100"));
        frame.Button1Click(frame.Button1);
        for (Label *label : verdictLabels(frame))
            QCOMPARE(fontColour(label), red);
        retype(frame.Edit1, QStringLiteral("1"));
        frame.Button1Click(frame.Button1);
        for (Label *label : verdictLabels(frame))
            QCOMPARE(fontColour(label), green);
        QCOMPARE(frame.Label26->text(), QStringLiteral(" < "));
    }

    void zeroDesignLengthFailsAfterShowingZeros_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("moment");
        QTest::addColumn<QString>("error");
        for (QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
            QTest::addRow("non-zero moment (%c)", separator.toLatin1())
                << separator << QStringLiteral("5") << QStringLiteral("Floating point division by zero.");
            QTest::addRow("zero moment (%c)", separator.toLatin1())
                << separator << QStringLiteral("0") << QStringLiteral("Invalid floating point operation.");
        }
    }
    void zeroDesignLengthFailsAfterShowingZeros()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, moment);
        QFETCH(QString, error);
        Session session(separator);
        TFrame3 &frame = *session.frame;
        retype(frame.Edit6, local(QStringLiteral("0,8")));
        QCOMPARE(frame.Label52->text(), QStringLiteral("0"));
        retype(frame.Edit1, moment);
        QTest::mouseClick(frame.Button1, Qt::LeftButton);
        QCOMPARE(session.boxes.messages(), QStringList({lowerWarning}));
        QCOMPARE(session.boxes.errors(), QStringList({error}));
        QCOMPARE(frame.Edit2->text(), local(QStringLiteral("0,00")));
        QCOMPARE(frame.Edit9->text(), local(QStringLiteral("0,000")));
        QCOMPARE(frame.Edit10->text(), QStringLiteral("0"));
        QCOMPARE(frame.Label27->text(), QStringLiteral("       Результат"));
        QCOMPARE(fontColour(frame.Label27), maroon);
        QCOMPARE(WeldCalcState.sigma, 0.0);
        QVERIFY(!frame.Timer1->isActive());
    }

    void unreadableInputEndsTheCheckAtItsStep()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        retype(frame.Edit1, QStringLiteral("3"));
        retype(frame.Edit6, QStringLiteral("6"));
        choose(frame.ComboBox2, 2); // the empty entry
        QCOMPARE(frame.ComboBox2->currentText(), QString());
        QTest::mouseClick(frame.Button1, Qt::LeftButton);
        QCOMPARE(session.boxes.errors(), QStringList({QStringLiteral("'' is not a valid floating point value.")}));
        QCOMPARE(session.boxes.messages(), QStringList());
        QCOMPARE(WeldCalcState.M, 300.0);
        QCOMPARE(WeldCalcState.Kf, 0.4);
        QCOMPARE(WeldCalcState.Lw, 5.2);
        QCOMPARE(WeldCalcState.L, 6.0);
        QCOMPARE(WeldCalcState.Rwf, 0.0);
        QCOMPARE(frame.Edit2->text(), QStringLiteral("0"));
        QVERIFY(!frame.Timer1->isActive());
    }

    void designResistanceEntries_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<double>("Rwf");
        QTest::newRow("1850") << 0 << 1850.0;
        QTest::newRow("2200") << 1 << 2200.0;
        QTest::newRow("1500") << 3 << 1500.0;
        QTest::newRow("2000") << 4 << 2000.0;
    }
    void designResistanceEntries()
    {
        QFETCH(int, entry);
        QFETCH(double, Rwf);
        Session session;
        choose(session.frame->ComboBox2, entry);
        session.frame->Button1Click(session.frame->Button1);
        QCOMPARE(WeldCalcState.Rwf, Rwf);
        QCOMPARE(session.frame->Label23->text(), formatFixed(Rwf, 6, 0));
    }

    // The blinking: Timer1 turns the caption teal and hands over to Timer2, which turns it maroon
    // and hands back; a check enables Timer1 without restarting it.
    void blinkingAlternatesFromTheFirstCheck()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        QCOMPARE(frame.Timer1->interval(), 1000);
        QCOMPARE(frame.Timer2->interval(), 1000);
        QVERIFY(!frame.Timer1->isActive() && !frame.Timer2->isActive());
        QCOMPARE(fontColour(frame.Label34), maroon);

        frame.Button1Click(frame.Button1);
        QVERIFY(frame.Timer1->isActive() && !frame.Timer2->isActive());
        frame.Timer1Timer(frame.Timer1);
        QCOMPARE(fontColour(frame.Label34), teal);
        QVERIFY(!frame.Timer1->isActive() && frame.Timer2->isActive());
        frame.Timer2Timer(frame.Timer2);
        QCOMPARE(fontColour(frame.Label34), maroon);
        QVERIFY(frame.Timer1->isActive() && !frame.Timer2->isActive());

        // A second check in the maroon phase: Timer1 runs on, not restarted.
        const int running = frame.Timer1->timerId();
        frame.Button1Click(frame.Button1);
        QCOMPARE(frame.Timer1->timerId(), running);
        QVERIFY(!frame.Timer2->isActive());

        // A check in the teal phase: both run until Timer2 fires, then the alternation goes on.
        frame.Timer1Timer(frame.Timer1);
        frame.Button1Click(frame.Button1);
        QVERIFY(frame.Timer1->isActive() && frame.Timer2->isActive());
        const int restarted = frame.Timer1->timerId();
        frame.Timer2Timer(frame.Timer2);
        QCOMPARE(fontColour(frame.Label34), maroon);
        QVERIFY(frame.Timer1->isActive() && !frame.Timer2->isActive());
        QCOMPARE(frame.Timer1->timerId(), restarted);
        frame.Timer1Timer(frame.Timer1);
        QCOMPARE(fontColour(frame.Label34), teal);
        QVERIFY(!frame.Timer1->isActive() && frame.Timer2->isActive());
    }

    void timersReachTheirHandlers()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        frame.Button1Click(frame.Button1);
        QVERIFY(QMetaObject::invokeMethod(frame.Timer1, "timeout"));
        QCOMPARE(fontColour(frame.Label34), teal);
        QVERIFY(QMetaObject::invokeMethod(frame.Timer2, "timeout"));
        QCOMPARE(fontColour(frame.Label34), maroon);
    }

    void hoverColoursTheSelectionCaption()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        QTest::mouseMove(frame.Label34, QPoint(5, 5));
        QMouseEvent move(QEvent::MouseMove, QPointF(6, 5), frame.Label34->mapToGlobal(QPointF(6, 5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame.Label34, &move);
        QCOMPARE(fontColour(frame.Label34), red);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(frame.Label34, &leave);
        QCOMPARE(fontColour(frame.Label34), navy);
        // A tick while hovering replaces the red until the next move.
        frame.Label34MouseMove(frame.Label34, Qt::NoModifier, 1, 1);
        frame.Timer1Timer(frame.Timer1);
        QCOMPARE(fontColour(frame.Label34), teal);
    }
};

QTEST_MAIN(StrengthCheckTest)
#include "StrengthCheckTest.moc"
