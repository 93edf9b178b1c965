// Tests of the high-score table: reading and writing "data.dat", order, entry and listing.
#include "shell/ScoreTable.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "support/SdlTest.h"

namespace {

ScoreEntry entry(int32_t score, const char* name) {
    ScoreEntry e{score, {}};
    std::memcpy(e.name, name, std::min<std::size_t>(std::strlen(name), 3));
    return e;
}

// Text in quotes, printable in test names and messages: other bytes as \xNN, long runs cut.
std::string shown(const std::string& text) {
    std::string out = "\"";
    for (char c : text.substr(0, 16)) {
        if (c >= 32 && c < 127 && c != '\\') {
            out += c;
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned char>(c));
            out += code;
        }
    }
    if (text.size() > 16) {
        out += "...(" + std::to_string(text.size()) + " chars)";
    }
    return out + "\"";
}

// An entry as text with all four name bytes, so a failure shows exactly what differs.
std::string describe(const ScoreEntry& e) {
    return std::to_string(e.score) + " " + shown(std::string(e.name, sizeof e.name));
}

std::vector<std::string> describe(const ScoreTable& table) {
    std::vector<std::string> lines;
    for (const ScoreEntry& e : table) {
        lines.push_back(describe(e));
    }
    return lines;
}

// The table as it should read: the given entries, then empty ones up to ten.
std::vector<std::string> padded(std::vector<ScoreEntry> entries) {
    while (entries.size() < kListedScores) {
        entries.push_back(entry(0, ""));
    }
    return describe(entries);
}

const ScoreEntry* findName(const ScoreTable& table, const char* name) {
    for (const ScoreEntry& e : table) {
        if (std::strncmp(e.name, name, 4) == 0) {
            return &e;
        }
    }
    return nullptr;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// Ten entries, A = 100 down to J = 10.
const std::string kTenEntries =
    "100\nA\n90\nB\n80\nC\n70\nD\n60\nE\n50\nF\n40\nG\n30\nH\n20\nI\n10\nJ\n";

// A fresh folder per test, removed afterwards.
class ScoreFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "scores-XXXXXX").string();
        ASSERT_NE(nullptr, mkdtemp(pattern.data()));
        dir = pattern;
        path = dir + "/data.dat";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string dir;
    std::string path;
};

// --- Score lines: read as strtol reads base 10, clamped to 32 bits.

struct ScoreLineCase {
    std::string line;
    int32_t score;
};

void PrintTo(const ScoreLineCase& c, std::ostream* out) {
    *out << shown(c.line) << " reads " << c.score;
}

class ScoreLineTest : public ::testing::TestWithParam<ScoreLineCase> {};

TEST_P(ScoreLineTest, ReadsTheLeadingNumber) {
    const ScoreTable table = parseScores(GetParam().line + "\nNUM\n");
    const ScoreEntry* e = findName(table, "NUM");
    ASSERT_NE(nullptr, e);
    EXPECT_EQ(GetParam().score, e->score);
}

INSTANTIATE_TEST_SUITE_P(
    ScoreFile, ScoreLineTest,
    ::testing::Values(
        ScoreLineCase{"42", 42}, ScoreLineCase{"  42abc", 42}, ScoreLineCase{"\t\v\f\r 8", 8},
        ScoreLineCase{"5\r", 5}, ScoreLineCase{"12 34", 12}, ScoreLineCase{"abc", 0},
        ScoreLineCase{"", 0}, ScoreLineCase{"-7", -7}, ScoreLineCase{"+15", 15},
        ScoreLineCase{"- 5", 0}, ScoreLineCase{"--5", 0},
        ScoreLineCase{"0000000000000000000000000012", 12}, ScoreLineCase{"2147483647", INT32_MAX},
        ScoreLineCase{"2147483648", INT32_MAX}, ScoreLineCase{"-2147483648", INT32_MIN},
        ScoreLineCase{"-2147483649", INT32_MIN}, ScoreLineCase{"99999999999", INT32_MAX},
        ScoreLineCase{"-99999999999", INT32_MIN},
        ScoreLineCase{"4294967338", INT32_MAX},  // 2^32 + 42 must not wrap to 42
        ScoreLineCase{std::string(70, '9'), INT32_MAX},
        ScoreLineCase{"-" + std::string(70, '9'), INT32_MIN}));

