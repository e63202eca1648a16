// What a form shows for each of its settings, as data: the setting's dump key, the layout
// field it is stored in, its control, the model member it edits, its list, when it may be
// changed, and its read and write rules where they are more than the field's encoding. The
// form's model loads and stores its plain fields through the description, the dump/load area
// is generated from it, and the generated tests walk it.
//
// A description is a list of lines such as
//   Check("options.key_lock", fields::kOptionsKeyLock, &OptionModel::keyLock),
//   List("options.ptt_mode", fields::kOptionsPttMode, &OptionModel::ptt, &OptionModel::PttEntries)
//       .Reads(PttIndexOfBits).Writes(PttBitsOfIndex).DisabledWhen(BasicModel),
// in the order the form applies them (a list that decides what the next one offers comes first).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/layout/codeplug_layout.h"

namespace vgr47::settings {

enum class Control {
    Check,        // a check box: a bool member, its field a bit
    List,         // a list: an int member holding the selected index (-1 = no selection)
    ChannelList,  // a list of channel names ("None", "5", "A"), dumped by name
    Carried,      // no control: an int member carrying the stored value through
};

template <class Model>
struct Setting {
    using Entries = std::function<std::vector<std::string>(const Model&)>;
    // The stored value of the field and the list index (or carried value) of it, both ways.
    using Rule = std::function<int(const Model&, int)>;
    // Why the form does not let the user change the setting now ("is disabled on this model");
    // nullptr when it does.
    using Why = const char* (*)(const Model&);

    std::string key;                       // the dump key: the field's name where there is one
    const layout::Field* field = nullptr;  // nullptr: the setting spans several places
    Control control = Control::List;
    bool Model::*check = nullptr;          // Check
    int Model::*index = nullptr;           // List, ChannelList, Carried
    void (Model::*choose)(int) = nullptr;  // a choice with consequences for other lists
    Entries entries;                       // List, ChannelList
    Rule read;                             // stored value -> index; default: the value itself
    Rule write;                            // index -> stored value; default: the index itself
    int storedWithoutSelection = -1;       // written when the list has no selection; -1: keep
    Why disabled = nullptr;

    Setting Reads(Rule rule) const { return With(&Setting::read, std::move(rule)); }
    Setting Writes(Rule rule) const { return With(&Setting::write, std::move(rule)); }
    Setting DisabledWhen(Why why) const { return With(&Setting::disabled, why); }
    Setting ChosenBy(void (Model::*f)(int)) const { return With(&Setting::choose, f); }
    Setting StoresWithoutSelection(int stored) const {
        return With(&Setting::storedWithoutSelection, stored);
    }

    int EntryCount(const Model& m) const {
        return entries ? static_cast<int>(entries(m).size()) : 0;
    }
    // The selection (or carried value) as the control holds it.
    int Get(const Model& m) const { return control == Control::Check ? m.*check : m.*index; }
    // A user's choice: through the model's own rule where it has one.
    void Choose(Model& m, int value) const {
        if (control == Control::Check)
            m.*check = value != 0;
        else if (choose)
            (m.*choose)(value);
        else
            m.*index = value;
    }

  private:
    template <class T, class V>
    Setting With(T Setting::*member, V value) const {
        Setting copy = *this;
        copy.*member = std::move(value);
        return copy;
    }
};

template <class Model>
struct Description {
    std::string area;  // "options": every key starts with it and a dot
    std::vector<Setting<Model>> settings;
    // Whether loaded lines are applied in the declared order (each list deciding what the
    // next offers) rather than in the order they are given.
    bool declaredOrder = false;

    const Setting<Model>* Find(const std::string& key) const {
        for (const auto& s : settings)
            if (s.key == key) return &s;
        return nullptr;
    }
};

// ---- the lines of a description ----
template <class Model>
Setting<Model> Check(std::string key, const layout::Field& field, bool Model::*member) {
    Setting<Model> s;
    s.key = std::move(key);
    s.field = &field;
    s.control = Control::Check;
    s.check = member;
    return s;
}

template <class Model, class Entries>
Setting<Model> List(std::string key, const layout::Field& field, int Model::*member,
                    Entries entries) {
    Setting<Model> s;
    s.key = std::move(key);
    s.field = &field;
    s.index = member;
    s.entries = std::move(entries);
    return s;
}

template <class Model, class Entries>
Setting<Model> ChannelList(std::string key, const layout::Field& field, int Model::*member,
                           Entries entries) {
    Setting<Model> s = List(std::move(key), field, member, std::move(entries));
    s.control = Control::ChannelList;
    return s;
}

template <class Model>
Setting<Model> Carried(std::string key, const layout::Field& field, int Model::*member) {
    Setting<Model> s;
    s.key = std::move(key);
    s.field = &field;
    s.control = Control::Carried;
    s.index = member;
    return s;
}

// ---- loading and storing the plain fields ----

// Reads every setting that has a field. A field the image does not hold (beyond a short
// image's end) reads as 0, as an empty byte always has; a list index outside the list
// becomes no selection.
template <class Model>
void LoadSettings(const Description<Model>& d, Model& m, const CodeplugImage& image) {
    for (const auto& s : d.settings) {
        if (!s.field) continue;
        if (s.control == Control::Check) {
            m.*s.check = layout::ReadFlag(image, *s.field).value_or(false);
            continue;
        }
        const int stored = layout::Read(image, *s.field).value_or(0);
        const int value = s.read ? s.read(m, stored) : stored;
        if (s.control == Control::Carried) {
            m.*s.index = value;
        } else {
            m.*s.index = value >= 0 && value < s.EntryCount(m) ? value : -1;
        }
    }
}

// Writes every setting that has a field, each into its own bits: the other bits of a shared
// byte are read now, not when the form opened. A list without a selection keeps its bits
// (or stores its declared value); nothing is written beyond the image's end.
template <class Model>
void StoreSettings(const Description<Model>& d, const Model& m, CodeplugImage& image) {
    for (const auto& s : d.settings) {
        if (!s.field) continue;
        if (s.control == Control::Check) {
            layout::WriteFlag(image, *s.field, m.*s.check);
            continue;
        }
        int value = s.Get(m);
        if (s.control == Control::List || s.control == Control::ChannelList) {
            if (value < 0 || value >= s.EntryCount(m)) {
                if (s.storedWithoutSelection >= 0)
                    layout::Write(image, *s.field, s.storedWithoutSelection);
                continue;
            }
        }
        if (s.write) value = s.write(m, value);
        if (value >= 0) layout::Write(image, *s.field, value);
    }
}

}  // namespace vgr47::settings
