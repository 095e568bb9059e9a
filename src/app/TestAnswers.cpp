// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TestAnswers.h"

#include "base/MsgBox.h"

#include <QStringList>

#include <cstdio>
#include <deque>

namespace {

class EnvironmentAnswers : public IMessagePresenter
{
public:
    EnvironmentAnswers(const QStringList& answers, std::shared_ptr<IMessagePresenter> next)
        : m_next(std::move(next))
    {
        for (const QString& a : answers)
            m_answers.push_back(a.trimmed().toLower());
    }

    MsgResult Show(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) override
    {
        std::fprintf(stderr, "asked: %s\n", qPrintable(text));
        std::fflush(stderr);
        if (m_answers.empty())
            return buttons == MsgButtons::Ok ? MsgResult::Ok
                                             : (buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel);
        const QString a = m_answers.front();
        m_answers.pop_front();
        Q_UNUSED(icon)
        Q_UNUSED(title)
        if (a == QLatin1String("yes"))
            return MsgResult::Yes;
        if (a == QLatin1String("no"))
            return MsgResult::No;
        return a == QLatin1String("ok") ? MsgResult::Ok : MsgResult::Cancel;
    }
    QString Input(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        return m_next ? m_next->Input(prompt, title, defaultText) : QString();
    }

private:
    std::deque<QString> m_answers;
    std::shared_ptr<IMessagePresenter> m_next;
};

}  // namespace

void InstallTestAnswers()
{
    if (!qEnvironmentVariableIsSet("TW_TEST_ANSWERS"))
        return;
    const QStringList answers = qEnvironmentVariable("TW_TEST_ANSWERS").split(QLatin1Char(','), Qt::SkipEmptyParts);
    MsgBox::SetPresenter(std::make_shared<EnvironmentAnswers>(answers, MsgBox::Presenter()));
}
