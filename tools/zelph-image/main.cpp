// zelph-image: shows any picture the game can read as a PNG, exactly as the game decodes it, and writes
// pictures in the game's own "eBM" format for the asset pipeline and for modders.
#include <png.h>

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/ebm_format.h"
#include "gfx/image_decode.h"
#include "gfx/png_writer.h"
#include "platform/file_io.h"

namespace {

using namespace zelph;
using namespace zelph::gfx;

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr int kDiffer = 3;

constexpr char kHelp[] =
    R"(Usage: zelph-image COMMAND ARGS

Commands:
  decode IN OUT.png      write IN ("eBM" "565" or "8GA", PNG or BMP) as a PNG of the pixels the game
                         draws: colour pictures are the game's RGB 565 pixels widened back to 8 bits
                         (R = p >> 8 & 0xF8, G = p >> 3 & 0xFC, B = p << 3 & 0xF8), "8GA" alpha pictures
                         are grey PNGs of the weight the game reads (the green channel)
  encode IN OUT [--8ga] [--frames N [--frame-width W]] [--key R,G,B]
                         write IN (any picture decode reads) as an "eBM" picture
    --8ga                a grey alpha picture: from IN's alpha channel when it has one (a PNG with
                         transparency), else from its green channel; otherwise "565" colour
    --frames N           the picture is a strip of N animation frames side by side (default 1)
    --frame-width W      the width of one frame (default: the picture's width divided by N)
    --key R,G,B          the colour key kept in the header (default 255,0,255)

  compare A B            compare two pictures pixel by pixel as the game decodes them

Exit status: 0 success (compare: the same pixels), 1 a picture that cannot be read or a file that cannot
be written, 2 wrong usage, 3 (compare) the pictures differ.
)";

int Usage(const std::string& message) {
  std::fprintf(stderr, "zelph-image: %s\nTry 'zelph-image --help'.\n", message.c_str());
  return kUsage;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "zelph-image: %s\n", message.c_str());
  return kFailed;
}

std::string Describe(Result r) {
  if (r == GFX_E_BAD_IMAGE) return "not a picture the game can read (eBM \"565\" or \"8GA\", PNG, BMP)";
  if (r == E_OUTOFMEMORY) return "too large to decode";
  char text[32];
  std::snprintf(text, sizeof text, "cannot be decoded (0x%08X)", static_cast<unsigned>(r));
  return text;
}

// A picture file decoded as the game decodes it, in a graphics context of its own.
struct Picture {
  Picture() { context.MarkOpen(DisplayProperties::Rgb565(1, 1)); }

  bool Load(const std::string& path, std::uint32_t flags, std::string& error) {
    std::optional<std::vector<std::uint8_t>> read = platform::ReadWholeFile(path);
    if (!read) {
      error = "cannot read " + path;
      return false;
    }
    bytes = std::move(*read);
    if (Result r = DecodeImage(surface, bytes, flags); Failed(r)) {
      error = path + ": " + Describe(r);
      return false;
    }
    return true;
  }

  GraphicsContext context;
  Surface surface{context};
  std::vector<std::uint8_t> bytes;
};

// The alpha byte the game would weigh this grey pixel with: its green channel, widened.
std::uint8_t GreyLevel(Pixel p) {
  const unsigned green = (p >> 5) & 0x3F;
  return static_cast<std::uint8_t>(green << 2 | green >> 4);
}

// Pixel by pixel as the game decodes them, so that two encodings of the same picture compare equal.
int Compare(const std::string& a, const std::string& b) {
  Picture first, second;
  std::string error;
  if (!first.Load(a, 0, error) || !second.Load(b, 0, error)) return Fail(error);
  const Surface& p = first.surface;
  const Surface& q = second.surface;
  if (p.Width() != q.Width() || p.Height() != q.Height()) {
    std::fprintf(stderr, "zelph-image: %dx%d against %dx%d\n", p.Width(), p.Height(), q.Width(), q.Height());
    return kDiffer;
  }
  long differing = 0;
  int firstX = -1, firstY = -1;
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      if (p.Row(y)[x] == q.Row(y)[x]) continue;
      if (differing++ == 0) firstX = x, firstY = y;
    }
  }
  if (differing == 0) return kOk;
  std::fprintf(stderr, "zelph-image: %ld pixels differ, the first at %d,%d\n", differing, firstX, firstY);
  return kDiffer;
}

