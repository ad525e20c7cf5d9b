// Edits, combo boxes and labels with the change, click and key events the handlers expect.
#include "Controls.h"

#include <QKeyEvent>
#include <QMouseEvent>

Edit::Edit(QWidget *parent)
    : QLineEdit(parent)
{
    // QLineEdit reports every change of its text, typed or set, and none for the same text.
    connect(this, &QLineEdit::textChanged, this, [this] { Q_EMIT changed(); });
}

void Edit::keyPressEvent(QKeyEvent *event)
{
    if (m_keyFilter && event->text().size() == 1) {
        QChar typed = event->text().front();
        m_keyFilter(typed);
        if (typed != event->text().front()) {
            QKeyEvent replaced(event->type(), event->key(), event->modifiers(), QString(typed),
                               event->isAutoRepeat(), ushort(event->count()));
            QLineEdit::keyPressEvent(&replaced);
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void Edit::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

ComboBox::ComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, [this](int index) {
        m_listIndex = index;
        Q_EMIT changed();
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        m_listIndex = -1;
        Q_EMIT changed();
    });
}

void ComboBox::setTextSilently(const QString &text)
{
    // textEdited is raised only by the user, so setting the text here raises no change.
    lineEdit()->setText(text);
}

Label::Label(QWidget *parent)
    : QLabel(parent)
{
    setMouseTracking(true);
}

void Label::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    m_pressed = event->button() == Qt::LeftButton;
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT clicked();
}

void Label::mouseMoveEvent(QMouseEvent *event)
{
    QLabel::mouseMoveEvent(event);
    const QPoint at = event->position().toPoint();
    Q_EMIT mouseMoved(event->modifiers(), at.x(), at.y());
}

void Label::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    Q_EMIT mouseLeft();
}
