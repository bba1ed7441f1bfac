#pragma once
// The built-in word processor used for the order document where Word cannot be driven: a
// WordprocessingML package (.docx) made from a template and edited through a selection, the
// way the export drives Word's Selection object.
//
// Text model. The editable text is the main document body (headers, footers, text boxes and
// notes are kept untouched and are not searched). Every body paragraph, whether it stands in
// the body, in a table cell (also a nested one) or in a content control, holds a run of
// characters; a character is one Unicode code point of w:t text, a w:tab or w:ptab ("\t"),
// a w:br or w:cr ("\n"), a w:noBreakHyphen (U+2011) or a w:softHyphen (U+00AD). Field
// instructions, deleted and moved-away text are not text. A position is a paragraph and an
// offset 0..length in it; the step from the end of one paragraph to the start of the next
// (also from one cell to the next cell, row or the paragraph after a table) is one character.
//
// Text handed in is UTF-8; "\t" becomes a tab, "\n", "\r\n", "\r", "\v" and "\f" a line
// break, other control characters are dropped and invalid UTF-8 becomes U+FFFD, so that the
// saved package is always well-formed.

#include <memory>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/status.h"

namespace order {

// Why a template in the Word 97-2003 format cannot be used, and what to do: the engine reads
// only Office Open XML.
inline constexpr const char* kWord97Template =
    "Шаблон сохранён в формате Word 97–2003. Установите LibreOffice или сохраните шаблон в формате Word (.dotx).";

// Whether the file is a Word 97-2003 document or template (an OLE compound file).
bool IsWord97File(const std::string& path);

class DocxDocument {
 public:
  // A new document from an OOXML package (.dotx, .docx or any extension): the template's
  // body with the selection collapsed at the start of its text; a template's main part is
  // typed as a document when saved. Refused, with the reason, when the file is missing,
  // not a package, holds no WordprocessingML main part or one with macros, holds malformed
  // XML, a DOCTYPE or elements nested over 256 deep, or has parts inflating beyond 64 MiB
  // (the main part) or 256 MiB (all parts).
  static base::Result<std::unique_ptr<DocxDocument>> FromTemplate(const std::string& templatePath);
  ~DocxDocument();
  DocxDocument(const DocxDocument&) = delete;
  DocxDocument& operator=(const DocxDocument&) = delete;

  // Selection.Find forward from the selection's end, within single paragraphs, exact and
  // case-sensitive. Found: the text becomes the selection. Not found: nothing changes.
  bool Find(const std::string& text);

  // Selection.Delete: a non-collapsed selection is removed and collapses where it began (one
  // over several paragraphs or cells, such as a selected row, loses its text while the
  // paragraphs and cells stay); a collapsed one removes the character after it, and nothing
  // at the end of its paragraph or cell. True, as Word's call succeeds, also when there was
  // nothing to remove; false only for a document without any paragraph.
  bool Delete();
  // Selection.Delete with a count of characters: a non-collapsed selection goes first as one
  // unit, then characters after the insertion point, never past the paragraph's or cell's
  // end. True likewise; false for a count below 1.
  bool DeleteChars(int count);

  // Selection.InsertAfter: the text goes after the selection, which then covers it too. It
  // takes the formatting of the text just deleted at this point, otherwise of the run before
  // the point, otherwise of the paragraph's first run or of its paragraph mark.
  bool InsertAfter(const std::string& text);

  // Selection.MoveRight/MoveLeft by characters. Collapsing a non-collapsed selection (to its
  // end, or its start) is the first step. Moves as far as possible; false when fewer than
  // `count` steps could be made.
  bool MoveRight(int count = 1);
  bool MoveLeft(int count = 1);

  // Selection.InsertRows: `count` empty rows above the row holding the selection's start,
  // each with that row's row, cell, paragraph and first-run formatting. The new rows, with
  // their row end, become the selection: it runs to the start of the row below them, where
  // MoveRight(1) lands; MoveLeft(1) lands at the start of their first cell. False outside a
  // table.
  bool InsertRows(int count = 1);

  // Writes a .docx package. The file appears complete or not at all; an existing file is
  // never replaced (refused, with the reason).
  base::Status Save(const std::string& path) const;

  // The selected text; paragraph and cell boundaries inside it read "\n".
  std::string SelectedText() const;
  bool SelectionCollapsed() const;
  // Whether the selection's start lies in a table cell.
  bool SelectionInTable() const;
  // The body text, one line per paragraph (each paragraph followed by "\n").
  std::string Text() const;
  // Tables of the body in the order they begin (a table before the tables nested in it).
  int TableCount() const;
  // Rows of cells of one table; a cell's paragraphs are joined by "\n". Empty when there is
  // no such table.
  std::vector<std::vector<std::string>> TableText(int tableIndex) const;

 private:
  struct Impl;
  explicit DocxDocument(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace order
