#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManagerInternal.h"
#include "toolkit/foundation/ProcessSingleton.h"
#include "platform/framework/WinApp.h"
#include <cstring>
#include <new>

using qorimage::ReleaseValues;

namespace {

bool IsAnyWidth(int nWidth)
{
    return nWidth == 0 || nWidth == 1;
}

// The size an image brings along: an icon's from its mask, a bitmap's own.
CSize ImageSize(const CQorImageManagerImage& image)
{
    if (image.hIcon != nullptr)
        return GetIconSize(image.hIcon);
    BITMAP bm = {};
    if (image.hBitmap != nullptr && ::GetObjectW(image.hBitmap, sizeof(bm), &bm))
        return CSize(bm.bmWidth, std::abs(bm.bmHeight));
    return CSize(0, 0);
}

// Which entry of an id list takes the next piece: entries 0 are separators when the list's
// length differs from the number of pieces.
bool IsSeparator(const UINT* pIds, int nCount, int nPieces, int j)
{
    return pIds != nullptr && nCount != nPieces && pIds[j] == 0;
}


} // namespace

// ---------------------------------------------------------------------------------------
// Image-list entries

BOOL CQorImageManagerImageList::Serves(UINT nId) const
{
    return hImageList != nullptr && nId >= nFirstId &&
           nId - nFirstId < static_cast<UINT>(::ImageList_GetImageCount(hImageList));
}

void CQorImageManagerImageList::ReleaseIcons()
{
    ReleaseValues(mapIcons);
}

// ---------------------------------------------------------------------------------------
// Icon sets

CQorImageManagerIconSet::CQorImageManagerIconSet(CQorImageManager* pManager, UINT nId)
    : m_nId(nId), m_pManager(pManager)
{
    m_mapIcons.InitHashTable(17);
}

CQorImageManagerIconSet::~CQorImageManagerIconSet()
{
    RemoveAll();
}

void CQorImageManagerIconSet::RemoveAll()
{
    ReleaseValues(m_mapIcons);
}

CQorImageManagerIcon* CQorImageManagerIconSet::GetIcon(int nWidth, BOOL bNearest) const
{
    CQorImageManagerIcon* pIcon = nullptr;
    if (!IsAnyWidth(nWidth) && m_mapIcons.Lookup(nWidth, pIcon))
        return pIcon;
    if (!bNearest && !IsAnyWidth(nWidth))
        return nullptr;
    CQorImageManagerIcon* pBest = nullptr;
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != nullptr) {
        int nKey = 0;
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        if (pBest == nullptr) {
            if (!IsAnyWidth(nWidth) || !pIcon->m_bScaled)
                pBest = pIcon;
            continue;
        }
        if (nWidth == 0 || nWidth == 1) {
            if (pIcon->m_bScaled)
                continue;
            if (nWidth == 0 ? pIcon->GetWidth() < pBest->GetWidth() : pIcon->GetWidth() > pBest->GetWidth())
                pBest = pIcon;
        } else if (std::abs(pIcon->GetWidth() - nWidth) < std::abs(pBest->GetWidth() - nWidth)) {
            pBest = pIcon;
        }
    }
    return pBest;
}

CQorImageManagerIcon* CQorImageManagerIconSet::CreateIcon(int nWidth)
{
    CQorImageManagerIcon* pIcon = nullptr;
    if (m_mapIcons.Lookup(nWidth, pIcon))
        return pIcon;
    pIcon = new CQorImageManagerIcon(this, m_nId, nWidth);
    m_mapIcons.SetAt(nWidth, pIcon);
    return pIcon;
}

