#include "views/svg.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>

#include "astro/constants.h"

namespace velmar {

namespace {

constexpr double kTwipsPerPixel = 15;

std::string hex(Rgb c) {
  static const char digits[] = "0123456789abcdef";
  std::string s = "#";
  for (uint8_t v : {c.r, c.g, c.b}) {
    s += digits[v >> 4];
    s += digits[v & 15];
  }
  return s;
}

std::string escaped(const std::string& text) {
  std::string out;
  for (char ch : text) {
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += ch;
    }
  }
  return out;
}

// One pixel of line is 15 twips of stroke.
std::string strokeWidth(int pixels) { return shortestNumber(pixels * kTwipsPerPixel); }

std::string attr(const char* name, double v) {
  return std::string(" ") + name + "=\"" + shortestNumber(v) + "\"";
}

std::string filled(Rgb c) {
  return " fill=\"" + hex(c) + "\" stroke=\"" + hex(c) + "\" stroke-width=\"" + strokeWidth(1) +
         "\"";
}

// The sector as a path: centre, out to the first angle, along the arc
// counter-clockwise on the screen (SVG's negative sweep, y growing down),
// back to the centre.
std::string sectorPath(const DrawOp& op) {
  double span = op.a1 - op.a0;
  if (span <= 0) span += 2 * kPi;
  const double x0 = op.x + op.rx * std::cos(op.a0);
  const double y0 = op.y - op.rx * std::sin(op.a0);
  const double x1 = op.x + op.rx * std::cos(op.a1);
  const double y1 = op.y - op.rx * std::sin(op.a1);
  const std::string r = shortestNumber(op.rx);
  return "M " + shortestNumber(op.x) + " " + shortestNumber(op.y) + " L " + shortestNumber(x0) +
         " " + shortestNumber(y0) + " A " + r + " " + r + " 0 " + (span > kPi ? "1" : "0") + " 0 " +
         shortestNumber(x1) + " " + shortestNumber(y1) + " Z";
}

std::string element(const DrawOp& op, double width, double height) {
  switch (op.kind) {
    case DrawOp::Kind::Clear:
      return "<rect x=\"0\" y=\"0\"" + attr("width", width) + attr("height", height) + " fill=\"" +
             hex(op.color) + "\"/>";
    case DrawOp::Kind::Disk:
      return "<circle" + attr("cx", op.x) + attr("cy", op.y) + attr("r", op.rx) + filled(op.color) +
             "/>";
    case DrawOp::Kind::Circle:
      return "<circle" + attr("cx", op.x) + attr("cy", op.y) + attr("r", op.rx) +
             " fill=\"none\" stroke=\"" + hex(op.color) + "\" stroke-width=\"" +
             strokeWidth(op.width) + "\"/>";
    case DrawOp::Kind::Ellipse:
      return "<ellipse" + attr("cx", op.x) + attr("cy", op.y) + attr("rx", op.rx) +
             attr("ry", op.ry) + filled(op.color) + "/>";
    case DrawOp::Kind::Line:
      return "<line" + attr("x1", op.x) + attr("y1", op.y) + attr("x2", op.x2) + attr("y2", op.y2) +
             " stroke=\"" + hex(op.color) + "\" stroke-width=\"" + strokeWidth(op.width) + "\"/>";
    case DrawOp::Kind::Sector:
      return "<path d=\"" + sectorPath(op) + "\"" + filled(op.color) + "/>";
  }
  return {};
}

}  // namespace

std::string shortestNumber(double v) {
  if (v == 0) v = 0;  // no "-0"
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

std::string colourHex(Rgb c) { return hex(c); }
std::string svgEscaped(const std::string& text) { return escaped(text); }

std::string svgHead(double width, double height, const std::string& title) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + shortestNumber(width) + " " +
         shortestNumber(height) + "\"" + attr("width", width / kTwipsPerPixel) +
         attr("height", height / kTwipsPerPixel) + ">\n" + "<title>" + escaped(title) +
         "</title>\n";
}

std::string svgElement(const DrawOp& op, double width, double height) {
  return element(op, width, height) + "\n";
}

std::string toSvg(double width, double height, const std::string& title,
                  const std::vector<DrawOp>& ops) {
  return toSvg(width, height, title, ops, std::string());
}

std::string toSvg(double width, double height, const std::string& title,
                  const std::vector<DrawOp>& ops, const std::string& more) {
  std::string s = svgHead(width, height, title);
  for (const DrawOp& op : ops) s += svgElement(op, width, height);
  s += more;
  s += kSvgTail;
  return s;
}

SvgSpool::SvgSpool(double width, double height, const std::string& folder)
    : width_(width), height_(height) {
#ifdef O_TMPFILE
  // Unnamed, beside the file it becomes, so that a long run's drawing
  // neither stays in memory nor fills a small /tmp.
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) {
    file_ = ::fdopen(fd, "w+b");
    if (!file_) ::close(fd);
  }
#else
  (void)folder;
#endif
  if (!file_) file_ = std::tmpfile();
  if (!file_) err_ = errno ? errno : EIO;
}

SvgSpool::~SvgSpool() {
  if (file_) std::fclose(file_);
}

void SvgSpool::draw(const DrawOp& op) {
  if (!file_ || err_) return;
  // A cleared picture shows nothing of what came before.
  if (op.kind == DrawOp::Kind::Clear) {
    if (std::fflush(file_) != 0 || ::ftruncate(::fileno(file_), 0) != 0) err_ = errno;
    std::rewind(file_);
  }
  element_ = svgElement(op, width_, height_);
  if (std::fwrite(element_.data(), 1, element_.size(), file_) != element_.size())
    err_ = errno ? errno : EIO;
}

int SvgSpool::writeTo(const std::function<bool(std::string_view)>& sink, const std::string& more) {
  if (err_) return err_;
  if (std::fflush(file_) != 0) return err_ = errno ? errno : EIO;
  std::rewind(file_);
  if (!sink(svgHead(width_, height_, title))) return 0;
  std::vector<char> buf(64 * 1024);
  for (;;) {
    const size_t n = std::fread(buf.data(), 1, buf.size(), file_);
    if (n > 0 && !sink(std::string_view(buf.data(), n))) return 0;
    if (n < buf.size()) break;
  }
  if (std::ferror(file_)) return err_ = EIO;
  std::fseek(file_, 0, SEEK_END);
  if (!more.empty() && !sink(more)) return 0;
  sink(kSvgTail);
  return 0;
}

}  // namespace velmar
