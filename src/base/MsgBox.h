// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

// Every message box and input box of the program goes through here, so the engine can ask questions
// without knowing about windows, and tests can script the answers.
enum class MsgIcon { None, Information, Warning, Question, Critical };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

class IMessagePresenter
{
public:
    virtual ~IMessagePresenter() = default;
    virtual MsgResult Show(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) = 0;
    // Returns the typed text; an empty text means the user cancelled.
    virtual QString Input(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // The save-file dialog: `filter` as "描述(*.csv)|*.csv", `suggested` the proposed file name, `suffix` added
    // to a name typed without one; the dialog asks before overwriting. Empty when the user cancelled.
    virtual QString SaveFileName(
        const QString& title, const QString& filter, const QString& suggested, const QString& suffix)
    {
        Q_UNUSED(title)
        Q_UNUSED(filter)
        Q_UNUSED(suggested)
        Q_UNUSED(suffix)
        return {};
    }
    // The open-file dialog for an existing file, `filter` as for SaveFileName. Empty when the user cancelled.
    virtual QString OpenFileName(const QString& title, const QString& filter)
    {
        Q_UNUSED(title)
        Q_UNUSED(filter)
        return {};
    }
};

namespace MsgBox {

MsgResult Show(const QString& text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::Information,
    const QString& title = QString());
QString InputBox(const QString& prompt, const QString& title = QString(), const QString& defaultText = QString());
QString SaveFileName(const QString& title, const QString& filter, const QString& suggested, const QString& suffix);
QString OpenFileName(const QString& title, const QString& filter);

// The presenter in force. Without one (a headless run), messages go to stderr and every question
// gets its safe answer: No / Cancel / empty input.
void SetPresenter(std::shared_ptr<IMessagePresenter> presenter);
std::shared_ptr<IMessagePresenter> Presenter();

// The answer of a question nobody can see: Ok to a plain message, otherwise No or Cancel, never a go-ahead.
MsgResult SafeAnswer(MsgButtons buttons);

// The window caption used when a caller passes no title.
QString DefaultTitle();

}  // namespace MsgBox
