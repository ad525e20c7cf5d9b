// The report action: the calculation report written to the file the user names, then loaded
// into the viewer.
#pragma once

#include "ReportLines.h"

class TForm1;

// The report action: asks for the name in the viewer's save dialog, writes the file, loads it
// into the viewer, shows and focuses the viewer and hides its save button. Nothing happens when
// the dialog is cancelled; errors propagate to the caller's handler guard.
void writeReport(TForm1 &viewer, const ReportSnapshot &snapshot);