void CQorImageManagerIconSet::RefreshAll()
{
    CArray<int, int> arrScaled;
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != nullptr) {
        int nWidth = 0;
        CQorImageManagerIcon* pIcon = nullptr;
        m_mapIcons.GetNextAssoc(pos, nWidth, pIcon);
        if (pIcon->m_bScaled)
            arrScaled.Add(nWidth);
        else
            pIcon->ReleaseDerivedImages();
    }
    for (INT_PTR i = 0; i < arrScaled.GetSize(); ++i) {
        CQorImageManagerIcon* pIcon = nullptr;
        m_mapIcons.Lookup(arrScaled[i], pIcon);
        m_mapIcons.RemoveKey(arrScaled[i]);
        pIcon->InternalRelease();
    }
}

void CQorImageManagerIconSet::GetUnscaledIcons(CArray<CQorImageManagerIcon*, CQorImageManagerIcon*>& arrIcons) const
{
    arrIcons.RemoveAll();
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != nullptr) {
        int nWidth = 0;
        CQorImageManagerIcon* pIcon = nullptr;
        m_mapIcons.GetNextAssoc(pos, nWidth, pIcon);
        if (pIcon->m_bScaled)
            continue;
        INT_PTR i = 0;
        while (i < arrIcons.GetSize() && arrIcons[i]->GetWidth() < nWidth)
            ++i;
        arrIcons.InsertAt(i, pIcon);
    }
}

// ---------------------------------------------------------------------------------------
// The manager

CQorImageManager::CQorImageManager()
{
    m_mapSets.InitHashTable(127);
}

CQorImageManager::~CQorImageManager()
{
    RemoveAll();
    for (INT_PTR i = 0; i < m_arrImageLists.GetSize(); ++i) {
        CQorImageManagerImageList* pEntry = m_arrImageLists[i];
        pEntry->ReleaseIcons();
        if (pEntry->bOwns)
            ::ImageList_Destroy(pEntry->hImageList);
        delete pEntry;
    }
    m_arrImageLists.RemoveAll();
}

void CQorImageManager::RemoveAll()
{
    ReleaseValues(m_mapSets);
}

void CQorImageManager::RemoveIcon(UINT nId)
{
    CQorImageManagerIconSet* pSet = nullptr;
    if (m_mapSets.Lookup(nId, pSet)) {
        m_mapSets.RemoveKey(nId);
        pSet->InternalRelease();
    }
}

CQorImageManagerIconSet* CQorImageManager::GetIconSet(UINT nId) const
{
    CQorImageManagerIconSet* pSet = nullptr;
    return m_mapSets.Lookup(nId, pSet) ? pSet : nullptr;
}

BOOL CQorImageManager::IsMirrored(CDC* pDC) const
{
    if (m_nMirrorMode == mirrorAlways)
        return TRUE;
    return m_nMirrorMode == mirrorRightToLeft && pDC != nullptr && IsDCRightToLeft(pDC);
}

BOOL CQorImageManager::SetIcon(UINT nId, int nState, const CQorImageManagerImage& image, int nWidth, int nHeight)
{
    CQorImageManagerImage passed = image;
    if (passed.IsEmpty()) {
        ReleaseIconImage(passed); // only a drawing copy can be left to free
        return FALSE;
    }
    CQorImageManagerIconSet* pSet = GetIconSet(nId);
    if (pSet == nullptr && nState != CQorImageManagerIcon::stateNormal) {
        ReleaseIconImage(passed); // frees only what the call owns
        return FALSE;
    }
    if (nWidth == 0) {
        const CSize size = ImageSize(passed);
        nWidth = size.cx;
        nHeight = size.cy;
    }
    if (nWidth <= 0) {
        ReleaseIconImage(passed);
        return FALSE;
    }
    if (pSet == nullptr) {
        pSet = new CQorImageManagerIconSet(this, nId);
        m_mapSets.SetAt(nId, pSet);
    }
    CQorImageManagerIcon* pIcon = pSet->CreateIcon(nWidth);
    if (nHeight > 0)
        pIcon->m_nHeight = nHeight;
    pIcon->m_bScaled = FALSE;
    pIcon->SetImage(nState, passed);
    return TRUE;
}

