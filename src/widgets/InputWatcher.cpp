// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/InputWatcher.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

InputWatcher::InputWatcher(Handler handler, QObject* parent)
    : QObject(parent)
    , m_handler(std::move(handler))
{
    QCoreApplication::instance()->installEventFilter(this);
}

InputWatcher::~InputWatcher()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool InputWatcher::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        // Input reaches the window-system window first and then the widget: only the widget counts.
        if (watched->isWidgetType())
            return m_handler(watched, event);
        return false;
    case QEvent::Shortcut:
        return m_handler(watched, event);
    default:
        return false;
    }
}
