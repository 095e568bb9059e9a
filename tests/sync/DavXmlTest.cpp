// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/DavXml.h"

#include <gtest/gtest.h>

namespace {

// Replies as real servers shape them: default namespace (Radicale), prefixes (Xandikos), a failed propstat, a
// removed member of a sync-collection report.
TEST(DavXml, ReadsTheRepliesOfBothServerStyles)
{
    const QByteArray radicale = R"(<?xml version='1.0' encoding='utf-8'?>
<multistatus xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav"><response><href>/alice/cal%20one/</href>
<propstat><prop><resourcetype><collection/><C:calendar/></resourcetype><displayname>晴钟任务提醒</displayname>
<C:supported-calendar-component-set><C:comp name="VEVENT"/></C:supported-calendar-component-set>
<sync-token>http://radicale.example/ns/sync/abc</sync-token></prop><status>HTTP/1.1 200 OK</status></propstat>
<propstat><prop><getetag/></prop><status>HTTP/1.1 404 Not Found</status></propstat></response>
<response><href>/alice/cal%20one/x.ics</href><status>HTTP/1.1 404 Not Found</status></response>
<sync-token>tok-2</sync-token></multistatus>)";
    const QByteArray xandikos = R"(<ns0:multistatus xmlns:ns0="DAV:" xmlns:ns1="urn:ietf:params:xml:ns:caldav">
<ns0:response><ns0:href>http://127.0.0.1:1/user/calendars/calendar/a.ics</ns0:href><ns0:propstat>
<ns0:status>HTTP/1.1 200 OK</ns0:status><ns0:prop><ns0:getetag>"e1"</ns0:getetag>
<ns1:calendar-data>BEGIN:VCALENDAR&#13;
END:VCALENDAR&#13;
</ns1:calendar-data><ns0:current-user-principal><ns0:href>/user/</ns0:href></ns0:current-user-principal>
</ns0:prop></ns0:propstat></ns0:response></ns0:multistatus>)";

    Multistatus ms;
    ASSERT_TRUE(DavXml::ParseMultistatus(radicale, ms, nullptr));
    ASSERT_EQ(ms.items.size(), 2u);
    EXPECT_EQ(ms.items[0].href, QStringLiteral("/alice/cal one/"));
    EXPECT_TRUE(ms.items[0].isCalendar && ms.items[0].isCollection);
    EXPECT_EQ(ms.items[0].displayName, QStringLiteral("晴钟任务提醒"));
    EXPECT_EQ(ms.items[0].components, QStringList { QStringLiteral("VEVENT") });
    EXPECT_EQ(ms.items[0].syncToken, QStringLiteral("http://radicale.example/ns/sync/abc"));
    EXPECT_TRUE(ms.items[0].etag.isEmpty());
    EXPECT_EQ(ms.items[1].status, 404);
    EXPECT_EQ(ms.syncToken, QStringLiteral("tok-2"));

    ASSERT_TRUE(DavXml::ParseMultistatus(xandikos, ms, nullptr));
    ASSERT_EQ(ms.items.size(), 1u);
    EXPECT_EQ(ms.items[0].href, QStringLiteral("/user/calendars/calendar/a.ics"));
    EXPECT_EQ(ms.items[0].etag, QByteArray("\"e1\""));
    EXPECT_EQ(ms.items[0].calendarData, QByteArray("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n"));
    EXPECT_EQ(ms.items[0].principal, QStringLiteral("/user/"));
}

TEST(DavXml, RefusesWhatIsNoPlainMultistatus)
{
    const struct
    {
        const char* what;
        QByteArray xml;
    } cases[] = {
        { "internal entity",
            R"(<!DOCTYPE m [<!ENTITY a "aaaa">]><multistatus xmlns="DAV:"><response><href>&a;</href></response></multistatus>)" },
        { "external entity",
            R"(<!DOCTYPE m [<!ENTITY x SYSTEM "file:///etc/passwd">]><multistatus xmlns="DAV:">&x;</multistatus>)" },
        { "other document", R"(<error xmlns="DAV:"><valid-sync-token/></error>)" },
        { "broken", R"(<multistatus xmlns="DAV:"><response>)" },
        { "empty", "" },
        { "too large", "<multistatus xmlns=\"DAV:\">" + QByteArray(DavXml::kMaxReplyBytes, ' ') + "</multistatus>" },
    };
    for (const auto& c : cases) {
        Multistatus ms;
        QString error;
        EXPECT_FALSE(DavXml::ParseMultistatus(c.xml, ms, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
    }
}

}  // namespace
