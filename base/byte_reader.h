// Little-endian fields of a block of bytes, read without ever leaving it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace sw {

// True when `count` bytes at `offset` lie inside `size` bytes. Never overflows, whatever the values.
constexpr bool FitsIn(std::uint64_t size, std::uint64_t offset, std::uint64_t count) {
  return offset <= size && count <= size - offset;
}

// Raw forms for the caller that has already checked the bytes (inside one row, inside a header it sized).
inline std::uint16_t LoadLe16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}
inline std::uint32_t LoadLe32(const std::uint8_t* at) {
  return std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16 |
         std::uint32_t{at[3]} << 24;
}
inline void StoreLe16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}
inline void StoreLe32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Reads at an offset (...At) or at a cursor that moves past what it read. A read that would leave the bytes
// is not made: it gives 0 (an empty span) and leaves the cursor where it was. It also marks the reader
// failed, and from then on every read gives 0: a run of reads can be checked once, after the last of them.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }
  bool failed() const { return failed_; }
  bool Fits(std::uint64_t offset, std::uint64_t count) const { return FitsIn(bytes_.size(), offset, count); }

  std::uint8_t U8At(std::uint64_t offset) { return Check(offset, 1) ? *Address(offset) : 0; }
  std::uint16_t U16At(std::uint64_t offset) { return Check(offset, 2) ? LoadLe16(Address(offset)) : 0; }
  std::uint32_t U32At(std::uint64_t offset) { return Check(offset, 4) ? LoadLe32(Address(offset)) : 0; }
  std::int32_t I32At(std::uint64_t offset) { return static_cast<std::int32_t>(U32At(offset)); }
  std::span<const std::uint8_t> BytesAt(std::uint64_t offset, std::uint64_t count) {
    if (!Check(offset, count)) return {};
    return bytes_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(count));
  }

  std::size_t position() const { return position_; }
  std::size_t remaining() const { return bytes_.size() - position_; }
  std::span<const std::uint8_t> Rest() const { return bytes_.subspan(position_); }
  std::uint8_t U8() { return Move(U8At(position_), 1); }
  std::uint16_t U16() { return Move(U16At(position_), 2); }
  std::uint32_t U32() { return Move(U32At(position_), 4); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  std::span<const std::uint8_t> Take(std::uint64_t count) { return Move(BytesAt(position_, count), count); }
  bool Skip(std::uint64_t count) { return Move(Check(position_, count), count); }

 private:
  bool Check(std::uint64_t offset, std::uint64_t count) {
    if (!failed_ && Fits(offset, count)) return true;
    failed_ = true;
    return false;
  }
  const std::uint8_t* Address(std::uint64_t offset) const {
    return bytes_.data() + static_cast<std::size_t>(offset);
  }
  // Past a read that was made; after a refused one failed_ is set and the cursor stays.
  template <typename T>
  T Move(T value, std::uint64_t count) {
    if (!failed_) position_ += static_cast<std::size_t>(count);
    return value;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
  bool failed_ = false;
};

}  // namespace sw
