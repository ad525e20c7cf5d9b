// The calculation frame's handlers: live inputs, the strength check, the blinking of the
// length-selection caption, the weld length selection and the report action.
#include "Unit3.h"

#include "Colours.h"
#include "Controls.h"
#include "DesignedFonts.h"
#include "FrameCalculation.h"
#include "HandlerGuard.h"
#include "Hints.h"
#include "Numbers.h"
#include "ReportWriter.h"
#include "ShowAndFocus.h"
#include "Timers.h"
#include "Unit1.h"
#include "Unit2.h"
#include "UserInteraction.h"
#include "WeldCalcState.h"

#include <QPushButton>
#include <QStringList>
#include <QTimer>

namespace {

constexpr int blinkInterval = 1000; // ms

void setFontColour(QWidget *control, const QColor &colour)
{
    setColour(control, QPalette::WindowText, colour);
}

// A row of the frame as it reads from left to right: caption, symbol, unit.
QString rowText(std::initializer_list<const QLabel *> captions)
{
    QStringList texts;
    for (const QLabel *caption : captions)
        texts << caption->text();
    return texts.join(QLatin1Char(' '));
}

// The strength check shows its results in the frame's boxes and captions, its warnings in
// message boxes.
class FrameCheckDisplay : public CheckDisplay
{
public:
    explicit FrameCheckDisplay(TFrame3 &frame)
        : m_frame(frame)
    {
    }
    void showWarning(const QString &text) override { showMessage(text); }
    void showShearArea(const QString &text) override { m_frame.Edit2->setText(text); }
    void showSectionModulus(const QString &text) override { m_frame.Edit9->setText(text); }
    void showBendingStress(const QString &text) override { m_frame.Edit10->setText(text); }
    void showShearStress(const QString &text) override { m_frame.Edit11->setText(text); }
    void showResultantAndLimit(const QString &resultant, const QString &limit) override
    {
        m_frame.Label22->setText(resultant);
        m_frame.Label23->setText(limit);
    }
    void showVerdict(Relation relation) override
    {
        const QColor &colour = holds(relation) ? colours::green : colours::red;
        TFrame3 &f = m_frame;
        for (Label *label : {f.Label28, f.Label29, f.Label26, f.Label22, f.Label27, f.Label23})
            setFontColour(label, colour);
        f.Label26->setText(relationText(relation));
        f.Label27->setText(verdictText(relation));
    }

private:
    TFrame3 &m_frame;
};

} // namespace

