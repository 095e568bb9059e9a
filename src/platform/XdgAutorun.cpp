// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Autorun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString ConfigHome()
{
    // The base directory spec: a relative XDG_CONFIG_HOME is invalid and must be ignored.
    const QString env = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!env.isEmpty() && QDir::isAbsolutePath(env))
        return QDir::cleanPath(env);
    return QDir::homePath() + QStringLiteral("/.config");
}

// One argument of an Exec value, double-quoted: '"', '`', '$' and '\' escaped with '\', '%' doubled.
QString QuoteExecArgument(const QString& arg)
{
    QString out = QStringLiteral("\"");
    for (QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            out += QLatin1Char('%');
        out += c;
    }
    return out + QLatin1Char('"');
}

// A desktop-entry string value escapes its backslashes once more, and line breaks cannot appear in it.
QString EscapeValue(const QString& value)
{
    QString out = value;
    out.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return out;
}

QString UnescapeValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar n = value.at(++i);
        switch (n.unicode()) {
        case 's':
            out += QLatin1Char(' ');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        default:
            out += n;
        }
    }
    return out;
}

std::optional<QString> ReadFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(f.readAll());
}

}  // namespace

XdgAutorun::XdgAutorun(QString title, QString programPath, QString dataFolder)
    : m_title(std::move(title))
    , m_programPath(programPath.isEmpty() ? QCoreApplication::applicationFilePath() : std::move(programPath))
    , m_dataFolder(std::move(dataFolder))
{
}

QString XdgAutorun::EntryPath() const
{
    return ConfigHome() + QStringLiteral("/autostart/tickwell.desktop");
}

QString XdgAutorun::ExecLine() const
{
    QString line = QuoteExecArgument(m_programPath) + QStringLiteral(" -m");
    if (!m_dataFolder.isEmpty())
        line += QStringLiteral(" --data-dir ") + QuoteExecArgument(m_dataFolder);
    return line;
}

QString XdgAutorun::EntryText() const
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=")
        + EscapeValue(m_title)
        + QStringLiteral("\n"
                         "Exec=")
        + EscapeValue(ExecLine())
        + QStringLiteral("\n"
                         "Terminal=false\n"
                         "X-GNOME-Autostart-enabled=true\n");
}

std::optional<QString> XdgAutorun::Read() const
{
    const std::optional<QString> text = ReadFile(EntryPath());
    if (!text)
        return std::nullopt;
    bool inEntry = false;
    const QStringList lines = text->split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry || !line.startsWith(QLatin1String("Exec")))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0 || line.left(eq).trimmed() != QLatin1String("Exec"))
            continue;
        return UnescapeValue(line.mid(eq + 1).trimmed());
    }
    return std::nullopt;
}

bool XdgAutorun::Set(bool enable)
{
    const QString path = EntryPath();
    if (!enable) {
        QFile::remove(path);
        return !QFileInfo::exists(path);
    }
    // A line break in the path cannot be written into the entry: refuse rather than write a broken one.
    for (const QString& arg : { m_programPath, m_dataFolder }) {
        if (arg.contains(QLatin1Char('\n')) || arg.contains(QLatin1Char('\r')))
            return false;
    }
    const QString text = EntryText();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(text.toUtf8());
        f.commit();
    }
    return ReadFile(path).value_or(QString()) == text;
}

QString ExecProgram(const QString& exec)
{
    const QString s = exec.trimmed();
    QString out;
    if (s.startsWith(QLatin1Char('"'))) {
        for (qsizetype i = 1; i < s.size(); ++i) {
            QChar c = s.at(i);
            if (c == QLatin1Char('"'))
                break;
            if (c == QLatin1Char('\\') && i + 1 < s.size())
                c = s.at(++i);
            out += c;
        }
    } else {
        out = s.section(QLatin1Char(' '), 0, 0);
    }
    out.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return out;
}

bool CheckAutorunAtStart(IAutorun& autorun, const QString& programPath)
{
    const std::optional<QString> exec = autorun.Read();
    if (!exec)
        return false;
    if (ExecProgram(*exec) != programPath)
        autorun.Set(true);
    return true;
}
