// Answering Qt's own file dialog as a user does, and watching what it leaves on disk.
#pragma once

#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QStringList>

// Types `name` into the dialog's name box and accepts, as its own button does. The box, not
// selectFile(): that leaves a box with the focus alone. Without a name box the dialog is
// rejected, so that the caller's check fails instead of hanging.
inline void typeNameAndAccept(QFileDialog &dialog, const QString &name)
{
    auto *nameBox = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (!nameBox) {
        dialog.reject();
        return;
    }
    nameBox->setText(name);
    static_cast<QDialog &>(dialog).accept();
}

// Every file and folder below `folder`, hidden ones included, sorted.
inline QStringList entriesBelow(const QString &folder)
{
    QStringList entries;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        entries << it.next();
    entries.sort();
    return entries;
}

// Every place a user's settings or caches could go, below `home`, where a test can watch it.
inline void redirectUserFolders(const QString &home)
{
    qputenv("HOME", QFile::encodeName(home));
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        qputenv(variable, QFile::encodeName(QDir(home).filePath(QString::fromLatin1(variable))));
}
