#include "doc_variants.h"

#include <gtest/gtest.h>

namespace zelph::assetgen {
namespace {

std::string Derive(std::string_view source, Build build) {
  std::string out, error;
  EXPECT_TRUE(DeriveDocument(source, build, out, error)) << error;
  return out;
}

TEST(DocVariants, SmallBuildHalvesCoordinatesOnly) {
  const char* source =
      "; rect=100 100 0 0 stays a comment\n"
      "[m_main_newgame_btn]\n"
      "rect=190 144 0 0\n"
      "rel_ID=0x01010200\n"
      "animpar=0 1 1 1\n"
      "text_center=320 241\n"
      "score_rect=316 9 140 28\n"
      "ButtonsShowDelayTicks=8\n"
      "\n"
      "[instr_text_1]\n"
      "1_type=1 3 10 8 492 30 1 0\n"
      "2_type=2 40 12 1 10 0 0 0\n"
      "2_value=0x01010600\n"
      "3_type=1 1 64 -44 428 64 3 0\n"
      "3_value=Cut 20 planks\n";
  EXPECT_EQ(Derive(source, Build::kVga), source);
  EXPECT_EQ(Derive(source, Build::kQvga),
            "; rect=100 100 0 0 stays a comment\n"
            "[m_main_newgame_btn]\n"
            "rect=95 72 0 0\n"
            "rel_ID=0x01010200\n"
            "animpar=0 1 1 1\n"
            "text_center=160 120\n"
            "score_rect=158 4 70 14\n"
            "ButtonsShowDelayTicks=8\n"
            "\n"
            "[instr_text_1]\n"
            "1_type=1 3 5 4 246 15 1 0\n"  // alignment and font number stay
            "2_type=2 20 6 1 10 0 0 0\n"   // picture: x and gap halve, step and delay stay
            "2_value=0x01010600\n"
            "3_type=1 1 32 -22 214 32 3 0\n"  // a text set beside the picture above it goes back up
            "3_value=Cut 20 planks\n");
}

TEST(DocVariants, PerBuildLinesGoToTheirOwnBuildAsWritten) {
  const char* source = "[add_hs_wnd]\nvga:keyboard_rect=130 190 380 170\nqvga:keyboard_rect=36 95 248 84\nx=1\n";
  EXPECT_EQ(Derive(source, Build::kVga), "[add_hs_wnd]\nkeyboard_rect=130 190 380 170\nx=1\n");
  EXPECT_EQ(Derive(source, Build::kQvga), "[add_hs_wnd]\nkeyboard_rect=36 95 248 84\nx=1\n");
}

TEST(DocVariants, RefusesPerBuildLinesWithoutAKeyAndOverlongNumbers) {
  std::string out, error;
  EXPECT_FALSE(DeriveDocument("[a]\nqvga:just text\n", Build::kVga, out, error));
  EXPECT_NE(error.find("line 2"), std::string::npos) << error;
  for (Build build : {Build::kVga, Build::kQvga})  // a source serves both builds or neither
    EXPECT_FALSE(DeriveDocument("[a]\nrect=1234567890123 0 0 0\n", build, out, error));
}

TEST(DocVariants, GameDocumentHalvesCellsSizesAndSpeedsButNotCountsOrRandomPlaces) {
  const char* source =
      "[level]\n"
      "line_1=6 6 634 6\n"
      "en_1_xy=320 6\n"
      "en_2_xy=-1 200\n"       // x at random
      "figure_1_pnt_xy=320 200\n"
      "fill_start_pnt=0 0\n"
      "enemy_count=2\n"
      "prz_1_rand=10 40 1 2\n"
      "[enemy]\n"
      "speed_rand=2 4\n"
      "aprox_figure_param=0 0 10 0 0 0 0 0\n"
      "b_frame_1=2 10 0 -10 0\n"  // a ball's probe list: the count stays
      "b_frame_2=-8 -10 8 10\n"  // an obstacle's rectangle: all four edges
      "b_pnt_3=1 -12 4\n"
      "coll_rect_3=-8 -8 8 8\n"
      "line_thick=4\n"
      "death_param=255 0 15 255\n";
  EXPECT_EQ(Derive(source, Build::kQvga),
            "[level]\n"
            "line_1=3 3 317 3\n"
            "en_1_xy=160 3\n"
            "en_2_xy=-1 100\n"
            "figure_1_pnt_xy=160 100\n"
            "fill_start_pnt=0 0\n"
            "enemy_count=2\n"
            "prz_1_rand=10 40 1 2\n"
            "[enemy]\n"
            "speed_rand=1 2\n"
            "aprox_figure_param=0 0 5 0 0 0 0 0\n"
            "b_frame_1=2 5 0 -5 0\n"
            "b_frame_2=-4 -5 4 5\n"
            "b_pnt_3=1 -6 2\n"
            "coll_rect_3=-4 -4 4 4\n"
            "line_thick=2\n"
            "death_param=255 0 15 255\n");
}

}  // namespace
}  // namespace zelph::assetgen
