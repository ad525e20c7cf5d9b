// Tests of the calculation report: its bytes, its numbers, and the action around it.
#include "Cp1251.h"
#include "FileHelpers.h"
#include "HandlerGuard.h"
#include "LocaleExpectation.h"
#include "Numbers.h"
#include "RecordingInteraction.h"
#include "ReportWriter.h"
#include "SpeedButton.h"
#include "Unit1.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace reporttest;

namespace {

// What the frame shows after the worked example: 0,5 t at 10 mm, 5 cm, the initial leg and
// factors, and a strength check made.
ReportSnapshot exampleSnapshot()
{
    ReportSnapshot s;
    s.lengthText = "5";
    s.legText = "4";
    s.designLengthText = "42";
    s.betaText = "0,7";
    s.sectionModulusText = "0,823";
    s.shearAreaText = "1,18";
    s.momentText = "5";
    s.loadText = "0,5";
    s.sigmaText = "607,4";
    s.tauText = "425,2";
    s.maxStressText = "741";
    s.resistanceText = "1850";
    s.weldFactorText = "1";
    s.structureFactorText = "1";
    s.limitText = "1850";
    s.relationText = " < ";
    s.maxStressCaption = "SIGMA max";
    s.limitCaption = "Rwf * ywf * yc";
    s.verdictText = "Условие выполняется.";
    s.Kf = 0.4;
    s.Lw = 42 / 10.0; // Label52 ÷ 10, as the check stores it
    return s;
}

// The frame as it starts: initial texts, no check made, Kf and Lw still zero.
ReportSnapshot initialSnapshot()
{
    ReportSnapshot s;
    s.lengthText = "5";
    s.legText = "4";
    s.designLengthText = "40";
    s.betaText = "0,7";
    s.sectionModulusText = "0";
    s.shearAreaText = "0";
    s.momentText = "0";
    s.loadText = "0";
    s.sigmaText = "0";
    s.tauText = "0";
    s.maxStressText = "0";
    s.resistanceText = "1850";
    s.weldFactorText = "1";
    s.structureFactorText = "1";
    s.limitText = "0";
    s.relationText = " = ";
    s.maxStressCaption = "SIGMA max";
    s.limitCaption = "Rwf * ywf * yc";
    s.verdictText = "       Результат";
    return s;
}

} // namespace

// Line number (from 1) → its text.
using ExpectedLines = QMap<int, QString>;

Q_DECLARE_METATYPE(ReportSnapshot)

class ReportTest : public QObject, private ViewerFixture
{
    Q_OBJECT

private:

    void report(const QString &name, const ReportSnapshot &snapshot = exampleSnapshot())
    {
        m_interaction->answerFileDialog(path(name));
        runGuarded([&] { writeReport(*m_viewer, snapshot); });
    }

private Q_SLOTS:
    void initTestCase() { setDecimalSeparator(QChar(',')); }

    void init()
    {
        setUpViewer();
        QVERIFY(m_folder.isValid());
    }
    void cleanup() { tearDownViewer(); }

