// MD5 message digest (RFC 1321). The packed-file records carry the digest of each
// inflated file, and the sealing key is derived from the digest of a pass phrase.
#pragma once
#include <windows.h>
#include <stddef.h>

class CMd5
{
public:
    enum { DigestSize = 16 };

    CMd5();
    void Reset();
    void Update(const void* data, size_t length);
    // Writes the 16-byte digest and leaves the object reset for a new message.
    void Final(BYTE digest[DigestSize]);

    // Digest of one buffer in one call.
    static void Digest(const void* data, size_t length, BYTE digest[DigestSize]);

private:
    void Transform(const BYTE block[64]);

    DWORD m_state[4];
    unsigned long long m_bitCount;
    BYTE m_buffer[64];
    size_t m_buffered;
};
