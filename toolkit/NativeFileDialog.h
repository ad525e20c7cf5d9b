// The system's own open and save dialogs on Windows.
#pragma once

#include "FileDialogRequest.h"

#include <QStringList>
#include <optional>
#include <string>

// Runs Windows' common file dialog for `request`: the filter entries by their names, the first
// selected; the proposed name (and its folder) shown; the default extension added to a bare name;
// no question before overwriting. The full path accepted, or nothing when the user cancelled.
std::optional<QString> askNativeFileName(const FileDialogRequest &request);

// Windows' filter list for the dialog: each Qt name filter "<name> (<patterns>)" as the pair
// "<name>", "<patterns separated by ;>", with "*" back as "*.*" (which Windows matches for every
// file), each string and the list ending in a null character.
std::wstring windowsFilterList(const QStringList &nameFilters);
