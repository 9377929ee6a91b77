// Picture file writers over libjpeg-turbo and libzip.
#include "picture_files.h"

#include <jpeglib.h>
#include <zip.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "screen/picture_loader.h"

namespace zunk {
namespace {

struct JpegErrorJump {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void JumpOnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrorJump*>(info->err)->jump, 1);
}

// Compresses the picture into a malloc'ed buffer; false when libjpeg reports an error. Holds
// no C++ objects, so the error jump skips no destructor.
bool CompressJpeg(const Picture& picture, int quality, unsigned char** out, unsigned long* size) {
  jpeg_compress_struct info;
  JpegErrorJump error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JumpOnJpegError;
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, out, size);
  info.image_width = static_cast<JDIMENSION>(picture.width());
  info.image_height = static_cast<JDIMENSION>(picture.height());
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(picture.Row(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Closes and frees libzip objects on every path.
struct ZipSourceOwner {
  zip_source_t* source = nullptr;
  ~ZipSourceOwner() {
    if (source) zip_source_free(source);
  }
};

}  // namespace

std::string EncodeJpeg(const Picture& picture, int quality) {
  if (picture.empty()) throw std::invalid_argument("EncodeJpeg: empty picture");
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = CompressJpeg(picture, quality, &buffer, &size);
  std::string bytes;
  if (ok) bytes.assign(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  if (!ok) throw std::runtime_error("EncodeJpeg: compression failed");
  return bytes;
}

std::string EncodeBmp24(const Picture& picture) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(picture.width()) * 3 + 3) & ~3u;
  const std::uint32_t image_size = stride * static_cast<std::uint32_t>(picture.height());
  const std::uint32_t offset = 14 + 40;
  std::string out;
  out.reserve(offset + image_size);
  out += "BM";
  PutLittleEndian(out, offset + image_size, 4);
  PutLittleEndian(out, 0, 4);  // reserved
  PutLittleEndian(out, offset, 4);
  PutLittleEndian(out, 40, 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(picture.width()), 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(picture.height()), 4);
  PutLittleEndian(out, 1, 2);   // planes
  PutLittleEndian(out, 24, 2);  // bits per pixel
  PutLittleEndian(out, 0, 4);   // BI_RGB
  PutLittleEndian(out, image_size, 4);
  PutLittleEndian(out, 2835, 4);  // 72 dpi
  PutLittleEndian(out, 2835, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, 0, 4);
  const std::string padding(stride - picture.stride(), '\0');
  for (int y = picture.height() - 1; y >= 0; --y) {
    out.append(reinterpret_cast<const char*>(picture.Row(y)), picture.stride());
    out += padding;
  }
  return out;
}

std::string EncodeImg(const std::string& jpeg_bytes) {
  std::string out = jpeg_bytes;
  for (char& c : out) c = static_cast<char>(static_cast<std::uint8_t>(c) ^ kPictureKey);
  return out;
}

std::string MakeZip(const std::vector<std::pair<std::string, std::string>>& entries) {
  zip_error_t error;
  zip_error_init(&error);
  ZipSourceOwner archive_bytes;
  archive_bytes.source = zip_source_buffer_create(nullptr, 0, 0, &error);
  if (!archive_bytes.source) throw std::runtime_error("MakeZip: no buffer");
  zip_t* archive = zip_open_from_source(archive_bytes.source, ZIP_TRUNCATE, &error);
  if (!archive) throw std::runtime_error("MakeZip: cannot open buffer");
  zip_source_keep(archive_bytes.source);  // still needed after zip_close
  for (const auto& [name, data] : entries) {
    bool added;
    if (!name.empty() && name.back() == '/') {
      added = zip_dir_add(archive, name.c_str(), ZIP_FL_ENC_GUESS) >= 0;
    } else {
      zip_source_t* entry = zip_source_buffer(archive, data.data(), data.size(), 0);
      const zip_int64_t index =
          entry ? zip_file_add(archive, name.c_str(), entry, ZIP_FL_ENC_GUESS) : -1;
      added = index >= 0;
      if (entry && !added) zip_source_free(entry);
      // The fastest deflate level: test archives are made in bulk, often of large entries.
      if (added)
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1);
    }
    if (!added) {
      zip_discard(archive);
      throw std::runtime_error("MakeZip: cannot add " + name);
    }
  }
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    throw std::runtime_error("MakeZip: cannot write the archive");
  }
  zip_source_t* source = archive_bytes.source;
  if (zip_source_open(source) != 0) throw std::runtime_error("MakeZip: cannot read back");
  std::string out;
  char chunk[65536];
  zip_int64_t n;
  while ((n = zip_source_read(source, chunk, sizeof chunk)) > 0) out.append(chunk, n);
  zip_source_close(source);
  if (n < 0) throw std::runtime_error("MakeZip: cannot read back");
  return out;
}

}  // namespace zunk