// --- Name lines: the first three characters, up to a NUL, zero-filled.

struct NameLineCase {
    std::string line;
    std::string name;  // all four bytes
};

void PrintTo(const NameLineCase& c, std::ostream* out) {
    *out << shown(c.line) << " keeps " << shown(c.name);
}

class NameLineTest : public ::testing::TestWithParam<NameLineCase> {};

TEST_P(NameLineTest, KeepsTheFirstThreeCharacters) {
    const ScoreTable table = parseScores("77\n" + GetParam().line + "\n");
    ASSERT_EQ(77, table[0].score);
    EXPECT_EQ(GetParam().name, std::string(table[0].name, 4));
}

INSTANTIATE_TEST_SUITE_P(ScoreFile, NameLineTest,
                         ::testing::Values(NameLineCase{"ABCDEF", std::string("ABC\0", 4)},
                                           NameLineCase{"ABC", std::string("ABC\0", 4)},
                                           NameLineCase{"A", std::string("A\0\0\0", 4)},
                                           NameLineCase{"", std::string(4, '\0')},
                                           NameLineCase{" x", std::string(" x\0\0", 4)},
                                           NameLineCase{"AB\r", std::string("AB\r\0", 4)},
                                           NameLineCase{"ABC\r", std::string("ABC\0", 4)},
                                           NameLineCase{std::string("A\0BC", 4),
                                                        std::string("A\0\0\0", 4)}));

// --- The line structure of the file.

TEST(ScoreFileLines, CrLfFileKeepsTheCrInShortNames) {
    const ScoreTable table = parseScores("300\r\nAB\r\n200\r\nABC\r\n");
    EXPECT_EQ(padded({entry(300, "AB\r"), entry(200, "ABC")}), describe(table));
}

TEST(ScoreFileLines, ScoreLineWithoutNameMakesNoEntry) {
    const ScoreTable table = parseScores(kTenEntries + "500\n");
    ASSERT_EQ(10u, table.size());
    EXPECT_EQ(100, table[0].score);
    EXPECT_EQ(10, table[9].score);
}

TEST(ScoreFileLines, LastLineWithoutNewlineIsUsed) {
    EXPECT_EQ(padded({entry(10, "AAA")}), describe(parseScores("10\nAAA")));
}

TEST(ScoreFileLines, LineOf79CharactersIsUsed) {
    const std::string score79 = std::string(77, ' ') + "42";
    const std::string name79 = "CCC" + std::string(76, 'x');
    const ScoreTable table = parseScores(score79 + "\nBBB\n43\n" + name79 + "\n");
    EXPECT_EQ(padded({entry(43, "CCC"), entry(42, "BBB")}), describe(table));
}

struct LongLineCase {
    const char* what;
    std::string text;
};

void PrintTo(const LongLineCase& c, std::ostream* out) {
    *out << c.what;
}

class LongLineTest : public ::testing::TestWithParam<LongLineCase> {};

// Whatever follows a line of 80 characters or more is not read; what came before stays.
TEST_P(LongLineTest, StopsTheReading) {
    const ScoreTable table = parseScores(GetParam().text);
    EXPECT_EQ(padded({entry(200, "BBB"), entry(100, "AAA")}), describe(table));
}

