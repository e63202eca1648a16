// The dump area of a form that describes its settings (editors/common/settings_description.h):
// its lines and the loading of changed lines both come from the description, so each key is
// listed once and each problem is worded once.
#pragma once

#include <functional>
#include <memory>

#include "editors/common/settings_description.h"
#include "editors/dump/dump_area.h"
#include "editors/dump/dump_form_values.h"

namespace vgr47::dump {

// What the generated tests see of a described area, whatever its model.
class SettingsArea : public Area {
  public:
    struct Info {
        std::string key;
        const layout::Field* field;
        settings::Control control;
    };
    virtual std::vector<Info> Settings() const = 0;
    // Opens the form and presses OK without changing anything.
    virtual void Ok(Context& ctx) const = 0;
    // Opens the form, gives setting `index` another value the form offers now, as a user
    // choosing it would, and presses OK. Returns the keys of the settings whose values changed
    // (it and those the form changed along with it); none, and the image untouched, when the
    // form offers no other value: the control is disabled, hidden, has a single entry or is no
    // control at all.
    virtual std::vector<std::string> ChangeOne(std::size_t index, Context& ctx) const = 0;
};

template <class Model>
class DescribedArea : public SettingsArea {
  public:
    using Open = std::function<std::unique_ptr<Model>(const Context&)>;

    explicit DescribedArea(Open open) : open_(std::move(open)) {}

    std::string name() const override { return Description().area; }

    std::vector<Line> Dump(const Context& ctx) const override {
        auto m = open_(ctx);
        std::vector<Line> lines;
        for (const auto& s : Description().settings) {
            // Fields stored beyond the end of a short image are left out.
            if (s.field && !layout::ReadHex(ctx.image, *s.field)) continue;
            lines.push_back({s.key, Format(s, *m)});
        }
        return lines;
    }

    void Load(const std::vector<Input>& changed, Context& ctx,
              std::vector<Problem>& problems) const override {
        auto m = open_(ctx);
        const std::size_t before = problems.size();
        if (Description().declaredOrder) {
            for (const auto& s : Description().settings)
                for (const Input& in : changed)
                    if (in.key == s.key) Apply(s, in, *m, problems);
        } else {
            for (const Input& in : changed)
                if (const auto* s = Description().Find(in.key)) Apply(*s, in, *m, problems);
        }
        if (problems.size() == before) m->Store();
    }

    std::vector<Info> Settings() const override {
        std::vector<Info> out;
        for (const auto& s : Description().settings) out.push_back({s.key, s.field, s.control});
        return out;
    }

    void Ok(Context& ctx) const override { open_(ctx)->Store(); }

    std::vector<std::string> ChangeOne(std::size_t index, Context& ctx) const override {
        const auto& all = Description().settings;
        const auto& s = all.at(index);
        auto m = open_(ctx);
        if (s.disabled && s.disabled(*m)) return {};
        const int now = s.Get(*m);
        int other = -1;
        if (s.control == settings::Control::Check) {
            other = now ? 0 : 1;
        } else if (s.control != settings::Control::Carried && s.EntryCount(*m) > 1) {
            other = now < 0 ? 0 : (now + 1) % s.EntryCount(*m);
        }
        if (other < 0) return {};
        std::vector<int> before;
        for (const auto& t : all) before.push_back(t.Get(*m));
        s.Choose(*m, other);
        std::vector<std::string> changed;
        for (std::size_t i = 0; i < all.size(); ++i)
            if (all[i].Get(*m) != before[i]) changed.push_back(all[i].key);
        m->Store();
        return changed;
    }

  private:
    static const settings::Description<Model>& Description() { return Model::Settings(); }

    static std::string Entry(const std::vector<std::string>& entries, int index) {
        return index >= 0 && index < static_cast<int>(entries.size()) ? entries[index] : "";
    }

    static std::string Format(const settings::Setting<Model>& s, const Model& m) {
        const int value = s.Get(m);
        switch (s.control) {
            case settings::Control::Check:
                return FormatCheck(value != 0);
            case settings::Control::Carried:
                return std::to_string(value);
            case settings::Control::ChannelList:
                return FormatChannel(value, Entry(s.entries(m), value));
            case settings::Control::List:
                break;
        }
        return FormatList(value, Entry(s.entries(m), value));
    }

    static void Apply(const settings::Setting<Model>& s, const Input& in, Model& m,
                      std::vector<Problem>& problems) {
        if (s.control == settings::Control::Carried) {
            // The form carries this byte through without ever showing a control for it.
            Unchangeable(in, Format(s, m), "has no control in the form and cannot be changed",
                         problems);
            return;
        }
        if (s.disabled && s.disabled(m) &&
            Unchangeable(in, ValueOnly(Format(s, m)), s.disabled(m), problems))
            return;
        if (s.control == settings::Control::Check) {
            if (auto c = CheckChoice(in, problems)) s.Choose(m, *c ? 1 : 0);
        } else if (s.control == settings::Control::ChannelList) {
            if (auto i = ChannelChoice(in, s.entries(m), problems)) s.Choose(m, *i);
        } else if (auto i = ListChoice(in, s.entries(m).size(), problems)) {
            s.Choose(m, *i);
        }
    }

    Open open_;
};

template <class Model>
std::unique_ptr<Area> MakeDescribedArea(typename DescribedArea<Model>::Open open) {
    return std::make_unique<DescribedArea<Model>>(std::move(open));
}

}  // namespace vgr47::dump
