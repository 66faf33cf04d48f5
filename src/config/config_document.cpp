#include "config/config_document.h"

#include <chrono>
#include <cstring>
#include <new>

#include "config/bytes.h"
#include "config/ino_save.h"
#include "config/text.h"
#include "platform/file_io.h"

namespace zelph::config {

namespace {

std::uint32_t TickCount() {
  return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

// Room an owned section gets beyond its entries.
std::size_t SectionRoom(std::size_t nameLength, std::size_t wanted) { return std::max(wanted, nameLength + 16); }

}  // namespace

ConfigDocument::ConfigDocument() { std::strncpy(key_, kScrambleKey, sizeof key_ - 1); }

ConfigDocument::~ConfigDocument() = default;

bool ConfigDocument::Scramble(std::uint8_t* buffer, std::size_t length) const {
  if (buffer == nullptr || length == 0) return false;
  return scrambled_ ? config::Scramble(key_, buffer, length) : true;
}

int ConfigDocument::LoadFile(const std::filesystem::path& path) {
  if (!platform::FileIsReadable(path)) return kLoadCannotOpen;
  std::error_code ec;
  if (std::filesystem::file_size(path, ec) > kMaxDocumentBytes && !ec) return kLoadOutOfMemory;
  std::optional<std::vector<std::uint8_t>> bytes;
  try {
    bytes = platform::ReadWholeFile(path);
  } catch (const std::bad_alloc&) {
    return kLoadOutOfMemory;
  }
  if (!bytes || bytes->empty()) return kLoadCorrupt;
  int result = LoadMemory(std::move(*bytes), path.string());
  return result == kLoadNoData ? kLoadCorrupt : result;
}

int ConfigDocument::LoadMemory(std::vector<std::uint8_t> buffer, std::string_view label) {
  if (buffer.empty()) return kLoadNoData;
  if (buffer.size() > kMaxDocumentBytes - std::min(loadedBytes_, kMaxDocumentBytes)) return kLoadOutOfMemory;
  if (!Unscramble(buffer.data(), buffer.size())) return kLoadUnscrambleFailed;
  if (HasInoHeader(buffer)) {
    if (buffer.size() < kInoHeaderSize) return kLoadCorrupt;
    std::uint32_t stored = ReadLe32(buffer.data() + 4);
    if (Crc32(std::span(buffer).subspan(kInoHeaderSize)) != stored) return kLoadChecksumMismatch;
  }

  try {
    auto source = std::make_unique<ConfigSource>();
    source->path = std::string(label);
    source->buffer = std::move(buffer);
    const int index = SourceCount();
    std::uint8_t* base = source->buffer.data();

    // Sections are made as the walk finds them, up to what the document has room for; nothing is kept of
    // the other entries. A corrupt or too large document throws them away again.
    std::vector<std::unique_ptr<ConfigSection>> found;
    const std::size_t room = kMaxSections - sections_.size();
    bool full = false;
    const char* name = nullptr;
    std::size_t start = 0, used = 0;
    auto close = [&] {
      if (!name) return;
      full = full || found.size() == room;
      if (!full) found.push_back(ConfigSection::InBuffer(name, base + start, used, index));
    };
    const bool sound = WalkInoEntries(source->buffer, [&](const InoEntry& entry) {
      if (entry.kind == EntryKind::kSection) {
        close();
        // The closing bracket becomes the name's terminator.
        std::size_t nameOffset = entry.offset + 3;
        base[nameOffset + entry.name.size()] = 0;
        name = reinterpret_cast<const char*>(base + nameOffset);
        start = entry.offset + entry.length;
        used = 0;
      } else if (name) {
        used += entry.length;
      }
    });
    if (!sound) return kLoadCorrupt;
    close();
    if (full) return kLoadOutOfMemory;
    for (const auto& section : found) {
      if (!section) return kLoadOutOfMemory;
    }

    sections_.reserve(sections_.size() + found.size());
    sources_.reserve(sources_.size() + 1);
    loadedBytes_ += source->buffer.size();
    sources_.push_back(std::move(source));
    for (auto& section : found) sections_.push_back(std::move(section));
    return index;
  } catch (const std::bad_alloc&) {
    return kLoadOutOfMemory;
  }
}

int ConfigDocument::AddEmptySource(bool scrambled) {
  try {
    auto source = std::make_unique<ConfigSource>();
    source->path = kNewFileLabel;
    sources_.push_back(std::move(source));
  } catch (const std::bad_alloc&) {
    return kSectionFailed;
  }
  scrambled_ = scrambled;
  return SourceCount() - 1;
}

int ConfigDocument::CopyFrom(const ConfigDocument& other) {
  const std::size_t sectionsBefore = sections_.size();
  const int index = AddEmptySource(other.Scrambled());
  if (index < 0) return kSectionFailed;
  for (const auto& section : other.sections_) {
    if (!other.Visible(*section)) continue;
    if (CopySection(index, section.get(), nullptr, kCopySpare) < 0) {
      sections_.resize(sectionsBefore);
      sources_.pop_back();
      return kSectionFailed;
    }
  }
  sourceFilter_ = -1;
  return index;
}

int ConfigDocument::SelectSource(int index) {
  if (index >= SourceCount() || index < -1) return 0;
  sourceFilter_ = index;
  return 1;
}

bool ConfigDocument::Visible(const ConfigSection& section) const {
  return sourceFilter_ == -1 || section.Source() == sourceFilter_;
}

int ConfigDocument::FindSectionIndex(std::string_view name) const {
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (Visible(*sections_[i]) && name == sections_[i]->Name()) return static_cast<int>(i);
  }
  return -1;
}

ConfigSection* ConfigDocument::FindSection(std::string_view name) { return SectionAt(FindSectionIndex(name)); }

const ConfigSection* ConfigDocument::FindSection(std::string_view name) const {
  return SectionAt(FindSectionIndex(name));
}

ConfigSection* ConfigDocument::SectionAt(int index) {
  return const_cast<ConfigSection*>(static_cast<const ConfigDocument*>(this)->SectionAt(index));
}

const ConfigSection* ConfigDocument::SectionAt(int index) const {
  if (index < 0 || index >= SectionCount()) return nullptr;
  const ConfigSection* section = sections_[static_cast<std::size_t>(index)].get();
  return Visible(*section) ? section : nullptr;
}

int ConfigDocument::NextSection(int previous, std::u16string* name) const {
  for (int i = std::max(previous + 1, 0); i < SectionCount(); ++i) {
    if (const ConfigSection* section = SectionAt(i)) {
      if (name) *name = AnsiToWide(section->Name());
      return i;
    }
  }
  return -1;
}

int ConfigDocument::RemoveSection(int index) {
  if (!SectionAt(index)) return 0;
  sections_.erase(sections_.begin() + index);
  return 1;
}

int ConfigDocument::AddOwned(int source, std::string_view name, std::span<const std::uint8_t> entries,
                             std::size_t capacity) {
  if (sections_.size() >= kMaxSections) return kSectionFailed;
  std::vector<std::uint8_t> probe;
  if (!AppendSectionEntry(probe, name)) return kSectionFailed;  // the name would not fit a header entry
  auto section = ConfigSection::MakeOwned(name, entries, capacity, source);
  if (!section) return kSectionFailed;
  try {
    sections_.push_back(std::move(section));
  } catch (const std::bad_alloc&) {
    return kSectionFailed;
  }
  return SectionCount() - 1;
}

int ConfigDocument::AddSection(int source, const char* name, std::size_t minimumSize) {
  if (!ValidSource(source) || name == nullptr) return kSectionFailed;
  std::string_view text(name);
  return AddOwned(source, text, {}, SectionRoom(text.size(), minimumSize));
}

int ConfigDocument::CopySection(int source, const ConfigSection* from, const char* name, std::size_t spare) {
  if (!ValidSource(source) || from == nullptr) return kSectionFailed;
  std::string_view text(name ? name : from->Name());
  std::span<const std::uint8_t> entries = from->Entries();
  return AddOwned(source, text, entries, entries.size() + SectionRoom(text.size(), spare));
}

std::vector<std::uint8_t> ConfigDocument::Serialize(int source, const InoFiller& filler) const {
  std::vector<std::uint8_t> body;
  for (const auto& section : sections_) {
    if (section->Source() != source) continue;
    AppendSectionEntry(body, section->Name());
    std::span<const std::uint8_t> entries = section->Entries();
    body.insert(body.end(), entries.begin(), entries.end());
  }
  return WithInoHeader(body, filler);
}

int ConfigDocument::Save(int source, const std::filesystem::path& path) const {
  if (!ValidSource(source)) return kSaveCannotCreate;
  std::vector<std::uint8_t> image;
  try {
    image = Serialize(source, {TickCount(), TickCount(), TickCount(), TickCount()});
  } catch (const std::bad_alloc&) {
    return kSaveWriteFailed;
  }
  Scramble(image.data(), image.size());
  return WriteInoFile(path, image);
}

const char* ConfigDocument::GetRawAt(int section, std::string_view key) const {
  const ConfigSection* s = SectionAt(section);
  return s ? s->GetRaw(key) : nullptr;
}

std::int32_t ConfigDocument::GetIntAt(int section, std::string_view key, std::int32_t fallback) const {
  const ConfigSection* s = SectionAt(section);
  return s ? s->GetInt(key, fallback) : fallback;
}

std::uint32_t ConfigDocument::GetNumberAt(int section, std::string_view key, std::uint32_t fallback) const {
  const ConfigSection* s = SectionAt(section);
  return s ? s->GetNumber(key, fallback) : fallback;
}

const ConfigSource* ConfigDocument::SourceAt(int index) const {
  return ValidSource(index) ? sources_[static_cast<std::size_t>(index)].get() : nullptr;
}

void ConfigDocument::Clear() {
  sections_.clear();
  sources_.clear();
  loadedBytes_ = 0;
  sourceFilter_ = -1;
}

}  // namespace zelph::config
