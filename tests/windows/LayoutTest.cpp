// The designed places, sizes, fonts and colours of the reference windows and the About window.
#include "About.h"
#include "Controls.h"
#include "SpeedButton.h"
#include "Spr_ras4et.h"
#include "Spravka.h"
#include "Unit2.h"
#include "Unit5.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

namespace {

struct Windows
{
    TForm3 usage;
    TForm4 method;
    TForm2 scheme;
    TAboutBox about{nullptr, usage.Label2, usage.Label8};
    TForm5 design;

    QWidget *byName(const QString &name)
    {
        for (QWidget *window : {static_cast<QWidget *>(&usage), static_cast<QWidget *>(&method),
                                static_cast<QWidget *>(&scheme), static_cast<QWidget *>(&about),
                                static_cast<QWidget *>(&design)})
            if (window->metaObject()->className() == name)
                return window;
        return nullptr;
    }
};

} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_windows = std::make_unique<Windows>(); }
    void cleanupTestCase() { m_windows.reset(); }

    void windowsTakeTheirDesignedPlace_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("frame"); // outer frame as designed
        QTest::newRow("scheme") << "TForm2" << "Схема" << QRect(7, 37, 267, 314);
        QTest::newRow("usage") << "TForm3" << "Об использовании" << QRect(244, 17, 571, 396);
        QTest::newRow("method") << "TForm4" << "О расчете" << QRect(240, 16, 470, 589);
        QTest::newRow("about") << "TAboutBox" << "О программе" << QRect(253, 57, 602, 459);
    }

    void windowsTakeTheirDesignedPlace()
    {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(QRect, frame);
        QWidget *form = m_windows->byName(window);
        QVERIFY(form);
        QVERIFY(!form->isVisible());
        QCOMPARE(form->windowTitle(), caption);
        QCOMPARE(form->pos(), frame.topLeft());
        // The client area: the outer size less the classic frame (4-pixel borders, 19-pixel caption).
        QCOMPARE(form->size(), frame.size() - QSize(8, 27));
    }

    void controlsAsDesigned_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<int>("pixels"); // character height
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("textColour");
        const QColor navy(0, 0, 128), teal(0, 128, 128), black(0, 0, 0);
        QTest::newRow("scheme picture") << "TForm2" << "Image1" << QRect(8, 8, 241, 217) << 11 << false << QColor();
        QTest::newRow("scheme Ok") << "TForm2" << "Button1" << QRect(16, 232, 217, 49) << 16 << true << QColor();
        QTest::newRow("usage memo") << "TForm3" << "Memo1" << QRect(32, 24, 513, 225) << 11 << true << navy;
        QTest::newRow("usage feedback") << "TForm3" << "Label3" << QRect(120, 264, 307, 26) << 11 << true << navy;
        QTest::newRow("usage to method") << "TForm3" << "SpeedButton1" << QRect(32, 304, 241, 41) << 13 << true << teal;
        QTest::newRow("usage to about") << "TForm3" << "SpeedButton2" << QRect(288, 304, 249, 41) << 13 << true << teal;
        QTest::newRow("usage version") << "TForm3" << "Label2" << QRect(40, 264, 25, 13) << 11 << false << QColor();
        QTest::newRow("usage date") << "TForm3" << "Label8" << QRect(40, 280, 53, 13) << 11 << false << QColor();
        QTest::newRow("method memo") << "TForm4" << "Memo1" << QRect(24, 16, 417, 481) << 11 << true << navy;
        QTest::newRow("method rule") << "TForm4" << "Label2" << QRect(32, 504, 397, 13) << 11 << true << navy;
        QTest::newRow("method motto") << "TForm4" << "Label15" << QRect(272, 528, 170, 13) << 11 << true << navy;
        QTest::newRow("about panel") << "TAboutBox" << "Panel1" << QRect(16, 16, 561, 401) << 11 << false << QColor();
        QTest::newRow("about icon") << "TAboutBox" << "ProgramIcon" << QRect(16, 8, 32, 32) << 11 << false << QColor();
        QTest::newRow("about suite") << "TAboutBox" << "Label1" << QRect(72, 8, 147, -1) << 11 << false << black;
        QTest::newRow("about name") << "TAboutBox" << "Label5" << QRect(336, 8, 89, 17) << 11 << false << QColor();
        QTest::newRow("about profession") << "TAboutBox" << "Label18" << QRect(424, 8, 105, 17) << 11 << false << QColor();
        QTest::newRow("about e-mail") << "TAboutBox" << "Edit2" << QRect(336, 24, 121, 21) << 11 << false << QColor();
        QTest::newRow("about module") << "TAboutBox" << "Label34" << QRect(72, 48, 169, 41) << 11 << true << black;
        QTest::newRow("about site") << "TAboutBox" << "Edit1" << QRect(336, 48, 121, 21) << 11 << false << QColor();
        QTest::newRow("about date") << "TAboutBox" << "Label8" << QRect(464, 72, 57, 17) << 11 << false << QColor();
        QTest::newRow("about note") << "TAboutBox" << "Label17" << QRect(16, 88, 529, 33) << 11 << true << navy;
        QTest::newRow("about appeal") << "TAboutBox" << "Label4" << QRect(16, 120, 537, 57) << 11 << false << navy;
        QTest::newRow("about details") << "TAboutBox" << "Memo1" << QRect(24, 176, 529, 97) << 11 << false << navy;
        QTest::newRow("about save") << "TAboutBox" << "SpeedButton1" << QRect(16, 280, 529, 33) << 13 << true << teal;
        QTest::newRow("about help") << "TAboutBox" << "Label9" << QRect(32, 320, 505, 33) << 11 << false << navy;
        QTest::newRow("about thanks") << "TAboutBox" << "Label13" << QRect(48, 360, 319, 20) << 16 << true << teal;
        QTest::newRow("about close") << "TAboutBox" << "OKButton" << QRect(480, 376, 81, 25) << 11 << false << QColor();
    }

    void controlsAsDesigned()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QRect, place);
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        QFETCH(QColor, textColour);
        QWidget *widget = m_windows->byName(window)->findChild<QWidget *>(control);
        QVERIFY(widget);
        QCOMPARE(widget->pos(), place.topLeft());
        if (place.height() >= 0)
            QCOMPARE(widget->size(), place.size());
        else
            QCOMPARE(widget->width(), place.width());
        QCOMPARE(widget->font().pixelSize(), pixels);
        QCOMPARE(widget->font().bold(), bold);
        if (textColour.isValid()) {
            const bool textBox = qobject_cast<QPlainTextEdit *>(widget) != nullptr;
            QCOMPARE(widget->palette().color(textBox ? QPalette::Text : QPalette::WindowText), textColour);
        }
    }

    void backgrounds()
    {
        const QColor cream(255, 251, 240);
        QCOMPARE(m_windows->usage.palette().color(QPalette::Window), cream);
        QCOMPARE(m_windows->usage.Memo1->palette().color(QPalette::Base), cream);
        QCOMPARE(m_windows->method.palette().color(QPalette::Window), cream);
        QCOMPARE(m_windows->method.Memo1->palette().color(QPalette::Base), cream);
        QCOMPARE(m_windows->about.palette().color(QPalette::Window), cream);
        QCOMPARE(m_windows->about.Panel1->palette().color(QPalette::Window), cream);
        QCOMPARE(m_windows->about.Memo1->palette().color(QPalette::Base), QColor(196, 255, 255));
        QCOMPARE(m_windows->design.widget()->palette().color(QPalette::Window), QColor(255, 255, 255));
    }

    void cursors_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("shape");
        QTest::newRow("scheme Ok") << "TForm2" << "Button1" << int(Qt::PointingHandCursor);
        QTest::newRow("usage buttons") << "TForm3" << "SpeedButton2" << int(Qt::PointingHandCursor);
        QTest::newRow("about panel") << "TAboutBox" << "Panel1" << int(Qt::WhatsThisCursor);
        QTest::newRow("about label on the panel") << "TAboutBox" << "Label4" << int(Qt::WhatsThisCursor);
        QTest::newRow("about site") << "TAboutBox" << "Edit1" << int(Qt::PointingHandCursor);
        QTest::newRow("about save") << "TAboutBox" << "SpeedButton1" << int(Qt::PointingHandCursor);
        QTest::newRow("about close") << "TAboutBox" << "OKButton" << int(Qt::ForbiddenCursor);
    }

    void cursors()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(int, shape);
        QWidget *widget = m_windows->byName(window)->findChild<QWidget *>(control);
        QVERIFY(widget);
        QCOMPARE(int(widget->cursor().shape()), shape);
    }

    void aboutTabOrderAndTexts()
    {
        TAboutBox &about = m_windows->about;
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        about.Memo1->setFocus();
        const QList<QWidget *> order{about.Edit1, about.Edit2, about.OKButton, about.Memo1};
        for (QWidget *next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        about.hide();
        QCOMPARE(about.Label17->text(), QStringLiteral("   "));
        QCOMPARE(about.Label3->text(), QStringLiteral(" Р е к в и з и т ы :"));
        QCOMPARE(about.Label13->text(), QStringLiteral("С п а с и б о    з а    В а ш е    в р е м я"));
        QCOMPARE(about.SpeedButton1->text(),
                 QStringLiteral("=====  С о х р а н и т ь   р е к в и з и т ы    в    б л о к н о т е   ====="));
        QVERIFY(about.Label4->text().startsWith(QStringLiteral("    Если Вам понравилось")));
        QVERIFY(about.Label9->text().startsWith(QStringLiteral("    Ваша помощь")));
        QCOMPARE(m_windows->method.Label2->text(), QString(99, QLatin1Char('-')));
    }

private:
    std::unique_ptr<Windows> m_windows;
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
