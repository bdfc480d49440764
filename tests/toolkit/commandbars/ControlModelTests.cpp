// The control model without input: prompts and captions, actions shared by the controls of one
// id, effective state, copy and equality, and the accessible object's answers.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "tests/toolkit/foundation/MemoryCanvas.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/foundation/ImageManager.h"

namespace {

// A control released at the end of the test.
struct ControlHolder
{
    CQorControl* p = new CQorControlButton;
    ~ControlHolder() { p->InternalRelease(); }
    CQorControl* operator->() const { return p; }
};

struct PromptCase
{
    const wchar_t* prompt;
    const wchar_t* captionBefore;
    const wchar_t* tooltip;
    const wchar_t* description;
    const wchar_t* caption;
    const wchar_t* keyboardTip;
};

TEST(ControlPrompt, SplitsPartsAndFillsOnlyEmptyTexts)
{
    const PromptCase cases[] = {
        {L"Saves the book\nSave\n&Save\nS", L"", L"Save", L"Saves the book", L"&Save", L"S"},
        {L"Saves the book\nSave\n&Save\nS", L"Keep", L"Save", L"Saves the book", L"Keep", L"S"},
        {L"Saves the book\nSave", L"", L"Save", L"Saves the book", L"Save", L""},
        {L"Print", L"", L"Print", L"Print", L"Print", L""},
        {L"Print", L"Old", L"Print", L"Print", L"Old", L""},
    };
    for (const PromptCase& c : cases) {
        ControlHolder control;
        control->m_strCaption = c.captionBefore;
        control->SetPrompt(c.prompt);
        EXPECT_STREQ(control->GetTooltip(), c.tooltip) << c.prompt;
        EXPECT_STREQ(control->GetDescription(), c.description) << c.prompt;
        EXPECT_STREQ(control->GetCaption(), c.caption) << c.prompt;
        EXPECT_STREQ(control->m_strKeyboardTip, c.keyboardTip) << c.prompt;
    }
}

TEST(ControlPrompt, CaptionTabGivesAutomaticShortcutAndFlagsTheBar)
{
    CQorCommandBar bar;
    ControlHolder control;
    control->SetParent(&bar);
    control->SetCaption(L"&Save\tCtrl+S");
    EXPECT_STREQ(control->m_strCaption, L"&Save");
    EXPECT_STREQ(control->m_strShortcutTextAuto, L"Ctrl+S");
    EXPECT_STREQ(control->GetShortcutText(), L"Ctrl+S");
    EXPECT_TRUE(bar.IsLayoutDelayed());
}

TEST(ControlPrompt, SetIdLoadsTheStringOfTheNewId)
{
    ControlHolder control;
    control->SetID(QOR_IDS_CLR_BLACK);
    EXPECT_EQ(control->GetID(), QOR_IDS_CLR_BLACK);
    EXPECT_STREQ(control->GetTooltip(), L"Black");
    EXPECT_STREQ(control->GetCaption(), L"Black");
}

TEST(ControlActions, FindsBySortedIdAndRefusesIdsOutOfRange)
{
    CQorControlActions* pActions = new CQorControlActions;
    EXPECT_EQ(pActions->FindAction(5), nullptr);
    for (int nId : {30, 10, 20, QOR_IDS_CLR_BLACK})
        pActions->Add(nId);
    ASSERT_EQ(pActions->GetCount(), 4);
    EXPECT_EQ(pActions->GetAt(0)->GetId(), 10);
    EXPECT_EQ(pActions->GetAt(1)->GetId(), 20);
    EXPECT_EQ(pActions->GetAt(2)->GetId(), 30);
    EXPECT_EQ(pActions->Add(20), pActions->GetAt(1));
    EXPECT_EQ(pActions->FindAction(30), pActions->GetAt(2));
    EXPECT_EQ(pActions->FindAction(25), nullptr);
    EXPECT_EQ(pActions->FindAction(0), nullptr);
    EXPECT_EQ(pActions->FindAction(0x0FFFFFFF), nullptr);
    EXPECT_STREQ(pActions->FindAction(QOR_IDS_CLR_BLACK)->GetTooltip(), L"Black");
    pActions->InternalRelease();
}

TEST(ControlActions, BindingTakesTheActionsTextsAndStateUntilUnbound)
{
    CQorCommandBars* pCommandBars = new CQorCommandBars;
    CQorControlAction* pAction = pCommandBars->GetActions()->Add(700);
    pAction->SetCaption(L"Zoom\tCtrl+Z");
    EXPECT_STREQ(pAction->GetCaption(), L"Zoom");

    ControlHolder control;
    control->m_strCaption = L"Own";
    control->m_strTooltipText = L"Own tip";
    control->SetAction(pAction);
    EXPECT_EQ(control->GetID(), 700);
    EXPECT_STREQ(control->GetCaption(), L"Zoom");
    EXPECT_EQ(control->m_nEnabled, -1);

    pAction->SetEnabled(FALSE);
    pAction->SetChecked(TRUE);
    EXPECT_FALSE(control->GetEnabled());
    EXPECT_TRUE(control->GetChecked());
    // In customize mode a control bound to an action counts as enabled.
    pCommandBars->SetCustomizeMode(TRUE);
    EXPECT_TRUE(control->GetEnabled());
    pCommandBars->SetCustomizeMode(FALSE);

    pAction->SetVisible(FALSE);
    EXPECT_FALSE(control->IsVisible());
    pAction->SetVisible(TRUE);
    EXPECT_TRUE(control->IsVisible());

    control->OnRemoved();
    EXPECT_EQ(control->GetAction(), nullptr);
    EXPECT_EQ(pAction->GetCount(), 0);
    EXPECT_TRUE(control->GetEnabled());
    EXPECT_FALSE(control->GetChecked());

    // The actions going first leave no control pointing at them.
    ControlHolder bound;
    bound->SetAction(pAction);
    pCommandBars->InternalRelease();
    EXPECT_EQ(bound->GetAction(), nullptr);
}

TEST(ControlState, HideMaskAndEffectiveStyle)
{
    CQorCommandBar bar;
    bar.m_nDefaultButtonStyle = qorButtonIconAndCaption;
    ControlHolder control;
    control->SetParent(&bar);
    control->SetHideFlags(qorHideWrap | qorHideExpand);
    EXPECT_FALSE(control->IsVisible(qorHideMaskHitTest));
    EXPECT_FALSE(control->IsVisible(qorHideMaskLayout));
    EXPECT_TRUE(control->IsVisible(qorHideWrap | qorHideExpand));

    EXPECT_EQ(control->GetEffectiveStyle(), qorButtonIconAndCaption);
    control->m_nDefaultStyle = qorButtonIcon;
    EXPECT_EQ(control->GetEffectiveStyle(), qorButtonIcon);
    control->SetStyle(qorButtonCaption);
    EXPECT_EQ(control->GetEffectiveStyle(), qorButtonCaption);
    control->SetCustomStyle(qorButtonIconAndCaptionBelow);
    EXPECT_EQ(control->GetEffectiveStyle(), qorButtonIconAndCaptionBelow);
}

TEST(ControlState, SelectionTellsTheBarOnlyOnChange)
{
    struct CRecordingBar : CQorCommandBar
    {
        int nCalls = 0;
        void OnControlSelected(int, CQorControl*) override { nCalls++; }
    } bar;
    ControlHolder control;
    control->SetParent(&bar);
    EXPECT_TRUE(control->SetSelected(1));
    EXPECT_FALSE(control->SetSelected(1));
    EXPECT_TRUE(control->SetSelected(0));
    EXPECT_EQ(bar.nCalls, 2);
}

TEST(ControlCopy, CopiesPersistentFieldsAndComparesEqual)
{
    ControlHolder source;
    source->SetID(900);
    source->SetCaption(L"&Open\tCtrl+O");
    source->m_nFlags = qorFlagRightAlign;
    source->m_nHideFlags = qorHideCustomize;
    source->m_bBeginGroup = TRUE;
    source->m_nWidth = 40;
    source->m_nExecuteOnPressInterval = 150;
    source->m_strParameter = L"p";

    CQorControl* pClone = source->Clone();
    EXPECT_EQ(pClone->GetRuntimeClass(), source->GetRuntimeClass());
    EXPECT_STREQ(pClone->GetShortcutText(), L"Ctrl+O");
    EXPECT_EQ(pClone->m_nExecuteOnPressInterval, 150);
    EXPECT_TRUE(pClone->IsEqual(source.p));
    // A copy from itself changes nothing.
    pClone->Copy(pClone);
    EXPECT_TRUE(pClone->IsEqual(source.p));

    pClone->m_nHideFlags = 0; // the user's hide bit counts
    EXPECT_FALSE(pClone->IsEqual(source.p));
    pClone->m_nHideFlags = qorHideCustomize | qorHideWrap; // the layout's does not
    EXPECT_TRUE(pClone->IsEqual(source.p));
    pClone->m_nWidth = 41;
    EXPECT_FALSE(pClone->IsEqual(source.p));
    pClone->InternalRelease();
}

// The accessible object, asked through its IAccessible interface.
class ControlAccessible : public testing::Test
{
protected:
    void SetUp() override
    {
        m_hWndFrame = cbtest::CreatePlainWindow({40, 40, 340, 140}, WS_OVERLAPPED | WS_VISIBLE);
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(m_bar.CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 30, m_hWndFrame, nullptr));
        m_control->SetParent(&m_bar);
        m_control->SetRect(CRect(10, 2, 40, 24));
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        DestroyWindow(m_hWndFrame);
    }
    long Role()
    {
        VARIANT var = {}, role = {};
        EXPECT_EQ(m_control->GetAccessibleInterface()->get_accRole(var, &role), S_OK);
        return role.lVal;
    }
    long State()
    {
        VARIANT var = {}, state = {};
        EXPECT_EQ(m_control->GetAccessibleInterface()->get_accState(var, &state), S_OK);
        return state.lVal;
    }

