// The contents tree built from a fixture `Nodes` element in a real tree control: page-order
// walks, the Home item, links of both schemes and by address, search hits and item images.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "books/packer/BookPacker.h"
#include "platform/framework/WinApp.h"
#include "reader/book/ExeBookDocument.h"
#include "reader/ui/ExeBookTreeCtrl.h"
#include "reader/book/XMLDocument.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/StringPrinter.h"

namespace {

// Pre-order: Intro, Intro A, Heading, Deep, Chapter, Appendix, Notes, Empty end. Node_1 of
// the top level is missing; Chapter declares two files and two attachments but has one of
// each; Heading, Appendix and Empty end have no page.
const wchar_t kFixture[] =
    L"<FolionyxExeBook><Nodes ChildCount='4'>"
    L"<Node_0 Title='Intro' URL='http://book.example/intro.htm' ImageIndex='0' FileCount='2' ChildCount='2'>"
    L"  <File_0 ID='1' Name='intro.htm'/><File_1 ID='2' Name='a.gif'/>"
    L"  <Node_0 Title='Intro A' URL='http://book.example/intro.htm#a' ImageIndex='1' FileCount='1'>"
    L"    <File_0 ID='3' Name='introa.htm'/></Node_0>"
    L"  <Node_1 Title='Heading' ImageIndex='3' ChildCount='1'>"
    L"    <Node_0 Title='Deep' URL='http://book.example/deep.htm' ImageIndex='1' FileCount='1'>"
    L"      <File_0 ID='4' Name='deep.htm'/></Node_0></Node_1>"
    L"</Node_0>"
    L"<Node_2 Title='Chapter' URL='http://book.example/chapter.htm' ImageIndex='2' FileCount='2' Home=' 1 '"
    L"  AttachmentCount='2'><File_0 ID='5' Name='chapter.htm'/><Attachment_0 ID='6' Name='card.txt'/></Node_2>"
    L"<Node_3 Title='Appendix' ImageIndex='3' ChildCount='2'>"
    L"  <Node_0 Title='Notes' URL='http://book.example/notes.htm' ImageIndex='1' FileCount='1'>"
    L"    <File_0 ID='7' Name='notes.htm'/></Node_0>"
    L"  <Node_1 Title='Empty end' ImageIndex='0'/>"
    L"</Node_3>"
    L"</Nodes></FolionyxExeBook>";

class CTreeHost : public CWnd
{
public:
    CTreeHost()
    {
        CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)), L"tree host", WS_POPUP,
                 0, 0, 320, 400, nullptr, nullptr);
    }
    ~CTreeHost() override
    {
        if (m_hWnd)
            DestroyWindow();
    }

    // The item data of each deletion notice before and after the tree has answered it.
    struct DeleteNotice
    {
        LPARAM before, after;
    };
    std::vector<DeleteNotice> deletions;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        auto* notice = reinterpret_cast<NMTREEVIEWW*>(lParam);
        if (notice->hdr.code != TVN_DELETEITEMW)
            return CWnd::OnNotify(wParam, lParam, pResult);
        const LPARAM before = notice->itemOld.lParam;
        const BOOL handled = CWnd::OnNotify(wParam, lParam, pResult);
        deletions.push_back({before, notice->itemOld.lParam});
        return handled;
    }
};

struct CountingListener : CExeBookTreeCtrlEventListener
{
    int calls = 0;
    CExeBookTreeCtrl* tree = nullptr;
    void OnTreeSelectionChanged(CExeBookTreeCtrl* t) override
    {
        ++calls;
        tree = t;
    }
    void OnTreeReserved(CExeBookTreeCtrl*) override {}
};

class ExeBookTreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(host.GetSafeHwnd(), nullptr);
        ASSERT_TRUE(tree.CreateEx(WS_EX_CLIENTEDGE,
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_SHOWSELALWAYS,
                                  CRect(0, 0, 300, 360), &host, 1));
    }

    void LoadFixture(const wchar_t* xml = kFixture)
    {
        ASSERT_TRUE(settings.LoadXML(xml));
        ASSERT_TRUE(tree.Load(settings));
    }

    HTREEITEM Find(const wchar_t* title) const
    {
        for (HTREEITEM item = tree.GetRootItem(); item; item = tree.NextItem(item)) {
            if (tree.GetItemText(item) == title)
                return item;
        }
        ADD_FAILURE() << "no item " << CStringA(title, CP_ACP).GetString();
        return nullptr;
    }

    CString Title(HTREEITEM item) const { return item ? tree.GetItemText(item) : CString(L"(none)"); }

    // The titles met by repeatedly stepping from `start`.
    std::vector<CString> Walk(HTREEITEM start, HTREEITEM (CExeBookTreeCtrl::*step)(HTREEITEM) const) const
    {
        std::vector<CString> titles;
        for (HTREEITEM item = start; item; item = (tree.*step)(item))
            titles.push_back(tree.GetItemText(item));
        return titles;
    }

    CTreeHost host;
    CExeBookTreeCtrl tree;
    CExeBookDocument settings;
};

std::vector<CString> Titles(std::initializer_list<const wchar_t*> list)
{
    std::vector<CString> titles;
    for (const wchar_t* title : list)
        titles.push_back(title);
    return titles;
}

} // namespace

TEST_F(ExeBookTreeTest, LoadsPresentNodesWithTheirRecords)
{
    LoadFixture();
    EXPECT_EQ(tree.GetCount(), 8u);
    // Node_1 is missing: three root items.
    EXPECT_EQ(Walk(tree.GetRootItem(), &CTreeCtrl::GetNextSiblingItem), Titles({L"Intro", L"Chapter", L"Appendix"}));
    // The first root item is expanded.
    EXPECT_TRUE(tree.GetItemState(tree.GetRootItem(), TVIS_EXPANDED) & TVIS_EXPANDED);

    const EXEBOOKCONTENTSRECORD* intro = tree.GetRecord(Find(L"Intro"));
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(intro->strURL, CString(L"http://book.example/intro.htm"));
    ASSERT_EQ(intro->files.size(), 2u);
    EXPECT_EQ(intro->files[1].nID, 2);
    EXPECT_EQ(intro->files[1].strName, CString(L"a.gif"));
    EXPECT_FALSE(intro->bHome);

    // Declared two files and two attachments, has one of each.
    const EXEBOOKCONTENTSRECORD* chapter = tree.GetRecord(Find(L"Chapter"));
    ASSERT_NE(chapter, nullptr);
    ASSERT_EQ(chapter->files.size(), 1u);
    EXPECT_EQ(chapter->files[0].nID, 5);
    ASSERT_EQ(chapter->attachments.size(), 1u);
    EXPECT_EQ(chapter->attachments[0].strName, CString(L"card.txt"));
    EXPECT_TRUE(chapter->bHome);

    EXPECT_EQ(tree.GetRecord(Find(L"Heading")), nullptr);
    EXPECT_EQ(tree.GetRecord(Find(L"Appendix")), nullptr);
    EXPECT_EQ(tree.GetRecord(nullptr), nullptr);
}

TEST_F(ExeBookTreeTest, LoadFailsWithoutRootOrNodes)
{
    ASSERT_TRUE(settings.LoadXML(L"<FolionyxExeBook><ExeBook Name='x'/></FolionyxExeBook>"));
    EXPECT_FALSE(tree.Load(settings));
    CExeBookDocument other;
    ASSERT_TRUE(other.LoadXML(L"<SomethingElse><Nodes ChildCount='1'><Node_0 Title='x'/></Nodes></SomethingElse>"));
    EXPECT_FALSE(tree.Load(other));
    EXPECT_EQ(tree.GetCount(), 0u);
}

