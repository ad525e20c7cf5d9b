// Tests of the frame's form: fonts taking effect, captions fitting, tab order, the hint, and the
// hand-over of its events to an owner.
#include "FrameTestSupport.h"
#include "Hints.h"

#include <QPushButton>
#include <QTimer>

using namespace frametest;

class FrameLayoutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { substituteDesignedFonts(); }

    // The form holds points; the frame turns them into the designed pixel heights.
    void fontsTakeEffect_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::newRow("symbol") << "Label12" << 13 << true << false << false;
        QTest::newRow("relation sign") << "Label26" << 19 << true << false << false;
        QTest::newRow("input box") << "Edit4" << 11 << true << false << false;
        QTest::newRow("check button") << "Button1" << 16 << true << true << true;
    }
    void fontsTakeEffect()
    {
        QFETCH(QString, control);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, underline);
        Session session;
        const QWidget *widget = session.frame->findChild<QWidget *>(control);
        QVERIFY(widget);
        const QFont font = widget->font();
        QCOMPARE(font.pixelSize(), pixelSize);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(font.italic(), italic);
        QCOMPARE(font.underline(), underline);
        QCOMPARE(font.family(), control == QLatin1String("Button1") ? QStringLiteral("Arial")
                                                                   : QStringLiteral("MS Sans Serif"));
    }

    void captionsFitTheirBoxes()
    {
#ifdef Q_OS_WIN
        // Wine's stand-ins for the Windows fonts have other metrics than the fonts the frame was
        // drawn for; the fit is checked where the fonts are the metric twins.
        if (qEnvironmentVariableIsSet("WINEPREFIX") || qEnvironmentVariableIsSet("WINELOADER"))
            QSKIP("the fonts under Wine are not those of Windows");
#endif
        Session session;
        TFrame3 &frame = *session.frame;
        // The longest texts the verdict group shows.
        frame.Label26->setText(QStringLiteral(" > "));
        frame.Label27->setText(QStringLiteral("Условие не выполняется!"));
        const QRect area = frame.rect();
        for (const Label *label : frame.findChildren<Label *>()) {
            const QString name = label->objectName();
            if (label->wordWrap())
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
            else
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                         qPrintable(name));
            QVERIFY2(label->fontMetrics().height() <= label->height(), qPrintable(name));
            QVERIFY2(area.contains(label->geometry()), qPrintable(name));
        }
        for (const QPushButton *button : frame.findChildren<QPushButton *>()) {
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 6 <= button->width(),
                     qPrintable(button->objectName()));
            QVERIFY2(area.contains(button->geometry()), qPrintable(button->objectName()));
        }
    }

    void tabOrderRunsThroughTheInputsAndButtons()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        const QStringList expected = {"Button4", "Edit4", "Edit3", "Edit1", "ComboBox1", "ComboBox3",
                                      "Edit6", "Button1", "Edit5", "ComboBox2", "Edit12", "Button9",
                                      "Button10", "Button13", "Button2"};
        QStringList order;
        QWidget *widget = frame.Button4;
        do {
            if (widget->focusPolicy() & Qt::TabFocus)
                order << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != frame.Button4 && order.size() < 40);
        QStringList own;
        for (const QString &name : order) {
            if (!name.isEmpty() && frame.findChild<QWidget *>(name) && !own.contains(name))
                own << name;
        }
        QCOMPARE(own, expected);
        for (Edit *result : {frame.Edit2, frame.Edit9, frame.Edit10, frame.Edit11, frame.Edit13}) {
            QCOMPARE(result->focusPolicy(), Qt::ClickFocus);
            QVERIFY(!result->isReadOnly());
        }
    }

    void selectionCaptionHintsAtItsPurpose()
    {
        Session session;
        const QString hint = QStringLiteral("Ориентировочный подбор длины шва");
        QCOMPARE(hintOf(session.frame->Label34), hint);
        QCOMPARE(session.frame->Label34->toolTip(), hint);
    }

    void ownerTakesOverTheForwardedEvents()
    {
        Session session;
        TFrame3 &frame = *session.frame;
        frame.releaseEvents();
        retype(frame.Edit4, QStringLiteral("1.5"));
        QCOMPARE(frame.Edit4->text(), local(QStringLiteral("1,5")));
        QCOMPARE(WeldCalcState.Q, 0.0);
        QTest::mouseClick(frame.Button1, Qt::LeftButton);
        QTest::mouseClick(frame.Button13, Qt::LeftButton);
        QTest::mouseClick(frame.Label34, Qt::LeftButton);
        QVERIFY(session.boxes.boxes.isEmpty());
        QVERIFY(!frame.Timer1->isActive());
        // No owner forwards the leg: the frame keeps it.
        choose(frame.ComboBox1, 2);
        QCOMPARE(frame.Label52->text(), QStringLiteral("34"));
    }
};

QTEST_MAIN(FrameLayoutTest)
#include "FrameLayoutTest.moc"
