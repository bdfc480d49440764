// The command bars' options: their archive form in both schema layouts, the command sets in a
// keyed store (bounded however large the stored count), the image options that live in the
// paint manager, and the keyboard-cue choice against the system setting.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <set>
#include <vector>

#include "platform/framework/Archive.h"
#include "platform/framework/File.h"
#include "tests/toolkit/foundation/TextExchange.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/PropExchange.h"

namespace {

std::set<UINT> Ids(const CQorCommandIdSet& set)
{
    std::set<UINT> ids;
    UINT nId = 0;
    BOOL bValue = FALSE;
    for (POSITION pos = set.GetStartPosition(); pos != nullptr;) {
        set.GetNextAssoc(pos, nId, bValue);
        ids.insert(nId);
    }
    return ids;
}

// The paint manager's three image flags, put back as they were when the test ends.
struct ImageFlags
{
    BOOL bShadow, bDisabled, bFaded;

    static ImageFlags Read()
    {
        CQorPaintManager* pPaintManager = GetGlobalPaintManager();
        return {pPaintManager->m_bIconsWithShadow, pPaintManager->m_bHighlightCheckedIcons, pPaintManager->m_bFadedIcons};
    }
    void Write() const
    {
        CQorPaintManager* pPaintManager = GetGlobalPaintManager();
        pPaintManager->m_bIconsWithShadow = bShadow;
        pPaintManager->m_bHighlightCheckedIcons = bDisabled;
        pPaintManager->m_bFadedIcons = bFaded;
    }
    bool operator==(const ImageFlags& other) const
    {
        return bShadow == other.bShadow && bDisabled == other.bDisabled && bFaded == other.bFaded;
    }
};

struct CommandBarsOptions : testing::Test
{
    ImageFlags saved = ImageFlags::Read();
    CQorCommandBars* pBars = new CQorCommandBars;
    CQorCommandBarsOptions* pOptions = pBars->GetCommandBarsOptions();

    ~CommandBarsOptions() override
    {
        pBars->InternalRelease();
        saved.Write();
    }
};

std::vector<BYTE> Store(CQorCommandBarsOptions& options)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        options.Serialize(ar);
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Loads the bytes and answers the bytes the options left unread.
std::vector<BYTE> Load(CQorCommandBarsOptions& options, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    options.Serialize(ar);
    std::vector<BYTE> rest(bytes.size());
    rest.resize(ar.Read(rest.data(), static_cast<UINT>(rest.size())));
    return rest;
}

} // namespace

