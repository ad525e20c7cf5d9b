// Tests of the viewer window: its loading, its saving through its own dialog and its closing.
#include "Cp1251.h"
#include "Errors.h"
#include "FileHelpers.h"
#include "HandlerGuard.h"
#include "RecordingInteraction.h"
#include "SpeedButton.h"
#include "Unit1.h"
#include "ViewerText.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <cerrno>
#include <functional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace reporttest;

namespace {

QTextCharFormat formatAt(QTextDocument *document, const QString &word)
{
    const QTextCursor found = document->find(word);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor inside(document);
    inside.setPosition(found.selectionStart() + 1);
    return inside.charFormat();
}

// Rich text of `paragraphs` paragraphs, every third bold, every fifth centred, with Cyrillic.
QByteArray richParagraphs(int paragraphs)
{
    QByteArray bytes = "{\\rtf1\\ansi\\ansicpg1251 ";
    for (int i = 0; i < paragraphs; ++i)
        bytes += QByteArray(i % 5 ? "\\pard " : "\\pard\\qc ") + (i % 3 ? "{" : "{\\b \\'e4\\'e0 ")
                 + QByteArray::number(i) + "}\\line x\\tab y\\par\n";
    return bytes + "}";
}

} // namespace

class ViewerTest : public QObject, private ViewerFixture
{
    Q_OBJECT

private:
    TForm1 &viewer() { return *m_viewer; }

    // Loads a file the way every command does, its errors shown in the error box.
    void load(const QString &fullPath)
    {
        runGuarded([&] { viewer().loadFromFile(fullPath); });
    }

    void open(const QByteArray &bytes, const QString &name = QStringLiteral("in.txt"))
    {
        QVERIFY(writeBytes(path(name), bytes));
        load(path(name));
    }

    // Ticks the piece timer until the text is whole; false when the rest would not come at the
    // next turn of the event loop or a tick added more than a piece (what the window waits for).
    bool loadRemainingPieces()
    {
        while (viewer().isLoading()) {
            if (!viewer().PieceTimer.isActive() || viewer().PieceTimer.interval() != 0)
                return false;
            const int before = viewer().RichEdit1->document()->blockCount();
            viewer().loadNextPiece();
            if (viewer().RichEdit1->document()->blockCount() - before > ViewerTextPieces::maximumPieceParagraphs)
                return false;
        }
        return true;
    }

    // Saves through the save button and its dialog.
    QByteArray saveAs(const QString &name)
    {
        m_interaction->answerFileDialog(path(name));
        runGuarded([&] { viewer().SpeedButton2Click(viewer().SpeedButton2); });
        return readBytes(path(name));
    }

private Q_SLOTS:
    void init()
    {
        setUpViewer();
        QVERIFY(m_folder.isValid());
    }
    void cleanup() { tearDownViewer(); }

