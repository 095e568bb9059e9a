# SPDX-License-Identifier: GPL-3.0-or-later
"""English for the messages of the core, the ring player and the platform layer.

The texts they quote stay as they are: file names, task titles, and the expression language (durations such as
"15分钟", dates such as "10:00:00(明天)")."""

EN = {
    # Data file
    '写配置文件失败，请检查文件夹是否可写！': 'Could not save the data file. Please check that the folder is writable.',
    '第%1行第%2列：%3': 'line %1, column %2: %3',
    '第%1行：文件带有文档类型声明（DTD），不是本程序的数据文件':
        'line %1: the file has a document type declaration (DTD), so it is no Tickwell data file',
    '元素嵌套超过 %1 层': 'elements nested more than %1 levels deep',
    '根元素是 <%1>，不是 <tasks>': 'the root element is <%1>, not <tasks>',
    '文件中没有 <tasks> 元素': 'the file has no <tasks> element',
    '数据文件 %1 中有 %2 个任务无法读取，已跳过。\n\n原文件已另存为：\n%3':
        '%2 task(s) in the data file %1 could not be read and were skipped.\n\nThe original file was saved as:\n%3',
    '数据文件 %1 中有 %2 个任务无法读取，已跳过。\n\n无法另存原文件，下次保存时这些任务将丢失；请先自行备份该文件。':
        '%2 task(s) in the data file %1 could not be read and were skipped.\n\nThe original file could not be '
        'copied, so these tasks will be lost at the next save. Please back up the file yourself first.',
    '数据文件 %1 无法读取（%2）。\n\n原文件已原样保留为：\n%3\n\n程序将从空的任务列表开始。':
        'The data file %1 cannot be read (%2).\n\nThe file was kept unchanged as:\n%3\n\n'
        'Tickwell starts with an empty task list.',
    '数据文件 %1 无法读取（%2），也无法改名保留。\n\n为保护其中的数据，程序不会覆盖它；请检查文件夹是否可写。':
        'The data file %1 cannot be read (%2), and it cannot be renamed to keep it either.\n\n'
        'To protect its data, Tickwell will not overwrite it. Please check that the folder is writable.',
    '数据文件已升级并放到程序目录下，是否删除原数据文件？':
        'The data file was upgraded and placed in the program folder. Delete the old data file?',
    # Engine and tasks
    '继续扫描任务 "%1" 吗？': 'Keep watching the task "%1"?',
    '无法写入状态日志文件：%1\n任务状态照常更改，但不会记入日志。请检查该文件夹是否可写。本次运行不再提示。':
        'Cannot write to the status log file: %1\nTask statuses still change but are not logged. Please check '
        'that the folder is writable. This message is not shown again until the next start.',
    '自定义事件发生：%1': 'Custom event happened: %1',
    '指定时间早于当前时间!': 'The time given is earlier than now!',
    '推迟时间格式不正确!': 'The snooze time is not valid!',
    '[%1]将推迟到%2, 这将超过有效期(%3), 确定推迟?':
        '[%1] would be snoozed until %2, past its valid period (%3). Snooze anyway?',
    'CTask::未设置': 'not set',  # never shown in practice: the question only comes with a valid period
    '(推迟%1)': '(%1 later)',
    '(提前%1)': '(%1 earlier)',
    '到期时间不在有效期内,请重新设置.': 'The due time is outside the valid period. Please set it again.',
    '请填写正确的时间!': 'Please enter a valid time!',
    '请填写正确的日期': 'Please enter a valid date',
    '提醒时间在当前时间之前,请重新设置.': 'The alarm time is earlier than now. Please set it again.',
    '错误的日期时间格式！': 'Invalid date or time!',
    '日期时间超出范围！': 'Date or time out of range!',
    '错误条件：%1': 'Invalid condition: %1',
    '不支持的列名：%1': 'Unknown field: %1 (the fields are 类别 and 状态)',
    '输入所有类别，以分号分隔。如"个人;工作" ': 'Enter all categories, separated by semicolons, such as "Personal;Work".',
    '类别名前加"*"表示该类别是添加任务时的缺省类别。例如"个人;*工作"表示"工作"是缺省类别。':
        'A "*" before a name makes it the default category of new tasks: "Personal;*Work" makes "Work" the default.',
    '输入"-"清除所有类别。': 'Enter "-" to clear all categories.',
    '<设置>': '<Edit...>',
    '无法执行自定义命令, 任务已暂停! 请检查!': 'Cannot run the custom command, so the task is paused. Please check it!',
    # Files and folders
    '--data-dir 后面要写数据文件夹': '--data-dir must be followed by the data folder',
    '不是文件夹：%1': 'Not a folder: %1',
    '数据文件夹不存在：%1': 'The data folder does not exist: %1',
    '找不到用户数据文件夹（请检查 HOME 环境变量），可用 --data-dir 指定':
        'Cannot find the user data folder (check the HOME environment variable); name one with --data-dir',
    '无法创建数据文件夹：%1': 'Cannot create the data folder: %1',
    '%1 不是普通文件，不能导出到这里': '%1 is not a regular file; cannot export there',
    '%1 是数据文件本身，不能导出到这里': '%1 is the data file itself; cannot export there',
    '程序初始化错误': 'Program initialisation error',
    '无法删除旧文件 %1': 'Cannot delete the old file %1',
    '资源数据不完整': 'The resource data is incomplete',
    # Calendar import
    '(无标题)': '(untitled)',
    '%1（%2）': '%1 (%2)',
    '不是 iCalendar 日历文件': 'Not an iCalendar file',
    '找不到该文件': 'There is no such file',
    '它是命名管道，不是普通文件': 'it is a named pipe, not a regular file',
    '它是设备，不是普通文件': 'it is a device, not a regular file',
    '它是文件夹，不是普通文件': 'it is a folder, not a regular file',
    '它不是普通文件': 'it is not a regular file',
    '数据文件 %1 无法使用：%2。\n\n程序不会读取或覆盖它；请把它换成普通文件，或用 --data-dir 指定另一个数据文件夹。':
        'The data file %1 cannot be used: %2.\n\nThe program will neither read nor overwrite it; replace it with '
        'a regular file, or name another data folder with --data-dir.',
    '已导入 %1 个任务。': 'Imported %1 task(s).',
    '以下 %1 个重复事件的规则无法对应，只导入了下一次：':
        'The rules of the following %1 repeating event(s) have no equivalent here; only the next occurrence was '
        'imported:',
    '%1 个已过去、已取消或已完成的事件未导入。': '%1 past, cancelled or completed event(s) were not imported.',
    '%1 个没有时间的事件未导入。': '%1 event(s) without a time were not imported.',
    # Sound and power
    '音乐文件不存在: %1': 'The music file does not exist: %1',
    '无法打开音乐文件或文件格式不支持: %1': 'Cannot open the music file, or its format is not supported: %1',
    '找不到声音模块 libtickwell_audio.so（程序安装不完整），提醒将不会发出声音。':
        'The sound module libtickwell_audio.so is missing (the installation is incomplete): reminders will be '
        'silent.',
    '无法加载声音模块 %1：%2，提醒将不会发出声音。': 'Cannot load the sound module %1: %2. Reminders will be silent.',
    '找不到可用的声音输出设备（声音服务未运行或没有声卡），提醒将不会发出声音。':
        'No sound output device is available (no sound service is running or there is no sound card): reminders '
        'will be silent.',
    '无法连接系统总线': 'cannot connect to the system bus',
    '(无回答)': '(no answer)',
    '被 %1 阻止（%2）': 'blocked by %1 (%2)',
    # Calendar sync: a task as a calendar event, and the merge of a task changed on two devices
    '不是只含一个事件的日历数据': 'Not calendar data holding one event',
    '日历事件没有 UID': 'The calendar event has no UID',
    '日历事件没有开始时间': 'The calendar event has no start time',
    'TaskMerge::描述': 'Description', 'TaskMerge::备注': 'Memo', 'TaskMerge::分类': 'Category',
    'TaskMerge::优先级': 'Priority', 'TaskMerge::到期时间': 'Due time', 'TaskMerge::提醒': 'Alarm',
    'TaskMerge::状态': 'Status', 'TaskMerge::有效期': 'Valid period', 'TaskMerge::铃声': 'Ring',
    'TaskMerge::自动处理': 'Automatic handling',
}
