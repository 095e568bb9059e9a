// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

// How a started program should appear. Only meaningful where the desktop can start a program without
// showing its window; elsewhere both start it the same way.
enum class ShowState { Normal, Hidden };

// Opens a program, a document or a web address the way the desktop would on a double-click. The program
// uses the desktop's own opener; tests install a recording one so nothing real is ever opened.
class IDesktopOpener
{
public:
    virtual ~IDesktopOpener() = default;
    // `file` is the first word of the command as typed (a double-quoted path keeps its quotes); `parameters`
    // the rest of the line. True when something was started.
    virtual bool Open(const QString& file, const QString& parameters, const QString& startDir, ShowState show) = 0;
};

// The desktop's own opener on this platform.
std::shared_ptr<IDesktopOpener> MakeSystemDesktopOpener();

namespace Platform {

// The opener in force; the desktop's own until a test installs another. nullptr restores the desktop's one.
std::shared_ptr<IDesktopOpener> DesktopOpener();
void SetDesktopOpener(std::shared_ptr<IDesktopOpener> opener);

}  // namespace Platform
