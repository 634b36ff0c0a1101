// The lane type of the voice path: several voices side by side in one vector register, four
// (256 bits) where the processor has AVX2, two (128 bits) on the baseline x86-64 instruction set.
// The voice code is written once against `Lanes`; the engine builds it twice, once per register
// width, each copy in its own namespace (TOVALUNE_LANES names it: Wide or Baseline). Every helper
// here is exact (comparisons, selects, bit operations, rounding to integers), so both builds give
// the same bits wherever the voice code does the same additions, multiplications and divisions.
// Everything here runs on any thread and allocates nothing.
#pragma once

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#ifdef __AVX2__
#include <immintrin.h>
#endif

#ifndef TOVALUNE_LANES
#define TOVALUNE_LANES Baseline
#endif

namespace Engine {
namespace TOVALUNE_LANES {

#ifdef __AVX2__
constexpr int kLaneCount = 4;
#else
constexpr int kLaneCount = 2;
#endif

typedef double Lanes __attribute__((vector_size(8 * kLaneCount)));
// Comparison results: all bits set in a lane where the comparison holds.
typedef int64_t LaneMask __attribute__((vector_size(8 * kLaneCount)));
// Unsigned integers (phase words, table indices, bit patterns).
typedef uint64_t LaneWords __attribute__((vector_size(8 * kLaneCount)));

constexpr int kAllLanes = (1 << kLaneCount) - 1;

inline Lanes Splat(double x) {
  Lanes v;
  for (int lane = 0; lane < kLaneCount; ++lane)
    v[lane] = x;
  return v;
}

// kLaneCount neighbouring values from memory of any alignment, and back.
template <class Vector, class Element>
Vector LoadLanes(const Element* p) {
  Vector v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <class Vector, class Element>
void StoreLanes(Element* p, Vector v) {
  std::memcpy(p, &v, sizeof v);
}

inline Lanes Load(const double* p) {
  return LoadLanes<Lanes>(p);
}

inline LaneWords Bits(Lanes x) {
  return reinterpret_cast<LaneWords>(x);
}

inline Lanes FromBits(LaneWords bits) {
  return reinterpret_cast<Lanes>(bits);
}

template <class Vector>
Vector Select(LaneMask mask, Vector whenSet, Vector otherwise) {
  return mask ? whenSet : otherwise;
}

// Masks enter and leave memory or bit tests through the three helpers below. The 128-bit build
// has no 64-bit integer compare: the compiler works lane by lane on a mask it cannot trace to a
// comparison, and on a combination of comparisons it must hold as words, unless the words come
// from a select of doubles and a mask from comparing doubles.
inline LaneWords MaskWords(LaneMask mask) {
  return Bits(Select(mask, FromBits(~LaneWords{}), Splat(0.0)));
}

// MaskWords back as a mask (all bits set is a NaN, which differs from itself).
inline LaneMask MaskOf(LaneWords words) {
  const Lanes x = FromBits(words);
  return x != x;
}

inline LaneMask LoadMask(const uint64_t* p) {
  return MaskOf(LoadLanes<LaneWords>(p));
}

// Bit i is set when lane i of the mask is.
inline int MaskBits(LaneMask mask) {
#ifdef __AVX2__
  return _mm256_movemask_pd(reinterpret_cast<__m256d>(mask));
#else
  return _mm_movemask_pd(reinterpret_cast<__m128d>(MaskWords(mask)));
#endif
}

inline Lanes Abs(Lanes x) {
  return FromBits(Bits(x) & 0x7FFFFFFFFFFFFFFFu);
}

// x with the sign of s.
inline Lanes CopySign(Lanes x, Lanes s) {
  return FromBits((Bits(x) & 0x7FFFFFFFFFFFFFFFu) | (Bits(s) & 0x8000000000000000u));
}

// a > b ? a : b and a < b ? a : b, one instruction each: a NaN in b passes.
inline Lanes Max(Lanes a, Lanes b) {
#ifdef __AVX2__
  return _mm256_max_pd(a, b);
#else
  return _mm_max_pd(a, b);
#endif
}

inline Lanes Min(Lanes a, Lanes b) {
#ifdef __AVX2__
  return _mm256_min_pd(a, b);
#else
  return _mm_min_pd(a, b);
#endif
}

// Limits x to [low, high] like the scalar engine's clamp (below low gives low, above high gives
// high, NaN passes); a zero on a bound may keep its own sign.
inline Lanes Clamp(Lanes x, double low, double high) {
  return Min(Splat(high), Max(Splat(low), x));
}

// Flushes every magnitude below 2^-1021 (zeros included, to +0) so decaying memories never turn
// subnormal.
inline Lanes FixDenormal(Lanes x) {
  return FromBits(Bits(x) & ~reinterpret_cast<LaneWords>(Abs(x) < 0x1p-1021));
}

constexpr double kTwoPow52 = 4503599627370496.0;

// Rounds toward zero; values of 2^52 and more are integers already and pass, as do infinities
// and NaN.
inline Lanes Truncate(Lanes x) {
#ifdef __AVX2__
  return _mm256_round_pd(x, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
#else
  const Lanes a = Abs(x);
  Lanes r = (a + kTwoPow52) - kTwoPow52;  // nearest integer
  r = Select(r > a, r - 1.0, r);
  return CopySign(Select(a < kTwoPow52, r, a), x);
#endif
}

inline Lanes Floor(Lanes x) {
  const Lanes t = Truncate(x);
  return Select(t > x, t - 1.0, t);
}

// Rounds toward zero for |x| < 2^31; a zero may come out as either zero.
inline Lanes TruncateSmall(Lanes x) {
#ifdef __AVX2__
  return Truncate(x);
#else
  return _mm_cvtepi32_pd(_mm_cvttpd_epi32(x));
#endif
}

// Low 32 bits of trunc(x), for 0 <= x < 2^52: the nearest integer, less one where it lies above x.
inline LaneWords LowWord(Lanes x) {
  const Lanes nearest = x + kTwoPow52;
  return (Bits(nearest) + MaskWords(nearest - kTwoPow52 > x)) & 0xFFFFFFFFu;
}

// The integers below 2^52 as doubles.
inline Lanes ToDouble(LaneWords w) {
  return FromBits(w | Bits(Splat(kTwoPow52))) - kTwoPow52;
}

// 2^n for integral n in [-1022, 1023].
inline Lanes PowerOfTwo(Lanes n) {
  return FromBits(Bits(n + (kTwoPow52 + 1023)) << 52);
}

// The 64-bit products of the low 32 bits of every lane and b.
inline LaneWords MultiplyLow32(LaneWords a, uint32_t b) {
#ifdef __AVX2__
  return reinterpret_cast<LaneWords>(
      _mm256_mul_epu32(reinterpret_cast<__m256i>(a), _mm256_set1_epi64x(b)));
#else
  return reinterpret_cast<LaneWords>(
      _mm_mul_epu32(reinterpret_cast<__m128i>(a), _mm_set1_epi64x(b)));
#endif
}

// table[index] and table[index + 1] of every lane, from one 16-byte load per lane.
inline void GatherPairs(const double* table, LaneWords index, Lanes& at, Lanes& next) {
#ifdef __AVX2__
  const __m256d low = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(table + index[0])),
                                           _mm_loadu_pd(table + index[2]), 1);
  const __m256d high = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(table + index[1])),
                                            _mm_loadu_pd(table + index[3]), 1);
  at = _mm256_unpacklo_pd(low, high);
  next = _mm256_unpackhi_pd(low, high);
#else
  const __m128d first = _mm_loadu_pd(table + index[0]);
  const __m128d second = _mm_loadu_pd(table + index[1]);
  at = _mm_unpacklo_pd(first, second);
  next = _mm_unpackhi_pd(first, second);
#endif
}

// kLaneCount neighbouring voices of a structure-of-arrays field (starting at voice `first`) and
// the lanes that are live (whose voices sound): Set keeps the other lanes as they are, Put writes
// all. EveryLane's Set stores without a mask: its lanes that are not live get their state back
// later, and their values are never used.
template <bool kEveryLane>
struct LaneGroup {
  int first;
  LaneMask live;

  Lanes Get(const double* field) const { return Load(field + first); }
  void Put(double* field, Lanes value) const { StoreLanes(field + first, value); }
  void Set(double* field, Lanes value) const {
    Put(field, kEveryLane ? value : Select(live, value, Get(field)));
  }
  LaneWords GetWords(const uint64_t* field) const { return LoadLanes<LaneWords>(field + first); }
  void SetWords(uint64_t* field, LaneWords value) const {
    StoreLanes(field + first, kEveryLane ? value : Select(live, value, GetWords(field)));
  }
};

using EveryLane = LaneGroup<true>;
using SomeLanes = LaneGroup<false>;

}  // namespace TOVALUNE_LANES
}  // namespace Engine
