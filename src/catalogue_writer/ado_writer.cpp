#include "catalogue_writer/ado_writer.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace catalogue {

void WriteAdoHeader(std::ostream& out) {
  auto column = [&](const char* name, int number, const char* type, const char* extra) {
    out << "\t\t<s:AttributeType name='" << name << "' rs:number='" << number
        << "' rs:nullable='true' rs:writeunknown='true'>\n"
        << "\t\t\t<s:datatype dt:type='" << type << "'" << extra << "/>\n"
        << "\t\t</s:AttributeType>\n";
  };
  const char* text = " rs:dbtype='str' dt:maxLength='255'";
  const char* integer = " dt:maxLength='4' rs:precision='10' rs:fixedlength='true'";
  const char* boolean = " dt:maxLength='2' rs:fixedlength='true'";
  out << "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\n"
         "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\n"
         "\txmlns:rs='urn:schemas-microsoft-com:rowset'\n"
         "\txmlns:z='#RowsetSchema'>\n"
         "<s:Schema id='RowsetSchema'>\n"
         "\t<s:ElementType name='row' content='eltOnly' rs:updatable='true'>\n";
  int number = 0;
  for (Field f : kAllFields) {
    const FieldKind kind = KindOf(f);
    const bool whole = kind == FieldKind::Integer || kind == FieldKind::Number;  // Number is an int column
    const std::string name(FieldName(f));
    if (f == Field::Descript)
      column(name.c_str(), ++number, "string", " rs:dbtype='str' dt:maxLength='536870910' rs:long='true'");
    else if (kind == FieldKind::Boolean)
      column(name.c_str(), ++number, "boolean", boolean);
    else
      column(name.c_str(), ++number, whole ? "int" : "string", whole ? integer : text);
  }
  out << "\t\t<s:extends type='rs:rowbase'/>\n"
         "\t</s:ElementType>\n"
         "</s:Schema>\n"
         "<rs:data>\n";
}

std::string XmlAttributeEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\r':
        out += "&#xd;";
        break;
      case '\n':
        out += "&#xa;";
        break;
      case '\t':
        out += "&#x9;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void WriteAdoRow(std::ostream& out, const RecordTexts& r) {
  out << "\t<z:row";
  for (Field f : kAllFields) {
    if (const auto& v = r[static_cast<std::size_t>(f)])
      out << ' ' << FieldName(f) << "='" << XmlAttributeEscape(*v) << '\'';
  }
  out << "/>\n";
}

void WriteAdoRow(std::ostream& out, const RecordData& r) {
  auto text = [](const std::string& v) { return v.empty() ? std::nullopt : std::optional<std::string>(v); };
  auto flag = [](bool b) { return std::string(b ? "True" : "False"); };
  WriteAdoRow(out, RecordTexts{std::to_string(r.id), std::to_string(r.fid), std::to_string(r.number), text(r.oboz),
                               text(r.naim), text(r.massa), text(r.count), text(r.picture), text(r.view),
                               text(r.descript), flag(r.sostoit), flag(r.vozmPokupka), flag(r.pokupka),
                               std::to_string(r.left), std::to_string(r.top), std::to_string(r.table)});
}

void WriteAdoFooter(std::ostream& out) { out << "</rs:data>\n</xml>\n"; }

namespace {

template <class Records>
std::ostream& WriteAdo(std::ostream& out, const Records& records) {
  WriteAdoHeader(out);
  for (const auto& r : records) WriteAdoRow(out, r);
  WriteAdoFooter(out);
  return out;
}

}  // namespace

std::string ToAdoXml(const std::vector<RecordData>& records) {
  std::ostringstream out;
  WriteAdo(out, records);
  return out.str();
}

std::string TextsToAdoXml(const std::vector<RecordTexts>& records) {
  std::ostringstream out;
  WriteAdo(out, records);
  return out.str();
}

bool WriteAdoFile(const std::string& path, const std::vector<RecordData>& records) {
  std::ofstream out(std::filesystem::path(std::u8string(path.begin(), path.end())), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  return static_cast<bool>(WriteAdo(out, records).flush());
}

}  // namespace catalogue
