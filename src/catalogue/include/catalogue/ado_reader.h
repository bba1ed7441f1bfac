#pragma once
// Reads a table persisted by Microsoft ADO in its XML format (schema, then rows as
// attributes) into a catalogue Table, streaming, without building a document tree.

#include <string>
#include <string_view>

#include "catalogue/status.h"
#include "catalogue/table.h"

namespace catalogue {

// Reads the file at a UTF-8 path. On any problem (missing, unreadable, not well-formed,
// a field missing from the schema, a value that is not of its field's type) the result
// holds no table and says what and where; a half-read table is never returned.
Result<Table> ReadAdoFile(const std::string& path);

// The same for a document already in memory; `name` stands for it in error texts.
Result<Table> ReadAdoText(std::string_view xml, const std::string& name = "catalogue");

}  // namespace catalogue
