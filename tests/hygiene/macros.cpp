// <tarvil/tarvil.h> after the standard library and a caller's own macros of
// the names a desktop platform defines. (With function-like min and max
// defined, no standard header that uses std::numeric_limits<T>::min() can
// be included any more, by the caller or by this header: the caller includes
// the standard library first.)
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#define CString struct NotOurs
#define DWORD unsigned long long
#define S_OK 17
#define TRUE 0
#define FALSE 1
#define min(a, b) ((a) < (b) ? (a) : (b))
#define max(a, b) ((a) > (b) ? (a) : (b))

#include <tarvil/tarvil.h>

int main() {
  std::vector<std::string> refs{"R10", "R9"};
  std::sort(refs.begin(), refs.end(), tarvil::NaturalLess{});
  return refs[0] == "R9" ? 0 : 1;
}
