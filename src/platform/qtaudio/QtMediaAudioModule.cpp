// SPDX-License-Identifier: GPL-3.0-or-later
// The entry point of the sound module; the program finds it by name (Audio::kModuleEntryName).
#include "platform/qtaudio/QtMediaAudio.h"

extern "C" Q_DECL_EXPORT IAudio* tickwell_audio_create(Audio::NoSoundReporter noSound)
{
    return new QtMediaAudio(noSound);
}
