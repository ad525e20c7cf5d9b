// Tests of the frame's form: fonts taking effect, captions fitting, lists, tab order, and the
// hand-over of its events to an owner.
#include "FrameTestSupport.h"
#include "TestRegistry.h"

#include <QPushButton>
#include <QTimer>

using namespace frametest;

class FrameLayoutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { substituteFonts(); }

    void fontsTakeEffect_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::newRow("descriptive caption") << "Label11" << 13 << false << false << false;
        QTest::newRow("symbol") << "Label12" << 13 << true << false << false;
        QTest::newRow("section heading") << "Label17" << 11 << true << false << false;
        QTest::newRow("design length caption") << "Label54" << 11 << false << false << false;
        QTest::newRow("relation sign") << "Label26" << 19 << true << false << false;
        QTest::newRow("stress") << "Label22" << 16 << true << false << true;
        QTest::newRow("input box") << "Edit4" << 11 << true << false << false;
        QTest::newRow("combo") << "ComboBox2" << 11 << true << false << false;
        QTest::newRow("check button") << "Button1" << 16 << true << true << true;
        QTest::newRow("take button") << "Button10" << 11 << true << false << false;
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

    void listsHoldTheirEntries_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("text");
        QTest::newRow("leg") << "ComboBox1" << QStringList({"4", "6", "8", "10", "12"}) << "4";
        QTest::newRow("beta") << "ComboBox3" << QStringList({"0,7", "0,8", "0,85", "0,9", "1"}) << "0,7";
        QTest::newRow("resistance") << "ComboBox2" << QStringList({"1850", "2200", "", "1500", "2000"}) << "1850";
    }
    void listsHoldTheirEntries()
    {
        QFETCH(QString, control);
        QFETCH(QStringList, entries);
        QFETCH(QString, text);
        Session session;
        const auto *combo = session.frame->findChild<ComboBox *>(control);
        QVERIFY(combo);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        QCOMPARE(shown, entries);
        QCOMPARE(combo->currentText(), text);
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->currentListIndex(), -1);
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

WELD_REGISTER_TEST(FrameLayoutTest);
#include "FrameLayoutTest.moc"
