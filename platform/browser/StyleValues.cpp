// Reading CSS and attribute values: colours, lengths, border styles and widths, keyword font
// sizes, and font families resolved against the installed faces.
#include "platform/browser/StyleValues.h"
#include "platform/browser/TextUtil.h"
#include <algorithm>
#include <cmath>
#include <mutex>
#include <set>
#include <unordered_map>

namespace fxb {

namespace {

struct NamedColor
{
    const wchar_t* name;
    COLORREF value;
};
const NamedColor kColors[] = {
    {L"black", RGB(0, 0, 0)},
    {L"white", RGB(255, 255, 255)},
    {L"red", RGB(255, 0, 0)},
    {L"green", RGB(0, 128, 0)},
    {L"blue", RGB(0, 0, 255)},
    {L"yellow", RGB(255, 255, 0)},
    {L"gray", RGB(128, 128, 128)},
    {L"grey", RGB(128, 128, 128)},
    {L"silver", RGB(192, 192, 192)},
    {L"maroon", RGB(128, 0, 0)},
    {L"purple", RGB(128, 0, 128)},
    {L"fuchsia", RGB(255, 0, 255)},
    {L"magenta", RGB(255, 0, 255)},
    {L"lime", RGB(0, 255, 0)},
    {L"olive", RGB(128, 128, 0)},
    {L"navy", RGB(0, 0, 128)},
    {L"teal", RGB(0, 128, 128)},
    {L"aqua", RGB(0, 255, 255)},
    {L"cyan", RGB(0, 255, 255)},
    {L"orange", RGB(255, 165, 0)},
    {L"brown", RGB(165, 42, 42)},
    {L"pink", RGB(255, 192, 203)},
    {L"gold", RGB(255, 215, 0)},
    {L"darkblue", RGB(0, 0, 139)},
    {L"darkred", RGB(139, 0, 0)},
    {L"darkgreen", RGB(0, 100, 0)},
    {L"lightgray", RGB(211, 211, 211)},
    {L"lightgrey", RGB(211, 211, 211)},
    {L"darkgray", RGB(169, 169, 169)},
    {L"darkgrey", RGB(169, 169, 169)},
    {L"lightblue", RGB(173, 216, 230)},
    {L"lightyellow", RGB(255, 255, 224)},
    {L"lightgreen", RGB(144, 238, 144)},
    {L"beige", RGB(245, 245, 220)},
    {L"ivory", RGB(255, 255, 240)},
    {L"wheat", RGB(245, 222, 179)},
    {L"tan", RGB(210, 180, 140)},
    {L"khaki", RGB(240, 230, 140)},
    {L"indigo", RGB(75, 0, 130)},
    {L"violet", RGB(238, 130, 238)},
    {L"crimson", RGB(220, 20, 60)},
    {L"coral", RGB(255, 127, 80)},
    {L"salmon", RGB(250, 128, 114)},
    {L"tomato", RGB(255, 99, 71)},
    {L"orchid", RGB(218, 112, 214)},
    {L"steelblue", RGB(70, 130, 180)},
    {L"skyblue", RGB(135, 206, 235)},
    {L"royalblue", RGB(65, 105, 225)},
    {L"darkorange", RGB(255, 140, 0)},
    {L"darkviolet", RGB(148, 0, 211)},
    {L"forestgreen", RGB(34, 139, 34)},
    {L"seagreen", RGB(46, 139, 87)},
    {L"slategray", RGB(112, 128, 144)},
    {L"dimgray", RGB(105, 105, 105)},
    {L"whitesmoke", RGB(245, 245, 245)},
    {L"gainsboro", RGB(220, 220, 220)},
    {L"linen", RGB(250, 240, 230)},
    {L"lavender", RGB(230, 230, 250)},
    {L"honeydew", RGB(240, 255, 240)},
    {L"aliceblue", RGB(240, 248, 255)},
    {L"cornsilk", RGB(255, 248, 220)},
    {L"chocolate", RGB(210, 105, 30)},
    {L"firebrick", RGB(178, 34, 34)},
    {L"midnightblue", RGB(25, 25, 112)},
    {L"darkslategray", RGB(47, 79, 79)},
    {L"goldenrod", RGB(218, 165, 32)},
};

bool ParseHexColor(const std::wstring& h, COLORREF& out)
{
    for (wchar_t c : h)
        if (HexDigit(c) < 0)
            return false;
    if (h.size() == 3) {
        out = RGB(HexDigit(h[0]) * 17, HexDigit(h[1]) * 17, HexDigit(h[2]) * 17);
        return true;
    }
    if (h.size() == 6) {
        out = RGB(HexDigit(h[0]) * 16 + HexDigit(h[1]), HexDigit(h[2]) * 16 + HexDigit(h[3]),
                  HexDigit(h[4]) * 16 + HexDigit(h[5]));
        return true;
    }
    return false;
}

int CALLBACK CollectFace(const LOGFONTW* f, const TEXTMETRICW*, DWORD, LPARAM p)
{
    reinterpret_cast<std::set<std::wstring>*>(p)->insert(Lower(f->lfFaceName));
    return 1;
}

std::set<std::wstring>& InstalledFaces()
{
    static std::set<std::wstring> faces = [] {
        std::set<std::wstring> set;
        HDC dc = GetDC(nullptr);
        LOGFONTW lf = {};
        lf.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(dc, &lf, CollectFace, reinterpret_cast<LPARAM>(&set), 0);
        ReleaseDC(nullptr, dc);
        return set;
    }();
    return faces;
}

} // namespace

std::wstring Unquote(std::wstring s)
{
    s = Trim(s);
    if (s.size() >= 2 && (s[0] == L'"' || s[0] == L'\'') && s.back() == s[0])
        return s.substr(1, s.size() - 2);
    return s;
}

bool ParseLength(const std::wstring& vIn, float fontSize, Length& out, bool allowUnitless, float absScale)
{
    std::wstring v = Lower(Trim(vIn));
    if (v.empty())
        return false;
    if (v == L"auto") {
        out = Length();
        return true;
    }
    wchar_t* end = nullptr;
    double n = wcstod(v.c_str(), &end);
    if (end == v.c_str() || !std::isfinite(n))
        return false;
    std::wstring unit = Trim(std::wstring(end));
    double px;
    if (unit == L"%") {
        out = Length::Percent(static_cast<float>(std::max(-10000.0, std::min(10000.0, n))));
        return true;
    }
    if (unit == L"px")
        px = n * absScale;
    else if (unit == L"pt")
        px = n * 4.0 / 3.0 * absScale;
    else if (unit == L"em")
        px = n * fontSize;
    else if (unit == L"ex")
        px = n * fontSize * 0.5;
    else if (unit == L"in")
        px = n * 96 * absScale;
    else if (unit == L"cm")
        px = n * 96 / 2.54 * absScale;
    else if (unit == L"mm")
        px = n * 96 / 25.4 * absScale;
    else if (unit == L"pc")
        px = n * 16 * absScale;
    else if (unit.empty() && (allowUnitless || n == 0))
        px = n * absScale;
    else
        return false;
    px = std::max(-100000.0, std::min(100000.0, px));
    out = Length::Px(static_cast<float>(px));
    return true;
}

BorderStyle ParseBorderStyle(const std::wstring& v, bool& ok)
{
    ok = true;
    if (v == L"none" || v == L"hidden")
        return BorderStyle::None;
    if (v == L"solid")
        return BorderStyle::Solid;
    if (v == L"dashed")
        return BorderStyle::Dashed;
    if (v == L"dotted")
        return BorderStyle::Dotted;
    if (v == L"double")
        return BorderStyle::Double;
    if (v == L"inset")
        return BorderStyle::Inset;
    if (v == L"outset")
        return BorderStyle::Outset;
    if (v == L"groove")
        return BorderStyle::Groove;
    if (v == L"ridge")
        return BorderStyle::Ridge;
    ok = false;
    return BorderStyle::None;
}

bool ParseBorderWidth(const std::wstring& v, float fontSize, float& out)
{
    if (v == L"thin") {
        out = 1;
        return true;
    }
    if (v == L"medium") {
        out = 3;
        return true;
    }
    if (v == L"thick") {
        out = 5;
        return true;
    }
    Length l;
    if (ParseLength(v, fontSize, l) && l.unit == Length::Unit::Px) {
        out = std::max(0.f, std::min(l.value, 1000.f));
        return true;
    }
    return false;
}

float KeywordFontSize(const std::wstring& v)
{
    if (v == L"xx-small")
        return 9;
    if (v == L"x-small")
        return 10;
    if (v == L"small")
        return 13;
    if (v == L"medium")
        return 16;
    if (v == L"large")
        return 18;
    if (v == L"x-large")
        return 24;
    if (v == L"xx-large")
        return 32;
    return 0;
}

int Length::Resolve(int base, float zoom, int autoValue) const
{
    switch (unit) {
    case Unit::Px:
        return static_cast<int>(std::lround(value * zoom));
    case Unit::Percent:
        return static_cast<int>(std::lround(static_cast<double>(base) * value / 100.0));
    default:
        return autoValue;
    }
}

float TextSizeFactor(int level)
{
    static const float kFactors[5] = {0.7f, 0.85f, 1.0f, 1.2f, 1.5f};
    return kFactors[std::max(0, std::min(4, level))];
}

bool ParseColor(const std::wstring& textIn, COLORREF& out, bool legacyAttribute)
{
    std::wstring t = Lower(Trim(textIn));
    if (t.empty())
        return false;
    if (t[0] == L'#')
        return ParseHexColor(t.substr(1), out) ||
               (legacyAttribute && t.size() > 1 && ParseColor(t.substr(1), out, true));
    for (const NamedColor& c : kColors)
        if (t == c.name) {
            out = c.value;
            return true;
        }
    if (t.compare(0, 4, L"rgb(") == 0 || t.compare(0, 5, L"rgba(") == 0) {
        size_t open = t.find(L'(');
        size_t close = t.find(L')', open);
        std::wstring inner = t.substr(open + 1, close == std::wstring::npos ? std::wstring::npos : close - open - 1);
        int ch[3] = {0, 0, 0};
        size_t pos = 0;
        for (int i = 0; i < 3; ++i) {
            size_t comma = inner.find(L',', pos);
            std::wstring part = Trim(inner.substr(pos, comma == std::wstring::npos ? std::wstring::npos : comma - pos));
            if (part.empty())
                return false;
            double v = wcstod(part.c_str(), nullptr);
            if (part.back() == L'%')
                v = v * 255 / 100;
            ch[i] = static_cast<int>(std::max(0.0, std::min(255.0, v)));
            if (comma == std::wstring::npos && i < 2)
                return false;
            pos = comma + 1;
        }
        out = RGB(ch[0], ch[1], ch[2]);
        return true;
    }
    if (legacyAttribute && t.size() == 6)
        return ParseHexColor(t, out);
    return false;
}

namespace {

std::wstring ResolveFamilyList(const std::wstring& familyList)
{
    auto& installed = InstalledFaces();
    auto pick = [&](const wchar_t* face, const wchar_t* fallback) -> std::wstring {
        return installed.count(Lower(face)) ? face : fallback;
    };
    size_t pos = 0;
    while (pos <= familyList.size()) {
        size_t comma = familyList.find(L',', pos);
        std::wstring name =
            Lower(Unquote(familyList.substr(pos, comma == std::wstring::npos ? std::wstring::npos : comma - pos)));
        pos = comma == std::wstring::npos ? familyList.size() + 1 : comma + 1;
        if (name.empty())
            continue;
        static const wchar_t* const kSerif[] = {L"serif",
                                                L"times",
                                                L"times new roman",
                                                L"georgia",
                                                L"garamond",
                                                L"palatino",
                                                L"palatino linotype",
                                                L"book antiqua",
                                                L"cambria",
                                                L"century schoolbook",
                                                L"bookman old style",
                                                L"simsun",
                                                L"mincho",
                                                L"ms mincho",
                                                L"batang"};
        static const wchar_t* const kSans[] = {L"sans-serif",
                                               L"arial",
                                               L"helvetica",
                                               L"verdana",
                                               L"trebuchet ms",
                                               L"segoe ui",
                                               L"calibri",
                                               L"lucida sans",
                                               L"lucida grande",
                                               L"ms sans serif",
                                               L"microsoft sans serif",
                                               L"geneva",
                                               L"arial narrow",
                                               L"century gothic",
                                               L"franklin gothic medium",
                                               L"cursive",
                                               L"fantasy",
                                               L"comic sans ms",
                                               L"impact",
                                               L"simhei",
                                               L"ms gothic",
                                               L"ms pgothic",
                                               L"gulim",
                                               L"microsoft yahei",
                                               L"system-ui"};
        static const wchar_t* const kMono[] = {L"monospace",   L"courier",        L"courier new",
                                               L"consolas",    L"lucida console", L"monaco",
                                               L"andale mono", L"fixedsys",       L"terminal"};
        for (const wchar_t* n : kMono)
            if (name == n)
                return pick(L"DejaVu Sans Mono", L"Courier New");
        if (installed.count(name) && name != L"serif" && name != L"sans-serif" && name != L"monospace") {
            // Use the installed face with its own capitalisation.
            std::wstring original = Unquote(familyList.substr(0, 0));
            size_t p2 = 0;
            while (p2 <= familyList.size()) {
                size_t c2 = familyList.find(L',', p2);
                std::wstring n2 =
                    Unquote(familyList.substr(p2, c2 == std::wstring::npos ? std::wstring::npos : c2 - p2));
                if (Lower(n2) == name)
                    return n2;
                p2 = c2 == std::wstring::npos ? familyList.size() + 1 : c2 + 1;
            }
            return name;
        }
        for (const wchar_t* n : kSerif)
            if (name == n)
                return pick(L"DejaVu Serif", L"Times New Roman");
        for (const wchar_t* n : kSans)
            if (name == n)
                return pick(L"DejaVu Sans", L"Tahoma");
    }
    return std::wstring();
}

} // namespace

// Pages repeat one family list over many elements, and a list may be long: each distinct list is
// resolved once. The cache is emptied when hostile pages fill it with endless distinct lists.
std::wstring ResolveFontFamily(const std::wstring& familyList)
{
    static std::mutex lock;
    static std::unordered_map<std::wstring, std::wstring> resolved;
    static size_t cachedChars = 0;
    const size_t kMaxCachedChars = 4u << 20;
    std::lock_guard<std::mutex> hold(lock);
    auto it = resolved.find(familyList);
    if (it != resolved.end())
        return it->second;
    if (cachedChars + familyList.size() > kMaxCachedChars) {
        resolved.clear();
        cachedChars = 0;
    }
    std::wstring face = ResolveFamilyList(familyList);
    cachedChars += familyList.size() + face.size();
    resolved.emplace(familyList, face);
    return face;
}

} // namespace fxb
