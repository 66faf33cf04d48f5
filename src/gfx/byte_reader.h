// Little-endian fields read from a block of bytes whose end is always checked: a read past the end gives 0
// and marks the reader failed, so a decoder can read a whole header and test once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zelph::gfx {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> data, std::size_t offset = 0)
      : data_(data), pos_(offset) {}

  bool Failed() const { return failed_; }
  std::size_t Position() const { return pos_; }
  std::size_t Remaining() const { return pos_ < data_.size() ? data_.size() - pos_ : 0; }

  void Seek(std::size_t offset) {
    if (offset > data_.size()) {
      Fail();
      return;
    }
    pos_ = offset;
  }
  void Skip(std::size_t count) {
    if (count > Remaining()) {
      Fail();
      return;
    }
    pos_ += count;
  }

  std::uint8_t U8() {
    if (Remaining() < 1) return Fail();
    return data_[pos_++];
  }
  std::uint16_t U16() {
    if (Remaining() < 2) return Fail();
    const auto v = static_cast<std::uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
  }
  std::uint32_t U32() {
    if (Remaining() < 4) return Fail();
    const std::uint32_t v = data_[pos_] | data_[pos_ + 1] << 8 | data_[pos_ + 2] << 16 |
                            static_cast<std::uint32_t>(data_[pos_ + 3]) << 24;
    pos_ += 4;
    return v;
  }
  std::int32_t S32() { return static_cast<std::int32_t>(U32()); }

  // The next `count` bytes, or an empty span (and failure) when they are not all there.
  std::span<const std::uint8_t> Bytes(std::size_t count) {
    if (Remaining() < count) {
      Fail();
      return {};
    }
    auto out = data_.subspan(pos_, count);
    pos_ += count;
    return out;
  }

 private:
  std::uint8_t Fail() {
    failed_ = true;
    pos_ = data_.size();
    return 0;
  }

  std::span<const std::uint8_t> data_;
  std::size_t pos_;
  bool failed_ = false;
};

}  // namespace zelph::gfx
