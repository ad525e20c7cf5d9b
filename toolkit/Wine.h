// Whether the Windows program runs under Wine, where a few things of Windows are missing.
#pragma once

// True for the Windows program under Wine (whose ntdll exports wine_get_version); false on
// Windows itself and on every other system.
bool runsUnderWine();
