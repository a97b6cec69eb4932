// A 4000 x 3000 photograph to an 812 x 609 PCX turned by 90 degrees, against
// ImageMagick doing the same and `djpeg -grayscale` only decoding, each
// also as whole processes (our `vidodez-cli graphic convert` beside this
// program). Ratios and our peak memory are printed after the runs.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QRadialGradient>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/graphic/graphic_codes.h"
#include "imaging/picture_convert.h"
#include "support/seconds_reporter.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

struct Files {
  std::string dir;
  std::string jpeg;
  std::string ours;
  std::string magick;
};

// A photograph-like picture: soft gradients, shapes, fine texture and noise,
// so the JPEG is not trivially small and the threshold has work to do.
const Files& BenchFiles() {
  static const Files files = [] {
    Files f;
    char pattern[] = "/tmp/vidodez-bench-XXXXXX";
    const char* dir = ::mkdtemp(pattern);
    f.dir = dir != nullptr ? dir : "/tmp";
    f.jpeg = f.dir + "/photo.jpg";
    f.ours = f.dir + "/ours.pcx";
    f.magick = f.dir + "/magick.pcx";
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    QRadialGradient sky(kWidth * 0.3, kHeight * 0.3, kWidth * 0.8);
    sky.setColorAt(0, QColor(250, 240, 220));
    sky.setColorAt(1, QColor(40, 60, 90));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i) {
      painter.setBrush(QColor((i * 37) % 255, (i * 91) % 255, (i * 53) % 255, 160));
      painter.drawEllipse((i * 611) % kWidth, (i * 389) % kHeight, 150 + i * 9, 100 + i * 7);
    }
    painter.end();
    std::uint32_t seed = 1;
    for (int y = 0; y < kHeight; ++y) {
      QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < kWidth; ++x) {
        seed = seed * 1664525u + 1013904223u;
        const int n = int(seed >> 28) - 8;
        const QRgb p = row[x];
        row[x] = qRgb(qBound(0, qRed(p) + n, 255), qBound(0, qGreen(p) + n, 255),
                      qBound(0, qBlue(p) + n, 255));
      }
    }
    if (!image.save(QString::fromStdString(f.jpeg), "JPEG", 90)) std::abort();
    return f;
  }();
  return files;
}

long StatusKilobytes(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(status, line))
    if (line.rfind(prefix, 0) == 0) return std::atol(line.c_str() + prefix.size());
  return -1;
}

double g_peak_mb = -1;
std::string g_cli;  // vidodez-cli beside this program

// What `graphic convert` does with the options of BM_OursProcess.
void ConvertOurs() {
  vidodez::imaging::ConvertOptions options;
  options.input = BenchFiles().jpeg;
  options.output = BenchFiles().ours;
  options.width = "812";
  options.height = "609";
  options.keep_scale = false;
  options.rotate = 90;
  if (vidodez::imaging::ConvertPictureFile(options, "eng").code != vidodez::kGraphicOk)
    std::abort();
}

void Run(benchmark::State& state, const std::string& command) {
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError(command.c_str());
}

void BM_Ours(benchmark::State& state) {
  BenchFiles();
  // Peak resident memory of the first conversion above what was resident
  // before (a repetition would find the memory of the ones before resident).
  if (g_peak_mb < 0) {
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = StatusKilobytes("VmRSS");
    ConvertOurs();
    const long peak = StatusKilobytes("VmHWM");
    g_peak_mb = double(peak - before) / 1024.0;
  }
  for (auto _ : state) ConvertOurs();
  state.counters["peak_MB"] = g_peak_mb;
}

void BM_ImageMagick(benchmark::State& state) {
  const Files& f = BenchFiles();
  Run(state, "convert '" + f.jpeg +
                 "' -colorspace Gray -lat 64x64+0% -resize '812x609!' -rotate 90 "
                 "-threshold 50% -type bilevel '" +
                 f.magick + "'");
}

void BM_Djpeg(benchmark::State& state) {
  Run(state, "djpeg -grayscale '" + BenchFiles().jpeg + "' > /dev/null");
}

// Both programs as whole processes, started the same way, so the ratio
// holds what a user waits for: loading the program and its libraries too.
void BM_OursProcess(benchmark::State& state) {
  Run(state, "'" + g_cli + "' graphic convert '" + BenchFiles().jpeg + "' '" + BenchFiles().ours +
                 "' --width 812 --height 609 --no-keep-scale --rotate 90 > /dev/null");
}

BENCHMARK(BM_Ours)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_ImageMagick)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Djpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_OursProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  {
    char self[4096] = {};
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string path = n > 0 ? std::string(self, std::size_t(n)) : std::string();
    g_cli = path.substr(0, path.rfind('/') + 1) + "vidodez-cli";
  }
  vidodez::bench::SecondsReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  // With --benchmark_repetitions=N (and --benchmark_enable_random_interleaving
  // on a shared machine) the ratios are of the medians.
  reporter.PrintRatio("ours / ImageMagick", "BM_Ours/", "BM_ImageMagick", "target <= 0.2");
  reporter.PrintRatio("ours / djpeg -grayscale", "BM_Ours/", "BM_Djpeg", "target <= 1.3");
  reporter.PrintRatio("ours / djpeg -grayscale, programs", "BM_OursProcess", "BM_Djpeg",
                      "target <= 1.3");
  const double decoded_mb = double(kWidth) * kHeight * 3 / (1024.0 * 1024.0);
  if (g_peak_mb >= 0)
    std::printf("peak memory:        %.1f MB = %.2f x the decoded 24-bit picture (target <= 3)\n",
                g_peak_mb, g_peak_mb / decoded_mb);
  std::remove(BenchFiles().ours.c_str());
  std::remove(BenchFiles().magick.c_str());
  std::remove(BenchFiles().jpeg.c_str());
  ::rmdir(BenchFiles().dir.c_str());
  benchmark::Shutdown();
  return 0;
}