TEST_F(ExeBookTreeTest, WalksInPreOrderBothWays)
{
    LoadFixture();
    const auto all =
        Titles({L"Intro", L"Intro A", L"Heading", L"Deep", L"Chapter", L"Appendix", L"Notes", L"Empty end"});
    EXPECT_EQ(Walk(tree.GetRootItem(), &CExeBookTreeCtrl::NextItem), all);
    // "Last" is the end of the whole tree, not of the first root item's subtree (Deep).
    ASSERT_EQ(Title(tree.LastItem()), CString(L"Empty end"));
    EXPECT_EQ(Walk(tree.LastItem(), &CExeBookTreeCtrl::PrevItem), std::vector<CString>(all.rbegin(), all.rend()));

    EXPECT_EQ(Walk(Find(L"Intro"), &CExeBookTreeCtrl::NextPageItem),
              Titles({L"Intro", L"Intro A", L"Deep", L"Chapter", L"Notes"}));
    EXPECT_EQ(Walk(Find(L"Notes"), &CExeBookTreeCtrl::PrevPageItem),
              Titles({L"Notes", L"Chapter", L"Deep", L"Intro A", L"Intro"}));
    EXPECT_EQ(tree.NextPageItem(Find(L"Notes")), nullptr);
    EXPECT_EQ(tree.PrevPageItem(Find(L"Intro")), nullptr);

    EXPECT_EQ(Title(tree.LastChild(Find(L"Intro"))), CString(L"Heading"));
    EXPECT_EQ(tree.LastChild(Find(L"Chapter")), nullptr);
    EXPECT_EQ(tree.NextItem(nullptr), nullptr);
    EXPECT_EQ(tree.PrevItem(nullptr), nullptr);
}

TEST_F(ExeBookTreeTest, LastItemOfFlatAndEmptyTrees)
{
    EXPECT_EQ(tree.LastItem(), nullptr);
    LoadFixture(L"<FolionyxExeBook><Nodes ChildCount='2'>"
                L"<Node_0 Title='One' URL='u1' FileCount='1'><File_0 ID='1' Name='one.htm'/></Node_0>"
                L"<Node_1 Title='Two' URL='u2' FileCount='1'><File_0 ID='2' Name='two.htm'/></Node_1>"
                L"</Nodes></FolionyxExeBook>");
    // The first root item has no children; the book still has a last page.
    EXPECT_EQ(Title(tree.LastItem()), CString(L"Two"));
    EXPECT_EQ(Title(tree.ResolveTreeLink(L"folionyx://last", nullptr)), CString(L"Two"));
}

TEST_F(ExeBookTreeTest, HomeItemPrefersTheMarkedOne)
{
    LoadFixture();
    EXPECT_EQ(Title(tree.FindHomeItem()), CString(L"Chapter"));
}

TEST_F(ExeBookTreeTest, HomeItemFallsBackToTheFirstItemWithAFile)
{
    // Cover declares a file it does not have: a record without files is no page.
    LoadFixture(L"<FolionyxExeBook><Nodes ChildCount='3'>"
                L"<Node_0 Title='Cover' FileCount='1'/>"
                L"<Node_1 Title='Part' ChildCount='1'>"
                L"  <Node_0 Title='First page' FileCount='1' Home='0'><File_0 ID='9' Name='p.htm'/></Node_0></Node_1>"
                L"<Node_2 Title='Second page' FileCount='1'><File_0 ID='8' Name='q.htm'/></Node_2>"
                L"</Nodes></FolionyxExeBook>");
    ASSERT_NE(tree.GetRecord(Find(L"Cover")), nullptr);
    EXPECT_EQ(Title(tree.FindHomeItem()), CString(L"First page"));

    tree.DeleteAllItems();
    EXPECT_EQ(tree.FindHomeItem(), nullptr);
}

