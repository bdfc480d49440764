// The vocabulary and the INI reader: INI text in, typed properties (or nothing) out.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "tests/toolkit/skin/SkinTestSupport.h"

using skintest::ParsedSkin;

namespace {

enum Expect {
    kIgnored, // the line stores nothing
    kInt,
    kColor,
    kRect,
    kString,
};

struct IniCase
{
    const char* name;
    const wchar_t* text;
    const wchar_t* cls;
    int part, state, property;
    Expect expect;
    int values[4];
    const wchar_t* string;
};

const IniCase kCases[] = {
    {"hot push-button colour",
     L"[Button.PushButton(Hot)]\r\nTextColor = 255 0 0\r\n",
     L"BUTTON",
     1,
     2,
     TMT_TEXTCOLOR,
     kColor,
     {0x0000FF}},
    {"sizing margins are left, right, top, bottom",
     L"[Window.Caption]\r\nSizingMargins = 1, 2, 3, 4\r\n",
     L"WINDOW",
     1,
     0,
     TMT_SIZINGMARGINS,
     kRect,
     {1, 3, 2, 4}},
    {"the last assignment wins",
     L"[Globals]\r\nBorderSize = 1\r\nbordersize = 4\r\n",
     L"GLOBALS",
     0,
     0,
     TMT_BORDERSIZE,
     kInt,
     {4}},
    {"a colon section is ignored", L"[Button.PushButton:Hot]\r\nTextColor = 1 2 3\r\n", L"BUTTON", 1, 0, TMT_TEXTCOLOR,
     kIgnored},
    {"unknown enumeration values are -1", L"[Button]\r\nHAlign = JUSTIFY\r\n", L"BUTTON", 0, 0, TMT_HALIGN, kInt, {-1}},
    {"enumeration values by name", L"[Button]\r\nSizingType = tile\r\n", L"BUTTON", 0, 0, TMT_SIZINGTYPE, kInt, {2}},
    {"class names ignore case", L"[edit]\r\nBorderSize = 3\r\n", L"EDIT", 0, 0, TMT_BORDERSIZE, kInt, {3}},
    {"comments end a line",
     L"; header\r\n[Globals] ; note\r\nBorderSize = 7 ; seven\r\n",
     L"GLOBALS",
     0,
     0,
     TMT_BORDERSIZE,
     kInt,
     {7}},
    {"a lone bracket is no section", L"[Globals]\r\n[\r\nBorderSize = 2\r\n", L"GLOBALS", 0, 0, TMT_BORDERSIZE,
     kIgnored},
    {"an unclosed state is no section", L"[Window.Caption(]\r\nBorderSize = 2\r\n", L"WINDOW", 1, 0, TMT_BORDERSIZE,
     kIgnored},
    {"an unclosed header is no section", L"[Window.Caption(\r\nBorderSize = 2\r\n", L"WINDOW", 1, 0, TMT_BORDERSIZE,
     kIgnored},
    {"leading zeros are decimal",
     L"[Globals]\r\nFillColor = 128 080 040\r\n",
     L"GLOBALS",
     0,
     0,
     TMT_FILLCOLOR,
     kColor,
     {RGB(128, 80, 40)}},
    {"hexadecimal is not read", L"[Globals]\r\nBorderSize = 0x10\r\n", L"GLOBALS", 0, 0, TMT_BORDERSIZE, kInt, {0}},
    {"large numbers are clamped",
     L"[Globals]\r\nBorderSize = 99999999999\r\n",
     L"GLOBALS",
     0,
     0,
     TMT_BORDERSIZE,
     kInt,
     {INT_MAX}},
    {"large negative numbers are clamped",
     L"[Globals]\r\nBorderSize = -99999999999\r\n",
     L"GLOBALS",
     0,
     0,
     TMT_BORDERSIZE,
     kInt,
     {INT_MIN}},
    {"missing colour numbers are 0",
     L"[Globals]\r\nFillColor = 10\r\n",
     L"GLOBALS",
     0,
     0,
     TMT_FILLCOLOR,
     kColor,
     {RGB(10, 0, 0)}},
    {"strings are upper-cased",
     L"[Globals]\r\nImageFile = Calm\\Face.png\r\n",
     L"GLOBALS",
     0,
     0,
     TMT_IMAGEFILE,
     kString,
     {},
     L"CALM\\FACE.PNG"},
    {"integer lists store nothing", L"[Globals]\r\nIntList = 1, 2\r\n", L"GLOBALS", 0, 0, TMT_INTLIST, kIgnored},
    {"a state of a stateless part is ignored", L"[Toolbar.Button(Hot)]\r\nBorderSize = 2\r\n", L"TOOLBAR", 1, 2,
     TMT_BORDERSIZE, kIgnored},
    {"class-level states", L"[Toolbar(Hot)]\r\nBorderSize = 2\r\n", L"TOOLBAR", 0, 2, TMT_BORDERSIZE, kInt, {2}},
    {"CR and LF alone end lines",
     L"[Globals]\rBorderSize = 5\nFillColor = 1 2 3",
     L"GLOBALS",
     0,
     0,
     TMT_BORDERSIZE,
     kInt,
     {5}},
    {"the last line needs no end",
     L"[Globals]\r\nFillColor = 1 2 3\r\nBorderSize = 6",
     L"GLOBALS",
     0,
     0,
     TMT_BORDERSIZE,
     kInt,
     {6}},
};

} // namespace

