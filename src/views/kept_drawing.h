#pragma once
// What a picture that is never cleared shows, as drawing operations, kept
// small: an operation drawn again later covers every point it covered
// before, so its earlier copy is dropped. The sky view's trail redraws the
// same grid on every calculation; only the marks themselves accumulate, a
// few tens of bytes each: each operation keeps only the numbers its kind
// uses, and the index that finds it again is a table of 32-bit places.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "views/canvas.h"

namespace velmar {

class KeptDrawing : public Canvas {
 public:
  void draw(const DrawOp& op) override;
  // The operations in the order they were last drawn. Only the numbers an
  // operation's kind uses are kept: the others come back as the DrawOp
  // makers set them (0, or the radius as ry of a disk, circle or sector).
  std::vector<DrawOp> ops() const;
  size_t size() const { return live_; }

 private:
  struct Entry {
    uint32_t first;  // its numbers in numbers_
    int32_t width;
    uint8_t kind, r, g, b;
  };
  DrawOp unpack(size_t i) const;
  size_t find(const DrawOp& op, size_t hash) const;  // its table slot
  void append(const DrawOp& op);
  void rebuildTable(size_t slots);
  void compact();

  std::vector<Entry> entries_;
  std::vector<double> numbers_;
  std::vector<bool> dropped_;
  std::vector<uint32_t> table_;  // entry + 1 of each distinct operation; 0 is free
  size_t live_ = 0;
};

}  // namespace velmar
