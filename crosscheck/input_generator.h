// Inputs for comparing builds of the core: `count` lines in the format that
// vornell_crosscheck reads, the same for a given count on every run.
#pragma once

#include <cstddef>
#include <string>

namespace vornell::crosscheck {

// The first two lines are two parabolic road inputs whose fifth place moves
// with a one-unit change of I^3; the rest mixes, in turn, everyday road
// inputs (0 to 3 places), inputs at and next to five-place halves, huge and
// tiny numbers, failing runs, untidy texts and random doubles.
std::string generateInputs(std::size_t count);

}  // namespace vornell::crosscheck
