// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/SyncEngine.h"
#include "sync/TaskMerge.h"

#include "base/AppPaths.h"
#include "engine/TaskEngine.h"
#include "platform/ISecretStore.h"
#include "storage/TaskEvent.h"
#include "timerules/Clock.h"

#include <QPointer>
#include <QSet>
#include <QTimer>

#include <deque>

namespace {

// The state is written every so many sent changes, so a kill loses little work (none of it is lost: what was
// sent and not recorded is recognised at the next sync by its ETag or by the 412 it gets).
constexpr int kSaveEvery = 50;

QString Title(const CTask& task)
{
    return task.Title().left(40);
}

bool ReadEvent(const QByteArray& ics, CTask& task)
{
    return EventToTask(ics, task, nullptr);
}

}  // namespace

struct SyncEngine::Push
{
    enum Kind { Create, Update, Remove };
    Kind kind = Create;
    QString uid;
    QString href;
    QByteArray etag;
    QByteArray ics;
    bool retried = false;
    // The copy it was to be written over cannot be read: the server's text is fetched and merged first.
    bool refetch = false;
};

struct SyncEngine::Run
{
    SyncResult result;
    int requestsAtStart = 0;
    bool stateLoaded = false;  // the state file was read: it may be written
    ListResult list;
    QHash<QString, QString> uidByHref;
    QStringList removed;  // hrefs gone from the server
    std::deque<Push> pushes;
    int rejected = 0;
    QString firstRejection;
    int sinceSave = 0;
};

SyncEngine::SyncEngine(TaskEngine& engine, std::shared_ptr<ISecretStore> secrets, QObject* parent)
    : ISyncEngine(parent)
    , m_engine(engine)
    , m_secrets(std::move(secrets))
{
}

SyncEngine::~SyncEngine() = default;

QString SyncEngine::StatePath() const
{
    return SyncState::FilePath(AppPaths::DataFolder());
}

bool SyncEngine::LoadState(QString* error)
{
    return m_state.Load(StatePath(), error);
}

TaskPtr SyncEngine::TaskByUid(const QString& uid) const
{
    if (uid.isEmpty())
        return nullptr;
    for (const TaskPtr& task : m_engine.Tasks()) {
        if (task->sUid == uid)
            return task;
    }
    return nullptr;
}

QUrl SyncEngine::NewResourceUrl(const QString& uid) const
{
    const QUrl calendar(m_state.calendarUrl);
    QString path = calendar.path(QUrl::FullyDecoded);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return CalDavClient::UrlForPath(calendar, path + uid + QStringLiteral(".ics"));
}

void SyncEngine::Log(const QString& message)
{
    m_run->result.notes << message;
    m_engine.WriteLog(tr("同步：") + message);
}

bool SyncEngine::SetInterval(int seconds)
{
    if (seconds <= 0)
        return false;
    if (!m_busy) {
        m_state.Load(StatePath(), nullptr);
        m_state.intervalSeconds = seconds;
        return !m_state.HasAccount() || m_state.Save(StatePath(), nullptr);
    }
    // A run saves its state as it goes and at its end.
    m_state.intervalSeconds = seconds;
    return true;
}

bool SyncEngine::SaveState()
{
    if (!m_run || !m_run->stateLoaded)
        return false;
    m_run->sinceSave = 0;
    return m_state.Save(StatePath(), nullptr);
}

bool SyncEngine::SaveTasks()
{
    return m_engine.SaveCfg();
}

void SyncEngine::Finish(const SyncResult& result)
{
    SyncResult r = result;
    if (m_run)
        r.requests = m_client.RequestCount() - m_run->requestsAtStart;
    m_run.reset();
    m_busy = false;
    emit Finished(r);
}

void SyncEngine::Fail(const QString& error, const QString& fingerprint, bool unauthorized)
{
    SyncResult r = m_run ? m_run->result : SyncResult();
    r.ok = false;
    r.error = error;
    r.untrustedFingerprint = fingerprint;
    r.unauthorized = unauthorized;
    m_state.lastError = error;
    m_state.lastAttempt = QDateTime::currentDateTimeUtc();
    SaveState();
    Finish(r);
}

