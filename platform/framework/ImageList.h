// CImageList: an image list handle with creation, editing and drawing. The wrapper that
// created or attached a list destroys it in its destructor; FromHandle gives a borrowed one.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "platform/framework/DrawingHandleMaps.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Object.h"

class CBitmap;
class CDC;
class CWnd;

class CImageList : public CObject
{
    DECLARE_DYNAMIC(CImageList)
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() = default;
    ~CImageList() override;

    operator HIMAGELIST() const { return GetSafeHandle(); }
    HIMAGELIST GetSafeHandle() const { return fxdetail::IsNullObject(this) ? nullptr : m_hImageList; }

    static CImageList* FromHandle(HIMAGELIST list);
    static void DeleteTempMap();
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    // An empty list of images of cx x cy pixels (flags: ILC_COLOR32, ILC_MASK, ...).
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // A list made of a bitmap resource of the current resource module cut into cx-wide images;
    // mask: the colour that becomes transparent (CLR_NONE for none).
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL Create(LPCTSTR bitmapName, int cx, int grow, COLORREF mask);
    // A list whose single image is image2 of list2 drawn over image1 of list1 at (dx, dy).
    BOOL Create(CImageList& list1, int image1, CImageList& list2, int image2, int dx, int dy);
    // A copy of another list.
    BOOL Create(CImageList* source);

    int GetImageCount() const;
    BOOL SetImageCount(UINT count);
    BOOL GetImageInfo(int image, IMAGEINFO* info) const;
    COLORREF GetBkColor() const;
    COLORREF SetBkColor(COLORREF color); // CLR_NONE: draw transparently

    // Index of the first added image, or -1.
    int Add(CBitmap* bitmap, CBitmap* mask);
    int Add(CBitmap* bitmap, COLORREF maskColor);
    int Add(HICON icon);
    BOOL Replace(int image, CBitmap* bitmap, CBitmap* mask);
    int Replace(int image, HICON icon);
    BOOL Remove(int image); // -1 removes every image
    BOOL Copy(int destination, int source, UINT flags = ILCF_MOVE);
    BOOL SetOverlayImage(int image, int overlay);
    // A new icon made from an image; the caller destroys it.
    HICON ExtractIcon(int image);

    BOOL Draw(CDC* dc, int image, POINT pt, UINT style);
    BOOL DrawEx(CDC* dc, int image, POINT pt, SIZE size, COLORREF background, COLORREF foreground, UINT style);
    BOOL DrawIndirect(IMAGELISTDRAWPARAMS* params);

    // Dragging an image over a window (the list's drag image).
    BOOL BeginDrag(int image, CPoint hotSpot);
    static void PASCAL EndDrag();
    static BOOL PASCAL DragMove(CPoint pt);
    static BOOL PASCAL DragShowNolock(BOOL show);
    static BOOL PASCAL DragEnter(CWnd* lock, CPoint pt);
    static BOOL PASCAL DragLeave(CWnd* lock);

private:
    template <class, class> friend class fxdetail::DrawingHandleMap;
    void DetachTemporary() { m_hImageList = nullptr; }
};
