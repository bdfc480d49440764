#include "platform/browser/CssParser.h"
#include "platform/browser/Dom.h"
#include "platform/browser/TextUtil.h"
#include <cwctype>

namespace fxb {

namespace {

// The first position from `i` whose character satisfies `stop` outside quotes and parentheses,
// or the end of the text.
template <class Stop> size_t FindAtTopLevel(const std::wstring& text, size_t i, Stop stop)
{
    int paren = 0;
    while (i < text.size()) {
        wchar_t c = text[i];
        if (paren == 0 && stop(c))
            break;
        if (c == L'"' || c == L'\'') {
            size_t q = text.find(c, i + 1);
            i = q == std::wstring::npos ? text.size() : q + 1;
            continue;
        }
        if (c == L'(')
            ++paren;
        else if (c == L')' && paren > 0)
            --paren;
        ++i;
    }
    return i;
}

// Removes comments once, so that the rest of the parser never sees them.
std::wstring StripComments(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == L'/' && i + 1 < text.size() && text[i + 1] == L'*') {
            size_t end = text.find(L"*/", i + 2);
            i = end == std::wstring::npos ? text.size() : end + 2;
            out.push_back(L' ');
            continue;
        }
        if (text[i] == L'"' || text[i] == L'\'') {
            wchar_t q = text[i];
            size_t j = i + 1;
            while (j < text.size() && text[j] != q && text[j] != L'\n')
                j += (text[j] == L'\\' && j + 1 < text.size()) ? 2 : 1;
            j = j < text.size() ? j + 1 : text.size();
            out.append(text, i, j - i);
            i = j;
            continue;
        }
        out.push_back(text[i++]);
    }
    return out;
}

// Index of the brace that closes the block opened at text[open], or end.
size_t MatchingBrace(const std::wstring& text, size_t open, size_t end)
{
    int depth = 0;
    for (size_t i = open; i < end; ++i) {
        wchar_t c = text[i];
        if (c == L'"' || c == L'\'') {
            size_t j = text.find(c, i + 1);
            if (j == std::wstring::npos || j >= end)
                return end;
            i = j;
            continue;
        }
        if (c == L'{')
            ++depth;
        else if (c == L'}' && --depth == 0)
            return i;
    }
    return end;
}

bool IsIdentChar(wchar_t c)
{
    return iswalnum(c) || c == L'-' || c == L'_' || c > 0x7F || c == L'\\';
}

bool ParseCompound(const std::wstring& s, size_t& i, CssCompound& out, unsigned& specificity)
{
    bool any = false;
    if (i < s.size() && s[i] == L'*') {
        ++i;
        any = true;
    } else if (i < s.size() && IsIdentChar(s[i])) {
        size_t start = i;
        while (i < s.size() && IsIdentChar(s[i]))
            ++i;
        out.tag = Lower(s.substr(start, i - start));
        specificity += 1;
        any = true;
    }
    while (i < s.size()) {
        wchar_t c = s[i];
        if (c == L'.' || c == L'#') {
            size_t start = ++i;
            while (i < s.size() && IsIdentChar(s[i]))
                ++i;
            if (i == start)
                return false;
            std::wstring name = s.substr(start, i - start);
            if (c == L'.') {
                out.classes.push_back(name);
                specificity += 0x100;
            } else {
                out.id = name;
                specificity += 0x10000;
            }
            any = true;
        } else if (c == L':') {
            ++i;
            if (i < s.size() && s[i] == L':')
                ++i;
            size_t start = i;
            while (i < s.size() && IsIdentChar(s[i]))
                ++i;
            std::wstring pseudo = Lower(s.substr(start, i - start));
            if (i < s.size() && s[i] == L'(') {
                size_t close = s.find(L')', i);
                i = close == std::wstring::npos ? s.size() : close + 1;
                out.unsupported = true;
            }
            if (pseudo == L"link" || pseudo == L"visited")
                out.link = true;
            else
                out.unsupported = true;
            specificity += 0x100;
            any = true;
        } else if (c == L'[') {
            size_t close = s.find(L']', i);
            if (close == std::wstring::npos)
                return false;
            std::wstring inner = s.substr(i + 1, close - i - 1);
            size_t eq = inner.find(L'=');
            std::wstring name, value;
            if (eq == std::wstring::npos) {
                name = Lower(TrimHtmlSpace(inner));
            } else {
                if (eq > 0 && !iswalnum(inner[eq - 1]))
                    out.unsupported = true; // ~= |= ^= and friends
                name = Lower(TrimHtmlSpace(inner.substr(0, eq)));
                value = TrimHtmlSpace(inner.substr(eq + 1));
                if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\''))
                    value = value.substr(1, value.size() - 2);
                if (value.empty())
                    value = L"\x1";
            }
            out.attributes.emplace_back(name, value);
            specificity += 0x100;
            i = close + 1;
            any = true;
        } else {
            break;
        }
    }
    return any;
}

