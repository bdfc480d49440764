// The one process-wide store of command icons: per command id a set of icons of different
// widths, per icon up to five supplied state images and three derived on demand (faded,
// shadow, generated disabled). Icons come from icon resources, bitmap strips (24-bit with a
// mask colour, or 32-bit and PNG with alpha), image lists and stored archives.
//
// Alpha: a bitmap held for alpha drawing is premultiplied. The loaders below return straight
// pixels; the manager premultiplies once when it cuts a loader's strip, and SetIcon takes
// premultiplied bitmaps. Derived images are computed on straight colour.
#pragma once
#include "platform/framework/Archive.h"
#include "platform/framework/CmdTarget.h"
#include "platform/framework/Collections.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Geometry.h"

class CQorImageManager;
class CQorImageManagerIcon;
class CQorImageManagerIconSet;
class CQorPropExchange;

// One state image. Copied by value; the icon that stores it owns what it holds when bOwns.
struct CQorImageManagerImage
{
    HICON hIcon = nullptr;
    HBITMAP hBitmap = nullptr;           // a 32-bit premultiplied bitmap, instead of an icon
    mutable HBITMAP hDrawCopy = nullptr; // made on the first draw, always deleted with the image
    BOOL bOwns = TRUE;

    BOOL IsEmpty() const { return hIcon == nullptr && hBitmap == nullptr; }
};

// Frees an image's icon and bitmap when it owns them, and always its drawing copy; the image
// is empty afterwards.
void ReleaseIconImage(CQorImageManagerImage& image);

// One image-list entry: ids nFirstId ... nFirstId + image count - 1 come from the list.
struct CQorImageManagerImageList
{
    HIMAGELIST hImageList = nullptr;
    BOOL bOwns = FALSE;
    UINT nFirstId = 0;
    CMap<UINT, UINT, CQorImageManagerIcon*, CQorImageManagerIcon*> mapIcons; // wrappers made on request

    BOOL Serves(UINT nId) const;
    void ReleaseIcons();
};

class CQorImageManagerIcon : public CCmdTarget
{
public:
    // The eight images, in their stored order.
    enum Slot {
        slotNormal,
        slotFaded,
        slotShadow,
        slotHot,
        slotChecked,
        slotPressed,
        slotDisabled,
        slotGeneratedDisabled,
        slotCount
    };
    // The states callers ask for.
    enum State { stateNormal = 0, stateDisabled = 1, stateHot = 2, stateChecked = 3, statePressed = 4 };
    enum { kArchiveSchema = 24 };

    CQorImageManagerIcon(CQorImageManagerIconSet* pSet, UINT nId, int nWidth);
    ~CQorImageManagerIcon() override;

    UINT GetID() const { return m_nId; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    // The manager that serves this icon.
    CQorImageManager* GetManager() const;

    // The image of a state, falling back as callers expect: disabled to the generated one,
    // hot to normal, checked to hot then normal, pressed to hot then normal.
    const CQorImageManagerImage& GetImage(int nState = stateNormal);
    const CQorImageManagerImage& GetFadedImage();
    const CQorImageManagerImage& GetShadowImage();
    BOOL HasDisabledImage() const;

    // Stores a state image, taking over the image's handles (the caller keeps them when the
    // image does not own them: then copies are stored).
    void SetImage(int nState, const CQorImageManagerImage& image);
    // Frees the derived images; they are made again on request.
    void ReleaseDerivedImages();

    // Draws an image of this icon (or the image-list entry behind it). nWidth 0 is the icon's
    // width; nHeight 0 keeps the icon's proportions.
    void Draw(CDC* pDC, const CQorImageManagerImage& image, int x, int y, int nWidth = 0, int nHeight = 0);
    // A one-colour silhouette of the normal image.
    void DrawMono(CDC* pDC, int x, int y, COLORREF clr);

    virtual void Serialize(CArchive& ar);

    BOOL m_bDrawAlpha = FALSE; // draw icon images through the alpha path
    BOOL m_bScaled = FALSE;    // made by scaling another width; dropped by a refresh
    CQorImageManagerImageList* m_pImageList = nullptr;

private:
    friend class CQorImageManager;
    friend class CQorImageManagerIconSet;
    const CQorImageManagerImage& Derived(Slot slot);
    BOOL IsOwnImage(const CQorImageManagerImage& image) const;
    void SerializeImage(CArchive& ar, CQorImageManagerImage& image);

    UINT m_nId;
    int m_nWidth;
    int m_nHeight = 15;
    CQorImageManagerImage m_images[slotCount];
    CQorImageManagerIconSet* m_pIconSet;
};

class CQorImageManagerIconSet : public CCmdTarget
{
public:
    CQorImageManagerIconSet(CQorImageManager* pManager, UINT nId);
    ~CQorImageManagerIconSet() override;

    UINT GetID() const { return m_nId; }
    CQorImageManager* GetManager() const { return m_pManager; }
    // The icon of a width. Width 0 is the narrowest and 1 the widest unscaled icon; with
    // bNearest another width gives the icon whose width differs least.
    CQorImageManagerIcon* GetIcon(int nWidth, BOOL bNearest = TRUE) const;
    // The icon of exactly that width, made when missing.
    CQorImageManagerIcon* CreateIcon(int nWidth);
    void RemoveAll();
    void RefreshAll();
    // Unscaled icons, narrowest first.
    void GetUnscaledIcons(CArray<CQorImageManagerIcon*, CQorImageManagerIcon*>& arrIcons) const;
    void DoPropExchange(CQorPropExchange* pPX);

private:
    UINT m_nId;
    CQorImageManager* m_pManager;
    CMap<int, int, CQorImageManagerIcon*, CQorImageManagerIcon*> m_mapIcons;
};

class CQorImageManager : public CCmdTarget
{
public:
    enum { mirrorAlways = 1, mirrorRightToLeft = 2 }; // any other mode: never mirror

