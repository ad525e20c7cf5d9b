// WeldCalcState: the one record of calculation values shared by the frame's handlers and the report.
#pragma once

// Units: Q t, e mm, M kg*m as the input handlers write it (Q*e) and kg*cm as the strength check
// writes it, Qkg kg, lengths cm, stresses and resistances kgf/cm^2, Ww cm^3, Fw cm^2.
struct WeldCalcValues
{
    double Q = 0;
    double e = 0;
    double M = 0;
    double Qkg = 0;
    double Kf = 0;
    double beta = 0;
    double Lw = 0;
    double L = 0;
    double Lmax = 0;
    double Lmin = 0;
    double LM = 0;
    double LQ = 0;
    double Lsel = 0;
    double Rwf = 0;
    double Ywf = 0;
    double Yc = 0;
    double Ww = 0;
    double Fw = 0;
    double sigma = 0;
    double tau = 0;
    double SIGMAmax = 0;
    double Rlim = 0;
};

// Zero at start-up; the main window sets beta to 0.7 when it is created.
extern WeldCalcValues WeldCalcState;

// Which writer left WeldCalcState.M: the strength check (kg*cm, together with its Qkg) or the
// input handlers (kg*m, from the current load and eccentricity).
enum class MomentSource { StrengthCheck, Inputs };
extern MomentSource WeldCalcMomentSource;

// Back to the start-up values (all zero, beta too, the moment from the strength check), for tests.
void resetWeldCalcState();
