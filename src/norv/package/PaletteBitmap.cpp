// A satellite dish on its stand, receiving: drawn as 16x16 pixel art and laid out as a BMP file
// at compile time, so the bytes sit in the library's read-only data.
#include "norv/package/PaletteBitmap.h"

#include <array>
#include <cstddef>
#include <string>

namespace norv {

namespace {

constexpr int kSide = 16;

// Top row first. '.' background (its bottom-left pixel is the designer's transparent colour),
// 'k' outline, '#' lit dish, 'o' shaded metal, 'r' feed, 'b' signal.
constexpr std::array<const char*, kSide> kArt = {
    "..........bbb...",
    ".............b..",
    "..kk......bb..b.",
    "..k#k.......b.b.",
    "..k##k...r..b.b.",
    "..k###k..k......",
    "..k####kk.......",
    "..ko####k.......",
    "..koo####k......",
    "...koo####k.....",
    "....kooo###k....",
    ".....kkkookk....",
    "........kk......",
    ".......kook.....",
    ".....kkooookk...",
    ".....kkkkkkkk...",
};

constexpr bool EveryRowIsSquare() {
  for (const char* row : kArt)
    if (std::char_traits<char>::length(row) != kSide) return false;
  return true;
}
static_assert(EveryRowIsSquare(), "each row of the icon holds 16 pixels");

// Standard 16 colours, then a 6x6x6 colour cube, then a grey ramp: 256 entries as R, G, B.
struct TRGB {
  std::uint8_t R, G, B;
};

constexpr TRGB PaletteColour(int i) {
  constexpr TRGB kBase[16] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                              {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                              {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                              {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  if (i < 16) return kBase[i];
  if (i < 232) {
    const int c = i - 16;
    auto level = [](int v) { return static_cast<std::uint8_t>(v == 0 ? 0 : 55 + v * 40); };
    return {level(c / 36), level(c / 6 % 6), level(c % 6)};
  }
  const auto grey = static_cast<std::uint8_t>(8 + (i - 232) * 10);
  return {grey, grey, grey};
}

constexpr std::uint8_t PaletteIndex(char c) {
  switch (c) {
    case 'k': return 0;   // black
    case '#': return 15;  // white
    case 'o': return 8;   // grey
    case 'r': return 9;   // red
    case 'b': return 12;  // blue
    default: return 7;    // silver background
  }
}

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kPaletteSize = 256 * 4;
constexpr std::size_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize;
constexpr std::size_t kRowSize = kSide;  // 16 bytes: already a multiple of 4
constexpr std::size_t kFileSize = kPixelOffset + kRowSize * kSide;

using TBitmapBytes = std::array<std::uint8_t, kFileSize>;

constexpr void Put16(TBitmapBytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

constexpr void Put32(TBitmapBytes& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

constexpr TBitmapBytes BuildBitmap() {
  TBitmapBytes b{};
  // BITMAPFILEHEADER
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, kFileSize);
  Put32(b, 10, kPixelOffset);
  // BITMAPINFOHEADER: positive height means the rows are stored bottom-up.
  constexpr std::size_t h = kFileHeaderSize;
  Put32(b, h + 0, kInfoHeaderSize);
  Put32(b, h + 4, kSide);
  Put32(b, h + 8, kSide);
  Put16(b, h + 12, 1);                 // planes
  Put16(b, h + 14, 8);                 // bits per pixel
  Put32(b, h + 16, 0);                 // BI_RGB, uncompressed
  Put32(b, h + 20, kRowSize * kSide);  // image size
  Put32(b, h + 24, 2835);              // 72 dpi, in pixels per metre
  Put32(b, h + 28, 2835);
  Put32(b, h + 32, 256);               // colours used
  // RGBQUAD palette: blue, green, red, reserved.
  for (int i = 0; i < 256; ++i) {
    const TRGB c = PaletteColour(i);
    const std::size_t at = kFileHeaderSize + kInfoHeaderSize + static_cast<std::size_t>(i) * 4;
    b[at] = c.B;
    b[at + 1] = c.G;
    b[at + 2] = c.R;
  }
  for (std::size_t row = 0; row < kSide; ++row)
    for (std::size_t col = 0; col < kSide; ++col)
      b[kPixelOffset + (kSide - 1 - row) * kRowSize + col] = PaletteIndex(kArt[row][col]);
  return b;
}

constexpr TBitmapBytes kBitmap = BuildBitmap();

}  // namespace

std::span<const std::uint8_t> NorvGPSSimulatorBitmap() { return kBitmap; }

}  // namespace norv
