#pragma once
// The lowest and highest of a run of values, taken several at a time: the compiler does not
// vectorise a floating-point minimum by itself, and the corrections take it over every point of
// every range. The vectors are the compiler's own (GCC and Clang), so the same code serves any
// processor.
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <span>

namespace keltor {

// Sixteen bytes of floats or doubles.
template <typename T>
struct VectorOf;
template <>
struct VectorOf<float> {
  using Type = float __attribute__((vector_size(16)));
};
template <>
struct VectorOf<double> {
  using Type = double __attribute__((vector_size(16)));
};

template <typename T>
struct ValueExtremes {
  T Lowest = std::numeric_limits<T>::infinity();
  T Highest = -std::numeric_limits<T>::infinity();
  bool Finite = true;  // no value was infinite or no number

  // Widens the extremes by values; a value that is no number is passed over (and clears Finite).
  void Include(std::span<const T> values) {
    constexpr size_t kLanes = 16 / sizeof(T);
    using Vector = typename VectorOf<T>::Type;
    const size_t count = values.size();
    const T* p = values.data();
    size_t i = 0;
    if (count >= 2 * kLanes) {
      Vector lo, hi, zeros = {};
      for (size_t k = 0; k < kLanes; ++k) {
        lo[k] = Lowest;
        hi[k] = Highest;
      }
      for (; i + kLanes <= count; i += kLanes) {
        Vector v;
        std::memcpy(&v, p + i, sizeof v);
        lo = v < lo ? v : lo;
        hi = v > hi ? v : hi;
        zeros += v * T{0};  // stays 0 while every value is finite, and becomes no number else
      }
      for (size_t k = 0; k < kLanes; ++k) {
        Take(lo[k], hi[k]);
        Finite = Finite && zeros[k] == T{0};
      }
    }
    for (; i < count; ++i) {
      Take(p[i], p[i]);
      Finite = Finite && std::isfinite(p[i]);
    }
  }

 private:
  void Take(T low, T high) {
    Lowest = low < Lowest ? low : Lowest;
    Highest = high > Highest ? high : Highest;
  }
};

}  // namespace keltor
