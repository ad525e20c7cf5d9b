// The main window worked from the keyboard alone: Ctrl+L for the length selection, the tab order
// with Space on each button, and the menu's access keys.
#include "About.h"
#include "Brauzer1.h"
#include "Controls.h"
#include "MainForm.h"
#include "Numbers.h"
#include "ProgramWindows.h"
#include "RecordingInteraction.h"
#include "Spr_ras4et.h"
#include "Spravka.h"
#include "Startup.h"
#include "UserInteraction.h"
#include "Unit2.h"
#include "Unit3.h"
#include "WebBrowser.h"
#include "WeldCalcState.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <functional>

namespace {

bool activateMainWindow()
{
    MainForm->activateWindow();
    QApplication::setActiveWindow(MainForm);
    return QTest::qWaitForWindowActive(MainForm);
}

// The frame's control that has the focus (a combo's text box counts as the combo).
QString focusedControl()
{
    QWidget *focus = QApplication::focusWidget();
    if (focus && qobject_cast<QComboBox *>(focus->parentWidget()))
        focus = focus->parentWidget();
    return focus ? focus->objectName() : QString();
}

using Check = std::function<void(const RecordingInteraction &)>;

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_unanswered = std::make_unique<RecordingInteraction>();
        startProgramForTest();
    }
    void cleanup()
    {
        destroyWindows();
        m_unanswered.reset();
    }

    // Wherever the focus is, Ctrl+L runs the selection as a click on the caption does, errors
    // included, and types nothing.
    void ctrlLRunsTheLengthSelectionFromAnyControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("checkedFirst");
        for (const char *control : {"Button4", "Edit4", "Edit3", "Edit1", "ComboBox1", "ComboBox3", "Edit6",
                                    "Button1", "Edit5", "ComboBox2", "Edit12", "Button9", "Button10",
                                    "Button13", "Button2"}) {
            QTest::addRow("%s, before any check", control) << QString::fromLatin1(control) << false;
            QTest::addRow("%s, after a check", control) << QString::fromLatin1(control) << true;
        }
    }
    void ctrlLRunsTheLengthSelectionFromAnyControl()
    {
        QFETCH(QString, control);
        QFETCH(bool, checkedFirst);
        RecordingInteraction interaction;
        TFrame3 *frame = MainForm->Frame31;
        if (checkedFirst) {
            frame->Edit4->setText(QStringLiteral("1"));
            frame->Edit3->setText(QStringLiteral("100"));
            frame->Button1->click();
            interaction.boxes.clear();
        }
        QVERIFY(activateMainWindow());
        QWidget *widget = frame->findChild<QWidget *>(control);
        QVERIFY(widget);
        widget->setFocus();
        QCOMPARE(focusedControl(), control);
        const QString textBefore = frame->Edit4->text() + frame->ComboBox3->currentText() + frame->Edit6->text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
        if (checkedFirst) {
            QVERIFY(interaction.boxes.isEmpty());
            QCOMPARE(frame->Edit13->text(), QStringLiteral("12"));
            QCOMPARE(WeldCalcState.Lsel, std::sqrt(WeldCalcState.LM * WeldCalcState.LM
                                                   + WeldCalcState.LQ * WeldCalcState.LQ));
        } else {
            QCOMPARE(interaction.errors(), QStringList{"Invalid floating point operation."});
            QCOMPARE(frame->Edit13->text(), QStringLiteral("0"));
        }
        QCOMPARE(frame->Edit4->text() + frame->ComboBox3->currentText() + frame->Edit6->text(), textBefore);
        QCOMPARE(focusedControl(), control);
    }

    void ctrlLIsNamedToScreenReaders_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("Label34") << "Label34";
        QTest::newRow("Edit13") << "Edit13";
    }
    void ctrlLIsNamedToScreenReaders()
    {
        QFETCH(QString, control);
        QWidget *widget = MainForm->Frame31->findChild<QWidget *>(control);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QCOMPARE(accessible->text(QAccessible::Description),
                 QStringLiteral("Ориентировочный подбор длины шва: Ctrl+L"));
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("= Подбор длины шва ="));
        // Both stay out of the tab order; the tool tip stays the hint.
        QCOMPARE(widget->focusPolicy() & Qt::TabFocus, 0);
        QCOMPARE(MainForm->Frame31->Label34->toolTip(), QStringLiteral("Ориентировочный подбор длины шва"));
    }

    // Tab visits the frame's controls in their order and comes round again; Space on each button
    // does that button's action.
    void tabAndSpaceReachEveryButton()
    {
        RecordingInteraction interaction;
        TFrame3 *frame = MainForm->Frame31;
        const QHash<QString, Check> pressed{
            {"Button4", [](const RecordingInteraction &) { QVERIFY(Form2->isVisible()); }},
            {"Button1", [frame](const RecordingInteraction &) { QCOMPARE(frame->Edit2->text(), QStringLiteral("1,18")); }},
            {"Button9", [](const RecordingInteraction &i) { QCOMPARE(i.dialogs.size(), 1); }},
            {"Button10", [frame](const RecordingInteraction &) { QCOMPARE(frame->Edit6->text(), QStringLiteral("0")); }},
            {"Button13", [](const RecordingInteraction &i) {
                 QVERIFY(i.messages().value(0).startsWith(QStringLiteral("  Коэффициент высоты шва:")));
             }},
            {"Button2", [](const RecordingInteraction &i) {
                 QCOMPARE(i.messages(), QStringList{"Подборка литературы на сайте разработчика"});
                 QVERIFY(Brauzer1->isVisible());
             }},
        };
        QVERIFY(activateMainWindow());
        frame->Button4->setFocus();
        QStringList visited;
        QStringList buttons;
        for (int step = 0; step < 16; ++step) {
            const QString control = focusedControl();
            visited << control;
            if (auto *button = qobject_cast<QPushButton *>(QApplication::focusWidget())) {
                interaction.boxes.clear();
                interaction.dialogs.clear();
                QTest::keyClick(button, Qt::Key_Space);
                QVERIFY2(pressed.contains(control), qPrintable(control));
                pressed[control](interaction);
                if (QTest::currentTestFailed())
                    return;
                buttons << control;
                QVERIFY(activateMainWindow());
                button->setFocus();
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, (QStringList{"Button4", "Edit4", "Edit3", "Edit1", "ComboBox1", "ComboBox3", "Edit6",
                                       "Button1", "Edit5", "ComboBox2", "Edit12", "Button9", "Button10",
                                       "Button13", "Button2", "Button4"}));
        QCOMPARE(buttons.size(), 7); // Button4 twice, at the start and after the round
    }

    // The menu's commands by their access keys, and the items without one by the arrow keys.
    void menuCommandsByKeys_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("expected");
        const auto alt = [](int key) { return int(Qt::AltModifier) | key; };
        QTest::newRow("Alt+F N: New") << QList<int>{alt(Qt::Key_F), Qt::Key_N} << "";
        QTest::newRow("Alt+F O: Open text") << QList<int>{alt(Qt::Key_F), Qt::Key_O} << "open dialog";
        QTest::newRow("Alt+F A: Save As") << QList<int>{alt(Qt::Key_F), Qt::Key_A} << "save dialog";
        QTest::newRow("Alt+F X: Exit") << QList<int>{alt(Qt::Key_F), Qt::Key_X} << "closed";
        QTest::newRow("Alt+H A: About") << QList<int>{alt(Qt::Key_H), Qt::Key_A} << "О программе";
        QTest::newRow("Alt+H C Enter: usage") << QList<int>{alt(Qt::Key_H), Qt::Key_C, Qt::Key_Return}
                                               << "Об использовании";
        QTest::newRow("Alt+H C Down Enter: method")
            << QList<int>{alt(Qt::Key_H), Qt::Key_C, Qt::Key_Down, Qt::Key_Return} << "О расчете";
    }
    void menuCommandsByKeys()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, expected);
        RecordingInteraction interaction;
        QVERIFY(activateMainWindow());
        MainForm->Frame31->Edit4->setFocus();
        for (int key : keys) {
            QWidget *target = QApplication::activePopupWidget();
            if (!target)
                target = QApplication::focusWidget();
            QTest::keyClick(target, Qt::Key(key & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        }
        QStringList happened;
        for (QWidget *window : {static_cast<QWidget *>(Form3), static_cast<QWidget *>(Form4),
                                static_cast<QWidget *>(AboutBox)}) {
            if (window->isVisible())
                happened << window->windowTitle();
        }
        for (const FileDialogRequest &dialog : std::as_const(interaction.dialogs))
            happened << (dialog.mode == FileDialogRequest::Mode::Open ? "open dialog" : "save dialog");
        if (!MainForm->isVisible())
            happened << "closed";
        QCOMPARE(happened.join(u','), expected);
        QVERIFY(interaction.boxes.isEmpty());
    }

private:
    std::unique_ptr<RecordingInteraction> m_unanswered;
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
