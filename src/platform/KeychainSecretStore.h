// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ISecretStore.h"

// The secret store through QtKeychain: the Secret Service (GNOME Keyring, KeePassXC…) or KWallet, whichever the
// desktop runs. Without either it fails; it never falls back to a file of its own.
class KeychainSecretStore : public ISecretStore
{
public:
    // `service` names the program's entries in the store.
    explicit KeychainSecretStore(QString service = QStringLiteral("Tickwell"));

    void Write(const QString& key, const QString& secret, Done done) override;
    void Read(const QString& key, Done done) override;
    void Remove(const QString& key, Done done) override;

private:
    QString m_service;
};
