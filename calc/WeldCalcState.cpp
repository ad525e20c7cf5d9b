// The process-wide record of calculation values.
#include "WeldCalcState.h"

WeldCalcValues WeldCalcState;
MomentSource WeldCalcMomentSource = MomentSource::StrengthCheck;

void resetWeldCalcState()
{
    WeldCalcState = WeldCalcValues{};
    WeldCalcMomentSource = MomentSource::StrengthCheck;
}
