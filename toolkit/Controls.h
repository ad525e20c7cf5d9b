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
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    KeyFilter m_keyFilter;
};

class ComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit ComboBox(QWidget *parent = nullptr);
    // The entry the user last chose, or -1 once the user has typed into the text.
    int currentListIndex() const { return m_listIndex; }
    // The program's own rewrite of the text: raises no change.
    void setTextSilently(const QString &text);

Q_SIGNALS:
    void changed();

private:
    int m_listIndex = -1;
};

class Label : public QLabel
{
    Q_OBJECT
public:
    explicit Label(QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();
    void mouseMoved(Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseLeft();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool m_pressed = false;
};
