// Packs the order template's parts into an Office Open XML package.
//   make-template <package> <source dir> <part>...
// [Content_Types].xml of the source directory goes first, as Office writes it, then the parts
// named. Every XML part must be well-formed. The entries carry a fixed time so that the same
// sources give the same package.

#include <zip.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <pugixml.hpp>
#include <string>
#include <vector>

namespace {

bool ReadFile(const std::string& path, std::string* data) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  data->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: make-template <package> <source dir> <part>...\n";
    return 2;
  }
  const std::string output = argv[1];
  const std::string source = argv[2];
  std::vector<std::string> parts{"[Content_Types].xml"};
  for (int i = 3; i < argc; ++i)
    if (parts[0] != argv[i]) parts.emplace_back(argv[i]);

  std::vector<std::string> data(parts.size());
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::string path = source + "/" + parts[i];
    if (!ReadFile(path, &data[i])) {
      std::cerr << "make-template: cannot read " << path << "\n";
      return 1;
    }
    if (EndsWith(parts[i], ".xml") || EndsWith(parts[i], ".rels")) {
      pugi::xml_document xml;
      const pugi::xml_parse_result r = xml.load_buffer(data[i].data(), data[i].size());
      if (!r) {
        std::cerr << path << ": not well-formed XML: " << r.description() << " at byte " << r.offset << "\n";
        return 1;
      }
    }
  }

  int err = 0;
  zip_t* z = zip_open(output.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
  if (!z) {
    zip_error_t e;
    zip_error_init_with_code(&e, err);
    std::cerr << "make-template: cannot create " << output << ": " << zip_error_strerror(&e) << "\n";
    zip_error_fini(&e);
    return 1;
  }
  std::tm when{};
  when.tm_year = 2024 - 1900;
  when.tm_mon = 0;
  when.tm_mday = 15;
  when.tm_hour = 12;
  const time_t fixed = std::mktime(&when);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    zip_source_t* s = zip_source_buffer(z, data[i].data(), data[i].size(), 0);
    const zip_int64_t index = s ? zip_file_add(z, parts[i].c_str(), s, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0 || zip_file_set_mtime(z, static_cast<zip_uint64_t>(index), fixed, 0) != 0) {
      std::cerr << "make-template: cannot add " << parts[i] << ": " << zip_strerror(z) << "\n";
      if (index < 0 && s) zip_source_free(s);
      zip_discard(z);
      std::remove(output.c_str());
      return 1;
    }
  }
  if (zip_close(z) != 0) {
    std::cerr << "make-template: cannot write " << output << ": " << zip_strerror(z) << "\n";
    zip_discard(z);
    std::remove(output.c_str());
    return 1;
  }
  return 0;
}
