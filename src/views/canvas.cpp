#include "views/canvas.h"

namespace velmar {

DrawOp DrawOp::clear(Rgb c) {
  DrawOp op;
  op.kind = Kind::Clear;
  op.color = c;
  return op;
}

DrawOp DrawOp::disk(double cx, double cy, double r, Rgb c) {
  DrawOp op;
  op.kind = Kind::Disk;
  op.x = cx;
  op.y = cy;
  op.rx = op.ry = r;
  op.color = c;
  return op;
}

DrawOp DrawOp::ellipse(double cx, double cy, double rx, double ry, Rgb c) {
  DrawOp op;
  op.kind = Kind::Ellipse;
  op.x = cx;
  op.y = cy;
  op.rx = rx;
  op.ry = ry;
  op.color = c;
  return op;
}

DrawOp DrawOp::circle(double cx, double cy, double r, Rgb c, int width) {
  DrawOp op = disk(cx, cy, r, c);
  op.kind = Kind::Circle;
  op.width = width;
  return op;
}

DrawOp DrawOp::line(double x1, double y1, double x2, double y2, Rgb c, int width) {
  DrawOp op;
  op.kind = Kind::Line;
  op.x = x1;
  op.y = y1;
  op.x2 = x2;
  op.y2 = y2;
  op.color = c;
  op.width = width;
  return op;
}

DrawOp DrawOp::sector(double cx, double cy, double r, double a0, double a1, Rgb c) {
  DrawOp op = disk(cx, cy, r, c);
  op.kind = Kind::Sector;
  op.a0 = a0;
  op.a1 = a1;
  return op;
}

bool DrawOp::operator==(const DrawOp& o) const {
  return kind == o.kind && x == o.x && y == o.y && rx == o.rx && ry == o.ry && x2 == o.x2 &&
         y2 == o.y2 && a0 == o.a0 && a1 == o.a1 && color == o.color && width == o.width;
}

void RecordingCanvas::draw(const DrawOp& op) {
  // A cleared picture shows nothing of what came before.
  if (op.kind == DrawOp::Kind::Clear) ops_.clear();
  ops_.push_back(op);
}

}  // namespace velmar
