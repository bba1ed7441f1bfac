#pragma once
// The search window: a part found by its designation or name as the user types, and opened
// on the drawing where it is a callout.

#include <QDialog>

#include <cstdint>
#include <functional>
#include <vector>

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

  // Finds the parts a query matches: at most the lines shown, and how many there are in all.
  std::function<std::vector<Line>(const QString& query, std::size_t* total)> OnFind;
  // Opens a part: true when it was shown (the window then closes).
  std::function<bool(std::uint32_t row)> OnOpen;

  QLineEdit* edQuery;
  QTreeWidget* lvResults;

  // The most lines shown for one query.
  static constexpr std::size_t kMaxLines = 500;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Find();
  void Open(QTreeWidgetItem* item);
};
