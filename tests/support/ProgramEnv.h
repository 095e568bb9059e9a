// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcessEnvironment>
#include <QString>

// The environment of a real program run in a private account under `root`: HOME, the XDG folders and the runtime
// folder (where the single-instance endpoints live) lie there, nothing of the user's. `display`: the offscreen
// platform; without it the program has no display at all.
inline QProcessEnvironment PrivateAccountEnv(const QString& root, bool display = true)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (display)
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), root + QStringLiteral("/home"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/share"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root);
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    // Tests read the program's Chinese texts, whatever the machine's language.
    env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("zh_CN"));
    return env;
}
