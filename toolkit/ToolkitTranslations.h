// Qt's own texts (file dialogs, edit-box menus, standard buttons, the web view's menu) in Russian,
// like everything else the user reads.
#pragma once

#include <QStringList>

class QCoreApplication;

// Installs Qt's Russian catalogs found in the Qt installation the program runs on, whatever the
// user's locale; returns the names of those installed ("qtbase", "qtwebengine"). A missing
// catalog leaves Qt's English for its texts and nothing else.
QStringList installToolkitTranslations(QCoreApplication &application);

// Where the catalogs are looked for, in order: on Windows the translations folder beside the
// program, where its package puts them; then Qt's own translations folder.
QStringList toolkitTranslationsFolders();
