#pragma once
// RecordingCanvas: a TCanvas that draws nothing and records every primitive with the state it
// was drawn in, so tests can compare a drawing call by call.
#include <ostream>
#include <string>
#include <vector>

#include "norv/framework/Canvas.h"

namespace norv::test {

// One recorded primitive with the brush and pen it was drawn with.
struct DrawCall {
  enum class Kind { Ellipse, Line, Text };
  Kind What;
  TPoint A;          // Ellipse: first corner; Line: from; Text: position
  TPoint B;          // Ellipse: second corner; Line: to
  std::string Text;  // Text only
  TColor Brush;
  TColor Pen;
  std::int32_t PenWidth;
  friend bool operator==(const DrawCall&, const DrawCall&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const DrawCall& c) {
  static const char* const names[] = {"Ellipse", "Line", "Text"};
  return os << names[static_cast<int>(c.What)] << " (" << c.A.X << "," << c.A.Y << ")-(" << c.B.X
            << "," << c.B.Y << ") '" << c.Text << "' brush " << std::hex << c.Brush << " pen "
            << c.Pen << std::dec << " width " << c.PenWidth;
}

// Records every primitive in Calls, in drawing order.
class RecordingCanvas : public TCanvas {
 public:
  std::vector<DrawCall> Calls;

 protected:
  void DrawEllipse(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2) override {
    Record(DrawCall::Kind::Ellipse, {X1, Y1}, {X2, Y2}, "");
  }
  void DrawLine(TPoint From, TPoint To) override { Record(DrawCall::Kind::Line, From, To, ""); }
  void DrawText(std::int32_t X, std::int32_t Y, const std::string& Text) override {
    Record(DrawCall::Kind::Text, {X, Y}, {}, Text);
  }

 private:
  void Record(DrawCall::Kind what, TPoint a, TPoint b, const std::string& text) {
    Calls.push_back({what, a, b, text, BrushColor(), PenColor(), PenWidth()});
  }
};

}  // namespace norv::test
