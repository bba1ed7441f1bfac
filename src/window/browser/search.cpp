// Finding a part and showing it on its drawing, entered as the user would have clicked.

#include <unordered_set>

#include "browser/search_window.h"
#include "busy_cursor.h"
#include "catalogue/search.h"
#include "tfrmain.h"

using catalogue::Field;

namespace {

// The record's text field by row.
QString TextAt(const catalogue::Table& t, std::uint32_t row, Field f) {
  const std::string_view text = t.Text(row, f);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::optional<std::vector<std::uint32_t>> TfrMain::PathTo(std::uint32_t row) const {
  const catalogue::Table& t = ADOQuery.table();
  // The part is shown as a callout: a numbered record itself, an item record as its node.
  std::uint32_t callout = row;
  if (t.Text(row, Field::Number) == "0" && t.Integer(row, Field::FID) != 0) {
    const auto node = ADOQuery.RowOfID(t.Integer(row, Field::FID));
    if (!node) return std::nullopt;
    callout = *node;
  }
  std::vector<std::uint32_t> path{callout};
  std::unordered_set<std::uint32_t> seen{callout};
  for (int fid = t.Integer(callout, Field::FID); fid != 0; fid = t.Integer(path.back(), Field::FID)) {
    const auto parent = ADOQuery.RowOfID(fid);
    if (!parent || !seen.insert(*parent).second) return std::nullopt;  // broken, or a loop
    path.push_back(*parent);
  }
  return std::vector<std::uint32_t>(path.rbegin(), path.rend());
}

QString TfrMain::WhereText(std::uint32_t row) const {
  const auto path = PathTo(row);
  if (!path) return QStringLiteral("вне структуры каталога");
  QStringList names;
  for (std::size_t i = 0; i + 1 < path->size(); ++i) {
    // A composition usually bears its assembly's name: the name is given once.
    const QString name = TextAt(ADOQuery.table(), (*path)[i], Field::Naim);
    if (names.isEmpty() || names.back() != name) names << name;
  }
  return names.join(QStringLiteral(" › "));
}

void TfrMain::leiFindClick(QWidget*) {
  if (!search_) {
    BusyCursor busy;
    search_ = std::make_unique<catalogue::PartSearch>(ADOQuery.table());
  }
  TfrSearch window(this);
  window.OnFind = [this](const QString& query, std::size_t* total) {
    const auto found = search_->Find(query.toStdString(), TfrSearch::kMaxLines);
    *total = found.total;
    std::vector<TfrSearch::Line> lines;
    lines.reserve(found.rows.size());
    const catalogue::Table& t = ADOQuery.table();
    for (std::uint32_t row : found.rows)
      lines.push_back({row, TextAt(t, row, Field::Oboz), TextAt(t, row, Field::Naim), WhereText(row)});
    return lines;
  };
  window.OnOpen = [this](std::uint32_t row) { return OpenFound(row); };
  window.exec();
}

bool TfrMain::OpenFound(std::uint32_t row) {
  const auto path = PathTo(row);
  if (!path) {
    ShowMessage(QStringLiteral("Деталь не найдена в структуре каталога"));
    return false;
  }
  const catalogue::Table& t = ADOQuery.table();
  const auto text = [&](std::uint32_t r, Field f) { return TextAt(t, r, f); };
  // From the root: the section as its hot-spot opens it, then every assembly as its callout
  // or the composition button enters it, down to the drawing that holds the part.
  GoHome();
  const std::uint32_t section = path->front();
  OpenSection({t.Integer(section, Field::ID), t.Integer(section, Field::FID), 1, text(section, Field::Oboz),
               text(section, Field::Naim), text(section, Field::Massa), text(section, Field::Count),
               CataloguePath(folder_.Picture(t.Text(section, Field::Picture))),
               CataloguePath(folder_.View(t.Text(section, Field::View)))});
  for (std::size_t i = 1; i + 1 < path->size(); ++i) EnterPart(t.Integer((*path)[i], Field::ID));
  // The part's callout in its hover look, until the pointer passes over it.
  if (path->size() > 1) {
    const int id = t.Integer(path->back(), Field::ID);
    for (TLabel* l : Callouts)
      if (l->isVisible() && l->tag == id) {
        l->SetFontStyle(true, true);
        break;
      }
  }
  return true;
}
