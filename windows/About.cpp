// The About window: labels copied at creation, the payment details saved to a text file, the
// highlight of the save button that the next timer tick undoes, and the web site.
#include "About.h"

#include "Colours.h"
#include "DesignedFonts.h"
#include "HandlerGuard.h"
#include "Hints.h"
#include "PictureBox.h"
#include "ProgramIdentity.h"
#include "Resources.h"
#include "SpeedButton.h"
#include "TextFile.h"
#include "Timers.h"
#include "UserInteraction.h"
#include "WindowPlacement.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTimer>

TAboutBox *AboutBox = nullptr;

namespace {

const QColor paymentBackground(196, 255, 255);
const QColor highlightBackground(213, 255, 255);

// The name chosen in the dialog, with ".txt" when it has no extension of its own. The dialog adds
// it itself; this keeps the rule where a name reaches us without it.
QString withTextExtension(const QString &path)
{
    const QFileInfo file(path);
    if (file.fileName().contains(QLatin1Char('.')))
        return path;
    return path + QStringLiteral(".txt");
}

} // namespace

TAboutBox::TAboutBox(const QWidget *mainForm, const QLabel *usageVersion, const QLabel *usageDate,
                     QWidget *parent)
    : QWidget(parent)
    , SaveDialog(FileDialogRequest::Mode::Save, QStringLiteral("Текстовые (*.txt)|*.txt|Все файлы (*.*)|*.*"),
                 QStringLiteral("txt"), QStringLiteral("-Tarvelin-"))
    , m_mainForm(mainForm)
    , m_usageVersion(usageVersion)
    , m_usageDate(usageDate)
{
    setupUi(this);
    placeWindow(this, 253, 57, 602, 459);
    useDesignedPixelFonts(this);

    setColour(this, QPalette::Window, colours::cream);
    setColour(this, QPalette::WindowText, colours::black);
    setColour(Panel1, QPalette::Window, colours::cream);
    for (Edit *edit : {Edit1, Edit2})
        setColour(edit, QPalette::Base, colours::cream);
    for (QLabel *label : {Label17, Label4, Label10, Label3, Label11, Label9})
        setColour(label, QPalette::WindowText, colours::navy);
    setColour(Memo1, QPalette::Base, paymentBackground);
    setColour(Memo1, QPalette::Text, colours::navy);
    Edit1->setText(siteAddress());
    Label17->setText(QStringLiteral("   ")); // Designer forms drop a caption made only of blanks
    for (Edit *edit : {Edit1, Edit2})
        edit->setCursorPosition(0); // show the beginning of an address longer than the box

    ProgramIcon->setPicture(programIconImage());
    setWindowIcon(programIcon());
    setHint(SpeedButton1, QStringLiteral("Сохранить реквизиты в текстовом файле"));
    setHint(OKButton, QStringLiteral("Закрыть окно"));
    // The normal look, which Timer1Timer restores after every highlight.
    setTextColour(SpeedButton1, colours::teal);
    SpeedButton1->setTransparent(true);
    setColour(Label13, QPalette::Window, colours::cream);
    setColour(Label13, QPalette::WindowText, colours::teal);

    Timer1 = new QTimer(this);
    Timer1->setInterval(4000);

    connectHandler(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
    connectHandler(SpeedButton1, &SpeedButton::clicked, this, &TAboutBox::SpeedButton1Click);
    connect(SpeedButton1, &SpeedButton::mouseMoved, this,
            guarded([this](Qt::KeyboardModifiers shift, int x, int y) {
                SpeedButton1MouseMove(SpeedButton1, shift, x, y);
            }));
    connectHandler(Timer1, &QTimer::timeout, this, &TAboutBox::Timer1Timer);
    connectHandler(Edit1, &Edit::clicked, this, &TAboutBox::Edit1Click);

    OKButton->setFocus();
    runGuarded([this] { FormCreate(this); });
}

void TAboutBox::FormCreate(QObject *)
{
    if (m_mainForm)
        Label34->setText(m_mainForm->windowTitle());
    if (m_usageVersion)
        Label2->setText(m_usageVersion->text());
    if (m_usageDate)
        Label8->setText(m_usageDate->text());
    // The plain labels size themselves to their captions; Label1 keeps its width and grows down.
    for (QLabel *label : {Comments, Label19, Label6, Label12, Version, Label2, Label16, Label10, Label3, Label11})
        label->adjustSize();
    Label1->resize(Label1->width(), Label1->heightForWidth(Label1->width()));
}

void TAboutBox::OKButtonClick(QObject *)
{
    close();
}

void TAboutBox::SpeedButton1Click(QObject *)
{
    const std::optional<QString> chosen = SaveDialog.execute(this);
    if (!chosen)
        return;
    const QString fullName = QDir::toNativeSeparators(QFileInfo(withTextExtension(*chosen)).absoluteFilePath());
    TextFileWriter file(fullName);
    // Each line of the memo with its CR LF, the last one too.
    for (const QString &line : Memo1->toPlainText().split(QLatin1Char('\n')))
        file.writeLine(line);
    file.commit();
    showMessage(QStringLiteral("Записано в файл  ") + fullName);
}

void TAboutBox::SpeedButton1MouseMove(QObject *, Qt::KeyboardModifiers, int, int)
{
    setTextColour(SpeedButton1, colours::black);
    SpeedButton1->setTransparent(false);
    setColour(Label13, QPalette::Window, highlightBackground);
    setColour(Label13, QPalette::WindowText, colours::black);
    enableTimer(Timer1);
}

void TAboutBox::Timer1Timer(QObject *)
{
    setTextColour(SpeedButton1, colours::teal);
    SpeedButton1->setTransparent(true);
    setColour(Label13, QPalette::Window, colours::cream);
    setColour(Label13, QPalette::WindowText, colours::teal);
}

void TAboutBox::Edit1Click(QObject *)
{
    // The fixed address, never the edit's text, which the user may have changed.
    userInteraction().openUrl(QUrl(siteAddress()));
}

void TAboutBox::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !Memo1->hasFocus() && event->modifiers() == Qt::NoModifier) {
        OKButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
