// TextBufferInternal.h: a number text composed in place, on the stack for
// ordinary lengths and on the heap only when a text is unusually long (huge
// precisions, full-precision texts of very large values). The writers build
// their result here and assign it to the object once. Not installed.
#ifndef TARVIL_TEXTBUFFERINTERNAL_H
#define TARVIL_TEXTBUFFERINTERNAL_H

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace tarvil::detail {

class TextBuffer {
 public:
  // Room for every value the writers make with ordinary precisions, full
  // precision included (up to 1e300 with its grouping), without the heap.
  static constexpr std::size_t kInline = 512;

  TextBuffer() noexcept { m_inline[0] = '\0'; }
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  char* data() { return m_data; }
  const char* data() const { return m_data; }
  std::size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }
  char operator[](std::size_t i) const { return m_data[i]; }
  char back() const { return m_data[m_size - 1]; }
  std::string_view view() const { return {m_data, m_size}; }
  // The text with a terminator behind it.
  const char* c_str() {
    Reserve(m_size + 1);
    m_data[m_size] = '\0';
    return m_data;
  }

  void clear() { m_size = 0; }
  void push_back(char c) {
    Reserve(m_size + 1);
    m_data[m_size++] = c;
  }
  void append(const char* s, std::size_t n) {
    if (n == 0) return;
    Reserve(m_size + n);
    std::memcpy(m_data + m_size, s, n);
    m_size += n;
  }
  void append(std::string_view s) { append(s.data(), s.size()); }
  // Shortens the text to `n` bytes (nothing when it is not longer).
  void truncate(std::size_t n) {
    if (n < m_size) m_size = n;
  }
  // Removes `n` bytes at `pos` (clamped to the text).
  void erase(std::size_t pos, std::size_t n) {
    if (n == 0 || pos >= m_size) return;
    if (n > m_size - pos) n = m_size - pos;
    std::memmove(m_data + pos, m_data + pos + n, m_size - pos - n);
    m_size -= n;
  }
  // Inserts `n` bytes of `s` before `pos` (at most the end). `s` must not
  // point into this buffer.
  void insert(std::size_t pos, const char* s, std::size_t n) {
    if (pos > m_size) pos = m_size;
    Reserve(m_size + n);
    std::memmove(m_data + pos + n, m_data + pos, m_size - pos);
    std::memcpy(m_data + pos, s, n);
    m_size += n;
  }
  // Room for `n` more bytes at the end; write them, then Commit how many.
  char* Grow(std::size_t n) {
    Reserve(m_size + n);
    return m_data + m_size;
  }
  void Commit(std::size_t n) { m_size += n; }

 private:
  void Reserve(std::size_t needed) {
    if (needed <= m_capacity) return;
    std::size_t cap = m_capacity * 2;
    if (cap < needed) cap = needed;
    std::unique_ptr<char[]> grown(new char[cap]);
    std::memcpy(grown.get(), m_data, m_size);
    m_heap = std::move(grown);
    m_data = m_heap.get();
    m_capacity = cap;
  }

  char m_inline[kInline];
  std::unique_ptr<char[]> m_heap;
  char* m_data = m_inline;
  std::size_t m_size = 0;
  std::size_t m_capacity = kInline;
};

}  // namespace tarvil::detail

#endif
