#include "toolkit/foundation/Office2007Image.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/ProcessSingleton.h"
#include "platform/framework/AfxState.h"
#include <cstdlib>
#include <cwchar>
#include <optional>

namespace {

const COLORREF kNoColour = static_cast<COLORREF>(-1);

// Straight alpha to premultiplied, in place, for a 32-bit section.
void Premultiply(HBITMAP hBitmap)
{
    DIBSECTION ds = {};
    if (GetObjectW(hBitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBitsPixel != 32 || ds.dsBm.bmBits == nullptr)
        return;
    BYTE* p = static_cast<BYTE*>(ds.dsBm.bmBits);
    const size_t count = static_cast<size_t>(ds.dsBm.bmWidth) * static_cast<size_t>(std::abs(ds.dsBm.bmHeight));
    for (size_t i = 0; i < count; ++i, p += 4) {
        const unsigned a = p[3];
        for (int c = 0; c < 3; ++c)
            p[c] = static_cast<BYTE>((p[c] * a + 127) / 255);
    }
}

// One of the nine parts: copied as is, stretched, or alpha-blended.
void CopyPart(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc, BOOL bAlpha)
{
    if (rcDest.IsRectEmpty() || rcSrc.IsRectEmpty())
        return;
    if (bAlpha) {
        GetDrawHelpers()->AlphaBlend(hdcDest, rcDest, hdcSrc, rcSrc);
    } else if (rcDest.Width() == rcSrc.Width() && rcDest.Height() == rcSrc.Height()) {
        ::BitBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc, rcSrc.left, rcSrc.top,
                 SRCCOPY);
    } else {
        ::StretchBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc, rcSrc.left, rcSrc.top,
                     rcSrc.Width(), rcSrc.Height(), SRCCOPY);
    }
}

// The destination's margins along one axis when the destination is too small for the
// source's: the space is shared in the margins' ratio. Zero margins share nothing.
void ShareMargins(int nLength, int nFirst, int nSecond, bool bRoundFirst, LONG& nDestFirst, LONG& nDestSecond)
{
    const int nSum = nFirst + nSecond;
    if (nSum <= 0 || nLength <= 0) {
        nDestFirst = nDestSecond = 0;
        return;
    }
    if (bRoundFirst) {
        nDestFirst = MulDiv(nLength, nFirst, nSum);
        nDestSecond = nLength - nDestFirst;
        // Keeps the parity of the source's bottom margin, so odd and even sizes meet alike.
        if (nDestSecond > 0 && (nDestSecond % 2) != (nSecond % 2))
            nDestSecond += 1;
    } else {
        nDestFirst = static_cast<int>(static_cast<LONGLONG>(nLength) * nFirst / nSum);
        nDestSecond = nLength - nDestFirst;
    }
}

// The text of a UTF-16 range: [begin, end).
CString Range(LPCWSTR begin, LPCWSTR end)
{
    return end > begin ? CString(begin, static_cast<int>(end - begin)) : CString();
}

bool IsBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\n' || ch == L'\r' || ch == L'\v' || ch == L'\f';
}

} // namespace

// ---------------------------------------------------------------------------------------
// CQorOffice2007Image

CQorOffice2007Image::CQorOffice2007Image() = default;

CQorOffice2007Image::~CQorOffice2007Image()
{
    FreeBitmap();
}

void CQorOffice2007Image::FreeBitmap()
{
    CBitmap owned; // frees the handle when it goes
    if (m_hBitmap != nullptr)
        owned.Attach(m_hBitmap);
    m_hBitmap = nullptr;
    m_bAlpha = FALSE;
}

void CQorOffice2007Image::SetBitmap(HBITMAP hBitmap, BOOL bAlpha)
{
    FreeBitmap();
    m_hBitmap = hBitmap;
    m_bAlpha = hBitmap != nullptr && bAlpha;
    if (m_bAlpha)
        Premultiply(m_hBitmap);
}

