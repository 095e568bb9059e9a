// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/WindowHelpers.h"

#include <QWidget>

bool ForceForeground(QWidget* window)
{
    if (!window)
        return false;
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
    return window->isActiveWindow();
}

void SetTopMost(QWidget* window, bool onTop)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Changing the flags of a shown window hides it; put it back as it was.
    const bool visible = window->isVisible();
    const QRect geometry = window->geometry();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible) {
        window->setGeometry(geometry);
        window->show();
    }
}
