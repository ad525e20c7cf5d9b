// The method window: its fixed text and two closing lines.
#include "Spr_ras4et.h"

#include "Colours.h"
#include "DesignedFonts.h"
#include "Resources.h"
#include "WindowPlacement.h"

TForm4 *Form4 = nullptr;

TForm4::TForm4(QWidget *parent)
    : QWidget(parent)
{
    setupUi(this);
    placeWindow(this, 240, 16, 470, 589);
    useDesignedPixelFonts(this);

    setColour(this, QPalette::Window, colours::cream);
    setColour(Memo1, QPalette::Base, colours::cream);
    setColour(Memo1, QPalette::Text, colours::navy);
    for (QWidget *label : {static_cast<QWidget *>(Label2), static_cast<QWidget *>(Label15)})
        setColour(label, QPalette::WindowText, colours::navy);

    Memo1->setPlainText(fixedTextLines(FixedText::Method).join(QLatin1Char('\n')));
    Memo1->setFocus();
}
