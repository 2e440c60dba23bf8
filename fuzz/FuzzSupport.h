#pragma once
// What the fuzz targets share. Each target is one LLVMFuzzerTestOneInput that
// hands the input to a real reader; the readers' own errors (velmora::Error)
// are expected answers, anything else (a crash, a sanitizer report, a check
// below) is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::fuzz {

// The memory the readers are told they may take: a picture claiming more
// must be refused before it is allocated.
inline constexpr std::uint64_t kMemoryCap = 4ull << 20;

// `bytes` as this process's scratch file; its path.
const std::string& ScratchFile(std::string_view bytes);

// Sets the cap and the heap watch once per process; then, until the input
// is done, the heap may not grow by more than twice the cap (the picture and
// the codec's own buffers), else the input is reported as a finding.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size);
  ~Input();
  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;

  std::string_view Bytes() const { return bytes_; }
  // Ends the heap watch: what a target checks after the reader is done may
  // take more.
  void EndWatch() const;
  // The input written to this process's scratch file, for readers that take
  // a path.
  const std::string& File() const { return ScratchFile(bytes_); }

 private:
  std::string_view bytes_;
};

// Reports a broken property of a reader and aborts: a finding.
[[noreturn]] void Fail(const char* what);

}  // namespace velmora::fuzz
