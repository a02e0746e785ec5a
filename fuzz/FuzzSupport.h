// FuzzSupport.h: what the fuzz targets share: reading choices out of the
// fuzzer's bytes, the checks that hold after every test of a CTarvil, and a
// quiet, reproducible library environment.
//
// Each target lives in its own <name>Fuzz.cpp beside this file, and its seed
// inputs in corpus/<name>/.
#ifndef TARVIL_FUZZSUPPORT_H
#define TARVIL_FUZZSUPPORT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "CTarvil.h"

namespace tarvil::fuzz {

// Fail: prints where and why an invariant broke, then aborts so that the
// fuzzer records the input as a crash.
[[noreturn]] void Fail(const char* file, int line, const char* condition, const std::string& detail);

// FUZZ_CHECK(cond, detail): aborts through Fail unless `cond` holds. `detail`
// is evaluated only on failure.
#define FUZZ_CHECK(cond, detail)                                    \
  do {                                                              \
    if (!(cond)) ::tarvil::fuzz::Fail(__FILE__, __LINE__, #cond, (detail)); \
  } while (0)

// ByteReader: takes structured choices from the front of the input; the text
// under test is what remains. Reading past the end yields zeros.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  std::uint8_t Byte();
  // A value in lo .. hi (inclusive) taken from one byte.
  int Pick(int lo, int hi);
  bool Flag() { return (Byte() & 1u) != 0; }
  // The bytes up to the next NUL (consumed with it) or the end.
  std::string Field();
  // Everything not read yet.
  std::string Rest();
  std::size_t Left() const { return m_size - m_pos; }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

// QuietEnvironment: points both registry hives at files that do not exist
// (so every setting takes its default), silences the assertion report and
// the message box, and reads the settings once. For LLVMFuzzerInitialize.
void QuietEnvironment();

// PrivateDir: a directory of this process under the temporary directory,
// created on first use and removed at exit.
const std::string& PrivateDir();

// WriteFile: replaces the file `path` by `bytes`; false when it cannot.
bool WriteFile(const std::string& path, std::string_view bytes);

// CheckTest: the invariants of a test (Is..., InterpretAs...) that ran on a
// text of `length` bytes and returned `result`: the result is 0 or 1, the
// error code is a known one, non-zero exactly when the text was refused, the
// cursor lies in 0 .. length + 1, and GetErrorMessage describes the error.
void CheckTest(const CTarvil& s, int result, int length, const char* what);

// CheckStatus: the same for a Get... member that returned `status`: S_OK
// exactly when the error code is 0; otherwise E_INVALIDARG, or E_FAIL.
void CheckStatus(const CTarvil& s, long status, int length, const char* what);

// CheckErrorMessage: GetErrorMessage of `s` is the text its error code and
// cursor call for (the message alone, or the text with the offending
// character marked, a line feed and the message).
void CheckErrorMessage(const CTarvil& s);

// Printable: `text` with control and non-ASCII bytes escaped, for messages.
std::string Printable(std::string_view text);

}  // namespace tarvil::fuzz

#endif
