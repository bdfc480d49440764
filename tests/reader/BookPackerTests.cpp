// The packer that makes books: every element of the settings schema, the sealed
// password, the contents tree from a description file, and the record layout.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "books/packer/BookDescription.h"
#include "books/packer/BookPacker.h"
#include "reader/book/ExeBookResourceFiles.h"
#include "reader/book/Md5.h"
#include "reader/book/SealedValues.h"
#include "reader/book/XMLDocument.h"
#include "tests/common/WineTestSupport.h"

using namespace bookpacker;

namespace {

void WriteText(const std::wstring& path, const std::string& utf8)
{
    ASSERT_TRUE(WriteWholeFile(path, std::vector<BYTE>(utf8.begin(), utf8.end())));
}

DWORD U32(const std::vector<BYTE>& p, size_t at)
{
    return DWORD(p[at]) | (DWORD(p[at + 1]) << 8) | (DWORD(p[at + 2]) << 16) | (DWORD(p[at + 3]) << 24);
}

} // namespace

TEST(BookPacker, SettingsCarryEverySchemaElementAndASealedPassword)
{
    CBookPacker packer;
    packer.settings.bookName = L"Fixture & <Book>";
    packer.settings.password = L"Geheim \u00e4";
    packer.settings.contentsWidth = 321;
    packer.settings.buttons[6].accel = L"ctrl+H";
    packer.settings.buttons[0].visible = false;
    packer.settings.tools.push_back({L"Notepad", L"%Windows%notepad.exe"});
    packer.settings.authorHtml = L"<b>Author</b>\r\nline two";
    std::vector<BYTE> resource;
    ASSERT_TRUE(packer.BuildSettingsResource(resource));
    ASSERT_GE(resource.size(), 2u);
    EXPECT_EQ(0xFF, resource[0]);
    EXPECT_EQ(0xFE, resource[1]);

    std::wstring xml;
    ASSERT_TRUE(packer.BuildSettingsXml(xml));
    CQorXMLDocumentEx document;
    ASSERT_TRUE(document.LoadXML(xml.c_str()));
    CQorXMLNode root;
    ASSERT_TRUE(document.FindTopElement(L"FolionyxExeBook", root));
    const wchar_t* elements[] = {
        L"ExeBook",        L"Author",           L"AuthorHTML",
        L"Window",         L"Contents",         L"Splash",
        L"Skin",           L"Browser",          L"Advanced",
        L"Attachments",    L"ButtonPrint",      L"ButtonPrintPreview",
        L"ButtonBack",     L"ButtonForward",    L"ButtonStop",
        L"ButtonRefresh",  L"ButtonHome",       L"ButtonTextSize",
        L"ButtonContents", L"ButtonSearch",     L"ButtonPrior",
        L"ButtonNext",     L"ButtonAutoScroll", L"Tools",
        L"Nodes",          L"ResourceFiles",
    };
    for (const wchar_t* element : elements) {
        CQorXMLNode node;
        EXPECT_TRUE(root.FindChild(element, node)) << CStringA(element, CP_ACP).GetString();
    }
    EXPECT_STREQ(L"Fixture & <Book>", document.ReadString(L"ExeBook", L"Name", L"").GetString());
    EXPECT_EQ(321, document.ReadInt(L"Contents", L"Width", 0));
    EXPECT_FALSE(document.ReadBool(L"ButtonPrint", L"Visible", TRUE));
    EXPECT_TRUE(document.ReadBool(L"ButtonBack", L"Visible", FALSE));
    EXPECT_STREQ(L"ctrl+H", document.ReadString(L"ButtonHome", L"Accel", L"").GetString());
    EXPECT_STREQ(L"iTunes", document.ReadString(L"Skin", L"Name", L"").GetString());
    EXPECT_EQ(1, document.ReadInt(L"Tools", L"Count", 0));
    EXPECT_STREQ(L"%Windows%notepad.exe", document.ReadString(L"Tools", L"ToolFileName_0", L"").GetString());
    EXPECT_STREQ(L"<b>Author</b>\r\nline two", document.ReadElementText(L"AuthorHTML").GetString());

    CString sealed = document.ReadString(L"Advanced", L"DP", L"");
    EXPECT_FALSE(sealed.IsEmpty());
    EXPECT_EQ(-1, sealed.Find(L"Geheim"));
    EXPECT_STREQ(L"Geheim \u00e4", UnsealSetting(sealed).GetString());

    // A book whose sealed value is damaged on purpose.
    packer.settings.rawSealedPassword = L"not a sealed value";
    ASSERT_TRUE(packer.BuildSettingsXml(xml));
    CQorXMLDocumentEx damaged;
    ASSERT_TRUE(damaged.LoadXML(xml.c_str()));
    EXPECT_TRUE(IsUnusableSealedValue(UnsealSetting(damaged.ReadString(L"Advanced", L"DP", L""))));
}

