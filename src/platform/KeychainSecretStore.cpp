// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KeychainSecretStore.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <qt6keychain/keychain.h>

#include <optional>

namespace {

// Hands a finished job's outcome to `done`. The job deletes itself after its finished signal.
void Connect(QKeychain::Job* job, ISecretStore::Done done, bool treatMissingAsOk)
{
    QObject::connect(
        job, &QKeychain::Job::finished, job, [done = std::move(done), treatMissingAsOk](QKeychain::Job* j) {
            SecretResult r;
            if (j->error() == QKeychain::NoError) {
                r.status = SecretResult::Ok;
                if (auto* read = qobject_cast<QKeychain::ReadPasswordJob*>(j))
                    r.secret = read->textData();
            } else if (j->error() == QKeychain::EntryNotFound) {
                r.status = treatMissingAsOk ? SecretResult::Ok : SecretResult::NotFound;
            } else {
                r.status = SecretResult::Failed;
                r.error = j->errorString();
            }
            done(r);
        });
}

}  // namespace

KeychainSecretStore::KeychainSecretStore(QString service)
    : m_service(std::move(service))
{
}

void KeychainSecretStore::Write(const QString& key, const QString& secret, Done done)
{
    auto* job = new QKeychain::WritePasswordJob(m_service);
    job->setInsecureFallback(false);
    job->setKey(key);
    job->setTextData(secret);
    Connect(job, std::move(done), false);
    job->start();
}

void KeychainSecretStore::Read(const QString& key, Done done)
{
    auto* job = new QKeychain::ReadPasswordJob(m_service);
    job->setInsecureFallback(false);
    job->setKey(key);
    Connect(job, std::move(done), false);
    job->start();
}

void KeychainSecretStore::Remove(const QString& key, Done done)
{
    auto* job = new QKeychain::DeletePasswordJob(m_service);
    job->setInsecureFallback(false);
    job->setKey(key);
    Connect(job, std::move(done), true);
    job->start();
}

std::shared_ptr<ISecretStore> MakeSystemSecretStore()
{
    return std::make_shared<KeychainSecretStore>();
}

namespace {

std::shared_ptr<ISecretStore>& Current()
{
    static std::shared_ptr<ISecretStore> store;
    return store;
}

}  // namespace

namespace Platform {

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
