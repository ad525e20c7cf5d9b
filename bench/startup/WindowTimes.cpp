// Where start-up time goes: each step of the program's start timed alone (wall clock and
// processor), up to the main window's first exposure; run by hand under an X server, with
// "bare" as argument for the yardstick window of the start-up benchmark instead.
#include "About.h"
#include "Brauzer1.h"
#include "MainForm.h"
#include "Spr_ras4et.h"
#include "Spravka.h"
#include "Startup.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit5.h"
#include "WebBrowser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QWindow>

#include <cstdio>
#include <ctime>
#include <fstream>

// Under callgrind each step becomes a dump of its own, so instruction counts per step can be read
// with callgrind_annotate.
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define WELD_DUMP_STEP(name) CALLGRIND_DUMP_STATS_AT(name)
#else
#define WELD_DUMP_STEP(name)
#endif

namespace {

double processorMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The resident memory now, in KiB.
long residentKib()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * 4;
}

struct Step
{
    QElapsedTimer wall;
    double processor = processorMilliseconds();
    Step() { wall.start(); }
    void report(const char *name)
    {
        WELD_DUMP_STEP(name);
        std::printf("%-24s %8.2f %8.2f %8ld\n", name, double(wall.nsecsElapsed()) / 1e6,
                    processorMilliseconds() - processor, residentKib());
        wall.restart();
        processor = processorMilliseconds();
    }
};

// Quits at the main window's first exposure.
class ExposeWatch : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
            QCoreApplication::quit();
        return false;
    }
};

} // namespace

int main(int argc, char **argv)
{
    std::printf("%-24s %8s %8s %8s\n", "step", "wall ms", "cpu ms", "RSS KiB");
    Step step;
    WebBrowser::keepShaderCachesOffDisk();
    QApplication application(argc, argv);
    step.report("QApplication");
    ExposeWatch watch;
    if (argc > 1 && qstrcmp(argv[1], "bare") == 0) {
        QMainWindow window;
        window.setWindowTitle(QStringLiteral("Bare"));
        window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
        window.statusBar()->showMessage(QString());
        window.resize(720, 488);
        step.report("QMainWindow");
        window.show();
        step.report("show QMainWindow");
        window.windowHandle()->installEventFilter(&watch);
        application.exec();
        step.report("event loop to exposure");
        return 0;
    }
    prepareApplication(application);
    step.report("prepareApplication");
    // The order of createWindows, one window at a time.
    MainForm = new TMainForm;
    step.report("TMainForm");
    MainForm->show();
    step.report("show MainForm");
    Form3 = new TForm3;
    step.report("TForm3");
    Form1 = new TForm1;
    step.report("TForm1");
    Form4 = new TForm4;
    step.report("TForm4");
    Form2 = new TForm2;
    step.report("TForm2");
    AboutBox = new TAboutBox(MainForm, Form3->Label2, Form3->Label8);
    step.report("TAboutBox");
    Form5 = new TForm5;
    step.report("TForm5");
    Brauzer1 = new TBrauzer1;
    step.report("TBrauzer1");
    MainForm->windowHandle()->installEventFilter(&watch);
    application.exec();
    step.report("event loop to exposure");
    destroyWindows();
    return 0;
}
