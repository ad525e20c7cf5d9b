// The report action: the save dialog, the file and the viewer.
#include "ReportWriter.h"

#include "ShowAndFocus.h"
#include "SpeedButton.h"
#include "Unit1.h"

#include <QApplication>

void writeReport(TForm1 &viewer, const ReportSnapshot &snapshot)
{
    const std::optional<QString> fileName = viewer.SaveDialog.execute(QApplication::activeWindow());
    if (!fileName)
        return;
    writeReportFile(*fileName, snapshot);
    viewer.loadFromFile(*fileName);
    showAndFocus(&viewer);
    // A report just written needs no saving until it is edited.
    viewer.SpeedButton2->hide();
}
