#pragma once
// Writes catalogue records as a table persisted in ADO's XML format, as ADO itself writes
// it. Used by the demo generator, the tests and the benchmarks to make catalogue files, and
// by catalogue-tool's import.

#include <ostream>
#include <string>
#include <vector>

#include "catalogue/fields.h"

namespace catalogue {

struct RecordData {
  int id = 0;
  int fid = 0;
  int number = 0;
  std::string oboz, naim, massa, count, picture, view, descript;
  bool sostoit = false;
  bool vozmPokupka = false;
  bool pokupka = false;
  int left = 0;
  int top = 0;
  int table = 0;
};

void WriteAdoHeader(std::ostream& out);
// Texts that are empty are omitted, as ADO omits null fields.
void WriteAdoRow(std::ostream& out, const RecordData& r);
// Each field with a value becomes an attribute, written as it is (escaped); a field without
// one is omitted (null). The values must be of their fields' types: the reader refuses others.
void WriteAdoRow(std::ostream& out, const RecordTexts& r);
void WriteAdoFooter(std::ostream& out);

std::string ToAdoXml(const std::vector<RecordData>& records);
std::string TextsToAdoXml(const std::vector<RecordTexts>& records);
bool WriteAdoFile(const std::string& path, const std::vector<RecordData>& records);

// Escapes a text for an XML attribute value in single quotes.
std::string XmlAttributeEscape(const std::string& text);

}  // namespace catalogue