    HWND m_hWndFrame = nullptr;
    CQorCommandBar m_bar;
    ControlHolder m_control;
};

TEST_F(ControlAccessible, NameDropsMnemonicsAndAddsTheShortcut)
{
    m_control->SetCaption(L"&Cap\tCtrl+S");
    VARIANT self = {};
    BSTR bstr = nullptr;
    ASSERT_EQ(m_control->GetAccessibleInterface()->get_accName(self, &bstr), S_OK);
    EXPECT_STREQ(bstr, L"Cap\tCtrl+S");
    SysFreeString(bstr);

    m_control->SetCaption(L"Save && Exit");
    EXPECT_STREQ(m_control->GetAccessibleNameText(), L"Save & Exit");
    m_control->SetCaption(L"");
    m_control->m_strTooltipText = L"Tip";
    EXPECT_STREQ(m_control->GetAccessibleNameText(), L"Tip");

    VARIANT child = {};
    child.vt = VT_I4;
    child.lVal = 3;
    EXPECT_EQ(m_control->GetAccessibleInterface()->get_accName(child, &bstr), E_INVALIDARG);
}

TEST_F(ControlAccessible, RoleFollowsTheBarType)
{
    m_bar.m_barType = qorBarTypeToolBar;
    EXPECT_EQ(Role(), ROLE_SYSTEM_PUSHBUTTON);
    m_bar.m_barType = qorBarTypeMenuBar;
    EXPECT_EQ(Role(), ROLE_SYSTEM_MENUITEM);
    m_bar.m_barType = qorBarTypePopup;
    EXPECT_EQ(Role(), ROLE_SYSTEM_MENUITEM);
}

