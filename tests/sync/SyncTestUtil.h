// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/DavServer.h"
#include "support/FakeSecretStore.h"
#include "support/TestEnv.h"

#include "base/AppPaths.h"
#include "engine/TaskCommands.h"
#include "engine/TaskEngine.h"
#include "sync/SyncEngine.h"

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <optional>

// Starts an asynchronous call and runs the event loop until it answers (or a minute passes: a failed test, not a
// hung one).
template <class Result> Result Await(const std::function<void(std::function<void(const Result&)>)>& start)
{
    std::optional<Result> answer;
    QEventLoop loop;
    start([&](const Result& r) {
        answer = r;
        loop.quit();
    });
    if (!answer) {
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    EXPECT_TRUE(answer.has_value()) << "no answer within a minute";
    return answer.value_or(Result());
}

// One machine: its own data folder, engine, secret store and sync engine. The data folder is process-wide, so
// every step makes this machine's folder current first.
struct Device
{
    QTemporaryDir dir;
    TaskEngine engine;
    std::shared_ptr<FakeSecretStore> secrets = std::make_shared<FakeSecretStore>();
    SyncEngine sync { engine, secrets };

    void Use() { AppPaths::SetDataFolder(dir.path()); }

    SyncResult Call(const std::function<void()>& start)
    {
        Use();
        SyncResult result;
        QEventLoop loop;
        auto c = QObject::connect(&sync, &SyncEngine::Finished, &loop, [&](const SyncResult& r) {
            result = r;
            loop.quit();
        });
        start();
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        loop.exec();
        QObject::disconnect(c);
        return result;
    }
    SyncResult Setup(const DavServer& server, const QString& calendar = {})
    {
        SyncSetup s;
        s.server = server.BaseUrl();
        s.user = server.User();
        s.password = server.Password();
        s.calendarName = calendar;
        return Call([&] { sync.Setup(s); });
    }
    SyncResult Sync()
    {
        return Call([&] { sync.Sync(); });
    }

    // A task command as tickwell-cli gives it ("add", "done", ...), saved like the program saves.
    TaskCommandResult Cmd(const QString& command, const QStringList& args)
    {
        Use();
        TaskCommandResult r = TaskCommands::Run(engine, command, args);
        EXPECT_EQ(r.exitCode, 0) << command.toStdString() << ": " << r.err.toStdString();
        if (r.changed) {
            EXPECT_TRUE(engine.SaveCfg());
        }
        return r;
    }
    TaskPtr ByTitle(const QString& title) const
    {
        for (const TaskPtr& t : engine.Tasks()) {
            if (t->Title() == title)
                return t;
        }
        return nullptr;
    }
};

inline std::string ServerName(const ::testing::TestParamInfo<DavServer::Kind>& info)
{
    return info.param == DavServer::Kind::Radicale ? "Radicale" : "Xandikos";
}