// ---- Sync

int SyncEngine::PendingChanges()
{
    AdoptLostUids();
    int pending = 0;
    QSet<QString> live;
    for (const TaskPtr& task : m_engine.Tasks()) {
        if (!IsSyncableTask(*task))
            continue;
        live.insert(task->sUid);
        const auto it = m_state.items.constFind(task->sUid);
        if (task->sUid.isEmpty() || it == m_state.items.cend() || it->ignored) {
            ++pending;
            continue;
        }
        if (it->localDigest == SyncedFieldsDigest(*task))
            continue;
        CTask base;
        if (!ReadEvent(m_state.Copy(*it), base) || SyncedFieldsDiffer(*task, base))
            ++pending;
    }
    for (const SyncItem& item : std::as_const(m_state.items)) {
        if (!item.ignored && !live.contains(item.uid))
            ++pending;
    }
    return pending;
}

void SyncEngine::WithPassword(std::function<void(const QString&)> next)
{
    QPointer<SyncEngine> self(this);
    m_secrets->Read(m_state.SecretKey(AppPaths::DataFolder()), [self, next = std::move(next)](const SecretResult& r) {
        if (!self)
            return;
        if (r.status == SecretResult::Ok)
            next(r.secret);
        else if (r.status == SecretResult::NotFound)
            self->Fail(tr("密钥环中没有这个同步账户的密码，请重新设置同步账户。"));
        else
            self->Fail(tr("无法从密钥环读取密码：%1").arg(r.error));
    });
}

// A second call while one runs is answered, a moment later, with the reason: every call ends with one Finished.
bool SyncEngine::RefuseWhileBusy()
{
    if (!m_busy)
        return false;
    QTimer::singleShot(0, this, [this] {
        SyncResult r;
        r.error = tr("同步已在进行中。");
        emit Finished(r);
    });
    return true;
}

void SyncEngine::Sync()
{
    if (RefuseWhileBusy())
        return;
    m_busy = true;
    m_run = std::make_unique<Run>();
    m_run->requestsAtStart = m_client.RequestCount();
    QString error;
    if (!LoadState(&error)) {
        // Not written over: it may hold changes still to send.
        QTimer::singleShot(0, this, [this, error] { Fail(tr("同步状态文件无法读取：%1").arg(error)); });
        return;
    }
    m_run->stateLoaded = true;
    if (!m_state.HasAccount()) {
        m_run->stateLoaded = false;
        QTimer::singleShot(0, this, [this] { Fail(tr("尚未设置同步账户。")); });
        return;
    }
    WithPassword([this](const QString& password) {
        DavAccount account;
        account.url = QUrl(m_state.calendarUrl);
        account.user = m_state.user;
        account.password = password;
        account.trustedFingerprint = m_state.trustedFingerprint;
        account.allowHttp = m_state.allowHttp;
        m_client.SetAccount(account);
        emit Progress(tr("正在查看服务器上的变更…"));
        m_client.ListChanges(account.url, m_state.token, [this](const ListResult& list) { Listed(list); });
    });
}

void SyncEngine::Listed(const ListResult& list)
{
    if (!list.error.isEmpty()) {
        Fail(list.error);
        return;
    }
    Run& run = *m_run;
    run.list = list;
    run.result.fullListing = list.full;
    for (const SyncItem& item : std::as_const(m_state.items))
        run.uidByHref.insert(item.href, item.uid);
    QStringList toFetch;
    QSet<QString> listed;
    for (const DavItem& item : list.items) {
        if (item.status == 404 || item.status == 410) {
            if (run.uidByHref.contains(item.href))
                run.removed << item.href;
            continue;
        }
        listed.insert(item.href);
        const auto uid = run.uidByHref.constFind(item.href);
        if (uid != run.uidByHref.cend() && !item.etag.isEmpty() && m_state.items.value(*uid).etag == item.etag)
            continue;
        toFetch << item.href;
    }
    if (list.full) {
        for (const SyncItem& item : std::as_const(m_state.items)) {
            if (!listed.contains(item.href))
                run.removed << item.href;
        }
    }
    if (toFetch.isEmpty()) {
        Fetched({});
        return;
    }
    emit Progress(tr("正在下载 %1 项变更…").arg(toFetch.size()));
    m_client.Fetch(QUrl(m_state.calendarUrl), toFetch, [this](const FetchResult& f) { Fetched(f); });
}

