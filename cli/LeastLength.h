// The least constructive length in whole centimetres for which the strength check holds: the
// window's proposal is approximate and may fail once rounded.
#pragma once

#include "JointRun.h"

#include <QString>
#include <optional>

struct LeastLength
{
    std::optional<qint64> length; // cm; nothing when no length holds
    double greatest = 0;          // 85·beta·Kf, cm
    bool beyondGreatest = false;  // the least length exceeds the greatest
    // When it does: the least leg of the list with a length within its own limit, and that length.
    QString otherLeg;
    std::optional<qint64> otherLegLength;
};

// The design length Lw (cm) the check reads from the caption of Label52 after the constructive
// length L and the leg Kf (cm): L − 2·Kf as the caption rounds it.
double designLengthAsShown(double L, double Kf);

// From a joint whose check ran to its verdict: its moment, force, beta and resistances, its leg,
// and the check's own arithmetic (the design length L − 2·Kf in whole millimetres, at least 4 cm).
LeastLength findLeastLength(const JointResult &joint);

// "13", or "30, больше допустимой 238 мм; при катете 6 мм: 21", or "нет".
QString leastLengthText(const LeastLength &least);
