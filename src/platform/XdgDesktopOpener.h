// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/IDesktopOpener.h"

// The Linux desktop opener: an executable file (found by path, in the start folder or on PATH) is started
// with the parameters split as a shell would split them, but without a shell; a document, a folder or a web
// address is handed to the desktop's opener program (xdg-open). Everything starts detached, reading nothing
// and writing its output nowhere, so it outlives the program and can never block it.
class XdgDesktopOpener : public IDesktopOpener
{
public:
    explicit XdgDesktopOpener(QString openerProgram = QStringLiteral("xdg-open"));

    bool Open(const QString& file, const QString& parameters, const QString& startDir, ShowState show) override;

private:
    QString m_openerProgram;
};
