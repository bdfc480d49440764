// The book steps of start-up: settings, button command ids and the packed-file
// index from a module's resources.
#include <gtest/gtest.h>
#include <windows.h>
#include "tests/reader/StringPrinter.h"
#include "books/packer/BookPacker.h"
#include "reader/app/BookStartup.h"
#include "tests/reader/ResourceModule.h"

namespace {

std::string AsString(const std::vector<BYTE>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

TEST(BookStartup, ReadsSettingsButtonIdsAndIndexFromTheModule)
{
    bookpacker::CBookPacker packer;
    packer.settings.bookName = L"Fixture";
    packer.settings.maximized = true;
    packer.settings.contentsWidth = 333;
    packer.settings.buttons[ExeBookButtonStop].visible = false;
    packer.settings.tools.push_back({L"Notes", L"%e-Book%notes.exe"});
    const int home = packer.AddPage(L"<html><body>Home</body></html>");
    const int image = packer.AddFile({1, 2, 3, 4});
    bookpacker::BookNode node;
    node.title = L"Home";
    node.home = true;
    node.files = {{home, L"home.htm"}, {image, L"a.png"}};
    packer.nodes.push_back(node);
    std::vector<BYTE> settings;
    ASSERT_TRUE(packer.BuildSettingsResource(settings));

    readertest::ResourceModule module;
    ASSERT_TRUE(module.Create({{L"FILES", L"EBOOKSETTINGSDATA", AsString(settings)},
                               {L"FILES", L"EBOOKFILEDATA", AsString(packer.PackedFiles())}}));
    CExeBookDocument doc;
    CExeBookResourceFiles index;
    EXPECT_TRUE(LoadBookFromModule(module.Handle(), doc, index));
    EXPECT_EQ(doc.m_strBookName, CString(L"Fixture"));
    EXPECT_EQ(doc.m_bWindowMaximized, TRUE);
    EXPECT_EQ(doc.m_nContentsWidth, 333);
    EXPECT_EQ(doc.m_Buttons[ExeBookButtonStop].bVisible, FALSE);
    EXPECT_EQ(doc.m_Buttons[ExeBookButtonStop].nCommandID, 32775u);
    EXPECT_EQ(doc.m_Buttons[ExeBookButtonSearch].nCommandID, 32783u);
    ASSERT_EQ(doc.m_Tools.size(), 1u);
    EXPECT_EQ(doc.m_Tools[0].strName, CString(L"Notes"));
    ASSERT_EQ(index.size(), packer.Records().size());
    for (size_t i = 0; i < index.size(); ++i) {
        EXPECT_EQ(index[i].ID, packer.Records()[i].id);
        EXPECT_EQ(index[i].Begin, packer.Records()[i].begin);
        EXPECT_EQ(index[i].FileSize, packer.Records()[i].fileSize);
        EXPECT_EQ(index[i].BufferSize, packer.Records()[i].bufferSize);
    }
}

TEST(BookStartup, WithoutABookTheDefaultsStandAndTheIndexIsEmpty)
{
    struct Case
    {
        const char* what;
        std::vector<readertest::ResourceItem> items;
    };
    const std::wstring broken = L"<FolionyxExeBook><ExeBook Name=\"x\"></FolionyxExeBook";
    const Case cases[] = {
        {"no resource", {{L"FILES", L"OTHER", "x"}}},
        {"does not parse",
         {{L"FILES", L"EBOOKSETTINGSDATA",
           std::string(reinterpret_cast<const char*>(broken.data()), broken.size() * 2)}}},
    };
    for (const Case& c : cases) {
        readertest::ResourceModule module;
        ASSERT_TRUE(module.Create(c.items)) << c.what;
        CExeBookDocument doc;
        CExeBookResourceFiles index;
        EXPECT_FALSE(LoadBookFromModule(module.Handle(), doc, index)) << c.what;
        EXPECT_EQ(doc.m_strBookName, CString()) << c.what;
        EXPECT_EQ(doc.m_nContentsWidth, 200) << c.what;
        EXPECT_EQ(doc.m_Buttons[ExeBookButtonPrint].nCommandID, 32771u) << c.what;
        EXPECT_TRUE(index.empty()) << c.what;
    }
}
