#include "reader/book/TextFileLoader.h"
#include "reader/book/CharsetDecoding.h"
#include "reader/app/FileUtil.h"
#include <stdio.h>
#include <string.h>
#include <new>
#include <vector>

namespace {

template <typename Char> size_t NormalizeLineEnds(Char* text, size_t count)
{
    size_t out = 0;
    for (size_t i = 0; i < count; ++i) {
        Char ch = text[i];
        if (ch == 0)
            continue;
        if (ch == Char('\r')) {
            if (i + 1 < count && text[i + 1] == Char('\n'))
                continue;
            ch = Char('\n');
        }
        text[out++] = ch;
    }
    text[out] = 0;
    return out;
}

// Files this large are not text the reader loads; the limit keeps sizes in int range.
const ULONGLONG kMaxTextFileSize = 0x7FFFFFF0;

} // namespace

size_t NormalizeWideLineEnds(wchar_t* text, size_t byteCount)
{
    return NormalizeLineEnds(text, byteCount / sizeof(wchar_t));
}

size_t NormalizeByteLineEnds(char* text, size_t byteCount)
{
    return NormalizeLineEnds(text, byteCount);
}

BOOL DecodeTextBuffer(const BYTE* bytes, size_t size, LPCWSTR path, CString& text)
{
    if ((!bytes && size > 0) || size > kMaxTextFileSize)
        return FALSE;
    // A private copy with four zero bytes after the data: room for the terminator of
    // either width, whatever the caller's buffer holds.
    std::vector<BYTE> buffer(size + 4, 0);
    if (size > 0)
        memcpy(buffer.data(), bytes, size);

    const bool utf16Bom = size >= 2 && buffer[0] == 0xFF && buffer[1] == 0xFE;
    const bool utf8Bom = size >= 3 && buffer[0] == 0xEF && buffer[1] == 0xBB && buffer[2] == 0xBF;

    bool utf16 = utf16Bom && size > 1;
    if (!utf16Bom && size > 10 && size % 2 == 0 && memchr(buffer.data(), 0, size) != nullptr)
        utf16 = IsTextUnicode(buffer.data(), int(size), nullptr) != FALSE;

    if (utf16) {
        wchar_t* wide = reinterpret_cast<wchar_t*>(buffer.data());
        NormalizeWideLineEnds(wide, size);
        // Zero units are gone, so the BOM (when present) is the first unit.
        text = (utf16Bom && wide[0] == 0xFEFF) ? wide + 1 : wide;
        return TRUE;
    }

    char* narrow = reinterpret_cast<char*>(buffer.data());
    size_t length = NormalizeByteLineEnds(narrow, size);
    if (utf8Bom && size > 2) {
        text = CString(narrow + 3, int(length >= 3 ? length - 3 : 0), CP_UTF8);
        return TRUE;
    }
    CString extension = GetFileExtensionOfPath(path);
    extension.MakeLower();
    if (extension.Find(L".htm") >= 0)
        return DecodeHtmlText(narrow, text);
    if (extension.Find(L".xml") >= 0)
        return DecodeXmlText(narrow, text);
    text = ConvertCodePageText(narrow, 0);
    return TRUE;
}

BOOL LoadTextFile(LPCWSTR path, CString& text)
{
    const ULONGLONG size = GetFileSizeOfPath(path);
    if (size > kMaxTextFileSize)
        return FALSE;
    FILE* file = _wfopen(path, L"rb");
    if (!file)
        return FALSE;
    BYTE* buffer = new (std::nothrow) BYTE[size_t(size) + 4];
    if (!buffer) {
        fclose(file);
        return FALSE;
    }
    memset(buffer, 0, size_t(size) + 4);
    size_t read = size > 0 ? fread(buffer, 1, size_t(size), file) : 0;
    fclose(file);
    BOOL ok = FALSE;
    try {
        ok = DecodeTextBuffer(buffer, read, path, text);
    } catch (...) {
        ok = FALSE;
    }
    delete[] buffer;
    return ok;
}
