<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AppPaths</name>
    <message>
        <source>--data-dir 后面要写数据文件夹</source>
        <translation>--data-dir must be followed by the data folder</translation>
    </message>
    <message>
        <source>不是文件夹：%1</source>
        <translation>Not a folder: %1</translation>
    </message>
    <message>
        <source>数据文件夹不存在：%1</source>
        <translation>The data folder does not exist: %1</translation>
    </message>
    <message>
        <source>找不到用户数据文件夹（请检查 HOME 环境变量），可用 --data-dir 指定</source>
        <translation>Cannot find the user data folder (check the HOME environment variable); name one with --data-dir</translation>
    </message>
    <message>
        <source>无法创建数据文件夹：%1</source>
        <translation>Cannot create the data folder: %1</translation>
    </message>
</context>
<context>
    <name>AppVersion</name>
    <message>
        <source>晴钟任务提醒</source>
        <translation>Tickwell</translation>
    </message>
</context>
<context>
    <name>AudioModule</name>
    <message>
        <source>找不到声音模块 libtickwell_audio.so（程序安装不完整），提醒将不会发出声音。</source>
        <translation>The sound module libtickwell_audio.so is missing (the installation is incomplete): reminders will be silent.</translation>
    </message>
    <message>
        <source>无法加载声音模块 %1：%2，提醒将不会发出声音。</source>
        <translation>Cannot load the sound module %1: %2. Reminders will be silent.</translation>
    </message>
</context>
<context>
    <name>CSimpleList</name>
    <message>
        <source>&lt;设置&gt;</source>
        <translation>&lt;Edit...&gt;</translation>
    </message>
</context>
<context>
    <name>CTask</name>
    <message>
        <source>指定时间早于当前时间!</source>
        <translation>The time given is earlier than now!</translation>
    </message>
    <message>
        <source>推迟时间格式不正确!</source>
        <translation>The snooze time is not valid!</translation>
    </message>
    <message>
        <source>[%1]将推迟到%2, 这将超过有效期(%3), 确定推迟?</source>
        <translation>[%1] would be snoozed until %2, past its valid period (%3). Snooze anyway?</translation>
    </message>
    <message>
        <source>未设置</source>
        <translation>not set</translation>
    </message>
    <message>
        <source>(推迟%1)</source>
        <translation>(%1 later)</translation>
    </message>
    <message>
        <source>(提前%1)</source>
        <translation>(%1 earlier)</translation>
    </message>
    <message>
        <source>自定义事件发生：%1</source>
        <translation>Custom event happened: %1</translation>
    </message>
</context>
<context>
    <name>CTaskFilter</name>
    <message>
        <source>错误条件：%1</source>
        <translation>Invalid condition: %1</translation>
    </message>
    <message>
        <source>不支持的列名：%1</source>
        <translation>Unknown field: %1 (the fields are 类别 and 状态)</translation>
    </message>
</context>
<context>
    <name>CalDavClient</name>
    <message>
        <source>服务器地址无效：%1</source>
        <translation>The server address is not valid: %1</translation>
    </message>
    <message>
        <source>服务器地址必须以 https:// 开头：%1</source>
        <translation>The server address must begin with https://: %1</translation>
    </message>
    <message>
        <source>地址 %1 不加密（http），密码和任务会以明文传送；只有本机的服务器可以直接使用，其他服务器需要明确确认。</source>
        <translation>The address %1 is not encrypted (http): the password and the tasks would travel in clear text. Only a server on this machine can be used as it is; any other needs an explicit confirmation.</translation>
    </message>
    <message>
        <source>服务器的回答超过 %1 MB，已拒绝。</source>
        <translation>The server's reply is larger than %1 MB and was refused.</translation>
    </message>
    <message>
        <source>服务器 %1 的证书不受信任。证书的 SHA-256 指纹：%2
请向服务器管理员核对这个指纹；确认无误后才可信任它。</source>
        <translation>The certificate of the server %1 is not trusted. Its SHA-256 fingerprint is %2
Check this fingerprint with the server's administrator, and trust it only once it matches.</translation>
    </message>
    <message>
        <source>用户名或密码错误</source>
        <translation>Wrong user name or password</translation>
    </message>
    <message>
        <source>无法连接服务器 %1：%2</source>
        <translation>Cannot connect to the server %1: %2</translation>
    </message>
    <message>
        <source>服务器的转向过多：%1</source>
        <translation>The server redirected too many times: %1</translation>
    </message>
    <message>
        <source>服务器把加密的连接转到了不加密的地址：%1</source>
        <translation>The server redirected an encrypted connection to an unencrypted address: %1</translation>
    </message>
    <message>
        <source>服务器回答 %1（%2）</source>
        <translation>The server answered %1 (%2)</translation>
    </message>
    <message>
        <source>在 %1 找不到 CalDAV 日历服务。</source>
        <translation>No CalDAV calendar service was found at %1.</translation>
    </message>
    <message>
        <source>服务器没有给出日历所在的位置（calendar-home-set）。</source>
        <translation>The server did not say where the calendars are (calendar-home-set).</translation>
    </message>
    <message>
        <source>无法列出日历：%1</source>
        <translation>Cannot list the calendars: %1</translation>
    </message>
    <message>
        <source>无法创建日历“%1”：%2</source>
        <translation>Cannot create the calendar &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>服务器的回答无法读取：%1</source>
        <translation>The server's reply cannot be read: %1</translation>
    </message>
</context>
<context>
    <name>CliText</name>
    <message>
        <source>找不到数据文件：%1
可用 --data-dir 指定数据文件夹。
</source>
        <translation>The data file cannot be found: %1
Name the data folder with --data-dir.
</translation>
    </message>
    <message>
        <source>数据文件无法读取：%1
%2
</source>
        <translation>The data file cannot be read: %1
%2
</translation>
    </message>
    <message>
        <source>数据文件中有 %1 个任务无法读取，未包含在内。
</source>
        <translation>%1 task(s) in the data file cannot be read and are left out.
</translation>
    </message>
    <message>
        <source>list 不需要参数：%1
</source>
        <translation>list takes no arguments: %1
</translation>
    </message>
    <message>
        <source>export --ical 只需要一个文件名：%1
</source>
        <translation>export --ical takes one file name only: %1
</translation>
    </message>
    <message>
        <source>请给出一个 CSV 文件名，例如 tickwell-cli export 任务.csv
</source>
        <translation>Give one CSV file name, for example tickwell-cli export tasks.csv
</translation>
    </message>
    <message>
        <source>不能把 CSV 写到数据文件上：%1
</source>
        <translation>The CSV cannot be written over the data file: %1
</translation>
    </message>
    <message>
        <source>出错: %1
</source>
        <translation>Error: %1
</translation>
    </message>
    <message>
        <source>已导出 %1 个任务到 %2
</source>
        <translation>Exported %1 task(s) to %2
</translation>
    </message>
    <message>
        <source>列出数据文件中的任务：编号、状态、提醒时间、发生日期、发生时间、标题（以制表符分隔）</source>
        <translation>Lists the tasks of the data file: key, status, alarm time, due date, due time and title, separated by tabs</translation>
    </message>
    <message>
        <source>把全部任务导出为 CSV 文件（UTF-8，Excel 可直接打开），或用 --ical 导出为 iCalendar 日历</source>
        <translation>Exports all tasks to a CSV file (UTF-8, opens in spreadsheets), or with --ical to an iCalendar file</translation>
    </message>
    <message>
        <source>tickwell-cli export 任务提醒列表.csv</source>
        <translation>tickwell-cli export tasks.csv</translation>
    </message>
    <message>
        <source>--ical 后面要写日历文件名，例如 tickwell-cli export --ical 任务.ics
</source>
        <translation>--ical must be followed by the calendar file name, for example tickwell-cli export --ical tasks.ics
</translation>
    </message>
    <message>
        <source>不能把日历写到数据文件上：%1
</source>
        <translation>The calendar cannot be written over the data file: %1
</translation>
    </message>
    <message>
        <source>请给出一个日历文件名，例如 tickwell-cli import 日历.ics
</source>
        <translation>Give one calendar file name, for example tickwell-cli import calendar.ics
</translation>
    </message>
    <message>
        <source>无法导入 %1：%2
</source>
        <translation>Cannot import %1: %2
</translation>
    </message>
    <message>
        <source>程序正在使用数据文件夹 %1：请在程序中用“工具 → 导入日历...”导入，或先退出程序。
</source>
        <translation>The program is using the data folder %1: import with &quot;Tools &gt; Import Calendar...&quot; in the program, or quit the program first.
</translation>
    </message>
    <message>
        <source>数据文件夹不可写：%1
</source>
        <translation>The data folder cannot be written: %1
</translation>
    </message>
    <message>
        <source>数据文件中有 %1 个任务无法读取；为免丢失它们，未导入。请先在程序中打开数据文件。
</source>
        <translation>%1 task(s) in the data file cannot be read; nothing was imported, so that they are not lost. Open the data file in the program first.
</translation>
    </message>
    <message>
        <source>无法保存数据文件：%1
</source>
        <translation>The data file cannot be saved: %1
</translation>
    </message>
    <message>
        <source>把 iCalendar 日历文件中的事件和待办导入为任务（程序运行时请在程序中导入）</source>
        <translation>Imports the events and to-dos of an iCalendar file as tasks (while the program runs, import in the program)</translation>
    </message>
    <message>
        <source>tickwell-cli import 日历.ics</source>
        <translation>tickwell-cli import calendar.ics</translation>
    </message>
    <message>
        <source>请给出公历日期，格式为 YYYY-MM-DD，例如 2012-06-04
</source>
        <translation>Give a Gregorian date as YYYY-MM-DD, for example 2012-06-04
</translation>
    </message>
    <message>
        <source>日期超出农历表的范围（1900-01-31 至 2050-01-22）
</source>
        <translation>The date is outside the lunar table (1900-01-31 to 2050-01-22)
</translation>
    </message>
    <message>
        <source>请给出农历日期，格式为 LY-LM-LD，例如 2012-4-15；闰月加 --leap
</source>
        <translation>Give a lunar date as LY-LM-LD, for example 2012-4-15; add --leap for a leap month
</translation>
    </message>
    <message>
        <source>农历年份超出范围（1900 至 2049）
</source>
        <translation>The lunar year is out of range (1900 to 2049)
</translation>
    </message>
    <message>
        <source>农历%1年没有闰%2月
</source>
        <translation>Lunar year %1 has no leap month %2
</translation>
    </message>
    <message>
        <source>农历%1年闰%2月没有%3日
</source>
        <translation>Leap month %2 of lunar year %1 has no day %3
</translation>
    </message>
    <message>
        <source>农历%1年%2月没有%3日
</source>
        <translation>Month %2 of lunar year %1 has no day %3
