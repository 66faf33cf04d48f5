#include "platform/sdl/sdl_ptrs.h"

#include <SDL.h>

namespace zelph::platform {

void SdlDeleter::operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
void SdlDeleter::operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
void SdlDeleter::operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
void SdlDeleter::operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }

void CloseSdlAudioDevice(std::uint32_t device) { SDL_CloseAudioDevice(device); }
void QuitSdlSubsystems(std::uint32_t flags) { SDL_QuitSubSystem(flags); }

SdlSubsystems StartSdlSubsystems(std::uint32_t flags) {
  return SdlSubsystems(flags != 0 && SDL_InitSubSystem(flags) == 0 ? flags : 0);
}

}  // namespace zelph::platform
