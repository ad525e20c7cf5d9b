// The calculation frame TFrame3: the inputs and results of the weld check, the strength check,
// the blinking of the length-selection caption and the weld length selection.
#pragma once

#include "ui_Unit3.h"

#include <QList>
#include <QMetaObject>
#include <QWidget>

class QTimer;

// The form's controls, top to bottom: the title and the actions; the load, eccentricity and
// moment; the leg, beta, constructive and design length; the materials and service factors; the
// results; the verdict; the weld length selection (Label34, Edit13, Button10).
class TFrame3 : public QWidget, public Ui::TFrame3
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

    QList<QMetaObject::Connection> m_ownBindings;
    // The typed beta was read but its text is not yet in the general format.
    bool m_betaTextUnsettled = false;
};
