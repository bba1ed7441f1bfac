#pragma once
// A label with attachable click, mouse-move and leave handlers and an integer tag. Its
// caption may hold a carriage return, which shows as a line break. The text is laid out once
// per caption and font, not at every paint: a drawing shows dozens of labels.

#include <QHash>
#include <QLabel>
#include <QStaticText>

#include <vector>

#include "controls/picture.h"

// Laid-out lines of text kept by text, font and layout, for labels that show the same texts
// again and again (the callouts of drawings shown anew, the same part on several drawings).
class TextLayouts {
 public:
  // The line laid out for the key; `layout` makes it when it is not kept.
  template <class Make>
  const QStaticText& Get(const QString& key, Make layout) {
    auto it = lines_.constFind(key);
    if (it == lines_.constEnd()) {
      if (lines_.size() > kMaxLines) lines_.clear();
      it = lines_.insert(key, layout());
    }
    return *it;
  }

 private:
  static constexpr qsizetype kMaxLines = 8192;
  QHash<QString, QStaticText> lines_;
};

class TLabel : public QLabel {
  Q_OBJECT
 public:
  explicit TLabel(QWidget* parent = nullptr);

  // The caption as given; a carriage return (with or without a line feed) breaks the line.
  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  // Sizes the label to its text when on.
  void SetAutoSize(bool on);
  void SetFontStyle(bool bold, bool underline);
  // A mark after the first line (a part in the basket): a teal dot ringed in white, which
  // shows on light and dark pictures alike. The label grows by its width.
  void SetMark(bool on);
  bool marked() const { return marked_; }
  // Where laid-out lines are kept; null (the default): each label lays out its own.
  void SetLayouts(TextLayouts* layouts) { layouts_ = layouts; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

  int tag = 0;
  SenderFn OnClick;
  MouseMoveFn OnMouseMove;
  SenderFn OnMouseLeave;

 protected:
  void paintEvent(QPaintEvent*) override;
  void changeEvent(QEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void leaveEvent(QEvent*) override;

 private:
  void Fit();
  void Layout();
  QString caption_;
  bool captionSet_ = false;
  QString fontKey_;  // the font's key, kept: working it out costs more than a layout
  std::vector<QStaticText> lines_;
  int lineSpacing_ = 0;
  int laidOutWidth_ = -1;
  bool autoSize_ = false;
  bool marked_ = false;
  bool pressed_ = false;
  TextLayouts* layouts_ = nullptr;
};
