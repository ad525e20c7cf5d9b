// The application-wide hint: follows the pointer over every window and the highlighted menu item.
#include "Hints.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusTipEvent>
#include <QWidget>

namespace {
const char *const hintProperty = "weldHint";
QPointer<QWidget> widgetUnderPointer;
} // namespace

void setHint(QWidget *control, const QString &hint)
{
    control->setProperty(hintProperty, hint);
    control->setToolTip(shortHint(hint));
}

void setHint(QAction *menuItem, const QString &hint)
{
    // Qt reports a highlighted item's status tip to the menu; the hint mechanism takes it there.
    menuItem->setStatusTip(longHint(hint));
    menuItem->setToolTip(shortHint(hint));
}

void applyHints(QWidget *window)
{
    for (QWidget *control : window->findChildren<QWidget *>()) {
        const QString hint = hintOf(control);
        if (!hint.isEmpty())
            control->setToolTip(shortHint(hint));
    }
}

QString hintOf(const QWidget *control)
{
    return control->property(hintProperty).toString();
}

QString shortHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString longHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

ApplicationHint &ApplicationHint::instance()
{
    static ApplicationHint *hint = new ApplicationHint; // lives as long as the application
    return *hint;
}

ApplicationHint::ApplicationHint()
{
    qApp->installEventFilter(this);
}

void ApplicationHint::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    Q_EMIT hintChanged(m_text);
}

void ApplicationHint::followPointer()
{
    if (m_menuOpen)
        return;
    // The long hint of the control under the pointer or of its nearest enclosing control with one.
    for (const QWidget *control = widgetUnderPointer; control; control = control->parentWidget()) {
        const QString hint = hintOf(control);
        if (!hint.isEmpty()) {
            setText(longHint(hint));
            return;
        }
        if (control->isWindow())
            break;
    }
    setText(QString());
}

bool ApplicationHint::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
        if (auto *control = qobject_cast<QWidget *>(watched)) {
            widgetUnderPointer = control;
            followPointer();
        }
        break;
    case QEvent::Leave:
        // Leaving a control puts the pointer over its parent, unless another control's Enter follows.
        if (watched == widgetUnderPointer) {
            QWidget *control = widgetUnderPointer;
            widgetUnderPointer = control->isWindow() ? nullptr : control->parentWidget();
            followPointer();
        }
        break;
    case QEvent::StatusTip:
        // Raised by Qt for the highlighted menu item; no control of the program has a status tip.
        if (qobject_cast<QMenu *>(watched) || qobject_cast<QMenuBar *>(watched)) {
            setText(static_cast<QStatusTipEvent *>(event)->tip());
            return true;
        }
        break;
    case QEvent::Show:
        if (qobject_cast<QMenu *>(watched))
            m_menuOpen = true;
        break;
    case QEvent::Hide:
        if (qobject_cast<QMenu *>(watched) && !QApplication::activePopupWidget()) {
            m_menuOpen = false;
            setText(QString());
        }
        break;
    default:
        break;
    }
    return false;
}
