#pragma once
// The store's filter expressions: empty (every record), or <field> = <decimal integer>,
// or <field> = True|False.

#include <cstdint>
#include <string_view>

#include "catalogue/fields.h"
#include "catalogue/status.h"

namespace catalogue {

struct Filter {
  bool all = true;  // the empty expression
  Field field = Field::ID;
  std::int64_t value = 0;  // the integer, or 1/0 for True/False
};

// Integer fields (and Number) take a decimal integer, Boolean fields True or False (any
// letter case); text fields cannot be filtered. Anything else is refused. A record passes when
// its field, read as the store reads it (a null as 0 or False), equals the value.
Result<Filter> ParseFilter(std::string_view text);

}  // namespace catalogue
