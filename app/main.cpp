// The weld calculator: creates its windows and runs until the main window is closed.
#include "Startup.h"
#include "StartupPlatform.h"
#include "WebBrowser.h"
#include "Wine.h"

#include <QApplication>

int main(int argc, char **argv)
{
    WebBrowser::keepShaderCachesOffDisk();
    if (const auto platform = chosenPlatform(runsUnderWine(), qEnvironmentVariableIsSet("QT_QPA_PLATFORM")))
        qputenv("QT_QPA_PLATFORM", *platform);
    QApplication application(argc, argv);
    prepareApplication(application);
    createWindows();
    const int status = application.exec();
    destroyWindows();
    return status;
}
