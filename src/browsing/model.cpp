#include "browsing/model.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

#include "catalogue/limits.h"

namespace browsing {

using catalogue::Field;

namespace {

std::string Format(const catalogue::Table& t, std::uint32_t row, Field f) { return t.Format(row, f); }

// The quantity a record is put into the basket with.
const std::string& One() {
  static const std::string kOne = "1";
  return kOne;
}

}  // namespace

PlatesOf SectionPlates(const catalogue::CatalogueStore& store, const catalogue::CatalogueFolder& folder, int id,
                       int page) {
  const catalogue::Table& t = store.table();
  const auto kids = store.ChildRows(id);
  const long long n = static_cast<long long>(kids.size());
  PlatesOf out;
  if (n == 1) {
    out.canOrder = t.Boolean(kids[0], Field::VozmPokupka);
    out.inBasket = t.Boolean(kids[0], Field::Pokupka);
  }
  // A page of plates at a time; a page past the first shows the rest, never more plates than
  // there are.
  long long shown = n;
  if (n > catalogue::kMaxSections) shown = page == 1 ? catalogue::kMaxSections : n - catalogue::kMaxSections;
  shown = std::clamp<long long>(shown, 0, catalogue::kMaxSections);
  const long long first = static_cast<long long>(catalogue::kMaxSections) * (page - 1);
  for (long long r = std::max(first, 0LL); r < n && r < first + shown; ++r) {
    const std::uint32_t row = kids[static_cast<std::size_t>(r)];
    Plate p;
    p.ID = t.Integer(row, Field::ID);
    p.Parent = t.Integer(row, Field::FID);
    p.Number = t.Integer(row, Field::Number);
    p.Sostoit = t.Boolean(row, Field::Sostoit);
    p.Oboz = Format(t, row, Field::Oboz);
    p.Naim = Format(t, row, Field::Naim);
    p.Massa = Format(t, row, Field::Massa);
    p.Count = Format(t, row, Field::Count);
    p.Descript = Format(t, row, Field::Descript);
    p.PictureFile = folder.Picture(t.Text(row, Field::Picture));
    p.ViewFile = folder.View(t.Text(row, Field::View));
    out.plates.push_back(std::move(p));
  }
  return out;
}

bool DetailShown(std::string_view text, bool zeroMeansNone) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  const bool allBlank = std::all_of(text.begin(), text.end(), blank);
  return !allBlank && !(zeroMeansNone && text == "0");
}

std::optional<catalogue::Filter> TabFilter(int tab) {
  if (tab >= 0 && tab <= 9) return catalogue::Filter::Group(tab);
  if (tab == 10) return catalogue::Filter::FlagIs(Field::VozmPokupka, true);
  return std::nullopt;
}

BrowsingModel::BrowsingModel(catalogue::CatalogueStore& store, catalogue::CatalogueFolder folder)
    : store_(store), folder_(std::move(folder)), levels_(catalogue::kMaxDepth + 1) {}

void BrowsingModel::AddListener(Listener* listener) { listeners_.push_back(listener); }

