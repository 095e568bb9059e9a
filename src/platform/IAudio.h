// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <memory>

// Sound output: music files opened under an alias, the looping alert and single tones. Aliases are shared by
// the whole program: opening a file on an alias ends whatever another user had playing there. Nothing here
// blocks: opening and playing start the work and return; the state is read back by polling.
class IAudio
{
public:
    virtual ~IAudio() = default;

    // Closes the alias, then opens the file on it. False when the file cannot be read or is of a refused kind.
    virtual bool Open(const QString& alias, const QString& file) = 0;
    // Plays from `fromMs`, or from the current position when it is -1.
    virtual bool Play(const QString& alias, int fromMs = -1) = 0;
    virtual bool Seek(const QString& alias, int toMs) = 0;
    virtual bool Close(const QString& alias) = 0;
    // Length and position in milliseconds; 0 when not known (not open, or still loading).
    virtual int GetLength(const QString& alias) = 0;
    virtual int GetPosition(const QString& alias) = 0;
    // True while the alias is playing; false when it is paused, stopped, at its end or not open.
    virtual bool IsPlaying(const QString& alias) = 0;
    // True when the file on the alias turned out to be unplayable after it was opened.
    virtual bool HasFailed(const QString& alias) = 0;

    // The short built-in alert, repeated until StopAlert. False when it cannot be played here.
    virtual bool StartAlert() = 0;
    virtual void StopAlert() = 0;
    // One tone of `ms` milliseconds; returns at once.
    virtual bool Tone(int freqHz, int ms) = 0;
};

namespace Audio {

// The one alias every ring and preview plays music on.
inline QString MusicAlias()
{
    return QStringLiteral("TestMusic");
}

// The sound output in force. Built on first use by the factory the program installed, so the media stack
// costs nothing until something rings; without a factory (tools, tests) everything stays silent.
IAudio& Output();
void SetFactory(std::function<std::unique_ptr<IAudio>()> factory);
std::function<std::unique_ptr<IAudio>()> Factory();
// Replaces the output (tests); nullptr goes back to the factory's.
void SetOutput(std::shared_ptr<IAudio> output);
// The output set or built so far (null before first use), so a temporary replacement can put it back.
std::shared_ptr<IAudio> InstalledOutput();

// Called once per run with the reason when nothing can be heard (no sound device, no sound server).
void SetNoSoundHandler(std::function<void(const QString& reason)> handler);
std::function<void(const QString& reason)> NoSoundHandler();
void ReportNoSound(const QString& reason);

// Minutes and seconds without leading zeros and without wrapping into hours: 65000 -> "1:5".
QString FormatMs(qint64 ms);
// Formats no player here can play (the RealMedia family, told by the last three characters of the name).
bool IsRefusedFormat(const QString& file);

}  // namespace Audio
