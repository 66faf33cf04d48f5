// Blit, fill and sprite speed against SDL2's own software blitters on identical RGB 565 surfaces, and
// against memcpy as the physical bound. After Google Benchmark's table it prints one "RATIO case value"
// line per target (median CPU time ours / median CPU time peer, same run): lower is better.
// --vector_width=128|256|512 measures one build of our loops (default: the widest this processor runs).
#include "gfx/blit.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "gfx/blit_kernels.h"
#include "gfx/graphics_context.h"
#include "gfx/surface.h"
#include "platform/sdl/sdl_ptrs.h"
#include "ratio_reporter.h"

namespace {

using namespace zelph::gfx;

constexpr int kScreenW = 640, kScreenH = 480, kSprite = 32, kSprites = 60;
constexpr Pixel kKeyPixel = 0xF81F;

// One picture in both worlds, with the same pixels.
struct Pair {
  Surface ours;
  zelph::platform::SdlSurfacePtr sdl;
};

// Keyed pictures look like sprites: a round shape in every 32 x 32 tile with the key around it, so the
// key comes in runs as it does in the game's pictures, not as noise.
void Fill(Pair& p, int w, int h, unsigned seed, bool keyed) {
  p.ours.CreateSurface(0, w, h);
  p.ours.SetColorKey(kMagenta);
  p.sdl.reset(SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565));
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y) {
    auto* sdlRow = reinterpret_cast<Pixel*>(static_cast<std::uint8_t*>(p.sdl->pixels) + y * p.sdl->pitch);
    for (int x = 0; x < w; ++x) {
      Pixel v = static_cast<Pixel>(rng());
      const int dx = x % kSprite - 15, dy = y % kSprite - 15;
      if (v == kKeyPixel || (keyed && dx * dx + dy * dy > 15 * 15)) v = keyed ? kKeyPixel : 0;
      p.ours.Row(y)[x] = v;
      sdlRow[x] = v;
    }
  }
}

struct World {
  Pair screenSrc, screenDst, spriteSrc, spriteDst, alphaPic;
  Surface alphaGrey;
  zelph::platform::SdlSurfacePtr sdlArgbScreen;  // SDL's form of a picture with per-pixel alpha
  zelph::platform::SdlSurfacePtr sdlArgbSprite;
  std::vector<SDL_Rect> positions;

  World() {
    GraphicsContext::Global().MarkOpen(DisplayProperties::Rgb565(kScreenW, kScreenH));
    Fill(screenSrc, kScreenW, kScreenH, 1, true);
    Fill(screenDst, kScreenW, kScreenH, 2, false);
    Fill(spriteSrc, kSprite, kSprite, 3, true);
    Fill(spriteDst, kSprite, kSprite, 4, false);
    alphaGrey.CreateSurface(0, kScreenW, kScreenH);
    sdlArgbScreen.reset(SDL_CreateRGBSurfaceWithFormat(0, kScreenW, kScreenH, 32, SDL_PIXELFORMAT_ARGB8888));
    SDL_SetSurfaceBlendMode(sdlArgbScreen.get(), SDL_BLENDMODE_BLEND);
    std::mt19937 rng(5);
    for (int y = 0; y < kScreenH; ++y) {
      auto* argb = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(sdlArgbScreen->pixels) +
                                                    y * sdlArgbScreen->pitch);
      for (int x = 0; x < kScreenW; ++x) {
        const auto g = static_cast<std::uint8_t>(rng());
        alphaGrey.Row(y)[x] = GreyToPixel(g);
        const Color c = PixelToColor(screenSrc.ours.Row(y)[x]);
        argb[x] = std::uint32_t{g} << 24 | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
      }
    }
    sdlArgbSprite.reset(SDL_CreateRGBSurfaceWithFormat(0, kSprite, kSprite, 32, SDL_PIXELFORMAT_ARGB8888));
    SDL_SetSurfaceBlendMode(sdlArgbSprite.get(), SDL_BLENDMODE_BLEND);
    SDL_Rect first{0, 0, kSprite, kSprite};
    SDL_BlitSurface(sdlArgbScreen.get(), &first, sdlArgbSprite.get(), nullptr);
    for (int i = 0; i < kSprites; ++i) {
      positions.push_back({static_cast<int>(rng() % (kScreenW - kSprite)),
                           static_cast<int>(rng() % (kScreenH - kSprite)), kSprite, kSprite});
    }
  }
};

World& TheWorld() {
  static World world;
  return world;
}

enum Mode { kPlain, kKeyed, kOpacity128, kOpacity200, kKeyedOpacity };

