#include "fuzz/FuzzSupport.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/MemoryLimit.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_FUZZ_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_FUZZ_ASAN 1
#endif

#ifdef VELMORA_FUZZ_ASAN
// The sanitizer runtime's interface (GCC ships no header of it).
extern "C" {
std::size_t __sanitizer_get_current_allocated_bytes();
int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, std::size_t),
                                              void (*freeHook)(const volatile void*));
void __sanitizer_print_stack_trace();
}
#endif

namespace velmora::fuzz {
namespace {

std::atomic<std::size_t> heapLimit{0};  // 0 while no input is being read

void Say(const char* text) {
  [[maybe_unused]] const ssize_t n = write(2, text, std::strlen(text));
}

#ifdef VELMORA_FUZZ_ASAN
// Runs inside malloc: no allocation, no stdio.
void WatchMalloc(const volatile void*, std::size_t) {
  const std::size_t limit = heapLimit.load(std::memory_order_relaxed);
  if (limit && __sanitizer_get_current_allocated_bytes() > limit) {
    heapLimit.store(0);
    Say("==velmora-fuzz== the reader took more heap than twice its memory cap\n");
    __sanitizer_print_stack_trace();
    std::abort();
  }
}
void WatchFree(const volatile void*) {}
#endif

std::string ScratchPath() {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/velmora-fuzz-" + std::to_string(getpid());
}

struct Process {
  Process() : scratch(ScratchPath()) {
    LimitAvailableMemory(kMemoryCap);
#ifdef VELMORA_FUZZ_ASAN
    __sanitizer_install_malloc_and_free_hooks(WatchMalloc, WatchFree);
#endif
  }
  ~Process() { std::remove(scratch.c_str()); }
  std::string scratch;
};

Process& TheProcess() {
  static Process process;
  return process;
}

}  // namespace

Input::Input(const std::uint8_t* data, std::size_t size)
    : bytes_(reinterpret_cast<const char*>(data), size) {
  TheProcess();
#ifdef VELMORA_FUZZ_ASAN
  heapLimit.store(__sanitizer_get_current_allocated_bytes() + 2 * kMemoryCap + size);
#endif
}

Input::~Input() { EndWatch(); }

void Input::EndWatch() const { heapLimit.store(0); }

const std::string& ScratchFile(std::string_view bytes) {
  const std::string& path = TheProcess().scratch;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0) {
    std::perror(path.c_str());
    std::abort();
  }
  return path;
}

void Fail(const char* what) {
  heapLimit.store(0);
  Say("==velmora-fuzz== ");
  Say(what);
  Say("\n");
  std::abort();
}

}  // namespace velmora::fuzz

#ifdef VELMORA_FUZZ_ASAN
// Fresh memory is filled with 0xBE however large, so a pixel a reader leaves
// unset is seen.
extern "C" const char* __asan_default_options() { return "max_malloc_fill_size=2147483647"; }
#endif
