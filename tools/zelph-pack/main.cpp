// zelph-pack: builds the game's resource packs from a manifest, and lists, extracts and verifies packs.
// Packs are the same bytes on every run, and outputs are replaced atomically, so build rules can use it.
#include <cstdio>
#include <string>
#include <vector>

#include "config/pack_image.h"
#include "config/resource_pack.h"
#include "config/text.h"
#include "manifest.h"
#include "platform/file_io.h"
#include "verify.h"

namespace {

using namespace zelph;

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr char kHelp[] =
    R"(Usage: zelph-pack COMMAND ARGS

Commands:
  create OUT.pak MANIFEST [--depfile FILE]
                        build a pack from the resources the manifest lists; --depfile writes the
                        manifest's input files as a make-style dependency file (for build rules)
  list PACK             print the pack's title and directory
  extract PACK ID [OUT] write one resource's bytes (to standard output without OUT)
  verify PACK           read every resource as the game would, check the CRC-32s zelph-pack stored,
                        and check the description document and the documents it declares

The manifest, one resource per line (blank lines and lines starting with "#" or ";" are ignored):
  title TEXT                     the pack's title (up to 32 characters; default: OUT's name)
  IDENTIFIER NAME TYPE FILE      e.g.  0x3E8 about INO gui/about.ino
IDENTIFIER is decimal or 0x hexadecimal, 1 to 4294967295, unique in the pack. NAME (up to 63 bytes) and
TYPE (up to 7, e.g. INO, PNG, WAV, MOD) are single words; FILE is the rest of the line, relative to the
manifest's folder. The resource with the lowest identifier is the pack's description: a configuration
document (compile it with zelph-ino) whose section "main" holds "filter" (1.0), "type" (gui, game or sound),
"count" and the keys "1" to count naming the identifiers of the configuration documents the game loads.

Exit status: 0 success, 1 bad input or a problem found, 2 wrong usage.
)";

int Fail(const std::string& message) {
  std::fprintf(stderr, "zelph-pack: %s\n", message.c_str());
  return kFailed;
}

std::string DepfileEscape(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == ' ' || c == '#' || c == '\\') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

int Create(const std::string& out, const std::string& manifestPath, const std::string* depfile) {
  auto text = platform::ReadWholeFile(manifestPath);
  if (!text) return Fail("cannot read " + manifestPath);
  tools::Manifest manifest;
  std::string error;
  if (!tools::ParseManifest(std::string_view(reinterpret_cast<const char*>(text->data()), text->size()),
                            std::filesystem::path(manifestPath).parent_path(), manifest, error)) {
    return Fail(manifestPath + ": " + error);
  }
  std::vector<config::PackResource> resources;
  for (const auto& item : manifest.items) {
    auto bytes = platform::ReadWholeFile(item.file);
    if (!bytes) return Fail(manifestPath + ": line " + std::to_string(item.line) + ": cannot read " + item.file.string());
    resources.push_back({item.id, item.name, item.type, std::move(*bytes)});
  }
  std::string title = manifest.title.empty() ? std::filesystem::path(out).stem().string() : manifest.title;
  std::vector<std::uint8_t> pack;
  if (!config::BuildPack(std::move(resources), config::AnsiToWide(title), pack, error)) {
    return Fail(manifestPath + ": " + error);
  }
  if (!platform::WriteFileAtomically(out, pack)) return Fail("cannot write " + out);
  if (depfile) {
    std::string deps = DepfileEscape(out) + ":";
    for (const auto& item : manifest.items) deps += " \\\n  " + DepfileEscape(item.file.string());
    deps += "\n";
    if (!platform::WriteFileAtomically(*depfile, deps)) return Fail("cannot write " + *depfile);
  }
  return kOk;
}

int List(const std::string& path) {
  auto file = platform::ReadWholeFile(path);
  if (!file) return Fail("cannot read " + path);
  std::string error;
  auto image = config::ReadPackImage(*file, error);
  if (!image) return Fail(path + ": " + error);
  std::printf("title: %s\nresources: %zu\n", config::WideToAnsi(image->title).c_str(), image->entries.size());
  std::printf("%-12s %-7s %10s %10s  %s\n", "identifier", "type", "size", "packed", "name");
  for (const auto& e : image->entries) {
    std::printf("0x%08X   %-7s %10u %10u  %s\n", e.entry.id, e.type.c_str(), e.entry.size, e.entry.compressedSize,
                e.name.c_str());
  }
  return kOk;
}

int Extract(const std::string& path, const std::string& idText, const std::string* out) {
  std::uint32_t id = 0;
  if (!tools::ParseIdentifier(idText, id) || id == 0) return Fail("\"" + idText + "\" is not a resource identifier");
  config::ResourcePack pack;
  if (!pack.Open(path)) return Fail(path + ": not a readable pack");
  auto bytes = pack.Extract(id);
  if (!bytes) return Fail(path + ": resource " + idText + " is absent or cannot be extracted");
  if (out) return platform::WriteFileAtomically(*out, *bytes) ? kOk : Fail("cannot write " + *out);
  std::fwrite(bytes->data(), 1, bytes->size(), stdout);
  return std::fflush(stdout) == 0 ? kOk : kFailed;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args;
  std::string depfile;
  bool hasDepfile = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      std::fputs(kHelp, stdout);
      return kOk;
    }
    if (a == "--depfile" && i + 1 < argc) {
      depfile = argv[++i];
      hasDepfile = true;
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      std::fprintf(stderr, "zelph-pack: unknown or incomplete option %s (see --help)\n", a.c_str());
      return kUsage;
    } else {
      args.push_back(a);
    }
  }
  const std::string command = args.empty() ? "" : args[0];
  if (command == "create" && args.size() == 3) return Create(args[1], args[2], hasDepfile ? &depfile : nullptr);
  if (command == "list" && args.size() == 2) return List(args[1]);
  if (command == "extract" && (args.size() == 3 || args.size() == 4)) {
    return Extract(args[1], args[2], args.size() == 4 ? &args[3] : nullptr);
  }
  if (command == "verify" && args.size() == 2) {
    int problems = tools::VerifyPack(args[1]);
    return problems == 0 ? kOk : kFailed;
  }
  std::fprintf(stderr, "zelph-pack: expected create, list, extract or verify with their files (see --help)\n");
  return kUsage;
}