    void startsAsDesigned()
    {
        QCOMPARE(viewer().windowTitle(), QString("Просмотр, редактирование"));
        QCOMPARE(viewer().size(), QSize(649 - 8, 643 - 27)); // the designed frame less its borders
        QCOMPARE(viewer().pos(), QPoint(201, 9));
        QCOMPARE(viewer().RichEdit1->geometry(), QRect(16, 8, 609, 537));
        QCOMPARE(viewer().SpeedButton2->geometry(), QRect(16, 560, 433, 41));
        QCOMPARE(viewer().Button1->geometry(), QRect(520, 560, 89, 33));
        QCOMPARE(viewer().SpeedButton2->text(), QString("        Сохранить..."));
        QCOMPARE(viewer().SpeedButton2->toolTip(), QString("Save As"));
        QCOMPARE(viewer().Button1->text(), QString("Закрыть"));
        QCOMPARE(viewer().palette().color(QPalette::Window), QColor(255, 251, 240));
        QCOMPARE(viewer().SpeedButton2->font().pixelSize(), 16);
        QVERIFY(viewer().SpeedButton2->font().bold());
        QCOMPARE(viewer().SpeedButton2->palette().color(QPalette::ButtonText), QColor(0, 0, 128));
        QCOMPARE(viewer().Button1->font().pixelSize(), 13);
        QVERIFY(viewer().Button1->font().bold());
        QCOMPARE(viewer().SpeedButton2->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(viewer().Button1->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(viewer().SpeedButton2->isHidden());
        QVERIFY(!viewer().SpeedButton2->icon().isNull());
        QVERIFY(viewer().RichEdit1->toPlainText().isEmpty());
        QVERIFY(!viewer().RichEdit1->isReadOnly());
        QCOMPARE(viewer().RichEdit1->lineWrapMode(), QTextEdit::NoWrap);
        QVERIFY(!viewer().isVisible());
    }

    void tabGoesFromTheTextToClose()
    {
        viewer().show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer()));
        viewer().RichEdit1->setFocus();
        QTest::keyClick(viewer().RichEdit1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), viewer().Button1);
        QVERIFY(viewer().RichEdit1->toPlainText().isEmpty()); // no tab typed
    }

    void everyChangeShowsTheSaveButton_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("typing") << "type";
        QTest::newRow("deleting") << "delete";
        QTest::newRow("pasting") << "paste";
    }
    void everyChangeShowsTheSaveButton()
    {
        QFETCH(QString, how);
        viewer().RichEdit1->setPlainText("abc");
        viewer().SpeedButton2->hide();
        if (how == "type") {
            QTest::keyClicks(viewer().RichEdit1, "x");
        } else if (how == "delete") {
            QTest::keyClick(viewer().RichEdit1, Qt::Key_Delete);
        } else {
            viewer().RichEdit1->selectAll();
            viewer().RichEdit1->copy();
            viewer().RichEdit1->moveCursor(QTextCursor::End);
            viewer().RichEdit1->paste();
        }
        QVERIFY(!viewer().SpeedButton2->isHidden());
    }

    void loadsEveryLineEnd_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("LF only") << QByteArray("one\ntwo\nthree") << QStringList{"one", "two", "three"}
                                 << QByteArray("one\r\ntwo\r\nthree");
        QTest::newRow("CR only") << QByteArray("one\rtwo\rthree") << QStringList{"one", "two", "three"}
                                 << QByteArray("one\r\ntwo\r\nthree");
        QTest::newRow("CR LF") << QByteArray("one\r\ntwo") << QStringList{"one", "two"}
                               << QByteArray("one\r\ntwo");
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd\n\re") << QStringList{"a", "b", "c", "d", "", "e"}
                               << QByteArray("a\r\nb\r\nc\r\nd\r\n\r\ne");
        QTest::newRow("CR LF LF is two line ends") << QByteArray("a\r\n\nb") << QStringList{"a", "", "b"}
                                                   << QByteArray("a\r\n\r\nb");
        QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"}
                                                << QByteArray("a\r\n\r\nb");
        QTest::newRow("ends with a line end") << QByteArray("a\r\n") << QStringList{"a", ""}
                                              << QByteArray("a\r\n");
        QTest::newRow("empty file") << QByteArray() << QStringList{""} << QByteArray();
        QTest::newRow("Cyrillic") << QByteArray("\xc4\xe0\n\xb9") << QStringList{"Да", "№"}
                                  << QByteArray("\xc4\xe0\r\n\xb9");
    }
    void loadsEveryLineEnd()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, saved);
        open(bytes);
        QVERIFY(m_interaction->errors().isEmpty());
        QTextDocument *document = viewer().RichEdit1->document();
        QStringList shown;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            shown << block.text();
        QCOMPARE(shown, lines);
        QCOMPARE(saveAs("out.txt"), saved);
    }

    void everyByteButNulRoundTrips()
    {
        QByteArray bytes;
        for (int byte = 1; byte < 256; ++byte) {
            if (byte != '\r' && byte != '\n')
                bytes += char(byte);
            if (byte % 16 == 0)
                bytes += "\r\n";
        }
        open(bytes);
        QCOMPARE(viewer().RichEdit1->document()->blockCount(), 16);
        QCOMPARE(saveAs("out.txt"), bytes);
    }

    void failedLoadsLeaveTheViewerAsItWas_data()
    {
        QTest::addColumn<QString>("name");   // the name typed in the dialog
        QTest::addColumn<QByteArray>("bytes"); // written first unless the name is "missing.txt"
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file")
            << "missing.txt" << QByteArray()
            << withErrorFullStop("Cannot open file \"" + QDir::toNativeSeparators(path("missing.txt")) + "\". "
                                 + qt_error_string(ENOENT));
        QTest::newRow("NUL byte") << "binary.doc" << QByteArray("text\0more", 9) << "Failed to Load Stream.";
        QTest::newRow("UTF-16") << "wide.txt" << QByteArray("\xff\xfeO\0K\0", 6) << "Failed to Load Stream.";
#ifdef Q_OS_UNIX
        QTest::newRow("named pipe") << "pipe.txt" << QByteArray()
                                    << "Cannot open file \"" + QDir::toNativeSeparators(path("pipe.txt")) + "\". "
                                           + qt_error_string(ENXIO) + ".";
#endif
        // Texts the box would take minutes to lay out.
        QTest::newRow("a million short lines") << "lines.txt" << QByteArray("p\r\n").repeated(1000000)
                                               << "Failed to Load Stream.";
        QTest::newRow("50000 lines in one layout step") << "dense.txt" << QByteArray("p\n").repeated(50000)
                                                        << "Failed to Load Stream.";
        QTest::newRow("more than 300000 lines") << "long.txt" << QByteArray("abcd\r\n").repeated(300000)
                                                << "Failed to Load Stream.";
        QTest::newRow("a line of 100001 characters") << "wide.txt" << QByteArray(100001, 'w')
                                                     << "Failed to Load Stream.";
        QTest::newRow("rich text of a million paragraphs")
            << "paragraphs.rtf" << "{\\rtf1 " + QByteArray("p\\par\n").repeated(1000000) + "}"
            << "Failed to Load Stream.";
        QTest::newRow("rich paragraph of 100001 characters")
            << "long.rtf" << "{\\rtf1 " + QByteArray("{\\b w}{\\i w}").repeated(50000) + "w}"
            << "Failed to Load Stream.";
    }
    void failedLoadsLeaveTheViewerAsItWas()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        viewer().RichEdit1->setPlainText("kept");
        viewer().SpeedButton2->hide();
