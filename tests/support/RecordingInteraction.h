// A UserInteraction for tests: records every box and answers file dialogs from a queue.
#pragma once

#include "UserInteraction.h"

#include <QList>
#include <QUrl>

class RecordingInteraction : public UserInteraction
{
public:
    struct Box
    {
        enum class Kind { Message, Error };
        Kind kind;
        QString text;
    };

    RecordingInteraction() { m_previous = setUserInteraction(this); }
    ~RecordingInteraction() override { setUserInteraction(m_previous); }

    void showMessage(const QString &text) override { boxes.append({Box::Kind::Message, text}); }
    void showError(const QString &message) override { boxes.append({Box::Kind::Error, message}); }
    std::optional<QString> askFileName(const FileDialogRequest &request) override
    {
        dialogs.append(request);
        return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.takeFirst();
    }
    void openUrl(const QUrl &url) override { openedUrls.append(url); }

    // Queues the answer of the next file dialog: a full path, or std::nullopt for Cancel.
    void answerFileDialog(std::optional<QString> answer) { fileAnswers.append(std::move(answer)); }

    QStringList messages() const { return textsOf(Box::Kind::Message); }
    QStringList errors() const { return textsOf(Box::Kind::Error); }

    QList<Box> boxes;
    QList<FileDialogRequest> dialogs;
    QList<QUrl> openedUrls;
    QList<std::optional<QString>> fileAnswers;

private:
    QStringList textsOf(Box::Kind kind) const
    {
        QStringList texts;
        for (const Box &box : boxes) {
            if (box.kind == kind)
                texts << box.text;
        }
        return texts;
    }
    UserInteraction *m_previous = nullptr;
};