TEST_F(CommandBarsOptions, ArchiveRoundTripKeepsEveryValueThatDiffersFromItsDefault)
{
    CQorCommandBarsOptions& o = *pOptions;
    o.m_bAlwaysShowFullMenus = FALSE;
    o.m_bShowFullAfterDelay = FALSE;
    o.m_bToolBarScreenTips = FALSE;
    o.m_bToolBarAccelTips = TRUE;
    o.m_bLargeIcons = TRUE;
    o.m_bSyncFloatingBars = FALSE;
    o.m_bShowExpandButtonAlways = FALSE;
    o.m_bDblClickFloat = TRUE;
    o.m_bShowTextBelowIcons = TRUE;
    o.m_bAltDragCustomization = FALSE;
    o.m_bAutoHideUnusedPopups = FALSE;
    o.m_nAnimationType = 3;
    o.m_nKeyboardCuesUse = 2;
    o.SetKeyboardCuesShow(1);
    o.m_szIcons = CSize(24, 22);
    o.m_szLargeIcons = CSize(40, 38);
    o.m_szPopupIcons = CSize(20, 18);
    for (UINT nId : {100u, 32771u, 65535u})
        o.m_mapHiddenCommands.SetAt(nId, TRUE);
    o.m_mapUsedCommands.SetAt(32771, TRUE);
    const ImageFlags stored = {TRUE, FALSE, FALSE};
    stored.Write();
    const std::vector<BYTE> bytes = Store(o);

    ImageFlags{FALSE, TRUE, TRUE}.Write();
    CQorCommandBars* pOther = new CQorCommandBars;
    CQorCommandBarsOptions& l = *pOther->GetCommandBarsOptions();
    EXPECT_TRUE(Load(l, bytes).empty());
    EXPECT_FALSE(l.m_bAlwaysShowFullMenus);
    EXPECT_FALSE(l.m_bShowFullAfterDelay);
    EXPECT_FALSE(l.m_bToolBarScreenTips);
    EXPECT_TRUE(l.m_bToolBarAccelTips);
    EXPECT_TRUE(l.m_bLargeIcons);
    EXPECT_FALSE(l.m_bSyncFloatingBars);
    EXPECT_FALSE(l.m_bShowExpandButtonAlways);
    EXPECT_TRUE(l.m_bDblClickFloat);
    EXPECT_TRUE(l.m_bShowTextBelowIcons);
    EXPECT_FALSE(l.m_bAltDragCustomization);
    EXPECT_FALSE(l.m_bAutoHideUnusedPopups);
    EXPECT_EQ(l.m_nAnimationType, 3);
    EXPECT_EQ(l.m_nKeyboardCuesUse, 2);
    EXPECT_EQ(l.GetKeyboardCuesShow(), 1);
    EXPECT_EQ(l.m_szIcons, CSize(24, 22));
    EXPECT_EQ(l.m_szLargeIcons, CSize(40, 38));
    EXPECT_EQ(l.m_szPopupIcons, CSize(20, 18));
    EXPECT_EQ(Ids(l.m_mapHiddenCommands), (std::set<UINT>{100, 32771, 65535}));
    EXPECT_EQ(Ids(l.m_mapUsedCommands), (std::set<UINT>{32771}));
    EXPECT_TRUE(ImageFlags::Read() == stored);
    // The loaded cue choice reaches the manager: 1 never shows them.
    EXPECT_FALSE(pOther->IsKeyboardCuesVisible());
    pOther->InternalRelease();
}

// An archive of schema 7 ends after the image options; whatever follows belongs to someone
// else and must stay unread, and the options that schema lacked keep their defaults.
TEST_F(CommandBarsOptions, SchemaSevenArchiveLeavesTheLaterOptionsAtTheirDefaults)
{
    const int kFollowing = 0x5A5A5A5A;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << 7;                                              // Schema
        ar << FALSE << FALSE << FALSE << TRUE << TRUE;        // full menus, delay, tips, accel tips, large icons
        ar << FALSE << FALSE;                                 // sync floating bars, expand button always
        ar << 24 << 22 << 40 << 38;                           // icon sizes
        ar.WriteCount(1);                                     // hidden commands
        ar << 500u << TRUE;
        ar << TRUE << FALSE << FALSE;                         // shadow, disabled icons, faded icons
        for (int i = 0; i < 16; ++i)
            ar << kFollowing;
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));

    CQorCommandBarsOptions& o = *pOptions;
    const std::vector<BYTE> rest = Load(o, bytes);
    EXPECT_EQ(rest.size(), 16 * sizeof(int));
    EXPECT_FALSE(o.m_bAlwaysShowFullMenus);
    EXPECT_TRUE(o.m_bLargeIcons);
    EXPECT_FALSE(o.m_bSyncFloatingBars);
    EXPECT_FALSE(o.m_bShowExpandButtonAlways);
    EXPECT_EQ(o.m_szIcons, CSize(24, 22));
    EXPECT_EQ(o.m_szLargeIcons, CSize(40, 38));
    EXPECT_EQ(Ids(o.m_mapHiddenCommands), (std::set<UINT>{500}));
    EXPECT_TRUE(ImageFlags::Read() == (ImageFlags{TRUE, FALSE, FALSE}));
    // Not in schema 7.
    EXPECT_TRUE(o.m_mapUsedCommands.IsEmpty());
    EXPECT_EQ(o.m_nAnimationType, 0);
    EXPECT_FALSE(o.m_bDblClickFloat);
    EXPECT_FALSE(o.m_bShowTextBelowIcons);
    EXPECT_TRUE(o.m_bAltDragCustomization);
    EXPECT_TRUE(o.m_bAutoHideUnusedPopups);
    EXPECT_EQ(o.m_szPopupIcons, CSize(0, 0));
    EXPECT_EQ(o.m_nKeyboardCuesUse, 1);
    EXPECT_EQ(o.GetKeyboardCuesShow(), 0);
}

