// The one seam between the program and the modal things a user answers: message boxes, file
// dialogs, and the desktop's opening of a web address. Tests install their own implementation
// and answer them; the program uses the real Qt ones.
#pragma once

#include "ErrorMessage.h"
#include "FileDialogRequest.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

class QFileDialog;

class UserInteraction
{
public:
    virtual ~UserInteraction() = default;
    // The plain message box: the text, OK, no icon, caption "Сварной шов".
    virtual void showMessage(const QString &text) = 0;
    // The error message box: error icon, OK, same caption; `message` is shown as given.
    virtual void showError(const QString &message) = 0;
    // Runs a file dialog; the full path accepted, or nothing when the user cancelled.
    virtual std::optional<QString> askFileName(const FileDialogRequest &request) = 0;
    // The desktop's default action for a web address; its outcome is ignored.
    virtual void openUrl(const QUrl &url) = 0;
};

// The implementation in use; Qt's own unless a test installed another.
UserInteraction &userInteraction();
// Installs `interaction` (not owned) in place of the current one and returns the previous one;
// nullptr restores Qt's own.
UserInteraction *setUserInteraction(UserInteraction *interaction);

// Sets up Qt's file dialog as the real interaction runs it for `request`.
void prepareFileDialog(QFileDialog &dialog, const FileDialogRequest &request);

// Shorthands for the two boxes.
void showMessage(const QString &text);
// Adds the error box's full stop (withErrorFullStop), then shows the message.
void showErrorMessage(const QString &message);
