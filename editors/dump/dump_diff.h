// Two codeplugs' dumps compared key by key, for reviewing what changed between two radios or
// two versions of one codeplug.
#pragma once

#include <string>
#include <vector>

#include "editors/dump/dump_area.h"

namespace vgr47::dump {

struct Difference {
    std::string key;
    std::string a, b;  // kNoValue where the key is not in that dump
};

// Shown for a key that only one of the dumps has (a channel that is off in one of them).
extern const char* const kNoValue;

// The keys whose values differ, in dump order (a key only the second dump has comes after the
// key it follows there). commonOnly leaves out keys one of the dumps lacks, for codeplugs of two
// models.
std::vector<Difference> DiffDumps(const std::vector<Line>& a, const std::vector<Line>& b,
                                  bool commonOnly);
// "key: <a> -> <b>"
std::string FormatDifference(const Difference& d);

}  // namespace vgr47::dump
