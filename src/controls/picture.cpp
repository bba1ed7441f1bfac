#include "controls/picture.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

// ---------------------------------------------------------------- Picture

Picture Picture::FromImage(const QImage& image) {
  Picture p;
  if (!image.isNull()) {
    p.kind_ = Kind::Bitmap;
    p.image_ = image;
  }
  return p;
}

bool Picture::LoadFromFile(const QString& path, const JpegOptions& options, const JpegPassFn& onPass,
                           std::chrono::nanoseconds passInterval) {
  error_.clear();
  auto fail = [&](const QString& why) {
    error_ = why;
    return false;
  };
  const QString suffix = QFileInfo(path).suffix().toLower();
  const bool jpeg = suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
  if (!jpeg && suffix != QLatin1String("bmp")) return fail(QStringLiteral("no picture format for \"%1\"").arg(suffix));

  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
  auto data = std::make_shared<QByteArray>(file.readAll());
  if (file.error() != QFileDevice::NoError) return fail(file.errorString());

  QImage decoded;
  if (jpeg) {
    JpegDecoder decoder;
    if (!decoder.Decode(reinterpret_cast<const unsigned char*>(data->constData()),
                        static_cast<std::size_t>(data->size()), options, decoded, onPass, passInterval))
      return fail(decoder.errorString());
    kind_ = Kind::Jpeg;
    jpegData_ = std::move(data);
    jpegOptions_ = options;
  } else {
    if (!decoded.loadFromData(*data, "BMP")) return fail(QStringLiteral("not a bitmap file"));
    kind_ = Kind::Bitmap;
    jpegData_.reset();
  }
  image_ = std::move(decoded);
  return true;
}

bool Picture::SetJpegOptions(const JpegOptions& options, const JpegPassFn& onPass,
                             std::chrono::nanoseconds passInterval) {
  if (kind_ != Kind::Jpeg) return true;
  // Display-only options need no new decode.
  JpegOptions decodeNow = options;
  decodeNow.progressiveDisplay = jpegOptions_.progressiveDisplay;
  if (decodeNow == jpegOptions_) {
    jpegOptions_ = options;
    return true;
  }
  QImage decoded;
  JpegDecoder decoder;
  if (!decoder.Decode(reinterpret_cast<const unsigned char*>(jpegData_->constData()),
                      static_cast<std::size_t>(jpegData_->size()), options, decoded, onPass, passInterval)) {
    error_ = decoder.errorString();
    return false;
  }
  image_ = std::move(decoded);
  jpegOptions_ = options;
  return true;
}

QImage& Picture::EditableBitmap(const QSize& size) {
  if (kind_ == Kind::None) {
    image_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.fill(Qt::white);
  } else if (image_.format() != QImage::Format_RGB32 && image_.format() != QImage::Format_ARGB32_Premultiplied) {
    image_ = image_.convertToFormat(QImage::Format_RGB32);
  }
  kind_ = Kind::Bitmap;
  jpegData_.reset();
  return image_;
}

// ---------------------------------------------------------------- Canvas

void Canvas::FillRect(const QRect& r) {
  if (brushStyle_ == BrushStyle::Clear) return;
  QImage& bitmap = owner_.CanvasBitmap();
  QPainter p(&bitmap);
  p.fillRect(r, brushColor_);
  p.end();
  owner_.CanvasChanged();
}

void Canvas::TextOut(int x, int y, const QString& text) {
  QImage& bitmap = owner_.CanvasBitmap();
  QPainter p(&bitmap);
  p.setFont(font_);
  const QFontMetrics fm(font_);
  const QRect box(x, y, fm.horizontalAdvance(text), fm.height());
  if (brushStyle_ == BrushStyle::Solid) p.fillRect(box, brushColor_);
  p.setPen(fontColor_);
  p.drawText(QPoint(x, y + fm.ascent()), text);
  p.end();
  pen_ = QPoint(x + box.width(), y);
  owner_.CanvasChanged();
}

void Canvas::LineTo(int x, int y) {
  QImage& bitmap = owner_.CanvasBitmap();
  QPainter p(&bitmap);
  p.setPen(QPen(Qt::black, 1));
  // The end point itself is not drawn, as with device-context lines.
  const QPoint to(x, y);
  if (to != pen_) {
    QPoint end = to;
    if (to.x() != pen_.x() && to.y() == pen_.y())
      end.rx() += to.x() > pen_.x() ? -1 : 1;
    else if (to.y() != pen_.y() && to.x() == pen_.x())
      end.ry() += to.y() > pen_.y() ? -1 : 1;
    p.drawLine(pen_, end);
  }
  p.end();
  pen_ = to;
  owner_.CanvasChanged();
}

