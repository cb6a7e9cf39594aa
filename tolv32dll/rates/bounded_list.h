// Small containers held in place, for the tables a rating copies: a list of at most N
// values and a text of at most N characters. Neither touches the heap, so a table built
// from them copies as one block.
#ifndef TOLV32DLL_RATES_BOUNDED_LIST_H_
#define TOLV32DLL_RATES_BOUNDED_LIST_H_

#include <algorithm>
#include <array>
#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>
#include <initializer_list>
#include <ostream>
#include <ranges>
#include <string_view>

namespace tolv {

// At most N values; values past the room are dropped (every table here has a fixed room).
template <class T, std::size_t N>
class BoundedList {
 public:
  using value_type = T;
  using iterator = T*;
  using const_iterator = const T*;

  BoundedList() = default;
  BoundedList(std::initializer_list<T> values) { assign(values.begin(), values.end()); }
  BoundedList& operator=(std::initializer_list<T> values) {
    assign(values.begin(), values.end());
    return *this;
  }
  template <std::ranges::input_range R>
    requires(!std::same_as<std::remove_cvref_t<R>, BoundedList> &&
             std::convertible_to<std::ranges::range_reference_t<const R&>, T>)
  BoundedList& operator=(const R& values) {
    assign(std::ranges::begin(values), std::ranges::end(values));
    return *this;
  }

  template <class It>
  void assign(It first, It last) {
    size_ = 0;
    for (; first != last && size_ < N; ++first) items_[size_++] = *first;
  }
  void push_back(const T& value) {
    if (size_ < N) items_[size_++] = value;
  }
  // Builds the value in its place: a value built byte by byte and then copied whole would
  // wait for its bytes to reach memory.
  template <class... Args>
  void emplace_back(Args&&... args) {
    static_assert(std::is_trivially_destructible_v<T>);
    if (size_ < N) std::construct_at(&items_[size_++], std::forward<Args>(args)...);
  }
  // Shrinks, or grows with copies of value.
  void resize(std::size_t n, const T& value = T()) {
    n = std::min(n, N);
    for (std::size_t i = size_; i < n; ++i) items_[i] = value;
    size_ = n;
  }
  void clear() { size_ = 0; }

  static constexpr std::size_t capacity() { return N; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T& operator[](std::size_t i) { return items_[i]; }
  const T& operator[](std::size_t i) const { return items_[i]; }
  T* data() { return items_.data(); }
  const T* data() const { return items_.data(); }
  T* begin() { return items_.data(); }
  T* end() { return items_.data() + size_; }
  const T* begin() const { return items_.data(); }
  const T* end() const { return items_.data() + size_; }

  friend bool operator==(const BoundedList& a, const BoundedList& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }

 private:
  std::array<T, N> items_{};
  std::size_t size_ = 0;
};

// At most N characters; longer text is cut.
template <std::size_t N>
class ShortText {
 public:
  static_assert(N < 256);
  static constexpr std::size_t kMaxLength = N;
  ShortText() = default;
  template <class S>
    requires std::convertible_to<const S&, std::string_view>
  ShortText(const S& text) {  // NOLINT: converts like the text it holds
    const std::string_view v = text;
    size_ = static_cast<std::uint8_t>(std::min(v.size(), N));
    std::copy_n(v.data(), size_, chars_.data());
  }
  // The text of a NUL-padded field of at most N characters: up to its first NUL.
  template <std::size_t M>
    requires(M <= N)
  explicit ShortText(const std::array<char, M>& field) {
    if constexpr (M < sizeof(std::uint64_t) && std::endian::native == std::endian::little) {
      // The field taken as one word: its first NUL byte (the word's top byte is one) ends
      // the text, and the bytes past it are masked off.
      std::uint64_t word = 0;
      std::memcpy(&word, field.data(), M);
      constexpr std::uint64_t kLow = 0x0101010101010101u;
      const std::uint64_t nul_bytes = (word - kLow) & ~word & (kLow << 7);
      const std::size_t n = static_cast<std::size_t>(std::countr_zero(nul_bytes)) / 8;
      word &= (std::uint64_t{1} << (8 * n)) - 1;
      std::memcpy(chars_.data(), &word, M);
      size_ = static_cast<std::uint8_t>(n);
    } else {
      std::size_t n = 0;
      while (n < M && field[n] != '\0') ++n;
      std::copy_n(field.data(), n, chars_.data());
      size_ = static_cast<std::uint8_t>(n);
    }
  }

  std::string_view view() const { return std::string_view(chars_.data(), size_); }
  // The text as one number: equal texts, equal keys. Characters past the size stay 0.
  std::uint64_t Key() const {
    static_assert(sizeof(ShortText) <= sizeof(std::uint64_t));
    std::uint64_t key = 0;
    std::memcpy(&key, this, sizeof(ShortText));
    return key;
  }
  operator std::string_view() const { return view(); }  // NOLINT
  bool empty() const { return size_ == 0; }
  std::size_t size() const { return size_; }

  friend bool operator==(const ShortText& a, const ShortText& b) { return a.view() == b.view(); }
  friend std::ostream& operator<<(std::ostream& out, const ShortText& t) { return out << t.view(); }

 private:
  std::array<char, N> chars_{};
  std::uint8_t size_ = 0;
};

}  // namespace tolv

#endif  // TOLV32DLL_RATES_BOUNDED_LIST_H_
