#include "platform/browser/PagePrinter.h"
#include "platform/browser/Document.h"
#include "platform/browser/Layout.h"
#include "platform/browser/Painter.h"
#include <algorithm>

namespace fxb {

PagePrinter::PagePrinter(std::shared_ptr<Document> doc, int width, int height, float zoom)
    : m_doc(std::move(doc)), m_width(std::max(50, width)), m_height(std::max(50, height))
{
    m_layout = std::make_unique<LayoutTree>(*m_doc, m_width, zoom, false);
    std::vector<int> breaks;
    m_layout->BreakOpportunities(breaks);
    int total = std::max(1, m_layout->ContentHeight());
    int top = 0;
    while (top < total && static_cast<int>(m_pageTops.size()) < kMaxPages) {
        m_pageTops.push_back(top);
        int limit = top + m_height;
        if (limit >= total)
            break;
        // The lowest place between lines in the lower half of the sheet, else a hard cut.
        auto it = std::upper_bound(breaks.begin(), breaks.end(), limit);
        int cut = limit;
        if (it != breaks.begin()) {
            int candidate = *(it - 1);
            if (candidate > top + m_height / 2)
                cut = candidate;
        }
        top = cut;
    }
    if (m_pageTops.empty())
        m_pageTops.push_back(0);
}

PagePrinter::~PagePrinter() = default;

void PagePrinter::RenderPage(HDC dc, int index, const RECT& target) const
{
    if (index < 0 || index >= PageCount())
        return;
    int top = m_pageTops[index];
    int bottom = index + 1 < PageCount() ? m_pageTops[index + 1] : top + m_height;
    int saved = SaveDC(dc);
    SetGraphicsMode(dc, GM_ADVANCED);
    XFORM xf = {};
    float sx = static_cast<float>(target.right - target.left) / m_width;
    float sy = static_cast<float>(target.bottom - target.top) / m_height;
    xf.eM11 = sx;
    xf.eM22 = sy;
    xf.eDx = static_cast<float>(target.left);
    xf.eDy = static_cast<float>(target.top);
    ModifyWorldTransform(dc, &xf, MWT_RIGHTMULTIPLY);
    PaintOptions opt;
    opt.scrollY = top;
    opt.clip = {0, 0, m_width, std::min(m_height, bottom - top)};
    // White paper around the content of a short last sheet.
    RECT paper = {0, 0, m_width, m_height};
    FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    Painter(*m_doc, *m_layout).Paint(dc, opt);
    RestoreDC(dc, saved);
}

bool PagePrinter::PrintToPrinter(HDC printer, const std::wstring& jobName) const
{
    DOCINFOW di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = jobName.c_str();
    if (StartDocW(printer, &di) <= 0)
        return false;
    int w, h, mx, my;
    SheetOfPrinter(printer, w, h, mx, my);
    int horz = GetDeviceCaps(printer, HORZRES), vert = GetDeviceCaps(printer, VERTRES);
    RECT target = {mx, my, horz - mx, vert - my};
    bool ok = true;
    for (int i = 0; i < PageCount() && ok; ++i) {
        ok = StartPage(printer) > 0;
        if (ok) {
            RenderPage(printer, i, target);
            ok = EndPage(printer) > 0;
        }
    }
    if (ok)
        EndDoc(printer);
    else
        AbortDoc(printer);
    return ok;
}

void PagePrinter::SheetOfPrinter(HDC printer, int& width, int& height, int& marginX, int& marginY)
{
    int dpiX = std::max(1, GetDeviceCaps(printer, LOGPIXELSX)), dpiY = std::max(1, GetDeviceCaps(printer, LOGPIXELSY));
    marginX = dpiX / 2;
    marginY = dpiY / 2;
    int horz = GetDeviceCaps(printer, HORZRES) - 2 * marginX, vert = GetDeviceCaps(printer, VERTRES) - 2 * marginY;
    width = std::max(50, MulDiv(horz, 96, dpiX));
    height = std::max(50, MulDiv(vert, 96, dpiY));
}

void PagePrinter::DefaultSheet(int& width, int& height)
{
    // A4 (8.27 x 11.69 inches) less half an inch on every side.
    width = static_cast<int>((8.27 - 1.0) * 96);
    height = static_cast<int>((11.69 - 1.0) * 96);
}

} // namespace fxb
