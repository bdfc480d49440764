// Computed styles and the cascade: default rules, presentational attributes, author sheets and
// style attributes.
#pragma once
#include "platform/browser/CssParser.h"
#include <windows.h>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fxb {

class Node;

enum class Display : uint8_t { Inline, Block, ListItem, Table, TableRowGroup, TableRow, TableCell, TableCaption, None };
enum class TextAlign : uint8_t { Left, Right, Center, Justify };
enum class WhiteSpace : uint8_t { Normal, Pre, NoWrap, PreWrap, PreLine };
enum class VAlign : uint8_t { Baseline, Sub, Super, Top, Middle, Bottom, TextTop, TextBottom };
enum class ListStyle : uint8_t { Disc, Circle, Square, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman, None };
enum class FloatSide : uint8_t { None, Left, Right };
enum class BorderStyle : uint8_t { None, Solid, Dashed, Dotted, Double, Inset, Outset, Groove, Ridge };

enum TextDecorationBits : uint8_t { kUnderline = 1, kOverline = 2, kLineThrough = 4 };

struct Length
{
    enum class Unit : uint8_t { Auto, Px, Percent };
    Unit unit = Unit::Auto;
    float value = 0;
    static Length Px(float v)
    {
        Length l;
        l.unit = Unit::Px;
        l.value = v;
        return l;
    }
    static Length Percent(float v)
    {
        Length l;
        l.unit = Unit::Percent;
        l.value = v;
        return l;
    }
    bool IsAuto() const { return unit == Unit::Auto; }
    // Device pixels: px values scaled by zoom, percentages of `base` (already in device pixels).
    int Resolve(int base, float zoom, int autoValue = 0) const;
};

struct ComputedStyle
{
    Display display = Display::Inline;
    COLORREF color = RGB(0, 0, 0);
    COLORREF background = RGB(255, 255, 255);
    bool hasBackground = false;
    std::wstring backgroundImage; // absolute path, empty for none
    std::wstring fontFace = L"DejaVu Serif";
    float fontSize = 16; // CSS pixels, text size level applied
    int fontWeight = 400;
    bool italic = false;
    uint8_t decoration = 0; // TextDecorationBits, including those of ancestors
    TextAlign textAlign = TextAlign::Left;
    Length textIndent;
    WhiteSpace whiteSpace = WhiteSpace::Normal;
    float lineHeight = 0; // 0: normal; >0 with lineHeightIsFactor: factor, else CSS pixels
    bool lineHeightIsFactor = false;
    ListStyle listStyle = ListStyle::Disc;
    Length margin[4]; // top, right, bottom, left
    Length padding[4];
    float borderWidth[4] = {0, 0, 0, 0};
    BorderStyle borderStyle[4] = {BorderStyle::None, BorderStyle::None, BorderStyle::None, BorderStyle::None};
    COLORREF borderColor[4] = {0, 0, 0, 0};
    Length width, height;
    FloatSide floatSide = FloatSide::None;
    uint8_t clear = 0; // 1 left, 2 right, 3 both
    VAlign verticalAlign = VAlign::Baseline;
    bool hidden = false; // visibility: hidden
    bool borderCollapse = false;
    float borderSpacing = 2; // CSS pixels (cellspacing)
    int cellPadding = -1;    // table attribute, CSS pixels, -1 none
    int tableBorder = 0;     // table border attribute

    bool PreservesSpaces() const { return whiteSpace == WhiteSpace::Pre || whiteSpace == WhiteSpace::PreWrap; }
    bool PreservesNewlines() const { return whiteSpace != WhiteSpace::Normal && whiteSpace != WhiteSpace::NoWrap; }
    bool Wraps() const
    {
        return whiteSpace == WhiteSpace::Normal || whiteSpace == WhiteSpace::PreWrap ||
               whiteSpace == WhiteSpace::PreLine;
    }
    bool IsBlockLevel() const { return display != Display::Inline && display != Display::None; }
    bool HasBorder(int side) const { return borderStyle[side] != BorderStyle::None && borderWidth[side] > 0; }
};

// Text size levels 0-4 (medium 2): the factor applied to font sizes.
float TextSizeFactor(int level);

// Parses a CSS or HTML attribute colour; false when it is not one.
bool ParseColor(const std::wstring& text, COLORREF& out, bool legacyAttribute = false);

// Maps a font-family list to an installed face (serif, sans-serif, monospace and common names).
std::wstring ResolveFontFamily(const std::wstring& familyList);

struct PresentationalHints;

class StyleResolver
{
public:
    explicit StyleResolver(int textSizeLevel);

    void AddAuthorSheet(std::shared_ptr<const StyleSheet> sheet);

    // Computes styles for every element of the tree; styles are owned by the resolver.
    void ComputeAll(Node* root);
    // Computes styles for a subtree whose parent already has its style.
    void ComputeSubtree(Node* subtreeRoot);

    // Turns url() values and background attributes into absolute paths (relative to the page).
    std::wstring (*resolveUrl)(const std::wstring& url, void* context) = nullptr;
    void* resolveContext = nullptr;

    size_t StyleCount() const { return m_styles.size(); }

private:
    // Rules indexed by the id, first class or tag of their rightmost part; `order` is the
    // position across all sheets in load order, which breaks ties of specificity.
    struct RuleRef
    {
        const CssRule* rule;
        unsigned order;
    };
    struct RuleIndex
    {
        std::map<std::wstring, std::vector<RuleRef>> byTag, byClass, byId;
        std::vector<RuleRef> universal;
        unsigned nextOrder = 0;
        void Add(const CssRule* rule);
        void Collect(const Node* e, std::vector<RuleRef>& out) const;
    };

    void ComputeElement(Node* e, const ComputedStyle* parent);
    const ComputedStyle* SharedStyle(const Node* e, const ComputedStyle* parent) const;
    void RememberShared(const Node* e, const ComputedStyle* parent);
    void ApplyPresentational(Node* e, ComputedStyle& s, const ComputedStyle& parent);
    void ApplyColourAndFontAttributes(PresentationalHints& h, const std::wstring& tag, ComputedStyle& s);
    void ApplyDeclarations(const std::vector<const CssDeclaration*>& decls, ComputedStyle& s,
                           const ComputedStyle& parent);
    void ApplyOne(const CssDeclaration& d, ComputedStyle& s, const ComputedStyle& parent);
    bool ApplyColourProperty(const CssDeclaration& d, const std::wstring& v, const std::vector<std::wstring>& parts,
                             ComputedStyle& s);
    void ApplyFontProperty(const std::wstring& p, const std::wstring& v, const std::vector<std::wstring>& parts,
                           ComputedStyle& s, const ComputedStyle& parent);
    void ApplyFontShorthand(const std::vector<std::wstring>& parts, ComputedStyle& s, const ComputedStyle& parent);
    std::wstring BackgroundUrl(const std::wstring& written) const;
    const ComputedStyle* NewStyle(const ComputedStyle& s);

    int m_level;
    std::vector<std::shared_ptr<const StyleSheet>> m_sheets;
    RuleIndex m_defaultIndex;
    RuleIndex m_authorIndex;
    std::deque<ComputedStyle> m_styles;
    COLORREF m_linkColor = RGB(0, 0, 255);
    bool m_hasLinkColor = false;
    bool m_hasAdjacentRules = false; // some author rule has a '+' combinator
    std::vector<RuleRef> m_scratch;
    std::map<std::pair<const ComputedStyle*, std::wstring>, const ComputedStyle*> m_shared; // by parent style, tag
};

} // namespace fxb