</translation>
    </message>
    <message>
        <source>把公历日期换算成农历，闰月后面加“闰”</source>
        <translation>Converts a Gregorian date to the Chinese lunar calendar; a leap month is followed by “闰”</translation>
    </message>
    <message>
        <source>tickwell-cli lunar 2012-06-04   （输出 2012-4-15 闰）</source>
        <translation>tickwell-cli lunar 2012-06-04   (prints 2012-4-15 闰)</translation>
    </message>
    <message>
        <source>把农历日期换算成公历；--leap 表示闰月</source>
        <translation>Converts a Chinese lunar date to the Gregorian calendar; --leap names a leap month</translation>
    </message>
    <message>
        <source>tickwell-cli solar 2012-4-15 --leap   （输出 2012-06-04）</source>
        <translation>tickwell-cli solar 2012-4-15 --leap   (prints 2012-06-04)</translation>
    </message>
    <message>
        <source>运行中的程序没有回答（它可能正在等待用户回答提问）；命令可能已被执行，请在程序中查看。
</source>
        <translation>The running program did not answer (it may be waiting for an answer to a question); the command may have been carried out: check in the program.
</translation>
    </message>
    <message>
        <source>数据文件夹不能写入：%1
</source>
        <translation>The data folder cannot be written: %1
</translation>
    </message>
    <message>
        <source>进程 %1</source>
        <translation>process %1</translation>
    </message>
    <message>
        <source>另一个程序</source>
        <translation>another program</translation>
    </message>
    <message>
        <source>数据文件夹正由%1使用，但它没有回应；任务未更改。
</source>
        <translation>The data folder is in use by %1, which does not answer; no task was changed.
</translation>
    </message>
    <message>
        <source>数据文件无法完整读取，任务未更改：%1
%2
</source>
        <translation>The data file cannot be read whole; no task was changed: %1
%2
</translation>
    </message>
    <message>
        <source>数据文件未能保存：%1
</source>
        <translation>The data file could not be saved: %1
</translation>
    </message>
    <message>
        <source>描述 [--date 日期] [--time 时间] [--category 类别] [--priority 优先级] [--alarm 提醒] [--data-dir DIR]</source>
        <translation>DESCRIPTION [--date DATE] [--time TIME] [--category CATEGORY] [--priority PRIORITY] [--alarm ALARM] [--data-dir DIR]</translation>
    </message>
    <message>
        <source>添加任务；日期、时间的写法与任务窗口相同（默认今天、10分钟后）。输出新任务的编号和到期时间</source>
        <translation>Adds a task; the date and time are written as in the task window, in the Chinese expressions (by default 今天 = today and 10分钟后 = in 10 minutes). The priority is low, normal, high or urgent. Prints the new task's key and due time</translation>
    </message>
    <message>
        <source>tickwell-cli add 编译完成后检查结果 --time 30分钟后 --category 工作</source>
        <translation>tickwell-cli add &quot;Check the build&quot; --time 30分钟后 --category Work   (30分钟后 = in 30 minutes)</translation>
    </message>
    <message>
        <source>任务编号 [--data-dir DIR]</source>
        <translation>KEY [--data-dir DIR]</translation>
    </message>
    <message>
        <source>把等待中的任务设为已完成（周期任务转到下次）</source>
        <translation>Marks a waiting task as finished (a recurring task moves on to its next occurrence)</translation>
    </message>
    <message>
        <source>取消等待中的任务</source>
        <translation>Cancels a waiting task</translation>
    </message>
    <message>
        <source>任务编号 推迟时间 [--data-dir DIR]</source>
        <translation>KEY DELAY [--data-dir DIR]</translation>
    </message>
    <message>
        <source>推迟任务的提醒，写法与提醒窗口的推迟相同</source>
        <translation>Postpones a task's reminder; the delay is written as in the reminder window</translation>
    </message>
    <message>
        <source>tickwell-cli postpone T3 10分钟</source>
        <translation>tickwell-cli postpone T3 10分钟   (10分钟 = 10 minutes)</translation>
    </message>
    <message>
        <source>请填写正确的时间!</source>
        <translation>Please enter a valid time!</translation>
    </message>
    <message>
        <source>请填写正确的日期</source>
        <translation>Please enter a valid date</translation>
    </message>
    <message>
        <source>--now 后面要给出时刻，格式为 &quot;YYYY-MM-DD hh:mm:ss&quot;
</source>
        <translation>--now must be followed by a moment as &quot;YYYY-MM-DD hh:mm:ss&quot;
</translation>
    </message>
    <message>
        <source>--count 后面要给出次数
</source>
        <translation>--count must be followed by a number
</translation>
    </message>
    <message>
        <source>请给出日期和时间两个表达式，例如：tickwell-cli when 每周135 9:00
</source>
        <translation>Give two expressions, a date and a time, for example: tickwell-cli when 每周135 9:00
</translation>
    </message>
    <message>
        <source>--count 须是 1 到 %1 之间的整数
</source>
        <translation>--count must be a whole number from 1 to %1
</translation>
    </message>
    <message>
        <source>--now 的格式应为 &quot;YYYY-MM-DD hh:mm:ss&quot;，例如 &quot;2011-12-15 11:00:00&quot;
</source>
        <translation>--now must be written as &quot;YYYY-MM-DD hh:mm:ss&quot;, for example &quot;2011-12-15 11:00:00&quot;
</translation>
    </message>
    <message>
        <source>[--now &quot;YYYY-MM-DD hh:mm:ss&quot;] [--count N] 日期 时间</source>
        <translation>[--now &quot;YYYY-MM-DD hh:mm:ss&quot;] [--count N] DATE TIME</translation>
    </message>
    <message>
        <source>按日期和时间表达式算出到期时刻（可为周期规则）；--count N 列出接下来的 N 次，--now 指定当前时刻</source>
        <translation>Works out the due moment of a date and a time expression (recurring rules too); --count N lists the next N occurrences, --now sets the current moment</translation>
    </message>
    <message>
        <source>tickwell-cli when --now &quot;2011-12-15 11:00:00&quot; 每天 10:00   （输出 2011-12-16 10:00:00）</source>
        <translation>tickwell-cli when --now &quot;2011-12-15 11:00:00&quot; 每天 10:00   (每天 = every day; prints 2011-12-16 10:00:00)</translation>
    </message>
    <message>
        <source>tickwell-cli：晴钟任务提醒的命令行工具

用法：tickwell-cli 命令 [参数]

命令：
</source>
        <translation>tickwell-cli: the command-line tool of Tickwell

Usage: tickwell-cli COMMAND [ARGUMENTS]

Commands:
</translation>
    </message>
    <message>
        <source>例：%1</source>
        <translation>Example: %1</translation>
    </message>
    <message>
        <source>
  --help
      显示本帮助
  --version
      显示版本
</source>
        <translation>
  --help
      show this help
  --version
      show the version
</translation>
    </message>
    <message>
        <source>
数据文件夹的找法与程序相同：--data-dir 指定的文件夹；否则程序所在文件夹（其中已有 twdata.xml 时）；
否则为用户数据文件夹 %1。
</source>
        <translation>
The data folder is found as the program finds it: the folder given with --data-dir; else the program's
folder when it holds a twdata.xml; else the user's data folder %1.
</translation>
    </message>
    <message>
        <source>--data-dir 后面要写数据文件夹，例如 --data-dir ~/tickwell
</source>
        <translation>--data-dir must be followed by the data folder, for example --data-dir ~/tickwell
</translation>
    </message>
    <message>
        <source>未知选项：%1

</source>
        <translation>Unknown option: %1

</translation>
    </message>
    <message>
        <source>未知命令：%1
运行 tickwell-cli --help 查看可用命令。
</source>
        <translation>Unknown command: %1
Run tickwell-cli --help to see the commands.
</translation>
    </message>
    <message>
        <source>%1 个等待中的任务没有算出到期时刻（数据文件中写作“--”），程序不会提醒它们，未导出。
</source>
        <translation>%1 waiting tasks have no worked-out due moment (&quot;--&quot; in the data file); the program does not remind them, and they were not exported.
</translation>
    </message>
    <message>
        <source>密码：</source>
        <translation>Password: </translation>
    </message>
    <message>
        <source>核对无误后，可加上 --trust-fingerprint %1 再运行 sync setup。
</source>
        <translation>Once it checks out, run sync setup again with --trust-fingerprint %1.
</translation>
    </message>
    <message>
        <source>数据文件夹正由程序使用（进程 %1）；请关闭程序后再同步。
</source>
        <translation>The data folder is in use by the program (process %1). Close the program, then sync.
</translation>
    </message>
    <message>
        <source>数据文件无法完整读取，未同步：%1
%2
</source>
        <translation>The data file cannot be read whole, so nothing was synced: %1
%2
</translation>
    </message>
    <message>
        <source>用法：tickwell-cli sync setup 服务器地址 --user 用户名 [--calendar 日历名]
</source>
        <translation>Usage: tickwell-cli sync setup SERVER --user NAME [--calendar NAME]
</translation>
    </message>
    <message>
        <source>没有读到密码（从标准输入读取）。
</source>
        <translation>No password was read (it is read from standard input).
</translation>
    </message>
    <message>
        <source>同步日历：%1
</source>
        <translation>Sync calendar: %1
</translation>
    </message>
    <message>
        <source>同步状态文件无法读取：%1
</source>
        <translation>The sync state file cannot be read: %1
</translation>
    </message>
    <message>
        <source>尚未设置同步账户。
</source>
        <translation>No sync account has been set up.
</translation>
    </message>
    <message>
        <source>从未</source>
        <translation>never</translation>
    </message>
    <message>
        <source>账户：%1（%2）
</source>
        <translation>Account: %1 (%2)
</translation>
    </message>
    <message>
        <source>日历：%1
</source>
        <translation>Calendar: %1
</translation>
    </message>
    <message>
        <source>上次同步：%1
</source>
        <translation>Last sync: %1
</translation>
    </message>
    <message>
        <source>上次失败：%1（%2）
</source>
        <translation>Last failure: %1 (%2)
</translation>
    </message>
    <message>
        <source>待上传的变更：%1
</source>
        <translation>Changes waiting to be sent: %1
</translation>
    </message>
    <message>
        <source>已删除同步账户和它的密码；任务都还在。
</source>
        <translation>The sync account and its password were removed; the tasks stay.
</translation>
    </message>
    <message>
        <source>用法：tickwell-cli sync [setup 服务器地址 --user 用户名 | status | forget]
</source>
        <translation>Usage: tickwell-cli sync [setup SERVER --user NAME | status | forget]
