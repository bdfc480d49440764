#include "books/packer/BookDescription.h"
#include <stdio.h>
#include <map>

namespace bookpacker {

namespace {

std::wstring Utf8ToWide(const BYTE* data, size_t size)
{
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        data += 3;
        size -= 3;
    }
    if (size == 0)
        return std::wstring();
    int length = MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(data), int(size), nullptr, 0);
    std::wstring text(size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(data), int(size), &text[0], length);
    return text;
}

std::wstring Trim(const std::wstring& text)
{
    size_t first = text.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos)
        return std::wstring();
    size_t last = text.find_last_not_of(L" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(Trim(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start)));
        if (end == std::wstring::npos)
            return parts;
        start = end + 1;
    }
}

bool ParseBool(const std::wstring& value)
{
    return value == L"1";
}

std::wstring FileNameOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

class CDescriptionReader
{
public:
    CDescriptionReader(const std::wstring& folder, CBookPacker& packer) : m_folder(folder), m_packer(packer) {}

    bool ReadLine(const std::wstring& raw, int lineNumber, std::wstring& error)
    {
        std::wstring line = raw;
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        std::wstring trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == L'#')
            return true;
        if (trimmed == L"[Settings]" || trimmed == L"[Contents]") {
            m_section = trimmed;
            return true;
        }
        bool ok = m_section == L"[Settings]"   ? ReadSetting(trimmed)
                  : m_section == L"[Contents]" ? ReadNode(line)
                                               : Fail(L"text outside a section");
        if (!ok)
            error = L"line " + std::to_wstring(lineNumber) + L": " + m_error;
        return ok;
    }

