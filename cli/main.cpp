// weldcheck: the weld check without its window, for one joint or a schedule of joints.
#include "Console.h"
#include "ErrorMessage.h"
#include "Errors.h"
#include "JointOutput.h"
#include "JointRun.h"
#include "LeastLength.h"
#include "Numbers.h"
#include "ReportLines.h"
#include "Schedule.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

namespace {

const char *const helpText = R"(Использование: weldcheck [параметры шва] [--report ФАЙЛ] [--json]
       weldcheck ГРАФИК.csv [-o РЕЗУЛЬТАТ.csv] [--reports ПАПКА]

Проверка углового сварного шва без окна программы «Сварной шов»: те же числа,
сообщения и отчет, что в окне после ввода значений, «Расчет !!!» и «Подбор длины шва».

Один шов (значение - текст, как он вводится в поле окна; без параметра поле
сохраняет начальный текст):
  --load Р                 нагрузка, т (0)
  --eccentricity е         эксцентриситет, мм (0)
  --moment M               изгибающий момент, кг*м (по умолчанию Р*е)
  --leg Kf                 катет шва, мм (4)
  --length L               конструктивная длина шва, см (5)
  --beta beta              коэффициент высоты шва (0,7)
  --rwf Rwf                сопротивление шва, кгс/см^2 (1850)
  --ywf Ywf                коэффициент условий работы шва (1)
  --yc Yc                  коэффициент условий работы (1)
  --report ФАЙЛ            записать отчет, как кнопка «Записать расчет»
  --json                   вывести результат одним объектом JSON

График швов - файл CSV с заголовком (Имя, P, e, M, Kf, L, beta, Rwf, Ywf, Yc):
  -o, --output ФАЙЛ        записать таблицу с результатами в файл, а не в вывод
  --reports ПАПКА          записать отчет для каждой строки графика

Общие:
  --decimal-separator , | .
                           десятичный разделитель вместо разделителя из
                           настроек языка (для графика - вместо "," при ";"
                           и "." при ",")
  -h, --help               показать эту справку
  -v, --version            показать версию

Код возврата: 0 - все швы выдерживают нагрузку, 1 - хотя бы один не выдерживает,
2 - ошибка во входных данных, 3 - результат не удалось записать.
)";

enum ExitStatus { Holds = 0, Fails = 1, BadInput = 2, OutputFailed = 3 };

int fail(const QString &message)
{
    printError(QStringLiteral("weldcheck: ") + message + QLatin1Char('\n'));
    return BadInput;
}

// The parser's own complaints are in English; these are the user's words.
QString parserComplaint(const QCommandLineParser &parser)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().first();
        return QStringLiteral("неизвестный параметр %1%2").arg(name.size() > 1 ? "--" : "-", name);
    }
    const QRegularExpressionMatch option =
        QRegularExpression(QStringLiteral("'([^']*)'")).match(parser.errorText());
    if (option.hasMatch())
        return QStringLiteral("после %1 нет значения").arg(option.captured(1));
    return QStringLiteral("неверные параметры");
}

