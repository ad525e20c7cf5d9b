// A browser engine for the window's tests: it loads nothing and reports what the test tells it.
#pragma once

#include "BrowserEngine.h"

#include <QWidget>

class FakeEngine : public BrowserEngine
{
public:
    FakeEngine(QWidget *host, BrowserEngineEvents *events) : events(events), m_view(new QWidget(host))
    {
        m_view->setFocusPolicy(Qt::StrongFocus);
    }
    ~FakeEngine() override { delete m_view; }

    QWidget *view() const override { return m_view; }
    void navigate(const QUrl &url) override { navigated.append(url); }
    QUrl currentUrl() const override { return location; }

    BrowserEngineEvents *const events;
    QList<QUrl> navigated;
    QUrl location;

private:
    QWidget *m_view;
};

class FakeEngineFactory : public BrowserEngineFactory
{
public:
    BrowserEngine *createEngine(QWidget *host, BrowserEngineEvents *events, QString *error) override
    {
        if (!failure.isEmpty()) {
            *error = failure;
            return nullptr;
        }
        engine = new FakeEngine(host, events);
        return engine;
    }

    QString failure;               // when set, the engine refuses to start with this reason
    FakeEngine *engine = nullptr;  // the last one made (owned by the browser control)
};
