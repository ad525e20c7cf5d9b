// The scheme, usage, method and design-requirements windows as a user meets them.
#include "About.h"
#include "PictureBox.h"
#include "ProgramWindows.h"
#include "ShowAndFocus.h"
#include "SpeedButton.h"
#include "Spr_ras4et.h"
#include "Spravka.h"
#include "Unit2.h"
#include "Unit5.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

class ReferenceWindowsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void schemeIsDrawnAtTopLeftWithProportionsKept_data()
    {
        QTest::addColumn<QSize>("windowSize");
        QTest::newRow("designed") << QSize();
        QTest::newRow("wider and taller") << QSize(700, 600);
        QTest::newRow("smaller") << QSize(120, 90);
    }

    void schemeIsDrawnAtTopLeftWithProportionsKept()
    {
        QFETCH(QSize, windowSize);
        TForm2 scheme;
        if (windowSize.isValid())
            scheme.resize(windowSize);
        QCOMPARE(scheme.Image1->geometry(), QRect(8, 8, 241, 217));
        QCOMPARE(scheme.Image1->pictureRect(), QRect(0, 0, 241, 213));

        // What is painted: the scheme's white ground ends at row 213, below it the box is empty.
        scheme.show();
        const QImage shown = scheme.Image1->grab().toImage();
        QCOMPARE(shown.pixelColor(120, 212), QColor(Qt::white));
        QVERIFY(shown.pixelColor(120, 214) != QColor(Qt::white));
    }

    void okHidesTheSchemeAndShowingAgainKeepsOneWindow()
    {
        TForm2 scheme;
        Form2 = &scheme;
        showAndFocus(Form2);
        QVERIFY(QTest::qWaitForWindowActive(&scheme));
        QCOMPARE(QApplication::focusWidget(), scheme.Button1);
        QTest::mouseClick(scheme.Button1, Qt::LeftButton);
        QVERIFY(!scheme.isVisible());
        showAndFocus(Form2);
        showAndFocus(Form2);
        QVERIFY(scheme.isVisible());
        int schemes = 0;
        for (QWidget *window : QApplication::topLevelWidgets())
            schemes += qobject_cast<TForm2 *>(window) != nullptr;
        QCOMPARE(schemes, 1);
        Form2 = nullptr;
    }

    void usageWindowHoldsVersionAndDateUnseen()
    {
        TForm3 usage;
        usage.show();
        QCOMPARE(usage.Label2->text(), QStringLiteral("V 3.1"));
        QCOMPARE(usage.Label8->text(), QStringLiteral("10.2009 г. "));
        QVERIFY(!usage.Label2->isVisible());
        QVERIFY(!usage.Label8->isVisible());
        QCOMPARE(usage.Label3->text(), QStringLiteral("   Программа будет улучшаться и расширяться  благодаря Вашим "
                                                      "отзывам на    tip@tarvelin.example"));
    }

    void memosRejectTypingButCopy_data()
    {
        QTest::addColumn<bool>("method");
        QTest::newRow("usage") << false;
        QTest::newRow("method") << true;
    }

    void memosRejectTypingButCopy()
    {
        QFETCH(bool, method);
        TForm3 usage;
        TForm4 methodWindow;
        QWidget *window = method ? static_cast<QWidget *>(&methodWindow) : &usage;
        QPlainTextEdit *memo = method ? methodWindow.Memo1 : usage.Memo1;
        const QString before = memo->toPlainText();
        showAndFocus(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(QApplication::focusWidget(), memo);
        QTest::keyClicks(memo, QStringLiteral("abc"));
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClick(memo, Qt::Key_Delete);
        QCOMPARE(memo->toPlainText(), before);
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), before);
    }

    void usageButtonsOpenMethodAndAboutWindows()
    {
        ProgramWindows windows;
        TForm3 &usage = *Form3;
        TForm4 &methodWindow = *Form4;
        TAboutBox &about = *AboutBox;
        usage.show();
        for (int time = 0; time < 2; ++time) { // also while they are already open
            QTest::mouseClick(usage.SpeedButton1, Qt::LeftButton);
            QVERIFY(methodWindow.isVisible());
            QVERIFY(QTest::qWaitForWindowActive(&methodWindow));
            QTest::mouseClick(usage.SpeedButton2, Qt::LeftButton);
            QVERIFY(about.isVisible());
            QVERIFY(QTest::qWaitForWindowActive(&about));
            QCOMPARE(QApplication::focusWidget(), about.OKButton);
        }
    }

    void hiddenWindowKeepsCaretAndSelection()
    {
        TForm4 methodWindow;
        methodWindow.show();
        QTextCursor cursor = methodWindow.Memo1->textCursor();
        cursor.setPosition(10);
        cursor.setPosition(25, QTextCursor::KeepAnchor);
        methodWindow.Memo1->setTextCursor(cursor);
        methodWindow.close();
        showAndFocus(&methodWindow);
        QCOMPARE(methodWindow.Memo1->textCursor().selectionStart(), 10);
        QCOMPARE(methodWindow.Memo1->textCursor().selectionEnd(), 25);
    }

    void designWindowScrollsOnlyVertically_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("designed width") << 0;
        QTest::newRow("wider") << 1200;
        QTest::newRow("narrower") << 500;
    }

    void designWindowScrollsOnlyVertically()
    {
        QFETCH(int, width);
        TForm5 design;
        if (width > 0)
            design.resize(width, design.height());
        design.show();
        QScrollBar *vertical = design.verticalScrollBar();
        QVERIFY(vertical->isVisible());
        QCOMPARE(vertical->maximum() + vertical->pageStep(), 977);
        QCOMPARE(vertical->singleStep(), 51);
        QCOMPARE(design.widget()->height(), 977);
        QCOMPARE(design.horizontalScrollBar()->maximum(), 0);
        QVERIFY(!design.horizontalScrollBar()->isVisible());
        QCOMPARE(design.widget()->width(), design.viewport()->width());

        // The boxes follow the width; the pictures keep their natural size.
        const int widthChange = design.viewport()->width() - 838;
        QCOMPARE(design.Image1->geometry(), QRect(0, -32, 873 + widthChange, 682));
        QCOMPARE(design.Image2->geometry(), QRect(0, 640, 830 + widthChange, 337));
        QCOMPARE(design.Image1->pictureRect(), QRect(0, 0, 827, 691));
        QCOMPARE(design.Image2->pictureRect(), QRect(0, 0, 842, 341));

        // One arrow click moves the view by one step.
        vertical->setValue(0);
        vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(vertical->value(), 51);
        QCOMPARE(design.widget()->y(), -51);
    }

    void designWindowAtItsDesignedSize()
    {
        TForm5 design;
        design.show();
        QCOMPARE(design.viewport()->size(), QSize(838, 570));
        // At this width the last 12 columns of picture 2 are cut off.
        QCOMPARE(design.Image2->width(), 830);
        QCOMPARE(design.pos(), QPoint(118, 47));
    }
};

QTEST_MAIN(ReferenceWindowsTest)
#include "ReferenceWindowsTest.moc"
