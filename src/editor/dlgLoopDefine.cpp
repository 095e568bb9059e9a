// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/dlgLoopDefine.h"

#include "base/MsgBox.h"
#include "base/Translation.h"
#include "core/CTask.h"
#include "editor/dlgValidPeriod.h"
#include "timerules/Clock.h"
#include "timerules/EnglishExpr.h"
#include "timerules/TimeExpr.h"
#include "ui_dlgLoopDefine.h"
#include "widgets/FieldHandlers.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

struct TypeDefaults
{
    bool specOn;
    const char16_t* spec;  // nullptr: the current time
    const char* hint;  // translated when shown; its examples are rules and stay as they are
};

// What choosing a loop type puts into the detail fields, in list order.
const TypeDefaults kDefaults[kLoopTypeCount] = {
    { true, nullptr, "" },
    { true, u"135",
        QT_TRANSLATE_NOOP(
            "dlgLoopDefine", "填写周几,1-7分别表示周一到周日。\n例：1 - 周一; 135 - 周一周三周五; 67 - 周六和周日") },
    { true, u"1",
        QT_TRANSLATE_NOOP("dlgLoopDefine",
            "填写每月几号, 多个日期用','分隔; 负数表示倒数第几天(不允许多日期)。例：1 - 每月1号; 8,18 - 每月8号或18号; "
            "-1 - 每月最后1天") },
    { true, u"1-1",
        QT_TRANSLATE_NOOP("dlgLoopDefine",
            "填写每年哪几天, 多个日期用','分隔。\n例：1-3 - 每年1月3日; 8-8,9-9 - 每年8月8号和9月9日") },
    { false, u"0:0",
        QT_TRANSLATE_NOOP(
            "dlgLoopDefine", "填写 {分} 或 {分}:{秒}。\n例：0 - 每小时0分; 30 - 每小时30; 18:18 - 每小时18:18") },
    { false, u"0", QT_TRANSLATE_NOOP("dlgLoopDefine", "填写 {秒}。\n例：0 - 每分钟0秒; 30 - 每分钟30秒") },
    { false, u"", "" },
    { true, u"1",
        QT_TRANSLATE_NOOP(
            "dlgLoopDefine", "填写每月几号, 多个日期用','分隔。\n例：1 - 农历每月初一; 1,15 - 农历每月初一、十五") },
    { true, u"1-1",
        QT_TRANSLATE_NOOP("dlgLoopDefine",
            "填写每年哪几天, 多个日期用','分隔。\n例：8-15 - 农历每年八月十五; 1-15,8-15 - "
            "农历每年正月十五和八月十五") },
};

// The loop types as the list shows them; the dialog works with the index, the rule text stays Chinese.
const char* const kTypeNames[kLoopTypeCount] = {
    QT_TRANSLATE_NOOP("dlgLoopDefine", "天"),
    QT_TRANSLATE_NOOP("dlgLoopDefine", "周"),
    QT_TRANSLATE_NOOP("dlgLoopDefine", "月"),
    QT_TRANSLATE_NOOP("dlgLoopDefine", "年"),
    QT_TRANSLATE_NOOP("dlgLoopDefine", "小时"),
    QT_TRANSLATE_NOOP("dlgLoopDefine", "分钟"),
    QT_TRANSLATE_NOOP("dlgLoopDefine", "秒"),
    QT_TRANSLATE_NOOP("dlgLoopDefine", "农历月"),
    QT_TRANSLATE_NOOP("dlgLoopDefine", "农历年"),
};

}  // namespace

dlgLoopDefine::dlgLoopDefine(CTask& task, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::dlgLoopDefine>())
    , m_task(task)
{
    m_ui->setupUi(this);
    for (const char* name : kTypeNames)
        m_ui->cboLoopType->addItem(tr(name));
    m_ui->lblValidPeriod->setText(task.ValidPeriodStr(tr("未设置(双击设置)")));

    connect(m_ui->cboLoopType, &QComboBox::currentIndexChanged, this, &dlgLoopDefine::TypeChanged);
    connect(m_ui->chkTimeSpec, &QCheckBox::toggled, this, [this](bool on) {
        m_ui->txtTimeSpec->setEnabled(on);
        RefreshResult();
    });
    connect(m_ui->txtLoopCnt, &QLineEdit::textChanged, this, &dlgLoopDefine::RefreshResult);
    connect(m_ui->txtTimeSpec, &QLineEdit::textChanged, this, &dlgLoopDefine::RefreshResult);
    connect(m_ui->OKButton, &QPushButton::clicked, this, &dlgLoopDefine::accept);
    connect(m_ui->CancelButton, &QPushButton::clicked, this, &dlgLoopDefine::reject);
    ValidateOnLeave(m_ui->txtLoopCnt, [this] {
        ValidateLoopCnt();
        return true;
    });
    ValidateOnLeave(m_ui->txtTimeSpec, [this] { return ValidateTimeSpec(); }, { m_ui->CancelButton });
    MakeLabelActivatable(m_ui->lblValidPeriod, [this] { DefineValidPeriod(); });

    TypeChanged(ltDay);
    if (const auto rule = ParseLoopRule(task.sDueDate, task.sDueTime)) {
        m_ui->txtLoopCnt->setText(QString::number(rule->count));
        if (m_ui->cboLoopType->currentIndex() == rule->type)
            TypeChanged(rule->type);
        else
            m_ui->cboLoopType->setCurrentIndex(rule->type);
        // A rule without a detail ("每周") is shown as it is: the type's default detail would change it on OK.
        m_ui->chkTimeSpec->setChecked(!rule->spec.isEmpty());
        if (!rule->spec.isEmpty())
            m_ui->txtTimeSpec->setText(rule->spec);
    }
}

