// The readable form of the invader formations: one block per formation, a
// "formation N" line (the rest of that line is free text) and six lines of 28
// cells, outermost ring first; "." is an empty cell, "1" to "5" the kinds.
// Lines starting with "#" are comments. The build turns this text into the
// binary formation table, the same bytes a "waves.dat" holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

constexpr int FormationCount = 101;  // one per level, then the fallback
constexpr int FormationRings = 6;
constexpr int FormationCells = 28;
constexpr int FormationSize = FormationRings * FormationCells;   // 168
constexpr int FormationTableSize = FormationCount * FormationSize;  // 16968

// Index of a cell in the binary table: formation 1..101, ring 0..5, cell 0..27.
// Ring 5 comes first in each formation.
constexpr int FormationCellIndex(int formation, int ring, int cell) {
    return (formation - 1) * FormationSize + (FormationRings - 1 - ring) * FormationCells + cell;
}

// Fills table (FormationTableSize bytes) from the text. Returns "" when every
// formation 1..101 is there exactly once and in order, else the first fault
// as "line N: what".
std::string ParseFormationText(std::string_view text, uint8_t* table);

// The six ring lines of one formation of a binary table, ring 5 first.
std::string FormationAsText(const uint8_t* table, int formation);
