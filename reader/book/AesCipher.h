// AES-256 (FIPS-197) in CBC mode with PKCS#7 pad bytes, as used for sealed values.
// Every Encrypt or Decrypt call starts again from the stored all-zero vector, so a
// sealed stream is a sequence of independently enciphered chunks.
#pragma once
#include <windows.h>

class AesCipher
{
public:
    enum Mode { ModeCBC = 1 };
    enum Direction { DirEncrypt = 0, DirDecrypt = 1 };
    enum Result {
        BadDirection = -2,    // Init: direction neither encipher nor decipher
        BadKeyMaterial = -4,  // Init: no key
        BadCipherState = -5,  // not ready, or Encrypt on a deciphering object
        BadDirectionUse = -6, // Decrypt on an enciphering object
        BadData = -7,         // Decrypt: length not a multiple of 16 or invalid pad bytes
    };
    enum { BlockSize = 16, KeySize = 32, Rounds = 14 };

    AesCipher();

    // Sets up the cipher with a 32-byte key; 0 or an error code.
    int Init(const BYTE* key, int mode, int direction);
    // Enciphers `length` bytes with pad bytes into `output`, which must hold
    // (length / 16 + 1) * 16 bytes; returns that count, 0 for no input, or an error code.
    int Encrypt(const BYTE* input, int length, BYTE* output) const;
    // Deciphers `length` bytes into `output` (at least `length` bytes); returns the
    // number of clear bytes, 0 for no input, or an error code.
    int Decrypt(const BYTE* input, int length, BYTE* output) const;

private:
    void EncryptBlock(const BYTE in[16], BYTE out[16]) const;
    void DecryptBlock(const BYTE in[16], BYTE out[16]) const;

    int m_state; // 1 while being set up, 0 when ready
    int m_mode;
    int m_direction;
    BYTE m_iv[BlockSize];
    BYTE m_schedule[(Rounds + 1) * BlockSize];
};