BOOL CQorOffice2007Image::LoadResource(HMODULE hModule, LPCTSTR lpszResourceName)
{
    // The image manager's loader: PNG or bitmap, sizes checked, alpha only where used.
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapFromResource(hModule, lpszResourceName, &bAlpha);
    if (hBitmap == nullptr)
        return FALSE;
    SetBitmap(hBitmap, bAlpha);
    return TRUE;
}

CSize CQorOffice2007Image::GetExtent() const
{
    BITMAP bm = {};
    if (m_hBitmap == nullptr || !::GetObjectW(m_hBitmap, sizeof(bm), &bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, std::abs(bm.bmHeight));
}

CRect CQorOffice2007Image::GetSource(int nState, int nCount) const
{
    CSize size = GetExtent();
    if (m_hBitmap == nullptr || nCount <= 0)
        return CRect(0, 0, 0, 0);
    const int nHeight = size.cy / nCount;
    return CRect(0, nState * nHeight, size.cx, (nState + 1) * nHeight);
}

void CQorOffice2007Image::DrawImage(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins,
                                    COLORREF clrTransparent)
{
    if (m_hBitmap == nullptr || pDC == nullptr || pDC->GetSafeHdc() == nullptr || rcDest.IsRectEmpty() ||
        rcSrc.IsRectEmpty() || rcSrc.Height() < rcSizingMargins.top + rcSizingMargins.bottom)
        return;
    // Images of the cache draw under its lock; a stand-alone image has none.
    std::optional<CSingleLock> lock;
    if (m_pLock != nullptr)
        lock.emplace(m_pLock, TRUE);
    if (m_bAlpha || clrTransparent == kNoColour) {
        DrawParts(pDC->GetSafeHdc(), rcDest, rcSrc, rcSizingMargins);
        return;
    }
    // Opaque bitmaps with a transparent colour go through an off-screen copy first.
    CBitmap offscreen;
    if (!offscreen.Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), rcDest.Width(), rcDest.Height())))
        return;
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return;
    memDC.SelectObject(&offscreen);
    const CRect rcBuffer(0, 0, rcDest.Width(), rcDest.Height());
    CBrush fill(clrTransparent);
    ::FillRect(memDC.GetSafeHdc(), &rcBuffer, fill);
    DrawParts(memDC.GetSafeHdc(), rcBuffer, rcSrc, rcSizingMargins);
    GetDrawHelpers()->TransparentBlt(pDC->GetSafeHdc(), rcDest, memDC.GetSafeHdc(), rcBuffer, clrTransparent);
}

void CQorOffice2007Image::DrawParts(HDC hdcDest, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins)
{
    CDC srcDC;
    if (!srcDC.CreateCompatibleDC(nullptr))
        return;
    srcDC.SelectObject(static_cast<HGDIOBJ>(m_hBitmap));
    const HDC hdcSrc = srcDC.GetSafeHdc();
    const int nOldMode = ::SetStretchBltMode(hdcDest, COLORONCOLOR);

    CRect rcMargins = rcSizingMargins;
    if (rcDest.Width() == rcSrc.Width())
        rcMargins.left = rcMargins.right = 0;
    if (rcDest.Height() == rcSrc.Height())
        rcMargins.top = rcMargins.bottom = 0;

    if (rcMargins.left == 0 && rcMargins.top == 0 && rcMargins.right == 0 && rcMargins.bottom == 0) {
        CopyPart(hdcDest, rcDest, hdcSrc, rcSrc, m_bAlpha);
    } else {
        CRect rcDestMargins = rcMargins;
        if (rcDest.Height() <= rcMargins.top + rcMargins.bottom || rcSrc.Height() == rcMargins.top + rcMargins.bottom)
            ShareMargins(rcDest.Height(), rcMargins.top, rcMargins.bottom, true, rcDestMargins.top,
                         rcDestMargins.bottom);
        if (rcDest.Width() <= rcMargins.left + rcMargins.right || rcSrc.Width() == rcMargins.left + rcMargins.right)
            ShareMargins(rcDest.Width(), rcMargins.left, rcMargins.right, false, rcDestMargins.left,
                         rcDestMargins.right);

        // Column and row edges of the three by three grid, source and destination.
        const int sx[4] = {rcSrc.left, rcSrc.left + rcMargins.left, rcSrc.right - rcMargins.right, rcSrc.right};
        const int sy[4] = {rcSrc.top, rcSrc.top + rcMargins.top, rcSrc.bottom - rcMargins.bottom, rcSrc.bottom};
        const int dx[4] = {rcDest.left, rcDest.left + rcDestMargins.left, rcDest.right - rcDestMargins.right,
                           rcDest.right};
        const int dy[4] = {rcDest.top, rcDest.top + rcDestMargins.top, rcDest.bottom - rcDestMargins.bottom,
                           rcDest.bottom};
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                CopyPart(hdcDest, CRect(dx[col], dy[row], dx[col + 1], dy[row + 1]), hdcSrc,
                         CRect(sx[col], sy[row], sx[col + 1], sy[row + 1]), m_bAlpha);
            }
        }
    }
    ::SetStretchBltMode(hdcDest, nOldMode);
}

