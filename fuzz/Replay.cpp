// Replays stored inputs through a fuzz target's entry point without libFuzzer:
// every file of the folders named (a missing folder is skipped), in name
// order. Built natively with the sanitizers, so a past finding that comes
// back fails the test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    if (!fs::is_directory(argv[i])) continue;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(argv[i])) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      std::fprintf(stderr, "%s\n", file.c_str());
      std::ifstream in(file, std::ios::binary);
      const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  std::printf("%zu inputs replayed\n", replayed);
  // Nothing replayed means the corpus is missing: the test proves nothing.
  return replayed ? 0 : 1;
}
