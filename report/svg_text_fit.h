#pragma once
// Fitting text into an SVG picture drawn without a font at hand: widths estimated a little over
// what the common sans faces draw, and texts shortened with an ellipsis to the room they have.

#include <cstddef>
#include <string>
#include <string_view>

namespace zento {

// A text's width at `size`, a little over what the common sans faces draw.
double TextWidth(std::string_view text, double size);
// The first `count` characters of a UTF-8 text, with an ellipsis if any were left out.
std::string Cut(const std::string& text, std::size_t count);
// The text, or as much of it as fits `room` with an ellipsis.
std::string Fitted(const std::string& text, double size, double room);

}  // namespace zento
