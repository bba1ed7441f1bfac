// Finding a part and showing it on its drawing, entered as the user would have clicked.

#include "catalogue/search.h"
#include "browser/search_window.h"
#include "busy_cursor.h"
#include "tfrmain.h"

using catalogue::Field;

namespace {

// The record's text field by row.
QString TextAt(const catalogue::Table& t, std::uint32_t row, Field f) {
  const std::string_view text = t.Text(row, f);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void TfrMain::leiFindClick(QWidget*) {
  if (!search_) {
    BusyCursor busy;
    search_ = std::make_unique<catalogue::PartSearch>(ADOQuery.table());
  }
  TfrSearch window(this);
  connect(&window, &TfrSearch::findRequested, &window, [this, &window](const QString& query) {
    const auto found = search_->Find(query.toStdString(), TfrSearch::kMaxLines);
    std::vector<TfrSearch::Line> lines;
    lines.reserve(found.rows.size());
    const catalogue::Table& t = ADOQuery.table();
    for (std::uint32_t row : found.rows)
      lines.push_back({row, TextAt(t, row, Field::Oboz), TextAt(t, row, Field::Naim),
                       QString::fromStdString(model_.WhereText(row))});
    window.ShowResults(lines, found.total, found.wordsLeftOut);
  });
  connect(&window, &TfrSearch::openRequested, &window, [this, &window](std::uint32_t row) {
    if (model_.OpenFound(row))
      window.accept();
    else
      ShowMessage(QStringLiteral("Деталь не найдена в структуре каталога"));
  });
  connect(&window, &TfrSearch::copyRequested, &window, [this](const QString& text) {
    if (env_.copyText) env_.copyText(text);
  });
  window.exec();
}
