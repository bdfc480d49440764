#include "platform/browser/HtmlParser.h"
#include "platform/browser/HtmlTokenizer.h"

namespace fxb {

namespace {

bool OneOf(const std::wstring& tag, std::initializer_list<const wchar_t*> list)
{
    for (const wchar_t* t : list)
        if (tag == t)
            return true;
    return false;
}

bool IsHeadTag(const std::wstring& t)
{
    return OneOf(t, {L"title", L"meta", L"link", L"style", L"script", L"base", L"basefont", L"bgsound", L"noscript"});
}

bool IsTableSection(const std::wstring& t)
{
    return OneOf(t, {L"tbody", L"thead", L"tfoot"});
}
bool IsTableContext(const std::wstring& t)
{
    return t == L"table" || t == L"tr" || IsTableSection(t);
}
bool IsCell(const std::wstring& t)
{
    return t == L"td" || t == L"th";
}

bool IsAllSpace(const std::wstring& s)
{
    for (wchar_t c : s)
        if (!(c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'))
            return false;
    return true;
}

class TreeBuilder
{
public:
    TreeBuilder(const std::wstring& source, const ParseLimits& limits) : m_tokenizer(source), m_limits(limits) {}

    std::unique_ptr<Node> Document()
    {
        m_root = std::make_unique<Node>(Node::Type::Element, L"html");
        m_head = m_root->AppendChild(std::make_unique<Node>(Node::Type::Element, L"head"));
        m_stack = {m_root.get(), m_head};
        m_nodes = 2;
        Run();
        EnsureBody();
        return std::move(m_root);
    }

    std::vector<std::unique_ptr<Node>> Fragment(const std::wstring& contextTag)
    {
        m_root = std::make_unique<Node>(Node::Type::Element, contextTag.empty() ? L"div" : contextTag);
        m_fragment = true;
        m_stack = {m_root.get()};
        Run();
        std::vector<std::unique_ptr<Node>> out;
        while (m_root->ChildCount())
            out.push_back(m_root->RemoveChild(0));
        return out;
    }

private:
    void Run()
    {
        HtmlToken token;
        while (!m_stopped) {
            m_tokenizer.Next(token);
            if (m_skipNewline) {
                m_skipNewline = false;
                if (token.kind == HtmlToken::Kind::Text && !token.text.empty()) {
                    size_t cut = token.text.compare(0, 2, L"\r\n") == 0               ? 2
                                 : (token.text[0] == L'\n' || token.text[0] == L'\r') ? 1
                                                                                      : 0;
                    token.text.erase(0, cut);
                }
            }
            switch (token.kind) {
            case HtmlToken::Kind::End:
                return;
            case HtmlToken::Kind::Text:
                OnText(std::move(token.text));
                break;
            case HtmlToken::Kind::StartTag:
                OnStartTag(token);
                break;
            case HtmlToken::Kind::EndTag:
                OnEndTag(token.name);
                break;
            default:
                break;
            }
        }
    }

    Node* Current() const { return m_stack.back(); }

    bool Count()
    {
        if (++m_nodes > m_limits.maxNodes) {
            m_stopped = true;
            return false;
        }
        return true;
    }

    void EnsureBody()
    {
        if (m_fragment || m_body)
            return;
        m_body = m_root->AppendChild(std::make_unique<Node>(Node::Type::Element, L"body"));
        ++m_nodes;
        m_stack = {m_root.get(), m_body};
    }

    bool InHead() const { return !m_fragment && !m_body; }

    // The innermost table element on the stack, or -1.
    int FindInStack(const std::wstring& tag, bool stopAtTableBoundary) const
    {
        for (int i = static_cast<int>(m_stack.size()) - 1; i >= 0; --i) {
            const std::wstring& t = m_stack[i]->Tag();
            if (t == tag)
                return i;
            if (stopAtTableBoundary && (t == L"table" || IsCell(t) || t == L"caption"))
                return -1;
        }
        return -1;
    }

    void PopTo(int index)
    {
        if (index <= 0)
            return; // never pop the root
        m_stack.resize(static_cast<size_t>(index));
        if (!m_fragment && m_stack.size() < 2)
            m_stack.push_back(m_body ? m_body : m_head);
    }

    // Where a new node goes: normally the current node; inside table structure (outside cells)
    // content is placed before the table instead.
    void InsertNode(std::unique_ptr<Node> node, bool push)
    {
        Node* parent = Current();
        Node* inserted = nullptr;
        if (IsTableContext(parent->Tag()) &&
            !(node->IsElement() && (IsCell(node->Tag()) || node->Tag() == L"tr" || IsTableSection(node->Tag()) ||
                                    node->Tag() == L"caption" || node->Tag() == L"colgroup" || node->Tag() == L"col" ||
                                    node->Tag() == L"form" || node->Tag() == L"script" || node->Tag() == L"style"))) {
            int t = FindInStack(L"table", false);
            Node* table = t >= 0 ? m_stack[t] : nullptr;
            if (table && table->Parent()) {
                Node* fosterParent = table->Parent();
                size_t index = table->IndexInParent();
                if (node->IsText() && index > 0 && fosterParent->Child(index - 1)->IsText()) {
                    fosterParent->Child(index - 1)->Text() += node->Text();
                    return;
                }
                inserted = fosterParent->InsertChild(index, std::move(node));
            }
        }
        if (!inserted) {
            if (node->IsText() && parent->ChildCount() && parent->Child(parent->ChildCount() - 1)->IsText()) {
                parent->Child(parent->ChildCount() - 1)->Text() += node->Text();
                return;
            }
            inserted = parent->AppendChild(std::move(node));
        }
        if (push && inserted->IsElement()) {
            if (static_cast<int>(m_stack.size()) < m_limits.maxDepth)
                m_stack.push_back(inserted);
        }
    }

    // Takes the token's text: the node keeps it without a copy.
    void OnText(std::wstring&& text)
    {
        if (text.empty())
            return;
        if (InHead()) {
            if (IsAllSpace(text))
                return;
            EnsureBody();
        }
        if (IsTableContext(Current()->Tag()) && IsAllSpace(text))
            return;
        if (!Count())
            return;
        InsertNode(std::make_unique<Node>(Node::Type::Text, std::move(text)), false);
    }

    void CloseP()
    {
        int i = FindInStack(L"p", true);
        if (i >= 0)
            PopTo(i);
    }

    void CloseListItem(const std::wstring& tag)
    {
        for (int i = static_cast<int>(m_stack.size()) - 1; i > 0; --i) {
            const std::wstring& t = m_stack[i]->Tag();
            if (tag == L"li" ? t == L"li" : (t == L"dd" || t == L"dt")) {
                PopTo(i);
                return;
            }
            if (OneOf(t,
                      {L"ul", L"ol", L"dl", L"menu", L"dir", L"table", L"td", L"th", L"body", L"div", L"blockquote"}))
                return;
        }
    }

    // Closes open cells and rows down to the innermost table section or table; false without a table.
    bool PrepareTableChild(const std::wstring& tag)
    {
        int table = FindInStack(L"table", false);
        if (table < 0)
            return false;
        while (static_cast<int>(m_stack.size()) - 1 > table) {
            const std::wstring& t = Current()->Tag();
            if (IsCell(tag) && t == L"tr")
                break;
            if (tag == L"tr" && IsTableSection(t))
                break;
            if (tag == L"col" && t == L"colgroup")
                break;
            PopTo(static_cast<int>(m_stack.size()) - 1);
        }
        return true;
    }

    void OpenImplied(const wchar_t* tag)
    {
        if (!Count())
            return;
        InsertNode(std::make_unique<Node>(Node::Type::Element, tag), true);
    }

    void OnStartTag(HtmlToken& token)
    {
        std::wstring tag = token.name;
        if (tag == L"image")
            tag = L"img";
        if (tag == L"html") {
            if (!m_fragment)
                for (const Attribute& a : token.attributes)
                    if (!m_root->HasAttribute(a.name.c_str()))
                        m_root->SetAttribute(a.name, a.value);
            return;
        }
        if (tag == L"head")
            return;
        if (tag == L"body" || tag == L"frameset") {
            if (m_fragment)
                return;
            EnsureBody();
            for (const Attribute& a : token.attributes)
                if (!m_body->HasAttribute(a.name.c_str()))
                    m_body->SetAttribute(a.name, a.value);
            return;
        }
        if (tag == L"frame")
            return;
        bool headTag = IsHeadTag(tag);
        if (InHead() && !headTag)
            EnsureBody();

        if (!headTag && IsBlockLevelTag(tag))
            CloseP();
        if (tag == L"li" || tag == L"dd" || tag == L"dt")
            CloseListItem(tag);
        if (tag.size() == 2 && tag[0] == L'h' && tag[1] >= L'1' && tag[1] <= L'6') {
            const std::wstring& cur = Current()->Tag();
            if (cur.size() == 2 && cur[0] == L'h' && cur[1] >= L'1' && cur[1] <= L'6')
                PopTo(static_cast<int>(m_stack.size()) - 1);
        }
        if (tag == L"a") {
            int open = FindInStack(L"a", true);
            if (open >= 0)
                PopTo(open);
        }
        if (tag == L"option") {
            if (Current()->Tag() == L"option")
                PopTo(static_cast<int>(m_stack.size()) - 1);
        }
        if (tag == L"form" && FindInStack(L"form", false) >= 0)
            return;

        // Table structure.
        if (IsCell(tag) || tag == L"tr" || IsTableSection(tag) || tag == L"caption" || tag == L"colgroup" ||
            tag == L"col") {
            if (!PrepareTableChild(tag))
                return; // table parts outside any table are dropped; their content stays
            const std::wstring& cur = Current()->Tag();
            if (IsCell(tag)) {
                if (cur == L"table")
                    OpenImplied(L"tbody");
                if (Current()->Tag() != L"tr")
                    OpenImplied(L"tr");
            } else if (tag == L"tr") {
                if (cur == L"table")
                    OpenImplied(L"tbody");
            }
        }

        if (!Count())
            return;
        auto node = std::make_unique<Node>(Node::Type::Element, tag);
        node->AdoptAttributes(std::move(token.attributes));
        bool isVoid = IsVoidElement(tag);
        size_t depthBefore = m_stack.size();
        InsertNode(std::move(node), !isVoid);

        bool pushed = m_stack.size() > depthBefore;
        if (tag == L"pre" || tag == L"listing")
            m_skipNewline = true; // a newline right after the start tag is not content
        if (OneOf(tag, {L"script", L"style", L"xmp", L"iframe", L"noembed", L"plaintext"}))
            m_tokenizer.EnterRawText(tag, false);
        else if (tag == L"textarea" || tag == L"title")
            m_tokenizer.EnterRawText(tag, true);
        else
            return;
        // Raw-text elements take their text and close right away.
        HtmlToken text;
        m_tokenizer.Next(text);
        if (tag == L"textarea" && !text.text.empty() && text.text[0] == L'\n')
            text.text.erase(0, 1);
        if (text.kind == HtmlToken::Kind::Text && Count()) {
            Node* target = pushed ? Current() : nullptr;
            if (target)
                target->AppendChild(std::make_unique<Node>(Node::Type::Text, std::move(text.text)));
        } else if (text.kind == HtmlToken::Kind::EndTag) {
            OnEndTag(text.name);
            return;
        }
        if (pushed)
            PopTo(static_cast<int>(m_stack.size()) - 1);
    }

    void OnEndTag(const std::wstring& tagIn)
    {
        std::wstring tag = tagIn == L"image" ? L"img" : tagIn;
        if (tag == L"body" || tag == L"html" || tag == L"head") {
            return;
        }
        if (tag == L"br") {
            HtmlToken br;
            br.kind = HtmlToken::Kind::StartTag;
            br.name = L"br";
            OnStartTag(br);
            return;
        }
        bool tablePart = tag == L"table" || IsCell(tag) || tag == L"tr" || IsTableSection(tag) || tag == L"caption";
        int index = FindInStack(tag, !tablePart);
        if (tablePart && index >= 0 && tag != L"table") {
            // A row or cell end tag never closes past the nearest table.
            int table = FindInStack(L"table", false);
            if (table > index)
                return;
        }
        if (index <= 0)
            return;
        if (IsFormattingTag(tag)) {
            // Misnested inline markup: close the element and reopen the inline elements that were
            // inside it; if a block sits inside it, the end tag is ignored.
            std::vector<Node*> reopen;
            for (size_t i = static_cast<size_t>(index) + 1; i < m_stack.size(); ++i) {
                if (!IsFormattingTag(m_stack[i]->Tag()))
                    return;
                reopen.push_back(m_stack[i]);
            }
            PopTo(index);
            for (Node* n : reopen) {
                if (!Count())
                    return;
                auto clone = std::make_unique<Node>(Node::Type::Element, n->Tag());
                for (const Attribute& a : n->Attributes())
                    clone->SetAttribute(a.name, a.value);
                InsertNode(std::move(clone), true);
            }
            return;
        }
        PopTo(index);
    }

    HtmlTokenizer m_tokenizer;
    ParseLimits m_limits;
    std::unique_ptr<Node> m_root;
    Node* m_head = nullptr;
    Node* m_body = nullptr;
    std::vector<Node*> m_stack;
    size_t m_nodes = 0;
    bool m_stopped = false;
    bool m_fragment = false;
    bool m_skipNewline = false;
};

} // namespace

bool IsBlockLevelTag(const std::wstring& tag)
{
    return OneOf(tag,
                 {L"address",  L"article", L"aside",      L"blockquote", L"center",  L"dir",    L"div",       L"dl",
                  L"fieldset", L"figure",  L"footer",     L"form",       L"h1",      L"h2",     L"h3",        L"h4",
                  L"h5",       L"h6",      L"header",     L"hr",         L"menu",    L"nav",    L"ol",        L"p",
                  L"pre",      L"section", L"table",      L"ul",         L"listing", L"xmp",    L"plaintext", L"dd",
                  L"dt",       L"li",      L"figcaption", L"main",       L"details", L"summary"});
}

bool IsFormattingTag(const std::wstring& tag)
{
    return OneOf(tag, {L"a",      L"b",      L"big",  L"code", L"em",   L"font",  L"i",   L"nobr", L"s",       L"small",
                       L"strike", L"strong", L"tt",   L"u",    L"span", L"sub",   L"sup", L"abbr", L"acronym", L"cite",
                       L"dfn",    L"kbd",    L"samp", L"var",  L"q",    L"label", L"ins", L"del",  L"mark"});
}

std::unique_ptr<Node> ParseHtmlDocument(const std::wstring& source, const ParseLimits& limits)
{
    if (source.size() > limits.maxSourceChars) {
        std::wstring cut = source.substr(0, limits.maxSourceChars);
        return TreeBuilder(cut, limits).Document();
    }
    return TreeBuilder(source, limits).Document();
}

std::vector<std::unique_ptr<Node>> ParseHtmlFragment(const std::wstring& source, const std::wstring& contextTag,
                                                     const ParseLimits& limits)
{
    return TreeBuilder(source, limits).Fragment(contextTag);
}

} // namespace fxb
