// The process-wide record of calculation values.
#include "WeldCalcState.h"

WeldCalcValues WeldCalcState;

void resetWeldCalcState()
{
    WeldCalcState = WeldCalcValues{};
}
