// The browser window's engine plugin: Qt WebEngine behind the browser engine interface.
#include "BrowserEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QObject>
#include <QOpenGLContext>
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineView>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

QT_BEGIN_NAMESPACE
// Qt GUI's process-wide OpenGL share context.
Q_GUI_EXPORT QOpenGLContext *qt_gl_global_share_context();
QT_END_NAMESPACE

namespace {

// Chromium refuses to start its sandbox for the root user. The engine reads the switch once, when
// its first profile is made; it is set just for that moment, so that neither the program's start
// nor the programs it launches later see it.
class RootSandboxSwitch
{
public:
    RootSandboxSwitch()
    {
#ifdef Q_OS_LINUX
        m_set = ::geteuid() == 0 && !qEnvironmentVariableIsSet(name);
        if (m_set)
            qputenv(name, "1");
#endif
    }
    ~RootSandboxSwitch()
    {
        if (m_set)
            qunsetenv(name);
    }
    RootSandboxSwitch(const RootSandboxSwitch &) = delete;
    RootSandboxSwitch &operator=(const RootSandboxSwitch &) = delete;

private:
    static constexpr const char *name = "QTWEBENGINE_DISABLE_SANDBOX";
    bool m_set = false;
};

class WebEngineBrowser final : public QObject, public BrowserEngine
{
public:
    WebEngineBrowser(QWidget *host, BrowserEngineEvents *events)
        : m_events(events),
          // A profile without a storage name keeps nothing on disk: the program stores nothing
          // between runs.
          m_profile(new QWebEngineProfile(this)),
          m_view(new QWebEngineView(m_profile, host))
    {
        QWebEnginePage *page = m_view->page();
        // The begin of a download is taken from the loading report that names the address, which
        // follows the plain start signal at once and comes before any progress: the caption then
        // names the address being loaded, before the engine has moved its own address to it.
        connect(page, &QWebEnginePage::loadingChanged, this,
                [this](const QWebEngineLoadingInfo &loading) {
                    if (loading.status() != QWebEngineLoadingInfo::LoadStartedStatus)
                        return;
                    m_loadingUrl = loading.url();
                    // Each load reports its percentage from zero; the bar goes on from where it is.
                    m_reportedPercent = 0;
                    m_events->engineDownloadBegin();
                });
        connect(page, &QWebEnginePage::loadProgress, this, [this](int percent) {
            const int increase = percent - m_reportedPercent;
            m_reportedPercent = percent;
            m_events->engineProgressChange(increase, 100);
        });
        connect(page, &QWebEnginePage::loadFinished, this, [this](bool) {
            m_loadingUrl.clear();
            m_events->engineDownloadComplete();
        });
        connect(page, &QWebEnginePage::linkHovered, this,
                [this](const QString &url) { m_events->engineStatusTextChange(url); });
        connect(m_profile, &QWebEngineProfile::downloadRequested, this,
                [this](QWebEngineDownloadRequest *download) { startDownload(download); });
        connect(page, &QWebEnginePage::renderProcessTerminated, this,
                [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                    if (status != QWebEnginePage::NormalTerminationStatus)
                        m_events->engineStatusTextChange(
                            QStringLiteral("Страница не может быть показана: сбой процесса браузера"));
                });
    }

    ~WebEngineBrowser() override
    {
        // The page must go before its profile.
        delete m_view.data();
    }

    QWidget *view() const override { return m_view; }
    void navigate(const QUrl &url) override { m_view->load(url); }
    // The address being loaded while a load runs, the page's own otherwise.
    QUrl currentUrl() const override { return m_loadingUrl.isEmpty() ? m_view->url() : m_loadingUrl; }

private:
    // The engine refuses a download unless it is accepted while it is being offered; the file
    // name is asked for then, and nothing is saved where the user has not said.
    void startDownload(QWebEngineDownloadRequest *download)
    {
        const QString path = m_events->engineAskDownloadPath(download->suggestedFileName());
        if (path.isEmpty()) {
            download->cancel();
            return;
        }
        const QFileInfo target(path);
        download->setDownloadDirectory(target.absolutePath());
        download->setDownloadFileName(target.fileName());
        connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, download] {
            const QString shown = QDir::toNativeSeparators(
                QDir(download->downloadDirectory()).filePath(download->downloadFileName()));
            if (download->state() == QWebEngineDownloadRequest::DownloadCompleted)
                m_events->engineStatusTextChange(QStringLiteral("Файл загружен: ") + shown);
            else
                m_events->engineStatusTextChange(QStringLiteral("Файл не загружен: ")
                                                 + download->interruptReasonString());
        });
        download->accept();
    }

    BrowserEngineEvents *m_events;
    QWebEngineProfile *m_profile;
    QPointer<QWebEngineView> m_view;
    int m_reportedPercent = 0;
    QUrl m_loadingUrl;
};

} // namespace

class WebEngineBrowserFactory final : public QObject, public BrowserEngineFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID WeldBrowserEngineFactory_iid FILE "webengine.json")
    Q_INTERFACES(BrowserEngineFactory)

public:
    BrowserEngine *createEngine(QWidget *host, BrowserEngineEvents *events, QString *error) override
    {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
            if (error)
                *error = QStringLiteral("нет графического приложения");
            return nullptr;
        }
        // Without the OpenGL context that it shares its pictures through, Qt WebEngine would crash
        // at its first view; the host creates it before loading this plugin.
        if (!qt_gl_global_share_context()) {
            if (error)
                *error = QStringLiteral("нет общего контекста OpenGL");
            return nullptr;
        }
        const RootSandboxSwitch sandboxSwitch;
        return new WebEngineBrowser(host, events);
    }
};

#include "WebEngineBrowser.moc"
