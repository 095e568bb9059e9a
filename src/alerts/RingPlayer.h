// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"

#include <QObject>
#include <QString>

class CTask;
class QTimer;

// The sound engine of one ring: the beep of a priority, the built-in alert, or a music file. The reminder
// prompt owns one per ringing task and deletes it when the task is settled; the task editor owns one for its
// "试听" preview. A ring replays music shorter than a minute until a minute has passed, then lets it end; a
// preview plays once. Deleting the player silences it.
//
// Editor wiring: `optRingType` -> SetRingType, `lstPriority` -> SetTaskPriority, `cboRingFile` text ->
// SetRingFile, `chkTestRing` toggled -> SetTesting; testingChanged -> `chkTestRing` (the music ended by itself),
// lengthTextChanged -> `lblLength`.
class RingPlayer : public QObject
{
    Q_OBJECT

public:
    enum class Mode { Preview, Ring };

    struct BeepPattern
    {
        int count;  // beeping ticks per cycle
        int pause;  // silent ticks after them
        int freq;  // Hz
        int len;  // ms
    };
    static BeepPattern BeepPatternFor(int priority);

    explicit RingPlayer(Mode mode = Mode::Preview, QObject* parent = nullptr);
    ~RingPlayer() override;

    // Starts ringing for a fired task, with its priority, ring type and ring file.
    void ShowAsRing(const CTask& task);
    QString TaskKey() const { return m_taskKey; }

    void SetTaskPriority(int priority);
    // Selecting a ring type restarts a running preview with the new type; "no sound" stops it.
    void SetRingType(int type);
    int RingType() const { return m_eRingType; }
    void SetRingFile(const QString& text) { m_sRingFile = text; }
    QString RingFile() const { return m_sRingFile; }

    // The on/off switch of the engine.
    void SetTesting(bool on);
    bool IsTesting() const { return m_testing; }
    // "position / length" of the music, empty when nothing plays.
    QString LengthText() const { return m_lengthText; }

    // One step of the 100 ms ring timer; public so tests can step through time.
    void Tick();
    bool TimerActive() const;

signals:
    void testingChanged(bool on);
    void lengthTextChanged(const QString& text);

private:
    void Start();
    void Stop();
    void SetLengthText(const QString& text);

    Mode m_mode;
    QTimer* m_tmrRing = nullptr;
    QString m_taskKey;
    QString m_sRingFile;
    int m_eRingType = 0;
    bool m_testing = false;
    bool m_bMusicOpened = false;
    bool m_alertOn = false;
    bool m_bLoop = false;
    Instant m_dtRingStart = 0;
    int m_lLength = 0;
    int m_lPosition = 0;
    BeepPattern m_beep;
    int m_beepTick = 0;
    int m_musicTick = 0;
    QString m_lengthText;
};
