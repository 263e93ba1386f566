#pragma once
// Change notification with any number of subscribers.
//
// A subscriber may connect or disconnect subscribers, itself included,
// while it is being notified: each one lives at a fixed address until the
// outermost notification is over, so nothing is moved or destroyed under a
// running call. A subscriber connected during a notification hears the
// next one. Subscribers are called by rank, then in the order they came.
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace velmar {

template <typename... Args>
class Signal {
 public:
  using Slot = std::function<void(Args...)>;

  Signal() = default;
  Signal(const Signal&) = delete;
  Signal& operator=(const Signal&) = delete;

  // Returns the id that disconnect takes.
  int connect(Slot slot, int rank = 0) {
    auto e = std::make_unique<Entry>(Entry{nextId_++, rank, true, std::move(slot)});
    const int id = e->id;
    // After every entry of the same or a lower rank.
    auto at = std::upper_bound(entries_.begin(), entries_.end(), rank,
                               [](int r, const std::unique_ptr<Entry>& x) { return r < x->rank; });
    if (depth_ > 0 && at != entries_.end()) {
      // Not in the middle of a running pass: that would shift the entries
      // still to be called. It goes in at the end of the pass.
      pending_.push_back(std::move(e));
    } else {
      entries_.insert(at, std::move(e));
    }
    return id;
  }

  void disconnect(int id) {
    for (auto* list : {&entries_, &pending_}) {
      for (auto& e : *list) {
        if (e->id == id) e->alive = false;
      }
    }
    if (depth_ == 0) compact();
  }

  void operator()(Args... args) {
    ++depth_;
    // Entries appended meanwhile are not called in this pass.
    const size_t n = entries_.size();
    for (size_t i = 0; i < n; ++i) {
      Entry* e = entries_[i].get();
      if (e->alive) e->slot(args...);
    }
    if (--depth_ == 0) compact();
  }

  bool empty() const {
    for (const auto& e : entries_)
      if (e->alive) return false;
    return pending_.empty();
  }

 private:
  struct Entry {
    int id;
    int rank;
    bool alive;
    Slot slot;
  };

  void compact() {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [](const std::unique_ptr<Entry>& e) { return !e->alive; }),
                   entries_.end());
    for (auto& e : pending_) {
      if (!e->alive) continue;
      const int rank = e->rank;
      auto at =
          std::upper_bound(entries_.begin(), entries_.end(), rank,
                           [](int r, const std::unique_ptr<Entry>& x) { return r < x->rank; });
      entries_.insert(at, std::move(e));
    }
    pending_.clear();
  }

  std::vector<std::unique_ptr<Entry>> entries_;
  std::vector<std::unique_ptr<Entry>> pending_;
  int nextId_ = 1;
  int depth_ = 0;
};

// Disconnects when it goes out of scope; for subscribers that die before
// the signal does (windows).
class Connection {
 public:
  Connection() = default;
  template <typename... Args>
  Connection(Signal<Args...>& s, int id) : cut_([&s, id] { s.disconnect(id); }) {}
  Connection(Connection&& o) noexcept : cut_(std::move(o.cut_)) { o.cut_ = nullptr; }
  Connection& operator=(Connection&& o) noexcept {
    if (this != &o) {
      reset();
      cut_ = std::move(o.cut_);
      o.cut_ = nullptr;
    }
    return *this;
  }
  ~Connection() { reset(); }
  void reset() {
    if (cut_) cut_();
    cut_ = nullptr;
  }

 private:
  std::function<void()> cut_;
};

}  // namespace velmar
