// The calculation frame's handlers without their controls: what each reads from the texts the
// frame shows, what it stores in the record and what it shows, so that the console program runs
// the window's very steps.
#pragma once

#include "Numbers.h"
#include "WeldCalcState.h"

#include <QString>
#include <QStringView>

// The key filter of the number boxes (Edit1, Edit3, Edit4, Edit5, Edit12): a typed "." or ","
// becomes the decimal separator; every other character passes.
QChar typedNumberCharacter(QChar typed);
// A text typed into one of those boxes character by character.
QString typedNumberText(const QString &typed);

// The change of the load or the eccentricity: Q, e and M = Q·e (kg*m); returns the text of Edit1.
QString updateMoment(WeldCalcValues &state, MomentSource &momentSource, QStringView loadText,
                     QStringView eccentricityText);
// The change of the length or the leg: L, Kf and Lw = L − 2·Kf; returns the caption of Label52.
QString updateDesignLength(WeldCalcValues &state, QStringView lengthText, QStringView legText);

// The weld depth coefficients of the entries of the beta list, in list order.
inline constexpr double listedBeta[] = {0.7, 0.8, 0.85, 0.9, 1};
// The change of beta: the chosen entry's value first (listIndex, or -1 for typed text), so that
// a text this locale cannot read still sets beta; then the number in the text.
void readBeta(WeldCalcValues &state, int listIndex, QStringView betaText);

// What the strength check reads: the texts of the boxes, as the user sees them.
struct CheckInputTexts
{
    QString moment;          // Edit1, kg*m
    QString leg;             // ComboBox1, mm
    QString designLength;    // Label52, mm
    QString length;          // Edit6, cm
    QString resistance;      // ComboBox2
    QString weldFactor;      // Edit5
    QString structureFactor; // Edit12
};

// The relation of SIGMAmax to Rwf·Ywf·Yc, compared unrounded.
enum class Relation { Less, Equal, Greater };
QString relationText(Relation relation); // " < ", " = ", " > "
QString verdictText(Relation relation);  // "Условие выполняется." or "Условие не выполняется!"
inline bool holds(Relation relation) { return relation != Relation::Greater; }

// Where the strength check shows what it found, step by step; a step that fails leaves the ones
// after it unshown.
class CheckDisplay
{
public:
    virtual ~CheckDisplay() = default;
    virtual void showWarning(const QString &text) = 0;
    virtual void showShearArea(const QString &text) = 0;      // Edit2
    virtual void showSectionModulus(const QString &text) = 0; // Edit9
    virtual void showBendingStress(const QString &text) = 0;  // Edit10
    virtual void showShearStress(const QString &text) = 0;    // Edit11
    // Label22 and Label23.
    virtual void showResultantAndLimit(const QString &resultant, const QString &limit) = 0;
    virtual void showVerdict(Relation relation) = 0;
};

// The strength check: reads the texts into the record, then computes and shows.
void runStrengthCheck(WeldCalcValues &state, MomentSource &momentSource, const CheckInputTexts &inputs,
                      CheckDisplay &display);
// Its second half, from the record as the reading left it (M, Kf, Lw, L, Rwf, Ywf, Yc); shows
// nothing without a display, for a caller that wants only the verdict.
Relation computeStrengthCheck(WeldCalcValues &state, CheckDisplay *display);

// The weld length selection: LM, LQ and Lsel; returns the text of Edit13.
QString proposeLength(WeldCalcValues &state, MomentSource momentSource);
// "Принять": the proposal as the text of Edit6.
QString acceptedLengthText(const WeldCalcValues &state);
