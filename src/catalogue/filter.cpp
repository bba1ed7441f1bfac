#include "catalogue/filter.h"

#include <charconv>
#include <string>

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

Result<Filter> ParseFilter(std::string_view text) {
  const std::string_view body = Trim(text);
  if (body.empty()) return Filter{};

  const auto eq = body.find('=');
  if (eq == std::string_view::npos)
    return Refuse(text, "expected <field> = <integer>|True|False");
  const std::string_view name = Trim(body.substr(0, eq));
  const std::string_view value = Trim(body.substr(eq + 1));
  const auto field = FieldByName(name);
  if (!field) return Refuse(text, "unknown field \"" + std::string(name) + "\"");
  if (value.empty()) return Refuse(text, "no value after \"=\"");

  Filter f;
  f.all = false;
  f.field = *field;
  switch (KindOf(*field)) {
    case FieldKind::Boolean:
      if (EqualsIgnoreCase(value, "True")) {
        f.value = 1;
      } else if (EqualsIgnoreCase(value, "False")) {
        f.value = 0;
      } else {
        return Refuse(text, std::string(FieldName(*field)) + " takes True or False");
      }
      return f;
    case FieldKind::Integer:
    case FieldKind::Number: {
      const char* begin = value.data();
      const char* end = value.data() + value.size();
      auto [p, ec] = std::from_chars(begin, end, f.value);
      if (ec != std::errc() || p != end)
        return Refuse(text, std::string(FieldName(*field)) + " takes a decimal integer");
      return f;
    }
    case FieldKind::Text:
      break;
  }
  return Refuse(text, "the text field " + std::string(FieldName(*field)) + " cannot be filtered");
}

}  // namespace catalogue
