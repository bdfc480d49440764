// The Office-2007 look: skin bitmaps with states and sizing margins, and the colours of a
// small INI text shipped as a "TEXTFILE" resource. One process-wide cache owns the text and
// the loaded images; drawing runs under its lock, from any thread.
#pragma once
#include "platform/framework/CmdTarget.h"
#include "platform/framework/Collections.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Sync.h"

// One skin bitmap: a vertical strip of equal states, drawn nine-gridded by sizing margins.
class CQorOffice2007Image : public CCmdTarget
{
public:
    CQorOffice2007Image();
    ~CQorOffice2007Image() override;

    // Takes the bitmap (a 32-bit section when bAlpha); straight alpha is premultiplied here,
    // once. The previous bitmap is freed.
    void SetBitmap(HBITMAP hBitmap, BOOL bAlpha);
    // Loads a "PNG" or bitmap resource of the module.
    BOOL LoadResource(HMODULE hModule, LPCTSTR lpszResourceName);
    void SetLock(CCriticalSection* pLock) { m_pLock = pLock; }

    HBITMAP GetBitmap() const { return m_hBitmap; }
    BOOL IsAlpha() const { return m_bAlpha; }
    CSize GetExtent() const;

    // The rectangle of state nState of nCount; empty without a bitmap or states.
    CRect GetSource(int nState = 0, int nCount = 1) const;
    // Draws rcSrc of the bitmap into rcDest: corners at their size, edges stretched along one
    // axis, the centre both ways. clrTransparent (-1 for none) is left out of opaque bitmaps.
    void DrawImage(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins,
                   COLORREF clrTransparent = static_cast<COLORREF>(-1));

private:
    void DrawParts(HDC hdcDest, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins);
    void FreeBitmap();

    HBITMAP m_hBitmap = nullptr;
    BOOL m_bAlpha = FALSE;
    CCriticalSection* m_pLock = nullptr;
};

class CQorOffice2007Images
{
public:
    // Loads the INI text resource lpszIniName ('.' read as '_') of the module, or the first
    // "TEXTFILE" resource when that is missing. The text stays in the locked resource.
    explicit CQorOffice2007Images(HMODULE hModule, LPCTSTR lpszIniName = L"OFFICE2007BLUE_INI");
    ~CQorOffice2007Images();
    CQorOffice2007Images(const CQorOffice2007Images&) = delete;
    CQorOffice2007Images& operator=(const CQorOffice2007Images&) = delete;

    // The image of a name (mapped through section "Images"), loaded once; null when there is
    // no INI text, the name is empty or no resource loads.
    CQorOffice2007Image* LoadFile(LPCTSTR lpszFileName);
    // The value of a key of a section, empty when absent.
    CString GetValue(LPCTSTR lpszSection, LPCTSTR lpszKey) const;
    // "r g b" as a COLORREF; -1 when the key is absent, so that callers keep their defaults.
    COLORREF GetColor(LPCTSTR lpszSection, LPCTSTR lpszKey) const;
    BOOL IsLoaded() const { return m_pszIniBegin != nullptr; }

    // The INI lookup over a text: lines end at CR (text after the last CR is not read), ';'
    // starts a comment, sections and keys compare exactly.
    static CString ParseValue(LPCWSTR pszBegin, LPCWSTR pszEnd, LPCTSTR lpszSection, LPCTSTR lpszKey);

private:
    CCriticalSection m_lock;
    CMapStringToPtr m_mapImages;
    HMODULE m_hModule;
    LPCWSTR m_pszIniBegin = nullptr;
    LPCWSTR m_pszIniEnd = nullptr;
};

// The process-wide cache, made on first use over the program's own resources.
CQorOffice2007Images* GetOffice2007Images();
// Frees the cache; the toolkit's exit list calls it.
void QorDestroyOffice2007Images();
