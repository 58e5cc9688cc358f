#pragma once

#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An HTTP server on 127.0.0.1 that answers each GET by the first route whose prefix starts
// the path and that has answers left; a hanging route keeps the connection unanswered until
// the server stops. Connections are served one after another.
class LocalHttpServer {
public:
    struct Route {
        std::string prefix;
        int status = 200;
        std::string body;
        int times = -1; // answers it gives; -1 for any number
        bool hang = false;
    };

    explicit LocalHttpServer(std::vector<Route> routes);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port) + "/"; }
    // Each request's head (request line and headers), in the order they came.
    std::vector<std::string> Requests() const;

private:
    void Serve();
    void Answer(unsigned long long client);
    Route* RouteFor(const std::string& path);

    std::vector<Route> routes;
    unsigned long long listener;
    int port = 0;
    bool stopping = false;
    mutable std::mutex mutex;
    std::vector<std::string> requests;
    std::vector<unsigned long long> hanging;
    std::thread thread;
};
