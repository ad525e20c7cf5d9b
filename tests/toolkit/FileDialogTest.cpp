// File dialogs: the filter lists and the remembered name.
#include "FileDialog.h"
#include "RecordingInteraction.h"

#include <QTest>

class FileDialogTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void filtersBecomeQtNameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("nameFilters");
        QTest::newRow("two entries") << "Текстовые (*.txt)|*.txt|Все файлы (*.*)|*.*"
                                     << QStringList{"Текстовые (*.txt) (*.txt)", "Все файлы (*.*) (*.*)"};
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
