// The dump area of a form that describes its settings (editors/common/settings_description.h):
// its lines and the loading of changed lines both come from the description, so each key is
// listed once and each problem is worded once.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

#include "core/messages.h"
#include "editors/common/settings_description.h"
#include "editors/dump/dump_area.h"
#include "editors/dump/dump_form_values.h"

namespace vgr47::dump {

// What a described area does beyond its settings.
template <class Model>
struct AreaRules {
    // Whether the image holds the form's bytes at all: nothing is dumped or taken where it
    // does not. Default: always.
    std::function<bool(const Context&)> shown;
    // Why the area takes no changes on this model ("this model has no DTMF settings"); every
    // changed line is refused then. nullptr (or no rule) when it takes them.
    std::function<const char*(const Context&)> refused;
    // The problem when the form's OK refuses to store (not tied to a line); none when empty.
    std::string noRoom;
    // Checks what the changed lines leave as a whole, once each of them passed on its own
    // (a list of channels without gaps, say); adds its problems.
    std::function<void(const Model&, const std::vector<Input>&, std::vector<Problem>&)> checkAll;
};

// Messages a form shows while loaded lines are applied; they become problems of the load.
class CollectedMessages : public Messages {
  public:
    std::vector<std::string> shown;
    void ShowMessage(const std::string& text) override { shown.push_back(text); }
    Answer Ask(const std::string&, const std::string&, Buttons, bool) override {
        return Answer::Cancel;
    }
};

// What the generated tests see of a described area, whatever its model.
class SettingsArea : public Area {
  public:
    struct Info {
        std::string key;
        const layout::Field* field;
        int record;                    // a table field's record, else 0
        const layout::Field* partner;  // the second field of a pair, else nullptr
        settings::Control control;
        bool wholeRecord;  // the line stands for its whole record
        bool offered;      // the form offers a control for it
    };
    virtual std::vector<Info> Settings() const = 0;
    // Opens the form, shows the part setting `index` is in (a tab the form rewrites whole
    // once shown) and presses OK without changing anything.
    virtual void Ok(std::size_t index, Context& ctx) const = 0;
    // Opens the form, gives setting `index` another value the form offers now, as a user
    // choosing it would, and presses OK. Returns the keys of the settings whose values changed
    // (it and those the form changed along with it); none, and the image untouched, when the
    // form offers no other value: the control is disabled, hidden, has a single entry or is no
    // control at all, or the area takes no changes on this codeplug.
    virtual std::vector<std::string> ChangeOne(std::size_t index, Context& ctx) const = 0;
};

// Model: a form's headless model with a static Settings() (its description) and its OK:
// Store(), or Apply(), Ok() or Write() when the form may refuse to store. open makes the model on
// the context's image, as the form does when it opens.
template <class Model>
class DescribedArea : public SettingsArea {
  public:
    using Open = std::function<std::unique_ptr<Model>(const Context&, Messages&)>;

    DescribedArea(Open open, AreaRules<Model> rules)
        : open_(std::move(open)), rules_(std::move(rules)) {}

    std::string name() const override { return Description().area; }

    std::vector<Line> Dump(const Context& ctx) const override {
        if (!Shown(ctx)) return {};
        CollectedMessages quiet;
        auto m = open_(ctx, quiet);
        std::vector<Line> lines;
        for (const auto& s : Description().settings) {
            // Fields stored beyond the end of a short image are left out.
            if (s.field && !layout::ReadHex(ctx.image, *s.field, s.record)) continue;
            lines.push_back({s.key, Format(s, *m)});
        }
        return lines;
    }

    void Load(const std::vector<Input>& changed, Context& ctx,
              std::vector<Problem>& problems) const override {
        if (!Shown(ctx)) return;
        if (const char* why = rules_.refused ? rules_.refused(ctx) : nullptr) {
            for (const Input& in : changed)
                problems.push_back({in.lineNumber, in.key + ": " + why});
            return;
        }
        CollectedMessages messages;
        auto m = open_(ctx, messages);
        const std::size_t before = problems.size();
        const Given given = [&changed](const std::string& key) -> const std::string* {
            for (const Input& in : changed)
                if (in.key == key) return &in.value;
            return nullptr;
        };
        if (Description().declaredOrder) {
            std::vector<int> failedGroups;
            int visited = 0;
            for (const auto& s : Description().settings)
                for (const Input& in : changed) {
                    if (in.key != s.key) continue;
                    if (s.group) {
                        if (std::count(failedGroups.begin(), failedGroups.end(), s.group)) continue;
                        if (s.group != visited) Visit(*m, visited = s.group);
                    }
                    const std::size_t was = problems.size();
                    Apply(s, in, *m, given, problems);
                    if (s.group && problems.size() != was) failedGroups.push_back(s.group);
                }
        } else {
            for (const Input& in : changed) {
                if (const auto* s = Description().Find(in.key)) Apply(*s, in, *m, given, problems);
                if (Description().firstProblemOnly && problems.size() != before) return;
            }
        }
        if (problems.size() != before) return;
        if (rules_.checkAll) rules_.checkAll(*m, changed, problems);
        if (problems.size() != before) return;
        if (!Press(*m) && !rules_.noRoom.empty()) problems.push_back({0, rules_.noRoom});
        // Every line was checked above, so the form's rules have nothing left to say; should
        // they, the text must not change the codeplug behind the user's back.
        for (const std::string& text : messages.shown)
            problems.push_back({0, name() + ": " + text});
    }

