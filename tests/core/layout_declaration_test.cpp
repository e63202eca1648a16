// The declared layout checked against itself: names, shapes, places, overlaps and sharing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/layout/codeplug_layout.h"

using namespace vgr47;
using layout::Encoding;
using layout::Field;
using layout::Models;
using layout::Share;
using layout::Table;

namespace {

constexpr bool kModelKinds[] = {false, true};  // basic, signalling

const char* KindName(bool signalling) { return signalling ? "signalling" : "basic"; }

// The first byte of every record the field has (one for a fixed field).
std::vector<int> Starts(const Field& f) {
    std::vector<int> starts;
    const int count = f.InTable() ? f.place.table->count : 1;
    for (int r = 1; r <= count; ++r)
        starts.push_back(f.InTable() ? f.place.table->RecordStart(r) + f.place.offset
                                     : f.place.offset);
    return starts;
}

// The bits of the field's bytes it takes, as (byte offset, bit) pairs from its first byte.
std::vector<std::pair<int, int>> Bits(const Field& f) {
    std::vector<std::pair<int, int>> bits;
    for (int b = 0; b < f.shape.bytes; ++b)
        for (int bit = 0; bit < 8; ++bit)
            if (!f.IsBits() || (f.Mask() >> bit & 1)) bits.push_back({b, bit});
    return bits;
}

bool Inside(int start, int bytes, const layout::Area& area) {
    return start >= area.start && start + bytes <= area.end();
}

}  // namespace

TEST(LayoutDeclaration, NamesAreUniqueAndStartWithTheirOwner) {
    std::set<std::string> names;
    for (const Field* f : layout::AllFields()) {
        const std::string name = f->name, prefix = layout::OwnerPrefix(f->owner);
        EXPECT_TRUE(names.insert(name).second) << name << " is declared twice";
        EXPECT_EQ(name.rfind(prefix, 0), 0u) << name << " is not named after its owner";
        EXPECT_GT(name.size(), prefix.size()) << name;
        for (char c : name)
            EXPECT_TRUE(std::islower(static_cast<unsigned char>(c)) ||
                        std::isdigit(static_cast<unsigned char>(c)) || c == '_' || c == '.')
                << name;
        EXPECT_EQ(layout::FindField(name), f);
    }
    EXPECT_EQ(layout::FindField("options.no_such_setting"), nullptr);
    EXPECT_EQ(layout::FindField("options.key_lock"), &layout::fields::kOptionsKeyLock);
}

TEST(LayoutDeclaration, ShapesSuitTheirEncoding) {
    for (const Field* f : layout::AllFields()) {
        const layout::Shape& s = f->shape;
        SCOPED_TRACE(f->name);
        EXPECT_GE(s.bytes, 1);
        if (f->IsBits()) {
            EXPECT_EQ(s.bytes, 1) << "a bit field lies inside one byte";
            EXPECT_GE(s.lowBit, 0);
            EXPECT_LE(s.lowBit + s.width, 8);
        } else {
            EXPECT_EQ(s.lowBit, 0);
        }
        switch (s.encoding) {
            case Encoding::Bit:
            case Encoding::InvertedBit:
                EXPECT_EQ(s.width, 1);
                break;
            case Encoding::BitGroup:
                EXPECT_TRUE(s.width >= 2 && s.width <= 7);
                break;
            case Encoding::Nibble:
                EXPECT_EQ(s.width, 4);
                EXPECT_EQ(s.lowBit % 4, 0);
                break;
            case Encoding::Byte:
                EXPECT_TRUE(s.bytes == 1 && s.width == 0);
                break;
            case Encoding::Le16:
                EXPECT_TRUE(s.bytes == 2 && s.width == 0);
                break;
            case Encoding::Frequency:
                EXPECT_TRUE(s.bytes == 4 && s.width == 0);
                break;
            case Encoding::Tone:
                EXPECT_TRUE(s.bytes == 2 && s.width == 0);
                break;
            case Encoding::Text:
            case Encoding::Raw:
                EXPECT_EQ(s.width, 0);
                break;
            case Encoding::Fill:
                break;
        }
    }
}

