// Tests of the rich-text reader: what word processors write, read as text with its formatting.
#include "FileHelpers.h"
#include "RtfReader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <climits>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define WELD_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WELD_ADDRESS_SANITIZER 1
#endif
#endif

using namespace reporttest;

namespace {

// The runs of the whole document whose text contains `piece`.
const RtfRun *runWith(const RtfDocument &document, const QString &piece)
{
    for (const RtfParagraph &paragraph : document.paragraphs) {
        for (const RtfRun &run : paragraph.runs) {
            if (run.text.contains(piece))
                return &run;
        }
    }
    return nullptr;
}

#ifdef Q_OS_UNIX
// The address space this process has mapped now, from /proc/self/status.
qulonglong mappedBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmSize:"))
            return line.mid(7).trimmed().split(' ').value(0).toULongLong() * 1024;
    }
    return 0;
}

#endif

// Everything the viewer takes from a document, as one text to compare.
QString describe(const RtfDocument &document)
{
    QString text = document.complete ? "complete" : "incomplete";
    for (const RtfParagraph &paragraph : document.paragraphs) {
        text += "\n[" + QString::number(int(paragraph.alignment)) + "]";
        for (const RtfRun &run : paragraph.runs) {
            const RtfCharFormat &f = run.format;
            text += QString("<%1%2%3 %4 %5 %6 %7>")
                        .arg(f.bold).arg(f.italic).arg(f.underline).arg(f.halfPoints)
                        .arg(f.hasColor ? QString::number(f.rgb, 16) : "auto", f.fontFamily)
                        .arg(run.text);
        }
    }
    return text;
}

} // namespace

class RtfReaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsText_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("smallest") << QByteArray("{\\rtf1 Hello}") << "Hello";
        QTest::newRow("last paragraph mark opens no paragraph")
            << QByteArray("{\\rtf1 one\\par two\\par}") << "one\ntwo";
        QTest::newRow("empty paragraphs") << QByteArray("{\\rtf1 a\\par\\par\\par b}") << "a\n\n\nb";
        QTest::newRow("line and tab") << QByteArray("{\\rtf1 a\\line b\\tab c}") << "a\nb\tc";
        QTest::newRow("source line ends are not text")
            << QByteArray("{\\rtf1 a\r\nb\nc\\\r\nd}") << "abc\nd";
        QTest::newRow("delimiting space belongs to the word")
            << QByteArray("{\\rtf1\\b  two spaces\\b0 x}") << " two spacesx";
        QTest::newRow("escaped braces and backslash") << QByteArray("{\\rtf1 \\{a\\}\\\\}") << "{a}\\";
        QTest::newRow("hex in the document's code page 1251")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 \\'b9}") << "Привет №";
        QTest::newRow("hex in code page 1252 by default")
            << QByteArray("{\\rtf1\\ansi \\'e9\\'80}") << QString::fromUtf8("é€");
        QTest::newRow("the font's charset decides over ansicpg")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial CYR;}}"
                          "\\f0\\'e9\\f1\\'e9}")
            << QString::fromUtf8("éй");
        QTest::newRow("raw bytes above 127 in the code page")
            << QByteArray("{\\rtf1\\ansicpg1251 \xc4\xe0}") << "Да";
        QTest::newRow("unicode with one fallback byte")
            << QByteArray("{\\rtf1\\u1055\\'cf\\u1088?}") << "Пр";
        QTest::newRow("unicode without fallback")
            << QByteArray("{\\rtf1\\uc0\\u1055\\u1088 x}") << "Прx";
        QTest::newRow("two fallback characters, one of them hex")
            << QByteArray("{\\rtf1\\uc2\\u8364\\'80E x}") << QString::fromUtf8("€ x");
        QTest::newRow("negative code above 32767") << QByteArray("{\\rtf1\\u-3913?}") << QString(QChar(0xF0B7));
        QTest::newRow("surrogate pair")
            << QByteArray("{\\rtf1\\u-10179?\\u-8704?}") << QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("fallback count is per group")
            << QByteArray("{\\rtf1{\\uc2\\u1055??}\\u1088?}") << "Пр";
        QTest::newRow("group end stops the fallback skipping")
            << QByteArray("{\\rtf1{\\uc3\\u1055?}x}") << "Пx";
        QTest::newRow("header tables and starred destinations skipped")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                          "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}"
                          "{\\*\\generator Writer;}{\\*\\unknownthing text}body}")
            << "body";
        QTest::newRow("headers, footers, notes and pictures skipped")
            << QByteArray("{\\rtf1{\\header head}{\\footer foot}{\\footnote note}"
                          "{\\pict\\wmetafile8 0123abcd}{\\*\\fldinst HYPERLINK x}{\\fldrslt shown}}")
            << "shown";
        QTest::newRow("binary data is not text")
            << QByteArray("{\\rtf1 a{\\pict\\bin5 }}{x}}b}") << "ab";
        QTest::newRow("binary length beyond the end") << QByteArray("{\\rtf1 a\\bin99999999 xyz") << "a";
        QTest::newRow("special characters")
            << QByteArray("{\\rtf1\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\~\\_}")
            << QString::fromUtf8("—–•‘’“”\u00A0-");
        QTest::newRow("optional hyphen shows nothing") << QByteArray("{\\rtf1 ab\\-cd}") << "abcd";
        QTest::newRow("table cells and rows")
            << QByteArray("{\\rtf1\\trowd\\cellx100\\cellx200 a\\cell b\\cell\\row c}") << "a\tb\t\nc";
        QTest::newRow("unclosed groups at the end") << QByteArray("{\\rtf1{\\b bold{\\i more") << "boldmore";
        QTest::newRow("text after the document is ignored") << QByteArray("{\\rtf1 in}out") << "in";
        QTest::newRow("NUL written as hex is dropped") << QByteArray("{\\rtf1 a\\'00b}") << "ab";
        QTest::newRow("control word at the very end") << QByteArray("{\\rtf1 a\\") << "a";
        QTest::newRow("parameter too long for int")
            << QByteArray("{\\rtf1\\fs99999999999999999999 big}") << "big";
    }
    void readsText()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        const std::optional<RtfDocument> document = readRtf(rtf);
        QVERIFY(document);
        QCOMPARE(document->plainText(), text);
    }

    void refusesWhatIsNotRichText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("plain text") << QByteArray("Hello {\\rtf1 world}");
        QTest::newRow("leading space") << QByteArray(" {\\rtf1 x}");
        QTest::newRow("another control word") << QByteArray("{\\rtfx1 x}");
        QTest::newRow("cut in the keyword") << QByteArray("{\\rt");
    }
    void refusesWhatIsNotRichText()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!readRtf(bytes));
    }

    void keepsFormatting()
    {
        const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
                               "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\\f0\\fs20 "
                               "plain \\b bold\\b0  \\i italic\\i0  \\ul under\\ulnone  \\uldb double\\ul0  "
                               "{\\fs40 big} {\\cf1 red} {\\cf2\\f1 navy} {\\b\\i\\plain reset}\\par"
                               "\\pard\\qc centred\\par\\qr right}";
        const std::optional<RtfDocument> document = readRtf(rtf);
        QVERIFY(document);
        QCOMPARE(document->paragraphs.size(), std::size_t(3));
        const auto format = [&](const char *piece) {
            const RtfRun *run = runWith(*document, QString::fromLatin1(piece));
            return run ? run->format : RtfCharFormat{true, true, true, -1, true, 0xFFFFFFFF, "none"};
        };
        RtfCharFormat plain;
        plain.halfPoints = 20;
        plain.fontFamily = "Arial";
        QCOMPARE(format("plain"), plain);
        QVERIFY(format("bold").bold && !format("bold").italic);
        QVERIFY(format("italic").italic && !format("italic").bold);
        QVERIFY(format("under").underline);
        QVERIFY(format("double").underline);
        QCOMPARE(format("big").halfPoints, 40);
        QCOMPARE(format("red").hasColor, true);
        QCOMPARE(format("red").rgb, 0xFF0000u);
        QCOMPARE(format("navy").rgb, 0x000080u);
        QCOMPARE(format("navy").fontFamily, QString("Courier New"));
        // \plain: the default font (\deff0) at the default size, nothing else.
        RtfCharFormat reset;
        reset.fontFamily = "Arial";
        QCOMPARE(format("reset"), reset);
        QCOMPARE(document->paragraphs[0].alignment, RtfParagraph::Alignment::Left);
        QCOMPARE(document->paragraphs[1].alignment, RtfParagraph::Alignment::Center);
        QCOMPARE(document->paragraphs[2].alignment, RtfParagraph::Alignment::Right);
    }

    void readsDeepGroupsWithoutRecursion()
    {
        // Far deeper than any call stack would take one frame per group.
        const int depth = 1000000;
        const QByteArray rtf = "{\\rtf1 " + QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') + " out}";
        const std::optional<RtfDocument> document = readRtf(rtf);
        QVERIFY(document);
        QCOMPARE(document->plainText(), QString("deep out"));
        QVERIFY(runWith(*document, "deep")->format.bold);
        QVERIFY(!runWith(*document, " out")->format.bold);
    }

