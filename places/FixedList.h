// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// A list of at most N values in place, for what is read again and again.

#include <array>
#include <cstddef>
#include <stdexcept>

namespace korvel {

// A short list kept without allocating, nor clearing what it does not hold: the table's places are
// read into such lists on every change. Growing past its room throws: no table holds more than the room it is given.
template <class T, std::size_t N>
class FixedList {
 public:
  void push_back(T value)
  {
    if (size_ == N) throw std::length_error("FixedList::push_back");
    items_[size_++] = value;
  }
  void resize(std::size_t size)
  {
    if (size > N) throw std::length_error("FixedList::resize");
    size_ = size;
  }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T back() const { return items_[size_ - 1]; }
  T& operator[](std::size_t k) { return items_[k]; }
  T operator[](std::size_t k) const { return items_[k]; }
  const T* begin() const { return items_.data(); }
  const T* end() const { return items_.data() + size_; }

 private:
  std::array<T, N> items_;
  std::size_t size_ = 0;
};

}  // namespace korvel
