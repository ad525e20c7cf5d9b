// The calculation frame TFrame3: the inputs and results of the weld check, the strength check,
// the blinking of the length-selection caption and the weld length selection.
#pragma once

#include <QList>
#include <QMetaObject>
#include <QWidget>
#include <memory>

class ComboBox;
class Edit;
class Label;
class QPushButton;
class QTimer;

namespace Ui {
class TFrame3;
}

class TFrame3 : public QWidget
{
    Q_OBJECT
public:
    // Builds the controls from the form, binds their events to the handlers below and brings
    // the design length in line with the initial length and leg.
    explicit TFrame3(QWidget *parent = nullptr);
    ~TFrame3() override;

    // For an owner that routes the frame's events through handlers of its own (the main window's
    // Frame31… forwarders): disconnects the frame's own bindings of the change, click, mouse and
    // timer events, so that the owner connects its forwarders to the controls instead. The key
    // filter of Edit1, Edit3, Edit4, Edit5 and Edit12 and the change of ComboBox1 (which no
    // owner forwards) stay bound to the frame.
    void releaseEvents();

    // Title and the actions.
    Label *Label7;
    QPushButton *Button4, *Button1, *Button9, *Button2;
    // Inputs: load, eccentricity, moment.
    Label *Label11, *Label12, *Label13, *Label8, *Label9, *Label10, *Label1, *Label3, *Label2;
    Edit *Edit4, *Edit3, *Edit1;
    // Weld geometry: leg, beta, constructive and design length.
    Label *Label17, *Label14, *Label15, *Label16, *Label36, *Label37, *Label18, *Label19, *Label20;
    Label *Label54, *Label50, *Label52, *Label53;
    ComboBox *ComboBox1, *ComboBox3;
    QPushButton *Button13;
    Edit *Edit6;
    // Materials and service factors.
    Label *Label35, *Label32, *Label33, *Label31, *Label48, *Label25, *Label51, *Label49;
    ComboBox *ComboBox2;
    Edit *Edit5, *Edit12;
    // Results.
    Label *Label38, *Label4, *Label5, *Label6, *Label39, *Label40, *Label41, *Label42, *Label43,
        *Label44, *Label45, *Label46, *Label47;
    Edit *Edit2, *Edit9, *Edit10, *Edit11;
    // Verdict.
    Label *Label28, *Label29, *Label22, *Label26, *Label23, *Label27;
    // Weld length selection.
    Label *Label34;
    Edit *Edit13;
    QPushButton *Button10;
    // The two halves of the blinking of Label34.
    QTimer *Timer1, *Timer2;

    // Live inputs.
    void Edit4Change(QObject *Sender);
    void Edit3Change(QObject *Sender);
    void Edit6Change(QObject *Sender);
    void ComboBox1Change(QObject *Sender);
    void ComboBox3Change(QObject *Sender);
    void ComboBox3KeyPress(QObject *Sender, QChar &Key);
    void Button13Click(QObject *Sender);
    void Button4Click(QObject *Sender);
    // The strength check and the blinking it starts.
    void Button1Click(QObject *Sender);
    void Timer1Timer(QObject *Sender);
    void Timer2Timer(QObject *Sender);
    void Label34MouseMove(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void Label34MouseLeave(QObject *Sender);
    // The weld length selection.
    void Label34Click(QObject *Sender);
    void Button10Click(QObject *Sender);
    // The report.
    void Button9Click(QObject *Sender);

private:
    void updateMoment();
    void updateDesignLength();
    void bindOwnEvents();
    void nameForScreenReaders();
    // The general format of a typed beta, written when the user leaves the box or presses Enter.
    void settleBetaText();

    std::unique_ptr<Ui::TFrame3> m_form;
    QList<QMetaObject::Connection> m_ownBindings;
    // The typed beta was read but its text is not yet in the general format.
    bool m_betaTextUnsettled = false;
};