int checkOneJoint(const QCommandLineParser &parser, const QList<QCommandLineOption> &boxes)
{
    JointInputs inputs;
    for (int box = 0; box < inputBoxCount; ++box) {
        if (parser.isSet(boxes[box]))
            inputs[std::size_t(box)] = parser.value(boxes[box]);
    }
    const JointResult joint = runJoint(inputs);
    std::optional<LeastLength> least;
    if (joint.relation && !joint.error)
        least = findLeastLength(joint);

    if (parser.isSet(QStringLiteral("json")))
        printText(QString::fromUtf8(resultJson(inputs, joint, least)));
    if (joint.error) {
        return fail(errorSource(*joint.error) + QStringLiteral(": ") + joint.error->message);
    }
    if (!parser.isSet(QStringLiteral("json")))
        printText(resultLines(joint, *least));

    if (parser.isSet(QStringLiteral("report"))) {
        const QString file = QDir::current().absoluteFilePath(parser.value(QStringLiteral("report")));
        try {
            writeReportFile(file, joint.reportSnapshot());
        } catch (const WeldError &error) {
            printError(QStringLiteral("weldcheck: %1: %2\n")
                           .arg(QDir::toNativeSeparators(file), withErrorFullStop(error.message())));
            return OutputFailed;
        }
    }
    return holds(*joint.relation) ? Holds : Fails;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("weldcheck"));
    QCoreApplication::setApplicationVersion(QStringLiteral(WELD_VERSION));

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QList<QCommandLineOption> boxes = {
        {QStringLiteral("load"), QString(), QStringLiteral("P")},
        {QStringLiteral("eccentricity"), QString(), QStringLiteral("e")},
        {QStringLiteral("moment"), QString(), QStringLiteral("M")},
        {QStringLiteral("leg"), QString(), QStringLiteral("Kf")},
        {QStringLiteral("length"), QString(), QStringLiteral("L")},
        {QStringLiteral("beta"), QString(), QStringLiteral("beta")},
        {QStringLiteral("rwf"), QString(), QStringLiteral("Rwf")},
        {QStringLiteral("ywf"), QString(), QStringLiteral("Ywf")},
        {QStringLiteral("yc"), QString(), QStringLiteral("Yc")},
    };
    parser.addOptions(boxes);
    parser.addOptions({
        {QStringLiteral("report"), QString(), QStringLiteral("file")},
        {QStringLiteral("json"), QString()},
        {{QStringLiteral("o"), QStringLiteral("output")}, QString(), QStringLiteral("file")},
        {QStringLiteral("reports"), QString(), QStringLiteral("folder")},
        {QStringLiteral("decimal-separator"), QString(), QStringLiteral("separator")},
        {{QStringLiteral("h"), QStringLiteral("help")}, QString()},
        {{QStringLiteral("v"), QStringLiteral("version")}, QString()},
    });
    parser.addPositionalArgument(QStringLiteral("schedule"), QString());
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parserComplaint(parser) + QStringLiteral(" (справка: weldcheck --help)"));
    if (parser.isSet(QStringLiteral("help"))) {
        printText(QString::fromUtf8(helpText));
        return Holds;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        printText(QStringLiteral("weldcheck %1\n").arg(QStringLiteral(WELD_VERSION)));
        return Holds;
    }

    std::optional<QChar> separator;
    if (parser.isSet(QStringLiteral("decimal-separator"))) {
        const QString value = parser.value(QStringLiteral("decimal-separator"));
        if (value != QLatin1String(",") && value != QLatin1String("."))
            return fail(QStringLiteral("--decimal-separator: ожидается \",\" или \".\", а не \"%1\"").arg(value));
        separator = value.front();
    }

    const QStringList schedules = parser.positionalArguments();
    if (schedules.size() > 1)
        return fail(QStringLiteral("график - один файл, а не %1").arg(schedules.size()));
    if (schedules.isEmpty()) {
        for (const char *option : {"output", "reports"}) {
            if (parser.isSet(QLatin1String(option)))
                return fail(QStringLiteral("--%1 - параметр графика, а график не указан").arg(option));
        }
        if (separator)
            setDecimalSeparator(*separator);
        return checkOneJoint(parser, boxes);
    }
    for (const QCommandLineOption &option : boxes) {
        if (parser.isSet(option))
            return fail(QStringLiteral("--%1 - параметр одного шва, а указан график").arg(option.names().first()));
    }
    for (const char *option : {"report", "json"}) {
        if (parser.isSet(QLatin1String(option)))
            return fail(QStringLiteral("--%1 - параметр одного шва, а указан график").arg(option));
    }
    ScheduleOptions options;
    options.inputPath = schedules.first();
    if (parser.isSet(QStringLiteral("output")))
        options.outputPath = QDir::current().absoluteFilePath(parser.value(QStringLiteral("output")));
    if (parser.isSet(QStringLiteral("reports")))
        options.reportsFolder = QDir::current().absoluteFilePath(parser.value(QStringLiteral("reports")));
    options.decimalSeparator = separator;
    return runSchedule(options);
}
