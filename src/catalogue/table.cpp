#include "catalogue/table.h"

#include <charconv>

namespace catalogue {

int IntSlot(Field f) {
  switch (f) {
    case Field::ID:
      return 0;
    case Field::FID:
      return 1;
    case Field::Number:
      return 2;
    case Field::Left:
      return 3;
    case Field::Top:
      return 4;
    case Field::Table:
      return 5;
    default:
      return -1;
  }
}

std::int32_t Table::Integer(std::size_t row, Field f) const {
  if (IsNull(row, f)) return 0;
  if (int s = IntSlot(f); s >= 0) return records_[row].ints[s];
  if (BoolSlot(f) >= 0) return Boolean(row, f) ? 1 : 0;
  std::string_view t = Text(row, f);
  std::int32_t v = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  return (ec == std::errc() && end == t.data() + t.size()) ? v : 0;
}

std::string_view Table::Text(std::size_t row, Field f) const {
  int s = TextSlot(f);
  if (s < 0) return {};
  const Record& r = records_[row];
  std::uint32_t begin = s == 0 ? r.textBegin : r.textEnd[s - 1];
  return std::string_view(arena_.data() + begin, r.textEnd[s] - begin);
}

bool Table::Boolean(std::size_t row, Field f) const {
  if (int s = BoolSlot(f); s >= 0) return (records_[row].flags >> s) & 1u;
  if (IntSlot(f) >= 0) return Integer(row, f) != 0;
  std::string_view t = Text(row, f);
  return EqualsIgnoreCase(t, "True") || t == "1" || t == "-1";
}

std::string Table::Format(std::size_t row, Field f) const {
  if (IsNull(row, f)) return {};
  switch (KindOf(f)) {
    case FieldKind::Integer:
      return std::to_string(Integer(row, f));
    case FieldKind::Boolean:
      return Boolean(row, f) ? "True" : "False";
    case FieldKind::Text:
    case FieldKind::Number:
      return std::string(Text(row, f));
  }
  return {};
}

void Table::SetBoolean(std::size_t row, Field f, bool value) {
  int s = BoolSlot(f);
  if (s < 0) return;
  Record& r = records_[row];
  r.flags = static_cast<std::uint8_t>(value ? (r.flags | (1u << s)) : (r.flags & ~(1u << s)));
  r.nullMask = static_cast<std::uint16_t>(r.nullMask & ~(1u << static_cast<int>(f)));
}

}  // namespace catalogue
