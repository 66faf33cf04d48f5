// zelph-ino: turns the readable text form of configuration files into the game's ".ino" format and back.
// Output files are replaced atomically and are the same bytes on every run, so build rules can use it.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "config/ino_format.h"
#include "config/ino_text.h"
#include "config/scramble.h"
#include "platform/file_io.h"

namespace {

using namespace zelph;

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr char kHelp[] =
    R"(Usage: zelph-ino COMMAND ARGS [--scrambled]

Commands:
  compile TEXT OUT.ino     compile the text form to a configuration file (header, CRC-32, entries)
  decompile IN.ino [OUT]   write the text form of a configuration file (to standard output without OUT)
  check IN.ino             verify the file's CRC-32 and the layout of its entries

  --scrambled              the .ino file is scrambled with the game's built-in key, as the player's
                           "Settings.ino" and "PlugInData.ino" are; documents in resource packs are not
  TEXT may be "-" for standard input.

The text form:
  ; comment                  lines starting with ";" are ignored, as are blank lines
  [section]                  starts a section
  key=value                  the key is everything before the first "=", the value everything after it
                             up to the end of the line, both exactly as written: no spaces are trimmed
  Lines may end in LF or CR LF; bytes pass through unchanged (the game reads text as UTF-8).
  Key lines before the first section are kept in the file, but the game never sees them.

decompile writes sections separated by one blank line; compiling its output gives the same document.
The header's four filler words are written as zero, so the same text always gives the same bytes.
Exit status: 0 success, 1 bad input or a file that cannot be read or written, 2 wrong usage.
)";

bool ReadInput(const std::string& name, std::vector<std::uint8_t>& bytes) {
  if (name == "-") {
    std::string all((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    bytes.assign(all.begin(), all.end());
    return true;
  }
  auto read = platform::ReadWholeFile(name);
  if (!read) {
    std::fprintf(stderr, "zelph-ino: cannot read %s\n", name.c_str());
    return false;
  }
  bytes = std::move(*read);
  return true;
}

bool WriteOutput(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  if (platform::WriteFileAtomically(name, bytes)) return true;
  std::fprintf(stderr, "zelph-ino: cannot write %s\n", name.c_str());
  return false;
}

void Unscramble(std::vector<std::uint8_t>& bytes, bool scrambled) {
  if (scrambled && !bytes.empty()) config::Scramble(config::kScrambleKey, bytes.data(), bytes.size());
}

int Compile(const std::string& in, const std::string& out, bool scrambled) {
  std::vector<std::uint8_t> text;
  if (!ReadInput(in, text)) return kFailed;
  std::vector<std::uint8_t> image;
  std::string error;
  if (!config::CompileInoText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), image,
                              error)) {
    std::fprintf(stderr, "zelph-ino: %s: %s\n", in.c_str(), error.c_str());
    return kFailed;
  }
  Unscramble(image, scrambled);
  return WriteOutput(out, image) ? kOk : kFailed;
}

int Decompile(const std::string& in, const std::string* out, bool scrambled) {
  std::vector<std::uint8_t> image;
  if (!ReadInput(in, image)) return kFailed;
  Unscramble(image, scrambled);
  std::string text, error;
  if (!config::DecompileIno(image, text, error)) {
    std::fprintf(stderr, "zelph-ino: %s: %s\n", in.c_str(), error.c_str());
    return kFailed;
  }
  if (out) return WriteOutput(*out, std::vector<std::uint8_t>(text.begin(), text.end())) ? kOk : kFailed;
  std::fwrite(text.data(), 1, text.size(), stdout);
  return std::fflush(stdout) == 0 ? kOk : kFailed;
}

int Check(const std::string& in, bool scrambled) {
  std::vector<std::uint8_t> image;
  if (!ReadInput(in, image)) return kFailed;
  Unscramble(image, scrambled);
  const bool header = config::HasInoHeader(image);
  std::size_t sections = 0, keys = 0;
  auto count = [&](const config::InoEntry& e) {
    sections += e.kind == config::EntryKind::kSection;
    keys += e.kind == config::EntryKind::kKey && !(header && e.offset == 0);
  };
  std::string error;
  if (!config::VerifyInoImage(image, count, error)) {
    std::fprintf(stderr, "zelph-ino: %s: %s\n", in.c_str(), error.c_str());
    return kFailed;
  }
  std::printf("%s: %s, %zu sections, %zu keys\n", in.c_str(), header ? "checksum ok" : "no header (not checked)",
              sections, keys);
  return kOk;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args;
  bool scrambled = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      std::fputs(kHelp, stdout);
      return kOk;
    }
    if (a == "--scrambled") {
      scrambled = true;
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      std::fprintf(stderr, "zelph-ino: unknown option %s (see --help)\n", a.c_str());
      return kUsage;
    } else {
      args.push_back(a);
    }
  }
  const std::string command = args.empty() ? "" : args[0];
  if (command == "compile" && args.size() == 3) return Compile(args[1], args[2], scrambled);
  if (command == "decompile" && (args.size() == 2 || args.size() == 3)) {
    return Decompile(args[1], args.size() == 3 ? &args[2] : nullptr, scrambled);
  }
  if (command == "check" && args.size() == 2) return Check(args[1], scrambled);
  std::fprintf(stderr, "zelph-ino: expected compile, decompile or check with their files (see --help)\n");
  return kUsage;
}
