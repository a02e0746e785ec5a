// TestSupport.h: small helpers shared by the test programs.
//
// ExactBytes gives a heap copy of a text with no slack after its terminator,
// so that AddressSanitizer reports any read past it. EnvOverride and
// ScopedLocale change the process's environment or C locale for one test
// and put back what was there before. (RegistryFiles.h has the registry
// helpers; names here must not repeat its names, since every test file of a
// folder is linked into one program.)
#ifndef TARVIL_TESTSUPPORT_H
#define TARVIL_TESTSUPPORT_H

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarvil::test {

// A heap copy of `bytes` followed by one NUL and nothing else.
class ExactBytes {
 public:
  explicit ExactBytes(std::string_view bytes) : m_data(new char[bytes.size() + 1]) {
    std::memcpy(m_data.get(), bytes.data(), bytes.size());
    m_data[bytes.size()] = '\0';
  }
  const char* c() const { return m_data.get(); }
  const unsigned char* u() const { return reinterpret_cast<const unsigned char*>(m_data.get()); }

 private:
  std::unique_ptr<char[]> m_data;
};

// Sets (or with a null value unsets) an environment variable for the
// lifetime of the object. Setting "TZ" also re-reads the time zone.
class EnvOverride {
 public:
  EnvOverride(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    Apply(value);
  }
  ~EnvOverride() { Apply(m_old ? m_old->c_str() : nullptr); }
  EnvOverride(const EnvOverride&) = delete;
  EnvOverride& operator=(const EnvOverride&) = delete;

 private:
  void Apply(const char* value) {
    if (value) {
      setenv(m_name.c_str(), value, 1);
    } else {
      unsetenv(m_name.c_str());
    }
    if (m_name == "TZ") tzset();
  }
  std::string m_name;
  std::optional<std::string> m_old;
};

// Switches the whole process to the C locale `name` (LC_ALL); ok() tells
// whether that locale exists. The previous locale comes back at the end.
class ScopedLocale {
 public:
  explicit ScopedLocale(const char* name) {
    const char* current = std::setlocale(LC_ALL, nullptr);
    m_old = current ? current : "C";
    m_ok = std::setlocale(LC_ALL, name) != nullptr;
  }
  ~ScopedLocale() { std::setlocale(LC_ALL, m_old.c_str()); }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;
  bool ok() const { return m_ok; }

 private:
  std::string m_old;
  bool m_ok = false;
};

}  // namespace tarvil::test

#endif
