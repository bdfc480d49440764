#include "reader/book/SealedValues.h"
#include "reader/book/AesCipher.h"
#include "reader/book/Base64.h"
#include "reader/book/Md5.h"
#include "platform/framework/ComSupport.h"
#include "platform/framework/DebugChecks.h"
#include <wincrypt.h>
#include <string.h>
#include <vector>

const char g_szSealingPassPhrase[] = "KeyPhraseForSealingSecrets";

namespace {

// U+FFFF is a non-character: no keyboard or input method produces it.
const wchar_t kUnusableMark = 0xFFFF;

// A new stream over memory that goes with the stream; null when none can be made.
CComPtr<IStream> NewMemoryStream()
{
    CComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        stream.Detach(); // whatever a failing call left there is not a reference
    return stream;
}

BOOL Rewind(IStream* stream)
{
    LARGE_INTEGER zero = {};
    return SUCCEEDED(stream->Seek(zero, STREAM_SEEK_SET, nullptr));
}

BOOL GetStreamSize(IStream* stream, ULONGLONG& size)
{
    STATSTG stat = {};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)))
        return FALSE;
    size = stat.cbSize.QuadPart;
    return TRUE;
}

// Runs the cipher over the stream chunk by chunk and replaces the stream's content
// by the result.
BOOL TransformStream(const char* passPhrase, IStream* stream, int direction)
{
    if (!stream || !passPhrase || !Rewind(stream))
        return FALSE;
    ULONGLONG size = 0;
    if (!GetStreamSize(stream, size) || size == 0)
        return FALSE;

    CStringA key = MakeKeyText(passPhrase);
    AesCipher cipher;
    if (cipher.Init(reinterpret_cast<const BYTE*>(key.GetString()), AesCipher::ModeCBC, direction) != 0)
        return FALSE;

    CComPtr<IStream> output = NewMemoryStream();
    if (!output)
        return FALSE;

    const ULONG chunk = (direction == AesCipher::DirEncrypt) ? SealClearChunk : SealSealedChunk;
    BYTE in[SealSealedChunk];
    BYTE out[SealSealedChunk + AesCipher::BlockSize];
    for (;;) {
        ULONG read = 0;
        if (FAILED(stream->Read(in, chunk, &read)))
            return FALSE;
        if (read == 0)
            break;
        int produced = (direction == AesCipher::DirEncrypt) ? cipher.Encrypt(in, int(read), out)
                                                            : cipher.Decrypt(in, int(read), out);
        if (produced < 0)
            return FALSE;
        // The padding adds at most one block to a chunk; `out` has room for exactly that.
        QOR_ASSERT(size_t(produced) <= sizeof(out));
        ULONG written = 0;
        if (produced > 0 && (FAILED(output->Write(out, ULONG(produced), &written)) || written != ULONG(produced)))
            return FALSE;
        if (read < chunk)
            break;
    }

    ULONGLONG resultSize = 0;
    if (!GetStreamSize(output, resultSize) || !Rewind(output) || !Rewind(stream))
        return FALSE;
    ULARGE_INTEGER empty = {};
    if (FAILED(stream->SetSize(empty)))
        return FALSE;
    ULARGE_INTEGER toCopy, copiedIn = {}, copiedOut = {};
    toCopy.QuadPart = resultSize;
    if (FAILED(output->CopyTo(stream, toCopy, &copiedIn, &copiedOut)) || copiedIn.QuadPart != resultSize ||
        copiedOut.QuadPart != resultSize)
        return FALSE;
    return Rewind(stream);
}

BOOL ReadWholeStream(IStream* stream, std::vector<BYTE>& bytes)
{
    ULONGLONG size = 0;
    if (!GetStreamSize(stream, size) || size > 0x7FFFFFFF || !Rewind(stream))
        return FALSE;
    bytes.resize(size_t(size));
    ULONG read = 0;
    if (size > 0 && (FAILED(stream->Read(bytes.data(), ULONG(size), &read)) || read != size))
        return FALSE;
    return TRUE;
}

