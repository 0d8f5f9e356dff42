// The JPEG export: what libjpeg reads back from the file, and a failed
// write that leaves nothing behind.
#include <gtest/gtest.h>

#include <QImage>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <vector>

#include <jpeglib.h>

#include "platform/text_file.h"
#include "support/scratch_folder.h"
#include "view/jpeg_export.h"

namespace {

struct Decoded {
  int width = 0;
  int height = 0;
  int components = 0;
  bool fullChroma = true;  // every component sampled 1 x 1
  std::vector<unsigned char> rgb;
  std::uint32_t At(int x, int y) const {
    const unsigned char* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
  }
};

struct DecodeJob {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  std::jmp_buf back;
};

void Fail(j_common_ptr info) { std::longjmp(*static_cast<std::jmp_buf*>(info->client_data), 1); }

bool DecodeInto(const std::string& bytes, DecodeJob& job, Decoded& d) {
  job.info.err = jpeg_std_error(&job.errors);
  job.errors.error_exit = Fail;
  if (setjmp(job.back)) {
    jpeg_destroy_decompress(&job.info);
    return false;
  }
  job.info.client_data = &job.back;  // kept by the creation
  jpeg_create_decompress(&job.info);
  jpeg_mem_src(&job.info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&job.info, TRUE);
  job.info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&job.info);
  d.width = static_cast<int>(job.info.output_width);
  d.height = static_cast<int>(job.info.output_height);
  d.components = job.info.num_components;
  for (int c = 0; c < job.info.num_components; ++c)
    d.fullChroma = d.fullChroma && job.info.comp_info[c].h_samp_factor == 1 && job.info.comp_info[c].v_samp_factor == 1;
  d.rgb.resize(static_cast<std::size_t>(d.width) * d.height * 3);
  while (job.info.output_scanline < job.info.output_height) {
    JSAMPROW row = d.rgb.data() + static_cast<std::size_t>(job.info.output_scanline) * d.width * 3;
    jpeg_read_scanlines(&job.info, &row, 1);
  }
  jpeg_finish_decompress(&job.info);
  jpeg_destroy_decompress(&job.info);
  return true;
}

std::optional<Decoded> Decode(const std::string& bytes) {
  DecodeJob job;
  Decoded d;
  if (!DecodeInto(bytes, job, d)) return std::nullopt;
  return d;
}

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

// White with a one-pixel red column and a one-pixel blue row: chroma
// subsampling would smear both into pale pink and pale blue.
QImage ThinLines(int w, int h, QImage::Format format = QImage::Format_RGB32) {
  QImage picture(w, h, QImage::Format_RGB32);
  picture.fill(0xFFFFFF);
  for (int y = 0; y < h && w > 7; ++y) picture.setPixel(7, y, 0xFF0000);
  for (int x = 0; x < w && h > 10; ++x) picture.setPixel(x, 10, 0x0000FF);
  return picture.convertToFormat(format);
}

}  // namespace

TEST(JpegExport, ThinColouredLinesStaySharpAtFullChroma) {
  struct Case {
    int w, h;
    QImage::Format format;
  };
  for (const Case& c : {Case{64, 48, QImage::Format_RGB32}, Case{33, 17, QImage::Format_RGB888},
                        Case{1, 1, QImage::Format_ARGB32}}) {
    const std::optional<std::string> bytes =
        vemu::view::EncodeJpeg(ThinLines(c.w, c.h, c.format), vemu::view::kJpegQuality);
    ASSERT_TRUE(bytes);
    const std::optional<Decoded> d = Decode(*bytes);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->width, c.w);
    EXPECT_EQ(d->height, c.h);
    EXPECT_EQ(d->components, 3);
    EXPECT_TRUE(d->fullChroma);
    if (c.w == 1) continue;
    EXPECT_TRUE(Near(d->At(7, 30 % c.h), 0xFF0000, 24)) << std::hex << d->At(7, 30 % c.h);
    EXPECT_TRUE(Near(d->At(20, 10), 0x0000FF, 24)) << std::hex << d->At(20, 10);
    EXPECT_TRUE(Near(d->At(c.w - 1, c.h - 1), 0xFFFFFF, 4));
  }
}

TEST(JpegExport, WritesThroughATemporaryFileAndFailsWithoutTrace) {
  vemu::test::ScratchFolder folder(false);
  const std::string path = folder.file("plan.jpg");
  folder.write("plan.jpg", "old picture");
  std::string error;
  // Nothing to save: the old file stays.
  EXPECT_FALSE(vemu::view::WriteJpegFile(QImage(), path, 100, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(folder.read("plan.jpg"), "old picture");
  // A picture replaces it whole.
  ASSERT_TRUE(vemu::view::WriteJpegFile(ThinLines(40, 30), path, 100, &error)) << error;
  const std::optional<Decoded> d = Decode(folder.read("plan.jpg"));
  ASSERT_TRUE(d);
  EXPECT_EQ(d->width, 40);
  // A folder that is not there: no file and no temporary file anywhere.
  error.clear();
  EXPECT_FALSE(vemu::view::WriteJpegFile(ThinLines(40, 30), folder.file("missing/plan.jpg"), 100, &error));
  EXPECT_NE(error.find("missing/plan.jpg"), std::string::npos) << error;
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    ++entries;
    EXPECT_EQ(entry.path().filename(), "plan.jpg");
  }
  EXPECT_EQ(entries, 1);
}
