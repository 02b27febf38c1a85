// A sticker-level cube for the tests, built from geometry alone so that it shares nothing with the
// solver's cubie model: each facelet is a point and an outward normal, and a face turn rotates them.
#pragma once

#include <array>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace FaceletTurns
{

constexpr const char* kSolved = "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB";
const std::string kFaces = "URFDLB";

using Vec = std::array<int, 3>; // x: L to R, y: D to U, z: B to F

// Cubie centre and outward normal of facelet p; rows and columns as seen from outside.
inline std::array<Vec, 2> stickerOf(int p)
{
    const int r = (p % 9) / 3;
    const int c = p % 3;
    switch (p / 9)
    {
    case 0: return {{{c - 1, 1, r - 1}, {0, 1, 0}}};   // U: rows from B to F
    case 1: return {{{1, 1 - r, 1 - c}, {1, 0, 0}}};   // R: columns from F to B
    case 2: return {{{c - 1, 1 - r, 1}, {0, 0, 1}}};   // F
    case 3: return {{{c - 1, -1, 1 - r}, {0, -1, 0}}}; // D: rows from F to B
    case 4: return {{{-1, 1 - r, c - 1}, {-1, 0, 0}}}; // L: columns from B to F
    default: return {{{1 - c, 1 - r, -1}, {0, 0, -1}}}; // B: columns from R to L
    }
}

// Clockwise quarter turn about the outward normal n: v -> n(n.v) - n x v.
inline Vec clockwise(const Vec& n, const Vec& v)
{
    const int d = n[0] * v[0] + n[1] * v[1] + n[2] * v[2];
    const Vec cross{n[1] * v[2] - n[2] * v[1], n[2] * v[0] - n[0] * v[2], n[0] * v[1] - n[1] * v[0]};
    return {n[0] * d - cross[0], n[1] * d - cross[1], n[2] * d - cross[2]};
}

// target[p]: where the sticker at p goes under a clockwise quarter turn of face.
inline std::vector<std::size_t> quarterTurn(int face)
{
    const Vec n = stickerOf(face * 9 + 4)[1];
    std::vector<std::size_t> target(54);
    for (int p = 0; p < 54; ++p)
    {
        const auto [at, normal] = stickerOf(p);
        const bool inLayer = at[0] * n[0] + at[1] * n[1] + at[2] * n[2] == 1;
        const std::array<Vec, 2> moved{clockwise(n, at), clockwise(n, normal)};
        for (int q = 0; q < 54; ++q)
            if (stickerOf(q) == (inLayer ? moved : stickerOf(p)))
                target[static_cast<std::size_t>(p)] = static_cast<std::size_t>(q);
    }
    return target;
}

inline std::string turn(std::string cube, int face, int power)
{
    static const std::vector<std::vector<std::size_t>> turns{quarterTurn(0), quarterTurn(1), quarterTurn(2),
                                                             quarterTurn(3), quarterTurn(4), quarterTurn(5)};
    for (int i = 0; i < power; ++i)
    {
        std::string next = cube;
        for (std::size_t p = 0; p < 54; ++p)
            next[turns.at(static_cast<std::size_t>(face))[p]] = cube[p];
        cube = next;
    }
    return cube;
}

struct Move
{
    int face;
    int power;
};

// Parses "U R2 F' " strictly: a face letter, then nothing, '2' or '\'', then exactly one blank.
inline std::vector<Move> parseMoves(const std::string& text)
{
    std::vector<Move> moves;
    for (std::size_t i = 0; i < text.size();)
    {
        const auto face = kFaces.find(text[i++]);
        int power = 1;
        if (i < text.size() && (text[i] == '2' || text[i] == '\''))
            power = text[i++] == '2' ? 2 : 3;
        if (face == std::string::npos || i >= text.size() || text[i++] != ' ')
            throw std::invalid_argument("not a move text: " + text);
        moves.push_back({static_cast<int>(face), power});
    }
    return moves;
}

inline std::string applyMoves(std::string cube, const std::vector<Move>& moves)
{
    for (const Move& m : moves)
        cube = turn(cube, m.face, m.power);
    return cube;
}

inline std::string scramble(std::mt19937& rng, int length)
{
    std::string cube = kSolved;
    for (int i = 0; i < length; ++i)
        cube = turn(cube, std::uniform_int_distribution<int>(0, 5)(rng), std::uniform_int_distribution<int>(1, 3)(rng));
    return cube;
}

} // namespace FaceletTurns
