// Loading of Qt's Russian catalogs.
#include "ToolkitTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QStringList toolkitTranslationsFolders()
{
    QStringList folders;
#ifdef Q_OS_WIN
    // An installed program is one folder, with Qt's libraries beside the program.
    folders << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"));
#endif
    folders << QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    return folders;
}

QStringList installToolkitTranslations(QCoreApplication &application)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const QStringList folders = toolkitTranslationsFolders();
    QStringList installed;
    for (const char *catalog : {"qtbase", "qtwebengine"}) {
        auto *translator = new QTranslator(&application);
        for (const QString &folder : folders) {
            if (translator->load(russian, QString::fromLatin1(catalog), QStringLiteral("_"), folder))
                break;
        }
        if (!translator->isEmpty() && QCoreApplication::installTranslator(translator))
            installed << QString::fromLatin1(catalog);
        else
            delete translator;
    }
    return installed;
}
