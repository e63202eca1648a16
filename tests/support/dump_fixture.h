// A default codeplug with its text form, for the dump and load tests of every area.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "editors/dump/dump_area.h"
#include "tests/support/form_fixture.h"

namespace vgr47::testing {

struct DumpFixture : FormFixture {
    dump::Context ctx{image, state, texts, *channels};
    using FormFixture::FormFixture;

    // The dump's lines whose keys start with `prefix`, by key.
    std::map<std::string, std::string> Lines(const std::string& prefix = "") const {
        std::map<std::string, std::string> out;
        for (const dump::Line& l : dump::DumpAll(ctx))
            if (l.key.rfind(prefix, 0) == 0) out[l.key] = l.value;
        return out;
    }
    // One line's value; "<absent>" when the dump has no such key.
    std::string Value(const std::string& key) const {
        for (const dump::Line& l : dump::DumpAll(ctx))
            if (l.key == key) return l.value;
        return "<absent>";
    }
    bool Load(const std::string& text, std::vector<dump::Problem>& problems) {
        return dump::LoadText(text, ctx, problems);
    }
    // Loads the text; on success the problems are empty.
    std::vector<dump::Problem> Load(const std::string& text) {
        std::vector<dump::Problem> problems;
        bool ok = dump::LoadText(text, ctx, problems);
        EXPECT_EQ(ok, problems.empty());
        return problems;
    }
    std::string Bytes(int address, int count) const { return image.ReadBytes(address, count); }
};

}  // namespace vgr47::testing