// ---------------------------------------------------------------- TImage

TImage::TImage(QWidget* parent) : QWidget(parent), canvas_(*this) {
  setMouseTracking(true);
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setPixelSize(11);
  canvas_.SetFont(f);
}

TImage::~TImage() = default;

void TImage::SetPicture(const Picture& p) {
  // The very pixels already shown (an assignment repeated on every mode change) need no
  // repaint.
  const bool same = p.isEmpty() == picture_.isEmpty() && p.image().cacheKey() == picture_.image().cacheKey();
  picture_ = p;
  if (!same) PictureChanged();
}

void TImage::KeepRecentPictures(std::size_t count, qint64 pixels) {
  keepCount_ = std::max<std::size_t>(count, 1);
  keepPixels_ = pixels;
}

void TImage::Remember(const LoadedFrom& source, const Picture& picture) {
  recent_.push_front({source, picture});
  qint64 pixels = 0;
  for (std::size_t i = 0; i < recent_.size(); ++i) {
    pixels += static_cast<qint64>(recent_[i].picture.width()) * recent_[i].picture.height();
    if (i > 0 && (i >= keepCount_ || pixels > keepPixels_)) {
      recent_.resize(i);
      break;
    }
  }
}

bool TImage::LoadFromFile(const QString& path, const JpegOptions& options) {
  error_.clear();
  const QFileInfo file(path);
  // Showing pass by pass changes nothing of the finished picture.
  JpegOptions decoded = options;
  decoded.progressiveDisplay = false;
  const LoadedFrom source{file.absoluteFilePath(), file.lastModified(), file.size(), decoded};
  // The same unchanged file with the same decoding is a picture loaded lately.
  const auto recent = std::find_if(recent_.begin(), recent_.end(), [&](const Recent& r) { return r.source == source; });
  if (recent != recent_.end() && file.exists()) {
    const Recent hit = *recent;
    recent_.erase(recent);
    recent_.push_front(hit);
    SetPicture(hit.picture);
    picture_.SetJpegOptions(options);  // only the display option can differ: no new decode
    return true;
  }

  const Picture before = picture_;
  JpegPassFn onPass;
  if (options.progressiveDisplay && isVisible()) {
    // A pass of a progressive file is shown as soon as it is decoded.
    onPass = [this](const QImage& soFar, QSize size, bool last) { ShowPass(soFar, size, last, last); };
  }
  Picture loaded;
  if (!loaded.LoadFromFile(path, options, onPass, passInterval_)) {
    error_ = loaded.errorString();
    if (onPass) SetPicture(before);
    return false;
  }
  SetPicture(loaded);
  Remember(source, loaded);
  return true;
}

void TImage::SetJpegOptions(const JpegOptions& options) {
  if (!picture_.isJpeg() || picture_.jpegOptions() == options) return;
  JpegPassFn onPass;
  if (options.progressiveDisplay && isVisible()) {
    onPass = [this](const QImage& soFar, QSize size, bool last) { ShowPass(soFar, size, last, false); };
  }
  Picture next = picture_;
  if (next.SetJpegOptions(options, onPass, passInterval_)) {
    SetPicture(next);
  } else {
    PictureChanged();
  }
}

// Paints a pass of a progressive display at once; a pass before the last is scaled without
// smoothing, which would cost more than the pass is worth. The decoder writes its next pass
// into the same pixels, so the control holds them only while it paints (holding them longer
// would have them copied for every pass); with `keep` it goes on showing them. A reduced pass
// is laid out as the picture of `size` it stands for.
void TImage::ShowPass(const QImage& soFar, QSize size, bool last, bool keep) {
  Picture pass = Picture::FromImage(soFar);
  std::swap(picture_, pass);
  passSize_ = size;
  PictureChanged();
  roughScaling_ = !last;
  repaint();
  roughScaling_ = false;
  passSize_ = {};
  if (!keep) {
    std::swap(picture_, pass);
    seeThroughValid_ = false;
  }
}

QImage& TImage::CanvasBitmap() { return picture_.EditableBitmap(size()); }

void TImage::CanvasChanged() {
  seeThroughValid_ = false;
  Refresh();
}

