#include "books/packer/BookPacker.h"
#include "reader/book/Md5.h"
#include "reader/book/SealedValues.h"
#include <zlib.h>
#include <stdexcept>

namespace bookpacker {

namespace {

const wchar_t* const kButtonNames[13] = {
    L"Print",    L"PrintPreview", L"Back",   L"Forward", L"Stop", L"Refresh",    L"Home",
    L"TextSize", L"Contents",     L"Search", L"Prior",   L"Next", L"AutoScroll",
};

void PutU32(BYTE* p, DWORD v)
{
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
    p[2] = BYTE(v >> 16);
    p[3] = BYTE(v >> 24);
}

const wchar_t* Bool(bool value)
{
    return value ? L"1" : L"0";
}

// Writes elements one per line: <name a="v"/>, <name>text</name>, or a start tag,
// indented children and an end tag.
class CXmlWriter
{
public:
    void Open(const std::wstring& name)
    {
        EndStartTag(true);
        m_text += std::wstring(2 * m_open.size(), L' ') + L"<" + name;
        m_open.push_back(name);
        m_inStartTag = true;
    }
    void Attribute(const std::wstring& name, const std::wstring& value)
    {
        m_text += L" " + name + L"=\"" + XmlEscape(value) + L"\"";
    }
    void Attribute(const std::wstring& name, int value) { Attribute(name, std::to_wstring(value)); }
    void Text(const std::wstring& text)
    {
        EndStartTag(false);
        m_text += XmlEscape(text);
        m_afterText = true;
    }
    void Close()
    {
        std::wstring name = m_open.back();
        m_open.pop_back();
        if (m_inStartTag) {
            m_text += L"/>\r\n";
            m_inStartTag = false;
        } else {
            if (!m_afterText)
                m_text += std::wstring(2 * m_open.size(), L' ');
            m_text += L"</" + name + L">\r\n";
        }
        m_afterText = false;
    }
    const std::wstring& Result() const { return m_text; }

private:
    void EndStartTag(bool newLine)
    {
        if (m_inStartTag) {
            m_text += newLine ? L">\r\n" : L">";
            m_inStartTag = false;
        }
    }

    std::wstring m_text;
    std::vector<std::wstring> m_open;
    bool m_inStartTag = false;
    bool m_afterText = false;
};

void WriteNode(CXmlWriter& xml, const BookNode& node, size_t index)
{
    xml.Open(L"Node_" + std::to_wstring(index));
    xml.Attribute(L"Title", node.title);
    xml.Attribute(L"URL", node.url);
    xml.Attribute(L"ImageIndex", node.imageIndex);
    xml.Attribute(L"FileCount", int(node.files.size()));
    xml.Attribute(L"AttachmentCount", int(node.attachments.size()));
    xml.Attribute(L"ChildCount", int(node.children.size()));
    xml.Attribute(L"Home", Bool(node.home));
    for (size_t i = 0; i < node.files.size(); ++i) {
        xml.Open(L"File_" + std::to_wstring(i));
        xml.Attribute(L"ID", node.files[i].id);
        xml.Attribute(L"Name", node.files[i].name);
        xml.Close();
    }
    for (size_t i = 0; i < node.attachments.size(); ++i) {
        xml.Open(L"Attachment_" + std::to_wstring(i));
        xml.Attribute(L"ID", node.attachments[i].id);
        xml.Attribute(L"Name", node.attachments[i].name);
        xml.Close();
    }
    for (size_t i = 0; i < node.children.size(); ++i)
        WriteNode(xml, node.children[i], i);
    xml.Close();
}

} // namespace

BookSettings::BookSettings()
{
    for (int i = 0; i < 13; ++i)
        buttons[i].element = std::wstring(L"Button") + kButtonNames[i];
}

std::wstring XmlEscape(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t ch : text) {
        switch (ch) {
        case L'&':
            out += L"&amp;";
            break;
        case L'<':
            out += L"&lt;";
            break;
        case L'>':
            out += L"&gt;";
            break;
        case L'"':
            out += L"&quot;";
            break;
        case L'\r':
            out += L"&#13;";
            break;
        case L'\n':
            out += L"&#10;";
            break;
        case L'\t':
            out += L"&#9;";
            break;
        default:
            out += ch;
            break;
        }
    }
    return out;
}

std::vector<BYTE> PageBytes(const std::wstring& html)
{
    std::vector<BYTE> bytes(2 + html.size() * 2);
    bytes[0] = 0xFF;
    bytes[1] = 0xFE;
    for (size_t i = 0; i < html.size(); ++i) {
        bytes[2 + 2 * i] = BYTE(html[i]);
        bytes[3 + 2 * i] = BYTE(html[i] >> 8);
    }
    return bytes;
}

