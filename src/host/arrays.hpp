// Arrays (one- and two-dimensional) with inclusive bounds, as the game declares them ("0..200" has
// 201 elements). An index outside the bounds is run-time error 9 at the line of the statement that
// used it.
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

// Two-dimensional array with inclusive bounds on both indexes, (object, point) for the model
// point arrays. An index outside the bounds is run-time error 9.
template <class T>
class Array2 {
 public:
  Array2() = default;
  Array2(long first1, long last1, long first2, long last2) { redim(first1, last1, first2, last2); }

  void redim(long first1, long last1, long first2, long last2) {
    first1_ = first1;
    last1_ = last1;
    first2_ = first2;
    last2_ = last2;
    const long n1 = last1 >= first1 ? last1 - first1 + 1 : 0;
    const long n2 = last2 >= first2 ? last2 - first2 + 1 : 0;
    values_.assign(static_cast<std::size_t>(n1 * n2), T{});
  }
  void clear() { values_.assign(values_.size(), T{}); }

  T& operator()(long i, long j, std::source_location where = std::source_location::current()) {
    return values_[offset(i, j, where)];
  }
  const T& operator()(long i, long j,
                      std::source_location where = std::source_location::current()) const {
    return values_[offset(i, j, where)];
  }

  long first1() const { return first1_; }
  long last1() const { return last1_; }
  long first2() const { return first2_; }
  long last2() const { return last2_; }

 private:
  std::size_t offset(long i, long j, std::source_location where) const {
    if (i < first1_ || i > last1_ || j < first2_ || j > last2_) raise(err::subscript, where);
    return static_cast<std::size_t>((i - first1_) * (last2_ - first2_ + 1) + (j - first2_));
  }

  long first1_ = 0, last1_ = -1, first2_ = 0, last2_ = -1;
  std::vector<T> values_;
};

}  // namespace zav3::host
