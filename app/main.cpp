// The weld calculator: creates its windows and runs until the main window is closed.
#include "Startup.h"
#include "WebBrowser.h"

#include <QApplication>

int main(int argc, char **argv)
{
    WebBrowser::keepShaderCachesOffDisk();
#ifdef Q_OS_WIN
    // The GDI font engine leaves the edit boxes' 8-point MS Sans Serif (a bitmap face) blank under
    // Wine; the FreeType engine draws every face, as it does on Linux.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
    QApplication application(argc, argv);
    prepareApplication(application);
    createWindows();
    const int status = application.exec();
    destroyWindows();
    return status;
}