bool CompoundMatches(const CssCompound& c, const Node* e)
{
    if (c.unsupported || !e || !e->IsElement())
        return false;
    if (!c.tag.empty() && c.tag != e->Tag())
        return false;
    if (!c.id.empty()) {
        const std::wstring* id = e->FindAttribute(L"id");
        if (!id || *id != c.id)
            return false;
    }
    if (!c.classes.empty()) {
        const std::wstring* cls = e->FindAttribute(L"class");
        if (!cls)
            return false;
        for (const std::wstring& want : c.classes) {
            bool found = false;
            size_t i = 0;
            while (i < cls->size() && !found) {
                while (i < cls->size() && IsHtmlSpace((*cls)[i]))
                    ++i;
                size_t start = i;
                while (i < cls->size() && !IsHtmlSpace((*cls)[i]))
                    ++i;
                if (i > start && cls->compare(start, i - start, want) == 0 && want.size() == i - start)
                    found = true;
            }
            if (!found)
                return false;
        }
    }
    for (const auto& a : c.attributes) {
        const std::wstring* v = e->FindAttribute(a.first.c_str());
        if (!v)
            return false;
        if (!a.second.empty() && !(a.second == L"\x1" ? v->empty() : *v == a.second))
            return false;
    }
    if (c.link && !(e->Tag() == L"a" && e->HasAttribute(L"href")))
        return false;
    return true;
}

Node* PreviousElementSibling(const Node* e)
{
    Node* p = e->Parent();
    if (!p)
        return nullptr;
    for (size_t i = e->IndexInParent(); i > 0; --i)
        if (p->Child(i - 1)->IsElement())
            return p->Child(i - 1);
    return nullptr;
}

bool MatchFrom(const CssSelector& sel, int index, const Node* e)
{
    if (!CompoundMatches(sel.compounds[index], e))
        return false;
    if (index == 0)
        return true;
    wchar_t comb = sel.combinators[index - 1];
    if (comb == L'>')
        return MatchFrom(sel, index - 1, e->Parent());
    if (comb == L'+') {
        Node* prev = PreviousElementSibling(e);
        return prev && MatchFrom(sel, index - 1, prev);
    }
    // Nearest matching ancestor only: linear in depth, whatever the selector looks like.
    for (const Node* p = e->Parent(); p; p = p->Parent())
        if (CompoundMatches(sel.compounds[index - 1], p))
            return MatchFrom(sel, index - 1, p);
    return false;
}

} // namespace

bool CssSelector::Matches(const Node* element) const
{
    if (compounds.empty())
        return false;
    return MatchFrom(*this, static_cast<int>(compounds.size()) - 1, element);
}

bool ParseSelector(const std::wstring& textIn, CssSelector& out)
{
    std::wstring s = TrimHtmlSpace(textIn);
    out = CssSelector();
    size_t i = 0;
    // Bounded so that a hostile selector cannot make matching expensive.
    const size_t kMaxCompounds = 16;
    while (i < s.size()) {
        CssCompound c;
        if (!ParseCompound(s, i, c, out.specificity))
            return false;
        out.compounds.push_back(std::move(c));
        if (out.compounds.size() > kMaxCompounds)
            return false;
        bool space = false;
        while (i < s.size() && IsHtmlSpace(s[i])) {
            ++i;
            space = true;
        }
        if (i >= s.size())
            break;
        wchar_t comb = L' ';
        if (s[i] == L'>' || s[i] == L'+' || s[i] == L'~') {
            comb = s[i] == L'~' ? L'?' : s[i];
            ++i;
            while (i < s.size() && IsHtmlSpace(s[i]))
                ++i;
        } else if (!space) {
            return false;
        }
        if (comb == L'?')
            return false;
        out.combinators.push_back(comb);
    }
    return !out.compounds.empty() && out.combinators.size() + 1 == out.compounds.size();
}

std::vector<CssDeclaration> ParseDeclarations(const std::wstring& textIn)
{
    std::wstring text = textIn.find(L"/*") != std::wstring::npos ? StripComments(textIn) : textIn;
    std::vector<CssDeclaration> out;
    size_t i = 0;
    while (i < text.size()) {
        size_t end = FindAtTopLevel(text, i, [](wchar_t c) { return c == L';'; });
        std::wstring decl = text.substr(i, end - i);
        i = end + 1;
        size_t colon = decl.find(L':');
        if (colon == std::wstring::npos)
            continue;
        CssDeclaration d;
        d.property = Lower(TrimHtmlSpace(decl.substr(0, colon)));
        d.value = TrimHtmlSpace(decl.substr(colon + 1));
        size_t bang = d.value.rfind(L'!');
        if (bang != std::wstring::npos && Lower(TrimHtmlSpace(d.value.substr(bang + 1))) == L"important") {
            d.important = true;
            d.value = TrimHtmlSpace(d.value.substr(0, bang));
        }
        if (!d.property.empty() && !d.value.empty() && out.size() < 256) {
            d.lowered = Lower(d.value);
            d.parts = SplitValue(d.lowered);
            d.prepared = true;
            out.push_back(std::move(d));
        }
    }
    return out;
}