#ifdef Q_OS_UNIX
        if (name == "pipe.txt")
            QVERIFY(::mkfifo(QFile::encodeName(path(name)).constData(), 0600) == 0);
        else
#endif
        if (name != "missing.txt")
            QVERIFY(writeBytes(path(name), bytes));
        load(path(name));
        QCOMPARE(m_interaction->errors(), QStringList{message});
        QCOMPARE(viewer().RichEdit1->toPlainText(), QString("kept"));
        QVERIFY(viewer().SpeedButton2->isHidden());
    }

    void loadsUpToTheBoxsCapacity_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("paragraphs");
        QTest::newRow("300000 lines spread over the layout steps") << QByteArray("abcd\r\n").repeated(299999) + "abcd"
                                                                    << 300000;
        QTest::newRow("49999 lines in one layout step") << QByteArray("p\n").repeated(49998) + "p" << 49999;
        QTest::newRow("a line of 100000 characters") << QByteArray(100000, 'w') << 1;
        QTest::newRow("rich paragraph of 100000 characters")
            << "{\\rtf1 " + QByteArray("{\\b w}{\\i w}").repeated(50000) + "}" << 1;
    }
    void loadsUpToTheBoxsCapacity()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, paragraphs);
        open(bytes);
        QCOMPARE(m_interaction->errors(), QStringList());
        QVERIFY(loadRemainingPieces());
        QCOMPARE(viewer().RichEdit1->document()->blockCount(), paragraphs);
    }

    // A long text comes piece by piece, each piece at its own turn of the event loop, and ends
    // as the same document a load in one go builds, with nothing to undo and nothing modified.
    void piecewiseLoadEndsAsALoadInOneGo_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("piecewise"); // more than one piece
        QTest::newRow("report") << readBytes(testDataPath("report-example.txt")) << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("many short lines, mixed line ends")
            << QByteArray("a\r\nb\nc\rd\n\r").repeated(3000) << true;
        QTest::newRow("line end at a piece's end") << QByteArray("p\n").repeated(2500) + "q" << true;
        QTest::newRow("ends with a line end") << QByteArray("p\r\n").repeated(5001) << true;
        QTest::newRow("one line longer than a piece") << QByteArray(70000, 'w') + "\nz" << true;
        QTest::newRow("Cyrillic") << QByteArray("\xc4\xe0 \xb9\r\n").repeated(9000) << true;
        QTest::newRow("rich sample") << readBytes(testDataPath("libreoffice-sample.rtf")) << false;
        QTest::newRow("rich text, many paragraphs") << richParagraphs(6000) << true;
    }
    void piecewiseLoadEndsAsALoadInOneGo()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, piecewise);
        open(bytes);
        QCOMPARE(m_interaction->errors(), QStringList());
        QCOMPARE(viewer().isLoading(), piecewise);
        QVERIFY(!viewer().SpeedButton2->isHidden()); // the load is a change from its start
        QVERIFY(loadRemainingPieces());
        const std::unique_ptr<QTextDocument> whole = readViewerDocument(path("in.txt"), viewer().RichEdit1->font());
        QTextDocument *shown = viewer().RichEdit1->document();
        QCOMPARE(viewerPlainText(*shown), viewerPlainText(*whole));
        QCOMPARE(shown->toHtml(), whole->toHtml()); // the formatting too
        QVERIFY(!shown->isUndoAvailable());
        QVERIFY(!shown->isModified());
        QCOMPARE(viewer().RichEdit1->textCursor().position(), 0);
    }

    // What the user or the program does while pieces are still to come meets the whole text, as
    // it would have after a load in one go; while saving or typing wait for the rest, the window
    // answers its events.
    void actionsDuringAPiecewiseLoad_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("expected"); // the text afterwards, "whole" for the file's
        QTest::addColumn<bool>("answers"); // an event queued before the action comes while loading
        QTest::newRow("saving writes the whole text") << "save" << "whole" << true;
        QTest::newRow("typing goes into the whole text") << "type" << "xwhole" << true;
        QTest::newRow("typing is undone to the whole text") << "type, undo" << "whole" << true;
        QTest::newRow("closing only hides") << "close" << "whole" << false;
        QTest::newRow("a failed load leaves it loading") << "load missing" << "whole" << false;
        QTest::newRow("another load takes its place") << "load other" << "other" << false;
        QTest::newRow("a text set otherwise ends it") << "set" << "set" << false;
    }
    void actionsDuringAPiecewiseLoad()
    {
        QFETCH(QString, action);
        QFETCH(QString, expected);
        QFETCH(bool, answers);
        const QByteArray bytes = QByteArray("line\r\n").repeated(10000);
        QVERIFY(writeBytes(path("other.txt"), "other"));
        viewer().show();
        open(bytes);
        QVERIFY(viewer().isLoading());
        bool answeredWhileLoading = false;
        const QObject answering; // ends the call with the test
        QTimer::singleShot(0, &answering, [&] { answeredWhileLoading = viewer().isLoading(); });
        if (action == "save") {
            QCOMPARE(saveAs("out.txt"), bytes);
        } else if (action.startsWith("type")) {
            QTest::keyClick(viewer().RichEdit1, Qt::Key_X);
            if (action.endsWith("undo"))
                viewer().RichEdit1->undo();
        } else if (action == "close") {
            QTest::mouseClick(viewer().Button1, Qt::LeftButton);
            QVERIFY(!viewer().isVisible());
        } else if (action == "load missing") {
            load(path("missing.txt"));
            QCOMPARE(m_interaction->errors().size(), 1);
        } else if (action == "load other") {
            load(path("other.txt"));
        } else if (action == "set") {
            viewer().RichEdit1->setPlainText("set");
        }
        QVERIFY(loadRemainingPieces());
        QCoreApplication::processEvents();
        QCOMPARE(answeredWhileLoading, answers);
        QCOMPARE(viewer().RichEdit1->toPlainText().replace(u'\n', "\r\n"),
                 expected == "whole" ? QString::fromLatin1(bytes)
                 : expected == "xwhole" ? "x" + QString::fromLatin1(bytes) : expected);
        QVERIFY(!viewer().RichEdit1->document()->isModified() || action.startsWith("type") || action == "set");
        // Edits after the load are undone as after any other.
        QCoreApplication::processEvents();
        const QString before = viewer().RichEdit1->toPlainText();
        QTest::keyClick(viewer().RichEdit1, Qt::Key_End, Qt::ControlModifier); // not merged with "x"
        QTest::keyClick(viewer().RichEdit1, Qt::Key_Y);
        viewer().RichEdit1->undo();
        QCOMPARE(viewer().RichEdit1->toPlainText(), before);
    }

    // A load begun while a key waits for the rest (a screen reader can start one) takes the first
    // one's place and comes in whole before the key.
    void loadBegunWhileTypingComesInWholeFirst()
    {
        const QByteArray other = QByteArray("other\r\n").repeated(10000);
        QVERIFY(writeBytes(path("other.txt"), other));
        viewer().show();
        open(QByteArray("line\r\n").repeated(10000));
        const QObject loading; // ends the call with the test
        QTimer::singleShot(0, &loading, [&] { load(path("other.txt")); });
        QTest::keyClick(viewer().RichEdit1, Qt::Key_X);
        QVERIFY(!viewer().isLoading());
        QCOMPARE(viewer().RichEdit1->toPlainText().replace(u'\n', "\r\n"), "x" + QString::fromLatin1(other));
    }

    // A long file is read, and a long rich text parsed, in parts, and the window answers its
    // events between them; the viewer changes only when the file has been read and checked
    // whole, so that an error anywhere in it leaves the viewer as it was, with today's message.
    void longFilesAreReadWhileTheWindowAnswers_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");  // the error shown, empty for none
        QTest::addColumn<QString>("expected"); // the text afterwards: "whole" for the file's, "kept"
        QTest::addColumn<int>("minimumTurns"); // turns of the event loop while the file is read
        QTest::addColumn<QString>("other");    // the file the first turn loads, if any
        const int parseParts = int(ViewerTextPieces::maximumParsePartBytes);
        const QByteArray rich = richParagraphs(20000);
        QTest::newRow("rich text of several parts") << rich << "" << "whole" << int(rich.size() / parseParts - 1)
                                                    << "";
        QByteArray tooLong = richParagraphs(12000);
        tooLong.insert(tooLong.indexOf("\\par\n", tooLong.size() / 2) + 5, "\\par " + QByteArray("{\\b w}{\\i w}").repeated(50001) + "\\par ");
        QTest::newRow("a paragraph too long in the middle")
            << tooLong << "Failed to Load Stream." << "kept" << int(tooLong.size() / parseParts - 1) << "";
        QTest::newRow("another file loaded meanwhile takes its place") << rich << "" << "other" << 1 << "other.txt";
        QTest::newRow("another file failing meanwhile leaves the place to this one")
            << rich
            << withErrorFullStop("Cannot open file \"" + QDir::toNativeSeparators(path("missing.txt")) + "\". "
                                 + qt_error_string(ENOENT))
            << "whole" << 1 << "missing.txt";
        QTest::newRow("short rich text read at once") << readBytes(testDataPath("libreoffice-sample.rtf")) << ""
                                                      << "whole" << 0 << "";
        // Read in parts, then decoded in parts; a line end split between two of them is one.
        const qsizetype readParts = ViewerTextPieces::maximumReadPartBytes;
        QByteArray plain = QByteArray(99, 'w').append("\r\n").repeated(int(readParts / 101));
        plain += QByteArray(readParts - 1 - plain.size(), 'w') + "\r\n\r" + plain + plain;
        QTest::newRow("plain text of several parts") << plain << "" << "whole"
                                                     << int(2 * (plain.size() / readParts)) << "";
    }
    void longFilesAreReadWhileTheWindowAnswers()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(QString, expected);
        QFETCH(int, minimumTurns);
        QFETCH(QString, other);
        QVERIFY(writeBytes(path("in.rtf"), bytes));
        QVERIFY(writeBytes(path("other.txt"), "other"));
        viewer().RichEdit1->setPlainText("kept");
        viewer().SpeedButton2->hide();
        // An event that posts itself again: it runs once at each turn of the event loop.
        QObject answering;
        QStringList seen; // the viewer's text at each turn
        std::function<void()> answer = [&] {
            seen << viewer().RichEdit1->toPlainText();
            if (!other.isEmpty() && seen.size() == 1)
                load(path(other));
            QMetaObject::invokeMethod(&answering, answer, Qt::QueuedConnection);
        };
        QMetaObject::invokeMethod(&answering, answer, Qt::QueuedConnection);
        load(path("in.rtf"));
        const QStringList seenWhileLoading = seen;
        QVERIFY2(seenWhileLoading.size() >= minimumTurns, qPrintable(QString::number(seenWhileLoading.size())));
        if (minimumTurns == 0)
            QVERIFY(seenWhileLoading.isEmpty()); // a short file does not open the event loop at all
        // Nothing of the file is shown before it has been read whole.
        if (!seenWhileLoading.isEmpty())
            QCOMPARE(seenWhileLoading.front(), QString("kept"));
        if (expected != "other")
            QCOMPARE(seenWhileLoading.count("kept"), seenWhileLoading.size());
        QCOMPARE(m_interaction->errors(), message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(loadRemainingPieces());
        QTextDocument *shown = viewer().RichEdit1->document();
        if (expected == "whole") {
            const std::unique_ptr<QTextDocument> whole = readViewerDocument(path("in.rtf"), viewer().RichEdit1->font());
            QCOMPARE(shown->toHtml(), whole->toHtml());
            QVERIFY(!shown->isModified());
            QVERIFY(!viewer().SpeedButton2->isHidden());
        } else {
            QCOMPARE(viewer().RichEdit1->toPlainText(), expected);
            QCOMPARE(viewer().SpeedButton2->isHidden(), expected == "kept");
        }
    }

    void endlessDeviceFailsAtOnce()
    {
        if (!QFileInfo::exists("/dev/zero"))
            QSKIP("this system has no /dev/zero");
        viewer().RichEdit1->setPlainText("kept");
        QElapsedTimer timer;
        timer.start();
        load(QStringLiteral("/dev/zero"));
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(m_interaction->errors(), QStringList{"Failed to Load Stream."});
        QCOMPARE(viewer().RichEdit1->toPlainText(), QString("kept"));
    }

    void richTextShowsItsFormattingAndSavesAsPlainText()
    {
        open(readBytes(testDataPath("libreoffice-sample.rtf")), "sample.rtf");
        QVERIFY(m_interaction->errors().isEmpty());
        QTextDocument *document = viewer().RichEdit1->document();
        QCOMPARE(formatAt(document, "жирный").fontWeight(), int(QFont::Bold));
        QCOMPARE(formatAt(document, "Обычный").fontWeight(), int(QFont::Normal));
        QVERIFY(formatAt(document, "курсив").fontItalic());
        QVERIFY(formatAt(document, "подчёркнутый").fontUnderline());
        QCOMPARE(formatAt(document, "Крупный").fontPointSize(), 20.0);
        QCOMPARE(formatAt(document, "Обычный").fontPointSize(), 12.0);
        QCOMPARE(formatAt(document, "красный").foreground().color(), QColor(255, 0, 0));
        QCOMPARE(document->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        const QByteArray expected = encodeCp1251(
            u"РАСЧЕТ СВАРНОГО ШВА\r\nОбычный, жирный, курсив, подчёркнутый.\r\n"
            u"Крупный и красный текст; Ww = 0,823 см^3\r\nКолонка\tпосле табуляции, перенос\r\nстроки\r\n"
            u"\r\nЗнаки: € — «кавычки» № {скобки} \\ обратная черта");
        QCOMPARE(saveAs("again.rtf"), expected);
    }

    void eachLoadReplacesTheDocument()
    {
        for (int i = 0; i < 3; ++i)
            open("text " + QByteArray::number(i));
        QCOMPARE(viewer().RichEdit1->toPlainText(), QString("text 2"));
        // The box's own first document and the one shown; none of the loads before.
        QVERIFY(viewer().findChildren<QTextDocument *>().size() <= 2);
    }

    void textWithoutRtfHeaderIsPlainEvenNamedRtf()
    {
        open("\\b not rich\\b0", "plain.rtf");
        QCOMPARE(viewer().RichEdit1->toPlainText(), QString("\\b not rich\\b0"));
    }

    void cancelledSaveDoesNothing()
    {
        viewer().RichEdit1->setPlainText("kept");
        m_interaction->answerFileDialog(std::nullopt);
        runGuarded([&] { viewer().SpeedButton2Click(viewer().SpeedButton2); });
        QCOMPARE(m_interaction->dialogs.size(), 1);
        QVERIFY(m_interaction->boxes.isEmpty());
        QVERIFY(entriesOf(m_folder.path()).isEmpty());
        QCOMPARE(viewer().SaveDialog.fileName(), QString("Св.шов№__"));
    }

    void saveButtonWritesAndConfirms()
    {
        viewer().RichEdit1->setPlainText("first\nsecond");
        QTest::keyClicks(viewer().RichEdit1, "x");
        m_interaction->answerFileDialog(path("saved.tww"));
        QTest::mouseClick(viewer().SpeedButton2, Qt::LeftButton);
        QCOMPARE(m_interaction->messages(),
                 QStringList{"Записано в файл  " + QDir::toNativeSeparators(path("saved.tww"))});
        QCOMPARE(readBytes(path("saved.tww")), QByteArray("xfirst\r\nsecond"));
        QVERIFY(!viewer().SpeedButton2->isHidden()); // saving does not hide it
        QCOMPARE(viewer().RichEdit1->toPlainText(), QString("xfirst\nsecond"));
    }

    void saveAsBeforeAnythingWritesAnEmptyFile()
    {
        QVERIFY(writeBytes(path("old.txt"), "old content"));
        QCOMPARE(saveAs("old.txt"), QByteArray());
        QCOMPARE(m_interaction->messages(),
                 QStringList{"Записано в файл  " + QDir::toNativeSeparators(path("old.txt"))});
    }

    void failedSaveKeepsTheFileAndShowsNoConfirmation_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("messagePart");
        QTest::newRow("character the code page lacks")
            << "строка\nab\u2713c" << "old.txt" << "2713";
        QTest::newRow("missing folder") << "text" << "none/old.txt" << "Invalid filename.";
    }
    void failedSaveKeepsTheFileAndShowsNoConfirmation()
    {
        QFETCH(QString, text);
        QFETCH(QString, target);
        QFETCH(QString, messagePart);
        QVERIFY(writeBytes(path("old.txt"), "old content"));
        viewer().RichEdit1->setPlainText(text);
        m_interaction->answerFileDialog(path(target));
        runGuarded([&] { viewer().SpeedButton2Click(viewer().SpeedButton2); });
        QVERIFY(m_interaction->messages().isEmpty());
        QCOMPARE(m_interaction->errors().size(), 1);
        QVERIFY2(m_interaction->errors().front().contains(messagePart), qPrintable(m_interaction->errors().front()));
        QCOMPARE(readBytes(path("old.txt")), QByteArray("old content"));
        QCOMPARE(entriesOf(m_folder.path()), QStringList{"old.txt"});
        QCOMPARE(viewer().RichEdit1->toPlainText(), text);
    }

    void unencodableCharacterIsNamedWithLineAndColumn()
    {
        viewer().RichEdit1->setPlainText(QString::fromUtf8("строка\nab✓c"));
        QString message;
        try {
            viewer().saveToFile(path("x.txt"));
        } catch (const WeldError &error) {
            message = error.message();
        }
        QVERIFY2(message.contains(QString::fromUtf8("✓")), qPrintable(message));
        QVERIFY2(message.contains("строке 2") && message.contains("позиция 3"), qPrintable(message));
        QVERIFY(!QFile::exists(path("x.txt")));
    }

    void plainTextKeepsNoBreakSpacesAndDropsPictures()
    {
        QTextCursor cursor(viewer().RichEdit1->document());
        cursor.insertText(QString::fromUtf8("a\u00A0b"));
        cursor.insertImage(QImage(4, 4, QImage::Format_RGB32));
        cursor.insertText(QString::fromUtf8("c\u2028d"));
        cursor.insertBlock();
        cursor.insertText("e");
        QCOMPARE(saveAs("out.txt"), QByteArray("a\xa0" "bc\r\nd\r\ne"));
    }

    void closeOnlyHides()
    {
        viewer().RichEdit1->setPlainText("kept");
        viewer().show();
        QTest::mouseClick(viewer().Button1, Qt::LeftButton);
        QVERIFY(!viewer().isVisible());
        QCOMPARE(viewer().RichEdit1->toPlainText(), QString("kept"));
        QVERIFY(!viewer().SpeedButton2->isHidden());
        viewer().show();
        QVERIFY(viewer().close()); // the close box
        QVERIFY(!viewer().isVisible());
        viewer().show();
        QCOMPARE(viewer().RichEdit1->toPlainText(), QString("kept"));
        QVERIFY(!viewer().SpeedButton2->isHidden());
    }
};

QTEST_MAIN(ViewerTest)

#include "ViewerTest.moc"
