// One joint checked as the window checks it: the inputs typed into the frame's boxes in the
// window's order, "Расчет !!!", then "= Подбор длины шва =", with every text the frame would show.
#pragma once

#include "FrameCalculation.h"
#include "ReportLines.h"
#include "WeldCalcState.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The input boxes, in the order the user fills them.
enum class InputBox { Load, Eccentricity, Moment, Leg, Length, Beta, Resistance, WeldFactor, StructureFactor };
inline constexpr int inputBoxCount = 9;

// What is typed into each box; nothing keeps the box's initial text.
using JointInputs = std::array<std::optional<QString>, inputBoxCount>;

// The entries of the leg list, the legs the least length may propose instead.
extern const QStringList legEntries;

struct JointError
{
    QString message;                 // as the error box shows it
    std::optional<InputBox> box;     // the box whose text is not a number
    QString result;                  // otherwise the result whose arithmetic failed
};

struct JointResult
{
    // The frame's texts after the sequence, starting from those of a new frame.
    QString Edit4 = QStringLiteral("0"), Edit3 = QStringLiteral("0"), Edit1 = QStringLiteral("0");
    QString ComboBox1 = QStringLiteral("4"), ComboBox3 = QStringLiteral("0,7"), Edit6 = QStringLiteral("5");
    QString Label52;
    QString ComboBox2 = QStringLiteral("1850"), Edit5 = QStringLiteral("1"), Edit12 = QStringLiteral("1");
    QString Edit2 = QStringLiteral("0"), Edit9 = QStringLiteral("0"), Edit10 = QStringLiteral("0"),
            Edit11 = QStringLiteral("0");
    QString Label22 = QStringLiteral("0"), Label23 = QStringLiteral("0"), Label26 = QStringLiteral(" = ");
    QString Label27 = QStringLiteral("       Результат");
    QString Label28 = QStringLiteral("SIGMA max"), Label29 = QStringLiteral("Rwf * ywf * yc");
    QString Edit13 = QStringLiteral("0");

    QStringList warnings;             // the check's message boxes, in order
    std::optional<Relation> relation; // after a check that ran to its verdict
    bool proposed = false;            // the selection ran to Edit13
    WeldCalcValues state;
    MomentSource momentSource = MomentSource::StrengthCheck;
    std::optional<JointError> error;  // the first error; nothing after it ran

    // What "Записать расчет" would quote now.
    ReportSnapshot reportSnapshot() const;
};

// Runs the window's sequence from a new frame (the record as the main window's creation leaves
// it). A text that is not a number or an arithmetic error ends it, as the error box would.
JointResult runJoint(const JointInputs &inputs);
