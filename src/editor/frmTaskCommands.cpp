// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's command box, its test buttons and the ring controls.
#include "editor/frmTask.h"

#include "base/AppPaths.h"
#include "base/Common.h"
#include "base/MsgBox.h"
#include "base/Resources.h"
#include "base/Text.h"
#include "engine/RunCmd.h"
#include "ui_frmTask.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>
#include <QStandardItemModel>

namespace {

QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(u';', u' ') + u')';
    return out.join(QStringLiteral(";;"));
}

frmTask::FileChooser& Chooser()
{
    static frmTask::FileChooser chooser = [](QWidget* owner, const QString& title, const QString& filter) {
        return QFileDialog::getOpenFileName(owner, title, QString(), QtFilter(filter));
    };
    return chooser;
}

// A custom event is watched by a page when its first command line names one; see CTask::SetDescription.
bool IsPageCheck(const QString& description)
{
    static const QRegularExpression page(QStringLiteral("\\.html?$"), QRegularExpression::CaseInsensitiveOption);
    const QStringList lines = description.split(u'\n');
    for (int i = 1; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u':'))
            continue;
        return page.match(line).hasMatch();
    }
    return false;
}

QString Quoted(const QString& path)
{
    return path.contains(u' ') ? u'"' + path + u'"' : path;
}

void Warn(const QString& text)
{
    MsgBox::Show(text, MsgButtons::Ok, MsgIcon::Warning);
}

// The ring-file list: the file dialog, then one entry per built-in ringtone. Their captions are translated; the
// item data tells them apart from the files chosen before (an empty string for the dialog, the ringtone's name),
// so what is stored is the same in every language.
bool IsRingListCaption(const QComboBox* box, const QString& text)
{
    const int index = box->findText(text);
    return index >= 0 && box->itemData(index).isValid();
}

}  // namespace

void frmTask::SetFileChooser(FileChooser chooser)
{
    Chooser() = std::move(chooser);
}

frmTask::FileChooser frmTask::CurrentFileChooser()
{
    return Chooser();
}

void frmTask::SetupCommandBox()
{
    Ui::frmTask& ui = *m_ui;
    // The first two entries are commands found by their index; an example puts the text after its [caption].
    ui.cboCmd->addItems({ tr("<选择文档/程序/音乐/视频...>"), tr("<设置关机/休眠/重启/待机/注销...>"),
        tr("[打开文档示例] ~/todo.txt"), tr("[打开网址示例] xdg-open https://www.debian.org/"),
        tr("[命令示例:1分钟后关机] shutdown -h +1 \"即将关机! (用 shutdown -c 命令取消)\"") });
    ui.cboCmd->setEditText(QString());
    SetPowerSetting(nullptr);

    connect(ui.chkCmd, &QCheckBox::toggled, this, [this](bool on) {
        for (QWidget* w :
            std::initializer_list<QWidget*> { m_ui->cmdTestRun, m_ui->cmdInitCmdDir, m_ui->cboCmd, m_ui->cmdSelCmd })
            w->setEnabled(on);
        CmdTextChanged();
    });
    connect(ui.cboCmd, &QComboBox::activated, this, &frmTask::CmdActivated);
    connect(ui.cboCmd, &QComboBox::editTextChanged, this, &frmTask::CmdTextChanged);
    connect(ui.chkHideWnd, &QCheckBox::clicked, this, &frmTask::HideWndClicked);
    connect(ui.cmdSelCmd, &QToolButton::clicked, this, [this] {
        m_ui->cboCmd->setCurrentIndex(0);
        CmdActivated(0);
    });
    connect(ui.cmdInitCmdDir, &QPushButton::clicked, this, &frmTask::DefineInitDir);
    connect(ui.cmdTestRun, &QPushButton::clicked, this, &frmTask::TestRun);
    connect(ui.cmdTestChecking, &QPushButton::clicked, this, &frmTask::TestChecking);
    ui.chkCmd->setChecked(true);
    ui.chkCmd->setChecked(false);
    ui.cmdTestChecking->setVisible(false);
}

void frmTask::SetPowerSetting(PowerSetting setting)
{
    m_powerSetting = std::move(setting);
    if (auto* model = qobject_cast<QStandardItemModel*>(m_ui->cboCmd->model()))
        if (QStandardItem* item = model->item(1))
            item->setEnabled(bool(m_powerSetting));
}

void frmTask::SetPageCheck(PageCheck check)
{
    m_pageCheck = std::move(check);
    UpdateCheckButton();
}

