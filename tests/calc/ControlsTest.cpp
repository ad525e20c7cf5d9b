// Tests of the edits, combos and labels: which user actions and program changes raise their events.
#include "Controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

namespace {

// The texts of a combo at each of its change events.
struct ChangeLog
{
    explicit ChangeLog(ComboBox &combo)
    {
        QObject::connect(&combo, &ComboBox::changed, &combo, [this, &combo] {
            texts << combo.currentText();
            indexes << combo.currentListIndex();
        });
    }
    QStringList texts;
    QList<int> indexes;
};

void fillLegs(ComboBox &combo)
{
    combo.addItems({QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("8"),
                    QStringLiteral("10"), QStringLiteral("12")});
}

} // namespace

class ControlsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editRaisesChangeForEveryNewText()
    {
        Edit edit;
        QSignalSpy changes(&edit, &Edit::changed);
        QTest::keyClicks(&edit, QStringLiteral("12"));
        QCOMPARE(changes.count(), 2);
        edit.setText(QStringLiteral("7"));
        QCOMPARE(changes.count(), 3);
        edit.setText(QStringLiteral("7"));
        QCOMPARE(changes.count(), 3);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(changes.count(), 4);
        QCOMPARE(edit.text(), QString());
    }

    void editKeyFilterReplacesTypedCharacter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("point becomes comma") << QStringLiteral("1.5") << QStringLiteral("1,5");
        QTest::newRow("comma stays") << QStringLiteral("1,5") << QStringLiteral("1,5");
        QTest::newRow("others pass") << QStringLiteral("-2e3") << QStringLiteral("-2e3");
    }
    void editKeyFilterReplacesTypedCharacter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Edit edit;
        edit.setKeyFilter([](QChar &key) {
            if (key == QLatin1Char('.'))
                key = QLatin1Char(',');
        });
        QTest::keyClicks(&edit, typed);
        QCOMPARE(edit.text(), shown);
    }

    void editAndLabelReportClicks()
    {
        Edit edit;
        Label label;
        label.resize(50, 20);
        QSignalSpy editClicks(&edit, &Edit::clicked);
        QSignalSpy labelClicks(&label, &Label::clicked);
        QTest::mouseClick(&edit, Qt::LeftButton);
        QTest::mouseClick(&label, Qt::LeftButton);
        QTest::mouseClick(&label, Qt::RightButton);
        QCOMPARE(editClicks.count(), 1);
        QCOMPARE(labelClicks.count(), 1);
    }

    void labelReportsPointerMovesWithoutButtonAndLeaving()
    {
        Label label;
        label.resize(80, 20);
        QSignalSpy moves(&label, &Label::mouseMoved);
        QSignalSpy leaves(&label, &Label::mouseLeft);
        QTest::mouseMove(&label, QPoint(10, 5));
        QMouseEvent move(QEvent::MouseMove, QPointF(12, 7), label.mapToGlobal(QPointF(12, 7)),
                         Qt::NoButton, Qt::NoButton, Qt::ShiftModifier);
        QCoreApplication::sendEvent(&label, &move);
        QVERIFY(!moves.isEmpty());
        const QList<QVariant> last = moves.last();
        QCOMPARE(last.at(0).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
        QCOMPARE(last.at(1).toInt(), 12);
        QCOMPARE(last.at(2).toInt(), 7);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&label, &leave);
        QCOMPARE(leaves.count(), 1);
    }

    void autoSizedLabelFollowsItsText()
    {
        Label label;
        label.setAutoSize(true);
        label.setText(QStringLiteral("0"));
        label.ensurePolished(); // captions fit their text once polished, as before any showing
        const int narrow = label.width();
        QCOMPARE(label.size(), label.sizeHint());
        label.setText(QStringLiteral("Условие не выполняется!"));
        QVERIFY(label.width() > narrow * 5);
        QCOMPARE(label.size(), label.sizeHint());

        Label fixed;
        fixed.resize(25, 24);
        fixed.setText(QStringLiteral("Условие не выполняется!"));
        QCOMPARE(fixed.size(), QSize(25, 24));
    }

    void comboTypingRaisesChangeAndClearsListIndex()
    {
        ComboBox combo;
        fillLegs(combo);
        combo.setCompleter(nullptr);
        ChangeLog log(combo);
        combo.lineEdit()->selectAll();
        QTest::keyClicks(&combo, QStringLiteral("7,5"));
        QCOMPARE(log.texts, QStringList({QStringLiteral("7"), QStringLiteral("7,"), QStringLiteral("7,5")}));
        QCOMPARE(log.indexes, QList<int>({-1, -1, -1}));
        QCOMPARE(combo.count(), 5);
    }

    void comboReportsTheCompletedText()
    {
        ComboBox combo;
        fillLegs(combo);
        ChangeLog log(combo);
        // The list completes the text of a combo that has the focus.
        combo.show();
        QApplication::setActiveWindow(&combo);
        combo.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&combo));
        combo.lineEdit()->selectAll();
        QTest::keyClicks(&combo, QStringLiteral("1"));
        QCOMPARE(combo.currentText(), QStringLiteral("10"));
        QCOMPARE(log.texts, QStringList({QStringLiteral("10")}));
    }

    void comboChoosingSetsListIndex()
    {
        ComboBox combo;
        fillLegs(combo);
        ChangeLog log(combo);
        QTest::keyClick(&combo, Qt::Key_Down);
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(combo.currentText(), QStringLiteral("8"));
        QCOMPARE(log.texts, QStringList({QStringLiteral("6"), QStringLiteral("8")}));
        QCOMPARE(log.indexes, QList<int>({1, 2}));

        Q_EMIT combo.activated(4); // as the drop-down list reports a click on an entry
        QCOMPARE(log.indexes.last(), 4);
        QTest::keyClick(&combo, Qt::Key_Backspace);
        QCOMPARE(log.indexes.last(), -1);
    }

    void comboProgramTextRaisesNothing()
    {
        ComboBox combo;
        fillLegs(combo);
        ChangeLog log(combo);
        QTest::keyClick(&combo, Qt::Key_Down);
        combo.setTextSilently(QStringLiteral("0"));
        combo.setEditText(QStringLiteral("5"));
        combo.setCurrentText(QStringLiteral("7"));
        QCOMPARE(log.texts, QStringList({QStringLiteral("6")}));
        QCOMPARE(combo.currentListIndex(), 1);
        QCOMPARE(combo.currentText(), QStringLiteral("7"));
    }

    void comboMakingAnEntryCurrentIsChoosingIt()
    {
        ComboBox combo;
        fillLegs(combo);
        ChangeLog log(combo);
        QCOMPARE(combo.currentListIndex(), -1);
        combo.setCurrentIndex(3);
        QCOMPARE(log.texts, QStringList({QStringLiteral("10")}));
        QCOMPARE(log.indexes, QList<int>({3}));
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(log.indexes, QList<int>({3, 4}));
        // Choosing the current entry again in the list is reported once more.
        Q_EMIT combo.activated(4);
        QCOMPARE(log.indexes, QList<int>({3, 4, 4}));
    }

    void comboChoosingInTheDropDownList()
    {
        ComboBox combo;
        fillLegs(combo);
        ChangeLog log(combo);
        combo.show();
        combo.showPopup();
        QAbstractItemView *list = combo.view();
        const QRect entry = list->visualRect(list->model()->index(2, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
        QCOMPARE(log.texts, QStringList({QStringLiteral("8")}));
        QCOMPARE(log.indexes, QList<int>({2}));
    }

    void comboEndingAnEditIsNoChoice_data()
    {
        QTest::addColumn<bool>("byFocus");
        QTest::newRow("Return") << false;
        QTest::newRow("focus moves on") << true;
    }
    void comboEndingAnEditIsNoChoice()
    {
        QFETCH(bool, byFocus);
        QWidget window;
        auto *combo = new ComboBox(&window);
        auto *other = new Edit(&window);
        other->move(0, 40);
        fillLegs(*combo);
        ChangeLog log(*combo);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        combo->setFocus();
        combo->lineEdit()->selectAll();
        // Qt picks the entry matching "12" when the edit ends; the user chose nothing.
        QTest::keyClicks(combo, QStringLiteral("12"));
        if (byFocus)
            other->setFocus();
        else
            QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(log.texts, QStringList({QStringLiteral("10"), QStringLiteral("12")}));
        QCOMPARE(combo->currentListIndex(), -1);
        QCOMPARE(combo->count(), 5);
    }

    void comboKeysSentToItsTextBoxCountAsTyping()
    {
        ComboBox combo;
        fillLegs(combo);
        ChangeLog log(combo);
        combo.lineEdit()->selectAll();
        QTest::keyClicks(combo.lineEdit(), QStringLiteral("9"));
        QCOMPARE(log.texts, QStringList({QStringLiteral("9")}));
        QCOMPARE(log.indexes, QList<int>({-1}));
    }
};

QTEST_MAIN(ControlsTest)
#include "ControlsTest.moc"