TEST(LayoutDeclaration, FieldsLieInsideTheirRecordsAndTheTransferAreas) {
    const auto& tables = layout::AllTables();
    for (const Field* f : layout::AllFields()) {
        SCOPED_TRACE(f->name);
        if (f->InTable()) {
            const Table& t = *f->place.table;
            EXPECT_NE(std::find(tables.begin(), tables.end(), &t), tables.end());
            EXPECT_GE(f->place.offset, 0);
            EXPECT_LE(f->place.offset + f->shape.bytes, t.recordBytes);
            if (t.models != Models::All) {
                EXPECT_EQ(f->models, t.models);
            }
        } else {
            for (const Table* t : tables)
                EXPECT_FALSE(f->place.offset + f->shape.bytes > t->start &&
                             f->place.offset < t->end())
                    << "a fixed field inside " << t->name;
        }
        for (int start : Starts(*f)) {
            const bool first = Inside(start, f->shape.bytes, layout::kFirstTransfer);
            const bool second = Inside(start, f->shape.bytes, layout::kSecondTransfer);
            EXPECT_TRUE(first || second) << "at " << std::hex << start;
            EXPECT_LE(start + f->shape.bytes, layout::kImageBytes);
            // A basic radio's transfer never carries the second area.
            if (second) {
                EXPECT_EQ(f->models, Models::Signalling);
            }
        }
    }
    for (const Table* t : tables) {
        SCOPED_TRACE(t->name);
        EXPECT_TRUE(Inside(t->start, t->bytes(), layout::kFirstTransfer) ||
                    Inside(t->start, t->bytes(), layout::kSecondTransfer));
        for (const Table* other : tables)
            if (other != t) {
                EXPECT_FALSE(t->start < other->end() && other->start < t->end()) << other->name;
            }
    }
    EXPECT_EQ(layout::kBasicImageBytes, 1856);
    EXPECT_EQ(layout::kTuningArea.start, layout::kFirstTransfer.end());
}

TEST(LayoutDeclaration, NoTwoFieldsOfOneModelShareABit) {
    for (bool signalling : kModelKinds) {
        std::vector<const Field*> owner(8 * layout::kImageBytes, nullptr);
        for (const Field* f : layout::AllFields()) {
            if (!layout::ExistsOn(f->models, signalling)) continue;
            for (int start : Starts(*f)) {
                for (auto [byte, bit] : Bits(*f)) {
                    const Field*& taken = owner[8 * (start + byte) + bit];
                    if (taken)
                        ADD_FAILURE() << f->name << " and " << taken->name << " share bit " << bit
                                      << " of 0x" << std::hex << start + byte << " on "
                                      << KindName(signalling) << " models";
                    taken = f;
                }
            }
        }
    }
}

TEST(LayoutDeclaration, EveryBitOfEveryRecordIsDeclared) {
    for (const Table* t : layout::AllTables()) {
        for (bool signalling : kModelKinds) {
            if (!layout::ExistsOn(t->models, signalling)) continue;
            std::vector<int> covered(8 * t->recordBytes, 0);
            for (const Field* f : layout::AllFields()) {
                if (f->place.table != t || !layout::ExistsOn(f->models, signalling)) continue;
                for (auto [byte, bit] : Bits(*f)) ++covered[8 * (f->place.offset + byte) + bit];
            }
            for (std::size_t i = 0; i < covered.size(); ++i)
                EXPECT_EQ(covered[i], 1) << t->name << " byte " << i / 8 << " bit " << i % 8
                                         << " on " << KindName(signalling) << " models";
        }
    }
}

TEST(LayoutDeclaration, BytesOfTwoFormsAreDeclaredShared) {
    std::map<int, std::set<layout::Owner>> owners;  // byte address -> forms with bits there
    for (bool signalling : kModelKinds)
        for (const Field* f : layout::AllFields())
            if (layout::ExistsOn(f->models, signalling))
                for (int start : Starts(*f))
                    for (int b = 0; b < f->shape.bytes; ++b) owners[start + b].insert(f->owner);
    std::set<int> shared;
    for (const Field* f : layout::AllFields()) {
        bool withOthers = false;
        for (int start : Starts(*f))
            for (int b = 0; b < f->shape.bytes; ++b)
                withOthers = withOthers || owners[start + b].size() > 1;
        EXPECT_EQ(withOthers, f->share == Share::SharedByte) << f->name;
        if (withOthers) shared.insert(f->place.offset);
    }
    EXPECT_EQ(shared, (std::set<int>{0x065B, 0x0660}));
}

TEST(LayoutDeclaration, TransfersMoveEveryFieldOfTheirModel) {
    for (bool signalling : kModelKinds) {
        std::set<int> moved;
        for (int block : layout::TransferBlocks(signalling))
            for (int a = block; a < block + layout::kBlockBytes; ++a) moved.insert(a);
        EXPECT_EQ(moved.size(), signalling ? 3904u : 1856u);
        for (int a = layout::kTuningArea.start; a < layout::kTuningArea.end(); ++a)
            EXPECT_EQ(moved.count(a), 0u);
        for (const Field* f : layout::AllFields()) {
            if (!layout::ExistsOn(f->models, signalling)) continue;
            for (int start : Starts(*f))
                EXPECT_TRUE(moved.count(start) && moved.count(start + f->shape.bytes - 1))
                    << f->name << " on " << KindName(signalling) << " models";
        }
    }
}