// Changed on both sides: field by field against the last synced copy, each lost value in the status log. True
// when the local task changed (it is then updated in the engine and counted as received).
bool SyncEngine::MergeIntoLocal(const TaskPtr& local, const CTask& base, const CTask& remote)
{
    CTask merged;
    merged.CopyFrom(*local);
    std::vector<MergeConflict> lost;
    MergeTask(base, merged, remote, lost);
    for (const MergeConflict& c : lost) {
        Log(tr("任务“%1”的%2在本机和其他设备上都改了：保留“%3”，未采用“%4”。")
                .arg(Title(*local), c.field, c.kept, c.lost));
    }
    if (!SyncedFieldsDiffer(*local, merged))
        return false;
    local->CopyFrom(merged);
    m_engine.UpdateTask(local);
    ++m_run->result.downloaded;
    return true;
}

void SyncEngine::ReadBase(const SyncItem& item, const CTask& local, CTask& base) const
{
    if (ReadEvent(m_state.Copy(item), base))
        return;
    // The copy cannot be read back. While the task is as it was when it last agreed with the server, it stands
    // for the copy (the server's changes are taken); once it changed, nothing does, so every field that differs
    // is settled by the later change and the other value is reported: nothing is lost without a note.
    if (item.localDigest == SyncedFieldsDigest(local))
        base.CopyFrom(local);
    else
        base.CopyFrom(CTask());
}

void SyncEngine::AdoptLostUids()
{
    // A task that was synced but has lost its UID (the data file was saved by a release that does not know it)
    // takes back the UID of the copy it still equals, rather than going out again as a new event while its old
    // one is deleted everywhere.
    std::vector<TaskPtr> without;
    QSet<QString> held;
    for (const TaskPtr& task : m_engine.Tasks()) {
        if (task->sUid.isEmpty())
            without.push_back(task);
        else
            held.insert(task->sUid);
    }
    if (without.empty())
        return;
    std::vector<std::pair<QString, std::shared_ptr<CTask>>> orphans;
    for (const SyncItem& item : std::as_const(m_state.items)) {
        auto base = std::make_shared<CTask>();
        if (!item.ignored && !held.contains(item.uid) && ReadEvent(m_state.Copy(item), *base))
            orphans.emplace_back(item.uid, base);
    }
    for (const TaskPtr& task : without) {
        for (auto it = orphans.begin(); it != orphans.end(); ++it) {
            if (!SyncedFieldsDiffer(*task, *it->second)) {
                task->sUid = it->first;
                orphans.erase(it);
                break;
            }
        }
    }
}

void SyncEngine::Fetched(const FetchResult& fetched)
{
    if (!fetched.error.isEmpty()) {
        Fail(fetched.error);
        return;
    }
    AdoptLostUids();
    if (ApplyRemote(fetched.items, m_run->removed))
        StartPushes();
}

