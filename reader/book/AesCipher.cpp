#include "reader/book/AesCipher.h"
#include <string.h>

namespace {

// Multiplication in GF(2^8) modulo x^8 + x^4 + x^3 + x + 1.
BYTE GfMul(BYTE a, BYTE b)
{
    BYTE product = 0;
    while (b) {
        if (b & 1)
            product ^= a;
        a = BYTE((a << 1) ^ ((a & 0x80) ? 0x1b : 0));
        b >>= 1;
    }
    return product;
}

// The substitution box and its inverse, computed once from the field inverse and
// the affine map rather than kept as a table.
struct SBoxes
{
    BYTE forward[256];
    BYTE inverse[256];

    SBoxes()
    {
        for (int x = 0; x < 256; ++x) {
            BYTE inv = 0;
            if (x != 0) {
                for (int y = 1; y < 256; ++y) {
                    if (GfMul(BYTE(x), BYTE(y)) == 1) {
                        inv = BYTE(y);
                        break;
                    }
                }
            }
            BYTE s = inv;
            BYTE r = inv;
            for (int i = 0; i < 4; ++i) {
                r = BYTE((r << 1) | (r >> 7));
                s ^= r;
            }
            s ^= 0x63;
            forward[x] = s;
            inverse[s] = BYTE(x);
        }
    }
};

const SBoxes& Boxes()
{
    static const SBoxes boxes;
    return boxes;
}

void AddRoundKey(BYTE state[16], const BYTE* roundKey)
{
    for (int i = 0; i < 16; ++i)
        state[i] ^= roundKey[i];
}

// The state is kept column by column: byte r + 4 * c is row r of column c.
void ShiftRows(BYTE s[16])
{
    BYTE t[16];
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            t[r + 4 * c] = s[r + 4 * ((c + r) % 4)];
    memcpy(s, t, 16);
}

void InvShiftRows(BYTE s[16])
{
    BYTE t[16];
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            t[r + 4 * ((c + r) % 4)] = s[r + 4 * c];
    memcpy(s, t, 16);
}

void MixColumns(BYTE s[16])
{
    for (int c = 0; c < 4; ++c) {
        BYTE* col = s + 4 * c;
        BYTE a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
        col[0] = BYTE(GfMul(a0, 2) ^ GfMul(a1, 3) ^ a2 ^ a3);
        col[1] = BYTE(a0 ^ GfMul(a1, 2) ^ GfMul(a2, 3) ^ a3);
        col[2] = BYTE(a0 ^ a1 ^ GfMul(a2, 2) ^ GfMul(a3, 3));
        col[3] = BYTE(GfMul(a0, 3) ^ a1 ^ a2 ^ GfMul(a3, 2));
    }
}

void InvMixColumns(BYTE s[16])
{
    for (int c = 0; c < 4; ++c) {
        BYTE* col = s + 4 * c;
        BYTE a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
        col[0] = BYTE(GfMul(a0, 14) ^ GfMul(a1, 11) ^ GfMul(a2, 13) ^ GfMul(a3, 9));
        col[1] = BYTE(GfMul(a0, 9) ^ GfMul(a1, 14) ^ GfMul(a2, 11) ^ GfMul(a3, 13));
        col[2] = BYTE(GfMul(a0, 13) ^ GfMul(a1, 9) ^ GfMul(a2, 14) ^ GfMul(a3, 11));
        col[3] = BYTE(GfMul(a0, 11) ^ GfMul(a1, 13) ^ GfMul(a2, 9) ^ GfMul(a3, 14));
    }
}

} // namespace

AesCipher::AesCipher() : m_state(1), m_mode(ModeCBC), m_direction(DirEncrypt)
{
    memset(m_iv, 0, sizeof(m_iv));
    memset(m_schedule, 0, sizeof(m_schedule));
}

