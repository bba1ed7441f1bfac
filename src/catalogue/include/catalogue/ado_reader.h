#pragma once
// Reads a table persisted by Microsoft ADO in its XML format (schema, then rows as
// attributes) into a catalogue Table, streaming, without building a document tree.

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

#include "catalogue/status.h"
#include "catalogue/table.h"

namespace catalogue {

// How the rows of the data section are read. Expat reads the rest of the document either way.
// Scanner: a scanner for the row grammar ADO writes reads the rows and hands anything else to
// expat; should the document then be refused, it is read again with expat alone, so that the
// refusal says what and where exactly as expat-only reading does. Expat: expat reads everything.
// Both give the same table or both refuse; the program uses the default, the other is for
// tests, fuzzing and benchmarks.
enum class RowReader { Scanner, Expat };

// Reads the file at a UTF-8 path. On any problem (missing, unreadable, not well-formed,
// a field missing from the schema, a value that is not of its field's type) the result
// holds no table and says what and where; a half-read table is never returned.
Result<Table> ReadAdoFile(const std::string& path, RowReader rows = RowReader::Scanner);

// The same for a document already in memory; `name` stands for it in error texts.
Result<Table> ReadAdoText(std::string_view xml, const std::string& name = "catalogue",
                          RowReader rows = RowReader::Scanner);

// The same for a stream, read in pieces of `piece` bytes; `sizeHint` is its expected size (0
// when unknown). A refused document is read again from the stream's start, so it must seek.
Result<Table> ReadAdoStream(std::istream& in, const std::string& name, std::size_t sizeHint,
                            RowReader rows = RowReader::Scanner, std::size_t piece = std::size_t{1} << 20);

}  // namespace catalogue
