#pragma once
// Run-length encoded bitmap data (BI_RLE8, BI_RLE4) expanded to palette indexes, as
// Windows expands it.

#include <cstdint>
#include <functional>
#include <span>

namespace kivolt {

// Receives one expanded row: its stored number (0 is the bottom row) and width indexes,
// one a byte.
using IndexRowSink = std::function<void(int storedRow, const std::uint8_t* indexes)>;

// Expands data for a width x height bitmap of bitsPerIndex (8 or 4) and hands every row to
// sink once, bottom row first. Pixels the codes never reach stay index 0; runs reaching
// past the right edge are cut there, not wrapped; the picture ends at the end-of-bitmap
// code, at a code whose bytes are missing, or where a line end or delta moves past the
// last row.
void expandRunLength(std::span<const std::uint8_t> data, int width, int height, int bitsPerIndex,
                     const IndexRowSink& sink);

}  // namespace kivolt
