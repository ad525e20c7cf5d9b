// The steps of the frame's handlers over texts and the record.
#include "FrameCalculation.h"

#include "WeldFormulas.h"

#include <algorithm>
#include <iterator>

QChar typedNumberCharacter(QChar typed)
{
    if (typed == QLatin1Char('.') || typed == QLatin1Char(','))
        return decimalSeparator();
    return typed;
}

QString typedNumberText(const QString &typed)
{
    const auto changed = [](QChar character) { return typedNumberCharacter(character) != character; };
    if (std::none_of(typed.begin(), typed.end(), changed))
        return typed;
    QString text(typed.size(), Qt::Uninitialized);
    std::transform(typed.begin(), typed.end(), text.begin(), typedNumberCharacter);
    return text;
}

QString updateMoment(WeldCalcValues &state, MomentSource &momentSource, QStringView loadText,
                     QStringView eccentricityText)
{
    state.Q = store(parseNumber(loadText));
    state.e = store(parseNumber(eccentricityText));
    // Tonnes times millimetres is kg*m without a factor.
    state.M = store(Extended(state.Q) * state.e);
    momentSource = MomentSource::Inputs;
    return formatGeneral(state.M);
}

QString updateDesignLength(WeldCalcValues &state, QStringView lengthText, QStringView legText)
{
    state.L = store(parseNumber(lengthText));
    state.Kf = store(divide(parseNumber(legText), lengthFactor));
    state.Lw = store(state.L - Extended(state.Kf) * 2);
    return formatFixed(Extended(state.Lw) * lengthFactor, 6, 0);
}

void readBeta(WeldCalcValues &state, int listIndex, QStringView betaText)
{
    if (listIndex >= 0 && listIndex < int(std::size(listedBeta)))
        state.beta = listedBeta[listIndex];
    state.beta = store(parseNumber(betaText));
}

QString relationText(Relation relation)
{
    switch (relation) {
    case Relation::Less:
        return QStringLiteral(" < ");
    case Relation::Equal:
        return QStringLiteral(" = ");
    case Relation::Greater:
        break;
    }
    return QStringLiteral(" > ");
}

QString verdictText(Relation relation)
{
    return holds(relation) ? QStringLiteral("Условие выполняется.")
                           : QStringLiteral("Условие не выполняется!");
}

void runStrengthCheck(WeldCalcValues &state, MomentSource &momentSource, const CheckInputTexts &inputs,
                      CheckDisplay &display)
{
    // The moment and the design length are taken as the user sees them in Edit1 and Label52.
    state.M = store(parseNumber(inputs.moment) * momentFactor);
    momentSource = MomentSource::StrengthCheck;
    state.Kf = store(divide(parseNumber(inputs.leg), lengthFactor));
    state.Lw = store(divide(parseNumber(inputs.designLength), lengthFactor));
    state.L = store(parseNumber(inputs.length));
    state.Rwf = store(parseNumber(inputs.resistance));
    state.Ywf = store(parseNumber(inputs.weldFactor));
    state.Yc = store(parseNumber(inputs.structureFactor));
    computeStrengthCheck(state, &display);
}

Relation computeStrengthCheck(WeldCalcValues &state, CheckDisplay *display)
{
    computeLengthLimits(state);
    if (display && isBelowLeastLength(state))
        display->showWarning(QStringLiteral("Длина шва меньше допустимой!"));
    if (display && isAboveGreatestLength(state)) {
        display->showWarning(QStringLiteral("Длина шва боьше допустимой! ")
                             + formatGeneral(Extended(state.Lmax) * lengthFactor) + QStringLiteral(" мм"));
    }

    computeShearArea(state);
    if (display)
        display->showShearArea(formatFixed(state.Fw, 6, 2));
    computeSectionModulus(state);
    if (display)
        display->showSectionModulus(formatFixed(state.Ww, 6, 3));
    computeBendingStress(state);
    if (display)
        display->showBendingStress(formatFixed(state.sigma, 6, 1));
    computeShearStress(state);
    if (display)
        display->showShearStress(formatFixed(state.tau, 6, 1));
    computeResultantAndLimit(state);
    if (display)
        display->showResultantAndLimit(formatFixed(state.SIGMAmax, 6, 0), formatFixed(state.Rlim, 6, 0));

    // Compared unrounded: 1850.3 against 1850 fails although both show 1850.
    Relation relation = Relation::Greater;
    if (state.SIGMAmax < state.Rlim)
        relation = Relation::Less;
    if (state.SIGMAmax == state.Rlim)
        relation = Relation::Equal;
    if (display)
        display->showVerdict(relation);
    return relation;
}

QString proposeLength(WeldCalcValues &state, MomentSource momentSource)
{
    selectLength(state, momentSource);
    return formatFixed(state.Lsel, 12, 0);
}

QString acceptedLengthText(const WeldCalcValues &state)
{
    // The stored proposal, not the text of Edit13.
    return formatFixed(state.Lsel, 4, 0);
}
