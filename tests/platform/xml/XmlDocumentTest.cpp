// The XML DOM reached through COM: loading, XPath selection, attributes,
// texts and children, with UTF-8 on both sides.
#include "platform/xml/XmlDocument.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string WriteFile(const std::string& name, const std::string& content)
{
    std::string path = kvtest::ScratchDir("xml") + "\\" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

} // namespace

TEST(XmlDocument, SelectsElementsWithTheirAttributesTextsAndChildren)
{
    std::string path = WriteFile("good.xml",
                                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<Root>\n"
                                 "  <Item Name=\"Tröpfchen\" Size=\"\"><A>1.5</A><!-- note --><B> x </B></Item>\n"
                                 "  <Item/>\n"
                                 "  <Other Name=\"no\"/>\n"
                                 "</Root>\n");
    kvxml::ComScope com;
    ASSERT_TRUE(com.Ok());
    kvxml::XmlDocument document;
    ASSERT_TRUE(document.IsCreated());
    ASSERT_TRUE(document.Load(path));

    std::vector<kvxml::XmlNode> items = document.SelectNodes("Root/Item");
    ASSERT_EQ(2u, items.size());
    std::string value;
    EXPECT_TRUE(items[0].Attribute("Name", value));
    EXPECT_EQ("Tröpfchen", value);
    EXPECT_TRUE(items[0].Attribute("Size", value));   // present, empty
    EXPECT_EQ("", value);
    EXPECT_FALSE(items[0].Attribute("Missing", value));
    EXPECT_FALSE(items[1].Attribute("Name", value));

    std::vector<kvxml::XmlNode> children = items[0].Children();
    ASSERT_EQ(3u, children.size());   // A, the comment, B
    EXPECT_EQ("A", children[0].Name());
    EXPECT_TRUE(children[0].IsElement());
    EXPECT_EQ("1.5", children[0].Text());
    EXPECT_FALSE(children[1].IsElement());
    EXPECT_EQ("B", children[2].Name());
    EXPECT_TRUE(items[1].Children().empty());
    EXPECT_TRUE(document.SelectNodes("Root/Nothing").empty());
}

TEST(XmlDocument, AFileThatIsMissingOrNotWellFormedDoesNotLoad)
{
    kvxml::ComScope com;
    kvxml::XmlDocument missing;
    EXPECT_FALSE(missing.Load(kvtest::ScratchDir("xml-missing") + "\\none.xml"));
    EXPECT_TRUE(missing.SelectNodes("Root/Item").empty());

    kvxml::XmlDocument broken;
    EXPECT_FALSE(broken.Load(WriteFile("broken.xml", "<Root><Item Name=\"a\"></Root>")));
    EXPECT_TRUE(broken.SelectNodes("Root/Item").empty());
}

TEST(XmlDocument, NodesOutliveTheirListAndDocument)
{
    std::string path = WriteFile("keep.xml", "<Root><Item Name=\"kept\"/></Root>");
    kvxml::ComScope com;
    kvxml::XmlNode kept;
    {
        kvxml::XmlDocument document;
        ASSERT_TRUE(document.Load(path));
        kept = document.SelectNodes("Root/Item").at(0);
    }
    std::string value;
    EXPECT_TRUE(kept.Attribute("Name", value));
    EXPECT_EQ("kept", value);
}
