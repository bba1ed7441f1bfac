// The JPEG loader, as the picture control calls it.

#include <QImage>
#include <QString>

#include "controls/jpeg.h"
#include "targets.h"

namespace {

void CheckDecoded(bool ok, const QImage& image, const QString& error) {
  if (!ok) {
    FuzzCheck(!error.isEmpty(), "a refused JPEG has a reason");
    return;
  }
  FuzzCheck(!image.isNull() && image.width() > 0 && image.height() > 0, "a decoded JPEG gives a picture");
  FuzzCheck(static_cast<long long>(image.width()) * image.height() <= kJpegMaxPixels,
            "a decoded picture keeps within the pixel limit");
}

}  // namespace

int FuzzJpeg(const std::uint8_t* data, std::size_t size) {
  QImage full, quarter, stepped;
  JpegDecoder decoder;

  const bool fullOk = decoder.Decode(data, size, JpegOptions{false, false, true, false}, full);
  CheckDecoded(fullOk, full, decoder.errorString());

  const bool quarterOk = decoder.Decode(data, size, JpegOptions{true, true, false, false}, quarter);
  CheckDecoded(quarterOk, quarter, decoder.errorString());
  if (fullOk && quarterOk)
    FuzzCheck(quarter.width() == (full.width() + 3) / 4 && quarter.height() == (full.height() + 3) / 4,
              "a quarter picture is a quarter of the full one");

  // Pass by pass, as the picture control shows a progressive file while it loads, every pass
  // shown.
  int passes = 0, lastPasses = 0;
  QSize passSize;
  const bool steppedOk = decoder.Decode(
      data, size, JpegOptions{false, false, true, true}, stepped,
      [&](const QImage& shown, QSize size, bool last) {
        FuzzCheck(lastPasses == 0, "no pass follows the last");
        ++passes;
        lastPasses += last;
        FuzzCheck(passes <= kJpegMaxScans, "no more passes are shown than the scan limit allows");
        FuzzCheck(!shown.isNull(), "each pass shows a picture");
        if (passSize.isValid()) FuzzCheck(size == passSize, "every pass stands for a picture of the same size");
        passSize = size;
        FuzzCheck(
            last ? shown.size() == size
                 : shown.width() <= size.width() && shown.height() <= size.height() &&
                       ((shown.width() <= kJpegPassSide && shown.height() <= kJpegPassSide) || shown.size() == size),
            "a pass shows the picture, reduced only before the last");
      },
      std::chrono::nanoseconds(0));
  CheckDecoded(steppedOk, stepped, decoder.errorString());
  if (steppedOk && passes > 0) FuzzCheck(stepped.size() == passSize, "the final picture has the passes' size");
  if (steppedOk && passes > 0) FuzzCheck(lastPasses == 1, "a picture shown pass by pass ends with its last pass");
  if (steppedOk && fullOk) FuzzCheck(stepped == full, "shown pass by pass, the picture ends as decoded in one go");
  return 0;
}
