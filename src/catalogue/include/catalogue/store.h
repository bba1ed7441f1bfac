#pragma once
// The catalogue store: the table in memory with one filter and one cursor, which the parts grid
// is bound to, and read-only questions (a record by ID, the children of a node, the rows of a
// filter) that move neither. Filters are answered from indexes built at load, so applying one
// costs in proportion to the records it selects.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ado_reader.h"
#include "catalogue/fields.h"
#include "catalogue/filter.h"
#include "catalogue/status.h"
#include "catalogue/table.h"

namespace catalogue {

// Rows grouped by the value of one integer field; each group in file order.
class IntIndex {
 public:
  template <class KeyOf>
  void Build(std::size_t rows, KeyOf keyOf);
  std::span<const std::uint32_t> Find(std::int64_t key) const;
  void Clear();

 private:
  std::vector<std::int32_t> keys_;   // sorted
  std::vector<std::uint32_t> rows_;  // rows_[i] has keys_[i]
};

// The rows a filter passes, in file order: every row, a group of an index, a Boolean index's
// list (which changes with its field) or rows found by a scan.
class RowSet {
 public:
  RowSet() = default;
  static RowSet Every(std::size_t rows) { return RowSet(Kind::All, rows, {}, nullptr); }
  static RowSet Of(std::span<const std::uint32_t> rows) { return RowSet(Kind::Span, 0, rows, nullptr); }
  static RowSet Following(const std::vector<std::uint32_t>* list) { return RowSet(Kind::List, 0, {}, list); }
  static RowSet Owning(std::vector<std::uint32_t> rows);

  std::size_t size() const;
  bool empty() const { return size() == 0; }
  std::uint32_t operator[](std::size_t position) const;
  // The position of a row in the set, if it passes.
  std::optional<std::size_t> PositionOf(std::uint32_t row) const;
  // Whether the set is that Boolean list, which a change of its field alters.
  bool Follows(const std::vector<std::uint32_t>* list) const { return kind_ == Kind::List && list_ == list; }

 private:
  enum class Kind { All, Span, List, Owned };
  RowSet(Kind kind, std::size_t all, std::span<const std::uint32_t> span, const std::vector<std::uint32_t>* list)
      : kind_(kind), all_(all), span_(span), list_(list) {}

  Kind kind_ = Kind::All;
  std::size_t all_ = 0;
  std::span<const std::uint32_t> span_;
  const std::vector<std::uint32_t>* list_ = nullptr;
  std::vector<std::uint32_t> owned_;
};

// The data link of a view bound to the store (the parts grid): told of every change of the
// filtered set, the cursor and a record, whether or not AfterScroll is attached.
class StoreObserver {
 public:
  virtual ~StoreObserver() = default;
  virtual void FilterChanged() = 0;  // the filtered set is another one
  virtual void CursorMoved() = 0;
  virtual void RecordChanged(std::size_t position) = 0;  // a field of that record changed
};

class CatalogueStore {
 public:
  // The after-scroll notification; empty means detached. It runs inside the operation that
  // moved the cursor, before that operation returns.
  std::function<void()> AfterScroll;

  // Reads the file and opens the store with the cursor on the first record.
  Status LoadFile(const std::string& path, RowReader rows = RowReader::Scanner);
  // Opens the store on a table read elsewhere.
  void LoadTable(Table table);
  // Opens the store; nothing happens when it is already open.
  Status OpenStore();
  void CloseStore();
  bool IsOpen() const { return open_; }

  // A filter whose text is the one in force does nothing. Otherwise the filter takes effect,
  // the cursor goes to the first record that passes and the notification runs. Nothing
  // happens on a closed store.
  void ApplyFilter(const Filter& filter);
  // The same for a filter written as text; a text outside the filter grammar (or a closed
  // store) is refused and changes nothing.
  Status ApplyFilter(std::string_view text);
  const Filter& ActiveFilter() const { return filter_; }
  // The filter in force as text, as it was given ("" when every record passes); a filter built
  // in code reads as its Text().
  const std::string& CurrentFilter() const { return filterText_; }
  int CountRecords() const { return static_cast<int>(ViewSize()); }

  void MoveFirst();
  void MoveNext();
  bool AtEnd() const { return !open_ || pos_ >= ViewSize(); }

  // Fields of the current record; with none, the empty text, 0 and false.
  std::string GetString(Field f) const;
  std::int32_t GetInteger(Field f) const;
  bool GetBoolean(Field f) const;

  // Assigns a Boolean of the current record in memory. If the record no longer passes the
  // filter it leaves the filtered set and the cursor stands on the record that followed it.
  void SetBoolean(Field f, bool value);

  // Makes the record with that ID current when it is in the filtered set.
  bool LocateID(std::int64_t id);

  // A field of the record with that ID, whatever the filter, as GetString reads it; no
  // such record gives no value. The cursor does not move.
  std::optional<std::string> LookupByID(std::int64_t id, Field f) const;
  // The table row of the record with that ID, whatever the filter.
  std::optional<std::uint32_t> RowOfID(std::int64_t id) const;

  // Read-only questions: none moves the cursor or runs a notification. Rows are table rows.
  // The children of a node (FID = id), in file order.
  std::span<const std::uint32_t> ChildRows(std::int64_t id) const;
  // The rows whose Boolean field holds the value, in file order (Pokupka true: the basket).
  std::span<const std::uint32_t> RowsWithFlag(Field f, bool value) const;
  // The rows a filter passes, in file order, whatever filter is in force.
  RowSet Select(const Filter& filter) const;
  // Assigns a Boolean of a row in memory, wherever the cursor is: the current record stays
  // current unless it is that row and leaves the filtered set (then the one that followed it is).
  void SetBooleanOfRow(std::uint32_t row, Field f, bool value);

  // Grid binding: the filtered set by position, and the current record's table row.
  std::size_t Position() const { return pos_; }
  std::optional<std::uint32_t> CurrentRow() const;
  void MoveTo(std::size_t position);  // notification runs
  std::string GetStringAt(std::size_t position, Field f) const;
  bool GetBooleanAt(std::size_t position, Field f) const;

  const Table& table() const { return table_; }

  void SetObserver(StoreObserver* observer) { observer_ = observer; }

 private:
  void BuildIndexes();
  void Apply(const Filter& filter, std::string text);
  void ResetView();
  void Notify();  // the cursor moved: the data link, then AfterScroll
  std::size_t ViewSize() const { return open_ ? view_.size() : 0; }

  std::vector<std::uint32_t>& BoolList(int slot, bool value) { return boolLists_[slot * 2 + (value ? 1 : 0)]; }
  const std::vector<std::uint32_t>& BoolList(int slot, bool value) const {
    return boolLists_[slot * 2 + (value ? 1 : 0)];
  }

  Table table_;
  bool loaded_ = false;
  bool open_ = false;

  IntIndex byFid_, byTable_, byId_;
  bool idsAscending_ = true;                 // then the records themselves are the ID index
  std::vector<std::uint32_t> boolLists_[6];  // per Boolean slot: rows with false, with true

  Filter filter_ = Filter::All();
  std::string filterText_;
  RowSet view_;  // the filtered set
  std::size_t pos_ = 0;
  StoreObserver* observer_ = nullptr;
};

}  // namespace catalogue
