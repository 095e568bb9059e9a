// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar page in a real web engine: what it draws agrees with the program's lunar converter and an
// independent ephemeris, it is stored in GB2312, and it keeps its side of the wb:// contract. All cases share one
// page (one web-engine start) and run in order.
#include "base/Resources.h"
#include "timerules/CLunarUtil.h"

#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Stands in for the page host: records the wb:// navigations (and cancels them) and the alerts.
class RecordingPage : public QWebEnginePage
{
public:
    QStringList calls;
    QStringList alerts;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override
    {
        if (url.scheme() != QStringLiteral("wb"))
            return true;
        calls << url.toString(QUrl::FullyEncoded);
        return false;
    }
    void javaScriptAlert(const QUrl&, const QString& msg) override { alerts << msg; }
};

class RefuseScheme : public QWebEngineUrlSchemeHandler
{
public:
    void requestStarted(QWebEngineUrlRequestJob* job) override { job->fail(QWebEngineUrlRequestJob::RequestDenied); }
};

class CalendarPageTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        static RefuseScheme refuse;
        QWebEngineProfile::defaultProfile()->installUrlSchemeHandler("wb", &refuse);
        s_view = new QWebEngineView;
        s_page = new RecordingPage;
        s_view->setPage(s_page);
        s_view->resize(600, 520);
        s_view->show();  // a hidden page gets its timers throttled
        const QString file = Resources::GetResFile(QStringLiteral("Calendar.htm"));
        ASSERT_FALSE(file.isEmpty());
        ASSERT_TRUE(Load([&] { s_page->load(QUrl::fromLocalFile(file)); })) << "the page did not load";
    }
    // Runs `start` and waits for the load it begins; true when it finished well.
    static bool Load(const std::function<void()>& start)
    {
        QEventLoop loop;
        bool ok = false;
        QObject::connect(s_page, &QWebEnginePage::loadFinished, &loop, [&](bool done) {
            ok = done;
            loop.quit();
        });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        start();
        loop.exec();
        return ok;
    }
    static void TearDownTestSuite()
    {
        delete s_view;
        delete s_page;
        s_page = nullptr;
    }

    static QVariant Eval(const QString& script)
    {
        QVariant result;
        QEventLoop loop;
        s_page->runJavaScript(script, [&](const QVariant& v) {
            result = v;
            loop.quit();
        });
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
        return result;
    }
    static QJsonArray EvalJson(const QString& script)
    {
        return QJsonDocument::fromJson(Eval(script).toString().toUtf8()).array();
    }
    static void Wait(int ms)
    {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }
    // The task keys drawn on each day of month y-m, "" for a day without.
    static QStringList KeysOf(int y, int m)
    {
        const QJsonArray days = EvalJson(QStringLiteral("calShowMonth(%1,%2); JSON.stringify(Array.from("
                                                        "document.querySelectorAll('#grid td.day'), "
                                                        "td => td.dataset.keys))")
                                             .arg(y)
                                             .arg(m));
        QStringList out;
        for (const auto& d : days)
            out << d.toString();
        return out;
    }

    static inline RecordingPage* s_page = nullptr;
    static inline QWebEngineView* s_view = nullptr;
};

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString LunarDayName(int d)
{
    static const QString digits = Text("一二三四五六七八九十");
    if (d == 10)
        return Text("初十");
    if (d == 20)
        return Text("二十");
    if (d == 30)
        return Text("三十");
    return Text("初十廿三").mid(d / 10, 1) + digits.mid((d - 1) % 10, 1);
}

QString LunarMonthText(const CLunarUtil& l)
{
    static const QString names = Text("正二三四五六七八九十冬腊");
    const int size
        = l.IsLeap() ? CLunarUtil::LeapMonthDays(l.lYear()) : CLunarUtil::LunarMonthDays(l.lYear(), l.lMonth());
    return (l.IsLeap() ? Text("闰") : QString()) + names.mid(l.lMonth() - 1, 1) + Text("月")
        + (size == 30 ? Text("大") : Text("小"));
}

}  // namespace

