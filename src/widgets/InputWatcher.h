// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

// Sees the user's input anywhere in the program (keys, mouse buttons, the wheel, shortcuts) before the widget it
// is meant for, once per event. The handler returns true to swallow the event.
class InputWatcher : public QObject
{
public:
    using Handler = std::function<bool(QObject* target, QEvent* event)>;
    explicit InputWatcher(Handler handler, QObject* parent = nullptr);
    ~InputWatcher() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler m_handler;
};
