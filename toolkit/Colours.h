// The program's named colours and how a control takes one.
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace colours {
inline const QColor green(0, 128, 0);
inline const QColor red(255, 0, 0);
inline const QColor teal(0, 128, 128);
inline const QColor maroon(128, 0, 0);
inline const QColor navy(0, 0, 128);
inline const QColor cream(255, 251, 240);
inline const QColor black(0, 0, 0);
inline const QColor captionText(255, 255, 255); // COLOR_CAPTIONTEXT of the classic Windows scheme
} // namespace colours

// Sets one colour role of a control in every state (active, inactive, disabled).
void setColour(QWidget *control, QPalette::ColorRole role, const QColor &colour);
// The caption colour of a control, whether it draws its caption as a button or as a label.
void setTextColour(QWidget *control, const QColor &colour);
