# SPDX-License-Identifier: GPL-3.0-or-later
"""English for calendar sync: the CalDAV client, the sync engine and tickwell-cli's sync commands.

Task titles, field names, addresses and fingerprints are quoted as they are."""

EN = {
    # The sync module (sync, the keyring, calendar files), loaded on first use
    '找不到同步模块 libtickwell_sync.so（程序安装不完整），无法同步，也无法导入或导出日历。':
        'The sync module libtickwell_sync.so is missing (the installation is incomplete): calendars can be neither '
        'synced nor imported nor exported.',
    '无法加载同步模块 %1：%2': 'Cannot load the sync module %1: %2',
    '同步模块不可用。': 'The sync module is not available.',
    '没有可用的密钥环。': 'No keyring is available.',
    # CalDAV client
    '服务器地址无效：%1': 'The server address is not valid: %1',
    '服务器地址必须以 https:// 开头：%1': 'The server address must begin with https://: %1',
    '地址 %1 不加密（http），密码和任务会以明文传送；只有本机的服务器可以直接使用，其他服务器需要明确确认。':
        'The address %1 is not encrypted (http): the password and the tasks would travel in clear text. Only a '
        'server on this machine can be used as it is; any other needs an explicit confirmation.',
    '服务器的回答超过 %1 MB，已拒绝。': 'The server\'s reply is larger than %1 MB and was refused.',
    '服务器 %1 的证书不受信任。证书的 SHA-256 指纹：%2\n请向服务器管理员核对这个指纹；确认无误后才可信任它。':
        'The certificate of the server %1 is not trusted. Its SHA-256 fingerprint is %2\nCheck this fingerprint '
        'with the server\'s administrator, and trust it only once it matches.',
    '用户名或密码错误': 'Wrong user name or password',
    '无法连接服务器 %1：%2': 'Cannot connect to the server %1: %2',
    '服务器的转向过多：%1': 'The server redirected too many times: %1',
    '服务器把加密的连接转到了不加密的地址：%1': 'The server redirected an encrypted connection to an unencrypted address: %1',
    '服务器回答 %1（%2）': 'The server answered %1 (%2)',
    '在 %1 找不到 CalDAV 日历服务。': 'No CalDAV calendar service was found at %1.',
    '服务器没有给出日历所在的位置（calendar-home-set）。':
        'The server did not say where the calendars are (calendar-home-set).',
    '无法列出日历：%1': 'Cannot list the calendars: %1',
    '无法创建日历“%1”：%2': 'Cannot create the calendar "%1": %2',
    '服务器的回答无法读取：%1': 'The server\'s reply cannot be read: %1',
    # Sync engine
    '上传 %1，下载 %2，删除 %3': 'uploaded %1, downloaded %2, deleted %3',
    '同步：': 'Sync: ',
    '密钥环中没有这个同步账户的密码，请重新设置同步账户。':
        'The keyring has no password for this sync account. Please set up the account again.',
    '无法从密钥环读取密码：%1': 'Cannot read the password from the keyring: %1',
    '同步已在进行中。': 'A sync is already running.',
    '同步状态文件无法读取：%1': 'The sync state file cannot be read: %1',
    '尚未设置同步账户。': 'No sync account has been set up.',
    '正在查看服务器上的变更…': 'Looking for changes on the server…',
    '正在下载 %1 项变更…': 'Downloading %1 change(s)…',
    '任务“%1”的%2在本机和其他设备上都改了：保留“%3”，未采用“%4”。':
        'The %2 of the task "%1" was changed both here and on another device: kept "%3", not used "%4".',
    '任务“%1”在本机删除后又在其他设备上被修改，已恢复。':
        'The task "%1" was deleted here but changed on another device afterwards, so it was restored.',
    '任务“%1”已在其他设备上删除。': 'The task "%1" was deleted on another device.',
    '任务“%1”在其他设备上被删除，但本机改过它，将重新上传。':
        'The task "%1" was deleted on another device but changed here, so it will be uploaded again.',
    '数据文件未能保存，同步已停止：%1': 'The data file could not be saved, so the sync stopped: %1',
    '同步状态文件未能保存：%1': 'The sync state file could not be saved: %1',
    '正在上传 %1 项变更…': 'Uploading %1 change(s)…',
    '有 %1 项变更被服务器拒绝，下次同步再试：%2':
        'The server refused %1 change(s); they will be tried again at the next sync: %2',
    '任务“%1”：': 'Task "%1": ',
    '服务器上的 %1 无法读取': '%1 on the server cannot be read',
    '正在查找日历…': 'Looking for the calendar…',
    '无法把密码存入密钥环：%1': 'Cannot store the password in the keyring: %1',
    '同步状态文件无法删除：%1': 'The sync state file cannot be deleted: %1',
    '无法从密钥环删除密码：%1': 'Cannot remove the password from the keyring: %1',
    # tickwell-cli sync
    '密码：': 'Password: ',
    '核对无误后，可加上 --trust-fingerprint %1 再运行 sync setup。\n':
        'Once it checks out, run sync setup again with --trust-fingerprint %1.\n',
    '数据文件夹正由程序使用（进程 %1）；请关闭程序后再同步。\n':
        'The data folder is in use by the program (process %1). Close the program, then sync.\n',
    '数据文件无法完整读取，未同步：%1\n%2\n': 'The data file cannot be read whole, so nothing was synced: %1\n%2\n',
    '用法：tickwell-cli sync setup 服务器地址 --user 用户名 [--calendar 日历名]\n':
        'Usage: tickwell-cli sync setup SERVER --user NAME [--calendar NAME]\n',
    '没有读到密码（从标准输入读取）。\n': 'No password was read (it is read from standard input).\n',
    '同步日历：%1\n': 'Sync calendar: %1\n',
    '同步状态文件无法读取：%1\n': 'The sync state file cannot be read: %1\n',
    '尚未设置同步账户。\n': 'No sync account has been set up.\n',
    '从未': 'never',
    '账户：%1（%2）\n': 'Account: %1 (%2)\n',
    '日历：%1\n': 'Calendar: %1\n',
    '上次同步：%1\n': 'Last sync: %1\n',
    '上次失败：%1（%2）\n': 'Last failure: %1 (%2)\n',
    '待上传的变更：%1\n': 'Changes waiting to be sent: %1\n',
    '已删除同步账户和它的密码；任务都还在。\n': 'The sync account and its password were removed; the tasks stay.\n',
    '用法：tickwell-cli sync [setup 服务器地址 --user 用户名 | status | forget]\n':
        'Usage: tickwell-cli sync [setup SERVER --user NAME | status | forget]\n',
    '[setup 服务器地址 --user 用户名 [--calendar 日历名] [--trust-fingerprint 指纹] [--allow-http] | status | forget] '
    '[--data-dir DIR]':
        '[setup SERVER --user NAME [--calendar NAME] [--trust-fingerprint FINGERPRINT] [--allow-http] | status | '
        'forget] [--data-dir DIR]',
    '与 CalDAV 日历双向同步任务。setup 设置账户（密码从标准输入读取，存入桌面的密钥环）；不带参数时同步一次，输出'
    '上传、下载、删除的数量；status 显示账户、上次同步和待上传的变更；forget 删除账户和密码':
        'Two-way sync of the tasks with a CalDAV calendar. setup sets up the account (the password is read from '
        'standard input and kept in the desktop\'s keyring); without arguments it syncs once and prints how many '
        'tasks were uploaded, downloaded and deleted; status shows the account, the last sync and the changes '
        'waiting to be sent; forget removes the account and its password',
    'tickwell-cli sync setup https://dav.example.com --user 张三':
        'tickwell-cli sync setup https://dav.example.com --user alice',
}
