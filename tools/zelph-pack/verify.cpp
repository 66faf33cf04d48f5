#include "verify.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "config/config_document.h"
#include "config/ino_format.h"
#include "config/pack_image.h"
#include "config/resource_pack.h"
#include "platform/file_io.h"

namespace zelph::tools {

namespace {

struct Report {
  std::string pack;
  int problems = 0;
  void Problem(const std::string& what) {
    std::fprintf(stderr, "zelph-pack: %s: %s\n", pack.c_str(), what.c_str());
    ++problems;
  }
};

std::string Id(std::uint32_t id) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%X (%u)", id, id);
  return text;
}

// The description document: "main" with "filter", "type", "count" and the documents it declares.
void CheckDescription(config::ResourcePack& pack, Report& report) {
  const std::uint32_t lowest = pack.Range().first;
  auto bytes = pack.Extract(lowest);
  if (!bytes) return report.Problem("description " + Id(lowest) + " cannot be extracted");
  config::ConfigDocument about;
  if (about.LoadMemory(std::move(*bytes)) < 0) {
    return report.Problem("description " + Id(lowest) + " is not a configuration document");
  }
  const config::ConfigSection* main = about.FindSection("main");
  if (!main) return report.Problem("description has no section \"main\"");
  for (const char* key : {"filter", "type", "count"}) {
    if (!main->GetRaw(key)) report.Problem(std::string("description lacks \"") + key + "\"");
  }
  const std::int32_t count = main->GetInt("count", 0);
  for (std::int32_t i = 1; i <= count && i <= config::kMaxListCount; ++i) {
    std::string key = std::to_string(i);
    std::uint32_t id = main->GetNumber(key, 0);
    if (id == 0) {
      report.Problem("description key \"" + key + "\" is missing or 0");
      continue;
    }
    auto doc = pack.Extract(id);
    config::ConfigDocument check;
    if (!doc || check.LoadMemory(std::move(*doc)) < 0) {
      report.Problem("declared document " + Id(id) + " is missing or not a configuration document");
    }
  }
  std::printf("%s: description: filter \"%s\", type \"%s\", %d documents\n", report.pack.c_str(),
              main->GetRaw("filter") ? main->GetRaw("filter") : "", main->GetRaw("type") ? main->GetRaw("type") : "",
              count);
}

// Resource data must lie after the directory and no two resources may share bytes: the tools never write
// such a pack, and checking one would inflate the same bytes over and over. True when the layout is sound.
bool CheckLayout(const config::PackImage& image, Report& report) {
  std::vector<const config::PackImageEntry*> byOffset;
  for (const auto& e : image.entries) byOffset.push_back(&e);
  std::stable_sort(byOffset.begin(), byOffset.end(),
                   [](const auto* a, const auto* b) { return a->entry.offset < b->entry.offset; });
  const std::uint64_t dataStart = config::kPackHeaderSize + config::kPackEntrySize * image.entries.size();
  const int before = report.problems;
  std::uint64_t end = dataStart;
  const config::PackImageEntry* previous = nullptr;
  for (const auto* e : byOffset) {
    if (e->entry.offset < end) {
      report.Problem("resource " + Id(e->entry.id) + " (" + e->name + ") shares bytes with " +
                     (previous ? "resource " + Id(previous->entry.id) : std::string("the directory")));
    }
    if (std::uint64_t last = std::uint64_t{e->entry.offset} + e->entry.compressedSize; last > end) {
      end = last;
      previous = e;
    }
  }
  return report.problems == before;
}

}  // namespace

int VerifyPack(const std::filesystem::path& path) {
  Report report{path.string()};
  auto file = platform::ReadWholeFile(path);
  if (!file) {
    std::fprintf(stderr, "zelph-pack: cannot read %s\n", report.pack.c_str());
    return -1;
  }
  std::string error;
  auto image = config::ReadPackImage(*file, error);
  if (!image) {
    report.Problem(error);
    return report.problems;
  }
  if (!CheckLayout(*image, report)) return report.problems;
  config::ResourcePack pack;
  if (!pack.Open(path)) {
    report.Problem("the game would not open this pack");
    return report.problems;
  }
  for (const auto& e : image->entries) {
    auto bytes = pack.Extract(e.entry.id);
    if (!bytes) {
      report.Problem("resource " + Id(e.entry.id) + " (" + e.name + ") does not inflate to its size");
    } else if (image->signed_ && config::Crc32(*bytes) != e.entry.reserved) {
      report.Problem("resource " + Id(e.entry.id) + " (" + e.name + ") fails its CRC-32");
    }
  }
  if (image->entries.empty()) {
    report.Problem("the pack is empty and has no description");
  } else {
    CheckDescription(pack, report);
  }
  std::printf("%s: %zu resources, %s\n", report.pack.c_str(), image->entries.size(),
              report.problems == 0 ? "ok" : "PROBLEMS FOUND");
  return report.problems;
}

}  // namespace zelph::tools