void frmTask::CmdActivated(int index)
{
    Ui::frmTask& ui = *m_ui;
    QString result;
    if (index == 0) {
        const QString path = Chooser()(this, tr("打开文件"),
            tr("可执行文件|*.sh;*.py;*.AppImage;*.desktop|音乐、视频|*.mp3;*.wma;*.wav;*.mid;*.ogg;*.flac;*.avi;"
               "*.wmv;*.mov;*.mp4;*.mkv;*.webm;*.rm;*.rmvb;*.3gp|文档|*.txt;*.doc;*.docx;*.odt;*.xls;*.xlsx;"
               "*.ods;*.pdf;*.htm;*.html|所有文件|*"));
        if (!path.isEmpty()) {
            const QString folder = ParentFolder(path);
            // The data folder is what an empty start folder means anyway. (Any other folder is kept, the
            // current one too: the command runs wherever the data folder says, not where the program started.)
            m_work.sCmdInitDir = QDir(folder) == QDir(AppPaths::DataFolder()) ? QString() : folder;
            result = Quoted(ToAppRelative(path));
        }
    } else if (index == 1) {
        if (m_powerSetting)
            result = m_powerSetting(this, m_lastCmd);
        if (!result.isEmpty()) {
            if (!ui.chkAutoCancel->isChecked()
                && MsgBox::Show(tr("建议勾上选项\"过期自动取消\", 以免打开软件时恰好有已过提醒时间的关机任务"
                                   "而导致关机。是否现在勾上？"),
                       MsgButtons::YesNo, MsgIcon::Question)
                    == MsgResult::Yes)
                ui.chkAutoCancel->setChecked(true);
            if (ui.optRingType_0->isChecked() && !ui.chkAutoFinish->isChecked()
                && MsgBox::Show(tr("是否勾上选项\"到期自动完成\", 以便提醒时只出现关机或其它动作的倒计时窗口"
                                   "而不显示提醒窗口？"),
                       MsgButtons::YesNo, MsgIcon::Question)
                    == MsgResult::Yes)
                ui.chkAutoFinish->setChecked(true);
        }
    } else {
        static const QRegularExpression label(QStringLiteral("^\\s*(\\[.+\\])\\s*"));
        result = ui.cboCmd->itemText(index).remove(label);
        // The document example names a file in the user's home folder.
        if (result.startsWith(QStringLiteral("~/")))
            result = Quoted(QDir::homePath() + result.mid(1));
    }
    // Choosing an entry must never leave the entry's own text in the box.
    if (!result.isEmpty())
        m_lastCmd = result;
    ui.cboCmd->setEditText(m_lastCmd);
}

void frmTask::CmdTextChanged()
{
    const QString text = m_ui->cboCmd->currentText();
    m_ui->chkHideWnd->setEnabled(m_ui->chkCmd->isChecked() && !text.startsWith(u'@'));
    m_ui->chkHideWnd->setChecked(text.startsWith(u'-'));
}

void frmTask::HideWndClicked(bool checked)
{
    QString text = m_ui->cboCmd->currentText();
    if (checked && !text.startsWith(u'-'))
        text.prepend(u'-');
    else if (!checked && text.startsWith(u'-'))
        text.remove(0, 1);
    m_ui->cboCmd->setEditText(text);
}

void frmTask::DefineInitDir()
{
    QString answer = m_work.sCmdInitDir;
    for (;;) {
        answer = MsgBox::InputBox(
            tr("输入执行命令的起始目录，输入短横'-'使用本软件所在目录:"), tr("命令的起始目录"), answer)
                     .trimmed();
        if (answer.isEmpty())
            return;
        if (answer == u"-") {
            m_work.sCmdInitDir.clear();
            return;
        }
        if (QDir(answer).exists()) {
            m_work.sCmdInitDir = answer;
            return;
        }
        Warn(tr("找不到指定目录 ") + answer);
    }
}

void frmTask::TestRun()
{
    if (!RunCmd(m_ui->cboCmd->currentText().trimmed(), m_work.sCmdInitDir))
        Warn(tr("执行失败"));
}

void frmTask::TestChecking()
{
    QPushButton* button = m_ui->cmdTestChecking;
    button->setEnabled(false);
    if (!m_scratch)
        m_scratch = std::make_unique<CTask>();
    CTask& scratch = *m_scratch;
    scratch.SetDescription(Text::LfToCrLf(m_ui->txtTodo->toPlainText()));
    if (scratch.TaskType() == ttUserCmd) {
        for (;;) {
            bool valid = true;
            int code = 0;
            bool fired = false;
            // Ten seconds in short waits, so the windows keep painting meanwhile.
            for (int i = 0; i < 100 && valid && !fired; ++i) {
                fired = scratch.CheckUserCmd(valid, 100, code);
                if (!scratch.IsCheckingEvent())
                    break;
                QApplication::processEvents();
            }
            if (fired) {
                MsgBox::Show(tr("命令返回%1(非0)。将会弹出提醒！").arg(code), MsgButtons::Ok, MsgIcon::Information);
            } else if (!valid || scratch.UserEventArgv().isEmpty()) {
                Warn(tr("命令无法运行，请检查！"));
            } else if (!scratch.IsCheckingEvent()) {
                MsgBox::Show(tr("命令正常返回0，将不会弹出提醒。"), MsgButtons::Ok, MsgIcon::Information);
            } else if (MsgBox::Show(tr("命令仍在执行。是否继续等待？"), MsgButtons::YesNo, MsgIcon::Warning)
                == MsgResult::Yes) {
                continue;
            }
            break;
        }
    } else if (scratch.TaskType() == ttUserPage && m_pageCheck) {
        scratch.DryRunUserEvent = true;
        m_pageCheck(scratch);
    }
    UpdateCheckButton();
}

