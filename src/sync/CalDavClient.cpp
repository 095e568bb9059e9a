// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/CalDavClient.h"
#include "base/AppVersion.h"

#include <QAuthenticator>
#include <QHostAddress>
#include <QNetworkReply>
#include <QSslCertificate>
#include <QTimer>

#include <memory>

namespace {

constexpr int kTimeoutMs = 30000;
constexpr int kMaxHops = 5;
constexpr int kMultigetBatch = 100;
const QString kOwnCalendarName = QStringLiteral("晴钟任务提醒");

QString Fingerprint(const QSslCertificate& cert)
{
    if (cert.isNull())
        return {};
    return QString::fromLatin1(cert.digest(QCryptographicHash::Sha256).toHex(':').toUpper());
}

QString EnsureSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

bool SamePath(const QString& a, const QString& b)
{
    return EnsureSlash(a) == EnsureSlash(b);
}

}  // namespace

CalDavClient::CalDavClient(QObject* parent)
    : QObject(parent)
{
    // A server asking for another scheme (Digest) gets the account's password once per request; asking again
    // means it is wrong, and the request ends with 401 rather than trying again.
    connect(&m_nam, &QNetworkAccessManager::authenticationRequired, this,
        [this](QNetworkReply* reply, QAuthenticator* auth) {
            if (reply->property("tw_asked").toBool() || m_account.user.isEmpty())
                return;
            // Basic credentials went with the request already: a Basic challenge means they are wrong.
            const QByteArray challenge = reply->rawHeader("WWW-Authenticate").toLower();
            if (!challenge.contains("digest") && !challenge.contains("negotiate") && !challenge.contains("ntlm"))
                return;
            reply->setProperty("tw_asked", true);
            auth->setUser(m_account.user);
            auth->setPassword(m_account.password);
        });
}

QUrl CalDavClient::ServerUrl(const QString& text)
{
    const QString t = text.trimmed();
    if (t.contains(QLatin1String("://")))
        return QUrl(t, QUrl::StrictMode);
    return QUrl(QStringLiteral("https://") + t, QUrl::StrictMode);
}

QString CalDavClient::OwnCalendarName()
{
    return kOwnCalendarName;
}