void SetSdlMode(SDL_Surface* s, Mode mode) {
  SDL_SetColorKey(s, (mode == kKeyed || mode == kKeyedOpacity) ? SDL_TRUE : SDL_FALSE, kKeyPixel);
  const bool blend = mode == kOpacity128 || mode == kOpacity200 || mode == kKeyedOpacity;
  SDL_SetSurfaceBlendMode(s, blend ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
  SDL_SetSurfaceAlphaMod(s, mode == kOpacity128 ? 128 : blend ? 200 : 255);
}

std::uint32_t OurFlags(Mode mode, BltFx* fx) {
  fx->opacity = mode == kOpacity128 ? 128 : 200;
  switch (mode) {
    case kPlain:
      return kBltPlain;
    case kKeyed:
      return kBltColorKey;
    case kOpacity128:
    case kOpacity200:
      return kBltOpacity;
    case kKeyedOpacity:
      return kBltColorKey | kBltOpacity;
  }
  return 0;
}

Pair& Source(bool full) { return full ? TheWorld().screenSrc : TheWorld().spriteSrc; }
Pair& Dest(bool full) { return full ? TheWorld().screenDst : TheWorld().spriteDst; }

void OursBlt(benchmark::State& state, Mode mode, bool full) {
  BltFx fx;
  const std::uint32_t flags = OurFlags(mode, &fx);
  Surface& src = Source(full).ours;
  Surface& dst = Dest(full).ours;
  for (auto _ : state) {
    Blt(dst, 0, 0, &src, nullptr, flags, &fx);
    benchmark::ClobberMemory();
  }
}

void SdlBlt(benchmark::State& state, Mode mode, bool full) {
  SDL_Surface* src = Source(full).sdl.get();
  SDL_Surface* dst = Dest(full).sdl.get();
  SetSdlMode(src, mode);
  for (auto _ : state) {
    SDL_BlitSurface(src, nullptr, dst, nullptr);
    benchmark::ClobberMemory();
  }
  SetSdlMode(src, kPlain);
}

void Memcpy(benchmark::State& state, bool full) {
  SDL_Surface* src = Source(full).sdl.get();
  SDL_Surface* dst = Dest(full).sdl.get();
  const auto bytes = static_cast<std::size_t>(src->pitch) * static_cast<std::size_t>(src->h);
  for (auto _ : state) {
    std::memcpy(dst->pixels, src->pixels, bytes);
    benchmark::ClobberMemory();
  }
}

void OursAlpha(benchmark::State& state, bool full) {
  World& w = TheWorld();
  Surface& dst = Dest(full).ours;
  const Rect r{0, 0, full ? kScreenW : kSprite, full ? kScreenH : kSprite};
  for (auto _ : state) {
    AlphaBlt(dst, 0, 0, &w.screenSrc.ours, &r, &w.alphaGrey, &r);
    benchmark::ClobberMemory();
  }
}

void SdlAlpha(benchmark::State& state, bool full) {
  World& w = TheWorld();
  SDL_Surface* src = full ? w.sdlArgbScreen.get() : w.sdlArgbSprite.get();
  SDL_Surface* dst = Dest(full).sdl.get();
  for (auto _ : state) {
    SDL_BlitSurface(src, nullptr, dst, nullptr);
    benchmark::ClobberMemory();
  }
}

void OursFill(benchmark::State& state, bool full) {
  Surface& dst = Dest(full).ours;
  for (auto _ : state) {
    FillRect(dst, nullptr, 0x336699);
    benchmark::ClobberMemory();
  }
}

void SdlFill(benchmark::State& state, bool full) {
  SDL_Surface* dst = Dest(full).sdl.get();
  const Uint32 pixel = SDL_MapRGB(dst->format, 0x99, 0x66, 0x33);
  for (auto _ : state) {
    SDL_FillRect(dst, nullptr, pixel);
    benchmark::ClobberMemory();
  }
}

// A frame of the game: the background, then 60 keyed sprites over it.
void OursFrame(benchmark::State& state) {
  World& w = TheWorld();
  for (auto _ : state) {
    Blt(w.screenDst.ours, 0, 0, &w.screenSrc.ours, nullptr);
    for (const SDL_Rect& p : w.positions)
      Blt(w.screenDst.ours, p.x, p.y, &w.spriteSrc.ours, nullptr, kBltColorKey);
    benchmark::ClobberMemory();
  }
}

void SdlFrame(benchmark::State& state) {
  World& w = TheWorld();
  SetSdlMode(w.spriteSrc.sdl.get(), kKeyed);
  for (auto _ : state) {
    SDL_BlitSurface(w.screenSrc.sdl.get(), nullptr, w.screenDst.sdl.get(), nullptr);
    for (SDL_Rect p : w.positions) SDL_BlitSurface(w.spriteSrc.sdl.get(), nullptr, w.screenDst.sdl.get(), &p);
    benchmark::ClobberMemory();
  }
  SetSdlMode(w.spriteSrc.sdl.get(), kPlain);
}

const char* const kModeNames[] = {"copy", "keyed", "opacity128", "opacity200", "keyed_opacity"};

// Each case is measured a few times and the median kept: the machine is shared, and one disturbed run
// should not decide a ratio.
void Add(const std::string& name, auto fn, auto... args) {
  benchmark::RegisterBenchmark(name.c_str(), fn, args...)
      ->Repetitions(5)
      ->ReportAggregatesOnly(true)
      ->MinTime(0.05);
}

void Register() {
  for (bool full : {true, false}) {
    const std::string size = full ? "/640x480" : "/32x32";
    Add("memcpy/copy" + size, Memcpy, full);
    for (Mode m : {kPlain, kKeyed, kOpacity128, kOpacity200, kKeyedOpacity}) {
      Add("ours/" + std::string(kModeNames[m]) + size, OursBlt, m, full);
      Add("sdl/" + std::string(kModeNames[m]) + size, SdlBlt, m, full);
    }
    Add("ours/alpha" + size, OursAlpha, full);
    Add("sdl/alpha" + size, SdlAlpha, full);
    Add("ours/fill" + size, OursFill, full);
    Add("sdl/fill" + size, SdlFill, full);
  }
  Add("ours/frame60", OursFrame);
  Add("sdl/frame60", SdlFrame);
}

// --vector_width=128|256|512 runs our loops at that width (the default is the widest the processor has).
void TakeVectorWidth(int* argc, char** argv) {
  int kept = 1;
  for (int i = 1; i < *argc; ++i) {
    int bits = 0;
    if (std::sscanf(argv[i], "--vector_width=%d", &bits) == 1) {
      kernels::UseVectorWidth(bits >= 512   ? kernels::VectorWidth::k512
                              : bits >= 256 ? kernels::VectorWidth::k256
                                            : kernels::VectorWidth::k128);
    } else {
      argv[kept++] = argv[i];
    }
  }
  *argc = kept;
}

}  // namespace

