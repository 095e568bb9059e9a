// SPDX-License-Identifier: GPL-3.0-or-later
// The sync state on disk: the index, the copies beside it and the single file of an older release.
#include "sync/SyncState.h"

#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QByteArray kEvent = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:a-1\r\nRDATE:20270101T090000Z\r\nEND:VEVENT\r\n"
                          "END:VCALENDAR\r\n";

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList Copies(const QString& folder)
{
    return QDir(SyncState::CopiesPath(folder)).entryList(QDir::Files);
}

TEST(SyncState, TheFileOfAnOlderReleaseIsReadAndReplacedOnce)
{
    QTemporaryDir dir;
    const QByteArray old
        = "<?xml version=\"1.0\"?>\n<tickwell-sync version=\"1\">"
          "<account server=\"https://dav.example/\" user=\"u\" calendar=\"https://dav.example/c/\" "
          "name=\"任务\" interval=\"600\"/><state token=\"t-1\" last-sync=\"2026-12-01T08:00:00Z\"/>"
          "<item uid=\"a-1\" href=\"/c/a-1.ics\" etag=\"&quot;e1&quot;\" local=\"d1\">"
        + kEvent.toBase64()
        + "</item><item uid=\"b-2\" href=\"/c/b.ics\" etag=\"e2\" ignored=\"1\"></item></tickwell-sync>";
    ASSERT_TRUE(Write(SyncState::OldFilePath(dir.path()), old));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        SyncState s;
        QString error;
        ASSERT_TRUE(s.Load(SyncState::FilePath(dir.path()), &error)) << error.toStdString();
        EXPECT_EQ(s.calendarUrl, QStringLiteral("https://dav.example/c/"));
        EXPECT_EQ(s.calendarName, QStringLiteral("任务"));
        EXPECT_EQ(s.intervalSeconds, 600);
        EXPECT_EQ(s.token, QStringLiteral("t-1"));
        EXPECT_EQ(s.lastSync, QDateTime(QDate(2026, 12, 1), QTime(8, 0), Qt::UTC));
        ASSERT_EQ(s.items.size(), 2);
        const SyncItem& a = s.items[QStringLiteral("a-1")];
        EXPECT_EQ(a.etag, QByteArray("\"e1\""));
        EXPECT_EQ(a.localDigest, QByteArray("d1"));
        EXPECT_TRUE(a.listedDates);
        EXPECT_EQ(s.Copy(a), kEvent);
        EXPECT_TRUE(s.items[QStringLiteral("b-2")].ignored);
        ASSERT_TRUE(s.Save(SyncState::FilePath(dir.path()), &error)) << error.toStdString();
        EXPECT_FALSE(QFile::exists(SyncState::OldFilePath(dir.path())));
        EXPECT_EQ(Copies(dir.path()).size(), 1);
    }
    // An older file that turns up beside the index again is not read.
    ASSERT_TRUE(Write(SyncState::OldFilePath(dir.path()), "<tickwell-sync/>"));
    SyncState s;
    ASSERT_TRUE(s.Load(SyncState::FilePath(dir.path()), nullptr));
    EXPECT_EQ(s.items.size(), 2);
}

TEST(SyncState, AnUnchangedStateIsNotWrittenAgain)
{
    QTemporaryDir dir;
    const QString path = SyncState::FilePath(dir.path());
    SyncState s;
    s.calendarUrl = QStringLiteral("https://dav.example/c/");
    s.items.insert(QStringLiteral("a-1"), s.Record(QStringLiteral("a-1"), QStringLiteral("/c/a-1.ics"), "e1", kEvent));
    ASSERT_TRUE(s.Save(path, nullptr));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(s.Save(path, nullptr));
    EXPECT_FALSE(QFile::exists(path));
    s.lastSync = QDateTime::currentDateTimeUtc();
    ASSERT_TRUE(s.Save(path, nullptr));
    EXPECT_TRUE(QFile::exists(path));
}

// What a power cut, a hand edit or a write cut short can leave in the copies: a copy that cannot be read back is
// no base (empty) until the text is recorded again, and files no entry names go at the next save that changes
// the entries.
TEST(SyncState, CopiesOutOfStepWithTheIndex)
{
    const struct
    {
        const char* name;
        void (*damage)(const QString& copy);
        bool readable;
    } cases[] = {
        { "untouched", [](const QString&) {}, true },
        { "missing", [](const QString& copy) { QFile::remove(copy); }, false },
        { "torn", [](const QString& copy) { Write(copy, kEvent.left(20)); }, false },
        { "edited", [](const QString& copy) { Write(copy, QByteArray(kEvent).replace("a-1", "a-2")); }, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = SyncState::FilePath(dir.path());
        SyncState s;
        s.calendarUrl = QStringLiteral("https://dav.example/c/");
        s.items.insert(
            QStringLiteral("a-1"), s.Record(QStringLiteral("a-1"), QStringLiteral("/c/a-1.ics"), "e1", kEvent));
        ASSERT_TRUE(s.Save(path, nullptr));
        const QString copies = SyncState::CopiesPath(dir.path());
        c.damage(copies + u'/' + Copies(dir.path()).value(0));
        ASSERT_TRUE(Write(copies + QStringLiteral("/0123.ics.tmp"), "BEGIN:VCAL"));
        ASSERT_TRUE(Write(copies + QStringLiteral("/4567.ics"), kEvent));

        SyncState loaded;
        ASSERT_TRUE(loaded.Load(path, nullptr));
        EXPECT_EQ(loaded.Copy(loaded.items[QStringLiteral("a-1")]), c.readable ? kEvent : QByteArray());
        // The same text read again from the server, and a new one: both are whole afterwards, the leftovers gone.
        const QByteArray next = QByteArray(kEvent).replace("a-1", "b-1");
        for (const auto& [uid, ics] : { std::pair { "a-1", kEvent }, std::pair { "b-1", next } }) {
            const QString u = QString::fromLatin1(uid);
            loaded.items.insert(u, loaded.Record(u, u + QStringLiteral(".ics"), "e2", ics));
        }
        ASSERT_TRUE(loaded.Save(path, nullptr));
        EXPECT_EQ(Copies(dir.path()).size(), 2);
        SyncState again;
        ASSERT_TRUE(again.Load(path, nullptr));
        EXPECT_EQ(again.Copy(again.items[QStringLiteral("a-1")]), kEvent);
        EXPECT_EQ(again.Copy(again.items[QStringLiteral("b-1")]), next);
    }
}

TEST(SyncState, FieldsKeepCharactersThatEndALine)
{
    QTemporaryDir dir;
    const QString path = SyncState::FilePath(dir.path());
    SyncState s;
    s.calendarUrl = QStringLiteral("https://dav.example/c/");
    s.lastError = QStringLiteral("第一行\n第二行\t100%");
    const QString uid = QStringLiteral("odd\tuid\r\n%0A");
    s.items.insert(uid, s.Record(uid, QStringLiteral("/c/odd%09.ics"), "W/\"e\tx\"", kEvent));
    ASSERT_TRUE(s.Save(path, nullptr));
    SyncState loaded;
    ASSERT_TRUE(loaded.Load(path, nullptr));
    EXPECT_EQ(loaded.lastError, s.lastError);
    ASSERT_TRUE(loaded.items.contains(uid));
    EXPECT_EQ(loaded.items[uid], s.items[uid]);
}

}  // namespace
