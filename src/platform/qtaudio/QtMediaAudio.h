// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AudioModule.h"

#include <QObject>

#include <map>

class QAudioSink;
class QBuffer;
class QIODevice;
class QMediaPlayer;
class QAudioOutput;

// Sound through Qt Multimedia: each alias is a media player of its own; the alert is the built-in wave fed
// endlessly to an audio sink (a looping player where no output is listed); tones are generated here. Players are made
// on first use. It is the sound module (built as libtickwell_audio.so, see AudioModule.h): it reaches the
// program only through the reporter it is given.
class QtMediaAudio : public QObject, public IAudio
{
    Q_OBJECT

public:
    explicit QtMediaAudio(Audio::NoSoundReporter noSound);
    ~QtMediaAudio() override;

    bool Open(const QString& alias, const QString& file) override;
    bool Play(const QString& alias, int fromMs) override;
    bool Seek(const QString& alias, int toMs) override;
    bool Close(const QString& alias) override;
    int GetLength(const QString& alias) override;
    int GetPosition(const QString& alias) override;
    bool IsPlaying(const QString& alias) override;
    bool HasFailed(const QString& alias) override;
    bool StartAlert() override;
    void StopAlert() override;
    bool Tone(int freqHz, int ms) override;

private:
    struct Channel
    {
        QMediaPlayer* player = nullptr;
        bool failed = false;
    };
    Channel* Find(const QString& alias);
    QMediaPlayer* MakePlayer(bool* failedFlag);

    Audio::NoSoundReporter m_noSound;
    std::map<QString, Channel> m_channels;  // stable addresses: the error handlers keep a pointer to `failed`
    QMediaPlayer* m_alert = nullptr;
    bool m_alertFailed = false;
    bool m_alertWanted = false;  // started and not stopped: it plays on whatever the player does
    QAudioSink* m_alertSink = nullptr;
    QIODevice* m_alertPcm = nullptr;
    QAudioSink* m_sink = nullptr;
    QBuffer* m_tone = nullptr;
};
