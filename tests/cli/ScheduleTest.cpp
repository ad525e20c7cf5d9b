// weldcheck run as a user runs it: schedules in each dialect come back in their own, broken files
// write nothing, outputs that cannot be written say so; one joint's statuses and messages.
#include "Cp1251.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray resultColumns = "Lw;Fw;Ww;sigma;tau;SIGMAmax;Rwf*Ywf*Yc;Знак;Вывод;Предупреждения;"
                                 "Подбор длины шва;Наименьшая длина;Ошибка";
// The worked example of the report (0,5 t at 10 mm, the rest initial) as a schedule's cells.
const QByteArray exampleResults = "42;1,18;0,823;607,4;425,2;741;1850; < ;Условие выполняется.;;4;5;";

// The semicolon dialect's bytes in another delimiter and decimal separator.
QByteArray dialect(QByteArray text, char delimiter, char separator = ',')
{
    text.replace(',', separator);
    text.replace(';', delimiter);
    return text;
}

struct Run
{
    int status = -1;
    QByteArray output;
    QString errors;
};

Run weldcheck(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(WELDCHECK_PROGRAM), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ScheduleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void schedulesComeBackInTheirDialect_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("status");
        const QByteArray header = "Имя;P;e;" + resultColumns + "\r\n";
        const QByteArray example = "Ш1;0,5;10;" + exampleResults + "\r\n";
        QTest::newRow("semicolon, UTF-8, CR LF") << QByteArray("Имя;P;e\r\nШ1;0,5;10\r\n") << QStringList() << header + example << 0;
        QTest::newRow("comma, UTF-8 with its mark, LF, point")
            << QByteArray("\xEF\xBB\xBFname,P,e\nJ1,0.5,10\n") << QStringList()
            << "\xEF\xBB\xBF" + dialect("name;P;e;" + resultColumns + "\n", ',', '.')
                   + dialect("J1;0,5;10;" + exampleResults + "\n", ',', '.')
            << 0;
        QTest::newRow("tab, Windows-1251, separator given")
            << encodeCp1251(QString::fromUtf8("Имя\tНагрузка\tЭксцентриситет\r\nШ1\t0,5\t10\r\n"))
            << QStringList{QStringLiteral("--decimal-separator"), QStringLiteral(",")}
            << encodeCp1251(QString::fromUtf8(dialect("Имя;Нагрузка;Эксцентриситет;" + resultColumns + "\r\n" + example, '\t')))
            << 0;
        // Read as UTF-8 its last byte would be lost; as Windows-1251 it comes back.
        QTest::newRow("ends inside a UTF-8 character: Windows-1251")
            << QByteArray("name;P;e\r\nJ1;0,5;10\r\n\xD0") << QStringList()
            << encodeCp1251(QString::fromUtf8("name;P;e;" + resultColumns + "\r\nJ1;0,5;10;" + exampleResults
                                              + "\r\nР;;;42;1,18;0,823;0,0;0,0;0;1850; < ;Условие выполняется.;;1;5;\r\n"))
            << 0;
        QTest::newRow("quotes, a line break in a name, an unknown column")
            << QByteArray("Имя;Марка;P;e\r\n\"Ш \"\"1\"\"\r\nузел\";С245;0,5;10\r\n") << QStringList()
            << "Имя;Марка;P;e;" + resultColumns + "\r\n\"Ш \"\"1\"\"\r\nузел\";С245;0,5;10;" + exampleResults + "\r\n"
            << 0;
        // Other characters below the quote's code stay bare; a cell shorter than the one before it
        // in its column, or ASCII after Cyrillic, comes back whole.
        const QByteArray tabResults = dialect(exampleResults, '\t');
        QTest::newRow("tab: only the delimiter, quotes and line breaks are quoted")
            << QByteArray("Имя\tP\te\tnote\r\nШ1\t0,5\t10\ta;b,c: long note\r\nШ2\t0,5\t10\t\"x\ty\"\r\n"
                          "Ш3\t0,5\t10\tШов\r\nШ4\t0,5\t10\ts\r\n")
            << QStringList{QStringLiteral("--decimal-separator"), QStringLiteral(",")}
            << "Имя\tP\te\tnote\t" + dialect(resultColumns, '\t') + "\r\nШ1\t0,5\t10\ta;b,c: long note\t" + tabResults
                   + "\r\nШ2\t0,5\t10\t\"x\ty\"\t" + tabResults + "\r\nШ3\t0,5\t10\tШов\t" + tabResults
                   + "\r\nШ4\t0,5\t10\ts\t" + tabResults + "\r\n"
            << 0;
        QTest::newRow("empty cells and missing columns keep the initial texts")
            << QByteArray("e;P;L;beta\r\n10;0,5;;\r\n") << QStringList()
            << "e;P;L;beta;" + resultColumns + "\r\n10;0,5;;;" + exampleResults + "\r\n" << 0;
        QTest::newRow("a row that is no number: the others go on")
            << QByteArray("Имя;P\r\nШ1;x\r\nШ2;0,5\r\n") << QStringList()
            << "Имя;P;" + resultColumns + QByteArray("\r\nШ1;x;42;;;;;;;;;;;;P: 'x' is not a valid floating point value.\r\n"
                   "Ш2;0,5;42;1,18;0,823;0,0;425,2;425;1850; < ;Условие выполняется.;;2;5;\r\n")
            << 2;
        QTest::newRow("a joint that fails")
            << QByteArray("Имя;P;e\r\nШ1;1;100\r\n") << QStringList()
            << "Имя;P;e;" + resultColumns
                   + "\r\nШ1;1;100;42;1,18;0,823;12147,7;850,3;12177;1850; > ;Условие не выполняется!;;12;12;\r\n"
            << 1;
    }
    void schedulesComeBackInTheirDialect()
    {
        QFETCH(QByteArray, input);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, output);
        QFETCH(int, status);
        QTemporaryDir folder;
        const QString schedule = folder.filePath(QStringLiteral("joints.csv"));
        writeFile(schedule, input);
        const Run run = weldcheck(QStringList{schedule} + arguments);
        QCOMPARE(run.output, output);
        QCOMPARE(run.status, status);
        QCOMPARE(contentOf(schedule), input);
    }

    void brokenFilesWriteNothing_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("where");
        QTest::newRow("empty file") << QByteArray() << QStringLiteral("строка 1, столбец 1: файл пуст");
        QTest::newRow("no header") << QByteArray("1;2\r\n") << QStringLiteral("строка 1, столбец 1: нет строки заголовка");
        QTest::newRow("unclosed quote") << QByteArray("Имя;P\r\nШ1;0\r\nШ2;\"0\r\n") << QStringLiteral("строка 3, столбец 2: кавычки не закрыты");
        QTest::newRow("quote inside a field") << QByteArray("Имя;P\r\nШ1;0\"5\r\n") << QStringLiteral("строка 2, столбец 2: кавычка");
        QTest::newRow("more fields than the header") << QByteArray("Имя;P\r\n\"Ш\r\n1\";0;7\r\n")
                                                     << QStringLiteral("строка 2, столбец 3: в строке больше полей");
    }
    void brokenFilesWriteNothing()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, where);
        QTemporaryDir folder;
        const QString schedule = folder.filePath(QStringLiteral("joints.csv"));
        writeFile(schedule, input);
        const QString output = folder.filePath(QStringLiteral("results.csv"));
        // With reports the file is examined before any row is checked, without them meanwhile.
        for (const QStringList &reports : {QStringList{QStringLiteral("--reports"), folder.path()}, QStringList()}) {
            const Run run = weldcheck(QStringList{schedule, QStringLiteral("-o"), output} + reports);
            QCOMPARE(run.status, 2);
            QVERIFY2(run.errors.startsWith(QStringLiteral("weldcheck: ") + QDir::toNativeSeparators(schedule)
                                           + QStringLiteral(", ") + where),
                     qPrintable(run.errors));
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("joints.csv")});
        }
    }

    // A Windows-1251 schedule that looks like UTF-8 for its first megabyte: the output file,
    // checked while the file is examined, comes out as the examined-first standard output does.
    void lateWindows1251TextIsFoundInTime()
    {
        QTemporaryDir folder;
        const QString schedule = folder.filePath(QStringLiteral("joints.csv"));
        QByteArray input = "Name;P;e\r\n";
        while (input.size() < (1 << 20))
            input += "J;0,5;10\r\n";
        input += encodeCp1251(u"Ш;1;100\r\n");
        writeFile(schedule, input);
        const QString output = folder.filePath(QStringLiteral("results.csv"));
        QCOMPARE(weldcheck({schedule, QStringLiteral("-o"), output}).status, 1);
        const Run standardOutput = weldcheck({schedule});
        QVERIFY(standardOutput.output.endsWith(
            encodeCp1251(u"\r\nШ;1;100;42;1,18;0,823;12147,7;850,3;12177;1850; > ;Условие не выполняется!;;12;12;\r\n")));
        QCOMPARE(contentOf(output), standardOutput.output);
    }

    void outputsAndReports()
    {
        QTemporaryDir folder;
        const QString schedule = folder.filePath(QStringLiteral("joints.csv"));
        const QByteArray input = "Имя;P;e\r\nа/б;0,5;10\r\nа/б;1;100\r\n;0;0\r\nCon.1;0;0\r\n../..;0;0\r\n";
        writeFile(schedule, input);

        // The input is never the output.
        Run run = weldcheck({schedule, QStringLiteral("-o"), schedule});
        QCOMPARE(run.status, 2);
        QCOMPARE(contentOf(schedule), input);
        // No folder for the output: nothing is left behind.
        run = weldcheck({schedule, QStringLiteral("-o"), folder.filePath(QStringLiteral("missing/out.csv"))});
        QCOMPARE(run.status, 3);
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("missing"))));
#ifdef Q_OS_UNIX
        // A device is refused at once, not read for ever.
        run = weldcheck({QStringLiteral("/dev/zero"), QStringLiteral("-o"), folder.filePath(QStringLiteral("out.csv"))});
        QCOMPARE(run.status, 2);
        QCOMPARE(run.errors, QStringLiteral("weldcheck: /dev/zero: файл не читается: это канал или устройство, а не файл\n"));
