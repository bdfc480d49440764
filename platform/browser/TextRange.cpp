#include "platform/browser/TextRange.h"
#include "platform/browser/Document.h"
#include "platform/browser/HtmlParser.h"
#include "platform/browser/TextUtil.h"
#include <windows.h>
#include <algorithm>
#include <cwctype>
#include <vector>

namespace fxb {

namespace {

bool IsWordChar(wchar_t c)
{
    return IsCharAlphaNumericW(c) || c == L'_';
}

} // namespace

wchar_t FoldCase(wchar_t c)
{
    static const std::vector<wchar_t> table = [] {
        std::vector<wchar_t> t(0x10000);
        for (size_t i = 0; i < t.size(); ++i)
            t[i] = static_cast<wchar_t>(i);
        // Surrogates are left alone; everything else goes through the system's folding.
        CharLowerBuffW(t.data(), 0xD800);
        CharLowerBuffW(t.data() + 0xE000, 0x2000);
        return t;
    }();
    return table[static_cast<unsigned short>(c)];
}

std::wstring EscapeHtml(const std::wstring& text, bool attribute)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
        case L'&':
            out += L"&amp;";
            break;
        case L'<':
            out += L"&lt;";
            break;
        case L'>':
            out += L"&gt;";
            break;
        case 0xA0:
            out += L"&nbsp;";
            break;
        case L'"':
            out += attribute ? L"&quot;" : L"\"";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

TextRange::TextRange(std::shared_ptr<Document> doc, size_t start, size_t end)
    : m_doc(std::move(doc)), m_start(start), m_end(end)
{
    Clamp();
}

void TextRange::Clamp()
{
    size_t len = m_doc ? m_doc->StreamLength() : 0;
    m_start = std::min(m_start, len);
    m_end = std::min(std::max(m_end, m_start), len);
}

void TextRange::SetRange(size_t start, size_t end)
{
    m_start = start;
    m_end = end;
    Clamp();
}

std::unique_ptr<TextRange> TextRange::duplicate() const
{
    return std::make_unique<TextRange>(m_doc, m_start, m_end);
}

void TextRange::collapse(bool toStart)
{
    if (toStart)
        m_end = m_start;
    else
        m_start = m_end;
}

bool TextRange::findText(const std::wstring& textIn, long count, long flags)
{
    if (!m_doc)
        return false;
    Clamp();
    // White space in the search text matches the single spaces of the rendered text.
    std::wstring pattern;
    for (wchar_t c : textIn) {
        bool space = c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
        if (space) {
            if (!pattern.empty() && pattern.back() != L' ')
                pattern.push_back(L' ');
        } else {
            pattern.push_back(c);
        }
    }
    if (pattern.empty())
        return false;
    bool matchCase = (flags & 4) != 0;
    bool wholeWord = (flags & 2) != 0;
    if (!matchCase)
        for (wchar_t& c : pattern)
            c = FoldCase(c);
    const std::wstring& s = m_doc->Stream();
    size_t m = pattern.size();
    if (m_end - m_start < m)
        return false;
    auto matchesAt = [&](size_t i) {
        for (size_t k = 0; k < m; ++k) {
            wchar_t c = s[i + k];
            if (c == 0xA0)
                c = L' ';
            if (!matchCase)
                c = FoldCase(c);
            wchar_t p = pattern[k] == 0xA0 ? L' ' : pattern[k];
            if (c != p)
                return false;
        }
        if (wholeWord) {
            if (i > 0 && IsWordChar(s[i - 1]) && IsWordChar(s[i]))
                return false;
            if (i + m < s.size() && IsWordChar(s[i + m]) && IsWordChar(s[i + m - 1]))
                return false;
        }
        return true;
    };
    auto select = [&](size_t i) {
        m_start = i;
        m_end = i + m;
        return true;
    };
    if (count >= 0) {
        for (size_t i = m_start; i + m <= m_end; ++i)
            if (matchesAt(i))
                return select(i);
    } else {
        for (size_t i = m_end - m + 1; i-- > m_start;)
            if (matchesAt(i))
                return select(i);
    }
    return false;
}

std::wstring TextRange::text() const
{
    if (!m_doc)
        return std::wstring();
    const std::wstring& s = m_doc->Stream();
    size_t a = std::min(m_start, s.size()), b = std::min(m_end, s.size());
    std::wstring out;
    for (size_t i = a; i < b; ++i) {
        if (s[i] == L'\n')
            out += L"\r\n";
        else
            out.push_back(s[i]);
    }
    return out;
}

std::wstring TextRange::htmlText() const
{
    if (!m_doc || m_start >= m_end)
        return std::wstring();
    Node* startNode = nullptr;
    Node* endNode = nullptr;
    size_t startRaw = 0, endRaw = 0;
    if (!m_doc->NodeAtStream(m_start, startNode, startRaw, true) || !m_doc->NodeAtStream(m_end, endNode, endRaw, false))
        return std::wstring();
    if (startNode == endNode)
        return startRaw < endRaw ? EscapeHtml(startNode->Text().substr(startRaw, endRaw - startRaw)) : std::wstring();
    // Common ancestor of the two text nodes.
    Node* common = startNode->Parent();
    while (common && !common->IsAncestorOf(endNode))
        common = common->Parent();
    if (!common)
        return std::wstring();
    // Ancestors of the start node below the common one are open at the start of the range.
    std::vector<Node*> openAtStart;
    for (Node* p = startNode->Parent(); p && p != common; p = p->Parent())
        openAtStart.push_back(p);
    std::reverse(openAtStart.begin(), openAtStart.end());

    std::wstring out;
    enum class State { Before, Inside, After } state = State::Before;
    auto openTag = [&](const Node* e) {
        out += L"<" + e->Tag();
        for (const Attribute& a : e->Attributes())
            out += L" " + a.name + L"=\"" + EscapeHtml(a.value, true) + L"\"";
        out += L">";
    };
    struct Frame
    {
        Node* node;
        size_t next;
        bool opened;
    };
    std::vector<Frame> stack;
    stack.push_back({common, 0, false});
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next >= f.node->ChildCount() || state == State::After) {
            if (f.opened && !IsVoidElement(f.node->Tag()))
                out += L"</" + f.node->Tag() + L">";
            stack.pop_back();
            continue;
        }
        Node* n = f.node->Child(f.next++);
        if (n->IsText()) {
            if (n == startNode) {
                state = State::Inside;
                for (Node* a : openAtStart) {
                    openTag(a);
                    for (Frame& fr : stack)
                        if (fr.node == a)
                            fr.opened = true;
                }
                size_t to = n == endNode ? endRaw : n->Text().size();
                if (startRaw < to)
                    out += EscapeHtml(n->Text().substr(startRaw, to - startRaw));
            } else if (state == State::Inside) {
                size_t to = n == endNode ? endRaw : n->Text().size();
                out += EscapeHtml(n->Text().substr(0, to));
            }
            if (n == endNode)
                state = State::After;
            continue;
        }
        bool opened = state == State::Inside;
        if (opened)
            openTag(n);
        stack.push_back({n, 0, opened});
    }
    return out;
}