bool CalDavClient::IsLoopback(const QUrl& url)
{
    const QString host = url.host().toLower();
    if (host == u"localhost")
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

QString CalDavClient::CheckAddress(const QUrl& url, bool allowHttp)
{
    if (!url.isValid() || url.host().isEmpty())
        return tr("服务器地址无效：%1").arg(url.toString());
    if (url.scheme() == u"https")
        return {};
    if (url.scheme() != u"http")
        return tr("服务器地址必须以 https:// 开头：%1").arg(url.toString());
    if (allowHttp || IsLoopback(url))
        return {};
    return tr("地址 %1 不加密（http），密码和任务会以明文传送；只有本机的服务器可以直接使用，其他服务器需要明确确认。")
        .arg(url.toString());
}

QUrl CalDavClient::UrlForPath(const QUrl& base, const QString& path)
{
    QUrl url = base;
    url.setPath(path, QUrl::DecodedMode);
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

void CalDavClient::Send(
    const QByteArray& method, const QUrl& url, const QByteArray& body, const Headers& headers, Callback done)
{
    SendHop(method, url, body, headers, std::move(done), 0);
}

void CalDavClient::SendHop(
    const QByteArray& method, const QUrl& url, const QByteArray& body, const Headers& headers, Callback done, int hops)
{
    if (const QString why = CheckAddress(url, m_account.allowHttp); !why.isEmpty()) {
        DavReply r;
        r.url = url;
        r.error = why;
        QTimer::singleShot(0, this, [done = std::move(done), r] { done(r); });
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(kTimeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString(QStringLiteral("Tickwell/") + AppVersionText()));
    if (!body.isEmpty()) {
        request.setHeader(QNetworkRequest::ContentTypeHeader,
            method == "PUT" ? QByteArrayLiteral("text/calendar; charset=utf-8")
                            : QByteArrayLiteral("application/xml; charset=utf-8"));
    }
    for (const auto& [name, value] : headers)
        request.setRawHeader(name, value);
    if (!m_account.user.isEmpty()) {
        request.setRawHeader(
            "Authorization", "Basic " + (m_account.user + QLatin1Char(':') + m_account.password).toUtf8().toBase64());
    }
    ++m_requests;
    QNetworkReply* reply = m_nam.sendCustomRequest(request, method, body);

    struct State
    {
        QString untrusted;
        bool tooLarge = false;
    };
    auto state = std::make_shared<State>();
    connect(reply, &QNetworkReply::sslErrors, reply, [this, reply, state](const QList<QSslError>& errors) {
        QSslCertificate cert = reply->sslConfiguration().peerCertificate();
        for (const QSslError& e : errors) {
            if (cert.isNull())
                cert = e.certificate();
        }
        const QString fingerprint = Fingerprint(cert);
        if (!fingerprint.isEmpty() && fingerprint.compare(m_account.trustedFingerprint, Qt::CaseInsensitive) == 0)
            reply->ignoreSslErrors(errors);
        else
            state->untrusted = fingerprint.isEmpty() ? QStringLiteral("?") : fingerprint;
    });
    // Refused as soon as its announced length or what has arrived passes the limit.
    const auto limit = [reply, state](qint64 received, qint64 total) {
        if (!state->tooLarge && (received > DavXml::kMaxReplyBytes || total > DavXml::kMaxReplyBytes)) {
            state->tooLarge = true;
            reply->abort();
        }
    };
    connect(reply, &QNetworkReply::metaDataChanged, reply,
        [reply, limit] { limit(0, reply->header(QNetworkRequest::ContentLengthHeader).toLongLong()); });
    connect(reply, &QNetworkReply::downloadProgress, reply, limit);
    connect(reply, &QNetworkReply::finished, this,
        [this, reply, state, method, url, body, headers, hops, done = std::move(done)]() mutable {
            reply->deleteLater();
            DavReply r;
            r.url = url;
            r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (state->tooLarge) {
                r.error = tr("服务器的回答超过 %1 MB，已拒绝。").arg(DavXml::kMaxReplyBytes / (1024 * 1024));
            } else if (!state->untrusted.isEmpty()) {
                r.untrustedFingerprint = state->untrusted;
                r.error = tr("服务器 %1 的证书不受信任。证书的 SHA-256 "
                             "指纹：%2\n请向服务器管理员核对这个指纹；确认无误后才可信任它。")
                              .arg(url.host(), state->untrusted);
            } else if (r.status == 401 || reply->error() == QNetworkReply::AuthenticationRequiredError) {
                r.status = 401;
                r.unauthorized = true;
                r.error = tr("用户名或密码错误");
            } else if (r.status == 0) {
                r.error = tr("无法连接服务器 %1：%2").arg(url.host(), reply->errorString());
            } else {
                r.body = reply->readAll();
                r.etag = reply->rawHeader("ETag");
                const bool redirect
                    = r.status == 301 || r.status == 302 || r.status == 303 || r.status == 307 || r.status == 308;
                if (redirect && reply->hasRawHeader("Location")) {
                    const QUrl next = url.resolved(QUrl::fromEncoded(reply->rawHeader("Location")));
                    if (hops >= kMaxHops) {
                        r.error = tr("服务器的转向过多：%1").arg(url.toString());
                    } else if (url.scheme() == u"https" && next.scheme() != u"https") {
                        r.error = tr("服务器把加密的连接转到了不加密的地址：%1").arg(next.toString());
                    } else {
                        SendHop(method, next, body, headers, std::move(done), hops + 1);
                        return;
                    }
                }
            }
            done(r);
        });
}

QString DavErrorText(const DavReply& reply)
{
    if (!reply.ok())
        return reply.error;
    return CalDavClient::tr("服务器回答 %1（%2）").arg(reply.status).arg(reply.url.toString());
}

// ---- Discovery

void CalDavClient::Discover(const QString& name, Done done)
{
    DiscoverPrincipal(
        m_account.url, false,
        [this, name](const QUrl& home, Done next) { ChooseCalendar(home, name, std::move(next)); }, std::move(done));
}

void CalDavClient::ListCalendars(Done done)
{
    DiscoverPrincipal(
        m_account.url, false,
        [this](const QUrl& home, Done next) {
            ListHome(home, [next = std::move(next)](const DiscoveryResult& listed, const QUrl&) { next(listed); });
        },
        [done = std::move(done)](const DiscoveryResult& found) {
            DiscoveryResult result = found;
            // The account's URL is a calendar of its own: that is the one there is.
            if (result.error.isEmpty() && result.calendars.empty() && result.calendarUrl.isValid())
                result.calendars.push_back({ result.calendarUrl, result.displayName });
            done(result);
        });
}

void CalDavClient::DiscoverPrincipal(const QUrl& url, bool triedWellKnown, AtHome atHome, Done done)
{
    const QByteArray body = DavXml::PropfindBody(
        { QStringLiteral("resourcetype"), QStringLiteral("displayname"), QStringLiteral("current-user-principal") },
        { QStringLiteral("calendar-home-set"), QStringLiteral("supported-calendar-component-set") });
    Send("PROPFIND", url, body, { { "Depth", "0" } },
        [this, url, triedWellKnown, atHome = std::move(atHome), done = std::move(done)](const DavReply& r) {
            DiscoveryResult result;
            if (!r.ok()) {
                result.error = r.error;
                result.untrustedFingerprint = r.untrustedFingerprint;
                result.unauthorized = r.unauthorized;
                done(result);
                return;
            }
            Multistatus ms;
            if (r.status == 207 && DavXml::ParseMultistatus(r.body, ms, nullptr) && !ms.items.empty()) {
                const DavItem& item = ms.items.front();
                if (item.isCalendar) {
                    result.calendarUrl = r.url;
                    result.displayName = item.displayName;
                    done(result);
                    return;
                }
                if (!item.calendarHome.isEmpty()) {
                    atHome(r.url.resolved(QUrl(item.calendarHome)), std::move(done));
                    return;
                }
                if (!item.principal.isEmpty()) {
                    DiscoverHome(r.url.resolved(QUrl(item.principal)), std::move(atHome), std::move(done));
                    return;
                }
            }
            if (!triedWellKnown) {
                DiscoverPrincipal(url.resolved(QUrl(QStringLiteral("/.well-known/caldav"))), true, std::move(atHome),
                    std::move(done));
                return;
            }
            result.error = tr("在 %1 找不到 CalDAV 日历服务。").arg(m_account.url.toString());
            done(result);
        });
}

void CalDavClient::DiscoverHome(const QUrl& principal, AtHome atHome, Done done)
{
    const QByteArray body = DavXml::PropfindBody({}, { QStringLiteral("calendar-home-set") });
    Send("PROPFIND", principal, body, { { "Depth", "0" } },
        [atHome = std::move(atHome), done = std::move(done)](const DavReply& r) {
            Multistatus ms;
            if (r.ok() && r.status == 207 && DavXml::ParseMultistatus(r.body, ms, nullptr) && !ms.items.empty()
                && !ms.items.front().calendarHome.isEmpty()) {
                atHome(r.url.resolved(QUrl(ms.items.front().calendarHome)), std::move(done));
                return;
            }
            DiscoveryResult result;
            result.error = r.ok() ? tr("服务器没有给出日历所在的位置（calendar-home-set）。") : r.error;
            result.untrustedFingerprint = r.untrustedFingerprint;
            done(result);
        });
}

void CalDavClient::ListHome(const QUrl& home, std::function<void(const DiscoveryResult&, const QUrl&)> done)
{
    const QByteArray body = DavXml::PropfindBody({ QStringLiteral("resourcetype"), QStringLiteral("displayname") },
        { QStringLiteral("supported-calendar-component-set") });
    Send("PROPFIND", home, body, { { "Depth", "1" } }, [done = std::move(done)](const DavReply& r) {
        DiscoveryResult result;
        Multistatus ms;
        QString parseError;
        if (!r.ok() || r.status != 207 || !DavXml::ParseMultistatus(r.body, ms, &parseError)) {
            result.error
                = r.ok() ? tr("无法列出日历：%1").arg(parseError.isEmpty() ? DavErrorText(r) : parseError) : r.error;
            result.untrustedFingerprint = r.untrustedFingerprint;
            done(result, r.url);
            return;
        }
        for (const DavItem& item : ms.items) {
            if (!item.isCalendar || !(item.components.isEmpty() || item.components.contains(QStringLiteral("VEVENT"))))
                continue;
            const QString segment = item.href.section(QLatin1Char('/'), -2, -2);
            result.calendars.push_back(
                { UrlForPath(r.url, EnsureSlash(item.href)), item.displayName.isEmpty() ? segment : item.displayName });
        }
        done(result, r.url);
    });
}

void CalDavClient::ChooseCalendar(const QUrl& home, const QString& name, Done done)
{
    ListHome(home, [this, name, done = std::move(done)](const DiscoveryResult& listed, const QUrl& replyUrl) {
        if (!listed.error.isEmpty()) {
            done(listed);
            return;
        }
        const QString wanted = name.isEmpty() ? kOwnCalendarName : name;
        for (const DavCalendar& calendar : listed.calendars) {
            if (calendar.displayName == wanted) {
                DiscoveryResult result;
                result.calendarUrl = calendar.url;
                result.displayName = wanted;
                done(result);
                return;
            }
        }
        const DavCalendar fallback
            = !listed.calendars.empty() && name.isEmpty() ? listed.calendars.front() : DavCalendar();
        const QUrl target = UrlForPath(replyUrl,
            EnsureSlash(replyUrl.path(QUrl::FullyDecoded)) + QStringLiteral("tickwell-")
                + QString::number(QDateTime::currentMSecsSinceEpoch(), 36) + QLatin1Char('/'));
        Send("MKCALENDAR", target, DavXml::MkcalendarBody(wanted), {},
            [wanted, target, fallback, done = std::move(done)](const DavReply& made) {
                DiscoveryResult result;
                if (made.success()) {
                    result.calendarUrl = target;
                    result.displayName = wanted;
                    result.created = true;
                } else if (made.ok() && fallback.url.isValid()) {
                    result.calendarUrl = fallback.url;
                    result.displayName = fallback.displayName;
                } else {
                    result.error = made.ok() ? tr("无法创建日历“%1”：%2").arg(wanted, DavErrorText(made)) : made.error;
                }
                done(result);
            });
    });
}

// ---- Listing and fetching

void CalDavClient::ListChanges(const QUrl& calendar, const QString& token, std::function<void(const ListResult&)> done)
{
    Send("REPORT", calendar, DavXml::SyncCollectionBody(token), { { "Depth", "0" } },
        [this, calendar, token, done = std::move(done)](const DavReply& r) {
            ListResult result;
            if (!r.ok()) {
                result.error = r.error;
                done(result);
                return;
            }
            Multistatus ms;
            QString parseError;
            if (r.status == 207) {
                if (!DavXml::ParseMultistatus(r.body, ms, &parseError)) {
                    result.error = tr("服务器的回答无法读取：%1").arg(parseError);
                    done(result);
                    return;
                }
                const QString self = calendar.path(QUrl::FullyDecoded);
                for (DavItem& item : ms.items) {
                    if (!SamePath(item.href, self) && !item.isCollection)
                        result.items.push_back(std::move(item));
                }
                result.full = token.isEmpty();
                result.token = ms.syncToken;
                done(result);
                return;
            }
            // A refused token (RFC 6578: 403 or 409 with valid-sync-token; some servers fail with 500 instead), or a
            // server without the report: the whole listing tells the truth either way. Only a server failing without
            // a token to blame is a failure.
            if (r.status >= 500 && r.status != 501 && token.isEmpty()) {
                result.error = DavErrorText(r);
                done(result);
                return;
            }
            const bool refused = !token.isEmpty();
            ListAll(calendar, [refused, done = std::move(done)](const ListResult& all) {
                ListResult copy = all;
                copy.tokenRefused = refused && all.error.isEmpty();
                done(copy);
            });
        });
}

void CalDavClient::ListAll(const QUrl& calendar, std::function<void(const ListResult&)> done)
{
    const QByteArray body = DavXml::PropfindBody(
        { QStringLiteral("getetag"), QStringLiteral("resourcetype"), QStringLiteral("sync-token") }, {});
    Send("PROPFIND", calendar, body, { { "Depth", "1" } }, [calendar, done = std::move(done)](const DavReply& r) {
        ListResult result;
        result.full = true;
        Multistatus ms;
        QString parseError;
        if (!r.ok() || r.status != 207 || !DavXml::ParseMultistatus(r.body, ms, &parseError)) {
            result.error
                = !r.ok() || r.status != 207 ? DavErrorText(r) : tr("服务器的回答无法读取：%1").arg(parseError);
            done(result);
            return;
        }
        const QString self = calendar.path(QUrl::FullyDecoded);
        for (DavItem& item : ms.items) {
            if (SamePath(item.href, self))
                result.token = item.syncToken;
            else if (!item.isCollection && item.status < 300)
                result.items.push_back(std::move(item));
        }
        done(result);
    });
}

void CalDavClient::Fetch(const QUrl& calendar, const QStringList& paths, std::function<void(const FetchResult&)> done)
{
    FetchBatch(calendar, paths, std::make_shared<FetchResult>(), std::move(done));
}

void CalDavClient::FetchBatch(const QUrl& calendar, QStringList paths, std::shared_ptr<FetchResult> result,
    std::function<void(const FetchResult&)> done)
{
    if (paths.isEmpty()) {
        done(*result);
        return;
    }
    const QStringList batch = paths.mid(0, kMultigetBatch);
    paths.remove(0, batch.size());
    Send("REPORT", calendar, DavXml::MultigetBody(batch), { { "Depth", "1" } },
        [this, calendar, paths, result, done = std::move(done)](const DavReply& r) mutable {
            Multistatus ms;
            QString parseError;
            if (!r.ok() || r.status != 207 || !DavXml::ParseMultistatus(r.body, ms, &parseError)) {
                result->error
                    = !r.ok() || r.status != 207 ? DavErrorText(r) : tr("服务器的回答无法读取：%1").arg(parseError);
                done(*result);
                return;
            }
            for (DavItem& item : ms.items) {
                // A resource removed meanwhile answers 404: the next listing reports it.
                if (item.status < 300 && !item.calendarData.isEmpty())
                    result->items.push_back(std::move(item));
            }
            FetchBatch(calendar, paths, result, std::move(done));
        });
}

// ---- Writing

void CalDavClient::Put(const QUrl& url, const QByteArray& ics, const QByteArray& etag, Callback done)
{
    const Headers headers = etag.isEmpty() ? Headers { { "If-None-Match", "*" } } : Headers { { "If-Match", etag } };
    Send("PUT", url, ics, headers, std::move(done));
}

void CalDavClient::Delete(const QUrl& url, const QByteArray& etag, Callback done)
{
    Headers headers;
    if (!etag.isEmpty())
        headers.append({ "If-Match", etag });
    Send("DELETE", url, {}, headers, std::move(done));
}
