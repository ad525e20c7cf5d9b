// The About window: copied labels, saving the payment details, the highlight, and the web site.
#include "About.h"
#include "Controls.h"
#include "Cp1251.h"
#include "PictureBox.h"
#include "RecordingInteraction.h"
#include "ScopedCurrentFolder.h"
#include "SpeedButton.h"
#include "Spravka.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void moveMouseOver(SpeedButton *button)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 10), button->mapToGlobal(QPointF(30, 10)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(button, &move);
}

} // namespace

class AboutBoxTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_mainForm = std::make_unique<QWidget>();
        m_mainForm->setWindowTitle(QStringLiteral("Расчет сварного шва"));
        m_usage = std::make_unique<TForm3>();
        m_about = std::make_unique<TAboutBox>(m_mainForm.get(), m_usage->Label2, m_usage->Label8);
        m_interaction = std::make_unique<RecordingInteraction>();
    }

    void cleanup()
    {
        m_interaction.reset();
        m_about.reset();
        m_usage.reset();
        m_mainForm.reset();
    }

    void copiesModuleVersionAndDateAtCreation()
    {
        QCOMPARE(m_about->Label34->text(), QStringLiteral("Расчет сварного шва"));
        QCOMPARE(m_about->Label2->text(), QStringLiteral("V 3.1"));
        QCOMPARE(m_about->Label8->text(), QStringLiteral("10.2009 г. "));
        // Copied once: later changes of the sources do not reach the window.
        m_mainForm->setWindowTitle(QStringLiteral("другое"));
        m_usage->Label2->setText(QStringLiteral("V 9"));
        QCOMPARE(m_about->Label34->text(), QStringLiteral("Расчет сварного шва"));
        QCOMPARE(m_about->Label2->text(), QStringLiteral("V 3.1"));
    }

    void withoutSourcesThePlaceholdersStay()
    {
        TAboutBox alone(nullptr, nullptr, nullptr);
        QCOMPARE(alone.Label34->text(), QStringLiteral("-"));
        QCOMPARE(alone.Label2->text(), QStringLiteral("V "));
        QCOMPARE(alone.Label8->text(), QStringLiteral("-"));
    }

    void savesPaymentDetailsWithCrLfAfterEveryLine_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("saved");
        QTest::newRow("with extension") << QStringLiteral("details.txt") << QStringLiteral("details.txt");
        QTest::newRow("other extension") << QStringLiteral("details.lst") << QStringLiteral("details.lst");
        QTest::newRow("without extension") << QStringLiteral("-Tarvelin-") << QStringLiteral("-Tarvelin-.txt");
    }

    void savesPaymentDetailsWithCrLfAfterEveryLine()
    {
        QFETCH(QString, answer);
        QFETCH(QString, saved);
        QTemporaryDir folder;
        const QString target = QDir(folder.path()).filePath(saved);
        // An existing file is replaced without a question.
        {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old content that is longer than nothing\r\n");
        }
        m_interaction->answerFileDialog(QDir(folder.path()).filePath(answer));
        m_about->SpeedButton1->click();

        const QStringList lines = m_about->Memo1->toPlainText().split(QLatin1Char('\n'));
        QVERIFY(lines.size() >= 5);
        QByteArray expected;
        for (const QString &line : lines)
            expected += encodeCp1251(line) + "\r\n";
        QCOMPARE(readAll(target), expected);
        QVERIFY(readAll(target).endsWith("\r\n"));
        QCOMPARE(m_interaction->errors(), QStringList());
        QCOMPARE(m_interaction->messages(),
                 QStringList{QStringLiteral("Записано в файл  ") + QDir::toNativeSeparators(target)});
    }

    void dialogProposesTarvelinThenTheLastName()
    {
        QTemporaryDir folder;
        const QString first = QDir(folder.path()).filePath(QStringLiteral("first.txt"));
        m_interaction->answerFileDialog(first);
        m_about->SpeedButton1->click();
        m_about->SpeedButton1->click(); // cancelled
        QCOMPARE(m_interaction->dialogs.size(), 2);
        const FileDialogRequest &request = m_interaction->dialogs[0];
        QCOMPARE(request.mode, FileDialogRequest::Mode::Save);
        QCOMPARE(request.proposedName, QStringLiteral("-Tarvelin-"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("txt"));
        QCOMPARE(request.nameFilters.size(), 2);
        QVERIFY(request.nameFilters[0].startsWith(QStringLiteral("Текстовые (*.txt)")));
        QVERIFY(request.nameFilters[1].startsWith(QStringLiteral("Все файлы (*.*)")));
        QCOMPARE(m_interaction->dialogs[1].proposedName, first);
    }

    void cancelledSaveDoesNothing()
    {
        // A save that went on after the cancel would write the proposed bare name here.
        QTemporaryDir folder;
        const ScopedCurrentFolder inFolder(folder.path());
        QVERIFY(inFolder.entered());
        m_interaction->answerFileDialog(std::nullopt);
        m_about->SpeedButton1->click();
        QCOMPARE(m_interaction->dialogs.size(), 1);
        QCOMPARE(m_interaction->dialogs[0].proposedName, QStringLiteral("-Tarvelin-"));
        QVERIFY(m_interaction->boxes.isEmpty());
        QVERIFY(QDir(folder.path()).isEmpty());
    }

    void failedSaveShowsTheErrorAndNoSuccess()
    {
        QTemporaryDir folder;
        m_interaction->answerFileDialog(QDir(folder.path()).filePath(QStringLiteral("missing/details.txt")));
        m_about->SpeedButton1->click();
        QCOMPARE(m_interaction->messages(), QStringList());
        QCOMPARE(m_interaction->errors().size(), 1);
    }

    void mouseMoveHighlightsAndTimerTickRestores()
    {
        const QColor teal(0, 128, 128), cream(255, 251, 240), paleCyan(213, 255, 255);
        auto checkNormal = [&] {
            QCOMPARE(m_about->SpeedButton1->palette().color(QPalette::ButtonText), teal);
            QVERIFY(m_about->SpeedButton1->isTransparent());
            QCOMPARE(m_about->Label13->palette().color(QPalette::Window), cream);
            QCOMPARE(m_about->Label13->palette().color(QPalette::WindowText), teal);
        };
        auto checkHighlighted = [&] {
            QCOMPARE(m_about->SpeedButton1->palette().color(QPalette::ButtonText), QColor(Qt::black));
            QVERIFY(!m_about->SpeedButton1->isTransparent());
            QCOMPARE(m_about->Label13->palette().color(QPalette::Window), paleCyan);
            QCOMPARE(m_about->Label13->palette().color(QPalette::WindowText), QColor(Qt::black));
        };
        QVERIFY(m_about->Label13->autoFillBackground());
        QCOMPARE(m_about->Timer1->interval(), 4000);
        QVERIFY(!m_about->Timer1->isActive());
        checkNormal();

        moveMouseOver(m_about->SpeedButton1);
        checkHighlighted();
        QVERIFY(m_about->Timer1->isActive());
        const int timer = m_about->Timer1->timerId();
        moveMouseOver(m_about->SpeedButton1); // a running timer is not restarted
        QCOMPARE(m_about->Timer1->timerId(), timer);

        m_about->Timer1Timer(m_about->Timer1);
        checkNormal();
        QVERIFY(m_about->Timer1->isActive()); // it keeps ticking
        m_about->Timer1Timer(m_about->Timer1);
        checkNormal();
        moveMouseOver(m_about->SpeedButton1);
        checkHighlighted();
        m_about->Timer1Timer(m_about->Timer1);
        checkNormal();
    }

    void siteOpensWithTheFixedAddressAfterEditing()
    {
        m_about->show();
        QCOMPARE(m_about->Edit1->text(), QStringLiteral("http://tarvelin.example/"));
        QTest::mouseClick(m_about->Edit1, Qt::LeftButton);
        QTest::keyClick(m_about->Edit1, Qt::Key_End);
        QTest::keyClicks(m_about->Edit1, QStringLiteral("index/0-4"));
        QCOMPARE(m_about->Edit1->text(), QStringLiteral("http://tarvelin.example/index/0-4"));
        m_about->Edit1->selectAll();
        QTest::keyClicks(m_about->Edit1, QStringLiteral("http://elsewhere.example/"));
        QTest::mouseClick(m_about->Edit1, Qt::LeftButton);
        QCOMPARE(m_interaction->openedUrls,
                 (QList<QUrl>{QUrl(QStringLiteral("http://tarvelin.example/")), QUrl(QStringLiteral("http://tarvelin.example/"))}));
    }

    void enterClosesExceptInTheMemoAndEscapeDoesNothing_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Enter on Закрыть") << QStringLiteral("OKButton") << int(Qt::Key_Return) << true;
        QTest::newRow("Enter in the e-mail edit") << QStringLiteral("Edit2") << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter in the site edit") << QStringLiteral("Edit1") << int(Qt::Key_Enter) << true;
        QTest::newRow("Enter in the memo") << QStringLiteral("Memo1") << int(Qt::Key_Return) << false;
        QTest::newRow("Escape") << QStringLiteral("OKButton") << int(Qt::Key_Escape) << false;
    }

    void enterClosesExceptInTheMemoAndEscapeDoesNothing()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, closes);
        m_about->show();
        QVERIFY(QTest::qWaitForWindowActive(m_about.get()));
        auto *control = m_about->findChild<QWidget *>(focus);
        QVERIFY(control);
        control->setFocus();
        QTest::keyClick(control, Qt::Key(key));
        QCOMPARE(m_about->isVisible(), !closes);
        QVERIFY(m_interaction->openedUrls.isEmpty());
    }

    void layoutAndTexts()
    {
        QCOMPARE(m_about->windowTitle(), QStringLiteral("О программе"));
        QCOMPARE(m_about->Panel1->geometry(), QRect(16, 16, 561, 401));
        QCOMPARE(m_about->OKButton->geometry(), QRect(480, 376, 81, 25));
        QCOMPARE(m_about->Memo1->geometry(), QRect(24, 176, 529, 97));
        QCOMPARE(m_about->SpeedButton1->geometry(), QRect(16, 280, 529, 33));
        QCOMPARE(m_about->SpeedButton1->font().pixelSize(), 13);
        QVERIFY(m_about->SpeedButton1->font().bold());
        QCOMPARE(m_about->Label13->font().pixelSize(), 16);
        QCOMPARE(m_about->Label6->text(), QStringLiteral("Модуль:  "));
        QVERIFY(m_about->Label1->text().startsWith(QStringLiteral("Программный комплекс     - T a r v e l i n -")));
        QVERIFY(m_about->Label5->text().endsWith(QStringLiteral(" ,")));
        QVERIFY(m_about->Edit2->text().endsWith(QStringLiteral("@tarvelin.example")));
        QCOMPARE(m_about->SpeedButton1->toolTip(), QStringLiteral("Сохранить реквизиты в текстовом файле"));
        QCOMPARE(m_about->OKButton->toolTip(), QStringLiteral("Закрыть окно"));
        QCOMPARE(m_about->ProgramIcon->size(), QSize(32, 32));
        // Everything the memo holds can be written in the files' code page.
        QCOMPARE(firstUnencodableCp1251(m_about->Memo1->toPlainText()), -1);
    }

private:
    std::unique_ptr<QWidget> m_mainForm;
    std::unique_ptr<TForm3> m_usage;
    std::unique_ptr<TAboutBox> m_about;
    std::unique_ptr<RecordingInteraction> m_interaction;
};

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
