// WebBrowser: the browser control of the browser window. It loads its web engine from a plugin at
// its first navigation or first showing, hosts the engine's view in its area and passes the
// engine's reports on as the control's four events. Without the plugin its area says why, and
// each navigation reports it as the control's status text and opens the address in the desktop's
// browser instead.
#pragma once

#include "BrowserEngine.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

class QLabel;
class QStackedLayout;

class WebBrowser : public QWidget, private BrowserEngineEvents
{
    Q_OBJECT
public:
    explicit WebBrowser(QWidget *parent = nullptr);
    ~WebBrowser() override;

    // Starts loading the address and returns at once; the events follow from the message loop.
    void Navigate(const QString &url);
    // The address of the current location: the one last asked for until the engine begins to
    // load it, then the engine's (the address being loaded while a load runs).
    QString LocationURL() const;

    // Loads the engine plugin if that has not been tried yet; true when an engine is running.
    bool ensureEngine();
    // Starts the engine that `factory` makes, instead of the plugin's (tests use their own);
    // only before the first use. The factory must outlive the engine.
    bool startEngine(BrowserEngineFactory *factory);
    bool isEngineLoaded() const { return m_engine != nullptr; }
    // The running engine, or nullptr.
    BrowserEngine *engine() const { return m_engine.get(); }
    // Why the engine could not start (empty while it runs or has not been tried).
    QString engineError() const { return m_engineError; }

    // Folders searched for the engine plugin, in order, at the first use; by default
    // defaultPluginFolders().
    void setPluginFolders(const QStringList &folders) { m_pluginFolders = folders; }
    QStringList pluginFolders() const { return m_pluginFolders; }
    // Relative to the program's folder: the installed lib/weldcalc/plugins and the build tree's
    // plugins folder (the program and the tests sit one or two levels below it).
    static QStringList defaultPluginFolders();

    // Turns off the caches of compiled shaders that Qt and Mesa keep on disk, for this process
    // and the engine's processes: the program writes no file the user has not named. Meant for
    // the start of the program, before the application object; the engine's start repeats it.
    static void keepShaderCachesOffDisk();

    // The status text of a navigation without an engine.
    static QString unavailableStatusText();

Q_SIGNALS:
    void DownloadBegin();
    void DownloadComplete();
    void ProgressChange(int Progress, int ProgressMax);
    void StatusTextChange(const QString &Text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void engineDownloadBegin() override;
    void engineDownloadComplete() override;
    void engineProgressChange(int progress, int progressMax) override;
    void engineStatusTextChange(const QString &text) override;
    QString engineAskDownloadPath(const QString &suggestedName) override;
    void showUnavailable(const QString &reason);

    QStackedLayout *m_layout;
    QWidget *m_blank;
    QLabel *m_unavailable = nullptr;
    std::unique_ptr<BrowserEngine> m_engine;
    bool m_loadTried = false;
    QString m_engineError;
    QString m_requestedUrl;
    bool m_requestPending = false; // asked for, and the engine has not begun to load it yet
    QStringList m_pluginFolders;
};
