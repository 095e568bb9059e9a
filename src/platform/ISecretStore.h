// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <memory>

// The answer of the secret store to one request.
struct SecretResult
{
    enum Status { Ok, NotFound, Failed };
    Status status = Failed;
    QString secret;  // the password read (Read only)
    QString error;  // why it failed, in the store's words
};

// The desktop's store for passwords (Secret Service or KWallet): a password is kept there under an account key and
// never in a file of the program. Every request answers once through `done`, later, on the thread that asked; the
// store never blocks the caller (the desktop may be showing its unlock dialog meanwhile).
class ISecretStore
{
public:
    using Done = std::function<void(const SecretResult&)>;
    virtual ~ISecretStore() = default;
    virtual void Write(const QString& key, const QString& secret, Done done) = 0;
    virtual void Read(const QString& key, Done done) = 0;
    // Removing a key that is not there is no failure.
    virtual void Remove(const QString& key, Done done) = 0;
};

// The desktop's store: what the factory below makes (the keyring lives in the sync module, loaded on first use);
// without one, a store whose every request fails.
std::shared_ptr<ISecretStore> MakeSystemSecretStore();
// A store whose every request fails with `error`.
std::shared_ptr<ISecretStore> MakeUnavailableSecretStore(const QString& error);

namespace Platform {

// The store in force; the desktop's own until a test installs another. nullptr restores the desktop's one.
std::shared_ptr<ISecretStore> SecretStore();
void SetSecretStore(std::shared_ptr<ISecretStore> store);
// How the desktop's store is made, set once at start.
void SetSystemSecretStoreFactory(std::function<std::shared_ptr<ISecretStore>()> factory);

// For a command-line tool: starts `request` and runs an event loop until it answers or `timeoutMs` passes
// (Failed, "time-out"). Never call it on a window's thread.
SecretResult WaitForSecret(const std::function<void(ISecretStore::Done)>& request, int timeoutMs);

}  // namespace Platform
