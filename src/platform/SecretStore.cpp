// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ISecretStore.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <optional>

namespace {

// A keyring that is not there: every request fails with the reason, on a later turn as the real one answers.
class UnavailableSecretStore : public ISecretStore
{
public:
    explicit UnavailableSecretStore(QString error)
        : m_error(std::move(error))
    {
    }
    void Write(const QString&, const QString&, Done done) override { Fail(std::move(done)); }
    void Read(const QString&, Done done) override { Fail(std::move(done)); }
    void Remove(const QString&, Done done) override { Fail(std::move(done)); }

private:
    void Fail(Done done)
    {
        SecretResult r;
        r.error = m_error;
        QTimer::singleShot(0, QCoreApplication::instance(), [r, done = std::move(done)] { done(r); });
    }
    QString m_error;
};

std::function<std::shared_ptr<ISecretStore>()>& Factory()
{
    static std::function<std::shared_ptr<ISecretStore>()> factory;
    return factory;
}

std::shared_ptr<ISecretStore>& Current()
{
    static std::shared_ptr<ISecretStore> store;
    return store;
}

}  // namespace

std::shared_ptr<ISecretStore> MakeUnavailableSecretStore(const QString& error)
{
    return std::make_shared<UnavailableSecretStore>(error);
}

std::shared_ptr<ISecretStore> MakeSystemSecretStore()
{
    if (Factory())
        return Factory()();
    return MakeUnavailableSecretStore(QCoreApplication::translate("SecretStore", "没有可用的密钥环。"));
}

namespace Platform {

void SetSystemSecretStoreFactory(std::function<std::shared_ptr<ISecretStore>()> factory)
{
    Factory() = std::move(factory);
}

std::shared_ptr<ISecretStore> SecretStore()
{
    if (!Current())
        Current() = MakeSystemSecretStore();
    return Current();
}

void SetSecretStore(std::shared_ptr<ISecretStore> store)
{
    Current() = std::move(store);
}

SecretResult WaitForSecret(const std::function<void(ISecretStore::Done)>& request, int timeoutMs)
{
    // Shared with the callback, which may still come after a time-out has ended the wait.
    auto answer = std::make_shared<std::optional<SecretResult>>();
    QEventLoop loop;
    QPointer<QEventLoop> alive(&loop);
    request([answer, alive](const SecretResult& r) {
        *answer = r;
        if (alive)
            alive->quit();
    });
    if (!answer->has_value()) {
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (answer->has_value())
        return **answer;
    SecretResult r;
    r.error = QStringLiteral("time-out");
    return r;
}

}  // namespace Platform
