#include "platform/browser/Document.h"
#include "platform/browser/ImageLoader.h"
#include "platform/browser/TextDecoder.h"
#include "platform/browser/TextRange.h"
#include "platform/browser/TextUtil.h"
#include "platform/browser/Url.h"
#include <algorithm>
#include <cwctype>

namespace fxb {

namespace {

bool IsCollapsibleSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f';
}

const ComputedStyle* TextStyle(const Node* text)
{
    return text->Parent() ? text->Parent()->style : nullptr;
}

// Walks the source text of a text node as the stream renders it, calling emit(rawIndex, ch) for
// every rendered character. Returns whether the rendering ended with a collapsible space.
template <typename Emit>
bool RenderText(const std::wstring& raw, const ComputedStyle* style, bool afterSpace, Emit emit)
{
    bool keepSpaces = style && style->PreservesSpaces();
    bool keepNewlines = style && style->PreservesNewlines();
    for (size_t i = 0; i < raw.size(); ++i) {
        wchar_t c = raw[i];
        if (keepSpaces) {
            if (c == L'\r') {
                if (i + 1 < raw.size() && raw[i + 1] == L'\n')
                    continue;
                c = L'\n';
            }
            emit(i, c);
            afterSpace = c == L'\n';
            continue;
        }
        if (keepNewlines && (c == L'\n' || c == L'\r')) {
            if (c == L'\r' && i + 1 < raw.size() && raw[i + 1] == L'\n')
                continue;
            emit(i, L'\n');
            afterSpace = true;
            continue;
        }
        if (IsCollapsibleSpace(c)) {
            if (!afterSpace) {
                emit(i, L' ');
                afterSpace = true;
            }
            continue;
        }
        emit(i, c);
        afterSpace = false;
    }
    return afterSpace;
}

} // namespace

size_t RenderedToRaw(const Node* textNode, size_t renderedOffset)
{
    size_t count = 0;
    size_t result = textNode->Text().size();
    bool found = false;
    RenderText(textNode->Text(), TextStyle(textNode), textNode->collapseLeading, [&](size_t raw, wchar_t) {
        if (!found && count == renderedOffset) {
            result = raw;
            found = true;
        }
        ++count;
    });
    return result;
}

size_t RawToRendered(const Node* textNode, size_t rawOffset)
{
    size_t count = 0;
    RenderText(textNode->Text(), TextStyle(textNode), textNode->collapseLeading, [&](size_t raw, wchar_t) {
        if (raw < rawOffset)
            ++count;
    });
    return std::min(count, textNode->streamLength);
}

std::vector<size_t> RenderedRawOffsets(const Node* textNode)
{
    std::vector<size_t> offsets;
    offsets.reserve(textNode->streamLength);
    RenderText(textNode->Text(), TextStyle(textNode), textNode->collapseLeading,
               [&](size_t raw, wchar_t) { offsets.push_back(raw); });
    return offsets;
}

// ---- HtmlElement ----

std::wstring HtmlElement::id() const
{
    return m_node ? m_node->id() : std::wstring();
}
std::wstring HtmlElement::tagName() const
{
    return m_node ? m_node->tagName() : std::wstring();
}

std::wstring HtmlElement::getAttribute(const std::wstring& name) const
{
    if (!m_node)
        return std::wstring();
    return m_node->GetAttribute(Lower(name).c_str());
}

std::wstring HtmlElement::innerText() const
{
    auto range = createTextRange();
    return range ? range->text() : std::wstring();
}

bool HtmlElement::IsViewport() const
{
    return m_node && m_doc && (m_node == m_doc->BodyNode() || m_node == m_doc->Root());
}

bool HtmlElement::UpdateLayout() const
{
    if (!m_node || !m_doc || !m_doc->View())
        return false;
    m_doc->View()->EnsureLayout();
    return true;
}

int HtmlElement::OffsetAlong(int NodeGeometry::*axis) const
{
    if (!UpdateLayout())
        return 0;
    HtmlElement parent = offsetParent();
    int at = m_node->geometry.valid ? m_node->geometry.*axis : 0;
    if (parent && parent.m_node != m_doc->BodyNode() && parent.m_node->geometry.valid)
        at -= parent.m_node->geometry.*axis;
    return IsViewport() ? 0 : at;
}

int HtmlElement::offsetTop() const
{
    return OffsetAlong(&NodeGeometry::top);
}
int HtmlElement::offsetLeft() const
{
    return OffsetAlong(&NodeGeometry::left);
}

int HtmlElement::offsetWidth() const
{
    return UpdateLayout() && m_node->geometry.valid ? m_node->geometry.width : 0;
}

int HtmlElement::offsetHeight() const
{
    return UpdateLayout() && m_node->geometry.valid ? m_node->geometry.height : 0;
}