// ---------------------------------------------------------------------------------------
// CQorOffice2007Images

namespace {

struct IniSearch
{
    HMODULE hModule;
    LPCWSTR pszFirst; // set by the enumeration: the first TEXTFILE resource's name
    wchar_t szName[256];
};

BOOL CALLBACK FirstTextFile(HMODULE, LPCWSTR, LPWSTR lpszName, LONG_PTR lParam)
{
    IniSearch* pSearch = reinterpret_cast<IniSearch*>(lParam);
    if (IS_INTRESOURCE(lpszName)) {
        pSearch->pszFirst = lpszName;
    } else {
        lstrcpynW(pSearch->szName, lpszName, ARRAYSIZE(pSearch->szName));
        pSearch->pszFirst = pSearch->szName;
    }
    return FALSE;
}

} // namespace

CQorOffice2007Images::CQorOffice2007Images(HMODULE hModule, LPCTSTR lpszIniName) : m_hModule(hModule)
{
    m_mapImages.InitHashTable(199);
    CString strName(lpszIniName != nullptr ? lpszIniName : L"");
    strName.Replace(L'.', L'_');
    HRSRC hResource = strName.IsEmpty() ? nullptr : ::FindResourceW(hModule, strName, L"TEXTFILE");
    if (hResource == nullptr) {
        IniSearch search = {hModule, nullptr, {}};
        ::EnumResourceNamesW(hModule, L"TEXTFILE", FirstTextFile, reinterpret_cast<LONG_PTR>(&search));
        if (search.pszFirst != nullptr)
            hResource = ::FindResourceW(hModule, search.pszFirst, L"TEXTFILE");
    }
    if (hResource == nullptr)
        return;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    LPCWSTR pszText = hData != nullptr ? static_cast<LPCWSTR>(::LockResource(hData)) : nullptr;
    if (pszText == nullptr)
        return;
    m_pszIniBegin = pszText;
    m_pszIniEnd = pszText + ::SizeofResource(hModule, hResource) / sizeof(wchar_t);
}

CQorOffice2007Images::~CQorOffice2007Images()
{
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos != nullptr) {
        CString strKey;
        void* pImage = nullptr;
        m_mapImages.GetNextAssoc(pos, strKey, pImage);
        static_cast<CQorOffice2007Image*>(pImage)->InternalRelease();
    }
    m_mapImages.RemoveAll();
}