TEST(BookPacker, RecordsCarryTheirSizesAndTheDigestOfTheInflatedFile)
{
    std::vector<BYTE> file(5000);
    for (size_t i = 0; i < file.size(); ++i)
        file[i] = BYTE(i % 17);
    std::vector<BYTE> record = MakeRecord(42, file);
    ASSERT_GT(record.size(), 28u);
    EXPECT_EQ(42u, U32(record, 0));
    EXPECT_EQ(record.size() - 28, U32(record, 4));
    EXPECT_EQ(5000u, U32(record, 8));
    BYTE digest[16];
    CMd5::Digest(file.data(), file.size(), digest);
    EXPECT_EQ(0, memcmp(digest, &record[12], 16));
    // The data is a zlib stream (RFC 1950 header: deflate, check bits).
    EXPECT_EQ(0x78, record[28]);
    EXPECT_EQ(0u, (unsigned(record[28]) * 256 + record[29]) % 31);
    std::vector<BYTE> inflated;
    ASSERT_TRUE(InflateRecordToBuffer(&record[28], DWORD(record.size() - 28), 5000, inflated));
    EXPECT_EQ(file, inflated);

    EXPECT_EQ((std::vector<BYTE>{0xFF, 0xFE, 'A', 0, 0x14, 0x04}), PageBytes(L"A\u0414"));
}

TEST(BookPacker, DescriptionBuildsTheNestedContentsAndPacksEachFileOnce)
{
    testsupport::TempFolder temp;
    CreateDirectoryW(temp.File(L"pages").c_str(), nullptr);
    CreateDirectoryW(temp.File(L"pages\\home_files").c_str(), nullptr);
    WriteText(temp.File(L"pages\\home.htm"), "\xEF\xBB\xBF<p>Gr\xC3\xBC\xC3\x9F"
                                             "e</p>");
    WriteText(temp.File(L"pages\\child.htm"), "<p>child</p>");
    WriteText(temp.File(L"pages\\home_files\\pic.png"), "PNGDATA");
    WriteText(temp.File(L"card.txt"), "card");
    WriteText(temp.File(L"book.txt"),
              "# fixture\n[Settings]\nExeBook.Name = Fixture\nAdvanced.Password = pw\nButtonNext.Accel = ctrl+DOWN\n"
              "Tool = A | B\n\n[Contents]\n"
              "Home | page=pages/home.htm | files=pages/home_files/pic.png | attachments=card.txt | image=2 | home | "
              "url=http://x/home.htm\n"
              "  Child | page=pages/child.htm | files=pages/home_files/pic.png\n"
              "    Grandchild\n"
              "  Second child | page=pages/child.htm\n"
              "Last\r\n");
    CBookPacker packer;
    std::wstring error;
    ASSERT_TRUE(LoadBookDescription(temp.File(L"book.txt"), packer, error))
        << CStringA(error.c_str(), CP_UTF8).GetString();
    EXPECT_EQ(L"Fixture", packer.settings.bookName);
    EXPECT_EQ(L"pw", packer.settings.password);
    EXPECT_EQ(L"ctrl+DOWN", packer.settings.buttons[11].accel);
    ASSERT_EQ(1u, packer.settings.tools.size());

    ASSERT_EQ(2u, packer.nodes.size());
    const BookNode& home = packer.nodes[0];
    EXPECT_EQ(L"Home", home.title);
    EXPECT_EQ(2, home.imageIndex);
    EXPECT_TRUE(home.home);
    EXPECT_EQ(L"http://x/home.htm", home.url);
    ASSERT_EQ(2u, home.files.size());
    EXPECT_EQ(L"home.htm", home.files[0].name);
    EXPECT_EQ(L"pic.png", home.files[1].name);
    ASSERT_EQ(1u, home.attachments.size());
    ASSERT_EQ(2u, home.children.size());
    EXPECT_EQ(1u, home.children[0].children.size());
    EXPECT_TRUE(home.children[0].children[0].files.empty());
    EXPECT_EQ(home.files[1].id, home.children[0].files[1].id); // the picture is packed once
    EXPECT_EQ(home.children[0].files[0].id, home.children[1].files[0].id);
    EXPECT_EQ(L"Last", packer.nodes[1].title);
    EXPECT_EQ(4u, packer.Records().size());

    // The page is stored as UTF-16 with a mark, whatever its source encoding.
    CExeBookResourceFiles index;
    for (const PackedRecord& r : packer.Records())
        index.push_back({r.id, r.begin, r.fileSize, r.bufferSize});
    EXEBOOKPACKEDDATA data = {packer.PackedFiles().data(), DWORD(packer.PackedFiles().size())};
    std::vector<BYTE> page;
    ASSERT_TRUE(InflateRecordAt(data, index[FindFileIndex(index, home.files[0].id)].Begin, page));
    EXPECT_EQ(PageBytes(L"<p>Gr\u00fc\u00dfe</p>"), page);
}

TEST(BookPacker, DescriptionErrorsNameTheLine)
{
    testsupport::TempFolder temp;
    struct
    {
        const char* text;
        const wchar_t* message;
    } cases[] = {
        {"[Settings]\nNo.Such = 1\n", L"line 2: unknown setting No.Such"},
        {"[Settings]\nExeBook.Name\n", L"line 2: expected key = value"},
        {"ExeBook.Name = x\n", L"line 1: text outside a section"},
        {"[Contents]\nA | page=missing.htm\n", L"line 2: cannot read missing.htm"},
        {"[Contents]\nA | colour=red\n", L"line 2: unknown item attribute colour"},
        {"[Contents]\nA | files=x.png\n", L"line 2: companion files need a page"},
    };
    for (const auto& c : cases) {
        WriteText(temp.File(L"book.txt"), c.text);
        CBookPacker packer;
        std::wstring error;
        EXPECT_FALSE(LoadBookDescription(temp.File(L"book.txt"), packer, error));
        EXPECT_EQ(std::wstring(c.message), error);
    }
}
