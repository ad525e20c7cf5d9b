// Times opening and saving plain and rich texts in the viewer: the load itself, the first showing
// (layout and paint) after it, the longest the window is held up while the rest is laid out, and
// the save; the longest the window leaves a ping unanswered while a file opens, as a user feels
// it, also when the user types or saves before the text is whole; and how fast the texts beyond the viewer's capacity (a million short lines, 5 MB in one
// line, a 6 MB rich text of a million paragraphs) are refused. With a screen reader's bus the
// accessibility events count too: bench/viewer/run-viewer-benchmark.sh runs it both ways.
#include "Cp1251.h"
#include "Errors.h"
#include "Unit1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QEventLoop>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Report-like lines: Cyrillic words, numbers, a few tabs; about 70 characters each.
QByteArray plainText(qsizetype size)
{
    const QString words[] = {u"напряжение"_qs, u"шов"_qs, u"SIGMAmax"_qs, u"1850"_qs, u"кгс/см^2"_qs,
                             u"0,823"_qs, u"\t"_qs, u"Расчетная"_qs, u"длина"_qs, u"Lw=L-2*Kf"_qs};
    QByteArray bytes;
    bytes.reserve(size + 100);
    QString line;
    for (unsigned i = 0; bytes.size() < size; ++i) {
        line += words[(i * 7 + i / 10) % 10] + u' ';
        if (line.size() > 64) {
            bytes += encodeCp1251(line) + "\r\n";
            line.clear();
        }
    }
    return bytes;
}