bool TextRange::pasteHTML(const std::wstring& html)
{
    if (!m_doc || !m_doc->BodyNode())
        return false;
    Clamp();
    size_t oldLength = m_doc->StreamLength();
    size_t s = m_start, e = m_end;
    Node* startNode = nullptr;
    Node* endNode = nullptr;
    size_t startRaw = 0, endRaw = 0;
    Node* parent = nullptr;
    size_t index = 0;
    if (m_doc->NodeAtStream(s, startNode, startRaw, true)) {
        if (e > s)
            m_doc->NodeAtStream(e, endNode, endRaw, false);
        else {
            endNode = startNode;
            endRaw = startRaw;
        }
        // Remove the range's content.
        if (startNode == endNode) {
            if (endRaw > startRaw)
                startNode->Text().erase(startRaw, endRaw - startRaw);
        } else {
            startNode->Text().erase(startRaw);
            Node* n = startNode->NextInOrder(m_doc->Root());
            while (n && n != endNode) {
                if (n->IsAncestorOf(endNode)) {
                    n = n->NextInOrder(m_doc->Root());
                    continue;
                }
                Node* next = n->NextSkippingChildren(m_doc->Root());
                Node* p = n->Parent();
                m_doc->Retire(p->RemoveChild(n->IndexInParent()));
                n = next;
            }
            endNode->Text().erase(0, std::min(endRaw, endNode->Text().size()));
        }
        // Split the start node at the insertion point.
        parent = startNode->Parent();
        index = startNode->IndexInParent();
        if (startRaw == 0) {
            // insert before the start node
        } else if (startRaw >= startNode->Text().size()) {
            index += 1;
        } else {
            auto tail = std::make_unique<Node>(Node::Type::Text, startNode->Text().substr(startRaw));
            startNode->Text().erase(startRaw);
            parent->InsertChild(index + 1, std::move(tail));
            index += 1;
        }
    } else {
        parent = m_doc->BodyNode();
        index = parent->ChildCount();
    }
    ParseLimits limits;
    std::vector<std::unique_ptr<Node>> nodes = ParseHtmlFragment(html, parent->Tag(), limits);
    std::vector<Node*> inserted;
    for (auto& n : nodes)
        inserted.push_back(parent->InsertChild(index++, std::move(n)));
    for (Node* n : inserted)
        m_doc->SubtreeInserted(n);
    if (inserted.empty())
        m_doc->SubtreeInserted(parent);
    size_t newLength = m_doc->StreamLength();
    size_t insertedLength = newLength + (e - s) >= oldLength ? newLength + (e - s) - oldLength : 0;
    m_start = m_end = std::min(s + insertedLength, newLength);
    return true;
}