BOOL CQorImageManager::SetIcon(UINT nId, HICON hIcon, int nWidth, int nState)
{
    CQorImageManagerImage image;
    image.hIcon = hIcon;
    image.bOwns = FALSE;
    return SetIcon(nId, nState, image, nWidth, 0);
}

BOOL CQorImageManager::SetIconsFromBitmap(HBITMAP hBitmap, BOOL bAlpha, const UINT* pIds, int nCount, int nState,
                                          int nWidth, int nHeight)
{
    BITMAP bm = {};
    if (hBitmap == nullptr || !::GetObjectW(hBitmap, sizeof(bm), &bm) || nCount < 0)
        return FALSE;
    const int cx = bm.bmWidth, cy = std::abs(bm.bmHeight);
    if (nWidth == 0 && nHeight == 0 && nCount > 0) {
        nWidth = cx / nCount;
        nHeight = cy;
    } else if (nCount == 0 && nWidth > 0) {
        nCount = cx / nWidth;
    }
    // More pieces asked for than the strip has columns leave a width of 0: nothing to cut.
    if (nWidth <= 0 || nCount <= 0)
        return FALSE;
    if (nHeight <= 0 || nHeight > cy)
        nHeight = cy;
    return bAlpha ? SetIconsFromAlphaStrip(hBitmap, pIds, nCount, nState, nWidth, nHeight)
                  : SetIconsFromMaskedStrip(hBitmap, pIds, nCount, nState, nWidth, nHeight);
}

BOOL CQorImageManager::SetIconsFromAlphaStrip(HBITMAP hBitmap, const UINT* pIds, int nCount, int nState, int nWidth,
                                              int nHeight)
{
    qorimage::Pixels strip;
    if (!qorimage::ReadBitmap32(hBitmap, strip) || strip.cx % nWidth != 0)
        return FALSE;
    const int nPieces = strip.cx / nWidth;
    int nPiece = 0;
    for (int j = 0; j < nCount && nPiece < nPieces; ++j) {
        if (IsSeparator(pIds, nCount, nPieces, j))
            continue;
        qorimage::Pixels piece;
        piece.cx = nWidth;
        piece.cy = nHeight;
        piece.px.resize(static_cast<size_t>(nWidth) * nHeight);
        for (int y = 0; y < nHeight; ++y)
            memcpy(&piece.px[static_cast<size_t>(y) * nWidth],
                   &strip.px[static_cast<size_t>(y) * strip.cx + nPiece * nWidth],
                   static_cast<size_t>(nWidth) * sizeof(DWORD));
        ++nPiece;
        CQorImageManagerImage image;
        image.hBitmap = qorimage::CreatePremultipliedSection(piece);
        if (image.hBitmap != nullptr)
            SetIcon(pIds != nullptr ? pIds[j] : static_cast<UINT>(j), nState, image, nWidth, nHeight);
    }
    return TRUE;
}

BOOL CQorImageManager::SetIconsFromMaskedStrip(HBITMAP hBitmap, const UINT* pIds, int nCount, int nState, int nWidth,
                                               int nHeight)
{
    COLORREF clrMask = m_clrMask;
    if (clrMask == static_cast<COLORREF>(-1)) {
        HDC hdc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
        clrMask = ::GetPixel(hdc, 0, 0);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
    }
    HIMAGELIST hList = ::ImageList_Create(nWidth, nHeight, ILC_COLOR24 | ILC_MASK, 0, 1);
    if (hList == nullptr)
        return FALSE;
    // The list takes the strip as is; it must not own the caller's bitmap.
    HBITMAP hCopy = static_cast<HBITMAP>(::CopyImage(hBitmap, IMAGE_BITMAP, 0, 0, 0));
    ::ImageList_AddMasked(hList, hCopy, clrMask);
    CBitmap copy;
    copy.Attach(hCopy);
    const int nPieces = ::ImageList_GetImageCount(hList);
    int nPiece = 0;
    for (int j = 0; j < nCount && nPiece < nPieces; ++j) {
        if (IsSeparator(pIds, nCount, nPieces, j))
            continue;
        CQorImageManagerImage image;
        image.hIcon = ::ImageList_GetIcon(hList, nPiece++, ILD_NORMAL);
        if (image.hIcon != nullptr)
            SetIcon(pIds != nullptr ? pIds[j] : static_cast<UINT>(j), nState, image, nWidth, nHeight);
    }
    ::ImageList_Destroy(hList);
    return nPieces > 0;
}

