// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qtaudio/QtMediaAudio.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioOutput>
#include <QAudioSink>
#include <QBuffer>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QtMath>

#include <cmath>

Q_LOGGING_CATEGORY(lcAudio, "tickwell.audio")

namespace {

QString NoDeviceReason()
{
    return QStringLiteral("找不到可用的声音输出设备（声音服务未运行或没有声卡），提醒将不会发出声音。");
}

// Without a sound server the player may neither fail nor move: it sits at the start, "playing". On a machine
// with a sound card it can still play directly to it, so only a player that has not moved is taken as silence.
void WatchForSilence(QMediaPlayer* player)
{
    QTimer::singleShot(3000, player, [player] {
        if (player->playbackState() == QMediaPlayer::PlayingState && player->position() == 0
            && QMediaDevices::audioOutputs().isEmpty())
            Audio::ReportNoSound(NoDeviceReason());
    });
}

}  // namespace

QtMediaAudio::QtMediaAudio() = default;

QtMediaAudio::~QtMediaAudio()
{
    // Players first: their pipelines must stop before the outputs they write to go away.
    for (auto& [alias, c] : m_channels)
        if (c.player)
            c.player->stop();
    if (m_alert)
        m_alert->stop();
    if (m_sink)
        m_sink->stop();
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
                Audio::ReportNoSound(NoDeviceReason());
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
    WatchForSilence(c->player);
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
    if (!m_alert) {
        m_alert = MakePlayer(&m_alertFailed);
        m_alert->setLoops(QMediaPlayer::Infinite);
        m_alert->setSource(QUrl(QStringLiteral("qrc:/sounds/DUDU.wav")));
    }
    if (m_alertFailed)
        return false;
    m_alert->play();
    WatchForSilence(m_alert);
    return true;
}

void QtMediaAudio::StopAlert()
{
    if (m_alert)
        m_alert->stop();
}

bool QtMediaAudio::Tone(int freqHz, int ms)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        Audio::ReportNoSound(NoDeviceReason());
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

std::unique_ptr<IAudio> MakeSystemAudio()
{
    return std::make_unique<QtMediaAudio>();
}
