// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/RingPlayer.h"

#include "core/CTask.h"
#include "base/MsgBox.h"
#include "base/Resources.h"
#include "platform/IAudio.h"
#include "timerules/Clock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

namespace {

// Music shorter than this is replayed in a ring, and a ring replays for at most this long.
constexpr int kLoopLimitMs = 60000;
constexpr qint64 kRingSeconds = 60;

// The alias is shared by every player; only the last one to open it may close it, so settling one task does
// not silence the music another task started after it.
const RingPlayer* g_musicOwner = nullptr;
// The alert is shared too: it stops when the last player using it stops.
int g_alertUsers = 0;

}  // namespace

RingPlayer::BeepPattern RingPlayer::BeepPatternFor(int priority)
{
    priority = qBound(0, priority, 3);
    return { priority < 2 ? 2 : 4, priority < 2 ? 4 : 5, 800 + 150 * priority, 80 - 20 * priority };
}

RingPlayer::RingPlayer(Mode mode, QObject* parent)
    : QObject(parent)
    , m_mode(mode)
    , m_beep(BeepPatternFor(1))
{
    m_tmrRing = new QTimer(this);
    m_tmrRing->setObjectName(QStringLiteral("tmrRing"));
    m_tmrRing->setInterval(100);
    connect(m_tmrRing, &QTimer::timeout, this, &RingPlayer::Tick);
}

RingPlayer::~RingPlayer()
{
    if (m_testing)
        Stop();
}

bool RingPlayer::TimerActive() const
{
    return m_tmrRing->isActive();
}

void RingPlayer::ShowAsRing(const CTask& task)
{
    m_mode = Mode::Ring;
    SetTaskPriority(task.ePriority);
    SetRingType(task.eRingType);
    m_taskKey = task.Key();
    m_sRingFile = task.sRingFile;
    m_dtRingStart = Clock::Now();
    // Whether the music is short enough to repeat is known only once its length has been read; it is decided
    // when it ends.
    m_bLoop = m_eRingType == rtMusic;
    SetTesting(true);
}

void RingPlayer::SetTaskPriority(int priority)
{
    m_beep = BeepPatternFor(priority);
}

void RingPlayer::SetRingType(int type)
{
    m_eRingType = qBound(0, type, 2);
    if (m_eRingType == rtNone) {
        SetTesting(false);
        return;
    }
    if (m_testing) {
        SetTesting(false);
        SetTesting(true);
    }
}

void RingPlayer::SetTesting(bool on)
{
    if (on == m_testing)
        return;
    m_testing = on;
    if (on) {
        Start();
        // Nothing to play (no file, a missing or refused one): the switch reads off again, unannounced.
        if (m_testing && !m_tmrRing->isActive())
            m_testing = false;
    } else {
        Stop();
    }
    // A start can end at once (the music failed): the switch then reads off and was announced so already.
    if (m_testing == on)
        emit testingChanged(on);
}

void RingPlayer::Start()
{
    IAudio& audio = Audio::Output();
    if (m_eRingType == rtMusic) {
        const QString text = m_sRingFile.trimmed();
        if (text.isEmpty())
            return;
        const QString file = Resources::ResolveRingFile(text);
        if (!QFileInfo(file).isFile()) {
            // A ring without its file still shows its task; only the editor says what is wrong.
            if (m_mode == Mode::Preview)
                MsgBox::Show(tr("音乐文件不存在: %1").arg(m_sRingFile), MsgButtons::Ok, MsgIcon::Warning);
            return;
        }
        if (!audio.Open(Audio::MusicAlias(), file)) {
            MsgBox::Show(tr("无法打开音乐文件或文件格式不支持: %1").arg(m_sRingFile), MsgButtons::Ok, MsgIcon::Warning);
            return;
        }
        g_musicOwner = this;
        audio.Play(Audio::MusicAlias(), -1);
        m_bMusicOpened = true;
        m_musicTick = 0;
        Tick();
    } else if (m_eRingType == rtBeep) {
        // Where the alert cannot play, the timer beeps the priority's pattern instead.
        m_beepTick = 0;
        if (audio.StartAlert()) {
            m_alertOn = true;
            ++g_alertUsers;
        }
    }
    // The ring may have been stopped by the first tick (the music failed at once).
    if (m_testing)
        m_tmrRing->start();
}

void RingPlayer::Stop()
{
    IAudio& audio = Audio::Output();
    if (m_bMusicOpened) {
        if (g_musicOwner == this) {
            audio.Close(Audio::MusicAlias());
            g_musicOwner = nullptr;
        }
        m_bMusicOpened = false;
    }
    if (m_alertOn) {
        m_alertOn = false;
        if (--g_alertUsers == 0)
            audio.StopAlert();
    }
    SetLengthText(QString());
    m_tmrRing->stop();
}

void RingPlayer::Tick()
{
    IAudio& audio = Audio::Output();
    if (m_eRingType == rtBeep) {
        if (m_alertOn) {
            m_tmrRing->stop();  // the alert repeats by itself
            return;
        }
        if (m_beepTick < m_beep.count)
            audio.Tone(m_beep.freq, m_beep.len);
        else if (m_beepTick - m_beep.count >= m_beep.pause - 1)
            m_beepTick = -1;
        ++m_beepTick;
        return;
    }
    if (m_eRingType != rtMusic || !m_bMusicOpened)
        return;
    if (m_musicTick % 10 == 0) {
        m_musicTick = 0;
        const QString alias = Audio::MusicAlias();
        if (g_musicOwner != this) {
            // Another ring or the preview took the alias: this one has nothing left to play.
            m_bMusicOpened = false;
            SetTesting(false);
            return;
        }
        if (audio.HasFailed(alias)) {
            MsgBox::Show(tr("无法打开音乐文件或文件格式不支持: %1").arg(m_sRingFile), MsgButtons::Ok, MsgIcon::Warning);
            SetTesting(false);
            return;
        }
        m_lLength = audio.GetLength(alias);
        m_lPosition = audio.GetPosition(alias);
        SetLengthText(Audio::FormatMs(m_lPosition) + QStringLiteral(" / ") + Audio::FormatMs(m_lLength));
        if (!audio.IsPlaying(alias)) {
            const bool ringOver = m_mode == Mode::Ring && SecondDiff(m_dtRingStart, Clock::Now()) > kRingSeconds;
            if (m_mode == Mode::Ring && m_bLoop && m_lLength < kLoopLimitMs && !ringOver) {
                audio.Seek(alias, 0);
                audio.Play(alias, 0);
            } else {
                const int length = m_lLength;
                SetTesting(false);
                SetLengthText(Audio::FormatMs(0) + QStringLiteral(" / ") + Audio::FormatMs(length));
            }
        }
    }
    ++m_musicTick;
}

void RingPlayer::SetLengthText(const QString& text)
{
    if (text == m_lengthText)
        return;
    m_lengthText = text;
    emit lengthTextChanged(text);
}