CString MakeUnusablePassword()
{
    BYTE random[16] = {};
    HCRYPTPROV provider = 0;
    if (CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) {
        CryptGenRandom(provider, sizeof(random), random);
        CryptReleaseContext(provider, 0);
    }
    CString text(kUnusableMark, 1);
    for (BYTE b : random)
        text.AppendFormat(L"%02x", b);
    return text;
}

} // namespace

CStringA MakeKeyText(const char* passPhrase)
{
    BYTE digest[CMd5::DigestSize];
    CMd5::Digest(passPhrase, passPhrase ? strlen(passPhrase) : 0, digest);
    DWORD words[4];
    for (int i = 0; i < 4; ++i) {
        const BYTE* p = digest + 4 * i;
        words[i] = DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
    }
    CStringA key;
    key.Format("%8x%8x%8x%8x", unsigned(words[0]), unsigned(words[1]), unsigned(words[2]), unsigned(words[3]));
    return key;
}

BOOL SealStream(const char* passPhrase, IStream* stream)
{
    return TransformStream(passPhrase, stream, AesCipher::DirEncrypt);
}

BOOL UnsealStream(const char* passPhrase, IStream* stream)
{
    return TransformStream(passPhrase, stream, AesCipher::DirDecrypt);
}

BOOL SealText(const CString& clear, const char* passPhrase, CString& sealed)
{
    if (clear.IsEmpty()) {
        sealed.Empty();
        return TRUE;
    }
    CComPtr<IStream> stream = NewMemoryStream();
    if (!stream)
        return FALSE;
    const ULONG bytes = ULONG(clear.GetLength()) * sizeof(wchar_t);
    ULONG written = 0;
    if (FAILED(stream->Write(clear.GetString(), bytes, &written)) || written != bytes)
        return FALSE;
    if (!SealStream(passPhrase, stream))
        return FALSE;
    std::vector<BYTE> sealedBytes;
    if (!ReadWholeStream(stream, sealedBytes))
        return FALSE;
    std::string text = Base64EncodeLines(sealedBytes.data(), sealedBytes.size());
    sealed = CString(text.c_str(), int(text.size()), CP_ACP);
    return TRUE;
}

BOOL UnsealText(const CString& sealed, const char* passPhrase, CString& clear)
{
    if (sealed.IsEmpty()) {
        clear.Empty();
        return TRUE;
    }
    // Only ASCII can belong to the alphabet; everything else is skipped by the decoder,
    // so it is dropped here rather than mapped to a look-alike letter.
    std::string narrow;
    narrow.reserve(size_t(sealed.GetLength()));
    for (int i = 0; i < sealed.GetLength(); ++i) {
        wchar_t ch = sealed[i];
        if (ch == 0)
            break;
        narrow += (ch < 0x80) ? char(ch) : '?';
    }
    std::vector<BYTE> bytes = Base64Decode(narrow.c_str(), narrow.size());
    if (bytes.empty())
        return FALSE;

    CComPtr<IStream> stream = NewMemoryStream();
    if (!stream)
        return FALSE;
    ULONG written = 0;
    if (FAILED(stream->Write(bytes.data(), ULONG(bytes.size()), &written)) || written != bytes.size())
        return FALSE;
    if (!UnsealStream(passPhrase, stream))
        return FALSE;
    std::vector<BYTE> plain;
    if (!ReadWholeStream(stream, plain))
        return FALSE;

    // UTF-16LE code units up to the first zero unit.
    std::wstring text(plain.size() / 2, L'\0');
    if (!text.empty())
        memcpy(&text[0], plain.data(), text.size() * sizeof(wchar_t));
    clear = text.c_str();
    return TRUE;
}

CString UnsealSetting(LPCWSTR sealed)
{
    if (!sealed || !*sealed)
        return CString();
    CString clear;
    if (!UnsealText(CString(sealed), g_szSealingPassPhrase, clear)) {
        QOR_TRACE_READER(L"a sealed setting does not unseal; it becomes a password no one can type");
        return MakeUnusablePassword();
    }
    return clear;
}

BOOL IsUnusableSealedValue(const CString& value)
{
    return !value.IsEmpty() && value[0] == kUnusableMark;
}
