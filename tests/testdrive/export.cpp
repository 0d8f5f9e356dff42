// export IN.dag OUT.jpg [--size WxH]: starts the program's windows
// offscreen, opens IN as Load does, paints its shown level once and runs
// the JPEG export (PrintScreen) with the name of OUT answered to its
// question; then decodes OUT with libjpeg and prints what it holds: size,
// colour components and their sampling, and a coarse map of the picture's
// coloured parts (wires, junctions, marks; text and shadows are left out).
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <charconv>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <tuple>
#include <vector>

#include <jpeglib.h>

#include "platform/program_folder.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_file.h"
#include "testdrive/commands.h"
#include "testdrive/driver_support.h"
#include "ui/paint_box.h"
#include "ui/program_profile.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

namespace {

struct ExportOptions {
  std::string in;
  std::string out;
  int width = 800;
  int height = 600;
  bool second = false;  // vemu's windows
};

std::optional<ExportOptions> ParseExportArgs(const Args& args) {
  ExportOptions o;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--size" && i + 1 < args.size()) {
      const auto size = testdrive::ParseSize(args[++i]);
      if (!size) return std::nullopt;
      std::tie(o.width, o.height) = *size;
    } else if (args[i] == "--second") {
      o.second = true;
    } else if (args[i].rfind("--", 0) == 0) {
      return std::nullopt;
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2 || files[1].size() < 5 || files[1].compare(files[1].size() - 4, 4, ".jpg") != 0)
    return std::nullopt;
  o.in = files[0];
  o.out = files[1];
  return o;
}

// A decoded JPEG: size, components with their sampling factors and the RGB pixels.
struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<std::pair<int, int>> sampling;
  std::vector<unsigned char> rgb;
};

struct DecodeErrors {
  jpeg_error_mgr base;
  std::jmp_buf back;
};

void DecodeFailed(j_common_ptr info) { std::longjmp(reinterpret_cast<DecodeErrors*>(info->err)->back, 1); }

struct DecodeJob {
  jpeg_decompress_struct info;
  DecodeErrors errors;
};

bool DecodeInto(const std::string& bytes, DecodeJob& job, Decoded& out) {
  job.info.err = jpeg_std_error(&job.errors.base);
  job.errors.base.error_exit = DecodeFailed;
  if (setjmp(job.errors.back)) {
    jpeg_destroy_decompress(&job.info);
    return false;
  }
  jpeg_create_decompress(&job.info);
  jpeg_mem_src(&job.info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&job.info, TRUE);
  job.info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&job.info);
  out.width = static_cast<int>(job.info.output_width);
  out.height = static_cast<int>(job.info.output_height);
  for (int c = 0; c < job.info.num_components; ++c)
    out.sampling.emplace_back(job.info.comp_info[c].h_samp_factor, job.info.comp_info[c].v_samp_factor);
  out.rgb.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height) * 3);
  while (job.info.output_scanline < job.info.output_height) {
    JSAMPROW row = out.rgb.data() + static_cast<std::size_t>(job.info.output_scanline) * out.width * 3;
    jpeg_read_scanlines(&job.info, &row, 1);
  }
  jpeg_finish_decompress(&job.info);
  jpeg_destroy_decompress(&job.info);
  return true;
}

// The colour class of one pixel: 0 for white, grey and black (text and
// shadows), else 'r', 'g', 'b', 'y' (yellow), 'c' (cyan) or 'm' (magenta)
// by the channels well above the weakest one.
char ColourClass(int r, int g, int b) {
  const int hi = std::max({r, g, b});
  const int lo = std::min({r, g, b});
  if (hi - lo < 96) return 0;
  const int half = lo + (hi - lo) / 2;
  const bool R = r > half, G = g > half, B = b > half;
  if (R && G) return 'y';
  if (G && B) return 'c';
  if (R && B) return 'm';
  return R ? 'r' : G ? 'g' : 'b';
}

