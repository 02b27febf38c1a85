// A sticker-level cube for the tests, built from geometry alone so that it shares nothing with the
// solver's cubie model: each facelet is a point and an outward normal, and a face turn rotates them.
#pragma once

#include <array>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace FaceletTurns
{

constexpr const char* kSolved = "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB";

using Vec = std::array<int, 3>;   // x: L to R, y: D to U, z: B to F
using Move = std::pair<int, int>; // face, power

// Nine numbers per face U, R, F, D, L, B: the outward normal, then the directions in which a facelet's
// column and row numbers grow as seen from outside.
constexpr int kFrames[6][9]{{0, 1, 0, 1, 0, 0, 0, 0, 1},   {1, 0, 0, 0, 0, -1, 0, -1, 0},
                            {0, 0, 1, 1, 0, 0, 0, -1, 0},  {0, -1, 0, 1, 0, 0, 0, 0, -1},
                            {-1, 0, 0, 0, 0, 1, 0, -1, 0}, {0, 0, -1, -1, 0, 0, 0, -1, 0}};

// Cubie centre and outward normal of facelet p.
inline std::array<Vec, 2> stickerOf(int p)
{
    const int* f = kFrames[p / 9];
    Vec at{};
    for (std::size_t i = 0; i < 3; ++i)
        at[i] = f[i] + (p % 3 - 1) * f[3 + i] + (p % 9 / 3 - 1) * f[6 + i];
    return {at, Vec{f[0], f[1], f[2]}};
}

// Clockwise quarter turn about the outward normal n: v -> n(n.v) - n x v.
inline Vec clockwise(const Vec& n, const Vec& v)
{
    const int d = n[0] * v[0] + n[1] * v[1] + n[2] * v[2];
    return {n[0] * d - n[1] * v[2] + n[2] * v[1], n[1] * d - n[2] * v[0] + n[0] * v[2],
            n[2] * d - n[0] * v[1] + n[1] * v[0]};
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
        for (std::size_t q = 0; q < 54; ++q)
            if (stickerOf(static_cast<int>(q)) == (inLayer ? moved : stickerOf(p)))
                target[static_cast<std::size_t>(p)] = q;
    }
    return target;
}

inline std::string turn(std::string cube, int face, int power)
{
    static const std::vector<std::vector<std::size_t>> turns{quarterTurn(0), quarterTurn(1), quarterTurn(2),
                                                             quarterTurn(3), quarterTurn(4), quarterTurn(5)};
    std::string next = cube; // a turn writes every position of next
    for (int i = 0; i < power; ++i, cube = next)
        for (std::size_t p = 0; p < 54; ++p)
            next[turns.at(static_cast<std::size_t>(face))[p]] = cube[p];
    return cube;
}

// Parses "U R2 F' " strictly: a face letter, then nothing, '2' or '\'', then exactly one blank.
inline std::vector<Move> parseMoves(const std::string& text)
{
    std::vector<Move> moves;
    for (std::size_t i = 0; i < text.size();)
    {
        const auto face = std::string("URFDLB").find(text[i++]);
        int power = 1;
        if (i < text.size() && (text[i] == '2' || text[i] == '\''))
            power = text[i++] == '2' ? 2 : 3;
        if (face == std::string::npos || i >= text.size() || text[i++] != ' ')
            throw std::invalid_argument("not a move text: " + text);
        moves.emplace_back(static_cast<int>(face), power);
    }
    return moves;
}

inline std::string applyMoves(std::string cube, const std::vector<Move>& moves)
{
    for (const auto& [face, power] : moves)
        cube = turn(cube, face, power);
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
