#pragma once
// Drawing as the pictures need it: operations in twips (1/1440 inch),
// origin at the top-left of the drawable area, y downward. The core computes
// them; a canvas paints them (QPainter in the window, SVG in a file).
#include <cstdint>
#include <string>
#include <vector>

namespace velmar {

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// The sixteen-colour palette entries the pictures use, by their index.
namespace palette {
inline constexpr Rgb kBlack{0, 0, 0};        // 0
inline constexpr Rgb kGreen{0, 128, 0};      // 2
inline constexpr Rgb kDarkRed{128, 0, 0};    // 4
inline constexpr Rgb kPurple{128, 0, 128};   // 5
inline constexpr Rgb kOlive{128, 128, 0};    // 6
inline constexpr Rgb kGrey{128, 128, 128};   // 8
inline constexpr Rgb kBlue{0, 0, 255};       // 9
inline constexpr Rgb kCyan{0, 255, 255};     // 11
inline constexpr Rgb kRed{255, 0, 0};        // 12
inline constexpr Rgb kMagenta{255, 0, 255};  // 13
inline constexpr Rgb kYellow{255, 255, 0};   // 14
inline constexpr Rgb kWhite{255, 255, 255};  // 15
}  // namespace palette

// One drawing operation. Filled shapes are outlined in their own colour
// with a line one pixel wide; lines and unfilled circles are `width`
// pixels wide.
struct DrawOp {
  enum class Kind {
    Clear,    // the whole drawable area in `color`
    Disk,     // filled circle: centre (x, y), radius rx
    Ellipse,  // filled ellipse: centre (x, y), half-axes rx (horizontal), ry (vertical)
    Circle,   // unfilled circle: centre (x, y), radius rx
    Line,     // from (x, y) to (x2, y2)
    Sector,   // filled disk sector: centre (x, y), radius rx, from angle a0 to a1
              // (radians, counter-clockwise from 3 o'clock)
  };
  Kind kind = Kind::Clear;
  double x = 0, y = 0;
  double rx = 0, ry = 0;
  double x2 = 0, y2 = 0;
  double a0 = 0, a1 = 0;
  Rgb color{0, 0, 0};
  int width = 1;

  static DrawOp clear(Rgb c);
  static DrawOp disk(double cx, double cy, double r, Rgb c);
  static DrawOp ellipse(double cx, double cy, double rx, double ry, Rgb c);
  static DrawOp circle(double cx, double cy, double r, Rgb c, int width = 1);
  static DrawOp line(double x1, double y1, double x2, double y2, Rgb c, int width = 1);
  static DrawOp sector(double cx, double cy, double r, double a0, double a1, Rgb c);

  bool operator==(const DrawOp& o) const;
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void draw(const DrawOp& op) = 0;
};

inline void paint(Canvas& c, const std::vector<DrawOp>& ops) {
  for (const DrawOp& op : ops) c.draw(op);
}

// Keeps what the picture shows: the operations since it was last cleared,
// in order, and its title; what an SVG file of the picture is made from.
class RecordingCanvas : public Canvas {
 public:
  void draw(const DrawOp& op) override;
  const std::vector<DrawOp>& ops() const { return ops_; }
  std::string title;

 private:
  std::vector<DrawOp> ops_;
};

// Several canvases as one: a window's picture and its recording.
class CanvasTee : public Canvas {
 public:
  CanvasTee(Canvas& a, Canvas& b) : a_(a), b_(b) {}
  void draw(const DrawOp& op) override {
    a_.draw(op);
    b_.draw(op);
  }

 private:
  Canvas& a_;
  Canvas& b_;
};

}  // namespace velmar
