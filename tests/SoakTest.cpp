// A long seeded run of the rules with a bot player, checking after every frame what the rules
// promise, and that every kind of event happened.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "game/Board.h"
#include "gfx/ImageLoader.h"
#include "shell/Pictures.h"
#include "support/SdlTest.h"
#include "support/WorkFolder.h"

namespace {

constexpr int kFrames = 200000;

struct Counts {
    int games = 0, portals = 0, falls = 0, captures = 0, gameOvers = 0, pickups = 0;
    int levelsEntered[17] = {};  // 16: the game won
};

bool inGrid(const Game& game, int col, int row) {
    return col >= 0 && col < game.cols && row >= 0 && row < game.rows;
}

// Whether the player's platform is gone once this frame's shrink tick (if any) has run.
bool platformGoes(const Game& game, int frameCounter) {
    const Cell& cell = game.cell(game.playerCol, game.playerRow);
    const bool tick = isShrinkTick(frameCounter);
    if (!cell.present) {
        return !(tick && cell.timer - 1 < 0);
    }
    return tick && cell.ry - game.shrinkStep < 3;
}

// A score change made of pickups at this level, penalties and portals, and nothing else.
bool allowedScoreChange(int delta, int level) {
    for (int portals = 0; portals <= 1; ++portals) {
        for (int penalties = 0; penalties <= kBonusCount; ++penalties) {
            const int rest = delta - 500 * portals + 350 * penalties;
            if (rest >= 0 && rest % (10 * level + 90) == 0 && rest / (10 * level + 90) <= 15) {
                return true;
            }
        }
    }
    return false;
}

// Takes the shortest way to the portal over platforms that will hold until the next tick and
// carry no enemy; without one, waits or leaves a platform about to go. Now and then it makes
// a random move instead.
void botMove(Game& game, std::mt19937& bot) {
    std::uniform_int_distribution<int> percent(0, 99);
    if (percent(bot) < 1) {
        // Two draws in a fixed order: argument order differs between compilers.
        const bool alongRow = percent(bot) < 50;
        const bool forward = percent(bot) < 50;
        game.movePlayer(alongRow ? 'X' : 'Y', forward);
        return;
    }
    auto safe = [&](int col, int row) {
        if (!inGrid(game, col, row) || !game.cell(col, row).present ||
            game.cell(col, row).ry - game.shrinkStep < 3) {
            return false;
        }
        for (const Enemy& enemy : game.enemies) {
            if (enemy.enabled && enemy.visible && enemy.col == col && enemy.row == row) {
                return false;
            }
        }
        return true;
    };
    const int cols = game.cols;
    const int start = game.playerCol + game.playerRow * cols;
    const int portal = cols - 1;
    std::vector<int> previous(cols * game.rows, -1);
    std::vector<int> queue{start};
    previous[start] = start;
    for (size_t i = 0; i < queue.size() && previous[portal] < 0; ++i) {
        const int c = queue[i] % cols, r = queue[i] / cols;
        const int next[4][2] = {{c, r - 1}, {c + 1, r}, {c - 1, r}, {c, r + 1}};
        for (const auto& n : next) {
            if (safe(n[0], n[1]) && previous[n[0] + n[1] * cols] < 0) {
                previous[n[0] + n[1] * cols] = queue[i];
                queue.push_back(n[0] + n[1] * cols);
            }
        }
    }
    int step = -1;
    if (previous[portal] >= 0 && portal != start) {
        step = portal;
        while (previous[step] != start) {
            step = previous[step];
        }
    } else if (!safe(game.playerCol, game.playerRow) && queue.size() > 1) {
        step = queue[1];
    }
    if (step >= 0) {
        const int dc = step % cols - game.playerCol, dr = step / cols - game.playerRow;
        game.movePlayer(dc != 0 ? 'X' : 'Y', dc > 0 || dr > 0);
    }
}

class SoakTest : public SdlTest {};

TEST_F(SoakTest, TwoHundredThousandFramesKeepTheRules) {
    WorkFolder folder;
    Pictures pictures;
    ASSERT_TRUE(loadPictures(pictures));
    std::srand(1234);
    std::mt19937 bot(99);
    Game game;
    Counts counts;
    int frameCounter = 0;
    int failures = 0;
    auto check = [&](bool ok, const char* what, int frame) {
        if (!ok && failures++ < 10) {
            ADD_FAILURE() << what << " after frame " << frame << " at level " << game.level;
        }
    };

    for (int frame = 0; frame < kFrames && failures == 0; ++frame) {
        if (!game.playing) {
            game.playing = true;
            game.setupLevel(1);
            ++counts.games;
            counts.levelsEntered[1]++;
        }
        const Game before = game;
        const int pausesBefore = testWaits().delayCalls;
        const bool fallDue = platformGoes(game, frameCounter);

        game.drawHud(screen);
        game.updateFrame(screen, frameCounter, pictures.player, pictures.portal, pictures.bonus[0],
                         pictures.bonus[1], pictures.bonus[2], pictures.bonus[3], pictures.enemy[0],
                         pictures.enemy[1], pictures.enemy[2]);
        game.stepEnemies(frameCounter);

        const bool lifeLost = game.lives < before.lives || (!game.playing && game.level <= 0);
        // Level 16 is the game won; 0 follows a game lost on the portal platform.
        const bool newLevel = game.level == before.level + 1;
        if (newLevel) {
            ++counts.portals;
            counts.levelsEntered[game.level >= 1 ? game.level : 0]++;
        } else if (lifeLost && fallDue) {
            ++counts.falls;
        } else if (lifeLost) {
            ++counts.captures;
        }
        counts.gameOvers += !game.playing && game.level <= 0 ? 1 : 0;
        check(!fallDue || lifeLost || newLevel || !game.playing, "a vanished platform held", frame);
        const int pauses = testWaits().delayCalls - pausesBefore;
        check(pauses <= 3, "more pauses than a frame can make", frame);

        if (game.playing) {
            check(game.level >= 1 && game.level <= 15, "level out of range", frame);
            check(game.lives >= 0, "negative lives", frame);
            check(inGrid(game, game.playerCol, game.playerRow), "player off the grid", frame);
            const Cell& portal = game.portalCell();
            check(portal.present, "portal platform gone", frame);
            if (isShrinkTick(frameCounter) && pauses == 0) {
                check(portal.rx == portal.fullRx && portal.ry == portal.fullRy,
                      "portal platform not at full size after a tick", frame);
            }
            for (const Enemy& enemy : game.enemies) {
                check(!(enemy.enabled && enemy.visible) || inGrid(game, enemy.col, enemy.row),
                      "enemy off the grid", frame);
            }
            for (int i = 0; i < kBonusesInPlay; ++i) {
                const Bonus& bonus = game.bonuses[i];
                if (bonus.enabled && bonus.visible) {
                    check(inGrid(game, bonus.col, bonus.row), "pickup off the grid", frame);
                    check(!game.isPortalCell(bonus.col, bonus.row), "pickup on the portal", frame);
                }
            }
            for (int i = kBonusesInPlay; i < kBonusCount; ++i) {
                check(!game.bonuses[i].enabled && !game.bonuses[i].visible,
                      "a spare pickup record came into play", frame);
            }
        }
        const int delta = game.score - before.score;
        if (!(game.level == 1 && before.level != 1 && game.score == 0)) {
            check(allowedScoreChange(delta, before.level), "score changed by a foreign amount",
                  frame);
        }
        counts.pickups += delta != 0 && !newLevel ? 1 : 0;

        if (game.playing) {
            botMove(game, bot);
        }
        frameCounter = frameCounter + 1 > 10000 ? 0 : frameCounter + 1;
    }
    freePictures(pictures);

    std::printf(
        "soak: %d frames, %d games, %d portals, %d falls, %d captures, %d game overs, "
        "%d pickup frames\nsoak: levels entered:",
        kFrames, counts.games, counts.portals, counts.falls, counts.captures, counts.gameOvers,
        counts.pickups);
    for (int level = 1; level <= 16; ++level) {
        std::printf(" %d:%d", level, counts.levelsEntered[level]);
    }
    std::printf("\n");
    EXPECT_GT(counts.portals, 0);
    EXPECT_GT(counts.falls, 0);
    EXPECT_GT(counts.captures, 0);
    EXPECT_GT(counts.gameOvers, 0);
    EXPECT_GT(counts.pickups, 0);
    for (int level = 1; level <= 16; ++level) {
        EXPECT_GE(counts.levelsEntered[level], 2) << "level " << level;
    }
}

}  // namespace
