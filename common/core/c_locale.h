#pragma once
// Numbers in files, messages and dialog fields are written and read with a point as the decimal mark,
// whatever locale the desktop shell has switched the process to.
#include <locale.h>

namespace km {

// The "C" locale as a handle; (locale_t)0 when the system cannot make one.
locale_t CLocale();

// Switches the calling thread to the "C" locale for its lifetime.
class CLocaleScope {
 public:
  CLocaleScope();
  ~CLocaleScope();
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t previous_ = nullptr;
};

}  // namespace km
