# SPDX-License-Identifier: GPL-3.0-or-later
# English of the program shell (start-up, command line, message boxes), the shutdown dialog, the calendar window
# and tickwell-cli. The expressions inside examples stay Chinese: they are what the user types.

EN = {
    # Message and input boxes, file dialogs
    '是(&Y)': '&Yes', '否(&N)': '&No', '所有文件 (*)': 'All files (*)',

    # The program's start
    '软件另一实例已在运行，是否激活？': 'Tickwell is already running. Bring it to the front?',
    '无法使用数据文件夹。\n\n%1': 'The data folder cannot be used.\n\n%1',
    '进程 %1': 'process %1', '另一个程序': 'another program',
    '数据文件夹正由%1使用，本窗口不提醒、不保存':
        'The data folder is in use by %1: this window does not remind and does not save',
    'tickwell: 数据文件夹 %1 正由%2使用：本次运行只读，不提醒、不保存。\n':
        'tickwell: the data folder %1 is in use by %2: this run is read-only, it does not remind and does not save.\n',

    # tickwell --help
    '--data-dir 后面要写数据文件夹': '--data-dir must be followed by the data folder',
    '--data-dir 后面要写数据文件夹，不能为空': '--data-dir must be followed by the data folder, which cannot be empty',
    '未知选项：%1': 'Unknown option: %1', 'CommandLine::%1 (Tickwell) %2': '%1 %2',
    '用法：tickwell [选项]\n'
    '\n'
    '晴钟任务提醒：桌面任务提醒\n'
    '\n'
    '选项：\n'
    '  -m              启动后最小化\n'
    '  --data-dir DIR  数据文件夹（不存在时自动创建）。缺省为程序所在文件夹（当其中已有\n'
    '                  twdata.xml 时），否则为 ~/.local/share/Tickwell\n'
    '  --power-dry-run 关机、重启等电源操作只输出到标准输出，不真正执行\n'
    '  -h, --help      显示本帮助\n'
    '  -v, --version   显示版本\n':
        'Usage: tickwell [options]\n'
        '\n'
        'Tickwell: a desktop task reminder\n'
        '\n'
        'Options:\n'
        '  -m              start minimised\n'
        '  --data-dir DIR  the data folder (made when missing). By default the program\'s folder\n'
        '                  when it holds a twdata.xml, else ~/.local/share/Tickwell\n'
        '  --power-dry-run print shutdown, restart and the other power actions on standard\n'
        '                  output instead of performing them\n'
        '  -h, --help      show this help\n'
        '  -v, --version   show the version\n',

    # Shutdown dialog
    '时间设置格式有误,请重新设置.': 'The delay is not valid. Please enter it again.',
    '强制%1': '%1 (forced)', '(%1后)': '(in %1)', '%1秒%2': '%2 in %1 s', '立即执行"%1"操作吗？': 'Run "%1" now?',
    '%1 - 设置': '%1 - Settings',

    # Calendar window
    '找不到万年历页面。': 'The calendar page cannot be found.',
    '无法加载网页组件：%1': 'The web component cannot be loaded: %1',

    # tickwell-cli: a session without a runtime folder
    '%1；本次不与正在运行的程序联系。\n': '%1; this run does not reach a running program.\n',
    '运行时文件夹 %1 不能用：%2': 'The runtime folder %1 cannot be used: %2', '无法建立': 'it cannot be made',
    '不是文件夹，或是链接': 'it is not a folder, or it is a link', '属于别的用户': 'it belongs to another user',
    '无法设为仅本用户可用': 'it cannot be made private to this user',

    # tickwell-cli: help
    'tickwell-cli：晴钟任务提醒的命令行工具\n\n用法：tickwell-cli 命令 [参数]\n\n命令：\n':
        'tickwell-cli: the command-line tool of Tickwell\n\nUsage: tickwell-cli COMMAND [ARGUMENTS]\n\nCommands:\n',
    '例：%1': 'Example: %1',
    '\n  --help\n      显示本帮助\n  --version\n      显示版本\n':
        '\n  --help\n      show this help\n  --version\n      show the version\n',
    '\n数据文件夹的找法与程序相同：--data-dir 指定的文件夹；否则程序所在文件夹（其中已有 twdata.xml 时）；\n'
    '否则为用户数据文件夹 %1。\n':
        '\nThe data folder is found as the program finds it: the folder given with --data-dir; else the program\'s\n'
        'folder when it holds a twdata.xml; else the user\'s data folder %1.\n',
    '列出数据文件中的任务：编号、状态、提醒时间、发生日期、发生时间、标题（以制表符分隔）':
        'Lists the tasks of the data file: key, status, alarm time, due date, due time and title, separated by tabs',
    '把全部任务导出为 CSV 文件（UTF-8，Excel 可直接打开），或用 --ical 导出为 iCalendar 日历':
        'Exports all tasks to a CSV file (UTF-8, opens in spreadsheets), or with --ical to an iCalendar file',
    'tickwell-cli export 任务提醒列表.csv': 'tickwell-cli export tasks.csv',
    '把 iCalendar 日历文件中的事件和待办导入为任务（程序运行时请在程序中导入）':
        'Imports the events and to-dos of an iCalendar file as tasks (while the program runs, import in the program)',
    'tickwell-cli import 日历.ics': 'tickwell-cli import calendar.ics',
    '把公历日期换算成农历，闰月后面加“闰”':
        'Converts a Gregorian date to the Chinese lunar calendar; a leap month is followed by “闰”',
    'tickwell-cli lunar 2012-06-04   （输出 2012-4-15 闰）': 'tickwell-cli lunar 2012-06-04   (prints 2012-4-15 闰)',
    '把农历日期换算成公历；--leap 表示闰月':
        'Converts a Chinese lunar date to the Gregorian calendar; --leap names a leap month',
    'tickwell-cli solar 2012-4-15 --leap   （输出 2012-06-04）':
        'tickwell-cli solar 2012-4-15 --leap   (prints 2012-06-04)',
    '描述 [--date 日期] [--time 时间] [--category 类别] [--priority 优先级] [--alarm 提醒] [--data-dir DIR]':
        'DESCRIPTION [--date DATE] [--time TIME] [--category CATEGORY] [--priority PRIORITY] [--alarm ALARM] '
        '[--data-dir DIR]',
    '添加任务；日期、时间的写法与任务窗口相同（默认今天、10分钟后）。输出新任务的编号和到期时间':
        'Adds a task; the date and time are written as in the task window, in the Chinese expressions (by default '
        '今天 = today and 10分钟后 = in 10 minutes). The priority is low, normal, high or urgent. Prints the new '
        'task\'s key and due time',
    'tickwell-cli add 编译完成后检查结果 --time 30分钟后 --category 工作':
        'tickwell-cli add "Check the build" --time 30分钟后 --category Work   (30分钟后 = in 30 minutes)',
    '任务编号 [--data-dir DIR]': 'KEY [--data-dir DIR]',
    '把等待中的任务设为已完成（周期任务转到下次）':
        'Marks a waiting task as finished (a recurring task moves on to its next occurrence)',
    '取消等待中的任务': 'Cancels a waiting task',
    '任务编号 推迟时间 [--data-dir DIR]': 'KEY DELAY [--data-dir DIR]',
    '推迟任务的提醒，写法与提醒窗口的推迟相同':
        'Postpones a task\'s reminder; the delay is written as in the reminder window',
    'tickwell-cli postpone T3 10分钟': 'tickwell-cli postpone T3 10分钟   (10分钟 = 10 minutes)',
    '[--now "YYYY-MM-DD hh:mm:ss"] [--count N] 日期 时间': '[--now "YYYY-MM-DD hh:mm:ss"] [--count N] DATE TIME',
    '按日期和时间表达式算出到期时刻（可为周期规则）；--count N 列出接下来的 N 次，--now 指定当前时刻':
        'Works out the due moment of a date and a time expression (recurring rules too); --count N lists the next '
        'N occurrences, --now sets the current moment',
    'tickwell-cli when --now "2011-12-15 11:00:00" 每天 10:00   （输出 2011-12-16 10:00:00）':
        'tickwell-cli when --now "2011-12-15 11:00:00" 每天 10:00   (每天 = every day; prints 2011-12-16 10:00:00)',

    # tickwell-cli: messages
    '--data-dir 后面要写数据文件夹，例如 --data-dir ~/tickwell\n':
        '--data-dir must be followed by the data folder, for example --data-dir ~/tickwell\n',
    '未知选项：%1\n\n': 'Unknown option: %1\n\n',
    '未知命令：%1\n运行 tickwell-cli --help 查看可用命令。\n':
        'Unknown command: %1\nRun tickwell-cli --help to see the commands.\n',
    '找不到数据文件：%1\n可用 --data-dir 指定数据文件夹。\n':
        'The data file cannot be found: %1\nName the data folder with --data-dir.\n',
    '数据文件无法读取：%1\n%2\n': 'The data file cannot be read: %1\n%2\n',
    '%1 个等待中的任务没有算出到期时刻（数据文件中写作“--”），程序不会提醒它们，未导出。\n':
        '%1 waiting tasks have no worked-out due moment ("--" in the data file); the program does not remind '
        'them, and they were not exported.\n',
    '数据文件中有 %1 个任务无法读取，未包含在内。\n': '%1 task(s) in the data file cannot be read and are left out.\n',
    'list 不需要参数：%1\n': 'list takes no arguments: %1\n',
    'export --ical 只需要一个文件名：%1\n': 'export --ical takes one file name only: %1\n',
    '请给出一个 CSV 文件名，例如 tickwell-cli export 任务.csv\n':
        'Give one CSV file name, for example tickwell-cli export tasks.csv\n',
    '不能把 CSV 写到数据文件上：%1\n': 'The CSV cannot be written over the data file: %1\n',
    '出错: %1\n': 'Error: %1\n',
    '已导出 %1 个任务到 %2\n': 'Exported %1 task(s) to %2\n',
    '--ical 后面要写日历文件名，例如 tickwell-cli export --ical 任务.ics\n':
        '--ical must be followed by the calendar file name, for example tickwell-cli export --ical tasks.ics\n',
    '不能把日历写到数据文件上：%1\n': 'The calendar cannot be written over the data file: %1\n',
    '请给出一个日历文件名，例如 tickwell-cli import 日历.ics\n':
        'Give one calendar file name, for example tickwell-cli import calendar.ics\n',
    '无法导入 %1：%2\n': 'Cannot import %1: %2\n',
    '程序正在使用数据文件夹 %1：请在程序中用“工具 → 导入日历...”导入，或先退出程序。\n':
        'The program is using the data folder %1: import with "Tools > Import Calendar..." in the program, or quit '
        'the program first.\n',
    '数据文件夹不可写：%1\n': 'The data folder cannot be written: %1\n',
    '数据文件中有 %1 个任务无法读取；为免丢失它们，未导入。请先在程序中打开数据文件。\n':
        '%1 task(s) in the data file cannot be read; nothing was imported, so that they are not lost. Open the data '
        'file in the program first.\n',
    '无法保存数据文件：%1\n': 'The data file cannot be saved: %1\n',
    '请给出公历日期，格式为 YYYY-MM-DD，例如 2012-06-04\n':
        'Give a Gregorian date as YYYY-MM-DD, for example 2012-06-04\n',
    '日期超出农历表的范围（1900-01-31 至 2050-01-22）\n':
        'The date is outside the lunar table (1900-01-31 to 2050-01-22)\n',
    '请给出农历日期，格式为 LY-LM-LD，例如 2012-4-15；闰月加 --leap\n':
        'Give a lunar date as LY-LM-LD, for example 2012-4-15; add --leap for a leap month\n',
    '农历年份超出范围（1900 至 2049）\n': 'The lunar year is out of range (1900 to 2049)\n',
    '农历%1年没有闰%2月\n': 'Lunar year %1 has no leap month %2\n',
    '农历%1年闰%2月没有%3日\n': 'Leap month %2 of lunar year %1 has no day %3\n',
    '农历%1年%2月没有%3日\n': 'Month %2 of lunar year %1 has no day %3\n',
    '运行中的程序没有回答（它可能正在等待用户回答提问）；命令可能已被执行，请在程序中查看。\n':
        'The running program did not answer (it may be waiting for an answer to a question); the command may have '
        'been carried out: check in the program.\n',
    '数据文件夹不能写入：%1\n': 'The data folder cannot be written: %1\n',
    '数据文件夹正由%1使用，但它没有回应；任务未更改。\n':
        'The data folder is in use by %1, which does not answer; no task was changed.\n',
    '数据文件无法完整读取，任务未更改：%1\n%2\n': 'The data file cannot be read whole; no task was changed: %1\n%2\n',
    '数据文件未能保存：%1\n': 'The data file could not be saved: %1\n',
    '请填写正确的时间!': 'Please enter a valid time!',
    '请填写正确的日期': 'Please enter a valid date',
    '--now 后面要给出时刻，格式为 "YYYY-MM-DD hh:mm:ss"\n':
        '--now must be followed by a moment as "YYYY-MM-DD hh:mm:ss"\n',
    '--count 后面要给出次数\n': '--count must be followed by a number\n',
    '请给出日期和时间两个表达式，例如：tickwell-cli when 每周135 9:00\n':
        'Give two expressions, a date and a time, for example: tickwell-cli when 每周135 9:00\n',
    '--count 须是 1 到 %1 之间的整数\n': '--count must be a whole number from 1 to %1\n',
    '--now 的格式应为 "YYYY-MM-DD hh:mm:ss"，例如 "2011-12-15 11:00:00"\n':
        '--now must be written as "YYYY-MM-DD hh:mm:ss", for example "2011-12-15 11:00:00"\n',

    # Task commands (tickwell-cli, or the running program answering it)
    '--%1 后面缺少内容': '--%1 must be followed by a value',
    'add 不认识的选项：%1': 'Unknown option for add: %1',
    '优先级应为 低、普通、高、紧急 之一：%1':
        'The priority must be low, normal, high or urgent (or 低, 普通, 高, 紧急, 0 to 3): %1',
    '任务无法加入列表。': 'The task could not be added to the list.',
    '用法：tickwell-cli postpone 任务编号 推迟时间，例如 postpone T3 10分钟':
        'Usage: tickwell-cli postpone KEY DELAY, for example postpone T3 10分钟 (10 minutes)',
    '用法：tickwell-cli %1 任务编号，例如 %1 T3': 'Usage: tickwell-cli %1 KEY, for example %1 T3',
    '找不到任务：%1': 'No such task: %1',
    '任务 %1 的状态是“%2”，不能再更改。': 'Task %1 is “%2” and can no longer be changed.',
    '任务未推迟。': 'The task was not postponed.',
    'list 不需要参数：%1': 'list takes no arguments: %1',
    '未知命令：%1': 'Unknown command: %1',
    '程序未能保存数据文件：%1\n': 'The program could not save the data file: %1\n',
}
