// Hints: a control's hint is "short|long" (a hint without "|" is both). The short form is the
// control's tool tip; the long form of the control under the pointer, or of the highlighted menu
// item, is the application's current hint, which the main window shows in its status line.
#pragma once

#include <QObject>
#include <QString>

class QAction;
class QWidget;

void setHint(QWidget *control, const QString &hint);
void setHint(QAction *menuItem, const QString &hint);
QString hintOf(const QWidget *control);
// For layouts that set the hint as the dynamic property "weldHint" (Designer forms): gives every
// control of `window` that has one its tool tip.
void applyHints(QWidget *window);
QString shortHint(const QString &hint);
QString longHint(const QString &hint);

// The application's current hint text. It follows the pointer over every window of the program
// and the highlighted menu item; hintChanged is raised only when the text changes.
class ApplicationHint : public QObject
{
    Q_OBJECT
public:
    static ApplicationHint &instance();
    QString text() const { return m_text; }
    void setText(const QString &text);

Q_SIGNALS:
    void hintChanged(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ApplicationHint();
    void followPointer();
    QString m_text;
    bool m_menuOpen = false;
};
