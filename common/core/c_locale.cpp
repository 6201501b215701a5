#include "common/core/c_locale.h"

namespace km {

locale_t CLocale() {
  // Made once and never freed: a read-only handle shared by every caller.
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

CLocaleScope::CLocaleScope() {
  if (const locale_t c = CLocale()) previous_ = uselocale(c);
}

CLocaleScope::~CLocaleScope() {
  if (previous_) uselocale(previous_);
}

}  // namespace km