    std::vector<Info> Settings() const override {
        std::vector<Info> out;
        for (const auto& s : Description().settings)
            out.push_back({s.key, s.field, s.record, s.partner, s.control, s.wholeRecord,
                           !s.notOffered && s.control != settings::Control::Carried});
        return out;
    }

    void Ok(std::size_t index, Context& ctx) const override {
        if (!Shown(ctx)) return;
        CollectedMessages quiet;
        auto m = open_(ctx, quiet);
        if (const int group = Description().settings.at(index).group) Visit(*m, group);
        Press(*m);
    }

    std::vector<std::string> ChangeOne(std::size_t index, Context& ctx) const override {
        if (!Shown(ctx) || (rules_.refused && rules_.refused(ctx))) return {};
        const auto& all = Description().settings;
        const auto& s = all.at(index);
        if (s.notOffered) return {};
        CollectedMessages quiet;
        auto m = open_(ctx, quiet);
        if (s.group) Visit(*m, s.group);
        if (s.disabled && s.disabled(*m)) return {};
        std::vector<std::string> before;
        for (const auto& t : all) before.push_back(Format(t, *m));
        if (s.special) {
            // The first value the form takes, each tried on a freshly opened form.
            const auto offered = s.offered ? s.offered(*m) : std::vector<std::string>{};
            const Given none = [](const std::string&) -> const std::string* { return nullptr; };
            bool taken = false;
            for (const std::string& value : offered) {
                if (value == s.text(*m)) continue;
                if (s.special(*m, value, none).empty()) {
                    taken = true;
                    break;
                }
                m = open_(ctx, quiet);
                if (s.group) Visit(*m, s.group);
            }
            if (!taken) return {};
        } else if (s.control == settings::Control::Text) {
            const std::string now = s.text(*m);
            const auto offered = s.offered ? s.offered(*m) : std::vector<std::string>{};
            const auto other = std::find_if(offered.begin(), offered.end(),
                                            [&](const std::string& t) { return t != now; });
            if (other == offered.end()) return {};
            s.ChooseText(*m, *other);
        } else {
            const int now = s.Get(*m);
            int other = -1;
            if (s.control == settings::Control::Check) {
                other = now ? 0 : 1;
            } else if (s.control != settings::Control::Carried && s.EntryCount(*m) > 1) {
                // Not entry 0, which the form may store for a list without a selection.
                other = now < 0 ? 1 : (now + 1) % s.EntryCount(*m);
            }
            if (other < 0) return {};
            s.Choose(*m, other);
        }
        // Changed as the form shows it now, or as it reads back after OK (which may apply
        // the form's clamps to fields the change enabled).
        std::vector<std::string> shown;
        for (const auto& t : all) shown.push_back(Format(t, *m));
        Press(*m);
        auto reopened = open_(ctx, quiet);
        std::vector<std::string> changed;
        for (std::size_t i = 0; i < all.size(); ++i)
            if (shown[i] != before[i] || Format(all[i], *reopened) != before[i])
                changed.push_back(all[i].key);
        return changed;
    }

  private:
    using Given = typename settings::Setting<Model>::Given;

    static const settings::Description<Model>& Description() { return Model::Settings(); }

    static void Visit(Model& m, int group) {
        if (Description().visit) Description().visit(m, group);
    }

    template <class M, class = void>
    struct HasStore : std::false_type {};
    template <class M>
    struct HasStore<M, std::void_t<decltype(std::declval<M&>().Store())>> : std::true_type {};
    template <class M, class = void>
    struct HasApply : std::false_type {};
    template <class M>
    struct HasApply<M, std::void_t<decltype(std::declval<M&>().Apply())>> : std::true_type {};
    template <class M, class = void>
    struct HasOk : std::false_type {};
    template <class M>
    struct HasOk<M, std::void_t<decltype(std::declval<M&>().Ok())>> : std::true_type {};

