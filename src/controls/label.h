#pragma once
// A label with attachable click, mouse-move and leave handlers and an integer tag. Its
// caption may hold a carriage return, which shows as a line break.

#include <QLabel>

#include "controls/picture.h"

class TLabel : public QLabel {
  Q_OBJECT
 public:
  explicit TLabel(QWidget* parent = nullptr);

  // The caption as given; a carriage return (with or without a line feed) breaks the line.
  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  // Sizes the label to its text when on.
  void SetAutoSize(bool on);
  bool autoSize() const { return autoSize_; }
  void SetFontStyle(bool bold, bool underline);

  int tag = 0;
  SenderFn OnClick;
  MouseMoveFn OnMouseMove;
  SenderFn OnMouseLeave;

 protected:
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void leaveEvent(QEvent*) override;

 private:
  void Fit();
  QString caption_;
  bool autoSize_ = false;
  bool pressed_ = false;
};
