// What the frame tests share: a fresh frame per test, typing and choosing as a user does, the
// decimal separator of each run and the boxes the frame showed.
#pragma once

#include "Controls.h"
#include "DesignedFonts.h"
#include "Numbers.h"
#include "RecordingInteraction.h"
#include "Unit3.h"
#include "WeldCalcState.h"

#include <QAbstractItemView>
#include <QTest>
#include <memory>

namespace frametest {

// A number written with a comma, in the separator of the current run.
inline QString local(QString text)
{
    text.replace(QLatin1Char(','), decimalSeparator());
    return text;
}

inline void retype(Edit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

inline void retype(ComboBox *combo, const QString &text)
{
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, text);
}

// Chooses an entry in the drop-down list with the mouse, as a user does.
inline void choose(ComboBox *combo, int index)
{
    combo->showPopup();
    QAbstractItemView *list = combo->view();
    const QRect entry = list->visualRect(list->model()->index(index, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
}

// Shows the frame as an active window and puts the focus into the control, so that Tab and
// leaving the control work as for a user.
inline bool focusInShownFrame(QWidget &frame, QWidget *control)
{
    frame.show();
    QApplication::setActiveWindow(&frame);
    if (!QTest::qWaitForWindowActive(&frame))
        return false;
    control->setFocus();
    return control->hasFocus();
}

inline QColor fontColour(const QWidget *control)
{
    return control->palette().color(QPalette::WindowText);
}

const QColor green(0, 128, 0);
const QColor red(255, 0, 0);
const QColor teal(0, 128, 128);
const QColor maroon(128, 0, 0);
const QColor navy(0, 0, 128);

// The record as the main window leaves it, a new frame and a recorder of its boxes.
struct Session
{
    explicit Session(QChar separator = QLatin1Char(','))
    {
        resetWeldCalcState();
        WeldCalcState.beta = 0.7;
        setDecimalSeparator(separator);
        frame = std::make_unique<TFrame3>();
    }
    ~Session() { setDecimalSeparator(QLatin1Char(',')); }

    RecordingInteraction boxes;
    std::unique_ptr<TFrame3> frame;
};

} // namespace frametest
