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
std::unique_ptr<Area> MakeTwoToneArea();
// The fivetone lines of two forms: the 5-tone system parameters, then the encode/decode
// pages and tables. Each form is written only when one of its own lines changed (OK of the
// encode/decode form also normalises bytes the text cannot show).
std::unique_ptr<Area> MakeFiveToneSystemArea();
std::unique_ptr<Area> MakeFiveToneCodesArea();

}  // namespace vgr47::dump
