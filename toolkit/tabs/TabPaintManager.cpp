#include "toolkit/tabs/TabPaintManager.h"

#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabColorSets.h"
#include "toolkit/tabs/TabManager.h"

namespace {
bool g_bIconTitleFontInjected = false;
LOGFONTW g_lfIconTitleFont;
} // namespace

void QorSetIconTitleFontForTest(const LOGFONTW* pFont)
{
    g_bIconTitleFontInjected = pFont != nullptr;
    if (pFont)
        g_lfIconTitleFont = *pFont;
}

CQorTabPaintManager::CQorTabPaintManager()
{
    m_pAppearanceSet = new CAppearanceSetPropertyPage();
    m_pAppearanceSet->m_pPaintManager = this;
    SetColor(m_pAppearanceSet->GetDefaultColorSet());
    RefreshMetrics();
}

void CQorTabPaintManager::RefreshMetrics()
{
    if (m_bUseSystemFont) {
        LOGFONTW lf = {};
        if (g_bIconTitleFontInjected)
            lf = g_lfIconTitleFont;
        else
            SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0);
        CreateFonts(lf);
    }
    if (m_pColorSet)
        m_pColorSet->RefreshMetrics();
    m_pAppearanceSet->RefreshMetrics();
}

void CQorTabPaintManager::CreateFonts(const LOGFONTW& lfSource)
{
    LOGFONTW lf = lfSource;
    OSVERSIONINFOW version = {sizeof(version)};
    // ClearType exists from Windows XP (NT 5.1) on.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&version);
#pragma GCC diagnostic pop
    if (m_bClearType && (version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1)))
        lf.lfQuality = CLEARTYPE_QUALITY;
    const LONG nNormalWeight = m_bBoldNormal ? FW_BOLD : FW_NORMAL;
    auto makeFont = [&lf](CFont& font, LONG nWeight) {
        lf.lfWeight = nWeight;
        font.DeleteObject();
        font.CreateFontIndirect(&lf);
    };
    makeFont(m_fntNormal, nNormalWeight);
    makeFont(m_fntBold, FW_BOLD);

    CString strFace;
    GetDefaultFontFaceName(strFace);
    lstrcpynW(lf.lfFaceName, strFace, LF_FACESIZE);
    lf.lfEscapement = 2700;
    lf.lfOrientation = 900;
    if (lf.lfHeight > -11 && lf.lfHeight < 0)
        lf.lfHeight = -11;
    makeFont(m_fntVerticalNormal, nNormalWeight);
    makeFont(m_fntVerticalBold, FW_BOLD);
}

CQorTabPaintManager::~CQorTabPaintManager()
{
    // Rows that outlive their painter must not leave a list that is gone.
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        m_arrRows[i]->DetachPaintManager(this);
    delete m_pColorSet;
    delete m_pAppearanceSet;
}

void CQorTabPaintManager::SetColor(int nKind)
{
    CColorSet* pColorSet = nullptr;
    switch (nKind) {
    case qorTabColorVisualStudio:
        pColorSet = new CColorSetVisualStudio();
        break;
    case qorTabColorOffice2003:
        pColorSet = new CColorSetOffice2003();
        break;
    case qorTabColorWinXP:
        pColorSet = new CColorSetWinXP();
        break;
    case qorTabColorWhidbey:
        pColorSet = new CColorSetWhidbey();
        break;
    case qorTabColorOffice2007:
        pColorSet = new CColorSetOffice2007();
        break;
    default:
        nKind = qorTabColorDefault;
        pColorSet = new CColorSetDefault();
        break;
    }
    m_nColorSetKind = nKind;
    SetColorSet(pColorSet);
}

void CQorTabPaintManager::SetColorSet(CColorSet* pColorSet)
{
    if (!pColorSet || pColorSet == m_pColorSet)
        return;
    delete m_pColorSet;
    m_pColorSet = pColorSet;
    pColorSet->m_pPaintManager = this;
    pColorSet->RefreshMetrics();
    OnPropertyChanged();
}

CRect CQorTabPaintManager::GetHeaderMargin() const
{
    return m_pAppearanceSet->GetHeaderMargin();
}

void CQorTabPaintManager::SetAppearanceSet(CAppearanceSet* pAppearanceSet)
{
    if (!pAppearanceSet || pAppearanceSet == m_pAppearanceSet)
        return;
    delete m_pAppearanceSet;
    m_pAppearanceSet = pAppearanceSet;
    pAppearanceSet->m_pPaintManager = this;
    pAppearanceSet->RefreshMetrics();
    SetColor(pAppearanceSet->GetDefaultColorSet());
}

void CQorTabPaintManager::OnPropertyChanged()
{
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        m_arrRows[i]->OnPropertyChanged();
}

void CQorTabPaintManager::AddRow(CQorTabManagerAtom* pRow)
{
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        if (m_arrRows[i] == pRow)
            return;
    // A row is served by one painter: it leaves the list of the one before, which would
    // otherwise keep it after the row is gone.
    CQorTabPaintManager* pPrevious = pRow->GetServingPaintManager();
    if (pPrevious && pPrevious != this)
        pPrevious->RemoveRow(pRow);
    m_arrRows.Add(pRow);
    pRow->AttachPaintManager(this);
}

void CQorTabPaintManager::RemoveRow(CQorTabManagerAtom* pRow)
{
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i) {
        if (m_arrRows[i] == pRow) {
            m_arrRows.RemoveAt(i);
            pRow->DetachPaintManager(this);
            return;
        }
    }
}
