#include <winsock2.h>
#include <ws2tcpip.h>
#include "tests/reader/LocalHttpServer.h"
#include <vector>

namespace readertest {

LocalHttpServer::LocalHttpServer()
{
    InitializeCriticalSection(&m_lock);
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
}

LocalHttpServer::~LocalHttpServer()
{
    m_stop = true;
    if (m_listener != INVALID_SOCKET)
        closesocket(m_listener);
    if (m_thread.joinable())
        m_thread.join();
    WSACleanup();
    DeleteCriticalSection(&m_lock);
}

void LocalHttpServer::Add(const std::string& path, const Reply& reply)
{
    m_replies[path] = reply;
}

bool LocalHttpServer::Start()
{
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_listener == INVALID_SOCKET)
        return false;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(m_listener, 8) != 0)
        return false;
    int length = sizeof(address);
    getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Serve(); });
    return true;
}

std::wstring LocalHttpServer::Url(const std::string& path) const
{
    return L"http://127.0.0.1:" + std::to_wstring(m_port) + std::wstring(path.begin(), path.end());
}

namespace {

int CountOf(const std::map<std::string, int>& counts, const std::string& path, CRITICAL_SECTION& lock)
{
    EnterCriticalSection(&lock);
    auto it = counts.find(path);
    int count = it == counts.end() ? 0 : it->second;
    LeaveCriticalSection(&lock);
    return count;
}

} // namespace

int LocalHttpServer::Requests(const std::string& path) const
{
    return CountOf(m_requests, path, m_lock);
}

int LocalHttpServer::Finished(const std::string& path) const
{
    return CountOf(m_finished, path, m_lock);
}

void LocalHttpServer::Serve()
{
    while (!m_stop) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(m_listener, &readable);
        timeval wait = {0, 100000};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0)
            continue;
        SOCKET client = accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            continue;
        Answer(client);
    }
}

void LocalHttpServer::Answer(UINT_PTR client)
{
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos) {
        int got = recv(client, buffer, sizeof(buffer), 0);
        if (got <= 0)
            break;
        request.append(buffer, size_t(got));
    }
    std::string path;
    size_t space = request.find(' ');
    if (space != std::string::npos)
        path = request.substr(space + 1, request.find(' ', space + 1) - space - 1);
    size_t query = path.find('?');
    if (query != std::string::npos)
        path = path.substr(0, query);
    EnterCriticalSection(&m_lock);
    ++m_requests[path];
    LeaveCriticalSection(&m_lock);

    auto it = m_replies.find(path);
    Reply reply = it == m_replies.end() ? Reply{404, "<html>no such file</html>", false} : it->second;
    if (reply.stall) {
        // Keeps the connection open and silent until the server goes.
        while (!m_stop)
            Sleep(20);
        closesocket(client);
        return;
    }
    const char* reason = reply.status == 200 ? "OK" : (reply.status == 404 ? "Not Found" : "Error");
    std::string response =
        "HTTP/1.1 " + std::to_string(reply.status) + " " + reason +
        "\r\nContent-Type: text/xml\r\nCache-Control: no-cache\r\nConnection: close\r\nContent-Length: " +
        std::to_string(reply.body.size()) + "\r\n\r\n" + reply.body;
    // A large answer goes out in several pieces; one the reader stops taking ends early.
    size_t sent = 0;
    while (sent < response.size()) {
        const int piece = send(client, response.data() + sent, int(response.size() - sent), 0);
        if (piece <= 0)
            break;
        sent += size_t(piece);
    }
    shutdown(client, SD_SEND);
    closesocket(client);
    EnterCriticalSection(&m_lock);
    ++m_finished[path];
    LeaveCriticalSection(&m_lock);
}

} // namespace readertest
