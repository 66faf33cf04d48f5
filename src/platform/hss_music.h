// A music module of the sound library: a tracker module loaded once, through the installed module reader
// (hss_module.h), and played on one of the speaker's music channels. Destroying the music silences the
// channel playing it.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/result.h"

namespace zelph::platform {

struct MusicData;

class hssMusic {
 public:
  hssMusic();
  ~hssMusic();
  hssMusic(const hssMusic&) = delete;
  hssMusic& operator=(const hssMusic&) = delete;

  // Parses the module with the installed reader. As with sounds the module is held in the library's own
  // memory, so copyData changes nothing. E_INVALIDARG for bytes that are no module the reader knows,
  // E_OUTOFMEMORY when it has no room, E_FAIL when no reader is installed.
  Result load(const void* data, std::size_t size, bool copyData);
  // Endless repetition (true) or one pass through the song (false).
  void loop(bool endless);
  bool loaded() const { return data_ != nullptr; }

  const std::shared_ptr<MusicData>& data() const { return data_; }

 private:
  std::shared_ptr<MusicData> data_;
  bool loop_ = false;
};

}  // namespace zelph::platform
