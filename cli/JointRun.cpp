// The window's sequence for one joint, over the frame's steps.
#include "JointRun.h"

#include "ErrorMessage.h"
#include "Errors.h"
#include "Numbers.h"

const QStringList legEntries = {QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("8"),
                                QStringLiteral("10"), QStringLiteral("12")};

namespace {

// The check shows into the result's texts; `shown` counts the results shown so far, so that an
// arithmetic error can name the one that failed.
class RecordedDisplay : public CheckDisplay
{
public:
    explicit RecordedDisplay(JointResult &result)
        : m_result(result)
    {
    }
    void showWarning(const QString &text) override { m_result.warnings << text; }
    void showShearArea(const QString &text) override { m_result.Edit2 = text, ++shown; }
    void showSectionModulus(const QString &text) override { m_result.Edit9 = text, ++shown; }
    void showBendingStress(const QString &text) override { m_result.Edit10 = text, ++shown; }
    void showShearStress(const QString &text) override { m_result.Edit11 = text, ++shown; }
    void showResultantAndLimit(const QString &resultant, const QString &limit) override
    {
        m_result.Label22 = resultant;
        m_result.Label23 = limit;
        ++shown;
    }
    void showVerdict(Relation relation) override
    {
        m_result.Label26 = relationText(relation);
        m_result.Label27 = verdictText(relation);
        m_result.relation = relation;
    }

    int shown = 0;

private:
    JointResult &m_result;
};

bool isNumber(const QString &text)
{
    try {
        parseNumber(text);
        return true;
    } catch (const ConversionError &) {
        return false;
    }
}

JointError errorOf(const WeldError &error)
{
    return {withErrorFullStop(error.message()), std::nullopt, QString()};
}

} // namespace

JointResult runJoint(const JointInputs &inputs)
{
    // The main window sets beta when it is created; the new frame fits its design length. Both
    // are the same for every joint, whatever the separator.
    static const JointResult newFrame = [] {
        JointResult fresh;
        fresh.state.beta = 0.7;
        fresh.Label52 = updateDesignLength(fresh.state, fresh.Edit6, fresh.ComboBox1);
        return fresh;
    }();
    JointResult result = newFrame;
    WeldCalcValues &state = result.state;

    const auto given = [&inputs](InputBox box) -> const std::optional<QString> & {
        return inputs[std::size_t(box)];
    };
    // Each box's text is typed, then its change handler runs; a failing handler ends the joint.
    const auto type = [&](InputBox box, auto &&enter) {
        if (!given(box))
            return true;
        try {
            enter(*given(box));
            return true;
        } catch (const WeldError &error) {
            result.error = errorOf(error);
            result.error->box = box;
            return false;
        }
    };
    const auto moment = [&] {
        result.Edit1 = updateMoment(state, result.momentSource, result.Edit4, result.Edit3);
    };
    const auto designLength = [&] {
        result.Label52 = updateDesignLength(state, result.Edit6, result.ComboBox1);
    };
    const bool typed =
        type(InputBox::Load, [&](const QString &text) { result.Edit4 = typedNumberText(text), moment(); })
        && type(InputBox::Eccentricity,
                [&](const QString &text) { result.Edit3 = typedNumberText(text), moment(); })
        && type(InputBox::Moment, [&](const QString &text) { result.Edit1 = typedNumberText(text); })
        && type(InputBox::Leg,
                [&](const QString &text) { result.ComboBox1 = text, designLength(); })
        && type(InputBox::Length, [&](const QString &text) { result.Edit6 = text, designLength(); })
        && type(InputBox::Beta,
                [&](const QString &text) {
                    result.ComboBox3 = text;
                    readBeta(state, -1, text);
                    // Leaving the box writes the value read in the general format.
                    result.ComboBox3 = formatGeneral(state.beta);
                })
        && type(InputBox::Resistance,
                [&](const QString &text) { result.ComboBox2 = text; })
        && type(InputBox::WeldFactor, [&](const QString &text) { result.Edit5 = typedNumberText(text); })
        && type(InputBox::StructureFactor,
                [&](const QString &text) { result.Edit12 = typedNumberText(text); });
    if (!typed)
        return result;

    const CheckInputTexts texts{result.Edit1,     result.ComboBox1, result.Label52, result.Edit6,
                                result.ComboBox2, result.Edit5,     result.Edit12};
    RecordedDisplay display(result);
    try {
        runStrengthCheck(state, result.momentSource, texts, display);
    } catch (const ConversionError &error) {
        result.error = errorOf(error);
        // The check reads the boxes in this order; the first one that is no number stopped it.
        const std::pair<InputBox, QString> read[] = {
            {InputBox::Moment, texts.moment},         {InputBox::Leg, texts.leg},
            {InputBox::Length, texts.length},         {InputBox::Resistance, texts.resistance},
            {InputBox::WeldFactor, texts.weldFactor}, {InputBox::StructureFactor, texts.structureFactor}};
        for (const auto &[box, text] : read) {
            if (!isNumber(text)) {
                result.error->box = box;
                break;
            }
        }
        return result;
    } catch (const WeldError &error) {
        static const char *const steps[] = {"Fw", "Ww", "sigma", "tau", "SIGMAmax"};
        result.error = errorOf(error);
        result.error->result = QLatin1String(steps[std::min(display.shown, 4)]);
        return result;
    }

    try {
        result.Edit13 = proposeLength(state, result.momentSource);
        result.proposed = true;
    } catch (const WeldError &error) {
        result.error = errorOf(error);
        result.error->result = QStringLiteral("Подбор длины шва");
    }
    return result;
}

ReportSnapshot JointResult::reportSnapshot() const
{
    ReportSnapshot snapshot;
    snapshot.lengthText = Edit6;
    snapshot.legText = ComboBox1;
    snapshot.designLengthText = Label52;
    snapshot.betaText = ComboBox3;
    snapshot.sectionModulusText = Edit9;
    snapshot.shearAreaText = Edit2;
    snapshot.momentText = Edit1;
    snapshot.loadText = Edit4;
    snapshot.sigmaText = Edit10;
    snapshot.tauText = Edit11;
    snapshot.maxStressText = Label22;
    snapshot.resistanceText = ComboBox2;
    snapshot.weldFactorText = Edit5;
    snapshot.structureFactorText = Edit12;
    snapshot.limitText = Label23;
    snapshot.relationText = Label26;
    snapshot.maxStressCaption = Label28;
    snapshot.limitCaption = Label29;
    snapshot.verdictText = Label27;
    snapshot.Kf = state.Kf;
    snapshot.Lw = state.Lw;
    return snapshot;
}
