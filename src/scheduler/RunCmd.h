#pragma once

#include <QString>

#include <functional>
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

namespace TaskCommands {

// The opener in force; nullptr restores the desktop's one.
void SetDesktopOpener(std::shared_ptr<IDesktopOpener> opener);
std::shared_ptr<IDesktopOpener> DesktopOpener();

// Receives the power-action commands (those beginning with "@") and says whether the action was accepted.
// Without a handler such commands are refused.
using PowerHandler = std::function<bool(const QString& command)>;
void SetPowerHandler(PowerHandler handler);

}  // namespace TaskCommands

// Starts the action command of a task: a program with its parameters, a document or a web address,
// or (beginning with "@") a power action. A leading "-" asks for the program to start hidden. An empty
// start folder means the program folder. True when the command was started.
bool RunCmd(const QString& command, const QString& startDir);
