// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/dlgOption.h"

#include "base/AppPaths.h"
#include "base/MsgBox.h"
#include "mainwindow/SyncController.h"
#include "mainwindow/frmMain.h"
#include "platform/ISecretStore.h"
#include "sync/SyncModule.h"
#include "ui_dlgOption.h"
#include "widgets/Appearance.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// The choices of the language box, in its order; empty = the system's.
const std::array<QLatin1StringView, 3> kLanguages { QLatin1StringView(""), QLatin1StringView("zh"),
    QLatin1StringView("en") };

// The data of the calendar box's "new calendar" item.
const QVariant kNewCalendar = QStringLiteral("new");

dlgOption::ColorPicker& Picker()
{
    static dlgOption::ColorPicker picker;
    return picker;
}

}  // namespace

void dlgOption::SetColorPicker(ColorPicker picker)
{
    Picker() = std::move(picker);
}

dlgOption::dlgOption(frmMain* owner)
    : QDialog(owner)
    , m_ui(std::make_unique<Ui::dlgOption>())
    , m_owner(owner)
    , m_colors { StyleColor1(), StyleColor2() }
    , m_sync(owner->Sync())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    const AppSettings& s = owner->Engine().Settings();
    m_ui->txtAutoLockTime->setText(s.AutoLock);
    m_ui->txtUnlockPwd->setText(s.UnlockPassword());
    m_ui->chkNotify->setChecked(s.DesktopNotify);
    const auto language = std::find(kLanguages.begin(), kLanguages.end(), s.Language);
    m_ui->cboLanguage->setCurrentIndex(language == kLanguages.end() ? 0 : int(language - kLanguages.begin()));
    ShowSwatches();
    connect(m_ui->lblBgColor_0, &QPushButton::clicked, this, [this] { PickColor(0); });
    connect(m_ui->lblBgColor_1, &QPushButton::clicked, this, [this] { PickColor(1); });
    // The answers of the sync page run to a few lines (a certificate's fingerprint, the calendars found): room for
    // them from the start, as a dialog that is already shown does not grow for a label's new text.
    m_ui->txtSyncServer->setMinimumWidth(fontMetrics().averageCharWidth() * 44);
    m_ui->lblSyncStatus->setMinimumHeight(fontMetrics().lineSpacing() * 4);
    m_ui->lblSyncStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ShowSyncAccount();
    connect(m_ui->cmdSyncTest, &QPushButton::clicked, this, &dlgOption::TestConnection);
    // The last item makes a new calendar: the box is left empty for its name.
    // The box alone is used: it also reports an activation when its editor loses the focus, which may happen while
    // the dialog is being destroyed.
    QComboBox* calendars = m_ui->cboSyncCalendar;
    connect(calendars, &QComboBox::activated, this, [calendars](int index) {
        if (index != calendars->count() - 1 || calendars->itemData(index) != kNewCalendar)
            return;
        calendars->setEditText(QString());
        calendars->lineEdit()->setPlaceholderText(tr("新日历的名称（不填：晴钟任务提醒）"));
        calendars->setFocus();
    });
    connect(m_ui->cmdSyncNow, &QPushButton::clicked, this, [this] { m_sync->SyncNow(); });
    connect(m_ui->cmdSyncForget, &QPushButton::clicked, this, [this] {
        if (MsgBox::Show(tr("停止同步并删除这个帐户及其保存的密码吗？本机的任务保留不变。"), MsgButtons::YesNo,
                MsgIcon::Question)
            == MsgResult::Yes)
            m_sync->Forget();
    });
    connect(m_sync, &SyncController::StatusChanged, this, [this](const QString& text) {
        SetSyncStatus(text);
        const bool has = m_sync->HasAccount();
        m_ui->cmdSyncNow->setEnabled(has);
        m_ui->cmdSyncForget->setEnabled(has);
    });
    connect(m_sync, &SyncController::Finished, this, [this](const SyncResult& result) {
        // A setup from this page that failed: what the user typed stays, with the reason beside it.
        if (std::exchange(m_settingUp, false) && !result.ok && result.untrustedFingerprint.isEmpty()) {
            SetSyncStatus(tr("无法设置同步帐户：%1").arg(result.error));
            return;
        }
        if (!result.ok && !result.untrustedFingerprint.isEmpty())
            SetSyncStatus(
                tr("服务器证书不受信任（SHA-256 指纹 %1），请先测试连接并确认。").arg(result.untrustedFingerprint));
        if (!m_sync->HasAccount() || !result.calendarUrl.isEmpty())
            ShowSyncAccount();
    });
    connect(m_ui->cmdApply, &QPushButton::clicked, this, &dlgOption::Apply);
    connect(m_ui->cmdOk, &QPushButton::clicked, this, [this] {
        Apply();
        close();
    });
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &QDialog::close);
    connect(this, &QDialog::finished, owner, [owner] { owner->activateWindow(); });
}

dlgOption::~dlgOption() = default;

