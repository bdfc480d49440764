#include "toolkit/commandbars/CommandBarsOptions.h"

#include "platform/framework/Archive.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/PropExchange.h"

namespace {

// Schemas from which later options are stored: 8 added the used commands, the animation and the
// options after the image flags; 9 the keyboard cues.
const int kSchemaUsedCommands = 8;
const int kSchemaKeyboardCues = 9;

void ExchangeBool(CQorPropExchange* pPX, LPCTSTR pszName, BOOL& bValue, BOOL bDefault)
{
    pPX->ExchangeProp(pszName, QOR_PROP_BOOL, &bValue, &bDefault);
}

void ExchangeLong(CQorPropExchange* pPX, LPCTSTR pszName, int& nValue, int nDefault)
{
    pPX->ExchangeProp(pszName, QOR_PROP_I4, &nValue, &nDefault);
}

void ExchangeSize(CQorPropExchange* pPX, LPCTSTR pszName, CSize& size)
{
    SIZE value = {size.cx, size.cy};
    const SIZE empty = {0, 0};
    pPX->ExchangeProp(pszName, QOR_PROP_SIZE, &value, &empty);
    size = CSize(value.cx, value.cy);
}

} // namespace

CQorCommandBarsOptions::CQorCommandBarsOptions(CQorCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}

CQorPaintManager* CQorCommandBarsOptions::GetPaintManager() const
{
    return GetGlobalPaintManager();
}

void CQorCommandBarsOptions::Serialize(CArchive& ar)
{
    CQorPropExchangeArchive px(ar);
    DoPropExchange(&px);
}

void CQorCommandBarsOptions::DoPropExchange(CQorPropExchange* pPX)
{
    // Every value is written, and a value missing from a keyed store keeps what it has.
    pPX->m_bUseDefaultOnLoad = FALSE;
    pPX->m_bUseDefaultOnSave = FALSE;

    int nSchema = pPX->IsLoading() ? CQorPropExchange::kCurrentSchema : pPX->GetSchema();
    ExchangeLong(pPX, L"Schema", nSchema, CQorPropExchange::kCurrentSchema);
    if (pPX->IsLoading())
        pPX->m_nSchema = nSchema;

    ExchangeBool(pPX, L"AlwaysShowFullMenus", m_bAlwaysShowFullMenus, TRUE);
    ExchangeBool(pPX, L"ShowFullAfterDelay", m_bShowFullAfterDelay, TRUE);
    ExchangeBool(pPX, L"ToolBarScreenTips", m_bToolBarScreenTips, TRUE);
    ExchangeBool(pPX, L"ToolBarAccelTips", m_bToolBarAccelTips, FALSE);
    ExchangeBool(pPX, L"LargeIcons", m_bLargeIcons, FALSE);
    if (pPX->GetSchema() >= kSchemaUsedCommands) {
        ExchangeSet(pPX, L"UsedCommands", m_mapUsedCommands);
        ExchangeLong(pPX, L"Animation", m_nAnimationType, 0);
    }
    ExchangeBool(pPX, L"SyncFloatingBars", m_bSyncFloatingBars, TRUE);
    ExchangeBool(pPX, L"ShowExpandButtonAlways", m_bShowExpandButtonAlways, TRUE);
    ExchangeSize(pPX, L"IconsSize", m_szIcons);
    ExchangeSize(pPX, L"LargeIconsSize", m_szLargeIcons);
    ExchangeSet(pPX, L"HiddenCommands", m_mapHiddenCommands);

    // The image options live in the paint manager, which the themes set as well; these are
    // only the values an exchange starts from when there is none.
    CQorPaintManager* pPaintManager = GetPaintManager();
    BOOL bIconsWithShadow = pPaintManager ? pPaintManager->m_bIconsWithShadow : FALSE;
    BOOL bUseDisabledIcons = pPaintManager ? pPaintManager->m_bHighlightCheckedIcons : TRUE;
    BOOL bUseFadedIcons = pPaintManager ? pPaintManager->m_bFadedIcons : TRUE;
    ExchangeBool(pPX, L"IconsWithShadow", bIconsWithShadow, FALSE);
    ExchangeBool(pPX, L"UseDisabledIcons", bUseDisabledIcons, TRUE);
    ExchangeBool(pPX, L"UseFadedIcons", bUseFadedIcons, TRUE);
    if (pPX->IsLoading() && pPaintManager) {
        pPaintManager->m_bIconsWithShadow = bIconsWithShadow;
        pPaintManager->m_bHighlightCheckedIcons = bUseDisabledIcons;
        pPaintManager->m_bFadedIcons = bUseFadedIcons;
    }

    if (pPX->GetSchema() >= kSchemaUsedCommands) {
        // Stored a second time: readers of the older layout stop before this point.
        ExchangeBool(pPX, L"SyncFloatingBars", m_bSyncFloatingBars, TRUE);
        ExchangeBool(pPX, L"ShowExpandButtonAlways", m_bShowExpandButtonAlways, TRUE);
        ExchangeBool(pPX, L"DblClickFloat", m_bDblClickFloat, FALSE);
        ExchangeBool(pPX, L"ShowTextBelowIcons", m_bShowTextBelowIcons, FALSE);
        ExchangeBool(pPX, L"AltDragCustomization", m_bAltDragCustomization, TRUE);
        ExchangeBool(pPX, L"AutoHideUnusedPopups", m_bAutoHideUnusedPopups, TRUE);
        ExchangeSize(pPX, L"PopupIconsSize", m_szPopupIcons);
    }
    if (pPX->GetSchema() >= kSchemaKeyboardCues) {
        ExchangeLong(pPX, L"KeyboardCuesUse", m_nKeyboardCuesUse, keyboardCuesUseMenuOnly);
        int nKeyboardCuesShow = m_nKeyboardCuesShow;
        ExchangeLong(pPX, L"KeyboardCuesShow", nKeyboardCuesShow, keyboardCuesShowAlways);
        m_nKeyboardCuesShow = nKeyboardCuesShow;
    }
    if (pPX->IsLoading())
        SetKeyboardCuesShow(m_nKeyboardCuesShow);
}