    // The form's OK: the model's Store(), Apply(), Ok() or Write(), whichever it has; false
    // when it refused to store.
    static bool Press(Model& m) {
        if constexpr (HasStore<Model>::value) {
            if constexpr (std::is_void_v<decltype(m.Store())>) {
                m.Store();
                return true;
            } else {
                return m.Store();
            }
        } else if constexpr (HasApply<Model>::value) {
            return m.Apply();
        } else if constexpr (HasOk<Model>::value) {
            return m.Ok();
        } else {
            return m.Write();
        }
    }

    bool Shown(const Context& ctx) const { return !rules_.shown || rules_.shown(ctx); }

    static std::string Entry(const std::vector<std::string>& entries, int index) {
        return index >= 0 && index < static_cast<int>(entries.size()) ? entries[index] : "";
    }

    static std::string Format(const settings::Setting<Model>& s, const Model& m) {
        if (s.control == settings::Control::Text) {
            const std::string text = s.text(m);
            const bool bare = s.quoting == settings::Quoting::Never ||
                              (s.quoting == settings::Quoting::NotWhenEmpty && text.empty());
            return bare ? text : FormatQuoted(text);
        }
        const int value = s.Get(m);
        switch (s.control) {
            case settings::Control::Check:
                return FormatCheck(value != 0);
            case settings::Control::Carried:
                return std::to_string(value);
            case settings::Control::ChannelList:
                return FormatChannel(value, Entry(s.entries(m), value));
            case settings::Control::List:
            case settings::Control::Text:
                break;
        }
        return FormatList(value, Entry(s.entries(m), value));
    }

    static void Apply(const settings::Setting<Model>& s, const Input& in, Model& m,
                      const Given& given, std::vector<Problem>& problems) {
        if (s.notOffered) {
            problems.push_back({in.lineNumber, in.key + ": " + s.notOffered});
            return;
        }
        if (s.special) {
            const std::string why = s.special(m, in.value, given);
            if (!why.empty()) problems.push_back({in.lineNumber, in.key + ": " + why});
            return;
        }
        if (s.control == settings::Control::Carried) {
            // The form carries this byte through without ever showing a control for it.
            Unchangeable(in, Format(s, m), "has no control in the form and cannot be changed",
                         problems);
            return;
        }
        if (s.disabled && s.disabled(m) &&
            Unchangeable(in, ValueOnly(Format(s, m)), s.disabled(m), problems))
            return;
        if (s.control == settings::Control::Text) {
            std::string why;
            const auto kept =
                s.checkText ? s.checkText(m, in.value, why) : std::optional<std::string>(in.value);
            if (kept)
                s.ChooseText(m, *kept);
            else
                problems.push_back({in.lineNumber, in.key + ": " + why});
        } else if (s.control == settings::Control::Check) {
            if (auto c = Description().checkWording == settings::CheckWording::Expected
                             ? ExpectedCheck(in, problems)
                             : CheckChoice(in, problems))
                s.Choose(m, *c ? 1 : 0);
        } else if (s.control == settings::Control::ChannelList) {
            if (auto i = ChannelChoice(in, s.entries(m), problems)) s.Choose(m, *i);
        } else if (auto i = ListIndex(in, s.entries(m).size(), problems)) {
            s.Choose(m, *i);
        }
    }

    static std::optional<int> ListIndex(const Input& in, std::size_t entries,
                                        std::vector<Problem>& problems) {
        switch (Description().listWording) {
            case settings::ListWording::NotAnEntry:
                return ListChoice(in, entries, problems);
            case settings::ListWording::ExpectedEntry:
                return EntryChoice(in, entries, problems, "expected an entry from 0 to ");
            case settings::ListWording::ExpectedListEntry:
                return EntryChoice(in, entries, problems, "expected a list entry from 0 to ");
            case settings::ListWording::ExpectedRange:
                break;
        }
        return EntryChoice(in, entries, problems, "expected 0 to ");
    }

    Open open_;
    AreaRules<Model> rules_;
};

template <class Model>
std::unique_ptr<Area> MakeDescribedArea(typename DescribedArea<Model>::Open open,
                                        AreaRules<Model> rules = {}) {
    return std::make_unique<DescribedArea<Model>>(std::move(open), std::move(rules));
}

}  // namespace vgr47::dump
