// weldcheck against the window: random joints typed into the real frame, and the same inputs
// given to weldcheck's engine, must show the same texts, messages and report bytes.
#include "DesignedFonts.h"
#include "JointOutput.h"
#include "JointRun.h"
#include "Numbers.h"
#include "ProgramWindows.h"
#include "RecordingInteraction.h"
#include "Controls.h"
#include "Unit3.h"
#include "WeldCalcState.h"

#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(JointInputs)

namespace {

// Typed texts for each box: mostly numbers in the run's separator, with the edges of the check
// among them (the least design length met exactly by 4,8 with the leg 4, lengths beyond
// 85·beta·Kf, a negative moment); now and then a text that fails, at typing or in the check (the
// other separator where no key filter mends it, a zero leg or design length, the empty resistance
// entry, no number at all).
QString randomText(QRandomGenerator &random, InputBox box, QChar separator)
{
    const QChar other = separator == u',' ? QChar(u'.') : QChar(u',');
    const auto pick = [&](QStringList texts) {
        QString text = texts[random.bounded(texts.size())];
        return text.replace(u'#', separator).replace(u'~', other);
    };
    const auto decimal = [&](int whole, int decimals) {
        QString text = QString::number(random.bounded(whole));
        if (decimals > 0)
            text += separator + QString::number(random.bounded(1, 10)).repeated(random.bounded(1, decimals + 1));
        return text;
    };
    const bool odd = random.bounded(100) < 4;
    switch (box) {
    case InputBox::Load:
        return odd ? pick({"", "x", "-", "1e400"}) : random.bounded(5) ? decimal(3, 3) : pick({"0", "-0#5", "1e-1", "0~403", "2E1"});
    case InputBox::Eccentricity:
        return odd ? pick({"", "e"}) : random.bounded(5) ? decimal(400, 1) : pick({"0", "254~2", "-50", "1e2"});
    case InputBox::Moment:
        return odd ? pick({"abc", ""}) : random.bounded(3) ? decimal(300, 2) : pick({"0", "-5", "5 ", " 7#5"});
    case InputBox::Leg:
        return odd ? pick({"0", "", "4~5"}) : pick({"4", "6", "8", "10", "12", "1", "5#5", "3"});
    case InputBox::Length:
        return odd ? pick({"0#8", "5~5", "", "-1"}) : random.bounded(3) ? decimal(60, 2) : pick({"4#8", "25", "4#5", "200", "12"});
    case InputBox::Beta:
        return odd ? pick({"", "0~9", "0#", "0,85"}) : pick({"0#7", "0#8", "0#85", "0#9", "1", "0#70", "0#75"});
    case InputBox::Resistance:
        return odd ? pick({"", "x"}) : pick({"1850", "2200", "1500", "2000", "1", "18", "2100", "2"});
    case InputBox::WeldFactor:
    case InputBox::StructureFactor:
        return odd ? pick({"0", "-"}) : pick({"1", "0,9", "1.1", "0#95", "0#8"});
    }
    return QString();
}

QWidget *boxOf(TFrame3 &frame, InputBox box)
{
    QWidget *const boxes[inputBoxCount] = {frame.Edit4, frame.Edit3,     frame.Edit1, frame.ComboBox1, frame.Edit6,
                                           frame.ComboBox3, frame.ComboBox2, frame.Edit5, frame.Edit12};
    return boxes[int(box)];
}

QLineEdit *textBoxOf(QWidget *box)
{
    auto *combo = qobject_cast<ComboBox *>(box);
    return combo ? combo->lineEdit() : static_cast<QLineEdit *>(box);
}

// Types `text` over the box's text as a user does; only the boxes raised by the last keystroke
// are kept, since a text on its way ("-", "1e") is no input of the joint.
void typeOver(QWidget *box, const QString &text, RecordingInteraction &boxes)
{
    QLineEdit *edit = textBoxOf(box);
    edit->selectAll();
    if (text.isEmpty()) {
        boxes.boxes.clear();
        QTest::keyClick(box, Qt::Key_Delete);
        return;
    }
    QTest::keyClicks(box, text.chopped(1));
    boxes.boxes.clear();
    QTest::keyClicks(box, text.right(1));
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

class CrossCheckTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        substituteDesignedFonts();
        startProgramForTest();
    }
    void cleanupTestCase()
    {
        destroyWindows();
        setDecimalSeparator(QLatin1Char(','));
    }

