#include "catalogue/filter.h"

#include <charconv>

namespace catalogue {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

Result<Filter> Refuse(std::string_view text, const std::string& why) {
  return Result<Filter>::Fail("filter \"" + std::string(text) + "\": " + why);
}

}  // namespace

Result<Filter> Filter::Parse(std::string_view text) {
  const std::string_view body = Trim(text);
  if (body.empty()) return All();

  const auto eq = body.find('=');
  if (eq == std::string_view::npos) return Refuse(text, "expected <field> = <integer>|True|False");
  const std::string_view name = Trim(body.substr(0, eq));
  const std::string_view value = Trim(body.substr(eq + 1));
  const auto field = FieldByName(name);
  if (!field) return Refuse(text, "unknown field \"" + std::string(name) + "\"");
  if (value.empty()) return Refuse(text, "no value after \"=\"");

  switch (KindOf(*field)) {
    case FieldKind::Boolean:
      if (EqualsIgnoreCase(value, "True")) return FlagIs(*field, true);
      if (EqualsIgnoreCase(value, "False")) return FlagIs(*field, false);
      return Refuse(text, std::string(FieldName(*field)) + " takes True or False");
    case FieldKind::Integer:
    case FieldKind::Number: {
      std::int64_t n = 0;
      const char* end = value.data() + value.size();
      auto [p, ec] = std::from_chars(value.data(), end, n);
      if (ec != std::errc() || p != end)
        return Refuse(text, std::string(FieldName(*field)) + " takes a decimal integer");
      return Filter(*field, n);
    }
    case FieldKind::Text:
      break;
  }
  return Refuse(text, "the text field " + std::string(FieldName(*field)) + " cannot be filtered");
}

std::string Filter::Text() const {
  if (all_) return {};
  std::string text(FieldName(field_));
  text += " = ";
  if (KindOf(field_) == FieldKind::Boolean)
    text += value_ != 0 ? "True" : "False";
  else
    text += std::to_string(value_);
  return text;
}

}  // namespace catalogue
