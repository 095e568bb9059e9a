// SPDX-License-Identifier: GPL-3.0-or-later
// tickwell-cli lunar / solar: convert one date between the solar and the lunar calendar.
#include "cli/CliCommand.h"
#include "timerules/CLunarUtil.h"

#include <QRegularExpression>

namespace {

bool SplitYmd(const QString& text, int& y, int& m, int& d)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,4})-(\\d{1,2})-(\\d{1,2})$"));
    auto match = re.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    y = match.captured(1).toInt();
    m = match.captured(2).toInt();
    d = match.captured(3).toInt();
    return true;
}

int RunLunar(const QStringList& argsIn, QTextStream& out, QTextStream& err)
{
    QStringList args = argsIn;
    int y, m, d;
    if (args.size() != 1 || !SplitYmd(args[0], y, m, d) || !QDate(y, m, d).isValid()) {
        err << CliText::tr("请给出公历日期，格式为 YYYY-MM-DD，例如 2012-06-04\n");
        return 2;
    }
    CLunarUtil lunar;
    if (!lunar.sInitDate(y, m, d)) {
        err << CliText::tr("日期超出农历表的范围（1900-01-31 至 2050-01-22）\n");
        return 2;
    }
    out << lunar.lYear() << '-' << lunar.lMonth() << '-' << lunar.lDay();
    if (lunar.IsLeap())
        out << " 闰";
    out << '\n';
    return 0;
}

int RunSolar(const QStringList& argsIn, QTextStream& out, QTextStream& err)
{
    QStringList args = argsIn;
    const bool leap = Cli::TakeFlag(args, QStringLiteral("leap"));
    int y, m, d;
    if (args.size() != 1 || !SplitYmd(args[0], y, m, d) || m < 1 || m > 12 || d < 1 || d > 30) {
        err << CliText::tr("请给出农历日期，格式为 LY-LM-LD，例如 2012-4-15；闰月加 --leap\n");
        return 2;
    }
    if (!CLunarUtil::InRange(y)) {
        err << CliText::tr("农历年份超出范围（1900 至 2049）\n");
        return 2;
    }
    if (leap && CLunarUtil::LeapMonthOf(y) != m) {
        err << CliText::tr("农历%1年没有闰%2月\n").arg(y).arg(m);
        return 2;
    }
    if (d > (leap ? CLunarUtil::LeapMonthDays(y) : CLunarUtil::LunarMonthDays(y, m))) {
        err << (leap ? CliText::tr("农历%1年闰%2月没有%3日\n") : CliText::tr("农历%1年%2月没有%3日\n"))
                   .arg(y)
                   .arg(m)
                   .arg(d);
        return 2;
    }
    CLunarUtil lunar;
    lunar.lInitDate(y, m, d, leap);
    out << DateOf(lunar.SolarDate()).toString(QStringLiteral("yyyy-MM-dd")) << '\n';
    return 0;
}

const bool registered
    = Cli::Register(
          { QStringLiteral("lunar"), "YYYY-MM-DD", QT_TRANSLATE_NOOP("CliText", "把公历日期换算成农历，闰月后面加“闰”"),
              QT_TRANSLATE_NOOP("CliText", "tickwell-cli lunar 2012-06-04   （输出 2012-4-15 闰）"), RunLunar })
    && Cli::Register({ QStringLiteral("solar"), "LY-LM-LD [--leap]",
        QT_TRANSLATE_NOOP("CliText", "把农历日期换算成公历；--leap 表示闰月"),
        QT_TRANSLATE_NOOP("CliText", "tickwell-cli solar 2012-4-15 --leap   （输出 2012-06-04）"), RunSolar });

}  // namespace
