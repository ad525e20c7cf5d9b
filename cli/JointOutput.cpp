// The one-joint output, in words and in JSON.
#include "JointOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const char *const optionNames[inputBoxCount] = {"load", "eccentricity", "moment", "leg",         "length",
                                                "beta", "rwf",          "ywf",    "yc"};

// A result row of the frame: caption, symbol, the value shown, unit.
QString row(const char *caption, const char *symbol, const QString &value, const char *unit)
{
    return QString::fromUtf8(caption) + QLatin1Char(' ') + QString::fromUtf8(symbol) + QLatin1Char(' ') + value
           + QLatin1Char(' ') + QString::fromUtf8(unit) + QLatin1Char('\n');
}

QJsonObject shown(double stored, const QString &text)
{
    return QJsonObject{{QStringLiteral("value"), stored}, {QStringLiteral("text"), text}};
}

} // namespace

QString optionName(InputBox box)
{
    return QLatin1String(optionNames[int(box)]);
}

QString errorSource(const JointError &error)
{
    return error.box ? QStringLiteral("--") + optionName(*error.box) : error.result;
}

QString resultLines(const JointResult &joint, const LeastLength &least)
{
    QString text;
    text += row("Изгибающий  момент", "M =", joint.Edit1, "кг*м");
    text += row("Расчетная длина шва", "Lw =", joint.Label52, "мм");
    text += row("Площадь среза св.шва", "Fw =", joint.Edit2, "см^2");
    text += row("Момент сопротивления", "Ww =", joint.Edit9, "см^3");
    text += row("Нормальные напряж.", "sigma =", joint.Edit10, "кгc/см^2");
    text += row("Касательные напряж.", "tau =", joint.Edit11, "кгc/см^2");
    for (const QString &warning : joint.warnings)
        text += warning + QLatin1Char('\n');
    text += joint.Label22 + joint.Label26 + joint.Label23 + QLatin1Char('\n');
    text += joint.Label27 + QLatin1Char('\n');
    text += QStringLiteral("Подбор длины шва: ") + joint.Edit13 + QStringLiteral(" см\n");
    text += QStringLiteral("Наименьшая длина шва: ") + leastLengthText(least)
            + (least.length ? QStringLiteral(" см\n") : QStringLiteral("\n"));
    return text;
}

QByteArray resultJson(const JointInputs &inputs, const JointResult &joint, const std::optional<LeastLength> &least)
{
    QJsonObject given;
    for (int box = 0; box < inputBoxCount; ++box) {
        if (inputs[std::size_t(box)])
            given.insert(QLatin1String(optionNames[box]), *inputs[std::size_t(box)]);
    }
    const WeldCalcValues &s = joint.state;
    QJsonObject results{
        {QStringLiteral("M"), shown(s.M, joint.Edit1)},
        {QStringLiteral("Lw"), shown(s.Lw, joint.Label52)},
        {QStringLiteral("Fw"), shown(s.Fw, joint.Edit2)},
        {QStringLiteral("Ww"), shown(s.Ww, joint.Edit9)},
        {QStringLiteral("sigma"), shown(s.sigma, joint.Edit10)},
        {QStringLiteral("tau"), shown(s.tau, joint.Edit11)},
        {QStringLiteral("SIGMAmax"), shown(s.SIGMAmax, joint.Label22)},
        {QStringLiteral("Rlim"), shown(s.Rlim, joint.Label23)},
    };
    QJsonObject object{
        {QStringLiteral("inputs"), given},
        {QStringLiteral("results"), results},
        {QStringLiteral("sign"), joint.Label26},
        {QStringLiteral("verdict"), joint.relation ? QJsonValue(holds(*joint.relation)) : QJsonValue()},
        {QStringLiteral("verdictText"), joint.Label27},
        {QStringLiteral("warnings"), QJsonArray::fromStringList(joint.warnings)},
        {QStringLiteral("proposal"), joint.proposed ? QJsonValue(shown(s.Lsel, joint.Edit13)) : QJsonValue()},
    };
    QJsonValue leastValue;
    if (least) {
        QJsonObject leastObject{{QStringLiteral("text"), leastLengthText(*least)},
                                {QStringLiteral("greatest"), least->greatest},
                                {QStringLiteral("beyondGreatest"), least->beyondGreatest}};
        leastObject.insert(QStringLiteral("length"),
                           least->length ? QJsonValue(double(*least->length)) : QJsonValue());
        if (least->otherLegLength) {
            leastObject.insert(QStringLiteral("otherLeg"), least->otherLeg);
            leastObject.insert(QStringLiteral("otherLegLength"), double(*least->otherLegLength));
        }
        leastValue = leastObject;
    }
    object.insert(QStringLiteral("leastLength"), leastValue);
    QJsonValue error;
    if (joint.error) {
        error = QJsonObject{{QStringLiteral("message"), joint.error->message},
                            {QStringLiteral("source"), errorSource(*joint.error)}};
    }
    object.insert(QStringLiteral("error"), error);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}