std::vector<BYTE> MakeRecord(int id, const std::vector<BYTE>& bytes)
{
    uLongf storedSize = compressBound(uLong(bytes.size()));
    std::vector<BYTE> record(RecordHeaderSize + storedSize);
    BYTE empty = 0;
    if (compress2(record.data() + RecordHeaderSize, &storedSize, bytes.empty() ? &empty : bytes.data(),
                  uLong(bytes.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib cannot compress a file");
    record.resize(RecordHeaderSize + storedSize);
    PutU32(&record[0], DWORD(id));
    PutU32(&record[4], DWORD(storedSize));
    PutU32(&record[8], DWORD(bytes.size()));
    CMd5::Digest(bytes.empty() ? &empty : bytes.data(), bytes.size(), &record[12]);
    return record;
}

int CBookPacker::AddFile(const std::vector<BYTE>& bytes)
{
    int id = m_nextId;
    AddFileWithId(id, bytes);
    return id;
}

int CBookPacker::AddPage(const std::wstring& html)
{
    return AddFile(PageBytes(html));
}

void CBookPacker::AddFileWithId(int id, const std::vector<BYTE>& bytes)
{
    std::vector<BYTE> record = MakeRecord(id, bytes);
    PackedRecord entry;
    entry.id = id;
    entry.begin = int(m_packed.size());
    entry.fileSize = int(bytes.size());
    entry.bufferSize = int(record.size() - RecordHeaderSize);
    m_records.push_back(entry);
    m_packed.insert(m_packed.end(), record.begin(), record.end());
    if (id >= m_nextId)
        m_nextId = id + 1;
}

bool CBookPacker::BuildSettingsXml(std::wstring& text) const
{
    std::wstring sealedPassword;
    if (settings.rawSealedPassword) {
        sealedPassword = *settings.rawSealedPassword;
    } else if (!settings.password.empty()) {
        CString sealed;
        if (!SealText(CString(settings.password.c_str()), g_szSealingPassPhrase, sealed))
            return false;
        sealedPassword = sealed.GetString();
    }

    const BookSettings& s = settings;
    CXmlWriter xml;
    xml.Open(L"FolionyxExeBook");
    xml.Open(L"ExeBook");
    xml.Attribute(L"Name", s.bookName);
    xml.Close();
    xml.Open(L"Author");
    xml.Attribute(L"Name", s.authorName);
    xml.Attribute(L"HomePage", s.authorHomePage);
    xml.Attribute(L"EMail", s.authorEMail);
    xml.Close();
    xml.Open(L"AuthorHTML");
    xml.Text(s.authorHtml);
    xml.Close();
    xml.Open(L"Window");
    xml.Attribute(L"Maxmized", Bool(s.maximized));
    xml.Close();
    xml.Open(L"Contents");
    xml.Attribute(L"Visible2", Bool(s.contentsVisible));
    xml.Attribute(L"VisibleStartup", Bool(s.contentsVisibleStartup));
    xml.Attribute(L"Width", s.contentsWidth);
    xml.Close();
    xml.Open(L"Splash");
    xml.Attribute(L"ShowSplashScreen", Bool(s.showSplashScreen));
    xml.Close();
    xml.Open(L"Skin");
    xml.Attribute(L"Name", s.skinName);
    xml.Attribute(L"IniName", s.skinIniName);
    xml.Attribute(L"FlatToolBars", Bool(s.flatToolBars));
    xml.Attribute(L"ShowGrippers", Bool(s.showGrippers));
    xml.Close();
    xml.Open(L"Browser");
    xml.Attribute(L"NoMenu", Bool(s.browserNoMenu));
    xml.Attribute(L"NoTextSelection", Bool(s.browserNoTextSelection));
    xml.Close();
    xml.Open(L"Advanced");
    xml.Attribute(L"DP", sealedPassword);
    xml.Close();
    xml.Open(L"Attachments");
    xml.Attribute(L"AllowShowAttachments", Bool(s.allowShowAttachments));
    xml.Close();
    for (const ButtonSettings& button : s.buttons) {
        xml.Open(button.element);
        xml.Attribute(L"Visible", Bool(button.visible));
        xml.Attribute(L"Accel", button.accel);
        xml.Close();
    }
    xml.Open(L"Tools");
    xml.Attribute(L"Count", int(s.tools.size()));
    for (size_t i = 0; i < s.tools.size(); ++i) {
        xml.Attribute(L"ToolName_" + std::to_wstring(i), s.tools[i].name);
        xml.Attribute(L"ToolFileName_" + std::to_wstring(i), s.tools[i].fileName);
    }
    xml.Close();

    xml.Open(L"Nodes");
    xml.Attribute(L"ChildCount", int(nodes.size()));
    for (size_t i = 0; i < nodes.size(); ++i)
        WriteNode(xml, nodes[i], i);
    xml.Close();

    xml.Open(L"ResourceFiles");
    xml.Attribute(L"Count", int(m_records.size()));
    for (size_t i = 0; i < m_records.size(); ++i) {
        xml.Open(L"File_" + std::to_wstring(i));
        xml.Attribute(L"ID", m_records[i].id);
        xml.Attribute(L"FileSize", m_records[i].fileSize);
        xml.Attribute(L"BufferSize", m_records[i].bufferSize);
        xml.Attribute(L"Begin", m_records[i].begin);
        xml.Close();
    }
    xml.Close();
    xml.Close();

    text = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n" + xml.Result();
    return true;
}

bool CBookPacker::BuildSettingsResource(std::vector<BYTE>& bytes) const
{
    std::wstring xml;
    if (!BuildSettingsXml(xml))
        return false;
    bytes = PageBytes(xml);
    return true;
}

bool EmbedBookInExecutable(const std::wstring& exePath, const std::vector<BYTE>& settings,
                           const std::vector<BYTE>& packedFiles)
{
    HANDLE update = BeginUpdateResourceW(exePath.c_str(), FALSE);
    if (!update)
        return false;
    const WORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    bool ok = UpdateResourceW(update, L"FILES", L"EBOOKSETTINGSDATA", language, const_cast<BYTE*>(settings.data()),
                              DWORD(settings.size())) &&
              UpdateResourceW(update, L"FILES", L"EBOOKFILEDATA", language, const_cast<BYTE*>(packedFiles.data()),
                              DWORD(packedFiles.size()));
    return EndUpdateResourceW(update, ok ? FALSE : TRUE) && ok;
}

} // namespace bookpacker
