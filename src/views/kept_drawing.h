#pragma once
// What a picture that is never cleared shows, as drawing operations, kept
// small: an operation drawn again later covers every point it covered
// before, so its earlier copy is dropped. The sky view's trail redraws the
// same grid on every calculation; only the marks themselves accumulate.
#include <cstddef>
#include <unordered_map>
#include <vector>

#include "views/canvas.h"

namespace velmar {

class KeptDrawing : public Canvas {
 public:
  void draw(const DrawOp& op) override;
  // The operations in the order they were last drawn.
  std::vector<DrawOp> ops() const;
  size_t size() const { return live_; }

 private:
  struct Hash {
    size_t operator()(const DrawOp& op) const;
  };
  void compact();

  std::vector<DrawOp> ops_;
  std::vector<bool> dropped_;
  std::unordered_map<DrawOp, size_t, Hash> at_;  // each operation's last place
  size_t live_ = 0;
};

}  // namespace velmar
