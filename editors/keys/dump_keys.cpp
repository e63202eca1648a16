// The keys area: the key assignment form's lists as text.
#include "editors/dump/dump_areas.h"
#include "editors/dump/dump_form_values.h"
#include "editors/keys/key_assign_model.h"

namespace vgr47::dump {
namespace {

std::string Entry(const std::vector<std::string>& entries, int index) {
    return index >= 0 && index < static_cast<int>(entries.size()) ? entries[index] : "";
}

std::vector<Line> Lines(const KeyAssignModel& m) {
    std::vector<Line> lines{
        {"keys.monitor", FormatList(m.monitor, Entry(m.MonitorEntries(), m.monitor))}};
    if (!m.sideKeyBytesPresent()) return lines;  // a basic radio's image ends before them
    lines.push_back({"keys.a", FormatList(m.aKey, Entry(m.AKeyEntries(), m.aKey))});
    lines.push_back({"keys.b", FormatList(m.bKey, Entry(m.BKeyEntries(), m.bKey))});
    lines.push_back({"keys.option", std::to_string(m.optionByte)});
    return lines;
}

class KeysArea : public Area {
  public:
    std::string name() const override { return "keys"; }

    std::vector<Line> Dump(const Context& ctx) const override {
        return Lines(KeyAssignModel(ctx.image, ctx.state, ctx.texts));
    }

    void Load(const std::vector<Input>& changed, Context& ctx,
              std::vector<Problem>& problems) const override {
        KeyAssignModel m(ctx.image, ctx.state, ctx.texts);
        const std::size_t before = problems.size();
        for (const Input& in : changed) {
            if (in.key == "keys.monitor") {
                if (auto i = ListChoice(in, m.MonitorEntries().size(), problems)) m.monitor = *i;
            } else if (in.key == "keys.a" || in.key == "keys.b") {
                if (!m.sideKeysShown()) {
                    problems.push_back({in.lineNumber, in.key + " is hidden on this model"});
                } else if (auto i = ListChoice(in, m.AKeyEntries().size(), problems)) {
                    (in.key == "keys.a" ? m.aKey : m.bKey) = *i;
                }
            } else if (in.key == "keys.option") {
                // The form carries this byte through without ever showing its check box.
                problems.push_back(
                    {in.lineNumber, in.key + " has no control in the form and cannot be changed"});
            }
        }
        if (problems.size() == before) m.Store();
    }
};

}  // namespace

std::unique_ptr<Area> MakeKeysArea() { return std::make_unique<KeysArea>(); }

}  // namespace vgr47::dump
