// Tests of the live input handlers: moment, design length, beta, the key filter and the help.
#include "FrameTestSupport.h"
#include "LocaleExpectation.h"
#include "ProgramWindows.h"
#include "Unit2.h"

#include <QPushButton>
#include <QScopeGuard>

using namespace frametest;

namespace {

void addSeparatorColumn()
{
    QTest::addColumn<QChar>("separator");
}

// Adds the row once per decimal separator; the test reads its numbers through local().
template <typename... Values>
void addRowPerSeparator(const char *name, Values... values)
{
    for (QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
        const QByteArray row = QByteArray(name) + (separator == QLatin1Char(',') ? " (comma)" : " (point)");
        ((QTest::newRow(row.constData()) << separator) << ... << values);
    }
}

} // namespace

class LiveInputsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { substituteDesignedFonts(); }

    void momentFollowsLoadAndEccentricity_data()
    {
        addSeparatorColumn();
        QTest::addColumn<QString>("load");
        QTest::addColumn<QString>("eccentricity");
        QTest::addColumn<double>("moment");
        QTest::addColumn<QString>("shown");
        // Loads are typed with a point; the filter turns it into the separator.
        addRowPerSeparator("1.5 t at 120 mm", QStringLiteral("1.5"), QStringLiteral("120"), 180.0,
                           QStringLiteral("180"));
        addRowPerSeparator("0.05 t at 100 mm", QStringLiteral("0.05"), QStringLiteral("100"), 5.0,
                           QStringLiteral("5"));
        addRowPerSeparator("2.5 t at 3 mm", QStringLiteral("2.5"), QStringLiteral("3"), 7.5,
                           QStringLiteral("7,5"));
    }
    void momentFollowsLoadAndEccentricity()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, load);
        QFETCH(QString, eccentricity);
        QFETCH(double, moment);
        QFETCH(QString, shown);
        Session session(separator);
        TFrame3 &frame = *session.frame;
        retype(frame.Edit4, load);
        retype(frame.Edit3, eccentricity);
        QCOMPARE(WeldCalcState.M, moment);
        QCOMPARE(frame.Edit1->text(), local(shown));
        QVERIFY(session.boxes.boxes.isEmpty());
    }

    void handTypedMomentIsReplacedByTheNextEdit()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        retype(frame.Edit4, QStringLiteral("2"));
        retype(frame.Edit1, QStringLiteral("77"));
        QCOMPARE(WeldCalcState.M, 0.0);
        retype(frame.Edit3, QStringLiteral("10"));
        QCOMPARE(frame.Edit1->text(), QStringLiteral("20"));
    }

    void badLoadOrEccentricityStopsAtItsStep_data()
    {
        addSeparatorColumn();
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::addColumn<double>("Q");
        QTest::addColumn<double>("e");
        addRowPerSeparator("emptied load changes nothing", QStringLiteral("Edit4"), QString(),
                           QStringLiteral("'' is not a valid floating point value."), 1.0, 50.0);
        addRowPerSeparator("bad eccentricity updates only Q", QStringLiteral("Edit3"),
                           QStringLiteral("-"), QStringLiteral("'-' is not a valid floating point value."),
                           1.0, 50.0);
        addRowPerSeparator("bad load after a new eccentricity", QStringLiteral("Edit4"),
                           QStringLiteral("x"), QStringLiteral("'x' is not a valid floating point value."),
                           1.0, 50.0);
    }
    void badLoadOrEccentricityStopsAtItsStep()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QString, error);
        QFETCH(double, Q);
        QFETCH(double, e);
        Session session(separator);
        TFrame3 &frame = *session.frame;
        retype(frame.Edit4, QStringLiteral("1"));
        retype(frame.Edit3, QStringLiteral("50"));
        QCOMPARE(frame.Edit1->text(), QStringLiteral("50"));
        Edit *edit = frame.findChild<Edit *>(control);
        if (text.isEmpty()) {
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
        } else {
            retype(edit, text);
        }
        QCOMPARE(session.boxes.errors(), QStringList({error}));
        QCOMPARE(WeldCalcState.Q, Q);
        QCOMPARE(WeldCalcState.e, e);
        QCOMPARE(WeldCalcState.M, 50.0);
        QCOMPARE(frame.Edit1->text(), QStringLiteral("50"));
    }

    void badEccentricityLeavesTheNewLoad()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        retype(frame.Edit3, QStringLiteral("x"));
        retype(frame.Edit4, QStringLiteral("3"));
        QCOMPARE(session.boxes.errors().size(), 2);
        QCOMPARE(WeldCalcState.Q, 3.0);
        QCOMPARE(WeldCalcState.M, 0.0);
        QCOMPARE(frame.Edit1->text(), QStringLiteral("0"));
    }

    void designLengthFollowsLengthAndLeg_data()
    {
        addSeparatorColumn();
        QTest::addColumn<QString>("length");
        QTest::addColumn<int>("leg");
        QTest::addColumn<double>("Lw");
        QTest::addColumn<QString>("caption");
        addRowPerSeparator("5 cm, leg 4", QStringLiteral("5"), 0, 4.2, QStringLiteral("42"));
        addRowPerSeparator("5,06 cm rounds to 43", QStringLiteral("5,06"), 0, 4.26, QStringLiteral("43"));
        addRowPerSeparator("5,05 cm is 42.5 mm, half away from zero", QStringLiteral("5,05"), 0, 4.25,
                           QStringLiteral("43"));
        addRowPerSeparator("4,8 cm gives 40", QStringLiteral("4,8"), 0, 4.0, QStringLiteral("40"));
        addRowPerSeparator("shorter than two legs", QStringLiteral("0,5"), 0, -0.3, QStringLiteral("-3"));
        addRowPerSeparator("leg 8 after the length", QStringLiteral("5"), 2, 3.4, QStringLiteral("34"));
        addRowPerSeparator("leg 12", QStringLiteral("12"), 4, 9.6, QStringLiteral("96"));
    }
    void designLengthFollowsLengthAndLeg()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, length);
        QFETCH(int, leg);
        QFETCH(double, Lw);
        QFETCH(QString, caption);
        Session session(separator);
        TFrame3 &frame = *session.frame;
        retype(frame.Edit6, local(length));
        if (leg != 0)
            choose(frame.ComboBox1, leg);
        QCOMPARE(WeldCalcState.Lw, Lw);
        QCOMPARE(WeldCalcState.L, double(parseNumber(local(length))));
        QCOMPARE(frame.Label52->text(), caption);
        QVERIFY(session.boxes.boxes.isEmpty());
    }

    void designLengthAgreesWithTheInputsFromTheStart()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        QCOMPARE(frame.Label52->text(), QStringLiteral("42"));
        QCOMPARE(WeldCalcState.L, 5.0);
        QCOMPARE(WeldCalcState.Kf, 0.4);
        QCOMPARE(WeldCalcState.Lw, 4.2);
        // A typed leg counts as much as a chosen one.
        retype(frame.ComboBox1, QStringLiteral("6"));
        QCOMPARE(frame.Label52->text(), QStringLiteral("38"));
        QCOMPARE(WeldCalcState.Kf, 0.6);
    }

    void badLegOrLengthStopsAtItsStep_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("leg");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("error");
        QTest::addColumn<double>("L");
        QTest::addColumn<double>("Lw");
        const QChar comma(QLatin1Char(',')), point(QLatin1Char('.'));
        // Edit6 has no key filter: a point typed after 5 stays a point.
        QTest::newRow("5. (comma)") << comma << QStringLiteral("4") << QStringLiteral("5.")
                                    << QStringLiteral("'5.' is not a valid floating point value.") << 5.0 << 4.2;
        QTest::newRow("5. (point)") << point << QStringLiteral("4") << QStringLiteral("5.") << QString() << 5.0 << 4.2;
        QTest::newRow("5,5 (point)") << point << QStringLiteral("4") << QStringLiteral("5,5")
                                     << QStringLiteral("'5,5' is not a valid floating point value.") << 5.0 << 4.2;
        QTest::newRow("bad leg leaves only L (comma)") << comma << QStringLiteral("x") << QStringLiteral("7")
                                               << QStringLiteral("'x' is not a valid floating point value.") << 7.0 << 4.2;
        QTest::newRow("bad leg leaves only L (point)") << point << QStringLiteral("x") << QStringLiteral("7")
                                               << QStringLiteral("'x' is not a valid floating point value.") << 7.0 << 4.2;
    }
    void badLegOrLengthStopsAtItsStep()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, leg);
        QFETCH(QString, length);
        QFETCH(QString, error);
        QFETCH(double, L);
        QFETCH(double, Lw);
        Session session(separator);
        TFrame3 &frame = *session.frame;
        frame.ComboBox1->setTextSilently(leg);
        retype(frame.Edit6, length);
        QCOMPARE(frame.Edit6->text(), length);
        QCOMPARE(session.boxes.errors().isEmpty() ? QString() : session.boxes.errors().last(), error);
        QCOMPARE(WeldCalcState.L, L);
        QCOMPARE(WeldCalcState.Kf, 0.4);
        QCOMPARE(WeldCalcState.Lw, Lw);
        QCOMPARE(frame.Label52->text(), QStringLiteral("42"));
    }

    void betaFollowsItsList_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<double>("beta");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("0,85 (comma)") << QChar(QLatin1Char(',')) << 2 << 0.85 << QStringLiteral("0,85") << QStringList();
        QTest::newRow("1 (comma)") << QChar(QLatin1Char(',')) << 4 << 1.0 << QStringLiteral("1") << QStringList();
        QTest::newRow("1 (point)") << QChar(QLatin1Char('.')) << 4 << 1.0 << QStringLiteral("1") << QStringList();
        // The entry's own value stands when the locale cannot read its text.
        QTest::newRow("0,85 (point)") << QChar(QLatin1Char('.')) << 2 << 0.85 << QStringLiteral("0,85")
                                      << QStringList({QStringLiteral("'0,85' is not a valid floating point value.")});
        QTest::newRow("0,8 (point)") << QChar(QLatin1Char('.')) << 1 << 0.8 << QStringLiteral("0,8")
                                     << QStringList({QStringLiteral("'0,8' is not a valid floating point value.")});
    }
    void betaFollowsItsList()
    {
        QFETCH(QChar, separator);
        QFETCH(int, chosen);
        QFETCH(double, beta);
        QFETCH(QString, text);
        QFETCH(QStringList, errors);
        Session session(separator);
        TFrame3 &frame = *session.frame;
        choose(frame.ComboBox3, chosen);
        QCOMPARE(WeldCalcState.beta, beta);
        QCOMPARE(frame.ComboBox3->currentText(), text);
        QCOMPARE(session.boxes.errors(), errors);
    }

    // Typed key by key, beta follows every keystroke; the text takes the general format only
    // when the user leaves the box (Tab) or presses Enter, so later digits are never reordered.
    void betaTypedKeyByKeyIsReadAndSettledOnLeaving_data()
    {
        addSeparatorColumn();
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("beta");
        QTest::addColumn<QString>("settled");
        QTest::addColumn<int>("leaveKey");
        for (int leaveKey : {int(Qt::Key_Tab), int(Qt::Key_Return)}) {
            const char *how = leaveKey == Qt::Key_Tab ? ", Tab" : ", Enter";
            const auto row = [&](const char *name, const char *typed, double beta, const char *settled) {
                addRowPerSeparator((QByteArray(name) + how).constData(), QString::fromUtf8(typed), beta,
                                   QString::fromUtf8(settled), leaveKey);
            };
            row("0,85", "0,85", 0.85, "0,85");
            row("0,9", "0,9", 0.9, "0,9");
            row("1", "1", 1.0, "1");
            row("0,7", "0,7", 0.7, "0,7");
            row("1,50 drops its zero", "1,50", 1.5, "1,5");
            row("00,8 drops its leading zero", "00,8", 0.8, "0,8");
        }
    }
    void betaTypedKeyByKeyIsReadAndSettledOnLeaving()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, typed);
        QFETCH(double, beta);
        QFETCH(QString, settled);
        QFETCH(int, leaveKey);
        Session session(separator);
        TFrame3 &frame = *session.frame;
        QVERIFY(focusInShownFrame(frame, frame.ComboBox3));
        retype(frame.ComboBox3, local(typed));
        QCOMPARE(WeldCalcState.beta, beta);
        QCOMPARE(frame.ComboBox3->currentText(), local(typed));
        QTest::keyClick(frame.ComboBox3, Qt::Key(leaveKey));
        QCOMPARE(frame.ComboBox3->currentText(), local(settled));
        QCOMPARE(WeldCalcState.beta, beta);
        QCOMPARE(frame.ComboBox3->currentListIndex(), -1);
        QCOMPARE(frame.ComboBox3->count(), 5);
        QVERIFY(session.boxes.boxes.isEmpty());
    }

    void betaTypedIsReadAndRewrittenOnLeaving_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("beta");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("settled");
        QTest::addColumn<int>("errorCount");
        // "0,7" loses its last digit: "0," reads as 0 with a comma, and is no number with a point.
        QTest::newRow("backspace (comma)") << QChar(QLatin1Char(',')) << QString() << 0.0 << QStringLiteral("0,")
                                           << QStringLiteral("0") << 0;
        QTest::newRow("backspace (point)") << QChar(QLatin1Char('.')) << QString() << 0.7 << QStringLiteral("0,")
                                           << QStringLiteral("0,") << 1;
        QTest::newRow("typed 2 (comma)") << QChar(QLatin1Char(',')) << QStringLiteral("2") << 2.0
                                         << QStringLiteral("2") << QStringLiteral("2") << 0;
        QTest::newRow("typed 1e0 (point)") << QChar(QLatin1Char('.')) << QStringLiteral("1e0") << 1.0
                                           << QStringLiteral("1e0") << QStringLiteral("1") << 1;
        // The last keystroke is no number: beta keeps the last value read and the text stays.
        QTest::newRow("typed 0,8x (comma)") << QChar(QLatin1Char(',')) << QStringLiteral("0,8x") << 0.8
                                            << QStringLiteral("0,8x") << QStringLiteral("0,8x") << 1;
    }
    void betaTypedIsReadAndRewrittenOnLeaving()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, typed);
        QFETCH(double, beta);
        QFETCH(QString, text);
        QFETCH(QString, settled);
        QFETCH(int, errorCount);
        Session session(separator);
        TFrame3 &frame = *session.frame;
        QVERIFY(focusInShownFrame(frame, frame.ComboBox3));
        if (typed.isEmpty()) {
            frame.ComboBox3->lineEdit()->end(false);
            QTest::keyClick(frame.ComboBox3, Qt::Key_Backspace);
        } else {
            retype(frame.ComboBox3, typed);
        }
        QCOMPARE(WeldCalcState.beta, beta);
        QCOMPARE(frame.ComboBox3->currentText(), text);
        frame.Edit6->setFocus();
        QCOMPARE(frame.ComboBox3->currentText(), settled);
        QCOMPARE(WeldCalcState.beta, beta);
        QCOMPARE(session.boxes.errors().size(), errorCount);
        QCOMPARE(frame.ComboBox3->count(), 5);
        QCOMPARE(frame.ComboBox3->currentListIndex(), -1);
    }

    // The check after a typed beta shows what it shows after the same entry chosen from the list.
    void checkAfterTypedBetaAgreesWithTheChosenEntry_data()
    {
        addSeparatorColumn();
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("entry");
        addRowPerSeparator("0,85", QStringLiteral("0,85"), 2);
        addRowPerSeparator("0,9", QStringLiteral("0,9"), 3);
        addRowPerSeparator("1", QStringLiteral("1"), 4);
        addRowPerSeparator("0,7", QStringLiteral("0,7"), 0);
    }
    void checkAfterTypedBetaAgreesWithTheChosenEntry()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, typed);
        QFETCH(int, entry);
        const auto figures = [](TFrame3 &frame, RecordingInteraction &boxes) {
            retype(frame.Edit4, QStringLiteral("1"));
            retype(frame.Edit3, QStringLiteral("100"));
            // 25 cm is above the greatest length for beta 0,7 (85 * 0,7 * 0,4 cm) only.
            retype(frame.Edit6, QStringLiteral("25"));
            QTest::mouseClick(frame.Button1, Qt::LeftButton);
            return QStringList({frame.Edit2->text(), frame.Edit9->text(), frame.Edit10->text(),
                                frame.Edit11->text(), frame.Label22->text(), frame.Label23->text(),
                                frame.Label26->text(), frame.Label27->text()})
                   + boxes.messages();
        };
        QStringList typedFigures;
        {
            Session session(separator);
            QVERIFY(focusInShownFrame(*session.frame, session.frame->ComboBox3));
            retype(session.frame->ComboBox3, local(typed));
            QTest::keyClick(session.frame->ComboBox3, Qt::Key_Tab);
            typedFigures = figures(*session.frame, session.boxes);
            QVERIFY(session.boxes.errors().isEmpty());
        }
        Session session(separator);
        choose(session.frame->ComboBox3, entry);
        QCOMPARE(typedFigures, figures(*session.frame, session.boxes));
    }

    void keyFilterTurnsPointAndCommaIntoTheSeparator_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("filtered");
        for (const char *control : {"Edit1", "Edit3", "Edit4", "Edit5", "Edit12", "Edit6",
                                    "ComboBox1", "ComboBox2", "ComboBox3"}) {
            const bool filtered = QByteArray(control).startsWith("Edit") && qstrcmp(control, "Edit6") != 0;
            for (QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
                for (QChar typed : {QLatin1Char('.'), QLatin1Char(',')}) {
                    QTest::addRow("%s: '%c' with '%c'", control, typed.toLatin1(), separator.toLatin1())
                        << separator << QString::fromLatin1(control) << QString(typed) << filtered;
                }
            }
        }
    }
    void keyFilterTurnsPointAndCommaIntoTheSeparator()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(bool, filtered);
        Session session(separator);
        QWidget *widget = session.frame->findChild<QWidget *>(control);
        QVERIFY(widget);
        QLineEdit *box = qobject_cast<QLineEdit *>(widget);
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            box = combo->lineEdit();
        box->setCompleter(nullptr);
        // No number: the beta combo would otherwise rewrite what it reads.
        box->setText(QStringLiteral("x"));
        box->end(false);
        QTest::keyClicks(widget, typed);
        QCOMPARE(box->text(), QStringLiteral("x") + (filtered ? QString(separator) : typed));
    }

    // Under each locale of the locale runs: the filter types its separator, the boxes read and
    // write it, and the beta list's "0,85" is a number only where the separator is a comma.
    void framesWorksInTheLocaleSeparator()
    {
        WELD_FETCH_LOCALE_SEPARATOR(separator);
        resetWeldCalcState();
        WeldCalcState.beta = 0.7;
        useLocaleDecimalSeparator();
        const auto restore = qScopeGuard([] { setDecimalSeparator(u','); });
        RecordingInteraction boxes;
        TFrame3 frame;
        retype(frame.Edit4, QStringLiteral("2.5"));
        retype(frame.Edit3, QStringLiteral("3"));
        QCOMPARE(frame.Edit4->text(), QStringLiteral("2") + separator + QStringLiteral("5"));
        QCOMPARE(frame.Edit1->text(), QStringLiteral("7") + separator + QStringLiteral("5"));
        choose(frame.ComboBox3, 2);
        QCOMPARE(WeldCalcState.beta, 0.85);
        QCOMPARE(boxes.errors(), separator == u','
                                     ? QStringList()
                                     : QStringList{"'0,85' is not a valid floating point value."});
    }

    void helpOnBetaShowsSevenLinesJoinedByCarriageReturns()
    {
        Session session;
        QTest::mouseClick(session.frame->Button13, Qt::LeftButton);
        const QString expected = QStringLiteral(
            "  Коэффициент высоты шва:\r"
            "\r"
            "beta= 0,7   - ручная сварка и многопроходная автомат.и полуавт.св.\r"
            "beta= 0,8   - 2-х, 3-проходная полуавт.сварка\r"
            "beta= 0,85  - однопроходная полуавт.сварка\r"
            "beta= 0,9   - 2-х, 3-проходная автоматическая сварка\r"
            "beta= 1    - однопроходная автоматическая сварка");
        QCOMPARE(session.boxes.messages(), QStringList({expected}));
        QVERIFY(!session.boxes.messages().first().contains(QLatin1Char('\n')));
    }

    void schemeButtonShowsTheSchemeWindow()
    {
        Session session;
        ProgramWindows windows;
        QVERIFY(!Form2->isVisible());
        QTest::mouseClick(session.frame->Button4, Qt::LeftButton);
        QVERIFY(Form2->isVisible());
        QVERIFY(session.frame->isEnabled());
    }
};

QTEST_MAIN(LiveInputsTest)
#include "LiveInputsTest.moc"
