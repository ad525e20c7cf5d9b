// Start-up of the program's windows.
#include "Startup.h"

#include "About.h"
#include "Brauzer1.h"
#include "DesignedFonts.h"
#include "MainForm.h"
#include "ProgramIdentity.h"
#include "Resources.h"
#include "Spr_ras4et.h"
#include "Spravka.h"
#include "ToolkitTranslations.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit5.h"

#include <QApplication>
#include <QFont>

void prepareApplication(QApplication &application)
{
    QApplication::setApplicationName(applicationTitle());
    QApplication::setWindowIcon(programIcon()); // every window's and the task bar's
    installToolkitTranslation(QStringLiteral("qtbase"));
    substituteDesignedFonts();
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
    AboutBox = createSecondary(new TAboutBox(MainForm, Form3->Label2, Form3->Label8));
    Form5 = createSecondary(new TForm5);
    Brauzer1 = createSecondary(new TBrauzer1);
}

void destroyWindows()
{
    const auto destroy = [](auto *&window) {
        delete window;
        window = nullptr;
    };
    destroy(Brauzer1);
    destroy(Form5);
    destroy(AboutBox);
    destroy(Form2);
    destroy(Form4);
    destroy(Form1);
    destroy(Form3);
    destroy(MainForm);
}
