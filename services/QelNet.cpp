#include "services/QelNet.h"

#include "platform/TestSeam.h"
#include "services/QelThread.h"
#include "support/QelDll.h"

#include <curl/curl.h>


namespace qel {

namespace {

// How long a probe may try to connect before it answers false.
constexpr long kProbeTimeoutMs = 5000;

// The libcurl entries a probe needs, from wherever they come.
struct TCurlApi {
    CURL* (*Init)();
    CURLcode (*SetOpt)(CURL*, CURLoption, ...);
    CURLcode (*Perform)(CURL*);
    void (*Cleanup)(CURL*);
};

bool Probe(const TCurlApi& api, const QString& url)
{
    // libcurl reads addresses as UTF-8.
    const QByteArray u = url.toUtf8();
    CURL* c = api.Init();
    if (!c)
        return false;
    api.SetOpt(c, CURLOPT_URL, u.constData());
    api.SetOpt(c, CURLOPT_CONNECT_ONLY, 1L);
    api.SetOpt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    api.SetOpt(c, CURLOPT_CONNECTTIMEOUT_MS, kProbeTimeoutMs);
    api.SetOpt(c, CURLOPT_TIMEOUT_MS, kProbeTimeoutMs);
    api.SetOpt(c, CURLOPT_NOSIGNAL, 1L);
    const bool ok = api.Perform(c) == CURLE_OK;
    api.Cleanup(c);
    return ok;
}

plat::TTestSeam<TNetCheckHandler>& Handler()
{
    static plat::TTestSeam<TNetCheckHandler> seam;
    return seam;
}

} // namespace

TNetCheckHandler SetNetCheckHandler(TNetCheckHandler handler)
{
    return Handler().Swap(std::move(handler));
}

bool CheckNetPassWith(const QString& library, const QString& url)
{
    try {
        const TDll dll(library);
        TCurlApi api;
        api.Init = reinterpret_cast<decltype(api.Init)>(dll.GetProcAddress("curl_easy_init"));
        api.SetOpt = reinterpret_cast<decltype(api.SetOpt)>(dll.GetProcAddress("curl_easy_setopt"));
        api.Perform = reinterpret_cast<decltype(api.Perform)>(dll.GetProcAddress("curl_easy_perform"));
        api.Cleanup = reinterpret_cast<decltype(api.Cleanup)>(dll.GetProcAddress("curl_easy_cleanup"));
        if (!api.Init || !api.SetOpt || !api.Perform || !api.Cleanup)
            return false;
        return Probe(api, url);
    } catch (...) {
        return false;
    }
}

bool CheckNetPass(const QString& url)
{
    const TNetCheckHandler handler = Handler().Get();
    if (handler) {
        try {
            return handler(url);
        } catch (...) {
            return false;
        }
    }
    return CheckNetPassWith(QStringLiteral("libcurl.so.4"), url);
}

bool CheckInternetConnection(const QString& url)
{
    try {
        return Probe(TCurlApi {&curl_easy_init, &curl_easy_setopt, &curl_easy_perform, &curl_easy_cleanup}, url);
    } catch (...) {
        return false;
    }
}

void RunNetProbe(TNetProbeFlags& flags, const QString& url)
{
    flags.Checking.store(true, std::memory_order_release);
    flags.Passed.store(CheckNetPass(url), std::memory_order_release);
    flags.Checking.store(false, std::memory_order_release);
}

bool StartNetProbe(const std::shared_ptr<TNetProbeFlags>& flags, const QString& url)
{
    if (flags->Checking.exchange(true, std::memory_order_acq_rel))
        return false;
    try {
        CreateQelThread([flags, url] { RunNetProbe(*flags, url); }, false);
    } catch (...) {
        flags->Checking.store(false, std::memory_order_release);
        throw;
    }
    return true;
}

} // namespace qel
