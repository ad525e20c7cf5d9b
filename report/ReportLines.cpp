// The calculation report's lines and its file.
#include "ReportLines.h"

#include "Errors.h"
#include "Numbers.h"
#include "TextFile.h"

#include <cmath>

namespace {

// A control's number in another unit: converted from its text each time it is quoted.
Extended rescaled(const QString &text, Extended factor)
{
    const Extended value = parseNumber(text) * factor;
    if (!std::isfinite(value))
        throw OverflowError();
    return value;
}

} // namespace

QStringList reportLines(const ReportSnapshot &s)
{
    const QString empty;
    QStringList lines;
    lines.reserve(63);
    lines << QStringLiteral("          РАСЧЕТ СВАРНОГО СОЕДИНЕНИЯ С УГЛОВЫМ ШВОМ")
          << QStringLiteral("              НА ДЕЙСТВИЕ ПЕРЕРЕЗЫВАЮЩЕЙ СИЛЫ")
          << QStringLiteral("                  И ИЗГИБАЮЩЕГО МОМЕНТА")
          << empty
          << empty
          << QStringLiteral("   Для обеспечения несущей способности сварного шва")
          << QStringLiteral("необходимо выполнение условия:")
          << empty
          << QStringLiteral("       SIGMAmax  <=  Rwf*Ywf*Yc , где")
          << empty
          << QStringLiteral("SIGMAmax- максимальные напряжения в сварном шве;")
          << QStringLiteral("Rwf- расчетное сопротивление шва;")
          << QStringLiteral("Ywf- коэффициент условий работы шва;")
          << QStringLiteral("Yc- коэффициент условий работы конструкции.")
          << empty
          << QStringLiteral("   Максимальное напряжение в сварном шве:")
          << QStringLiteral("       SIGMAmax = sqrt(sigma^2 + tau^2) , где")
          << QStringLiteral("sigma и tau - соответственно нормальные и касательные напряжения.")
          << QStringLiteral("       sigma = M/Ww ,  tau = Q/Fw , где")
          << QStringLiteral("M- изгибающий момент в плоскости шва;")
          << QStringLiteral("Ww- момент сопротивления шва;")
          << QStringLiteral("Q- перерезывающая сила;")
          << QStringLiteral("Fw- расчетная площадь среза.")
          << QStringLiteral("   Момент сопротивления шва  Ww = beta*Kf*Lw^2/6 ;")
          << QStringLiteral("   расчетная площадь среза  Fw = beta*Kf*Lw , где")
          << QStringLiteral("beta- коэффициент расчетной высоты шва;")
          << QStringLiteral("Kf- высота (наименьший катет) шва;")
          << QStringLiteral("Lw- расчетная длина шва Lw=L-2*Kf , где")
          << QStringLiteral("L- конструктивная длина шва.")
          << empty
          << empty
          << QStringLiteral("                  РАСЧЕТ:")
          << empty;
    // 34 to 37: lengths in millimetres (the length field holds centimetres).
    lines << QStringLiteral("L= ") + formatGeneral(rescaled(s.lengthText, 10)) + QStringLiteral(" мм");
    lines << QStringLiteral("Kf= ") + s.legText + QStringLiteral(" мм");
    lines << QStringLiteral("Lw=L-2*Kf= ") + formatGeneral(rescaled(s.lengthText, 10)) + QStringLiteral("-2*")
                 + s.legText + QLatin1Char('=') + s.designLengthText + QStringLiteral(" мм");
    lines << QStringLiteral("beta= ") + s.betaText;
    lines << empty;
    // 39, 40: the record's Kf and Lw in centimetres; the square before any rounding.
    const QString kf = formatFixed(s.Kf, 6, 1);
    lines << QStringLiteral("Ww= beta*Kf*Lw^2/6= ") + s.betaText + QLatin1Char('*') + kf + QLatin1Char('*')
                 + formatFixed(Extended(s.Lw) * Extended(s.Lw), 6, 1) + QStringLiteral("/6=")
                 + s.sectionModulusText + QStringLiteral(" см^3");
    lines << QStringLiteral("Fw= beta*Kf*Lw= ") + s.betaText + QLatin1Char('*') + kf + QLatin1Char('*')
                 + formatFixed(s.Lw, 6, 1) + QLatin1Char('=') + s.shearAreaText + QStringLiteral(" см^2");
    lines << empty;
    // 42 to 46: the moment in kg*m and kg*cm, the load (t) in kg.
    lines << QStringLiteral("M= ") + s.momentText + QStringLiteral("кг*м");
    lines << QStringLiteral("Q= ") + formatGeneral(rescaled(s.loadText, 1000)) + QStringLiteral(" кг");
    lines << empty;
    lines << QStringLiteral("sigma= M/Ww= ") + formatGeneral(rescaled(s.momentText, 100)) + QStringLiteral(" / ")
                 + s.sectionModulusText + QStringLiteral("= ") + s.sigmaText + QStringLiteral("кгс/см^2");
    lines << QStringLiteral("tau= Q/Fw= ") + formatFixed(rescaled(s.loadText, 1000), 6, 0) + QStringLiteral(" / ")
                 + s.shearAreaText + QLatin1Char('=') + s.tauText + QStringLiteral("кгс/см^2");
    lines << empty;
    lines << QStringLiteral("SIGMAmax= sqrt(sigma^2+tau^2)= ") + s.maxStressText + QStringLiteral("кгс/см^2");
    lines << empty;
    lines << QStringLiteral("Rwf= ") + s.resistanceText + QStringLiteral("кгс/см^2");
    lines << QStringLiteral("Ywf= ") + s.weldFactorText;
    lines << QStringLiteral("Yc= ") + s.structureFactorText;
    lines << empty;
    lines << QStringLiteral("Rwf * ywf * yc =") + s.limitText + QStringLiteral("кгс/см^2");
    lines << empty;
    lines << QStringLiteral("                  ВЫВОД");
    lines << empty;
    lines << s.maxStressText + s.relationText + s.limitText;
    lines << s.maxStressCaption + s.relationText + s.limitCaption;
    lines << s.verdictText;
    lines << empty << empty << empty;
    return lines;
}

void writeReportFile(const QString &fullPath, const ReportSnapshot &snapshot)
{
    // Opened before the lines are built, as the report is written line by line; a line that
    // fails (a field that is not a number) leaves the target as it was.
    TextFileWriter file(fullPath);
    const QStringList lines = reportLines(snapshot);
    for (const QString &line : lines)
        file.writeLine(line);
    file.commit();
}
