#pragma once
// TSentenceText: the text one call builds, sentence by sentence. It is sized once for the whole
// cycle and grows without zero-filling each sentence's room; the caller gets it as one
// std::string at the end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace norv {

class TSentenceText {
 public:
  // Room: the bytes the cycle is expected to take; more is allowed and costs a reallocation.
  explicit TSentenceText(std::size_t Room) { FText.resize(Room); }

  std::size_t size() const { return FSize; }
  const char* data() const { return FText.data(); }

  // Where the next Room bytes may be written; they count once committed.
  char* Room(std::size_t Bytes) {
    if (FText.size() - FSize < Bytes) Enlarge(Bytes);
    return FText.data() + FSize;
  }
  // Everything written before End belongs to the text, which now ends with a sentence whose
  // checksum is Checksum.
  void Commit(const char* End, std::uint8_t Checksum) {
    FSize = static_cast<std::size_t>(End - FText.data());
    FLastChecksum = Checksum;
  }
  // The checksum of the sentence committed last.
  std::uint8_t LastChecksum() const { return FLastChecksum; }

  // The text, without the unused room.
  std::string Release() && {
    FText.resize(FSize);
    return std::move(FText);
  }

 private:
  void Enlarge(std::size_t Bytes);

  std::string FText;
  std::size_t FSize = 0;
  std::uint8_t FLastChecksum = 0;
};

}  // namespace norv
