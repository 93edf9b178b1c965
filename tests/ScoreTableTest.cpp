// Tests of the high-score table: reading and writing "data.dat", order, entry and listing.
#include "shell/ScoreTable.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/Painter.h"
#include "support/SdlTest.h"

namespace {

ScoreEntry entry(int32_t score, const char* name) {
    ScoreEntry e{score, {}};
    std::memcpy(e.name, name, std::min<std::size_t>(std::strlen(name), 3));
    return e;
}

// Entries as text with all four name bytes, padded with empty entries up to ten.
std::vector<std::string> padded(ScoreTable entries) {
    entries.resize(std::max<std::size_t>(entries.size(), kListedScores), entry(0, ""));
    std::vector<std::string> lines;
    for (const ScoreEntry& e : entries) {
        lines.push_back(std::to_string(e.score) + " " + std::string(e.name, 4));
    }
    return lines;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Ten entries, A = 100 down to J = 10.
const std::string kTenEntries =
    "100\nA\n90\nB\n80\nC\n70\nD\n60\nE\n50\nF\n40\nG\n30\nH\n20\nI\n10\nJ\n";

TEST(ScoreFileLines, ScoreLineReadsItsLeadingNumberClampedTo32Bits) {
    const std::string nines(70, '9');
    const std::pair<std::string, int32_t> cases[] = {
        {"  42abc", 42},
        {"\t\v\f\r 8", 8},
        {"5\r", 5},
        {"abc", 0},
        {"-7", -7},
        {"2147483648", INT32_MAX},
        {"-2147483649", INT32_MIN},
        {"4294967338", INT32_MAX},  // 2^32 + 42 must not wrap
        {nines, INT32_MAX},
        {"-" + nines, INT32_MIN}};
    for (const auto& [line, score] : cases) {
        const ScoreTable table = parseScores(line + "\nNUM\n");  // negative: below the padding
        EXPECT_EQ(padded({entry(score, "NUM")}), padded({table[score < 0 ? 9 : 0]})) << line;
    }
}

TEST(ScoreFileLines, NameLineKeepsUpToThreeCharactersBeforeANul) {
    const std::pair<std::string, const char*> cases[] = {{"ABCDEF", "ABC"},
                                                         {"A", "A"},
                                                         {"", ""},
                                                         {" x", " x"},
                                                         {"AB\r", "AB\r"},
                                                         {"ABC\r", "ABC"},
                                                         {std::string("A\0BC", 4), "A"}};
    for (const auto& [line, name] : cases) {
        EXPECT_EQ(padded({entry(77, name)}), padded(parseScores("77\n" + line + "\n"))) << line;
    }
}

TEST(ScoreFileLines, LinesAreReadInPairsUntilALineOf80Characters) {
    // A last line without newline counts; a score line without a name makes no entry.
    EXPECT_EQ(padded({entry(10, "AAA")}), padded(parseScores("10\nAAA")));
    EXPECT_EQ(padded(parseScores(kTenEntries)), padded(parseScores(kTenEntries + "500\n")));
    // Lines of 79 characters are read.
    const std::string score79 = std::string(77, ' ') + "42";
    EXPECT_EQ(padded({entry(43, "CCC"), entry(42, "BBB")}),
              padded(parseScores(score79 + "\nBBB\n43\nCCC" + std::string(76, 'x') + "\n")));
    // From a line of 80 (a CR counts) nothing more is read; what came before stays.
    for (const std::string& rest :
         {std::string(80, '1') + "\n300\nCCC\n", "300\n" + std::string(80, 'C') + "\n",
          std::string(79, '3') + "\r\nCCC\n", "300\n" + std::string(200, 'C')}) {
        EXPECT_EQ(padded({entry(200, "BBB"), entry(100, "AAA")}),
                  padded(parseScores("100\nAAA\n200\nBBB\n" + rest)))
            << rest.size() << " bytes after";
    }
    // Of more pairs than ten, the ten best are kept.
    const ScoreTable twelve = parseScores(kTenEntries + "5\nK\n200\nL\n");
    ASSERT_EQ(10u, twelve.size());
    EXPECT_EQ(padded({entry(200, "L"), entry(100, "A"), entry(20, "I")}),
              padded({twelve[0], twelve[1], twelve[9]}));
}

TEST(ScoreOrder, PaddingSortsAfterRealZerosAndAboveNegativeScores) {
    EXPECT_EQ(padded({}), padded(parseScores("")));
    EXPECT_EQ(padded({entry(30, "AAA"), entry(0, "ZER")}),
              padded(parseScores("0\nZER\n30\nAAA\n")));
    ScoreTable expected(9, entry(0, ""));
    expected.push_back(entry(-7, "NEG"));
    EXPECT_EQ(padded(expected), padded(parseScores("-7\nNEG\n")));
}

// Long enough that a sort which is only stable on short ranges shows it.
TEST(ScoreOrder, EqualScoresKeepTheFileOrderAndANewOneGoesBelowThem) {
    std::string text;
    ScoreTable expected;
    for (int i = 0; i < 60; ++i) {
        text += std::to_string(i % 3) + "\nN" + std::to_string(10 + i) + "\n";
        const int j = (i % 20) * 3 + 2 - i / 20;  // the 20 of score 2 first, then 1, then 0
        expected.push_back(entry(2 - i / 20, ("N" + std::to_string(10 + j)).c_str()));
    }
    expected.resize(kListedScores);  // only the ten best are kept
    EXPECT_EQ(padded(expected), padded(parseScores(text)));

    ScoreTable table = parseScores(kTenEntries);
    insertScore(table, 50, "NEWER");
    EXPECT_EQ(padded({entry(50, "F"), entry(50, "NEW"), entry(40, "G")}),
              padded({table[5], table[6], table[7]}));
}

TEST(ScoreEntryTest, NeedsMoreThanTheTenthEntry) {
    ScoreTable table = parseScores(kTenEntries);
    insertScore(table, 5, "K");  // the tenth, not the last, counts
    EXPECT_FALSE(entersTable(table, 10));
    EXPECT_TRUE(entersTable(table, 11));
    const ScoreTable negative = parseScores("-7\nNEG\n");
    EXPECT_FALSE(entersTable(negative, -7));
    EXPECT_TRUE(entersTable(negative, -6));
}

class ScoreFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "scores-XXXXXX").string();
        ASSERT_NE(nullptr, mkdtemp(pattern.data()));
        dir = pattern;
        path = dir + "/data.dat";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string dir, path;
};

