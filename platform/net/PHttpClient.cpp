// HTTP GET to a file on libcurl, bounded in time and size.
#include "platform/net/PHttpClient.h"

#include <curl/curl.h>

#include <cstdio>
#include <mutex>

namespace
{
struct PHttpSink
{
    FILE* file = nullptr;
    uint64_t written = 0;
    uint64_t limit = 0;
    bool tooLarge = false;
    bool writeFailed = false;
};
} // namespace

PHttpClient::~PHttpClient()
{
    Close();
}

void PHttpClient::GlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool PHttpClient::Open(const char* userAgent)
{
    if (m_handle)
        return true;
    GlobalInit();
    m_handle = curl_easy_init();
    m_agent = userAgent ? userAgent : "";
    return m_handle != nullptr;
}

void PHttpClient::Close()
{
    if (m_handle)
    {
        curl_easy_cleanup(static_cast<CURL*>(m_handle));
        m_handle = nullptr;
    }
}

void PHttpClient::SetTimeouts(long connectMs, long totalMs)
{
    m_connectMs = connectMs > 0 ? connectMs : 1;
    m_totalMs = totalMs > 0 ? totalMs : 1;
}

size_t PHttpClient::WriteChunk(char* data, size_t size, size_t count, void* user)
{
    PHttpSink* sink = static_cast<PHttpSink*>(user);
    const size_t n = size * count;
    if (sink->written + n > sink->limit)
    {
        sink->tooLarge = true;
        return 0; // stops the transfer
    }
    if (n && std::fwrite(data, 1, n, sink->file) != n)
    {
        sink->writeFailed = true;
        return 0;
    }
    sink->written += n;
    return n;
}

int PHttpClient::Progress(void* user, int64_t, int64_t, int64_t, int64_t)
{
    const std::atomic<bool>* abort = static_cast<const std::atomic<bool>*>(user);
    return abort && abort->load() ? 1 : 0;
}

PHttpResult PHttpClient::Download(const std::string& host, const std::string& path, const std::string& localPath)
{
    PHttpResult result;
    CURL* curl = static_cast<CURL*>(m_handle);
    if (!curl)
    {
        result.errorText = "no session";
        return result;
    }
    if (host.empty())
    {
        result.errorText = "no host";
        return result;
    }
    PHttpSink sink;
    sink.limit = m_maxBody;
    sink.file = std::fopen(localPath.c_str(), "wb");
    if (!sink.file)
    {
        result.errorText = "cannot write " + localPath;
        return result;
    }
    const std::string url = "http://" + host + (path.empty() || path[0] != '/' ? "/" : "") + path;
    char errorBuffer[CURL_ERROR_SIZE] = {0};

    curl_easy_reset(curl);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, m_agent.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L); // worker threads must not see SIGALRM
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, m_connectMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, m_totalMs);
    curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &PHttpClient::WriteChunk);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    if (m_abort)
    {
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &PHttpClient::Progress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(m_abort));
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    }
    struct curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);

    const CURLcode code = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(headers);

    const bool closedOk = std::fclose(sink.file) == 0;
    result.status = status;
    result.bytes = sink.written;
    result.errorCode = static_cast<int>(code);
    if (code != CURLE_OK)
    {
        if (sink.tooLarge)
            result.errorText = "reply larger than the limit";
        else if (sink.writeFailed)
            result.errorText = "cannot write " + localPath;
        else
            result.errorText = errorBuffer[0] ? errorBuffer : curl_easy_strerror(code);
        return result;
    }
    if (!closedOk)
    {
        result.errorText = "cannot write " + localPath;
        return result;
    }
    result.transferred = true;
    return result;
}
