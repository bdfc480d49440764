// Fixed palettes of the Office 2003 and Whidbey themes: gradients and colour-table rows given
// as standard values, applied over what the blended refresh computed.
#pragma once

#include "toolkit/commandbars/PaintManager.h"

namespace qorpaint {

// QOR_COLOR_UNSET as the first colour leaves the gradient as it is.
struct PaletteGradient
{
    COLORREF clrLight;
    COLORREF clrDark;
    float fFactor;
};

// A colour-table entry; a row with index -1 ends a list.
struct PaletteColorRow
{
    int nIndex;
    COLORREF clr;
};

inline void ApplyGradient(CQorPaintManagerColorGradient& grc, const PaletteGradient& value)
{
    if (value.clrLight != QOR_COLOR_UNSET)
        grc.SetStandardValue(value.clrLight, value.clrDark, value.fFactor);
}

// QOR_COLOR_UNSET leaves the colour as it is.
inline void ApplyColor(CQorPaintManagerColor& clr, COLORREF value)
{
    if (value != QOR_COLOR_UNSET)
        clr.SetStandardValue(value);
}

inline void ApplyColorRows(CQorPaintManager& paintManager, const PaletteColorRow* pRows)
{
    for (; pRows->nIndex >= 0; ++pRows)
        paintManager.m_arrColor[pRows->nIndex].SetStandardValue(pRows->clr);
}

} // namespace qorpaint
