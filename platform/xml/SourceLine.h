#pragma once
// The text of one line of a file, for showing where a parse failed. Lines are
// those of rt::LineCounter, the ones every message names; a byte-order mark
// is no part of the first. A long line is cut to a window of characters
// around the reported column.
#include <cstddef>
#include <string>

namespace xml {

constexpr std::size_t kSourceTextMax = 512; // characters kept of one line

// line and linepos are 1-based; linepos 0 means unknown. Empty when the file
// cannot be read or has no such line. The text is valid UTF-8: the bytes are
// read in encoding, the document's declared one, when it keeps ASCII and they
// are of it; otherwise as UTF-8, or as Windows-1252 when they are not.
std::string sourceLine(const std::string& path, long line, int linepos,
                       const std::string& encoding = {});

} // namespace xml
