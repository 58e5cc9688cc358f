#include "support/LocalHttpServer.h"

#include <winsock2.h>

#include <utility>

LocalHttpServer::LocalHttpServer(std::vector<Route> routes) : routes(std::move(routes)) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    bind(s, reinterpret_cast<sockaddr*>(&address), size);
    listen(s, 8);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
    listener = s;
    thread = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    thread.join();
    for (unsigned long long client : hanging)
        closesocket(SOCKET(client));
    closesocket(SOCKET(listener));
    WSACleanup();
}

std::vector<std::string> LocalHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex);
    return requests;
}

void LocalHttpServer::Serve() {
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (stopping) return;
        }
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(SOCKET(listener), &ready);
        timeval wait = {0, 20000};
        if (select(0, &ready, nullptr, nullptr, &wait) == 1)
            Answer(accept(SOCKET(listener), nullptr, nullptr));
    }
}

void LocalHttpServer::Answer(unsigned long long client) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
        int got = recv(SOCKET(client), buffer, sizeof buffer, 0);
        if (got <= 0) break;
        head.append(buffer, size_t(got));
    }
    const size_t pathStart = head.find(' ') + 1;
    const std::string path = head.substr(pathStart, head.find(' ', pathStart) - pathStart);
    Route* route = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex);
        requests.push_back(head);
        route = RouteFor(path);
        if (route && route->hang) {
            hanging.push_back(client);
            return;
        }
    }
    const int status = route ? route->status : 404;
    const std::string body = route ? route->body : std::string();
    std::string answer = "HTTP/1.1 " + std::to_string(status) +
                         " Test\r\nContent-Length: " + std::to_string(body.size()) +
                         "\r\nConnection: close\r\n\r\n" + body;
    for (size_t sent = 0; sent < answer.size();) {
        int n = send(SOCKET(client), answer.data() + sent, int(answer.size() - sent), 0);
        if (n <= 0) break; // the client gave up on an answer too large for it
        sent += size_t(n);
    }
    closesocket(SOCKET(client));
}

LocalHttpServer::Route* LocalHttpServer::RouteFor(const std::string& path) {
    for (Route& route : routes) {
        if (path.compare(0, route.prefix.size(), route.prefix) != 0 || route.times == 0) continue;
        if (route.times > 0) route.times--;
        return &route;
    }
    return nullptr;
}