    void writesTheExampleByteForByte_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"report.txt", "report.rtf", "report.doc", "report.xls", "report.tww",
                                 "Св.шов№__", "no-extension"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }
    void writesTheExampleByteForByte()
    {
        QFETCH(QString, name);
        report(name);
        QVERIFY2(m_interaction->boxes.isEmpty(), qPrintable(m_interaction->errors().join('\n')));
        const QByteArray bytes = readBytes(path(name));
        QCOMPARE(bytes, readBytes(testDataPath("report-example.txt")));
        QVERIFY(bytes.endsWith("\r\n\r\n\r\n\r\n"));
        QCOMPARE(bytes.count("\r\n"), 63);
    }

    void replacesAnExistingFileWithoutAsking()
    {
        QVERIFY(writeBytes(path("old.txt"), QByteArray(5000, 'o')));
        report("old.txt");
        QCOMPARE(readBytes(path("old.txt")), readBytes(testDataPath("report-example.txt")));
        QCOMPARE(m_interaction->dialogs.size(), 1);
        QVERIFY(m_interaction->boxes.isEmpty());
    }

    void showsTheReportWithoutTheSaveButton()
    {
        m_viewer->RichEdit1->setPlainText("before");
        QVERIFY(!m_viewer->SpeedButton2->isHidden());
        report("report.txt");
        QVERIFY(m_viewer->isVisible());
        QVERIFY(m_viewer->SpeedButton2->isHidden());
        const QString shown = m_viewer->RichEdit1->toPlainText();
        QCOMPARE(shown.split('\n').size(), 64); // 63 line ends
        QVERIFY(shown.startsWith("          РАСЧЕТ СВАРНОГО СОЕДИНЕНИЯ С УГЛОВЫМ ШВОМ\n"));
        QTest::keyClicks(m_viewer->RichEdit1, "x");
        QVERIFY(!m_viewer->SpeedButton2->isHidden());
    }

    void sharesTheViewersDialog()
    {
        report("first.txt");
        QCOMPARE(m_interaction->dialogs[0].proposedName, QString("Св.шов№__"));
        QCOMPARE(m_interaction->dialogs[0].defaultSuffix, QString("txt"));
        QCOMPARE(m_interaction->dialogs[0].nameFilters.size(), 6);
        m_interaction->answerFileDialog(path("edited.txt"));
        runGuarded([&] { m_viewer->SpeedButton2Click(m_viewer->SpeedButton2); });
        report("second.txt");
        QCOMPARE(m_interaction->dialogs.size(), 3);
        QCOMPARE(m_interaction->dialogs[1].proposedName, path("first.txt"));
        QCOMPARE(m_interaction->dialogs[2].proposedName, path("edited.txt"));
    }

    void cancelledDialogTouchesNothing()
    {
        m_interaction->answerFileDialog(std::nullopt);
        runGuarded([&] { writeReport(*m_viewer, exampleSnapshot()); });
        QVERIFY(m_interaction->boxes.isEmpty());
        QVERIFY(entriesOf(m_folder.path()).isEmpty());
        QVERIFY(!m_viewer->isVisible());
        QVERIFY(m_viewer->RichEdit1->toPlainText().isEmpty());
    }

    void quotesAndFormatsNumbers_data()
    {
        QTest::addColumn<ReportSnapshot>("snapshot");
        QTest::addColumn<ExpectedLines>("expected");

        QTest::newRow("before any strength check")
            << initialSnapshot()
            << ExpectedLines{{34, "L= 50 мм"},
                                  {36, "Lw=L-2*Kf= 50-2*4=40 мм"},
                                  {39, "Ww= beta*Kf*Lw^2/6= 0,7*0,0*0,0/6=0 см^3"},
                                  {40, "Fw= beta*Kf*Lw= 0,7*0,0*0,0=0 см^2"},
                                  {42, "M= 0кг*м"},
                                  {43, "Q= 0 кг"},
                                  {45, "sigma= M/Ww= 0 / 0= 0кгс/см^2"},
                                  {46, "tau= Q/Fw= 0 / 0=0кгс/см^2"},
                                  {54, "Rwf * ywf * yc =0кгс/см^2"},
                                  {58, "0 = 0"},
                                  {59, "SIGMA max = Rwf * ywf * yc"},
                                  {60, "       Результат"}};

        ReportSnapshot fractionalLength = exampleSnapshot();
        fractionalLength.lengthText = "5,5";
        fractionalLength.designLengthText = "47";
        QTest::newRow("5,5 cm is 55 mm")
            << fractionalLength
            << ExpectedLines{{34, "L= 55 мм"}, {36, "Lw=L-2*Kf= 55-2*4=47 мм"}};

        ReportSnapshot fractionalLoad = exampleSnapshot();
        fractionalLoad.loadText = "1,2346";
        QTest::newRow("1,2346 t")
            << fractionalLoad
            << ExpectedLines{{43, "Q= 1234,6 кг"}, {46, "tau= Q/Fw= 1235 / 1,18=425,2кгс/см^2"}};

        ReportSnapshot spaced = exampleSnapshot();
        spaced.lengthText = " 5 ";
        spaced.loadText = "+5E-1";
        spaced.momentText = "0,25";
        QTest::newRow("inputs are converted, not quoted")
            << spaced
            << ExpectedLines{{34, "L= 50 мм"},
                                  {42, "M= 0,25кг*м"},
                                  {43, "Q= 500 кг"},
                                  {45, "sigma= M/Ww= 25 / 0,823= 607,4кгс/см^2"}};

        // The load and the eccentricity changed after the check: the inputs are new, the
        // results those of the check.
        ReportSnapshot edited = exampleSnapshot();
        edited.loadText = "2";
        edited.momentText = "20";
        QTest::newRow("after an edit without a new check")
            << edited
            << ExpectedLines{{39, "Ww= beta*Kf*Lw^2/6= 0,7*0,4*17,6/6=0,823 см^3"},
                                  {42, "M= 20кг*м"},
                                  {43, "Q= 2000 кг"},
                                  {45, "sigma= M/Ww= 2000 / 0,823= 607,4кгс/см^2"},
                                  {46, "tau= Q/Fw= 2000 / 1,18=425,2кгс/см^2"},
                                  {48, "SIGMAmax= sqrt(sigma^2+tau^2)= 741кгс/см^2"},
                                  {60, "Условие выполняется."}};

        ReportSnapshot otherLeg = exampleSnapshot();
        otherLeg.legText = "8";
        QTest::newRow("another leg beside the old design length")
            << otherLeg << ExpectedLines{{35, "Kf= 8 мм"}, {36, "Lw=L-2*Kf= 50-2*8=42 мм"}};

        ReportSnapshot rounding = exampleSnapshot();
        rounding.Kf = 0.45;
        rounding.Lw = 4.25;
        rounding.loadText = "0,0625";
        QTest::newRow("fixed formats round halves away from zero")
            << rounding
            << ExpectedLines{{39, "Ww= beta*Kf*Lw^2/6= 0,7*0,5*18,1/6=0,823 см^3"},
                                  {40, "Fw= beta*Kf*Lw= 0,7*0,5*4,3=1,18 см^2"},
                                  {43, "Q= 62,5 кг"},
                                  {46, "tau= Q/Fw= 63 / 1,18=425,2кгс/см^2"}};
    }
    void quotesAndFormatsNumbers()
    {
        QFETCH(ReportSnapshot, snapshot);
        QFETCH(ExpectedLines, expected);
        const QStringList lines = reportLines(snapshot);
        QCOMPARE(lines.size(), 63);
        for (auto line = expected.cbegin(); line != expected.cend(); ++line)
            QCOMPARE(lines[line.key() - 1], line.value());
    }

    // Under each locale of the locale runs: the record's values are written with its separator,
    // and the texts of the frame are read with it.
    void reportWritesTheLocaleSeparator()
    {
        WELD_FETCH_LOCALE_SEPARATOR(separator);
        useLocaleDecimalSeparator();
        const auto restore = qScopeGuard([] { setDecimalSeparator(u','); });
        ReportSnapshot snapshot = initialSnapshot();
        snapshot.loadText = QStringLiteral("0") + separator + QStringLiteral("5");
        // Read with another separator the load would end the report with a conversion error.
        QCOMPARE(decimalSeparator(), separator);
        snapshot.Kf = 0.4;
        snapshot.Lw = 4.2;
        const QStringList lines = reportLines(snapshot);
        const auto local = [separator](QString text) { return text.replace(u'#', separator); };
        QCOMPARE(lines[38], local(QStringLiteral("Ww= beta*Kf*Lw^2/6= 0,7*0#4*17#6/6=0 см^3")));
        QCOMPARE(lines[39], local(QStringLiteral("Fw= beta*Kf*Lw= 0,7*0#4*4#2=0 см^2")));
        QCOMPARE(lines[42], QStringLiteral("Q= 500 кг"));
    }

    void linesThatNeverChange()
    {
        const QStringList example = reportLines(exampleSnapshot());
        const QStringList initial = reportLines(initialSnapshot());
        QCOMPARE(example.mid(0, 33), initial.mid(0, 33));
        QCOMPARE(example.mid(60), (QStringList{"", "", ""}));
        QCOMPARE(example.count(QString()), 19);
    }

    void badInputEndsTheReportAndKeepsTheFile_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");
        QTest::newRow("Edit6") << "length" << "'5 cm' is not a valid floating point value.";
        QTest::newRow("Edit4") << "load" << "'0.5' is not a valid floating point value.";
        QTest::newRow("Edit1") << "moment" << "'' is not a valid floating point value.";
    }
    void badInputEndsTheReportAndKeepsTheFile()
    {
        QFETCH(QString, field);
        QFETCH(QString, message);
        ReportSnapshot snapshot = exampleSnapshot();
        if (field == "length")
            snapshot.lengthText = "5 cm";
        else if (field == "load")
            snapshot.loadText = "0.5";
        else
            snapshot.momentText = "";
        QVERIFY(writeBytes(path("old.txt"), "the old report"));
        m_viewer->RichEdit1->setPlainText("kept");
        report("old.txt", snapshot);
        QCOMPARE(m_interaction->errors(), QStringList{message});
        QCOMPARE(readBytes(path("old.txt")), QByteArray("the old report"));
        QCOMPARE(entriesOf(m_folder.path()), QStringList{"old.txt"});
        QVERIFY(!m_viewer->isVisible());
        QCOMPARE(m_viewer->RichEdit1->toPlainText(), QString("kept"));
    }

    void unwritableTargetEndsTheReport()
    {
        report("missing folder/report.txt");
        QCOMPARE(m_interaction->errors(), QStringList{"Invalid filename."});
        QVERIFY(!m_viewer->isVisible());
        QVERIFY(entriesOf(m_folder.path()).isEmpty());
    }
};

QTEST_MAIN(ReportTest)

#include "ReportTest.moc"