TEST_F(ScoreFileTest, MissingEmptyOrCrLfFileLoadsAsItIs) {
    EXPECT_EQ(padded({}), padded(loadScores(path.c_str())));
    writeFile(path, "");
    EXPECT_EQ(padded({}), padded(loadScores(path.c_str())));
    writeFile(path, "300\r\nAB\r\n200\r\nABC\r\n");
    EXPECT_EQ(padded({entry(300, "AB\r"), entry(200, "ABC")}), padded(loadScores(path.c_str())));
}

TEST_F(ScoreFileTest, SaveReplacesTheFileWithTheFirstTenThatLoadAgain) {
    writeFile(path, kTenEntries + "5\nK\n200\nL\n");
    ScoreTable table = loadScores(path.c_str());
    ASSERT_EQ(10u, table.size());
    ASSERT_TRUE(saveScores(table, path.c_str()));
    EXPECT_EQ("200\nL\n100\nA\n90\nB\n80\nC\n70\nD\n60\nE\n50\nF\n40\nG\n30\nH\n20\nI\n",
              readFile(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    table.clear();
    for (const ScoreEntry& e :
         {entry(INT32_MAX, "MAX"), entry(INT32_MIN, "MIN"), entry(-1, ""), entry(0, "a\r"),
          entry(7, " x "), entry(7, "7"), entry(123456, "\t\t"), entry(2, "A\nB"), entry(1, "z"),
          entry(-3, "OUT"), entry(-2, "TEN")}) {
        insertScore(table, e.score, e.name);
    }
    ASSERT_TRUE(saveScores(table, path.c_str()));
    table.resize(kListedScores);
    table[4] = entry(2, "A B");
    EXPECT_EQ(padded(table), padded(loadScores(path.c_str())));
}

TEST_F(ScoreFileTest, FailedSaveLeavesTheOldFileAndNoTemporaryFile) {
    const ScoreTable table = parseScores(kTenEntries);
    EXPECT_FALSE(saveScores(table, (dir + "/no-such-folder/data.dat").c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir + "/no-such-folder"));

    // A folder that is not empty: nothing can be renamed over it.
    std::filesystem::create_directory(path);
    writeFile(path + "/keep", "x");
    EXPECT_FALSE(saveScores(table, path.c_str()));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir), {}));  // data.dat alone
    EXPECT_EQ("x", readFile(path + "/keep"));
}

TEST(ScoreListingTest, WritesTheFirstTenNamesAtX180AndScoresAtX230In14PixelRowsFromY65) {
    SDL_Surface* pictures[2];
    for (SDL_Surface*& picture : pictures) {
        picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0xF800, 0x07E0, 0x001F, 0);
        ASSERT_NE(nullptr, picture);
        fill(picture, 255, 255, 255);
    }
    ScoreTable table = parseScores(kTenEntries);
    insertScore(table, -5, "OUT");
    drawListing(table, pictures[0]);
    for (int row = 0; row < kListedScores; ++row) {
        const int y = 65 + 14 * row;
        Painter{}.write(pictures[1], std::string(1, static_cast<char>('A' + row)).c_str(), 180, y);
        Painter{}.write(pictures[1], std::to_string(100 - 10 * row).c_str(), 230, y);
    }
    const auto bytes = [](SDL_Surface* s) {
        return std::string(static_cast<const char*>(s->pixels), s->pitch * s->h);
    };
    EXPECT_TRUE(bytes(pictures[0]) == bytes(pictures[1]));
    SDL_FreeSurface(pictures[0]);
    SDL_FreeSurface(pictures[1]);
}

}  // namespace
