// The style resolver: the default style sheet, the author rules indexed by their last compound,
// and the cascade that gives each element its computed style, shared among alike elements. The
// declarations themselves apply in StyleProperties.cpp, the attributes in StyleHints.cpp.
#include "platform/browser/Style.h"
#include "platform/browser/Dom.h"
#include "platform/browser/TextUtil.h"
#include <algorithm>
#include <cwctype>
#include <set>
#include <unordered_map>

namespace fxb {

namespace {

// The defaults every page starts from, written as a style sheet.
const wchar_t kDefaultSheet[] = LR"CSS(
html, body, div, p, h1, h2, h3, h4, h5, h6, ul, ol, dl, dt, dd, blockquote, pre, center, address, form,
fieldset, noframes, listing, xmp, plaintext, article, section, header, footer, nav, aside, figure, figcaption,
main, menu, dir, details, summary, hr, legend, frameset { display: block }
head, script, style, title, meta, link, base, noembed, param, area, map, datalist, template, basefont, bgsound,
iframe, object, embed, applet, select, input, frame { display: none }
li { display: list-item }
table { display: table }
tr { display: table-row }
thead, tbody, tfoot { display: table-row-group }
td, th { display: table-cell; padding: 1px; vertical-align: middle }
th { font-weight: bold; text-align: center }
caption { display: table-caption; text-align: center }
body { margin: 8px }
p, dl, multicol { margin: 1em 0 }
h1 { font-size: 2em; margin: .67em 0; font-weight: bold }
h2 { font-size: 1.5em; margin: .83em 0; font-weight: bold }
h3 { font-size: 1.17em; margin: 1em 0; font-weight: bold }
h4 { margin: 1.33em 0; font-weight: bold }
h5 { font-size: .83em; margin: 1.67em 0; font-weight: bold }
h6 { font-size: .67em; margin: 2.33em 0; font-weight: bold }
ul, ol, menu, dir { margin: 1em 0; padding-left: 40px }
ul, menu, dir { list-style-type: disc }
ol { list-style-type: decimal }
ul ul, ol ul, ul menu, ul dir { list-style-type: circle }
ul ul ul, ol ul ul, ul ol ul, ol ol ul { list-style-type: square }
li ul, li ol, ul ul, ol ol, ul ol, ol ul { margin-top: 0; margin-bottom: 0 }
dd { margin-left: 40px }
blockquote { margin: 1em 40px }
pre, xmp, listing, plaintext { white-space: pre; font-family: monospace; margin: 1em 0 }
code, tt, kbd, samp { font-family: monospace }
textarea { font-family: monospace; white-space: pre }
b, strong { font-weight: bold }
i, em, cite, var, dfn, address { font-style: italic }
u, ins { text-decoration: underline }
s, strike, del { text-decoration: line-through }
sub { vertical-align: sub; font-size: smaller }
sup { vertical-align: super; font-size: smaller }
small { font-size: smaller }
big { font-size: larger }
a:link { color: #0000FF; text-decoration: underline }
center { text-align: center }
hr { border: 1px inset #808080; margin: 8px auto }
nobr { white-space: nowrap }
)CSS";

} // namespace

void StyleResolver::RuleIndex::Add(const CssRule* rule)
{
    RuleRef ref{rule, nextOrder++};
    const CssCompound& last = rule->selector.compounds.back();
    if (!last.id.empty())
        byId[last.id].push_back(ref);
    else if (!last.classes.empty())
        byClass[last.classes.front()].push_back(ref);
    else if (!last.tag.empty())
        byTag[last.tag].push_back(ref);
    else
        universal.push_back(ref);
}

void StyleResolver::RuleIndex::Collect(const Node* e, std::vector<RuleRef>& out) const
{
    auto add = [&](const std::vector<RuleRef>& list) {
        for (const RuleRef& r : list)
            if (r.rule->selector.Matches(e))
                out.push_back(r);
    };
    auto t = byTag.find(e->Tag());
    if (t != byTag.end())
        add(t->second);
    if (!byId.empty()) {
        const std::wstring* id = e->FindAttribute(L"id");
        if (id) {
            auto i = byId.find(*id);
            if (i != byId.end())
                add(i->second);
        }
    }
    if (!byClass.empty()) {
        const std::wstring* cls = e->FindAttribute(L"class");
        if (cls) {
            std::set<std::wstring> seen;
            size_t i = 0;
            while (i < cls->size()) {
                while (i < cls->size() && iswspace((*cls)[i]))
                    ++i;
                size_t start = i;
                while (i < cls->size() && !iswspace((*cls)[i]))
                    ++i;
                if (i > start) {
                    std::wstring name = cls->substr(start, i - start);
                    if (seen.insert(name).second) {
                        auto c = byClass.find(name);
                        if (c != byClass.end())
                            add(c->second);
                    }
                }
            }
        }
    }
    add(universal);
}

StyleResolver::StyleResolver(int textSizeLevel) : m_level(std::max(0, std::min(4, textSizeLevel)))
{
    static const std::shared_ptr<const StyleSheet> defaults = [] {
        auto sheet = std::make_shared<StyleSheet>();
        sheet->Parse(kDefaultSheet);
        return sheet;
    }();
    m_sheets.push_back(defaults);
    for (const CssRule& r : defaults->Rules())
        m_defaultIndex.Add(&r);
}

void StyleResolver::AddAuthorSheet(std::shared_ptr<const StyleSheet> sheet)
{
    if (!sheet)
        return;
    m_sheets.push_back(sheet);
    for (const CssRule& r : sheet->Rules()) {
        m_authorIndex.Add(&r);
        for (wchar_t combinator : r.selector.combinators)
            m_hasAdjacentRules = m_hasAdjacentRules || combinator == L'+';
    }
}

const ComputedStyle* StyleResolver::NewStyle(const ComputedStyle& s)
{
    m_styles.push_back(s);
    return &m_styles.back();
}

void StyleResolver::ComputeAll(Node* root)
{
    m_styles.clear();
    m_shared.clear();
    m_hasLinkColor = false;
    for (size_t i = 0; i < root->ChildCount(); ++i) {
        Node* c = root->Child(i);
        if (c->Is(L"body") && ParseColor(c->GetAttribute(L"link"), m_linkColor, true))
            m_hasLinkColor = true;
    }
    ComputedStyle initial;
    initial.fontSize = 16 * TextSizeFactor(m_level);
    initial.fontFace = ResolveFontFamily(L"serif");
    const ComputedStyle* rootParent = NewStyle(initial);
    ComputeElement(root, rootParent);
    ComputeSubtree(root);
}

void StyleResolver::ComputeSubtree(Node* subtreeRoot)
{
    // Iterative pre-order walk: parents are computed before their children.
    m_shared.clear();
    if (!subtreeRoot->style) {
        Node* p = subtreeRoot->Parent();
        ComputeElement(subtreeRoot, p && p->style ? p->style : nullptr);
    }
    for (Node* n = subtreeRoot->NextInOrder(subtreeRoot); n;) {
        if (n->IsElement()) {
            const ComputedStyle* ps = n->Parent()->style;
            if (ps && ps->display == Display::None) {
                n->style = ps;
                // Everything below a hidden element shares its style.
            } else if (const ComputedStyle* shared = SharedStyle(n, ps)) {
                n->style = shared;
            } else {
                ComputeElement(n, ps);
                RememberShared(n, ps);
            }
        }
        n = n->NextInOrder(subtreeRoot);
    }
}

// Elements without attributes of one tag whose parents have one style get one style: no rule can
// tell them apart unless it looks at siblings. By the same argument their parents' ancestors are
// alike, so long runs of plain paragraphs, list items, cells and whole repeated subtrees share.
const ComputedStyle* StyleResolver::SharedStyle(const Node* e, const ComputedStyle* parent) const
{
    if (m_hasAdjacentRules || !e->Attributes().empty())
        return nullptr;
    auto it = m_shared.find(std::make_pair(parent, e->Tag()));
    return it == m_shared.end() ? nullptr : it->second;
}

void StyleResolver::RememberShared(const Node* e, const ComputedStyle* parent)
{
    if (!m_hasAdjacentRules && e->Attributes().empty())
        m_shared.emplace(std::make_pair(parent, e->Tag()), e->style);
}

void StyleResolver::ComputeElement(Node* e, const ComputedStyle* parentIn)
{
    ComputedStyle fallback;
    if (!parentIn) {
        fallback.fontSize = 16 * TextSizeFactor(m_level);
        fallback.fontFace = ResolveFontFamily(L"serif");
    }
    const ComputedStyle& parent = parentIn ? *parentIn : fallback;
    ComputedStyle s;
    // Inherited properties.
    s.color = parent.color;
    s.fontFace = parent.fontFace;
    s.fontSize = parent.fontSize;
    s.fontWeight = parent.fontWeight;
    s.italic = parent.italic;
    s.decoration = parent.decoration;
    s.textAlign = parent.textAlign;
    s.textIndent = parent.textIndent;
    s.whiteSpace = parent.whiteSpace;
    s.lineHeight = parent.lineHeight;
    s.lineHeightIsFactor = parent.lineHeightIsFactor;
    s.listStyle = parent.listStyle;
    s.hidden = parent.hidden;
    s.borderCollapse = parent.borderCollapse;
    s.borderSpacing = parent.borderSpacing;
    s.background = parent.background; // kept for painting defaults; hasBackground decides
    s.hasBackground = false;
    s.display = Display::Inline;

    std::vector<const CssDeclaration*> decls;
    std::vector<const CssDeclaration*> important;
    auto collect = [&](const RuleIndex& index) {
        m_scratch.clear();
        index.Collect(e, m_scratch);
        std::sort(m_scratch.begin(), m_scratch.end(), [](const RuleRef& a, const RuleRef& b) {
            if (a.rule->selector.specificity != b.rule->selector.specificity)
                return a.rule->selector.specificity < b.rule->selector.specificity;
            return a.order < b.order;
        });
        for (const RuleRef& r : m_scratch)
            for (const CssDeclaration& d : *r.rule->declarations)
                (d.important ? important : decls).push_back(&d);
    };
    collect(m_defaultIndex);
    ApplyDeclarations(decls, s, parent);
    decls.clear();
    ApplyPresentational(e, s, parent);
    collect(m_authorIndex);
    std::vector<CssDeclaration> inlineDecls;
    if (const std::wstring* st = e->FindAttribute(L"style")) {
        inlineDecls = ParseDeclarations(*st);
        for (const CssDeclaration& d : inlineDecls)
            (d.important ? important : decls).push_back(&d);
    }
    decls.insert(decls.end(), important.begin(), important.end());
    ApplyDeclarations(decls, s, parent);

    // Floats and tables are block-level.
    if (s.floatSide != FloatSide::None && s.display == Display::Inline && !e->Is(L"img"))
        s.display = Display::Block;
    if (e->Is(L"br") || e->Is(L"img") || e->Is(L"wbr"))
        if (s.display != Display::None)
            s.display = Display::Inline;
    e->style = NewStyle(s);
}

void StyleResolver::ApplyDeclarations(const std::vector<const CssDeclaration*>& decls, ComputedStyle& s,
                                      const ComputedStyle& parent)
{
    // Font size first: em lengths of the other properties depend on it.
    for (const CssDeclaration* d : decls)
        if (d->property == L"font-size" || d->property == L"font")
            ApplyOne(*d, s, parent);
    for (const CssDeclaration* d : decls)
        if (d->property != L"font-size")
            ApplyOne(*d, s, parent);
}

} // namespace fxb
