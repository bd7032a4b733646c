#include "platform/HttpGet.h"

#include <curl/curl.h>
#ifdef QUORBEL_OPENSSL_NO_ATEXIT
#include <openssl/crypto.h>
#endif

#include <memory>
#include <mutex>

namespace quorbel {

namespace {

struct Transfer
{
    CURL *handle = nullptr;
    const HttpSink *sink = nullptr;
    std::size_t maxBytes = 0;
    std::size_t received = 0;
};

bool IsSuccessStatus(long status)
{
    return status >= 200 && status <= 299;
}

// Refuses the body of any answer other than 2xx, so that an error page never
// reaches the sink, and stops at the size limit for answers without a length.
std::size_t WriteBody(char *data, std::size_t size, std::size_t count, void *userData)
{
    auto *transfer = static_cast<Transfer *>(userData);
    const std::size_t bytes = size * count;
    long status = 0;
    curl_easy_getinfo(transfer->handle, CURLINFO_RESPONSE_CODE, &status);
    if (!IsSuccessStatus(status))
        return 0;
    if (bytes > transfer->maxBytes - transfer->received)
        return 0;
    transfer->received += bytes;
    if (bytes > 0 && !(*transfer->sink)(data, bytes))
        return 0;
    return bytes;
}

struct CurlHandleDeleter
{
    void operator()(CURL *handle) const { curl_easy_cleanup(handle); }
};

} // namespace

void HttpGlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] {
#ifdef QUORBEL_OPENSSL_NO_ATEXIT
        // The first initialisation decides: OpenSSL registers no exit handler
        // that would free what a worker still inside a TLS read is using.
        OPENSSL_init_crypto(OPENSSL_INIT_NO_ATEXIT, nullptr);
#endif
        curl_global_init(CURL_GLOBAL_DEFAULT);
    });
}

bool HttpGet(const std::string &url, std::size_t maxBytes, const HttpTimeouts &timeouts, const HttpSink &sink)
{
    HttpGlobalInit();
    std::unique_ptr<CURL, CurlHandleDeleter> handle(curl_easy_init());
    if (!handle)
        return false;

    Transfer transfer;
    transfer.handle = handle.get();
    transfer.sink = &sink;
    transfer.maxBytes = maxBytes;

    CURL *h = handle.get();
    bool configured = curl_easy_setopt(h, CURLOPT_URL, url.c_str()) == CURLE_OK
        && curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK
        && curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L) == CURLE_OK
        // Workers are plain threads: no signals for DNS time-outs.
        && curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L) == CURLE_OK
        && curl_easy_setopt(h, CURLOPT_PROXY, "") == CURLE_OK
        && curl_easy_setopt(h, CURLOPT_HTTPGET, 1L) == CURLE_OK
        && curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(maxBytes)) == CURLE_OK
        && curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, timeouts.connectMs) == CURLE_OK
        && curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, timeouts.lowSpeedBytes) == CURLE_OK
        && curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, timeouts.lowSpeedSeconds) == CURLE_OK
        && curl_easy_setopt(h, CURLOPT_TIMEOUT, timeouts.totalSeconds) == CURLE_OK
        && curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &WriteBody) == CURLE_OK
        && curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer) == CURLE_OK;
    if (!configured)
        return false;

    if (curl_easy_perform(h) != CURLE_OK)
        return false;
    long status = 0;
    if (curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK)
        return false;
    return IsSuccessStatus(status);
}

bool HttpGetBytes(const std::string &url, std::size_t maxBytes, const HttpTimeouts &timeouts, std::string &body)
{
    std::string received;
    const bool ok = HttpGet(url, maxBytes, timeouts, [&received](const char *data, std::size_t size) {
        received.append(data, size);
        return true;
    });
    if (ok)
        body = std::move(received);
    return ok;
}

} // namespace quorbel
