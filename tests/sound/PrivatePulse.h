// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/IAudio.h"

#include <QProcess>
#include <QTemporaryDir>

// A PulseAudio server of the test's own whose only output is a null sink: whatever is played there is heard by
// nobody and can be recorded from its monitor. Clients started afterwards in this process use it.
class PrivatePulse
{
public:
    PrivatePulse();
    ~PrivatePulse();
    bool IsRunning() const { return m_running; }
    QString Why() const { return m_why; }

    void StartRecording();
    // Stops the recording; the peak level of each 50 ms window of it.
    QList<int> StopRecording();
    // The peaks recorded so far, the recording going on.
    QList<int> Peaks() const;

private:
    QTemporaryDir m_dir;
    QProcess m_server;
    QProcess m_recorder;
    bool m_running = false;
    QString m_why;
};

// The first and last 50 ms windows louder than near-silence, or -1 when the whole recording is silent.
int FirstLoud(const QList<int>& peaks);
int LastLoud(const QList<int>& peaks);

// The private server of this test program, started on first use; tests skip when it cannot start.
PrivatePulse& Pulse();

// The sound output of the built module, loaded as the program loads it.
std::unique_ptr<IAudio> LoadAudioModule();
