// File dialogs with fixed filter lists that remember the name last accepted.
#include "FileDialog.h"

FileDialog::FileDialog(FileDialogRequest::Mode mode, const QString &filter, QString defaultExtension,
                       QString initialName)
    : m_mode(mode)
    , m_nameFilters(toNameFilters(filter))
    , m_defaultExtension(std::move(defaultExtension))
    , m_fileName(std::move(initialName))
{
}

std::optional<QString> FileDialog::execute(QWidget *parent)
{
    FileDialogRequest request;
    request.mode = m_mode;
    request.parent = parent;
    request.nameFilters = m_nameFilters;
    request.defaultSuffix = m_defaultExtension;
    request.proposedName = m_fileName;
    std::optional<QString> accepted = userInteraction().askFileName(request);
    if (accepted)
        m_fileName = *accepted;
    return accepted;
}

QStringList FileDialog::toNameFilters(const QString &filter)
{
    // Qt reads a filter's patterns from the parenthesised group at its end, so each pattern is
    // appended in parentheses to its name: "MWord(.doc)" + "*.doc" → "MWord(.doc) (*.doc)". The
    // dialogs show the name alone (the group is hidden), as written. "*.*" means every file, as
    // on Windows, also those without a dot in their name.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'));
        for (QString &pattern : patterns) {
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters << parts[i] + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}
