// What the generated tests need of an image's bits: scrambling one, and the bits that differ
// between two.
#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string>

#include "core/codeplug_image.h"
#include "core/codeplug_lib.h"
#include "core/layout/fields.h"

namespace vgr47::testing {

// Random bytes in half the places but the identity, so that records hold odd bit patterns
// and lists values past their ends.
inline void Scramble(CodeplugImage& image, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::string text = image.image();
    const auto& id = layout::fields::kModelIdentity;
    for (std::size_t i = 0; i < text.size() / 2; ++i) {
        const int address = static_cast<int>(i);
        if (address >= id.place.offset && address < id.place.offset + id.shape.bytes) continue;
        if (random() % 2) text.replace(2 * i, 2, IntToHex(static_cast<int>(random() % 256), 1));
    }
    image.SetImageText(text);
}

// Each changed bit, as address -> mask.
inline std::map<int, int> ChangedBits(const std::string& a, const std::string& b) {
    std::map<int, int> out;
    for (std::size_t i = 0; i + 1 < a.size() && i + 1 < b.size(); i += 2) {
        const int x = HexToInt(a.substr(i, 2)) ^ HexToInt(b.substr(i, 2));
        if (x) out[static_cast<int>(i / 2)] = x;
    }
    return out;
}

// The bytes that differ, as "ADDR:old>new".
inline std::string Changes(const std::string& a, const std::string& b) {
    std::string out;
    for (const auto& [address, mask] : ChangedBits(a, b))
        out += " " + IntToHex(address, 2) + ":" + a.substr(2 * address, 2) + ">" +
               b.substr(2 * address, 2);
    return a.size() == b.size() ? out : out + " and the length";
}

}  // namespace vgr47::testing
