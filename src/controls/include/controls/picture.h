#pragma once
// The picture control: a picture (bitmap or JPEG with its decoding options) that can be
// assigned from another control or loaded from a file, a canvas to draw on, a see-through
// colour, auto-size, centre, stretch, proportional, an integer tag, a hint, a cursor, and
// attachable click and mouse-move handlers.

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "controls/jpeg.h"

class TImage;

// A picture by value: copies share the pixels until one is drawn on.
class Picture {
 public:
  enum class Kind { None, Bitmap, Jpeg };

  bool isEmpty() const { return kind_ == Kind::None; }
  bool isJpeg() const { return kind_ == Kind::Jpeg; }
  // What is shown: the bitmap, or the JPEG as decoded with its options.
  const QImage& image() const { return image_; }
  int width() const { return image_.width(); }
  int height() const { return image_.height(); }
  const JpegOptions& jpegOptions() const { return jpegOptions_; }

  static Picture FromImage(const QImage& image);

  // Loads a file; the format follows the extension (".jpg" and ".jpeg" JPEG, ".bmp" a
  // bitmap, anything else fails). On failure the picture is unchanged and errorString() says why.
  bool LoadFromFile(const QString& path, const JpegOptions& options = {}, const JpegPassFn& onPass = {},
                    std::chrono::nanoseconds passInterval = kJpegPassInterval);
  const QString& errorString() const { return error_; }

  // Decodes a JPEG picture again when its options change; other pictures are unchanged.
  bool SetJpegOptions(const JpegOptions& options, const JpegPassFn& onPass = {},
                      std::chrono::nanoseconds passInterval = kJpegPassInterval);

  // Turns the picture into a bitmap that can be drawn on; `size` is used when empty.
  QImage& EditableBitmap(const QSize& size);

 private:
  Kind kind_ = Kind::None;
  QImage image_;
  std::shared_ptr<const QByteArray> jpegData_;
  JpegOptions jpegOptions_;
  QString error_;
};

// Drawing on a picture control, in the manner of a device-context canvas: a current brush,
// font, font colour and pen position that later calls use.
class Canvas {
 public:
  explicit Canvas(TImage& owner) : owner_(owner) {}

  enum class BrushStyle { Solid, Clear };
  void SetBrushStyle(BrushStyle s) { brushStyle_ = s; }
  void SetBrushColor(const QColor& c) { brushColor_ = c; }
  void SetFont(const QFont& f) { font_ = f; }
  void SetFontColor(const QColor& c) { fontColor_ = c; }
  const QFont& font() const { return font_; }

  void FillRect(const QRect& r);                    // with the brush
  void TextOut(int x, int y, const QString& text);  // top-left of the text; brush behind it when solid
  void MoveTo(int x, int y) { pen_ = QPoint(x, y); }
  void LineTo(int x, int y);  // black, one pixel, end point excluded

 private:
  TImage& owner_;
  BrushStyle brushStyle_ = BrushStyle::Solid;
  QColor brushColor_ = Qt::white;
  QFont font_;
  QColor fontColor_ = Qt::black;
  QPoint pen_;
};

using SenderFn = std::function<void(QWidget* sender)>;
using MouseMoveFn = std::function<void(QWidget* sender, Qt::KeyboardModifiers shift, int x, int y)>;

class TImage : public QWidget {
  Q_OBJECT
 public:
  explicit TImage(QWidget* parent = nullptr);
  ~TImage() override;

  const Picture& picture() const { return picture_; }
  void SetPicture(const Picture& p);  // assign (a copy)
  void AssignFrom(const TImage& other) { SetPicture(other.picture()); }
  void ClearPicture() { SetPicture(Picture()); }
  // Loads a file into the picture; on failure the picture shown before stays and
  // errorString() says why.
  bool LoadFromFile(const QString& path, const JpegOptions& options = {});
  const QString& errorString() const { return error_; }
  // Applies JPEG options to the picture; a progressive file is shown pass by pass when asked.
  void SetJpegOptions(const JpegOptions& options);
  // How often a progressive display shows a pass before the last (tests show every one or none).
  void SetPassInterval(std::chrono::nanoseconds interval) { passInterval_ = interval; }
  // How many pictures loaded from files the control keeps, the latest first, and how many
  // pixels they may hold together (the latest is kept whatever its size). A file loaded again
  // unchanged with the same decoding is shown from them, not decoded again. One by default.
  void KeepRecentPictures(std::size_t count, qint64 pixels);

  Canvas& canvas() { return canvas_; }
  QImage& CanvasBitmap();  // the bitmap the canvas draws on (created at the control's size)
  void CanvasChanged();    // repaint after drawing

  bool center() const { return center_; }
  bool proportional() const { return proportional_; }
  const QString& hint() const { return hint_; }
  // The bottom-left pixel's colour is see-through; a picture whose bottom-left pixel is clear
  // shows by its own alpha.
  void SetTransparent(bool on);
  void SetAutoSize(bool on);
  void SetCenter(bool on);
  void SetStretch(bool on);
  void SetProportional(bool on);
  void SetHint(const QString& hint);
  void SetShowHint(bool on);

  int tag = 0;
  int helpContext = 0;  // a second integer of the control

  SenderFn OnClick;
  MouseMoveFn OnMouseMove;
  SenderFn OnContextMenu;  // right click (the pop-up menu of the control)

  // Where the picture stands in the control, as it is drawn.
  QRect PictureRect() const;
  // The control as it looks, see-through colour applied (for tests and rendering).
  QImage DisplayedImage() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void contextMenuEvent(QContextMenuEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  void PictureChanged();
  void Refresh();  // the paint flags follow the picture, then a repaint is asked for
  void UpdateToolTip();
  const QImage& Shown() const;
  void ShowPass(const QImage& soFar, QSize size, bool last, bool keep);
  QSize PictureSize() const;  // the picture's, or while a reduced pass is shown the full one

  // A file a picture was loaded from, as it was then, and how it was decoded.
  struct LoadedFrom {
    QString path;
    QDateTime modified;
    qint64 size;
    JpegOptions options;
    bool operator==(const LoadedFrom&) const = default;
  };
  struct Recent {
    LoadedFrom source;
    Picture picture;
  };
  void Remember(const LoadedFrom& source, const Picture& picture);

  Picture picture_;
  std::deque<Recent> recent_;  // the latest first
  std::size_t keepCount_ = 1;
  qint64 keepPixels_ = 0;
  Canvas canvas_;
  QString hint_;
  bool transparent_ = false, autoSize_ = false, center_ = false, stretch_ = false;
  bool proportional_ = false, showHint_ = false;
  bool pressed_ = false;
  std::chrono::nanoseconds passInterval_ = kJpegPassInterval;
  QString error_;
  bool roughScaling_ = false;  // painting a pass before the last: scaled without smoothing
  QSize passSize_;             // painting a pass: the size of the picture it stands for
  mutable QImage seeThrough_;  // the picture with its see-through colour, made when needed
  mutable bool seeThroughValid_ = false;
};

// A picture control that reports the pointer leaving it.
class TLeImage : public TImage {
  Q_OBJECT
 public:
  using TImage::TImage;
  const SenderFn& OnMouseLeave() const { return onMouseLeave_; }
  void SetOnMouseLeave(SenderFn handler) { onMouseLeave_ = std::move(handler); }

 protected:
  void leaveEvent(QEvent* e) override;

 private:
  SenderFn onMouseLeave_;
};
