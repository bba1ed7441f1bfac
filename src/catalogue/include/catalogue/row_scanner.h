#pragma once
// Reads the rows of an ADO data section straight from the bytes, for the narrow grammar that
// ADO itself writes: empty row elements with attributes that are schema columns, whitespace
// between them, and rs:insert wrappers. Whatever lies outside that grammar (a comment, another
// element, an attribute the schema does not name, a row with content) is not read: the
// scanner stops at the start of that token so that a full XML parser can go on from there.
//
// Values come out as XML defines them: the five predefined entities and character references
// replaced, tab, line feed and carriage return normalised to spaces (a CR LF pair to one), and
// the UTF-8 checked to be valid and made of characters XML allows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

class RowScanner {
 public:
  // `rowTag` is the row element's qualified name as the rows write it ("z:row"), `rowsetPrefix`
  // the prefix of the rowset namespace ("rs"; empty for the default namespace), `columns` the
  // schema's attribute names by column. A column whose name is not a plain ASCII name is never
  // matched, so its rows are left to the parser.
  RowScanner(std::string_view rowTag, std::string_view rowsetPrefix, const std::vector<std::string>& columns);

  enum class Token {
    Row,          // a row element: attributes() holds its values
    InsertStart,  // <rs:insert>
    InsertEnd,    // </rs:insert>
    NeedMore,     // the token is cut off by the end of the bytes: call again with more
    Other,        // outside the grammar, or not well-formed: the parser takes over here
  };

  struct Attribute {
    int column;
    std::string_view value;
  };

  // Reads one token after any whitespace from [p, end); `last` when no bytes follow `end`.
  // On Row, InsertStart and InsertEnd `p` moves past the token; otherwise it stays at the
  // token's start (past the whitespace). The values of a row stay valid until the next call.
  Token Next(const char*& p, const char* end, bool last);

  const std::vector<Attribute>& attributes() const { return attributes_; }

  // Whether a name can be matched byte for byte: ASCII letters, digits, '_', '-' and '.',
  // not starting with a digit, '-', '.' or "xml" in any case, and no namespace prefix.
  static bool IsPlainName(std::string_view name);

 private:
  enum class Step { Done, NeedMore, Other };
  Step ReadRow(const char*& p, const char* end, bool last);
  Step ReadValue(const char*& p, const char* end, bool last, char quote, std::size_t& scratchAt, std::size_t& length,
                 bool& copied);
  int ColumnAt(const char* p, const char* end, std::size_t position, std::size_t& nameLength);

  std::string rowOpen_;      // "<z:row"
  std::string insertOpen_;   // "<rs:insert"
  std::string insertClose_;  // "</rs:insert"
  std::vector<std::string> columns_;
  std::vector<int> lastOrder_;       // the columns of the previous row, in its order
  std::vector<std::uint64_t> seen_;  // row number in which each column was last given
  std::uint64_t rowNumber_ = 0;
  std::string scratch_;  // decoded values of the current row
  struct Pending {
    int column;
    bool copied;  // in scratch_ rather than in the input
    const char* at;
    std::size_t scratchAt, length;
  };
  std::vector<Pending> pending_;
  std::vector<Attribute> attributes_;
};

}  // namespace catalogue
