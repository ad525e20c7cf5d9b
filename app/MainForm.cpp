// The main window's commands and the forwarding of the calculation frame's events.
#include "MainForm.h"

#include "About.h"
#include "Alignment.h"
#include "Brauzer1.h"
#include "Controls.h"
#include "DesignedFonts.h"
#include "HandlerGuard.h"
#include "Hints.h"
#include "ProgramIdentity.h"
#include "Resources.h"
#include "ShowAndFocus.h"
#include "SpeedButton.h"
#include "Spr_ras4et.h"
#include "Spravka.h"
#include "Unit1.h"
#include "Unit3.h"
#include "Unit5.h"
#include "UserInteraction.h"
#include "WebBrowser.h"
#include "WeldCalcState.h"

#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

TMainForm *MainForm = nullptr;

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent)
    , OpenDialog(FileDialogRequest::Mode::Open,
                 QStringLiteral("Все файлы (*.*)|*.*|Текстовые (*.txt)|*.txt|MWord(.doc)|*.doc|"
                                "rtf-формат (*.rtf)|*.rtf|Расчетные (*.tww)|*.tww"))
    , SaveDialog(FileDialogRequest::Mode::Save,
                 QStringLiteral("Текстовые (*.txt)|*.txt|MWord(.doc)|*.doc|RTF-формат (*.rtf)|*.rtf|"
                                "Таблица Excel (*.xls)|*.xls|Расчетные (*.tww)|*.tww|Все файлы (*.*)|*.*"),
                 QStringLiteral("txt"), initialSaveName())
{
    setupUi(this);
    useDesignedPixelFonts(this);

    // The frame's outer corner is at (193, 5); the client area below the menu is 720 × 488.
    move(193, 5);
    resize(720, 488 + MainMenu->sizeHint().height());
    SpeedButton1->setGlyph(toolbarGlyph(Glyph::OpenFolder));
    SpeedButton2->setGlyph(toolbarGlyph(Glyph::Diskette));
    SpeedButton5->setGlyph(toolbarGlyph(Glyph::QuestionMark));
    SpeedButton3->setGlyph(toolbarGlyph(Glyph::Printer));
    SpeedButton4->setGlyph(toolbarGlyph(Glyph::Exit));
    applyHints(this);
    // A submenu's hint belongs to the item that opens it, not to the popup itself.
    for (QMenu *menu : findChildren<QMenu *>()) {
        menu->menuAction()->setStatusTip(menu->statusTip());
        menu->setStatusTip(QString());
    }
    alignToTop(SpeedBar);

    bindCommands();
    bindFrameEvents();
    runGuarded([this] { FormCreate(this); });
}

void TMainForm::bindCommands()
{
    const auto onTrigger = [this](QAction *item, void (TMainForm::*handler)(QObject *)) {
        connectHandler(item, &QAction::triggered, this, handler);
    };
    const auto onClick = [this](SpeedButton *button, void (TMainForm::*handler)(QObject *)) {
        connectHandler(button, &SpeedButton::clicked, this, handler);
    };
    onTrigger(FileNewItem, &TMainForm::FileNew);
    onTrigger(FileOpenItem, &TMainForm::FileOpen);
    onTrigger(FileSaveAsItem, &TMainForm::FileSaveAs);
    onTrigger(FileExitItem, &TMainForm::FileExit);
    onTrigger(N2, &TMainForm::N2Click);
    onTrigger(N5, &TMainForm::N5Click);
    onTrigger(DesignRequirementsItem, &TMainForm::DesignRequirementsClick);
    onTrigger(HelpSearchItem, &TMainForm::HelpSearch);
    onTrigger(HelpHowToUseItem, &TMainForm::HelpHowToUse);
    onTrigger(HelpAboutItem, &TMainForm::HelpAbout);
    for (QAction *module : {N19, N7, N8, N9, N10, N11, N12, N13, N14, N15, N16, N17, N18})
        onTrigger(module, &TMainForm::N17Click);
    onTrigger(N20, &TMainForm::N20Click);
    onTrigger(N21, &TMainForm::N21Click);
    onTrigger(N22, &TMainForm::N22Click);
    onTrigger(N23, &TMainForm::N23Click);

    onClick(SpeedButton1, &TMainForm::FileOpen);
    onClick(SpeedButton2, &TMainForm::FileSaveAs);
    onClick(SpeedButton8, &TMainForm::SpeedButton8Click);
    onClick(SpeedButton5, &TMainForm::N2Click);
    onClick(SpeedButton6, &TMainForm::HelpAbout);
    onClick(SpeedButton7, &TMainForm::SpeedButton7Click);
    onClick(SpeedButton4, &TMainForm::FileExit);
}

