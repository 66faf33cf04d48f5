#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

#include "platform/clock.h"
#include "platform/sdl/sdl_gamepad.h"
#include "platform/dialogs.h"
#include "platform/instance_lock.h"
#include "platform/utf8.h"
#include "platform/virtual_keys.h"

namespace zelph::platform {

namespace {

bool SinkToQueue(void* context, const Message& message) { return static_cast<MessageQueue*>(context)->Post(message); }

void SdlMessageBox(std::string_view caption, std::string_view text, MessageIcon icon) {
  std::string c(caption), t(text);
  std::uint32_t flags = icon == MessageIcon::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  SDL_ShowSimpleMessageBox(flags, c.c_str(), t.c_str(), nullptr);
}

// Typed text as character messages of UTF-16 units; bytes that are not well-formed UTF-8 are dropped.
void AppendUtf16Messages(MessageQueue& queue, std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    Utf8Char c = DecodeUtf8At(utf8, i);
    if (c.length == 0) {
      ++i;
      continue;
    }
    i += c.length;
    std::u16string units;
    AppendUtf16(units, c.code);
    for (char16_t unit : units) queue.Post(Message{msg::kChar, unit, 1});
  }
}

}  // namespace

SdlWindow::SdlWindow(SdlWindowOptions options) : options_(options), fullScreen_(options.fullScreen) {}

SdlWindow::~SdlWindow() { Destroy(); }

bool SdlWindow::RegisterClass(std::string_view, bool doubleClicks) {
  doubleClicks_ = doubleClicks;
  if (sdl_) return true;
  if (options_.headless) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", options_.headlessSound ? 0 : 1);
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // closing goes through the window's close message
  sdl_ = StartSdlSubsystems(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
  if (!sdl_) {
    std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
    return false;
  }
  // Gamepads are welcome but not needed: without the subsystem the game plays on with keys and mouse. SDL
  // announces the controllers already plugged in as added devices.
  // A headless run takes input from its script only, so that a controller on the desk cannot change it;
  // controller events pushed into the queue are still translated.
  if (!options_.headless) controllers_ = StartSdlSubsystems(SDL_INIT_GAMECONTROLLER);
  gamepads_ = std::make_unique<GamepadInput>(queue_);
  return true;
}

bool SdlWindow::Create(std::string_view title, int width, int height) {
  if (!sdl_ || window_) return false;
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  // A whole scale keeps the pixels sharp: the one asked for, else the largest that fits the desktop (with
  // room for the window's frame), but no more than kMaxAutoScale.
  int scale = options_.scale;
  SDL_Rect usable;
  if (scale <= 0) {
    scale = 1;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
      scale = std::clamp(std::min((usable.w - 16) / width_, (usable.h - 48) / height_), 1, kMaxAutoScale);
    }
  }
  std::uint32_t flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  if (fullScreen_) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  std::string t(title);
  window_.reset(SDL_CreateWindow(t.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width_ * scale,
                                 height_ * scale, flags));
  if (!window_) {
    std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
    return false;
  }
  renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
  if (!renderer_) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
  if (!renderer_) {
    std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
    window_.reset();
    return false;
  }
  SDL_RenderSetLogicalSize(renderer_.get(), width_, height_);
  SDL_RenderSetIntegerScale(renderer_.get(), SDL_TRUE);
  if (!options_.iconFile.empty()) {
    // The game's own icon in the task bar and title bar; without the file the desktop's default is fine.
    if (SdlSurfacePtr icon = LoadRgbaPng(options_.iconFile)) SDL_SetWindowIcon(window_.get(), icon.get());
  }
  SDL_StartTextInput();
  SetMainWindowSink(&SinkToQueue, &queue_);
  if (!options_.headless) SetMessageBoxHook(&SdlMessageBox);
  queue_.Post(Message{msg::kCreate, 0, 0});
  return true;
}

void SdlWindow::Size(int& width, int& height) const {
  width = height = 0;
  if (window_) SDL_GetWindowSize(window_.get(), &width, &height);
}

void SdlWindow::Destroy() {
  if (!window_) return;
  SetMainWindowSink(nullptr, nullptr);
  SetMessageBoxHook(nullptr);
  SDL_StopTextInput();
  // The texture belongs to the renderer and the renderer to the window: released in that order.
  texture_.reset();
  renderer_.reset();
  window_.reset();
}

void SdlWindow::Pump() {
  if (!sdl_) return;
  if (TakeRaiseRequest() && window_) {
    SDL_RestoreWindow(window_.get());
    SDL_RaiseWindow(window_.get());
  }
  SDL_Event event;
  while (SDL_PollEvent(&event)) Translate(event);
}

bool SdlWindow::PeekMessage(Message& out) {
  Pump();
  return queue_.Pop(out);
}