bool SyncEngine::ApplyRemote(const std::vector<DavItem>& fetched, const QStringList& removed)
{
    Run& run = *m_run;
    QHash<QString, TaskPtr> byUid;
    for (const TaskPtr& task : m_engine.Tasks()) {
        if (!task->sUid.isEmpty())
            byUid.insert(task->sUid, task);
    }
    bool tasksChanged = false;
    for (const DavItem& item : fetched) {
        QString uid = EventUid(item.calendarData);
        auto remote = std::make_shared<CTask>();
        const bool readable = !uid.isEmpty() && ReadEvent(item.calendarData, *remote);
        if (uid.isEmpty())
            uid = QStringLiteral("href:") + item.href;
        // The same resource under an older UID (a client rewrote it): the old entry goes.
        if (const QString old = run.uidByHref.value(item.href); !old.isEmpty() && old != uid)
            m_state.items.remove(old);
        SyncItem next = m_state.Record(uid, item.href, item.etag, item.calendarData);
        const auto found = m_state.items.constFind(uid);
        const bool known = found != m_state.items.cend() && !found->ignored;
        const TaskPtr local = byUid.value(uid);
        if (!readable) {
            // Not an event this program can read (a to-do, a journal): it stays on the server untouched.
            next.ignored = true;
            m_state.items.insert(uid, next);
            continue;
        }
        if (local) {
            CTask base;
            if (known)
                ReadBase(*found, *local, base);
            if (known && SyncedFieldsDiffer(*local, base)) {
                // Changed on both sides since the last sync: field by field.
                if (MergeIntoLocal(local, base, *remote))
                    tasksChanged = true;
            } else if (SyncedFieldsDiffer(*local, *remote)) {
                ReadEvent(item.calendarData, *local);
                m_engine.UpdateTask(local);
                ++run.result.downloaded;
                tasksChanged = true;
            }
            if (!SyncedFieldsDiffer(*local, *remote))
                next.localDigest = SyncedFieldsDigest(*local);
            m_state.items.insert(uid, next);
            continue;
        }
        if (!known && remote->eStatus() == tsExpired) {
            // An event of another client that is over: nothing to remind of.
            next.ignored = true;
            m_state.items.insert(uid, next);
            continue;
        }
        if (known)
            Log(tr("任务“%1”在本机删除后又在其他设备上被修改，已恢复。").arg(Title(*remote)));
        remote->ID = 0;
        if (!remote->sType.isEmpty())
            m_engine.TaskTypes().Add(remote->sType);
        if (m_engine.AddTask(remote)) {
            ++run.result.downloaded;
            tasksChanged = true;
            next.localDigest = SyncedFieldsDigest(*remote);
        }
        m_state.items.insert(uid, next);
    }

    std::vector<TaskPtr> gone;
    for (const QString& href : removed) {
        const QString uid = run.uidByHref.value(href);
        const auto it = m_state.items.find(uid);
        if (it == m_state.items.end() || it->href != href)
            continue;
        const TaskPtr local = it->ignored ? nullptr : byUid.value(uid);
        if (local) {
            CTask base;
            ReadBase(*it, *local, base);
            if (!SyncedFieldsDiffer(*local, base)) {
                gone.push_back(local);
                Log(tr("任务“%1”已在其他设备上删除。").arg(Title(*local)));
                ++run.result.deleted;
            } else {
                Log(tr("任务“%1”在其他设备上被删除，但本机改过它，将重新上传。").arg(Title(*local)));
            }
        }
        m_state.items.erase(it);
    }
    if (!gone.empty()) {
        m_engine.RemoveTasks(gone);
        tasksChanged = true;
    }
    // The tasks first, then the state: a kill between the two leaves tasks that look changed against the old
    // copies, which the next sync sends (or finds equal); the other order would send the old values back.
    if (tasksChanged && !SaveTasks()) {
        Fail(tr("数据文件未能保存，同步已停止：%1").arg(m_engine.DataFilePath()));
        return false;
    }
    const bool newToken = !run.list.token.isEmpty() && run.list.token != m_state.token;
    if (newToken)
        m_state.token = run.list.token;
    // Kept before anything is sent; with nothing received, the end of the run writes the state once.
    if ((tasksChanged || newToken || !fetched.empty() || !removed.isEmpty()) && !SaveState()) {
        Fail(tr("同步状态文件未能保存：%1").arg(StatePath()));
        return false;
    }
    return true;
}

