// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ISecretStore.h"

#include <QMap>
#include <QTimer>

// A secret store in memory that answers on the next turn of the event loop, as the desktop's does. `failing`
// makes every request fail with that text.
class FakeSecretStore : public ISecretStore
{
public:
    QMap<QString, QString> secrets;
    QString failing;

    void Write(const QString& key, const QString& secret, Done done) override
    {
        if (failing.isEmpty())
            secrets[key] = secret;
        Answer(SecretResult::Ok, {}, std::move(done));
    }
    void Read(const QString& key, Done done) override
    {
        const auto it = secrets.constFind(key);
        Answer(it == secrets.cend() ? SecretResult::NotFound : SecretResult::Ok, it == secrets.cend() ? QString() : *it,
            std::move(done));
    }
    void Remove(const QString& key, Done done) override
    {
        if (failing.isEmpty())
            secrets.remove(key);
        Answer(SecretResult::Ok, {}, std::move(done));
    }

private:
    void Answer(SecretResult::Status status, const QString& secret, Done done)
    {
        SecretResult r { status, secret, {} };
        if (!failing.isEmpty())
            r = { SecretResult::Failed, {}, failing };
        QTimer::singleShot(0, [r, done = std::move(done)] { done(r); });
    }
};
