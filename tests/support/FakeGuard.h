// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ICheckLauncher.h"
#include "platform/IDesktopOpener.h"

#include <memory>
#include <utility>

// The process-wide slot an operating-system concern is installed in.
template <class Interface> struct PlatformSlot;

template <> struct PlatformSlot<IDesktopOpener>
{
    static std::shared_ptr<IDesktopOpener> Get() { return Platform::DesktopOpener(); }
    static void Set(std::shared_ptr<IDesktopOpener> s) { Platform::SetDesktopOpener(std::move(s)); }
};

template <> struct PlatformSlot<ICheckLauncher>
{
    static std::shared_ptr<ICheckLauncher> Get() { return Platform::CheckLauncher(); }
    static void Set(std::shared_ptr<ICheckLauncher> s) { Platform::SetCheckLauncher(std::move(s)); }
};

// Installs a `Fake` (built from the arguments) in the slot of `Interface` for the life of the guard, then
// puts back whatever was installed before, so a failing test cannot leave its fake behind for the next one.
template <class Fake, class Interface> class FakeGuard
{
public:
    template <class... Args>
    explicit FakeGuard(Args&&... args)
        : m_fake(std::make_shared<Fake>(std::forward<Args>(args)...))
        , m_previous(PlatformSlot<Interface>::Get())
    {
        PlatformSlot<Interface>::Set(m_fake);
    }
    ~FakeGuard() { PlatformSlot<Interface>::Set(m_previous); }
    FakeGuard(const FakeGuard&) = delete;
    FakeGuard& operator=(const FakeGuard&) = delete;

    Fake& operator*() const { return *m_fake; }
    Fake* operator->() const { return m_fake.get(); }

private:
    std::shared_ptr<Fake> m_fake;
    std::shared_ptr<Interface> m_previous;
};
