// The usage window: its fixed text, and the buttons that open the method and About windows.
#include "Spravka.h"

#include "About.h"
#include "Colours.h"
#include "DesignedFonts.h"
#include "HandlerGuard.h"
#include "Resources.h"
#include "ShowAndFocus.h"
#include "SpeedButton.h"
#include "Spr_ras4et.h"
#include "WindowPlacement.h"

TForm3 *Form3 = nullptr;

TForm3::TForm3(QWidget *parent)
    : QWidget(parent)
{
    setupUi(this);
    placeWindow(this, 244, 17, 571, 396);
    useDesignedPixelFonts(this);

    setColour(this, QPalette::Window, colours::cream);
    setColour(this, QPalette::WindowText, colours::black);
    setColour(Memo1, QPalette::Base, colours::cream);
    setColour(Memo1, QPalette::Text, colours::navy);
    setColour(Label3, QPalette::WindowText, colours::navy);
    for (SpeedButton *button : {SpeedButton1, SpeedButton2})
        setTextColour(button, colours::teal);

    Memo1->setPlainText(fixedTextLines(FixedText::Usage).join(QLatin1Char('\n')));
    Memo1->setFocus();

    connectHandler(SpeedButton1, &SpeedButton::clicked, this, &TForm3::SpeedButton1Click);
    connectHandler(SpeedButton2, &SpeedButton::clicked, this, &TForm3::SpeedButton2Click);
}

void TForm3::SpeedButton1Click(QObject *)
{
    showAndFocus(Form4);
}

void TForm3::SpeedButton2Click(QObject *)
{
    showAndFocus(AboutBox);
}
