// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A real calendar server for one test, started on 127.0.0.1 at a free port with its storage in a temporary folder:
// Radicale with an htpasswd user, or Xandikos (which has no authentication of its own). Stop() keeps the
// storage and the port, so Start() again brings the same server back.
class DavServer
{
public:
    enum class Kind { Radicale, Xandikos };

    explicit DavServer(Kind kind);
    ~DavServer();
    DavServer(const DavServer&) = delete;
    DavServer& operator=(const DavServer&) = delete;

    // Starts the server and waits until it accepts connections; false with the reason (the program is missing,
    // it exited, it never answered).
    bool Start(QString* error);
    void Stop();
    // Stops or continues the server's process: while frozen it accepts connections but never answers (a hung
    // server, not a missing one).
    void Freeze(bool frozen);
    bool IsRunning() const;

    Kind kind() const { return m_kind; }
    QString Name() const;  // "Radicale" / "Xandikos", for test names and messages
    QString BaseUrl() const;  // "http://127.0.0.1:PORT/"
    // Where the user's calendars live, with a trailing slash: Radicale "/alice/", Xandikos "/user/calendars/".
    QString HomeUrl() const;
    QString User() const { return QStringLiteral("alice"); }
    QString Password() const { return QStringLiteral("Pa55-wörd"); }
    quint16 Port() const { return m_port; }
    QString StoragePath() const { return m_dir.path(); }
    // Radicale only: serve https with this certificate and key (PEM files), from the next Start().
    void SetTls(const QString& certificate, const QString& key)
    {
        m_certificate = certificate;
        m_key = key;
    }

    // Whether the program of that kind is installed (a test is skipped, not failed, without it).
    static bool Available(Kind kind);
    static quint16 FreePort();

private:
    bool WriteRadicaleConfig(QString* error);
    bool WaitUntilListening(int timeoutMs, QString* error);
    QString LogTail() const;

    Kind m_kind;
    QTemporaryDir m_dir;
    quint16 m_port = 0;
    QString m_certificate;
    QString m_key;
    std::unique_ptr<QProcess> m_process;
};
