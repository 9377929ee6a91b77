// JPEG decoding over libjpeg-turbo. libjpeg reports errors by calling a function that must not
// return; ours jumps back to the decoding step that called the library. The steps that may
// jump hold only plain C data, so the jump skips no destructor.
#include "screen/jpeg_decoder.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>
#include <cstdint>
#include <cstring>

namespace zunk {
namespace {

// Progressive files may hold any number of scans; a file with more than this is refused
// rather than decoded for minutes.
constexpr int kMaxScans = 500;
// Working memory libjpeg may take for one picture (whole-image buffers of progressive files).
constexpr long kMaxDecoderMemory = 512L * 1024 * 1024;

struct ErrorJump {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  bool data_ended = false;  // the file ended before the last scanline
};

void JumpOnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}

// Warnings are not printed; running out of data is remembered.
void NoteWarning(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) {
    reinterpret_cast<ErrorJump*>(info->err)->data_ended = true;
  }
}

void LimitScans(j_common_ptr info) {
  if (info->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
    info->err->msg_code = JERR_NOT_COMPILED;
    info->err->error_exit(info);
  }
}

struct Decompressor {
  Decompressor() {
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JumpOnError;
    error.manager.emit_message = NoteWarning;
    progress.progress_monitor = LimitScans;
    jpeg_create_decompress(&info);
    info.progress = &progress;
    info.mem->max_memory_to_use = kMaxDecoderMemory;
  }
  ~Decompressor() { jpeg_destroy_decompress(&info); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;

  jpeg_decompress_struct info;
  ErrorJump error;
  jpeg_progress_mgr progress{};
};

bool ReadHeader(Decompressor* d, const unsigned char* data, std::size_t size) {
  if (setjmp(d->error.jump)) return false;
  jpeg_mem_src(&d->info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&d->info, TRUE) != JPEG_HEADER_OK) return false;
  const bool cmyk = d->info.jpeg_color_space == JCS_CMYK || d->info.jpeg_color_space == JCS_YCCK;
  d->info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  return true;
}

// CMYK as stored by most writers (Adobe) is inverted: 255 means no ink.
void CmykRowToBgr(const JSAMPLE* cmyk, std::uint8_t* bgr, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    bgr[0] = static_cast<std::uint8_t>(y * k / 255);
    bgr[1] = static_cast<std::uint8_t>(m * k / 255);
    bgr[2] = static_cast<std::uint8_t>(c * k / 255);
  }
}

// Decodes every scanline into pixels (rows of width B,G,R triples, stride bytes apart).
bool ReadPixels(Decompressor* d, std::uint8_t* pixels, std::size_t stride) {
  jpeg_decompress_struct& info = d->info;
  if (setjmp(d->error.jump)) return false;
  const bool cmyk = info.out_color_space == JCS_CMYK;
  jpeg_start_decompress(&info);
  if (info.output_components != (cmyk ? 4 : 3) || info.output_width != info.image_width ||
      info.output_height != info.image_height) {
    return false;
  }
  JSAMPARRAY cmyk_row = nullptr;
  if (cmyk) {
    cmyk_row = info.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                      info.output_width * 4, 1);
  }
  while (info.output_scanline < info.output_height) {
    std::uint8_t* row = pixels + stride * info.output_scanline;
    JSAMPROW target = cmyk ? cmyk_row[0] : row;
    if (jpeg_read_scanlines(&info, &target, 1) != 1) return false;
    if (cmyk) CmykRowToBgr(cmyk_row[0], row, info.output_width, info.saw_Adobe_marker);
    if (d->error.data_ended) return false;
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

std::optional<Picture> DecodeJpeg(std::string_view bytes) {
  if (bytes.size() < 4) return std::nullopt;
  Decompressor decompressor;
  if (!ReadHeader(&decompressor, reinterpret_cast<const unsigned char*>(bytes.data()),
                  bytes.size())) {
    return std::nullopt;
  }
  const jpeg_decompress_struct& info = decompressor.info;
  if (info.image_width == 0 || info.image_height == 0 ||
      !PictureSizeAllowed(info.image_width, info.image_height)) {
    return std::nullopt;
  }
  Picture picture(static_cast<int>(info.image_width), static_cast<int>(info.image_height), kBlack);
  if (!ReadPixels(&decompressor, picture.Row(0), picture.stride())) return std::nullopt;
  return picture;
}

}  // namespace zunk