TEST_F(ControlAccessible, StatesAndLocation)
{
    EXPECT_EQ(State(), STATE_SYSTEM_FOCUSABLE);
    m_control->SetSelected(1);
    EXPECT_EQ(State(), STATE_SYSTEM_FOCUSABLE | 0x86);
    m_control->SetSelected(0);
    m_control->SetEnabled(FALSE);
    m_control->SetChecked(TRUE);
    EXPECT_EQ(State(), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_CHECKED);
    m_control->SetHideFlags(qorHideGeneric);
    EXPECT_TRUE(State() & STATE_SYSTEM_INVISIBLE);
    m_control->SetHideFlags(0);

    long x = 0, y = 0, cx = 0, cy = 0;
    VARIANT self = {};
    ASSERT_EQ(m_control->GetAccessibleInterface()->accLocation(&x, &y, &cx, &cy, self), S_OK);
    const POINT pt = cbtest::ScreenPoint(m_bar.GetSafeHwnd(), 10, 2);
    EXPECT_EQ(x, pt.x);
    EXPECT_EQ(y, pt.y);
    EXPECT_EQ(cx, 30);
    EXPECT_EQ(cy, 22);

    VARIANT hit = {};
    EXPECT_EQ(m_control->GetAccessibleInterface()->accHitTest(pt.x + 1, pt.y + 1, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(m_control->GetAccessibleInterface()->accHitTest(pt.x + 100, pt.y + 1, &hit), S_FALSE);
    EXPECT_EQ(m_control->GetAccessibleInterface()->accHitTest(pt.x - 1000, pt.y, &hit), S_FALSE);
}

} // namespace

TEST(ControlDocTemplates, AssignedAndExcludedTemplatesDecideTheOtherTemplateBit)
{
    struct Case
    {
        const char* name;
        std::vector<UINT> assigned, excluded;
        BOOL bHiddenBefore;
        UINT nActive;
        BOOL bHidden, bChanged;
    };
    const Case cases[] = {
        {"no sets keep the bit as it was", {}, {}, TRUE, 7, TRUE, FALSE},
        {"assigned to the active template", {128, 129}, {}, TRUE, 129, FALSE, TRUE},
        {"assigned to others only", {128}, {}, FALSE, 130, TRUE, TRUE},
        {"excluded from the active template", {}, {130}, FALSE, 130, TRUE, TRUE},
        {"excluded from others only", {}, {130}, TRUE, 128, FALSE, TRUE},
        {"an exclusion decides over an assignment", {128}, {128}, FALSE, 128, TRUE, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CQorControlButton* pControl = new CQorControlButton;
        for (UINT n : c.assigned)
            pControl->GetDocTemplatesAssigned().SetAt(n, TRUE);
        for (UINT n : c.excluded)
            pControl->GetDocTemplatesExcluded().SetAt(n, TRUE);
        pControl->SetHideFlag(qorHideDocTemplate, c.bHiddenBefore);
        EXPECT_EQ(pControl->FilterByDocTemplate(c.nActive), c.bChanged);
        EXPECT_EQ((pControl->GetHideFlags() & qorHideDocTemplate) != 0, c.bHidden != FALSE);

        // A copy carries both sets.
        CQorControlButton* pCopy = new CQorControlButton;
        pCopy->Copy(pControl, FALSE);
        EXPECT_EQ(pCopy->GetDocTemplatesAssigned().GetCount(), static_cast<INT_PTR>(c.assigned.size()));
        EXPECT_EQ(pCopy->GetDocTemplatesExcluded().GetCount(), static_cast<INT_PTR>(c.excluded.size()));
        pCopy->InternalRelease();
        pControl->InternalRelease();
    }
}

namespace {

// An image manager holding one opaque 16-pixel icon of an id (a reference for the caller).
CQorImageManager* ImagesWithIcon(UINT nId)
{
    CQorImageManager* pImages = new CQorImageManager;
    DWORD* pBits = nullptr;
    HBITMAP hBitmap = foundationtest::Canvas::MakeSection(16, 16, &pBits);
    for (int i = 0; i < 16 * 16; ++i)
        pBits[i] = 0xFF3060C0u;
    pImages->SetIconsFromBitmap(hBitmap, TRUE, &nId, 1, 0, 16, 16);
    DeleteObject(hBitmap);
    return pImages;
}

} // namespace

TEST(ControlImage, ComesFromTheBarsImagesElseItsManagersElseTheGlobalOnes)
{
    const UINT kBarIcon = 48101, kManagerIcon = 48102, kNowhere = 48103;
    CQorImageManager* pBarImages = ImagesWithIcon(kBarIcon);
    CQorImageManager* pManagerImages = ImagesWithIcon(kManagerIcon);
    CQorCommandBars* pCommandBars = new CQorCommandBars;
    pCommandBars->SetImageManager(pManagerImages);
    CQorCommandBar* pBar = new CQorCommandBar;
    pBar->SetCommandBars(pCommandBars);
    struct Case
    {
        const char* name;
        CQorImageManager* pBarImages; // the bar's own, or none
        UINT nIconId;
        BOOL bFound;
    } cases[] = {
        {"the bar's own images", pBarImages, kBarIcon, TRUE},
        {"the manager's when the bar has none", nullptr, kManagerIcon, TRUE},
        {"not the manager's when the bar has its own", pBarImages, kManagerIcon, FALSE},
        {"an icon nobody holds", nullptr, kNowhere, FALSE},
    };
    CQorControl* pControl = pBar->GetControls()->Add(qorControlButton, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pBar->SetImageManager(c.pBarImages);
        pControl->m_nCustomIconId = static_cast<int>(c.nIconId);
        EXPECT_EQ(pControl->GetImage(16) != nullptr, c.bFound);
    }
    pBar->SetImageManager(nullptr);
    pBar->InternalRelease();
    pCommandBars->InternalRelease();
    pManagerImages->InternalRelease();
    pBarImages->InternalRelease();
}
