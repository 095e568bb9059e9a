// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class frmMain;

// Ends the program: unloads the windows (which saves the data file), deletes the temporary files made
// during the run and leaves the event loop. Safe to call more than once.
void QuitApp(frmMain& mainWindow);
