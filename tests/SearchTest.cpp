#include "FaceletTurns.h"
#include "Search.h"

#include <Morvantis/Cube.h>

#include <gtest/gtest.h>

#include <random>

namespace Morvantis::Cube
{
namespace
{
using FaceletTurns::kSolved;

#if defined(__SANITIZE_ADDRESS__)
constexpr int kScrambles = 100;
constexpr int kPatternScrambles = 20;
#else
constexpr int kScrambles = 1000;
constexpr int kPatternScrambles = 200;
#endif

TEST(SearchTest, AnswersFollowTheSearchOrder)
{
    const std::pair<const char*, const char*> cases[] = {
        {"UUUUUUUUUFFFRRRRRRLLLFFFFFFDDDDDDDDDBBBLLLLLLRRRBBBBBB", "U "},
        // U then U2 come first, but their phase-2 answers turn the same face again.
        {"UUUUUUUUUBBBRRRRRRRRRFFFFFFDDDDDDDDDFFFLLLLLLLLLBBBBBB", "U' "},
        {"UUFUUFUUFRRRRRRRRRFFDFFDFFDDDBDDBDDBLLLLLLLLLUBBUBBUBB", "R' "},
        {"UULUUFUUFRRUBRRURRFFDFFUFFFDDRDDDDDDBLLLLLLLLBRRBBBBBB", "U R U' R' "},
        // Thirteen moves although six would do: the first answer found is the one returned.
        {"FFFFUFFFFRRRURURRRDDDRFRDDDBBBBDBBBBLLLDLDLLLUUULBLUUU", "F B R L U2 L2 F2 R2 D2 L2 B2 U' D' "},
        // Recorded from uniformly random cubes: a change to the search order or its bounds (phase 2
        // at most 10 moves, 24 in all) changes most of these.
        {"DRULURFFRUBFBRUUDRLDBUFDBRBLDLBDLBFFLBUFLLRUDRUFFBLDRD",
         "U' D F D R D2 L' D F B D2 R' D B2 L2 U' B2 R2 D' F2 B2 D2 "},
        {"BBDLUFDBFRULURDRRLLRDLFBLBDBDBRDUFRFRDFULFRFUBLUFBLUDU",
         "R' F L2 D' R U F' B L2 D2 R' U2 D2 F2 U F2 R2 F2 D' B2 D "},
        {"RBULURRDLUUBFRFRBBURFUFRFFURDFUDDDBDBDBBLLFFDLLDLBULRL",
         "D B' U D2 R B R2 U D' L F B2 D B2 D2 R2 L2 B2 R2 U' "},
        {"BUUFUUFBLFBLRRURDBUDDBFDRLFUDDFDFLBDDRRULRULBFFRRBLLLB",
         "F2 B D' B2 L B' U R D R' B' D2 F2 U L2 D F2 D B2 D F2 "},
        {"BFRDUUDLDLLBURFUUBFDFRFBRFLFUFBDRBLLLBRDLBRLUURDDBRUFD",
         "U L B2 L B' R2 F L2 U F B' R B2 U L2 B2 D2 L2 B2 D L2 U' "},
        {"UBDRUDDFDLRLBRFRLBFLFUFRBBURDFUDURLLFFRULBDFUBLLDBRUDB",
         "U' D' L U2 D2 B2 R F2 L U' B' R2 F2 D' F2 B2 R2 D "},
    };
    for (const auto& [cube, moves] : cases)
    {
        SCOPED_TRACE(cube);
        EXPECT_EQ(solveCube(cube), std::optional<std::string>(moves));
    }
}

TEST(SearchTest, InvalidCubesHaveNoSolution)
{
    const std::string solved = kSolved;
    const auto with = [&solved](std::initializer_list<std::pair<std::size_t, char>> changes) {
        std::string cube = solved;
        for (const auto& [at, letter] : changes)
            cube[at] = letter;
        return cube;
    };
    struct Case
    {
        const char* name;
        std::string cube;
    };
    const Case cases[] = {
        {"twisted corner URF", with({{8, 'R'}, {9, 'F'}, {20, 'U'}})},
        {"flipped edge UF", with({{7, 'F'}, {19, 'U'}})},
        {"swapped edges UR and UF", with({{5, 'U'}, {10, 'F'}, {7, 'U'}, {19, 'R'}})},
        {"eight U and ten R", with({{0, 'R'}})},
        {"all one letter", std::string(54, 'U')},
        {"53 letters", solved.substr(0, 53)},
        {"empty", ""},
        {"unknown letters", with({{0, 'X'}, {9, 'U'}})},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(solveCube(c.cube), std::nullopt);
    }
    // Only the first 54 letters count.
    EXPECT_EQ(solveCube(std::string("UUUUUUUUUFFFRRRRRRLLLFFFFFFDDDDDDDDDBBBLLLLLLRRRBBBBBB") + "RRRR"),
              std::optional<std::string>("U "));
}

TEST(SearchTest, MovesToText)
{
    SearchState state{};
    state.face = {0, 1, 2, 3, 4, 5};
    state.power = {1, 2, 3, 3, 1, 2};
    EXPECT_EQ(movesToText(state, 0), "");
    EXPECT_EQ(movesToText(state, -1), "");
    EXPECT_EQ(movesToText(state, 6), "U R2 F' D' L B2 ");
}

// Checks the form of a move text and that it turns cube into target, with the test's own stickers.
void expectSolves(const std::string& cube, const std::string& target, const std::string& text)
{
    const auto moves = FaceletTurns::parseMoves(text);
    ASSERT_FALSE(moves.empty());
    ASSERT_LE(moves.size(), 24u);
    for (std::size_t k = 1; k < moves.size(); ++k)
    {
        const int before = moves[k - 1].face;
        const int now = moves[k].face;
        // Never one face twice, and opposite faces only as U D, R L, F B.
        ASSERT_NE(before, now) << text;
        ASSERT_NE(before - 3, now) << text;
    }
    EXPECT_EQ(FaceletTurns::applyMoves(cube, moves), target) << text;
}

TEST(SearchTest, RandomScramblesAreSolved)
{
    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> length(8, 40);
    for (int round = 0; round < kScrambles; ++round)
    {
        SCOPED_TRACE(round);
        const std::string cube = FaceletTurns::scramble(rng, length(rng));
        if (cube == kSolved)
            continue;
        const auto text = solveCube(cube);
        ASSERT_TRUE(text.has_value()) << cube;
        expectSolves(cube, kSolved, *text);
    }
}

TEST(SearchTest, RandomCubesReachRandomPatterns)
{
    std::mt19937 rng(4321);
    for (int round = 0; round < kPatternScrambles; ++round)
    {
        SCOPED_TRACE(round);
        const std::string cube = FaceletTurns::scramble(rng, 30);
        const std::string pattern = FaceletTurns::scramble(rng, 30);
        const std::string text = rubikSolve(cube, &pattern);
        expectSolves(cube, pattern, text);
    }
}

} // namespace
} // namespace Morvantis::Cube