void TMainForm::FormCreate(QObject *)
{
    connect(&ApplicationHint::instance(), &ApplicationHint::hintChanged, this,
            guarded([this] { ShowHint(&ApplicationHint::instance()); }));
    WeldCalcState.beta = 0.7;
}

void TMainForm::ShowHint(QObject *)
{
    StatusLine->showMessage(ApplicationHint::instance().text());
}

void TMainForm::FileNew(QObject *)
{
}

void TMainForm::FileOpen(QObject *)
{
    const std::optional<QString> fileName = OpenDialog.execute(this);
    if (!fileName)
        return;
    // A file that fails to load leaves the viewer as it was, and hidden if it was.
    Form1->loadFromFile(*fileName);
    showAndFocus(Form1);
}

void TMainForm::FileSaveAs(QObject *)
{
    Form1->saveThroughDialog(SaveDialog, this);
}

void TMainForm::FileExit(QObject *)
{
    close();
}

// No help file is configured anywhere in the program, so the two help commands have nothing to
// show; their items are hidden and have no shortcut.
void TMainForm::HelpSearch(QObject *)
{
}

void TMainForm::HelpHowToUse(QObject *)
{
}

void TMainForm::HelpAbout(QObject *)
{
    showAndFocus(AboutBox);
}

void TMainForm::N22Click(QObject *)
{
    showAndFocus(AboutBox);
}

void TMainForm::SpeedButton8Click(QObject *)
{
    showAndFocus(Form1);
}

void TMainForm::N20Click(QObject *)
{
    showAndFocus(Form1);
}

void TMainForm::N2Click(QObject *)
{
    showAndFocus(Form3);
}

void TMainForm::N21Click(QObject *)
{
    showAndFocus(Form3);
}

void TMainForm::N5Click(QObject *)
{
    showAndFocus(Form4);
}

void TMainForm::DesignRequirementsClick(QObject *)
{
    showAndFocus(Form5);
}

void TMainForm::N23Click(QObject *)
{
    showAndFocus(Brauzer1);
}

void TMainForm::N17Click(QObject *)
{
    showMessage(QStringLiteral("Выбранный модуль не подключен. О последних версиях программ Вы можете "
                               "узнать на сайте разработчика"));
}

void TMainForm::SpeedButton7Click(QObject *)
{
    showMessage(QStringLiteral("Это вы можете скачать с сайта разработчика"));
    Brauzer1->WebBrowser1->Navigate(siteAddress(QStringLiteral("/")));
    showAndFocus(Brauzer1);
}

void TMainForm::Frame31Button2Click(QObject *)
{
    showMessage(QStringLiteral("Подборка литературы на сайте разработчика"));
    Brauzer1->WebBrowser1->Navigate(siteAddress(QStringLiteral("/index/0-4")));
    showAndFocus(Brauzer1);
}

