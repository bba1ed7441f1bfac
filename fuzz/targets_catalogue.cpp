// The catalogue reader and the store's filters.

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ado_reader.h"
#include "catalogue/check.h"
#include "catalogue/filter.h"
#include "catalogue/store.h"
#include "catalogue_writer/ado_writer.h"
#include "scratch.h"
#include "targets.h"

using catalogue::CatalogueStore;
using catalogue::Field;
using catalogue::FieldKind;
using catalogue::Table;

namespace {

// Rows compared after a round trip through the writer; more only cost time.
constexpr std::size_t kRoundTripRows = 4096;
// Records visited by a walk of the store.
constexpr std::size_t kWalkSteps = 256;

// What was read, written again as ADO writes it, must read back with the same values: texts
// exactly, integers and flags as the store reads them (null as 0 and false).
void CheckRoundTrip(const Table& t) {
  const std::size_t rows = std::min(t.size(), kRoundTripRows);
  std::vector<catalogue::RecordData> recs(rows);
  for (std::size_t r = 0; r < rows; ++r) {
    catalogue::RecordData& d = recs[r];
    d.id = t.Integer(r, Field::ID);
    d.fid = t.Integer(r, Field::FID);
    d.number = t.Integer(r, Field::Number);
    d.oboz = t.Text(r, Field::Oboz);
    d.naim = t.Text(r, Field::Naim);
    d.massa = t.Text(r, Field::Massa);
    d.count = t.Text(r, Field::Count);
    d.picture = t.Text(r, Field::Picture);
    d.view = t.Text(r, Field::View);
    d.descript = t.Text(r, Field::Descript);
    d.sostoit = t.Boolean(r, Field::Sostoit);
    d.vozmPokupka = t.Boolean(r, Field::VozmPokupka);
    d.pokupka = t.Boolean(r, Field::Pokupka);
    d.left = t.Integer(r, Field::Left);
    d.top = t.Integer(r, Field::Top);
    d.table = t.Integer(r, Field::Table);
  }
  const auto back = catalogue::ReadAdoText(catalogue::ToAdoXml(recs), "round trip");
  FuzzCheck(back.ok(), "a catalogue written from what was read can be read again");
  FuzzCheck(back->size() == rows, "the round trip keeps every row");
  for (std::size_t r = 0; r < rows; ++r) {
    for (Field f : catalogue::kAllFields) {
      switch (catalogue::KindOf(f)) {
        case FieldKind::Text:
          FuzzCheck(back->Text(r, f) == t.Text(r, f), "the round trip keeps every text");
          break;
        case FieldKind::Boolean:
          FuzzCheck(back->Boolean(r, f) == t.Boolean(r, f), "the round trip keeps every flag");
          break;
        case FieldKind::Integer:
        case FieldKind::Number:
          FuzzCheck(back->Integer(r, f) == t.Integer(r, f), "the round trip keeps every integer");
          break;
      }
    }
  }
}

// Visits at most kWalkSteps records of the filtered set, reading a few fields of each.
std::size_t Walk(CatalogueStore& store) {
  std::size_t n = 0;
  for (store.MoveFirst(); !store.AtEnd() && n < kWalkSteps; store.MoveNext(), ++n) {
    (void)store.GetString(Field::Naim);
    (void)store.GetInteger(Field::FID);
    (void)store.GetBoolean(Field::Pokupka);
  }
  return n;
}

// The store opened on a table that was read: the lookups and filters the browser uses.
void ExerciseStore(Table table) {
  CatalogueStore store;
  const std::size_t rows = table.size();
  store.LoadTable(std::move(table));
  FuzzCheck(static_cast<std::size_t>(store.CountRecords()) == rows, "an unfiltered store counts every record");
  Walk(store);
  if (rows == 0) return;

  const Table& t = store.table();
  const std::int32_t id = t.Integer(0, Field::ID);
  FuzzCheck(store.LocateID(id), "the first record's ID is found");
  FuzzCheck(store.GetInteger(Field::ID) == id, "LocateID lands on a record with that ID");
  const auto naim = store.LookupByID(id, Field::Naim);
  FuzzCheck(naim && *naim == t.Format(0, Field::Naim), "LookupByID gives the first record with that ID");

  const std::int32_t fid = t.Integer(0, Field::FID);
  FuzzCheck(store.ApplyFilter("FID = " + std::to_string(fid)).ok(), "a FID filter is accepted");
  FuzzCheck(store.CountRecords() >= 1, "the FID filter selects the first record");
  for (store.MoveFirst(); !store.AtEnd(); store.MoveNext())
    FuzzCheck(store.GetInteger(Field::FID) == fid, "the FID filter selects only that FID");

  FuzzCheck(store.ApplyFilter("Pokupka = True").ok(), "the basket filter is accepted");
  const int inBasket = store.CountRecords();
  store.MoveFirst();
  if (!store.AtEnd()) {
    store.SetBoolean(Field::Pokupka, false);
    FuzzCheck(store.CountRecords() == inBasket - 1, "a record taken out of the basket leaves the filter");
  }
  Walk(store);
  FuzzCheck(store.ApplyFilter("").ok(), "the empty filter is accepted");
  FuzzCheck(static_cast<std::size_t>(store.CountRecords()) == rows, "the empty filter shows every record");
}

}  // namespace

