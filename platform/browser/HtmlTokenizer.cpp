#include "platform/browser/HtmlTokenizer.h"
#include "platform/browser/HtmlEntities.h"
#include "platform/browser/TextUtil.h"

namespace fxb {

namespace {

bool IsAsciiAlpha(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

// Appends src[from, to) with its character references decoded and NUL as U+FFFD; the runs
// between those go over whole, and nothing is copied on the way.
void DecodeInto(const std::wstring& src, size_t from, size_t to, std::wstring& out, bool inAttribute)
{
    const wchar_t* text = src.data() + from;
    const size_t n = to - from;
    out.reserve(out.size() + n);
    size_t i = 0;
    while (i < n) {
        size_t run = i;
        while (run < n && text[run] != L'&' && text[run] != 0)
            ++run;
        out.append(text + i, run - i);
        i = run;
        if (i >= n)
            break;
        if (text[i] == L'&' && DecodeReference(text, n, i, out, inAttribute))
            continue;
        out.push_back(text[i] == 0 ? 0xFFFD : text[i]);
        ++i;
    }
}

} // namespace

HtmlTokenizer::HtmlTokenizer(const std::wstring& source) : m_src(source) {}

void HtmlTokenizer::EnterRawText(const std::wstring& tag, bool decodeReferences)
{
    m_rawTag = tag;
    m_rawDecode = decodeReferences;
}

void HtmlTokenizer::SkipSpace()
{
    while (m_pos < m_src.size() && IsHtmlSpace(m_src[m_pos]))
        ++m_pos;
}

void HtmlTokenizer::Next(HtmlToken& token)
{
    token.name.clear();
    token.attributes.clear();
    token.text.clear();
    token.selfClosing = false;
    if (m_pos >= m_src.size()) {
        token.kind = HtmlToken::Kind::End;
        return;
    }
    if (!m_rawTag.empty()) {
        ReadRaw(token);
        return;
    }
    if (m_src[m_pos] == L'<' && m_pos + 1 < m_src.size()) {
        wchar_t c = m_src[m_pos + 1];
        if (IsAsciiAlpha(c) || (c == L'/' && m_pos + 2 < m_src.size()) || c == L'!' || c == L'?') {
            if (c == L'!' || c == L'?') {
                if (ReadMarkupDeclaration(token))
                    return;
            } else {
                ReadTag(token);
                if (token.kind != HtmlToken::Kind::Text)
                    return;
                // "</" followed by something odd: treated as text below
                if (!token.text.empty())
                    return;
            }
        }
    }
    ReadText(token);
}

void HtmlTokenizer::ReadText(HtmlToken& token)
{
    token.kind = HtmlToken::Kind::Text;
    size_t start = m_pos;
    // The first character is always text (it may be a '<' that starts nothing).
    size_t i = m_pos + 1;
    while (i < m_src.size()) {
        if (m_src[i] == L'<' && i + 1 < m_src.size()) {
            wchar_t c = m_src[i + 1];
            if (IsAsciiAlpha(c) || c == L'/' || c == L'!' || c == L'?')
                break;
        }
        ++i;
    }
    DecodeInto(m_src, start, i, token.text, false);
    m_pos = i;
}

bool HtmlTokenizer::ReadMarkupDeclaration(HtmlToken& token)
{
    // m_src[m_pos] == '<', next is '!' or '?'
    if (m_src.compare(m_pos, 4, L"<!--") == 0) {
        size_t end = m_src.find(L"-->", m_pos + 4);
        token.kind = HtmlToken::Kind::Comment;
        m_pos = end == std::wstring::npos ? m_src.size() : end + 3;
        return true;
    }
    size_t end = m_src.find(L'>', m_pos + 2);
    bool doctype = m_src.size() - m_pos >= 9 && _wcsnicmp(m_src.c_str() + m_pos, L"<!doctype", 9) == 0;
    token.kind = doctype ? HtmlToken::Kind::Doctype : HtmlToken::Kind::Comment;
    m_pos = end == std::wstring::npos ? m_src.size() : end + 1;
    return true;
}

void HtmlTokenizer::ReadTag(HtmlToken& token)
{
    size_t i = m_pos + 1;
    bool endTag = false;
    if (m_src[i] == L'/') {
        endTag = true;
        ++i;
        if (i < m_src.size() && m_src[i] == L'>') { // "</>" is dropped
            m_pos = i + 1;
            token.kind = HtmlToken::Kind::Comment;
            return;
        }
        if (i >= m_src.size() || !IsAsciiAlpha(m_src[i])) {
            // "</ something>" becomes a bogus comment, as browsers do.
            size_t end = m_src.find(L'>', i);
            m_pos = end == std::wstring::npos ? m_src.size() : end + 1;
            token.kind = HtmlToken::Kind::Comment;
            return;
        }
    }
    size_t nameStart = i;
    while (i < m_src.size() && !IsHtmlSpace(m_src[i]) && m_src[i] != L'/' && m_src[i] != L'>')
        ++i;
    token.name.reserve(i - nameStart);
    for (size_t k = nameStart; k < i; ++k)
        token.name.push_back(LowerAscii(m_src[k]));
    token.kind = endTag ? HtmlToken::Kind::EndTag : HtmlToken::Kind::StartTag;
    m_pos = i;
    // Attributes.
    while (m_pos < m_src.size()) {
        SkipSpace();
        if (m_pos >= m_src.size())
            break;
        wchar_t c = m_src[m_pos];
        if (c == L'>') {
            ++m_pos;
            return;
        }
        if (c == L'/') {
            ++m_pos;
            if (m_pos < m_src.size() && m_src[m_pos] == L'>') {
                token.selfClosing = true;
                ++m_pos;
                return;
            }
            continue;
        }
        size_t an = m_pos;
        ++m_pos; // the first character may be anything, even '='
        while (m_pos < m_src.size() && !IsHtmlSpace(m_src[m_pos]) && m_src[m_pos] != L'/' && m_src[m_pos] != L'>' &&
               m_src[m_pos] != L'=')
            ++m_pos;
        Attribute attr;
        for (size_t k = an; k < m_pos; ++k)
            attr.name.push_back(LowerAscii(m_src[k]));
        SkipSpace();
        if (m_pos < m_src.size() && m_src[m_pos] == L'=') {
            ++m_pos;
            SkipSpace();
            if (m_pos < m_src.size() && (m_src[m_pos] == L'"' || m_src[m_pos] == L'\'')) {
                wchar_t q = m_src[m_pos++];
                size_t end = m_src.find(q, m_pos);
                if (end == std::wstring::npos)
                    end = m_src.size();
                DecodeInto(m_src, m_pos, end, attr.value, true);
                m_pos = end < m_src.size() ? end + 1 : end;
            } else {
                size_t vs = m_pos;
                while (m_pos < m_src.size() && !IsHtmlSpace(m_src[m_pos]) && m_src[m_pos] != L'>')
                    ++m_pos;
                DecodeInto(m_src, vs, m_pos, attr.value, true);
            }
        }
        if (endTag || token.attributes.size() >= kMaxAttributes)
            continue;
        bool duplicate = false;
        for (const Attribute& a : token.attributes)
            if (a.name == attr.name)
                duplicate = true;
        if (!duplicate)
            token.attributes.push_back(std::move(attr));
    }
}

void HtmlTokenizer::ReadRaw(HtmlToken& token)
{
    token.kind = HtmlToken::Kind::Text;
    size_t end = m_src.size();
    if (m_rawTag != L"plaintext") {
        size_t search = m_pos;
        while (true) {
            size_t lt = m_src.find(L"</", search);
            if (lt == std::wstring::npos)
                break;
            if (m_src.size() - lt - 2 >= m_rawTag.size() &&
                _wcsnicmp(m_src.c_str() + lt + 2, m_rawTag.c_str(), m_rawTag.size()) == 0) {
                size_t after = lt + 2 + m_rawTag.size();
                if (after >= m_src.size() || IsHtmlSpace(m_src[after]) || m_src[after] == L'>' ||
                    m_src[after] == L'/') {
                    end = lt;
                    break;
                }
            }
            search = lt + 2;
        }
    }
    if (m_rawDecode)
        DecodeInto(m_src, m_pos, end, token.text, false);
    else
        token.text.assign(m_src, m_pos, end - m_pos);
    m_pos = end;
    m_rawTag.clear();
    if (token.text.empty())
        Next(token);
}

} // namespace fxb
