#include "reader/book/Md5.h"
#include <string.h>

namespace {

inline DWORD RotateLeft(DWORD x, int n)
{
    return (x << n) | (x >> (32 - n));
}

inline DWORD LoadLE(const BYTE* p)
{
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}

inline void StoreLE(BYTE* p, DWORD v)
{
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
    p[2] = BYTE(v >> 16);
    p[3] = BYTE(v >> 24);
}

// Per-step shift amounts, four per round.
const int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

// The additive constants: the integer part of 2^32 * |sin(i + 1)|.
const DWORD kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

} // namespace

CMd5::CMd5()
{
    Reset();
}

void CMd5::Reset()
{
    m_state[0] = 0x67452301;
    m_state[1] = 0xefcdab89;
    m_state[2] = 0x98badcfe;
    m_state[3] = 0x10325476;
    m_bitCount = 0;
    m_buffered = 0;
}

void CMd5::Transform(const BYTE block[64])
{
    DWORD x[16];
    for (int i = 0; i < 16; ++i)
        x[i] = LoadLE(block + 4 * i);

    DWORD a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3];
    for (int i = 0; i < 64; ++i) {
        DWORD f;
        int g;
        switch (i / 16) {
        case 0:
            f = (b & c) | (~b & d);
            g = i;
            break;
        case 1:
            f = (d & b) | (~d & c);
            g = (5 * i + 1) % 16;
            break;
        case 2:
            f = b ^ c ^ d;
            g = (3 * i + 5) % 16;
            break;
        default:
            f = c ^ (b | ~d);
            g = (7 * i) % 16;
            break;
        }
        DWORD rotated = RotateLeft(a + f + kSine[i] + x[g], kShift[i / 16][i % 4]);
        a = d;
        d = c;
        c = b;
        b = b + rotated;
    }
    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
}

void CMd5::Update(const void* data, size_t length)
{
    const BYTE* p = static_cast<const BYTE*>(data);
    m_bitCount += static_cast<unsigned long long>(length) * 8;
    if (m_buffered > 0) {
        size_t take = 64 - m_buffered;
        if (take > length)
            take = length;
        memcpy(m_buffer + m_buffered, p, take);
        m_buffered += take;
        p += take;
        length -= take;
        if (m_buffered < 64)
            return;
        Transform(m_buffer);
        m_buffered = 0;
    }
    while (length >= 64) {
        Transform(p);
        p += 64;
        length -= 64;
    }
    memcpy(m_buffer, p, length);
    m_buffered = length;
}

void CMd5::Final(BYTE digest[DigestSize])
{
    // One 0x80 byte, zeros up to 56 bytes of the last block, then the bit count.
    BYTE tail[72] = {0x80};
    unsigned long long bits = m_bitCount;
    size_t padLength = (m_buffered < 56) ? (56 - m_buffered) : (120 - m_buffered);
    for (int i = 0; i < 8; ++i)
        tail[padLength + i] = BYTE(bits >> (8 * i));
    Update(tail, padLength + 8);
    for (int i = 0; i < 4; ++i)
        StoreLE(digest + 4 * i, m_state[i]);
    Reset();
}

void CMd5::Digest(const void* data, size_t length, BYTE digest[DigestSize])
{
    CMd5 md5;
    md5.Update(data, length);
    md5.Final(digest);
}
