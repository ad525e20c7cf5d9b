// The scheme window: the scheme picture stretched into its box, and "Ok", which hides the window.
#include "Unit2.h"

#include "Colours.h"
#include "DesignedFonts.h"
#include "HandlerGuard.h"
#include "PictureBox.h"
#include "Resources.h"
#include "WindowPlacement.h"

TForm2 *Form2 = nullptr;

TForm2::TForm2(QWidget *parent)
    : QWidget(parent)
{
    setupUi(this);
    placeWindow(this, 7, 37, 267, 314);
    useDesignedPixelFonts(this);
    setColour(this, QPalette::Window, palette().color(QPalette::Button)); // COLOR_BTNFACE

    Image1->setProportional(true);
    Image1->setPictureSource(schemePicture);
    Button1->setFocus(); // the first control of the tab order takes the focus when shown

    connectHandler(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

void TForm2::Button1Click(QObject *)
{
    close();
}