TEST(SkinSchemaReader, IniTextBecomesTypedProperties)
{
    QorSetSkinFontDpiForTest(96);
    for (const IniCase& c : kCases) {
        SCOPED_TRACE(c.name);
        ParsedSkin skin(c.text);
        const CQorSkinManagerSchemaProperty* p =
            skin.m_schema.LookupProperty(LookupClassId(c.cls), c.part, c.state, c.property);
        if (c.expect == kIgnored) {
            EXPECT_EQ(nullptr, p);
            continue;
        }
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(c.property, p->m_nPropertyId);
        switch (c.expect) {
        case kInt:
            EXPECT_EQ(c.values[0], p->m_nValue);
            break;
        case kColor:
            EXPECT_EQ(qorSkinColor, p->m_nType);
            EXPECT_EQ(static_cast<COLORREF>(c.values[0]), p->m_clrValue);
            break;
        case kRect:
            EXPECT_EQ(qorSkinRect, p->m_nType);
            EXPECT_EQ(c.values[0], p->m_rcValue.left);
            EXPECT_EQ(c.values[1], p->m_rcValue.top);
            EXPECT_EQ(c.values[2], p->m_rcValue.right);
            EXPECT_EQ(c.values[3], p->m_rcValue.bottom);
            break;
        case kString:
            EXPECT_EQ(qorSkinString, p->m_nType);
            EXPECT_STREQ(c.string, p->m_lpszValue);
            break;
        default:
            break;
        }
    }
    QorSetSkinFontDpiForTest(0);
}

TEST(SkinSchemaReader, PackedKeyOfAHotPushButtonColour)
{
    ParsedSkin skin(L"[Button.PushButton(Hot)]\r\nTextColor = 255 0 0\r\n");
    EXPECT_EQ(3803u + 7 * (1u << 14) + 1 * (1u << 20) + 2 * (1u << 26), MakeSkinPropertyKey(7, 1, 2, TMT_TEXTCOLOR));
    EXPECT_EQ(1, skin.m_schema.GetPropertyCount());
    EXPECT_NE(nullptr, skin.Find(L"BUTTON", 1, 2, TMT_TEXTCOLOR));
}

