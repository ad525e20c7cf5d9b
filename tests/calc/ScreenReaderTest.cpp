// Tests of what a screen reader announces for the frame's boxes, captions and verdict.
#include "FrameTestSupport.h"

#include <QAccessible>
#include <QPushButton>

using namespace frametest;

namespace {

QString accessibleName(QWidget *control)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("(no interface)");
}

} // namespace

class ScreenReaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { substituteDesignedFonts(); }

    // Caption, symbol and unit as the row shows them, letters of both scripts as they are:
    // the "c" of "cм" and "кгc" is Latin, the "Р", "е" and the "с" of "Yс" are Cyrillic.
    void boxesAndCaptionsAreNamedAsTheFrameShowsThem_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const auto row = [](const char *control, const char16_t *name) {
            QTest::newRow(control) << QString::fromLatin1(control) << QString::fromUtf16(name);
        };
        row("Edit4", u"Нагрузка \u0420 = т");
        row("Edit3", u"Эксцентриситет \u0435 = мм");
        row("Edit1", u"Изгибающий  момент M = кг*м");
        row("ComboBox1", u"Катет сварного шва Kf = мм");
        row("ComboBox3", u"Коэф. высоты шва beta =");
        row("Edit6", u"Конструктивная длина  шва L = cм");
        row("Label52", u"Расчетная длина шва Lw = 42 мм");
        row("ComboBox2", u"Сопротивление шва Rwf = кгc/см^2");
        row("Edit5", u"Коэф. усл.работы шва Ywf =");
        row("Edit12", u"Коэф. усл.работы Y\u0441 =");
        row("Edit2", u"Площадь среза св.шва Fw = см^2");
        row("Edit9", u"Момент сопротивления Ww = см^3");
        row("Edit10", u"Нормальные напряж. sigma = кгc/см^2");
        row("Edit11", u"Касательные напряж. tau = кгc/см^2");
        row("Label28", u"SIGMA max");
        row("Label29", u"Rwf * ywf * yc");
        row("Label22", u"SIGMA max 0");
        row("Label26", u"SIGMA max = Rwf * ywf * yc");
        row("Label23", u"Rwf * ywf * yc 0");
        row("Label27", u"Результат");
        row("Label34", u"= Подбор длины шва =");
        row("Edit13", u"= Подбор длины шва =");
    }
    void boxesAndCaptionsAreNamedAsTheFrameShowsThem()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        Session session;
        QWidget *widget = session.frame->findChild<QWidget *>(control);
        QVERIFY(widget);
        QCOMPARE(accessibleName(widget), name);
    }

    void namesOfCaptionsThatShowValuesFollowTheValues()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        retype(frame.Edit4, QStringLiteral("1"));
        retype(frame.Edit3, QStringLiteral("100"));
        retype(frame.Edit6, QStringLiteral("6"));
        QCOMPARE(accessibleName(frame.Label52), QStringLiteral("Расчетная длина шва Lw = 52 мм"));
        QTest::mouseClick(frame.Button1, Qt::LeftButton);
        QCOMPARE(accessibleName(frame.Label22), QStringLiteral("SIGMA max ") + frame.Label22->text());
        QCOMPARE(accessibleName(frame.Label23), QStringLiteral("Rwf * ywf * yc 1850"));
        QCOMPARE(accessibleName(frame.Label26), QStringLiteral("SIGMA max > Rwf * ywf * yc"));
        QCOMPARE(accessibleName(frame.Label27), QStringLiteral("Условие не выполняется!"));
        // The boxes keep their row's name; their value is the text.
        QCOMPARE(accessibleName(frame.Edit10), QStringLiteral("Нормальные напряж. sigma = кгc/см^2"));
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(frame.Edit10);
        QCOMPARE(box->text(QAccessible::Value), frame.Edit10->text());
        QAccessibleInterface *combo = QAccessible::queryAccessibleInterface(frame.ComboBox1);
        QCOMPARE(combo->text(QAccessible::Value), QStringLiteral("4"));
        QCOMPARE(combo->role(), QAccessible::ComboBox);
    }
};

QTEST_MAIN(ScreenReaderTest)
#include "ScreenReaderTest.moc"
