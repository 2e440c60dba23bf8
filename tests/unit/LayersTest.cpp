// The product's folders include one another only downwards, as the README's
// layer table orders them: a file may include its own folder and the folders
// of the rows below, never its own row or a row above. The table is read from
// the README itself, so the two cannot drift apart.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = VELMORA_SOURCE_DIR;

// Folder name to row, 0 for the bottom row. Rows are the table lines under
// the heading "### Layers", top row first; a row's folders are its backticked
// names ending in '/'.
std::map<std::string, int> ReadLayerTable(const std::string& readme) {
  std::istringstream lines(readme);
  std::string line;
  bool inSection = false;
  std::vector<std::vector<std::string>> rows;
  const std::regex folder("`([a-z0-9_]+)/`");
  while (std::getline(lines, line)) {
    if (line.rfind("#", 0) == 0) {
      if (inSection) break;
      inSection = line == "### Layers";
      continue;
    }
    if (!inSection || line.rfind("|", 0) != 0) continue;
    // The second cell names the folders.
    const auto first = line.find('|', 1);
    const auto second = first == std::string::npos ? first : line.find('|', first + 1);
    if (second == std::string::npos) continue;
    const std::string cell = line.substr(first + 1, second - first - 1);
    std::vector<std::string> names;
    for (std::sregex_iterator it(cell.begin(), cell.end(), folder), end; it != end; ++it)
      names.push_back((*it)[1]);
    if (!names.empty()) rows.push_back(names);
  }
  std::map<std::string, int> rank;
  for (size_t i = 0; i < rows.size(); ++i)
    for (const auto& name : rows[i]) rank[name] = static_cast<int>(rows.size() - 1 - i);
  return rank;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every wrong include as "file:line: text (why)".
std::vector<std::string> IncludesAgainstTheLayers(const std::map<std::string, int>& rank) {
  std::vector<std::string> wrong;
  const std::regex include(R"(^\s*#\s*include\s*"([a-z0-9_]+)/)");
  for (const auto& [folder, row] : rank) {
    if (!fs::is_directory(kSource / folder)) {
      wrong.push_back(folder + "/: in the layer table but not in the source tree");
      continue;
    }
    for (const auto& entry : fs::recursive_directory_iterator(kSource / folder)) {
      const auto extension = entry.path().extension();
      if (extension != ".cpp" && extension != ".h") continue;
      std::istringstream lines(ReadText(entry.path()));
      std::string line;
      for (int number = 1; std::getline(lines, line); ++number) {
        std::smatch match;
        if (!std::regex_search(line, match, include)) continue;
        const std::string target = match[1];
        const auto found = rank.find(target);
        if (target == folder || found == rank.end() || found->second < row) continue;
        wrong.push_back(fs::relative(entry.path(), kSource).generic_string() + ":" + std::to_string(number) +
                        ": " + line + (found->second == row ? "  (a folder of its own row)" : "  (a row above)"));
      }
    }
  }
  return wrong;
}

TEST(FolderLayers, EveryProductFolderHasARowAndIncludesOnlyTheRowsBelow) {
  const auto rank = ReadLayerTable(ReadText(kSource / "README.md"));
  ASSERT_GE(rank.size(), 5u) << "no layer table under \"### Layers\" in README.md";
  EXPECT_EQ(rank.at("base"), 0);
  EXPECT_GT(rank.at("app"), rank.at("ui"));

  // A folder of product code must be placed in the table.
  const std::set<std::string> notProduct = {"tests", "bench", "fuzz", "build", "cmake", "scripts", "resources"};
  for (const auto& entry : fs::directory_iterator(kSource)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_directory() || name.front() == '.' || notProduct.count(name) || rank.count(name)) continue;
    for (const auto& file : fs::recursive_directory_iterator(entry.path()))
      if (file.path().extension() == ".cpp" || file.path().extension() == ".h") {
        ADD_FAILURE() << name << "/ holds product code but has no row in README.md's layer table";
        break;
      }
  }

  const auto wrong = IncludesAgainstTheLayers(rank);
  std::string report;
  for (const auto& line : wrong) report += "\n  " + line;
  EXPECT_TRUE(wrong.empty()) << "includes that go up or sideways in the layer table:" << report;
}

TEST(FolderLayers, TheTableIsReadByRowsTopFirst) {
  const auto rank = ReadLayerTable(
      "# Title\n### Layers\n| Row | Folders | Holds |\n|---|---|---|\n| 1 | `app/`, `setup/` | top |\n"
      "| 2 | `ui/` (see `Form`) | windows |\n| 3 | `base/` | bottom |\n## Next\n| 4 | `later/` | |\n");
  EXPECT_EQ(rank, (std::map<std::string, int>{{"app", 2}, {"setup", 2}, {"ui", 1}, {"base", 0}}));
}

}  // namespace
}  // namespace velmora
