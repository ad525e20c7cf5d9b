// The fixed texts of the usage and method windows, blank for blank, as stored and as shown.
#include "Resources.h"
#include "Spr_ras4et.h"
#include "Spravka.h"

#include <QPlainTextEdit>
#include <QTest>

namespace {

QStringList expectedUsage()
{
    return {
        QStringLiteral("     Программа позволяет за считанные секунды рассчитать сварной шов, проверить"),
        QStringLiteral("исходные данные и результаты расчета и сохранить подробный отчет о расчете в"),
        QStringLiteral("текстовом файле (для Блокнота, Word, Excel и т.п.)."),
        QStringLiteral(""),
        QStringLiteral(""),
        QStringLiteral("                                   Р А Б О Т А:"),
        QStringLiteral("   1. Нажмите [Показать схему], чтобы увидеть расчетную схему соединения."),
        QStringLiteral("   2. Введите нагрузку и эксцентриситет. Для чистого среза e = 0, для чистого изгиба"),
        QStringLiteral("P = 0 и e = 0, а вводится только изгибающий момент M."),
        QStringLiteral("   3. Остальные данные введите, выберите из списков или оставьте без изменения."),
        QStringLiteral("   4. Нажмите [Расчет], посмотрите проверку минимальной и максимальной длины шва"),
        QStringLiteral("и при необходимости увеличьте катет шва."),
        QStringLiteral("   5. При необходимости щелкните по надписи \"Подбор длины шва\", чтобы получить"),
        QStringLiteral("приблизительную длину шва."),
        QStringLiteral("   6. [Записать расчет] - подробный отчет о расчете будет сохранен в текстовом"),
        QStringLiteral("файле."),
    };
}

QStringList expectedMethod()
{
    return {
        QStringLiteral("         РАСЧЕТ СВАРНОГО СОЕДИНЕНИЯ С УГЛОВЫМ ШВОМ"),
        QStringLiteral("             НА ДЕЙСТВИЕ ПЕРЕРЕЗЫВАЮЩЕЙ СИЛЫ"),
        QStringLiteral("               И ИЗГИБАЮЩЕГО МОМЕНТА"),
        QStringLiteral(""),
        QStringLiteral("  Для обеспечения несущей способности сварного шва"),
        QStringLiteral("должно выполняться следующее условие:"),
        QStringLiteral(""),
        QStringLiteral("      SIGMAmax  <=  Rwf*Ywf*Yc , где"),
        QStringLiteral(""),
        QStringLiteral(" SIGMAmax- максимальные напряжения в сварном шве"),
        QStringLiteral(" Rwf- расчетное сопротивление шва"),
        QStringLiteral(" Ywf- коэффициент условий работы шва"),
        QStringLiteral(" Yc- коэффициент условий работы конструкции"),
        QStringLiteral("     Максимальное напряжение в сварном шве"),
        QStringLiteral(""),
        QStringLiteral("       SIGMAmax = sqrt(sigma^2 + tau^2) , где"),
        QStringLiteral(""),
        QStringLiteral("  sigma и tau - соответственно нормальные и касательные напряжения"),
        QStringLiteral("в сварном шве."),
        QStringLiteral(""),
        QStringLiteral("       sigma = M/Ww ,  tau = Q/Fw , где  "),
        QStringLiteral(""),
        QStringLiteral(" M- изгибающий момент в плоскости шва"),
        QStringLiteral(" Ww- момент сопротивления шва"),
        QStringLiteral(" Q- перерезывающая сила"),
        QStringLiteral(" Fw- расчетная площадь среза"),
        QStringLiteral(""),
        QStringLiteral("     Момент сопротивления шва  Ww = beta*Kf*Lw^2/6 "),
        QStringLiteral("      Pасчетная площадь среза  Fw = beta*Kf*Lw , где"),
        QStringLiteral(""),
        QStringLiteral(" beta- коэффициент расчетной высоты шва"),
        QStringLiteral(" Kf- высота (наименьший катет) шва"),
        QStringLiteral(" Lw- расчетная длина шва Lw=L-2*Kf , где"),
        QStringLiteral(" L- конструктивная длина шва."),
    };
}

} // namespace

class FixedTextsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void storedTextsAreExact_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("usage") << QStringLiteral(":/usage.txt") << expectedUsage();
        QTest::newRow("method") << QStringLiteral(":/method.txt") << expectedMethod();
    }

    void storedTextsAreExact()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, lines);
        // Byte for byte: UTF-8, LF after every line, nothing else (no BOM, no CR).
        QCOMPARE(resourceBytes(path), (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    }

    void memosShowTheTexts()
    {
        TForm3 usageWindow;
        TForm4 methodWindow;
        QCOMPARE(usageWindow.Memo1->toPlainText(), expectedUsage().join(QLatin1Char('\n')));
        QCOMPARE(methodWindow.Memo1->toPlainText(), expectedMethod().join(QLatin1Char('\n')));
    }
};

QTEST_MAIN(FixedTextsTest)
#include "FixedTextsTest.moc"