void SdlWindow::WaitMessage(std::uint32_t timeoutMs) {
  std::uint32_t start = TickCount();
  while (TickCount() - start < timeoutMs) {
    Pump();
    if (!queue_.Empty()) return;
    queue_.WaitFor(10);
  }
}

void SdlWindow::BringToFront() {
  if (window_) SDL_RaiseWindow(window_.get());
}

void SdlWindow::Minimize() {
  if (window_) SDL_MinimizeWindow(window_.get());
}

void SdlWindow::SetFullScreen(bool on) {
  fullScreen_ = on;
  if (window_) SDL_SetWindowFullscreen(window_.get(), on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

ForeignWindow SdlWindow::DescribeWindow(std::intptr_t) {
  // A desktop does not tell which program's window took the focus.
  return ForeignWindow{};
}

void SdlWindow::Present(const std::uint16_t* pixels, int width, int height, int pitchBytes) {
  if (!renderer_ || !pixels) return;
  if (!texture_ || textureW_ != width || textureH_ != height) {
    texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                     width, height));
    textureW_ = width;
    textureH_ = height;
    if (!texture_) return;
    SDL_RenderSetLogicalSize(renderer_.get(), width, height);
  }
  SDL_UpdateTexture(texture_.get(), nullptr, pixels, pitchBytes);
  SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
  SDL_RenderClear(renderer_.get());
  SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
  SDL_RenderPresent(renderer_.get());
}

void SdlWindow::TrackPointer(int x, int y) {
  // Points in the letterbox border belong to the nearest picture edge.
  pointerX_ = std::clamp(x, 0, width_ - 1);
  pointerY_ = std::clamp(y, 0, height_ - 1);
}

void SdlWindow::PostPoint(std::uint32_t id, int x, int y) {
  TrackPointer(x, y);
  queue_.Post(Message{id, 1, MakePointParam(pointerX_, pointerY_)});
}

void SdlWindow::Translate(const SDL_Event& e) {
  if (gamepads_ && gamepads_->Translate(e)) return;
  switch (e.type) {
    case SDL_QUIT:
      queue_.Post(Message{msg::kSysCommand, kScClose, 0});
      break;
    case SDL_WINDOWEVENT:
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        queue_.Post(Message{msg::kActivate, 1, 0});
      } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        queue_.Post(options_.exitOnDeactivate ? Message{msg::kActivate, 0, 0} : Message{msg::kDesktopInactive, 0, 0});
      }
      break;
    case SDL_KEYDOWN: {
      SDL_Keycode key = e.key.keysym.sym;
      bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
      if (key == SDLK_F11 || (alt && (key == SDLK_RETURN || key == SDLK_KP_ENTER))) {
        if (!e.key.repeat) SetFullScreen(!fullScreen_);
        break;
      }
      if (key == SDLK_F12) {
        if (!e.key.repeat) queue_.Post(Message{msg::kScreenshot, 0, 0});
        break;
      }
      std::uint16_t vk = VirtualKeyFromSdl(key);
      if (!vk) break;
      std::intptr_t data = (e.key.repeat ? kKeyRepeatBit : 0) | ((e.key.keysym.scancode & 0xFF) << 16) | 1;
      PostKey(queue_, vk, true, data);
      break;
    }
    case SDL_KEYUP: {
      std::uint16_t vk = VirtualKeyFromSdl(e.key.keysym.sym);
      if (vk) PostKey(queue_, vk, false, ((e.key.keysym.scancode & 0xFF) << 16) | 1);
      break;
    }
    case SDL_TEXTINPUT:
      AppendUtf16Messages(queue_, e.text.text);
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (e.button.button != SDL_BUTTON_LEFT) break;
      stylusDown_ = true;
      PostPoint(doubleClicks_ && e.button.clicks == 2 ? msg::kStylusDoubleClick : msg::kStylusDown, e.button.x,
                e.button.y);
      break;
    case SDL_MOUSEBUTTONUP:
      if (e.button.button != SDL_BUTTON_LEFT) break;
      stylusDown_ = false;
      PostPoint(msg::kStylusUp, e.button.x, e.button.y);
      break;
    case SDL_MOUSEMOTION:
      // A stylus only moves while it touches the screen; the pointer is followed anyway, for the wheel.
      if (stylusDown_) {
        PostPoint(msg::kStylusMove, e.motion.x, e.motion.y);
      } else {
        TrackPointer(e.motion.x, e.motion.y);
      }
      break;
    case SDL_MOUSEWHEEL: {
      int delta = e.wheel.y * 120;
      if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) delta = -delta;
      auto wParam = static_cast<std::uintptr_t>((static_cast<std::uint32_t>(delta) & 0xFFFF) << 16);
      queue_.Post(Message{msg::kWheel, wParam, MakePointParam(pointerX_, pointerY_)});
      break;
    }
    default:
      break;
  }
}

}  // namespace zelph::platform