// The same kind of text as a word processor writes it: runs in bold, italic, colour and sizes,
// Cyrillic as \'hh in code page 1251, paragraphs with \par.
QByteArray richText(qsizetype size)
{
    QByteArray bytes = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Arial;}"
                       "{\\f1\\froman\\fcharset204 Times New Roman;}}"
                       "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\n"
                       "{\\*\\generator bench;}\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    const QByteArray runs[] = {"{\\b ", "{\\i ", "{\\ul ", "{\\cf1 ", "{\\cf2\\f1 ", "{\\fs28 ", "{"};
    const QByteArray plain = plainText(size / 2);
    qsizetype run = 0;
    bool inRun = false;
    for (qsizetype i = 0; i < plain.size() && bytes.size() < size; ++i) {
        const unsigned char c = plain[i];
        if (c == '\r')
            continue;
        if (c == '\n') {
            bytes += "\\par\n";
            continue;
        }
        if (!inRun && i % 40 < 20) {
            bytes += runs[run++ % 7];
            inRun = true;
        }
        if (c >= 0x80)
            bytes += "\\'" + QByteArray::number(c, 16);
        else if (c == '\t')
            bytes += "\\tab ";
        else
            bytes += char(c);
        if (inRun && i % 40 >= 20) {
            bytes += '}';
            inRun = false;
        }
    }
    return bytes + (inRun ? "}}" : "}");
}

struct Times
{
    double load = 0;     // loadFromFile: read, convert, build the document, hand it to the box
    double paint = 0;    // the first paint of the text box after it
    double freeze = 0;   // the longest the event loop was blocked afterwards, laying out the rest
    double freezeProcessor = 0; // the processor time of the longest block: the freeze on an idle machine
    double laidOut = 0;  // from the end of the load until the box's layout stopped changing
    double save = 0;     // saveToFile
    double loadProcessor = 0;
    double saveProcessor = 0;
};

double milliseconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The processor time of this process: what the wall-clock figures would be on an idle machine.
double processorMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

Times measure(TForm1 &viewer, const QString &input, const QString &output)
{
    Times times;
    QElapsedTimer timer;
    timer.start();
    double processor = processorMilliseconds();
    viewer.loadFromFile(input);
    viewer.finishLoading();
    times.load = milliseconds(timer);
    times.loadProcessor = processorMilliseconds() - processor;

    timer.restart();
    viewer.RichEdit1->viewport()->repaint();
    times.paint = milliseconds(timer);

    // The box lays out the rest of a long text in steps between events: watch the event
    // loop's longest gap, and call the layout done after a second without a step.
    double lastStep = 0;
    QElapsedTimer sinceTick;
    double processorAtTick = processorMilliseconds();
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const double gap = milliseconds(sinceTick);
        sinceTick.restart();
        const double processorNow = processorMilliseconds();
        times.freezeProcessor = std::max(times.freezeProcessor, processorNow - processorAtTick);
        processorAtTick = processorNow;
        times.freeze = std::max(times.freeze, gap);
        if (gap > 15)
            lastStep = milliseconds(timer);
        if (milliseconds(timer) - lastStep > 1000 || timer.elapsed() > 30000)
            loop.quit();
    });
    timer.restart();
    tick.start();
    sinceTick.start();
    processorAtTick = processorMilliseconds();
    loop.exec();
    times.laidOut = lastStep;

    timer.restart();
    processor = processorMilliseconds();
    viewer.saveToFile(output);
    times.save = milliseconds(timer);
    times.saveProcessor = processorMilliseconds() - processor;
    return times;
}

// Pings the window's thread every 5 ms from a thread of its own and keeps the longest wait for an
// answer; a ping still unanswered when it stops counts with its wait so far.
class Pinger
{
public:
    explicit Pinger(QObject *window)
        : m_window(window)
        , m_thread([this] { run(); })
    {
    }
    ~Pinger() { stop(); }

    // The longest wait in milliseconds, ending the pings.
    double stop()
    {
        if (m_thread.joinable()) {
            m_running = false;
            m_thread.join();
            QCoreApplication::processEvents(); // answers the pings already sent
        }
        std::lock_guard lock(m_mutex);
        for (const Clock::time_point sent : m_pending)
            m_longest = std::max(m_longest, millisecondsSince(sent));
        return m_longest;
    }

    // The longest wait of the pings answered so far.
    double longestSoFar()
    {
        std::lock_guard lock(m_mutex);
        return m_longest;
    }

    // The longest time between two answers less the time the window's thread waited for a
    // processor: the longest wait on an idle machine, counting what it waits for (the bus, the X
    // server), which processor time leaves out.
    double longestUncontended()
    {
        std::lock_guard lock(m_mutex);
        return m_longestUncontended;
    }

    // The most processor time the window's thread spent between two answers: the longest wait
    // on an idle machine.
    double longestProcessor()
    {
        std::lock_guard lock(m_mutex);
        return m_longestProcessor;
    }

private:
    using Clock = std::chrono::steady_clock;

    // The window thread's time spent runnable but waiting for a processor (Linux), else 0. Its
    // statistics are opened once, by that thread, and read again at each answer.
    double runQueueMilliseconds()
    {
        if (!m_schedstat.isOpen() && !m_schedstat.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return 0;
        m_schedstat.seek(0);
        const QList<QByteArray> fields = m_schedstat.readAll().split(' ');
        return fields.size() > 1 ? fields[1].toDouble() / 1e6 : 0;
    }

    static double millisecondsSince(Clock::time_point then)
    {
        return std::chrono::duration<double, std::milli>(Clock::now() - then).count();
    }

    void run()
    {
        while (m_running) {
            const Clock::time_point sent = Clock::now();
            {
                std::lock_guard lock(m_mutex);
                m_pending.push_back(sent);
            }
            QMetaObject::invokeMethod(m_window, [this, sent] { answer(sent); }, Qt::QueuedConnection);
            std::this_thread::sleep_until(sent + std::chrono::milliseconds(5));
        }
    }

    void answer(Clock::time_point sent)
    {
        timespec now {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        const double processor = double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
        const Clock::time_point answered = Clock::now();
        const double waited = runQueueMilliseconds();
        std::lock_guard lock(m_mutex);
        if (m_lastAnswerProcessor >= 0) {
            m_longestProcessor = std::max(m_longestProcessor, processor - m_lastAnswerProcessor);
            const double wall = std::chrono::duration<double, std::milli>(answered - m_lastAnswer).count();
            m_longestUncontended = std::max(m_longestUncontended, wall - (waited - m_lastRunQueue));
        }
        m_lastAnswerProcessor = processor;
        m_lastAnswer = answered;
        m_lastRunQueue = waited;
        m_longest = std::max(m_longest, millisecondsSince(sent));
        m_pending.erase(std::find(m_pending.begin(), m_pending.end(), sent));
    }

    QObject *m_window;
    std::mutex m_mutex;
    std::vector<Clock::time_point> m_pending;
    double m_longest = 0;
    double m_lastAnswerProcessor = -1;
    double m_longestProcessor = 0;
    Clock::time_point m_lastAnswer;
    double m_lastRunQueue = 0;
    double m_longestUncontended = 0;
    QFile m_schedstat{QStringLiteral("/proc/thread-self/schedstat")};
    std::atomic<bool> m_running = true;
    std::thread m_thread;
};

struct Opening
{
    double freeze = 0; // the longest unanswered ping from the click until the text is laid out
    double freezeProcessor = 0; // the window thread's processor time between two answers, at most
    double freezeUncontended = 0; // the longest time between two answers less the wait for a processor
    double opened = 0; // from the click until the viewer holds the whole text
    double typingFreeze = 0; // the open freeze with a key typed while the text comes in
    double savingFreeze = 0; // the open freeze with a save while the text comes in
};

// What the user does while the text comes in piece by piece: nothing, a key typed into it, or a
// save, each at the first turn of the event loop after the load began.
enum class During { Nothing, Typing, Saving };

// Opens the file as the main window's command does, from an event, and pings the window until the
// viewer holds the whole text and has laid it out (half a second without a wait over 15 ms).
Opening measureOpening(TForm1 &viewer, const QString &input, During during = During::Nothing,
                       const QString &output = {})
{
    Opening opening;
    QElapsedTimer timer;
    bool loaded = false;
    Pinger pinger(&viewer);
    timer.start();
    bool called = false;
    QTimer::singleShot(0, &viewer, [&] {
        viewer.loadFromFile(input);
        if (during == During::Typing) {
            QCoreApplication::postEvent(viewer.RichEdit1,
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, u"x"_qs));
            QCoreApplication::postEvent(viewer.RichEdit1,
                                        new QKeyEvent(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, u"x"_qs));
        } else if (during == During::Saving) {
            QTimer::singleShot(0, &viewer, [&] { viewer.saveToFile(output); });
        }
        called = true;
    });
    double quietSince = 0;
    double longest = 0;
    while (timer.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const double now = milliseconds(timer);
        // The text arrives piece by piece until the viewer holds all of it.
        if (!loaded && called && !viewer.isLoading()) {
            loaded = true;
            opening.opened = now;
        }
        const double longestSoFar = pinger.longestSoFar();
        if (longestSoFar > longest || !loaded) {
            longest = longestSoFar;
            quietSince = now;
        }
        if (loaded && now - quietSince > 500)
            break;
    }
    opening.freeze = pinger.stop();
    opening.freezeProcessor = pinger.longestProcessor();
    opening.freezeUncontended = pinger.longestUncontended();
    return opening;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    TForm1 viewer;
    viewer.show();
    QCoreApplication::processEvents();
    // Qt's AT-SPI bridge turns accessibility on once it has reached the bus, a moment after start.
    QElapsedTimer waitingForBus;
    waitingForBus.start();
    while (qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON") && !QAccessible::isActive()
           && waitingForBus.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);

    struct Case
    {
        const char *name;
        QByteArray bytes;
    };
    // WELD_BENCH_LINES scales the line and paragraph cases down, to see how a cost grows.
    const int lines = qEnvironmentVariableIntValue("WELD_BENCH_LINES") > 0 ? qEnvironmentVariableIntValue("WELD_BENCH_LINES") : 1000000;
    QByteArray paragraphs = "{\\rtf1\\ansi ";
    for (int i = 0; i < lines; ++i)
        paragraphs += "p\\par\n";
    paragraphs += '}';
    // The heaviest texts the viewer still takes: the most paragraphs, the longest paragraph.
    QByteArray manyParagraphs = "{\\rtf1\\ansi ";
    for (int i = 0; i < 49998; ++i)
        manyParagraphs += "p\\par\n";
    manyParagraphs += "p}";
    const Case cases[] = {{"plain 1 MB", plainText(1 << 20)},
                          {"plain 10 MB", plainText(10 << 20)},
                          {"RTF 1 MB", richText(1 << 20)},
                          {"RTF 6 MB", richText(6 << 20)},
                          {"300k lines", QByteArray("abcd\r\n").repeated(299999) + "abcd"},
                          {"1M lines", QByteArray("p\r\n").repeated(lines)},
                          {"5 MB line", QByteArray("word ").repeated(1 << 20)},
                          {"RTF 1M par", paragraphs},
                          {"50k lines", QByteArray("p\r\n").repeated(49998) + "p"},
                          {"100k line", QByteArray("word ").repeated(20000)},
                          {"RTF 50k par", manyParagraphs}};
    const int rounds = qEnvironmentVariableIntValue("WELD_BENCH_ROUNDS") > 0 ? qEnvironmentVariableIntValue("WELD_BENCH_ROUNDS") : 5;
    std::printf("accessibility %s; median of %d rounds, ms: load = read, convert and build (or refuse); "
                "paint = first paint; freeze = longest blocked event loop afterwards (cpu: its processor time, the "
                "freeze on an idle machine); laid out = last layout step after the paint; open freeze = longest "
                "unanswered ping (every 5 ms) from opening until laid out (cpu: the most processor time between two "
                "answers; idle: the longest time between two answers less the window thread's wait for a processor, "
                "the open freeze on an idle machine); whole = until the viewer holds the whole text; typing, saving = "
                "the open freeze with a key typed or a save at once after the load began\n",
                QAccessible::isActive() ? "active" : "inactive", rounds);
    std::printf("%-12s %8s %8s %11s %8s %10s %9s %8s %9s %9s %11s %8s %8s %8s %8s %8s\n", "file", "load", "paint",
                "load+paint", "freeze", "freeze cpu", "laid out", "save", "load cpu", "save cpu", "open freeze", "cpu", "idle",
                "whole", "typing", "saving");
    // An argument picks the cases whose name contains it ("10 MB", "RTF").
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    for (const Case &c : cases) {
        if (!QString::fromLatin1(c.name).contains(only))
            continue;
        const QString input = folder.filePath(QString::fromLatin1(c.name) + u".in"_qs);
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly) || file.write(c.bytes) != c.bytes.size())
            return 1;
        file.close();
        std::vector<double> load, paint, total, freeze, freezeProcessor, laidOut, save, loadProcessor, saveProcessor,
            openFreeze, openFreezeProcessor, openFreezeUncontended, opened, typingFreeze, savingFreeze;
        QString refusal;
        for (int round = 0; round < rounds; ++round) {
            QElapsedTimer refusedAfter;
            refusedAfter.start();
            Times t;
            try {
                t = measure(viewer, input, folder.filePath(u"out.txt"_qs));
            } catch (const WeldError &error) {
                refusal = error.message();
                t.load = milliseconds(refusedAfter);
            }
            if (refusal.isEmpty()) {
                viewer.RichEdit1->clear();
                QCoreApplication::processEvents();
                const Opening o = measureOpening(viewer, input);
                openFreeze.push_back(o.freeze);
                openFreezeProcessor.push_back(o.freezeProcessor);
                openFreezeUncontended.push_back(o.freezeUncontended);
                opened.push_back(o.opened);
                typingFreeze.push_back(measureOpening(viewer, input, During::Typing).freeze);
                savingFreeze.push_back(measureOpening(viewer, input, During::Saving, folder.filePath(u"out.txt"_qs)).freeze);
            }
            load.push_back(t.load);
            paint.push_back(t.paint);
            total.push_back(t.load + t.paint);
            freeze.push_back(t.freeze);
            freezeProcessor.push_back(t.freezeProcessor);
            laidOut.push_back(t.laidOut);
            save.push_back(t.save);
            loadProcessor.push_back(t.loadProcessor);
            saveProcessor.push_back(t.saveProcessor);
        }
        if (!refusal.isEmpty()) {
            std::printf("%-12s %8.1f   refused: \"%s\"   (%lld bytes)\n", c.name, median(load),
                        refusal.toUtf8().constData(), static_cast<long long>(c.bytes.size()));
            continue;
        }
        std::printf("%-12s %8.1f %8.1f %11.1f %8.1f %10.1f %9.1f %8.1f %9.1f %9.1f %11.1f %8.1f %8.1f %8.1f %8.1f %8.1f"
                    "   (%lld bytes, %d paragraphs)\n",
                    c.name, median(load), median(paint), median(total), median(freeze), median(freezeProcessor),
                    median(laidOut), median(save), median(loadProcessor), median(saveProcessor), median(openFreeze),
                    median(openFreezeProcessor), median(openFreezeUncontended), median(opened), median(typingFreeze),
                    median(savingFreeze),
                    static_cast<long long>(c.bytes.size()),
                    viewer.RichEdit1->document()->blockCount());
        std::fflush(stdout);
    }
    return 0;
}
