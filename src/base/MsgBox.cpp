// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/MsgBox.h"

#include "base/AppVersion.h"
#include "base/Logging.h"

namespace {

// Messages nobody sees in a box (a headless run, or a program being ended by a signal or the session) go to
// stderr through the log category.
class HeadlessPresenter : public IMessagePresenter
{
public:
    MsgResult Show(const QString& text, MsgButtons buttons, MsgIcon, const QString&) override
    {
        qCWarning(lcMessages).noquote() << text;
        return MsgBox::SafeAnswer(buttons);
    }

    QString Input(const QString&, const QString&, const QString&) override { return {}; }
};

std::shared_ptr<IMessagePresenter>& Current()
{
    static std::shared_ptr<IMessagePresenter> presenter = std::make_shared<HeadlessPresenter>();
    return presenter;
}

}  // namespace

namespace MsgBox {

MsgResult Show(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    // Hold a reference: a presenter may be replaced while its dialog is open.
    auto presenter = Current();
    return presenter->Show(text, buttons, icon, title.isEmpty() ? DefaultTitle() : title);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    auto presenter = Current();
    return presenter->Input(prompt, title.isEmpty() ? DefaultTitle() : title, defaultText);
}

QString SaveFileName(const QString& title, const QString& filter, const QString& suggested, const QString& suffix)
{
    auto presenter = Current();
    return presenter->SaveFileName(title, filter, suggested, suffix);
}

QString OpenFileName(const QString& title, const QString& filter)
{
    return Current()->OpenFileName(title, filter);
}

void SetPresenter(std::shared_ptr<IMessagePresenter> presenter)
{
    Current() = presenter ? std::move(presenter) : std::make_shared<HeadlessPresenter>();
}

std::shared_ptr<IMessagePresenter> Presenter()
{
    return Current();
}

MsgResult SafeAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgResult::Ok;
    case MsgButtons::YesNo:
        return MsgResult::No;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
        return MsgResult::Cancel;
    }
    return MsgResult::Cancel;
}

QString DefaultTitle()
{
    return AppTitle();
}

}  // namespace MsgBox
