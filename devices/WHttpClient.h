#pragma once

#include "lookup/NameSearch.h"

#include <atomic>
#include <string>

// HTTP and HTTPS GETs through WinHTTP, blocking: for a worker thread, never the GUI thread.
// Each GET is bounded in time (5 s to connect, 15 s in all) and in the size of its answer.
class WHttpClient {
public:
    static constexpr int connectMs = 5000;
    static constexpr int totalMs = 15000;

    WHttpClient(const std::string& userAgent, size_t maxBytes);
    ~WHttpClient();
    WHttpClient(const WHttpClient&) = delete;
    WHttpClient& operator=(const WHttpClient&) = delete;

    // Checked between reads: a set flag ends the GET with the failure "cancelled".
    HttpAnswer Get(const std::string& url, const std::atomic<bool>& cancelled);

private:
    void* session; // the WinHTTP session handle
    size_t maxBytes;
};
