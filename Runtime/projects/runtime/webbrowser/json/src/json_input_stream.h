// A RapidJSON input stream over bytes in memory that yields code units of
// one encoding form (UTF-8 bytes, UTF-16 or UTF-32 units) in a given byte
// order. It reads nothing ahead: Tell() is the byte offset of the unit that
// Peek() shows, so an error offset names the unit at which the parser
// stopped. Past the end, and at a last unit cut short, Peek() and Take()
// give 0, which RapidJSON takes as the end; Tell() then says how far the
// input was really read. RapidJSON's reader works on this object itself
// (it makes no local copies of a stream without copy optimisation), so the
// text before the reader's position can be looked at from its handler.
// Not thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "tqjson/json_document.h"

namespace TQJSON {

enum class UnitByteOrder { kLittleEndian, kBigEndian, kNative };

template <typename Unit, UnitByteOrder kOrder>
class JsonInputStream {
 public:
  typedef Unit Ch;

  // Reads [begin + start, end); Tell() counts from `begin`.
  JsonInputStream(const std::uint8_t* begin, std::size_t start, const std::uint8_t* end)
      : begin_(begin), current_(begin + start), end_(end) {}

  Ch Peek() const { return HasUnit() ? Load(current_) : Ch(0); }
  Ch Take() {
    if (!HasUnit()) return Ch(0);
    const Ch unit = Load(current_);
    current_ += sizeof(Unit);
    return unit;
  }
  std::size_t Tell() const { return static_cast<std::size_t>(current_ - begin_); }

  // The run of units that pass `belongs` and ends where the stream stands,
  // as ASCII text (for UTF-8 input a view of the input; otherwise narrowed
  // into `scratch`).
  template <typename Belongs>
  std::string_view TextBefore(Belongs belongs, std::string* scratch) const {
    const std::uint8_t* start = current_;
    while (static_cast<std::size_t>(start - begin_) >= sizeof(Unit) && belongs(Load(start - sizeof(Unit)))) {
      start -= sizeof(Unit);
    }
    if constexpr (sizeof(Unit) == 1) {
      return std::string_view(reinterpret_cast<const char*>(start), static_cast<std::size_t>(current_ - start));
    } else {
      scratch->clear();
      for (const std::uint8_t* at = start; at < current_; at += sizeof(Unit)) {
        scratch->push_back(static_cast<char>(Load(at)));
      }
      return *scratch;
    }
  }

  // Output is not supported; RapidJSON's reader never writes to its input
  // unless it parses in place, which the library does not do.
  Ch* PutBegin() { return nullptr; }
  void Put(Ch) {}
  void Flush() {}
  std::size_t PutEnd(Ch*) { return 0; }

 private:
  bool HasUnit() const { return static_cast<std::size_t>(end_ - current_) >= sizeof(Unit); }

  static Ch Load(const std::uint8_t* at) {
    if constexpr (sizeof(Unit) == 1 || kOrder == UnitByteOrder::kNative) {
      Unit unit;
      std::memcpy(&unit, at, sizeof(Unit));
      return unit;
    } else {
      std::uint32_t value = 0;
      for (std::size_t i = 0; i < sizeof(Unit); ++i) {
        const std::size_t shift = kOrder == UnitByteOrder::kLittleEndian ? i : sizeof(Unit) - 1 - i;
        value |= std::uint32_t{at[i]} << (8 * shift);
      }
      return static_cast<Ch>(value);
    }
  }

  const std::uint8_t* begin_;
  const std::uint8_t* current_;
  const std::uint8_t* end_;
};

}  // namespace TQJSON
