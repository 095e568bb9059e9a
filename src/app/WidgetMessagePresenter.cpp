// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WidgetMessagePresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

MsgResult WidgetMessagePresenter::Show(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    QMessageBox::StandardButtons set;
    QMessageBox::StandardButton escape = QMessageBox::Ok;
    switch (buttons) {
    case MsgButtons::Ok:
        set = QMessageBox::Ok;
        break;
    case MsgButtons::OkCancel:
        set = QMessageBox::Ok | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    case MsgButtons::YesNo:
        set = QMessageBox::Yes | QMessageBox::No;
        escape = QMessageBox::No;
        break;
    case MsgButtons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    }
    box.setStandardButtons(set);
    box.setEscapeButton(escape);
    // The program's own captions for the standard buttons, in its language, whatever Qt's translations say.
    const std::pair<QMessageBox::StandardButton, const char*> captions[]
        = { { QMessageBox::Ok, QT_TRANSLATE_NOOP("WidgetMessagePresenter", "确定") },
              { QMessageBox::Cancel, QT_TRANSLATE_NOOP("WidgetMessagePresenter", "取消") },
              { QMessageBox::Yes, QT_TRANSLATE_NOOP("WidgetMessagePresenter", "是(&Y)") },
              { QMessageBox::No, QT_TRANSLATE_NOOP("WidgetMessagePresenter", "否(&N)") } };
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* b = box.button(button))
            b->setText(QCoreApplication::translate("WidgetMessagePresenter", caption));

    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgResult::Ok;
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    default:
        return MsgResult::Cancel;
    }
}

QString WidgetMessagePresenter::Input(const QString& prompt, const QString& title, const QString& defaultText)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QCoreApplication::translate("WidgetMessagePresenter", "确定"));
    dialog.setCancelButtonText(QCoreApplication::translate("WidgetMessagePresenter", "取消"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

namespace {

// "描述(*.csv)|*.csv|..." pairs become Qt's "描述 (*.csv);;..." entries.
QStringList NameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const int paren = name.indexOf(QLatin1Char('('));
        if (paren > 0)
            name = name.left(paren).trimmed();
        filters << name + QStringLiteral(" (") + parts[i + 1].split(QLatin1Char(';')).join(QLatin1Char(' '))
                + QLatin1Char(')');
    }
    return filters;
}

}  // namespace

QString WidgetMessagePresenter::SaveFileName(
    const QString& title, const QString& filter, const QString& suggested, const QString& suffix)
{
    QFileDialog dialog(QApplication::activeWindow(), title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(NameFilters(filter));
    dialog.setDefaultSuffix(suffix.startsWith(QLatin1Char('.')) ? suffix.mid(1) : suffix);
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString WidgetMessagePresenter::OpenFileName(const QString& title, const QString& filter)
{
    QFileDialog dialog(QApplication::activeWindow(), title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(NameFilters(filter) << QCoreApplication::translate("WidgetMessagePresenter", "所有文件 (*)"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