TFrame3::TFrame3(QWidget *parent)
    : QWidget(parent)
{
    setupUi(this);
    useDesignedPixelFonts(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(blinkInterval);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(blinkInterval);

    // The beta list offers values to pick; typed text is not completed from it.
    ComboBox3->setCompleter(nullptr);
    applyHints(this);
    nameForScreenReaders();

    for (Edit *edit : {Edit1, Edit3, Edit4, Edit5, Edit12}) {
        edit->setKeyFilter(
            [this, edit](QChar &typed) { runGuarded([&] { ComboBox3KeyPress(edit, typed); }); });
    }
    connectHandler(ComboBox1, &ComboBox::changed, this, &TFrame3::ComboBox1Change);
    connect(ComboBox3, &ComboBox::editingEnded, this, guarded([this] { settleBetaText(); }));
    bindOwnEvents();

    // The design length shown must follow from the length and the leg shown.
    runGuarded([this] { updateDesignLength(); });
    // Polishing now lets the auto-sized captions fit their fonts at once.
    ensurePolished();
}

TFrame3::~TFrame3()
{
    // The focus leaves the beta box while the widgets are torn down; that ends no edit.
    disconnect(ComboBox3, &ComboBox::editingEnded, this, nullptr);
}

void TFrame3::bindOwnEvents()
{
    const auto own = [this](QMetaObject::Connection connection) { m_ownBindings.append(connection); };
    own(connectHandler(Edit4, &Edit::changed, this, &TFrame3::Edit4Change));
    own(connectHandler(Edit3, &Edit::changed, this, &TFrame3::Edit3Change));
    own(connectHandler(Edit6, &Edit::changed, this, &TFrame3::Edit6Change));
    own(connectHandler(ComboBox3, &ComboBox::changed, this, &TFrame3::ComboBox3Change));
    own(connectHandler(Button13, &QPushButton::clicked, this, &TFrame3::Button13Click));
    own(connectHandler(Button4, &QPushButton::clicked, this, &TFrame3::Button4Click));
    own(connectHandler(Button1, &QPushButton::clicked, this, &TFrame3::Button1Click));
    own(connectHandler(Button10, &QPushButton::clicked, this, &TFrame3::Button10Click));
    own(connectHandler(Button9, &QPushButton::clicked, this, &TFrame3::Button9Click));
    own(connectHandler(Label34, &Label::clicked, this, &TFrame3::Label34Click));
    own(connectHandler(Edit13, &Edit::clicked, this, &TFrame3::Label34Click));
    own(connect(Label34, &Label::mouseMoved, this,
                guarded([this](Qt::KeyboardModifiers shift, int x, int y) {
                    Label34MouseMove(Label34, shift, x, y);
                })));
    own(connectHandler(Label34, &Label::mouseLeft, this, &TFrame3::Label34MouseLeave));
    own(connectHandler(Timer1, &QTimer::timeout, this, &TFrame3::Timer1Timer));
    own(connectHandler(Timer2, &QTimer::timeout, this, &TFrame3::Timer2Timer));
}

void TFrame3::nameForScreenReaders()
{
    // A screen reader announces a box by the row the frame shows it in; the box itself tells the
    // value. Captions that show a value carry it within the row's words.
    Edit4->setAccessibleName(rowText({Label11, Label12, Label13}));
    Edit3->setAccessibleName(rowText({Label8, Label9, Label10}));
    Edit1->setAccessibleName(rowText({Label1, Label3, Label2}));
    ComboBox1->setAccessibleName(rowText({Label14, Label15, Label16}));
    ComboBox3->setAccessibleName(rowText({Label36, Label37}));
    Edit6->setAccessibleName(rowText({Label18, Label19, Label20}));
    Label52->setAccessibleNameFromText(rowText({Label54, Label50}) + QStringLiteral(" %1 ")
                                       + Label53->text());
    ComboBox2->setAccessibleName(rowText({Label32, Label33, Label31}));
    Edit5->setAccessibleName(rowText({Label48, Label25}));
    Edit12->setAccessibleName(rowText({Label51, Label49}));
    Edit2->setAccessibleName(rowText({Label4, Label5, Label6}));
    Edit9->setAccessibleName(rowText({Label39, Label40, Label41}));
    Edit10->setAccessibleName(rowText({Label42, Label43, Label44}));
    Edit11->setAccessibleName(rowText({Label45, Label46, Label47}));
    // The verdict: each value under its heading, the sign between the two headings.
    Label22->setAccessibleNameFromText(Label28->text() + QStringLiteral(" %1"));
    Label23->setAccessibleNameFromText(Label29->text() + QStringLiteral(" %1"));
    Label26->setAccessibleNameFromText(Label28->text() + QStringLiteral(" %1 ") + Label29->text());
    Label27->setAccessibleNameFromText(QStringLiteral("%1"));
    Edit13->setAccessibleName(Label34->text());
}

void TFrame3::releaseEvents()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_ownBindings))
        disconnect(connection);
    m_ownBindings.clear();
}

// Live inputs -----------------------------------------------------------------------------------

void TFrame3::updateMoment()
{
    Edit1->setText(::updateMoment(WeldCalcState, WeldCalcMomentSource, Edit4->text(), Edit3->text()));
}

void TFrame3::updateDesignLength()
{
    Label52->setText(::updateDesignLength(WeldCalcState, Edit6->text(), ComboBox1->currentText()));
}

void TFrame3::Edit4Change(QObject *)
{
    updateMoment();
}

void TFrame3::Edit3Change(QObject *)
{
    updateMoment();
}

void TFrame3::Edit6Change(QObject *)
{
    updateDesignLength();
}

void TFrame3::ComboBox1Change(QObject *)
{
    // Another leg changes the design length as much as another length does.
    updateDesignLength();
}

void TFrame3::ComboBox3Change(QObject *)
{
    WeldCalcValues &state = WeldCalcState;
    const int index = ComboBox3->currentListIndex();
    m_betaTextUnsettled = false;
    readBeta(state, index, ComboBox3->currentText());
    // A chosen entry takes the general format at once. Typed text keeps its characters until
    // editing ends: rewriting "0," to "0" would put the digits still to come after the "0".
    if (index >= 0)
        ComboBox3->setTextSilently(formatGeneral(state.beta));
    else
        m_betaTextUnsettled = true;
}