BOOL CQorCommandBarsOptions::ShouldExchangeSet(CQorPropExchange* pPX, const CQorCommandIdSet& set)
{
    return pPX->IsLoading() || !pPX->IsAllowDefaultValues() || !set.IsEmpty();
}

void CQorCommandBarsOptions::ExchangeSet(CQorPropExchange* pPX, LPCTSTR pszName, CQorCommandIdSet& set)
{
    if (!ShouldExchangeSet(pPX, set))
        return;
    if (dynamic_cast<CQorPropExchangeArchive*>(pPX) != nullptr) {
        CArchive* pArchive = pPX->GetArchive(pszName);
        if (pArchive != nullptr) {
            ExchangeSetInArchive(*pArchive, set);
            pPX->ReleaseArchive(pszName, pArchive);
        }
        return;
    }
    CQorPropExchange* pSection = pPX->GetSection(pszName);
    if (pSection == nullptr)
        return;
    ExchangeSetInSection(pSection, set);
    pSection->InternalRelease();
}

void CQorCommandBarsOptions::ExchangeSetInArchive(CArchive& ar, CQorCommandIdSet& set)
{
    // The count, then each id with its flag. A damaged count runs into the end of the data,
    // which the archive reports.
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(set.GetCount()));
        UINT nId = 0;
        BOOL bValue = FALSE;
        for (POSITION pos = set.GetStartPosition(); pos != nullptr;) {
            set.GetNextAssoc(pos, nId, bValue);
            ar << nId << bValue;
        }
        return;
    }
    set.RemoveAll();
    const DWORD_PTR nCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nCount; ++i) {
        UINT nId = 0;
        BOOL bValue = FALSE;
        ar >> nId >> bValue;
        set.SetAt(nId, bValue);
    }
}

void CQorCommandBarsOptions::ExchangeSetInSection(CQorPropExchange* pSection, CQorCommandIdSet& set)
{
    const int nZero = 0;
    CString strItem;
    if (!pSection->IsLoading()) {
        int nCount = static_cast<int>(set.GetCount());
        pSection->ExchangeProp(L"Count", QOR_PROP_I4, &nCount, &nZero);
        int i = 0;
        UINT nId = 0;
        BOOL bValue = FALSE;
        for (POSITION pos = set.GetStartPosition(); pos != nullptr; ++i) {
            set.GetNextAssoc(pos, nId, bValue);
            int nStored = static_cast<int>(nId);
            strItem.Format(L"Item%i", i);
            pSection->ExchangeProp(strItem, QOR_PROP_I4, &nStored, &nZero);
        }
        return;
    }
    // The stored count is not trusted: a negative one reads nothing, and reading stops at the
    // most ids there can be and at the first entry that is missing.
    set.RemoveAll();
    int nCount = 0;
    pSection->ExchangeProp(L"Count", QOR_PROP_I4, &nCount, &nZero);
    if (nCount > kMaxSetEntries)
        nCount = kMaxSetEntries;
    for (int i = 0; i < nCount; ++i) {
        int nId = 0;
        strItem.Format(L"Item%i", i);
        if (!pSection->ExchangeProp(strItem, QOR_PROP_I4, &nId, &nZero))
            break;
        set.SetAt(static_cast<UINT>(nId), TRUE);
    }
}

void CQorCommandBarsOptions::SetKeyboardCuesShow(int nKind)
{
    m_nKeyboardCuesShow = nKind;
    if (m_pCommandBars == nullptr)
        return;
    BOOL bHideUntilAlt = FALSE;
    if (nKind == keyboardCuesShowWindowsDefault) {
        BOOL bSystemCues = TRUE;
        if (::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystemCues, 0) && !bSystemCues)
            bHideUntilAlt = TRUE;
    }
    m_pCommandBars->SetKeyboardCuesState(nKind != keyboardCuesShowNever && !bHideUntilAlt, bHideUntilAlt);
}
