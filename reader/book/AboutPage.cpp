#include "reader/book/AboutPage.h"
#include <vector>
#include "reader/app/FileUtil.h"

CString ConvertLineBreaks(const CString& text)
{
    CString result;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r'))
            result += L'\r';
        result += text[i];
    }
    return result;
}

CString WriteAboutPage(const CString& html, const CString& folder)
{
    return WriteUtf16PageFile(ConvertLineBreaks(html), folder);
}

CString WriteUtf16PageFile(const CString& text, const CString& folder)
{
    std::vector<BYTE> bytes = {0xFF, 0xFE};
    const BYTE* units = reinterpret_cast<const BYTE*>(text.GetString());
    bytes.insert(bytes.end(), units, units + text.GetLength() * sizeof(wchar_t));
    CString path;
    path.Format(L"%s%lu.htm", folder.GetString(), static_cast<unsigned long>(::GetTickCount()));
    return WriteBytesToFile(path, bytes.data(), bytes.size()) ? path : CString();
}
