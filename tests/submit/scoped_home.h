#pragma once

#include <QByteArray>
#include <QTemporaryDir>

namespace tarvik::testing {

// Points the user's home and configuration folders at a fresh temporary
// folder while it lives, so the download folder (and so the pages folder)
// is a private one.
class ScopedHome {
public:
    ScopedHome() : m_home(qgetenv("HOME")), m_config(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", m_folder.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (m_folder.path() + "/config").toUtf8());
    }
    ~ScopedHome()
    {
        restore("HOME", m_home);
        restore("XDG_CONFIG_HOME", m_config);
    }
    QString path() const { return m_folder.path(); }

private:
    static void restore(const char *name, const QByteArray &value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QByteArray m_home;
    QByteArray m_config;
    QTemporaryDir m_folder;
};

} // namespace tarvik::testing