void dlgOption::ShowSwatches()
{
    for (int i = 0; i < 2; ++i) {
        QPushButton* swatch = i == 0 ? m_ui->lblBgColor_0 : m_ui->lblBgColor_1;
        swatch->setStyleSheet(QStringLiteral("background-color: %1;").arg(m_colors[size_t(i)].name()));
    }
    // The dialog's background previews the two colours being edited.
    ThemePainter::SetPreview(this, m_colors[0], m_colors[1]);
}

void dlgOption::PickColor(int index)
{
    const QColor current = m_colors[size_t(index)];
    const QColor chosen = Picker() ? Picker()(current, this) : QColorDialog::getColor(current, this);
    if (!chosen.isValid())
        return;
    m_colors[size_t(index)] = chosen;
    ShowSwatches();
}

void dlgOption::Apply()
{
    AppSettings& s = m_owner->Engine().Settings();
    s.AutoLock = m_ui->txtAutoLockTime->text();
    s.SetUnlockPassword(m_ui->txtUnlockPwd->text());
    s.DesktopNotify = m_ui->chkNotify->isChecked();
    // Takes effect at the next start: the windows are built in one language.
    s.Language = kLanguages[size_t(std::max(0, m_ui->cboLanguage->currentIndex()))];
    m_owner->LoadAutoLock();
    m_ui->txtAutoLockTime->setText(s.AutoLock);
    if (m_colors[0] != StyleColor1() || m_colors[1] != StyleColor2())
        m_owner->SetStyleColorsAndSave(m_colors[0], m_colors[1]);
    else
        m_owner->Engine().SaveCfg();
    ApplySync();
}

void dlgOption::ShowSyncAccount()
{
    const SyncState& state = m_sync->State();
    m_ui->txtSyncServer->setText(state.server);
    m_ui->txtSyncUser->setText(state.user);
    m_ui->txtSyncPassword->clear();
    m_ui->txtSyncPassword->setPlaceholderText(state.HasAccount() ? tr("（已保存在密钥环中）") : QString());
    m_ui->cboSyncCalendar->clear();
    m_ui->cboSyncCalendar->lineEdit()->setPlaceholderText(tr("晴钟任务提醒（没有时新建）"));
    if (!state.calendarName.isEmpty())
        m_ui->cboSyncCalendar->addItem(state.calendarName);
    m_ui->spnSyncInterval->setValue(std::max(1, state.intervalSeconds / 60));
    m_trustedFingerprint = state.trustedFingerprint;
    m_httpConfirmedFor = state.allowHttp ? state.server : QString();
    m_ui->cmdSyncNow->setEnabled(state.HasAccount());
    m_ui->cmdSyncForget->setEnabled(state.HasAccount());
    SetSyncStatus(m_sync->StatusText());
}

void dlgOption::SetSyncStatus(const QString& text)
{
    m_ui->lblSyncStatus->setText(text);
}

QString dlgOption::SyncStatusText() const
{
    return m_ui->lblSyncStatus->text();
}

const SyncModule::Api* dlgOption::SyncApi()
{
    QString error;
    const SyncModule::Api* api = SyncModule::Load(&error);
    if (!api)
        SetSyncStatus(error);
    return api;
}

bool dlgOption::SyncFieldsChanged() const
{
    const SyncState& state = m_sync->State();
    return m_ui->txtSyncServer->text().trimmed() != state.server || m_ui->txtSyncUser->text() != state.user
        || m_ui->cboSyncCalendar->currentText().trimmed() != state.calendarName
        || !m_ui->txtSyncPassword->text().isEmpty() || m_trustedFingerprint != state.trustedFingerprint;
}

void dlgOption::ApplySync()
{
    const int seconds = m_ui->spnSyncInterval->value() * 60;
    const QString server = m_ui->txtSyncServer->text().trimmed();
    if (server.isEmpty() || !SyncFieldsChanged()) {
        // An interval shorter than a minute (set in the account file) stays while the box shows it unchanged.
        if (m_sync->HasAccount() && m_ui->spnSyncInterval->value() != std::max(1, m_sync->State().intervalSeconds / 60))
            m_sync->SetInterval(seconds);
        return;
    }
    if (m_ui->txtSyncPassword->text().isEmpty()) {
        SetSyncStatus(tr("请输入密码。"));
        return;
    }
    if (!ConfirmAddress(server))
        return;
    SyncSetup setup;
    setup.server = server;
    setup.user = m_ui->txtSyncUser->text();
    setup.password = m_ui->txtSyncPassword->text();
    setup.calendarName = m_ui->cboSyncCalendar->currentText().trimmed();
    setup.trustedFingerprint = m_trustedFingerprint;
    setup.allowHttp = m_httpConfirmedFor == server;
    m_settingUp = true;
    m_sync->Setup(setup, seconds);
}

