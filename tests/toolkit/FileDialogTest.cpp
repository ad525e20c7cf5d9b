// File dialogs: the filter lists, the remembered name, and Qt's dialog as the program sets it up.
#include "FileDialog.h"
#include "NativeFileDialog.h"
#include "RecordingInteraction.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Ends the test program when the user-interface thread stays blocked: a frozen dialog would
// otherwise hang the run instead of failing it.
class Watchdog
{
public:
    explicit Watchdog(std::chrono::seconds limit, const char *what)
        : m_thread([this, limit, what] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, limit, [this] { return m_finished; })) {
                  std::fprintf(stderr, "FAIL: frozen for %lld s: %s\n", static_cast<long long>(limit.count()), what);
                  std::_Exit(EXIT_FAILURE);
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

} // namespace

class FileDialogTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void filtersBecomeQtNameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("nameFilters");
        QTest::newRow("two entries") << "Текстовые (*.txt)|*.txt|Все файлы (*.*)|*.*"
                                     << QStringList{"Текстовые (*.txt) (*.txt)", "Все файлы (*.*) (*)"};
        QTest::newRow("name with parentheses") << "MWord(.doc)|*.doc" << QStringList{"MWord(.doc) (*.doc)"};
        QTest::newRow("bare name") << "Таблица Excel|*.xls" << QStringList{"Таблица Excel (*.xls)"};
        QTest::newRow("several patterns") << "Both|*.txt;*.rtf" << QStringList{"Both (*.txt *.rtf)"};
    }
    void filtersBecomeQtNameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, nameFilters);
        QCOMPARE(FileDialog::toNameFilters(filter), nameFilters);
    }

    // Windows' own dialog takes pairs of name and patterns; "*.*" is its every file.
    void windowsFilterListPairsNamesAndPatterns_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("list"); // '|' stands for the null character
        QTest::newRow("two entries") << "Текстовые (*.txt)|*.txt|Все файлы (*.*)|*.*"
                                     << "Текстовые (*.txt)|*.txt|Все файлы (*.*)|*.*||";
        QTest::newRow("name with parentheses") << "MWord(.doc)|*.doc" << "MWord(.doc)|*.doc||";
        QTest::newRow("several patterns") << "Both|*.txt;*.rtf" << "Both|*.txt;*.rtf||";
        QTest::newRow("no entries") << "" << "|";
    }
    void windowsFilterListPairsNamesAndPatterns()
    {
        QFETCH(QString, filter);
        QFETCH(QString, list);
        std::wstring expected = list.toStdWString();
        std::replace(expected.begin(), expected.end(), L'|', L'\0');
        QVERIFY(windowsFilterList(FileDialog::toNameFilters(filter)) == expected);
    }

    void qtDialogShowsEachEntryByItsNameAlone()
    {
        FileDialogRequest request;
        request.mode = FileDialogRequest::Mode::Open;
        request.nameFilters = FileDialog::toNameFilters(QStringLiteral(
            "Все файлы (*.*)|*.*|MWord(.doc)|*.doc|Таблица Excel|*.xls|Таблица Excel (*.xls)|*.xls"));
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        prepareFileDialog(dialog, request);
        const auto *types = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types);
        QStringList shown;
        for (int i = 0; i < types->count(); ++i)
            shown << types->itemText(i);
        QCOMPARE(shown, (QStringList{"Все файлы (*.*)", "MWord(.doc)", "Таблица Excel", "Таблица Excel (*.xls)"}));
        QCOMPARE(types->currentIndex(), 0);
    }

#ifdef Q_OS_UNIX
    // A file's content may never come (a pipe, a device, a file on a dead share): the dialog
    // lists files and completes their names without opening any of them.
    void qtDialogNeverOpensFilesItLists()
    {
        QTemporaryDir folder;
        for (const char *name : {"report", "report.txt"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{\\rtf1 text}") > 0);
        }
        QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
        const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(watch >= 0);
        QVERIFY(::inotify_add_watch(watch, QFile::encodeName(folder.path()).constData(), IN_OPEN) >= 0);

        {
            Watchdog watchdog(std::chrono::seconds(20), "the file dialog read a file it lists");
            FileDialogRequest request;
            request.mode = FileDialogRequest::Mode::Save;
            request.nameFilters = FileDialog::toNameFilters(QStringLiteral("Все файлы (*.*)|*.*"));
            QFileDialog dialog;
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            prepareFileDialog(dialog, request);
            dialog.setDirectory(folder.path());
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            QTest::keyClicks(name, folder.filePath(QStringLiteral("p")));
            QTest::qWait(500); // the listing and the completion run meanwhile
            QTest::keyClicks(name, QStringLiteral("ipe"));
            QTest::qWait(500);
            QCOMPARE(name->text(), folder.filePath(QStringLiteral("pipe")));
            dialog.reject();
        } // the dialog's listing thread ends with it

        QStringList opened;
        alignas(inotify_event) char events[16 * 1024];
        for (ssize_t size; (size = ::read(watch, events, sizeof events)) > 0;) {
            for (char *at = events; at < events + size;) {
                const auto *event = reinterpret_cast<const inotify_event *>(at);
                if (!(event->mask & IN_ISDIR) && event->len > 0)
                    opened << QString::fromLocal8Bit(event->name);
                at += sizeof(inotify_event) + event->len;
            }
        }
        ::close(watch);
        QCOMPARE(opened, QStringList());
    }
#endif

    void proposesInitialThenLastAcceptedName()
    {
        RecordingInteraction interaction;
        FileDialog dialog(FileDialogRequest::Mode::Save, QStringLiteral("Текстовые (*.txt)|*.txt"),
                          QStringLiteral("txt"), QStringLiteral("Св.шов№__"));
        interaction.answerFileDialog(QStringLiteral("/tmp/a.txt"));
        interaction.answerFileDialog(std::nullopt);
        interaction.answerFileDialog(QStringLiteral("/tmp/b.txt"));

        QCOMPARE(dialog.execute(nullptr), std::optional<QString>(QStringLiteral("/tmp/a.txt")));
        QCOMPARE(dialog.execute(nullptr), std::nullopt);
        QCOMPARE(dialog.execute(nullptr), std::optional<QString>(QStringLiteral("/tmp/b.txt")));

        QCOMPARE(interaction.dialogs.size(), 3);
        QCOMPARE(interaction.dialogs[0].proposedName, QStringLiteral("Св.шов№__"));
        QCOMPARE(interaction.dialogs[0].defaultSuffix, QStringLiteral("txt"));
        QCOMPARE(interaction.dialogs[1].proposedName, QStringLiteral("/tmp/a.txt"));
        // A cancelled dialog keeps the name accepted before it.
        QCOMPARE(interaction.dialogs[2].proposedName, QStringLiteral("/tmp/a.txt"));
        QCOMPARE(dialog.fileName(), QStringLiteral("/tmp/b.txt"));
    }
};

QTEST_MAIN(FileDialogTest)
#include "FileDialogTest.moc"