TEST(SkinSchemaReader, FontsAreSizedForTheScreenAndBounded)
{
    QorSetSkinFontDpiForTest(96);
    const std::wstring longFace(200, L'a');
    struct FontCase
    {
        const char* name;
        std::wstring value;
        const wchar_t* face;
        LONG height, weight;
    } cases[] = {
        {"Tahoma 8 bold", L"Tahoma, 8, Bold", L"TAHOMA", -11, FW_BOLD},
        {"regular", L"Arial, 12, Regular", L"ARIAL", -16, FW_NORMAL},
        {"a face past the buffer is cut to 31", longFace + L", 8, Bold", nullptr, -11, FW_BOLD},
        {"points beyond 72 are clamped", L"Arial, 5000, Bold", L"ARIAL", -96, FW_BOLD},
        {"no points gives the smallest", L"Arial", L"ARIAL", -1, FW_NORMAL},
        {"a style word past its buffer", L"Arial, 8, " + std::wstring(300, L'B'), L"ARIAL", -11, FW_NORMAL},
    };
    for (const FontCase& c : cases) {
        SCOPED_TRACE(c.name);
        ParsedSkin skin(L"[SysMetrics]\r\nCaptionFont = " + c.value + L"\r\n");
        LOGFONTW lf = {};
        ASSERT_EQ(S_OK, GetSchemaFont(&skin.m_schema, LookupClassId(L"SYSMETRICS"), TMT_CAPTIONFONT, &lf));
        if (c.face)
            EXPECT_STREQ(c.face, lf.lfFaceName);
        else
            EXPECT_EQ(std::wstring(31, L'A'), lf.lfFaceName);
        EXPECT_EQ(c.height, lf.lfHeight);
        EXPECT_EQ(c.weight, lf.lfWeight);
    }
    ParsedSkin skin(L"[SysMetrics]\r\nCaptionBarHeight = 3\r\n");
    LOGFONTW lf = {};
    EXPECT_EQ(E_FAIL, GetSchemaFont(&skin.m_schema, LookupClassId(L"SYSMETRICS"), TMT_MENUFONT, &lf));
    EXPECT_EQ(E_INVALIDARG, GetSchemaFont(&skin.m_schema, LookupClassId(L"SYSMETRICS"), TMT_CAPTIONBARHEIGHT, &lf));
    QorSetSkinFontDpiForTest(0);
}

TEST(SkinSchemaReader, LookupFallsBackFromStateToPartToClassToGlobals)
{
    ParsedSkin skin(L"[Globals]\r\nBorderSize = 1\r\nFillColor = 1 1 1\r\nTextColor = 9 9 9\r\n"
                    L"[Button]\r\nFillColor = 2 2 2\r\nBorderColor = 2 2 2\r\n"
                    L"[Button.PushButton]\r\nFillColor = 3 3 3\r\n"
                    L"[Button.PushButton(Hot)]\r\nFillColor = 4 4 4\r\n");
    struct
    {
        int state, property;
        COLORREF expected;
    } rows[] = {
        {2, TMT_FILLCOLOR, RGB(4, 4, 4)},   // the state's own
        {3, TMT_FILLCOLOR, RGB(3, 3, 3)},   // no pressed section: the part's
        {2, TMT_BORDERCOLOR, RGB(2, 2, 2)}, // the class's
        {2, TMT_TEXTCOLOR, RGB(9, 9, 9)},   // Globals'
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, skin.Find(L"BUTTON", 1, row.state, row.property)->m_clrValue);
    EXPECT_EQ(nullptr, skin.Find(L"BUTTON", 1, 2, TMT_GLOWCOLOR));
    // The first key present wins even when its type is not the caller's.
    EXPECT_EQ(qorSkinInt, skin.Find(L"BUTTON", 1, 2, TMT_BORDERSIZE)->m_nType);
}

TEST(SkinSchemaReader, AlphaLevel255TurnsPremultiplyOff)
{
    EXPECT_FALSE(ParsedSkin(L"[Globals]\r\nAlphaLevel = 255\r\n").m_schema.IsPremultiply());
    EXPECT_FALSE(ParsedSkin(L"[Documentation]\r\nAlphaLevel = 255\r\n").m_schema.IsPremultiply());
    EXPECT_TRUE(ParsedSkin(L"[Globals]\r\nAlphaLevel = 254\r\n").m_schema.IsPremultiply());
    EXPECT_TRUE(ParsedSkin(L"[Button]\r\nAlphaLevel = 255\r\n").m_schema.IsPremultiply());
}

