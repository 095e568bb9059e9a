// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/IAudio.h"

// The sound output on the media stack lives in a module of its own (libtickwell_audio.so), loaded by the first
// ring: a program that never rings never maps the media libraries. The module keeps no copy of the program's
// sound state; what it has to tell goes through the reporter it is handed.
namespace Audio {

using NoSoundReporter = void (*)(const QString& reason);
// The module's one entry point: a new output, owned by the caller.
using ModuleEntry = IAudio* (*)(NoSoundReporter noSound);
inline constexpr char kModuleEntryName[] = "tickwell_audio_create";

// The output of the module in `file`, reporting through ReportNoSound; nullptr (the reason told once through
// the no-sound handler) when the file is missing or is not a working module.
std::unique_ptr<IAudio> LoadModule(const QString& file);
// The program's factory: the module found on the module search path.
std::unique_ptr<IAudio> LoadSystemModule();

}  // namespace Audio
