// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Autorun.h"
#include "base/AppVersion.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// Points the per-user configuration (and the home folder, the fallback) at a temporary folder.
class XdgConfigGuard
{
public:
    XdgConfigGuard()
        : m_oldConfig(qgetenv("XDG_CONFIG_HOME"))
        , m_oldHome(qgetenv("HOME"))
        , m_hadConfig(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", config().toUtf8());
        qputenv("HOME", m_dir.filePath(QStringLiteral("home")).toUtf8());
    }
    ~XdgConfigGuard()
    {
        if (m_hadConfig)
            qputenv("XDG_CONFIG_HOME", m_oldConfig);
        else
            qunsetenv("XDG_CONFIG_HOME");
        qputenv("HOME", m_oldHome);
    }
    QString config() const { return m_dir.filePath(QStringLiteral("config")); }
    QString entry() const { return config() + QStringLiteral("/autostart/tickwell.desktop"); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldConfig, m_oldHome;
    bool m_hadConfig;
};

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void WriteFile(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

}  // namespace

TEST(Autorun, WritesReadsAndRemovesTheAutostartEntry)
{
    XdgConfigGuard env;
    XdgAutorun autorun(AppTitle(), QStringLiteral("/opt/tw dir/tickwell"));
    EXPECT_EQ(autorun.EntryPath(), env.entry());
    EXPECT_FALSE(autorun.Read());
    EXPECT_TRUE(autorun.Set(false));  // nothing there, nothing asked: success

    ASSERT_TRUE(autorun.Set(true));
    const QString text = ReadAll(env.entry());
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=\"/opt/tw dir/tickwell\" -m\n")));
    EXPECT_EQ(autorun.Read().value_or(QString()), QStringLiteral("\"/opt/tw dir/tickwell\" -m"));

    ASSERT_TRUE(autorun.Set(false));
    EXPECT_FALSE(QFileInfo::exists(env.entry()));
    EXPECT_FALSE(autorun.Read());
}

TEST(Autorun, QuotesPathsThatHoldSpecialCharacters)
{
    XdgConfigGuard env;
    const QString odd = QStringLiteral("/tmp/a \"b\" $HOME `x` 100% \\c/tickwell");
    XdgAutorun autorun(AppTitle(), odd);
    ASSERT_TRUE(autorun.Set(true));
    const auto exec = autorun.Read();
    ASSERT_TRUE(exec);
    EXPECT_EQ(ExecProgram(*exec), odd);
    EXPECT_TRUE(exec->endsWith(QStringLiteral(" -m")));

    // A path that cannot be written into the entry is refused, not half written.
    EXPECT_FALSE(XdgAutorun(AppTitle(), QStringLiteral("/tmp/line\nbreak")).Set(true));
    EXPECT_FALSE(XdgAutorun(AppTitle(), odd, QStringLiteral("/tmp/line\nbreak")).Set(true));

    // A program started on a folder of its own comes back on it.
    XdgAutorun own(AppTitle(), odd, QStringLiteral("/home/u/my tasks"));
    ASSERT_TRUE(own.Set(true));
    EXPECT_EQ(ExecProgram(own.Read().value_or(QString())), odd);
    EXPECT_TRUE(own.Read().value_or(QString()).endsWith(QStringLiteral(" -m --data-dir \"/home/u/my tasks\"")));
}

TEST(Autorun, FailsWhenTheFolderCannotBeWritten)
{
    XdgConfigGuard env;
    // The configuration folder is a file: nothing can be created below it.
    WriteFile(env.config(), QStringLiteral("not a folder"));
    XdgAutorun autorun(AppTitle(), QStringLiteral("/opt/tw/tickwell"));
    EXPECT_FALSE(autorun.Set(true));
}

TEST(Autorun, UsesTheHomeFolderWhenTheConfigVariableIsNotAbsolute)
{
    XdgConfigGuard env;
    qputenv("XDG_CONFIG_HOME", "relative/config");
    XdgAutorun autorun(AppTitle(), QStringLiteral("/opt/tw/tickwell"));
    EXPECT_EQ(autorun.EntryPath(), env.path(QStringLiteral("home/.config/autostart/tickwell.desktop")));
}

TEST(Autorun, StartUpRewritesAnEntryForAnotherPathOnly)
{
    XdgConfigGuard env;
    const QString here = QStringLiteral("/opt/tw/tickwell");
    XdgAutorun autorun(AppTitle(), here);

    // No entry: reported off, nothing written.
    EXPECT_FALSE(CheckAutorunAtStart(autorun, here));
    EXPECT_FALSE(QFileInfo::exists(env.entry()));

    // An entry left by a copy in another folder is moved to this one.
    WriteFile(env.entry(), QStringLiteral("[Desktop Entry]\nType=Application\nExec=\"/old/place/tickwell\" -m\n"));
    EXPECT_TRUE(CheckAutorunAtStart(autorun, here));
    EXPECT_EQ(ExecProgram(autorun.Read().value_or(QString())), here);
    EXPECT_EQ(ReadAll(env.entry()), autorun.EntryText());

    // An entry for this program is left exactly as the user may have edited it.
    const QString edited = QStringLiteral("[Desktop Entry]\nType=Application\nName=mine\nExec=/opt/tw/tickwell -m\n");
    WriteFile(env.entry(), edited);
    EXPECT_TRUE(CheckAutorunAtStart(autorun, here));
    EXPECT_EQ(ReadAll(env.entry()), edited);
}
