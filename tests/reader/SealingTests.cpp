// Sealed values against known answers made with md5sum, openssl and base64
// (tests/reader/vectors/make-sealing-vectors.sh prints every constant used here).
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "reader/book/AesCipher.h"
#include "reader/book/Base64.h"
#include "reader/book/Md5.h"
#include "reader/book/SealedValues.h"

namespace {

std::string Hex(const BYTE* p, size_t n)
{
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}

std::vector<BYTE> FromHex(const char* hex)
{
    std::vector<BYTE> bytes;
    for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
        auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
        bytes.push_back(BYTE(nibble(hex[i]) * 16 + nibble(hex[i + 1])));
    }
    return bytes;
}

std::string Md5Hex(const void* p, size_t n)
{
    BYTE digest[16];
    CMd5::Digest(p, n, digest);
    return Hex(digest, 16);
}

// The byte pattern of the vector script: byte i is (7i + 3) mod 256.
std::vector<BYTE> Pattern(size_t n)
{
    std::vector<BYTE> bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = BYTE((i * 7 + 3) % 256);
    return bytes;
}

// n letters A..Z repeated.
CString Letters(int n)
{
    CString text;
    for (int i = 0; i < n; ++i)
        text += wchar_t(L'A' + i % 26);
    return text;
}

// Seals the UTF-16LE bytes of a text at stream level and returns the sealed bytes.
std::vector<BYTE> SealedBytes(const CString& clear, const char* phrase)
{
    IStream* stream = nullptr;
    EXPECT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    ULONG written = 0;
    stream->Write(clear.GetString(), ULONG(clear.GetLength() * 2), &written);
    EXPECT_TRUE(SealStream(phrase, stream));
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<BYTE> bytes(size_t(stat.cbSize.QuadPart));
    ULONG read = 0;
    stream->Read(bytes.data(), ULONG(bytes.size()), &read);
    stream->Release();
    return bytes;
}

AesCipher DecryptingCipher()
{
    AesCipher cipher;
    CStringA key = MakeKeyText(g_szSealingPassPhrase);
    EXPECT_EQ(0,
              cipher.Init(reinterpret_cast<const BYTE*>(key.GetString()), AesCipher::ModeCBC, AesCipher::DirDecrypt));
    return cipher;
}

} // namespace

TEST(Md5, MatchesMd5sumAcrossBlockBoundaries)
{
    struct
    {
        const char* text;
        const char* digest;
    } texts[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    };
    for (const auto& t : texts)
        EXPECT_EQ(t.digest, Md5Hex(t.text, strlen(t.text))) << '"' << t.text << '"';

    // Lengths around the 56-byte pad boundary and whole blocks.
    struct
    {
        size_t length;
        const char* digest;
    } patterns[] = {
        {55, "52c0e574e1198de5fe3f8f11440dcb1b"},  {56, "46c9907fc908ee68b1e7b8e71286a518"},
        {63, "a62f6d59e837867693f042f5b8f5a236"},  {64, "7160b8fb5e9e4023d549c3971fbaeead"},
        {65, "70bd662e7aefbda85a0f7244167b7897"},  {119, "e84905d4214f4d1ca56c2cdcc152b143"},
        {120, "e3eb5a6c8669ea01a8c185b8abc8a5dc"},
    };
    for (const auto& p : patterns) {
        std::vector<BYTE> bytes = Pattern(p.length);
        EXPECT_EQ(p.digest, Md5Hex(bytes.data(), bytes.size())) << p.length << " bytes";
    }
}

TEST(Md5, PiecewiseUpdatesGiveTheDigestOfTheWhole)
{
    std::string million(1000000, 'a');
    EXPECT_EQ("7707d6ae4e027c70eea2a935c2296f21", Md5Hex(million.data(), million.size()));
    CMd5 md5;
    size_t sizes[] = {1, 63, 64, 65, 7, 1000};
    size_t done = 0, k = 0;
    while (done < million.size()) {
        size_t n = std::min(sizes[k++ % 6], million.size() - done);
        md5.Update(million.data() + done, n);
        done += n;
    }
    BYTE digest[16];
    md5.Final(digest);
    EXPECT_EQ("7707d6ae4e027c70eea2a935c2296f21", Hex(digest, 16));
}

