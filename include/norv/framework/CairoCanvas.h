#pragma once
// CairoCanvas: a TCanvas that Cairo renders into a PNG or SVG image file.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "norv/Export.h"
#include "norv/framework/Canvas.h"

namespace norv {

enum TImageFormat : std::uint8_t { ifPNG, ifSVG };

// The font of TextOut: a fontconfig family name, its size in pixels and its colour.
struct TCanvasFont {
  std::string Family = "sans-serif";
  double Size = 10;
  TColor Color = clBlack;
};

// A TCanvas of Width x Height pixels on a background colour, drawn with Cairo and written to
// FileName as a PNG or an SVG image by Save. Nothing is written before Save.
class NORV_API CairoCanvas : public TCanvas {
 public:
  // Raises norv::Exception for a size that is not positive or a surface Cairo cannot create.
  CairoCanvas(const std::filesystem::path& FileName, TImageFormat Format, std::int32_t Width,
              std::int32_t Height, const TCanvasFont& Font = {}, TColor Background = clWhite);
  ~CairoCanvas() override;
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

  const TCanvasFont& Font() const { return FFont; }
  void SetFont(const TCanvasFont& Value) { FFont = Value; }

  // Ends the drawing (later drawing calls raise norv::Exception) and writes the image to
  // FileName atomically. Raises norv::Exception naming the cause when a drawing call failed or
  // the file cannot be written; a previous file of that name is then unchanged, and Save may be
  // called again.
  void Save();

 protected:
  void DrawEllipse(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2) override;
  void DrawLine(TPoint From, TPoint To) override;
  void DrawText(std::int32_t X, std::int32_t Y, const std::string& Text) override;

 private:
  struct Impl;
  std::filesystem::path FFileName;
  TImageFormat FFormat;
  TCanvasFont FFont;
  std::unique_ptr<Impl> FImpl;
};

}  // namespace norv
