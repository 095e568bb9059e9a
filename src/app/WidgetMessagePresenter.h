// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/MsgBox.h"

// Message and input boxes as Qt dialogs, over the active window of the program.
class WidgetMessagePresenter : public IMessagePresenter
{
public:
    MsgResult Show(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) override;
    QString Input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString SaveFileName(
        const QString& title, const QString& filter, const QString& suggested, const QString& suffix) override;
    QString OpenFileName(const QString& title, const QString& filter) override;
};
