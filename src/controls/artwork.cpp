#include "controls/artwork.h"

#include <QPainter>
#include <QSvgRenderer>

QImage RenderAsset(const QString& resourcePath, const QSize& size, bool onWhite) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(onWhite ? Qt::white : Qt::transparent);
  QSvgRenderer renderer(resourcePath);
  if (renderer.isValid()) {
    QPainter p(&image);
    renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
  }
  return onWhite ? image.convertToFormat(QImage::Format_RGB32) : image;
}

QImage IconPicture(const QString& name) {
  return RenderAsset(QStringLiteral(":/assets/icons/%1.svg").arg(name), QSize(32, 32), false);
}

QImage WithDropShadow(const QImage& icon) {
  // The drawing's own shape, offset down and right, darkened and softened, under the drawing.
  const QImage src = icon.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int w = src.width(), h = src.height();
  QImage shape(w, h, QImage::Format_ARGB32_Premultiplied);
  shape.fill(Qt::transparent);
  for (int y = 0; y < h; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(shape.scanLine(y));
    for (int x = 0; x < w; ++x)
      if (qAlpha(in[x]) > 8) out[x] = qRgba(0, 0, 0, 255);
  }
  QImage result(w, h, QImage::Format_ARGB32_Premultiplied);
  result.fill(Qt::transparent);
  QPainter p(&result);
  const int offsets[][3] = {{2, 2, 70}, {1, 1, 60}, {2, 1, 40}, {1, 2, 40}};
  for (const auto& o : offsets) {
    p.setOpacity(o[2] / 255.0);
    p.drawImage(QPoint(o[0], o[1]), shape);
  }
  p.setOpacity(1.0);
  p.drawImage(0, 0, src);
  p.end();
  return result;
}

QImage Greyed(const QImage& icon) {
  QImage out = icon.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      const QRgb c = line[x];
      if (qAlpha(c) == 0) continue;  // the clear ground stays clear
      // Grey by luminance, lifted towards white so the drawing reads as inactive.
      const int lum = (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100;
      const int g = std::min(254, 96 + lum * 150 / 255);
      line[x] = qRgba(g, g, g, qAlpha(c));
    }
  }
  return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage PlatePicture(bool highlighted) {
  return RenderAsset(
      highlighted ? QStringLiteral(":/assets/plates/section_hover.svg") : QStringLiteral(":/assets/plates/section.svg"),
      QSize(225, 53), false);
}
