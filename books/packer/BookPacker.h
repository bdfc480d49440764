// Builds the two resources of a book: the settings XML (UTF-16LE with a byte-order
// mark, root element FolionyxExeBook) and the packed-file stream of zlib records,
// each with the MD5 digest of its inflated file. Tests use it to make fixture books;
// the PackBook tool uses it to make the sample book at build time.
#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <vector>

namespace bookpacker {

// One tool-bar button element ("ButtonPrint" ... "ButtonAutoScroll").
struct ButtonSettings
{
    std::wstring element;
    bool visible = true;
    std::wstring accel;
};

struct ToolSettings
{
    std::wstring name;
    std::wstring fileName;
};

// Every value of the settings document; the defaults are the reader's own.
struct BookSettings
{
    BookSettings();

    std::wstring bookName;
    std::wstring authorName;
    std::wstring authorHomePage;
    std::wstring authorEMail;
    std::wstring authorHtml;
    bool maximized = false;
    bool contentsVisible = true;
    bool contentsVisibleStartup = true;
    int contentsWidth = 200;
    bool showSplashScreen = false;
    std::wstring skinName = L"iTunes";
    std::wstring skinIniName = L"Normalitunes.ini";
    bool flatToolBars = true;
    bool showGrippers = false;
    bool browserNoMenu = false;
    bool browserNoTextSelection = false;
    bool allowShowAttachments = true;
    // The book password in clear; sealed when the XML is written. Empty: none.
    std::wstring password;
    // When set, written as the DP attribute instead of the sealed password (for
    // books whose sealed value is damaged on purpose).
    std::optional<std::wstring> rawSealedPassword;
    ButtonSettings buttons[13];
    std::vector<ToolSettings> tools;
};

// A file of a contents item: its id in the packed stream and its plain name.
struct FileRef
{
    int id = 0;
    std::wstring name;
};

// An item of the contents tree. files[0] is the page, the others its companion files.
struct BookNode
{
    std::wstring title;
    std::wstring url;
    int imageIndex = 0;
    bool home = false;
    std::vector<FileRef> files;
    std::vector<FileRef> attachments;
    std::vector<BookNode> children;
};

// An entry of the packed-file index.
struct PackedRecord
{
    int id = 0;
    int begin = 0;
    int fileSize = 0;
    int bufferSize = 0;
};

enum { RecordHeaderSize = 28 };

class CBookPacker
{
public:
    BookSettings settings;
    std::vector<BookNode> nodes;

    // Appends a record with the next free id (ids start at 1) and returns the id.
    int AddFile(const std::vector<BYTE>& bytes);
    // A page: the text stored as UTF-16LE with a byte-order mark.
    int AddPage(const std::wstring& html);
    // Appends a record with a given id (a repeated id makes a second record).
    void AddFileWithId(int id, const std::vector<BYTE>& bytes);

    const std::vector<BYTE>& PackedFiles() const { return m_packed; }
    const std::vector<PackedRecord>& Records() const { return m_records; }

    // The settings document as text, and as the resource bytes (BOM + UTF-16LE).
    // FALSE when the password cannot be sealed.
    bool BuildSettingsXml(std::wstring& xml) const;
    bool BuildSettingsResource(std::vector<BYTE>& bytes) const;

private:
    std::vector<BYTE> m_packed;
    std::vector<PackedRecord> m_records;
    int m_nextId = 1;
};

// The bytes of a page as the reader expects them: FF FE and UTF-16LE text.
std::vector<BYTE> PageBytes(const std::wstring& html);

// One record: header (id, stored size, inflated size, MD5) and the zlib stream.
std::vector<BYTE> MakeRecord(int id, const std::vector<BYTE>& bytes);

// Characters escaped for an XML attribute value or text.
std::wstring XmlEscape(const std::wstring& text);

// Writes both resources into an executable (type "FILES", names "EBOOKSETTINGSDATA"
// and "EBOOKFILEDATA"), replacing the book it carries.
bool EmbedBookInExecutable(const std::wstring& exePath, const std::vector<BYTE>& settings,
                           const std::vector<BYTE>& packedFiles);

} // namespace bookpacker
