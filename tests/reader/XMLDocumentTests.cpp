// The XML wrapper over MSXML: lookups, attribute conversions, defaults and
// loading the settings text from a module's resources.
#include <gtest/gtest.h>
#include <windows.h>
#include "tests/reader/StringPrinter.h"
#include "reader/book/XMLDocument.h"
#include "tests/reader/ResourceModule.h"

namespace {

const wchar_t kSample[] = L"<FolionyxExeBook>"
                          L"<Contents Visible2=\"1\" Width=\"240\" Odd=\"abc\" Spaced=\" 1 \"/>"
                          L"<Splash ShowSplashScreen=\"true\" Two=\"2\" Yes=\"yes\" Zero=\"0\"/>"
                          L"<AuthorHTML>&lt;b&gt;Hello&lt;/b&gt; world</AuthorHTML>"
                          L"<Outer><Inner Value=\"deep\"/></Outer>"
                          L"</FolionyxExeBook>";

} // namespace

TEST(XmlDocument, BoolAttributesAreTrueOnlyForOneAfterTrimming)
{
    CQorXMLDocumentEx doc;
    ASSERT_TRUE(doc.LoadXML(kSample));
    struct Case
    {
        const wchar_t* element;
        const wchar_t* attribute;
        BOOL defaultValue;
        BOOL expected;
    };
    const Case cases[] = {
        {L"Contents", L"Visible2", FALSE, TRUE},
        {L"Contents", L"Spaced", FALSE, TRUE},
        {L"Splash", L"ShowSplashScreen", TRUE, FALSE}, // "true" is not "1"
        {L"Splash", L"Two", TRUE, FALSE},
        {L"Splash", L"Yes", TRUE, FALSE},
        {L"Splash", L"Zero", TRUE, FALSE},
        {L"Splash", L"Missing", TRUE, TRUE}, // missing keeps the default
        {L"Splash", L"Missing", FALSE, FALSE},
        {L"NoSuchElement", L"Visible2", TRUE, TRUE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(doc.ReadBool(c.element, c.attribute, c.defaultValue), c.expected)
            << "element " << c.element << " attribute " << c.attribute;
}

TEST(XmlDocument, IntAndStringAttributesFallBackToDefaults)
{
    CQorXMLDocumentEx doc;
    ASSERT_TRUE(doc.LoadXML(kSample));
    EXPECT_EQ(doc.ReadInt(L"Contents", L"Width", 200), 240);
    EXPECT_EQ(doc.ReadInt(L"Contents", L"Odd", 200), 0); // not a number converts to 0
    EXPECT_EQ(doc.ReadInt(L"Contents", L"Missing", 200), 200);
    EXPECT_EQ(doc.ReadInt(L"Missing", L"Width", 7), 7);
    EXPECT_EQ(doc.ReadString(L"Contents", L"Width", L"x"), CString(L"240"));
    EXPECT_EQ(doc.ReadString(L"Contents", L"Missing", L"x"), CString(L"x"));
    EXPECT_EQ(doc.ReadString(L"Missing", L"Width", nullptr), CString());
    EXPECT_EQ(doc.ReadElementText(L"AuthorHTML"), CString(L"<b>Hello</b> world"));
    EXPECT_EQ(doc.ReadElementText(L"Missing"), CString());
}

TEST(XmlDocument, ElementNamesIgnoreCaseAttributeNamesDoNot)
{
    CQorXMLDocumentEx doc;
    ASSERT_TRUE(doc.LoadXML(kSample));
    EXPECT_EQ(doc.ReadInt(L"contents", L"Width", 1), 240);
    EXPECT_EQ(doc.ReadInt(L"CONTENTS", L"Width", 1), 240);
    EXPECT_EQ(doc.ReadInt(L"Contents", L"width", 1), 1);
    EXPECT_EQ(doc.ReadBool(L"contents", L"visible2", FALSE), FALSE);
    // Only direct children of the root are searched.
    EXPECT_EQ(doc.ReadString(L"Inner", L"Value", L"none"), CString(L"none"));

    CQorXMLNode root, outer, inner;
    ASSERT_TRUE(doc.FindTopElement(L"folionyxexebook", root));
    ASSERT_TRUE(root.FindChild(L"OUTER", outer));
    ASSERT_TRUE(outer.FindChild(L"inner", inner));
    EXPECT_EQ(inner.GetStringAttribute(L"Value"), CString(L"deep"));
    EXPECT_EQ(inner.GetName(), CString(L"Inner"));
}

TEST(XmlDocument, NodeAttributeReadersLeaveOutputUntouchedWhenMissing)
{
    CQorXMLDocumentEx doc;
    ASSERT_TRUE(doc.LoadXML(kSample));
    CQorXMLNode root, contents;
    ASSERT_TRUE(doc.GetRootElement(root));
    ASSERT_TRUE(root.FindChild(L"Contents", contents));
    int width = 55;
    BOOL flag = 77;
    EXPECT_FALSE(contents.GetIntAttribute(L"Nope", width));
    EXPECT_FALSE(contents.GetBoolAttribute(L"Nope", flag));
    EXPECT_EQ(width, 55);
    EXPECT_EQ(flag, 77);
    EXPECT_TRUE(contents.GetIntAttribute(L"Width", width));
    EXPECT_EQ(width, 240);
    EXPECT_EQ(contents.GetStringAttribute(L"Nope"), CString());
    // An empty node answers every question with "missing".
    CQorXMLNode empty, child;
    EXPECT_FALSE(empty.FindChild(L"x", child));
    EXPECT_EQ(empty.GetText(), CString());
    std::vector<CQorXMLNode> children;
    EXPECT_FALSE(empty.GetChildNodes(children));
}

TEST(XmlDocument, ChildNodesKeepDocumentOrderAndAllNodeTypes)
{
    CQorXMLDocumentEx doc;
    ASSERT_TRUE(doc.LoadXML(L"<FolionyxExeBook><b/>text<!--c--><a/></FolionyxExeBook>"));
    CQorXMLNode root;
    ASSERT_TRUE(doc.GetRootElement(root));
    std::vector<CQorXMLNode> children;
    ASSERT_TRUE(root.GetChildNodes(children));
    ASSERT_EQ(children.size(), 4u);
    EXPECT_EQ(children[0].GetName(), CString(L"b"));
    EXPECT_EQ(children[1].GetName(), CString(L"#text"));
    EXPECT_EQ(children[2].GetName(), CString(L"#comment"));
    EXPECT_EQ(children[3].GetName(), CString(L"a"));
}

TEST(XmlDocument, ChildIndexFindsWhatFindChildFinds)
{
    CQorXMLDocumentEx doc;
    ASSERT_TRUE(doc.LoadXML(L"<FolionyxExeBook>text<Node_0 V='first'/><!--c--><NODE_0 V='second'/>"
                            L"<node_1 V='one'/><Deep><Node_2 V='nested'/></Deep></FolionyxExeBook>"));
    CQorXMLNode root;
    ASSERT_TRUE(doc.GetRootElement(root));
    CQorXMLChildIndex index(root);
    ASSERT_EQ(index.GetChildren().size(), 6u);
    EXPECT_EQ(index.GetChildren()[0].GetName(), CString(L"#text"));
    EXPECT_EQ(index.GetChildren()[5].GetName(), CString(L"Deep"));
    struct Case
    {
        const wchar_t* name;
        const wchar_t* value; // null: not found
    };
    const Case cases[] = {
        {L"Node_0", L"first"}, // the first of two names that differ only in case
        {L"node_0", L"first"}, {L"NODE_1", L"one"},
        {L"Node_2", nullptr}, // only direct children
        {L"Node", nullptr},    {L"", nullptr},
    };
    for (const Case& c : cases) {
        CQorXMLNode fromIndex, fromWalk;
        const BOOL inIndex = index.Find(c.name, fromIndex);
        EXPECT_EQ(root.FindChild(c.name, fromWalk), inIndex) << c.name;
        ASSERT_EQ(inIndex, c.value != nullptr) << c.name;
        if (c.value == nullptr)
            continue;
        EXPECT_EQ(fromIndex.GetStringAttribute(L"V"), CString(c.value)) << c.name;
        EXPECT_EQ(fromWalk.GetStringAttribute(L"V"), CString(c.value)) << c.name;
    }
    CQorXMLNode found;
    EXPECT_TRUE(index.Find(L"#comment", found));
    // An empty node, and a leaf, give an empty index.
    EXPECT_FALSE(index.Build(CQorXMLNode()));
    EXPECT_TRUE(index.GetChildren().empty());
    EXPECT_FALSE(index.Find(L"Node_0", found));
    CQorXMLNode leaf;
    ASSERT_TRUE(root.FindChild(L"node_1", leaf));
    EXPECT_TRUE(index.Build(leaf));
    EXPECT_TRUE(index.GetChildren().empty());
}

TEST(XmlDocument, NodesShareAndReleaseTheirReferences)
{
    CQorXMLDocumentEx doc;
    ASSERT_TRUE(doc.LoadXML(kSample));
    CQorXMLNode root;
    ASSERT_TRUE(doc.GetRootElement(root));
    IXMLDOMNode* raw = root.GetNode();
    raw->AddRef();
    const ULONG base = raw->Release();
    {
        CQorXMLNode copy(root);
        std::vector<CQorXMLNode> many(3, root);
        raw->AddRef();
        EXPECT_EQ(raw->Release(), base + 4);
        copy = copy;    // self-assignment keeps the reference
        copy = many[1]; // same interface: untouched
        raw->AddRef();
        EXPECT_EQ(raw->Release(), base + 4);
    }
    raw->AddRef();
    EXPECT_EQ(raw->Release(), base);
}

TEST(XmlDocument, UnparsableTextFailsAndReadersKeepDefaults)
{
    CQorXMLDocumentEx doc;
    EXPECT_FALSE(doc.LoadXML(L"<FolionyxExeBook><Contents Width=\"5\"></FolionyxExeBook"));
    EXPECT_EQ(doc.ReadInt(L"Contents", L"Width", 200), 200);
}

TEST(XmlDocument, OtherRootNameReadsDefaults)
{
    CQorXMLDocumentEx doc;
    ASSERT_TRUE(doc.LoadXML(L"<OtherBook><Contents Width=\"5\" Visible2=\"0\"/></OtherBook>"));
    EXPECT_EQ(doc.ReadInt(L"Contents", L"Width", 200), 200);
    EXPECT_EQ(doc.ReadBool(L"Contents", L"Visible2", TRUE), TRUE);
    EXPECT_EQ(doc.ReadElementText(L"Contents"), CString());
}

TEST(XmlDocument, EmptyDocumentGetsAnEmptyRootElement)
{
    CQorXMLDocumentEx doc;
    CQorXMLNode root;
    EXPECT_FALSE(doc.FindTopElement(L"FolionyxExeBook", root));
    EXPECT_EQ(doc.ReadString(L"ExeBook", L"Name", L"dflt"), CString(L"dflt"));
    ASSERT_TRUE(doc.FindTopElement(L"FolionyxExeBook", root));
    std::vector<CQorXMLNode> children;
    ASSERT_TRUE(root.GetChildNodes(children));
    EXPECT_TRUE(children.empty());
}

TEST(XmlDocument, SettingsResourceLoadsWithAndWithoutByteOrderMark)
{
    const std::wstring text = L"<FolionyxExeBook><ExeBook Name=\"Guide\"/></FolionyxExeBook>";
    for (bool bom : {true, false}) {
        std::string bytes;
        if (bom)
            bytes += "\xFF\xFE";
        bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
        readertest::ResourceModule module;
        ASSERT_TRUE(module.Create({{L"FILES", L"EBOOKSETTINGSDATA", bytes}}));
        CQorXMLDocumentEx doc;
        ASSERT_TRUE(LoadXMLFromResource(module.Handle(), doc)) << "bom " << bom;
        EXPECT_EQ(doc.ReadString(L"ExeBook", L"Name", nullptr), CString(L"Guide")) << "bom " << bom;
    }
}

TEST(XmlDocument, MissingSettingsResourceFails)
{
    readertest::ResourceModule module;
    ASSERT_TRUE(module.Create({{L"FILES", L"OTHER", std::string("x")}}));
    CQorXMLDocumentEx doc;
    EXPECT_FALSE(LoadXMLFromResource(module.Handle(), doc));
}