void dlgOption::TestConnection()
{
    const QString server = m_ui->txtSyncServer->text().trimmed();
    if (server.isEmpty()) {
        SetSyncStatus(tr("请输入服务器地址。"));
        return;
    }
    const SyncModule::Api* api = SyncApi();
    if (!api)
        return;
    if (api->network() == SyncModule::Network::Disconnected && !api->isLoopback(api->serverUrl(server))) {
        SetSyncStatus(tr("本机没有联网，无法连接服务器。"));
        return;
    }
    if (!ConfirmAddress(server))
        return;
    const QString typed = m_ui->txtSyncPassword->text();
    const SyncState& state = m_sync->State();
    if (!typed.isEmpty() || !state.HasAccount() || server != state.server || m_ui->txtSyncUser->text() != state.user) {
        TestWith(typed);
        return;
    }
    // The same account: its password is in the keyring.
    m_ui->cmdSyncTest->setEnabled(false);
    SetSyncStatus(tr("正在连接…"));
    QPointer<dlgOption> self(this);
    Platform::SecretStore()->Read(state.SecretKey(AppPaths::DataFolder()), [self](const SecretResult& r) {
        if (self)
            self->TestWith(r.status == SecretResult::Ok ? r.secret : QString());
    });
}

void dlgOption::TestWith(const QString& password)
{
    const SyncModule::Api* api = SyncApi();
    if (!api)
        return;
    DavAccount account;
    account.url = api->serverUrl(m_ui->txtSyncServer->text().trimmed());
    account.user = m_ui->txtSyncUser->text();
    account.password = password;
    account.trustedFingerprint = m_trustedFingerprint;
    account.allowHttp = m_httpConfirmedFor == m_ui->txtSyncServer->text().trimmed();
    m_ui->cmdSyncTest->setEnabled(false);
    SetSyncStatus(tr("正在连接…"));
    QPointer<dlgOption> self(this);
    // Only listed: a test makes no calendar. The one chosen is found or made when the account is applied.
    m_testClient = api->listCalendars(account, [self](const DiscoveryResult& found) {
        if (self)
            self->TestAnswered(found);
    });
}

void dlgOption::TestAnswered(const DiscoveryResult& found)
{
    m_ui->cmdSyncTest->setEnabled(true);
    if (!found.untrustedFingerprint.isEmpty()) {
        SetSyncStatus(tr("服务器的证书不受信任。SHA-256 指纹：%1").arg(found.untrustedFingerprint));
        if (MsgBox::Show(
                tr("服务器的证书不受信任，它的 SHA-256 指纹是：\n%1\n\n请与服务器管理员核对。确认信任这个证书吗？")
                    .arg(found.untrustedFingerprint),
                MsgButtons::YesNo, MsgIcon::Warning)
            == MsgResult::Yes) {
            m_trustedFingerprint = found.untrustedFingerprint;
            TestConnection();
        }
        return;
    }
    if (found.unauthorized) {
        SetSyncStatus(tr("用户名或密码不对。"));
        return;
    }
    if (!found.error.isEmpty()) {
        SetSyncStatus(tr("连接失败：%1").arg(found.error));
        return;
    }
    // The calendars found, then the way to a new one; what was chosen or typed stays chosen.
    const QString ownName = SyncModule::Load()->ownCalendarName();  // loaded: it answered
    QComboBox* box = m_ui->cboSyncCalendar;
    const QString chosen = box->currentText().trimmed();
    box->clear();
    for (const DavCalendar& calendar : found.calendars)
        if (box->findText(calendar.displayName) < 0)
            box->addItem(calendar.displayName, calendar.url.toString());
    box->addItem(tr("新建日历…"), kNewCalendar);
    const int own = box->findText(ownName);
    if (!chosen.isEmpty())
        box->setEditText(chosen);
    else if (own >= 0)
        box->setCurrentIndex(own);
    else
        box->setEditText(QString());
    SetSyncStatus(found.calendars.empty()
            ? tr("连接成功：服务器上还没有日历，应用时将新建“%1”。").arg(chosen.isEmpty() ? ownName : chosen)
            : tr("连接成功：找到 %1 个日历。选择要用的日历或新建一个，再点“应用”或“确定”保存。")
                  .arg(found.calendars.size()));
}

bool dlgOption::ConfirmAddress(const QString& server)
{
    const SyncModule::Api* api = SyncApi();
    if (!api)
        return false;
    const QUrl url = api->serverUrl(server);
    if (m_httpConfirmedFor == server || api->checkAddress(url, false).isEmpty()
        || !api->checkAddress(url, true).isEmpty())
        return true;  // https, this machine, confirmed already, or refused anyway (the client says why)
    if (MsgBox::Show(tr("地址 %1 不加密（http）：密码和任务将以明文在网络上传送，途经的任何人都能看到。\n\n"
                        "只在可信的局域网内这样使用。确定要以不加密的方式连接这个服务器吗？")
                         .arg(url.toString()),
            MsgButtons::YesNo, MsgIcon::Warning)
        != MsgResult::Yes) {
        SetSyncStatus(api->checkAddress(url, false));
        return false;
    }
    m_httpConfirmedFor = server;
    return true;
}
