// The real message boxes, file dialogs and desktop services behind the interaction seam.
#include "UserInteraction.h"

#include "NativeFileDialog.h"
#include "ProgramIdentity.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QMessageBox>
#include <QSettings>

namespace {

// Windows message boxes break lines at a lone CR; Qt's labels need LF.
QString forDisplay(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Qt's own provider tells a file's type and icon from its content, read on the user-interface
// thread, so a file that never answers (/proc/kmsg, a file on a dead network share) would freeze
// the dialog for good. Here both come from the name alone.
class NameOnlyIconProvider final : public QFileIconProvider
{
public:
    using QFileIconProvider::icon;

    QIcon icon(const QFileInfo &info) const override
    {
        if (info.isRoot())
            return icon(Drive);
        if (info.isDir())
            return icon(Folder);
        return icon(File);
    }

    QString type(const QFileInfo &info) const override
    {
        if (!info.isFile())
            return QFileIconProvider::type(info); // folders, drives, links: no content is read
        const QMimeType mimeType =
            m_mimeDatabase.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
        return mimeType.comment().isEmpty() ? mimeType.name() : mimeType.comment();
    }

private:
    QMimeDatabase m_mimeDatabase;
};

#ifndef Q_OS_WIN // Windows runs its own dialog
void keepFileDialogStateOffDisk()
{
    // Qt's dialog keeps its history, last folder and view in the user's settings file
    // (QtProject.conf); the program keeps nothing between runs. Settings in a folder that can
    // never be made, below the null device, are neither read nor written.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
}
#endif

class QtUserInteraction final : public UserInteraction
{
public:
    void showMessage(const QString &text) override { showBox(QMessageBox::NoIcon, text); }
    void showError(const QString &message) override { showBox(QMessageBox::Critical, message); }

    std::optional<QString> askFileName(const FileDialogRequest &request) override
    {
#ifdef Q_OS_WIN
        return askNativeFileName(request);
#else
        keepFileDialogStateOffDisk(); // before the dialog reads them
        QFileDialog dialog(request.parent);
        prepareFileDialog(dialog, request);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return QDir::toNativeSeparators(QFileInfo(dialog.selectedFiles().first()).absoluteFilePath());
#endif
    }

    void openUrl(const QUrl &url) override { QDesktopServices::openUrl(url); }

private:
    static void showBox(QMessageBox::Icon icon, const QString &text)
    {
        QMessageBox box(icon, applicationTitle(), forDisplay(text), QMessageBox::Ok);
        box.exec();
    }
};

QtUserInteraction &qtInteraction()
{
    static QtUserInteraction interaction;
    return interaction;
}

UserInteraction *current = nullptr;

} // namespace

void prepareFileDialog(QFileDialog &dialog, const FileDialogRequest &request)
{
    static NameOnlyIconProvider iconProvider;
    dialog.setIconProvider(&iconProvider);
    const bool saving = request.mode == FileDialogRequest::Mode::Save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Both take any typed name: an open dialog accepts a missing file, whose load then fails.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilters(request.nameFilters);
    if (!request.nameFilters.isEmpty())
        dialog.selectNameFilter(request.nameFilters.first());
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
}

UserInteraction &userInteraction()
{
    return current ? *current : qtInteraction();
}

UserInteraction *setUserInteraction(UserInteraction *interaction)
{
    UserInteraction *previous = current;
    current = interaction;
    return previous;
}

void showMessage(const QString &text)
{
    userInteraction().showMessage(text);
}

void showErrorMessage(const QString &message)
{
    userInteraction().showError(withErrorFullStop(message));
}
