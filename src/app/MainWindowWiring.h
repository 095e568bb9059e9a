// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class frmMain;

// Joins the main window to the program-wide hooks through which parts that know nothing of it reach it: the
// calendar (the tasks of a day, the editor for a clicked day), the editor's date picker, the windows of page
// checks, and the power commands of due tasks (counted down in the window's shutdown dialog while it is loaded).
// Made after the window and gone before it; going, it takes the hooks back out.
class MainWindowWiring
{
public:
    explicit MainWindowWiring(frmMain& window);
    ~MainWindowWiring();
    MainWindowWiring(const MainWindowWiring&) = delete;
    MainWindowWiring& operator=(const MainWindowWiring&) = delete;

private:
    frmMain& m_window;
};