int FuzzAdoReader(const std::uint8_t* data, std::size_t size) {
  const std::string_view xml(reinterpret_cast<const char*>(data), size);
  auto table = catalogue::ReadAdoText(xml, "fuzz");

  // The same bytes read from a file go through the streaming reader: the same outcome.
  static const std::string path = ScratchPath("catalogue.xml");
  if (WriteScratch(path, data, size)) {
    const auto fromFile = catalogue::ReadAdoFile(path);
    FuzzCheck(fromFile.ok() == table.ok(), "the file and memory readers agree");
    if (fromFile.ok()) FuzzCheck(fromFile->size() == table->size(), "the file and memory readers read as many rows");
  }

  if (!table) {
    FuzzCheck(!table.error().empty(), "a refused catalogue has a reason");
    return 0;
  }
  CheckRoundTrip(table.value());
  // The authors' checker takes whatever the reader accepts (no picture folder: no file system).
  (void)catalogue::CheckCatalogue(table.value(), std::string());
  ExerciseStore(std::move(table).value());
  return 0;
}

// ---- The scanner beside expat --------------------------------------------------------

namespace {

bool SameRecord(const Table::Record& a, const Table::Record& b) {
  return std::equal(std::begin(a.ints), std::end(a.ints), std::begin(b.ints)) && a.textBegin == b.textBegin &&
         std::equal(std::begin(a.textEnd), std::end(a.textEnd), std::begin(b.textEnd)) && a.nullMask == b.nullMask &&
         a.flags == b.flags;
}

// The same table, or both refused; with `sameWords`, refused with the same words. Expat's
// words and place for a refusal depend on how its input was cut into pieces, so only
// readings fed alike are held to them.
void CheckSameOutcome(catalogue::Result<Table>& expat, catalogue::Result<Table>& scanned, bool sameWords) {
  FuzzCheck(expat.ok() == scanned.ok(), "the scanner and expat accept the same documents");
  if (!expat.ok()) {
    if (sameWords) FuzzCheck(expat.error() == scanned.error(), "a refusal says the same through both readers");
    return;
  }
  Table& a = expat.value();
  Table& b = scanned.value();
  FuzzCheck(a.size() == b.size(), "the scanner and expat read as many rows");
  for (std::size_t r = 0; r < a.size(); ++r)
    FuzzCheck(SameRecord(a.records()[r], b.records()[r]), "the scanner and expat build the same records");
  FuzzCheck(a.arena() == b.arena(), "the scanner and expat keep the same texts");
}

}  // namespace