BOOL CQorImageManager::SetIconsFromBitmap(LPCTSTR lpszResourceName, const UINT* pIds, int nCount, int nState,
                                          int nWidth, int nHeight)
{
    HINSTANCE hModule = AfxGetResourceHandle();
    if (!IsPngResource(hModule, lpszResourceName) && ::FindResourceW(hModule, lpszResourceName, RT_BITMAP) == nullptr)
        hModule = AfxGetInstanceHandle();
    BOOL bAlpha = FALSE;
    CBitmap bitmap;
    if (!bitmap.Attach(LoadBitmapFromResource(hModule, lpszResourceName, &bAlpha)))
        return FALSE;
    return SetIconsFromBitmap(bitmap, bAlpha, pIds, nCount, nState, nWidth, nHeight);
}

BOOL CQorImageManager::SetIconsFromBitmapResource(UINT nResourceId, const UINT* pIds, int nCount, int nState,
                                                  int nWidth, int nHeight)
{
    return SetIconsFromBitmap(MAKEINTRESOURCEW(nResourceId), pIds, nCount, nState, nWidth, nHeight);
}

BOOL CQorImageManager::SetIconsFromGroupResource(UINT nId, int nWidth, int nHeight)
{
#pragma pack(push, 2)
    struct GroupEntry
    {
        BYTE bWidth, bHeight, bColorCount, bReserved;
        WORD wPlanes, wBitCount;
        DWORD dwBytesInRes;
        WORD nIconId;
    };
#pragma pack(pop)
    const LPCWSTR kGroup = MAKEINTRESOURCEW(128);
    HINSTANCE hModule = AfxGetResourceHandle();
    HRSRC hGroup = ::FindResourceW(hModule, kGroup, RT_GROUP_ICON);
    const DWORD nSize = hGroup != nullptr ? ::SizeofResource(hModule, hGroup) : 0;
    HGLOBAL hData = hGroup != nullptr ? ::LoadResource(hModule, hGroup) : nullptr;
    const BYTE* pData = hData != nullptr ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
    if (pData == nullptr || nSize < 6)
        return FALSE;
    WORD nEntries = 0;
    memcpy(&nEntries, pData + 4, sizeof(nEntries));
    BOOL bAny = FALSE;
    for (WORD i = 0; i < nEntries && 6 + (i + 1) * sizeof(GroupEntry) <= nSize; ++i) {
        GroupEntry entry;
        memcpy(&entry, pData + 6 + i * sizeof(GroupEntry), sizeof(entry));
        const int cx = entry.bWidth != 0 ? entry.bWidth : 256, cy = entry.bHeight != 0 ? entry.bHeight : 256;
        if (!(nWidth == 0 && nHeight == 0) && !(cx == nWidth && cy == nHeight))
            continue;
        HRSRC hIcon = ::FindResourceW(hModule, MAKEINTRESOURCEW(entry.nIconId), RT_ICON);
        HGLOBAL hIconData = hIcon != nullptr ? ::LoadResource(hModule, hIcon) : nullptr;
        BYTE* pIconData = hIconData != nullptr ? static_cast<BYTE*>(::LockResource(hIconData)) : nullptr;
        if (pIconData == nullptr)
            continue;
        CQorImageManagerImage image;
        image.hIcon = ::CreateIconFromResourceEx(pIconData, ::SizeofResource(hModule, hIcon), TRUE, 0x00030000, cx, cy,
                                                 LR_DEFAULTCOLOR);
        if (image.hIcon != nullptr)
            bAny = SetIcon(nId, CQorImageManagerIcon::stateNormal, image, cx, cy) || bAny;
    }
    return bAny;
}

