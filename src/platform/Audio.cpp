// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/IAudio.h"

namespace {

class SilentAudio : public IAudio
{
public:
    bool Open(const QString&, const QString&) override { return false; }
    bool Play(const QString&, int) override { return false; }
    bool Seek(const QString&, int) override { return false; }
    bool Close(const QString&) override { return false; }
    int GetLength(const QString&) override { return 0; }
    int GetPosition(const QString&) override { return 0; }
    bool IsPlaying(const QString&) override { return false; }
    bool HasFailed(const QString&) override { return false; }
    bool StartAlert() override { return false; }
    void StopAlert() override { }
    bool Tone(int, int) override { return false; }
};

struct State
{
    std::function<std::unique_ptr<IAudio>()> factory;
    std::shared_ptr<IAudio> output;
    std::function<void(const QString&)> noSound;
    bool noSoundReported = false;
};

State& S()
{
    static State state;
    return state;
}

}  // namespace

namespace Audio {

IAudio& Output()
{
    State& s = S();
    if (!s.output) {
        std::unique_ptr<IAudio> made = s.factory ? s.factory() : nullptr;
        s.output = made ? std::shared_ptr<IAudio>(std::move(made)) : std::make_shared<SilentAudio>();
    }
    return *s.output;
}

void SetFactory(std::function<std::unique_ptr<IAudio>()> factory)
{
    S().factory = std::move(factory);
    S().output.reset();
}

std::function<std::unique_ptr<IAudio>()> Factory()
{
    return S().factory;
}

void SetOutput(std::shared_ptr<IAudio> output)
{
    S().output = std::move(output);
}

std::shared_ptr<IAudio> InstalledOutput()
{
    return S().output;
}

std::function<void(const QString&)> NoSoundHandler()
{
    return S().noSound;
}

void SetNoSoundHandler(std::function<void(const QString&)> handler)
{
    S().noSound = std::move(handler);
    S().noSoundReported = false;
}

void ReportNoSound(const QString& reason)
{
    State& s = S();
    if (s.noSoundReported)
        return;
    s.noSoundReported = true;
    if (s.noSound)
        s.noSound(reason);
}

}  // namespace Audio