#endif

        // One report per row, named after the row (characters Windows forbids replaced, device
        // names and paths defused, repeated names numbered) or its number; each is the window's
        // 63 lines.
        const QString reports = folder.filePath(QStringLiteral("reports"));
        QDir(folder.path()).mkdir(QStringLiteral("reports"));
        run = weldcheck({schedule, QStringLiteral("-o"), folder.filePath(QStringLiteral("out.csv")),
                         QStringLiteral("--reports"), reports});
        QCOMPARE(run.status, 1);
        QCOMPARE(QDir(reports).entryList(QDir::Files, QDir::Name),
                 QStringList({QStringLiteral("3.txt"), QStringLiteral("_.._.txt"), QStringLiteral("_Con.1.txt"),
                              QStringLiteral("а_б.txt"), QStringLiteral("а_б_2.txt")}));
        const QByteArray report = contentOf(QDir(reports).filePath(QStringLiteral("а_б.txt")));
        QCOMPARE(report.count("\r\n"), 63);
        QVERIFY(report.contains(encodeCp1251(u"sigma= M/Ww= 500 / 0,823= 607,4кгс/см^2\r\n")));
    }

    // Rows are checked in parallel batches: a long schedule still comes back in the file's order,
    // each row with the results and the report it has alone.
    void longSchedulesKeepTheirOrder()
    {
        QTemporaryDir folder;
        const QString schedule = folder.filePath(QStringLiteral("joints.csv"));
        QByteArray input = "Имя;P;e\r\n";
        for (int row = 1; row <= 3000; ++row)
            input += "Ш" + QByteArray::number(row) + ";" + QByteArray::number(row % 7) + "," + QByteArray::number(row % 10)
                     + ";" + QByteArray::number(row % 300) + "\r\n";
        writeFile(schedule, input);
        const QString reports = folder.filePath(QStringLiteral("reports"));
        QDir(folder.path()).mkdir(QStringLiteral("reports"));
        const Run run = weldcheck({schedule, QStringLiteral("--reports"), reports});
        const QList<QByteArray> lines = run.output.split('\n');
        const QList<QByteArray> rows = input.split('\n');
        QCOMPARE(lines.size(), rows.size());
        for (qsizetype i = 0; i + 1 < rows.size(); ++i)
            QVERIFY2(lines[i].startsWith(rows[i].chopped(1) + ';'), lines[i].constData());
        QCOMPARE(QDir(reports).entryList(QDir::Files).size(), 3000);
        // Without reports the rows take another way (the encoding guessed, the names not kept),
        // to the same table.
        const QString output = folder.filePath(QStringLiteral("results.csv"));
        QCOMPARE(weldcheck({schedule, QStringLiteral("-o"), output}).status, run.status);
        QCOMPARE(contentOf(output), run.output);
        for (const int row : {1, 512, 513, 1999, 3000}) {
            QTemporaryDir alone;
            const QString single = alone.filePath(QStringLiteral("joint.csv"));
            writeFile(single, rows[0] + '\n' + rows[row] + '\n');
            const Run singleRun = weldcheck({single, QStringLiteral("--reports"), alone.path()});
            QCOMPARE(singleRun.output.split('\n').value(1), lines[row]);
            const QString report = QStringLiteral("Ш%1.txt").arg(row);
            QCOMPARE(contentOf(QDir(reports).filePath(report)), contentOf(alone.filePath(report)));
        }
    }

    // The worked example of the report, typed as options, gives the window's file byte for byte.
    void reportIsTheWindowsExample()
    {
        QTemporaryDir folder;
        const QString report = folder.filePath(QStringLiteral("Св.шов№1.txt"));
        const Run run = weldcheck({"--load", "0,5", "--eccentricity", "10", "--length", "5", "--decimal-separator",
                                   ",", "--report", report});
        QCOMPARE(run.status, 0);
        QCOMPARE(contentOf(report), contentOf(QStringLiteral(WELD_REPORT_EXAMPLE)));
    }

    void oneJoint_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("printed"); // a line of the output, or the whole error
        QTest::newRow("holds") << QStringList{"--load", "0.5", "--eccentricity", "10", "--decimal-separator", ","}
                               << 0 << QStringLiteral("Касательные напряж. tau = 425,2 кгc/см^2\n741 < 1850\nУсловие выполняется.\n");
        QTest::newRow("fails, point") << QStringList{"--load", "1", "--eccentricity", "100", "--decimal-separator", "."}
                                      << 1 << QStringLiteral("Подбор длины шва: 12 см\nНаименьшая длина шва: 12 см\n");
        QTest::newRow("JSON") << QStringList{"--load", "1", "--eccentricity", "100", "--json"} << 1
                              << QStringLiteral("\"verdict\": false");
        QTest::newRow("no number") << QStringList{"--rwf", "", "--decimal-separator", ","} << 2
                                   << QStringLiteral("weldcheck: --rwf: '' is not a valid floating point value.\n");
        QTest::newRow("arithmetic") << QStringList{"--leg", "25", "--decimal-separator", ","} << 2
                                    << QStringLiteral("weldcheck: sigma: Invalid floating point operation.\n");
        QTest::newRow("bad separator") << QStringList{"--decimal-separator", ";"} << 2
                                       << QStringLiteral("weldcheck: --decimal-separator: ожидается \",\" или \".\", а не \";\"\n");
    }
    void oneJoint()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, printed);
        const Run run = weldcheck(arguments);
        QCOMPARE(run.status, status);
        if (status == 2)
            QCOMPARE(run.errors, printed);
        else
            QVERIFY2(QString::fromUtf8(run.output).contains(printed), run.output.constData());
    }
};

QTEST_GUILESS_MAIN(ScheduleTest)
#include "ScheduleTest.moc"
