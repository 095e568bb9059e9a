// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/FieldHandlers.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>

namespace {

class LeaveFilter : public QObject
{
public:
    LeaveFilter(QWidget* field, std::function<bool()> validate, const QList<QWidget*>& exempt)
        : QObject(field)
        , m_field(field)
        , m_validate(std::move(validate))
    {
        for (QWidget* w : exempt)
            m_exempt << QPointer<QWidget>(w);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_field || event->type() != QEvent::FocusOut || m_busy)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Only the user leaves a field: a focus moved by the program (another field's check sending the
        // focus back to itself, say) must not raise a second message about this one.
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || reason == Qt::OtherFocusReason)
            return false;
        // By now the application already knows where the focus is going.
        QWidget* next = QApplication::focusWidget();
        if (!next || next->window() != m_field->window() || m_field->isAncestorOf(next))
            return false;
        for (const QPointer<QWidget>& w : m_exempt)
            if (w == next)
                return false;
        m_busy = true;
        const bool ok = m_validate();
        m_busy = false;
        if (!ok) {
            QPointer<QWidget> field = m_field;
            QTimer::singleShot(0, m_field, [field] {
                if (field)
                    field->setFocus(Qt::OtherFocusReason);
            });
        }
        return false;
    }

private:
    QWidget* m_field;
    std::function<bool()> m_validate;
    QList<QPointer<QWidget>> m_exempt;
    bool m_busy = false;  // a message box shown by the check moves the focus too
};

class ActivateFilter : public QObject
{
public:
    ActivateFilter(QLabel* label, std::function<void()> onActivate)
        : QObject(label)
        , m_label(label)
        , m_onActivate(std::move(onActivate))
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_label || !m_label->isEnabled())
            return false;
        if (event->type() == QEvent::MouseButtonDblClick) {
            m_onActivate();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space || key == Qt::Key_F2) {
                m_onActivate();
                return true;
            }
        }
        return false;
    }

private:
    QLabel* m_label;
    std::function<void()> m_onActivate;
};

}  // namespace

void ValidateOnLeave(QWidget* field, std::function<bool()> validate, const QList<QWidget*>& exempt)
{
    field->installEventFilter(new LeaveFilter(field, std::move(validate), exempt));
}

void MakeLabelActivatable(QLabel* label, std::function<void()> onActivate)
{
    label->setFocusPolicy(Qt::StrongFocus);
    label->installEventFilter(new ActivateFilter(label, std::move(onActivate)));
}
