#pragma once
// The catalogue table in memory: fixed-size records, all texts in one arena.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/fields.h"

namespace catalogue {

// Integer-bearing fields (the integer fields and Number) in a record's integer block.
int IntSlot(Field f);  // -1 for fields without an integer value

class Table {
 public:
  struct Record {
    std::int32_t ints[6];               // ID, FID, Number, Left, Top, Table
    std::uint32_t textBegin;            // offset of the record's first text in the arena
    std::uint32_t textEnd[kTextSlots];  // end offset of each text; text i starts where i-1 ends
    std::uint16_t nullMask;             // bit per field (enum order): the attribute was omitted
    std::uint8_t flags;                 // bit per Boolean slot
  };

  std::size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }

  bool IsNull(std::size_t row, Field f) const { return (records_[row].nullMask >> static_cast<int>(f)) & 1u; }
  // Integer value of an integer field or of Number; Booleans give 1 or 0; a text gives its
  // value when it is a whole number, else 0. Null reads as 0.
  std::int32_t Integer(std::size_t row, Field f) const;
  // Raw text of Number or a text field; empty for other fields and for null.
  std::string_view Text(std::size_t row, Field f) const;
  bool Boolean(std::size_t row, Field f) const;
  // The field as text: integers in decimal, Booleans "True"/"False", null as the empty text.
  std::string Format(std::size_t row, Field f) const;

  void SetBoolean(std::size_t row, Field f, bool value);

  // Building (the reader); texts of a record are appended in slot order.
  void ReserveRecords(std::size_t n) { records_.reserve(n); }
  void ReserveText(std::size_t bytes) { arena_.reserve(bytes); }
  std::size_t textBytes() const { return arena_.size(); }
  std::string& arena() { return arena_; }
  std::vector<Record>& records() { return records_; }
  const std::vector<Record>& records() const { return records_; }

 private:
  std::vector<Record> records_;
  std::string arena_;
};

}  // namespace catalogue