TEST_F(CommandBarsOptions, KeyedStoreKeepsTheSetsAndWritesNothingForAnEmptyOne)
{
    pOptions->m_mapUsedCommands.SetAt(32772, TRUE);
    pOptions->m_mapUsedCommands.SetAt(32780, TRUE);
    pOptions->m_bLargeIcons = TRUE;
    std::map<CString, CString> values;
    CTextExchange storing(values, FALSE);
    pOptions->DoPropExchange(&storing);
    EXPECT_EQ(values[L"UsedCommands/Count"], CString(L"2"));
    for (const auto& entry : values)
        EXPECT_NE(entry.first.Find(L"HiddenCommands"), 0) << entry.first.GetString();

    CQorCommandBars* pOther = new CQorCommandBars;
    CQorCommandBarsOptions& loaded = *pOther->GetCommandBarsOptions();
    loaded.m_mapHiddenCommands.SetAt(7, TRUE); // loading replaces a set, missing or not
    CTextExchange loading(values, TRUE);
    loaded.DoPropExchange(&loading);
    EXPECT_EQ(Ids(loaded.m_mapUsedCommands), (std::set<UINT>{32772, 32780}));
    EXPECT_TRUE(loaded.m_mapHiddenCommands.IsEmpty());
    EXPECT_TRUE(loaded.m_bLargeIcons);
    pOther->InternalRelease();
}

// A keyed store is text anyone can edit: the count in it is not trusted.
TEST_F(CommandBarsOptions, HostileSetCountLoadsBounded)
{
    struct Case
    {
        const wchar_t* count;
        int nItems;    // Item0 .. Item(nItems - 1) present
        int nGap;      // this item missing (-1: none)
        size_t nExpected;
    } cases[] = {
        {L"2147483647", 3, -1, 3}, // stops at the first missing entry
        {L"-5", 3, -1, 0},         // negative: nothing
        {L"-2147483648", 3, -1, 0},
        {L"4", 4, 2, 2},           // a gap ends the set
        {L"70000", 70000, -1, 65536}, // no more than there are 16-bit ids
    };
    for (const Case& c : cases) {
        std::map<CString, CString> values;
        values[L"HiddenCommands/Count"] = c.count;
        for (int i = 0; i < c.nItems; ++i) {
            if (i == c.nGap)
                continue;
            CString key, id;
            key.Format(L"HiddenCommands/Item%i", i);
            id.Format(L"%d", i);
            values[key] = id;
        }
        CTextExchange loading(values, TRUE);
        pOptions->DoPropExchange(&loading);
        EXPECT_EQ(static_cast<size_t>(pOptions->m_mapHiddenCommands.GetCount()), c.nExpected) << c.count;
    }
}

TEST_F(CommandBarsOptions, KeyboardCuesFollowTheChoiceAndForTwoTheSystemSetting)
{
    BOOL bSystem = TRUE;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystem, 0));
    struct Case
    {
        int nKind;
        BOOL bSystemCues;
        BOOL bVisible;
        BOOL bHideUntilAlt;
    } cases[] = {
        {0, FALSE, TRUE, FALSE}, {1, TRUE, FALSE, FALSE}, {1, FALSE, FALSE, FALSE},
        {2, FALSE, FALSE, TRUE}, {2, TRUE, TRUE, FALSE},  {0, TRUE, TRUE, FALSE},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(c.bSystemCues)), 0));
        // Every call starts from the other state, so each field is really written.
        pBars->SetKeyboardCuesState(!c.bVisible, !c.bHideUntilAlt);
        pOptions->SetKeyboardCuesShow(c.nKind);
        EXPECT_EQ(pOptions->GetKeyboardCuesShow(), c.nKind);
        EXPECT_EQ(pBars->IsKeyboardCuesVisible(), c.bVisible) << c.nKind << " system " << c.bSystemCues;
        EXPECT_EQ(pBars->IsKeyboardCuesHiddenUntilAlt(), c.bHideUntilAlt) << c.nKind << " system " << c.bSystemCues;
    }
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(bSystem)), 0);
}
