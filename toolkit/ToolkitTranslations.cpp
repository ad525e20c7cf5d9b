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

bool installToolkitTranslation(const QString &catalog)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    auto *translator = new QTranslator(QCoreApplication::instance());
    for (const QString &folder : toolkitTranslationsFolders()) {
        if (translator->load(russian, catalog, QStringLiteral("_"), folder))
            break;
    }
    if (!translator->isEmpty() && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