// The mark of one cell: the colour class with the most pixels, when they
// are at least as many as a line across the cell has; '.' for none.
char CellMark(const Decoded& d, int x0, int y0, int cell) {
  int counts[128] = {};
  for (int y = y0; y < y0 + cell; ++y)
    for (int x = x0; x < x0 + cell; ++x) {
      const unsigned char* p = &d.rgb[(static_cast<std::size_t>(y) * d.width + x) * 3];
      ++counts[static_cast<unsigned char>(ColourClass(p[0], p[1], p[2]))];
    }
  char mark = '.';
  int best = cell - 1;
  for (char c : {'r', 'g', 'b', 'y', 'c', 'm'})
    if (counts[static_cast<unsigned char>(c)] > best) {
      best = counts[static_cast<unsigned char>(c)];
      mark = c;
    }
  return mark;
}

void PrintPicture(const Decoded& d) {
  std::printf("size %dx%d\n", d.width, d.height);
  std::printf("components %zu sampling", d.sampling.size());
  for (const auto& [h, v] : d.sampling) std::printf(" %dx%d", h, v);
  std::printf("\n");
  // Cells of a sixtieth of the width (at least 4 pixels), as tall as wide.
  const int cell = std::max(4, d.width / 60);
  for (int y0 = 0; y0 + cell <= d.height; y0 += cell) {
    std::string line;
    for (int x0 = 0; x0 + cell <= d.width; x0 += cell) line += CellMark(d, x0, y0, cell);
    std::printf("%s\n", line.c_str());
  }
}

}  // namespace

int ExportCommand(const Args& args) {
  const std::optional<ExportOptions> parsed = ParseExportArgs(args);
  if (!parsed) {
    std::fprintf(stderr, "export: expected IN.dag OUT.jpg [--size WxH] [--second]\n");
    return 2;
  }
  const ExportOptions& o = *parsed;
  std::error_code ec;
  const std::filesystem::path in = std::filesystem::absolute(o.in, ec);
  const std::filesystem::path out = std::filesystem::absolute(o.out, ec);
  if (!vemu::platform::fileExists(in.string())) {
    std::fprintf(stderr, "export: cannot read %s\n", o.in.c_str());
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "vemu-testdrive";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);

  const std::unique_ptr<WindowSet> windows = testdrive::MakeProgramWindows(o.second);
  TForm1& form = *windows->windows().Form1;
  form.PaintBox1->setMinimumSize(1, 1);
  form.PaintBox1->resize(o.width, o.height);
  form.FormResize();
  if (!form.ReadCircuitFile(in.string())) return 2;
  form.Timer1->stop();
  form.DrawAll(form.BackBuffer, form.PaintBox1, true);

  // The export asks for a name relative to the program folder, without ".jpg".
  const std::filesystem::path folder = std::filesystem::path(vemu::platform::programFolder());
  const std::filesystem::path answer = std::filesystem::relative(out.parent_path(), folder, ec) / out.stem();
  vemu::platform::ScriptedDialogs dialogs;
  dialogs.inputAnswers.push_back(answer.generic_string());
  bool exported = false;
  {
    vemu::platform::ScopedDialogs scope(dialogs);
    form.PrintScreen1Click();
    exported = dialogs.boxes.empty();
  }
  for (const auto& box : dialogs.boxes) std::fprintf(stderr, "box [%s] %s\n", box.caption.c_str(), box.text.c_str());
  std::fprintf(stderr, "timer %s\n", form.Timer1->isActive() ? "on" : "off");
  if (!exported) return 3;

  const std::optional<std::string> bytes = vemu::platform::readFileBytes(out.string(), vemu::platform::kCircuitReadLimit);
  Decoded decoded;
  DecodeJob job;
  if (!bytes || !DecodeInto(*bytes, job, decoded)) {
    std::fprintf(stderr, "export: %s is no JPEG file\n", o.out.c_str());
    return 3;
  }
  PrintPicture(decoded);
  return 0;
}