TEST_F(ExeBookTreeTest, ResolvesLinksOfBothSchemesAndByAddress)
{
    LoadFixture();
    struct Case
    {
        const wchar_t* url;
        const wchar_t* current;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"folionyx://next", L"Intro", L"Intro A"},
        {L"folionyx://next#top", L"Deep", L"Chapter"},
        {L"trawlmoss://next/", L"Intro A", L"Deep"},
        {L"folionyx://prev", L"Chapter", L"Deep"},
        {L"folionyx://prior", L"Intro A", L"Intro"},
        {L"TRAWLMOSS://PRIOR", L"Chapter", L"Deep"},
        {L"Trawlmoss://Prev", L"Notes", L"Chapter"},
        {L"folionyx://prev", L"Intro", nullptr},
        {L"folionyx://next", L"Notes", nullptr},
        {L"folionyx://next", nullptr, nullptr},
        {L"folionyx://prev", nullptr, nullptr},
        // "last" is the end of the whole tree (Empty end, no page), so its nearest page before.
        {L"folionyx://last", nullptr, L"Notes"},
        {L"trawlmoss://LAST", L"Intro", L"Notes"},
        {L"folionyx://first", L"Notes", L"Intro"},
        {L"trawlmoss://first#x", nullptr, L"Intro"},
        {L"folionyx://index", L"Intro", nullptr},
        {L"folionyx:/next", L"Intro", nullptr},
        {L" folionyx://next", L"Intro", nullptr},
        // By address, in any letter case; an anchor is cut when no item names it exactly.
        {L"http://book.example/notes.htm", nullptr, L"Notes"},
        {L"HTTP://Book.Example/NOTES.htm#sec2", L"Intro", L"Notes"},
        {L"http://book.example/intro.htm#a", nullptr, L"Intro A"},
        {L"http://book.example/intro.htm#b", nullptr, L"Intro"},
        {L"http://book.example/intro.htm", nullptr, L"Intro"},
        {L"http://book.example/missing.htm", nullptr, nullptr},
        {L"", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        HTREEITEM current = c.current ? Find(c.current) : nullptr;
        EXPECT_EQ(Title(tree.ResolveTreeLink(c.url, current)), CString(c.expected ? c.expected : L"(none)"))
            << CStringA(c.url, CP_ACP).GetString();
    }
    EXPECT_EQ(tree.ResolveTreeLink(nullptr, nullptr), nullptr);
}

TEST_F(ExeBookTreeTest, FirstLinkSkipsAFirstItemWithoutPage)
{
    LoadFixture(L"<FolionyxExeBook><Nodes ChildCount='2'>"
                L"<Node_0 Title='Part' ChildCount='1'>"
                L"  <Node_0 Title='Page' URL='u' FileCount='1'><File_0 ID='1' Name='p.htm'/></Node_0></Node_0>"
                L"<Node_1 Title='Tail'/>"
                L"</Nodes></FolionyxExeBook>");
    EXPECT_EQ(Title(tree.ResolveTreeLink(L"folionyx://first", nullptr)), CString(L"Page"));
    EXPECT_EQ(Title(tree.ResolveTreeLink(L"folionyx://last", nullptr)), CString(L"Page"));
}

TEST_F(ExeBookTreeTest, MapsFileHitsToItemsInPreOrderOnce)
{
    LoadFixture();
    CExeBookResourceFiles hits;
    for (int id : {5, 2, 1, 3, 6, 99}) // 6 is only an attachment
        hits.push_back({id, 0, 0, 0});
    std::vector<HTREEITEM> items;
    tree.FindItemsByFiles(hits, items);
    std::vector<CString> titles;
    for (HTREEITEM item : items)
        titles.push_back(Title(item));
    EXPECT_EQ(titles, Titles({L"Intro", L"Intro A", L"Chapter"}));

    // The next search sees the tree as it is then: without a deleted item, with a new one.
    tree.DeleteItem(Find(L"Intro A"));
    ASSERT_TRUE(settings.LoadXML(L"<FolionyxExeBook><Nodes ChildCount='1'><Node_0 Title='Added' FileCount='1'>"
                                 L"<File_0 ID='6' Name='added.htm'/></Node_0></Nodes></FolionyxExeBook>"));
    ASSERT_TRUE(tree.Load(settings));
    items.clear();
    tree.FindItemsByFiles(hits, items);
    titles.clear();
    for (HTREEITEM item : items)
        titles.push_back(Title(item));
    EXPECT_EQ(titles, Titles({L"Intro", L"Chapter", L"Added"}));
}

