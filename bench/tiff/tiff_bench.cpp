// TIFF to DIB conversion next to libtiff's own RGBA reader, on the same large RGB files.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <UITiff.h>

#include <tiffio.h>

#include <stdio.h>

#include <string>
#include <vector>

namespace {

const uint32_t kWidth = 4000, kHeight = 3000;

// A 4000 x 3000 RGB file with 16-row strips, written once per compression and removed at exit.
class BigTiff {
 public:
  explicit BigTiff(uint16_t compression) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    m_path = std::string(dir) + "bench_tiff_" + std::to_string(compression) + "_" +
             std::to_string(GetCurrentProcessId()) + ".tif";
    TIFF* tif = TIFFOpen(m_path.c_str(), "w");
    if (tif == NULL) return;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 16);
    std::vector<uint8_t> row(kWidth * 3);
    for (uint32_t y = 0; y < kHeight; ++y) {
      // Smooth gradients with some texture: compressible, but not trivially.
      for (uint32_t x = 0; x < kWidth; ++x) {
        row[3 * x] = uint8_t(x / 16 + y);
        row[3 * x + 1] = uint8_t(y / 12 + ((x * y) >> 9));
        row[3 * x + 2] = uint8_t((x ^ y) & 0x3F);
      }
      TIFFWriteScanline(tif, row.data(), y, 0);
    }
    TIFFClose(tif);
  }
  ~BigTiff() { DeleteFileA(m_path.c_str()); }
  const char* Path() const { return m_path.c_str(); }

 private:
  std::string m_path;
};

const BigTiff& File(int64_t compression) {
  static BigTiff none(COMPRESSION_NONE), deflate(COMPRESSION_ADOBE_DEFLATE), lzw(COMPRESSION_LZW);
  return compression == COMPRESSION_ADOBE_DEFLATE ? deflate : compression == COMPRESSION_LZW ? lzw : none;
}

void Label(benchmark::State& state) {
  const int64_t c = state.range(0);
  state.SetLabel(c == COMPRESSION_ADOBE_DEFLATE ? "deflate" : c == COMPRESSION_LZW ? "lzw" : "uncompressed");
  state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 3);
}

void BM_UITiffConvertToDIB(benchmark::State& state) {
  const char* path = File(state.range(0)).Path();
  for (auto _ : state) {
    HGLOBAL dib = UITiffConvertToDIB(path);
    if (dib == NULL) {
      state.SkipWithError("conversion failed");
      break;
    }
    GlobalFree(dib);
  }
  Label(state);
}

void BM_TIFFReadRGBAImage(benchmark::State& state) {
  const char* path = File(state.range(0)).Path();
  for (auto _ : state) {
    TIFF* tif = TIFFOpen(path, "r");
    uint32_t* raster = static_cast<uint32_t*>(_TIFFmalloc(tmsize_t(kWidth) * kHeight * 4));
    const int ok = tif && raster && TIFFReadRGBAImage(tif, kWidth, kHeight, raster, 0);
    _TIFFfree(raster);
    if (tif) TIFFClose(tif);
    if (!ok) {
      state.SkipWithError("TIFFReadRGBAImage failed");
      break;
    }
  }
  Label(state);
}

BENCHMARK(BM_UITiffConvertToDIB)->Arg(COMPRESSION_NONE)->Arg(COMPRESSION_LZW)->Arg(COMPRESSION_ADOBE_DEFLATE)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_TIFFReadRGBAImage)->Arg(COMPRESSION_NONE)->Arg(COMPRESSION_LZW)->Arg(COMPRESSION_ADOBE_DEFLATE)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
  return bench_support::RunWithRatios(argc, argv, [](const bench_support::RatioReporter& reporter) {
    const struct {
      const char* name;
      int arg;
    } compressions[] = {{"none", COMPRESSION_NONE}, {"LZW", COMPRESSION_LZW}, {"deflate", COMPRESSION_ADOBE_DEFLATE}};
    for (const auto& c : compressions)
      reporter.Print(std::string("4000 x 3000 RGB, ") + c.name + ": UITiffConvertToDIB / TIFFReadRGBAImage",
                     "BM_UITiffConvertToDIB/" + std::to_string(c.arg), "BM_TIFFReadRGBAImage/" + std::to_string(c.arg));
  });
}
