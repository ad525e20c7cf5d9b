// The formulas of the weld check and of the length selection.
#include "WeldFormulas.h"

namespace {

constexpr double leastDesignLength = 4.0; // cm
constexpr Extended greatestLengthFactor = 85;
constexpr Extended sectionModulusDivisor = 6;

} // namespace

void computeLengthLimits(WeldCalcValues &values)
{
    values.Lmin = leastDesignLength;
    values.Lmax = store(greatestLengthFactor * values.beta * values.Kf);
}

bool isBelowLeastLength(const WeldCalcValues &values)
{
    return !(values.Lw >= values.Lmin);
}

bool isAboveGreatestLength(const WeldCalcValues &values)
{
    return values.L > values.Lmax;
}

void computeShearArea(WeldCalcValues &values)
{
    values.Qkg = store(Extended(values.Q) * forceFactor);
    values.Fw = store(Extended(values.beta) * values.Kf * values.Lw);
}

void computeSectionModulus(WeldCalcValues &values)
{
    values.Ww = store(divide(Extended(values.beta) * values.Kf * values.Lw * values.Lw,
                             sectionModulusDivisor));
}

void computeBendingStress(WeldCalcValues &values)
{
    values.sigma = store(divide(values.M, values.Ww));
}

void computeShearStress(WeldCalcValues &values)
{
    values.tau = store(divide(values.Qkg, values.Fw));
}

void computeResultantAndLimit(WeldCalcValues &values)
{
    values.SIGMAmax = store(squareRoot(Extended(values.sigma) * values.sigma
                                       + Extended(values.tau) * values.tau));
    values.Rlim = store(Extended(values.Rwf) * values.Ywf * values.Yc);
}

void selectLength(WeldCalcValues &values, MomentSource momentSource)
{
    // The formulas want kg*cm and kg of one state. After an edit of the load or the eccentricity
    // M holds kg*m of the current inputs, and Qkg still the force of the last check.
    Extended moment = values.M;
    Extended force = values.Qkg;
    if (momentSource == MomentSource::Inputs) {
        moment = Extended(values.M) * momentFactor;
        force = Extended(values.Q) * forceFactor;
    }
    values.LM = store(squareRoot(divide(6 * moment, Extended(values.beta) * values.Kf * values.Rwf
                                                        * values.Ywf * values.Yc))
                      + 2 * Extended(values.Kf));
    values.LQ = store(divide(force, Extended(values.Rwf) * values.Ywf * values.Yc * values.beta
                                        * values.Kf)
                      + 2 * Extended(values.Kf));
    // Both lengths already hold the allowance of two legs.
    values.Lsel = store(squareRoot(Extended(values.LQ) * values.LQ + Extended(values.LM) * values.LM));
}
