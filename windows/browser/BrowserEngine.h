// The interface between the browser window and its web engine, which lives in a plugin loaded at
// first use so that the program starts without the engine's libraries.
//
// Only plain abstract classes cross the plugin boundary: the plugin links the engine and Qt, never
// this program's libraries, and nothing here needs code of its own on either side.
#pragma once

#include <QString>
#include <QUrl>
#include <QtPlugin>

class QWidget;

// What the engine reports, on the user-interface thread, in the terms of the browser control.
class BrowserEngineEvents
{
public:
    virtual void engineDownloadBegin() = 0;
    virtual void engineDownloadComplete() = 0;
    // The progress made since the previous report, out of progressMax.
    virtual void engineProgressChange(int progress, int progressMax) = 0;
    // The text a status bar would show: the address under the pointer, an engine's message.
    virtual void engineStatusTextChange(const QString &text) = 0;
    // A page offers a file: the full path to save it under, chosen by the user, or empty to
    // refuse it.
    virtual QString engineAskDownloadPath(const QString &suggestedName) = 0;

protected:
    ~BrowserEngineEvents() = default;
};

// One engine instance with its view. Deleting it deletes the view.
class BrowserEngine
{
public:
    virtual ~BrowserEngine() = default;
    virtual QWidget *view() const = 0;
    // Starts loading the address and returns at once.
    virtual void navigate(const QUrl &url) = 0;
    // The address of the current location; empty before the engine has one.
    virtual QUrl currentUrl() const = 0;
};

// The plugin's root object.
class BrowserEngineFactory
{
public:
    virtual ~BrowserEngineFactory() = default;
    // A new engine whose view is a child of `host` and which reports to `events` (not owned; it
    // must outlive the engine). Returns nullptr and sets `error` when the engine cannot start.
    virtual BrowserEngine *createEngine(QWidget *host, BrowserEngineEvents *events, QString *error) = 0;
};

#define WeldBrowserEngineFactory_iid "weldcalc.BrowserEngineFactory/1"
Q_DECLARE_INTERFACE(BrowserEngineFactory, WeldBrowserEngineFactory_iid)