HtmlElement HtmlElement::offsetParent() const
{
    // The nearest table cell or table, else the body; the body and root have none.
    if (!m_node || !m_doc || IsViewport())
        return HtmlElement();
    for (Node* p = m_node->Parent(); p; p = p->Parent()) {
        if (p == m_doc->BodyNode())
            return HtmlElement(m_doc, p);
        if (p->Is(L"td") || p->Is(L"th") || p->Is(L"table"))
            return HtmlElement(m_doc, p);
    }
    return HtmlElement();
}

DocumentView* HtmlElement::ScrollingView() const
{
    return IsViewport() ? m_doc->View() : nullptr;
}

int HtmlElement::scrollTop() const
{
    DocumentView* view = ScrollingView();
    return view ? view->ScrollTop() : 0;
}

int HtmlElement::scrollLeft() const
{
    DocumentView* view = ScrollingView();
    return view ? view->ScrollLeft() : 0;
}

int HtmlElement::scrollHeight() const
{
    DocumentView* view = ScrollingView();
    return view ? view->ScrollHeight() : offsetHeight();
}

int HtmlElement::scrollWidth() const
{
    DocumentView* view = ScrollingView();
    return view ? view->ScrollWidth() : offsetWidth();
}

void HtmlElement::put_scrollTop(int value) const
{
    if (DocumentView* view = ScrollingView())
        view->SetScrollPosition(view->ScrollLeft(), value);
}

void HtmlElement::put_scrollLeft(int value) const
{
    if (DocumentView* view = ScrollingView())
        view->SetScrollPosition(value, view->ScrollTop());
}

std::unique_ptr<TextRange> HtmlElement::createTextRange() const
{
    if (!m_node || !m_doc)
        return nullptr;
    if (IsViewport())
        return std::make_unique<TextRange>(m_doc, 0, m_doc->StreamLength());
    // The range of an element spans the stream offsets of its text.
    size_t start = SIZE_MAX, end = 0;
    m_doc->Stream();
    for (Node* n = m_node; n; n = n->NextInOrder(m_node))
        if (n->IsText() && n->streamLength) {
            start = std::min(start, n->streamStart);
            end = std::max(end, n->streamStart + n->streamLength);
        }
    if (start == SIZE_MAX)
        start = end = 0;
    return std::make_unique<TextRange>(m_doc, start, end);
}

// ---- Document ----

Document::~Document()
{
    for (auto& r : m_retired)
        DestroyTree(std::move(r));
    DestroyTree(std::move(m_root));
}

std::shared_ptr<Document> Document::Create(const std::wstring& url, const std::wstring& source, unsigned codePage,
                                           int textSizeLevel, const ParseLimits& limits)
{
    std::shared_ptr<Document> doc(new Document());
    doc->m_url = url;
    doc->m_baseUrl = url;
    doc->m_codePage = codePage;
    doc->m_level = std::max(0, std::min(4, textSizeLevel));
    doc->m_images = std::make_unique<ImageCache>();
    doc->m_root = ParseHtmlDocument(source, limits);
    for (size_t i = 0; i < doc->m_root->ChildCount(); ++i)
        if (doc->m_root->Child(i)->Is(L"body"))
            doc->m_body = doc->m_root->Child(i);
    // <base href> changes how references resolve.
    for (Node* n = doc->m_root.get(); n; n = n->NextInOrder(doc->m_root.get()))
        if (n->Is(L"base") && n->HasAttribute(L"href")) {
            doc->m_baseUrl = ResolveUrl(url, n->GetAttribute(L"href"));
            break;
        }
    doc->CollectStyleSheets();
    doc->Restyle(doc->m_level);
    return doc;
}

std::shared_ptr<Document> Document::Load(const std::wstring& url, const std::wstring& path, int textSizeLevel,
                                         bool* fileFound)
{
    std::string bytes;
    bool found = ReadWholeFile(path, bytes, ParseLimits().maxSourceChars);
    if (fileFound)
        *fileFound = found;
    if (!found) {
        return Create(url,
                      L"<html><head><title>Cannot find the page</title></head><body><h3>The page cannot be "
                      L"displayed</h3><p>The file could not be opened.</p></body></html>",
                      65001, textSizeLevel);
    }
    unsigned cp = 0;
    std::wstring text = DecodePage(bytes, &cp);
    bytes.clear();
    bytes.shrink_to_fit();
    return Create(url, text, cp, textSizeLevel);
}

std::wstring Document::Resolve(const std::wstring& reference) const
{
    return ResolveUrl(m_baseUrl, reference);
}

std::wstring Document::ResolveForStyle(const std::wstring& url, void* context)
{
    const Document* doc = static_cast<const Document*>(context);
    return LocalPathOf(doc->Resolve(url));
}

