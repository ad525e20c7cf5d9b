// The program's eight windows for one test, made and destroyed by the start-up's own functions.
#pragma once

#include "Startup.h"

struct ProgramWindows
{
    ProgramWindows() { createWindows(); }
    ~ProgramWindows() { destroyWindows(); }
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;
};