INSTANTIATE_TEST_SUITE_P(
    ScoreFile, LongLineTest,
    ::testing::Values(
        LongLineCase{"AsScoreLine", "100\nAAA\n200\nBBB\n" + std::string(80, '1') + "\n300\nCCC\n"},
        LongLineCase{"AsNameLine", "100\nAAA\n200\nBBB\n300\n" + std::string(80, 'C') + "\n"},
        LongLineCase{"CrCounts", "100\nAAA\n200\nBBB\n" + std::string(79, '3') + "\r\nCCC\n"},
        LongLineCase{"LastLine", "100\nAAA\n200\nBBB\n300\n" + std::string(200, 'C')}));

TEST(ScoreFileLines, TwelvePairsAllLoad) {
    const ScoreTable table = parseScores(kTenEntries + "5\nK\n200\nL\n");
    EXPECT_EQ(describe(ScoreTable{entry(200, "L"), entry(100, "A"), entry(90, "B"), entry(80, "C"),
                                  entry(70, "D"), entry(60, "E"), entry(50, "F"), entry(40, "G"),
                                  entry(30, "H"), entry(20, "I"), entry(10, "J"), entry(5, "K")}),
              describe(table));
}

// --- Padding and order.

TEST(ScoreOrder, EmptyTextGivesTenEmptyEntries) {
    EXPECT_EQ(padded({}), describe(parseScores("")));
}

TEST(ScoreOrder, PaddingComesAfterRealZeros) {
    const ScoreTable table = parseScores("0\nZER\n30\nAAA\n");
    EXPECT_EQ(padded({entry(30, "AAA"), entry(0, "ZER")}), describe(table));
}

// The padding is worth 0, so a negative score sorts below it and stays the lowest entry.
TEST(ScoreOrder, NegativeScoreSortsBelowThePadding) {
    const ScoreTable table = parseScores("-7\nNEG\n");
    ASSERT_EQ(10u, table.size());
    EXPECT_EQ(describe(entry(-7, "NEG")), describe(table[9]));
    EXPECT_EQ(describe(entry(0, "")), describe(table[8]));
}

TEST(ScoreOrder, EqualScoresKeepTheFileOrder) {
    const ScoreTable table = parseScores("5\nAAA\n9\nTOP\n5\nBBB\n5\nCCC\n");
    EXPECT_EQ(padded({entry(9, "TOP"), entry(5, "AAA"), entry(5, "BBB"), entry(5, "CCC")}),
              describe(table));
}

// Long enough that a sort which is only stable on short ranges shows it.
TEST(ScoreOrder, ManyEqualScoresKeepTheFileOrder) {
    std::string text;
    std::vector<ScoreEntry> expected[3];
    for (int i = 0; i < 60; ++i) {
        const std::string name = "N" + std::to_string(10 + i);
        text += std::to_string(i % 3) + "\n" + name + "\n";
        expected[2 - i % 3].push_back(entry(i % 3, name.c_str()));
    }
    std::vector<ScoreEntry> all = expected[0];
    all.insert(all.end(), expected[1].begin(), expected[1].end());
    all.insert(all.end(), expected[2].begin(), expected[2].end());
    EXPECT_EQ(describe(all), describe(parseScores(text)));
}

TEST(ScoreOrder, InsertedScoreGoesBelowEqualScores) {
    ScoreTable table = parseScores(kTenEntries);
    insertScore(table, 50, "NEW");
    ASSERT_EQ(11u, table.size());
    EXPECT_EQ(describe(entry(50, "F")), describe(table[5]));
    EXPECT_EQ(describe(entry(50, "NEW")), describe(table[6]));
    EXPECT_EQ(describe(entry(40, "G")), describe(table[7]));
}

TEST(ScoreOrder, InsertKeepsTheFirstThreeCharacters) {
    ScoreTable table = parseScores("");
    insertScore(table, 500, "ABCDEF");
    EXPECT_EQ(describe(entry(500, "ABC")), describe(table[0]));
}

// --- Who enters the table: strictly more than the tenth entry.

TEST(ScoreEntryTest, NeedsMoreThanTheTenth) {
    const ScoreTable table = parseScores(kTenEntries);
    EXPECT_FALSE(entersTable(table, 9));
    EXPECT_FALSE(entersTable(table, 10));
    EXPECT_TRUE(entersTable(table, 11));
}

