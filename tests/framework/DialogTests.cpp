// Dialogs from templates of the current resource module: the modal loop with its owner
// disabled, keyboard handling, data exchange and validation, modeless dialogs.
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

#include "platform/framework/Dialog.h"
#include "platform/framework/WinApp.h"
#include "tests/common/WineTestSupport.h"
#include "tests/framework/FrameworkTestResources.h"

namespace {

// Counts the characters typed into the control it subclasses.
class CCountingEdit : public CWnd
{
public:
    int chars = 0;

protected:
    afx_msg void OnChar(UINT, UINT, UINT)
    {
        ++chars;
        Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

class CTestDataDlg : public CDialog
{
public:
    explicit CTestDataDlg(CWnd* pParent) : CDialog(IDD_TEST_DATA, pParent) {}

    CString m_name = L"Ada";
    int m_count = 3;
    double m_ratio = 0.5;
    int m_radio = 1;
    int m_check = 1;
    CCountingEdit m_nameEdit;
    int initCalls = 0;

protected:
    BOOL OnInitDialog() override
    {
        ++initCalls;
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_NAME, m_nameEdit);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 10);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDV_MinMaxInt(pDX, m_count, 1, 10);
        DDX_Text(pDX, IDC_RATIO, m_ratio);
        DDX_Radio(pDX, IDC_RADIO_FIRST, m_radio);
        DDX_Check(pDX, IDC_CHECK, m_check);
    }
};

// Drives a modal dialog from outside: on each tick of a thread timer the next step runs
// against the dialog window, once the dialog exists.
std::vector<std::function<void(HWND)>> g_steps;
size_t g_nextStep = 0;
UINT_PTR g_driverTimer = 0;

void CALLBACK DriverTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = ::FindWindowW(L"#32770", L"Data exchange");
    if (!dialog || !::IsWindowVisible(dialog) || g_nextStep >= g_steps.size())
        return;
    g_steps[g_nextStep++](dialog);
}

struct DialogFixture : testing::Test
{
    CWnd owner;
    std::vector<std::wstring> messages;
    AfxMessageBoxHandler previousHandler;

