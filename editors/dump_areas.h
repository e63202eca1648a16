// The makers of the dump areas; each lives beside the model it is built on.
#pragma once

#include <memory>

#include "editors/dump_area.h"

namespace vgr47::dump {

std::unique_ptr<Area> MakeModelArea();
std::unique_ptr<Area> MakeTwoToneArea();

}  // namespace vgr47::dump