TEST(ScoreEntryTest, ComparesWithTheTenthNotTheLast) {
    ScoreTable table = parseScores(kTenEntries);
    insertScore(table, 5, "K");
    insertScore(table, 1, "L");
    EXPECT_FALSE(entersTable(table, 10));
    EXPECT_TRUE(entersTable(table, 11));
}

TEST(ScoreEntryTest, NegativeTenth) {
    const ScoreTable table = parseScores("-7\nNEG\n");
    EXPECT_FALSE(entersTable(table, -7));
    EXPECT_TRUE(entersTable(table, -6));
}

// --- Writing the file.

TEST(ScoreFormat, WritesScoreAndNameLines) {
    ScoreTable table;
    insertScore(table, 120, "ABC");
    insertScore(table, -5, "X");
    insertScore(table, 0, "");
    insertScore(table, 7, "Q Z");
    insertScore(table, INT32_MAX, "TOP");
    insertScore(table, INT32_MIN, "LOW");
    insertScore(table, 1000, "ab");
    insertScore(table, 10, "TEN");
    insertScore(table, 9, "NIN");
    insertScore(table, 8, "EIG");
    EXPECT_EQ(
        "2147483647\nTOP\n1000\nab\n120\nABC\n10\nTEN\n9\nNIN\n8\nEIG\n7\nQ Z\n0\n\n-5\nX\n"
        "-2147483648\nLOW\n",
        formatScores(table));
}

TEST(ScoreFormat, NewlineInNameBecomesSpace) {
    ScoreTable table = parseScores(kTenEntries);
    insertScore(table, 900, "A\nB");
    const std::string text = formatScores(table);
    EXPECT_EQ(20, std::count(text.begin(), text.end(), '\n'));
    EXPECT_EQ("900\nA B\n100\nA\n", text.substr(0, 14));
}

TEST_F(ScoreFileTest, SavesOnlyTheFirstTen) {
    writeFile(path, kTenEntries + "5\nK\n200\nL\n");
    const ScoreTable table = loadScores(path.c_str());
    ASSERT_EQ(12u, table.size());
    ASSERT_TRUE(saveScores(table, path.c_str()));
    EXPECT_EQ("200\nL\n100\nA\n90\nB\n80\nC\n70\nD\n60\nE\n50\nF\n40\nG\n30\nH\n20\nI\n",
              readFile(path));
}