TEST_F(CalendarPageTest, IsStoredInGb2312AndDecodesToItsSource)
{
    EXPECT_EQ(Eval(QStringLiteral("document.characterSet")).toString().toUpper(), QStringLiteral("GBK"));
    EXPECT_EQ(Eval(QStringLiteral("document.title")).toString(), Text("万年历"));
    // The script the browser decoded from the GB2312 file is, character for character, the UTF-8 source.
    QFile source(QStringLiteral(TW_SOURCE_DIR "/resources/calendar/calendar.js"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QString decoded = Eval(QStringLiteral("document.scripts[1].textContent")).toString();
    EXPECT_EQ(decoded.trimmed(), QString::fromUtf8(source.readAll()).trimmed());
    QFile shipped(QStringLiteral(":/calendar/calendar.htm"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_FALSE(shipped.readAll().contains("\xe5\xb9\xb4")) << "UTF-8 bytes of 年 in the shipped page";
}

TEST_F(CalendarPageTest, LunarTextOfEveryCellAgreesWithTheConverter)
{
    // Every fifth month from 1900 to 2049, plus months with leap months, the table's corrected years and the ends.
    QStringList months;
    for (int n = 0; n < 150 * 12; n += 5)
        months << QStringLiteral("[%1,%2]").arg(1900 + n / 12).arg(n % 12 + 1);
    months << QStringLiteral("[1900,1],[1900,2],[1900,9],[1903,6],[1906,5],[1933,7],[1954,2],[1978,3],[1996,3]")
           << QStringLiteral("[2012,5],[2012,6],[2023,3],[2033,12],[2034,1],[2049,12]");
    const QJsonArray cells = EvalJson(QStringLiteral("var out = []; [%1].forEach(p => { calShowMonth(p[0], p[1]); "
                                                     "document.querySelectorAll('#grid td.day').forEach(td => out.push("
                                                     "[td.dataset.date, td.dataset.lunar, td.dataset.leap, "
                                                     "td.dataset.kind, td.querySelector('.lday').textContent])); }); "
                                                     "JSON.stringify(out)")
                                          .arg(months.join(QLatin1Char(','))));
    ASSERT_GT(cells.size(), 10000);
    CLunarUtil l;
    int checkedTexts = 0;
    for (const auto& v : cells) {
        const QJsonArray c = v.toArray();
        const QStringList ymd = c[0].toString().split(QLatin1Char('-'));
        const QString where = c[0].toString();
        if (!l.sInitDate(ymd[0].toInt(), ymd[1].toInt(), ymd[2].toInt())) {
            EXPECT_EQ(c[1].toString(), QString()) << qPrintable(where);  // before lunar 1900-01-01
            continue;
        }
        ASSERT_EQ(c[1].toString(), QStringLiteral("%1-%2-%3").arg(l.lYear()).arg(l.lMonth()).arg(l.lDay()))
            << qPrintable(where);
        ASSERT_EQ(c[2].toString(), l.IsLeap() ? QStringLiteral("1") : QStringLiteral("0")) << qPrintable(where);
        const QString kind = c[3].toString(), text = c[4].toString();
        if (kind == QStringLiteral("lday")) {
            EXPECT_NE(l.lDay(), 1) << qPrintable(where);
            EXPECT_EQ(text, LunarDayName(l.lDay())) << qPrintable(where);
            ++checkedTexts;
        } else if (kind == QStringLiteral("lmonth")) {
            EXPECT_EQ(l.lDay(), 1) << qPrintable(where);
            EXPECT_EQ(text, LunarMonthText(l)) << qPrintable(where);
            ++checkedTexts;
        } else {
            EXPECT_FALSE(text.isEmpty()) << qPrintable(where);  // a festival or a solar term
        }
    }
    EXPECT_GT(checkedTexts, cells.size() * 3 / 4);
}

TEST_F(CalendarPageTest, SolarTermsFallOnTheDaysOfAnIndependentEphemeris)
{
    // Day of each term from 小寒 (China Standard Time), computed with PyEphem; 2021's 冬至 came at 23:59 on the 21st.
    const struct
    {
        int year;
        const char* days;
    } table[] = {
        { 1900, "6,20,4,19,6,21,5,20,6,21,6,22,7,23,8,23,8,23,9,24,8,23,7,22" },
        { 1931, "6,21,5,19,6,21,6,21,6,22,7,22,8,24,8,24,8,24,9,24,8,23,8,23" },
        { 1962, "6,20,4,19,6,21,5,20,6,21,6,22,7,23,8,23,8,23,9,24,8,23,7,22" },
        { 1984, "6,21,4,19,5,20,4,20,5,21,5,21,7,22,7,23,7,23,8,23,7,22,7,22" },
        { 2000, "6,21,4,19,5,20,4,20,5,21,5,21,7,22,7,23,7,23,8,23,7,22,7,21" },
        { 2021, "5,20,3,18,5,20,4,20,5,21,5,21,7,22,7,23,7,23,8,23,7,22,7,21" },
        { 2024, "6,20,4,19,5,20,4,19,5,20,5,21,6,22,7,22,7,22,8,23,7,22,6,21" },
        { 2033, "5,20,3,18,5,20,4,20,5,21,5,21,7,22,7,23,7,23,8,23,7,22,7,21" },
        { 2049, "5,19,3,18,5,20,4,19,5,20,5,21,6,22,7,22,7,22,8,23,7,22,7,21" },
    };
    for (const auto& row : table) {
        const QJsonArray terms = EvalJson(QStringLiteral("var out = []; for (var m = 1; m <= 12; m++) { "
                                                         "calShowMonth(%1, m); document.querySelectorAll("
                                                         "'#grid td[data-term]:not([data-term=\"\"])').forEach(td => "
                                                         "out.push(+td.dataset.date.split('-')[2])); } "
                                                         "JSON.stringify(out)")
                                              .arg(row.year));
        QStringList got;
        for (const auto& d : terms)
            got << QString::number(d.toInt());
        EXPECT_EQ(got.join(QLatin1Char(',')), QLatin1String(row.days)) << row.year;
    }
}

TEST_F(CalendarPageTest, TalksToTheHostThroughWbLinks)
{
    // Without a host the page shows its demonstration tasks and navigates nowhere.
    Wait(1200);
    EXPECT_EQ(Eval(QStringLiteral("document.getElementById('status').textContent")).toString(), Text("演示数据"));
    EXPECT_TRUE(s_page->calls.isEmpty());

    // The host's flag starts the calls, one at a time: the next goes out when the answer came.
    Eval(QStringLiteral("window.WB_ENABLED = true"));
    Wait(100);
    // The URL keeps what the page wrote; its host part reaches the program in lower case.
    ASSERT_EQ(s_page->calls, QStringList { QStringLiteral("wb://ishidetask") });
    Eval(QStringLiteral("WB_DEFCB('ishidetask', [0, false])"));
    Wait(100);
    ASSERT_EQ(s_page->calls.value(1), QStringLiteral("wb://gettasks"));
    Eval(Text("WB_DEFCB('gettasks', [0, [['T12','每月4,14','房租'], ['T13','每年1-3','生日'], "
              "['T14','2012-05-20','一次\\r\\n两行'], ['T15','每月-1天','月底']]])"));

    QStringList may2012 = KeysOf(2012, 5), expected(31);
    expected[3] = expected[13] = QStringLiteral("T12");
    expected[19] = QStringLiteral("T14");
    expected[30] = QStringLiteral("T15");
    EXPECT_EQ(may2012, expected);
    EXPECT_EQ(KeysOf(2013, 5)[19], QString());  // a plain date marks its own year only
    EXPECT_EQ(KeysOf(2030, 1)[2], QStringLiteral("T13"));
    EXPECT_EQ(KeysOf(2012, 2)[28], QStringLiteral("T15"));  // the last day of a leap February

    // Clicks report the day and its keys; the second click of a double-click is not a click.
    s_page->calls.clear();
    Eval(QStringLiteral("calShowMonth(2012, 5); var c = document.querySelectorAll('#grid td.day'); c[3].click();"));
    Wait(400);
    Eval(QStringLiteral("c[4].click(); c[4].dispatchEvent(new MouseEvent('click', {detail: 2, bubbles: true})); "
                        "c[4].dispatchEvent(new MouseEvent('dblclick', {bubbles: true}));"));
    Wait(800);
    EXPECT_EQ(s_page->calls,
        (QStringList { QStringLiteral("wb://onclick?2012-5-4%20T12"), QStringLiteral("wb://onclick?2012-5-5"),
            QStringLiteral("wb://ondblclick?2012-5-5") }));

    // Opened from the editor: no marks, the box ticked, clicks carry the date alone.
    s_page->calls.clear();
    Eval(QStringLiteral("WB_DEFCB('isHideTask', [0, true])"));
    EXPECT_EQ(KeysOf(2012, 5), QStringList(31));
    EXPECT_TRUE(Eval(QStringLiteral("document.getElementById('chkHideTask').checked")).toBool());
    Eval(QStringLiteral("document.querySelectorAll('#grid td.day')[3].click()"));
    Wait(400);
    EXPECT_EQ(s_page->calls, QStringList { QStringLiteral("wb://onclick?2012-5-4") });

    // Answers that are not [0, data] are reported, not used.
    Eval(QStringLiteral("WB_DEFCB('gettasks', 5); WB_DEFCB('gettasks', [3, 'busy'])"));
    Wait(200);
    EXPECT_EQ(s_page->alerts,
        (QStringList { QStringLiteral("wrong response from svr!"), QStringLiteral("fail code 3: busy") }));
}

TEST_F(CalendarPageTest, StepsWithinItsYearsAndKeepsReloadKeysAway)
{
    const QString state = QStringLiteral("selYear.value + '-' + selMonth.value");
    Eval(QStringLiteral("calShowMonth(2049, 12); btnMonthUp.click(); btnYearUp.click();"));
    EXPECT_EQ(Eval(state).toString(), QStringLiteral("2049-12"));
    Eval(QStringLiteral("calShowMonth(1900, 1); btnMonthDown.click(); btnYearDown.click();"));
    EXPECT_EQ(Eval(state).toString(), QStringLiteral("1900-1"));
    Eval(QStringLiteral("calShowMonth(2011, 12); btnMonthUp.click(); btnYearDown.click(); btnMonthDown.click();"));
    EXPECT_EQ(Eval(state).toString(), QStringLiteral("2010-12"));
    EXPECT_EQ(Eval(QStringLiteral("calShowMonth(2024, 2); ganzhi.textContent")).toString(),
        Text("癸卯年【兔年】 甲辰年【龙年】"));
    // The hover box of 2024-02-10 (the new year): its lunar date and the three sexagenary names.
    const QString tip = Eval(QStringLiteral("document.querySelector('[data-date=\"2024-2-10\"]').dispatchEvent("
                                            "new MouseEvent('mouseover', {bubbles: true})); tip.textContent"))
                            .toString();
    EXPECT_TRUE(tip.contains(Text("农历正月初一"))) << qPrintable(tip);
    EXPECT_TRUE(tip.contains(Text("甲辰年 丙寅月 甲辰日"))) << qPrintable(tip);
    EXPECT_TRUE(tip.contains(Text("春节"))) << qPrintable(tip);
    // 2024 had no 三十 in its twelfth month: New Year's Eve was the 29th.
    EXPECT_EQ(Eval(QStringLiteral("document.querySelector('[data-date=\"2024-2-9\"] .lday').textContent")).toString(),
        Text("除夕"));

    const QString keys = Eval(
        QStringLiteral(
            "[['F5',116,{}],['F1',112,{}],['r',82,{ctrlKey:true}],['n',78,{ctrlKey:true}],['Left',37,{altKey:true}],"
            "['Right',39,{altKey:true}],['a',65,{}]].map(k => { var e = new KeyboardEvent('keydown', Object.assign("
            "{key: k[0], keyCode: k[1], bubbles: true, cancelable: true}, k[2])); document.body.dispatchEvent(e); "
            "return e.defaultPrevented ? 1 : 0; }).join('')"))
                             .toString();
    EXPECT_EQ(keys, QStringLiteral("1111110"));
    EXPECT_EQ(Eval(QStringLiteral("var e = new MouseEvent('contextmenu', {bubbles: true, cancelable: true}); "
                                  "document.body.dispatchEvent(e); e.defaultPrevented"))
                  .toBool(),
        true);
}

TEST_F(CalendarPageTest, AFlagSetBeforeItsScriptsRunStartsTheCallsOnceLoaded)
{
    QWebEngineScript flag;
    flag.setInjectionPoint(QWebEngineScript::DocumentCreation);
    flag.setWorldId(QWebEngineScript::MainWorld);
    flag.setSourceCode(QStringLiteral("window.WB_ENABLED = true;"));
    s_page->scripts().insert(flag);
    s_page->calls.clear();
    // The first call waits for the load to end, so it does not stop it.
    EXPECT_TRUE(Load([] { s_page->triggerAction(QWebEnginePage::Reload); }));
    Wait(1200);
    EXPECT_EQ(s_page->calls, (QStringList { QStringLiteral("wb://ishidetask"), QStringLiteral("wb://gettasks") }));
    EXPECT_EQ(Eval(QStringLiteral("document.getElementById('status').textContent")).toString(), QString());
}

TEST_F(CalendarPageTest, InEnglishOnlyItsOwnWordsChange)
{
    QWebEngineScript lang;
    lang.setName(QStringLiteral("TW_LANG"));
    lang.setInjectionPoint(QWebEngineScript::DocumentCreation);
    lang.setWorldId(QWebEngineScript::MainWorld);
    lang.setSourceCode(QStringLiteral("window.TW_LANG = \"en\";"));
    s_page->scripts().insert(lang);
    ASSERT_TRUE(Load([] { s_page->triggerAction(QWebEnginePage::Reload); }));

    EXPECT_EQ(Eval(QStringLiteral("document.title")).toString(), QStringLiteral("Calendar"));
    EXPECT_EQ(Eval(QStringLiteral("Array.from(document.querySelectorAll('#cal th'), e => e.textContent).join(' ')"))
                  .toString(),
        QStringLiteral("Sun Mon Tue Wed Thu Fri Sat"));
    const QString labels = Eval(QStringLiteral("Array.from(document.querySelectorAll('#bar, #bar *, #foot, #clock'), "
                                               "e => e.textContent + ' ' + e.title).join('|')"))
                               .toString();
    EXPECT_FALSE(labels.contains(QRegularExpression(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"))))
        << labels.toStdString();
    // The lunar names are the calendar's content: 2012-06-04 is the 15th of the leap fourth month.
    const QString tip = Eval(QStringLiteral("calShowMonth(2012, 6); "
                                            "tipHtml(document.querySelector('#grid td[data-date=\"2012-6-4\"]'))"))
                            .toString();
    EXPECT_TRUE(tip.startsWith(
        Text("<b>2012-06-04 Mon</b><br>Lunar 闰四月十五 (month of %1 days)<br>").arg(CLunarUtil::LeapMonthDays(2012))))
        << tip.toStdString();

    for (const QWebEngineScript& s : s_page->scripts().find(QStringLiteral("TW_LANG")))
        s_page->scripts().remove(s);
    ASSERT_TRUE(Load([] { s_page->triggerAction(QWebEnginePage::Reload); }));
    EXPECT_EQ(Eval(QStringLiteral("document.title")).toString(), Text("万年历"));
}
