#include "TestSupport.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace velmora::test {

ScratchDir::ScratchDir() {
  std::random_device random;
  auto dir = std::filesystem::temp_directory_path() / ("velmora-test-" + std::to_string(random()));
  std::filesystem::create_directories(dir);
  path_ = dir.string();
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool Exists(const std::string& path) { return std::filesystem::exists(std::filesystem::symlink_status(path)); }

}  // namespace velmora::test