    void SetUp() override
    {
        ASSERT_TRUE(
            owner.CreateEx(0, AfxRegisterWndClass(0), L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
        previousHandler = AfxSetMessageBoxHandler([this](LPCTSTR text, UINT) {
            messages.push_back(text);
            return IDOK;
        });
        g_steps.clear();
        g_nextStep = 0;
    }

    void TearDown() override
    {
        if (g_driverTimer)
            ::KillTimer(nullptr, g_driverTimer);
        g_driverTimer = 0;
        AfxSetMessageBoxHandler(previousHandler);
        owner.DestroyWindow();
    }

    INT_PTR RunModal(CDialog& dialog)
    {
        g_driverTimer = ::SetTimer(nullptr, 0, 20, &DriverTick);
        return dialog.DoModal();
    }
};

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[128] = {};
    ::GetDlgItemTextW(dialog, id, text, 128);
    return text;
}

void SetItem(HWND dialog, int id, const wchar_t* text)
{
    ::SetDlgItemTextW(dialog, id, text);
}

void PressOK(HWND dialog)
{
    ::SendMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

} // namespace

TEST_F(DialogFixture, ModalDialogExchangesDataAndKeepsItsOwnerDisabled)
{
    CTestDataDlg dlg(&owner);
    BOOL ownerEnabledDuring = TRUE;
    std::wstring shownName, shownCount, shownRatio;
    UINT shownRadio = 0, shownCheck = 0;
    int focusAfterFailure = 0;

    g_steps = {
        [&](HWND d) {
            ownerEnabledDuring = ::IsWindowEnabled(owner.m_hWnd);
            shownName = ItemText(d, IDC_NAME);
            shownCount = ItemText(d, IDC_COUNT);
            shownRatio = ItemText(d, IDC_RATIO);
            shownRadio = ::IsDlgButtonChecked(d, IDC_RADIO_SECOND);
            shownCheck = ::IsDlgButtonChecked(d, IDC_CHECK);
            SetItem(d, IDC_NAME, L"Grace");
            SetItem(d, IDC_COUNT, L"42"); // outside 1..10
            SetItem(d, IDC_RATIO, L" 2.25 ");
            ::SendMessageW(::GetDlgItem(d, IDC_RADIO_THIRD), BM_CLICK, 0, 0);
            ::SendMessageW(::GetDlgItem(d, IDC_CHECK), BM_CLICK, 0, 0);
            PressOK(d);
        },
        [&](HWND d) {
            focusAfterFailure = ::GetDlgCtrlID(::GetFocus());
            SetItem(d, IDC_COUNT, L"7");
            PressOK(d);
        },
    };
    EXPECT_EQ(RunModal(dlg), IDOK);

    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_EQ(shownName, L"Ada");
    EXPECT_EQ(shownCount, L"3");
    EXPECT_EQ(shownRatio, L"0.5");
    EXPECT_EQ(shownRadio, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(shownCheck, static_cast<UINT>(BST_CHECKED));

    // The failed validation told the user and left the dialog open on the faulty field.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"Enter an integer between 1 and 10.");
    EXPECT_EQ(focusAfterFailure, IDC_COUNT);

    EXPECT_EQ(dlg.m_name, CString(L"Grace"));
    EXPECT_EQ(dlg.m_count, 7);
    EXPECT_DOUBLE_EQ(dlg.m_ratio, 2.25);
    EXPECT_EQ(dlg.m_radio, 2);
    EXPECT_EQ(dlg.m_check, 0);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_nameEdit.m_hWnd, nullptr); // the bound control went with the dialog
}

TEST_F(DialogFixture, EveryInvalidFieldIsRefusedWithItsOwnMessage)
{
    struct Case
    {
        int id;
        const wchar_t* text;
        const wchar_t* message;
    };
    static const Case cases[] = {
        {IDC_COUNT, L"abc", L"Enter an integer."},
        {IDC_COUNT, L"3x", L"Enter an integer."},
        {IDC_COUNT, L"99999999999", L"Enter an integer."},
        {IDC_COUNT, L"0", L"Enter an integer between 1 and 10."},
        {IDC_RATIO, L"half", L"Enter a number."},
        {IDC_NAME, L"Abcdefghijk", L"Enter no more than 10 characters."},
    };
    CTestDataDlg dlg(&owner);
    for (const Case& c : cases) {
        g_steps.push_back([c](HWND d) {
            SetItem(d, IDC_NAME, L"Ada");
            SetItem(d, IDC_COUNT, L"3");
            SetItem(d, IDC_RATIO, L"1");
            SetItem(d, c.id, c.text);
            PressOK(d);
        });
    }
    g_steps.push_back([](HWND d) { ::SendMessageW(d, WM_CLOSE, 0, 0); });

    EXPECT_EQ(RunModal(dlg), IDCANCEL);
    ASSERT_EQ(messages.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(messages[i], cases[i].message) << cases[i].text;
}

TEST_F(DialogFixture, KeysPostedToControlsAreHandledLikeADialog)
{
    CTestDataDlg dlg(&owner);
    g_steps = {
        [](HWND d) {
            HWND name = ::GetDlgItem(d, IDC_NAME);
            ::PostMessageW(name, WM_CHAR, L'Z', 1);
            ::PostMessageW(name, WM_KEYDOWN, VK_RETURN, 1); // the default button: OK
        },
    };
    EXPECT_EQ(RunModal(dlg), IDOK);
    EXPECT_EQ(dlg.m_name.Right(1), CString(L"Z"));
    EXPECT_EQ(dlg.m_nameEdit.chars, 1);
}

TEST_F(DialogFixture, ModelessDialogLoadsAndSavesOnRequest)
{
    CTestDataDlg dlg(&owner);
    ASSERT_TRUE(dlg.Create(IDD_TEST_DATA, &owner));
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
    EXPECT_EQ(dlg.GetParent(), &owner);
    EXPECT_EQ(ItemText(dlg.m_hWnd, IDC_NAME), L"Ada");
    EXPECT_EQ(dlg.m_nameEdit.GetDlgCtrlID(), IDC_NAME);

    dlg.SetDlgItemText(IDC_NAME, L"Lin");
    dlg.CheckRadioButton(IDC_RADIO_FIRST, IDC_RADIO_THIRD, IDC_RADIO_FIRST);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_name, CString(L"Lin"));
    EXPECT_EQ(dlg.m_radio, 0);

    // Text that is no number never reaches its member.
    dlg.SetDlgItemText(IDC_COUNT, L"eleven");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_count, 3);
    EXPECT_EQ(messages.size(), 1u);

    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogFixture, TemplateComesFromTheCurrentResourceModule)
{
    HINSTANCE own = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleW(L"kernel32.dll"));
    CTestDataDlg dlg(&owner);
    // Not in that module: the executable's own template is used.
    EXPECT_TRUE(dlg.Create(IDD_TEST_DATA, &owner));
    dlg.DestroyWindow();

    CDialog missing(static_cast<UINT>(999), &owner);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
    AfxSetResourceHandle(own);
}

