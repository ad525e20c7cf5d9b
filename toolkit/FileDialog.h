// A file dialog as the program's windows own it: a fixed filter list written as "Name|pattern|…",
// a default extension, and the name last accepted, which it proposes the next time.
#pragma once

#include "UserInteraction.h"

#include <QString>
#include <QStringList>
#include <optional>

class FileDialog
{
public:
    FileDialog(FileDialogRequest::Mode mode, const QString &filter, QString defaultExtension = {},
               QString initialName = {});

    // Runs the dialog over `parent`; the accepted full path (then remembered) or nothing.
    std::optional<QString> execute(QWidget *parent);

    QString fileName() const { return m_fileName; }

    // "Текстовые (*.txt)|*.txt|Все файлы (*.*)|*.*" → Qt's "Текстовые (*.txt) (*.txt)",
    // "Все файлы (*.*) (*)"; the dialog shows each without its last parenthesised group.
    static QStringList toNameFilters(const QString &filter);

private:
    FileDialogRequest::Mode m_mode;
    QStringList m_nameFilters;
    QString m_defaultExtension;
    QString m_fileName;
};
