#include "views/kept_drawing.h"

#include <functional>

namespace velmar {

size_t KeptDrawing::Hash::operator()(const DrawOp& op) const {
  size_t h = static_cast<size_t>(op.kind);
  auto mix = [&h](size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
  const std::hash<double> hd;
  for (double v : {op.x, op.y, op.rx, op.ry, op.x2, op.y2, op.a0, op.a1}) mix(hd(v));
  mix((static_cast<size_t>(op.color.r) << 16) | (static_cast<size_t>(op.color.g) << 8) |
      op.color.b);
  mix(static_cast<size_t>(op.width));
  return h;
}

void KeptDrawing::draw(const DrawOp& op) {
  if (op.kind == DrawOp::Kind::Clear) {
    ops_.clear();
    dropped_.clear();
    at_.clear();
    live_ = 0;
  }
  auto [it, fresh] = at_.try_emplace(op, ops_.size());
  if (!fresh) {
    dropped_[it->second] = true;
    it->second = ops_.size();
    --live_;
  }
  ops_.push_back(op);
  dropped_.push_back(false);
  ++live_;
  if (ops_.size() > 64 && ops_.size() > 2 * live_) compact();
}

void KeptDrawing::compact() {
  size_t to = 0;
  for (size_t from = 0; from < ops_.size(); ++from) {
    if (dropped_[from]) continue;
    ops_[to] = ops_[from];
    at_[ops_[to]] = to;
    ++to;
  }
  ops_.resize(to);
  dropped_.assign(to, false);
}

std::vector<DrawOp> KeptDrawing::ops() const {
  std::vector<DrawOp> out;
  out.reserve(live_);
  for (size_t i = 0; i < ops_.size(); ++i)
    if (!dropped_[i]) out.push_back(ops_[i]);
  return out;
}

}  // namespace velmar
