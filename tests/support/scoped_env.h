#pragma once
// Sets (or, for nullptr, unsets) an environment variable for one scope and
// restores what was there before.

#include <stdlib.h>

#include <string>

namespace vidodez::test {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old, had_ = true;
    Set(name, value);
  }
  ~ScopedEnv() { Set(name_, had_ ? old_.c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  // The C runtime of Windows has neither setenv nor unsetenv; an empty
  // value unsets there.
  static void Set(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value != nullptr ? value : "");
#else
    if (value != nullptr) setenv(name, value, 1);
    else unsetenv(name);
#endif
  }

  const char* name_;
  std::string old_;
  bool had_ = false;
};

}  // namespace vidodez::test
