// Style sheet parsing: rules with simple, class, id, descendant and child selectors.
#pragma once
#include <memory>
#include <string>
#include <vector>

namespace fxb {

class Node;

struct CssDeclaration
{
    std::wstring property; // lower case
    std::wstring value;    // trimmed, as written
    bool important = false;
    // The value in lower case and split into its parts, made once when a sheet or style attribute
    // is parsed (`prepared`), since styling applies each declaration to many elements.
    std::wstring lowered;
    std::vector<std::wstring> parts;
    bool prepared = false;
};

struct CssCompound
{
    std::wstring tag; // lower case; empty = any
    std::wstring id;
    std::vector<std::wstring> classes;
    std::vector<std::pair<std::wstring, std::wstring>> attributes; // [name] or [name=value]
    bool link = false;                                             // :link or :visited
    bool unsupported = false; // a pseudo-class the engine does not track: never matches
};

struct CssSelector
{
    std::vector<CssCompound> compounds; // left to right
    std::vector<wchar_t> combinators;   // between compounds: ' ' descendant, '>' child, '+' adjacent
    unsigned specificity = 0;
    bool Matches(const Node* element) const;
};

struct CssRule
{
    CssSelector selector;
    std::shared_ptr<const std::vector<CssDeclaration>> declarations;
    unsigned order = 0;
};

class StyleSheet
{
public:
    // Parses a sheet; unknown at-rules are skipped, @media keeps only screen and all.
    void Parse(const std::wstring& text);
    const std::vector<CssRule>& Rules() const { return m_rules; }
    const std::vector<std::wstring>& Imports() const { return m_imports; }

    static constexpr size_t kMaxRules = 20000;

private:
    void ParseBlockList(const std::wstring& text, size_t& pos, size_t end);
    std::vector<CssRule> m_rules;
    std::vector<std::wstring> m_imports;
    int m_depth = 0; // nesting of @media blocks
};

std::vector<CssDeclaration> ParseDeclarations(const std::wstring& text);
bool ParseSelector(const std::wstring& text, CssSelector& out);

// Splits a value into its space-separated parts, keeping commas, parentheses and quotes whole.
std::vector<std::wstring> SplitValue(const std::wstring& value);

} // namespace fxb