TEST_F(ScoreFileTest, ReplacesAnOlderFile) {
    writeFile(path, "an older, longer file that must go entirely\n");
    ASSERT_TRUE(saveScores(parseScores(kTenEntries), path.c_str()));
    EXPECT_EQ(kTenEntries, readFile(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(ScoreFileTest, RoundTripKeepsTheFirstTen) {
    ScoreTable table;
    for (const ScoreEntry& e :
         {entry(INT32_MAX, "MAX"), entry(INT32_MIN, "MIN"), entry(-1, ""), entry(0, "a\r"),
          entry(7, " x "), entry(7, "7"), entry(123456, "\t\t"), entry(3, "cr\r"), entry(2, "A B"),
          entry(1, "z"), entry(-3, "OUT")}) {
        insertScore(table, e.score, e.name);
    }
    ASSERT_TRUE(saveScores(table, path.c_str()));
    const ScoreTable loaded = loadScores(path.c_str());
    table.resize(kListedScores);
    EXPECT_EQ(describe(table), describe(loaded));
}

TEST_F(ScoreFileTest, NameWithNewlineReloadsWithSpace) {
    ScoreTable table = parseScores(kTenEntries);
    insertScore(table, 900, "A\nB");
    ASSERT_TRUE(saveScores(table, path.c_str()));
    const ScoreTable loaded = loadScores(path.c_str());
    EXPECT_EQ(describe(entry(900, "A B")), describe(loaded[0]));
    EXPECT_EQ(describe(entry(20, "I")), describe(loaded[9]));
}

TEST_F(ScoreFileTest, FailedSaveInMissingFolder) {
    const std::string missing = dir + "/no-such-folder/data.dat";
    EXPECT_FALSE(saveScores(parseScores(kTenEntries), missing.c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir + "/no-such-folder"));
}

TEST_F(ScoreFileTest, FailedSaveLeavesTheOldFile) {
    const std::string old = "3\nOLD\n";
    writeFile(path, old);
    // A folder where the temporary file should go: it cannot be opened for writing.
    std::filesystem::create_directory(path + ".tmp");
    EXPECT_FALSE(saveScores(parseScores(kTenEntries), path.c_str()));
    EXPECT_EQ(old, readFile(path));
}

TEST_F(ScoreFileTest, FailedRenameRemovesTheTemporaryFile) {
    // The path is a folder that is not empty, so nothing can be renamed over it.
    std::filesystem::create_directory(path);
    writeFile(path + "/keep", "x");
    EXPECT_FALSE(saveScores(parseScores(kTenEntries), path.c_str()));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    EXPECT_EQ("x", readFile(path + "/keep"));
}

// --- Reading the file.

TEST_F(ScoreFileTest, MissingFileGivesTenEmptyEntries) {
    EXPECT_EQ(padded({}), describe(loadScores(path.c_str())));
}

TEST_F(ScoreFileTest, EmptyFileGivesTenEmptyEntries) {
    writeFile(path, "");
    EXPECT_EQ(padded({}), describe(loadScores(path.c_str())));
}

TEST_F(ScoreFileTest, LoadsCrLfBytesAsTheyAre) {
    writeFile(path, "300\r\nAB\r\n200\r\nABC\r\n");
    EXPECT_EQ(padded({entry(300, "AB\r"), entry(200, "ABC")}), describe(loadScores(path.c_str())));
}

TEST_F(ScoreFileTest, LoadsNamesAfterANulByte) {
    writeFile(path, std::string("5\nA\0B\n4\nCDE\n", 12));
    EXPECT_EQ(padded({entry(5, "A"), entry(4, "CDE")}), describe(loadScores(path.c_str())));
}

// --- The listing on the scores picture.

class ScoreListingTest : public SdlTest {};

TEST_F(ScoreListingTest, DrawsNamesAndScoresInTheirColumns) {
    SDL_Surface* picture =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0xF800, 0x07E0, 0x001F, 0);
    ASSERT_NE(nullptr, picture);
    fill(picture, 255, 255, 255);
    const ScoreTable table = parseScores(kTenEntries);
    drawListing(table, picture);

    const Rgb black{0, 0, 0};
    const Rgb white{255, 255, 255};
    auto blackIn = [&](int x0, int y0) {
        for (int y = y0; y < y0 + 8; ++y) {
            for (int x = x0; x < x0 + 8; ++x) {
                if (pixelAt(picture, x, y) == black) {
                    return true;
                }
            }
        }
        return false;
    };
    for (int row = 0; row < kListedScores; ++row) {
        EXPECT_TRUE(blackIn(180, 65 + 14 * row)) << "name of row " << row;
        EXPECT_TRUE(blackIn(230, 65 + 14 * row)) << "score of row " << row;
    }
    // Names take three cells from x 180, scores up to eleven from x 230; the last row ends
    // eight pixels below y 65 + 14 * 9.
    for (int y = 0; y < picture->h; ++y) {
        for (int x = 0; x < picture->w; ++x) {
            const bool inRows = y >= 65 && y < 65 + 14 * 9 + 8;
            const bool inColumns = (x >= 180 && x < 180 + 24) || x >= 230;
            if (!(inRows && inColumns)) {
                ASSERT_EQ(white, pixelAt(picture, x, y)) << "at " << x << ", " << y;
            }
        }
    }
    SDL_FreeSurface(picture);
}

}  // namespace
