#pragma once
// A bare libjpeg-turbo decode, the yardstick of the picture benchmarks: the least a decode of
// the same file at the same scale can cost.

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include <jpeglib.h>  // after <cstdio>, which it needs

namespace bench {

// Leaves new elements uninitialised: the decoder writes every byte, and zeroing the buffer
// first would charge the baseline a pass over memory that a decode does not need.
template <class T>
struct NoInitAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = NoInitAllocator<U>;
  };
  NoInitAllocator() = default;
  template <class U>
  NoInitAllocator(const NoInitAllocator<U>&) noexcept {}
  template <class U>
  void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

struct RawImage {
  int width = 0, height = 0;
  std::vector<unsigned char, NoInitAllocator<unsigned char>> pixels;  // 32-bit pixels, rows packed
};

// The 32-bit pixel order of QImage::Format_RGB32, which the window paints without converting.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
inline constexpr J_COLOR_SPACE kPixelOrder = JCS_EXT_BGRX;
#else
inline constexpr J_COLOR_SPACE kPixelOrder = JCS_EXT_XRGB;
#endif

// libjpeg-turbo on its own: from memory, into the window's 32-bit pixels, accurate integer
// DCT, fancy upsampling.
inline RawImage BareLibjpeg(const QByteArray& data, bool quarter) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
               static_cast<unsigned long>(data.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = kPixelOrder;
  cinfo.dct_method = JDCT_ISLOW;
  cinfo.do_fancy_upsampling = TRUE;
  cinfo.scale_num = 1;
  cinfo.scale_denom = quarter ? 4 : 1;
  jpeg_start_decompress(&cinfo);
  RawImage out;
  out.width = static_cast<int>(cinfo.output_width);
  out.height = static_cast<int>(cinfo.output_height);
  const std::size_t stride = static_cast<std::size_t>(out.width) * 4;
  out.pixels.resize(stride * static_cast<std::size_t>(out.height));
  JSAMPROW rows[8];
  while (cinfo.output_scanline < cinfo.output_height) {
    const auto first = cinfo.output_scanline;
    const JDIMENSION n = std::min<JDIMENSION>(8, cinfo.output_height - first);
    for (JDIMENSION i = 0; i < n; ++i) rows[i] = out.pixels.data() + (first + i) * stride;
    jpeg_read_scanlines(&cinfo, rows, n);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return out;
}

}  // namespace bench
