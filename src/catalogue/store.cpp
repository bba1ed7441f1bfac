#include "catalogue/store.h"

#include <algorithm>
#include <array>
#include <utility>

#include "catalogue/ado_reader.h"

namespace catalogue {

template <class KeyOf>
void IntIndex::Build(std::size_t rows, KeyOf keyOf) {
  // A stable radix sort, a byte of the key at a time from the lowest, keeps every group in
  // file order. Keys are biased so that their unsigned order is the signed one; a byte that
  // every key shares needs no pass, so small keys (Table) take one pass and FID two.
  std::vector<std::int32_t> keys(rows);
  std::array<std::array<std::uint32_t, 256>, 4> counts{};
  for (std::size_t r = 0; r < rows; ++r) {
    const auto biased = static_cast<std::uint32_t>(keyOf(r)) ^ 0x80000000u;
    keys[r] = static_cast<std::int32_t>(biased);
    for (int b = 0; b < 4; ++b) ++counts[b][(biased >> (8 * b)) & 0xFF];
  }
  std::vector<std::uint32_t> order;  // empty: rows in file order
  std::vector<std::int32_t> keysTo;
  std::vector<std::uint32_t> orderTo;
  for (int b = 0; b < 4; ++b) {
    auto& count = counts[b];
    if (std::find(count.begin(), count.end(), rows) != count.end()) continue;
    std::uint32_t at = 0;
    for (auto& c : count) at += std::exchange(c, at);
    keysTo.resize(rows);
    orderTo.resize(rows);
    const int shift = 8 * b;
    for (std::size_t i = 0; i < rows; ++i) {
      const auto key = static_cast<std::uint32_t>(keys[i]);
      const std::uint32_t to = count[(key >> shift) & 0xFF]++;
      keysTo[to] = keys[i];
      orderTo[to] = order.empty() ? static_cast<std::uint32_t>(i) : order[i];
    }
    keys.swap(keysTo);
    order.swap(orderTo);
  }
  if (order.empty()) {
    order.resize(rows);
    for (std::size_t r = 0; r < rows; ++r) order[r] = static_cast<std::uint32_t>(r);
  }
  for (auto& k : keys) k = static_cast<std::int32_t>(static_cast<std::uint32_t>(k) ^ 0x80000000u);
  keys_ = std::move(keys);
  rows_ = std::move(order);
}

std::span<const std::uint32_t> IntIndex::Find(std::int64_t key) const {
  if (key < INT32_MIN || key > INT32_MAX) return {};
  auto [lo, hi] = std::equal_range(keys_.begin(), keys_.end(), static_cast<std::int32_t>(key));
  return {rows_.data() + (lo - keys_.begin()), static_cast<std::size_t>(hi - lo)};
}

void IntIndex::Clear() {
  keys_ = {};
  rows_ = {};
}

RowSet RowSet::Owning(std::vector<std::uint32_t> rows) {
  RowSet s(Kind::Owned, 0, {}, nullptr);
  s.owned_ = std::move(rows);
  return s;
}

std::size_t RowSet::size() const {
  switch (kind_) {
    case Kind::All:
      return all_;
    case Kind::Span:
      return span_.size();
    case Kind::List:
      return list_->size();
    case Kind::Owned:
      return owned_.size();
  }
  return 0;
}

std::uint32_t RowSet::operator[](std::size_t position) const {
  switch (kind_) {
    case Kind::All:
      return static_cast<std::uint32_t>(position);
    case Kind::Span:
      return span_[position];
    case Kind::List:
      return (*list_)[position];
    case Kind::Owned:
      return owned_[position];
  }
  return 0;
}

std::optional<std::size_t> RowSet::PositionOf(std::uint32_t row) const {
  auto search = [row](auto begin, auto end) -> std::optional<std::size_t> {
    auto it = std::lower_bound(begin, end, row);
    if (it == end || *it != row) return std::nullopt;
    return static_cast<std::size_t>(it - begin);
  };
  switch (kind_) {
    case Kind::All:
      return row < all_ ? std::optional<std::size_t>(row) : std::nullopt;
    case Kind::Span:
      return search(span_.begin(), span_.end());
    case Kind::List:
      return search(list_->begin(), list_->end());
    case Kind::Owned:
      return search(owned_.begin(), owned_.end());
  }
  return std::nullopt;
}

Status CatalogueStore::LoadFile(const std::string& path, RowReader rows) {
  auto table = ReadAdoFile(path, rows);
  if (!table) return Status::Fail(table.error());
  LoadTable(std::move(table).value());
  return Status::Ok();
}

void CatalogueStore::LoadTable(Table table) {
  table_ = std::move(table);
  loaded_ = true;
  BuildIndexes();
  open_ = true;
  ResetView();
}

Status CatalogueStore::OpenStore() {
  if (open_) return Status::Ok();
  if (!loaded_) return Status::Fail("no catalogue has been loaded");
  open_ = true;
  ResetView();
  return Status::Ok();
}

void CatalogueStore::CloseStore() {
  open_ = false;
  ResetView();
}

void CatalogueStore::BuildIndexes() {
  const std::size_t n = table_.size();
  const auto& recs = table_.records();
  byFid_.Build(n, [&](std::size_t r) { return recs[r].ints[IntSlot(Field::FID)]; });
  byTable_.Build(n, [&](std::size_t r) { return recs[r].ints[IntSlot(Field::Table)]; });

  idsAscending_ = true;
  for (std::size_t r = 1; r < n && idsAscending_; ++r) idsAscending_ = recs[r - 1].ints[0] < recs[r].ints[0];
  if (idsAscending_)
    byId_.Clear();
  else
    byId_.Build(n, [&](std::size_t r) { return recs[r].ints[0]; });

  for (auto& list : boolLists_) list.clear();
  for (Field f : {Field::Sostoit, Field::VozmPokupka, Field::Pokupka}) {
    const int s = BoolSlot(f);
    std::size_t on = 0;
    for (std::size_t r = 0; r < n; ++r) on += table_.Boolean(r, f);
    BoolList(s, true).reserve(on);
    BoolList(s, false).reserve(n - on);
    for (std::size_t r = 0; r < n; ++r) BoolList(s, table_.Boolean(r, f)).push_back(static_cast<std::uint32_t>(r));
  }
}

void CatalogueStore::ResetView() {
  filter_ = Filter::All();
  filterText_.clear();
  view_ = RowSet::Every(table_.size());
  pos_ = 0;
  if (observer_) observer_->FilterChanged();
}

void CatalogueStore::Notify() {
  if (observer_) observer_->CursorMoved();
  // A copy, so that a handler may detach or replace itself while it runs.
  if (auto handler = AfterScroll) handler();
}

std::optional<std::uint32_t> CatalogueStore::RowOfID(std::int64_t id) const {
  if (!loaded_) return std::nullopt;
  if (!idsAscending_) {
    auto rows = byId_.Find(id);
    if (rows.empty()) return std::nullopt;
    return rows.front();
  }
  const auto& recs = table_.records();
  auto it = std::lower_bound(recs.begin(), recs.end(), id,
                             [](const Table::Record& r, std::int64_t v) { return r.ints[0] < v; });
  if (it == recs.end() || it->ints[0] != id) return std::nullopt;
  return static_cast<std::uint32_t>(it - recs.begin());
}

std::optional<std::uint32_t> CatalogueStore::CurrentRow() const {
  if (AtEnd()) return std::nullopt;
  return view_[pos_];
}

std::span<const std::uint32_t> CatalogueStore::ChildRows(std::int64_t id) const { return byFid_.Find(id); }

std::span<const std::uint32_t> CatalogueStore::RowsWithFlag(Field f, bool value) const {
  const int s = BoolSlot(f);
  if (s < 0) return {};
  return BoolList(s, value);
}

RowSet CatalogueStore::Select(const Filter& f) const {
  if (f.all()) return RowSet::Every(table_.size());
  if (f.field() == Field::FID) return RowSet::Of(byFid_.Find(f.value()));
  if (f.field() == Field::Table) return RowSet::Of(byTable_.Find(f.value()));
  if (int s = BoolSlot(f.field()); s >= 0) return RowSet::Following(&BoolList(s, f.value() != 0));
  // IDs out of order may repeat: every record with that ID passes, as for any field.
  if (f.field() == Field::ID && !idsAscending_) return RowSet::Of(byId_.Find(f.value()));
  std::vector<std::uint32_t> rows;
  if (f.field() == Field::ID) {
    if (auto row = RowOfID(f.value())) rows.push_back(*row);
  } else {
    // Number, Left and Top are rarely filtered on; a scan answers them. A null value reads
    // as 0 here as in the indexed fields.
    for (std::size_t r = 0; r < table_.size(); ++r)
      if (table_.Integer(r, f.field()) == f.value()) rows.push_back(static_cast<std::uint32_t>(r));
  }
  return RowSet::Owning(std::move(rows));
}

Status CatalogueStore::ApplyFilter(std::string_view text) {
  if (!open_) return Status::Fail("the catalogue store is closed");
  if (text == filterText_) return Status::Ok();
  auto parsed = Filter::Parse(text);
  if (!parsed) return Status::Fail(parsed.error());
  Apply(parsed.value(), std::string(text));
  return Status::Ok();
}

void CatalogueStore::ApplyFilter(const Filter& f) {
  if (!open_) return;
  std::string text = f.Text();
  if (text != filterText_) Apply(f, std::move(text));
}

void CatalogueStore::Apply(const Filter& f, std::string text) {
  view_ = Select(f);
  filter_ = f;
  filterText_ = std::move(text);
  pos_ = 0;
  if (observer_) observer_->FilterChanged();
  Notify();
}

void CatalogueStore::MoveFirst() {
  if (!open_) return;
  pos_ = 0;
  Notify();
}

void CatalogueStore::MoveNext() {
  if (AtEnd()) return;
  ++pos_;
  Notify();
}

void CatalogueStore::MoveTo(std::size_t position) {
  if (!open_) return;
  pos_ = std::min(position, ViewSize());
  Notify();
}

std::string CatalogueStore::GetString(Field f) const {
  auto row = CurrentRow();
  return row ? table_.Format(*row, f) : std::string();
}

std::int32_t CatalogueStore::GetInteger(Field f) const {
  auto row = CurrentRow();
  return row ? table_.Integer(*row, f) : 0;
}

bool CatalogueStore::GetBoolean(Field f) const {
  auto row = CurrentRow();
  return row ? table_.Boolean(*row, f) : false;
}

std::string CatalogueStore::GetStringAt(std::size_t position, Field f) const {
  if (position >= ViewSize()) return {};
  return table_.Format(view_[position], f);
}

bool CatalogueStore::GetBooleanAt(std::size_t position, Field f) const {
  if (position >= ViewSize()) return false;
  return table_.Boolean(view_[position], f);
}

void CatalogueStore::SetBoolean(Field f, bool value) {
  if (auto row = CurrentRow()) SetBooleanOfRow(*row, f, value);
}

void CatalogueStore::SetBooleanOfRow(std::uint32_t row, Field f, bool value) {
  const int s = BoolSlot(f);
  if (s < 0 || !loaded_ || row >= table_.size()) return;
  const bool was = table_.Boolean(row, f);
  // The row's place in the filtered set; the set's size when it is not in it.
  const std::size_t position = open_ ? view_.PositionOf(row).value_or(view_.size()) : 0;
  const bool inView = open_ && position < view_.size();
  table_.SetBoolean(row, f, value);
  if (was == value) {
    if (observer_ && inView) observer_->RecordChanged(position);
    return;
  }
  // Keep the Boolean index true. When the view is the list the row leaves or joins, the
  // positions after it move by one; the cursor keeps its record.
  auto& from = BoolList(s, was);
  auto& to = BoolList(s, value);
  const bool leaves = view_.Follows(&from), joins = view_.Follows(&to);
  from.erase(std::lower_bound(from.begin(), from.end(), row));
  to.insert(std::lower_bound(to.begin(), to.end(), row), row);
  if (leaves && inView && position < pos_) --pos_;
  if (joins && view_.PositionOf(row).value_or(pos_ + 1) <= pos_) ++pos_;
  if (!observer_) return;
  if (leaves || joins)
    observer_->FilterChanged();  // the row left or joined the filtered set
  else if (inView)
    observer_->RecordChanged(position);
}

bool CatalogueStore::LocateID(std::int64_t id) {
  auto row = RowOfID(id);
  if (!row || !open_) return false;
  auto position = view_.PositionOf(*row);
  if (!position) return false;
  pos_ = *position;
  Notify();
  return true;
}

std::optional<std::string> CatalogueStore::LookupByID(std::int64_t id, Field f) const {
  auto row = RowOfID(id);
  if (!row) return std::nullopt;
  return table_.Format(*row, f);
}

}  // namespace catalogue