int AesCipher::Init(const BYTE* key, int mode, int direction)
{
    m_state = 1;
    m_mode = mode;
    if (direction != DirEncrypt && direction != DirDecrypt)
        return BadDirection;
    m_direction = direction;
    memset(m_iv, 0, sizeof(m_iv));
    if (!key)
        return BadKeyMaterial;

    // Key expansion for a 256-bit key: 8 words of key, then 52 derived words.
    const SBoxes& boxes = Boxes();
    const int keyWords = KeySize / 4;
    const int totalWords = 4 * (Rounds + 1);
    memcpy(m_schedule, key, KeySize);
    BYTE rcon = 1;
    for (int i = keyWords; i < totalWords; ++i) {
        BYTE temp[4];
        memcpy(temp, m_schedule + 4 * (i - 1), 4);
        if (i % keyWords == 0) {
            BYTE first = temp[0];
            temp[0] = BYTE(boxes.forward[temp[1]] ^ rcon);
            temp[1] = boxes.forward[temp[2]];
            temp[2] = boxes.forward[temp[3]];
            temp[3] = boxes.forward[first];
            rcon = GfMul(rcon, 2);
        } else if (i % keyWords == 4) {
            for (int k = 0; k < 4; ++k)
                temp[k] = boxes.forward[temp[k]];
        }
        for (int k = 0; k < 4; ++k)
            m_schedule[4 * i + k] = BYTE(m_schedule[4 * (i - keyWords) + k] ^ temp[k]);
    }
    m_state = 0;
    return 0;
}

void AesCipher::EncryptBlock(const BYTE in[16], BYTE out[16]) const
{
    const SBoxes& boxes = Boxes();
    BYTE s[16];
    memcpy(s, in, 16);
    AddRoundKey(s, m_schedule);
    for (int round = 1; round <= Rounds; ++round) {
        for (int i = 0; i < 16; ++i)
            s[i] = boxes.forward[s[i]];
        ShiftRows(s);
        if (round != Rounds)
            MixColumns(s);
        AddRoundKey(s, m_schedule + 16 * round);
    }
    memcpy(out, s, 16);
}

void AesCipher::DecryptBlock(const BYTE in[16], BYTE out[16]) const
{
    const SBoxes& boxes = Boxes();
    BYTE s[16];
    memcpy(s, in, 16);
    AddRoundKey(s, m_schedule + 16 * Rounds);
    for (int round = Rounds - 1; round >= 0; --round) {
        InvShiftRows(s);
        for (int i = 0; i < 16; ++i)
            s[i] = boxes.inverse[s[i]];
        AddRoundKey(s, m_schedule + 16 * round);
        if (round != 0)
            InvMixColumns(s);
    }
    memcpy(out, s, 16);
}

int AesCipher::Encrypt(const BYTE* input, int length, BYTE* output) const
{
    if (m_state != 0 || m_direction != DirEncrypt)
        return BadCipherState;
    if (!input || length < 1)
        return 0;

    BYTE chain[16];
    memcpy(chain, m_iv, 16);
    const int whole = length / 16;
    BYTE block[16];
    for (int b = 0; b <= whole; ++b) {
        if (b < whole) {
            memcpy(block, input + 16 * b, 16);
        } else {
            // The last block carries the rest and 1 to 16 pad bytes, each the pad length.
            int rest = length - 16 * whole;
            memcpy(block, input + 16 * whole, rest);
            memset(block + rest, 16 - rest, 16 - rest);
        }
        for (int i = 0; i < 16; ++i)
            block[i] ^= chain[i];
        EncryptBlock(block, output + 16 * b);
        memcpy(chain, output + 16 * b, 16);
    }
    return (whole + 1) * 16;
}

int AesCipher::Decrypt(const BYTE* input, int length, BYTE* output) const
{
    if (m_state != 0)
        return BadCipherState;
    if (m_direction != DirDecrypt)
        return BadDirectionUse;
    if (!input || length <= 0)
        return 0;
    if (length % 16 != 0)
        return BadData;

    BYTE chain[16];
    memcpy(chain, m_iv, 16);
    BYTE block[16];
    for (int b = 0; b < length / 16; ++b) {
        DecryptBlock(input + 16 * b, block);
        for (int i = 0; i < 16; ++i)
            block[i] ^= chain[i];
        memcpy(chain, input + 16 * b, 16);
        memcpy(output + 16 * b, block, 16);
    }
    int pad = output[length - 1];
    if (pad < 1 || pad > 16)
        return BadData;
    for (int i = 1; i <= pad; ++i) {
        if (output[length - i] != pad)
            return BadData;
    }
    return length - pad;
}
