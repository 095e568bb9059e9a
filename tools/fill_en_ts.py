#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fills translations/tickwell_en.ts from the table below after lupdate has refreshed it.

Texts that are data stay out of the table on purpose (the expression language, delay and countdown entries,
status names used in filters): Qt then shows the Chinese source, which is what the program parses.
"""
import pathlib
import re
import runpy
import sys

# Per context: source texts that are data, never translated although they stand in a form.
DATA = {
    'frmPrompt': {'30秒', '5分钟', '10分钟', '15分钟', '30分钟', '1小时', '2小时', '1天', '14:00', '10:00'},
    'dlgShutdown': {'30秒', '1分钟', '1小时'},
    'frmMain': {'未发生,到期,推迟', '已完成', '已取消', '自定义'},
    'dlgLoopDefine': {'1-1,2-2', '1'},
    'frmTask': {'今天'},
}

EN = {
    '过滤任务': 'Filter Tasks', '按任务类别': 'By category', '按任务状态': 'By status', '等待中任务': 'Waiting tasks',
    '清除': 'Clear', '取消(&C)': '&Cancel', '查找任务': 'Find Task',
    '任务描述/类别/状态 包含：': 'Description, category or status contains:', '下一个(&N)': 'Find &Next',
    '周期性设置': 'Recurrence', '每': 'Every', '周期类型': 'Period', '(选择周期类型)': '(choose a period)',
    '指定提醒时间': 'Alarm time', '提醒时间': 'Alarm time', '提示：填写年内的日期如1-1,2-2': 'Tip: enter dates of the year such as 1-1,2-2',
    '最终设置：每{2}个{月}提醒一次': 'Result: remind every {2} {months}', '有效期': 'Valid period',
    '(双击设置)': '(double-click to set)', '用于设置周期性任务的起始日期时间，双击修改它。':
        'The start and end of a recurring task; double-click to change.',
    '确定': 'OK', '取消': 'Cancel', '选项设置': 'Options', '自动锁定时间': 'Auto-lock after',
    '分钟 (0-不自动锁定)': 'minutes (0 = never lock)', '解锁密码': 'Unlock password', '设置背景色：': 'Background colours:',
    '深色': 'Dark', '浅色': 'Light', '提醒时同时发送桌面通知(&N)': 'Also send a desktop &notification when a task is due',
    '语言(&L)：': '&Language:', '跟随系统': 'System default', '下次启动时生效': 'takes effect at the next start',
    '确定(&O)': '&OK', '应用(&A)': '&Apply', '关机': 'Shut down', '休眠': 'Hibernate', '待机': 'Suspend',
    '重启': 'Restart', '注销': 'Log off', '倒计时': 'Countdown', '...': '...', '触发时间:': 'Trigger time:',
    '强制执行': 'Force', '立即执行': 'Run now', '设置有效期': 'Valid Period', '从': 'From',
    '选择起始时间': 'Choose the start', '到': 'To', '选择截止时间': 'Choose the end',
    '指定日期或时间，如"2010-1-1 10:00", "10:00"(今天10:00), "2010-1-1"(当天0点)。不填表示不设有效期。':
        'A date or time such as "2010-1-1 10:00", "Jan 1 2010 10am", "10:00" (today at 10:00) or "2010-1-1" '
        '(midnight). '
        'Leave empty for no limit.',
    '关于 - 晴钟任务提醒': 'About - Tickwell', '晴钟任务提醒 V': 'Tickwell V',
    '桌面任务提醒软件：用“明天 10:00”“每周135”“农历8-15”这样的简短写法安排提醒，公历、农历周期任务都能提醒。':
        'A desktop task reminder: schedule reminders with short Chinese expressions such as “明天 10:00” '
        '(tomorrow 10:00), “每周135” (every Monday, Wednesday and Friday) or “农历8-15” (lunar 8-15); recurring '
        'tasks follow the Gregorian or the Chinese lunar calendar.',
    '主页>>': 'Home page >>', '晴钟任务提醒 - 帮助信息': 'Tickwell - Help', '晴钟任务提醒': 'Tickwell',
    '任务(&T)': '&Task', '过滤': 'Filter', '类别': 'Category', '状态': 'Status', '工具(&O)': 'T&ools',
    '选择列': 'Columns', '界面风格': 'Appearance', '背景风格': 'Background', '帮助(&H)': '&Help', '新建(&N)': '&New',
    '修改(&E)': '&Edit', '删除(&D)': '&Delete', '全部删除': 'Delete All', '取消本次任务': 'Cancel This Occurrence',
    '完成本次任务': 'Finish This Occurrence', '取消任务(&C)': '&Cancel Task', '完成任务': 'Finish Task', '暂停': 'Pause',
    '查看运行状态': 'Show Status', '全选': 'Select All', '复制': 'Copy', '查找(&F)': '&Find', '未分类': 'Uncategorised',
    '清除过滤条件': 'Clear Filter', '退出(&X)': 'E&xit', '万年历': 'Calendar', '开机自动启动': 'Start at Log-in',
    '记录日志': 'Keep a Log', '查看日志': 'Show Log', '关机对话框 ...': 'Shutdown Dialog...', '导出...': 'Export...',
    '导出日历 (iCalendar)...': 'Export Calendar (iCalendar)...', '导入日历...': 'Import Calendar...',
    '设置任务类别': 'Edit Categories', '重置': 'Reset', '间隔(缺省)': 'Striped (default)', '纯色': 'Plain',
    '无': 'None', '图片': 'Picture', '选择图片': 'Choose Picture', '经典蓝(缺省)': 'Classic blue (default)',
    '锁定(&L)': '&Lock', '选项(&O)': '&Options...', '内容(&C)': '&Contents', '查看更新/意见建议(&H)': '&Home Page / Feedback',
    '关于(&A)': '&About', ' [只读：': ' [read-only: ', '内部错误!': 'Internal error!',
    '右键设置过滤条件，双击本栏清除或恢复过滤条件。': 'Right-click to set a filter; double-click to clear or restore it.',
    '无过滤(双击设置)': 'No filter (double-click to set)', '右键或双击设置过滤条件。': 'Right-click or double-click to set a filter.',
    '继续': 'Resume', '该任务': 'This task is ', '确认删除%1项任务？': 'Delete %1 task(s)?',
    '确定要删除全部%1项任务吗？': 'Delete all %1 tasks?',
    '将取消本次任务并生成下次提醒任务，确认？': 'Cancel this occurrence and schedule the next one?',
    '将完成本次任务并生成下次提醒任务，确认？': 'Finish this occurrence and schedule the next one?',
    '确实要取消%1项任务？': 'Cancel %1 task(s)?', '将选中的%1项任务状态设置为已完成？': 'Mark the %1 selected task(s) as finished?',
    '任务？': ' the task?', '无法设置注册表自动启动项，可能是被杀毒软件阻止。': 'Could not set up the start at log-in.',
    '日志记录未激活，是否激活？': 'The log is off. Turn it on?', '出错: 无法打开文件 ': 'Error: cannot open the file ',
    '无日志文件：': 'No log file: ', '任务提醒列表 ': 'Task list ', '导出成功！是否打开？': 'Exported. Open the file?',
    '保存文件': 'Save File', '逗号分隔的Excel文件(*.csv)|*.csv': 'Comma-separated values (*.csv)|*.csv', '出错: ': 'Error: ',
    'iCalendar 日历文件(*.ics)|*.ics': 'iCalendar files (*.ics)|*.ics', '打开文件': 'Open File',
    'iCalendar 日历文件(*.ics)|*.ics;*.ical;*.ifb': 'iCalendar files (*.ics)|*.ics;*.ical;*.ifb',
    '请输入过滤条件：': 'Enter the filter (the field names and status values stay Chinese):',
    '多个值以,分隔，多个条件以&分隔，例如': 'Separate values with "," and conditions with "&", for example',
    '  "类别=工作,私人&状态=已完成"': '  "类别=工作,私人&状态=已完成" (category work or private, and status finished)',
    '输入- 清除过滤条件显示所有项': 'Enter - to clear the filter and show all tasks', '过滤: ': 'Filter: ', '任务: ': 'Tasks: ',
    '输入解锁密码;无密码按Ctrl-L返回.': 'Enter the unlock password; without a password press Ctrl+L.',
    '图片文件(*.jpg *.bmp *.gif *.png)': 'Pictures (*.jpg *.bmp *.gif *.png)',
    '无法复制图片到数据文件夹。': 'Could not copy the picture to the data folder.', '任务时间已到': 'Task Due',
    '提醒时间:': 'Alarm time:', '已过1分钟': '1 minute ago', '[指定时间]': '[choose a time]',
    '正在处理，待会再提醒': 'In progress, remind me later', '推 迟': 'Snooze', '任务取消': 'Cancel Task', '任务完成': 'Done',
    '输入指定日期时间，如"2010-10-1 10:00", "2010-10-1", "10:00"(表示今天，如果当前时间超过10点则自动改到明天)':
        'Enter a date and time such as "2010-10-1 10:00", "2010-10-1" or "10:00" (today, or tomorrow when 10:00 '
        'has passed)',
    '下次提醒': 'Next Reminder', '已过': 'Overdue by ', '将所有任务设置为%1?': 'Set all tasks to %1?',
    '将%1条任务设置为%2?': 'Set %1 task(s) to %2?', '推迟10分钟': 'Snooze 10 minutes', '添加任务': 'New Task',
    '任务描述(双击放大)': 'Description (double-click to enlarge)',
    '输入要提醒的事项。自定义事件命令以冒号:开头。双击放大显示！':
        'What to be reminded of. A custom event command starts with a colon (:). Double-click to enlarge.',
    '任务描述': 'Description', '优先级': 'Priority', '任务状态': 'Status', '发生日期': 'Date',
    '可直接输入日期，点击下拉列表查看输入格式。支持周期性循环事件，支持农历。':
        'Type a date (the expressions are Chinese, see the list and the help); recurring and lunar dates work.',
    '日历': 'Calendar', '从万年历选择': 'Pick from the calendar', '发生时间': 'Time',
    '可直接输入时间，点击下拉列表查看输入格式。支持某时间段之后或每隔一段时间（周期性提醒）。':
        'Type a time (see the list and the help): a time of day, a delay or a repeating interval.',
    '周期': 'Recurrence', '设置周期性时间': 'Set up a recurrence', '到期时间': 'Due', '双击设置提醒日期及时间。':
        'Double-click to set the alarm date and time.', '铃声': 'Ring', '无铃声提醒': 'No sound', '滴滴声': 'Beep',
    '音乐铃声': 'Music', '试听': 'Play', '播放进度': 'Playback position', '音乐文件': 'Music file',
    '选择音乐文件': 'Choose a music file', '动作': 'Action', '打开文件/运行程序': 'Open file / run program',
    '可以是文档、命令行、网址等；如果程序路径中有空格请用双引号括起来。':
        'A document, a command line or a web address; quote a program path that contains spaces.',
    '选择文档/程序/音乐/视频...': 'Choose a document, program, music or video...', '隐藏窗口': 'Hidden window',
    '起始目录': 'Start folder', '试运行': 'Test', '立即运行上面的命令': 'Run the command above now',
    '立即运行自定义事件的检测命令': 'Run the check command of the custom event now', '过期自动取消': 'Cancel if missed',
    '软件启动或系统从待机/休眠中恢复时，不提醒已过期的任务；对循环任务将自动进入下一周期':
        'Missed tasks are not reminded at start or after suspend; a recurring task moves on to its next occurrence',
    '到期自动完成': 'Finish when due',
    '不弹出提醒框；对循环任务将自动进入下一周期；注意音乐提醒将无效，如需音乐可在"打开文件"栏指定音乐文件':
        'No reminder window; a recurring task moves on to its next occurrence. The music ring does not play: name the '
        'music file under "Open file" instead',
    '自动添加备注': 'Add notes automatically', '备注(双击放大)': 'Notes (double-click to enlarge)', '备注': 'Notes',
    '低': 'Low', '普通': 'Normal', '高': 'High', '紧急': 'Urgent', '新任务': 'New task', '任务属性 - ': 'Task Properties - ',
    '[自定义] ': '[Custom] ', '不能修改自定义任务的提醒时间。': 'The alarm time of a custom task cannot be changed.',
    '请输入提醒日期及时间：(输入"-"保持与到期时间一致)': 'Enter the alarm date and time ("-" = the due time):',
    '也支持以下格式：': 'These forms work too:',
    '    -N (如 -15 或 -15分钟 : 提前15分钟)': '    -N (e.g. -15, -15 min or "15 minutes earlier")',
    '    -N小时 (如-1小时 : 提前1小时)': '    -N h (e.g. -1 h or "1 hour earlier")',
    '    -N秒 (如-30秒: 提前30秒)': '    -N s (e.g. -30 s or "30 seconds earlier")',
    '    -N天 (如-1天: 提前1天)': '    -N days (e.g. "1 day earlier")',
    '    -N月 (如-1月: 提前1个月)': '    -N months (e.g. "1 month earlier")',
    '    -N年 (如-1年: 提前1年)': '    -N years (e.g. "1 year earlier")',
    '(如果没有-号表示推迟提醒时间)': '(without the minus sign, or with "later", the alarm is later instead)',
    '指定时间在当前时间之前，请重新指定！': 'That time has passed; please choose another.',
    '未设置(双击设置)': 'Not set (double-click to set)', '请输入任务描述.': 'Please enter a description.',
    '该任务已被删除，修改无法保存。': 'The task has been deleted; the changes cannot be saved.',
    '建议勾上选项"过期自动取消", 以免打开软件时恰好有已过提醒时间的关机任务而导致关机。是否现在勾上？':
        'Tick "Cancel if missed", so that a missed shutdown task does not shut down the computer at the next '
        'start? ',
    '是否勾上选项"到期自动完成", 以便提醒时只出现关机或其它动作的倒计时窗口而不显示提醒窗口？':
        'Tick "Finish when due", so that only the countdown of the action appears instead of the reminder window?',
    "输入执行命令的起始目录，输入短横'-'使用本软件所在目录:":
        "Enter the folder the command starts in; a dash '-' uses the program's folder:",
    '命令的起始目录': 'Start Folder', '找不到指定目录 ': 'Folder not found: ', '执行失败': 'Could not run it',
    '命令返回%1(非0)。将会弹出提醒！': 'The command returned %1 (not 0): the reminder will appear.',
    '命令无法运行，请检查！': 'The command cannot run; please check it.',
    '命令正常返回0，将不会弹出提醒。': 'The command returned 0: no reminder will appear.',
    '命令仍在执行。是否继续等待？': 'The command is still running. Keep waiting?',
    '音乐文件(*.mp3;*.wav;*.wma;*.mid)|*.mp3;*.wav;*.wma;*.mid|所有文件|*':
        'Music files (*.mp3;*.wav;*.wma;*.mid)|*.mp3;*.wav;*.wma;*.mid|All files|*',
    '写文件出错!': 'Could not write the file!',
    '新建任务(&N)': '&New Task', '软件主页': 'Home Page', '任务号': 'No.', '剩余时间': 'Time Left',
    '发生时间': 'Time', '开始时间': 'Start', '结束时间': 'End', '预计用时': 'Estimated', '实际用时': 'Actual',
    '黄色': 'Yellow', '绿色': 'Green', '红色': 'Red',
    '未安装网页组件（软件包 tickwell-webengine），万年历和网页检测不可用':
        'The web component (package tickwell-webengine) is not installed: the calendar and page checks are '
        'unavailable',
    '无法读取帮助信息。': 'The help cannot be read.',
    '共%1项': '%1 task(s)', ',显示%1项': ', %1 shown', ',等待中%1项': ', %1 waiting', ',[%1]%2项': ', [%1] %2',
}


# More tables, one file per part of the program (tools/en/*.py, each defining EN and optionally DATA), so that
# people translating different windows do not edit the same lines.
for _table in sorted((pathlib.Path(__file__).parent / 'en').glob('*.py')):
    _scope = runpy.run_path(str(_table))
    EN.update(_scope.get('EN', {}))
    for _context, _texts in _scope.get('DATA', {}).items():
        DATA.setdefault(_context, set()).update(_texts)


def unescape(text):
    return (text.replace('&lt;', '<').replace('&gt;', '>').replace('&quot;', '"').replace('&apos;', "'")
            .replace('&amp;', '&'))


def escape(text):
    return text.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;').replace('"', '&quot;')


def main():
    path = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else 'translations/tickwell_en.ts')
    ts = path.read_text(encoding='utf-8')
    missing = []

    def fill_context(ctx):
        name = re.search(r'<name>(.*?)</name>', ctx.group(0)).group(1)

        def fill(m):
            source = unescape(m.group(1))
            # 'Context::source' wins over 'source' (one Chinese word may need two English ones: 暂停: Pause, Paused),
            # and over DATA and the ASCII rule (a data text that one context shows translated, an all-ASCII pattern).
            english = EN.get(f'{name}::{source}')
            if english is None and (source in DATA.get(name, ()) or re.fullmatch(r'[\x00-\x7f]*', source)):
                return m.group(0)
            english = english if english is not None else EN.get(source)
            if english is None:
                missing.append(f'{name}: {source}')
                return m.group(0)
            return m.group(0)[:m.start(2) - m.start(0)] + '<translation>' + escape(english) + '</translation>'

        return re.sub(r'<source>(.*?)</source>(?:\s*<comment>.*?</comment>)?\s*(<translation[^>]*>.*?</translation>)',
                      fill, ctx.group(0), flags=re.S)

    ts = re.sub(r'<context>.*?</context>', fill_context, ts, flags=re.S)
    path.write_text(ts, encoding='utf-8')
    for m in missing:
        print('untranslated:', m)


main()
