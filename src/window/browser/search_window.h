#pragma once
// The search window: a part found by its designation or name as the user types, and opened
// on the drawing where it is a callout.

#include <QDialog>

#include <cstdint>
#include <vector>

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

class TfrSearch : public QDialog {
  Q_OBJECT
 public:
  // One line of the results.
  struct Line {
    std::uint32_t row;  // the record's row in the catalogue table
    QString oboz, naim, where;
  };

  explicit TfrSearch(QWidget* owner);

  // The lines found for the query typed (at most kMaxLines), how many there are in all, and how
  // many words of the query were not looked for.
  void ShowResults(const std::vector<Line>& lines, std::size_t total, std::size_t wordsLeftOut = 0);

  QLineEdit* edQuery;
  QTreeWidget* lvResults;
  // How many were found when not all are shown, and the words not looked for; not a line of
  // the results.
  QLabel* lbMore;

  // The most lines shown for one query.
  static constexpr std::size_t kMaxLines = 500;

 signals:
  // The query changed: the owner answers with ShowResults.
  void findRequested(const QString& query);
  // A line was chosen; the owner closes the window when the part is shown.
  void openRequested(std::uint32_t row);
  // Ctrl+C: the designations and names of the lines selected, a line each.
  void copyRequested(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Open(QTreeWidgetItem* item);
};
