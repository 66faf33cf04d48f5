// The readable text form of configuration files, for the zelph-ino tool and the asset pipeline:
//
//   ; a comment line
//   key=value            key entries before the first section are kept, though the game never sees them
//   [section name]
//   key=value            the key is the text before the first "=", the value everything after it to the
//                        end of the line, both exactly as written (no trimming)
//
// Blank lines are ignored; lines may end in LF or CR LF. Bytes pass through unchanged, so the text's encoding
// is the document's. Decompiling writes this form canonically (sections separated by one blank line), and
// compiling that text gives the same document again.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/ino_format.h"

namespace zelph::config {

// The file image (header with CRC-32 and zero filler, then the entries). False with a message naming the
// line on malformed text.
bool CompileInoText(std::string_view text, std::vector<std::uint8_t>& image, std::string& error);

// Checks an unscrambled file image as the game loads it: the CRC-32 when there is a header, and that every
// entry lies inside the data. `visit` sees every entry, the header's included (see WalkInoEntries).
bool VerifyInoImage(std::span<const std::uint8_t> image, const InoVisitor& visit, std::string& error);

// The text of an unscrambled file image. False with a message when the checksum does not match, an entry is
// corrupt, or the document holds something the text cannot say (a key with "=" or a line break, a value with
// a line break, an entry that is neither a section nor a key).
bool DecompileIno(std::span<const std::uint8_t> image, std::string& text, std::string& error);

}  // namespace zelph::config