// Whole numbers read from an edit control: the range of the member's type and the DDV range
// decide; a refused text names its trouble and leaves the member as it was.
template <class Number> struct NumberCase
{
    const wchar_t* text;
    bool accepted;
    Number value;           // the member afterwards; it starts at 7
    const wchar_t* message; // what the user is told, or null
};

template <class Number, size_t N, class Validate>
void CheckNumberCases(DialogFixture& fixture, HWND edit, const NumberCase<Number> (&cases)[N], Validate validate)
{
    for (const NumberCase<Number>& c : cases) {
        SCOPED_TRACE(testing::Message() << CStringA(c.text, CP_ACP).GetString());
        fixture.messages.clear();
        ::SetWindowTextW(edit, c.text);
        Number value = 7;
        CDataExchange dx(&fixture.owner, TRUE);
        bool accepted = true;
        try {
            DDX_Text(&dx, ::GetDlgCtrlID(edit), value);
            validate(&dx, value);
        } catch (CException* e) {
            e->Delete();
            accepted = false;
        }
        EXPECT_EQ(c.accepted, accepted);
        EXPECT_EQ(c.value, value);
        EXPECT_EQ(c.message ? std::vector<std::wstring>{c.message} : std::vector<std::wstring>{}, fixture.messages);
    }
}

TEST_F(DialogFixture, WholeNumbersAreReadWithinTheirRange)
{
    const int kEditId = 300;
    HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 80, 20, owner.GetSafeHwnd(),
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditId)), nullptr, nullptr);
    ASSERT_NE(nullptr, edit);

    const NumberCase<int> intCases[] = {
        {L" -5 ", true, -5, nullptr},
        {L"100", true, 100, nullptr},
        {L"101", false, 101, L"Enter an integer between -5 and 100."}, // read, then refused
        {L"12x", false, 7, L"Enter an integer."},
        {L"99999999999", false, 7, L"Enter an integer."},
    };
    CheckNumberCases(*this, edit, intCases, [](CDataExchange* pDX, int value) { DDV_MinMaxInt(pDX, value, -5, 100); });

    const NumberCase<UINT> uintCases[] = {
        {L"4000000000", true, 4000000000u, nullptr},
        {L"1", false, 1, L"Enter an integer between 2 and 4000000000."},
        {L"-1", false, 7, L"Enter a positive integer."},
        {L"4294967296", false, 7, L"Enter a positive integer."},
    };
    CheckNumberCases(*this, edit, uintCases,
                     [](CDataExchange* pDX, UINT value) { DDV_MinMaxUInt(pDX, value, 2, 4000000000u); });

    // Loading shows the member in the control.
    UINT large = 4000000000u;
    CDataExchange load(&owner, FALSE);
    DDX_Text(&load, kEditId, large);
    wchar_t shown[32] = {};
    ::GetWindowTextW(edit, shown, 32);
    EXPECT_STREQ(L"4000000000", shown);
}
