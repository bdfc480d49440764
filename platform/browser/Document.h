// A loaded page: its tree, style sheets, computed styles and text stream, and the narrow
// document-object interface the reader calls (URL, body, elements, text ranges, scrolling).
#pragma once
#include "platform/browser/Dom.h"
#include "platform/browser/HtmlParser.h"
#include "platform/browser/Style.h"
#include "platform/browser/TextRange.h"
#include <oleidl.h>
#include <docobj.h>
#include <memory>
#include <string>
#include <vector>

namespace fxb {

class Document;
class ImageCache;

// What a document needs from the window that shows it: layout on demand and scrolling.
class DocumentView
{
public:
    virtual ~DocumentView() = default;
    virtual void EnsureLayout() = 0; // node geometry is current afterwards
    virtual int ScrollTop() const = 0;
    virtual int ScrollLeft() const = 0;
    virtual void SetScrollPosition(int left, int top) = 0; // clamps
    virtual int ScrollHeight() = 0;                        // document height, at least the client height
    virtual int ScrollWidth() = 0;
    virtual void ContentChanged() = 0; // the tree changed: lay out again before showing
    virtual void ShowSelection(size_t start, size_t end, bool scrollIntoView) = 0;
    virtual IOleCommandTarget* CommandTarget() = 0;
};

// An element as the document-object calls see it; a cheap handle that keeps its document alive.
class HtmlElement
{
public:
    HtmlElement() = default;
    HtmlElement(std::shared_ptr<Document> doc, Node* node) : m_doc(std::move(doc)), m_node(node) {}
    explicit operator bool() const { return m_node != nullptr; }
    Node* node() const { return m_node; }

    std::wstring id() const;
    std::wstring tagName() const;
    std::wstring getAttribute(const std::wstring& name) const;
    std::wstring innerText() const;
    int offsetTop() const;
    int offsetLeft() const;
    int offsetWidth() const;
    int offsetHeight() const;
    HtmlElement offsetParent() const;
    // Scrolling of the body and the document element both move the page.
    int scrollTop() const;
    int scrollLeft() const;
    int scrollHeight() const;
    int scrollWidth() const;
    void put_scrollTop(int value) const;
    void put_scrollLeft(int value) const;
    // A text range over the element's text (the body's range covers the whole page).
    std::unique_ptr<TextRange> createTextRange() const;

private:
    bool IsViewport() const;
    // Brings the layout up to date; false when the element has no document shown in a view.
    bool UpdateLayout() const;
    // offsetTop or offsetLeft: the position along one axis relative to the offset parent.
    int OffsetAlong(int NodeGeometry::*axis) const;
    // The view whose scrolling the element stands for: the page's view for the body and the
    // document element, null for any other element.
    DocumentView* ScrollingView() const;
    std::shared_ptr<Document> m_doc;
    Node* m_node = nullptr;
};

class Document : public std::enable_shared_from_this<Document>
{
public:
    // Parses `source` (already decoded) as the page at `url`; `codePage` is used for linked sheets.
    static std::shared_ptr<Document> Create(const std::wstring& url, const std::wstring& source, unsigned codePage,
                                            int textSizeLevel, const ParseLimits& limits = ParseLimits());
    // Reads and decodes a local file, then as Create; an unreadable file gives an error page.
    static std::shared_ptr<Document> Load(const std::wstring& url, const std::wstring& path, int textSizeLevel,
                                          bool* fileFound = nullptr);
    ~Document();

    // --- document-object calls ---
    const std::wstring& URL() const { return m_url; }
    HtmlElement body();
    HtmlElement documentElement();
    std::vector<HtmlElement> getElementsByTagName(const std::wstring& tag);
    HtmlElement getElementById(const std::wstring& id);
    std::wstring title() const;
    // The document's command target: optical zoom (63) and the other commands of the view.
    IOleCommandTarget* CommandTarget();

    // --- engine internals ---
    Node* Root() const { return m_root.get(); }
    Node* BodyNode() const { return m_body; }
    const std::wstring& BaseUrl() const { return m_baseUrl; }
    std::wstring Resolve(const std::wstring& reference) const;
    ImageCache& Images() { return *m_images; }

    // Recomputes every style (after a text size change).
    void Restyle(int textSizeLevel);
    int TextSizeLevel() const { return m_level; }

    // The text stream: the rendered text of the body, whitespace collapsed as laid out, with a
    // '\n' between blocks. Text ranges, selection and find work on offsets into it.
    const std::wstring& Stream();
    size_t StreamLength() { return Stream().size(); }
    // Text node and offset in its source text for a stream offset; false when none lies there.
    // `preferNext` picks the following node at a boundary between two nodes.
    bool NodeAtStream(size_t offset, Node*& node, size_t& rawOffset, bool preferNext);
    // Stream offset of a position in a text node's source text.
    size_t StreamOffsetOf(const Node* textNode, size_t rawOffset);
    const std::vector<Node*>& TextSegments()
    {
        Stream();
        return m_segments;
    }

    // Tree changes (pasteHTML): styles of new nodes, then stream and layout are rebuilt lazily.
    void SubtreeInserted(Node* node);
    void Retire(std::unique_ptr<Node> node); // removed nodes stay alive while the document lives
    unsigned Version() const { return m_version; }

    void SetView(DocumentView* view) { m_view = view; }
    DocumentView* View() const { return m_view; }

    // The anchor element for a fragment: id first, then <a name>.
    Node* FindAnchor(const std::wstring& fragment);

private:
    Document() = default;
    void CollectStyleSheets();
    void AddSheetFromFile(const std::wstring& path, int depth);
    void AddSheetText(const std::wstring& text, const std::wstring& sheetBase, int depth);
    void BuildStream();
    static std::wstring ResolveForStyle(const std::wstring& url, void* context);

    std::wstring m_url;
    std::wstring m_baseUrl;
    unsigned m_codePage = 65001;
    int m_level = 2;
    std::unique_ptr<Node> m_root;
    Node* m_body = nullptr;
    std::vector<std::shared_ptr<const StyleSheet>> m_sheets;
    std::unique_ptr<StyleResolver> m_resolver;
    std::unique_ptr<ImageCache> m_images;
    std::vector<std::unique_ptr<Node>> m_retired;
    std::wstring m_stream;
    std::vector<Node*> m_segments;
    bool m_streamValid = false;
    unsigned m_version = 0;
    DocumentView* m_view = nullptr;
    size_t m_sheetBytes = 0;
};

// Maps between a text node's source text and its rendered (collapsed) text.
size_t RenderedToRaw(const Node* textNode, size_t renderedOffset);
size_t RawToRendered(const Node* textNode, size_t rawOffset);
// The source offset of every rendered character of a text node, in one pass over its text.
std::vector<size_t> RenderedRawOffsets(const Node* textNode);

} // namespace fxb
