#pragma once
// TCanvas: the drawing surface a host hands to the component (brush, pen, ellipses, lines, text).
#include <cstdint>
#include <string>

#include "norv/Export.h"
#include "norv/framework/Color.h"

namespace norv {

// A pixel position: x to the right, y downwards.
struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// An abstract drawing surface. It keeps the brush, the pen and the pen position; a concrete
// canvas only renders the three primitives, each with the state current at the call.
class NORV_API TCanvas {
 public:
  virtual ~TCanvas() = default;

  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor Value) { FBrushColor = Value; }
  TColor PenColor() const { return FPenColor; }
  void SetPenColor(TColor Value) { FPenColor = Value; }
  std::int32_t PenWidth() const { return FPenWidth; }
  void SetPenWidth(std::int32_t Value) { FPenWidth = Value; }
  TPoint PenPos() const { return FPenPos; }

  // An ellipse inside the box (X1, Y1)-(X2, Y2), filled with the brush and outlined with the pen.
  void Ellipse(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2) {
    DrawEllipse(X1, Y1, X2, Y2);
  }
  void MoveTo(std::int32_t X, std::int32_t Y) { FPenPos = {X, Y}; }
  // A line with the pen from the pen position to (X, Y), which becomes the pen position.
  void LineTo(std::int32_t X, std::int32_t Y) {
    DrawLine(FPenPos, {X, Y});
    FPenPos = {X, Y};
  }
  // Text in the canvas's font, its top-left corner at (X, Y), on a background of the brush
  // colour. The pen position does not move.
  void TextOut(std::int32_t X, std::int32_t Y, const std::string& Text) { DrawText(X, Y, Text); }

 protected:
  virtual void DrawEllipse(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2) = 0;
  virtual void DrawLine(TPoint From, TPoint To) = 0;
  virtual void DrawText(std::int32_t X, std::int32_t Y, const std::string& Text) = 0;

 private:
  TColor FBrushColor = clWhite;
  TColor FPenColor = clBlack;
  std::int32_t FPenWidth = 1;
  TPoint FPenPos;
};

}  // namespace norv