void SyncEngine::StartPushes()
{
    Run& run = *m_run;
    const TaskEventOptions options { Clock::Now(), m_rdateYears };
    QSet<QString> live;
    bool uidsGiven = false;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const bool checkRenewal = !m_state.renewalChecked.isValid() || m_state.renewalChecked.daysTo(now) >= 1;
    if (checkRenewal)
        m_state.renewalChecked = now;
    for (const TaskPtr& task : m_engine.Tasks()) {
        if (!IsSyncableTask(*task))
            continue;
        // A copy that took its original's identity (made by hand in the data file, say) becomes a task of its own.
        if (live.contains(task->sUid))
            task->sUid.clear();
        uidsGiven |= task->EnsureUid();
        live.insert(task->sUid);
        // Read without a write where nothing changed: the state then knows at once that it has nothing to save.
        const auto it = std::as_const(m_state.items).find(task->sUid);
        if (it == m_state.items.cend() || it->ignored) {
            run.pushes.push_back({ Push::Create, task->sUid, NewResourceUrl(task->sUid).path(QUrl::FullyDecoded), {},
                TaskToEvent(*task, {}, options), false });
            continue;
        }
        const QByteArray digest = SyncedFieldsDigest(*task);
        // Listed dates run out as time passes: looked at once a day, they are written again a month ahead.
        const bool renew = checkRenewal && it->listedDates && EventNeedsRenewal(*task, m_state.Copy(*it), options);
        if (it->localDigest == digest && !renew)
            continue;
        const QByteArray copy = m_state.Copy(*it);
        CTask base;
        if (!renew && ReadEvent(copy, base) && !SyncedFieldsDiffer(*task, base)) {
            m_state.items[task->sUid].localDigest = digest;  // a change of what stays here (a command, say)
            continue;
        }
        if (copy.isEmpty()) {
            run.pushes.push_back({ Push::Update, task->sUid, it->href, it->etag, {}, false, true });
            continue;
        }
        run.pushes.push_back(
            { Push::Update, task->sUid, it->href, it->etag, TaskToEvent(*task, copy, options), false });
    }
    for (const SyncItem& item : std::as_const(m_state.items)) {
        if (!item.ignored && !live.contains(item.uid))
            run.pushes.push_back({ Push::Remove, item.uid, item.href, item.etag, {}, false });
    }
    // A new UID must be on disk before the server has it, or a kill would send the task again under another one.
    if (uidsGiven && !SaveTasks()) {
        Fail(tr("数据文件未能保存，同步已停止：%1").arg(m_engine.DataFilePath()));
        return;
    }
    if (!run.pushes.empty())
        emit Progress(tr("正在上传 %1 项变更…").arg(run.pushes.size()));
    NextPush();
}

void SyncEngine::NextPush()
{
    Run& run = *m_run;
    if (run.sinceSave >= kSaveEvery)
        SaveState();
    if (run.pushes.empty()) {
        m_state.lastAttempt = QDateTime::currentDateTimeUtc();
        if (run.rejected > 0) {
            Fail(tr("有 %1 项变更被服务器拒绝，下次同步再试：%2").arg(run.rejected).arg(run.firstRejection));
            return;
        }
        m_state.lastSync = m_state.lastAttempt;
        m_state.lastError.clear();
        if (!SaveState()) {
            Fail(tr("同步状态文件未能保存：%1").arg(StatePath()));
            return;
        }
        run.result.ok = true;
        if (run.result.uploaded + run.result.downloaded + run.result.deleted > 0)
            m_engine.WriteLog(tr("同步：") + run.result.Summary());
        Finish(run.result);
        return;
    }
    Push push = run.pushes.front();
    run.pushes.pop_front();
    if (push.refetch) {
        Retry412(push);
        return;
    }
    const QUrl url = CalDavClient::UrlForPath(QUrl(m_state.calendarUrl), push.href);
    auto done = [this, push](const DavReply& reply) { PushDone(push, reply); };
    if (push.kind == Push::Remove)
        m_client.Delete(url, push.etag, done);
    else
        m_client.Put(url, push.ics, push.etag, done);
}

