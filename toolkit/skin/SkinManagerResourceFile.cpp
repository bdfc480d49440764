#include "toolkit/skin/SkinManagerResourceFile.h"

#include <cwchar>

#include "toolkit/skin/SkinImage.h"
#include "toolkit/skin/SkinManager.h"
#include "toolkit/skin/SkinManagerSchema.h"
#include "toolkit/skin/SkinManagerSchemaOffice2007.h"

namespace {

const UINT kDisplayNameId = 5000;
// A folder INI larger than this is no skin.
const LONGLONG kMaxFolderIni = 16 * 1024 * 1024;

BOOL IsFile(LPCTSTR lpszPath)
{
    const DWORD dwAttributes = ::GetFileAttributesW(lpszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The text of a "TEXTFILE" resource as wide characters, bounded by the resource's size.
BOOL FindText(HMODULE hModule, LPCTSTR lpszName, LPCWSTR& pText, size_t& nChars)
{
    HRSRC hResource = ::FindResourceW(hModule, lpszName, L"TEXTFILE");
    if (!hResource)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const DWORD dwSize = ::SizeofResource(hModule, hResource);
    pText = hData ? static_cast<LPCWSTR>(::LockResource(hData)) : nullptr;
    nChars = dwSize / sizeof(WCHAR);
    return pText != nullptr;
}

} // namespace

CQorSkinManagerResourceFile::CQorSkinManagerResourceFile() = default;

CQorSkinManagerResourceFile::~CQorSkinManagerResourceFile()
{
    Close();
}

CString CQorSkinManagerResourceFile::ResourceNameFromFileName(LPCTSTR lpszName)
{
    CString strName(lpszName);
    strName.Replace(L'.', L'_');
    strName.Replace(L'\\', L'_');
    return strName;
}

BOOL CQorSkinManagerResourceFile::IsUnsafeFolderName(LPCTSTR lpszName)
{
    if (!lpszName || !*lpszName)
        return TRUE;
    return lpszName[0] == L'\\' || lpszName[0] == L'/' || wcsstr(lpszName, L"..") != nullptr ||
           wcschr(lpszName, L':') != nullptr;
}

void CQorSkinManagerResourceFile::SetText(LPCWSTR pText, size_t nChars)
{
    m_pCursor = pText;
    m_pEnd = pText + nChars;
    if (m_pCursor < m_pEnd && *m_pCursor == 0xFEFF)
        ++m_pCursor;
}

void CQorSkinManagerResourceFile::OpenTextForTest(LPCWSTR pText, size_t nBytes)
{
    Close();
    SetText(pText, nBytes / sizeof(WCHAR));
}

BOOL CQorSkinManagerResourceFile::Open(LPCTSTR lpszSkinPath, LPCTSTR lpszIniName)
{
    Close();
    m_strSkinPath = lpszSkinPath ? lpszSkinPath : L"";
    m_strIniName = lpszIniName ? lpszIniName : L"";
    if (m_hPresetModule) {
        m_hModule = m_strIniName.IsEmpty() ? nullptr : m_hPresetModule;
    } else {
        if (m_strSkinPath.IsEmpty())
            return FALSE;
        if (!m_strIniName.IsEmpty()) {
            const CString strFile = m_strSkinPath + L"\\" + m_strIniName;
            if (IsFile(strFile)) {
                if (IsUnsafeFolderName(m_strIniName))
                    return FALSE;
                return OpenFolderText(strFile);
            }
        }
        // As data only: the skin's code never runs and nothing would patch it.
        m_hModule = ::LoadLibraryExW(m_strSkinPath, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    if (!m_hModule)
        return FALSE;
    CString strIni = m_strIniName.IsEmpty() ? DefaultIniName() : m_strIniName;
    if (strIni.IsEmpty())
        return FALSE;
    LPCWSTR pText = nullptr;
    size_t nChars = 0;
    if (!FindText(m_hModule, ResourceNameFromFileName(strIni), pText, nChars))
        return FALSE;
    SetText(pText, nChars);
    return TRUE;
}

CString CQorSkinManagerResourceFile::DefaultIniName() const
{
    LPCWSTR pText = nullptr;
    size_t nChars = 0;
    if (!FindText(m_hModule, L"THEMES_INI", pText, nChars))
        return CString();
    static const wchar_t kHeader[] = L"[File.";
    const size_t nHeader = 6;
    for (size_t i = 0; i + nHeader <= nChars; ++i) {
        if (wcsncmp(pText + i, kHeader, nHeader) != 0)
            continue;
        const size_t nStart = i + nHeader;
        for (size_t j = nStart; j < nChars; ++j) {
            if (pText[j] == L']')
                return j > nStart ? CString(pText + nStart, static_cast<int>(j - nStart)) + L"_ini" : CString();
            if (pText[j] == L'\r' || pText[j] == L'\n')
                break;
        }
        return CString(); // a header without its "]" names nothing
    }
    return CString();
}

BOOL CQorSkinManagerResourceFile::OpenFolderText(LPCTSTR lpszPath)
{
    HANDLE hFile = ::CreateFileW(lpszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size = {};
    BOOL bOk = ::GetFileSizeEx(hFile, &size) && size.QuadPart <= kMaxFolderIni;
    CStringA strBytes;
    if (bOk && size.QuadPart > 0) {
        DWORD dwRead = 0;
        char* pBuffer = strBytes.GetBufferSetLength(static_cast<int>(size.QuadPart));
        bOk = ::ReadFile(hFile, pBuffer, static_cast<DWORD>(size.QuadPart), &dwRead, nullptr) &&
              dwRead == static_cast<DWORD>(size.QuadPart);
    }
    ::CloseHandle(hFile);
    if (!bOk)
        return FALSE;
    const int nBytes = strBytes.GetLength();
    const unsigned char* pBytes = reinterpret_cast<const unsigned char*>(static_cast<const char*>(strBytes));
    if (nBytes >= 2 && pBytes[0] == 0xFF && pBytes[1] == 0xFE) {
        m_strFileText = CString(reinterpret_cast<const wchar_t*>(pBytes + 2), (nBytes - 2) / 2);
    } else if (nBytes > 0) {
        const int nChars = ::MultiByteToWideChar(CP_ACP, 0, strBytes, nBytes, nullptr, 0);
        wchar_t* pOut = m_strFileText.GetBufferSetLength(nChars);
        ::MultiByteToWideChar(CP_ACP, 0, strBytes, nBytes, pOut, nChars);
        m_strFileText.ReleaseBuffer(nChars);
    }
    m_bFolder = TRUE;
    SetText(m_strFileText, static_cast<size_t>(m_strFileText.GetLength()));
    return TRUE;
}

BOOL CQorSkinManagerResourceFile::ReadLine(CString& strLine)
{
    strLine.Empty();
    if (!m_pCursor || m_pCursor >= m_pEnd || *m_pCursor == 0)
        return FALSE;
    LPCWSTR p = m_pCursor;
    while (p < m_pEnd && *p != L'\r' && *p != L'\n' && *p != 0)
        ++p;
    strLine = CString(m_pCursor, static_cast<int>(p - m_pCursor));
    if (p < m_pEnd && *p == L'\r') {
        ++p;
        if (p < m_pEnd && *p == L'\n')
            ++p;
    } else if (p < m_pEnd && *p == L'\n') {
        ++p;
    }
    m_pCursor = p;
    return TRUE;
}

void CQorSkinManagerResourceFile::Close()
{
    m_pCursor = m_pEnd = nullptr;
    m_strFileText.Empty();
    m_bFolder = FALSE;
    if (m_hModule && m_hModule != m_hPresetModule)
        ::FreeLibrary(m_hModule);
    m_hModule = nullptr;
}

CQorSkinImage* CQorSkinManagerResourceFile::LoadImage(LPCTSTR lpszName)
{
    if (!lpszName || !*lpszName)
        return nullptr;
    const BOOL bPremultiply = !m_pOwner || !m_pOwner->GetSchema() || m_pOwner->GetSchema()->IsPremultiply();
    CQorSkinImage* pImage = new CQorSkinImage(m_pOwner);
    BOOL bLoaded = FALSE;
    if (m_bFolder) {
        const CString strPath = m_strSkinPath + L"\\" + lpszName;
        bLoaded = !IsUnsafeFolderName(lpszName) && IsFile(strPath) && pImage->LoadFromFile(strPath, bPremultiply);
    } else if (m_hModule) {
        bLoaded = pImage->LoadFromResource(ResourceNameFromFileName(lpszName), m_hModule, bPremultiply);
    }
    if (!bLoaded) {
        delete pImage;
        return nullptr;
    }
    return pImage;
}

CQorSkinManagerSchema* CQorSkinManagerResourceFile::CreateSchema()
{
    wchar_t szName[200] = {};
    HMODULE hModule = m_hModule ? m_hModule : ::GetModuleHandleW(nullptr);
    if (::LoadStringW(hModule, kDisplayNameId, szName, 200) > 0 && _wcsicmp(szName, L"Office 2007 Style") == 0)
        return new CQorSkinManagerSchemaOffice2007(m_pOwner);
    return new CQorSkinManagerSchemaDefault(m_pOwner);
}