void TImage::PictureChanged() {
  seeThroughValid_ = false;
  if (autoSize_ && !picture_.isEmpty()) resize(PictureSize());
  Refresh();
}

void TImage::Refresh() {
  // A picture that covers the control with solid pixels hides whatever lies under it, so
  // the window need not paint its background there first.
  const bool opaque =
      !picture_.isEmpty() && !transparent_ && !picture_.image().hasAlphaChannel() && PictureRect().contains(rect());
  if (testAttribute(Qt::WA_OpaquePaintEvent) != opaque) setAttribute(Qt::WA_OpaquePaintEvent, opaque);
  update();
}

void TImage::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Refresh();
}

void TImage::SetTransparent(bool on) {
  transparent_ = on;
  seeThroughValid_ = false;
  Refresh();
}
void TImage::SetAutoSize(bool on) {
  autoSize_ = on;
  PictureChanged();
}
void TImage::SetCenter(bool on) {
  center_ = on;
  Refresh();
}
void TImage::SetStretch(bool on) {
  stretch_ = on;
  Refresh();
}
void TImage::SetProportional(bool on) {
  proportional_ = on;
  Refresh();
}
void TImage::SetHint(const QString& hint) {
  hint_ = hint;
  UpdateToolTip();
}
void TImage::SetShowHint(bool on) {
  showHint_ = on;
  UpdateToolTip();
}
void TImage::UpdateToolTip() { setToolTip(showHint_ ? hint_ : QString()); }

QSize TImage::PictureSize() const {
  return passSize_.isValid() ? passSize_ : QSize(picture_.width(), picture_.height());
}

QRect TImage::PictureRect() const {
  if (picture_.isEmpty()) return {};
  const QSize pic = PictureSize();
  QSize shown = pic;
  if (stretch_) {
    shown = size();
    if (proportional_) shown = pic.scaled(size(), Qt::KeepAspectRatio);
  } else if (proportional_ && (pic.width() > width() || pic.height() > height())) {
    shown = pic.scaled(size(), Qt::KeepAspectRatio);
  }
  QPoint at(0, 0);
  if (center_) at = QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2);
  return QRect(at, shown);
}

const QImage& TImage::Shown() const {
  if (!transparent_ || picture_.isEmpty()) return picture_.image();
  if (!seeThroughValid_) {
    const QImage& src = picture_.image();
    const QRgb corner = src.pixel(0, src.height() - 1);
    const QRgb key = corner | 0xff000000u;
    seeThrough_ = src.convertToFormat(QImage::Format_ARGB32);
    // A picture drawn on a clear ground (its corner see-through already) says by its alpha
    // what shows; keying a colour too would take out its black.
    for (int y = 0; qAlpha(corner) != 0 && y < seeThrough_.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(seeThrough_.scanLine(y));
      for (int x = 0; x < seeThrough_.width(); ++x)
        if ((line[x] | 0xff000000u) == key) line[x] = 0;
    }
    seeThroughValid_ = true;
  }
  return seeThrough_;
}

QImage TImage::DisplayedImage() const {
  QImage out(size(), QImage::Format_ARGB32);
  out.fill(Qt::transparent);
  QPainter p(&out);
  if (!picture_.isEmpty()) p.drawImage(PictureRect(), Shown());
  return out;
}

void TImage::paintEvent(QPaintEvent*) {
  if (picture_.isEmpty()) return;
  QPainter p(this);
  const QRect r = PictureRect();
  if (r.size() != QSize(picture_.width(), picture_.height()) && !roughScaling_)
    p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(r, Shown());
}

void TImage::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) pressed_ = true;
  QWidget::mousePressEvent(e);
}

// The second press of a double-click is no click of its own: the control was clicked once.
void TImage::mouseDoubleClickEvent(QMouseEvent* e) { e->accept(); }

void TImage::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
  pressed_ = false;
  if (click) {
    if (auto handler = OnClick) handler(this);
  }
}

void TImage::mouseMoveEvent(QMouseEvent* e) {
  if (auto handler = OnMouseMove) {
    const QPoint at = e->position().toPoint();
    handler(this, e->modifiers(), at.x(), at.y());
  }
}

void TImage::contextMenuEvent(QContextMenuEvent* e) {
  if (auto handler = OnContextMenu) {
    handler(this);
    e->accept();
  } else {
    QWidget::contextMenuEvent(e);
  }
}

void TLeImage::leaveEvent(QEvent* e) {
  TImage::leaveEvent(e);
  if (auto handler = onMouseLeave_) handler(this);
}
