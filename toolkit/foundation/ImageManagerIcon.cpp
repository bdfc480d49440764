// One icon of a command: its state images, the images derived from them, and drawing.
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/ImageManagerInternal.h"
#include <cmath>

namespace {

using qorimage::Pixels;

const CQorImageManagerImage kEmptyImage;

// A copy of an image's handles that the copy owns.
CQorImageManagerImage CopyImageHandles(const CQorImageManagerImage& image)
{
    CQorImageManagerImage copy;
    if (image.hIcon != nullptr)
        copy.hIcon = ::CopyIcon(image.hIcon);
    if (image.hBitmap != nullptr)
        copy.hBitmap = static_cast<HBITMAP>(::CopyImage(image.hBitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return copy;
}

// A derived image: every opaque pixel of the source passes through recolour on straight
// colour; transparent pixels stay untouched. The result is a premultiplied bitmap.
template <class Recolour> CQorImageManagerImage Derive(const CQorImageManagerImage& source, Recolour recolour)
{
    CQorImageManagerImage derived;
    Pixels pixels;
    if (source.IsEmpty() || !qorimage::ReadImagePixels(source, pixels))
        return derived;
    for (DWORD& v : pixels.px) {
        if (qorimage::Alpha(v) == 0)
            continue;
        BYTE bgr[3] = {static_cast<BYTE>(v & 0xFF), static_cast<BYTE>((v >> 8) & 0xFF),
                       static_cast<BYTE>((v >> 16) & 0xFF)};
        recolour(bgr);
        v = qorimage::Pack(bgr[0], bgr[1], bgr[2], qorimage::Alpha(v));
    }
    derived.hBitmap = qorimage::CreatePremultipliedSection(pixels);
    return derived;
}

void Fade(BYTE* bgr)
{
    for (int c = 0; c < 3; ++c)
        bgr[c] = static_cast<BYTE>(0.7 * bgr[c] + 76.5);
}

} // namespace

void ReleaseIconImage(CQorImageManagerImage& image)
{
    if (image.bOwns) {
        if (image.hIcon != nullptr)
            ::DestroyIcon(image.hIcon);
        CBitmap bitmap;
        bitmap.Attach(image.hBitmap);
    }
    CBitmap drawCopy;
    drawCopy.Attach(image.hDrawCopy);
    image.hIcon = nullptr;
    image.hBitmap = nullptr;
    image.hDrawCopy = nullptr;
}

// ---------------------------------------------------------------------------------------

CQorImageManagerIcon::CQorImageManagerIcon(CQorImageManagerIconSet* pSet, UINT nId, int nWidth)
    : m_nId(nId), m_nWidth(nWidth), m_pIconSet(pSet)
{}

CQorImageManagerIcon::~CQorImageManagerIcon()
{
    for (CQorImageManagerImage& image : m_images)
        ReleaseIconImage(image);
}

CQorImageManager* CQorImageManagerIcon::GetManager() const
{
    return m_pIconSet != nullptr ? m_pIconSet->GetManager() : GetImageManager();
}

void CQorImageManagerIcon::SetImage(int nState, const CQorImageManagerImage& image)
{
    static const Slot kSlots[] = {slotNormal, slotDisabled, slotHot, slotChecked, slotPressed};
    if (nState < 0 || nState >= static_cast<int>(sizeof(kSlots) / sizeof(kSlots[0])))
        return;
    CQorImageManagerImage stored = image.bOwns ? image : CopyImageHandles(image);
    stored.bOwns = TRUE;
    stored.hDrawCopy = nullptr;
    if (image.hDrawCopy != nullptr) {
        CBitmap drawCopy;
        drawCopy.Attach(image.hDrawCopy);
    }
    CQorImageManagerImage& slot = m_images[kSlots[nState]];
    ReleaseIconImage(slot);
    slot = stored;
    ReleaseDerivedImages();
}

void CQorImageManagerIcon::ReleaseDerivedImages()
{
    ReleaseIconImage(m_images[slotFaded]);
    ReleaseIconImage(m_images[slotShadow]);
    ReleaseIconImage(m_images[slotGeneratedDisabled]);
}

const CQorImageManagerImage& CQorImageManagerIcon::GetImage(int nState)
{
    const CQorImageManagerImage& normal = m_images[slotNormal];
    const CQorImageManagerImage& hot = m_images[slotHot];
    switch (nState) {
    case stateNormal:
        return normal;
    case stateDisabled:
        return !m_images[slotDisabled].IsEmpty() ? m_images[slotDisabled] : Derived(slotGeneratedDisabled);
    case stateHot:
        return !hot.IsEmpty() ? hot : normal;
    case stateChecked:
        return !m_images[slotChecked].IsEmpty() ? m_images[slotChecked] : !hot.IsEmpty() ? hot : normal;
    case statePressed:
        return !m_images[slotPressed].IsEmpty() ? m_images[slotPressed] : !hot.IsEmpty() ? hot : normal;
    default:
        return kEmptyImage;
    }
}

const CQorImageManagerImage& CQorImageManagerIcon::GetFadedImage()
{
    return Derived(slotFaded);
}

const CQorImageManagerImage& CQorImageManagerIcon::GetShadowImage()
{
    return Derived(slotShadow);
}

BOOL CQorImageManagerIcon::HasDisabledImage() const
{
    return !m_images[slotDisabled].IsEmpty() || !m_images[slotGeneratedDisabled].IsEmpty();
}

const CQorImageManagerImage& CQorImageManagerIcon::Derived(Slot slot)
{
    CQorImageManagerImage& derived = m_images[slot];
    if (!derived.IsEmpty())
        return derived;
    const CQorImageManagerImage& normal = m_images[slotNormal];
    if (slot == slotFaded) {
        derived = Derive(normal, Fade);
    } else if (slot == slotShadow) {
        const COLORREF clr = GetColorManager()->GetColor(31);
        const BYTE shadow[3] = {static_cast<BYTE>(0.75 * GetBValue(clr)), static_cast<BYTE>(0.75 * GetGValue(clr)),
                                static_cast<BYTE>(0.75 * GetRValue(clr))};
        const CQorImageManagerImage& source = !m_images[slotHot].IsEmpty() ? m_images[slotHot] : normal;
        derived = Derive(source, [&](BYTE* bgr) {
            for (int c = 0; c < 3; ++c)
                bgr[c] = shadow[c];
        });
    } else if (slot == slotGeneratedDisabled) {
        derived = Derive(normal, [](BYTE* bgr) {
            const double l = (0.114 * bgr[0] + 0.587 * bgr[1] + 0.299 * bgr[2]) / 255.0;
            const BYTE grey = static_cast<BYTE>(255.0 * std::sqrt(l < 0 ? 0 : l > 1 ? 1 : l));
            bgr[0] = bgr[1] = bgr[2] = grey;
        });
    }
    return derived;
}

BOOL CQorImageManagerIcon::IsOwnImage(const CQorImageManagerImage& image) const
{
    return &image >= m_images && &image < m_images + slotCount;
}

void CQorImageManagerIcon::Draw(CDC* pDC, const CQorImageManagerImage& image, int x, int y, int nWidth, int nHeight)
{
    HDC hdc = pDC != nullptr ? pDC->GetSafeHdc() : nullptr;
    if (hdc == nullptr)
        return;
    if (nWidth == 0)
        nWidth = m_nWidth;
    if (nHeight == 0)
        nHeight = m_nWidth > 0 ? MulDiv(nWidth, m_nHeight, m_nWidth) : m_nHeight;
    if (m_pImageList != nullptr) {
        ::ImageList_DrawEx(m_pImageList->hImageList, static_cast<int>(m_nId - m_pImageList->nFirstId), hdc, x, y,
                           nWidth, nHeight, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
        return;
    }
    if (image.IsEmpty() || nWidth <= 0 || nHeight <= 0)
        return;
    CQorImageManager* pManager = GetManager();
    const BOOL bMirror = pManager != nullptr && pManager->IsMirrored(pDC);
    if (image.hBitmap == nullptr && !m_bDrawAlpha && !bMirror) {
        ::DrawIconEx(hdc, x, y, image.hIcon, nWidth, nHeight, 0, nullptr, DI_NORMAL);
        return;
    }
    // Bitmaps, alpha icons and mirrored images blend a premultiplied drawing copy, kept with
    // the icon's own images and made afresh for images from elsewhere.
    HBITMAP hDrawCopy = image.hDrawCopy;
    if (hDrawCopy == nullptr) {
        Pixels pixels;
        if (image.hBitmap != nullptr) {
            if (qorimage::ReadBitmap32(image.hBitmap, pixels))
                hDrawCopy = qorimage::CreateSection(pixels); // already premultiplied
        } else if (qorimage::ReadImagePixels(image, pixels)) {
            hDrawCopy = qorimage::CreatePremultipliedSection(pixels);
        }
        if (hDrawCopy == nullptr)
            return;
        if (IsOwnImage(image))
            image.hDrawCopy = hDrawCopy;
    }
    CBitmap mirrored, temporary;
    if (!IsOwnImage(image))
        temporary.Attach(hDrawCopy);
    HBITMAP hDraw = hDrawCopy;
    if (bMirror) {
        mirrored.Attach(MirrorBitmapLeftRight(hDrawCopy));
        hDraw = mirrored;
    }
    BITMAP bm = {};
    if (hDraw == nullptr || !::GetObjectW(hDraw, sizeof(bm), &bm))
        return;
    CRect rcSrc(0, 0, bm.bmWidth, bm.bmHeight);
    CRect rcDest(x, y, x + nWidth, y + nHeight);
    // Above the DC's top edge nothing shows: the source starts lower instead.
    if (y < 0 && nHeight == m_nHeight && nHeight == bm.bmHeight) {
        rcSrc.top = -y;
        rcDest.top = 0;
    }
    qorimage::AlphaBlendBitmap(hdc, rcDest, hDraw, rcSrc);
}

void CQorImageManagerIcon::DrawMono(CDC* pDC, int x, int y, COLORREF clr)
{
    HDC hdc = pDC != nullptr ? pDC->GetSafeHdc() : nullptr;
    if (hdc == nullptr || m_nWidth <= 0 || m_nHeight <= 0)
        return;
    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, m_nWidth, m_nHeight))
        return;
    CBitmap* pOld = memDC.SelectObject(&bitmap);
    const CRect rc(0, 0, m_nWidth, m_nHeight);
    ::FillRect(memDC.GetSafeHdc(), &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    Draw(&memDC, GetImage(stateNormal), 0, 0);
    memDC.SelectObject(pOld);
    CBrush brush(clr);
    ::DrawStateW(hdc, brush, nullptr, reinterpret_cast<LPARAM>(static_cast<HBITMAP>(bitmap)), 0, x, y, m_nWidth,
                 m_nHeight, DST_BITMAP | DSS_MONO);
}