void StyleSheet::Parse(const std::wstring& textIn)
{
    std::wstring text = StripComments(textIn);
    size_t pos = 0;
    ParseBlockList(text, pos, text.size());
}

void StyleSheet::ParseBlockList(const std::wstring& text, size_t& pos, size_t end)
{
    while (pos < end && m_rules.size() < kMaxRules) {
        while (pos < end && (IsHtmlSpace(text[pos]) || text[pos] == L';' || text[pos] == L'}'))
            ++pos;
        if (pos >= end)
            break;
        if (text.compare(pos, 4, L"<!--") == 0) {
            pos += 4;
            continue;
        }
        if (text.compare(pos, 3, L"-->") == 0) {
            pos += 3;
            continue;
        }
        if (text[pos] == L'@') {
            size_t brace = text.find(L'{', pos);
            size_t semi = text.find(L';', pos);
            if (semi != std::wstring::npos && semi < end && (brace == std::wstring::npos || semi < brace)) {
                std::wstring at = TrimHtmlSpace(text.substr(pos, semi - pos));
                if (Lower(at.substr(0, 7)) == L"@import") {
                    std::wstring rest = TrimHtmlSpace(at.substr(7));
                    if (Lower(rest.substr(0, 4)) == L"url(") {
                        size_t close = rest.find(L')');
                        rest =
                            TrimHtmlSpace(rest.substr(4, close == std::wstring::npos ? std::wstring::npos : close - 4));
                    } else {
                        size_t sp = rest.find_first_of(L" \t");
                        if (rest.size() && rest[0] != L'"' && rest[0] != L'\'' && sp != std::wstring::npos)
                            rest = rest.substr(0, sp);
                        else if (rest.size() && (rest[0] == L'"' || rest[0] == L'\'')) {
                            size_t q = rest.find(rest[0], 1);
                            rest = rest.substr(0, q == std::wstring::npos ? rest.size() : q + 1);
                        }
                    }
                    if (rest.size() >= 2 && (rest[0] == L'"' || rest[0] == L'\''))
                        rest = rest.substr(1, rest.size() - 2);
                    if (!rest.empty() && m_imports.size() < 32)
                        m_imports.push_back(rest);
                }
                pos = semi + 1;
                continue;
            }
            if (brace == std::wstring::npos || brace >= end) {
                pos = end;
                break;
            }
            std::wstring at = Lower(TrimHtmlSpace(text.substr(pos, brace - pos)));
            size_t close = MatchingBrace(text, brace, end);
            if (at.compare(0, 6, L"@media") == 0) {
                std::wstring media = at.substr(6);
                if ((media.find(L"screen") != std::wstring::npos || media.find(L"all") != std::wstring::npos ||
                     TrimHtmlSpace(media).empty()) &&
                    m_depth < 4) {
                    size_t inner = brace + 1;
                    ++m_depth;
                    ParseBlockList(text, inner, close);
                    --m_depth;
                }
            }
            pos = close < end ? close + 1 : end;
            continue;
        }
        size_t brace = text.find(L'{', pos);
        if (brace == std::wstring::npos || brace >= end) {
            pos = end;
            break;
        }
        size_t close = MatchingBrace(text, brace, end);
        std::wstring selectors = text.substr(pos, brace - pos);
        auto decls = std::make_shared<std::vector<CssDeclaration>>(
            ParseDeclarations(text.substr(brace + 1, (close < end ? close : end) - brace - 1)));
        pos = close < end ? close + 1 : end;
        if (decls->empty())
            continue;
        size_t start = 0;
        while (start <= selectors.size()) {
            size_t comma = selectors.find(L',', start);
            if (comma == std::wstring::npos)
                comma = selectors.size();
            CssRule rule;
            if (ParseSelector(selectors.substr(start, comma - start), rule.selector)) {
                rule.declarations = decls;
                rule.order = static_cast<unsigned>(m_rules.size());
                m_rules.push_back(std::move(rule));
            }
            start = comma + 1;
        }
    }
}

std::vector<std::wstring> SplitValue(const std::wstring& value)
{
    std::vector<std::wstring> parts;
    size_t i = 0;
    while (i < value.size()) {
        while (i < value.size() && IsHtmlSpace(value[i]))
            ++i;
        if (i >= value.size())
            break;
        size_t start = i;
        i = FindAtTopLevel(value, i, IsHtmlSpace);
        parts.push_back(value.substr(start, i - start));
    }
    return parts;
}

} // namespace fxb
