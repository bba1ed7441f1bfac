#include "controls/jpeg.h"

#include <QByteArray>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace {

// QImage::Format_RGB32 holds 0xffRRGGBB in native byte order.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kPixelOrder = JCS_EXT_BGRX;
#else
constexpr J_COLOR_SPACE kPixelOrder = JCS_EXT_XRGB;
#endif

// Returns control to the caller instead of ending the process. Warnings only count: libjpeg
// reports damaged data it has made up for (a truncated end, extra bytes) as warnings.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  int warnings;
};

void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// A warning is counted; the limits on size and scan work keep damaged data from costing more
// time than a sound file.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0) ++reinterpret_cast<ErrorManager*>(cinfo->err)->warnings;
}

void OnOutput(j_common_ptr) {}

struct Progress {
  jpeg_progress_mgr pub;
  int scan;          // the last scan counted
  long long blocks;  // blocks of the scans counted so far
};

[[noreturn]] void Refuse(j_decompress_ptr cinfo, const char* why) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::snprintf(err->message, sizeof err->message, "%s", why);
  std::longjmp(err->jump, 1);
}

// Counts each scan as it begins, before its data is decoded, and refuses a file that has too
// many scans or whose scans together would take too long to decode.
void CountScans(j_decompress_ptr cinfo) {
  if (cinfo->input_scan_number > kJpegMaxScans) {
    char why[64];
    std::snprintf(why, sizeof why, "more than %d scans", kJpegMaxScans);
    Refuse(cinfo, why);
  }
  auto* progress = reinterpret_cast<Progress*>(cinfo->progress);
  if (cinfo->input_scan_number <= progress->scan) return;
  long long blocks = 0;
  for (int i = 0; i < cinfo->comps_in_scan; ++i)
    blocks +=
        static_cast<long long>(cinfo->cur_comp_info[i]->width_in_blocks) * cinfo->cur_comp_info[i]->height_in_blocks;
  progress->blocks += blocks * (cinfo->input_scan_number - progress->scan);
  progress->scan = cinfo->input_scan_number;
  if (progress->blocks > kJpegMaxScanBlocks) Refuse(cinfo, "too many scans for a picture of this size");
}

void OnProgress(j_common_ptr cinfo) { CountScans(reinterpret_cast<j_decompress_ptr>(cinfo)); }

// Reads every scan line of the current output pass into `image`, or with `step` above one
// into a picture reduced by it: every step-th pixel of every step-th line. Lines that are
// not written into the image straight go through `rows`, eight lines of the output width.
void ReadLines(j_decompress_ptr cinfo, QImage& image, std::vector<unsigned char>& rows, int step = 1) {
  const bool isCmyk = cinfo->out_color_space == JCS_CMYK;
  const bool straight = step == 1 && !isCmyk;
  const std::size_t rowBytes = static_cast<std::size_t>(cinfo->output_width) * cinfo->output_components;
  const int width = image.width();
  JSAMPROW lines[8];
  while (cinfo->output_scanline < cinfo->output_height) {
    const int first = static_cast<int>(cinfo->output_scanline);
    const int n = std::min<int>(8, static_cast<int>(cinfo->output_height) - first);
    for (int i = 0; i < n; ++i) lines[i] = straight ? image.scanLine(first + i) : rows.data() + i * rowBytes;
    const int got = static_cast<int>(jpeg_read_scanlines(cinfo, lines, static_cast<JDIMENSION>(n)));
    for (int i = 0; i < got && !straight; ++i) {
      if ((first + i) % step != 0) continue;
      const unsigned char* src = lines[i];
      uchar* dst = image.scanLine((first + i) / step);
      if (isCmyk) {
        // Adobe writes CMYK inverted; the product of ink and black gives the colour.
        auto* out = reinterpret_cast<QRgb*>(dst);
        for (int x = 0; x < width; ++x) {
          const unsigned char* s = src + static_cast<std::size_t>(x) * step * 4;
          out[x] = qRgb(s[0] * s[3] / 255, s[1] * s[3] / 255, s[2] * s[3] / 255);
        }
      } else if (cinfo->output_components == 1) {
        for (int x = 0; x < width; ++x) dst[x] = src[x * step];
      } else {
        const auto* in = reinterpret_cast<const QRgb*>(src);
        auto* out = reinterpret_cast<QRgb*>(dst);
        for (int x = 0; x < width; ++x) out[x] = in[x * step];
      }
    }
    if (got == 0) break;
  }
}

// One output pass of a buffered-image decoding, showing the scans read so far.
void ShowPass(j_decompress_ptr cinfo, QImage& image, std::vector<unsigned char>& rows, int step = 1) {
  jpeg_start_output(cinfo, cinfo->input_scan_number);
  ReadLines(cinfo, image, rows, step);
  jpeg_finish_output(cinfo);
}

struct Decompressor {
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  Progress progress{};
  // Filled while libjpeg may jump back: kept here, not in locals a jump leaves indeterminate.
  QImage image;
  QImage reduced;
  std::vector<unsigned char> rows;
  ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
};

}  // namespace

