// The real file dialogs leave nothing on disk between runs: no history, last folder or view.
#include "FileDialog.h"
#include "RealFileDialog.h"
#include "UserInteraction.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class DialogStateTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        redirectUserFolders(m_home.path());
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
                typeNameAndAccept(*shown, named);
            }
        });
        answer.start(10);
        QCOMPARE(dialog.execute(nullptr), std::optional<QString>(QDir::toNativeSeparators(named)));
        QCOMPARE(entriesBelow(m_home.path()), QStringList());
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(DialogStateTest)

#include "DialogStateTest.moc"
