// The JPEG export of a 1280 x 900 picture (quality 100, full chroma),
// encoded and written through the temporary file and its rename; and the
// encoding alone. The picture is a busy schematic-like drawing: a grid of
// wires every 40 pixels with a coloured mark at every crossing, so no
// block of it is plain white.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "view/jpeg_export.h"

namespace {

QImage BusyPicture() {
  QImage picture(1280, 900, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setPen(QPen(QColor(0, 128, 0), 2));
  for (int x = 20; x < 1280; x += 40) painter.drawLine(x, 0, x, 899);
  for (int y = 20; y < 900; y += 40) painter.drawLine(0, y, 1279, y);
  const QColor marks[] = {Qt::red, Qt::blue, QColor(0, 128, 0), Qt::yellow, Qt::black};
  int k = 0;
  for (int y = 20; y < 900; y += 40)
    for (int x = 20; x < 1280; x += 40) {
      painter.setBrush(marks[k++ % 5]);
      painter.setPen(QPen(Qt::black, 1));
      if (k % 2) painter.drawEllipse(QPoint(x, y), 7, 7);
      else painter.drawRect(x - 12, y - 5, 24, 10);
      painter.drawLine(x + 8, y - 14, x + 18, y - 4);
    }
  return picture;
}

const QImage& Picture() {
  static const QImage picture = BusyPicture();
  return picture;
}

void BM_JpegExport1280x900(benchmark::State& state) {
  const std::string folder = (std::filesystem::temp_directory_path() / "vemu-bench-jpeg").string();
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/picture.jpg";
  std::string error;
  for (auto _ : state) {
    if (!vemu::view::WriteJpegFile(Picture(), path, vemu::view::kJpegQuality, &error)) {
      state.SkipWithError(error.c_str());
      break;
    }
  }
  if (std::filesystem::exists(path)) state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_JpegExport1280x900)->Unit(benchmark::kMillisecond);

void BM_JpegEncode1280x900(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(vemu::view::EncodeJpeg(Picture(), vemu::view::kJpegQuality));
}
BENCHMARK(BM_JpegEncode1280x900)->Unit(benchmark::kMillisecond);

}  // namespace
