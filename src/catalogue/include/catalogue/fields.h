#pragma once
// The sixteen fields of a catalogue record and how each one is read.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

enum class Field : std::uint8_t {
  ID,
  FID,
  Number,
  Oboz,
  Naim,
  Massa,
  Count,
  Picture,
  View,
  Descript,
  Sostoit,
  VozmPokupka,
  Pokupka,
  Left,
  Top,
  Table,
};

inline constexpr int kFieldCount = 16;

// Every field in record order.
inline constexpr std::array<Field, kFieldCount> kAllFields = {
    Field::ID,      Field::FID,     Field::Number, Field::Oboz,     Field::Naim,    Field::Massa,
    Field::Count,   Field::Picture, Field::View,   Field::Descript, Field::Sostoit, Field::VozmPokupka,
    Field::Pokupka, Field::Left,    Field::Top,    Field::Table,
};

// Integer: ID, FID, Left, Top, Table. Text: the descriptive fields.
// Boolean: the three flags. Number is a whole number kept both as its text and as an integer.
enum class FieldKind : std::uint8_t { Integer, Text, Boolean, Number };

std::string_view FieldName(Field f);
FieldKind KindOf(Field f);

// Field names are matched without regard to (ASCII) letter case: "Fid" finds FID.
std::optional<Field> FieldByName(std::string_view name);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Slot of a text-bearing field (Number and the Text fields) in a record's text block.
inline constexpr int kTextSlots = 8;
int TextSlot(Field f);  // -1 for fields that carry no text

// Slot of a Boolean field in a record's flag byte.
int BoolSlot(Field f);  // -1 for non-Boolean fields

// A record as the texts of its fields in record order, each in the form the table prints it
// (integers in decimal, Booleans True/False); no value where the field is null.
using RecordTexts = std::array<std::optional<std::string>, kFieldCount>;

}  // namespace catalogue
