#pragma once
// Alpha2 stripping: the Kalpha2 contribution removed from a pattern measured with both Kalpha lines.
// Each point loses half the already stripped intensity found where the Kalpha1 reflection of the same
// lattice spacing lies (a Rachinger-type correction).
#include <span>

#include "common/core/messages.h"
#include "common/core/raw_format.h"

namespace keltor {

// The file can be stripped: a 2Theta scan, without a monochromator or with a secondary one, and an
// Alpha2 wavelength above the Alpha1 wavelength. Shows the refusal.
bool CheckAlpha2Stripping(km::MessageSink& sink, const km::RawFileHeader& header);

// Whether the menu item applies to this header (the command may still refuse it).
bool Alpha2StrippingOffered(const km::RawFileHeader& header);

// Strips one range in place (values hold its PointCount points) with r = Alpha1 / Alpha2 wavelength;
// sets the extremes and the stripped mark and clears the background points. A range without a
// positive 2Theta step is left alone (false).
bool StripAlpha2(km::RawRangeHeader& header, std::span<float> values, double wavelengthRatio);

}  // namespace keltor