void frmTask::UpdateCheckButton()
{
    // A page check needs the page host; until it is there only command checks can be tried.
    m_ui->cmdTestChecking->setEnabled(!IsPageCheck(m_ui->txtTodo->toPlainText()) || m_pageCheck);
}

// ---- Ring ----

void frmTask::SetupRing()
{
    Ui::frmTask& ui = *m_ui;
    auto* group = new QButtonGroup(this);
    group->addButton(ui.optRingType_0, rtNone);
    group->addButton(ui.optRingType_1, rtBeep);
    group->addButton(ui.optRingType_2, rtMusic);
    connect(group, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            RingTypeChanged(id);
    });
    ui.cboRingFile->addItem(tr("<选择音乐...>"), QString());
    for (const QString& name : Resources::RingtoneNames())
        ui.cboRingFile->addItem(tr("[铃声] %1").arg(name), name);
    ui.cboRingFile->setEditText(QString());
    // Choosing an entry shows its caption in the box first; a failed choice puts the file back.
    connect(ui.cboRingFile, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (!IsRingListCaption(m_ui->cboRingFile, text))
            m_ringFileText = text;
    });
    connect(ui.cboRingFile, &QComboBox::activated, this, &frmTask::RingFileActivated);
    connect(ui.cmdSelMusic, &QToolButton::clicked, this, [this] { RingFileActivated(0); });
    connect(ui.chkTestRing, &QCheckBox::toggled, this, [this](bool on) {
        if (!on) {
            if (m_preview.stop)
                m_preview.stop();
            m_ui->lblLength->clear();
            return;
        }
        const int type = m_ui->optRingType_2->isChecked() ? rtMusic : rtBeep;
        if (!m_preview.start
            || !m_preview.start(type, m_ui->cboRingFile->currentText().trimmed(), m_ui->lstPriority->currentIndex())) {
            const QSignalBlocker block(m_ui->chkTestRing);
            m_ui->chkTestRing->setChecked(false);
        }
    });
    RingTypeChanged(rtNone);
}

void frmTask::SetRingPreview(RingPreview preview)
{
    StopPreview();
    m_preview = std::move(preview);
    RingTypeChanged(m_ui->optRingType_2->isChecked() ? rtMusic : m_ui->optRingType_1->isChecked() ? rtBeep : rtNone);
}

void frmTask::RingTypeChanged(int type)
{
    Ui::frmTask& ui = *m_ui;
    ui.cboRingFile->setEnabled(type == rtMusic);
    ui.cmdSelMusic->setEnabled(type == rtMusic);
    ui.chkTestRing->setEnabled(type != rtNone && m_preview.start);
    if (type == rtNone) {
        StopPreview();
        return;
    }
    if (ui.chkTestRing->isChecked()) {
        // The preview starts again with the new type.
        ui.chkTestRing->setChecked(false);
        ui.chkTestRing->setChecked(true);
    }
    if (type == rtMusic && isVisible())
        ui.cboRingFile->setFocus();
}

void frmTask::RingFileActivated(int index)
{
    Ui::frmTask& ui = *m_ui;
    const QString ringtone = ui.cboRingFile->itemData(index).toString();
    if (index == 0) {
        const QString path = Chooser()(
            this, tr("打开文件"), tr("音乐文件(*.mp3;*.wav;*.wma;*.mid)|*.mp3;*.wav;*.wma;*.mid|所有文件|*"));
        ui.cboRingFile->setEditText(path.isEmpty() ? QString() : ToAppRelative(path));
    } else if (!ringtone.isEmpty()) {
        const QString path = Resources::ExtractRingtone(ringtone);
        if (path.isEmpty()) {
            ui.cboRingFile->setEditText(m_ringFileText);
            Warn(tr("写文件出错!"));
            return;
        }
        ui.cboRingFile->setEditText(ToAppRelative(path));
    }
    // The chosen ring plays at once, from its start.
    StopPreview();
    if (!ui.cboRingFile->currentText().isEmpty() && ui.chkTestRing->isEnabled())
        ui.chkTestRing->setChecked(true);
}

void frmTask::PreviewEnded()
{
    // The player has stopped already: only the switch is to show it.
    const QSignalBlocker block(m_ui->chkTestRing);
    m_ui->chkTestRing->setChecked(false);
}

void frmTask::ShowPreviewLength(const QString& text)
{
    m_ui->lblLength->setText(text);
}

void frmTask::StopPreview()
{
    if (m_ui && m_ui->chkTestRing->isChecked())
        m_ui->chkTestRing->setChecked(false);
}