int Decode(const std::string& in, const std::string& out) {
  Picture loaded;
  std::string error;
  if (!loaded.Load(in, 0, error)) return Fail(error);
  const Surface& picture = loaded.surface;
  const std::optional<EbmHeader> header = ReadEbmHeader(loaded.bytes);
  const bool grey = header && header->format == EbmFormat::k8ga;
  // Row by row: a large picture costs its surface and one row, not a second copy of itself.
  auto rowAt = [&](int y, std::uint8_t* samples) {
    const Pixel* row = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x) {
      if (grey) {
        samples[x] = static_cast<std::uint8_t>((row[x] >> 3) & 0xFC);
        continue;
      }
      const Color c = PixelToColor(row[x]);
      samples[3 * x] = static_cast<std::uint8_t>(c & 0xFF);
      samples[3 * x + 1] = static_cast<std::uint8_t>((c >> 8) & 0xFF);
      samples[3 * x + 2] = static_cast<std::uint8_t>((c >> 16) & 0xFF);
    }
  };
  if (!WritePngRows(out, picture.Width(), picture.Height(), grey ? 1 : 3, rowAt)) {
    return Fail("cannot write " + out);
  }
  return kOk;
}

bool ParseNumber(std::string_view text, std::uint32_t& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

bool ParseKey(std::string_view text, Color& key) {
  std::uint32_t rgb[3];
  for (int i = 0; i < 3; ++i) {
    const std::size_t comma = i < 2 ? text.find(',') : text.size();
    if (comma == std::string_view::npos || !ParseNumber(text.substr(0, comma), rgb[i]) || rgb[i] > 255) {
      return false;
    }
    text.remove_prefix(i < 2 ? comma + 1 : comma);
  }
  key = rgb[0] | rgb[1] << 8 | rgb[2] << 16;
  return true;
}

// Whether a PNG carries transparency (an alpha channel or a transparency chunk).
bool PngHasAlpha(const std::vector<std::uint8_t>& bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
  const bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  png_image_free(&image);
  return alpha;
}

struct EncodeOptions {
  bool grey = false;
  std::uint32_t frames = 1;
  std::optional<std::uint32_t> frameWidth;
  Color key = kMagenta;
};

int Encode(const std::string& in, const std::string& out, const EncodeOptions& options) {
  Picture loaded;
  std::string error;
  if (!loaded.Load(in, 0, error)) return Fail(error);
  if (options.grey && DetectImageFormat(loaded.bytes) == ImageFormat::kPng && PngHasAlpha(loaded.bytes) &&
      !loaded.Load(in, kLoadAlphaAsGrey, error)) {
    return Fail(error);
  }
  const Surface& picture = loaded.surface;

  EbmHeader header;
  header.format = options.grey ? EbmFormat::k8ga : EbmFormat::k565;
  header.width = static_cast<std::uint32_t>(picture.Width());
  header.height = static_cast<std::uint32_t>(picture.Height());
  header.frames = options.frames;
  header.frameWidth = options.frameWidth.value_or(header.width / options.frames);
  header.colorKey = options.key;
  if (!options.frameWidth && header.width % options.frames != 0) {
    return Fail(in + ": " + std::to_string(header.width) + " columns do not split into " +
                std::to_string(options.frames) + " frames; give --frame-width");
  }
  if (header.frameWidth == 0 || std::uint64_t{header.frameWidth} * header.frames > header.width) {
    return Fail(in + ": " + std::to_string(header.frames) + " frames of " +
                std::to_string(header.frameWidth) + " columns do not fit its " +
                std::to_string(header.width) + " columns");
  }

  std::vector<std::uint8_t> pixels;
  if (options.grey) {
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) pixels.push_back(GreyLevel(picture.Row(y)[x]));
    }
  } else {
    pixels = Ebm565Pixels(picture);
  }
  if (!platform::WriteFileAtomically(out, WriteEbm(header, pixels))) return Fail("cannot write " + out);
  return kOk;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage("missing command");
  if (args[0] == "--help" || args[0] == "-h") {
    std::fputs(kHelp, stdout);
    return kOk;
  }
  if (args[0] == "decode") {
    if (args.size() != 3) return Usage("decode takes IN and OUT.png");
    return Decode(args[1], args[2]);
  }
  if (args[0] == "compare") {
    if (args.size() != 3) return Usage("compare takes two pictures");
    return Compare(args[1], args[2]);
  }
  if (args[0] != "encode") return Usage("unknown command '" + args[0] + "'");

  std::vector<std::string> files;
  EncodeOptions options;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--8ga") {
      options.grey = true;
    } else if (a == "--frames" || a == "--frame-width" || a == "--key") {
      if (!hasValue) return Usage(a + " needs a value");
      const std::string& v = args[++i];
      std::uint32_t n = 0;
      if (a == "--key") {
        if (!ParseKey(v, options.key)) return Usage("--key takes R,G,B with each 0 to 255, not '" + v + "'");
      } else if (!ParseNumber(v, n) || n == 0 || n > static_cast<std::uint32_t>(kMaxImageSide)) {
        return Usage(a + " takes a number from 1 to " + std::to_string(kMaxImageSide) + ", not '" + v + "'");
      } else if (a == "--frames") {
        options.frames = n;
      } else {
        options.frameWidth = n;
      }
    } else if (a.starts_with("--")) {
      return Usage("unknown option '" + a + "'");
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) return Usage("encode takes IN and OUT");
  return Encode(files[0], files[1], options);
}
