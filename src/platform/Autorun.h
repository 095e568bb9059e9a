// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The per-user entry that starts the program hidden when the user logs in.
class IAutorun
{
public:
    virtual ~IAutorun() = default;
    // The command the entry runs, or nothing when there is no entry or it cannot be read.
    virtual std::optional<QString> Read() const = 0;
    // Writes the entry (the program path in double quotes followed by " -m") or removes it, then reads it back:
    // true when it now holds exactly what was asked (no entry at all when disabling).
    virtual bool Set(bool enable) = 0;
};

// The freedesktop autostart entry: $XDG_CONFIG_HOME/autostart/tickwell.desktop (~/.config when the variable
// is unset or not absolute), a desktop entry whose Exec line runs the program with "-m".
class XdgAutorun : public IAutorun
{
public:
    // `title` is the entry's name as the desktop's start-up settings list it; the program path defaults to
    // the running executable. `dataFolder`, when not empty, is passed on with --data-dir: a program started on
    // a folder of its own must come back on that folder at the next log-in.
    explicit XdgAutorun(QString title, QString programPath = QString(), QString dataFolder = QString());

    std::optional<QString> Read() const override;
    bool Set(bool enable) override;

    QString EntryPath() const;
    QString ProgramPath() const { return m_programPath; }
    // The Exec value written: the quoted program path and " -m" (then --data-dir and the quoted folder).
    QString ExecLine() const;
    // The whole file written when enabling.
    QString EntryText() const;

private:
    QString m_title;
    QString m_programPath;
    QString m_dataFolder;
};

// The first word of an Exec value with its quoting undone (the program the entry runs).
QString ExecProgram(const QString& exec);

// The start-up check: when an entry exists it is reported as on (true); when it names another program path,
// for instance after the program moved, it is rewritten for this one. Failures to rewrite are ignored here.
bool CheckAutorunAtStart(IAutorun& autorun, const QString& programPath);
