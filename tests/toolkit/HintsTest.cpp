// The application hint: short and long forms, and following the pointer through nested controls.
#include "Hints.h"

#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

class HintsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void shortAndLongForms_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("shortForm");
        QTest::addColumn<QString>("longForm");
        QTest::newRow("both") << "Save As|Save the text" << "Save As" << "Save the text";
        QTest::newRow("empty long form") << "Save As|" << "Save As" << "";
        QTest::newRow("no bar") << "Открыть текст" << "Открыть текст" << "Открыть текст";
        QTest::newRow("first bar splits") << "a|b|c" << "a" << "b|c";
    }
    void shortAndLongForms()
    {
        QFETCH(QString, hint);
        QFETCH(QString, shortForm);
        QFETCH(QString, longForm);
        QCOMPARE(shortHint(hint), shortForm);
        QCOMPARE(longHint(hint), longForm);
        QWidget control;
        setHint(&control, hint);
        QCOMPARE(control.toolTip(), shortForm);
        QCOMPARE(hintOf(&control), hint);
    }

    void followsPointerToNearestControlWithHint()
    {
        ApplicationHint &hint = ApplicationHint::instance();
        hint.setText(QString());
        QWidget window;
        auto *panel = new QWidget(&window);
        auto *withHint = new QWidget(panel);
        auto *withoutHint = new QWidget(panel);
        setHint(panel, QStringLiteral("Панель|Панель целиком"));
        setHint(withHint, QStringLiteral("Кнопка|Длинная подсказка кнопки"));
        QSignalSpy changes(&hint, &ApplicationHint::hintChanged);

        enter(&window);
        QCOMPARE(hint.text(), QString());
        enter(panel);
        QCOMPARE(hint.text(), QStringLiteral("Панель целиком"));
        enter(withHint);
        QCOMPARE(hint.text(), QStringLiteral("Длинная подсказка кнопки"));
        leave(withHint); // back over the panel
        QCOMPARE(hint.text(), QStringLiteral("Панель целиком"));
        enter(withoutHint);
        QCOMPARE(hint.text(), QStringLiteral("Панель целиком"));
        leave(withoutHint);
        leave(panel);
        leave(&window);
        QCOMPARE(hint.text(), QString());
        // Each distinct text was raised once; the repeated panel text raised nothing.
        QCOMPARE(changes.count(), 4);
    }

private:
    static void enter(QWidget *control)
    {
        QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(control, &event);
    }
    static void leave(QWidget *control)
    {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(control, &event);
    }
};

QTEST_MAIN(HintsTest)
#include "HintsTest.moc"
