// A tiny HTTP server on 127.0.0.1 for download tests: each path answers with a fixed status
// and body, or never answers at all (a stalled server). Runs on its own thread until destroyed.
#pragma once
#include <windows.h>
#include <atomic>
#include <map>
#include <string>
#include <thread>

namespace readertest {

class LocalHttpServer
{
public:
    struct Reply
    {
        int status = 200;
        std::string body;
        bool stall = false; // accept, read the request, and keep silent
    };

    LocalHttpServer();
    ~LocalHttpServer();

    // Must be set before the first request of that path.
    void Add(const std::string& path, const Reply& reply);
    bool Start();
    // "http://127.0.0.1:port" + path
    std::wstring Url(const std::string& path) const;
    int Requests(const std::string& path) const;
    // How many answers to that path have ended: sent whole, or cut off by the client.
    int Finished(const std::string& path) const;

private:
    void Serve();
    // Sockets are held as their pointer-sized handle value, so that this header need not
    // bring Winsock in before whatever includes <windows.h> first.
    void Answer(UINT_PTR client);

    UINT_PTR m_listener = ~UINT_PTR(0);
    int m_port = 0;
    std::map<std::string, Reply> m_replies;
    mutable CRITICAL_SECTION m_lock;
    std::map<std::string, int> m_requests;
    std::map<std::string, int> m_finished;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace readertest
