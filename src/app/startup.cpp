#include "app/startup.h"

#include <cstdio>

#include "platform/dialogs.h"
#include "platform/file_io.h"
#include "platform/process.h"
#include "platform/registry.h"

namespace zelph::app {

bool CheckFreeMemory(std::optional<std::uint64_t> available, const std::string& commandLine,
                     const std::string& title) {
  // When the amount cannot be read there is nothing to judge by; let the game try.
  if (!available || *available >= kMinFreeMemory) return true;
  if (!IsNoCloseFs(commandLine)) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "To run the game you need at least %.1f MB of free program memory. Now free %.1f MB.",
                  kMinFreeMemory / 1048576.0, static_cast<double>(*available) / 1048576.0);
    platform::ShowMessageBox(title, text, platform::MessageIcon::Error);
  }
  return false;
}

int StartGame(const StartupEnvironment& env) {
  const platform::BuildVariant& variant = env.variant ? *env.variant : platform::Variant();

  // 1. One instance per home folder; a second start raises the first and ends quietly.
  platform::InstanceLock lock(env.lockDir, std::string(kInstancePrefix) + kInstanceName);
  if (lock.state() == platform::InstanceLock::State::HeldByOther) {
    lock.AskOwnerToRaise();
    return kExitNormal;
  }
  platform::InstallRaiseHandler();

  // 2. Free memory.
  if (!CheckFreeMemory(env.freeMemory ? env.freeMemory() : std::nullopt, env.commandLine, variant.title)) {
    return kExitLowMemory;
  }

  // 3. The configuration records.
  AppConfig config = MakeAppConfig(variant, env.commandLine);
  SoundConfig soundConfig = MakeSoundConfig();

  // 4. The shell service's key exists for the shell to find.
  platform::SystemRegistry().CreateKey(platform::RootKey::LocalMachine, platform::kServiceSettingsKey);

  // 5. The application object.
  std::unique_ptr<GameApp> app = env.makeApp(config, soundConfig);
  if (!app) return kExitFrameFailed;

  // 6. Windows that may take the screen without ending the game.
  app->AddActivationExemption("GAPIFORCEREFRESH", nullptr);
  app->AddActivationExemption("Dialog", "\\Windows\\rnaapp.exe");

  // 7. The shell's full-screen fixer, when installed beside the game; it is neither waited for nor required.
  platform::StartDetachedProcess(env.programDir / kFixerProgram, app->windowClass());

  // 8. Run.
  Result result = app->Run();

  // 9. A failure with an error text ends the run at once, with a beep and the text on standard error.
  if (!app->errorText().empty()) {
    platform::Beep();
    std::fprintf(stderr, "%s: %s\n", variant.programName, app->errorText().c_str());
    std::fflush(stderr);
    app.reset();
    return kExitAborted;
  }

  // 10. There is no desktop behind a covered screen to repaint here. 11. End.
  app.reset();
  return static_cast<int>(result);
}

bool LaunchRegisteredProgram(const std::string& name, bool* started) {
  if (started) *started = false;
  auto& reg = platform::SystemRegistry();
  std::string key = std::string(platform::Variant().gameKey) + "\\" + name;
  reg.CreateKey(platform::RootKey::LocalMachine, key);
  std::string exe = reg.ReadString(platform::RootKey::LocalMachine, key, "exe").value_or("");
  if (exe.empty() || !platform::FileIsReadable(exe)) return false;
  platform::ProcessId pid = platform::StartProcess(exe, kNoCloseFsSwitch);
  if (pid == platform::kNoProcess) {
    platform::Beep();
    return true;
  }
  if (started) *started = true;
  platform::WaitProcess(pid);
  return true;
}

}  // namespace zelph::app
