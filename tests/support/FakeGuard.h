// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/MsgBox.h"
#include "core/CheckPage.h"
#include "platform/IAudio.h"
#include "platform/ICheckLauncher.h"
#include "platform/IDesktopNotifier.h"
#include "platform/IDesktopOpener.h"
#include "platform/IPowerManager.h"
#include "timerules/Clock.h"

#include <memory>
#include <type_traits>
#include <utility>

// Installs `value` in a process-wide slot (read by `Get`, replaced by `Set`) for the life of the guard, then puts
// back whatever was there before, also when a failed ASSERT leaves the test early: no replacement outlives its
// test. Slots that hold functions are guarded directly: SlotGuard<&CurrentCalendarPicker, &SetCalendarPicker>.
template <auto Get, auto Set> class SlotGuard
{
public:
    using Value = std::decay_t<decltype(Get())>;
    explicit SlotGuard(Value value)
        : m_previous(Get())
    {
        Set(std::move(value));
    }
    ~SlotGuard() { Set(std::move(m_previous)); }
    SlotGuard(const SlotGuard&) = delete;
    SlotGuard& operator=(const SlotGuard&) = delete;

private:
    Value m_previous;
};

// The slot each replaceable interface is installed in.
template <class Interface> struct Slot;
template <> struct Slot<IDesktopOpener>
{
    using Guard = SlotGuard<&Platform::DesktopOpener, &Platform::SetDesktopOpener>;
};
template <> struct Slot<ICheckLauncher>
{
    using Guard = SlotGuard<&Platform::CheckLauncher, &Platform::SetCheckLauncher>;
};
template <> struct Slot<IPowerManager>
{
    using Guard = SlotGuard<&Power::Manager, &Power::SetManager>;
};
template <> struct Slot<IDesktopNotifier>
{
    using Guard = SlotGuard<&DesktopNotifier::Current, &DesktopNotifier::SetCurrent>;
};
template <> struct Slot<IAudio>
{
    using Guard = SlotGuard<&Audio::InstalledOutput, &Audio::SetOutput>;
};
template <> struct Slot<IClockSource>
{
    using Guard = SlotGuard<&Clock::Source, &Clock::SetSource>;
};
template <> struct Slot<IMessagePresenter>
{
    using Guard = SlotGuard<&MsgBox::Presenter, &MsgBox::SetPresenter>;
};

// Installs a `Fake` (built from the arguments, or the one given) in the slot of `Interface` for the life of the
// guard and gives the test its recording.
template <class Fake, class Interface> class FakeGuard
{
public:
    template <class... Args>
    requires std::is_constructible_v<Fake, Args...>
    explicit FakeGuard(Args&&... args)
        : FakeGuard(std::make_shared<Fake>(std::forward<Args>(args)...))
    {
    }
    explicit FakeGuard(std::shared_ptr<Fake> fake)
        : m_fake(fake)
        , m_slot(std::move(fake))
    {
    }

    Fake& operator*() const { return *m_fake; }
    Fake* operator->() const { return m_fake.get(); }

private:
    std::shared_ptr<Fake> m_fake;
    typename Slot<Interface>::Guard m_slot;
};

// The pages that watch a custom event, replaced for one test.
using PageFactoryGuard = SlotGuard<&CheckPages::CurrentFactory, &CheckPages::SetFactory>;
