// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a signal delivered on the event loop, so that a session manager or
// `kill` ends the program through the same quit path as the menu (saving the data file). The handler itself
// only writes one byte to a socket pair; everything else happens in the event loop.
class UnixSignalQuit : public QObject
{
    Q_OBJECT

public:
    explicit UnixSignalQuit(QObject* parent = nullptr);
    ~UnixSignalQuit() override;

    // False when the socket pair or the handlers could not be set up.
    bool IsInstalled() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void quitRequested();

private:
    void OnReadable();

    QSocketNotifier* m_notifier = nullptr;
};
