// The Office-2007 schema: everything as the default schema, but scroll bars and the size box
// come from a fixed set of bitmaps inside the skin, in a light and a dark look.
#pragma once
#include "toolkit/skin/SkinManagerSchemaDefault.h"

class CQorSkinManagerSchemaOffice2007 : public CQorSkinManagerSchemaDefault
{
public:
    explicit CQorSkinManagerSchemaOffice2007(CQorSkinManager* pManager);

    void DrawScrollBar(CDC* pDC, const CQorSkinScrollBarDraw& bar) override;
    COLORREF GetSizeBoxColor(HWND hWnd) override;

    // The dark look: the window's bottom-right corner sits at the bottom-right of the client
    // area of the nearest captioned window.
    static BOOL IsDarkLook(HWND hWnd);
};
