#pragma once
// Drawing as the pictures need it: filled shapes and lines in twips
// (1/1440 inch), origin at the top-left of the drawable area, y downward.
#include <cstdint>
#include <vector>

namespace velmar {

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// The sixteen-colour palette entries the pictures use.
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
}  // namespace palette

// One filled shape, outlined in its own colour with a one-pixel line.
struct Shape {
  enum class Kind {
    Ellipse,  // centre, half-axes rx (horizontal) and ry (vertical)
    Sector,   // disk sector of radius rx from angle a0 to a1 (radians,
              // counter-clockwise from 3 o'clock)
  };
  Kind kind;
  double cx, cy;
  double rx, ry;
  double a0 = 0, a1 = 0;
  Rgb color;
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void fill(const Shape& s) = 0;
};

inline void paint(Canvas& c, const std::vector<Shape>& shapes) {
  for (const Shape& s : shapes) c.fill(s);
}

}  // namespace velmar
