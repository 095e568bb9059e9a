# SPDX-License-Identifier: GPL-3.0-or-later
"""English of the main window and of what its list shows."""

EN = {
    # The status and priority names as the list and the filter dialog show them. The filter language keeps
    # the Chinese names: they are what a filter stores and parses.
    'TaskStatus::未发生': 'Not started', 'TaskStatus::到期': 'Due', 'TaskStatus::已完成': 'Finished',
    'TaskStatus::推迟': 'Postponed', 'TaskStatus::已取消': 'Cancelled', 'TaskStatus::暂停': 'Paused',
    'TaskStatus::检测中': 'Checking', 'TaskStatus::进行中': 'In progress', 'TaskStatus::已失效': 'Expired',
    'TaskPriority::低': 'Low', 'TaskPriority::中': 'Normal', 'TaskPriority::高': 'High', 'TaskPriority::紧急': 'Urgent',
    # Times and durations of the list cells.
    'TaskDisplay::前天': '2 days ago', 'TaskDisplay::昨天': 'Yesterday', 'TaskDisplay::今天': 'Today',
    'TaskDisplay::明天': 'Tomorrow', 'TaskDisplay::后天': 'In 2 days', 'TaskDisplay::%1号': '%2/%1',
    'TaskDisplay::%1(%2)': '%1 (%2)', 'TaskDisplay::%1天': '%1 days', 'TaskDisplay::%1小时%2分钟': '%1 h %2 min',
    'TaskDisplay::%1小时': '%1 h', 'TaskDisplay::%1分钟': '%1 min', 'TaskDisplay::%1秒': '%1 s',
    'TaskDisplay::(推迟%1)': '(%1 later)', 'TaskDisplay::(提前%1)': '(%1 earlier)', 'TaskDisplay::未设置': 'Not set',
    # The filter popup shows the status names; the filter it makes stays Chinese (see frmMainCommands.cpp).
    'frmMain::未发生,到期,推迟': 'Not Started, Due, Postponed', 'frmMain::已完成': 'Finished',
    'frmMain::已取消': 'Cancelled', 'frmMain::自定义': 'Custom...',
    'ColorStyles::蓝色(缺省)': 'Blue (default)',
    '(未分类)': '(Uncategorised)', '找不到了！重新从头找？': 'Not found. Search again from the top?',
    '数据文件夹：%1': 'Data folder: %1', '该任务%1!': 'Task status: %1.', '继续任务？': 'Resume the task?',
    '暂停任务？': 'Pause the task?', '出错: 无法打开文件 %1': 'Error: cannot open the file %1',
    '无日志文件：%1': 'No log file: %1', '出错: %1': 'Error: %1', ' [只读：%1]': ' [read-only: %1]',
    '过滤: %1': 'Filter: %1', '任务: %1': 'Tasks: %1',
}