    void randomJointsShowWhatTheWindowShows_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<JointInputs>("inputs");
        QRandomGenerator random(18);
        for (int row = 0; row < 400; ++row) {
            const QChar separator = random.bounded(2) ? QChar(u',') : QChar(u'.');
            JointInputs inputs;
            for (int box = 0; box < inputBoxCount; ++box) {
                // The moment is typed now and then; the other boxes mostly.
                const int odds = box == int(InputBox::Moment) ? 4 : 1;
                if (random.bounded(odds + 3) >= odds)
                    inputs[std::size_t(box)] = randomText(random, InputBox(box), separator);
            }
            QTest::addRow("%d", row) << separator << inputs;
        }
    }
    void randomJointsShowWhatTheWindowShows()
    {
        QFETCH(QChar, separator);
        QFETCH(JointInputs, inputs);
        setDecimalSeparator(separator);
        resetWeldCalcState();
        WeldCalcState.beta = 0.7;
        RecordingInteraction boxes;
        auto owner = std::make_unique<TFrame3>();
        TFrame3 &frame = *owner;

        const JointResult joint = runJoint(inputs);
        bool typingFailed = false;
        for (int box = 0; box < inputBoxCount && !typingFailed; ++box) {
            if (!inputs[std::size_t(box)])
                continue;
            typeOver(boxOf(frame, InputBox(box)), *inputs[std::size_t(box)], boxes);
            if (box == int(InputBox::Beta))
                QTest::keyClick(frame.ComboBox3, Qt::Key_Return); // editing ends
            typingFailed = !boxes.errors().isEmpty();
            if (typingFailed) {
                QVERIFY(joint.error);
                QCOMPARE(joint.error->box, std::optional(InputBox(box)));
            }
        }
        if (!typingFailed) {
            QTest::mouseClick(frame.Button1, Qt::LeftButton);
            QCOMPARE(joint.warnings, boxes.messages());
            if (boxes.errors().isEmpty())
                QTest::mouseClick(frame.Label34, Qt::LeftButton);
        }
        QCOMPARE(joint.error ? QStringList{joint.error->message} : QStringList(), boxes.errors());

        const QStringList shown = {frame.Edit4->text(), frame.Edit3->text(), frame.Edit1->text(),
            frame.ComboBox1->currentText(), frame.Edit6->text(), frame.Label52->text(),
            frame.ComboBox3->currentText(), frame.ComboBox2->currentText(), frame.Edit5->text(),
            frame.Edit12->text(), frame.Edit2->text(), frame.Edit9->text(), frame.Edit10->text(),
            frame.Edit11->text(), frame.Label22->text(), frame.Label26->text(), frame.Label23->text(),
            frame.Label27->text(), frame.Edit13->text()};
        const QStringList computed = {joint.Edit4, joint.Edit3, joint.Edit1, joint.ComboBox1, joint.Edit6,
            joint.Label52, joint.ComboBox3, joint.ComboBox2, joint.Edit5, joint.Edit12, joint.Edit2, joint.Edit9,
            joint.Edit10, joint.Edit11, joint.Label22, joint.Label26, joint.Label23, joint.Label27, joint.Edit13};
        QCOMPARE(computed, shown);
        if (joint.error)
            return;

        // The printed rows carry the frame's own captions.
        const QStringList lines = resultLines(joint, LeastLength{}).split(u'\n');
        const auto row = [](std::initializer_list<QString> parts) { return QStringList(parts).join(u' '); };
        QCOMPARE(lines.mid(0, 6),
                 QStringList({row({frame.Label1->text(), frame.Label3->text(), frame.Edit1->text(), frame.Label2->text()}),
                              row({frame.Label54->text(), frame.Label50->text(), frame.Label52->text(), frame.Label53->text()}),
                              row({frame.Label4->text(), frame.Label5->text(), frame.Edit2->text(), frame.Label6->text()}),
                              row({frame.Label39->text(), frame.Label40->text(), frame.Edit9->text(), frame.Label41->text()}),
                              row({frame.Label42->text(), frame.Label43->text(), frame.Edit10->text(), frame.Label44->text()}),
                              row({frame.Label45->text(), frame.Label46->text(), frame.Edit11->text(), frame.Label47->text()})}));

        QTemporaryDir folder;
        const QString windowReport = folder.filePath(QStringLiteral("window.txt"));
        const QString engineReport = folder.filePath(QStringLiteral("weldcheck.txt"));
        boxes.answerFileDialog(windowReport);
        QTest::mouseClick(frame.Button9, Qt::LeftButton);
        QVERIFY(boxes.errors().isEmpty());
        writeReportFile(engineReport, joint.reportSnapshot());
        QCOMPARE(contentOf(engineReport), contentOf(windowReport));
    }

    // The least length proposes other legs from the frame's list.
    void legsAreTheFramesList()
    {
        TFrame3 frame;
        QStringList legs;
        for (int i = 0; i < frame.ComboBox1->count(); ++i)
            legs << frame.ComboBox1->itemText(i);
        QCOMPARE(legs, legEntries);
    }
};

QTEST_MAIN(CrossCheckTest)
#include "CrossCheckTest.moc"
