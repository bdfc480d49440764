// Splits HTML source text into tags, text and comments, tolerating anything authors write.
#pragma once
#include "platform/browser/Dom.h"
#include <string>
#include <vector>

namespace fxb {

struct HtmlToken
{
    enum class Kind { StartTag, EndTag, Text, Comment, Doctype, End };
    Kind kind = Kind::End;
    std::wstring name;                 // tags: lower case
    std::vector<Attribute> attributes; // start tags
    bool selfClosing = false;
    std::wstring text; // text with references decoded
};

class HtmlTokenizer
{
public:
    explicit HtmlTokenizer(const std::wstring& source);

    // Produces the next token; Kind::End at the end of the source.
    void Next(HtmlToken& token);

    // After a start tag of an element whose content is raw text (script, style, textarea,
    // title, xmp, plaintext), the tree builder switches the tokenizer to read up to its end tag.
    void EnterRawText(const std::wstring& tag, bool decodeReferences);

    static constexpr size_t kMaxAttributes = 64;

private:
    void ReadText(HtmlToken& token);
    void ReadTag(HtmlToken& token);
    void ReadRaw(HtmlToken& token);
    bool ReadMarkupDeclaration(HtmlToken& token);
    void SkipSpace();

    const std::wstring& m_src;
    size_t m_pos = 0;
    std::wstring m_rawTag; // non-empty while reading raw text
    bool m_rawDecode = false;
};

} // namespace fxb