void SyncEngine::PushDone(Push push, const DavReply& reply)
{
    Run& run = *m_run;
    if (!reply.ok()) {
        // The server went away: what was not sent stays queued.
        Fail(reply.error, reply.untrustedFingerprint, reply.unauthorized);
        return;
    }
    ++run.sinceSave;
    const TaskPtr task = TaskByUid(push.uid);
    if (reply.status == 412 && !push.retried) {
        Retry412(push);
        return;
    }
    if (push.kind == Push::Remove) {
        if (reply.success() || reply.status == 404 || reply.status == 410) {
            m_state.items.remove(push.uid);
            ++run.result.deleted;
        } else if (++run.rejected == 1) {
            run.firstRejection = DavErrorText(reply);
        }
    } else if (reply.success()) {
        SyncItem item = m_state.Record(push.uid, push.href, reply.etag, push.ics);
        if (task)
            item.localDigest = SyncedFieldsDigest(*task);
        m_state.items.insert(push.uid, item);
        ++run.result.uploaded;
    } else if (++run.rejected == 1) {
        run.firstRejection = (task ? tr("任务“%1”：").arg(Title(*task)) : QString()) + DavErrorText(reply);
    }
    NextPush();
}

void SyncEngine::Retry412(Push push)
{
    // Changed on the server since it was last read: fetch it, merge it, and send the result once more.
    m_client.Fetch(QUrl(m_state.calendarUrl), { push.href }, [this, push](const FetchResult& f) mutable {
        if (!f.error.isEmpty()) {
            Fail(f.error);
            return;
        }
        Run& run = *m_run;
        push.retried = true;
        if (f.items.empty()) {
            // Gone meanwhile: a deletion is done, a change is sent as new.
            if (push.kind == Push::Remove) {
                m_state.items.remove(push.uid);
                ++run.result.deleted;
            } else {
                push.kind = Push::Create;
                push.etag.clear();
                if (push.refetch) {
                    push.refetch = false;
                    if (const TaskPtr local = TaskByUid(push.uid))
                        push.ics = TaskToEvent(*local, {}, { Clock::Now(), m_rdateYears });
                }
                if (!push.ics.isEmpty())
                    run.pushes.push_front(push);
            }
            NextPush();
            return;
        }
        const DavItem& item = f.items.front();
        auto remote = std::make_shared<CTask>();
        if (!ReadEvent(item.calendarData, *remote)) {
            if (++run.rejected == 1)
                run.firstRejection = tr("服务器上的 %1 无法读取").arg(item.href);
            NextPush();
            return;
        }
        const auto known = m_state.items.constFind(push.uid);
        const bool hasEntry = known != m_state.items.cend() && !known->ignored;
        SyncItem next = m_state.Record(push.uid, item.href, item.etag, item.calendarData);
        const TaskPtr local = TaskByUid(push.uid);
        if (push.kind == Push::Remove || !local) {
            // Deleted here, changed there: the change is not lost.
            if (!local) {
                Log(tr("任务“%1”在本机删除后又在其他设备上被修改，已恢复。").arg(Title(*remote)));
                remote->ID = 0;
                m_engine.AddTask(remote);
                ++run.result.downloaded;
                next.localDigest = SyncedFieldsDigest(*remote);
                SaveTasks();
            }
            m_state.items.insert(push.uid, next);
            NextPush();
            return;
        }
        CTask base;
        if (hasEntry)
            ReadBase(*known, *local, base);
        else
            base.CopyFrom(*remote);
        if (MergeIntoLocal(local, base, *remote)) {
            if (!SaveTasks()) {
                Fail(tr("数据文件未能保存，同步已停止：%1").arg(m_engine.DataFilePath()));
                return;
            }
        }
        m_state.items.insert(push.uid, next);
        if (SyncedFieldsDiffer(*local, *remote)) {
            const TaskEventOptions options { Clock::Now(), m_rdateYears };
            run.pushes.push_front({ Push::Update, push.uid, item.href, item.etag,
                TaskToEvent(*local, item.calendarData, options), true });
        } else {
            m_state.items[push.uid].localDigest = SyncedFieldsDigest(*local);
        }
        NextPush();
    });
}

// ---- Setup and forget