TEST_F(ExeBookTreeTest, SearchFindsTheItemsOfPagesHoldingTheText)
{
    LoadFixture();
    // Packed files with the fixture's ids 1..7; "Needle" is on pages 4 and 7 and in the
    // companion file 2, whose item is Intro.
    bookpacker::CBookPacker packer;
    const wchar_t* texts[] = {L"intro", L"a needle picture",   L"intro a", L"deep NEEDLE", L"chapter",
                              L"card",  L"notes with a needle"};
    for (const wchar_t* text : texts)
        packer.AddPage(std::wstring(L"<p>") + text + L"</p>");
    CExeBookResourceFiles index;
    for (const bookpacker::PackedRecord& record : packer.Records())
        index.push_back({record.id, record.begin, record.fileSize, record.bufferSize});
    EXEBOOKPACKEDDATA resource = {packer.PackedFiles().data(), static_cast<DWORD>(packer.PackedFiles().size())};

    std::vector<HTREEITEM> items;
    tree.SearchItems(L"needle", index, resource, items);
    std::vector<CString> titles;
    for (HTREEITEM item : items)
        titles.push_back(Title(item));
    EXPECT_EQ(titles, Titles({L"Intro", L"Deep", L"Notes"}));

    items.clear();
    tree.SearchItems(L"nowhere", index, resource, items);
    EXPECT_TRUE(items.empty());
}

TEST_F(ExeBookTreeTest, SelectionIsReportedToTheListener)
{
    LoadFixture();
    CountingListener listener;
    tree.SelectItem(Find(L"Deep")); // no listener yet: nothing to report to
    tree.SetListener(&listener);
    tree.SelectItem(Find(L"Notes"));
    EXPECT_EQ(listener.calls, 1);
    EXPECT_EQ(listener.tree, &tree);
    tree.SelectItem(Find(L"Notes")); // unchanged selection
    EXPECT_EQ(listener.calls, 1);
    tree.SelectItem(nullptr);
    EXPECT_EQ(listener.calls, 2);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    tree.SetListener(nullptr);
}

TEST_F(ExeBookTreeTest, DeletingAnItemClearsItsRecord)
{
    LoadFixture();
    HTREEITEM chapter = Find(L"Chapter");
    const EXEBOOKCONTENTSRECORD* record = tree.GetRecord(chapter);
    ASSERT_NE(record, nullptr);
    host.deletions.clear();
    ASSERT_TRUE(tree.DeleteItem(chapter));
    EXPECT_EQ(tree.GetCount(), 7u);
    EXPECT_EQ(Title(tree.FindHomeItem()), CString(L"Intro"));
    // The tree answered the deletion notice: it took the record and cleared the item data.
    ASSERT_EQ(host.deletions.size(), 1u);
    EXPECT_EQ(host.deletions[0].before, reinterpret_cast<LPARAM>(record));
    EXPECT_EQ(host.deletions[0].after, 0);

    // A subtree goes item by item; the items without a record have nothing to free.
    host.deletions.clear();
    ASSERT_TRUE(tree.DeleteItem(Find(L"Appendix")));
    ASSERT_EQ(host.deletions.size(), 3u);
    int records = 0;
    for (const CTreeHost::DeleteNotice& notice : host.deletions) {
        records += notice.before != 0 ? 1 : 0;
        EXPECT_EQ(notice.after, 0);
    }
    EXPECT_EQ(records, 1); // Notes
}

