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

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFont>
#include <QMouseEvent>
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

    PieceTimer.setSingleShot(true);
    PieceTimer.setInterval(0);
    connect(&PieceTimer, &QTimer::timeout, this, guarded([this] { loadNextPiece(); }));
    // What the user types, pastes or drops goes into the whole text, as after a load in one go.
    RichEdit1->installEventFilter(this);
    RichEdit1->viewport()->installEventFilter(this);
}

TForm1::~TForm1() = default;

void TForm1::loadFromFile(const QString &fullPath)
{
    const int load = ++m_loadsBegun;
    // Between the parts of a long file the window paints and answers the screen reader; what the
    // user types or clicks waits for the load's outcome and its error message, as it waited
    // behind a load in one go.
    auto pieces = std::make_unique<ViewerTextPieces>(ViewerTextPieces::fromFile(
        fullPath, [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }));
    // A load begun meanwhile (a screen reader can press buttons) came later: once its text is in
    // place it stands, as it would have replaced this one's; when it failed, this one goes on.
    if (m_lastLoadShown > load)
        return;
    m_lastLoadShown = load;
    // A load still under way gives way to this one, as it would have ended before it.
    PieceTimer.stop();
    m_pieces.reset();
    auto document = std::make_unique<QTextDocument>();
    // The loaded text is where undoing stops; recording its insertion would only cost memory.
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(RichEdit1->font());
    // The first piece goes in before the box shows the document, so that its cursor stays at
    // the start, as with a text loaded whole.
    pieces->appendNextPiece(*document);
    // The new document replaces the old one whole. The box deletes only the document it made
    // itself, so one loaded before is deleted here.
    QTextDocument *previous = RichEdit1->document();
    const bool previousLoaded = previous->parent() == RichEdit1;
    document->setParent(RichEdit1);
    m_loading = document.get();
    m_loadedCharacters = document->characterCount();
    // A text put in place of the whole by other means ends the load, as it would replace a text
    // loaded in one go; an edit of part of it keeps its place before the pieces still to come.
    connect(document.get(), &QTextDocument::contentsChange, this, [this](int from, int removed, int) {
        if (m_pieces && !m_appending && from == 0 && removed >= m_loadedCharacters - 1)
            endLoading();
    });
    RichEdit1->setDocument(document.release());
    if (previousLoaded)
        delete previous;
    m_pieces = std::move(pieces);
    if (m_pieces->atEnd())
        endLoading();
    else
        PieceTimer.start();
    // Loading is a change of the text; the pieces that follow are part of the same change.
    RichEdit1Change(RichEdit1);
}

bool TForm1::isLoading() const
{
    return m_pieces != nullptr;
}

void TForm1::loadNextPiece()
{
    if (appendNextPiece())
        PieceTimer.start();
}

void TForm1::finishLoading()
{
    // The rest comes in at full speed, piece by piece and laid out as it comes, so that the window
    // still paints and answers the screen reader; what the user types or clicks meanwhile waits
    // for the whole text, as behind a load in one go. A load begun meanwhile is finished too, as
    // it takes this one's place.
    PieceTimer.stop();
    while (appendNextPiece())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool TForm1::appendNextPiece()
{
    if (!m_pieces)
        return false;
    // A document set by other means since the load began ends it.
    if (m_loading != RichEdit1->document()) {
        endLoading();
        return false;
    }
    {
        const QSignalBlocker noChangeEvents(RichEdit1); // the load raised its change at its start
        m_appending = true;
        m_pieces->appendNextPiece(*m_loading);
        m_appending = false;
    }
    m_loadedCharacters = m_loading->characterCount();
    if (m_pieces->atEnd()) {
        endLoading();
        return false;
    }
    return true;
}

void TForm1::endLoading()
{
    PieceTimer.stop();
    const bool whole = m_pieces && m_pieces->atEnd();
    m_pieces.reset();
    if (m_loading != RichEdit1->document())
        return;
    if (whole) {
        m_loading->setUndoRedoEnabled(true);
        m_loading->setModified(false);
        return;
    }
    // Replaced by a text set in the box, which restores the undoing the load had turned off when
    // it is done; edits of the new text are undone as always.
    QMetaObject::invokeMethod(this, [document = m_loading] {
        if (document)
            document->setUndoRedoEnabled(true);
    }, Qt::QueuedConnection);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (m_pieces) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::InputMethod:
        case QEvent::Drop:
        case QEvent::ContextMenu: // its commands paste and delete
            finishLoading();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: // the middle button pastes the selection
            if (static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton)
                finishLoading();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::saveToFile(const QString &fullPath)
{
    finishLoading();
    const QString text = viewerPlainText(*RichEdit1->document());
    // A character the file cannot hold stops the save before the file is touched.
    if (firstUnencodableCp1251(text) >= 0)
        encodeCp1251(text); // throws, naming the character, its line and its column
    TextFileWriter file(fullPath);
    file.write(text);
    file.commit();
}

void TForm1::saveThroughDialog(FileDialog &dialog, QWidget *dialogParent)
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
