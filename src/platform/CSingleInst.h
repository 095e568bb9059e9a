// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QObject>
#include <QString>

#include <functional>

class QSocketNotifier;

// Lets a second start find an instance that is already running and bring it forward instead of running twice.
// It also carries requests from tickwell-cli: one line in, one line back.
// Six per-user local endpoints stand for six slots; a slot holds a live instance when its endpoint answers.
// A socket file left behind by a killed process does not answer, so it neither blocks nor misleads a later start:
// its slot counts as free and is taken over.
// The endpoints are plain local stream sockets (one line each way); the instance never waits on a peer, so a peer
// that stalls, floods or hangs up half-way cannot hold up the window.
class CSingleInst : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSlots = 6;
    enum class Outcome { RunOn, Activated };

    // `dir` is the folder that holds the endpoints; empty: the user's runtime folder (or the temporary folder with
    // the user id in the names).
    explicit CSingleInst(const QString& dir = QString(), QObject* parent = nullptr);
    ~CSingleInst() override;

    // The check of a new start: at the first live slot, `askToActivate` puts the question to the user. On Yes that
    // instance is asked to come forward and the result is Activated: the caller ends at once, before any window.
    Outcome Check(const std::function<bool()>& askToActivate);

    // Registers this instance in the first slot without a live instance (slot 0 when all six are live) so that
    // later starts find it. Runs once; returns the slot, or -1 when no endpoint could be opened.
    int Register();
    int Slot() const { return m_slot; }

    QString EndpointName(int slot) const;
    bool SlotIsLive(int slot) const;

    static QString DefaultDir();

    // Another program's request (one line of text, no line break) to the instance in `slot`. Returns the one-line
    // answer, or a null string when no instance answered there in time. `reached`: an instance took the request
    // (it may still have timed out).
    QString Request(int slot, const QString& request, int timeoutMs, bool* reached = nullptr) const;
    // What this instance answers to requests; without a handler it answers with an empty line.
    void SetRequestHandler(std::function<QString(const QString&)> handler) { m_handler = std::move(handler); }
    // For answers that take a while (a sync): the handler calls `reply` once, later; it is used before the one above.
    using Reply = std::function<void(const QString&)>;
    void SetDeferredRequestHandler(std::function<void(const QString&, Reply)> handler)
    {
        m_deferred = std::move(handler);
    }

Q_SIGNALS:
    // Another start asked for this instance's main window: restore it and bring it to the front.
    void activateRequested();

private:
    class Peer;
    void OnNewConnection();
    void OnLine(Peer* peer, QByteArrayView line);
    bool AskToActivate(int slot) const;

    QString m_dir;
    int m_listenFd = -1;
    QSocketNotifier* m_listener = nullptr;
    std::function<void(const QString&, Reply)> m_deferred;
    QString m_ownName;
    int m_slot = -1;
    std::function<QString(const QString&)> m_handler;
};
