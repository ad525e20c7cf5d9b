// The browser window's engine plugin: Qt WebEngine behind the browser engine interface.
#include "BrowserEngine.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QObject>
#include <QOpenGLContext>
#include <QPointer>
#include <QWebEnginePage>
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

// Chromium refuses to start its sandbox for the root user; the switch is set here, when the
// engine is first used, so the rest of the program and its other child processes never see it.
void disableSandboxForRoot()
{
#ifdef Q_OS_LINUX
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
}

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
        connect(page, &QWebEnginePage::loadStarted, this, [this] {
            // Each load reports its percentage from zero; the bar itself goes on from where it is.
            m_reportedPercent = 0;
            m_events->engineDownloadBegin();
        });
        connect(page, &QWebEnginePage::loadProgress, this, [this](int percent) {
            const int increase = percent - m_reportedPercent;
            m_reportedPercent = percent;
            m_events->engineProgressChange(increase, 100);
        });
        connect(page, &QWebEnginePage::loadFinished, this,
                [this](bool) { m_events->engineDownloadComplete(); });
        connect(page, &QWebEnginePage::linkHovered, this,
                [this](const QString &url) { m_events->engineStatusTextChange(url); });
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
    QUrl currentUrl() const override { return m_view->url(); }
    QString title() const override { return m_view->title(); }
    void requestHtml(std::function<void(const QString &)> receiver) override
    {
        m_view->page()->toHtml(std::move(receiver));
    }

private:
    BrowserEngineEvents *m_events;
    QWebEngineProfile *m_profile;
    QPointer<QWebEngineView> m_view;
    int m_reportedPercent = 0;
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
        disableSandboxForRoot();
        return new WebEngineBrowser(host, events);
    }
};

#include "WebEngineBrowser.moc"
