// Loading of Qt's Russian catalogs.
#include "ToolkitTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QString toolkitTranslationsFolder()
{
#ifdef Q_OS_WIN
    // A Windows installation is one folder: Qt's build-time paths point at the machine that
    // built it.
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"));
#else
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
}

QStringList installToolkitTranslations(QCoreApplication &application)
{
    const QString folder = toolkitTranslationsFolder();
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QStringList installed;
    for (const char *catalog : {"qtbase", "qtwebengine"}) {
        auto *translator = new QTranslator(&application);
        if (translator->load(russian, QString::fromLatin1(catalog), QStringLiteral("_"), folder)
            && QCoreApplication::installTranslator(translator))
            installed << QString::fromLatin1(catalog);
        else
            delete translator;
    }
    return installed;
}
