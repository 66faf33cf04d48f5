// The "docs" job: a GUI document's text for each build (see doc_variants.h), written as
// <out>/<build>/docs/<description name>.txt for zelph-ino to compile.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "doc_variants.h"
#include "jobs.h"

namespace zelph::assetgen {

bool RunDocsJob(const JobOptions& options, std::string& error) {
  std::ifstream in(options.description, std::ios::binary);
  if (!in) {
    error = "cannot read " + options.description;
    return false;
  }
  const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string stem = std::filesystem::path(options.description).stem().string();
  for (auto [name, build] : {std::pair{"vga", Build::kVga}, {"qvga", Build::kQvga}}) {
    std::string text;
    if (!DeriveDocument(source, build, text, error)) {
      error = options.description + ": " + error;
      return false;
    }
    const std::filesystem::path dir = std::filesystem::path(options.outDir) / name / "docs";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const std::filesystem::path path = dir / (stem + ".txt");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
      error = "cannot write " + path.string();
      return false;
    }
  }
  return true;
}

}  // namespace zelph::assetgen
