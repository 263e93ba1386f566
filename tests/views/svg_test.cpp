// Pictures written as SVG: the elements, their order and their numbers.
#include "views/svg.h"

#include <gtest/gtest.h>

#include "views/phase_disk.h"

namespace velmar {
namespace {

TEST(Svg, OneElementPerOperationInDrawingOrder) {
  RecordingCanvas picture;
  picture.draw(DrawOp::line(1, 1, 2, 2, palette::kRed));  // gone with the clearing below
  picture.draw(DrawOp::clear({0, 0, 192}));
  picture.draw(DrawOp::circle(100, 50.5, 12.25, palette::kYellow));
  picture.draw(DrawOp::line(0, 2202, 8635, 2202, palette::kGreen, 2));
  paint(picture, phaseDisk(150, 150, 100, 90, 0.5));  // first quarter: disk, then left half
  const std::string svg = toSvg(3000, 1500, "Sky View 2001/3/9 21:5:0 <&>", picture.ops());
  EXPECT_EQ(svg,
            "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 3000 1500\" width=\"200\" "
            "height=\"100\">\n"
            "<title>Sky View 2001/3/9 21:5:0 &lt;&amp;&gt;</title>\n"
            "<rect x=\"0\" y=\"0\" width=\"3000\" height=\"1500\" fill=\"#0000c0\"/>\n"
            "<circle cx=\"100\" cy=\"50.5\" r=\"12.25\" fill=\"none\" stroke=\"#ffff00\" "
            "stroke-width=\"15\"/>\n"
            "<line x1=\"0\" y1=\"2202\" x2=\"8635\" y2=\"2202\" stroke=\"#008000\" "
            "stroke-width=\"30\"/>\n"
            "<circle cx=\"150\" cy=\"150\" r=\"100\" fill=\"#ffff00\" stroke=\"#ffff00\" "
            "stroke-width=\"15\"/>\n"
            // The left half, counter-clockwise on the screen from the top to
            // the bottom of the disk: less than half a turn by 2.65e-6 rad.
            "<path d=\"M 150 150 L 150.00013267948967 50.00000000008802 A 100 100 0 0 0 "
            "149.99960196153106 249.99999999920783 Z\" fill=\"#000000\" stroke=\"#000000\" "
            "stroke-width=\"15\"/>\n"
            "</svg>\n");
}

}  // namespace
}  // namespace velmar
