// Top alignment through a resize filter on the parent.
#include "Alignment.h"

#include <QEvent>
#include <QWidget>

namespace {

class TopAlignment : public QObject
{
public:
    explicit TopAlignment(QWidget *control)
        : QObject(control)
        , m_control(control)
    {
        control->parentWidget()->installEventFilter(this);
        follow();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            follow();
        return false;
    }

private:
    void follow() { m_control->setGeometry(0, 0, m_control->parentWidget()->width(), m_control->height()); }
    QWidget *m_control;
};

} // namespace

void alignToTop(QWidget *control)
{
    new TopAlignment(control);
}
