// The sample book that the build packs into FolionyxReader.exe: its settings load,
// its index covers every file the contents name, and every page extracts with its
// companion folder.
#include <gtest/gtest.h>
#include <windows.h>
#include <set>
#include <string>
#include <vector>
#include "reader/book/ExeBookResourceFiles.h"
#include "reader/app/FileUtil.h"
#include "reader/book/XMLDocument.h"
#include "tests/common/WineTestSupport.h"

namespace {

struct PageItem
{
    CString title;
    CExeBookFileEntries files;
    CExeBookFileEntries attachments;
};

void ReadEntries(const CQorXMLNode& node, LPCWSTR prefix, int count, CExeBookFileEntries& out)
{
    for (int i = 0; i < count; ++i) {
        CString name;
        name.Format(L"%ls%d", prefix, i);
        CQorXMLNode child;
        ASSERT_TRUE(node.FindChild(name, child)) << CStringA(name, CP_ACP).GetString();
        EXEBOOKFILEENTRY entry;
        ASSERT_TRUE(child.GetIntAttribute(L"ID", entry.nID));
        entry.strName = child.GetStringAttribute(L"Name");
        out.push_back(entry);
    }
}

// Walks the contents tree of the settings in pre-order.
void CollectItems(const CQorXMLNode& parent, std::vector<PageItem>& items, int depth, int& maxDepth)
{
    int childCount = 0;
    parent.GetIntAttribute(L"ChildCount", childCount);
    for (int c = 0; c < childCount; ++c) {
        CString name;
        name.Format(L"Node_%d", c);
        CQorXMLNode node;
        ASSERT_TRUE(parent.FindChild(name, node));
        PageItem item;
        item.title = node.GetStringAttribute(L"Title");
        int fileCount = 0, attachmentCount = 0;
        node.GetIntAttribute(L"FileCount", fileCount);
        node.GetIntAttribute(L"AttachmentCount", attachmentCount);
        ReadEntries(node, L"File_", fileCount, item.files);
        ReadEntries(node, L"Attachment_", attachmentCount, item.attachments);
        items.push_back(item);
        if (depth + 1 > maxDepth)
            maxDepth = depth + 1;
        CollectItems(node, items, depth + 1, maxDepth);
    }
}

} // namespace

TEST(SampleBook, ExecutableCarriesAReadableBook)
{
    std::wstring exe = testsupport::ExecutableFolder() + L"FolionyxReader.exe";
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);

    CQorXMLDocumentEx settings;
    ASSERT_TRUE(LoadXMLFromResource(module, settings));
    EXPECT_STREQ(L"A Short Guide to FolionyxReader", settings.ReadString(L"ExeBook", L"Name", L"").GetString());
    EXPECT_TRUE(settings.ReadString(L"Advanced", L"DP", L"x").IsEmpty()); // no password

    CExeBookResourceFiles index;
    ASSERT_TRUE(ReadResourceFiles(settings, index));
    EXEBOOKPACKEDDATA data;
    ASSERT_TRUE(LoadPackedFileResource(module, data));

    CQorXMLNode root, nodes;
    ASSERT_TRUE(settings.GetRootElement(root));
    ASSERT_TRUE(root.FindChild(L"Nodes", nodes));
    std::vector<PageItem> items;
    int maxDepth = 0;
    CollectItems(nodes, items, 0, maxDepth);
    EXPECT_GE(items.size(), 10u);
    EXPECT_GE(maxDepth, 2); // a nested contents tree

    testsupport::TempFolder temp;
    std::set<int> named;
    size_t images = 0, attachments = 0;
    std::wstring allText;
    for (const PageItem& item : items) {
        SCOPED_TRACE(CStringA(item.title, CP_UTF8).GetString());
        ASSERT_FALSE(item.files.empty());
        CString pagePath;
        ASSERT_TRUE(ExtractPage(index, data, item.files, temp.Path().c_str(), pagePath));
        CString text;
        HANDLE file = CreateFileW(pagePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        std::vector<wchar_t> page(GetFileSize(file, nullptr) / 2 + 1, 0);
        DWORD read = 0;
        ReadFile(file, page.data(), DWORD((page.size() - 1) * 2), &read, nullptr);
        CloseHandle(file);
        ASSERT_EQ(0xFEFF, page[0]) << "pages are UTF-16LE with a byte-order mark";
        allText += page.data() + 1;
        for (size_t i = 1; i < item.files.size(); ++i) {
            CString companion =
                GetFolderOfPath(pagePath) + GetFileTitleOfPath(pagePath) + L"_files\\" + item.files[i].strName;
            EXPECT_GT(GetFileSizeOfPath(companion), 0u) << CStringA(companion, CP_UTF8).GetString();
            // The page refers to its companion by the folder it is extracted to.
            CString reference = GetFileTitleOfPath(pagePath) + L"_files/" + item.files[i].strName;
            EXPECT_NE(std::wstring::npos, std::wstring(page.data()).find(reference.GetString()));
            ++images;
        }
        for (const EXEBOOKFILEENTRY& attachment : item.attachments) {
            EXPECT_EQ(1,
                      ExtractFileById(attachment.nID, data, index, temp.File(attachment.strName.GetString()).c_str()));
            ++attachments;
        }
        for (const EXEBOOKFILEENTRY& entry : item.files)
            named.insert(entry.nID);
        for (const EXEBOOKFILEENTRY& entry : item.attachments)
            named.insert(entry.nID);
    }
    EXPECT_GE(images, 5u);
    EXPECT_GE(attachments, 1u);
    EXPECT_EQ(index.size(), named.size()) << "every packed file belongs to an item";
    EXPECT_NE(std::wstring::npos, allText.find(L"folionyx://"));
    EXPECT_NE(std::wstring::npos, allText.find(L"trawlmoss://"));

    // The search finds page text in any letter case, and only in pages.
    CExeBookResourceFiles hits;
    ASSERT_TRUE(SearchFiles(index, data, L"AUTOMATIC SCROLLING", hits));
    EXPECT_GE(hits.size(), 2u);
    FreeLibrary(module);
}
