#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "norv/framework/CairoCanvas.h"
#include "norv/framework/Exception.h"
#include "support/PngImage.h"
#include "support/TempDirTest.h"

namespace norv {
namespace {

namespace fs = std::filesystem;
using test::ColorNear;
using test::IsDark;
using test::PngImage;

constexpr TColor Blue = 0xFF0000;
constexpr TColor Yellow = 0x00FFFF;

using CairoCanvasTest = test::TempDirTest;

// The rightmost column of row Y that is not background, or -1.
int RightmostDrawn(const PngImage& image, int Y) {
  for (int x = image.Width() - 1; x >= 0; --x)
    if (image.Pixel(x, Y) != clWhite) return x;
  return -1;
}

TEST_F(CairoCanvasTest, PngShowsEllipseInsideItsBoxLinesAndTextOnTheBrush) {
  const fs::path file = dir_ / "shapes.png";
  CairoCanvas canvas(file, ifPNG, 80, 50, TCanvasFont{"DejaVu Sans", 12, clBlack});
  canvas.SetBrushColor(Blue);
  canvas.SetPenColor(clBlack);
  canvas.Ellipse(10, 10, 30, 30);
  canvas.SetPenColor(clRed);
  canvas.MoveTo(40, 5);
  canvas.LineTo(40, 35);
  canvas.SetBrushColor(Yellow);
  canvas.TextOut(45, 20, "Hg");
  EXPECT_EQ(canvas.PenPos(), (TPoint{40, 35}));
  canvas.Save();

  PngImage image(file);
  ASSERT_EQ(image.Width(), 80);
  ASSERT_EQ(image.Height(), 50);
  EXPECT_EQ(image.Pixel(0, 0), clWhite);
  EXPECT_EQ(image.Pixel(20, 20), Blue);
  // The outline lies inside the box: first and last columns of the box, nothing beyond.
  EXPECT_TRUE(IsDark(image.Pixel(10, 20)));
  EXPECT_TRUE(IsDark(image.Pixel(29, 20)));
  EXPECT_EQ(image.Pixel(9, 20), clWhite);
  EXPECT_EQ(image.Pixel(30, 20), clWhite);
  EXPECT_EQ(image.Pixel(40, 20), clRed);
  EXPECT_EQ(image.Pixel(41, 20), clWhite);
  // Text: its box starts at (45, 20) on the brush colour, with dark glyphs inside.
  EXPECT_EQ(image.Pixel(45, 20), Yellow);
  EXPECT_EQ(image.Pixel(44, 20), clWhite);
  int glyphPixels = 0;
  for (int y = 20; y < 35; ++y)
    for (int x = 45; x < 65; ++x) glyphPixels += IsDark(image.Pixel(x, y));
  EXPECT_GT(glyphPixels, 10);
}

TEST_F(CairoCanvasTest, TheHostChoosesTheFontSize) {
  int rightEdge[2] = {};
  const double sizes[2] = {8, 20};
  for (int i = 0; i < 2; ++i) {
    const fs::path file = dir_ / ("text" + std::to_string(i) + ".png");
    CairoCanvas canvas(file, ifPNG, 200, 30);
    canvas.SetFont({"DejaVu Sans", sizes[i], clBlack});
    canvas.SetBrushColor(Yellow);
    canvas.TextOut(0, 0, "WWW");
    canvas.Save();
    rightEdge[i] = RightmostDrawn(PngImage(file), 2);
  }
  EXPECT_GT(rightEdge[0], 10);
  EXPECT_GT(rightEdge[1], rightEdge[0] * 2);
}

TEST_F(CairoCanvasTest, SvgIsSizedInPixels) {
  const fs::path file = dir_ / "plot.svg";
  CairoCanvas canvas(file, ifSVG, 64, 48);
  canvas.Ellipse(0, 0, 64, 48);
  canvas.Save();
  std::stringstream text;
  text << std::ifstream(file).rdbuf();
  EXPECT_NE(text.str().find("<svg"), std::string::npos);
  EXPECT_NE(text.str().find("width=\"64px\""), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("height=\"48px\""), std::string::npos);
}

TEST_F(CairoCanvasTest, FailuresRaiseAndLeaveNoFile) {
  EXPECT_THROW(CairoCanvas(dir_ / "a.png", ifPNG, 0, 10), Exception);
  EXPECT_THROW(CairoCanvas(dir_ / "a.svg", ifSVG, 10, -1), Exception);

  for (TImageFormat format : {ifPNG, ifSVG}) {
    const fs::path file = dir_ / "missing" / "plot.img";
    CairoCanvas canvas(file, format, 20, 20);
    canvas.Ellipse(2, 2, 18, 18);
    EXPECT_THROW(canvas.Save(), Exception);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_THROW(canvas.LineTo(5, 5), Exception);  // drawing has ended
    fs::create_directories(file.parent_path());
    EXPECT_NO_THROW(canvas.Save());  // the finished image can still be written
    EXPECT_GT(fs::file_size(file), 0u);
    fs::remove_all(file.parent_path());
  }
}

TEST_F(CairoCanvasTest, DegenerateBoxesDrawNothingOrOnlyThePen) {
  const fs::path file = dir_ / "small.png";
  CairoCanvas canvas(file, ifPNG, 20, 20);
  canvas.SetBrushColor(Blue);
  canvas.SetPenColor(clRed);
  canvas.Ellipse(5, 5, 5, 15);     // no width
  canvas.Ellipse(15, 15, 14, 14);  // reversed, one pixel: all pen
  canvas.Save();
  PngImage image(file);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(image.Pixel(5, y), clWhite);
  EXPECT_FALSE(ColorNear(image.Pixel(14, 14), clWhite, 10));
  EXPECT_EQ(image.Pixel(15, 15), clWhite);
}

}  // namespace
}  // namespace norv