int FuzzAdoRows(const std::uint8_t* data, std::size_t size) {
  using catalogue::RowReader;
  const std::string_view xml(reinterpret_cast<const char*>(data), size);
  auto expat = catalogue::ReadAdoText(xml, "fuzz", RowReader::Expat);
  auto scanned = catalogue::ReadAdoText(xml, "fuzz", RowReader::Scanner);
  CheckSameOutcome(expat, scanned, true);

  // Pieces of 1 to 64 bytes, chosen by the input.
  unsigned sum = 0;
  for (std::size_t i = 0; i < size; ++i) sum += data[i];
  const std::size_t piece = 1 + sum % 64;
  auto streamed = [&](RowReader rows) {
    std::istringstream in{std::string(xml)};
    return catalogue::ReadAdoStream(in, "fuzz", size, rows, piece);
  };
  auto expatStreamed = streamed(RowReader::Expat);
  auto scannedStreamed = streamed(RowReader::Scanner);
  CheckSameOutcome(expatStreamed, scannedStreamed, true);
  CheckSameOutcome(expat, scannedStreamed, false);
  return 0;
}

// ---- Filters --------------------------------------------------------------------------

namespace {

// Two small stores: IDs ascending (the records are their own ID index) and IDs out of order
// with a duplicate. Some rows omit fields, which are then null. Naim names each row.
std::string FixtureXml(bool ascending) {
  std::ostringstream out;
  catalogue::WriteAdoHeader(out);
  const char* rows[] = {
      "ID='1' FID='0' Number='0' Naim='r0' Sostoit='True' VozmPokupka='False' Pokupka='False' Left='0' Top='0' "
      "Table='1'",
      "ID='2' FID='1' Number='1' Naim='r1' Sostoit='False' VozmPokupka='True' Pokupka='True' Left='-5' Top='7' "
      "Table='1'",
      "ID='3' FID='1' Number='2' Naim='r2' Sostoit='True' Table='2'",
      "ID='5' FID='2' Number='-3' Naim='r3' Pokupka='-1' Left='2147483647' Top='-2147483648' Table='2'",
      "ID='8' Naim='r4' Pokupka='1' VozmPokupka='1' Top='0'",
      "ID='9' FID='2' Number='+7' Naim='r5' Sostoit='0' VozmPokupka='True' Pokupka='True' Left='0' Top='3' Table='0'",
  };
  const char* shuffled[] = {
      "ID='9' FID='2' Number='+7' Naim='s0' Sostoit='0' VozmPokupka='True' Pokupka='True' Left='0' Top='3' Table='0'",
      "ID='3' FID='1' Number='2' Naim='s1' Sostoit='True' Table='2'",
      "ID='1' FID='0' Number='0' Naim='s2' Sostoit='True' VozmPokupka='False' Pokupka='False' Left='0' Top='0' "
      "Table='1'",
      "ID='5' FID='2' Number='-3' Naim='s3' Pokupka='-1' Left='2147483647' Top='-2147483648' Table='2'",
      "ID='3' FID='0' Number='4' Naim='s4' Pokupka='True' Left='1' Top='1' Table='1'",
      "Naim='s5' Pokupka='True'",
      "ID='-2' FID='9' Number='1' Naim='s6' VozmPokupka='True' Left='-5' Top='7' Table='3'",
  };
  if (ascending)
    for (const char* r : rows) out << "\t<z:row " << r << "/>\n";
  else
    for (const char* r : shuffled) out << "\t<z:row " << r << "/>\n";
  catalogue::WriteAdoFooter(out);
  return out.str();
}

const Table& Fixture(bool ascending) {
  static const Table tables[2] = {
      [] {
        auto t = catalogue::ReadAdoText(FixtureXml(false), "fixture");
        FuzzCheck(t.ok(), "the fixture catalogue reads");
        return std::move(t).value();
      }(),
      [] {
        auto t = catalogue::ReadAdoText(FixtureXml(true), "fixture");
        FuzzCheck(t.ok(), "the fixture catalogue reads");
        return std::move(t).value();
      }(),
  };
  return tables[ascending ? 1 : 0];
}

// Whether a record passes a filter: its field, as the store reads it, equals the value.
bool Passes(const Table& t, std::size_t row, const catalogue::Filter& f) {
  if (f.all()) return true;
  if (catalogue::KindOf(f.field()) == FieldKind::Boolean) return t.Boolean(row, f.field()) == (f.value() != 0);
  return t.Integer(row, f.field()) == f.value();
}

// The filtered set, walked, is exactly the passing records in file order.
void CheckSelection(CatalogueStore& store, const catalogue::Filter& f) {
  const Table& t = store.table();
  std::vector<std::string> expected;
  for (std::size_t r = 0; r < t.size(); ++r)
    if (Passes(t, r, f)) expected.emplace_back(t.Text(r, Field::Naim));
  std::vector<std::string> seen;
  for (store.MoveFirst(); !store.AtEnd() && seen.size() <= t.size(); store.MoveNext())
    seen.push_back(store.GetString(Field::Naim));
  FuzzCheck(seen == expected, "a filter selects exactly the records whose field has the value, in file order");
  FuzzCheck(store.CountRecords() == static_cast<int>(expected.size()), "CountRecords counts the filtered set");
  for (std::size_t i = 0; i < expected.size(); ++i)
    FuzzCheck(store.GetStringAt(i, Field::Naim) == expected[i], "GetStringAt reads the filtered set by position");
}

}  // namespace

