#include "common/core/count_rounding.h"

#include "common/core/raw_format.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace km {

void RoundToCounts(std::span<const float> values, double scale, int32_t* out) {
  const size_t n = values.size();
  size_t i = 0;
#if defined(__SSE2__)
  const __m128d s = _mm_set1_pd(scale);
  const __m128d lowest = _mm_set1_pd(-2147483648.0);
  const __m128d highest = _mm_set1_pd(2147483647.0);
  const __m128d sign = _mm_set1_pd(-0.0);
  const __m128d half = _mm_set1_pd(0.5);
  for (; i + 2 <= n; i += 2) {
    const __m128d v = _mm_mul_pd(_mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(
                                     reinterpret_cast<const __m128i*>(values.data() + i)))),
                                 s);
    const __m128d notANumber = _mm_cmpunord_pd(v, v);
    const __m128d held = _mm_min_pd(_mm_max_pd(v, lowest), highest);
    // 0.5 with the sign of the value: a value of -0 rounds to 0 either way.
    const __m128d shifted = _mm_add_pd(held, _mm_or_pd(_mm_and_pd(held, sign), half));
    const __m128i counts = _mm_cvttpd_epi32(_mm_andnot_pd(notANumber, shifted));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), counts);
  }
#endif
  for (; i < n; ++i) out[i] = RoundToCount(static_cast<double>(values[i]) * scale);
}

}  // namespace km
