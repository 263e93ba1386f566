#include "views/kept_drawing.h"

#include <functional>

namespace velmar {

namespace {

using Kind = DrawOp::Kind;

// The numbers each kind draws with, in a fixed order.
int numberCount(Kind k) {
  switch (k) {
    case Kind::Clear:
      return 0;
    case Kind::Disk:
    case Kind::Circle:
      return 3;
    case Kind::Ellipse:
    case Kind::Line:
      return 4;
    case Kind::Sector:
      return 5;
  }
  return 0;
}

int numbersOf(const DrawOp& op, double* out) {
  switch (op.kind) {
    case Kind::Clear:
      return 0;
    case Kind::Disk:
    case Kind::Circle:
      out[0] = op.x, out[1] = op.y, out[2] = op.rx;
      return 3;
    case Kind::Ellipse:
      out[0] = op.x, out[1] = op.y, out[2] = op.rx, out[3] = op.ry;
      return 4;
    case Kind::Line:
      out[0] = op.x, out[1] = op.y, out[2] = op.x2, out[3] = op.y2;
      return 4;
    case Kind::Sector:
      out[0] = op.x, out[1] = op.y, out[2] = op.rx, out[3] = op.a0, out[4] = op.a1;
      return 5;
  }
  return 0;
}

size_t hashOf(const DrawOp& op) {
  size_t h = static_cast<size_t>(op.kind);
  auto mix = [&h](size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
  const std::hash<double> hd;
  double n[5];
  const int count = numbersOf(op, n);
  for (int i = 0; i < count; ++i) mix(hd(n[i]));
  mix((static_cast<size_t>(op.color.r) << 16) | (static_cast<size_t>(op.color.g) << 8) |
      op.color.b);
  mix(static_cast<size_t>(op.width));
  return h;
}

bool sameDrawing(const DrawOp& a, const DrawOp& b) {
  if (a.kind != b.kind || a.color != b.color || a.width != b.width) return false;
  double na[5], nb[5];
  const int count = numbersOf(a, na);
  numbersOf(b, nb);
  for (int i = 0; i < count; ++i)
    if (!(na[i] == nb[i])) return false;
  return true;
}

}  // namespace

DrawOp KeptDrawing::unpack(size_t i) const {
  const Entry& e = entries_[i];
  DrawOp op;
  op.kind = static_cast<Kind>(e.kind);
  op.color = {e.r, e.g, e.b};
  op.width = e.width;
  const double* n = numbers_.data() + e.first;
  switch (op.kind) {
    case Kind::Clear:
      break;
    case Kind::Disk:
    case Kind::Circle:
      op.x = n[0], op.y = n[1], op.rx = op.ry = n[2];
      break;
    case Kind::Ellipse:
      op.x = n[0], op.y = n[1], op.rx = n[2], op.ry = n[3];
      break;
    case Kind::Line:
      op.x = n[0], op.y = n[1], op.x2 = n[2], op.y2 = n[3];
      break;
    case Kind::Sector:
      op.x = n[0], op.y = n[1], op.rx = op.ry = n[2], op.a0 = n[3], op.a1 = n[4];
      break;
  }
  return op;
}

size_t KeptDrawing::find(const DrawOp& op, size_t hash) const {
  const size_t mask = table_.size() - 1;
  for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const uint32_t at = table_[slot];
    if (at == 0 || sameDrawing(unpack(at - 1), op)) return slot;
  }
}

void KeptDrawing::append(const DrawOp& op) {
  double n[5];
  const int count = numbersOf(op, n);
  entries_.push_back({static_cast<uint32_t>(numbers_.size()), static_cast<int32_t>(op.width),
                      static_cast<uint8_t>(op.kind), op.color.r, op.color.g, op.color.b});
  numbers_.insert(numbers_.end(), n, n + count);
  dropped_.push_back(false);
}

void KeptDrawing::rebuildTable(size_t slots) {
  table_.assign(slots, 0);
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (dropped_[i]) continue;
    const DrawOp op = unpack(i);
    table_[find(op, hashOf(op))] = static_cast<uint32_t>(i + 1);
  }
}

void KeptDrawing::draw(const DrawOp& op) {
  if (op.kind == Kind::Clear) {
    entries_.clear();
    numbers_.clear();
    dropped_.clear();
    table_.clear();
    live_ = 0;
  }
  // At most half the slots taken, so that a search ends soon.
  if (table_.size() < 2 * (live_ + 1)) rebuildTable(table_.empty() ? 64 : 2 * table_.size());
  const size_t slot = find(op, hashOf(op));
  if (table_[slot] != 0) {
    dropped_[table_[slot] - 1] = true;
    --live_;
  }
  append(op);
  table_[slot] = static_cast<uint32_t>(entries_.size());
  ++live_;
  if (entries_.size() > 64 && entries_.size() > 2 * live_) compact();
}

void KeptDrawing::compact() {
  std::vector<Entry> entries;
  std::vector<double> numbers;
  entries.reserve(live_);
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (dropped_[i]) continue;
    Entry e = entries_[i];
    const double* n = numbers_.data() + e.first;
    e.first = static_cast<uint32_t>(numbers.size());
    numbers.insert(numbers.end(), n, n + numberCount(static_cast<Kind>(e.kind)));
    entries.push_back(e);
  }
  entries_.swap(entries);
  numbers_.swap(numbers);
  dropped_.assign(entries_.size(), false);
  rebuildTable(table_.size());
}

std::vector<DrawOp> KeptDrawing::ops() const {
  std::vector<DrawOp> out;
  out.reserve(live_);
  for (size_t i = 0; i < entries_.size(); ++i)
    if (!dropped_[i]) out.push_back(unpack(i));
  return out;
}

}  // namespace velmar
