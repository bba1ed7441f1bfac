#pragma once
// JPEG decoding with libjpeg, straight into the scan lines of a 24-bit QImage.

#include <QImage>
#include <QString>

#include <chrono>
#include <cstddef>
#include <functional>

struct JpegOptions {
  bool quarter = false;  // one quarter of width and height, by the library's DCT scaling
  bool grayscale = false;
  bool bestQuality = true;  // accurate integer DCT and fancy upsampling
  bool progressiveDisplay = false;

  bool operator==(const JpegOptions&) const = default;
};

// Limits that keep a hostile file from exhausting memory or time.
inline constexpr long long kJpegMaxPixels = 64LL * 1024 * 1024;  // of the decoded picture
inline constexpr long kJpegMaxMemory = 512L * 1024 * 1024;       // libjpeg's own work memory
inline constexpr int kJpegMaxScans = 1000;
// Blocks of 8 x 8 samples decoded over all scans together: a multi-scan file costs time in
// proportion to it, so many scans of a large picture are refused before they are decoded.
inline constexpr long long kJpegMaxScanBlocks = 32LL * 1024 * 1024;
// Pixels output over all passes of a progressive display. Past it the remaining scans are
// read at once and the picture is shown complete in one last pass.
inline constexpr long long kJpegMaxShownPixels = 4 * kJpegMaxPixels;

// Called with the picture so far for each pass of a progressive file that is shown, and the
// size of the finished picture; `last` for the finished picture. A pass before the last may
// be the picture reduced by a power of two, to no more than kJpegPassSide on either side.
using JpegPassFn = std::function<void(const QImage& soFar, QSize pictureSize, bool last)>;
inline constexpr int kJpegPassSide = 1024;

// A progressive display shows a pass before the last only once this much time has gone by
// since decoding began or since the pass shown before: a picture that decodes quickly is
// shown once, finished, and a slow one is not slowed down much by showing its passes.
inline constexpr std::chrono::milliseconds kJpegPassInterval{30};

// Decodes whole JPEG file images with libjpeg, which never ends the process.
class JpegDecoder {
 public:
  // Decodes a file image into `out`. Damaged data that libjpeg makes up for (extra bytes, a
  // truncated end, corrupt blocks, an unknown JFIF revision) is decoded as every picture
  // viewer shows it, with warnings(); a file that cannot be decoded at all (not a JPEG, too
  // large, too many scans) fails, with errorString(). With progressive display on and a pass
  // function given, a progressive file is read scan by scan (buffered-image mode) and shown
  // when `passInterval` allows, each pass before the last with the fast DCT and without
  // block smoothing; the last pass is the picture as decoded in one go. Otherwise the file is
  // decoded in one go.
  bool Decode(const unsigned char* data, std::size_t size, const JpegOptions& options, QImage& out,
              const JpegPassFn& onPass = {}, std::chrono::nanoseconds passInterval = kJpegPassInterval);

  // Why the last decode failed.
  const QString& errorString() const { return error_; }
  // The warnings of the last decode: how often libjpeg made up for damaged data.
  int warnings() const { return warnings_; }

 private:
  QString error_;
  int warnings_ = 0;
};

// Encodes a picture as JPEG (the demo generator and tests make their pictures with it).
bool EncodeJpeg(const QImage& image, int quality, bool progressive, QByteArray& out);
