#pragma once
// A picture as an SVG document: one element per drawing operation, in the
// order they were drawn, coordinates in twips (15 twips to a pixel of the
// document's own size).
#include <string>
#include <vector>

#include "views/canvas.h"

namespace velmar {

// `width` and `height` are the drawable size in twips; `title` is the
// window's title as it stood after the drawing.
std::string toSvg(double width, double height, const std::string& title,
                  const std::vector<DrawOp>& ops);
// The same with `more` (SVG elements, one a line) drawn over the picture.
std::string toSvg(double width, double height, const std::string& title,
                  const std::vector<DrawOp>& ops, const std::string& more);

// "#rrggbb".
std::string colourHex(Rgb c);
// Text with &, < and > escaped, for an element's content.
std::string svgEscaped(const std::string& text);

// The shortest decimal text that reads back to the same double.
std::string shortestNumber(double v);

}  // namespace velmar