void BrowsingModel::RemoveListener(Listener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void BrowsingModel::Notify(Op op, unsigned aspects, std::vector<PictureLoad> loads) {
  const Change change{op, aspects, std::move(loads)};
  // A copy: a listener may leave while it is told.
  const std::vector<Listener*> listeners = listeners_;
  for (Listener* l : listeners) l->ModelChanged(change);
}

TMyRec& BrowsingModel::Entry(int level) {
  // A catalogue deeper than the stack stays browsable: the stack grows with it.
  if (level >= static_cast<int>(levels_.size())) levels_.resize(static_cast<std::size_t>(level) + 1);
  return levels_[static_cast<std::size_t>(level)];
}

std::string BrowsingModel::FieldText(std::optional<std::uint32_t> row, catalogue::Field f) const {
  return row ? store_.table().Format(*row, f) : std::string();
}

std::span<const std::uint32_t> BrowsingModel::BasketRows() const {
  return store_.RowsWithFlag(catalogue::Field::Pokupka, true);
}

bool BrowsingModel::IsInBasket(std::uint32_t row) const {
  return row < store_.table().size() && store_.table().Boolean(row, catalogue::Field::Pokupka);
}

const std::string& BrowsingModel::Quantity(std::uint32_t row) const {
  const auto it = quantities_.find(row);
  return it == quantities_.end() ? One() : it->second;
}

void BrowsingModel::Mark(std::uint32_t row, bool inBasket) {
  store_.SetBooleanOfRow(row, catalogue::Field::Pokupka, inBasket);
  if (inBasket)
    quantities_[row] = One();
  else
    quantities_.erase(row);
}

void BrowsingModel::SetDetails(const TMyRec& from) {
  picturePath_ = from.PictureFile;
  viewPath_ = from.ViewFile;
  oboz_ = from.Oboz;
  naim_ = from.Naim;
  massa_ = from.Massa;
  count_ = from.Count;
}

void BrowsingModel::ShowNode(int id) {
  const catalogue::Table& t = store_.table();
  const auto kids = store_.ChildRows(id);
  const bool itemRecord = !kids.empty() && t.Format(kids[0], catalogue::Field::Number) == "0";
  callouts_.clear();
  next_.reset();
  itemRow_.reset();
  canOrder_ = inBasket_ = false;
  if (kids.size() == 1 && itemRecord) {
    canOrder_ = t.Boolean(kids[0], catalogue::Field::VozmPokupka);
    inBasket_ = IsInBasket(kids[0]);
    itemRow_ = kids[0];
    if (t.Boolean(kids[0], catalogue::Field::Sostoit)) next_ = t.Integer(kids[0], catalogue::Field::ID);
  }
  if (itemRecord) return;
  // A drawing with an unreasonable number of parts (catalogue-tool check reports it) shows the
  // first ones: the work of a click stays bounded by what can be seen.
  const std::size_t shown = std::min<std::size_t>(kids.size(), catalogue::kMaxShownCallouts);
  callouts_.reserve(shown);
  for (std::size_t i = 0; i < shown; ++i) {
    const std::uint32_t row = kids[i];
    callouts_.push_back({t.Integer(row, catalogue::Field::ID), t.Format(row, catalogue::Field::Oboz),
                         t.Format(row, catalogue::Field::Naim), t.Integer(row, catalogue::Field::Left),
                         t.Integer(row, catalogue::Field::Top)});
  }
}

void BrowsingModel::ShowRoot() {
  mode_ = dmSections;
  level_ = 0;
  TMyRec& root = levels_[0];
  root = TMyRec{};
  root.Page = 1;
  root.PictureFile = folder_.RootPicture();
  root.ViewFile = folder_.RootView();
  PlatesOf fill = SectionPlates(store_, folder_, root.ID, root.Page);
  plates_ = std::move(fill.plates);
  canOrder_ = fill.canOrder;
  inBasket_ = fill.inBasket;
  itemRow_.reset();
  callouts_.clear();
  next_.reset();
  highlighted_.reset();
  SetDetails(root);
}

std::vector<BasketLine> BrowsingModel::Start(const std::vector<BasketLine>& basket) {
  // The basket is the user's: the table's own marks go, the user's lines come in.
  const std::vector<std::uint32_t> marked(BasketRows().begin(), BasketRows().end());
  for (std::uint32_t row : marked) store_.SetBooleanOfRow(row, catalogue::Field::Pokupka, false);
  quantities_.clear();
  std::vector<BasketLine> missing = Put(basket);
  ShowRoot();
  Notify(Op::Start, kEverything, {{picturePath_, PictureLoad::Report::File}});
  return missing;
}

void BrowsingModel::Home() {
  if (level_ == 0) return;
  for (std::size_t i = 0; i < 10 && i < levels_.size(); ++i) levels_[i] = TMyRec{};
  ShowRoot();
  // Only the root picture is loaded: the picture of the level left is not shown again.
  Notify(Op::Home, kMode | kLevel | kPlates | kCallouts | kDetails | kOrder,
         {{picturePath_, PictureLoad::Report::File}});
}

void BrowsingModel::EnterFrom(const TMyRec& section) {
  SetDetails(section);
  TMyRec& entry = Entry(++level_);
  entry = section;
  entry.Page = 1;
  ShowNode(entry.ID);
  mode_ = dmDrawing;
  highlighted_.reset();
}

void BrowsingModel::EnterSection(std::size_t index) {
  if (index >= plates_.size() || !plates_[index].Sostoit) return;
  const Plate& p = plates_[index];
  EnterFrom({p.ID, p.Parent, 1, p.Oboz, p.Naim, p.Massa, p.Count, p.PictureFile, p.ViewFile});
  // The picture is set, then shown again as the drawing display is laid out.
  Notify(Op::EnterSection, kMode | kLevel | kCallouts | kDetails | kOrder,
         {{picturePath_, PictureLoad::Report::File}, {picturePath_, PictureLoad::Report::Image}});
}

void BrowsingModel::Push(const TMyRec& item) {
  SetDetails(item);
  TMyRec& entry = Entry(++level_);
  entry.ID = item.ID;
  entry.Page = 1;
  entry.Naim = naim_;
  entry.Oboz = oboz_;
  entry.Massa = massa_;
  entry.Count = count_;
  entry.PictureFile = picturePath_;
  entry.ViewFile = viewPath_;
  ShowNode(item.ID);
  highlighted_.reset();
}

void BrowsingModel::EnterPart(int id) {
  const auto row = store_.RowOfID(id);
  using catalogue::Field;
  Push({id, 0, 1, FieldText(row, Field::Oboz), FieldText(row, Field::Naim), FieldText(row, Field::Massa),
        FieldText(row, Field::Count), folder_.Picture(FieldText(row, Field::Picture)),
        folder_.View(FieldText(row, Field::View))});
  Notify(Op::EnterPart, kLevel | kCallouts | kDetails | kOrder, {{picturePath_, PictureLoad::Report::File}});
}

void BrowsingModel::Back() {
  if (level_ == 0) return;
  highlighted_.reset();
  // Back from the parts list always returns to the root.
  const int target = mode_ == dmList ? 0 : level_ - 1;
  if (target != 0) {
    level_ = target;
    const TMyRec entry = CurrentLevel();
    ShowNode(entry.ID);
    SetDetails(entry);
    Notify(Op::Back, kLevel | kCallouts | kDetails | kOrder, {{picturePath_, PictureLoad::Report::File}});
    return;
  }
  // The sections display shows the picture it has again as it is laid out, then the root's
  // picture is set.
  std::vector<PictureLoad> loads;
  if (!picturePath_.empty()) loads.push_back({picturePath_, PictureLoad::Report::Image});
  mode_ = dmSections;
  level_ = 0;
  const TMyRec& root = CurrentLevel();
  PlatesOf fill = SectionPlates(store_, folder_, root.ID, root.Page);
  plates_ = std::move(fill.plates);
  inBasket_ = fill.inBasket;
  canOrder_ = false;
  itemRow_.reset();
  callouts_.clear();
  next_.reset();
  // The root picture comes from the catalogue folder, as home takes it, so that a program
  // started from another working directory finds it.
  SetDetails({0, 0, 1, "", "", "", "", folder_.RootPicture(), folder_.RootView()});
  loads.push_back({picturePath_, PictureLoad::Report::File});
  Notify(Op::Back, kMode | kLevel | kPlates | kCallouts | kDetails | kOrder, std::move(loads));
}

void BrowsingModel::ShowListRow(std::optional<std::uint32_t> row) {
  listRow_ = row;
  itemRow_ = row;
  inBasket_ = row && IsInBasket(*row);
  // The list shows a row with the picture its View names.
  picturePath_ = folder_.ListPicture(FieldText(row, catalogue::Field::View));
}

namespace {

std::optional<std::uint32_t> FirstRow(const catalogue::CatalogueStore& store, int tab) {
  const auto filter = TabFilter(tab);
  if (!filter) return std::nullopt;
  const catalogue::RowSet rows = store.Select(*filter);
  return rows.empty() ? std::nullopt : std::optional<std::uint32_t>(rows[0]);
}

}  // namespace

void BrowsingModel::OpenList(int tab) {
  mode_ = dmList;
  ++level_;
  canOrder_ = true;
  tab_ = tab;
  highlighted_.reset();
  ShowListRow(FirstRow(store_, tab));
  Notify(Op::OpenList, kMode | kLevel | kOrder | kList, {{picturePath_, PictureLoad::Report::File}});
}

void BrowsingModel::ChangeTab(int tab) {
  if (mode_ != dmList) return;
  ++level_;  // every tab change enters the list again
  tab_ = tab;
  ShowListRow(FirstRow(store_, tab));
  Notify(Op::ChangeTab, kLevel | kOrder | kList, {{picturePath_, PictureLoad::Report::File}});
}

void BrowsingModel::SelectListRow(std::optional<std::uint32_t> row) {
  if (mode_ != dmList || row == listRow_) return;
  ShowListRow(row);
  Notify(Op::SelectRow, kOrder | kList, {{picturePath_, PictureLoad::Report::File}});
}

void BrowsingModel::ToggleBasket() {
  // With nothing to act on (the sections display, a list tab that matches nothing) nothing
  // changes: the basket holds records only.
  if (!itemRow_) return;
  inBasket_ = !inBasket_;
  if (IsInBasket(*itemRow_) != inBasket_) Mark(*itemRow_, inBasket_);
  Notify(Op::Toggle, kOrder | kBasket | kQuantities);
}

void BrowsingModel::ClearBasket() {
  if (BasketCount() == 0) return;
  inBasket_ = false;
  const std::vector<std::uint32_t> rows(BasketRows().begin(), BasketRows().end());
  for (std::uint32_t row : rows) Mark(row, false);
  Notify(Op::Clear, kOrder | kBasket | kQuantities);
}

void BrowsingModel::FollowBasket() {
  if (itemRow_) inBasket_ = IsInBasket(*itemRow_);
}

void BrowsingModel::RemoveFromBasket(const std::vector<std::uint32_t>& rows) {
  bool removed = false;
  for (std::uint32_t row : rows)
    if (IsInBasket(row)) {
      Mark(row, false);
      removed = true;
    }
  if (!removed) return;
  FollowBasket();
  Notify(Op::Remove, kOrder | kBasket | kQuantities);
}

std::vector<BasketLine> BrowsingModel::Put(const std::vector<BasketLine>& lines) {
  std::vector<BasketLine> missing;
  for (const BasketLine& line : lines) {
    const auto row = Find(line);
    if (!row) {
      missing.push_back(line);
      continue;
    }
    store_.SetBooleanOfRow(*row, catalogue::Field::Pokupka, true);
    quantities_[*row] = QuantityAccepted(line.quantity) ? line.quantity : One();
  }
  return missing;
}

std::vector<BasketLine> BrowsingModel::OrderAgain(const std::vector<BasketLine>& lines) {
  std::vector<BasketLine> missing = Put(lines);
  if (missing.size() == lines.size()) return missing;
  FollowBasket();
  Notify(Op::OrderAgain, kOrder | kBasket | kQuantities);
  return missing;
}

std::vector<BasketLine> BrowsingModel::BasketLines() const {
  const catalogue::Table& t = store_.table();
  std::vector<BasketLine> lines;
  for (std::uint32_t row : BasketRows())
    lines.push_back({t.Integer(row, catalogue::Field::ID), t.Format(row, catalogue::Field::Oboz),
                     t.Format(row, catalogue::Field::Naim), Quantity(row)});
  return lines;
}

std::optional<std::uint32_t> BrowsingModel::Find(const BasketLine& line) const {
  const catalogue::Table& t = store_.table();
  const auto same = [&](std::uint32_t row) {
    return t.Text(row, catalogue::Field::Oboz) == line.oboz &&
           (line.naim.empty() || t.Text(row, catalogue::Field::Naim) == line.naim);
  };
  if (const auto row = store_.RowOfID(line.id); row && same(*row)) return row;
  // The catalogue has changed: the record with that designation and name, an orderable item
  // record before any other, the first in file order before later ones.
  if (byOboz_.empty())
    for (std::uint32_t r = 0; r < t.size(); ++r) byOboz_.emplace(t.Text(r, catalogue::Field::Oboz), r);
  std::optional<std::uint32_t> best;
  const auto rank = [&](std::uint32_t r) {
    return (t.Text(r, catalogue::Field::Number) == "0" ? 2 : 0) + (t.Boolean(r, catalogue::Field::VozmPokupka) ? 1 : 0);
  };
  const auto [from, to] = byOboz_.equal_range(line.oboz);
  for (auto it = from; it != to; ++it) {
    const std::uint32_t r = it->second;
    if (!same(r)) continue;
    if (!best || rank(r) > rank(*best) || (rank(r) == rank(*best) && r < *best)) best = r;
  }
  return best;
}

bool BrowsingModel::CalloutInBasket(const Callout& callout) const {
  const auto row = store_.RowOfID(callout.ID);
  if (!row) return false;
  if (IsInBasket(*row)) return true;
  // A part shown by its own item record: the only child, numbered "0".
  const auto kids = store_.ChildRows(callout.ID);
  return kids.size() == 1 && store_.table().Text(kids[0], catalogue::Field::Number) == "0" && IsInBasket(kids[0]);
}

bool QuantityAccepted(std::string_view text) {
  int value = 0;
  const auto [end, failed] = std::from_chars(text.data(), text.data() + text.size(), value);
  return failed == std::errc() && end == text.data() + text.size() && value > 0 && !text.starts_with('+');
}

void BrowsingModel::SetQuantity(std::uint32_t row, std::string quantity) {
  if (!IsInBasket(row) || Quantity(row) == quantity || !QuantityAccepted(quantity)) return;
  quantities_[row] = std::move(quantity);
  Notify(Op::Quantity, kQuantities);
}

std::optional<std::vector<std::uint32_t>> BrowsingModel::PathTo(std::uint32_t row) const {
  const catalogue::Table& t = store_.table();
  if (row >= t.size()) return std::nullopt;
  // The part is shown as a callout: a numbered record itself, an item record as its node.
  std::uint32_t callout = row;
  if (t.Text(row, catalogue::Field::Number) == "0" && t.Integer(row, catalogue::Field::FID) != 0) {
    const auto node = store_.RowOfID(t.Integer(row, catalogue::Field::FID));
    if (!node) return std::nullopt;
    callout = *node;
  }
  std::vector<std::uint32_t> path{callout};
  std::unordered_set<std::uint32_t> seen{callout};
  for (int fid = t.Integer(callout, catalogue::Field::FID); fid != 0;
       fid = t.Integer(path.back(), catalogue::Field::FID)) {
    const auto parent = store_.RowOfID(fid);
    if (!parent || !seen.insert(*parent).second) return std::nullopt;  // broken, or a loop
    path.push_back(*parent);
  }
  return std::vector<std::uint32_t>(path.rbegin(), path.rend());
}

std::string BrowsingModel::WhereText(std::uint32_t row) const {
  const auto path = PathTo(row);
  if (!path) return "вне структуры каталога";
  std::vector<std::string_view> names;
  for (std::size_t i = 0; i + 1 < path->size(); ++i) {
    // A composition usually bears its assembly's name: the name is given once.
    const std::string_view name = store_.table().Text((*path)[i], catalogue::Field::Naim);
    if (names.empty() || names.back() != name) names.push_back(name);
  }
  std::string where;
  for (std::string_view name : names) (where.empty() ? where : where.append(" › ")).append(name);
  return where;
}

bool BrowsingModel::OpenFound(std::uint32_t row) {
  const auto path = PathTo(row);
  if (!path) return false;
  const catalogue::Table& t = store_.table();
  using catalogue::Field;
  // From the root: the section as its plate opens it, then every assembly as its callout or
  // the composition button enters it, down to the drawing that holds the part.
  for (std::size_t i = 0; i < 10 && i < levels_.size(); ++i) levels_[i] = TMyRec{};
  ShowRoot();
  const std::uint32_t section = path->front();
  EnterFrom({t.Integer(section, Field::ID), t.Integer(section, Field::FID), 1, t.Format(section, Field::Oboz),
             t.Format(section, Field::Naim), t.Format(section, Field::Massa), t.Format(section, Field::Count),
             folder_.Picture(t.Text(section, Field::Picture)), folder_.View(t.Text(section, Field::View))});
  std::vector<PictureLoad> loads{{picturePath_, PictureLoad::Report::File}, {picturePath_, PictureLoad::Report::Image}};
  for (std::size_t i = 1; i + 1 < path->size(); ++i) {
    const std::uint32_t r = (*path)[i];
    Push({t.Integer(r, Field::ID), 0, 1, t.Format(r, Field::Oboz), t.Format(r, Field::Naim), t.Format(r, Field::Massa),
          t.Format(r, Field::Count), folder_.Picture(t.Text(r, Field::Picture)), folder_.View(t.Text(r, Field::View))});
    loads = {{picturePath_, PictureLoad::Report::File}};  // the pictures of the last click
  }
  // The part's callout in its hover look, until the pointer passes over it.
  if (path->size() > 1) highlighted_ = t.Integer(path->back(), Field::ID);
  Notify(Op::OpenFound, kEverything, std::move(loads));
  return true;
}

}  // namespace browsing
