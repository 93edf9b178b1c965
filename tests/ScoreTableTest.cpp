// Tests of the high-score table: reading and writing "data.dat", its order and the entry test.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/time.h>

#include "shell/ScoreFile.h"
#include "support/WorkFolder.h"

namespace {

// n empty entries, as the table is padded up to ten.
std::string pad(int n) {
    return n > 0 ? "0\n\n" + pad(n - 1) : "";
}

// Ten entries, A = 100 down to J = 10.
const std::string kTen = "100\nA\n90\nB\n80\nC\n70\nD\n60\nE\n50\nF\n40\nG\n30\nH\n20\nI\n10\nJ\n";

TEST(ScoreTableTest, LinesPairUpAsScoresAsStrtolReadsThemAndNamesOfUpToThree) {
    const std::string bom = "\xEF\xBB\xBF";
    const struct {
        const char* name;
        std::string text, table;  // the file's text, and the table it reads as, written out
    } cases[] = {
        {"every kind of space before a score, a name cut to three", "\t\v\f\r 8\nABCDEF\n",
         "8\nABC\n" + pad(9)},
        {"a last line without its newline counts", "0\nZER\n+30\n x", "30\n x\n0\nZER\n" + pad(8)},
        // Read by its start; the pairs after it count.
        {"a line of 80 characters or more is one line",
         "9500\n" + std::string(100, '#') + "\n" + kTen,
         "9500\n###\n" + kTen.substr(0, kTen.rfind("10\nJ"))},
        {"a long score line and a long name line",
         std::string(100, '0') + "7\n" + std::string(90, ' ') + "N\n", "7\n   \n" + pad(9)},
        {"a UTF-8 byte-order mark is skipped at the start of the text, and only there",
         bom + "500\r\nTOP\r\n4\n" + bom + "\n", "500\nTOP\n4\n" + bom + "\n" + pad(8)},
        {"the start of a byte-order mark is not skipped", bom.substr(0, 2) + "9\nX\n",
         "0\nX\n" + pad(9)},
    };
    for (const auto& [name, text, table] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(table, formatScores(parseScores(text)));
        ScoreReader reader;  // the same, given a byte at a time
        for (const char& c : text) {
            reader.feed(&c, 1);
        }
        EXPECT_EQ(table, formatScores(reader.finish()));
    }
}

TEST(ScoreTableTest, EqualScoresKeepTheirOrderANewScoreGoesBelowThemAndMustBeatTheTenth) {
    std::string text, expected;
    for (int i = 0; i < 60; ++i) {  // long enough that a sort only stable on short ranges shows
        text += std::to_string(i % 3) + "\nN" + std::to_string(10 + i) + "\n";
        expected += i < 10 ? "2\nN" + std::to_string(12 + 3 * i) + "\n" : "";
    }
    EXPECT_EQ(expected, formatScores(parseScores(text)));
    EXPECT_EQ(10u, parseScores(text).size());  // only the ten best are kept
    ScoreTable table = parseScores(kTen);
    insertScore(table, 50, "NEWER");
    EXPECT_EQ("F NEW G", std::string(table[5].name) + " " + table[6].name + " " + table[7].name);
    EXPECT_TRUE(!entersTable(table, 20) && entersTable(table, 21));  // the tenth, not the last
    insertScore(table, 95, "A\nB");  // saved as a space: a newline would shift every line
    EXPECT_EQ("100\nA\n95\nA B\n", formatScores(table).substr(0, 13));
}

// A save that fails once its temporary file is made, the file outgrowing the size limit, leaves
// the table it would have replaced as it was, and nothing else behind but the lock file.
TEST(ScoreTableTest, AFailedSaveLeavesTheTableAsItWasAndNoTemporaryFile) {
    WorkFolder folder(false);
    folder.write("data.dat", kTen);
    signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
    rlimit before{};
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &before));
    const rlimit tiny{10, before.rlim_max};
    ScoreFile file = openScoreFile("data.dat");
    fileScore(file, 500, "NEW");
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &tiny));
    EXPECT_FALSE(saveScoreFile(file));
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_EQ(kTen, folder.read("data.dat"));
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator("."), {})) << "left behind";
}

// A file holding lines a save never writes, as a hand edit leaves it, is kept beside it as it
// was, with its mode, before the first save writes over it, and said; never over an earlier
// copy. A file as a save writes it is replaced without a copy.
TEST(ScoreTableTest, AHandEditedFileIsKeptBesideItBeforeTheFirstSave) {
    const struct {
        const char* name;
        std::string text;
        bool kept;
    } rows[] = {
        {"empty lines at the top: score lines without digits", "\n\n" + kTen, true},
        {"an odd number of lines", kTen + "5\n", true},
        {"a name of four letters", "100\nABCD\n", true},
        {"pairs past ten, which are only dropped", kTen + "5\nK\n-2147483648\nABC\n", false},
        {"an empty file", "", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        WorkFolder folder(false);
        folder.write("data.dat", row.text);
        folder.write("data.dat.damaged-19700101-000100Z", "earlier");
        std::filesystem::permissions("data.dat", std::filesystem::perms(0604));
        const timeval minute[2] = {{60, 0}, {60, 0}};  // the copy is named after it
        utimes("data.dat", minute);
        ScoreFile file = openScoreFile("data.dat");
        testing::internal::CaptureStderr();
        EXPECT_TRUE(saveScoreFile(file) && saveScoreFile(file));
        const std::string copy = "data.dat.damaged-19700101-000100Z-2";
        EXPECT_EQ(row.kept ? "Kept data.dat as it was in " + copy +
                                 ": it holds lines a save never writes\n"
                           : "",
                  testing::internal::GetCapturedStderr());
        EXPECT_EQ(row.kept ? row.text : "", folder.read(copy));
        EXPECT_EQ("earlier", folder.read("data.dat.damaged-19700101-000100Z"));
        EXPECT_TRUE(!row.kept ||
                    std::filesystem::status(copy).permissions() == std::filesystem::perms(0604));
    }
}

}  // namespace
