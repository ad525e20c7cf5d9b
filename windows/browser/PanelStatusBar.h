// PanelStatusBar: a status bar divided into panels of fixed widths, the last reaching to the
// right edge, each showing one line of text.
#pragma once

#include <QStatusBar>
#include <QString>
#include <vector>

class QHBoxLayout;
class QLabel;

class PanelStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit PanelStatusBar(QWidget *parent = nullptr);

    // Adds a panel at the right; `width` is its width in pixels while another panel follows it.
    void addPanel(int width, const QString &text = QString());
    int panelCount() const { return int(m_panels.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString &text);
    QLabel *panel(int index) const { return m_panels.at(std::size_t(index)); }

private:
    QHBoxLayout *m_layout;
    std::vector<QLabel *> m_panels;
    std::vector<int> m_widths;
};