TEST(Sealing, KeyTextFillsShortDigestWordsWithSpaces)
{
    struct
    {
        const char* phrase;
        const char* key;
    } cases[] = {
        {"KeyPhraseForSealingSecrets", "98cddb70e48bc5317a709534851cd71c"},
        {"Phrase7", "727d00e8d738f5a83dfbce99  e6dbfe"},  // last word 0x00e6dbfe
        {"Phrase13", "9e50272645687765 19d14d2d08a6423"}, // third word 0x019d14d2
        {"Phrase20", "3dbf7ca0 a737c0d1d377a66432359c4"}, // second word 0x0a737c0d
    };
    for (const auto& c : cases) {
        CStringA key = MakeKeyText(c.phrase);
        EXPECT_EQ(32, key.GetLength());
        EXPECT_STREQ(c.key, key.GetString()) << c.phrase;
    }
}

TEST(Sealing, AesBlockMatchesFips197)
{
    BYTE key[32];
    for (int i = 0; i < 32; ++i)
        key[i] = BYTE(i);
    std::vector<BYTE> plain = FromHex("00112233445566778899aabbccddeeff");
    AesCipher cipher;
    ASSERT_EQ(0, cipher.Init(key, AesCipher::ModeCBC, AesCipher::DirEncrypt));
    BYTE out[32];
    // With a zero vector the first CBC block is the plain block cipher.
    ASSERT_EQ(32, cipher.Encrypt(plain.data(), 16, out));
    EXPECT_EQ("8ea2b7ca516745bfeafc49904b496089", Hex(out, 16));

    AesCipher back;
    ASSERT_EQ(0, back.Init(key, AesCipher::ModeCBC, AesCipher::DirDecrypt));
    BYTE clear[32];
    ASSERT_EQ(16, back.Decrypt(out, 32, clear));
    EXPECT_EQ("00112233445566778899aabbccddeeff", Hex(clear, 16));
}

TEST(Sealing, SealTextMatchesOpenssl)
{
    struct
    {
        const wchar_t* clear;
        const char* phrase;
        const wchar_t* sealed;
    } cases[] = {
        {L"Secret1", "KeyPhraseForSealingSecrets", L"vcr28Q3/0SEA+o+Tg0yqJw=="},
        {L"Password", "KeyPhraseForSealingSecrets", L"gZe1cwuXPOre8QhTOYYas3HnFpp+3w94FzMkBb8svpc="},
        {L"Kennwort \u00e4\u20ac", "KeyPhraseForSealingSecrets", L"6ayoCQ1zUfKqeZ+SCaRwZogLpJ9K0lQz1Zs4VY+ljc8="},
        {L"Secret1", "Phrase7", L"UE4qdOK7pxkYjqUACHeA9A=="},
    };
    for (const auto& c : cases) {
        CString sealed;
        ASSERT_TRUE(SealText(c.clear, c.phrase, sealed));
        EXPECT_STREQ(c.sealed, sealed.GetString());
        CString clear;
        ASSERT_TRUE(UnsealText(c.sealed, c.phrase, clear));
        EXPECT_STREQ(c.clear, clear.GetString());
    }
    // Eight characters are 16 bytes: a whole block of pad bytes follows.
    EXPECT_EQ(32u, SealedBytes(L"Password", g_szSealingPassPhrase).size());
    EXPECT_STREQ(L"Secret1", UnsealSetting(L"vcr28Q3/0SEA+o+Tg0yqJw==").GetString());
}

TEST(Sealing, ChunksOf1024BytesAreSealedEachFromTheZeroVector)
{
    struct
    {
        int chars;
        size_t sealedSize;
        const char* sealedMd5;
        const char* lastBlock;
        int textLength;
        const char* textMd5;
    } cases[] = {
        {512, 1040, "40d35202a6f2bea6b8a14a22f31f99d8", "ceea05b820e3a7ee5c37b6d91401aba6", 1424,
         "9e1c972735dee5a7b6aa038d9d87577d"},
        {513, 1056, "bda8e2282f317a4988c827fcf596c1a3", "744589fa39470cf219968bafb102b206", 1444,
         "fc28c08ebc90f044f95292494a18e92d"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chars);
        CString clear = Letters(c.chars);
        std::vector<BYTE> bytes = SealedBytes(clear, g_szSealingPassPhrase);
        ASSERT_EQ(c.sealedSize, bytes.size());
        EXPECT_EQ(c.sealedMd5, Md5Hex(bytes.data(), bytes.size()));
        EXPECT_EQ("24a039e77e6348667e7058ae8378d47c", Hex(bytes.data(), 16));
        EXPECT_EQ(c.lastBlock, Hex(bytes.data() + bytes.size() - 16, 16));

        CString sealed;
        ASSERT_TRUE(SealText(clear, g_szSealingPassPhrase, sealed));
        CStringA narrow(sealed, CP_ACP);
        EXPECT_EQ(c.textLength, narrow.GetLength());
        EXPECT_EQ(c.textMd5, Md5Hex(narrow.GetString(), size_t(narrow.GetLength())));

        // Unsealing reads the stream back in chunks of 1040 bytes.
        CString back;
        ASSERT_TRUE(UnsealText(sealed, g_szSealingPassPhrase, back));
        EXPECT_TRUE(back == clear);
    }
}

