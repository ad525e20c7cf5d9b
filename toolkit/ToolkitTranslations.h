// Qt's own texts (file dialogs, edit-box menus, standard buttons, the web view's menu) in Russian,
// like everything else the user reads.
#pragma once

#include <QStringList>

// Installs Qt's Russian catalog `catalog` ("qtbase", "qtwebengine") found in the Qt installation
// the program runs on, whatever the user's locale; false when there is none, which leaves Qt's
// English for its texts and nothing else. Each catalog is installed when its part of Qt is first
// needed: qtbase at start-up, qtwebengine with the web engine.
bool installToolkitTranslation(const QString &catalog);

// Where the catalogs are looked for, in order: on Windows the translations folder beside the
// program, where its package puts them; then Qt's own translations folder.
QStringList toolkitTranslationsFolders();