CString CQorOffice2007Images::ParseValue(LPCWSTR pszBegin, LPCWSTR pszEnd, LPCTSTR lpszSection, LPCTSTR lpszKey)
{
    bool bInSection = false;
    LPCWSTR p = pszBegin;
    while (p != nullptr && p < pszEnd) {
        LPCWSTR pszLineEnd = p;
        while (pszLineEnd < pszEnd && *pszLineEnd != L'\r')
            ++pszLineEnd;
        if (pszLineEnd == pszEnd)
            break; // text after the last carriage return is not read
        LPCWSTR pszNext = pszLineEnd + 1;
        if (pszNext < pszEnd && *pszNext == L'\n')
            ++pszNext;

        LPCWSTR pszLine = p;
        p = pszNext;
        while (pszLine < pszLineEnd && IsBlank(*pszLine))
            ++pszLine;
        if (pszLine == pszLineEnd || *pszLine == L';')
            continue;
        for (LPCWSTR q = pszLine; q < pszLineEnd; ++q) {
            if (*q == L';') {
                pszLineEnd = q;
                break;
            }
        }
        while (pszLineEnd > pszLine && IsBlank(pszLineEnd[-1]))
            --pszLineEnd;

        if (*pszLine == L'[') {
            if (bInSection)
                return CString();
            // "[" alone names nothing.
            CString strName = pszLineEnd - pszLine >= 2 ? Range(pszLine + 1, pszLineEnd - 1) : CString();
            bInSection = strName == lpszSection;
            continue;
        }
        if (!bInSection)
            continue;
        LPCWSTR pszEquals = pszLine + 1;
        while (pszEquals < pszLineEnd && *pszEquals != L'=')
            ++pszEquals;
        if (pszEquals >= pszLineEnd)
            continue;
        LPCWSTR pszKeyEnd = pszEquals;
        while (pszKeyEnd > pszLine && IsBlank(pszKeyEnd[-1]))
            --pszKeyEnd;
        if (Range(pszLine, pszKeyEnd) != lpszKey)
            continue;
        LPCWSTR pszValue = pszEquals + 1;
        while (pszValue < pszLineEnd && IsBlank(*pszValue))
            ++pszValue;
        return Range(pszValue, pszLineEnd);
    }
    return CString();
}

CString CQorOffice2007Images::GetValue(LPCTSTR lpszSection, LPCTSTR lpszKey) const
{
    return ParseValue(m_pszIniBegin, m_pszIniEnd, lpszSection, lpszKey);
}

COLORREF CQorOffice2007Images::GetColor(LPCTSTR lpszSection, LPCTSTR lpszKey) const
{
    CString strValue = GetValue(lpszSection, lpszKey);
    if (strValue.IsEmpty())
        return kNoColour;
    int r = 0, g = 0, b = 0;
    swscanf(strValue, L"%i %i %i", &r, &g, &b);
    return RGB(r & 0xFF, g & 0xFF, b & 0xFF);
}

CQorOffice2007Image* CQorOffice2007Images::LoadFile(LPCTSTR lpszFileName)
{
    CSingleLock lock(&m_lock, TRUE);
    if (!IsLoaded() || lpszFileName == nullptr || *lpszFileName == 0)
        return nullptr;
    void* pCached = nullptr;
    if (m_mapImages.Lookup(lpszFileName, pCached))
        return static_cast<CQorOffice2007Image*>(pCached);

    CString strResource = GetValue(L"Images", lpszFileName);
    if (strResource.IsEmpty())
        strResource = lpszFileName;
    strResource.Replace(L'.', L'_');
    strResource.Replace(L'\\', L'_');

    CQorOffice2007Image* pImage = new CQorOffice2007Image();
    if (!pImage->LoadResource(m_hModule, strResource)) {
        pImage->InternalRelease();
        return nullptr;
    }
    pImage->SetLock(&m_lock);
    m_mapImages.SetAt(lpszFileName, pImage);
    return pImage;
}

// ---------------------------------------------------------------------------------------

namespace {

CQorProcessSingleton<CQorOffice2007Images>& Office2007Images()
{
    // Never destroyed: the exit list, which runs after static destructors, still reaches it.
    static auto* holder = new CQorProcessSingleton<CQorOffice2007Images>();
    return *holder;
}

} // namespace

CQorOffice2007Images* GetOffice2007Images()
{
    return Office2007Images().Get([] { return new CQorOffice2007Images(AfxGetInstanceHandle()); },
                                  QorDestroyOffice2007Images, L"Office2007Images");
}

void QorDestroyOffice2007Images()
{
    Office2007Images().Destroy();
}
