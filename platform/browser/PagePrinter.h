// Printing: the page laid out at the width of a sheet, cut into sheets between lines, and drawn
// onto printer, metafile or bitmap DCs.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

namespace fxb {

class Document;
class LayoutTree;

class PagePrinter
{
public:
    // `width` and `height` are the printable area of one sheet in screen pixels (96 per inch).
    PagePrinter(std::shared_ptr<Document> doc, int width, int height, float zoom = 1.0f);
    ~PagePrinter();

    int PageCount() const { return static_cast<int>(m_pageTops.size()); }
    int PageWidth() const { return m_width; }
    int PageHeight() const { return m_height; }
    int PageTop(int index) const { return m_pageTops[index]; }
    // Draws sheet `index` scaled into `target` (device units of `dc`).
    void RenderPage(HDC dc, int index, const RECT& target) const;
    // Prints every sheet to a printer DC as one print job; false when the job cannot start.
    bool PrintToPrinter(HDC printer, const std::wstring& jobName) const;

    // Printable area of a printer DC in screen pixels, less half-inch margins, and the margins in
    // printer units.
    static void SheetOfPrinter(HDC printer, int& width, int& height, int& marginX, int& marginY);
    // The sheet used when there is no printer: A4 with half-inch margins.
    static void DefaultSheet(int& width, int& height);

    static constexpr int kMaxPages = 20000;

private:
    std::shared_ptr<Document> m_doc;
    std::unique_ptr<LayoutTree> m_layout;
    int m_width, m_height;
    std::vector<int> m_pageTops;
};

// Opens a window that shows the laid-out sheets of a document; returns its handle.
HWND ShowPrintPreviewWindow(HWND owner, std::shared_ptr<Document> doc);
// Sheet shown by a preview window (for tests) and its count.
int PreviewPage(HWND preview);
int PreviewPageCount(HWND preview);

} // namespace fxb
