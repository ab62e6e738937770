#include "base/HtmlTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hw {
namespace {

using Kind = HtmlToken::Kind;

std::vector<HtmlToken> Tokens(std::string_view html)
{
    std::vector<HtmlToken> tokens;
    HtmlTokenizer tokenizer(html);
    HtmlToken token;
    while (tokenizer.Next(token))
        tokens.push_back(token);
    return tokens;
}

TEST(HtmlTokenizerTest, TokensCoverTheTextByteForByte)
{
    const std::string html = "<P>Un <b CLASS=x>point</B> g\xc3\xa9od\xc3\xa9sique<br/>\n"
                             "<!-- note --><img src='a.jpg' alt=\"x > y\"> a < b</p>";
    std::string joined;
    for (const HtmlToken& t : Tokens(html))
        joined += t.raw;
    EXPECT_EQ(joined, html);
}

TEST(HtmlTokenizerTest, TagNamesAndAttributesAsABrowserReadsThem)
{
    auto tokens = Tokens("<IMG SRC=a.gif Alt='it''s' width = \"9\" ismap/ title=x/>");
    ASSERT_EQ(tokens.size(), 1u);
    const HtmlToken& img = tokens[0];
    EXPECT_EQ(img.kind, Kind::StartTag);
    EXPECT_EQ(img.name, "img");
    EXPECT_EQ(img.rawName, "IMG");
    ASSERT_EQ(img.attributes.size(), 6u);
    EXPECT_EQ(img.attributes[0].name, "src");
    EXPECT_EQ(img.attributes[0].value, "a.gif");
    EXPECT_EQ(img.attributes[0].raw, "SRC=a.gif");
    EXPECT_EQ(img.attributes[1].value, "it");
    EXPECT_EQ(img.attributes[2].name, "'s'"); // a quote straight after a value starts a name
    EXPECT_EQ(img.attributes[3].name, "width");
    EXPECT_EQ(img.attributes[3].value, "9");
    EXPECT_EQ(img.attributes[3].raw, "width = \"9\"");
    EXPECT_EQ(img.attributes[4].name, "ismap");
    EXPECT_EQ(img.attributes[4].value, "");
    // An unquoted value takes the slash: the tag does not close itself.
    EXPECT_EQ(img.attributes[5].value, "x/");
    EXPECT_FALSE(img.selfClosing);

    auto br = Tokens("<br />");
    EXPECT_TRUE(br[0].selfClosing);
    auto glued = Tokens("<a href=\"x\"onclick=y>");
    ASSERT_EQ(glued[0].attributes.size(), 2u);
    EXPECT_EQ(glued[0].attributes[1].name, "onclick");
}

TEST(HtmlTokenizerTest, WhatIsNotATagStaysText)
{
    for (const char* text : {"a < b", "1<2", "<", "x <3 y", "< script>"}) {
        auto tokens = Tokens(text);
        ASSERT_EQ(tokens.size(), 1u) << text;
        EXPECT_EQ(tokens[0].kind, Kind::Text) << text;
    }
}

TEST(HtmlTokenizerTest, CommentsDeclarationsAndBogusMarkup)
{
    auto tokens = Tokens("<!-- a -- b --><!--><!--->x<!--c--!><?php x?><!DOCTYPE html>"
                         "<![CDATA[y]]></ 1><!x>");
    std::vector<Kind> kinds;
    for (const HtmlToken& t : tokens)
        kinds.push_back(t.kind);
    EXPECT_EQ(kinds,
              (std::vector<Kind>{Kind::Comment, Kind::Comment, Kind::Comment, Kind::Text,
                                 Kind::Comment, Kind::BogusComment, Kind::Doctype,
                                 Kind::BogusComment, Kind::BogusComment, Kind::BogusComment}));
    EXPECT_EQ(tokens[0].text, " a -- b ");
    EXPECT_EQ(tokens[4].text, "c");

    auto open = Tokens("<p>x<!-- never closed <b>");
    EXPECT_EQ(open.back().kind, Kind::Comment);
    EXPECT_FALSE(open.back().terminated);
}

TEST(HtmlTokenizerTest, RawTextRunsToItsOwnEndTagInAnyCase)
{
    auto tokens = Tokens("<SCRIPT>if (a<b) x('</p>')</ScRiPt >after<script>y</scripts");
    ASSERT_EQ(tokens.size(), 6u);
    EXPECT_EQ(tokens[1].kind, Kind::RawText);
    EXPECT_EQ(tokens[1].text, "if (a<b) x('</p>')");
    EXPECT_TRUE(tokens[1].terminated);
    EXPECT_EQ(tokens[2].kind, Kind::EndTag);
    EXPECT_EQ(tokens[2].name, "script");
    EXPECT_EQ(tokens[3].raw, "after");
    EXPECT_EQ(tokens[5].kind, Kind::RawText);
    EXPECT_EQ(tokens[5].text, "y</scripts");
    EXPECT_FALSE(tokens[5].terminated);

    auto title = Tokens("<title><b>t</b></title>");
    ASSERT_EQ(title.size(), 3u);
    EXPECT_EQ(title[1].text, "<b>t</b>");
}

TEST(HtmlTokenizerTest, TagsCutOffByTheEndAreIncomplete)
{
    for (const char* html : {"<img src=x onerror=alert(1)", "<a href=\"x", "<p ", "</", "<b"}) {
        auto tokens = Tokens(html);
        ASSERT_FALSE(tokens.empty()) << html;
        EXPECT_EQ(tokens.back().kind, Kind::Incomplete) << html;
        EXPECT_EQ(tokens.back().raw, html);
    }
}

TEST(HtmlTokenizerTest, CharacterReferences)
{
    EXPECT_EQ(DecodeHtmlCharacterReferences("jav&#x61;script&colon;", true), "javascript:");
    EXPECT_EQ(DecodeHtmlCharacterReferences("&#106&#97;&#X76;&#0000097", true), "jav\x61");
    EXPECT_EQ(DecodeHtmlCharacterReferences("a&Tab;b&NewLine;c", true), "a\tb\nc");
    EXPECT_EQ(DecodeHtmlCharacterReferences("&amp;&lt;&gt;&quot;&nbsp;", false), "&<>\"\xc2\xa0");
    EXPECT_EQ(DecodeHtmlCharacterReferences("&#0;&#x110000;&#xD800;", false),
              "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd");
    // Unknown names and a bare "&" stay as written.
    EXPECT_EQ(DecodeHtmlCharacterReferences("&eacute; & &#; &#x;", false), "&eacute; & &#; &#x;");
    // Legacy names without ";": read in text, not before a letter in an attribute.
    EXPECT_EQ(DecodeHtmlCharacterReferences("a&ampb", false), "a&b");
    EXPECT_EQ(DecodeHtmlCharacterReferences("?a=1&ampb=2", true), "?a=1&ampb=2");
    EXPECT_EQ(DecodeHtmlCharacterReferences("&amp", true), "&");
}

} // namespace
} // namespace hw
