// The weld calculator: creates its windows and runs until the main window is closed.
#include "Startup.h"
#include "WebBrowser.h"

#include <QApplication>

int main(int argc, char **argv)
{
    WebBrowser::keepShaderCachesOffDisk();
    QApplication application(argc, argv);
    prepareApplication(application);
    createWindows();
    const int status = application.exec();
    destroyWindows();
    return status;
}
