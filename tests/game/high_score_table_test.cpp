// The high-score table's order and qualification, its rows in the user settings, the score file the
// companion shell reads, and the saved game.
#include "game/high_score_table.h"

#include <md5.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "config/ino_text.h"
#include "game/saved_game.h"
#include "game/score_file.h"
#include "platform/file_io.h"
#include "test_support/temp_dir.h"

namespace zelph::game::test {
namespace {

std::vector<std::int32_t> Scores(const HighScoreTable& table) {
  std::vector<std::int32_t> scores;
  for (const HighScoreEntry& e : table.Entries()) scores.push_back(e.score);
  return scores;
}

std::string ReadText(const std::filesystem::path& path) {
  const auto bytes = platform::ReadWholeFile(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<missing>");
}

// The digest worked out independently of the score file's own helper.
std::string DigestOf(const std::string& text) {
  char hex[MD5_DIGEST_STRING_LENGTH];
  MD5Data(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), hex);
  return hex;
}

class HighScoreStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { source = settings.AddEmptySource(false); }
  void Load(const std::string& text) {
    std::vector<std::uint8_t> image;
    std::string error;
    ASSERT_TRUE(config::CompileInoText(text, image, error)) << error;
    ASSERT_GE(settings.LoadMemory(std::move(image)), 0);
  }
  std::string ScoreFileText() const { return ReadText(home.path() / kScoreFileName); }

