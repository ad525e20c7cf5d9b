// Edits, combo boxes and labels with the change, click and key events the handlers expect.
#include "Controls.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// The text box of a combo. A keystroke may change the text twice (the typed character, then the
// list's inline completion of the entry); the combo reports it once, with the final text.
class ComboBoxText final : public QLineEdit
{
public:
    ComboBoxText(QWidget *parent, std::function<void()> typed)
        : QLineEdit(parent)
        , m_typed(std::move(typed))
    {
    }

    bool isTyping() const { return m_typing; }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const QString before = text();
        m_typing = true;
        QLineEdit::keyPressEvent(event);
        m_typing = false;
        if (text() != before)
            m_typed();
    }

private:
    std::function<void()> m_typed;
    bool m_typing = false;
};

// Qt's combo on Linux gives its text as its accessible name, so a screen reader would announce
// "4" instead of what the box is for. This one announces the name given to it (else the text)
// and offers the same children and action as Qt's.
class AccessibleComboBox final : public QAccessibleWidget
{
public:
    explicit AccessibleComboBox(QComboBox *combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Value)
            return comboBox()->currentText();
        const QString text = QAccessibleWidget::text(type);
        if (type == QAccessible::Name && text.isEmpty())
            return comboBox()->currentText();
        return text;
    }

    int childCount() const override { return comboBox()->lineEdit() ? 2 : 1; }
    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(comboBox()->view());
        if (index == 1)
            return QAccessible::queryAccessibleInterface(comboBox()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child->object() == comboBox()->view())
            return 0;
        if (comboBox()->lineEdit() && child->object() == comboBox()->lineEdit())
            return 1;
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        QLineEdit *text = comboBox()->lineEdit();
        if (text && QRect(text->mapToGlobal(QPoint(0, 0)), text->size()).contains(x, y))
            return child(1);
        return nullptr;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (comboBox()->view()->isVisible())
            comboBox()->hidePopup();
        else
            comboBox()->showPopup();
    }

private:
    QComboBox *comboBox() const { return static_cast<QComboBox *>(object()); }
};

QAccessibleInterface *comboBoxAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("ComboBox") && object && object->isWidgetType())
        return new AccessibleComboBox(static_cast<ComboBox *>(object));
    return nullptr;
}

} // namespace

Edit::Edit(QWidget *parent)
    : QLineEdit(parent)
{
    // QLineEdit reports every change of its text, typed or set, and none for the same text.
    connect(this, &QLineEdit::textChanged, this, [this] { Q_EMIT changed(); });
}

void Edit::keyPressEvent(QKeyEvent *event)
{
    if (m_keyFilter && event->text().size() == 1) {
        const QChar original = event->text().front();
        QChar typed = original;
        m_keyFilter(typed);
        if (typed.isNull()) {
            event->accept();
            return;
        }
        if (typed != original) {
            int key = event->key();
            if (typed == QLatin1Char('.'))
                key = Qt::Key_Period;
            else if (typed == QLatin1Char(','))
                key = Qt::Key_Comma;
            QKeyEvent replaced(event->type(), key, event->modifiers(), QString(typed),
                               event->isAutoRepeat(), ushort(event->count()));
            QLineEdit::keyPressEvent(&replaced);
            event->setAccepted(replaced.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void Edit::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    m_pressed = event->button() == Qt::LeftButton;
}

void Edit::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT clicked();
}

ComboBox::ComboBox(QWidget *parent)
    : QComboBox(parent)
{
    static const bool accessibleInstalled = (QAccessible::installFactory(comboBoxAccessible), true);
    Q_UNUSED(accessibleInstalled);
    auto *text = new ComboBoxText(this, [this] { userTyped(); });
    // Connected before and after QComboBox's own handler, which setLineEdit connects.
    connect(text, &QLineEdit::editingFinished, this, [this] { m_editingFinishing = true; });
    setLineEdit(text);
    connect(text, &QLineEdit::editingFinished, this, [this] {
        m_editingFinishing = false;
        Q_EMIT editingEnded();
    });
    setInsertPolicy(QComboBox::NoInsert);

    // The first entry added becomes current by itself; that is no choice either.
    connect(model(), &QAbstractItemModel::rowsAboutToBeInserted, this, [this] { m_filling = true; });
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { m_filling = false; });

    // A choice makes another entry current (the list, the arrow keys, the wheel, or a caller of
    // setCurrentIndex) and is then reported by activated, which alone reports choosing the
    // current entry again.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0 || m_filling || m_editingFinishing)
            return;
        userChose(index);
        m_activationPending = true;
    });
    connect(this, &QComboBox::activated, this, [this](int index) {
        const bool reported = m_activationPending && index == m_listIndex;
        m_activationPending = false;
        if (!reported && !m_editingFinishing)
            userChose(index);
    });
    // Typing is reported by the text box itself; this catches pasting with the mouse.
    connect(text, &QLineEdit::textEdited, this, [this, text] {
        if (!text->isTyping())
            userTyped();
    });
}

void ComboBox::setTextSilently(const QString &text)
{
    // Neither the text box's typing nor textEdited sees a text set by the program.
    lineEdit()->setText(text);
}

void ComboBox::userTyped()
{
    m_listIndex = -1;
    m_activationPending = false;
    Q_EMIT changed();
}

void ComboBox::userChose(int index)
{
    m_listIndex = index;
    Q_EMIT changed();
}

Label::Label(QWidget *parent)
    : QLabel(parent)
{
    setMouseTracking(true);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    fitText();
}

void Label::setText(const QString &text)
{
    QLabel::setText(text);
    fitText();
    nameFromText();
}

void Label::setAccessibleNameFromText(const QString &nameTemplate)
{
    m_accessibleNameTemplate = nameTemplate;
    nameFromText();
}

void Label::nameFromText()
{
    if (!m_accessibleNameTemplate.isEmpty())
        setAccessibleName(m_accessibleNameTemplate.arg(text().trimmed()));
}

void Label::fitText()
{
    // Until the caption is polished its window may still change its font; the Polish event fits
    // it once then, which keeps building a window with many captions cheap.
    if (!m_autoSize || !testAttribute(Qt::WA_WState_Polished))
        return;
    if (wordWrap())
        resize(width(), heightForWidth(width()));
    else
        resize(sizeHint());
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

void Label::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    // A new font changes the size of the text.
    if (event->type() == QEvent::FontChange)
        fitText();
}

bool Label::event(QEvent *event)
{
    const bool handled = QLabel::event(event);
    if (event->type() == QEvent::Polish)
        fitText();
    return handled;
}