TEST(Sealing, PadBytesAreChecked)
{
    struct
    {
        const char* block;
        int result;
    } cases[] = {
        {"de2c26bff41be4beed456b09e89e0a4b", AesCipher::BadData}, // pad byte 0
        {"614109210aee87bcf324ec3f953715fd", AesCipher::BadData}, // pad byte 17
        {"7972bad118498bfdc90602db08fa826e", AesCipher::BadData}, // 01 03 03
        {"12f05fc58f88d6e42636811be7a9e4bd", 13},                 // 03 03 03
        {"c8b69efb2e9823a04e82370a871e1283", 0},                  // a whole block of 16
    };
    AesCipher cipher = DecryptingCipher();
    for (const auto& c : cases) {
        std::vector<BYTE> block = FromHex(c.block);
        BYTE out[16];
        EXPECT_EQ(c.result, cipher.Decrypt(block.data(), 16, out)) << c.block;
        if (c.result == 13) {
            EXPECT_EQ(0, memcmp(out, "A\0B\0C\0D\0E\0F\0G", 13));
        }
    }
    BYTE any[32] = {};
    BYTE out[32];
    EXPECT_EQ(AesCipher::BadData, cipher.Decrypt(any, 15, out));
    EXPECT_EQ(AesCipher::BadData, cipher.Decrypt(any, 17, out));
    EXPECT_EQ(0, cipher.Decrypt(any, 0, out));
}

TEST(Sealing, CipherReportsItsErrorCodes)
{
    BYTE key[32] = {};
    BYTE in[16] = {}, out[48];
    AesCipher fresh;
    EXPECT_EQ(AesCipher::BadCipherState, fresh.Encrypt(in, 16, out));
    EXPECT_EQ(AesCipher::BadCipherState, fresh.Decrypt(in, 16, out));

    AesCipher cipher;
    EXPECT_EQ(AesCipher::BadDirection, cipher.Init(key, AesCipher::ModeCBC, 2));
    EXPECT_EQ(AesCipher::BadKeyMaterial, cipher.Init(nullptr, AesCipher::ModeCBC, AesCipher::DirEncrypt));
    EXPECT_EQ(AesCipher::BadCipherState, cipher.Encrypt(in, 16, out)); // set-up failed: not ready

    ASSERT_EQ(0, cipher.Init(key, AesCipher::ModeCBC, AesCipher::DirEncrypt));
    EXPECT_EQ(0, cipher.Encrypt(in, 0, out));
    EXPECT_EQ(16, cipher.Encrypt(in, 15, out));
    EXPECT_EQ(AesCipher::BadDirectionUse, cipher.Decrypt(in, 16, out));

    ASSERT_EQ(0, cipher.Init(key, AesCipher::ModeCBC, AesCipher::DirDecrypt));
    EXPECT_EQ(AesCipher::BadCipherState, cipher.Encrypt(in, 16, out));
}

