#include "reader/book/Base64.h"

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int DecodeChar(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

} // namespace

std::string Base64EncodeLines(const BYTE* data, size_t length)
{
    const size_t groupsPerLine = 19;
    const size_t units = length / 3;
    std::string text;
    text.reserve((length + 2) / 3 * 4 + (units / groupsPerLine) * 2);

    for (size_t u = 0; u < units; ++u) {
        const BYTE* p = data + 3 * u;
        DWORD bits = (DWORD(p[0]) << 16) | (DWORD(p[1]) << 8) | p[2];
        text += kAlphabet[(bits >> 18) & 63];
        text += kAlphabet[(bits >> 12) & 63];
        text += kAlphabet[(bits >> 6) & 63];
        text += kAlphabet[bits & 63];
        if ((u + 1) % groupsPerLine == 0)
            text += "\r\n";
    }

    const size_t rest = length - 3 * units;
    if (rest > 0) {
        const BYTE* p = data + 3 * units;
        DWORD bits = DWORD(p[0]) << 16;
        if (rest == 2)
            bits |= DWORD(p[1]) << 8;
        text += kAlphabet[(bits >> 18) & 63];
        text += kAlphabet[(bits >> 12) & 63];
        text += (rest == 2) ? kAlphabet[(bits >> 6) & 63] : '=';
        text += '=';
    }
    return text;
}

std::vector<BYTE> Base64Decode(const char* text, size_t length)
{
    std::vector<BYTE> bytes;
    if (!text)
        return bytes;
    bytes.reserve(length / 4 * 3 + 3);
    DWORD bits = 0;
    int count = 0;
    for (size_t i = 0; i < length && text[i] != '\0'; ++i) {
        int value = DecodeChar(static_cast<unsigned char>(text[i]));
        if (value < 0)
            continue;
        bits = (bits << 6) | DWORD(value);
        if (++count == 4) {
            bytes.push_back(BYTE(bits >> 16));
            bytes.push_back(BYTE(bits >> 8));
            bytes.push_back(BYTE(bits));
            bits = 0;
            count = 0;
        }
    }
    // A short final group: 2 characters fill one byte, 3 fill two; 1 fills none.
    if (count == 2) {
        bytes.push_back(BYTE(bits >> 4));
    } else if (count == 3) {
        bytes.push_back(BYTE(bits >> 10));
        bytes.push_back(BYTE(bits >> 2));
    }
    return bytes;
}
