// The makers of the dump areas; each lives beside the model it is built on.
#pragma once

#include <memory>

#include "editors/dump/dump_area.h"

namespace vgr47::dump {

std::unique_ptr<Area> MakeModelArea();
std::unique_ptr<Area> MakeKeysArea();
std::unique_ptr<Area> MakeScanArea();
std::unique_ptr<Area> MakeOptionsArea();
std::unique_ptr<Area> MakeTestFreqArea();
// DTMF and auto channel select
std::unique_ptr<Area> MakeDtmfArea();
std::unique_ptr<Area> MakeAcsArea();
// 5-tone system parameters and encode/decode tables.
std::unique_ptr<Area> MakeTwoToneArea();
std::unique_ptr<Area> MakeFiveToneArea();

}  // namespace vgr47::dump
