# SPDX-License-Identifier: GPL-3.0-or-later
"""English for sync in the program: the options' sync page, the status bar panel and the tray's sync command."""

EN = {
    # options: the sync page
    '常规(&G)': '&General',
    '同步(&Y)': 'S&ync',
    '服务器地址(&S)：': '&Server address:',
    '例如 https://cloud.example.com 或日历的完整地址': 'e.g. https://cloud.example.com or the calendar\'s full address',
    '用户名(&U)：': '&User name:',
    '密码(&P)：': '&Password:',
    '日历(&D)：': 'Calen&dar:',
    '同步间隔(&I)：': 'Sync &interval:',
    ' 分钟': ' min',
    '测试连接(&T)': '&Test connection',
    '立即同步(&R)': 'Sync now (&R)',
    '停止同步(&F)': 'Stop syncing (&F)',
    '停止同步并删除这个帐户及其保存的密码吗？本机的任务保留不变。':
        'Stop syncing and remove this account and its saved password? The tasks on this machine stay as they are.',
    '服务器证书不受信任（SHA-256 指纹 %1），请先测试连接并确认。':
        'The server\'s certificate is not trusted (SHA-256 fingerprint %1): test the connection first and confirm it.',
    '（已保存在密钥环中）': '(saved in the keyring)',
    '晴钟任务提醒（没有时新建）': 'Tickwell (made when there is none)',
    '请输入密码。': 'Please enter the password.',
    '请输入服务器地址。': 'Please enter the server address.',
    '本机没有联网，无法连接服务器。': 'This computer is offline: the server cannot be reached.',
    '正在连接…': 'Connecting…',
    '服务器的证书不受信任。SHA-256 指纹：%1': 'The server\'s certificate is not trusted. SHA-256 fingerprint: %1',
    '服务器的证书不受信任，它的 SHA-256 指纹是：\n%1\n\n请与服务器管理员核对。确认信任这个证书吗？':
        'The server\'s certificate is not trusted. Its SHA-256 fingerprint is:\n%1\n\nCheck it with the server\'s '
        'administrator. Trust this certificate?',
    '用户名或密码不对。': 'The user name or the password is wrong.',
    '连接失败：%1': 'Connection failed: %1',
    '连接成功：服务器上还没有日历，应用时将新建“%1”。':
        'Connected: the server has no calendar yet; "%1" will be made when you apply.',
    '连接成功：找到 %1 个日历。选择要用的日历或新建一个，再点“应用”或“确定”保存。':
        'Connected: %1 calendar(s) found. Choose the one to use or make a new one, then click Apply or OK to save.',
    '新建日历…': 'New calendar…',
    '新日历的名称（不填：晴钟任务提醒）': 'Name of the new calendar (empty: Tickwell)',
    '地址 %1 不加密（http）：密码和任务将以明文在网络上传送，途经的任何人都能看到。\n\n'
    '只在可信的局域网内这样使用。确定要以不加密的方式连接这个服务器吗？':
        'The address %1 is not encrypted (http): the password and the tasks would cross the network as plain text '
        'that anyone on the way can read.\n\nUse it only on a trusted local network. Connect to this server '
        'without encryption?',
    '无法设置同步帐户：%1': 'The sync account could not be set up: %1',
    # status bar and tray
    '同步状态': 'Sync status',
    '单击查看同步详情和待上传的更改。': 'Click for the sync details and the changes waiting to be sent.',
    '%1（另有 %2 条，见状态日志）': '%1 (and %2 more, see the status log)',
    '正在同步…': 'Syncing…',
    '同步失败：%1': 'Sync failed: %1',
    '尚未同步': 'Not synced yet',
    '上次同步 %1': 'Last sync %1',
    '没有设置同步帐户。': 'No sync account is set up.',
    '日历：%1': 'Calendar: %1',
    '用户：%1': 'User: %1',
    '上次成功同步：%1': 'Last successful sync: %1',
    '从未': 'never',
    '上次失败原因：%1': 'Last failure: %1',
    '待上传的更改：%1 项': 'Changes waiting to be sent: %1',
    '同步': 'Sync',
    '立即同步(&S)': '&Sync now',
    '这个数据文件夹没有设置同步帐户。\n': 'No sync account is set up for this data folder.\n',
}
