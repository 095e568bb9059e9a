# English of the recurrence dialog's rule description and the prompt's waiting time.
EN = {
    'dlgLoopDefine::每天': 'every day', 'dlgLoopDefine::每周': 'every week', 'dlgLoopDefine::每月': 'every month',
    'dlgLoopDefine::每年': 'every year', 'dlgLoopDefine::每小时': 'every hour', 'dlgLoopDefine::每分钟': 'every minute',
    'dlgLoopDefine::每秒': 'every second', 'dlgLoopDefine::农历每月': 'every lunar month',
    'dlgLoopDefine::农历每年': 'every lunar year',
    '每%1天': 'every %1 days', '每%1周': 'every %1 weeks', '每%1个月': 'every %1 months', '每%1年': 'every %1 years',
    '每%1小时': 'every %1 hours', '每%1分钟': 'every %1 minutes', '每%1秒': 'every %1 seconds',
    '农历每%1个月': 'every %1 lunar months', '农历每%1年': 'every %1 lunar years',
    '周一': 'Monday', '周二': 'Tuesday', '周三': 'Wednesday', '周四': 'Thursday', '周五': 'Friday',
    '周六': 'Saturday', '周日': 'Sunday',
    '%1，%2点': '%1 at %2', '%1，逢%2': '%1 on %2', '%1，最后一天': '%1 on the last day',
    '%1，倒数第%2天': '%1 on day %2 from the end', '%1，%2号': '%1 on day %2',
    '%1，%2（月-日）': '%1 on %2 (month-day)', '%1，第%2分%3秒': '%1 at minute %2, second %3 of the hour',
    '%1，第%2秒': '%1 at second %2 of the minute',
    '已过%1': 'Overdue by %1',
}