    CQorImageManager();
    ~CQorImageManager() override;

    // Stores one state image for the id, of the image's size when nWidth is 0. A state other
    // than normal for an id without icons is dropped. The image's handles pass to the manager
    // when it owns them; otherwise the manager stores copies and the caller keeps its own.
    // A drawing copy passed along is always deleted.
    BOOL SetIcon(UINT nId, int nState, const CQorImageManagerImage& image, int nWidth = 0, int nHeight = 0);
    BOOL SetIcon(UINT nId, HICON hIcon, int nWidth = 0, int nState = 0);

    // Cuts a strip into icons for the ids (index j when pIds is null). The bitmap stays the
    // caller's; alpha strips are premultiplied as they are cut.
    BOOL SetIconsFromBitmap(HBITMAP hBitmap, BOOL bAlpha, const UINT* pIds, int nCount, int nState = 0, int nWidth = 0,
                            int nHeight = 0);
    // A "PNG" or bitmap resource of the resource module (the executable when it lacks it).
    BOOL SetIconsFromBitmap(LPCTSTR lpszResourceName, const UINT* pIds, int nCount, int nState = 0, int nWidth = 0,
                            int nHeight = 0);
    BOOL SetIconsFromBitmapResource(UINT nResourceId, const UINT* pIds, int nCount, int nState = 0, int nWidth = 0,
                                    int nHeight = 0);
    // The icon group 128 of the resource module: every entry when both sizes are 0, else the
    // entries of exactly that size, as normal images of nId.
    BOOL SetIconsFromGroupResource(UINT nId, int nWidth = 0, int nHeight = 0);
    // Serves ids nFirstId ... from an image list; the manager destroys it when bOwns.
    void AddImageList(HIMAGELIST hImageList, UINT nFirstId, BOOL bOwns);

    BOOL HasIcon(UINT nId, int nWidth = 0) const;
    CQorImageManagerIcon* GetImage(UINT nId, int nWidth = 0);
    CQorImageManagerIconSet* GetIconSet(UINT nId) const;
    void RemoveIcon(UINT nId);
    void RemoveAll();
    // Drops scaled icons and derived images, for new system colours.
    void RefreshAll();

    void DoPropExchange(CQorPropExchange* pPX);
    virtual void Serialize(CArchive& ar);

    COLORREF GetMaskColor() const { return m_clrMask; }
    void SetMaskColor(COLORREF clr) { m_clrMask = clr; } // -1: each bitmap's top-left pixel
    int GetMirrorMode() const { return m_nMirrorMode; }
    void SetMirrorMode(int nMode) { m_nMirrorMode = nMode; }
    BOOL IsMirrored(CDC* pDC) const;

private:
    BOOL SetIconsFromAlphaStrip(HBITMAP hBitmap, const UINT* pIds, int nCount, int nState, int nWidth, int nHeight);
    BOOL SetIconsFromMaskedStrip(HBITMAP hBitmap, const UINT* pIds, int nCount, int nState, int nWidth, int nHeight);

    COLORREF m_clrMask = static_cast<COLORREF>(-1);
    int m_nMirrorMode = mirrorRightToLeft;
    CMap<UINT, UINT, CQorImageManagerIconSet*, CQorImageManagerIconSet*> m_mapSets;
    CArray<CQorImageManagerImageList*, CQorImageManagerImageList*> m_arrImageLists;
};

// The process-wide image manager, made on first use and destroyed by the exit list.
CQorImageManager* GetImageManager();
void QorDestroyImageManager();

// ---------------------------------------------------------------------------------------
// Loaders and bitmap helpers. Bitmaps returned are the caller's.

// A "PNG" resource (by signature) or a bitmap resource. Straight pixels: *pbAlpha tells
// whether they carry alpha (PNG with four channels, 32-bit bitmaps).
HBITMAP LoadBitmapFromResource(HINSTANCE hInstance, LPCTSTR lpszName, BOOL* pbAlpha);
// A PNG file (by signature) or a BMP file; 32-bit BMPs load as DIB sections with alpha.
HBITMAP LoadBitmapFromFile(LPCTSTR lpszFileName, BOOL* pbAlpha);
BOOL IsPngResource(HMODULE hModule, LPCTSTR lpszName);
// A new 32-bit section with each colour multiplied by its alpha; *pbAlpha set.
HBITMAP CreatePremultipliedBitmap(HBITMAP hSource, BOOL* pbAlpha = nullptr);
// Turns a 32-bit section's rows upside down in place.
BOOL FlipBitmapVertical(HBITMAP hBitmap);
// A new 32-bit section with each row reversed.
HBITMAP MirrorBitmapLeftRight(HBITMAP hSource);
// A 32-bit bitmap's header and bottom-up pixels in buffers from malloc, which the caller
// frees; FALSE for other depths.
BOOL GetBitmapBits32(HDC hDC, BYTE*& pBits, HBITMAP hBitmap, BITMAPINFO*& pInfo, DWORD& nBytes);
// A copy of an icon at another size.
HICON CreateScaledIcon(HICON hIcon, int nWidth, int nHeight);
// An icon's size from its mask (a monochrome icon's mask holds two images).
CSize GetIconSize(HICON hIcon);
