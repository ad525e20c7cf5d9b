// Windows' common open and save dialogs behind the interaction seam.
#include "NativeFileDialog.h"

#include <QDir>
#include <QWidget>

#include <string>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#include <commdlg.h>
#endif

std::wstring windowsFilterList(const QStringList &nameFilters)
{
    std::wstring list;
    for (const QString &filter : nameFilters) {
        // The patterns are the parenthesised group at the end; the name is all before it.
        const qsizetype open = filter.lastIndexOf(QLatin1String(" ("));
        const bool grouped = open >= 0 && filter.endsWith(QLatin1Char(')'));
        const QString name = grouped ? filter.left(open) : filter;
        QStringList patterns =
            grouped ? filter.mid(open + 2, filter.size() - open - 3).split(QLatin1Char(' '), Qt::SkipEmptyParts)
                    : QStringList{QStringLiteral("*")};
        for (QString &pattern : patterns) {
            if (pattern == QLatin1String("*"))
                pattern = QStringLiteral("*.*");
        }
        list += name.toStdWString();
        list += L'\0';
        list += patterns.join(QLatin1Char(';')).toStdWString();
        list += L'\0';
    }
    list += L'\0';
    return list;
}

#ifdef Q_OS_WIN
std::optional<QString> askNativeFileName(const FileDialogRequest &request)
{
    const std::wstring filters = windowsFilterList(request.nameFilters);
    const std::wstring extension = request.defaultSuffix.toStdWString();
    // Room for long paths (\\?\ names reach 32,767 characters).
    std::vector<wchar_t> name(32768, L'\0');
    const std::wstring proposed = QDir::toNativeSeparators(request.proposedName).toStdWString();
    if (proposed.size() < name.size())
        proposed.copy(name.data(), proposed.size());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = request.parent ? reinterpret_cast<HWND>(request.parent->window()->winId()) : nullptr;
    dialog.lpstrFilter = request.nameFilters.isEmpty() ? nullptr : filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = DWORD(name.size());
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    // Any typed name is taken, as in the open dialog elsewhere: loading a missing file then fails
    // with its message. No overwrite question: the program's saves never asked one.
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const bool saving = request.mode == FileDialogRequest::Mode::Save;
    BOOL accepted = saving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!accepted && CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
        // A proposed name the dialog refuses (a folder gone, say) must not keep it from opening.
        name.assign(name.size(), L'\0');
        accepted = saving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    }
    if (!accepted)
        return std::nullopt;
    return QDir::toNativeSeparators(QString::fromWCharArray(name.data()));
}
#endif
