#pragma once
// The window's stock pictures, rendered from the vector sources in assets/. Icons and plates are
// drawn on a clear ground, so their smoothed edges blend with whatever lies beneath them.

#include <QImage>
#include <QString>

// A 32 x 32 icon from assets/icons/<name>.svg on a clear ground.
QImage IconPicture(const QString& name);
// The hovered variant: the same drawing with a dark drop shadow along its lower and right edges.
QImage WithDropShadow(const QImage& icon);
// The disabled variant: the same drawing in shades of grey.
QImage Greyed(const QImage& icon);
// A section plate (225 x 53), resting or highlighted.
QImage PlatePicture(bool highlighted);
// Any picture of assets/ at a given size on white (or transparent).
QImage RenderAsset(const QString& resourcePath, const QSize& size, bool onWhite = true);