long TextRange::Move(bool start, const std::wstring& unitIn, long count)
{
    if (!m_doc)
        return 0;
    Clamp();
    std::wstring unit = LowerAscii(unitIn);
    size_t len = m_doc->StreamLength();
    size_t pos = start ? m_start : m_end;
    long moved = 0;
    if (unit == L"character") {
        if (count > 0) {
            size_t n = std::min<size_t>(static_cast<size_t>(count), len - pos);
            pos += n;
            moved = static_cast<long>(n);
        } else if (count < 0) {
            size_t n = std::min<size_t>(static_cast<size_t>(-static_cast<long long>(count)), pos);
            pos -= n;
            moved = -static_cast<long>(n);
        }
    } else if (unit == L"textedit") {
        if (count > 0 && pos < len) {
            pos = len;
            moved = 1;
        } else if (count < 0 && pos > 0) {
            pos = 0;
            moved = -1;
        }
    } else if (unit == L"word") {
        const std::wstring& s = m_doc->Stream();
        long step = count > 0 ? 1 : -1;
        for (long i = 0; i != count; i += step) {
            size_t before = pos;
            if (step > 0) {
                while (pos < len && IsWordChar(s[pos]))
                    ++pos;
                while (pos < len && !IsWordChar(s[pos]))
                    ++pos;
            } else {
                while (pos > 0 && !IsWordChar(s[pos - 1]))
                    --pos;
                while (pos > 0 && IsWordChar(s[pos - 1]))
                    --pos;
            }
            if (pos == before)
                break;
            moved += step;
        }
    } else {
        return 0;
    }
    if (start) {
        m_start = pos;
        if (m_end < m_start)
            m_end = m_start;
    } else {
        m_end = pos;
        if (m_start > m_end)
            m_start = m_end;
    }
    return moved;
}

long TextRange::moveStart(const std::wstring& unit, long count)
{
    return Move(true, unit, count);
}
long TextRange::moveEnd(const std::wstring& unit, long count)
{
    return Move(false, unit, count);
}

void TextRange::select()
{
    if (m_doc && m_doc->View())
        m_doc->View()->ShowSelection(m_start, m_end, true);
}

} // namespace fxb
