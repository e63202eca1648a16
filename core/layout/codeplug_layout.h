// The declared codeplug layout: every field of the radio memory once (fields.h and the
// *_fields.h lists), the areas and record tables (layout_types.h), and typed access to the
// fields of a CodeplugImage (layout_access.h).
//
//   layout::Read(image, layout::fields::kOptionsKeyLock)
//   layout::Write(image, layout::fields::kChannelScan, record, 0xB5)
#pragma once

#include "core/layout/fields.h"
#include "core/layout/layout_access.h"
#include "core/layout/layout_types.h"
