#pragma once
// A tab control: a row of tabs over one shared page.

#include <QTabBar>
#include <QWidget>

#include <functional>

class TTabControl : public QWidget {
  Q_OBJECT
 public:
  explicit TTabControl(QWidget* parent = nullptr);

  QTabBar* tabs() const { return tabs_; }
  QWidget* page() const { return page_; }
  int TabIndex() const { return tabs_->currentIndex(); }
  void SetTabIndex(int index) { tabs_->setCurrentIndex(index); }
  // The control that fills the page.
  void SetPageContent(QWidget* content);

  std::function<void()> OnChange;  // after the user selects another tab

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent*) override;
  void paintEvent(QPaintEvent*) override;

 private:
  QTabBar* tabs_;
  QWidget* page_;
  bool ready_ = false;
};
