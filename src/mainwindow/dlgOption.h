// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class dlgOption;
}
class frmMain;
class SyncController;
struct DiscoveryResult;
namespace SyncModule {
struct Api;
}

// The options: the auto-lock time, the unlock password, the desktop notification switch and the colour pair, previewed
// on the dialog's own background until applied; on a page of its own, the calendar sync account. Modeless, owned by
// the main window.
class dlgOption : public QDialog
{
    Q_OBJECT

public:
    explicit dlgOption(frmMain* owner);
    ~dlgOption() override;

    QColor SwatchColor(int index) const { return m_colors[size_t(index)]; }
    // Clicking a swatch: the colour dialog, or what a test puts here. An invalid colour means cancelled.
    using ColorPicker = std::function<QColor(const QColor& current, QWidget* parent)>;
    static void SetColorPicker(ColorPicker picker);

    void Apply();
    // Tries the sync page's address, user and password (no account is changed); the answer lands in the page.
    void TestConnection();
    QString SyncStatusText() const;

private:
    void ShowSyncAccount();
    void ApplySync();
    void TestAnswered(const DiscoveryResult& found);
    void TestWith(const QString& password);
    // Plain http to another machine is used only once the user confirmed it for that address.
    bool ConfirmAddress(const QString& server);
    bool SyncFieldsChanged() const;
    // The sync module's functions; nullptr, the reason shown on the page, when it is missing.
    const SyncModule::Api* SyncApi();
    void SetSyncStatus(const QString& text);
    void PickColor(int index);
    void ShowSwatches();

    std::unique_ptr<Ui::dlgOption> m_ui;
    frmMain* m_owner;
    std::array<QColor, 2> m_colors;
    SyncController* m_sync;
    std::unique_ptr<QObject> m_testClient;  // the connection test's client while it runs
    QString m_trustedFingerprint;  // confirmed on this page, kept with the account when it is applied
    bool m_settingUp = false;  // this page's setup runs
    QString m_httpConfirmedFor;  // the server address confirmed for plain http, kept with the account too
};
