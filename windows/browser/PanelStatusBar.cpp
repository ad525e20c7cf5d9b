// PanelStatusBar: the panels are sunken labels side by side in one strip of the bar.
#include "PanelStatusBar.h"

#include <QHBoxLayout>
#include <QLabel>

PanelStatusBar::PanelStatusBar(QWidget *parent) : QStatusBar(parent)
{
    auto *strip = new QWidget(this);
    m_layout = new QHBoxLayout(strip);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
    addWidget(strip, 1);
}

void PanelStatusBar::addPanel(int width, const QString &text)
{
    if (!m_panels.empty()) {
        // The panel that was last no longer reaches the edge.
        m_panels.back()->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        m_panels.back()->setFixedWidth(m_widths.back());
        m_layout->setStretch(m_layout->count() - 1, 0);
    }
    auto *label = new QLabel(text);
    label->setObjectName(QStringLiteral("Panel%1").arg(m_panels.size()));
    label->setTextFormat(Qt::PlainText);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // A long text is cut at the panel's edge instead of widening the panel.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMinimumWidth(0);
    m_layout->addWidget(label, 1);
    m_panels.push_back(label);
    m_widths.push_back(width);
}

QString PanelStatusBar::panelText(int index) const
{
    return panel(index)->text();
}

void PanelStatusBar::setPanelText(int index, const QString &text)
{
    panel(index)->setText(text);
}
