// The viewer/editor window TForm1 and its three handlers.
#include "Unit1.h"

#include "Cp1251.h"
#include "DesignedFonts.h"
#include "HandlerGuard.h"
#include "Hints.h"
#include "Resources.h"
#include "SpeedButton.h"
#include "TextFile.h"
#include "UserInteraction.h"
#include "ViewerText.h"
#include "WindowPlacement.h"

#include <QDir>
#include <QFont>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>

TForm1 *Form1 = nullptr;

QString initialSaveName()
{
    return QStringLiteral("Св.шов№__");
}

TForm1::TForm1(QWidget *parent)
    : QWidget(parent)
    , SaveDialog(FileDialogRequest::Mode::Save,
                 QStringLiteral("Текстовые (*.txt)|*.txt|MWord(.doc)|*.doc|RTF-формат (*.rtf)|*.rtf|"
                                "Таблица Excel|*.xls|Расчетные (*.tww)|*.tww|Все файлы (*.*)|*.*"),
                 QStringLiteral("txt"), initialSaveName())
{
    setupUi(this);

    placeWindow(this, 201, 9, 649, 643);
    useDesignedPixelFonts(this);
    // Latin and Cyrillic text needs no shaping; skipping it makes laying out a long text
    // several times faster.
    QFont textFont = RichEdit1->font();
    textFont.setStyleStrategy(QFont::PreferNoShaping);
    RichEdit1->setFont(textFont);
    applyHints(this);
    SpeedButton2->setGlyph(toolbarGlyph(Glyph::Diskette));
    SpeedButton2->hide();

    connectHandler(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connectHandler(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connectHandler(RichEdit1, &QTextEdit::textChanged, this, &TForm1::RichEdit1Change);
}

void TForm1::loadFromFile(const QString &fullPath)
{
    std::unique_ptr<QTextDocument> document = readViewerDocument(fullPath, RichEdit1->font());
    // The new document replaces the old one whole and is laid out once. The box deletes only
    // the document it made itself, so one loaded before is deleted here.
    QTextDocument *previous = RichEdit1->document();
    const bool previousLoaded = previous->parent() == RichEdit1;
    document->setParent(RichEdit1);
    RichEdit1->setDocument(document.release());
    if (previousLoaded)
        delete previous;
    // Loading is a change of the text.
    RichEdit1Change(RichEdit1);
}

void TForm1::saveToFile(const QString &fullPath) const
{
    const QString text = viewerPlainText(*RichEdit1->document());
    // A character the file cannot hold stops the save before the file is touched.
    if (firstUnencodableCp1251(text) >= 0)
        encodeCp1251(text); // throws, naming the character, its line and its column
    TextFileWriter file(fullPath);
    file.write(text);
    file.commit();
}

void TForm1::saveThroughDialog(FileDialog &dialog, QWidget *dialogParent) const
{
    const std::optional<QString> fileName = dialog.execute(dialogParent);
    if (!fileName)
        return;
    saveToFile(*fileName);
    showMessage(QStringLiteral("Записано в файл  ") + QDir::toNativeSeparators(*fileName));
}

void TForm1::Button1Click(QObject *)
{
    close();
}

void TForm1::SpeedButton2Click(QObject *)
{
    saveThroughDialog(SaveDialog, this);
}

void TForm1::RichEdit1Change(QObject *)
{
    SpeedButton2->setVisible(true);
}
