// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Shows the window (restoring it when minimised), raises it and asks for the input focus. Returns whether it
// is the active window afterwards; a window manager may refuse or grant the request later.
bool ForceForeground(QWidget* window);

// Keeps the window above ordinary windows, or puts it back among them, without moving or resizing it.
void SetTopMost(QWidget* window, bool onTop);
