#include "catalogue/row_scanner.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace catalogue {
namespace {

using Token = RowScanner::Token;
using Values = std::map<int, std::string>;

// Columns: 0 ID, 1 Naim, 2 a name the scanner cannot match byte for byte, 3 Table.
RowScanner Scanner() { return RowScanner("z:row", "rs", {"ID", "Naim", "a:b", "Table"}); }

Values ValuesOf(const RowScanner& s) {
  Values v;
  for (const auto& a : s.attributes()) v[a.column] = std::string(a.value);
  return v;
}

struct Case {
  const char* what;
  std::string bytes;
  Token token;
  Values values;
};

TEST(RowScanner, ReadsItsGrammarAndStopsAtTheStartOfAnythingElse) {
  const std::vector<Case> cases = {
      {"plain row", "<z:row ID='1' Naim='Ось'/>", Token::Row, {{0, "1"}, {1, "Ось"}}},
      {"whitespace, double quotes, any order",
       "\n\t<z:row\n Naim = \"a 'b'\"\tID='2' />",
       Token::Row,
       {{0, "2"}, {1, "a 'b'"}}},
      {"no attributes", "<z:row/>", Token::Row, {}},
      {"empty value", "<z:row Naim=''/>", Token::Row, {{1, ""}}},
      {"entities and references",
       "<z:row Naim='&lt;&gt;&amp;&apos;&quot;&#x42F;&#1071;&#x1D11E;&#0065;'/>",
       Token::Row,
       {{1,
         "<>&'\"ЯЯ\xF0\x9D\x84\x9E"
         "A"}}},
      {"line ends and tabs become spaces", "<z:row Naim='a\tb\nc\r\nd\re'/>", Token::Row, {{1, "a b c d e"}}},
      {"referenced line ends stay", "<z:row Naim='&#9;&#10;&#13;'/>", Token::Row, {{1, "\t\n\r"}}},
      {"'>' and the other quote are text", "<z:row Naim='>\"'/>", Token::Row, {{1, ">\""}}},
      {"insert", "  <rs:insert >", Token::InsertStart, {}},
      {"insert end", "</rs:insert>", Token::InsertEnd, {}},
      // Outside the grammar: left to expat.
      {"comment", "<!-- x -->", Token::Other, {}},
      {"text", "x<z:row/>", Token::Other, {}},
      {"other element", "<z:rows/>", Token::Other, {}},
      {"row with content", "<z:row ID='1'></z:row>", Token::Other, {}},
      {"unknown attribute", "<z:row ID='1' Extra='2'/>", Token::Other, {}},
      {"prefixed attribute", "<z:row a:b='1'/>", Token::Other, {}},
      {"namespace declaration", "<z:row xmlns:q='x'/>", Token::Other, {}},
      {"insert with attributes", "<rs:insert a='1'>", Token::Other, {}},
      // Not well-formed: left to expat, which refuses it.
      {"attributes not apart", "<z:row ID='1'Naim='a'/>", Token::Other, {}},
      {"attribute twice", "<z:row ID='1' ID='2'/>", Token::Other, {}},
      {"'<' in a value", "<z:row Naim='a<b'/>", Token::Other, {}},
      {"control byte", "<z:row Naim='\x01'/>", Token::Other, {}},
      {"undefined entity", "<z:row Naim='&nbsp;'/>", Token::Other, {}},
      {"reference to nothing", "<z:row Naim='&#;'/>", Token::Other, {}},
      {"reference to NUL", "<z:row Naim='&#0;'/>", Token::Other, {}},
      {"reference to a surrogate", "<z:row Naim='&#xD800;'/>", Token::Other, {}},
      {"reference past Unicode", "<z:row Naim='&#x110000;'/>", Token::Other, {}},
      {"upper-case X", "<z:row Naim='&#X41;'/>", Token::Other, {}},
      {"overlong UTF-8", "<z:row Naim='\xC0\x80'/>", Token::Other, {}},
      {"UTF-8 surrogate", "<z:row Naim='\xED\xA0\x80'/>", Token::Other, {}},
      {"U+FFFE", "<z:row Naim='\xEF\xBF\xBE'/>", Token::Other, {}},
      {"past U+10FFFF", "<z:row Naim='\xF4\x90\x80\x80'/>", Token::Other, {}},
      {"stray continuation byte", "<z:row Naim='\x80'/>", Token::Other, {}},
      {"lead without continuation",
       "<z:row Naim='\xD0"
       "a'/>",
       Token::Other,
       {}},
      {"unquoted value", "<z:row ID=1/>", Token::Other, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RowScanner s = Scanner();
    const char* p = c.bytes.data();
    const char* end = p + c.bytes.size();
    ASSERT_EQ(s.Next(p, end, true), c.token);
    if (c.token == Token::Other) {
      EXPECT_EQ(p, c.bytes.data() + c.bytes.find_first_not_of(" \t\r\n")) << "stops at the token's start";
      continue;
    }
    EXPECT_EQ(p, end);
    if (c.token == Token::Row) {
      EXPECT_EQ(ValuesOf(s), c.values);
    }

    // Cut anywhere, the token asks for more and stays where it began; at the end of the
    // document it is left to expat.
    for (std::size_t cut = 0; cut < c.bytes.size(); ++cut) {
      const char* q = c.bytes.data();
      ASSERT_EQ(s.Next(q, q + cut, false), Token::NeedMore) << cut;
      const char* r = c.bytes.data();
      ASSERT_EQ(s.Next(r, r + cut, true), Token::Other) << cut;
    }
  }
}

// Characters of every length and references at every place of the 16-byte blocks the scanner
// looks at, in rows whose attributes keep or change their order.
TEST(RowScanner, ValuesAtEveryPlaceOfABlock) {
  RowScanner s = Scanner();
  const std::pair<std::string, std::string> pieces[] = {
      {"Ж", "Ж"},     {"€", "€"},    {"\xF0\x9D\x84\x9E", "\xF0\x9D\x84\x9E"},
      {"&amp;", "&"}, {"\r\n", " "}, {"ЖЖЖЖЖЖЖЖЖ", "ЖЖЖЖЖЖЖЖЖ"}};
  for (const auto& [raw, value] : pieces) {
    for (std::size_t pad = 0; pad < 40; ++pad) {
      const std::string text = std::string(pad, 'a') + raw + "ЯЯb";
      const std::string row =
          pad % 2 ? "<z:row Table='3' Naim='" + text + "' ID='7'/>" : "<z:row ID='7' Naim='" + text + "' Table='3'/>";
      const char* p = row.data();
      ASSERT_EQ(s.Next(p, p + row.size(), true), Token::Row) << row;
      EXPECT_EQ(ValuesOf(s), (Values{{0, "7"}, {1, std::string(pad, 'a') + value + "ЯЯb"}, {3, "3"}})) << row;
    }
  }
}

TEST(RowScanner, PlainNames) {
  for (const char* name : {"ID", "_x", "a-b.c", "Descript2"}) EXPECT_TRUE(RowScanner::IsPlainName(name)) << name;
  for (const char* name : {"", "1a", "-a", "a:b", "xmlns", "XMLfoo", "a b", "Имя"})
    EXPECT_FALSE(RowScanner::IsPlainName(name)) << name;
}

}  // namespace
}  // namespace catalogue
