#include "controls/jpeg.h"

#include <QByteArray>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace {

// Returns control to the caller instead of ending the process, and counts warnings:
// libjpeg reports truncated and corrupt data as warnings, and we refuse such files.
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

void OnMessage(j_common_ptr cinfo, int level) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  if (level < 0 && err->warnings++ == 0) (*cinfo->err->format_message)(cinfo, err->message);
}

void OnOutput(j_common_ptr) {}

struct Progress {
  jpeg_progress_mgr pub;
};

void OnProgress(j_common_ptr cinfo) {
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > kJpegMaxScans) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "more than %d scans", kJpegMaxScans);
    std::longjmp(err->jump, 1);
  }
}

// Reads every scan line of the current output pass into the image.
void ReadLines(j_decompress_ptr cinfo, QImage& image, std::vector<unsigned char>& cmyk) {
  const bool isCmyk = cinfo->out_color_space == JCS_CMYK;
  const int width = static_cast<int>(cinfo->output_width);
  JSAMPROW rows[8];
  while (cinfo->output_scanline < cinfo->output_height) {
    const int first = static_cast<int>(cinfo->output_scanline);
    const int n = std::min<int>(8, static_cast<int>(cinfo->output_height) - first);
    for (int i = 0; i < n; ++i)
      rows[i] = isCmyk ? cmyk.data() + static_cast<std::size_t>(i) * width * 4 : image.scanLine(first + i);
    const int got = static_cast<int>(jpeg_read_scanlines(cinfo, rows, static_cast<JDIMENSION>(n)));
    if (isCmyk) {
      // Adobe writes CMYK inverted; the product of ink and black gives the colour.
      for (int i = 0; i < got; ++i) {
        const unsigned char* src = cmyk.data() + static_cast<std::size_t>(i) * width * 4;
        unsigned char* dst = image.scanLine(first + i);
        for (int x = 0; x < width; ++x, src += 4, dst += 3) {
          const int k = src[3];
          dst[0] = static_cast<unsigned char>(src[0] * k / 255);
          dst[1] = static_cast<unsigned char>(src[1] * k / 255);
          dst[2] = static_cast<unsigned char>(src[2] * k / 255);
        }
      }
    }
    if (got == 0) break;
  }
}

struct Decompressor {
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  Progress progress{};
  ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
};

}  // namespace

bool DecodeJpeg(const unsigned char* data, std::size_t size, const JpegOptions& options,
                QImage& out, QString* error, const JpegPassFn& onPass) {
  auto fail = [&](const QString& why) {
    if (error) *error = why;
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
  QImage image;
  std::vector<unsigned char> cmyk;

  if (setjmp(d->err.jump)) return fail(QString::fromLocal8Bit(d->err.message));

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
    cinfo.out_color_space = options.grayscale ? JCS_GRAYSCALE : JCS_RGB;
  const bool stepwise = options.progressiveDisplay && onPass && jpeg_has_multiple_scans(&cinfo);
  cinfo.buffered_image = stepwise ? TRUE : FALSE;

  jpeg_calc_output_dimensions(&cinfo);
  const long long pixels = static_cast<long long>(cinfo.output_width) * cinfo.output_height;
  const long long sourcePixels = static_cast<long long>(cinfo.image_width) * cinfo.image_height;
  if (pixels <= 0 || sourcePixels > kJpegMaxPixels * 4 || pixels > kJpegMaxPixels)
    return fail(QStringLiteral("picture too large: %1 x %2").arg(cinfo.image_width).arg(cinfo.image_height));

  image = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                 cinfo.out_color_space == JCS_GRAYSCALE ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
  if (image.isNull()) return fail(QStringLiteral("out of memory"));
  if (cinfo.out_color_space == JCS_CMYK) cmyk.resize(static_cast<std::size_t>(cinfo.output_width) * 4 * 8);

  jpeg_start_decompress(&cinfo);
  if (stepwise) {
    image.fill(Qt::white);
    while (!jpeg_input_complete(&cinfo)) {
      jpeg_start_output(&cinfo, cinfo.input_scan_number);
      ReadLines(&cinfo, image, cmyk);
      jpeg_finish_output(&cinfo);
      if (d->err.warnings) break;
      onPass(image);
    }
  } else {
    ReadLines(&cinfo, image, cmyk);
  }
  if (!d->err.warnings) jpeg_finish_decompress(&cinfo);
  if (d->err.warnings) return fail(QString::fromLocal8Bit(d->err.message));
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
