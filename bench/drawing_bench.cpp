// Drawing speed: one message character as the message window draws it (the character three
// times at size 16: navy at x and x + 2, white at x + 1), a 640 x 270 scene copy, a tile band
// stretch and the decoding of a 640 x 480 24-bit picture.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "host/bmp.hpp"
#include "host/drawing.hpp"
#include "host/sjis.hpp"
#include "host/text.hpp"

namespace {

using namespace zav3::host;

const FontSpec messageFont{"\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9", 16};  // ＭＳ 明朝

void messageCharacter(benchmark::State& state) {
  TextRenderer text;
  Surface window(640, 480, 0xFF000000u);
  const Bytes characters = sj("了解！艦長、針路を火星へ。");
  // Warm the glyph cache as a running game has.
  text.draw(window, messageFont, 0, 0, characters, 0xFFFFFFFFu);
  std::size_t i = 0;
  for (auto _ : state) {
    std::string_view one(characters.data() + i, 2);
    text.draw(window, messageFont, 100, 300, one, 0xFF000080u);
    text.draw(window, messageFont, 102, 300, one, 0xFF000080u);
    text.draw(window, messageFont, 101, 300, one, 0xFFFFFFFFu);
    i = (i + 2) % characters.size();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(messageCharacter)->Unit(benchmark::kMicrosecond);

void sceneCopy(benchmark::State& state) {
  Surface store(640, 270, 0xFF336699u), screen(640, 480);
  for (auto _ : state) {
    copyRect(screen, 0, 0, 640, 270, store, 0, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(sceneCopy)->Unit(benchmark::kMicrosecond);

void shutterBand(benchmark::State& state) {
  Surface tile(32, 8, 0xFF808080u), screen(640, 480);
  for (auto _ : state) {
    stretchRect(screen, 0, 100, 640, 5, tile, 16, 0, 8, 8);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(shutterBand)->Unit(benchmark::kMicrosecond);

void decodeScenePicture(benchmark::State& state) {
  Surface picture(640, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      picture.set(x, y, 0xFF000000u | static_cast<std::uint32_t>((x * 7 + y * 13) % 251));
  const std::vector<std::uint8_t> bytes = encodeBmp24(picture);
  for (auto _ : state) benchmark::DoNotOptimize(decodeBmp(bytes));
}
BENCHMARK(decodeScenePicture)->Unit(benchmark::kMicrosecond);

}  // namespace
