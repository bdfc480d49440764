#include "reader/ui/SearchHighlight.h"
#include "platform/framework/Strings.h"
#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

const wchar_t kSearchHitId[] = L"fxsearchresult";

namespace {

// Moves one scrolling element to the position; TRUE when it is there and it either was
// there already or moved.
BOOL ScrollElementTo(const fxb::HtmlElement& element, int position)
{
    int before = element.scrollTop();
    if (before == position)
        return TRUE;
    element.put_scrollTop(position);
    return element.scrollTop() != before;
}

// A hit in the page's text stream: [start, end).
struct StreamMatch
{
    size_t start, end;
};

// Where a hit lies in the tree: from a source offset in one text node to one in another.
struct TreeMatch
{
    fxb::Node* startNode;
    size_t startRaw;
    fxb::Node* endNode;
    size_t endRaw;
};

// The pieces a text node was cut into, by the source offset each begins at.
typedef std::vector<std::pair<size_t, fxb::Node*>> Pieces;

// Takes every child off a parent, last first (each removal then moves nothing).
std::vector<std::unique_ptr<fxb::Node>> TakeChildren(fxb::Node* parent)
{
    std::vector<std::unique_ptr<fxb::Node>> children(parent->ChildCount());
    for (size_t i = children.size(); i-- > 0;)
        children[i] = parent->RemoveChild(i);
    return children;
}

// Cuts the text nodes at the given source offsets; each parent's children are rebuilt once.
std::unordered_map<fxb::Node*, Pieces> CutTextNodes(const std::unordered_map<fxb::Node*, std::vector<size_t>>& cuts)
{
    std::unordered_map<fxb::Node*, Pieces> pieces;
    std::vector<fxb::Node*> parents;
    std::unordered_set<fxb::Node*> seen;
    for (const auto& entry : cuts)
        if (seen.insert(entry.first->Parent()).second)
            parents.push_back(entry.first->Parent());
    for (fxb::Node* parent : parents) {
        std::vector<std::unique_ptr<fxb::Node>> children = TakeChildren(parent);
        for (std::unique_ptr<fxb::Node>& child : children) {
            fxb::Node* node = child.get();
            auto found = cuts.find(node);
            if (found == cuts.end()) {
                parent->AppendChild(std::move(child));
                continue;
            }
            Pieces& list = pieces[node];
            const std::wstring text = std::move(node->Text());
            size_t from = 0;
            std::vector<size_t> ends = found->second;
            ends.push_back(text.size());
            for (size_t end : ends) {
                if (end <= from || end > text.size())
                    continue;
                if (from == 0) {
                    node->Text() = text.substr(0, end);
                    list.push_back({0, parent->AppendChild(std::move(child))});
                } else {
                    list.push_back({from, parent->AppendChild(std::make_unique<fxb::Node>(
                                              fxb::Node::Type::Text, text.substr(from, end - from)))});
                }
                from = end;
            }
        }
    }
    return pieces;
}

// The piece of a cut node that begins at `raw`, or (with `ending`) the one that ends there.
fxb::Node* PieceAt(const std::unordered_map<fxb::Node*, Pieces>& pieces, fxb::Node* node, size_t raw, bool ending)
{
    auto found = pieces.find(node);
    if (found == pieces.end())
        return node;
    const Pieces& list = found->second;
    // The last piece that begins before (ending) or at (beginning) the offset.
    auto it = std::upper_bound(list.begin(), list.end(), raw - (ending ? 1 : 0),
                               [](size_t value, const std::pair<size_t, fxb::Node*>& p) { return value < p.first; });
    return it == list.begin() ? list.front().second : (it - 1)->second;
}

// Moves `first` and every sibling after it into a copy of their parent placed right after it;
// the copy is the new parent of `first` and is added to `copies`.
fxb::Node* SplitBefore(fxb::Node* first, std::vector<fxb::Node*>& copies)
{
    fxb::Node* parent = first->Parent();
    auto copy = std::make_unique<fxb::Node>(fxb::Node::Type::Element, parent->Tag());
    for (const fxb::Attribute& attribute : parent->Attributes())
        copy->SetAttribute(attribute.name, attribute.value);
    const size_t from = first->IndexInParent();
    std::vector<std::unique_ptr<fxb::Node>> moved;
    while (parent->ChildCount() > from)
        moved.push_back(parent->RemoveChild(parent->ChildCount() - 1));
    for (size_t i = moved.size(); i-- > 0;)
        copy->AppendChild(std::move(moved[i]));
    copies.push_back(parent->Parent()->InsertChild(parent->IndexInParent() + 1, std::move(copy)));
    return copies.back();
}

// The children of one parent, from `first` to `last`, that a hit element is to hold. A hit that
// starts or ends inside an element splits that element, so that the hit holds whole siblings
// and keeps the markup inside it.
bool RunOfSiblings(fxb::Node* first, fxb::Node* last, fxb::Node*& runFirst, fxb::Node*& runLast,
                   std::vector<fxb::Node*>& copies)
{
    fxb::Node* common = first->Parent();
    while (common && !common->IsAncestorOf(last))
        common = common->Parent();
    if (!common)
        return false;
    // Start side: every element between the first piece and the common parent begins with it.
    fxb::Node* node = first;
    while (node->Parent() != common) {
        if (node->IndexInParent() > 0)
            SplitBefore(node, copies);
        node = node->Parent();
    }
    runFirst = node;
    // End side: every element between the last piece and the common parent ends with it.
    node = last;
    while (node->Parent() != common) {
        if (node->IndexInParent() + 1 < node->Parent()->ChildCount())
            SplitBefore(node->Parent()->Child(node->IndexInParent() + 1), copies);
        node = node->Parent();
    }
    runLast = node;
    return true;
}

std::unique_ptr<fxb::Node> MakeHitElement()
{
    CString style;
    style.Format(L"color: black; background-color: #%02X%02X%02X; font-weight: bold", 153, 255, 153);
    auto hit = std::make_unique<fxb::Node>(fxb::Node::Type::Element, L"span");
    hit->SetAttribute(L"id", kSearchHitId);
    hit->SetAttribute(L"style", static_cast<LPCWSTR>(style));
    return hit;
}

// Wraps each run of siblings in a hit element; each parent's children are rebuilt once.
std::vector<fxb::Node*> WrapRuns(const std::vector<std::pair<fxb::Node*, fxb::Node*>>& runs)
{
    std::unordered_map<fxb::Node*, fxb::Node*> lastOfRun;
    std::vector<fxb::Node*> parents;
    std::unordered_set<fxb::Node*> seen;
    for (const auto& run : runs) {
        lastOfRun[run.first] = run.second;
        if (seen.insert(run.first->Parent()).second)
            parents.push_back(run.first->Parent());
    }
    std::vector<fxb::Node*> hits;
    for (fxb::Node* parent : parents) {
        std::vector<std::unique_ptr<fxb::Node>> children = TakeChildren(parent);
        fxb::Node* hit = nullptr;
        fxb::Node* runLast = nullptr;
        for (std::unique_ptr<fxb::Node>& child : children) {
            fxb::Node* node = child.get();
            if (hit == nullptr) {
                auto found = lastOfRun.find(node);
                if (found != lastOfRun.end()) {
                    hit = parent->AppendChild(MakeHitElement());
                    hits.push_back(hit);
                    runLast = found->second;
                }
            }
            if (hit == nullptr) {
                parent->AppendChild(std::move(child));
                continue;
            }
            hit->AppendChild(std::move(child));
            if (node == runLast)
                hit = nullptr;
        }
    }
    return hits;
}

} // namespace

