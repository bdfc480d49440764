// Path parts, plain-name checks, whole-file writes and the case-insensitive search.
#include <gtest/gtest.h>
#include <windows.h>
#include <climits>
#include <string>
#include <vector>
#include "reader/app/FileUtil.h"
#include "tests/common/WineTestSupport.h"

namespace {

std::string Narrow(LPCWSTR text)
{
    return CStringA(text, CP_UTF8).GetString();
}

struct PipeReader
{
    HANDLE pipe;
    DWORD read;
};

DWORD WINAPI ReadFewBytesAndLeave(LPVOID param)
{
    PipeReader* reader = static_cast<PipeReader*>(param);
    ConnectNamedPipe(reader->pipe, nullptr);
    char buffer[16];
    ReadFile(reader->pipe, buffer, sizeof(buffer), &reader->read, nullptr);
    Sleep(200);
    DisconnectNamedPipe(reader->pipe);
    return 0;
}

} // namespace

TEST(FileUtil, SplitsPathsOfAnyLengthIntoFolderTitleAndExtension)
{
    const std::wstring longFolder = L"C:\\" + std::wstring(300, L'f') + L"\\" + std::wstring(200, L'g') + L"\\";
    const std::wstring longName = std::wstring(280, L'n');
    struct
    {
        std::wstring path, folder, title, name, extension;
    } cases[] = {
        {L"C:\\W\\page.htm", L"C:\\W\\", L"page", L"page.htm", L".htm"},
        {L"C:/W/sub/page.html", L"C:/W/sub/", L"page", L"page.html", L".html"},
        {L"C:\\a.b\\file", L"C:\\a.b\\", L"file", L"file", L""},
        {L"C:\\a\\archive.tar.gz", L"C:\\a\\", L"archive.tar", L"archive.tar.gz", L".gz"},
        {L"C:page.htm", L"C:", L"page", L"page.htm", L".htm"},
        {L"page.htm", L"", L"page", L"page.htm", L".htm"},
        {L"C:\\W\\", L"C:\\W\\", L"", L"", L""},
        {L"\\\\server\\share\\x.txt", L"\\\\server\\share\\", L"x", L"x.txt", L".txt"},
        {L"", L"", L"", L"", L""},
        // Parts longer than any fixed buffer of the platform's path limit.
        {longFolder + longName + L".htm", longFolder, longName, longName + L".htm", L".htm"},
        {L"C:\\x\\" + longName + L"." + std::wstring(270, L'e'), L"C:\\x\\", longName,
         longName + L"." + std::wstring(270, L'e'), L"." + std::wstring(270, L'e')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.path.substr(0, 40).c_str()));
        EXPECT_STREQ(c.folder.c_str(), GetFolderOfPath(c.path.c_str()).GetString());
        EXPECT_STREQ(c.title.c_str(), GetFileTitleOfPath(c.path.c_str()).GetString());
        EXPECT_STREQ(c.name.c_str(), GetFileNameOfPath(c.path.c_str()).GetString());
        EXPECT_STREQ(c.extension.c_str(), GetFileExtensionOfPath(c.path.c_str()).GetString());
    }
    EXPECT_TRUE(GetFolderOfPath(nullptr).IsEmpty());
}

TEST(FileUtil, AppendPathSeparatorOnlyWhenMissing)
{
    struct
    {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"", L""}, {L"C:\\W", L"C:\\W\\"}, {L"C:\\W\\", L"C:\\W\\"}, {L"C:/W/", L"C:/W/"}, {L"W", L"W\\"},
    };
    for (const auto& c : cases) {
        CString path(c.in);
        AppendPathSeparator(path);
        EXPECT_STREQ(c.out, path.GetString());
    }
}