void CQorImageManager::AddImageList(HIMAGELIST hImageList, UINT nFirstId, BOOL bOwns)
{
    if (hImageList == nullptr)
        return;
    CQorImageManagerImageList* pEntry = new CQorImageManagerImageList();
    pEntry->hImageList = hImageList;
    pEntry->bOwns = bOwns;
    pEntry->nFirstId = nFirstId;
    pEntry->mapIcons.InitHashTable(17);
    m_arrImageLists.Add(pEntry);
}

BOOL CQorImageManager::HasIcon(UINT nId, int nWidth) const
{
    if (CQorImageManagerIconSet* pSet = GetIconSet(nId)) {
        CQorImageManagerIcon* pIcon = pSet->GetIcon(nWidth, FALSE);
        return pIcon != nullptr && !pIcon->m_bScaled && (IsAnyWidth(nWidth) || pIcon->GetWidth() == nWidth);
    }
    for (INT_PTR i = 0; i < m_arrImageLists.GetSize(); ++i) {
        const CQorImageManagerImageList* pEntry = m_arrImageLists[i];
        if (!pEntry->Serves(nId))
            continue;
        int cx = 0, cy = 0;
        ::ImageList_GetIconSize(pEntry->hImageList, &cx, &cy);
        return nWidth == 0 || nWidth == cx;
    }
    return FALSE;
}

CQorImageManagerIcon* CQorImageManager::GetImage(UINT nId, int nWidth)
{
    if (CQorImageManagerIconSet* pSet = GetIconSet(nId))
        return pSet->GetIcon(nWidth, TRUE);
    for (INT_PTR i = 0; i < m_arrImageLists.GetSize(); ++i) {
        CQorImageManagerImageList* pEntry = m_arrImageLists[i];
        if (!pEntry->Serves(nId))
            continue;
        CQorImageManagerIcon* pIcon = nullptr;
        if (!pEntry->mapIcons.Lookup(nId, pIcon)) {
            int cx = 0, cy = 0;
            ::ImageList_GetIconSize(pEntry->hImageList, &cx, &cy);
            pIcon = new CQorImageManagerIcon(nullptr, nId, cx);
            pIcon->m_nHeight = cy;
            pIcon->m_pImageList = pEntry;
            pEntry->mapIcons.SetAt(nId, pIcon);
        }
        return pIcon;
    }
    return nullptr;
}

void CQorImageManager::RefreshAll()
{
    POSITION pos = m_mapSets.GetStartPosition();
    while (pos != nullptr) {
        UINT nId = 0;
        CQorImageManagerIconSet* pSet = nullptr;
        m_mapSets.GetNextAssoc(pos, nId, pSet);
        pSet->RefreshAll();
    }
    for (INT_PTR i = 0; i < m_arrImageLists.GetSize(); ++i)
        m_arrImageLists[i]->ReleaseIcons();
}

// ---------------------------------------------------------------------------------------

namespace {

CQorProcessSingleton<CQorImageManager>& ImageManagerHolder()
{
    // Never destroyed: the exit list, which runs after static destructors, still reaches it.
    static auto* holder = new CQorProcessSingleton<CQorImageManager>();
    return *holder;
}

} // namespace

CQorImageManager* GetImageManager()
{
    return ImageManagerHolder().Get([] { return new CQorImageManager(); }, QorDestroyImageManager, L"ImageManager");
}

void QorDestroyImageManager()
{
    ImageManagerHolder().Destroy();
}
