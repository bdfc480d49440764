#include "reader/ui/StatusBarLabelPane.h"

#include <algorithm>

#include "platform/framework/FrameWnd.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/DrawHelpers.h"

namespace {

// Space between the pane's edges and its content, and between the icon and the text.
const int kContentInset = 3;
const int kIconGap = 4;

} // namespace

IMPLEMENT_DYNAMIC(CQorStatusBarLabelPane, CQorStatusBarIconPane)

BEGIN_MESSAGE_MAP(CQorStatusBarLabelPane, CQorStatusBarIconPane)
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
END_MESSAGE_MAP()

CQorStatusBarLabelPane::CQorStatusBarLabelPane() : m_bCentered(TRUE), m_clrText(QOR_COLOR_UNSET), m_szText(0, 0)
{
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    m_font.CreateFontIndirect(&ncm.lfStatusFont);
}

void CQorStatusBarLabelPane::SetText(LPCTSTR lpszText)
{
    m_strText = lpszText ? lpszText : L"";
    MeasureText();
    if (m_hWnd) {
        // The window text follows, for screen readers.
        AfxSetWindowText(m_hWnd, m_strText);
        Invalidate(TRUE);
    }
}

void CQorStatusBarLabelPane::SetFont(const LOGFONT& lf)
{
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    MeasureText();
}

void CQorStatusBarLabelPane::SetFont(LPCTSTR lpszFaceName, int nHeight, int nWeight, BOOL bItalic, BOOL bUnderline)
{
    LOGFONTW lf = {};
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfItalic = static_cast<BYTE>(bItalic);
    lf.lfUnderline = static_cast<BYTE>(bUnderline);
    ::lstrcpynW(lf.lfFaceName, lpszFaceName ? lpszFaceName : L"", LF_FACESIZE);
    SetFont(lf);
}

void CQorStatusBarLabelPane::MeasureText()
{
    m_szText = CSize(0, 0);
    if (!m_hWnd)
        return;
    CClientDC dc(this);
    CQorFontDC font(&dc, &m_font);
    m_szText = dc.GetTextExtent(m_strText);
}

void CQorStatusBarLabelPane::DrawBackground(CDC* pDC, CRect rc)
{
    FillBarBackground(pDC, rc);
}

void CQorStatusBarLabelPane::DrawContent(CDC* pDC, CRect rc)
{
    DrawBackground(pDC, rc);
    CQorFontDC font(pDC, &m_font);
    const CSize szText = m_strText.IsEmpty() ? CSize(0, 0) : pDC->GetTextExtent(m_strText);
    const CSize szIcon = m_hIcon ? m_szIcon : CSize(0, 0);

    // Centred content that is wider than the pane still starts inside it.
    int x = kContentInset;
    if (m_bCentered)
        x = std::max<int>(kContentInset, rc.left + (rc.Width() - szText.cx - szIcon.cx - kIconGap) / 2);
    if (m_hIcon)
        DrawIcon(pDC, x, (rc.Height() - szIcon.cy) / 2);
    if (m_strText.IsEmpty())
        return;

    // The text ends inside the pane so that a long one is cut with an ellipsis.
    CRect rcText;
    rcText.left = x + szIcon.cx + kIconGap;
    rcText.right = std::min<int>(rcText.left + szText.cx, rc.right - kContentInset);
    rcText.top = (rc.Height() - szText.cy) / 2;
    rcText.bottom = rcText.top + szText.cy;
    CQorPaintManager* pPaintManager = GetGlobalPaintManager();
    COLORREF clrText = m_clrText;
    if (clrText == QOR_COLOR_UNSET)
        clrText = pPaintManager ? pPaintManager->m_clrStatusTextColor : ::GetSysColor(COLOR_BTNTEXT);
    font.SetColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(m_strText, &rcText,
                  DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (m_bCentered ? DT_CENTER : 0));
    pDC->SetBkMode(nOldMode);
}

void CQorStatusBarLabelPane::OnLButtonUp(UINT, CPoint)
{
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SendMessage(WM_QOR_PANE_CLICKED, 0, reinterpret_cast<LPARAM>(m_hWnd));
    Default();
}

void CQorStatusBarLabelPane::OnRButtonUp(UINT, CPoint)
{
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SendMessage(WM_QOR_PANE_RIGHT_CLICKED, 0, reinterpret_cast<LPARAM>(m_hWnd));
    Default();
}
