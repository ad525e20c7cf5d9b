// The formulas of the weld check and of the length selection over WeldCalcValues, one step each.
#pragma once

#include "Numbers.h"
#include "WeldCalcState.h"

// Units of what the user types and sees, and those of the formulas.
inline constexpr Extended momentFactor = 100; // kg*m to kg*cm
inline constexpr Extended lengthFactor = 10;  // mm to cm, and cm to mm
inline constexpr Extended forceFactor = 1000; // t to kg

// Each step computes its fields in Extended and stores each one (rounded to double) before the
// next, so that a step that fails (ZeroDivideError, InvalidOperationError, OverflowError) leaves
// the fields before it stored and the ones after it as they were. The callers show results
// between the steps.

// The strength check. Lmin (cm) and Lmax = 85·beta·Kf.
void computeLengthLimits(WeldCalcValues &values);
// The lower limit is on the design length, the upper one on the constructive length.
bool isBelowLeastLength(const WeldCalcValues &values);
bool isAboveGreatestLength(const WeldCalcValues &values);
// Qkg (kg) and the shear area Fw = beta·Kf·Lw.
void computeShearArea(WeldCalcValues &values);
// Ww = beta·Kf·Lw²/6.
void computeSectionModulus(WeldCalcValues &values);
// sigma = M/Ww, with M in kg*cm.
void computeBendingStress(WeldCalcValues &values);
// tau = Qkg/Fw.
void computeShearStress(WeldCalcValues &values);
// SIGMAmax = sqrt(sigma² + tau²), then the limit Rlim = Rwf·Ywf·Yc.
void computeResultantAndLimit(WeldCalcValues &values);

// The length selection: LM and LQ, the lengths that carry the moment and the force alone, each
// with the allowance of two legs, and the proposal Lsel = sqrt(LQ² + LM²).
void selectLength(WeldCalcValues &values, MomentSource momentSource);