TEST(Sealing, ValuesThatDoNotUnsealLeaveTheOutputAndLockTheBook)
{
    // One block whose pad byte is 0, as Base64; text that is no Base64 at all; a
    // length that is not a whole number of blocks.
    std::vector<BYTE> badPad = FromHex("de2c26bff41be4beed456b09e89e0a4b");
    std::string badPadText = Base64EncodeLines(badPad.data(), badPad.size());
    const CString bad[] = {CString(badPadText.c_str()), L"!!!!", L"QUJD", L"vcr28Q3/0SEA+o+Tg0yq"};
    for (const CString& sealed : bad) {
        SCOPED_TRACE(CStringA(sealed, CP_ACP).GetString());
        CString clear = L"untouched";
        EXPECT_FALSE(UnsealText(sealed, g_szSealingPassPhrase, clear));
        EXPECT_STREQ(L"untouched", clear.GetString());

        // A password that is there but damaged must not open the book.
        CString password = UnsealSetting(sealed);
        EXPECT_FALSE(password.IsEmpty());
        EXPECT_TRUE(IsUnusableSealedValue(password));
        EXPECT_GE(password.GetLength(), 17);
        EXPECT_FALSE(UnsealSetting(sealed) == password);
    }
    // Nothing there means no password, and the cipher is never asked.
    EXPECT_TRUE(UnsealSetting(nullptr).IsEmpty());
    EXPECT_TRUE(UnsealSetting(L"").IsEmpty());
    CString clear = L"x";
    EXPECT_TRUE(UnsealText(L"", g_szSealingPassPhrase, clear));
    EXPECT_TRUE(clear.IsEmpty());
    CString sealed = L"x";
    EXPECT_TRUE(SealText(L"", g_szSealingPassPhrase, sealed));
    EXPECT_TRUE(sealed.IsEmpty());
    // A wrong pass phrase fails the pad check (for this value).
    EXPECT_FALSE(UnsealText(L"vcr28Q3/0SEA+o+Tg0yqJw==", "Phrase7", clear));
}

TEST(Base64, LinesHold19GroupsAndTheFinalGroupFollowsDirectly)
{
    struct
    {
        size_t length;
        const char* text;
    } cases[] = {
        {1, "Aw=="},
        {2, "Awo="},
        {3, "AwoR"},
        {56, "AwoRGB8mLTQ7QklQV15lbHN6gYiPlp2kq7K5wMfO1dzj6vH4/wYNFBsiKTA3PkVMU1phaG92fYQ="},
        {57, "AwoRGB8mLTQ7QklQV15lbHN6gYiPlp2kq7K5wMfO1dzj6vH4/wYNFBsiKTA3PkVMU1phaG92fYSL\r\n"},
        {58, "AwoRGB8mLTQ7QklQV15lbHN6gYiPlp2kq7K5wMfO1dzj6vH4/wYNFBsiKTA3PkVMU1phaG92fYSL\r\nkg=="},
        {59, "AwoRGB8mLTQ7QklQV15lbHN6gYiPlp2kq7K5wMfO1dzj6vH4/wYNFBsiKTA3PkVMU1phaG92fYSL\r\nkpk="},
        {114, "AwoRGB8mLTQ7QklQV15lbHN6gYiPlp2kq7K5wMfO1dzj6vH4/wYNFBsiKTA3PkVMU1phaG92fYSL\r\n"
              "kpmgp661vMPK0djf5u30+wIJEBceJSwzOkFIT1ZdZGtyeYCHjpWco6qxuL/GzdTb4unw9/4FDBMa\r\n"},
        {115, "AwoRGB8mLTQ7QklQV15lbHN6gYiPlp2kq7K5wMfO1dzj6vH4/wYNFBsiKTA3PkVMU1phaG92fYSL\r\n"
              "kpmgp661vMPK0djf5u30+wIJEBceJSwzOkFIT1ZdZGtyeYCHjpWco6qxuL/GzdTb4unw9/4FDBMa\r\nIQ=="},
    };
    for (const auto& c : cases) {
        std::vector<BYTE> bytes = Pattern(c.length);
        EXPECT_EQ(c.text, Base64EncodeLines(bytes.data(), bytes.size())) << c.length << " bytes";
        EXPECT_EQ(bytes, Base64Decode(c.text, strlen(c.text))) << c.length << " bytes";
    }
}

TEST(Base64, DecodingSkipsForeignCharactersAndStopsAtZero)
{
    auto decode = [](const char* text, size_t length) {
        std::vector<BYTE> bytes = Base64Decode(text, length);
        return std::string(bytes.begin(), bytes.end());
    };
    EXPECT_EQ("ABCD", decode("QU JD\r\nRA", 9));   // short final group of two characters
    EXPECT_EQ("ABCDE", decode("QUJDREU", 7));      // three characters fill two bytes
    EXPECT_EQ("ABC", decode("QUJDR", 5));          // one character fills none
    EXPECT_EQ("ABC", decode("QUJD\0REVG", 9));     // stops at a zero byte
    EXPECT_EQ("ABCDEF", decode("QUJD=*REVG", 10)); // "=" and others are skipped
    EXPECT_EQ("AB", decode("QUJDREVG", 3));        // bounded by the length given
}