dlgLoopDefine::~dlgLoopDefine() = default;

void dlgLoopDefine::TypeChanged(int type)
{
    if (type < 0 || type >= kLoopTypeCount)
        return;
    const TypeDefaults& d = kDefaults[type];
    m_ui->chkTimeSpec->setEnabled(type != ltSecond);
    m_ui->txtLoopCnt->setEnabled(type != ltLunarMonth && type != ltLunarYear);
    if (!m_ui->txtLoopCnt->isEnabled())
        m_ui->txtLoopCnt->setText(QStringLiteral("1"));
    m_ui->chkTimeSpec->setChecked(d.specOn);
    m_ui->txtTimeSpec->setEnabled(d.specOn);
    m_ui->txtTimeSpec->setText(
        d.spec ? QString::fromUtf16(d.spec) : FormatPattern(Clock::Now(), QStringLiteral("h:n")));
    m_ui->lblHint->setText(*d.hint ? tr(d.hint) : QString());
    RefreshResult();
}

LoopFields dlgLoopDefine::Fields() const
{
    LoopFields f;
    f.type = m_ui->cboLoopType->currentIndex();
    f.count = int(std::clamp<qint64>(qint64(LeadingNumber(m_ui->txtLoopCnt->text())), 1, 1000000));
    f.specOn = m_ui->chkTimeSpec->isChecked();
    f.spec = m_ui->txtTimeSpec->text();
    return f;
}

std::optional<LoopRuleTexts> dlgLoopDefine::Result() const
{
    return ComposeLoopRule(Fields());
}

void dlgLoopDefine::RefreshResult()
{
    const LoopFields f = Fields();
    QString desc;
    const QString count = m_ui->txtLoopCnt->text().trimmed();
    if (!GetSpecDesc(f.type, f.specOn, f.spec, nullptr, &desc))
        m_ui->lblResult->setText(tr("格式错误."));
    else if (Translation::Current() == QLatin1String("zh"))
        m_ui->lblResult->setText(tr("提醒设置：%1").arg(GetTypeDesc(f.type, count) + desc));
    else if (const auto rule = ComposeLoopRule(f))
        // The words the task list and the editor show for the rule.
        m_ui->lblResult->setText(tr("提醒设置：%1").arg(EnglishRuleText(rule->dateText, rule->timeText)));
}

void dlgLoopDefine::ValidateLoopCnt()
{
    static const QRegularExpression number(QStringLiteral("^\\s*[0-9]+\\s*\\z"));
    const QString text = m_ui->txtLoopCnt->text();
    if (number.match(text).hasMatch())
        return;
    const qint64 n = qint64(LeadingNumber(text));
    m_ui->txtLoopCnt->setText(n > 0 ? QString::number(n) : QStringLiteral("1"));
}

bool dlgLoopDefine::ValidateTimeSpec()
{
    const LoopFields f = Fields();
    if (f.spec.trimmed().isEmpty()) {
        m_ui->chkTimeSpec->setChecked(false);
        return true;
    }
    QString spec;
    if (!GetSpecDesc(f.type, f.specOn, f.spec, &spec, nullptr)) {
        MsgBox::Show(tr("格式错误！"), MsgButtons::Ok, MsgIcon::Warning);
        return false;
    }
    if (f.specOn)
        m_ui->txtTimeSpec->setText(spec);
    return true;
}

void dlgLoopDefine::DefineValidPeriod()
{
    dlgValidPeriod dlg(m_task, this);
    dlg.exec();
    if (dlg.IsOk())
        m_ui->lblValidPeriod->setText(m_task.ValidPeriodStr(tr("未设置")));
}

void dlgLoopDefine::accept()
{
    ValidateLoopCnt();
    // Enter accepts without leaving the detail field: it is checked here as on leaving it.
    if (!ValidateTimeSpec()) {
        m_ui->txtTimeSpec->setFocus();
        return;
    }
    const auto rule = Result();
    if (!rule)
        return;
    m_task.sDueDate = rule->dateText;
    m_task.sDueTime = rule->timeText;
    m_isOk = true;
    QDialog::accept();
}
