// The edits, combo boxes and labels of the windows, with the events the handlers expect:
// an edit raises `changed` on every change of its text, typed or set by the program (not when
// the same text is set again); a combo raises it only when the user types or chooses; labels
// and edits report clicks; typed characters can be filtered before the control receives them.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <functional>

// Replaces (or keeps) a typed character before the control receives it.
using KeyFilter = std::function<void(QChar &typed)>;

class Edit : public QLineEdit
{
    Q_OBJECT
public:
    explicit Edit(QWidget *parent = nullptr);
    void setKeyFilter(KeyFilter filter) { m_keyFilter = std::move(filter); }

Q_SIGNALS:
    void changed();
    void clicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    KeyFilter m_keyFilter;
    bool m_pressed = false;
};

// An editable combo (typed text never becomes an entry).
class ComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit ComboBox(QWidget *parent = nullptr);
    // The entry the user last chose, or -1 once the user has typed into the text. Making an entry
    // current with setCurrentIndex counts as choosing it (the windows never do; tests may).
    int currentListIndex() const { return m_listIndex; }
    // The program's own rewrite of the text: raises no change.
    void setTextSilently(const QString &text);

Q_SIGNALS:
    // After the user typed (once per keystroke, with the text the list's completion left) or
    // chose an entry.
    void changed();
    // After the text box's editing ended (focus left it, or Enter), once the combo has settled
    // its current entry.
    void editingEnded();

private:
    void userTyped();
    void userChose(int index);

    int m_listIndex = -1;
    // Qt picks the entry matching the typed text when editing ends; that is no choice of the user.
    bool m_editingFinishing = false;
    bool m_filling = false;
    bool m_activationPending = false;
};

class Label : public QLabel
{
    Q_OBJECT
    // Like a caption that sizes itself to its text: the width follows the text (the height too,
    // unless the caption wraps words within its width).
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)
public:
    explicit Label(QWidget *parent = nullptr);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    // Hides QLabel::setText so that an auto-sized caption keeps fitting its text; call it
    // through a Label pointer.
    void setText(const QString &text);
    // For a caption that shows a value: screen readers get `nameTemplate` with %1 replaced by
    // the shown text (trimmed), kept in step with every new text.
    void setAccessibleNameFromText(const QString &nameTemplate);

Q_SIGNALS:
    void clicked();
    void mouseMoved(Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseLeft();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void fitText();
    // The accessible name from its template and the shown text, when the label has a template.
    void nameFromText();

    bool m_pressed = false;
    bool m_autoSize = false;
    QString m_accessibleNameTemplate;
};