void TMainForm::bindFrameEvents()
{
    TFrame3 *frame = Frame31;
    frame->releaseEvents();
    const auto forward = [this](auto *control, auto signal, void (TMainForm::*handler)(QObject *)) {
        connectHandler(control, signal, this, handler);
    };
    forward(frame->Button1, &QPushButton::clicked, &TMainForm::Frame31Button1Click);
    forward(frame->Button2, &QPushButton::clicked, &TMainForm::Frame31Button2Click);
    forward(frame->Button4, &QPushButton::clicked, &TMainForm::Frame31Button4Click);
    forward(frame->Button9, &QPushButton::clicked, &TMainForm::Frame31Button9Click);
    forward(frame->Button10, &QPushButton::clicked, &TMainForm::Frame31Button10Click);
    forward(frame->Button13, &QPushButton::clicked, &TMainForm::Frame31Button13Click);
    forward(frame->Edit1, &Edit::changed, &TMainForm::Frame31Edit1Change);
    forward(frame->Edit3, &Edit::changed, &TMainForm::Frame31Edit3Change);
    forward(frame->Edit4, &Edit::changed, &TMainForm::Frame31Edit4Change);
    forward(frame->Edit6, &Edit::changed, &TMainForm::Frame31Edit6Change);
    forward(frame->ComboBox3, &ComboBox::changed, &TMainForm::Frame31ComboBox3Change);
    forward(frame->Label34, &Label::clicked, &TMainForm::Frame31Label34Click);
    forward(frame->Edit13, &Edit::clicked, &TMainForm::Frame31Label34Click);
    forward(frame->Label34, &Label::mouseLeft, &TMainForm::Frame31Label34MouseLeave);
    forward(frame->Timer1, &QTimer::timeout, &TMainForm::Frame31Timer1Timer);
    forward(frame->Timer2, &QTimer::timeout, &TMainForm::Frame31Timer2Timer);
    Label *label34 = frame->Label34;
    connect(label34, &Label::mouseMoved, this,
            guarded([this, label34](Qt::KeyboardModifiers shift, int x, int y) {
                Frame31Label34MouseMove(label34, shift, x, y);
            }));

    // The caption and the proposal box stay out of the tab order; the key reaches the length
    // selection from anywhere in the window, as a click on the caption does.
    const QKeySequence selectionKey(Qt::CTRL | Qt::Key_L);
    auto *lengthSelection = new QShortcut(selectionKey, this);
    lengthSelection->setObjectName(QStringLiteral("LengthSelectionKey"));
    connect(lengthSelection, &QShortcut::activated, this,
            guarded([this, label34] { Frame31Label34Click(label34); }));
    const QString described = shortHint(hintOf(label34)) + QStringLiteral(": ")
                              + selectionKey.toString(QKeySequence::PortableText);
    label34->setAccessibleDescription(described);
    frame->Edit13->setAccessibleDescription(described);
}

void TMainForm::Frame31Button1Click(QObject *Sender)
{
    Frame31->Button1Click(Sender);
}

void TMainForm::Frame31Button4Click(QObject *Sender)
{
    Frame31->Button4Click(Sender);
}

void TMainForm::Frame31Button9Click(QObject *Sender)
{
    Frame31->Button9Click(Sender);
}

void TMainForm::Frame31Button10Click(QObject *Sender)
{
    Frame31->Button10Click(Sender);
}

void TMainForm::Frame31Button13Click(QObject *Sender)
{
    Frame31->Button13Click(Sender);
}

void TMainForm::Frame31Edit1Change(QObject *)
{
}

void TMainForm::Frame31Edit3Change(QObject *Sender)
{
    Frame31->Edit3Change(Sender);
}

void TMainForm::Frame31Edit4Change(QObject *Sender)
{
    Frame31->Edit4Change(Sender);
}

void TMainForm::Frame31Edit6Change(QObject *Sender)
{
    Frame31->Edit6Change(Sender);
}

void TMainForm::Frame31ComboBox3Change(QObject *Sender)
{
    Frame31->ComboBox3Change(Sender);
}

void TMainForm::Frame31Label34Click(QObject *Sender)
{
    Frame31->Label34Click(Sender);
}

void TMainForm::Frame31Label34MouseMove(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y)
{
    Frame31->Label34MouseMove(Sender, Shift, X, Y);
}

void TMainForm::Frame31Label34MouseLeave(QObject *Sender)
{
    Frame31->Label34MouseLeave(Sender);
}

void TMainForm::Frame31Timer1Timer(QObject *Sender)
{
    Frame31->Timer1Timer(Sender);
}

void TMainForm::Frame31Timer2Timer(QObject *Sender)
{
    Frame31->Timer2Timer(Sender);
}
