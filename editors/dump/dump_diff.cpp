#include "editors/dump/dump_diff.h"

#include <algorithm>
#include <map>

namespace vgr47::dump {

const char* const kNoValue = "(none)";

std::vector<Difference> DiffDumps(const std::vector<Line>& a, const std::vector<Line>& b,
                                  bool commonOnly) {
    std::map<std::string, std::string> inA, inB;
    for (const Line& l : a) inA.emplace(l.key, l.value);
    for (const Line& l : b) inB.emplace(l.key, l.value);

    // The keys of a in order, each key only b has placed after the key before it in b.
    std::vector<std::string> order;
    for (const Line& l : a) order.push_back(l.key);
    auto place = order.begin();
    for (const Line& l : b) {
        auto found = std::find(order.begin(), order.end(), l.key);
        if (found != order.end()) {
            place = found + 1;
        } else {
            place = order.insert(place, l.key) + 1;
        }
    }

    std::vector<Difference> differences;
    for (const std::string& key : order) {
        auto ia = inA.find(key), ib = inB.find(key);
        const bool both = ia != inA.end() && ib != inB.end();
        if (commonOnly && !both) continue;
        const std::string va = ia == inA.end() ? kNoValue : ia->second;
        const std::string vb = ib == inB.end() ? kNoValue : ib->second;
        if (!both || va != vb) differences.push_back({key, va, vb});
    }
    return differences;
}

std::string FormatDifference(const Difference& d) { return d.key + ": " + d.a + " -> " + d.b; }

}  // namespace vgr47::dump
