// Arrays with inclusive bounds, as the game declares them ("0..200" has 201 elements). An index
// outside the bounds is run-time error 9 at the line of the statement that used it.
#pragma once

#include <source_location>
#include <vector>

#include "host/error.hpp"

namespace zav3::host {

template <class T>
class Array {
 public:
  Array() = default;
  explicit Array(long last) { redim(0, last); }
  Array(long first, long last) { redim(first, last); }

  // Discards the contents and creates the array again, every element default (0 or "").
  void redim(long first, long last) {
    first_ = first;
    last_ = last;
    values_.assign(last >= first ? static_cast<std::size_t>(last - first + 1) : 0, T{});
  }
  void clear() { values_.assign(values_.size(), T{}); }

  T& operator()(long i, std::source_location where = std::source_location::current()) {
    if (i < first_ || i > last_) raise(err::subscript, where);
    return values_[static_cast<std::size_t>(i - first_)];
  }
  const T& operator()(long i, std::source_location where = std::source_location::current()) const {
    if (i < first_ || i > last_) raise(err::subscript, where);
    return values_[static_cast<std::size_t>(i - first_)];
  }

  long first() const { return first_; }
  long last() const { return last_; }
  std::size_t size() const { return values_.size(); }
  const std::vector<T>& values() const { return values_; }
  std::vector<T>& values() { return values_; }

 private:
  long first_ = 0;
  long last_ = -1;
  std::vector<T> values_;
};

}  // namespace zav3::host
