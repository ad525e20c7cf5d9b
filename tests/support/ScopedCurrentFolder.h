// Makes a folder the working folder for a scope: a file the code under test writes under a bare
// name (a dialog's proposed name, say) lands where the test looks.
#pragma once

#include <QDir>

class ScopedCurrentFolder
{
public:
    explicit ScopedCurrentFolder(const QString &folder)
        : m_previous(QDir::currentPath())
        , m_entered(QDir::setCurrent(folder))
    {
    }
    ~ScopedCurrentFolder() { QDir::setCurrent(m_previous); }
    ScopedCurrentFolder(const ScopedCurrentFolder &) = delete;
    ScopedCurrentFolder &operator=(const ScopedCurrentFolder &) = delete;

    bool entered() const { return m_entered; }

private:
    QString m_previous;
    bool m_entered;
};
