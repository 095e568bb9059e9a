// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Resources.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

class ResourcesTest : public ::testing::Test
{
protected:
    // One on-demand page for the temporary folder, made from a built-in ringtone's bytes.
    ResourcesTest()
    {
        m_source = QStringLiteral(":/ringtones/R1.mid");
        m_bytes = Read(m_source);
        Resources::SetPackage({ { QStringLiteral("calendar.htm"), quint32(m_bytes.size()),
            QDateTime(QDate(2011, 1, 20), QTime(15, 53, 56), Qt::UTC), Resources::LocTempFolder,
            Resources::FlagOnDemand, m_source } });
    }
    ~ResourcesTest() override { Resources::SetPackage(Resources::ShippedPackage()); }

    ProgramFolderGuard m_folder;
    MsgBoxGuard m_msg;
    QString m_source;
    QByteArray m_bytes;
};

}  // namespace

TEST_F(ResourcesTest, TheFirstOpenWritesTheFileAndLaterOnesDoNotTouchTheDisk)
{
    ASSERT_FALSE(m_bytes.isEmpty());
    Resources::InstallResources();  // on demand only: nothing yet
    const QString path = m_folder.file(QStringLiteral("calendar.htm"));
    EXPECT_FALSE(QFile::exists(path));

    EXPECT_EQ(Resources::GetResFile(QStringLiteral("Calendar.htm")), path);
    EXPECT_EQ(Read(path), m_bytes);
    QFile::remove(path);
    EXPECT_EQ(Resources::GetResFile(QStringLiteral("CALENDAR.HTM")), path);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(Resources::GetResFile(QStringLiteral("nothing.htm")), QString());
}

// A file of the packaged size, written after the package was made, is kept; anything else is written again.
TEST_F(ResourcesTest, AnOutdatedOrTruncatedFileIsRewritten)
{
    const QString path = m_folder.file(QStringLiteral("calendar.htm"));
    struct Case
    {
        QByteArray onDisk;
        QDateTime modified;
        bool kept;
    } cases[] = {
        { m_bytes.left(10), QDateTime::currentDateTimeUtc(), false },
        { QByteArray(m_bytes.size(), 'x'), QDateTime::currentDateTimeUtc(), true },
        { QByteArray(m_bytes.size(), 'x'), QDateTime(QDate(2010, 1, 1), QTime(0, 0), Qt::UTC), false },
    };
    for (const Case& c : cases) {
        Write(path, c.onDisk);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.setFileTime(c.modified, QFileDevice::FileModificationTime));
        f.close();
        Resources::SetPackage(Resources::Package());  // a new run
        EXPECT_TRUE(Resources::InstallResFile(0));
        EXPECT_EQ(Read(path), c.kept ? c.onDisk : m_bytes);
    }
}

TEST_F(ResourcesTest, AFolderThatDoesNotExistHereIsAnInstallError)
{
    Resources::Package()[0].location = Resources::LocRoot;
    EXPECT_EQ(Resources::GetResFile(QStringLiteral("calendar.htm")), QString());
    ASSERT_EQ(m_msg->shown.size(), 1u);
    EXPECT_EQ(m_msg->shown[0].text, QStringLiteral("RES 0 Err(5): 程序初始化错误"));
}

TEST_F(ResourcesTest, ARingtoneIsWrittenOnce)
{
    const QStringList names = Resources::RingtoneNames();
    ASSERT_EQ(names.size(), 6);
    const QString path = Resources::ExtractRingtone(names[2]);
    EXPECT_EQ(path, m_folder.file(QStringLiteral("铃声/") + names[2] + QStringLiteral(".mid")));
    EXPECT_TRUE(Read(path).startsWith("MThd"));
    Write(path, "mine");
    EXPECT_EQ(Resources::ExtractRingtone(names[2]), path);
    EXPECT_EQ(Read(path), QByteArray("mine"));
    EXPECT_EQ(Resources::ExtractRingtone(QStringLiteral("无此铃声")), QString());

    // Every ringtone is a different tune.
    QSet<QByteArray> tunes;
    for (const QString& name : names)
        tunes.insert(Read(Resources::ExtractRingtone(name)));
    EXPECT_EQ(tunes.size(), 6);
}
