// The real file dialogs leave nothing on disk between runs: no history, last folder or view.
#include "FileDialog.h"
#include "UserInteraction.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class DialogStateTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Every place a user's settings or caches could go, inside a folder the test watches.
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
            qputenv(variable, QFile::encodeName(m_home.filePath(QString::fromLatin1(variable))));
    }

    void acceptedDialogWritesNothing_data()
    {
        QTest::addColumn<FileDialogRequest::Mode>("mode");
        QTest::newRow("open") << FileDialogRequest::Mode::Open;
        QTest::newRow("save") << FileDialogRequest::Mode::Save;
    }
    void acceptedDialogWritesNothing()
    {
        QFETCH(FileDialogRequest::Mode, mode);
        const QString named = m_home.filePath(QStringLiteral("named.txt"));
        FileDialog dialog(mode, QStringLiteral("Текстовые (*.txt)|*.txt|Все файлы (*.*)|*.*"), QStringLiteral("txt"),
                          QStringLiteral("Св.шов№__"));
        // The user types the name and accepts, once the dialog runs.
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            if (auto *shown = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                answer.stop();
                // Typed into the name box: selectFile() leaves that box alone once it has the
                // focus, which it may or may not have yet on a busy machine.
                auto *nameBox = shown->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                if (!nameBox) {
                    shown->reject(); // fails the comparison below instead of hanging
                    return;
                }
                nameBox->setText(named);
                static_cast<QDialog *>(shown)->accept(); // as the dialog's own button does
            }
        });
        answer.start(10);
        QCOMPARE(dialog.execute(nullptr), std::optional<QString>(QDir::toNativeSeparators(named)));

        QStringList written;
        for (QDirIterator it(m_home.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
             it.hasNext();)
            written << it.next();
        QCOMPARE(written, QStringList());
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(DialogStateTest)

#include "DialogStateTest.moc"