void Document::CollectStyleSheets()
{
    for (Node* n = m_root.get(); n; n = n->NextInOrder(m_root.get())) {
        if (n->Is(L"style")) {
            std::wstring media = n->GetAttribute(L"media");
            if (!media.empty() && media.find(L"screen") == std::wstring::npos &&
                media.find(L"all") == std::wstring::npos)
                continue;
            std::wstring text;
            for (size_t i = 0; i < n->ChildCount(); ++i)
                if (n->Child(i)->IsText())
                    text += n->Child(i)->Text();
            AddSheetText(text, m_baseUrl, 0);
        } else if (n->Is(L"link")) {
            std::wstring rel = Lower(n->GetAttribute(L"rel"));
            std::wstring media = n->GetAttribute(L"media");
            if (rel.find(L"stylesheet") == std::wstring::npos || rel.find(L"alternate") != std::wstring::npos)
                continue;
            if (!media.empty() && media.find(L"screen") == std::wstring::npos &&
                media.find(L"all") == std::wstring::npos)
                continue;
            std::wstring path = LocalPathOf(Resolve(n->GetAttribute(L"href")));
            if (!path.empty())
                AddSheetFromFile(path, 0);
        }
    }
}

void Document::AddSheetFromFile(const std::wstring& path, int depth)
{
    if (depth > 4 || m_sheets.size() >= 64 || m_sheetBytes > (16u << 20))
        return;
    std::string bytes;
    if (!ReadWholeFile(path, bytes, 4u << 20))
        return;
    m_sheetBytes += bytes.size();
    AddSheetText(DecodeStyleSheet(bytes, m_codePage), path, depth);
}

void Document::AddSheetText(const std::wstring& text, const std::wstring& sheetBase, int depth)
{
    auto sheet = std::make_shared<StyleSheet>();
    sheet->Parse(text);
    // Imported sheets come before the rules of the sheet that imports them.
    for (const std::wstring& imp : sheet->Imports()) {
        std::wstring path = LocalPathOf(ResolveUrl(sheetBase, imp));
        if (!path.empty())
            AddSheetFromFile(path, depth + 1);
    }
    m_sheets.push_back(sheet);
}

void Document::Restyle(int textSizeLevel)
{
    m_level = std::max(0, std::min(4, textSizeLevel));
    m_resolver = std::make_unique<StyleResolver>(m_level);
    m_resolver->resolveUrl = &Document::ResolveForStyle;
    m_resolver->resolveContext = this;
    for (auto& s : m_sheets)
        m_resolver->AddAuthorSheet(s);
    m_resolver->ComputeAll(m_root.get());
    m_streamValid = false;
    ++m_version;
    if (m_view)
        m_view->ContentChanged();
}

HtmlElement Document::body()
{
    return HtmlElement(shared_from_this(), m_body);
}

HtmlElement Document::documentElement()
{
    return HtmlElement(shared_from_this(), m_root.get());
}

std::vector<HtmlElement> Document::getElementsByTagName(const std::wstring& tag)
{
    std::vector<HtmlElement> out;
    for (Node* n : ElementsByTag(m_root.get(), Lower(tag)))
        out.emplace_back(shared_from_this(), n);
    return out;
}

HtmlElement Document::getElementById(const std::wstring& id)
{
    for (Node* n = m_root.get(); n; n = n->NextInOrder(m_root.get()))
        if (n->IsElement() && n->GetAttribute(L"id") == id)
            return HtmlElement(shared_from_this(), n);
    return HtmlElement();
}

std::wstring Document::title() const
{
    for (Node* n = m_root.get(); n; n = n->NextInOrder(m_root.get()))
        if (n->Is(L"title")) {
            std::wstring t;
            for (size_t i = 0; i < n->ChildCount(); ++i)
                if (n->Child(i)->IsText())
                    t += n->Child(i)->Text();
            // Collapse white space as a title bar would show it.
            std::wstring out;
            bool space = true;
            for (wchar_t c : t) {
                if (IsCollapsibleSpace(c)) {
                    if (!space)
                        out.push_back(L' ');
                    space = true;
                } else {
                    out.push_back(c);
                    space = false;
                }
            }
            while (!out.empty() && out.back() == L' ')
                out.pop_back();
            return out;
        }
    return std::wstring();
}

IOleCommandTarget* Document::CommandTarget()
{
    return m_view ? m_view->CommandTarget() : nullptr;
}

