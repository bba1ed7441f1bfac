#pragma once
// The store's filters: every record, or one field equal to a value. Code builds them with the
// named constructors, which cannot fail; a filter written as text ("FID = 12", as catalogue
// authors and the parts-list tabs write it) is parsed and may be refused.

#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/fields.h"
#include "catalogue/status.h"

namespace catalogue {

class Filter {
 public:
  // Every record: the empty expression.
  static Filter All() { return Filter(); }
  // The children of a node: FID = id.
  static Filter ChildrenOf(std::int64_t id) { return Filter(Field::FID, id); }
  // A group of the parts list: Table = n.
  static Filter Group(std::int64_t table) { return Filter(Field::Table, table); }
  // A Boolean field with a value: Pokupka = True is the basket.
  static Filter FlagIs(Field flag, bool value) { return Filter(flag, value ? 1 : 0); }

  // The text form: empty (every record), or <field> = <decimal integer> for the integer fields
  // and Number, or <field> = True|False (any letter case) for the Boolean fields, with blanks
  // around the parts allowed. Text fields cannot be filtered; anything else is refused.
  static Result<Filter> Parse(std::string_view text);

  bool all() const { return all_; }
  Field field() const { return field_; }
  std::int64_t value() const { return value_; }  // the integer, or 1/0 for True/False

  // The filter as text, as Parse reads it: "" or "FID = 12" or "Pokupka = True".
  std::string Text() const;

  bool operator==(const Filter&) const = default;

 private:
  Filter() = default;
  Filter(Field field, std::int64_t value) : all_(false), field_(field), value_(value) {}

  bool all_ = true;
  Field field_ = Field::ID;
  std::int64_t value_ = 0;
};

}  // namespace catalogue
