// A tiny HTTP server on 127.0.0.1 for tests: answers every GET with a configured reply and
// counts the requests. Listens on loopback only, on a port the system picks.
#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer
{
public:
    struct Reply
    {
        int status = 200;
        std::string body;
        // Announce this many more bytes than are sent, then close: a cut-off reply.
        size_t missingBytes = 0;
        // Keep the connection open this long after sending, saying nothing more.
        int holdMs = 0;
    };

    LoopbackHttpServer()
    {
        m_listen = socket(AF_INET, SOCK_STREAM, 0);
        int yes = 1;
        setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in addr;
        std::memset(&addr, 0, sizeof addr);
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        if (bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(m_listen, 8) != 0)
        {
            close(m_listen);
            m_listen = -1;
            return;
        }
        socklen_t len = sizeof addr;
        getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }

    ~LoopbackHttpServer()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_listen >= 0)
            close(m_listen);
    }

    bool Ok() const { return m_listen >= 0; }
    int Port() const { return m_port; }
    std::string Host() const { return "127.0.0.1:" + std::to_string(m_port); }
    int Requests() const { return m_requests.load(); }
    std::vector<std::string> RequestLines() const
    {
        std::lock_guard<std::mutex> g(m_lock);
        return m_lines;
    }
    void SetReply(const Reply& reply)
    {
        std::lock_guard<std::mutex> g(m_lock);
        m_reply = reply;
    }

    // A loopback port with nothing listening on it (connections are refused).
    static int ClosedPort()
    {
        int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr;
        std::memset(&addr, 0, sizeof addr);
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
        const int port = ntohs(addr.sin_port);
        close(s);
        return port;
    }

private:
    void Serve()
    {
        while (!m_stop)
        {
            pollfd p{m_listen, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            const int c = accept(m_listen, nullptr, nullptr);
            if (c < 0)
                continue;
            Answer(c);
            close(c);
        }
    }

    void Answer(int c)
    {
        std::string request;
        char buf[1024];
        while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536)
        {
            pollfd p{c, POLLIN, 0};
            if (poll(&p, 1, 2000) <= 0)
                return;
            const ssize_t n = recv(c, buf, sizeof buf, 0);
            if (n <= 0)
                return;
            request.append(buf, static_cast<size_t>(n));
        }
        Reply reply;
        {
            std::lock_guard<std::mutex> g(m_lock);
            m_lines.push_back(request.substr(0, request.find("\r\n")));
            reply = m_reply;
        }
        ++m_requests;
        std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " X\r\nContent-Type: text/plain\r\n" +
                           "Content-Length: " + std::to_string(reply.body.size() + reply.missingBytes) +
                           "\r\nConnection: close\r\n\r\n";
        std::string all = head + reply.body;
        size_t sent = 0;
        while (sent < all.size())
        {
            const ssize_t n = send(c, all.data() + sent, all.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += static_cast<size_t>(n);
        }
        for (int waited = 0; waited < reply.holdMs && !m_stop; waited += 10)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    int m_listen = -1;
    int m_port = 0;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_requests{0};
    mutable std::mutex m_lock;
    std::vector<std::string> m_lines;
    Reply m_reply;
};
