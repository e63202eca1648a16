// Every field of the radio memory, declared once, as named constants:
// layout::fields::kOptionsKeyLock, layout::fields::kChannelScan, ...
//
// A declaration line reads X(constant, name, owner, place, shape, models, share):
//   place   At(address), or In(table, offset inside each record)
//   shape   Bit(n), InvertedBit(n), Bits(low, width), LowNibble(), HighNibble(), Byte(),
//           Le16(), Frequency(), Tone(), Text(bytes), Raw(bytes), FillBits(low, width),
//           FillBytes(bytes)
//   models  All, Basic or Signalling
//   share   Own, SharedByte or AlsoWritten
// Adding a field is adding its line to the list of its area; the tests then check that it
// overlaps nothing, lies inside its record and area, and is named after its owner.
#pragma once

#include <string_view>

#include "core/layout/channel_fields.h"
#include "core/layout/layout_types.h"
#include "core/layout/settings_fields.h"
#include "core/layout/signalling_fields.h"

// Applies X to every declaration line.
#define VGR47_LAYOUT_FIELDS(X) \
    VGR47_CHANNEL_FIELDS(X)    \
    VGR47_SETTINGS_FIELDS(X)   \
    VGR47_TWO_TONE_FIELDS(X)   \
    VGR47_FIVE_TONE_FIELDS(X)  \
    VGR47_KEY_DTMF_ACS_FIELDS(X)

namespace vgr47::layout::fields {

using namespace declare;

#define VGR47_LAYOUT_CONSTANT(id, name, owner, place, shape, models, share) \
    inline constexpr Field id{name, Owner::owner, place, shape, Models::models, Share::share};
VGR47_LAYOUT_FIELDS(VGR47_LAYOUT_CONSTANT)
#undef VGR47_LAYOUT_CONSTANT

}  // namespace vgr47::layout::fields

namespace vgr47::layout {

// The field of that name, nullptr when none is declared.
const Field* FindField(std::string_view name);

}  // namespace vgr47::layout