int main(int argc, char** argv) {
  TakeVectorWidth(&argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Register();
  zelph::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("copy_vs_memcpy", "ours/copy/640x480", "memcpy/copy/640x480");
  reporter.PrintRatio("keyed_vs_sdl", "ours/keyed/640x480", "sdl/keyed/640x480");
  reporter.PrintRatio("opacity128_vs_sdl", "ours/opacity128/640x480", "sdl/opacity128/640x480");
  reporter.PrintRatio("opacity200_vs_sdl", "ours/opacity200/640x480", "sdl/opacity200/640x480");
  reporter.PrintRatio("keyed_opacity_vs_sdl", "ours/keyed_opacity/640x480", "sdl/keyed_opacity/640x480");
  reporter.PrintRatio("fill_vs_sdl", "ours/fill/640x480", "sdl/fill/640x480");
  reporter.PrintRatio("sprite_keyed_vs_sdl", "ours/keyed/32x32", "sdl/keyed/32x32");
  reporter.PrintRatio("sprite_opacity_vs_sdl", "ours/opacity200/32x32", "sdl/opacity200/32x32");
  // Further cases, for information: no target of their own.
  reporter.PrintRatio("sprite_copy_vs_sdl", "ours/copy/32x32", "sdl/copy/32x32");
  reporter.PrintRatio("sprite_opacity128_vs_sdl", "ours/opacity128/32x32", "sdl/opacity128/32x32");
  reporter.PrintRatio("sprite_keyed_opacity_vs_sdl", "ours/keyed_opacity/32x32", "sdl/keyed_opacity/32x32");
  reporter.PrintRatio("sprite_fill_vs_sdl", "ours/fill/32x32", "sdl/fill/32x32");
  reporter.PrintRatio("alpha_vs_sdl_argb", "ours/alpha/640x480", "sdl/alpha/640x480");
  reporter.PrintRatio("sprite_alpha_vs_sdl_argb", "ours/alpha/32x32", "sdl/alpha/32x32");
  reporter.PrintRatio("frame60_vs_sdl", "ours/frame60", "sdl/frame60");
  benchmark::Shutdown();
  return 0;
}
