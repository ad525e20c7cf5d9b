// Start-up of the program's windows.
#include "Startup.h"

#include "About.h"
#include "Brauzer1.h"
#include "MainForm.h"
#include "Resources.h"
#include "Spr_ras4et.h"
#include "Spravka.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit5.h"

#include <QApplication>
#include <QFont>

void prepareApplication(QApplication &application)
{
    QApplication::setApplicationName(QStringLiteral("Сварной шов"));
    QApplication::setWindowIcon(programIcon()); // every window's and the task bar's
    // The windows are laid out for the Windows fonts; Liberation Sans has the metrics of the
    // closest of them and Cyrillic letters.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    application.setFont(font);
}

namespace {

// Every window but the main one only hides when closed, and never keeps the program running.
template <typename Window>
Window *createSecondary(Window *window)
{
    window->setAttribute(Qt::WA_QuitOnClose, false);
    return window;
}

} // namespace

void createWindows()
{
    MainForm = new TMainForm;
    MainForm->show();
    Form3 = createSecondary(new TForm3);
    Form1 = createSecondary(new TForm1);
    Form4 = createSecondary(new TForm4);
    Form2 = createSecondary(new TForm2);
    AboutBox = createSecondary(new TAboutBox(MainForm, Form3));
    Form5 = createSecondary(new TForm5);
    Brauzer1 = createSecondary(new TBrauzer1);
}

void destroyWindows()
{
    delete Brauzer1;
    Brauzer1 = nullptr;
    delete Form5;
    Form5 = nullptr;
    delete AboutBox;
    AboutBox = nullptr;
    delete Form2;
    Form2 = nullptr;
    delete Form4;
    Form4 = nullptr;
    delete Form1;
    Form1 = nullptr;
    delete Form3;
    Form3 = nullptr;
    delete MainForm;
    MainForm = nullptr;
}