void TFrame3::settleBetaText()
{
    // Only a text that was read as beta is rewritten; one that is no number stays as typed.
    if (!m_betaTextUnsettled)
        return;
    m_betaTextUnsettled = false;
    const QString text = formatGeneral(WeldCalcState.beta);
    if (ComboBox3->currentText() != text)
        ComboBox3->setTextSilently(text);
}

void TFrame3::ComboBox3KeyPress(QObject *, QChar &Key)
{
    Key = typedNumberCharacter(Key);
}

void TFrame3::Button13Click(QObject *)
{
    // Lines end with a lone CR, as the message box expects them.
    const QStringList lines = {
        QStringLiteral("  Коэффициент высоты шва:"),
        QString(),
        QStringLiteral("beta= 0,7   - ручная сварка и многопроходная автомат.и полуавт.св."),
        QStringLiteral("beta= 0,8   - 2-х, 3-проходная полуавт.сварка"),
        QStringLiteral("beta= 0,85  - однопроходная полуавт.сварка"),
        QStringLiteral("beta= 0,9   - 2-х, 3-проходная автоматическая сварка"),
        QStringLiteral("beta= 1    - однопроходная автоматическая сварка"),
    };
    showMessage(lines.join(QLatin1Char('\r')));
}

void TFrame3::Button4Click(QObject *)
{
    showAndFocus(Form2);
}

// The strength check ----------------------------------------------------------------------------

void TFrame3::Button1Click(QObject *)
{
    const CheckInputTexts inputs{Edit1->text(),  ComboBox1->currentText(), Label52->text(),
                                 Edit6->text(),  ComboBox2->currentText(), Edit5->text(),
                                 Edit12->text()};
    FrameCheckDisplay display(*this);
    runStrengthCheck(WeldCalcState, WeldCalcMomentSource, inputs, display);
    enableTimer(Timer1);
}

void TFrame3::Timer1Timer(QObject *)
{
    setFontColour(Label34, colours::teal);
    Timer1->stop();
    enableTimer(Timer2);
}

void TFrame3::Timer2Timer(QObject *)
{
    setFontColour(Label34, colours::maroon);
    Timer2->stop();
    enableTimer(Timer1);
}

void TFrame3::Label34MouseMove(QObject *, Qt::KeyboardModifiers, int, int)
{
    setFontColour(Label34, colours::red);
}

void TFrame3::Label34MouseLeave(QObject *)
{
    setFontColour(Label34, colours::navy);
}

// The weld length selection ---------------------------------------------------------------------

void TFrame3::Label34Click(QObject *)
{
    Edit13->setText(proposeLength(WeldCalcState, WeldCalcMomentSource));
}

void TFrame3::Button10Click(QObject *)
{
    // The stored proposal, not the text of Edit13; the change of Edit6 updates the design length.
    Edit6->setText(acceptedLengthText(WeldCalcState));
}

// The report ------------------------------------------------------------------------------------

void TFrame3::Button9Click(QObject *)
{
    const WeldCalcValues &state = WeldCalcState;
    ReportSnapshot snapshot;
    snapshot.lengthText = Edit6->text();
    snapshot.legText = ComboBox1->currentText();
    snapshot.designLengthText = Label52->text();
    snapshot.betaText = ComboBox3->currentText();
    snapshot.sectionModulusText = Edit9->text();
    snapshot.shearAreaText = Edit2->text();
    snapshot.momentText = Edit1->text();
    snapshot.loadText = Edit4->text();
    snapshot.sigmaText = Edit10->text();
    snapshot.tauText = Edit11->text();
    snapshot.maxStressText = Label22->text();
    snapshot.resistanceText = ComboBox2->currentText();
    snapshot.weldFactorText = Edit5->text();
    snapshot.structureFactorText = Edit12->text();
    snapshot.limitText = Label23->text();
    snapshot.relationText = Label26->text();
    snapshot.maxStressCaption = Label28->text();
    snapshot.limitCaption = Label29->text();
    snapshot.verdictText = Label27->text();
    snapshot.Kf = state.Kf;
    snapshot.Lw = state.Lw;
    writeReport(*Form1, snapshot);
}
