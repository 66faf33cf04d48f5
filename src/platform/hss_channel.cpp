#include "platform/hss_channel.h"

#include "platform/hss_mixer.h"

namespace zelph::platform {

void hssChannel::stop() { mixer_->Stop(index_); }
void hssChannel::pause() { mixer_->Pause(index_); }
void hssChannel::resume() { mixer_->Resume(index_); }
bool hssChannel::playing() const { return mixer_->Playing(index_); }
bool hssChannel::paused() const { return mixer_->Paused(index_); }
void hssChannel::volume(int value) { mixer_->SetVolume(index_, value); }
int hssChannel::volume() const { return mixer_->Volume(index_); }
const hssSound* hssChannel::sound() const { return mixer_->SoundOf(index_); }
const hssMusic* hssChannel::music() const { return mixer_->MusicOf(index_); }

}  // namespace zelph::platform
