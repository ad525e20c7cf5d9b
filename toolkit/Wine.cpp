// Whether the Windows program runs under Wine.
#include "Wine.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

bool runsUnderWine()
{
#ifdef Q_OS_WIN
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}
