#pragma once
// A picture as an SVG document: one element per drawing operation, in the
// order they were drawn, coordinates in twips (15 twips to a pixel of the
// document's own size).
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
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

// The document's parts, for one written while it is drawn: the head with
// the title, one element line per operation, the tail.
std::string svgHead(double width, double height, const std::string& title);
std::string svgElement(const DrawOp& op, double width, double height);
inline constexpr std::string_view kSvgTail = "</svg>\n";

// What a picture shows, kept as the SVG elements of its operations in an
// unnamed scratch file rather than in memory: a run of a million steps
// draws gigabytes. The same document as toSvg of the same operations.
class SvgSpool : public Canvas {
 public:
  // The scratch file goes into `folder` when it can, else where tmpfile()
  // puts it.
  SvgSpool(double width, double height, const std::string& folder);
  ~SvgSpool() override;
  SvgSpool(const SvgSpool&) = delete;
  SvgSpool& operator=(const SvgSpool&) = delete;

  void draw(const DrawOp& op) override;
  std::string title;

  // Hands the whole document to `sink` in pieces; stops at the first piece
  // the sink refuses. The errno of a failure of the scratch file, else 0.
  // `more` goes in just before the end, over everything drawn.
  int writeTo(const std::function<bool(std::string_view)>& sink, const std::string& more = {});

 private:
  double width_, height_;
  std::FILE* file_ = nullptr;
  int err_ = 0;
  std::string element_;  // reused for every operation
};

// The shortest decimal text that reads back to the same double.
std::string shortestNumber(double v);

}  // namespace velmar
