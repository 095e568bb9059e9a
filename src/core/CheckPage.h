// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <memory>

// The window that watches a custom event on a page (a task whose check is an .htm/.html file). The page
// reports its event by calling the program; the window is the page host of the windows, reached from the
// model only through this interface.
class ICheckPage
{
public:
    virtual ~ICheckPage() = default;
    // Loads the local page file; false (and nothing loaded) when there is no such file.
    virtual bool Init(const QString& pageFile) = 0;
    // False once the user has closed a window that may be closed; a new one is made then.
    virtual bool IsLoaded() const = 0;
    // Closing by the user only hides the window.
    virtual void SetDontCloseByUser(bool on) = 0;
    virtual void Show(const QString& caption, bool visible) = 0;
};

namespace CheckPages {

// Makes a check window that calls `onUserEvent` with the page's text when its event happens. Without a
// factory (no page host in this program) page checks never start and never fire.
using Factory = std::function<std::unique_ptr<ICheckPage>(std::function<void(const QString&)> onUserEvent)>;
void SetFactory(Factory factory);
const Factory& CurrentFactory();

}  // namespace CheckPages