TEST(SkinSchemaReader, CountsIgnoredSectionsAndUnknownNames)
{
    ParsedSkin skin(L"[Globals]\r\nNoSuchName = 1\r\nBorderSize = 1\r\n[NoClass]\r\nAnother = 2\r\n"
                    L"[Button.NoPart]\r\n[Button.PushButton(NoState)]\r\n[Window.Caption(Active)]\r\nBogus = 3\r\n"
                    L"no equals sign\r\n= no name\r\n");
    EXPECT_EQ(3, skin.m_schema.GetIgnoredSectionCount());
    EXPECT_EQ(2, skin.m_schema.GetUnknownNameCount());
    EXPECT_EQ(1, skin.m_schema.GetPropertyCount());
}

TEST(SkinSchemaReader, RandomBytesReadSafely)
{
    std::mt19937 random(20261211);
    const wchar_t alphabet[] = L"[]().:;=, \r\n\t0123456789-+abcXYZ\xFEFF\x0100";
    for (int round = 0; round < 200; ++round) {
        std::wstring text;
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i)
            text += (random() % 4) ? alphabet[random() % (sizeof(alphabet) / sizeof(wchar_t) - 1)]
                                   : static_cast<wchar_t>(random() & 0xFFFF);
        // Real names now and then, so that sections and properties do get stored.
        if (round % 3 == 0)
            text =
                L"[Button.PushButton(Hot)]\r\nFont=" + text + L"\r\nSizingMargins=" + text + L"\r\nTextColor=" + text;
        ParsedSkin skin(text);
        for (int property : {TMT_FONT, TMT_SIZINGMARGINS, TMT_TEXTCOLOR, TMT_BORDERSIZE}) {
            const CQorSkinManagerSchemaProperty* p = skin.Find(L"BUTTON", 1, 2, property);
            if (p) {
                EXPECT_TRUE(p->m_nType >= qorSkinString && p->m_nType <= qorSkinSize);
            }
        }
    }
}

TEST(SkinVocabulary, NamesToNumbers)
{
    EXPECT_EQ(22, LookupClassId(L"edit"));
    EXPECT_EQ(22, LookupClassId(L"EDIT"));
    EXPECT_EQ(4, LookupClassId(L"LISTBOX"));
    EXPECT_EQ(5, LookupClassId(L"DIALOG"));
    EXPECT_EQ(0, LookupClassId(L"NOCLASS"));
    EXPECT_EQ(0, LookupClassId(L""));
    // The misspelt part exists only where the vocabulary has it.
    EXPECT_EQ(2, LookupPartId(L"SEPERATOR", L"MENUBAND"));
    EXPECT_EQ(0, LookupPartId(L"SEPERATOR", L"MENU"));
    EXPECT_EQ(5, LookupPartId(L"SEPARATOR", L"TOOLBAR"));
    EXPECT_EQ(6, LookupPartId(L"SEPARATOR", L"MENU"));
    // Tab states are listed under "...BOTHEDGES", so the part "...BOTHEDGE" has none.
    EXPECT_EQ(4, LookupPartId(L"TABITEMBOTHEDGE", L"TAB"));
    EXPECT_EQ(0, LookupStateId(L"HOT", L"TABITEMBOTHEDGE"));
    EXPECT_EQ(2, LookupStateId(L"HOT", L"TABITEMBOTHEDGES"));
    EXPECT_EQ(16, LookupStateId(L"rightdisabled", L"ARROWBTN"));
    int nType = 0;
    EXPECT_EQ(TMT_ACCENTCOLORHINT, LookupPropertyId(L"AccentColorHint", &nType));
    EXPECT_EQ(qorSkinColor, nType);
    EXPECT_EQ(TMT_MENUBAR, LookupPropertyId(L"MENUBAR", &nType));
    EXPECT_EQ(TMT_MINDPI5, LookupPropertyId(L"MINDPI5", &nType));
    EXPECT_EQ(qorSkinInt, nType);
    nType = 77;
    EXPECT_EQ(0, LookupPropertyId(L"NOSUCH", &nType));
    EXPECT_EQ(77, nType);
    EXPECT_EQ(-1, LookupEnumValue(L"JUSTIFY", L"HALIGN"));
    EXPECT_EQ(1, LookupEnumValue(L"horizontal", L"IMAGELAYOUT"));
    EXPECT_EQ(13, LookupEnumValue(L"BELOWLASTBUTTON", L"OFFSETTYPE"));
}
