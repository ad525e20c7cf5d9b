// Grabs every window of the program at its designed size into PNG files, to compare the look
// with the design:  QT_QPA_PLATFORM=offscreen <build>/tools/grab/grab-windows <folder>
#include "About.h"
#include "Brauzer1.h"
#include "MainForm.h"
#include "Spr_ras4et.h"
#include "Spravka.h"
#include "Startup.h"
#include "StartupPlatform.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit5.h"
#include "Wine.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char **argv)
{
    // The program's own platform and font engine, so that the grabs under Wine show its faces.
    if (const auto platform = chosenPlatform(runsUnderWine(), qEnvironmentVariableIsSet("QT_QPA_PLATFORM")))
        qputenv("QT_QPA_PLATFORM", *platform);
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder for the PNG files>\n", argv[0]);
        return 2;
    }
    prepareApplication(application);
    createWindows();
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const std::pair<QWidget *, const char *> windows[] = {
        {MainForm, "MainForm"}, {Form3, "Form3"},       {Form1, "Form1"}, {Form4, "Form4"},
        {Form2, "Form2"},       {AboutBox, "AboutBox"}, {Form5, "Form5"}, {Brauzer1, "Brauzer1"},
    };
    int failures = 0;
    for (const auto &[window, name] : windows) {
        window->show();
        QApplication::processEvents();
        const QString file = folder.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        if (!window->grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ++failures;
        }
    }
    destroyWindows();
    return failures == 0 ? 0 : 1;
}
