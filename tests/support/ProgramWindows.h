// The program's eight windows for one test, made and destroyed by the start-up's own functions.
#pragma once

#include "Brauzer1.h"
#include "Numbers.h"
#include "Startup.h"
#include "WebBrowser.h"
#include "WeldCalcState.h"

struct ProgramWindows
{
    ProgramWindows() { createWindows(); }
    ~ProgramWindows() { destroyWindows(); }
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;
};

// The whole program as the main-window tests start it: the comma as separator, the record at its
// start-up values, every window, and the browser window without its engine, which is tested with
// that window. destroyWindows() ends it.
inline void startProgramForTest()
{
    setDecimalSeparator(QLatin1Char(','));
    resetWeldCalcState();
    createWindows();
    Brauzer1->WebBrowser1->setPluginFolders({});
}
