// WebBrowser: loading of the engine plugin, the empty and the unavailable area, the events.
#include "WebBrowser.h"

#include "HandlerGuard.h"
#include "ToolkitTranslations.h"
#include "UserInteraction.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonObject>
#include <QJsonValue>
#include <QLabel>
#include <QPluginLoader>
#include <QStackedLayout>
#include <QUrl>

#ifndef WELD_BROWSER_PLUGIN_INSTALL_DIR
#define WELD_BROWSER_PLUGIN_INSTALL_DIR "../lib/weldcalc/plugins"
#endif

#if QT_CONFIG(opengl)
#include <QOpenGLContext>

QT_BEGIN_NAMESPACE
// Qt GUI's process-wide OpenGL share context, which Qt WebEngine's start-up sets.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);
Q_GUI_EXPORT QOpenGLContext *qt_gl_global_share_context();
QT_END_NAMESPACE
#endif

namespace {

const QString pluginBaseName = QStringLiteral("weld_webengine");

// Qt WebEngine hands its pictures to the widgets through Qt's global OpenGL share context. It
// creates that context itself only when it is initialised before the application object, which
// loading it at first use rules out; so the context is made here, before the engine's libraries
// load and before any other OpenGL context exists. False when there is no OpenGL at all.
bool ensureShareContext()
{
#if !QT_CONFIG(opengl)
    return false;
#else
    if (qt_gl_global_share_context())
        return true;
    auto *context = new QOpenGLContext(qApp);
    if (!context->create()) {
        delete context;
        return false;
    }
    qt_gl_set_global_share_context(context);
    return true;
#endif
}

} // namespace

WebBrowser::WebBrowser(QWidget *parent)
    : QWidget(parent), m_layout(new QStackedLayout(this)), m_blank(new QWidget(this)),
      m_pluginFolders(defaultPluginFolders())
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    // Before the first page the area is as blank as an empty browser's.
    m_blank->setAutoFillBackground(true);
    m_blank->setBackgroundRole(QPalette::Base);
    m_layout->addWidget(m_blank);
    setFocusPolicy(Qt::StrongFocus);
}

WebBrowser::~WebBrowser() = default;

QStringList WebBrowser::defaultPluginFolders()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    QStringList folders;
    for (const QString &relative : {QStringLiteral(WELD_BROWSER_PLUGIN_INSTALL_DIR),
                                    QStringLiteral("plugins"), QStringLiteral("../plugins"),
                                    QStringLiteral("../../plugins")})
        folders << QDir::cleanPath(programFolder.filePath(relative));
    folders.removeDuplicates();
    return folders;
}

void WebBrowser::keepShaderCachesOffDisk()
{
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    qputenv("QT_DISABLE_SHADER_DISK_CACHE", "1");
    // Read by Mesa when the first OpenGL context is made, here and in the engine's GPU process,
    // which inherits it.
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");
}

QString WebBrowser::unavailableStatusText()
{
    return QStringLiteral("     Встроенный браузер недоступен: страница открыта в браузере по умолчанию");
}

bool WebBrowser::ensureEngine()
{
    if (m_loadTried)
        return m_engine != nullptr;

    QStringList failures;
    for (const QString &folder : std::as_const(m_pluginFolders)) {
        QPluginLoader loader(QDir(folder).filePath(pluginBaseName));
        if (loader.fileName().isEmpty())
            continue; // no such file in this folder
        // The metadata is read without loading the library.
        if (loader.metaData().value(QLatin1String("IID")).toString()
            != QLatin1String(WeldBrowserEngineFactory_iid)) {
            failures << QStringLiteral("%1: не модуль веб-движка (%2)")
                            .arg(QDir::toNativeSeparators(loader.fileName()), loader.errorString());
            continue;
        }
        keepShaderCachesOffDisk();
        if (!ensureShareContext()) {
            failures << QStringLiteral("OpenGL недоступен");
            break;
        }
        if (auto *factory = qobject_cast<BrowserEngineFactory *>(loader.instance())) {
            // The web view's own texts; no other window needs this catalog.
            installToolkitTranslation(QStringLiteral("qtwebengine"));
            return startEngine(factory);
        }
        failures << loader.errorString();
    }
    if (failures.isEmpty()) {
#ifdef WELD_BROWSER_ENGINE
        failures << QStringLiteral("Модуль %1 не найден в папках: %2")
                        .arg(pluginBaseName, m_pluginFolders.join(QStringLiteral(", ")));
#else
        // Qt WebEngine is not built for every system (not for MinGW, say).
        failures << QStringLiteral("Эта сборка программы не содержит веб-движка.");
#endif
    }
    m_loadTried = true;
    showUnavailable(failures.join(QLatin1Char('\n')));
    return false;
}

bool WebBrowser::startEngine(BrowserEngineFactory *factory)
{
    if (m_loadTried)
        return m_engine != nullptr;
    m_loadTried = true;
    QString error;
    m_engine.reset(factory->createEngine(this, this, &error));
    if (!m_engine) {
        showUnavailable(error);
        return false;
    }
    QWidget *view = m_engine->view();
    m_layout->addWidget(view);
    m_layout->setCurrentWidget(view);
    setFocusProxy(view);
    // Qt WebEngine must be torn down while the application object still exists.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        setFocusProxy(nullptr);
        m_engine.reset();
    });
    return true;
}

void WebBrowser::showUnavailable(const QString &reason)
{
    m_engineError = reason;
    m_unavailable = new QLabel(this);
    m_unavailable->setObjectName(QStringLiteral("EngineUnavailable"));
    m_unavailable->setAlignment(Qt::AlignCenter);
    m_unavailable->setWordWrap(true);
    m_unavailable->setTextFormat(Qt::PlainText);
    m_unavailable->setText(QStringLiteral("Встроенный браузер недоступен, поэтому страницы сайта "
                                          "открываются в браузере по умолчанию.\n\n")
                           + reason);
    m_layout->addWidget(m_unavailable);
    m_layout->setCurrentWidget(m_unavailable);
}

void WebBrowser::Navigate(const QString &url)
{
    m_requestedUrl = url;
    if (ensureEngine()) {
        m_requestPending = true;
        m_engine->navigate(QUrl(url));
    }
    else {
        // The user still reaches the page, in the desktop's browser.
        Q_EMIT StatusTextChange(unavailableStatusText());
        userInteraction().openUrl(QUrl(url));
    }
}

QString WebBrowser::LocationURL() const
{
    if (m_engine && !m_requestPending) {
        const QUrl current = m_engine->currentUrl();
        if (!current.isEmpty())
            return current.toString();
    }
    return m_requestedUrl;
}

void WebBrowser::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ensureEngine();
}

void WebBrowser::engineDownloadBegin()
{
    m_requestPending = false;
    Q_EMIT DownloadBegin();
}

void WebBrowser::engineDownloadComplete()
{
    Q_EMIT DownloadComplete();
}

void WebBrowser::engineProgressChange(int progress, int progressMax)
{
    Q_EMIT ProgressChange(progress, progressMax);
}

void WebBrowser::engineStatusTextChange(const QString &text)
{
    Q_EMIT StatusTextChange(text);
}

QString WebBrowser::engineAskDownloadPath(const QString &suggestedName)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.parent = window();
    request.nameFilters = QStringList{QStringLiteral("Все файлы (*)")};
    request.proposedName = suggestedName;
    std::optional<QString> path;
    runGuarded([&] { path = userInteraction().askFileName(request); });
    return path.value_or(QString());
}
