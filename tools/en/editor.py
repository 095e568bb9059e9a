# SPDX-License-Identifier: GPL-3.0-or-later
# English of the task editor and its dialogs (src/editor). The rules the examples show stay Chinese: they are what
# the user types; the English explains them.
EN = {
    # Status names as the editor's status list shows them (the task keeps its status number).
    '未发生': 'Not started', '到期': 'Due', '已完成': 'Finished', '推迟': 'Postponed', '已取消': 'Cancelled',
    '检测中': 'Checking', '进行中': 'In progress', '已失效': 'Expired',

    # Recurrence dialog
    '天': 'days', '周': 'weeks', '月': 'months', '年': 'years', '小时': 'hours', '分钟': 'minutes', '秒': 'seconds',
    '农历月': 'lunar months', '农历年': 'lunar years',
    '填写周几,1-7分别表示周一到周日。\n例：1 - 周一; 135 - 周一周三周五; 67 - 周六和周日':
        'Enter the weekdays, 1-7 for Monday to Sunday.\n'
        'E.g. 1 - Monday; 135 - Monday, Wednesday and Friday; 67 - Saturday and Sunday',
    "填写每月几号, 多个日期用','分隔; 负数表示倒数第几天(不允许多日期)。例：1 - 每月1号; 8,18 - 每月8号或18号; "
    "-1 - 每月最后1天":
        "Enter the days of the month, separated by ','; a negative number counts from the month's end (one day "
        "only). E.g. 1 - the 1st; 8,18 - the 8th and the 18th; -1 - the last day",
    "填写每年哪几天, 多个日期用','分隔。\n例：1-3 - 每年1月3日; 8-8,9-9 - 每年8月8号和9月9日":
        "Enter the days of the year as month-day, separated by ','.\n"
        "E.g. 1-3 - January 3; 8-8,9-9 - August 8 and September 9",
    '填写 {分} 或 {分}:{秒}。\n例：0 - 每小时0分; 30 - 每小时30; 18:18 - 每小时18:18':
        'Enter {minute} or {minute}:{second}.\n'
        'E.g. 0 - on the hour; 30 - at half past; 18:18 - at 18 minutes 18 seconds past',
    '填写 {秒}。\n例：0 - 每分钟0秒; 30 - 每分钟30秒':
        'Enter {second}.\nE.g. 0 - at second 0 of every minute; 30 - at second 30',
    "填写每月几号, 多个日期用','分隔。\n例：1 - 农历每月初一; 1,15 - 农历每月初一、十五":
        "Enter the days of the lunar month, separated by ','.\n"
        "E.g. 1 - the first day of every lunar month; 1,15 - the 1st and the 15th",
    "填写每年哪几天, 多个日期用','分隔。\n例：8-15 - 农历每年八月十五; 1-15,8-15 - 农历每年正月十五和八月十五":
        "Enter the days of the lunar year as month-day, separated by ','.\n"
        "E.g. 8-15 - the 15th of the 8th lunar month; 1-15,8-15 - the 15th of the 1st and of the 8th lunar month",
    '提醒设置：%1': 'Reminder: %1', '格式错误.': 'Invalid format.', '格式错误！': 'Invalid format!',
    '未设置': 'Not set',

    # Valid period
    '当前时间': 'Now', '一天后': 'In One Day', '一个月后': 'In One Month', '从日历选择...': 'From the Calendar...',
    '日期格式错误!': 'Invalid date!', '不允许截止日期早于起始日期！': 'The end must not be before the start!',
    '截止日期早于当前日期！是否继续？': 'The end is before now! Continue?',

    # Editor: the questions of the date list (the answer is appended to the Chinese rule)
    '每周几？（用1-7表示，可以写多天。）': 'Which weekdays? (1-7 for Monday to Sunday; several allowed.)',
    '例：1 - 周一; 135 - 周一周三周五; 67 - 周六和周日':
        'E.g. 1 - Monday; 135 - Monday, Wednesday and Friday; 67 - Saturday and Sunday',
    "每月几号？（多天间用','分隔。负数不允许多天。）":
        "Which days of the month? (Separate several with ','; a negative number counts from the end, one day only.)",
    '例：1 - 每月1号; 1,11,21 - 每月1号或11号或21号; -1 - 每月最后1天':
        'E.g. 1 - the 1st; 1,11,21 - the 1st, 11th and 21st; -1 - the last day',
    "每年几号？（多天间用','分隔。）": "Which days of the year, as month-day? (Separate several with ','.)",
    '例：1-3 - 每年1月3日; 8-8,9-9 - 每年8月8号和9月9日': 'E.g. 1-3 - January 3; 8-8,9-9 - August 8 and September 9',
    "农历每月几号？（多天间用','分隔。）": "Which days of the lunar month? (Separate several with ','.)",
    '例：1 - 农历每月初一; 1,15 - 农历每月初一、十五': 'E.g. 1 - the first day; 1,15 - the 1st and the 15th',
    "农历每年几号？（多天间用','分隔。）": "Which days of the lunar year, as month-day? (Separate several with ','.)",
    '例：8-15 - 农历每年八月十五; 1-15,8-15 - 农历每年正月十五和八月十五':
        'E.g. 8-15 - the 15th of the 8th lunar month; 1-15,8-15 - the 15th of the 1st and of the 8th lunar month',
    '<周期性...>': '<Recurrence...>',

    # Editor: command and ring lists (an example's text after its [caption] is what the box receives)
    '<选择文档/程序/音乐/视频...>': '<Choose a document, program, music or video...>',
    '<设置关机/休眠/重启/待机/注销...>': '<Shut down, hibernate, restart, suspend or log off...>',
    '[打开文档示例] ~/todo.txt': '[Example: open a document] ~/todo.txt',
    '[打开网址示例] xdg-open https://www.debian.org/': '[Example: open a web address] xdg-open https://www.debian.org/',
    '[命令示例:1分钟后关机] shutdown -h +1 "即将关机! (用 shutdown -c 命令取消)"':
        '[Example command: shut down in 1 minute] shutdown -h +1 "Shutting down! (cancel with shutdown -c)"',
    '可执行文件|*.sh;*.py;*.AppImage;*.desktop|音乐、视频|*.mp3;*.wma;*.wav;*.mid;*.ogg;*.flac;*.avi;*.wmv;*.mov;'
    '*.mp4;*.mkv;*.webm;*.rm;*.rmvb;*.3gp|文档|*.txt;*.doc;*.docx;*.odt;*.xls;*.xlsx;*.ods;*.pdf;*.htm;*.html|'
    '所有文件|*':
        'Programs|*.sh;*.py;*.AppImage;*.desktop|Music and videos|*.mp3;*.wma;*.wav;*.mid;*.ogg;*.flac;*.avi;*.wmv;'
        '*.mov;*.mp4;*.mkv;*.webm;*.rm;*.rmvb;*.3gp|Documents|*.txt;*.doc;*.docx;*.odt;*.xls;*.xlsx;*.ods;*.pdf;'
        '*.htm;*.html|All files|*',
    '<选择音乐...>': '<Choose music...>', '[铃声] %1': '[Ringtone] %1',
}