int FuzzFilter(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto parsed = catalogue::Filter::Parse(text);
  if (parsed.ok()) {
    // The canonical form of what was understood reads the same.
    const catalogue::Filter& f = parsed.value();
    const auto again = catalogue::Filter::Parse(f.Text());
    FuzzCheck(again.ok() && again.value() == f, "a filter's canonical form parses to the same filter");
  } else {
    FuzzCheck(!parsed.error().empty(), "a refused filter has a reason");
  }

  for (bool ascending : {true, false}) {
    CatalogueStore store;
    store.LoadTable(Fixture(ascending));
    const auto status = store.ApplyFilter(text);
    FuzzCheck(status.ok() == parsed.ok(), "the store refuses exactly the texts the grammar refuses");
    if (!status.ok()) {
      FuzzCheck(store.CurrentFilter().empty() && store.CountRecords() == static_cast<int>(store.table().size()),
                "a refused filter changes nothing");
      continue;
    }
    FuzzCheck(store.CurrentFilter() == text, "the filter text is kept as given");
    CheckSelection(store, parsed.value());

    // Into and out of the basket under the filter: the set follows the flag at once.
    store.MoveFirst();
    if (!store.AtEnd()) {
      const std::string current = store.GetString(Field::Naim);
      const bool was = store.GetBoolean(Field::Pokupka);
      const int before = store.CountRecords();
      store.SetBoolean(Field::Pokupka, !was);
      const catalogue::Filter& f = parsed.value();
      const bool leaves = !f.all() && f.field() == Field::Pokupka;
      FuzzCheck(store.CountRecords() == before - (leaves ? 1 : 0), "only a Pokupka filter loses the record");
      if (!leaves) FuzzCheck(store.GetString(Field::Naim) == current, "the cursor stays on the record");
      CheckSelection(store, f);
      store.MoveFirst();
      if (!store.AtEnd()) store.SetBoolean(Field::Pokupka, store.GetBoolean(Field::Pokupka));
      CheckSelection(store, f);
    }
    if (parsed->all()) continue;
    // LocateID finds a record of the filtered set, and only such a record.
    for (std::int64_t id : {-2, 1, 3, 5, 8, 9}) {
      const bool found = store.LocateID(id);
      if (found) FuzzCheck(store.GetInteger(Field::ID) == id, "LocateID lands on that ID");
    }
  }
  return 0;
}