int HighlightHits(const std::shared_ptr<fxb::Document>& document, LPCWSTR text, size_t from, size_t& next)
{
    next = kNoMoreHits;
    if (!document || !text || !*text || !document->BodyNode())
        return 0;
    // All hits are found in one pass over the page's text, before anything changes.
    const size_t length = document->StreamLength();
    std::vector<StreamMatch> matches;
    fxb::TextRange range(document, std::min(from, length), length);
    while (range.findText(text, 0, 0)) {
        if (matches.size() == size_t(kMaxHighlightedHits)) {
            next = range.Start();
            break;
        }
        matches.push_back({range.Start(), range.End()});
        range.SetRange(range.End(), length);
    }
    if (matches.empty())
        return 0;

    // Text nodes and source offsets of the hits, walking the page's text nodes once.
    const std::vector<fxb::Node*> segments = document->TextSegments();
    std::unordered_map<fxb::Node*, std::vector<size_t>> rawOffsets;
    auto rawOf = [&](fxb::Node* node, size_t offset) {
        auto found = rawOffsets.find(node);
        if (found == rawOffsets.end())
            found = rawOffsets.emplace(node, fxb::RenderedRawOffsets(node)).first;
        const std::vector<size_t>& raw = found->second;
        const size_t at = offset - node->streamStart;
        return at < raw.size() ? raw[at] : node->Text().size();
    };
    auto segmentOf = [&](size_t offset, size_t& position) -> fxb::Node* {
        while (position < segments.size() &&
               segments[position]->streamStart + segments[position]->streamLength <= offset)
            ++position;
        if (position == segments.size() || segments[position]->streamStart > offset)
            return nullptr;
        return segments[position];
    };
    std::vector<TreeMatch> places;
    std::unordered_map<fxb::Node*, std::vector<size_t>> cuts;
    size_t position = 0;
    for (const StreamMatch& match : matches) {
        fxb::Node* startNode = segmentOf(match.start, position);
        size_t endPosition = position;
        fxb::Node* endNode = startNode ? segmentOf(match.end - 1, endPosition) : nullptr;
        if (!startNode || !endNode)
            continue;
        TreeMatch place = {startNode, rawOf(startNode, match.start), endNode, rawOf(endNode, match.end - 1) + 1};
        places.push_back(place);
        cuts[startNode].push_back(place.startRaw);
        cuts[endNode].push_back(place.endRaw);
        position = endPosition;
    }
    for (auto& entry : cuts) {
        std::vector<size_t>& list = entry.second;
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }

    // The tree changes: text nodes are cut at the ends of the hits, elements that a hit only
    // partly covers are split, and each hit's run of siblings goes into a hit element.
    const std::unordered_map<fxb::Node*, Pieces> pieces = CutTextNodes(cuts);
    std::vector<std::pair<fxb::Node*, fxb::Node*>> runs;
    std::vector<fxb::Node*> copies;
    for (const TreeMatch& place : places) {
        fxb::Node* first = PieceAt(pieces, place.startNode, place.startRaw, false);
        fxb::Node* last = PieceAt(pieces, place.endNode, place.endRaw, true);
        fxb::Node* runFirst = nullptr;
        fxb::Node* runLast = nullptr;
        if (RunOfSiblings(first, last, runFirst, runLast, copies))
            runs.push_back({runFirst, runLast});
    }
    const std::vector<fxb::Node*> hits = WrapRuns(runs);
    // The split copies of elements and the hit elements get their styles; a copy that went
    // into a hit element is styled with it.
    for (fxb::Node* copy : copies)
        document->SubtreeInserted(copy);
    for (fxb::Node* hit : hits)
        document->SubtreeInserted(hit);
    return int(hits.size());
}

