// The calculation report's 63 lines, built from what the calculation frame shows, and their
// file, written by the text-file output convention.
#pragma once

#include <QString>
#include <QStringList>

// What the frame shows at the moment of the report: control texts as they stand, and the two
// fields of the calculation record that the report formats itself.
struct ReportSnapshot
{
    QString lengthText;       // Edit6: constructive length L, cm
    QString legText;          // ComboBox1: weld leg, mm
    QString designLengthText; // Label52: design length, whole mm
    QString betaText;         // ComboBox3
    QString sectionModulusText; // Edit9
    QString shearAreaText;    // Edit2
    QString momentText;       // Edit1: kg*m
    QString loadText;         // Edit4: t
    QString sigmaText;        // Edit10
    QString tauText;          // Edit11
    QString maxStressText;    // Label22
    QString resistanceText;   // ComboBox2
    QString weldFactorText;   // Edit5
    QString structureFactorText; // Edit12
    QString limitText;        // Label23
    QString relationText;     // Label26
    QString maxStressCaption; // Label28
    QString limitCaption;     // Label29
    QString verdictText;      // Label27
    double Kf = 0;            // WeldCalcState.Kf, cm
    double Lw = 0;            // WeldCalcState.Lw, cm
};

// The 63 lines, without line ends. Converts Edit6, Edit4 and Edit1 afresh for each line that
// uses them; a text that is not a number raises ConversionError.
QStringList reportLines(const ReportSnapshot &snapshot);

// Writes the 63 lines to `fullPath` as the report action does: opened before the lines are
// built, so that a line that fails (ConversionError) leaves the target as it was.
void writeReportFile(const QString &fullPath, const ReportSnapshot &snapshot);