</translation>
    </message>
    <message>
        <source>[setup 服务器地址 --user 用户名 [--calendar 日历名] [--trust-fingerprint 指纹] [--allow-http] | status | forget] [--data-dir DIR]</source>
        <translation>[setup SERVER --user NAME [--calendar NAME] [--trust-fingerprint FINGERPRINT] [--allow-http] | status | forget] [--data-dir DIR]</translation>
    </message>
    <message>
        <source>与 CalDAV 日历双向同步任务。setup 设置账户（密码从标准输入读取，存入桌面的密钥环）；不带参数时同步一次，输出上传、下载、删除的数量；status 显示账户、上次同步和待上传的变更；forget 删除账户和密码</source>
        <translation>Two-way sync of the tasks with a CalDAV calendar. setup sets up the account (the password is read from standard input and kept in the desktop's keyring); without arguments it syncs once and prints how many tasks were uploaded, downloaded and deleted; status shows the account, the last sync and the changes waiting to be sent; forget removes the account and its password</translation>
    </message>
    <message>
        <source>tickwell-cli sync setup https://dav.example.com --user 张三</source>
        <translation>tickwell-cli sync setup https://dav.example.com --user alice</translation>
    </message>
    <message>
        <source>%1；本次不与正在运行的程序联系。
</source>
        <translation>%1; this run does not reach a running program.
</translation>
    </message>
</context>
<context>
    <name>ColorStyles</name>
    <message>
        <source>黄色</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>绿色</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>红色</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>蓝色(缺省)</source>
        <translation>Blue (default)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>--data-dir 后面要写数据文件夹</source>
        <translation>--data-dir must be followed by the data folder</translation>
    </message>
    <message>
        <source>--data-dir 后面要写数据文件夹，不能为空</source>
        <translation>--data-dir must be followed by the data folder, which cannot be empty</translation>
    </message>
    <message>
        <source>未知选项：%1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>用法：tickwell [选项]

晴钟任务提醒：桌面任务提醒

选项：
  -m              启动后最小化
  --data-dir DIR  数据文件夹（不存在时自动创建）。缺省为程序所在文件夹（当其中已有
                  twdata.xml 时），否则为 ~/.local/share/Tickwell
  --power-dry-run 关机、重启等电源操作只输出到标准输出，不真正执行
  -h, --help      显示本帮助
  -v, --version   显示版本
</source>
        <translation>Usage: tickwell [options]

Tickwell: a desktop task reminder

Options:
  -m              start minimised
  --data-dir DIR  the data folder (made when missing). By default the program's folder
                  when it holds a twdata.xml, else ~/.local/share/Tickwell
  --power-dry-run print shutdown, restart and the other power actions on standard
                  output instead of performing them
  -h, --help      show this help
  -v, --version   show the version
</translation>
    </message>
    <message>
        <source>%1 (Tickwell) %2</source>
        <translation>%1 %2</translation>
    </message>
</context>
<context>
    <name>CsvExport</name>
    <message>
        <source>%1 不是普通文件，不能导出到这里</source>
        <translation>%1 is not a regular file; cannot export there</translation>
    </message>
    <message>
        <source>%1 是数据文件本身，不能导出到这里</source>
        <translation>%1 is the data file itself; cannot export there</translation>
    </message>
</context>
<context>
    <name>DataFileXml</name>
    <message>
        <source>第%1行第%2列：%3</source>
        <translation>line %1, column %2: %3</translation>
    </message>
    <message>
        <source>第%1行：文件带有文档类型声明（DTD），不是本程序的数据文件</source>
        <translation>line %1: the file has a document type declaration (DTD), so it is no Tickwell data file</translation>
    </message>
    <message>
        <source>元素嵌套超过 %1 层</source>
        <translation>elements nested more than %1 levels deep</translation>
    </message>
    <message>
        <source>根元素是 &lt;%1&gt;，不是 &lt;tasks&gt;</source>
        <translation>the root element is &lt;%1&gt;, not &lt;tasks&gt;</translation>
    </message>
    <message>
        <source>文件中没有 &lt;tasks&gt; 元素</source>
        <translation>the file has no &lt;tasks&gt; element</translation>
    </message>
</context>
<context>
    <name>DueEntry</name>
    <message>
        <source>到期时间不在有效期内,请重新设置.</source>
        <translation>The due time is outside the valid period. Please set it again.</translation>
    </message>
    <message>
        <source>请填写正确的时间!</source>
        <translation>Please enter a valid time!</translation>
    </message>
    <message>
        <source>提醒时间在当前时间之前,请重新设置.</source>
        <translation>The alarm time is earlier than now. Please set it again.</translation>
    </message>
</context>
<context>
    <name>DueRules</name>
    <message>
        <source>请填写正确的日期</source>
        <translation>Please enter a valid date</translation>
    </message>
    <message>
        <source>请填写正确的时间!</source>
        <translation>Please enter a valid time!</translation>
    </message>
</context>
<context>
    <name>IcalImport</name>
    <message>
        <source>(无标题)</source>
        <translation>(untitled)</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <comment>task title, first date</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>不是 iCalendar 日历文件</source>
        <translation>Not an iCalendar file</translation>
    </message>
    <message>
        <source>已导入 %1 个任务。</source>
        <translation>Imported %1 task(s).</translation>
    </message>
    <message>
        <source>以下 %1 个重复事件的规则无法对应，只导入了下一次：</source>
        <translation>The rules of the following %1 repeating event(s) have no equivalent here; only the next occurrence was imported:</translation>
    </message>
    <message>
        <source>%1 个已过去、已取消或已完成的事件未导入。</source>
        <translation>%1 past, cancelled or completed event(s) were not imported.</translation>
    </message>
    <message>
        <source>%1 个没有时间的事件未导入。</source>
        <translation>%1 event(s) without a time were not imported.</translation>
    </message>
    <message>
        <source>找不到该文件</source>
        <translation>There is no such file</translation>
    </message>
</context>
<context>
    <name>LogindPowerManager</name>
    <message>
        <source>无法连接系统总线</source>
        <translation>cannot connect to the system bus</translation>
    </message>
    <message>
        <source>(无回答)</source>
        <translation>(no answer)</translation>
    </message>
    <message>
        <source>被 %1 阻止（%2）</source>
        <comment>inhibitor program, its reason</comment>
        <translation>blocked by %1 (%2)</translation>
    </message>
</context>
<context>
    <name>PageHost</name>
    <message>
        <source>无法加载网页组件：%1</source>
        <translation>The web component cannot be loaded: %1</translation>
    </message>
    <message>
        <source>未安装网页组件（软件包 tickwell-webengine），万年历和网页检测不可用</source>
        <translation>The web component (package tickwell-webengine) is not installed: the calendar and page checks are unavailable</translation>
    </message>
</context>
<context>
    <name>QtMediaAudio</name>
    <message>
        <source>找不到可用的声音输出设备（声音服务未运行或没有声卡），提醒将不会发出声音。</source>
        <translation>No sound output device is available (no sound service is running or there is no sound card): reminders will be silent.</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>它是命名管道，不是普通文件</source>
        <translation>it is a named pipe, not a regular file</translation>
    </message>
    <message>
        <source>它是设备，不是普通文件</source>
        <translation>it is a device, not a regular file</translation>
    </message>
    <message>
        <source>它是文件夹，不是普通文件</source>
        <translation>it is a folder, not a regular file</translation>
    </message>
    <message>
        <source>它不是普通文件</source>
        <translation>it is not a regular file</translation>
    </message>
</context>
<context>
    <name>Resources</name>
    <message>
        <source>程序初始化错误</source>
        <translation>Program initialisation error</translation>
    </message>
    <message>
        <source>无法删除旧文件 %1</source>
        <translation>Cannot delete the old file %1</translation>
    </message>
    <message>
        <source>资源数据不完整</source>
        <translation>The resource data is incomplete</translation>
    </message>
</context>
<context>
    <name>RingPlayer</name>
    <message>
        <source>音乐文件不存在: %1</source>
        <translation>The music file does not exist: %1</translation>
    </message>
    <message>
        <source>无法打开音乐文件或文件格式不支持: %1</source>
        <translation>Cannot open the music file, or its format is not supported: %1</translation>
    </message>
</context>
<context>
    <name>RuntimeFolder</name>
    <message>
        <source>运行时文件夹 %1 不能用：%2</source>
        <translation>The runtime folder %1 cannot be used: %2</translation>
    </message>
    <message>
        <source>无法建立</source>
        <translation>it cannot be made</translation>
    </message>
    <message>
        <source>不是文件夹，或是链接</source>
        <translation>it is not a folder, or it is a link</translation>
    </message>
    <message>
        <source>属于别的用户</source>
        <translation>it belongs to another user</translation>
    </message>
    <message>
        <source>无法设为仅本用户可用</source>
        <translation>it cannot be made private to this user</translation>
    </message>
</context>
<context>
    <name>SecretStore</name>
    <message>
        <source>没有可用的密钥环。</source>
        <translation>No keyring is available.</translation>
    </message>
</context>
<context>
    <name>SyncController</name>
    <message>
        <source>同步状态</source>
        <translation>Sync status</translation>
    </message>
    <message>
        <source>单击查看同步详情和待上传的更改。</source>
        <translation>Click for the sync details and the changes waiting to be sent.</translation>
    </message>
    <message>
        <source>%1（另有 %2 条，见状态日志）</source>
        <translation>%1 (and %2 more, see the status log)</translation>
    </message>
    <message>
        <source>正在同步…</source>
        <translation>Syncing…</translation>
    </message>
    <message>
        <source>同步失败：%1</source>
        <translation>Sync failed: %1</translation>
    </message>
    <message>
        <source>尚未同步</source>
        <translation>Not synced yet</translation>
    </message>
    <message>
        <source>上次同步 %1</source>
        <translation>Last sync %1</translation>
    </message>
    <message>
        <source>没有设置同步帐户。</source>
        <translation>No sync account is set up.</translation>
    </message>
    <message>
        <source>日历：%1</source>
        <translation>Calendar: %1</translation>
    </message>
    <message>
        <source>用户：%1</source>
        <translation>User: %1</translation>
    </message>
    <message>
        <source>上次成功同步：%1</source>
        <translation>Last successful sync: %1</translation>
    </message>
    <message>
        <source>从未</source>
        <translation>never</translation>
    </message>
    <message>
        <source>上次失败原因：%1</source>
        <translation>Last failure: %1</translation>
    </message>
    <message>
        <source>待上传的更改：%1 项</source>
        <translation>Changes waiting to be sent: %1</translation>
    </message>
    <message>
        <source>同步</source>
        <translation>Sync</translation>
    </message>
</context>
<context>
    <name>SyncEngine</name>
    <message>
        <source>上传 %1，下载 %2，删除 %3</source>
        <translation>uploaded %1, downloaded %2, deleted %3</translation>
    </message>
    <message>
        <source>同步：</source>
        <translation>Sync: </translation>
    </message>
    <message>
        <source>密钥环中没有这个同步账户的密码，请重新设置同步账户。</source>
        <translation>The keyring has no password for this sync account. Please set up the account again.</translation>
    </message>
    <message>
        <source>无法从密钥环读取密码：%1</source>
        <translation>Cannot read the password from the keyring: %1</translation>
    </message>
    <message>
        <source>同步已在进行中。</source>
        <translation>A sync is already running.</translation>
    </message>
    <message>
        <source>同步状态文件无法读取：%1</source>
        <translation>The sync state file cannot be read: %1</translation>
    </message>
    <message>
        <source>尚未设置同步账户。</source>
        <translation>No sync account has been set up.</translation>
    </message>
    <message>
        <source>正在查看服务器上的变更…</source>
        <translation>Looking for changes on the server…</translation>
    </message>
    <message>
        <source>正在下载 %1 项变更…</source>
        <translation>Downloading %1 change(s)…</translation>
    </message>
    <message>
        <source>任务“%1”的%2在本机和其他设备上都改了：保留“%3”，未采用“%4”。</source>
        <translation>The %2 of the task &quot;%1&quot; was changed both here and on another device: kept &quot;%3&quot;, not used &quot;%4&quot;.</translation>
    </message>
    <message>
        <source>任务“%1”在本机删除后又在其他设备上被修改，已恢复。</source>
        <translation>The task &quot;%1&quot; was deleted here but changed on another device afterwards, so it was restored.</translation>
    </message>
    <message>
        <source>任务“%1”已在其他设备上删除。</source>
        <translation>The task &quot;%1&quot; was deleted on another device.</translation>
    </message>
    <message>
        <source>任务“%1”在其他设备上被删除，但本机改过它，将重新上传。</source>
        <translation>The task &quot;%1&quot; was deleted on another device but changed here, so it will be uploaded again.</translation>
    </message>
    <message>
        <source>数据文件未能保存，同步已停止：%1</source>
        <translation>The data file could not be saved, so the sync stopped: %1</translation>
    </message>
    <message>
        <source>同步状态文件未能保存：%1</source>
        <translation>The sync state file could not be saved: %1</translation>
    </message>
    <message>
        <source>正在上传 %1 项变更…</source>
        <translation>Uploading %1 change(s)…</translation>
    </message>
    <message>
        <source>有 %1 项变更被服务器拒绝，下次同步再试：%2</source>
        <translation>The server refused %1 change(s); they will be tried again at the next sync: %2</translation>
    </message>
    <message>
        <source>任务“%1”：</source>
        <translation>Task &quot;%1&quot;: </translation>
    </message>
    <message>
        <source>服务器上的 %1 无法读取</source>
        <translation>%1 on the server cannot be read</translation>
    </message>
    <message>
        <source>正在查找日历…</source>
        <translation>Looking for the calendar…</translation>
    </message>
    <message>
        <source>无法把密码存入密钥环：%1</source>
        <translation>Cannot store the password in the keyring: %1</translation>
    </message>
    <message>
        <source>同步状态文件无法删除：%1</source>
        <translation>The sync state file cannot be deleted: %1</translation>
    </message>
    <message>
        <source>无法从密钥环删除密码：%1</source>
        <translation>Cannot remove the password from the keyring: %1</translation>
    </message>
</context>
<context>
    <name>SyncModule</name>
    <message>
        <source>找不到同步模块 libtickwell_sync.so（程序安装不完整），无法同步，也无法导入或导出日历。</source>
        <translation>The sync module libtickwell_sync.so is missing (the installation is incomplete): calendars can be neither synced nor imported nor exported.</translation>
    </message>
    <message>
        <source>无法加载同步模块 %1：%2</source>
        <translation>Cannot load the sync module %1: %2</translation>
    </message>
    <message>
        <source>同步模块不可用。</source>
        <translation>The sync module is not available.</translation>
    </message>
</context>
<context>
    <name>TaskColumns</name>
    <message>
        <source>任务号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>任务描述</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>提醒时间</source>
        <translation>Alarm time</translation>
    </message>
    <message>
        <source>剩余时间</source>
        <translation>Time Left</translation>
    </message>
    <message>
        <source>优先级</source>
        <translation>Priority</translation>
    </message>
    <message>
        <source>发生时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>有效期</source>
        <translation>Valid period</translation>
    </message>
    <message>
        <source>开始时间</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>结束时间</source>
        <translation>End</translation>
    </message>
    <message>
        <source>预计用时</source>
        <translation>Estimated</translation>
    </message>
    <message>
        <source>实际用时</source>
        <translation>Actual</translation>
    </message>
    <message>
        <source>共%1项</source>
        <translation>%1 task(s)</translation>
    </message>
    <message>
        <source>,显示%1项</source>
        <translation>, %1 shown</translation>
    </message>
    <message>
        <source>,等待中%1项</source>
        <translation>, %1 waiting</translation>
    </message>
    <message>
        <source>,[%1]%2项</source>
        <translation>, [%1] %2</translation>
    </message>
</context>
<context>
    <name>TaskCommands</name>
    <message>
        <source>--%1 后面缺少内容</source>
        <translation>--%1 must be followed by a value</translation>
    </message>
    <message>
        <source>add 不认识的选项：%1</source>
        <translation>Unknown option for add: %1</translation>
    </message>
    <message>
        <source>请输入任务描述.</source>
        <translation>Please enter a description.</translation>
    </message>
    <message>
        <source>优先级应为 低、普通、高、紧急 之一：%1</source>
        <translation>The priority must be low, normal, high or urgent (or 低, 普通, 高, 紧急, 0 to 3): %1</translation>
    </message>
    <message>
        <source>任务无法加入列表。</source>
        <translation>The task could not be added to the list.</translation>
    </message>
    <message>
        <source>用法：tickwell-cli postpone 任务编号 推迟时间，例如 postpone T3 10分钟</source>
        <translation>Usage: tickwell-cli postpone KEY DELAY, for example postpone T3 10分钟 (10 minutes)</translation>
    </message>
    <message>
        <source>用法：tickwell-cli %1 任务编号，例如 %1 T3</source>
        <translation>Usage: tickwell-cli %1 KEY, for example %1 T3</translation>
    </message>
    <message>
        <source>找不到任务：%1</source>
        <translation>No such task: %1</translation>
    </message>
    <message>
        <source>任务 %1 的状态是“%2”，不能再更改。</source>
        <translation>Task %1 is “%2” and can no longer be changed.</translation>
    </message>
    <message>
        <source>任务未推迟。</source>
        <translation>The task was not postponed.</translation>
    </message>
    <message>
        <source>list 不需要参数：%1</source>
        <translation>list takes no arguments: %1</translation>
    </message>
    <message>
        <source>未知命令：%1</source>
        <translation>Unknown command: %1</translation>
    </message>
    <message>
        <source>程序未能保存数据文件：%1
</source>
        <translation>The program could not save the data file: %1
</translation>
    </message>
</context>
<context>
    <name>TaskDisplay</name>
    <message>
        <source>前天</source>
        <translation>2 days ago</translation>
    </message>
    <message>
        <source>昨天</source>
        <translation>Yesterday</translation>
    </message>
    <message>
        <source>明天</source>
        <translation>Tomorrow</translation>
    </message>
    <message>
        <source>后天</source>
        <translation>In 2 days</translation>
    </message>
    <message>
        <source>今天</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>未设置</source>
        <translation>Not set</translation>
    </message>
    <message>
        <source>%1号</source>
        <translation>%2/%1</translation>
    </message>
    <message>
        <source>%1(%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1天</source>
        <translation>%1 days</translation>
    </message>
    <message>
        <source>%1小时%2分钟</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1小时</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>%1分钟</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 s</translation>
    </message>
</context>
<context>
    <name>TaskEngine</name>
    <message>
        <source>继续扫描任务 &quot;%1&quot; 吗？</source>
        <translation>Keep watching the task &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>无法写入状态日志文件：%1
任务状态照常更改，但不会记入日志。请检查该文件夹是否可写。本次运行不再提示。</source>
        <translation>Cannot write to the status log file: %1
Task statuses still change but are not logged. Please check that the folder is writable. This message is not shown again until the next start.</translation>
    </message>
    <message>
        <source>数据文件已升级并放到程序目录下，是否删除原数据文件？</source>
        <translation>The data file was upgraded and placed in the program folder. Delete the old data file?</translation>
    </message>
    <message>
        <source>数据文件 %1 中有 %2 个任务无法读取，已跳过。

原文件已另存为：
%3</source>
        <translation>%2 task(s) in the data file %1 could not be read and were skipped.

The original file was saved as:
%3</translation>
    </message>
    <message>
        <source>数据文件 %1 中有 %2 个任务无法读取，已跳过。

无法另存原文件，下次保存时这些任务将丢失；请先自行备份该文件。</source>
        <translation>%2 task(s) in the data file %1 could not be read and were skipped.

The original file could not be copied, so these tasks will be lost at the next save. Please back up the file yourself first.</translation>
    </message>
    <message>
        <source>数据文件 %1 无法读取（%2）。

原文件已原样保留为：
%3

程序将从空的任务列表开始。</source>
        <translation>The data file %1 cannot be read (%2).

The file was kept unchanged as:
%3

Tickwell starts with an empty task list.</translation>
    </message>
    <message>
        <source>数据文件 %1 无法读取（%2），也无法改名保留。

为保护其中的数据，程序不会覆盖它；请检查文件夹是否可写。</source>
        <translation>The data file %1 cannot be read (%2), and it cannot be renamed to keep it either.

To protect its data, Tickwell will not overwrite it. Please check that the folder is writable.</translation>
    </message>
    <message>
        <source>写配置文件失败，请检查文件夹是否可写！</source>
        <translation>Could not save the data file. Please check that the folder is writable.</translation>
    </message>
    <message>
        <source>数据文件 %1 无法使用：%2。

程序不会读取或覆盖它；请把它换成普通文件，或用 --data-dir 指定另一个数据文件夹。</source>
        <translation>The data file %1 cannot be used: %2.

The program will neither read nor overwrite it; replace it with a regular file, or name another data folder with --data-dir.</translation>
    </message>
</context>
<context>
    <name>TaskEvent</name>
    <message>
        <source>不是只含一个事件的日历数据</source>
        <translation>Not calendar data holding one event</translation>
    </message>
    <message>
        <source>日历事件没有 UID</source>
        <translation>The calendar event has no UID</translation>
    </message>
    <message>
        <source>日历事件没有开始时间</source>
        <translation>The calendar event has no start time</translation>
    </message>
    <message>
        <source>(无标题)</source>
        <translation>(untitled)</translation>
    </message>
</context>
<context>
    <name>TaskMerge</name>
    <message>
        <source>描述</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>Memo</translation>
    </message>
    <message>
        <source>分类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>优先级</source>
        <translation>Priority</translation>
    </message>
    <message>
        <source>到期时间</source>
        <translation>Due time</translation>
    </message>
    <message>
        <source>提醒</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>有效期</source>
        <translation>Valid period</translation>
    </message>
    <message>
        <source>铃声</source>
        <translation>Ring</translation>
    </message>
    <message>
        <source>自动处理</source>
        <translation>Automatic handling</translation>
    </message>
</context>
<context>
    <name>TaskPriority</name>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>中</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>紧急</source>
        <translation>Urgent</translation>
    </message>
</context>
<context>
    <name>TaskScheduler</name>
    <message>
        <source>无法执行自定义命令, 任务已暂停! 请检查!</source>
        <translation>Cannot run the custom command, so the task is paused. Please check it!</translation>
    </message>
</context>
<context>
    <name>TaskStatus</name>
    <message>
        <source>未发生</source>
        <translation>Not started</translation>
    </message>
    <message>
        <source>到期</source>
        <translation>Due</translation>
    </message>
    <message>
        <source>已完成</source>
        <translation>Finished</translation>
    </message>
    <message>
        <source>推迟</source>
        <translation>Postponed</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>检测中</source>
        <translation>Checking</translation>
    </message>
    <message>
        <source>进行中</source>
        <translation>In progress</translation>
    </message>
    <message>
        <source>已失效</source>
        <translation>Expired</translation>
    </message>
</context>
<context>
    <name>TaskTypesPrompt</name>
    <message>
        <source>输入所有类别，以分号分隔。如&quot;个人;工作&quot; </source>
        <translation>Enter all categories, separated by semicolons, such as &quot;Personal;Work&quot;.</translation>
    </message>
    <message>
        <source>类别名前加&quot;*&quot;表示该类别是添加任务时的缺省类别。例如&quot;个人;*工作&quot;表示&quot;工作&quot;是缺省类别。</source>
        <translation>A &quot;*&quot; before a name makes it the default category of new tasks: &quot;Personal;*Work&quot; makes &quot;Work&quot; the default.</translation>
    </message>
    <message>
        <source>输入&quot;-&quot;清除所有类别。</source>
        <translation>Enter &quot;-&quot; to clear all categories.</translation>
    </message>
</context>
<context>
    <name>TimeExpr</name>
    <message>
        <source>错误的日期时间格式！</source>
        <translation>Invalid date or time!</translation>
    </message>
    <message>
        <source>日期时间超出范围！</source>
        <translation>Date or time out of range!</translation>
    </message>
</context>
<context>
    <name>WidgetMessagePresenter</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>是(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>否(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>所有文件 (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>dlgFilter</name>
    <message>
        <source>过滤任务</source>
        <translation>Filter Tasks</translation>
    </message>
    <message>
        <source>按任务类别</source>
        <translation>By category</translation>
    </message>
    <message>
        <source>按任务状态</source>
        <translation>By status</translation>
    </message>
    <message>
        <source>等待中任务</source>
        <translation>Waiting tasks</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>(未分类)</source>
        <translation>(Uncategorised)</translation>
    </message>
    <message>
        <source>内部错误!</source>
        <translation>Internal error!</translation>
    </message>
</context>
<context>
    <name>dlgFind</name>
    <message>
        <source>查找任务</source>
        <translation>Find Task</translation>
    </message>
    <message>
        <source>任务描述/类别/状态 包含：</source>
        <translation>Description, category or status contains:</translation>
    </message>
    <message>
        <source>下一个(&amp;N)</source>
        <translation>Find &amp;Next</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>找不到了！重新从头找？</source>
        <translation>Not found. Search again from the top?</translation>
    </message>
</context>
<context>
    <name>dlgLoopDefine</name>
    <message>
        <source>周期性设置</source>
        <translation>Recurrence</translation>
    </message>
    <message>
        <source>每</source>
        <translation>Every</translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>周期类型</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>(选择周期类型)</source>
        <translation>(choose a period)</translation>
    </message>
    <message>
        <source>指定提醒时间</source>
        <translation>Alarm time</translation>
    </message>
    <message>
        <source>提醒时间</source>
        <translation>Alarm time</translation>
    </message>
    <message>
        <source>1-1,2-2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提示：填写年内的日期如1-1,2-2</source>
        <translation>Tip: enter dates of the year such as 1-1,2-2</translation>
    </message>
    <message>
        <source>最终设置：每{2}个{月}提醒一次</source>
        <translation>Result: remind every {2} {months}</translation>
    </message>
    <message>
        <source>有效期</source>
        <translation>Valid period</translation>
    </message>
    <message>
        <source>(双击设置)</source>
        <translation>(double-click to set)</translation>
    </message>
    <message>
        <source>用于设置周期性任务的起始日期时间，双击修改它。</source>
        <translation>The start and end of a recurring task; double-click to change.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>填写每月几号, 多个日期用&apos;,&apos;分隔; 负数表示倒数第几天(不允许多日期)。例：1 - 每月1号; 8,18 - 每月8号或18号; -1 - 每月最后1天</source>
        <translation>Enter the days of the month, separated by ','; a negative number counts from the month's end (one day only). E.g. 1 - the 1st; 8,18 - the 8th and the 18th; -1 - the last day</translation>
    </message>
    <message>
        <source>天</source>
        <translation>days</translation>
    </message>
    <message>
        <source>周</source>
        <translation>weeks</translation>
    </message>
    <message>
        <source>月</source>
        <translation>months</translation>
    </message>
    <message>
        <source>年</source>
        <translation>years</translation>
    </message>
    <message>
        <source>小时</source>
        <translation>hours</translation>
    </message>
    <message>
        <source>分钟</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>农历月</source>
        <translation>lunar months</translation>
    </message>
    <message>
        <source>农历年</source>
        <translation>lunar years</translation>
    </message>
    <message>
        <source>未设置(双击设置)</source>
        <translation>Not set (double-click to set)</translation>
    </message>
    <message>
        <source>提醒设置：%1</source>
        <translation>Reminder: %1</translation>
    </message>
    <message>
        <source>格式错误.</source>
        <translation>Invalid format.</translation>
    </message>
    <message>
        <source>格式错误！</source>
        <translation>Invalid format!</translation>
    </message>
    <message>
        <source>未设置</source>
        <translation>Not set</translation>
    </message>
    <message>
        <source>填写周几,1-7分别表示周一到周日。
例：1 - 周一; 135 - 周一周三周五; 67 - 周六和周日</source>
        <translation>Enter the weekdays, 1-7 for Monday to Sunday.
E.g. 1 - Monday; 135 - Monday, Wednesday and Friday; 67 - Saturday and Sunday</translation>
    </message>
    <message>
        <source>填写每年哪几天, 多个日期用&apos;,&apos;分隔。
例：1-3 - 每年1月3日; 8-8,9-9 - 每年8月8号和9月9日</source>
        <translation>Enter the days of the year as month-day, separated by ','.
E.g. 1-3 - January 3; 8-8,9-9 - August 8 and September 9</translation>
    </message>
    <message>
        <source>填写 {分} 或 {分}:{秒}。
例：0 - 每小时0分; 30 - 每小时30; 18:18 - 每小时18:18</source>
        <translation>Enter {minute} or {minute}:{second}.
E.g. 0 - on the hour; 30 - at half past; 18:18 - at 18 minutes 18 seconds past</translation>
    </message>
    <message>
        <source>填写 {秒}。
例：0 - 每分钟0秒; 30 - 每分钟30秒</source>
        <translation>Enter {second}.
E.g. 0 - at second 0 of every minute; 30 - at second 30</translation>
    </message>
    <message>
        <source>填写每月几号, 多个日期用&apos;,&apos;分隔。
例：1 - 农历每月初一; 1,15 - 农历每月初一、十五</source>
        <translation>Enter the days of the lunar month, separated by ','.
E.g. 1 - the first day of every lunar month; 1,15 - the 1st and the 15th</translation>
    </message>
    <message>
        <source>填写每年哪几天, 多个日期用&apos;,&apos;分隔。
例：8-15 - 农历每年八月十五; 1-15,8-15 - 农历每年正月十五和八月十五</source>
        <translation>Enter the days of the lunar year as month-day, separated by ','.
E.g. 8-15 - the 15th of the 8th lunar month; 1-15,8-15 - the 15th of the 1st and of the 8th lunar month</translation>
    </message>
</context>
<context>
    <name>dlgOption</name>
    <message>
        <source>选项设置</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>自动锁定时间</source>
        <translation>Auto-lock after</translation>
    </message>
    <message>
        <source>分钟 (0-不自动锁定)</source>
        <translation>minutes (0 = never lock)</translation>
    </message>
    <message>
        <source>解锁密码</source>
        <translation>Unlock password</translation>
    </message>
    <message>
        <source>设置背景色：</source>
        <translation>Background colours:</translation>
    </message>
    <message>
        <source>深色</source>
        <translation>Dark</translation>
    </message>
    <message>
        <source>浅色</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>提醒时同时发送桌面通知(&amp;N)</source>
        <translation>Also send a desktop &amp;notification when a task is due</translation>
    </message>
    <message>
        <source>语言(&amp;L)：</source>
        <translation>&amp;Language:</translation>
    </message>
    <message>
        <source>跟随系统</source>
        <translation>System default</translation>
    </message>
    <message>
        <source>下次启动时生效</source>
        <translation>takes effect at the next start</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>应用(&amp;A)</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>常规(&amp;G)</source>
        <translation>&amp;General</translation>
    </message>
    <message>
        <source>同步(&amp;Y)</source>
        <translation>S&amp;ync</translation>
    </message>
    <message>
        <source>服务器地址(&amp;S)：</source>
        <translation>&amp;Server address:</translation>
    </message>
    <message>
        <source>例如 https://cloud.example.com 或日历的完整地址</source>
        <translation>e.g. https://cloud.example.com or the calendar's full address</translation>
    </message>
    <message>
        <source>用户名(&amp;U)：</source>
        <translation>&amp;User name:</translation>
    </message>
    <message>
        <source>密码(&amp;P)：</source>
        <translation>&amp;Password:</translation>
    </message>
    <message>
        <source>日历(&amp;D)：</source>
        <translation>Calen&amp;dar:</translation>
    </message>
    <message>
        <source>同步间隔(&amp;I)：</source>
        <translation>Sync &amp;interval:</translation>
    </message>
    <message>
        <source> 分钟</source>
        <translation> min</translation>
    </message>
    <message>
        <source>测试连接(&amp;T)</source>
        <translation>&amp;Test connection</translation>
    </message>
    <message>
        <source>立即同步(&amp;R)</source>
        <translation>Sync now (&amp;R)</translation>
    </message>
    <message>
        <source>停止同步(&amp;F)</source>
        <translation>Stop syncing (&amp;F)</translation>
    </message>
    <message>
        <source>停止同步并删除这个帐户及其保存的密码吗？本机的任务保留不变。</source>
        <translation>Stop syncing and remove this account and its saved password? The tasks on this machine stay as they are.</translation>
    </message>
    <message>
        <source>服务器证书不受信任（SHA-256 指纹 %1），请先测试连接并确认。</source>
        <translation>The server's certificate is not trusted (SHA-256 fingerprint %1): test the connection first and confirm it.</translation>
    </message>
    <message>
        <source>（已保存在密钥环中）</source>
        <translation>(saved in the keyring)</translation>
    </message>
    <message>
        <source>晴钟任务提醒（没有时新建）</source>
        <translation>Tickwell (made when there is none)</translation>
    </message>
    <message>
        <source>请输入密码。</source>
        <translation>Please enter the password.</translation>
    </message>
    <message>
        <source>请输入服务器地址。</source>
        <translation>Please enter the server address.</translation>
    </message>
    <message>
        <source>本机没有联网，无法连接服务器。</source>
        <translation>This computer is offline: the server cannot be reached.</translation>
    </message>
    <message>
        <source>正在连接…</source>
        <translation>Connecting…</translation>
    </message>
    <message>
        <source>服务器的证书不受信任。SHA-256 指纹：%1</source>
        <translation>The server's certificate is not trusted. SHA-256 fingerprint: %1</translation>
    </message>
    <message>
        <source>服务器的证书不受信任，它的 SHA-256 指纹是：
%1

请与服务器管理员核对。确认信任这个证书吗？</source>
        <translation>The server's certificate is not trusted. Its SHA-256 fingerprint is:
%1

Check it with the server's administrator. Trust this certificate?</translation>
    </message>
    <message>
        <source>用户名或密码不对。</source>
        <translation>The user name or the password is wrong.</translation>
    </message>
    <message>
        <source>连接失败：%1</source>
        <translation>Connection failed: %1</translation>
    </message>
    <message>
        <source>新日历的名称（不填：晴钟任务提醒）</source>
        <translation>Name of the new calendar (empty: Tickwell)</translation>
    </message>
    <message>
        <source>无法设置同步帐户：%1</source>
        <translation>The sync account could not be set up: %1</translation>
    </message>
    <message>
        <source>新建日历…</source>
        <translation>New calendar…</translation>
    </message>
    <message>
        <source>连接成功：服务器上还没有日历，应用时将新建“%1”。</source>
        <translation>Connected: the server has no calendar yet; &quot;%1&quot; will be made when you apply.</translation>
    </message>
    <message>
        <source>连接成功：找到 %1 个日历。选择要用的日历或新建一个，再点“应用”或“确定”保存。</source>
        <translation>Connected: %1 calendar(s) found. Choose the one to use or make a new one, then click Apply or OK to save.</translation>
    </message>
    <message>
        <source>地址 %1 不加密（http）：密码和任务将以明文在网络上传送，途经的任何人都能看到。

只在可信的局域网内这样使用。确定要以不加密的方式连接这个服务器吗？</source>
        <translation>The address %1 is not encrypted (http): the password and the tasks would cross the network as plain text that anyone on the way can read.

Use it only on a trusted local network. Connect to this server without encryption?</translation>
    </message>
</context>
<context>
    <name>dlgShutdown</name>
    <message>
        <source>关机</source>
        <translation>Shut down</translation>
    </message>
    <message>
        <source>休眠</source>
        <translation>Hibernate</translation>
    </message>
    <message>
        <source>待机</source>
        <translation>Suspend</translation>
    </message>
    <message>
        <source>重启</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>注销</source>
        <translation>Log off</translation>
    </message>
    <message>
        <source>倒计时</source>
        <translation>Countdown</translation>
    </message>
    <message>
        <source>30秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1分钟</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>触发时间:</source>
        <translation>Trigger time:</translation>
    </message>
    <message>
        <source>强制执行</source>
        <translation>Force</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>立即执行</source>
        <translation>Run now</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>时间设置格式有误,请重新设置.</source>
        <translation>The delay is not valid. Please enter it again.</translation>
    </message>
    <message>
        <source>强制%1</source>
        <translation>%1 (forced)</translation>
    </message>
    <message>
        <source>(%1后)</source>
        <translation>(in %1)</translation>
    </message>
    <message>
        <source>%1秒%2</source>
        <translation>%2 in %1 s</translation>
    </message>
    <message>
        <source>立即执行&quot;%1&quot;操作吗？</source>
        <translation>Run &quot;%1&quot; now?</translation>
    </message>
    <message>
        <source>%1 - 设置</source>
        <translation>%1 - Settings</translation>
    </message>
</context>
<context>
    <name>dlgValidPeriod</name>
    <message>
        <source>设置有效期</source>
        <translation>Valid Period</translation>
    </message>
    <message>
        <source>从</source>
        <translation>From</translation>
    </message>
    <message>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择起始时间</source>
        <translation>Choose the start</translation>
    </message>
    <message>
        <source>到</source>
        <translation>To</translation>
    </message>
    <message>
        <source>选择截止时间</source>
        <translation>Choose the end</translation>
    </message>
    <message>
        <source>指定日期或时间，如&quot;2010-1-1 10:00&quot;, &quot;10:00&quot;(今天10:00), &quot;2010-1-1&quot;(当天0点)。不填表示不设有效期。</source>
        <translation>A date or time such as &quot;2010-1-1 10:00&quot;, &quot;Jan 1 2010 10am&quot;, &quot;10:00&quot; (today at 10:00) or &quot;2010-1-1&quot; (midnight). Leave empty for no limit.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>当前时间</source>
        <translation>Now</translation>
    </message>
    <message>
        <source>一天后</source>
        <translation>In One Day</translation>
    </message>
    <message>
        <source>一个月后</source>
        <translation>In One Month</translation>
    </message>
    <message>
        <source>从日历选择...</source>
        <translation>From the Calendar...</translation>
    </message>
    <message>
        <source>日期格式错误!</source>
        <translation>Invalid date!</translation>
    </message>
    <message>
        <source>不允许截止日期早于起始日期！</source>
        <translation>The end must not be before the start!</translation>
    </message>
    <message>
        <source>截止日期早于当前日期！是否继续？</source>
        <translation>The end is before now! Continue?</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>关于 - 晴钟任务提醒</source>
        <translation>About - Tickwell</translation>
    </message>
    <message>
        <source>晴钟任务提醒 V</source>
        <translation>Tickwell V</translation>
    </message>
    <message>
        <source>桌面任务提醒软件：用“明天 10:00”“每周135”“农历8-15”这样的简短写法安排提醒，公历、农历周期任务都能提醒。</source>
        <translation>A desktop task reminder: schedule reminders with short Chinese expressions such as “明天 10:00” (tomorrow 10:00), “每周135” (every Monday, Wednesday and Friday) or “农历8-15” (lunar 8-15); recurring tasks follow the Gregorian or the Chinese lunar calendar.</translation>
    </message>
    <message>
        <source>主页&gt;&gt;</source>
        <translation>Home page &gt;&gt;</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>数据文件夹：%1</source>
        <translation>Data folder: %1</translation>
    </message>
</context>
<context>
    <name>frmHelp</name>
    <message>
        <source>晴钟任务提醒 - 帮助信息</source>
        <translation>Tickwell - Help</translation>
    </message>
    <message>
        <source>无法读取帮助信息。</source>
        <translation>The help cannot be read.</translation>
    </message>
</context>
<context>
    <name>frmHtmlViewer</name>
    <message>
        <source>万年历</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>找不到万年历页面。</source>
        <translation>The calendar page cannot be found.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>晴钟任务提醒</source>
        <translation>Tickwell</translation>
    </message>
    <message>
        <source>任务(&amp;T)</source>
        <translation>&amp;Task</translation>
    </message>
    <message>
        <source>过滤</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>工具(&amp;O)</source>
        <translation>T&amp;ools</translation>
    </message>
    <message>
        <source>选择列</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>界面风格</source>
        <translation>Appearance</translation>
    </message>
    <message>
        <source>背景风格</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>新建(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Del</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全部删除</source>
        <translation>Delete All</translation>
    </message>
    <message>
        <source>取消本次任务</source>
        <translation>Cancel This Occurrence</translation>
    </message>
    <message>
        <source>完成本次任务</source>
        <translation>Finish This Occurrence</translation>
    </message>
    <message>
        <source>取消任务(&amp;C)</source>
        <translation>&amp;Cancel Task</translation>
    </message>
    <message>
        <source>完成任务</source>
        <translation>Finish Task</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查看运行状态</source>
        <translation>Show Status</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查找(&amp;F)</source>
        <translation>&amp;Find</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未分类</source>
        <translation>Uncategorised</translation>
    </message>
    <message>
        <source>未发生,到期,推迟</source>
        <translation>Not Started, Due, Postponed</translation>
    </message>
    <message>
        <source>已完成</source>
        <translation>Finished</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>清除过滤条件</source>
        <translation>Clear Filter</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>万年历</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>开机自动启动</source>
        <translation>Start at Log-in</translation>
    </message>
    <message>
        <source>记录日志</source>
        <translation>Keep a Log</translation>
    </message>
    <message>
        <source>查看日志</source>
        <translation>Show Log</translation>
    </message>
    <message>
        <source>关机对话框 ...</source>
        <translation>Shutdown Dialog...</translation>
    </message>
    <message>
        <source>导出...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>导出日历 (iCalendar)...</source>
        <translation>Export Calendar (iCalendar)...</translation>
    </message>
    <message>
        <source>导入日历...</source>
        <translation>Import Calendar...</translation>
    </message>
    <message>
        <source>设置任务类别</source>
        <translation>Edit Categories</translation>
    </message>
    <message>
        <source>重置</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>间隔(缺省)</source>
        <translation>Striped (default)</translation>
    </message>
    <message>
        <source>纯色</source>
        <translation>Plain</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>选择图片</source>
        <translation>Choose Picture</translation>
    </message>
    <message>
        <source>经典蓝(缺省)</source>
        <translation>Classic blue (default)</translation>
    </message>
    <message>
        <source>锁定(&amp;L)</source>
        <translation>&amp;Lock</translation>
    </message>
    <message>
        <source>Ctrl+L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选项(&amp;O)</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>内容(&amp;C)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查看更新/意见建议(&amp;H)</source>
        <translation>&amp;Home Page / Feedback</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>内部错误!</source>
        <translation>Internal error!</translation>
    </message>
    <message>
        <source>右键设置过滤条件，双击本栏清除或恢复过滤条件。</source>
        <translation>Right-click to set a filter; double-click to clear or restore it.</translation>
    </message>
    <message>
        <source>无过滤(双击设置)</source>
        <translation>No filter (double-click to set)</translation>
    </message>
    <message>
        <source>右键或双击设置过滤条件。</source>
        <translation>Right-click or double-click to set a filter.</translation>
    </message>
    <message>
        <source>继续</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>确认删除%1项任务？</source>
        <translation>Delete %1 task(s)?</translation>
    </message>
    <message>
        <source>确定要删除全部%1项任务吗？</source>
        <translation>Delete all %1 tasks?</translation>
    </message>
    <message>
        <source>将取消本次任务并生成下次提醒任务，确认？</source>
        <translation>Cancel this occurrence and schedule the next one?</translation>
    </message>
    <message>
        <source>将完成本次任务并生成下次提醒任务，确认？</source>
        <translation>Finish this occurrence and schedule the next one?</translation>
    </message>
    <message>
        <source>确实要取消%1项任务？</source>
        <translation>Cancel %1 task(s)?</translation>
    </message>
    <message>
        <source>将选中的%1项任务状态设置为已完成？</source>
        <translation>Mark the %1 selected task(s) as finished?</translation>
    </message>
    <message>
        <source>无法设置注册表自动启动项，可能是被杀毒软件阻止。</source>
        <translation>Could not set up the start at log-in.</translation>
    </message>
    <message>
        <source>日志记录未激活，是否激活？</source>
        <translation>The log is off. Turn it on?</translation>
    </message>
    <message>
        <source>任务提醒列表 </source>
        <translation>Task list </translation>
    </message>
    <message>
        <source>导出成功！是否打开？</source>
        <translation>Exported. Open the file?</translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>Save File</translation>
    </message>
    <message>
        <source>逗号分隔的Excel文件(*.csv)|*.csv</source>
        <translation>Comma-separated values (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>iCalendar 日历文件(*.ics)|*.ics</source>
        <translation>iCalendar files (*.ics)|*.ics</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>iCalendar 日历文件(*.ics)|*.ics;*.ical;*.ifb</source>
        <translation>iCalendar files (*.ics)|*.ics;*.ical;*.ifb</translation>
    </message>
    <message>
        <source>请输入过滤条件：</source>
        <translation>Enter the filter (the field names and status values stay Chinese):</translation>
    </message>
    <message>
        <source>多个值以,分隔，多个条件以&amp;分隔，例如</source>
        <translation>Separate values with &quot;,&quot; and conditions with &quot;&amp;&quot;, for example</translation>
    </message>
    <message>
        <source>  &quot;类别=工作,私人&amp;状态=已完成&quot;</source>
        <translation>  &quot;类别=工作,私人&amp;状态=已完成&quot; (category work or private, and status finished)</translation>
    </message>
    <message>
        <source>输入- 清除过滤条件显示所有项</source>
        <translation>Enter - to clear the filter and show all tasks</translation>
    </message>
    <message>
        <source>输入解锁密码;无密码按Ctrl-L返回.</source>
        <translation>Enter the unlock password; without a password press Ctrl+L.</translation>
    </message>
    <message>
        <source>图片文件(*.jpg *.bmp *.gif *.png)</source>
        <translation>Pictures (*.jpg *.bmp *.gif *.png)</translation>
    </message>
    <message>
        <source>无法复制图片到数据文件夹。</source>
        <translation>Could not copy the picture to the data folder.</translation>
    </message>
    <message>
        <source>新建任务(&amp;N)</source>
        <translation>&amp;New Task</translation>
    </message>
    <message>
        <source>软件主页</source>
        <translation>Home Page</translation>
    </message>
    <message>
        <source>自定义</source>
        <comment>a filter typed by hand</comment>
        <translation>Custom...</translation>
    </message>
    <message>
        <source>自定义</source>
        <comment>colours chosen in the options</comment>
        <translation>Custom...</translation>
    </message>
    <message>
        <source> [只读：%1]</source>
        <translation> [read-only: %1]</translation>
    </message>
    <message>
        <source>该任务%1!</source>
        <translation>Task status: %1.</translation>
    </message>
    <message>
        <source>继续任务？</source>
        <translation>Resume the task?</translation>
    </message>
    <message>
        <source>暂停任务？</source>
        <translation>Pause the task?</translation>
    </message>
    <message>
        <source>出错: 无法打开文件 %1</source>
        <translation>Error: cannot open the file %1</translation>
    </message>
    <message>
        <source>无日志文件：%1</source>
        <translation>No log file: %1</translation>
    </message>
    <message>
        <source>出错: %1</source>
        <translation>Error: %1</translation>
    </message>
    <message>
        <source>过滤: %1</source>
        <translation>Filter: %1</translation>
    </message>
    <message>
        <source>任务: %1</source>
        <translation>Tasks: %1</translation>
    </message>
    <message>
        <source>这个数据文件夹没有设置同步帐户。
</source>
        <translation>No sync account is set up for this data folder.
</translation>
    </message>
    <message>
        <source>立即同步(&amp;S)</source>
        <translation>&amp;Sync now</translation>
    </message>
</context>
<context>
    <name>frmPrompt</name>
    <message>
        <source>任务时间已到</source>
        <translation>Task Due</translation>
    </message>
    <message>
        <source>提醒时间:</source>
        <translation>Alarm time:</translation>
    </message>
    <message>
        <source>12:00:00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已过1分钟</source>
        <translation>1 minute ago</translation>
    </message>
    <message>
        <source>5分钟</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10分钟</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>15分钟</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30分钟</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>14:00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10:00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[指定时间]</source>
        <translation>[choose a time]</translation>
    </message>
    <message>
        <source>正在处理，待会再提醒</source>
        <translation>In progress, remind me later</translation>
    </message>
    <message>
        <source>推 迟</source>
        <translation>Snooze</translation>
    </message>
    <message>
        <source>任务取消</source>
        <translation>Cancel Task</translation>
    </message>
    <message>
        <source>任务完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>输入指定日期时间，如&quot;2010-10-1 10:00&quot;, &quot;2010-10-1&quot;, &quot;10:00&quot;(表示今天，如果当前时间超过10点则自动改到明天)</source>
        <translation>Enter a date and time such as &quot;2010-10-1 10:00&quot;, &quot;2010-10-1&quot; or &quot;10:00&quot; (today, or tomorrow when 10:00 has passed)</translation>
    </message>
    <message>
        <source>下次提醒</source>
        <translation>Next Reminder</translation>
    </message>
    <message>
        <source>将所有任务设置为%1?</source>
        <translation>Set all tasks to %1?</translation>
    </message>
    <message>
        <source>将%1条任务设置为%2?</source>
        <translation>Set %1 task(s) to %2?</translation>
    </message>
    <message>
        <source>推迟10分钟</source>
        <translation>Snooze 10 minutes</translation>
    </message>
    <message>
        <source>已过%1</source>
        <translation>Overdue by %1</translation>
    </message>
</context>
<context>
    <name>frmTask</name>
    <message>
        <source>添加任务</source>
        <translation>New Task</translation>
    </message>
    <message>
        <source>任务描述(双击放大)</source>
        <translation>Description (double-click to enlarge)</translation>
    </message>
    <message>
        <source>输入要提醒的事项。自定义事件命令以冒号:开头。双击放大显示！</source>
        <translation>What to be reminded of. A custom event command starts with a colon (:). Double-click to enlarge.</translation>
    </message>
    <message>
        <source>任务描述</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>优先级</source>
        <translation>Priority</translation>
    </message>
    <message>
        <source>任务状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>发生日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>可直接输入日期，点击下拉列表查看输入格式。支持周期性循环事件，支持农历。</source>
        <translation>Type a date (the expressions are Chinese, see the list and the help); recurring and lunar dates work.</translation>
    </message>
    <message>
        <source>今天</source>
        <translation type="unfinished">Today</translation>
    </message>
    <message>
        <source>日历</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>从万年历选择</source>
        <translation>Pick from the calendar</translation>
    </message>
    <message>
        <source>发生时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>可直接输入时间，点击下拉列表查看输入格式。支持某时间段之后或每隔一段时间（周期性提醒）。</source>
        <translation>Type a time (see the list and the help): a time of day, a delay or a repeating interval.</translation>
    </message>
    <message>
        <source>周期</source>
        <translation>Recurrence</translation>
    </message>
    <message>
        <source>设置周期性时间</source>
        <translation>Set up a recurrence</translation>
    </message>
    <message>
        <source>到期时间</source>
        <translation>Due</translation>
    </message>
    <message>
        <source>提醒时间</source>
        <translation>Alarm time</translation>
    </message>
    <message>
        <source>双击设置提醒日期及时间。</source>
        <translation>Double-click to set the alarm date and time.</translation>
    </message>
    <message>
        <source>有效期</source>
        <translation>Valid period</translation>
    </message>
    <message>
        <source>(双击设置)</source>
        <translation>(double-click to set)</translation>
    </message>
    <message>
        <source>用于设置周期性任务的起始日期时间，双击修改它。</source>
        <translation>The start and end of a recurring task; double-click to change.</translation>
    </message>
    <message>
        <source>铃声</source>
        <translation>Ring</translation>
    </message>
    <message>
        <source>无铃声提醒</source>
        <translation>No sound</translation>
    </message>
    <message>
        <source>滴滴声</source>
        <translation>Beep</translation>
    </message>
    <message>
        <source>音乐铃声</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>试听</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>播放进度</source>
        <translation>Playback position</translation>
    </message>
    <message>
        <source>音乐文件</source>
        <translation>Music file</translation>
    </message>
    <message>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择音乐文件</source>
        <translation>Choose a music file</translation>
    </message>
    <message>
        <source>动作</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>打开文件/运行程序</source>
        <translation>Open file / run program</translation>
    </message>
    <message>
        <source>可以是文档、命令行、网址等；如果程序路径中有空格请用双引号括起来。</source>
        <translation>A document, a command line or a web address; quote a program path that contains spaces.</translation>
    </message>
    <message>
        <source>选择文档/程序/音乐/视频...</source>
        <translation>Choose a document, program, music or video...</translation>
    </message>
    <message>
        <source>隐藏窗口</source>
        <translation>Hidden window</translation>
    </message>
    <message>
        <source>起始目录</source>
        <translation>Start folder</translation>
    </message>
    <message>
        <source>试运行</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>立即运行上面的命令</source>
        <translation>Run the command above now</translation>
    </message>
    <message>
        <source>立即运行自定义事件的检测命令</source>
        <translation>Run the check command of the custom event now</translation>
    </message>
    <message>
        <source>过期自动取消</source>
        <translation>Cancel if missed</translation>
    </message>
    <message>
        <source>软件启动或系统从待机/休眠中恢复时，不提醒已过期的任务；对循环任务将自动进入下一周期</source>
        <translation>Missed tasks are not reminded at start or after suspend; a recurring task moves on to its next occurrence</translation>
    </message>
    <message>
        <source>到期自动完成</source>
        <translation>Finish when due</translation>
    </message>
    <message>
        <source>不弹出提醒框；对循环任务将自动进入下一周期；注意音乐提醒将无效，如需音乐可在&quot;打开文件&quot;栏指定音乐文件</source>
        <translation>No reminder window; a recurring task moves on to its next occurrence. The music ring does not play: name the music file under &quot;Open file&quot; instead</translation>
    </message>
    <message>
        <source>自动添加备注</source>
        <translation>Add notes automatically</translation>
    </message>
    <message>
        <source>备注(双击放大)</source>
        <translation>Notes (double-click to enlarge)</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>普通</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>紧急</source>
        <translation>Urgent</translation>
    </message>
    <message>
        <source>新任务</source>
        <translation>New task</translation>
    </message>
    <message>
        <source>任务属性 - </source>
        <translation>Task Properties - </translation>
    </message>
    <message>
        <source>[自定义] </source>
        <translation>[Custom] </translation>
    </message>
    <message>
        <source>不能修改自定义任务的提醒时间。</source>
        <translation>The alarm time of a custom task cannot be changed.</translation>
    </message>
    <message>
        <source>请输入提醒日期及时间：(输入&quot;-&quot;保持与到期时间一致)</source>
        <translation>Enter the alarm date and time (&quot;-&quot; = the due time):</translation>
    </message>
    <message>
        <source>也支持以下格式：</source>
        <translation>These forms work too:</translation>
    </message>
    <message>
        <source>    -N (如 -15 或 -15分钟 : 提前15分钟)</source>
        <translation>    -N (e.g. -15, -15 min or &quot;15 minutes earlier&quot;)</translation>
    </message>
    <message>
        <source>    -N小时 (如-1小时 : 提前1小时)</source>
        <translation>    -N h (e.g. -1 h or &quot;1 hour earlier&quot;)</translation>
    </message>
    <message>
        <source>    -N秒 (如-30秒: 提前30秒)</source>
        <translation>    -N s (e.g. -30 s or &quot;30 seconds earlier&quot;)</translation>
    </message>
    <message>
        <source>    -N天 (如-1天: 提前1天)</source>
        <translation>    -N days (e.g. &quot;1 day earlier&quot;)</translation>
    </message>
    <message>
        <source>    -N月 (如-1月: 提前1个月)</source>
        <translation>    -N months (e.g. &quot;1 month earlier&quot;)</translation>
    </message>
    <message>
        <source>    -N年 (如-1年: 提前1年)</source>
        <translation>    -N years (e.g. &quot;1 year earlier&quot;)</translation>
    </message>
    <message>
        <source>(如果没有-号表示推迟提醒时间)</source>
        <translation>(without the minus sign, or with &quot;later&quot;, the alarm is later instead)</translation>
    </message>
    <message>
        <source>指定时间在当前时间之前，请重新指定！</source>
        <translation>That time has passed; please choose another.</translation>
    </message>
    <message>
        <source>未设置(双击设置)</source>
        <translation>Not set (double-click to set)</translation>
    </message>
    <message>
        <source>请输入任务描述.</source>
        <translation>Please enter a description.</translation>
    </message>
    <message>
        <source>该任务已被删除，修改无法保存。</source>
        <translation>The task has been deleted; the changes cannot be saved.</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>建议勾上选项&quot;过期自动取消&quot;, 以免打开软件时恰好有已过提醒时间的关机任务而导致关机。是否现在勾上？</source>
        <translation>Tick &quot;Cancel if missed&quot;, so that a missed shutdown task does not shut down the computer at the next start? </translation>
    </message>
    <message>
        <source>是否勾上选项&quot;到期自动完成&quot;, 以便提醒时只出现关机或其它动作的倒计时窗口而不显示提醒窗口？</source>
        <translation>Tick &quot;Finish when due&quot;, so that only the countdown of the action appears instead of the reminder window?</translation>
    </message>
    <message>
        <source>输入执行命令的起始目录，输入短横&apos;-&apos;使用本软件所在目录:</source>
        <translation>Enter the folder the command starts in; a dash '-' uses the program's folder:</translation>
    </message>
    <message>
        <source>命令的起始目录</source>
        <translation>Start Folder</translation>
    </message>
    <message>
        <source>找不到指定目录 </source>
        <translation>Folder not found: </translation>
    </message>
    <message>
        <source>执行失败</source>
        <translation>Could not run it</translation>
    </message>
    <message>
        <source>命令返回%1(非0)。将会弹出提醒！</source>
        <translation>The command returned %1 (not 0): the reminder will appear.</translation>
    </message>
    <message>
        <source>命令无法运行，请检查！</source>
        <translation>The command cannot run; please check it.</translation>
    </message>
    <message>
        <source>命令正常返回0，将不会弹出提醒。</source>
        <translation>The command returned 0: no reminder will appear.</translation>
    </message>
    <message>
        <source>命令仍在执行。是否继续等待？</source>
        <translation>The command is still running. Keep waiting?</translation>
    </message>
    <message>
        <source>音乐文件(*.mp3;*.wav;*.wma;*.mid)|*.mp3;*.wav;*.wma;*.mid|所有文件|*</source>
        <translation>Music files (*.mp3;*.wav;*.wma;*.mid)|*.mp3;*.wav;*.wma;*.mid|All files|*</translation>
    </message>
    <message>
        <source>写文件出错!</source>
        <translation>Could not write the file!</translation>
    </message>
    <message>
        <source>每周几？（用1-7表示，可以写多天。）</source>
        <translation>Which weekdays? (1-7 for Monday to Sunday; several allowed.)</translation>
    </message>
    <message>
        <source>例：1 - 周一; 135 - 周一周三周五; 67 - 周六和周日</source>
        <translation>E.g. 1 - Monday; 135 - Monday, Wednesday and Friday; 67 - Saturday and Sunday</translation>
    </message>
    <message>
        <source>每月几号？（多天间用&apos;,&apos;分隔。负数不允许多天。）</source>
        <translation>Which days of the month? (Separate several with ','; a negative number counts from the end, one day only.)</translation>
    </message>
    <message>
        <source>例：1 - 每月1号; 1,11,21 - 每月1号或11号或21号; -1 - 每月最后1天</source>
        <translation>E.g. 1 - the 1st; 1,11,21 - the 1st, 11th and 21st; -1 - the last day</translation>
    </message>
    <message>
        <source>每年几号？（多天间用&apos;,&apos;分隔。）</source>
        <translation>Which days of the year, as month-day? (Separate several with ','.)</translation>
    </message>
    <message>
        <source>例：1-3 - 每年1月3日; 8-8,9-9 - 每年8月8号和9月9日</source>
        <translation>E.g. 1-3 - January 3; 8-8,9-9 - August 8 and September 9</translation>
    </message>
    <message>
        <source>农历每月几号？（多天间用&apos;,&apos;分隔。）</source>
        <translation>Which days of the lunar month? (Separate several with ','.)</translation>
    </message>
    <message>
        <source>例：1 - 农历每月初一; 1,15 - 农历每月初一、十五</source>
        <translation>E.g. 1 - the first day; 1,15 - the 1st and the 15th</translation>
    </message>
    <message>
        <source>农历每年几号？（多天间用&apos;,&apos;分隔。）</source>
        <translation>Which days of the lunar year, as month-day? (Separate several with ','.)</translation>
    </message>
    <message>
        <source>例：8-15 - 农历每年八月十五; 1-15,8-15 - 农历每年正月十五和八月十五</source>
        <translation>E.g. 8-15 - the 15th of the 8th lunar month; 1-15,8-15 - the 15th of the 1st and of the 8th lunar month</translation>
    </message>
    <message>
        <source>&lt;周期性...&gt;</source>
        <translation>&lt;Recurrence...&gt;</translation>
    </message>
    <message>
        <source>&lt;选择文档/程序/音乐/视频...&gt;</source>
        <translation>&lt;Choose a document, program, music or video...&gt;</translation>
    </message>
    <message>
        <source>&lt;设置关机/休眠/重启/待机/注销...&gt;</source>
        <translation>&lt;Shut down, hibernate, restart, suspend or log off...&gt;</translation>
    </message>
    <message>
        <source>[打开文档示例] ~/todo.txt</source>
        <translation>[Example: open a document] ~/todo.txt</translation>
    </message>
    <message>
        <source>[打开网址示例] xdg-open https://www.debian.org/</source>
        <translation>[Example: open a web address] xdg-open https://www.debian.org/</translation>
    </message>
    <message>
        <source>[命令示例:1分钟后关机] shutdown -h +1 &quot;即将关机! (用 shutdown -c 命令取消)&quot;</source>
        <translation>[Example command: shut down in 1 minute] shutdown -h +1 &quot;Shutting down! (cancel with shutdown -c)&quot;</translation>
    </message>
    <message>
        <source>可执行文件|*.sh;*.py;*.AppImage;*.desktop|音乐、视频|*.mp3;*.wma;*.wav;*.mid;*.ogg;*.flac;*.avi;*.wmv;*.mov;*.mp4;*.mkv;*.webm;*.rm;*.rmvb;*.3gp|文档|*.txt;*.doc;*.docx;*.odt;*.xls;*.xlsx;*.ods;*.pdf;*.htm;*.html|所有文件|*</source>
        <translation>Programs|*.sh;*.py;*.AppImage;*.desktop|Music and videos|*.mp3;*.wma;*.wav;*.mid;*.ogg;*.flac;*.avi;*.wmv;*.mov;*.mp4;*.mkv;*.webm;*.rm;*.rmvb;*.3gp|Documents|*.txt;*.doc;*.docx;*.odt;*.xls;*.xlsx;*.ods;*.pdf;*.htm;*.html|All files|*</translation>
    </message>
    <message>
        <source>&lt;选择音乐...&gt;</source>
        <translation>&lt;Choose music...&gt;</translation>
    </message>
    <message>
        <source>[铃声] %1</source>
        <translation>[Ringtone] %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>软件另一实例已在运行，是否激活？</source>
        <translation>Tickwell is already running. Bring it to the front?</translation>
    </message>
    <message>
        <source>无法使用数据文件夹。

%1</source>
        <translation>The data folder cannot be used.

%1</translation>
    </message>
    <message>
        <source>进程 %1</source>
        <translation>process %1</translation>
    </message>
    <message>
        <source>另一个程序</source>
        <translation>another program</translation>
    </message>
    <message>
        <source>数据文件夹正由%1使用，本窗口不提醒、不保存</source>
        <translation>The data folder is in use by %1: this window does not remind and does not save</translation>
    </message>
    <message>
        <source>tickwell: 数据文件夹 %1 正由%2使用：本次运行只读，不提醒、不保存。
</source>
        <translation>tickwell: the data folder %1 is in use by %2: this run is read-only, it does not remind and does not save.
</translation>
    </message>
</context>
</TS>