  config::ConfigDocument settings;
  int source = -1;
  zelph::test::TempDir home;
};

TEST(HighScoreTableTest, InsertKeepsTheBestFiveAndTiesGoBefore) {
  HighScoreTable table;
  for (std::int32_t s : {300, 700, 900, 500, 700}) table.Insert(u"x", s);
  ASSERT_EQ(Scores(table), (std::vector<std::int32_t>{900, 700, 700, 500, 300}));
  table.Insert(u"new", 700);
  EXPECT_EQ(Scores(table), (std::vector<std::int32_t>{900, 700, 700, 700, 500})) << "300 drops out";
  EXPECT_EQ(table.Entries()[1].name, u"new") << "equal to an entry: goes before it";
  table.Insert(u"low", 100);
  table.Insert(u"zero", 0);
  EXPECT_EQ(Scores(table), (std::vector<std::int32_t>{900, 700, 700, 700, 500}));

  std::u16string name;
  std::int32_t score = 0;
  EXPECT_TRUE(table.GetEntry(4, name, score));
  EXPECT_EQ(score, 500);
  EXPECT_FALSE(table.GetEntry(5, name, score));
}

TEST(HighScoreTableTest, QualifyingNeedsRoomOrToBeatAnEntry) {
  HighScoreTable table;
  EXPECT_FALSE(table.Qualifies(0));
  EXPECT_TRUE(table.Qualifies(1));
  for (std::int32_t s : {900, 700, 700, 500, 300}) table.Insert(u"x", s);
  EXPECT_FALSE(table.Qualifies(300)) << "a tie with the last entry";
  EXPECT_FALSE(table.Qualifies(-5));
  EXPECT_TRUE(table.Qualifies(301));
}

TEST_F(HighScoreStoreTest, LoadingReadsAtMostFiveRowsAndKeepsTheStoredOrderOfTies) {
  Load("[high_scores]\ncount=9\n1_name=A\n1_score=800\n2_name=B\n2_score=800\n3_name=C\n3_score=0\n"
       "4_name=D\n4_score=100\n5_name=E\n5_score=50\n6_name=F\n6_score=5000\n");
  HighScoreTable table;
  table.Insert(u"old", 1);
  table.LoadScores(settings);
  ASSERT_EQ(Scores(table), (std::vector<std::int32_t>{800, 800, 100, 50})) << "row 6 is past the five, C scored 0";
  EXPECT_EQ(table.Entries()[0].name, u"A");
  EXPECT_EQ(table.Entries()[1].name, u"B");

  HighScoreTable none;
  config::ConfigDocument empty;
  none.LoadScores(empty);
  EXPECT_TRUE(none.Entries().empty());
}

TEST_F(HighScoreStoreTest, StoringWritesTheRowsAndTheScoreFileThatRoundTrip) {
  HighScoreTable table;
  table.Insert(u"Ann", 1500);
  table.Insert(u"Bo|b", 900);
  ASSERT_TRUE(table.StoreScores(settings, source, home.path()));
  table.StoreScores(settings, source, home.path());  // a second store replaces the section

  ASSERT_EQ(settings.FindSectionIndex(kHighScoresSection), settings.SectionCount() - 1);
  const config::ConfigSection* stored = settings.FindSection(kHighScoresSection);
  EXPECT_EQ(stored->GetInt("count", -1), 2);
  HighScoreTable again;
  again.LoadScores(settings);
  ASSERT_EQ(Scores(again), (std::vector<std::int32_t>{1500, 900}));
  EXPECT_EQ(again.Entries()[1].name, u"Bo|b") << "a \"|\" name stays in the table";

  const std::string body = "1004|10|Orv Zelph II\nAnn|1500|\n";
  EXPECT_EQ(ScoreFileText(), body + DigestOf(body + "Stellarwick")) << "but not in the file";
}

TEST_F(HighScoreStoreTest, TheFileForAnn1500ByteForByte) {
  HighScoreTable table;
  table.Insert(u"Ann", 1500);
  table.StoreScores(settings, source, home.path());
  EXPECT_EQ(ScoreFileText(), "1004|10|Orv Zelph II\nAnn|1500|\n" +
                                 DigestOf("1004|10|Orv Zelph II\nAnn|1500|\nStellarwick"));
  EXPECT_EQ(DigestOf("abc"), "900150983cd24fb0d6963f7d28e17f72") << "the library's own MD5 (RFC 1321)";
}

TEST_F(HighScoreStoreTest, AnEmptyTableWritesCountZeroAndAHeaderWithItsDigest) {
  HighScoreTable table;
  ASSERT_TRUE(table.StoreScores(settings, source, home.path()));
  EXPECT_EQ(settings.FindSection(kHighScoresSection)->GetInt("count", -1), 0);
  const std::string header = "1004|10|Orv Zelph II\n";
  EXPECT_EQ(ScoreFileText(), header + DigestOf(header + "Stellarwick"));
}

TEST_F(HighScoreStoreTest, AFailedSettingsSaveKeepsThePreviousTableWhole) {
  settings.SetScrambled(true);
  const std::filesystem::path file = home.path() / "Settings.ino";
  HighScoreTable table;
  table.Insert(u"Ann", 1500);
  table.StoreScores(settings, source, home.path());
  ASSERT_EQ(settings.Save(source, file), config::kSaveOk);

  // The next save cannot even make its temporary file (a folder stands in its way), and a second one finds
  // the settings file read-only: neither touches the file.
  table.Insert(u"Bo", 2000);
  table.StoreScores(settings, source, home.path());
  std::filesystem::create_directory(home.path() / "Settings.ino.tmp");
  EXPECT_LT(settings.Save(source, file), 0);
  std::filesystem::remove(home.path() / "Settings.ino.tmp");
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  EXPECT_LT(settings.Save(source, file), 0);

  config::ConfigDocument reloaded;
  reloaded.SetScrambled(true);
  ASSERT_GE(reloaded.LoadFile(file), 0);
  HighScoreTable before;
  before.LoadScores(reloaded);
  ASSERT_EQ(Scores(before), (std::vector<std::int32_t>{1500}));
  EXPECT_EQ(before.Entries()[0].name, u"Ann");
}

TEST(ScoreFileTest, RowsThatWouldBreakTheFileAreRefusedAndAFullFileKeepsTheBest) {
  ScoreFile file(kScoreFileSalt, 2);
  EXPECT_FALSE(file.AddRow(u"", 10, u""));
  EXPECT_FALSE(file.AddRow(u"a|b", 10, u""));
  EXPECT_FALSE(file.AddRow(u"two\nlines", 10, u""));
  EXPECT_FALSE(file.AddRow(u"neg", -1, u""));
  EXPECT_TRUE(file.AddRow(u"a", 10, u""));
  EXPECT_TRUE(file.AddRow(u"b", 30, u""));
  EXPECT_FALSE(file.AddRow(u"c", 30, u"")) << "full, and the last row is not below it";
  EXPECT_TRUE(file.AddRow(u"d", 31, u""));
  file.SortAndTrim();
  ASSERT_EQ(file.rows.size(), 2u);
  EXPECT_EQ(file.rows[0].name, u"d");
  EXPECT_EQ(file.rows[1].name, u"b");
}

TEST(ScoreFileTest, APathTooLongOrAFolderThatIsNotThereWritesNothing) {
  zelph::test::TempDir home;
  ScoreFile file(kScoreFileSalt);
  EXPECT_EQ(file.WriteFile(home.path() / std::string(260, 'd')), kScoreFilePathTooLong);
  EXPECT_EQ(file.WriteFile(home.path() / "missing"), kScoreFileCannotCreate);
  EXPECT_EQ(file.WriteFile(home.path()), kScoreFileWritten);
  EXPECT_TRUE(std::filesystem::exists(home.path() / kScoreFileName));
}

TEST_F(HighScoreStoreTest, TheSavedGameRoundTripsAndBadRecordsAreNone) {
  EXPECT_FALSE(HasSavedGame(settings));
  EXPECT_FALSE(LoadSavedGame(settings).has_value());
  ASSERT_TRUE(SaveGame(settings, source, SavedGame{2, 7, 4200, 3}));
  ASSERT_TRUE(SaveGame(settings, source, SavedGame{1, 3, 1200, 2}));
  EXPECT_EQ(settings.GetRawAt(settings.FindSectionIndex(kSavedGameSection), kSavedGameKey),
            std::string("1 3 1200 2 0 0 0 0"));
  const std::optional<SavedGame> saved = LoadSavedGame(settings);
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->level, 3);
  EXPECT_EQ(saved->score, 1200);
  DeleteSavedGame(settings);
  EXPECT_FALSE(HasSavedGame(settings));

  Load("[game_save]\nparam=1 0 0 0\n[game_save]\nparam=1 2 100 3\n");
  EXPECT_TRUE(HasSavedGame(settings));
  EXPECT_FALSE(LoadSavedGame(settings).has_value()) << "level 0 and no lives: no game to continue";
  DeleteSavedGame(settings);
  EXPECT_FALSE(HasSavedGame(settings)) << "every copy goes";
}

}  // namespace
}  // namespace zelph::game::test
