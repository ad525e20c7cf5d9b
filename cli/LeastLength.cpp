// The least holding length: an estimate from the formulas, settled by the check itself.
#include "LeastLength.h"

#include "Errors.h"
#include "Numbers.h"
#include "WeldFormulas.h"

#include <cmath>

namespace {

// Lengths beyond this (100 km) are no answer a designer can use.
constexpr qint64 farthestLength = 10'000'000;

struct Trial
{
    bool admissible = false; // the design length is at least the least one
    bool holds = false;
    bool withinGreatest = false;
};

// The joint typed again with the constructive length `length`, then checked. The leg is read
// once per search (`Kf`, nothing when its text is no number), and the design length is the one
// the caption of Label52 shows, computed without writing and reading the caption.
Trial tryLength(const WeldCalcValues &checked, std::optional<double> Kf, qint64 length)
{
    WeldCalcValues state = checked;
    Trial trial;
    if (!Kf)
        return trial;
    try {
        state.L = double(length);
        state.Kf = *Kf;
        state.Lw = designLengthAsShown(state.L, state.Kf);
        const Relation relation = computeStrengthCheck(state, nullptr);
        trial.admissible = !isBelowLeastLength(state);
        trial.holds = holds(relation);
        trial.withinGreatest = !isAboveGreatestLength(state);
    } catch (const WeldError &) {
        // Arithmetic beyond the range is no holding length.
    }
    return trial;
}

std::optional<double> legOf(const QString &legText)
{
    try {
        return store(divide(parseNumber(legText), lengthFactor));
    } catch (const WeldError &) {
        return std::nullopt;
    }
}

// Where SIGMAmax reaches the limit: (6M/(β·Kf·Lw²))² + (Q/(β·Kf·Lw))² = R², a quadratic in Lw².
double estimatedLength(const WeldCalcValues &state, double kf)
{
    const double area = state.beta * kf;
    const double bending = 6 * std::fabs(state.M) / area;
    const double shear = std::fabs(state.Qkg) / area;
    const double limit = state.Rlim;
    const double squared = (shear * shear + std::sqrt(std::pow(shear, 4) + 4 * limit * limit * bending * bending))
                           / (2 * limit * limit);
    return std::sqrt(squared) + 2 * kf;
}

std::optional<qint64> leastFor(const WeldCalcValues &checked, std::optional<double> legKf, double kf)
{
    // Both holding and an admissible design length (the check warns below 4 cm) grow with the
    // length, so the lengths that pass are all those from one on.
    const auto passes = [&](qint64 length) {
        const Trial trial = tryLength(checked, legKf, length);
        return trial.admissible && trial.holds;
    };
    if (!(checked.Rlim > 0) || !(checked.beta * kf > 0)) {
        // No estimate: only a joint without stress can hold, at the least admissible length.
        qint64 least = std::max<qint64>(1, qint64(std::floor(4 + 2 * kf)) - 1);
        Trial first = tryLength(checked, legKf, least);
        while (!first.admissible && least < farthestLength)
            first = tryLength(checked, legKf, ++least);
        return first.admissible && first.holds ? std::optional(least) : std::nullopt;
    }
    const double estimate = estimatedLength(checked, kf);
    if (!std::isfinite(estimate) || estimate > double(farthestLength))
        return std::nullopt;
    // The estimate is within a step of the answer, the rounding of the design length aside;
    // `low` never passes, `high` does.
    qint64 low = 0;
    qint64 high = std::max<qint64>(1, qint64(std::ceil(estimate)));
    if (passes(high)) {
        int steps = 0;
        while (high > 1 && steps < 3 && passes(high - 1)) {
            --high;
            ++steps;
        }
        if (steps < 3)
            low = high - 1;
    } else {
        do {
            low = high;
            high = std::min(farthestLength, 2 * high);
            if (low == farthestLength)
                return std::nullopt;
        } while (!passes(high));
    }
    while (high - low > 1) {
        const qint64 middle = low + (high - low) / 2;
        (passes(middle) ? high : low) = middle;
    }
    return high;
}

} // namespace

double designLengthAsShown(double L, double Kf)
{
    const Extended designLength = store(L - Extended(Kf) * 2);
    const Extended shown = Extended(designLength) * lengthFactor;
    // Below a million millimetres the caption is the value rounded to whole millimetres, halves
    // away from zero, and "0" for what rounds to zero from below; beyond, it is written in six
    // significant digits and read back as it is.
    if (std::fabs(shown) < 999999.5L) {
        Extended rounded = std::round(shown);
        if (rounded == 0)
            rounded = 0;
        return store(divide(rounded, lengthFactor));
    }
    return store(divide(parseNumber(formatFixed(shown, 6, 0)), lengthFactor));
}

LeastLength findLeastLength(const JointResult &joint)
{
    const WeldCalcValues &checked = joint.state;
    LeastLength least;
    least.greatest = checked.Lmax;
    const std::optional<double> legKf = legOf(joint.ComboBox1);
    least.length = leastFor(checked, legKf, checked.Kf);
    if (!least.length)
        return least;
    least.beyondGreatest = !tryLength(checked, legKf, *least.length).withinGreatest;
    if (!least.beyondGreatest)
        return least;
    for (const QString &leg : legEntries) {
        const double kf = leg.toDouble() / 10;
        const std::optional<double> listedKf = legOf(leg);
        const std::optional<qint64> length = leastFor(checked, listedKf, kf);
        if (length && tryLength(checked, listedKf, *length).withinGreatest) {
            least.otherLeg = leg;
            least.otherLegLength = length;
            break;
        }
    }
    return least;
}

QString leastLengthText(const LeastLength &least)
{
    if (!least.length)
        return QStringLiteral("нет");
    QString text = QString::number(*least.length);
    if (!least.beyondGreatest)
        return text;
    text += QStringLiteral(", больше допустимой ") + formatGeneral(Extended(least.greatest) * lengthFactor)
            + QStringLiteral(" мм; ");
    if (least.otherLegLength)
        text += QStringLiteral("при катете %1 мм: %2").arg(least.otherLeg).arg(*least.otherLegLength);
    else
        text += QStringLiteral("в пределах допустимой не держит ни один катет списка");
    return text;
}