private:
    bool Fail(const std::wstring& message)
    {
        m_error = message;
        return false;
    }

    bool ReadSetting(const std::wstring& line)
    {
        size_t equals = line.find(L'=');
        if (equals == std::wstring::npos)
            return Fail(L"expected key = value");
        std::wstring key = Trim(line.substr(0, equals));
        std::wstring value = Trim(line.substr(equals + 1));
        BookSettings& s = m_packer.settings;

        struct StringKey
        {
            const wchar_t* key;
            std::wstring* field;
        };
        const StringKey strings[] = {
            {L"ExeBook.Name", &s.bookName},          {L"Author.Name", &s.authorName},
            {L"Author.HomePage", &s.authorHomePage}, {L"Author.EMail", &s.authorEMail},
            {L"AuthorHTML", &s.authorHtml},          {L"Skin.Name", &s.skinName},
            {L"Skin.IniName", &s.skinIniName},       {L"Advanced.Password", &s.password},
        };
        struct BoolKey
        {
            const wchar_t* key;
            bool* field;
        };
        const BoolKey bools[] = {
            {L"Window.Maxmized", &s.maximized},
            {L"Contents.Visible2", &s.contentsVisible},
            {L"Contents.VisibleStartup", &s.contentsVisibleStartup},
            {L"Splash.ShowSplashScreen", &s.showSplashScreen},
            {L"Skin.FlatToolBars", &s.flatToolBars},
            {L"Skin.ShowGrippers", &s.showGrippers},
            {L"Browser.NoMenu", &s.browserNoMenu},
            {L"Browser.NoTextSelection", &s.browserNoTextSelection},
            {L"Attachments.AllowShowAttachments", &s.allowShowAttachments},
        };
        for (const StringKey& k : strings) {
            if (key == k.key) {
                *k.field = value;
                return true;
            }
        }
        for (const BoolKey& k : bools) {
            if (key == k.key) {
                *k.field = ParseBool(value);
                return true;
            }
        }
        if (key == L"Contents.Width") {
            s.contentsWidth = _wtoi(value.c_str());
            return true;
        }
        if (key == L"Tool") {
            std::vector<std::wstring> parts = Split(value, L'|');
            if (parts.size() != 2)
                return Fail(L"expected Tool = name | file name");
            s.tools.push_back({parts[0], parts[1]});
            return true;
        }
        for (ButtonSettings& button : s.buttons) {
            if (key == button.element + L".Visible") {
                button.visible = ParseBool(value);
                return true;
            }
            if (key == button.element + L".Accel") {
                button.accel = value;
                return true;
            }
        }
        return Fail(L"unknown setting " + key);
    }

    bool ReadNode(const std::wstring& line)
    {
        size_t indent = line.find_first_not_of(L' ');
        std::vector<std::wstring> parts = Split(line, L'|');
        BookNode node;
        node.title = parts[0];
        std::wstring page;
        std::vector<std::wstring> files, attachments;
        for (size_t i = 1; i < parts.size(); ++i) {
            const std::wstring& part = parts[i];
            size_t equals = part.find(L'=');
            std::wstring key = Trim(part.substr(0, equals));
            std::wstring value = equals == std::wstring::npos ? std::wstring() : Trim(part.substr(equals + 1));
            if (key == L"page")
                page = value;
            else if (key == L"files")
                files = Split(value, L',');
            else if (key == L"attachments")
                attachments = Split(value, L',');
            else if (key == L"image")
                node.imageIndex = _wtoi(value.c_str());
            else if (key == L"url")
                node.url = value;
            else if (key == L"home")
                node.home = true;
            else
                return Fail(L"unknown item attribute " + key);
        }
        if (page.empty() && !files.empty())
            return Fail(L"companion files need a page");
        if (!page.empty()) {
            FileRef ref;
            if (!AddSourceFile(page, true, ref))
                return false;
            node.files.push_back(ref);
        }
        for (const std::wstring& file : files) {
            FileRef ref;
            if (!AddSourceFile(file, false, ref))
                return false;
            node.files.push_back(ref);
        }
        for (const std::wstring& file : attachments) {
            FileRef ref;
            if (!AddSourceFile(file, false, ref))
                return false;
            node.attachments.push_back(ref);
        }

        while (!m_stack.empty() && m_stack.back().indent >= indent)
            m_stack.pop_back();
        std::vector<BookNode>& siblings = m_stack.empty() ? m_packer.nodes : m_stack.back().node->children;
        siblings.push_back(node);
        m_stack.push_back({indent, &siblings.back()});
        return true;
    }

    bool AddSourceFile(const std::wstring& relative, bool isPage, FileRef& ref)
    {
        if (relative.empty())
            return Fail(L"empty file name");
        std::wstring key = (isPage ? L"page:" : L"file:") + relative;
        auto found = m_ids.find(key);
        ref.name = FileNameOf(relative);
        if (found != m_ids.end()) {
            ref.id = found->second;
            return true;
        }
        std::vector<BYTE> bytes;
        if (!ReadWholeFile(m_folder + relative, bytes))
            return Fail(L"cannot read " + relative);
        ref.id = isPage ? m_packer.AddPage(Utf8ToWide(bytes.data(), bytes.size())) : m_packer.AddFile(bytes);
        m_ids[key] = ref.id;
        return true;
    }

    struct Level
    {
        size_t indent;
        BookNode* node;
    };

    std::wstring m_folder;
    CBookPacker& m_packer;
    std::wstring m_section;
    std::wstring m_error;
    std::vector<Level> m_stack;
    std::map<std::wstring, int> m_ids;
};

} // namespace

bool ReadWholeFile(const std::wstring& path, std::vector<BYTE>& bytes)
{
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return false;
    bytes.clear();
    BYTE chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof(chunk), file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    bool ok = !ferror(file);
    fclose(file);
    return ok;
}

bool WriteWholeFile(const std::wstring& path, const std::vector<BYTE>& bytes)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    bool ok = bytes.empty() || fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = (fclose(file) == 0) && ok;
    return ok;
}

bool LoadBookDescription(const std::wstring& path, CBookPacker& packer, std::wstring& error)
{
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(path, bytes)) {
        error = L"cannot read " + path;
        return false;
    }
    size_t slash = path.find_last_of(L"/\\");
    std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    CDescriptionReader reader(folder, packer);
    std::wstring text = Utf8ToWide(bytes.data(), bytes.size());
    size_t start = 0;
    int lineNumber = 1;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (!reader.ReadLine(line, lineNumber, error))
            return false;
        if (end == std::wstring::npos)
            break;
        start = end + 1;
        ++lineNumber;
    }
    return true;
}

} // namespace bookpacker
