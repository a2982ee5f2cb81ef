// The TCP connection to the media service: connecting within a time limit,
// sending requests from any thread, and reading whole replies on the network
// thread, which another thread can interrupt.
#pragma once

#include "media_protocol.h"

#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// WSAStartup / WSACleanup.
class WinsockSession {
public:
    WinsockSession() { m_started = WSAStartup(MAKEWORD(2, 2), &m_data) == 0; }
    ~WinsockSession() {
        if (m_started)
            WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    bool Started() const { return m_started; }

private:
    WSADATA m_data = {};
    bool m_started = false;
};

class MediaConnection {
public:
    MediaConnection() = default;
    ~MediaConnection();
    MediaConnection(const MediaConnection&) = delete;
    MediaConnection& operator=(const MediaConnection&) = delete;

    // Connects to host:port; false, with nothing left open, when the host is
    // unknown, refuses, or does not answer within timeoutMs.
    bool Connect(const std::string& host, uint16_t port, DWORD timeoutMs);
    // Sends one request whole; safe from any thread. False once the
    // connection is gone.
    bool Send(const media::Request& request);

    enum class ReadResult { kMessage, kClosed, kBroken, kInterrupted };
    // Waits for the next whole reply. kClosed: the server hung up or the
    // connection failed; kBroken: the bytes are not the protocol.
    ReadResult Read(media::MessageHeader& header, std::vector<uint8_t>& payload);
    // Makes a Read under way (and every later one) return kInterrupted.
    void Interrupt();

private:
    // Fills size bytes; kMessage when all arrived.
    ReadResult ReadExactly(uint8_t* into, size_t size);

    WinsockSession m_winsock;
    SOCKET m_socket = INVALID_SOCKET;
    std::mutex m_sendLock;
    std::atomic<bool> m_interrupted{false};
};