bool JpegDecoder::Decode(const unsigned char* data, std::size_t size, const JpegOptions& options, QImage& out,
                         const JpegPassFn& onPass, std::chrono::nanoseconds passInterval) {
  error_.clear();
  warnings_ = 0;
  auto fail = [&](const QString& why) {
    error_ = why;
    return false;
  };
  if (!data || size < 4) return fail(QStringLiteral("not a JPEG file"));

  // Heap-allocated: the jump buffer and libjpeg's state must outlive every longjmp target.
  auto d = std::make_unique<Decompressor>();
  jpeg_decompress_struct& cinfo = d->cinfo;
  cinfo.err = jpeg_std_error(&d->err.pub);
  d->err.pub.error_exit = OnError;
  d->err.pub.emit_message = OnMessage;
  d->err.pub.output_message = OnOutput;
  QImage& image = d->image;
  std::vector<unsigned char>& rows = d->rows;

  if (setjmp(d->err.jump)) {
    warnings_ = d->err.warnings;
    return fail(QString::fromLocal8Bit(d->err.message));
  }

  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kJpegMaxMemory;
  d->progress.pub.progress_monitor = OnProgress;
  cinfo.progress = &d->progress.pub;
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);

  cinfo.scale_num = 1;
  cinfo.scale_denom = options.quarter ? 4 : 1;
  cinfo.dct_method = options.bestQuality ? JDCT_ISLOW : JDCT_IFAST;
  cinfo.do_fancy_upsampling = options.bestQuality ? TRUE : FALSE;
  if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK)
    cinfo.out_color_space = JCS_CMYK;
  else
    // Colour goes straight into the 32-bit pixels the screen uses, so showing the picture
    // needs no conversion; the colour itself is 24-bit.
    cinfo.out_color_space = options.grayscale ? JCS_GRAYSCALE : kPixelOrder;
  const bool stepwise = options.progressiveDisplay && onPass && jpeg_has_multiple_scans(&cinfo);
  cinfo.buffered_image = stepwise ? TRUE : FALSE;

  jpeg_calc_output_dimensions(&cinfo);
  const long long pixels = static_cast<long long>(cinfo.output_width) * cinfo.output_height;
  const long long sourcePixels = static_cast<long long>(cinfo.image_width) * cinfo.image_height;
  if (pixels <= 0 || sourcePixels > kJpegMaxPixels * 4 || pixels > kJpegMaxPixels)
    return fail(QStringLiteral("picture too large: %1 x %2").arg(cinfo.image_width).arg(cinfo.image_height));

  // A multi-scan file shown in one go is read whole here, before any picture memory is taken.
  jpeg_start_decompress(&cinfo);

  image = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                 cinfo.out_color_space == JCS_GRAYSCALE ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
  if (image.isNull()) return fail(QStringLiteral("out of memory"));
  if (cinfo.out_color_space == JCS_CMYK || stepwise)
    rows.resize(static_cast<std::size_t>(cinfo.output_width) * cinfo.output_components * 8);

  if (stepwise) {
    using Clock = std::chrono::steady_clock;
    // A pass before the last is shown reduced to about the size of a screen: it is rough
    // anyway, and the finished picture's memory is then written once, by the last pass.
    int step = 1;
    auto side = [&](int n) { return (n + step - 1) / step; };
    while (side(image.width()) > kJpegPassSide || side(image.height()) > kJpegPassSide) step *= 2;
    QImage& pass = step == 1 ? image : d->reduced;
    if (step > 1) {
      pass = QImage(side(image.width()), side(image.height()), image.format());
      if (pass.isNull()) return fail(QStringLiteral("out of memory"));
    }
    Clock::time_point shownAt = Clock::now();
    // The wait before a pass: the interval, and long enough that showing passes never costs
    // more than about a third of the decoding.
    Clock::duration wait = passInterval;
    long long budget = kJpegMaxShownPixels;
    int shownScan = 0;  // a scan shows in one pass at most
    while (!jpeg_input_complete(&cinfo)) {
      // Read a row of blocks at a time, so that a pass is shown as soon as it is due, with
      // what has arrived: the scans before, and the rows read so far of the scan being read.
      CountScans(&cinfo);
      const int read = jpeg_consume_input(&cinfo);
      if (read == JPEG_SUSPENDED || read == JPEG_REACHED_EOI) break;
      // Showing every pass of a large picture would take too long: past the budget the
      // remaining scans are only read.
      if (cinfo.input_scan_number == shownScan || Clock::now() - shownAt < wait || budget < pixels) continue;
      budget -= pixels;  // each pass decodes the whole picture, reduced or not
      shownScan = cinfo.input_scan_number;
      const Clock::time_point started = Clock::now();
      cinfo.dct_method = JDCT_IFAST;
      cinfo.do_block_smoothing = FALSE;
      ShowPass(&cinfo, pass, rows, step);
      onPass(pass, image.size(), false);
      shownAt = Clock::now();
      // (An interval of nothing, for tests, shows every scan.)
      if (passInterval.count() > 0) wait = std::max<Clock::duration>(passInterval, 3 * (shownAt - started));
    }
    d->reduced = QImage();
    while (!jpeg_input_complete(&cinfo)) {
      CountScans(&cinfo);
      if (jpeg_consume_input(&cinfo) == JPEG_SUSPENDED) break;
    }
    cinfo.dct_method = options.bestQuality ? JDCT_ISLOW : JDCT_IFAST;
    cinfo.do_block_smoothing = TRUE;
    ShowPass(&cinfo, image, rows);
    onPass(image, image.size(), true);
  } else {
    ReadLines(&cinfo, image, rows);
  }
  jpeg_finish_decompress(&cinfo);
  warnings_ = d->err.warnings;
  out = std::move(image);
  return true;
}

bool EncodeJpeg(const QImage& source, int quality, bool progressive, QByteArray& out) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct cinfo{};
  ErrorManager err{};
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  unsigned char* buffer = nullptr;
  unsigned long length = 0;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &buffer, &length);
  cinfo.image_width = static_cast<JDIMENSION>(image.width());
  cinfo.image_height = static_cast<JDIMENSION>(image.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.dct_method = JDCT_ISLOW;
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  out = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(length));
  std::free(buffer);
  return true;
}
