// COleDropTarget: registration with OLE and the calls that reach the handlers.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/framework/OleDropTarget.h"
#include "platform/framework/Wnd.h"

namespace {

class RecordingTarget : public COleDropTarget
{
public:
    DROPEFFECT OnDragEnter(CWnd* pWnd, IDataObject*, DWORD, CPoint point) override
    {
        m_nEnter++;
        m_ptLast = point;
        m_pWnd = pWnd;
        return DROPEFFECT_COPY;
    }
    DROPEFFECT OnDragOver(CWnd*, IDataObject*, DWORD, CPoint point) override
    {
        m_nOver++;
        m_ptLast = point;
        return DROPEFFECT_MOVE;
    }
    void OnDragLeave(CWnd*) override { m_nLeave++; }
    int m_nEnter = 0, m_nOver = 0, m_nLeave = 0;
    CPoint m_ptLast;
    CWnd* m_pWnd = nullptr;
};

} // namespace

TEST(OleDropTarget, RegistersOnceAndRevokesBackToItsOwnReference)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, L"STATIC", L"", WS_POPUP, CRect(100, 100, 200, 200), nullptr, 0));
    RecordingTarget* pTarget = new RecordingTarget();
    EXPECT_TRUE(pTarget->Register(&wnd));
    EXPECT_GT(pTarget->m_dwRef, 1u) << "OLE holds the target";
    EXPECT_FALSE(pTarget->Register(&wnd)) << "one registration at a time";
    pTarget->Revoke();
    EXPECT_EQ(1u, pTarget->m_dwRef);
    EXPECT_EQ(nullptr, pTarget->GetRegisteredHwnd());
    pTarget->Revoke();
    EXPECT_TRUE(pTarget->Register(&wnd));
    wnd.DestroyWindow();
    pTarget->InternalRelease(); // the destructor revokes what is still registered
}

TEST(OleDropTarget, CallsReachTheHandlersInClientCoordinates)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, L"STATIC", L"", WS_POPUP, CRect(100, 100, 200, 200), nullptr, 0));
    RecordingTarget* pTarget = new RecordingTarget();
    ASSERT_TRUE(pTarget->Register(&wnd));
    IDropTarget* pDrop = pTarget->GetDropTargetInterface();
    POINT ptClient = {0, 0};
    ::ClientToScreen(wnd.GetSafeHwnd(), &ptClient);
    POINTL pt = {ptClient.x + 10, ptClient.y + 20};
    DWORD dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pDrop->DragEnter(nullptr, 0, pt, &dwEffect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), dwEffect);
    EXPECT_EQ(CPoint(10, 20), pTarget->m_ptLast);
    EXPECT_EQ(&wnd, pTarget->m_pWnd);
    EXPECT_EQ(S_OK, pDrop->DragOver(0, pt, &dwEffect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), dwEffect);
    EXPECT_EQ(S_OK, pDrop->Drop(nullptr, 0, pt, &dwEffect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), dwEffect) << "the base refuses every drop";
    EXPECT_EQ(S_OK, pDrop->DragLeave());
    EXPECT_EQ(1, pTarget->m_nEnter);
    EXPECT_EQ(1, pTarget->m_nOver);
    EXPECT_EQ(1, pTarget->m_nLeave);
    pTarget->Revoke();
    pTarget->InternalRelease();
    wnd.DestroyWindow();
}
