#include "help/page_weight.h"

#include <algorithm>
#include <vector>

namespace {

bool NameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char(':'); }

// Elements that never hold others.
bool IsVoid(const QString& name) {
  static const char* const kVoid[] = {"area", "base", "br",    "col",    "embed", "hr",  "img",      "input",
                                      "link", "meta", "param", "source", "track", "wbr", "basefont", "frame"};
  return std::any_of(std::begin(kVoid), std::end(kVoid), [&](const char* v) { return name == QLatin1String(v); });
}

// Elements whose end tag may be left out: a new one closes the open one within the same
// container.
bool EndsItself(const QString& name) {
  static const char* const kSelf[] = {"p", "li", "dt", "dd", "tr", "td", "th", "option", "thead", "tbody", "tfoot"};
  return std::any_of(std::begin(kSelf), std::end(kSelf), [&](const char* v) { return name == QLatin1String(v); });
}

bool IsContainer(const QString& name) {
  return name == QLatin1String("table") || name == QLatin1String("ul") || name == QLatin1String("ol") ||
         name == QLatin1String("dl") || name == QLatin1String("select") || name == QLatin1String("body");
}

}  // namespace

PageWeight WeighPage(const QString& html, const PageLimits& limits) {
  PageWeight w;
  w.characters = html.size();
  if (w.characters > limits.characters) return w;
  std::vector<QString> open;
  int tables = 0;
  const auto pop = [&] {
    if (open.back() == QLatin1String("table")) --tables;
    open.pop_back();
  };
  const qsizetype n = html.size();
  for (qsizetype i = html.indexOf(QLatin1Char('<')); i >= 0 && i < n; i = html.indexOf(QLatin1Char('<'), i)) {
    if (html.mid(i, 4) == QLatin1String("<!--")) {
      const qsizetype end = html.indexOf(QLatin1String("-->"), i + 4);
      i = end < 0 ? n : end + 3;
      continue;
    }
    const bool closing = i + 1 < n && html[i + 1] == QLatin1Char('/');
    qsizetype p = i + (closing ? 2 : 1);
    const qsizetype nameStart = p;
    while (p < n && NameChar(html[p])) ++p;
    const QString name = html.mid(nameStart, p - nameStart).toLower();
    const qsizetype tagEnd = html.indexOf(QLatin1Char('>'), p);
    if (tagEnd < 0) break;
    i = tagEnd + 1;
    if (name.isEmpty()) continue;  // "<!DOCTYPE", "<?xml", a lone "<"
    const bool selfClosed = html[tagEnd - 1] == QLatin1Char('/');
    if (closing) {
      // Closes the nearest open element of its name, and whatever was left open inside it.
      const auto at = std::find(open.rbegin(), open.rend(), name);
      if (at != open.rend())
        for (auto left = std::distance(open.rbegin(), at) + 1; left > 0; --left) pop();
      continue;
    }
    if (name == QLatin1String("script") || name == QLatin1String("style")) {
      const qsizetype end = html.indexOf(QStringLiteral("</") + name, i, Qt::CaseInsensitive);
      i = end < 0 ? n : end;
      continue;
    }
    if (IsVoid(name) || selfClosed) continue;
    if (EndsItself(name)) {
      // An open one of the same name within the nearest container ends here.
      for (auto at = open.rbegin(); at != open.rend() && !IsContainer(*at); ++at)
        if (*at == name) {
          for (auto left = std::distance(open.rbegin(), at) + 1; left > 0; --left) pop();
          break;
        }
    }
    open.push_back(name);
    if (name == QLatin1String("table")) w.tableDepth = std::max(w.tableDepth, ++tables);
    if (name == QLatin1String("td") || name == QLatin1String("th")) ++w.cells;
    w.depth = std::max(w.depth, static_cast<int>(open.size()));
    if (w.depth > limits.depth || w.tableDepth > limits.tableDepth || w.cells > limits.cells) break;
  }
  return w;
}

std::optional<QString> PageTooHeavy(const PageWeight& w, const PageLimits& limits) {
  if (w.characters > limits.characters)
    return QStringLiteral("Раздел слишком велик: %1 знаков, показываются разделы до %2.")
        .arg(w.characters)
        .arg(limits.characters);
  if (w.tableDepth > limits.tableDepth)
    return QStringLiteral("В разделе %1 вложенных таблиц, показываются разделы, где их не больше %2.")
        .arg(w.tableDepth)
        .arg(limits.tableDepth);
  if (w.depth > limits.depth)
    return QStringLiteral("В разделе элементы вложены %1 раз, показываются разделы, где не больше %2.")
        .arg(w.depth)
        .arg(limits.depth);
  if (w.cells > limits.cells)
    return QStringLiteral("В таблицах раздела %1 ячеек, показываются разделы, где их не больше %2.")
        .arg(w.cells)
        .arg(limits.cells);
  return std::nullopt;
}
