// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/frmHelp.h"

#include "ui_frmHelp.h"
#include "base/Translation.h"

#include <QFile>

frmHelp::frmHelp(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_ui(std::make_unique<Ui::frmHelp>())
{
    m_ui->setupUi(this);
    const QString text = HelpText();
    if (text.isEmpty())
        m_ui->Text1->setPlainText(tr("无法读取帮助信息。"));
    else
        m_ui->Text1->setHtml(text);
}

frmHelp::~frmHelp() = default;

QString frmHelp::HelpText()
{
    // The English page explains the Chinese date and time expressions, which stay Chinese in every language.
    QFile file(Translation::Current() == QLatin1String("en") ? QStringLiteral(":/help/help_en.html")
                                                             : QStringLiteral(":/help/help.html"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}
