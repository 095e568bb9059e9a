// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/IAudio.h"
#include "support/FakeGuard.h"

#include <QFileInfo>
#include <QHash>
#include <QStringList>

// Stands in for the sound output: plays nothing, records every call, and lets a test move the music on.
// Files play for the length given in `lengths` (by file name; 0 when not listed).
class RecordingAudio : public IAudio
{
public:
    struct Channel
    {
        QString file;
        int length = 0, position = 0;
        bool playing = false;
    };

    bool Open(const QString& alias, const QString& file) override
    {
        Close(alias);
        calls << QStringLiteral("open ") + QFileInfo(file).fileName();
        if (!openResult || Audio::IsRefusedFormat(file))
            return false;
        channels[alias] = { file, lengths.value(QFileInfo(file).fileName()), 0, false };
        return true;
    }
    bool Play(const QString& alias, int fromMs) override
    {
        calls << QStringLiteral("play ") + QString::number(fromMs);
        if (!channels.contains(alias))
            return false;
        Channel& c = channels[alias];
        if (fromMs >= 0)
            c.position = fromMs;
        c.playing = c.position < c.length;
        return true;
    }
    bool Seek(const QString& alias, int toMs) override
    {
        if (!channels.contains(alias))
            return false;
        channels[alias].position = toMs;
        return true;
    }
    bool Close(const QString& alias) override
    {
        if (!channels.remove(alias))
            return false;
        calls << QStringLiteral("close");
        return true;
    }
    int GetLength(const QString& alias) override { return channels.value(alias).length; }
    int GetPosition(const QString& alias) override { return channels.value(alias).position; }
    bool IsPlaying(const QString& alias) override { return channels.value(alias).playing; }
    bool HasFailed(const QString&) override { return false; }
    bool StartAlert() override
    {
        calls << QStringLiteral("alert");
        alertOn = alertAvailable;
        return alertAvailable;
    }
    void StopAlert() override
    {
        calls << QStringLiteral("stop alert");
        alertOn = false;
    }
    bool Tone(int freqHz, int ms) override
    {
        calls << QStringLiteral("tone %1 %2").arg(freqHz).arg(ms);
        return true;
    }

    // Lets the playing music run on; it stops at its end.
    void Advance(int ms)
    {
        for (Channel& c : channels) {
            if (!c.playing)
                continue;
            c.position = qMin(c.length, c.position + ms);
            c.playing = c.position < c.length;
        }
    }
    bool MusicPlaying() const { return channels.value(Audio::MusicAlias()).playing; }

    QHash<QString, int> lengths;
    QHash<QString, Channel> channels;
    QStringList calls;
    bool openResult = true;
    bool alertAvailable = true;
    bool alertOn = false;
};

// Installs a RecordingAudio as the program's sound output for the life of the guard.
using AudioGuard = FakeGuard<RecordingAudio, IAudio>;