Node* Document::FindAnchor(const std::wstring& fragmentIn)
{
    std::wstring fragment = PercentDecode(fragmentIn);
    if (fragment.empty())
        return nullptr;
    Node* byName = nullptr;
    for (Node* n = m_root.get(); n; n = n->NextInOrder(m_root.get())) {
        if (!n->IsElement())
            continue;
        if (n->GetAttribute(L"id") == fragment)
            return n;
        if (!byName && n->Is(L"a") && n->GetAttribute(L"name") == fragment)
            byName = n;
    }
    if (!byName) {
        // Authors' anchors differ in letter case from their links now and then.
        for (Node* n = m_root.get(); n; n = n->NextInOrder(m_root.get()))
            if (n->Is(L"a") && _wcsicmp(n->GetAttribute(L"name").c_str(), fragment.c_str()) == 0)
                return n;
    }
    return byName;
}

void Document::SubtreeInserted(Node* node)
{
    if (node->IsElement()) {
        node->style = nullptr;
        for (Node* n = node; n; n = n->NextInOrder(node))
            if (n->IsElement())
                n->style = nullptr;
        m_resolver->ComputeSubtree(node);
    }
    m_streamValid = false;
    ++m_version;
    if (m_view)
        m_view->ContentChanged();
}

void Document::Retire(std::unique_ptr<Node> node)
{
    if (node)
        m_retired.push_back(std::move(node));
}

const std::wstring& Document::Stream()
{
    if (!m_streamValid)
        BuildStream();
    return m_stream;
}

void Document::BuildStream()
{
    m_stream.clear();
    m_segments.clear();
    m_streamValid = true;
    if (!m_body)
        return;
    // The stream is never longer than the body's text and a break per element: room for that
    // at once, instead of growing a page-sized buffer step by step.
    size_t longest = 0;
    for (const Node* n = m_body; n; n = n->NextInOrder(m_body))
        longest += n->IsText() ? n->Text().size() : 1;
    m_stream.reserve(longest);
    bool afterSpace = true;
    auto lineBreak = [&]() {
        if (!m_stream.empty() && m_stream.back() != L'\n')
            m_stream.push_back(L'\n');
        afterSpace = true;
    };
    // Iterative walk with explicit leave events so that blocks end with a break.
    struct Frame
    {
        Node* node;
        size_t next;
        bool block;
    };
    std::vector<Frame> stack;
    stack.push_back({m_body, 0, true});
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next >= f.node->ChildCount()) {
            if (f.block)
                lineBreak();
            stack.pop_back();
            continue;
        }
        Node* n = f.node->Child(f.next++);
        if (n->IsText()) {
            n->streamStart = m_stream.size();
            n->collapseLeading = afterSpace;
            afterSpace =
                RenderText(n->Text(), TextStyle(n), afterSpace, [&](size_t, wchar_t c) { m_stream.push_back(c); });
            n->streamLength = m_stream.size() - n->streamStart;
            if (n->streamLength)
                m_segments.push_back(n);
            continue;
        }
        const ComputedStyle* s = n->style;
        if (!s || s->display == Display::None)
            continue;
        if (n->Is(L"br")) {
            m_stream.push_back(L'\n');
            afterSpace = true;
            continue;
        }
        bool block = s->IsBlockLevel() || (n->Is(L"img") && s->floatSide != FloatSide::None);
        if (n->Is(L"img"))
            continue;
        if (block)
            lineBreak();
        stack.push_back({n, 0, block});
    }
    // Breaks after the last text belong to no text and are not part of the page's text.
    size_t lastText = m_segments.empty() ? 0 : m_segments.back()->streamStart + m_segments.back()->streamLength;
    while (m_stream.size() > lastText && m_stream.back() == L'\n')
        m_stream.pop_back();
}

bool Document::NodeAtStream(size_t offset, Node*& node, size_t& rawOffset, bool preferNext)
{
    Stream();
    if (m_segments.empty())
        return false;
    // First segment whose end is past the offset (or reaches it, unless the next is preferred).
    auto it = std::lower_bound(m_segments.begin(), m_segments.end(), offset, [&](Node* n, size_t off) {
        size_t end = n->streamStart + n->streamLength;
        return preferNext ? end <= off : end < off;
    });
    if (it == m_segments.end()) {
        node = m_segments.back();
        rawOffset = node->Text().size();
        return true;
    }
    node = *it;
    if (offset <= node->streamStart) {
        rawOffset = RenderedToRaw(node, 0);
        if (offset < node->streamStart && it != m_segments.begin() && !preferNext) {
            node = *(it - 1);
            rawOffset = node->Text().size();
        }
        return true;
    }
    size_t rendered = offset - node->streamStart;
    rawOffset = rendered >= node->streamLength ? node->Text().size() : RenderedToRaw(node, rendered);
    return true;
}

size_t Document::StreamOffsetOf(const Node* textNode, size_t rawOffset)
{
    Stream();
    return textNode->streamStart + RawToRendered(textNode, rawOffset);
}

} // namespace fxb
