// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KeychainSecretStore.h"

#include <qt6keychain/keychain.h>

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
