#include "view/jpeg_export.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <jpeglib.h>
// (after jpeglib.h, which it needs)
#include <jerror.h>

#include "platform/text_file.h"

namespace vemu::view {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not
// return: it jumps back to the encoder with the message kept.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf back;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->back, 1);
}

void NoMessage(j_common_ptr) {}

// The compressed bytes grow in one malloc'ed block that the encoder owns
// until it hands them over (libjpeg's own memory destination cannot be
// freed safely after an error).
struct MemoryDestination {
  jpeg_destination_mgr base;
  unsigned char* data;
  std::size_t capacity;
  std::size_t used;
};

constexpr std::size_t kFirstCapacity = 256 * 1024;

void StartOutput(j_compress_ptr info) {
  auto* dest = reinterpret_cast<MemoryDestination*>(info->dest);
  dest->data = static_cast<unsigned char*>(std::malloc(kFirstCapacity));
  if (!dest->data) ERREXIT1(info, JERR_OUT_OF_MEMORY, 1);
  dest->capacity = kFirstCapacity;
  dest->base.next_output_byte = dest->data;
  dest->base.free_in_buffer = dest->capacity;
}

boolean GrowOutput(j_compress_ptr info) {
  auto* dest = reinterpret_cast<MemoryDestination*>(info->dest);
  const std::size_t capacity = dest->capacity * 2;
  auto* grown = static_cast<unsigned char*>(std::realloc(dest->data, capacity));
  if (!grown) ERREXIT1(info, JERR_OUT_OF_MEMORY, 2);
  dest->data = grown;
  dest->base.next_output_byte = grown + dest->capacity;
  dest->base.free_in_buffer = capacity - dest->capacity;
  dest->capacity = capacity;
  return TRUE;
}

void EndOutput(j_compress_ptr info) {
  auto* dest = reinterpret_cast<MemoryDestination*>(info->dest);
  dest->used = dest->capacity - dest->base.free_in_buffer;
}

// Everything one encoding changes, kept outside the frame that jumps back
// from an error.
struct Job {
  jpeg_compress_struct info;
  ErrorManager errors;
  MemoryDestination dest;
  bool ok;
};

// Rows of 32-bit pixels (0xffRRGGBB in native byte order). `rgb` is a row
// buffer of width * 3 bytes for a libjpeg without the extended colour
// spaces. Only plain values live in this frame, so the jump back from an
// error skips no destructor and finds nothing it changed.
void Compress(const unsigned char* pixels, int width, int height, long stride, int quality, unsigned char* rgb,
              bool littleEndian, Job& job) {
  job.ok = false;
  job.dest = {};
  job.info.err = jpeg_std_error(&job.errors.base);
  job.errors.base.error_exit = OnError;
  job.errors.base.output_message = NoMessage;
  job.errors.message[0] = '\0';
  if (setjmp(job.errors.back)) {
    jpeg_destroy_compress(&job.info);
    std::free(job.dest.data);
    job.dest.data = nullptr;
    return;
  }
  jpeg_create_compress(&job.info);
  job.dest.base.init_destination = StartOutput;
  job.dest.base.empty_output_buffer = GrowOutput;
  job.dest.base.term_destination = EndOutput;
  job.info.dest = &job.dest.base;
  job.info.image_width = static_cast<JDIMENSION>(width);
  job.info.image_height = static_cast<JDIMENSION>(height);
#ifdef JCS_EXTENSIONS
  job.info.input_components = 4;
  job.info.in_color_space = littleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
#else
  (void)littleEndian;
  job.info.input_components = 3;
  job.info.in_color_space = JCS_RGB;
#endif
  jpeg_set_defaults(&job.info);
  jpeg_set_quality(&job.info, quality, TRUE);
  // Every component at full resolution: no chroma subsampling.
  for (int c = 0; c < job.info.num_components; ++c) {
    job.info.comp_info[c].h_samp_factor = 1;
    job.info.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&job.info, TRUE);
  while (job.info.next_scanline < job.info.image_height) {
    const unsigned char* row = pixels + static_cast<long>(job.info.next_scanline) * stride;
#ifdef JCS_EXTENSIONS
    (void)rgb;
    JSAMPROW rows[1] = {const_cast<JSAMPROW>(row)};
#else
    for (int x = 0; x < width; ++x) {
      std::uint32_t p;
      std::memcpy(&p, row + 4 * x, 4);
      rgb[3 * x] = static_cast<unsigned char>(p >> 16);
      rgb[3 * x + 1] = static_cast<unsigned char>(p >> 8);
      rgb[3 * x + 2] = static_cast<unsigned char>(p);
    }
    JSAMPROW rows[1] = {rgb};
#endif
    jpeg_write_scanlines(&job.info, rows, 1);
  }
  jpeg_finish_compress(&job.info);
  jpeg_destroy_compress(&job.info);
  job.ok = true;
}

}  // namespace

std::optional<std::string> EncodeJpeg(const QImage& picture, int quality, std::string* error) {
  if (picture.isNull() || picture.width() < 1 || picture.height() < 1) {
    if (error) *error = "There is no picture to save";
    return std::nullopt;
  }
  if (picture.width() > JPEG_MAX_DIMENSION || picture.height() > JPEG_MAX_DIMENSION) {
    if (error) *error = "The picture is too large for a JPEG file";
    return std::nullopt;
  }
  // The back buffer is RGB32 already; other pictures are brought to it.
  const QImage source = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                            ? picture
                            : picture.convertToFormat(QImage::Format_RGB32);
  std::vector<unsigned char> rgb(static_cast<std::size_t>(source.width()) * 3);
  const std::uint32_t probe = 1;
  unsigned char firstByte = 0;
  std::memcpy(&firstByte, &probe, 1);
  Job job;
  Compress(source.constBits(), source.width(), source.height(), static_cast<long>(source.bytesPerLine()),
           quality < 1 ? 1 : quality > 100 ? 100 : quality, rgb.data(), firstByte == 1, job);
  if (!job.ok) {
    if (error) *error = std::string("Cannot make the JPEG picture: ") + job.errors.message;
    return std::nullopt;
  }
  const std::unique_ptr<unsigned char, void (*)(void*)> owned(job.dest.data, std::free);
  std::string bytes(reinterpret_cast<const char*>(owned.get()), job.dest.used);
  return bytes;
}

bool WriteJpegFile(const QImage& picture, const std::string& path, int quality, std::string* error) {
  std::optional<std::string> bytes = EncodeJpeg(picture, quality, error);
  if (!bytes) return false;
  platform::SafeFileWriter writer(path);
  writer.write(std::move(*bytes));
  if (writer.commit()) return true;
  if (error) *error = writer.error();
  return false;
}

}  // namespace vemu::view