#ifdef Q_OS_UNIX
    // Reads the text in a child whose address space may grow by only a few times the text's size:
    // the reader must neither run out of memory nor be killed for it.
    void deepNestingFitsInFewTimesTheFilesSize_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        const qsizetype size = 10 << 20;
        QTest::newRow("opening braces only") << "{\\rtf1 " + QByteArray(size, '{');
        QTest::newRow("nested and closed again")
            << "{\\rtf1 " + QByteArray(size / 2, '{') + "\\b x" + QByteArray(size / 2, '}') + "}";
        QTest::newRow("deep destinations") << "{\\rtf1 " + QByteArray("{\\*\\x ").repeated(size / 6);
    }
    void deepNestingFitsInFewTimesTheFilesSize()
    {
#ifdef WELD_ADDRESS_SANITIZER
        QSKIP("the address sanitizer reserves more address space than any limit would leave");
#endif
        QFETCH(QByteArray, rtf);
        const qulonglong mapped = mappedBytes();
        QVERIFY(mapped > 0);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            const rlimit limit {rlim_t(mapped + 4 * qulonglong(rtf.size()) + (64 << 20)), RLIM_INFINITY};
            int result = 2;
            if (::setrlimit(RLIMIT_AS, &limit) == 0) {
                try {
                    result = readRtf(rtf) ? 0 : 3;
                } catch (const std::bad_alloc &) {
                    result = 4;
                }
            }
            ::_exit(result);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status), "the reader was killed");
        QCOMPARE(WEXITSTATUS(status), 0);
    }