BOOL HighlightText(const std::shared_ptr<fxb::Document>& document, LPCWSTR text)
{
    size_t next = kNoMoreHits;
    return HighlightHits(document, text, 0, next) > 0 ? TRUE : FALSE;
}

int GetAbsoluteTop(const fxb::HtmlElement& element)
{
    int top = 0;
    int depth = 0;
    for (fxb::HtmlElement e = element; e && depth < 100000; e = e.offsetParent(), ++depth)
        top += e.offsetTop();
    return top;
}

int GetScrollTop(const std::shared_ptr<fxb::Document>& document)
{
    if (!document)
        return 0;
    fxb::HtmlElement body = document->body();
    if (body && (body.scrollLeft() != 0 || body.scrollTop() != 0))
        return body.scrollTop();
    fxb::HtmlElement root = document->documentElement();
    return root ? root.scrollTop() : 0;
}

BOOL SetScrollTop(const std::shared_ptr<fxb::Document>& document, int position)
{
    if (!document)
        return FALSE;
    fxb::HtmlElement body = document->body();
    if (body && ScrollElementTo(body, position))
        return TRUE;
    fxb::HtmlElement root = document->documentElement();
    return root ? ScrollElementTo(root, position) : FALSE;
}

BOOL ScrollToNextHit(const std::shared_ptr<fxb::Document>& document, BOOL wrap)
{
    if (!document)
        return FALSE;
    int threshold = GetScrollTop(document);
    for (int pass = 0; pass < (wrap ? 2 : 1); ++pass) {
        for (const fxb::HtmlElement& span : document->getElementsByTagName(L"SPAN")) {
            if (!span || span.id() != kSearchHitId)
                continue;
            int top = GetAbsoluteTop(span);
            // Hits in the last screen of a page cannot be scrolled to the top; they are
            // passed over, so that stepping on from there returns to the first hit.
            if (top > threshold && SetScrollTop(document, top))
                return TRUE;
        }
        threshold = 0;
    }
    return FALSE;
}