TEST_F(ExeBookTreeTest, ItemImagesComeFromTheBookIconsByIndex)
{
    LoadFixture();
    CImageList& icons = tree.GetIconList();
    ASSERT_NE(icons.GetSafeHandle(), nullptr);
    EXPECT_EQ(icons.GetImageCount(), 4);
    EXPECT_EQ(tree.GetImageList(TVSIL_NORMAL)->GetSafeHandle(), icons.GetSafeHandle());

    struct Case
    {
        const wchar_t* title;
        int image;
    };
    for (const Case& c : {Case{L"Intro", 0}, Case{L"Intro A", 1}, Case{L"Chapter", 2}, Case{L"Appendix", 3}}) {
        int image = -1, selected = -1;
        ASSERT_TRUE(tree.GetItemImage(Find(c.title), image, selected));
        EXPECT_EQ(image, c.image);
        EXPECT_EQ(selected, c.image);
    }

    // Each image drawn over grey: its own colour inside, the background where the
    // magenta of the bitmap was.
    struct Pixel
    {
        int image, x, y;
        COLORREF colour;
    };
    const Pixel pixels[] = {
        {0, 5, 5, RGB(0x1F, 0x4E, 0xA8)},  // book cover
        {1, 6, 6, RGB(0x60, 0x80, 0xC0)},  // text line of the page
        {2, 5, 12, RGB(0x1F, 0x4E, 0xA8)}, // spine of the open book
        {3, 8, 7, RGB(0xFF, 0xE6, 0x8C)},  // folder
        {0, 0, 0, RGB(0x80, 0x80, 0x80)},  {3, 15, 15, RGB(0x80, 0x80, 0x80)},
    };
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (const Pixel& p : pixels) {
        RECT all = {0, 0, 16, 16};
        HBRUSH grey = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
        FillRect(dc, &all, grey);
        DeleteObject(grey);
        ASSERT_TRUE(ImageList_Draw(icons.GetSafeHandle(), p.image, dc, 0, 0, ILD_TRANSPARENT));
        EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour) << "image " << p.image << " at " << p.x << "," << p.y;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(ExeBookTreeTest, PaintedItemsShowTheirIcons)
{
    LoadFixture();
    testsupport::PumpMessages();
    testsupport::WindowCapture capture(tree.GetSafeHwnd());
    const COLORREF cover = RGB(0x1F, 0x4E, 0xA8), line = RGB(0x60, 0x80, 0xC0);
    CRect intro, introA;
    ASSERT_TRUE(tree.GetItemRect(Find(L"Intro"), &intro, FALSE));
    ASSERT_TRUE(tree.GetItemRect(Find(L"Intro A"), &introA, FALSE));
    EXPECT_GT(capture.CountColor(cover, intro), 20);
    EXPECT_EQ(capture.CountColor(line, intro), 0);
    EXPECT_GT(capture.CountColor(line, introA), 5);
    EXPECT_EQ(capture.CountColor(cover, introA), 0);
}

TEST_F(ExeBookTreeTest, ChildCountsAreABoundNotAPromise)
{
    // Counts far beyond the nodes there are, numbers out of order and gaps; names that are not
    // "Node_" and a number as "%d" writes it, or that lie beyond the count, are no items.
    LoadFixture(L"<FolionyxExeBook><Nodes ChildCount='2147483647'>"
                L"<Node_7 Title='Seven'/>"
                L"<Node_2 Title='Two' ChildCount='50000000'><Node_1 Title='Inner'/></Node_2>"
                L"<node_0 Title='Zero'/>"
                L"<Node_02 Title='Leading zero'/><Node_x Title='Letter'/><Node_-1 Title='Negative'/>"
                L"<Node_2 Title='Second of a name'/>"
                L"</Nodes></FolionyxExeBook>");
    EXPECT_EQ(Walk(tree.GetRootItem(), &CTreeCtrl::GetNextSiblingItem), Titles({L"Zero", L"Two", L"Seven"}));
    EXPECT_EQ(Walk(tree.GetRootItem(), &CExeBookTreeCtrl::NextItem), Titles({L"Zero", L"Two", L"Inner", L"Seven"}));

    // A count below the numbers present leaves the later ones out.
    CExeBookDocument bounded;
    ASSERT_TRUE(bounded.LoadXML(L"<FolionyxExeBook><Nodes ChildCount='3'>"
                                L"<Node_0 Title='A'/><Node_3 Title='Beyond'/><Node_2 Title='C'/>"
                                L"</Nodes></FolionyxExeBook>"));
    tree.DeleteAllItems();
    ASSERT_TRUE(tree.Load(bounded));
    EXPECT_EQ(Walk(tree.GetRootItem(), &CTreeCtrl::GetNextSiblingItem), Titles({L"A", L"C"}));
}