#endif

    void deepGroupsInTheFontTableStayLinear()
    {
        const int depth = 300000;
        const QByteArray rtf = "{\\rtf1{\\fonttbl" + QByteArray(depth, '{') + "\\f0 Arial;" + QByteArray(depth, '}')
                               + "}\\f0 text}";
        QElapsedTimer timer;
        timer.start();
        const std::optional<RtfDocument> document = readRtf(rtf);
        QVERIFY(timer.elapsed() < 5000);
        QVERIFY(document);
        QCOMPARE(document->plainText(), QString("text"));
        QCOMPARE(document->paragraphs[0].runs[0].format.fontFamily, QString("Arial"));
    }

    // Whatever a part's end cuts (a control word, its parameter, a \'hh, the fallback of a \u,
    // binary data, the font table), the parts read the document that one pass reads.
    void readingInPartsReadsTheSameDocument_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<qsizetype>("partBytes");
        QTest::addColumn<int>("maximumParagraphs");
        const QByteArray sample = readBytes(testDataPath("libreoffice-sample.rtf"));
        QTest::newRow("word processor's file, a byte a part") << sample << qsizetype(1) << INT_MAX;
        const QByteArray words = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}{\\f1 Courier;}}"
                                 "{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs40 \\'cf\\u1088?\\uc2\\u8364\\'80E"
                                 "{\\cf1\\f1\\b red}\\par\\qc{\\*\\unknown skipped}\\line\\tab x\\par\\pard end}";
        QTest::newRow("control words, a byte a part") << words << qsizetype(1) << INT_MAX;
        QTest::newRow("binary data across parts") << QByteArray("{\\rtf1 a{\\pict\\bin5 }}{x}}b}") << qsizetype(2)
                                                  << INT_MAX;
        QTest::newRow("groups read flat past the depth")
            << "{\\rtf1 " + QByteArray(1500, '{') + "\\b x" + QByteArray(1500, '}') + "y}" << qsizetype(5) << INT_MAX;
        QTest::newRow("paragraph limit reached in a later part")
            << "{\\rtf1 " + QByteArray("p\\par ").repeated(100) + "}" << qsizetype(3) << 50;
        QTest::newRow("cut short") << QByteArray("{\\rtf1{\\b bold{\\i more\\") << qsizetype(4) << INT_MAX;
    }
    void readingInPartsReadsTheSameDocument()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(qsizetype, partBytes);
        QFETCH(int, maximumParagraphs);
        const std::optional<RtfDocument> once = readRtf(rtf, std::size_t(maximumParagraphs));
        QVERIFY(once);
        RtfReader reader(rtf, std::size_t(maximumParagraphs));
        int parts = 0;
        while (!reader.atEnd()) {
            reader.readPart(partBytes);
            ++parts;
        }
        QCOMPARE(describe(reader.takeDocument()), describe(*once));
        // Each part stopped near its size, rather than reading on to the end.
        if (partBytes < 1000 && rtf.size() > 100)
            QVERIFY2(parts > rtf.size() / (partBytes + 40), qPrintable(QString::number(parts)));
    }

    void readsAWordProcessorsFile()
    {
        // Written by LibreOffice Writer from libreoffice-sample.fodt.
        const std::optional<RtfDocument> document = readRtf(readBytes(testDataPath("libreoffice-sample.rtf")));
        QVERIFY(document);
        QCOMPARE(document->plainText(),
                 QString::fromUtf8("РАСЧЕТ СВАРНОГО ШВА\n"
                                   "Обычный, жирный, курсив, подчёркнутый.\n"
                                   "Крупный и красный текст; Ww = 0,823 см^3\n"
                                   "Колонка\tпосле табуляции, перенос\nстроки\n"
                                   "\n"
                                   "Знаки: € — «кавычки» № {скобки} \\ обратная черта"));
        QCOMPARE(document->paragraphs.front().alignment, RtfParagraph::Alignment::Center);
        QVERIFY(runWith(*document, "жирный")->format.bold);
        QVERIFY(!runWith(*document, "Обычный")->format.bold);
        QVERIFY(runWith(*document, "курсив")->format.italic);
        QVERIFY(runWith(*document, "подчёркнутый")->format.underline);
        QCOMPARE(runWith(*document, "Крупный")->format.halfPoints, 40);
        QCOMPARE(runWith(*document, "Обычный")->format.halfPoints, 24);
        QCOMPARE(runWith(*document, "красный")->format.rgb, 0xFF0000u);
        QCOMPARE(runWith(*document, "Обычный")->format.fontFamily, QString("Liberation Serif"));
    }
};

QTEST_MAIN(RtfReaderTest)

#include "RtfReaderTest.moc"
