// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qtaudio/QtMediaAudio.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioOutput>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QtEndian>
#include <QtMath>

#include <cmath>
#include <cstring>

Q_LOGGING_CATEGORY(lcAudio, "tickwell.audio")

namespace {

QString NoDeviceReason()
{
    // The module has no translator of its own: the application's, installed before it loads, serves it too.
    return QCoreApplication::translate(
        "QtMediaAudio", "找不到可用的声音输出设备（声音服务未运行或没有声卡），提醒将不会发出声音。");
}

// Without a sound server the player may neither fail nor move: it sits at the start, "playing". On a machine
// with a sound card it can still play directly to it, so only a player that has not moved is taken as silence.
void WatchForSilence(QMediaPlayer* player, Audio::NoSoundReporter noSound)
{
    QTimer::singleShot(3000, player, [player, noSound] {
        if (player->playbackState() == QMediaPlayer::PlayingState && player->position() == 0
            && QMediaDevices::audioOutputs().isEmpty())
            noSound(NoDeviceReason());
    });
}

// Endless PCM: the samples over and over, so a looping sound never depends on a player seeking back.
class LoopingPcm : public QIODevice
{
public:
    LoopingPcm(QByteArray pcm, QObject* parent)
        : QIODevice(parent)
        , m_pcm(std::move(pcm))
    {
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_pcm.isEmpty() ? 0 : m_pcm.size() + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (m_pcm.isEmpty())
            return 0;
        qint64 done = 0;
        while (done < maxSize) {
            const qint64 n = qMin(maxSize - done, qint64(m_pcm.size()) - m_pos);
            memcpy(data + done, m_pcm.constData() + m_pos, size_t(n));
            done += n;
            m_pos = (m_pos + n) % m_pcm.size();
        }
        return done;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_pcm;
    qint64 m_pos = 0;
};

// The samples of a PCM WAV file and their format; empty when the file is not one.
QByteArray WavSamples(const QByteArray& wav, QAudioFormat* format)
{
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return {};
    auto u16 = [&wav](qsizetype at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
    auto u32 = [&wav](qsizetype at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= wav.size();) {
        const QByteArray id = wav.mid(at, 4);
        const qsizetype size = u32(at + 4);
        const qsizetype body = at + 8;
        if (body + size > wav.size())
            return {};
        if (id == "fmt " && size >= 16 && u16(body) == 1 && u16(body + 14) == 16) {
            format->setChannelCount(u16(body + 2));
            format->setSampleRate(int(u32(body + 4)));
            format->setSampleFormat(QAudioFormat::Int16);
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            return wav.mid(body, size);
        }
        at = body + size + (size & 1);
    }
    return {};
}

}  // namespace

QtMediaAudio::QtMediaAudio(Audio::NoSoundReporter noSound)
    : m_noSound(noSound ? noSound : +[](const QString&) {})
{
}

QtMediaAudio::~QtMediaAudio()
{
    // Players first: their pipelines must stop before the outputs they write to go away.
    for (auto& [alias, c] : m_channels)
        if (c.player)
            c.player->stop();
    m_alertWanted = false;
    if (m_alert)
        m_alert->stop();
    if (m_sink)
        m_sink->stop();
    if (m_alertSink)
        m_alertSink->stop();
}

QMediaPlayer* QtMediaAudio::MakePlayer(bool* failedFlag)
{
    auto* player = new QMediaPlayer(this);
    auto* output = new QAudioOutput(player);
    player->setAudioOutput(output);
    connect(
        player, &QMediaPlayer::errorOccurred, this, [failedFlag, this](QMediaPlayer::Error error, const QString& text) {
            qCWarning(lcAudio) << "media error" << error << text;
            *failedFlag = true;
            // A missing output shows as a resource error on every file; a bad file does not hide the others.
            if (QMediaDevices::audioOutputs().isEmpty())
                m_noSound(NoDeviceReason());
        });
    return player;
}

QtMediaAudio::Channel* QtMediaAudio::Find(const QString& alias)
{
    auto it = m_channels.find(alias);
    return it == m_channels.end() ? nullptr : &it->second;
}

bool QtMediaAudio::Open(const QString& alias, const QString& file)
{
    Close(alias);
    const QFileInfo info(file);
    if (Audio::IsRefusedFormat(file) || !info.isFile() || !info.isReadable())
        return false;
    Channel& c = m_channels[alias];
    if (!c.player)
        c.player = MakePlayer(&c.failed);
    c.failed = false;
    c.player->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    return !c.failed;
}

bool QtMediaAudio::Play(const QString& alias, int fromMs)
{
    Channel* c = Find(alias);
    if (!c || c->player->source().isEmpty() || c->failed)
        return false;
    if (fromMs >= 0)
        c->player->setPosition(fromMs);
    c->player->play();
    WatchForSilence(c->player, m_noSound);
    return true;
}

bool QtMediaAudio::Seek(const QString& alias, int toMs)
{
    Channel* c = Find(alias);
    if (!c || c->player->source().isEmpty())
        return false;
    c->player->setPosition(toMs);
    return true;
}

bool QtMediaAudio::Close(const QString& alias)
{
    Channel* c = Find(alias);
    if (!c || c->player->source().isEmpty())
        return false;
    c->player->stop();
    c->player->setSource(QUrl());
    c->failed = false;
    return true;
}

int QtMediaAudio::GetLength(const QString& alias)
{
    Channel* c = Find(alias);
    return c ? int(c->player->duration()) : 0;
}

int QtMediaAudio::GetPosition(const QString& alias)
{
    Channel* c = Find(alias);
    return c ? int(c->player->position()) : 0;
}

bool QtMediaAudio::IsPlaying(const QString& alias)
{
    Channel* c = Find(alias);
    return c && !c->failed && c->player->playbackState() == QMediaPlayer::PlayingState
        && c->player->mediaStatus() != QMediaPlayer::EndOfMedia;
}

bool QtMediaAudio::HasFailed(const QString& alias)
{
    Channel* c = Find(alias);
    return c && c->failed;
}

bool QtMediaAudio::StartAlert()
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (!device.isNull()) {
        if (!m_alertSink) {
            QFile file(QStringLiteral(":/sounds/DUDU.wav"));
            QAudioFormat format;
            const QByteArray pcm = file.open(QIODevice::ReadOnly) ? WavSamples(file.readAll(), &format) : QByteArray();
            if (pcm.isEmpty())
                return false;
            m_alertSink = new QAudioSink(device, format, this);
            m_alertPcm = new LoopingPcm(pcm, this);
            m_alertPcm->open(QIODevice::ReadOnly);
        }
        if (m_alertSink->state() != QAudio::ActiveState)
            m_alertSink->start(m_alertPcm);
        return m_alertSink->error() == QAudio::NoError;
    }
    // No output listed (no sound server): the media player may still reach a sound card directly.
    if (!m_alert) {
        m_alert = MakePlayer(&m_alertFailed);
        m_alert->setLoops(QMediaPlayer::Infinite);
        m_alert->setSource(QUrl(QStringLiteral("qrc:/sounds/DUDU.wav")));
        // The player's own looping can end after a round when the machine is busy; the alert must not.
        connect(m_alert, &QMediaPlayer::playbackStateChanged, this, [this](QMediaPlayer::PlaybackState state) {
            if (state == QMediaPlayer::StoppedState && m_alertWanted && !m_alertFailed)
                QTimer::singleShot(0, m_alert, [this] {
                    if (m_alertWanted && m_alert->playbackState() == QMediaPlayer::StoppedState) {
                        m_alert->setPosition(0);
                        m_alert->play();
                    }
                });
        });
    }
    if (m_alertFailed)
        return false;
    m_alertWanted = true;
    m_alert->play();
    WatchForSilence(m_alert, m_noSound);
    return true;
}

void QtMediaAudio::StopAlert()
{
    if (m_alertSink)
        m_alertSink->stop();
    m_alertWanted = false;
    if (m_alert)
        m_alert->stop();
}

bool QtMediaAudio::Tone(int freqHz, int ms)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        m_noSound(NoDeviceReason());
        return false;
    }
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!m_sink) {
        m_sink = new QAudioSink(device, format, this);
        m_tone = new QBuffer(this);
    }
    m_sink->stop();
    m_tone->close();

    // A sine with short ramps at both ends, so the tone starts and stops without a click.
    const int count = format.sampleRate() * qMax(ms, 1) / 1000;
    const int ramp = qMin(count / 2, format.sampleRate() / 500);
    QByteArray pcm(count * int(sizeof(qint16)), Qt::Uninitialized);
    auto* samples = reinterpret_cast<qint16*>(pcm.data());
    for (int i = 0; i < count; ++i) {
        double env = 1.0;
        if (ramp > 0)
            env = qMin(1.0, qMin(double(i) / ramp, double(count - 1 - i) / ramp));
        samples[i] = qint16(9000.0 * env * std::sin(2.0 * M_PI * freqHz * i / format.sampleRate()));
    }
    m_tone->setData(pcm);
    m_tone->open(QIODevice::ReadOnly);
    m_sink->start(m_tone);
    return m_sink->error() == QAudio::NoError;
}
