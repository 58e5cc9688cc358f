#include "devices/WHttpClient.h"

#include "app/Utf8.h"

#include <windows.h>
#include <winhttp.h>

#include <chrono>
#include <memory>
#include <vector>

namespace {

struct InternetCloser {
    void operator()(void* handle) const { WinHttpCloseHandle(handle); }
};
using Internet = std::unique_ptr<void, InternetCloser>;

std::string Reason(DWORD error) {
    switch (error) {
    case ERROR_WINHTTP_TIMEOUT: return "no answer in time";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED: return "the server's name is unknown (offline?)";
    case ERROR_WINHTTP_CANNOT_CONNECT: return "the connection was refused";
    case ERROR_WINHTTP_CONNECTION_ERROR: return "the connection broke off";
    case ERROR_WINHTTP_SECURE_FAILURE: return "the secure connection failed";
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
    case ERROR_WINHTTP_INVALID_URL: return "the address is no HTTP or HTTPS URL";
    default: return "network error " + std::to_string(error);
    }
}

HttpAnswer Failed(const std::string& why) {
    HttpAnswer answer;
    answer.failure = why;
    return answer;
}

struct UrlParts {
    std::wstring host, path;
    INTERNET_PORT port = 0;
    bool secure = false;
};

bool Crack(const std::wstring& url, UrlParts& parts) {
    URL_COMPONENTS components = {};
    components.dwStructSize = sizeof components;
    components.dwHostNameLength = DWORD(-1);
    components.dwUrlPathLength = DWORD(-1);
    components.dwExtraInfoLength = DWORD(-1);
    if (!WinHttpCrackUrl(url.c_str(), DWORD(url.size()), 0, &components)) return false;
    if (components.nScheme != INTERNET_SCHEME_HTTP && components.nScheme != INTERNET_SCHEME_HTTPS)
        return false;
    parts.host.assign(components.lpszHostName, components.dwHostNameLength);
    parts.path.assign(components.lpszUrlPath, components.dwUrlPathLength);
    parts.path.append(components.lpszExtraInfo, components.dwExtraInfoLength);
    parts.port = components.nPort;
    parts.secure = components.nScheme == INTERNET_SCHEME_HTTPS;
    return true;
}

int StatusOf(void* request) {
    DWORD status = 0, size = sizeof status;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
    return int(status);
}

} // namespace

WHttpClient::WHttpClient(const std::string& userAgent, size_t maxBytes)
    : session(WinHttpOpen(Utf8::ToWide(userAgent).c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                          WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0)),
      maxBytes(maxBytes) {
    if (session) WinHttpSetTimeouts(session, connectMs, connectMs, totalMs, totalMs);
}

WHttpClient::~WHttpClient() {
    if (session) WinHttpCloseHandle(session);
}

HttpAnswer WHttpClient::Get(const std::string& url, const std::atomic<bool>& cancelled) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(totalMs);
    UrlParts parts;
    if (!session) return Failed(Reason(GetLastError()));
    if (!Crack(Utf8::ToWide(url), parts)) return Failed(Reason(ERROR_WINHTTP_INVALID_URL));
    Internet connection(WinHttpConnect(session, parts.host.c_str(), parts.port, 0));
    if (!connection) return Failed(Reason(GetLastError()));
    Internet request(WinHttpOpenRequest(connection.get(), L"GET", parts.path.c_str(), nullptr,
                                        WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                        parts.secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request ||
        !WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request.get(), nullptr))
        return Failed(Reason(GetLastError()));
    HttpAnswer answer;
    answer.status = StatusOf(request.get());
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        if (cancelled) return Failed("cancelled");
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return Failed(Reason(ERROR_WINHTTP_TIMEOUT));
        DWORD timeout = DWORD(left.count());
        WinHttpSetOption(request.get(), WINHTTP_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
        DWORD read = 0;
        if (!WinHttpReadData(request.get(), chunk.data(), DWORD(chunk.size()), &read))
            return Failed(Reason(GetLastError()));
        if (read == 0) return answer;
        if (answer.body.size() + read > maxBytes) return Failed("the answer is too large");
        answer.body.append(chunk.data(), read);
    }
}