void SyncEngine::Setup(const SyncSetup& setup)
{
    if (RefuseWhileBusy())
        return;
    m_busy = true;
    m_run = std::make_unique<Run>();
    m_run->requestsAtStart = m_client.RequestCount();
    // A state that cannot be read is replaced by the new account's.
    m_run->stateLoaded = true;
    SyncState previous;
    previous.Load(StatePath(), nullptr);
    DavAccount account;
    account.url = CalDavClient::ServerUrl(setup.server);
    account.user = setup.user;
    account.password = setup.password;
    account.trustedFingerprint = setup.trustedFingerprint;
    account.allowHttp = setup.allowHttp;
    m_client.SetAccount(account);
    emit Progress(tr("正在查找日历…"));
    m_client.Discover(setup.calendarName, [this, setup, previous](const DiscoveryResult& found) {
        if (!found.error.isEmpty()) {
            m_run->stateLoaded = false;  // a failed setup leaves the old account as it was
            Fail(found.error, found.untrustedFingerprint, found.unauthorized);
            return;
        }
        // The same calendar again (a new password, say): what is known of it stays, its copies with it.
        SyncState state = previous;
        const QString calendar = found.calendarUrl.toString();
        if (previous.calendarUrl != calendar || previous.user != setup.user) {
            state.items.clear();
            state.token.clear();
            state.lastSync = {};
        }
        state.lastAttempt = {};
        state.lastError.clear();
        state.renewalChecked = {};
        state.server = setup.server;
        state.user = setup.user;
        state.calendarUrl = calendar;
        state.calendarName = found.displayName;
        state.trustedFingerprint = setup.trustedFingerprint;
        state.allowHttp = setup.allowHttp;
        state.intervalSeconds = previous.intervalSeconds;
        QPointer<SyncEngine> self(this);
        m_secrets->Write(state.SecretKey(AppPaths::DataFolder()), setup.password,
            [self, state, previous, calendar](const SecretResult& r) {
                if (!self)
                    return;
                if (r.status != SecretResult::Ok) {
                    self->m_run->stateLoaded = false;
                    self->Fail(tr("无法把密码存入密钥环：%1").arg(r.error));
                    return;
                }
                // The password of an account this folder had before is not left behind in the keyring.
                const QString folder = AppPaths::DataFolder();
                if (previous.HasAccount() && previous.SecretKey(folder) != state.SecretKey(folder))
                    self->m_secrets->Remove(previous.SecretKey(folder), [](const SecretResult&) {});
                self->m_state = state;
                if (!self->SaveState()) {
                    self->Fail(tr("同步状态文件未能保存：%1").arg(self->StatePath()));
                    return;
                }
                SyncResult result;
                result.ok = true;
                result.calendarUrl = calendar;
                self->Finish(result);
            });
    });
}

void SyncEngine::Forget()
{
    if (RefuseWhileBusy())
        return;
    m_busy = true;
    m_run = std::make_unique<Run>();
    QString error;
    if (!LoadState(&error) || !m_state.HasAccount()) {
        // Nothing to forget, or a state that cannot be read: the file goes either way.
        const bool removed = SyncState::Remove(StatePath());
        QTimer::singleShot(0, this, [this, removed] {
            if (!removed) {
                Fail(tr("同步状态文件无法删除：%1").arg(StatePath()));
                return;
            }
            SyncResult r;
            r.ok = true;
            Finish(r);
        });
        return;
    }
    QPointer<SyncEngine> self(this);
    m_secrets->Remove(m_state.SecretKey(AppPaths::DataFolder()), [self](const SecretResult& r) {
        if (!self)
            return;
        if (r.status == SecretResult::Failed) {
            self->Fail(tr("无法从密钥环删除密码：%1").arg(r.error));
            return;
        }
        if (!SyncState::Remove(self->StatePath())) {
            self->Fail(tr("同步状态文件无法删除：%1").arg(self->StatePath()));
            return;
        }
        self->m_state = SyncState();
        SyncResult result;
        result.ok = true;
        self->Finish(result);
    });
}
