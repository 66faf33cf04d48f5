// The game's start-up and launch checks: one instance per home, enough free memory, the configuration
// record, the companion shell's key, the fixer program, the run, and the end.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/game_app.h"
#include "platform/instance_lock.h"

namespace zelph::app {

// Exit codes.
inline constexpr int kExitNormal = 0;
inline constexpr int kExitLowMemory = 0xA23123;
inline constexpr int kExitFrameFailed = static_cast<int>(0x80004005);
inline constexpr int kExitGameFailed = static_cast<int>(0xC8660001);
// A run that failed with an error text. The handheld ended such a run with 0, reporting a failure as
// success; here the failure is told on standard error and through this status.
inline constexpr int kExitAborted = kExitFrameFailed;

inline constexpr std::uint64_t kMinFreeMemory = 8'000'000;
inline constexpr const char* kInstancePrefix = "OrvRunOnce V1.0 ";
inline constexpr const char* kInstanceName = "OrvZelph for Bluehollow";
inline constexpr const char* kFixerProgram = "OrvBluehollowFSFixer.exe";

// Low-memory check: true when the game may start. Shows the message unless started with "/NoCloseFS".
bool CheckFreeMemory(std::optional<std::uint64_t> available, const std::string& commandLine,
                     const std::string& title);

// What start-up needs from outside: how to make the application object, and where things are.
struct StartupEnvironment {
  std::string commandLine;
  const platform::BuildVariant* variant = nullptr;
  std::function<std::optional<std::uint64_t>()> freeMemory;
  std::function<std::unique_ptr<GameApp>(const AppConfig&, const SoundConfig&)> makeApp;
  std::filesystem::path lockDir;           // where the single-instance lock lives (the home folder)
  std::filesystem::path programDir;        // folder of the running program, for the fixer
};

// Runs the game from start to end and returns the process's exit code.
int StartGame(const StartupEnvironment& env);

// Runs the program registered under `name` with "/NoCloseFS" and waits for it. Returns false when nothing
// runnable is registered (the caller shows its message); `started` tells whether a process ran.
bool LaunchRegisteredProgram(const std::string& name, bool* started);

}  // namespace zelph::app
