// The numbers the screens send to the main window, and the ids the screens are created with. A screen never
// calls the controller: it notifies its parent with one of these codes.
#pragma once

#include <cstdint>

namespace zelph::screens {

// Screen ids.
inline constexpr std::uint32_t kIntroId = 20012;
inline constexpr std::uint32_t kMainMenuId = 20014;
inline constexpr std::uint32_t kOptionsId = 20020;
inline constexpr std::uint32_t kHighScoresId = 20026;
inline constexpr std::uint32_t kContinueMenuId = 20030;
inline constexpr std::uint32_t kAddHighScoreId = 20034;
inline constexpr std::uint32_t kYouLoseId = 20039;
inline constexpr std::uint32_t kYouWinId = 20042;
inline constexpr std::uint32_t kInstructionsId = 20045;
inline constexpr std::uint32_t kInGameMenuId = 20054;

// Commands.
inline constexpr std::int32_t kCmdClose = 20001;
inline constexpr std::int32_t kCmdIntroDone = 20013;
inline constexpr std::int32_t kCmdNewGame = 20015;
inline constexpr std::int32_t kCmdExit = 20016;
inline constexpr std::int32_t kCmdOptions = 20017;
inline constexpr std::int32_t kCmdHighScores = 20018;
inline constexpr std::int32_t kCmdInstructions = 20019;
inline constexpr std::int32_t kCmdSoundButton = 20021;
inline constexpr std::int32_t kCmdMusicButton = 20023;
inline constexpr std::int32_t kCmdOptionsBack = 20025;
inline constexpr std::int32_t kCmdContinue = 20031;
inline constexpr std::int32_t kCmdContinueMainMenu = 20032;
inline constexpr std::int32_t kCmdContinueExit = 20033;
inline constexpr std::int32_t kCmdAddHighScoreOk = 20037;
inline constexpr std::int32_t kCmdAddHighScoreUnder = 20038;
inline constexpr std::int32_t kCmdLosePlayAgain = 20040;
inline constexpr std::int32_t kCmdLoseMainMenu = 20041;
inline constexpr std::int32_t kCmdWinNext = 20044;
inline constexpr std::int32_t kCmdBackToMainMenu = 20049;
inline constexpr std::int32_t kCmdPageDecoration = 20050;
inline constexpr std::int32_t kCmdScrollUp = 20051;
inline constexpr std::int32_t kCmdScoreRow = 20051;  // the high-score rows: nothing acts on it
inline constexpr std::int32_t kCmdScrollDown = 20052;
inline constexpr std::int32_t kCmdInGameMainMenu = 20055;
inline constexpr std::int32_t kCmdInGamePlayAgain = 20056;
inline constexpr std::int32_t kCmdInGameOptions = 20057;
inline constexpr std::int32_t kCmdInGameBack = 20058;

// The flag every screen window is created with.
inline constexpr std::uint32_t kScreenFlags = 0x8;

}  // namespace zelph::screens
