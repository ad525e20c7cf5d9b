// What a file dialog is asked to show: its mode, owner, filters, default suffix and proposed name.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

struct FileDialogRequest
{
    enum class Mode { Open, Save };
    Mode mode = Mode::Save;
    QWidget *parent = nullptr;
    QStringList nameFilters;  // Qt filter strings, shown without their patterns, the first selected
    QString defaultSuffix;    // added by the dialog to a name without a suffix
    QString proposedName;     // the name shown when the dialog opens (may be empty)
};