TEST(FileUtil, PlainFileNames)
{
    const wchar_t* accepted[] = {L"page.htm",    L"a b.png", L"\u00fcn\u00efcode.gif",
                                 L".htaccess",   L"x..y",    L"con.txt.bak.",
                                 L"console.txt", L"com10",   L"LPT"};
    const wchar_t* refused[] = {L"",        L".",     L"..",         L"...",    L"..\\a",   L"../a", L"a\\b",    L"a/b",
                                L"C:a",     L"C:\\a", L"\\\\srv\\a", L"a:b",    L"a*",      L"a?",   L"a|b",     L"a<b",
                                L"a>b",     L"a\"b",  L"a\tb",       L"name.",  L"name ",   L"CON",  L"con.txt", L"Nul",
                                L"aux.htm", L"COM1",  L"lpt9.gif",   L"CONIN$", L"nul .txt"};
    for (const wchar_t* name : accepted) {
        // "con.txt.bak." ends in a dot and is refused; everything else here is a plain name.
        if (wcscmp(name, L"con.txt.bak.") == 0)
            EXPECT_FALSE(IsPlainFileName(name));
        else
            EXPECT_TRUE(IsPlainFileName(name)) << Narrow(name);
    }
    for (const wchar_t* name : refused)
        EXPECT_FALSE(IsPlainFileName(name)) << Narrow(name);
    EXPECT_FALSE(IsPlainFileName(nullptr));
    EXPECT_FALSE(IsPlainFileName(std::wstring(300, L'a').c_str()));
}

TEST(FileUtil, FindTextNoCaseFindsMatchesUpToTheVeryEnd)
{
    struct
    {
        const wchar_t* text;
        int length;
        const wchar_t* pattern;
        int position;
    } cases[] = {
        {L"Hello World", 11, L"world", 6},       // ends at the last character
        {L"Hello World", 11, L"HELLO WORLD", 0}, // the whole text
        {L"Hello World", 11, L"hello", 0},
        {L"Hello World", 11, L"World!", -1}, // longer than what is left
        {L"Hello World", 11, L"Hello World and", -1},
        {L"Hello World", 5, L"world", -1}, // beyond the given length
        {L"Hello World", 10, L"world", -1},
        {L"abcabc", 6, L"CA", 2},
        {L"aaab", 4, L"AAB", 1}, // restarts after a partial match
        {L"Stra\u00dfe \u00c4RGER", 12, L"\u00e4rger", 7},
        {L"\u0417\u0434\u0440\u0430\u0432\u0441\u0442\u0432\u0443\u0439", 10, L"\u0412\u0421\u0422", 4},
        {L"x", 1, L"X", 0},
        {L"x", 1, L"", -1},
        {L"", 0, L"x", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.position, FindTextNoCase(c.text, c.length, c.pattern))
            << Narrow(c.text) << " / " << Narrow(c.pattern) << " / " << c.length;
    }
    EXPECT_EQ(-1, FindTextNoCase(nullptr, 3, L"a"));
    EXPECT_EQ(-1, FindTextNoCase(L"abc", 3, nullptr));
}

TEST(FileUtil, FindTextNoCaseAgreesWithAPlainScan)
{
    // Small alphabets make many partial matches; characters 0x0161 and 0x0061 share
    // their low byte, as the search's shift table does.
    const wchar_t alphabet[] = {L'a', L'A', L'b', L'B', L'\u0161', L'\u0160', L'c'};
    auto fold = [](wchar_t ch) {
        wchar_t buffer[2] = {ch, 0};
        CharUpperBuffW(buffer, 1);
        return buffer[0];
    };
    auto plainScan = [&](const std::wstring& text, const std::wstring& pattern) {
        for (size_t i = 0; i + pattern.size() <= text.size(); ++i) {
            size_t k = 0;
            while (k < pattern.size() && fold(text[i + k]) == fold(pattern[k]))
                ++k;
            if (k == pattern.size())
                return int(i);
        }
        return -1;
    };
    unsigned seed = 7;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int round = 0; round < 3000; ++round) {
        std::wstring text, pattern;
        for (unsigned n = next(40); n > 0; --n)
            text += alphabet[next(7)];
        for (unsigned n = 1 + next(6); n > 0; --n)
            pattern += alphabet[next(7)];
        ASSERT_EQ(plainScan(text, pattern), FindTextNoCase(text.c_str(), int(text.size()), pattern.c_str()))
            << Narrow(text.c_str()) << " / " << Narrow(pattern.c_str());
    }
}

