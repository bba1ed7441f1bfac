#include <gtest/gtest.h>

#include "help/page_weight.h"

namespace {

QString Repeat(const char* piece, int times) { return QString::fromLatin1(piece).repeated(times); }

// Pages as authors write them, and as a hostile file might: only what makes the layout slow
// counts, tags left open as HTML allows are not taken for nesting, and weighing stops at the
// first limit passed.
TEST(PageWeightTest, CountsWhatMakesTheLayoutSlow) {
  const struct {
    const char* what;
    QString html;
    int depth, tableDepth, cells;
    bool shown;
  } pages[] = {
      {"plain", QStringLiteral("<html><body><h1>Заказ</h1><p>Текст<br>ещё</p></body></html>"), 3, 0, 0, true},
      {"8 nested tables", Repeat("<table><tr><td>", 8) + Repeat("</td></tr></table>", 8), 24, 8, 8, true},
      {"9 nested tables", Repeat("<table><tr><td>", 9), 25, 9, 8, false},  // weighed up to the 9th
      {"unclosed paragraphs and items",
       QStringLiteral("<body>") + Repeat("<p>абзац", 5000) + QStringLiteral("<ul>") + Repeat("<li>пункт", 5000), 4, 0,
       0, true},
      {"unclosed cells and rows", QStringLiteral("<table>") + Repeat("<tr><td>a<td>b<td>c", 600), 3, 1, 1800, true},
      {"too many cells", QStringLiteral("<table>") + Repeat("<tr><td>a<td>b", 1001), 3, 1, 2001, false},
      {"nested divs", Repeat("<div>", 100000), 257, 0, 0, false},
      {"closed divs in a row", Repeat("<div>x</div>", 20000), 1, 0, 0, true},
      {"tags in comments, scripts and styles",
       QStringLiteral("<!--") + Repeat("<div>", 1000) + QStringLiteral("--><script>") + Repeat("<table>", 50) +
           QStringLiteral("</script><style>td{}</style>"),
       0, 0, 0, true},
      {"stray closing tags", Repeat("</table></div>", 1000) + QStringLiteral("<b>x</b>"), 1, 0, 0, true},
      {"a close that ends what it holds", QStringLiteral("<div><span><b>x</div><div>y</div>"), 3, 0, 0, true},
      {"void and self-closed", Repeat("<img src=a><br/><hr><x/>", 1000), 0, 0, 0, true},
      {"a lone < and a cut tag", QStringLiteral("a < b <div"), 0, 0, 0, true},
  };
  for (const auto& p : pages) {
    SCOPED_TRACE(p.what);
    const PageWeight w = WeighPage(p.html);
    EXPECT_EQ(w.depth, p.depth);
    EXPECT_EQ(w.tableDepth, p.tableDepth);
    EXPECT_EQ(w.cells, p.cells);
    EXPECT_EQ(!PageTooHeavy(w).has_value(), p.shown);
  }
  // A page past the size shown is not weighed at all.
  const PageWeight big = WeighPage(Repeat("<div>", 300000));
  EXPECT_EQ(big.depth, 0);
  EXPECT_TRUE(PageTooHeavy(big)->contains(QStringLiteral("слишком велик")));
}

}  // namespace
