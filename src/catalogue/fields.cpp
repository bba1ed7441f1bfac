#include "catalogue/fields.h"

namespace catalogue {

namespace {

struct FieldInfo {
  std::string_view name;
  FieldKind kind;
  int textSlot;
  int boolSlot;
};

constexpr std::array<FieldInfo, kFieldCount> kInfo = {{
    {"ID", FieldKind::Integer, -1, -1},
    {"FID", FieldKind::Integer, -1, -1},
    {"Number", FieldKind::Number, 0, -1},
    {"Oboz", FieldKind::Text, 1, -1},
    {"Naim", FieldKind::Text, 2, -1},
    {"Massa", FieldKind::Text, 3, -1},
    {"Count", FieldKind::Text, 4, -1},
    {"Picture", FieldKind::Text, 5, -1},
    {"View", FieldKind::Text, 6, -1},
    {"Descript", FieldKind::Text, 7, -1},
    {"Sostoit", FieldKind::Boolean, -1, 0},
    {"VozmPokupka", FieldKind::Boolean, -1, 1},
    {"Pokupka", FieldKind::Boolean, -1, 2},
    {"Left", FieldKind::Integer, -1, -1},
    {"Top", FieldKind::Integer, -1, -1},
    {"Table", FieldKind::Integer, -1, -1},
}};

const FieldInfo& Info(Field f) { return kInfo[static_cast<std::size_t>(f)]; }

}  // namespace

std::string_view FieldName(Field f) { return Info(f).name; }
FieldKind KindOf(Field f) { return Info(f).kind; }
int TextSlot(Field f) { return Info(f).textSlot; }
int BoolSlot(Field f) { return Info(f).boolSlot; }

// ASCII letters only, whatever the locale: a byte of a multi-byte UTF-8 character is never
// folded into another.
bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c; };
  for (std::size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

std::optional<Field> FieldByName(std::string_view name) {
  for (Field f : kAllFields)
    if (EqualsIgnoreCase(FieldName(f), name)) return f;
  return std::nullopt;
}

}  // namespace catalogue