TEST(FileUtil, WritesWholeFilesIntoNewFolders)
{
    testsupport::TempFolder temp;
    std::wstring path = temp.Path() + L"one\\two\\three.bin";
    const char data[] = "0123456789";
    ASSERT_TRUE(WriteBytesToFile(path.c_str(), data, 10));
    EXPECT_EQ(10u, GetFileSizeOfPath(path.c_str()));
    EXPECT_TRUE(WriteBytesToFile(temp.File(L"empty.bin").c_str(), nullptr, 0));
    EXPECT_EQ(0u, GetFileSizeOfPath(temp.File(L"empty.bin").c_str()));
    EXPECT_TRUE(GetFileAttributesW(temp.File(L"empty.bin").c_str()) != INVALID_FILE_ATTRIBUTES);

    // A folder is no file: it cannot be opened for writing, and its size is 0.
    EXPECT_FALSE(WriteBytesToFile((temp.Path() + L"one").c_str(), data, 10));
    EXPECT_EQ(0u, GetFileSizeOfPath((temp.Path() + L"one").c_str()));
    EXPECT_EQ(0u, GetFileSizeOfPath(temp.File(L"missing").c_str()));

    EXPECT_TRUE(EnsureFolder((temp.Path() + L"a\\b\\c\\").c_str()));
    EXPECT_TRUE(EnsureFolder((temp.Path() + L"a\\b\\c").c_str()));
    EXPECT_FALSE(EnsureFolder((temp.Path() + L"one\\two\\three.bin\\x").c_str()));
}

TEST(FileUtil, WriteFailsWhenNotEveryByteArrives)
{
    // A pipe whose reader goes away after a few bytes: the rest of the write fails.
    wchar_t name[64];
    wsprintfW(name, L"\\\\.\\pipe\\fx_shortwrite_%lu", GetCurrentProcessId());
    HANDLE pipe = CreateNamedPipeW(name, PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 64, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, pipe);
    PipeReader state = {pipe, 0};
    HANDLE reader = CreateThread(nullptr, 0, ReadFewBytesAndLeave, &state, 0, nullptr);
    std::vector<char> data(1 << 20, 'x');
    EXPECT_FALSE(WriteBytesToFile(name, data.data(), data.size()));
    WaitForSingleObject(reader, 10000);
    CloseHandle(reader);
    EXPECT_EQ(16u, state.read); // the file was open and the write under way
    CloseHandle(pipe);
}

TEST(FileUtil, StreamsAndCopiesWholeFiles)
{
    testsupport::TempFolder temp;
    std::vector<BYTE> data(200000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = BYTE(i * 31 + 7);
    IStream* stream = nullptr;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    ULONG written = 0;
    stream->Write(data.data(), ULONG(data.size()), &written);
    // The stream is saved from its start, wherever its position is.
    ASSERT_TRUE(SaveStreamToFile(stream, temp.File(L"saved.bin").c_str()));
    stream->Release();
    EXPECT_EQ(data.size(), GetFileSizeOfPath(temp.File(L"saved.bin").c_str()));

    ASSERT_TRUE(CopyFileViaStream(temp.File(L"saved.bin").c_str(), temp.File(L"copy\\copy.bin").c_str()));
    HANDLE file =
        CreateFileW(temp.File(L"copy\\copy.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    std::vector<BYTE> back(data.size() + 10);
    DWORD read = 0;
    ReadFile(file, back.data(), DWORD(back.size()), &read, nullptr);
    CloseHandle(file);
    back.resize(read);
    EXPECT_EQ(data, back);

    EXPECT_FALSE(CopyFileViaStream(temp.File(L"missing.bin").c_str(), temp.File(L"never.bin").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(temp.File(L"never.bin").c_str()));
    EXPECT_FALSE(SaveStreamToFile(nullptr, temp.File(L"never.bin").c_str()));
}

TEST(FileUtil, SmallTextHelpers)
{
    EXPECT_STREQ(L"0", IntToDecimalString(0).GetString());
    EXPECT_STREQ(L"-2147483648", IntToDecimalString(INT_MIN).GetString());
    EXPECT_STREQ(L"1036", IntToDecimalString(1036).GetString());
    EXPECT_STREQ(L"Open a.txt? a.txt is big.", ReplacePlaceholderOne(L"Open %1? %1 is big.", L"a.txt").GetString());
    EXPECT_STREQ(L"no placeholder %2", ReplacePlaceholderOne(L"no placeholder %2", L"x").GetString());
    EXPECT_STREQ(L"%1 stays one pass", ReplacePlaceholderOne(L"%1", L"%1 stays one pass").GetString());
}
