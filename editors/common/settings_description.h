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

#include <charconv>
#include <functional>
#include <optional>
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
    Text,         // a text field or a cell of a list of texts
};

// How a text setting's value is dumped.
enum class Quoting { Always, NotWhenEmpty, Never };

// How a list's loaded value that is not an entry is worded: "'9' is not an entry of the list
// (0 to 3)", or "expected an entry from 0 to 3", "expected a list entry from 0 to 3",
// "expected 0 to 3" (these three also take a quoted number).
enum class ListWording { NotAnEntry, ExpectedEntry, ExpectedListEntry, ExpectedRange };

// How a check's loaded value that is not 0 or 1 is worded: "'x' is not 0 or 1", or
// "expected 0 or 1" (which also takes a quoted 0 or 1).
enum class CheckWording { NotZeroOrOne, Expected };

template <class Model>
struct Setting {
    using Entries = std::function<std::vector<std::string>(const Model&)>;
    // The stored value of the field and the list index (or carried value) of it, both ways.
    using Rule = std::function<int(const Model&, int)>;
    // Why the form does not let the user change the setting now ("is disabled on this model");
    // nullptr when it does.
    using Why = const char* (*)(const Model&);
    // The accessor form, for models that keep their lists in an array.
    using Getter = std::function<int(const Model&)>;
    using Putter = std::function<void(Model&, int)>;
    using GetText = std::function<std::string(const Model&)>;
    using PutText = std::function<void(Model&, const std::string&)>;
    // A typed text as the field keeps it, or nullopt and why not ("expected ...").
    using TextRule =
        std::function<std::optional<std::string>(const Model&, const std::string&, std::string&)>;
    // A text setting over a field that is not a text: the stored value as the text, both ways.
    using TextOfStored = std::function<std::string(const Model&, int)>;
    using StoredOfText = std::function<int(const Model&, const std::string&)>;
    using Texts = std::function<std::vector<std::string>(const Model&)>;
    // Another changed line of the same area by its key, nullptr when it is not given.
    using Given = std::function<const std::string*(const std::string&)>;
    // A rule that is truly the form's own (a table row's packing, choices the form takes only
    // together): applies a loaded value through the model's code; "" when taken, else why not.
    using Special = std::function<std::string(Model&, const std::string&, const Given&)>;

    std::string key;  // the dump key: the field's name (and its record) where there is one
    const layout::Field* field = nullptr;  // nullptr: the setting spans several places
    int record = 0;                        // a table field's record: 1 .. count
    // The second field of a pair kept in one text ("<first> <second>"), in the same record;
    // such a pair is read and written by the model's own code, keyed "<area>.<record>".
    const layout::Field* partner = nullptr;
    Control control = Control::List;
    bool Model::*check = nullptr;          // Check
    int Model::*index = nullptr;           // List, ChannelList, Carried
    void (Model::*choose)(int) = nullptr;  // a choice with consequences for other lists
    Entries entries;                       // List, ChannelList
    Rule read;                             // stored value -> index; default: the value itself
    Rule write;                            // index -> stored value; default: the index itself
    int storedWithoutSelection = -1;       // written when the list has no selection; -1: keep
    int readOutsideList = -1;              // the selection of a value outside the list
    Why disabled = nullptr;
    Getter get;  // instead of the member, when set
    Putter put;
    GetText text;        // Text: the field's text as the model holds it
    PutText putText;     // Text: as read (or loaded without consequences)
    PutText chooseText;  // Text: a user's entry, where it differs from putText
    TextRule checkText;  // Text: what a loaded text must be; default: anything
    bool (*storedWhen)(const Model&) = nullptr;  // Text: written only then (as read otherwise)
    TextOfStored textOfStored;                   // Text over a number field
    StoredOfText storedOfText;
    Quoting quoting = Quoting::Always;
    Texts offered;             // Text: values a user could enter now, for the generated tests
    Special special;           // applied by the model's own code (see Special)
    bool ownCode = false;      // read and written by the model's own code, not from the field
    bool wholeRecord = false;  // the line stands for its whole table record (field: its first)
    int group = 0;             // a part of the form visited on its own (1 ..), 0: none
    const char* notOffered = nullptr;  // the form offers no control: every new value is refused

    Setting Reads(Rule rule) const { return With(&Setting::read, std::move(rule)); }
    Setting Writes(Rule rule) const { return With(&Setting::write, std::move(rule)); }
    Setting DisabledWhen(Why why) const { return With(&Setting::disabled, why); }
    Setting ChosenBy(void (Model::*f)(int)) const { return With(&Setting::choose, f); }
    Setting StoresWithoutSelection(int stored) const {
        return With(&Setting::storedWithoutSelection, stored);
    }
    Setting ReadsOutsideListAs(int index) const { return With(&Setting::readOutsideList, index); }
    Setting ChosenAs(PutText f) const { return With(&Setting::chooseText, std::move(f)); }
    Setting Checks(TextRule rule) const { return With(&Setting::checkText, std::move(rule)); }
    Setting StoredOnlyWhen(bool (*f)(const Model&)) const { return With(&Setting::storedWhen, f); }
    Setting ReadsText(TextOfStored f) const { return With(&Setting::textOfStored, std::move(f)); }
    Setting WritesText(StoredOfText f) const { return With(&Setting::storedOfText, std::move(f)); }
    Setting Quoted(Quoting q) const { return With(&Setting::quoting, q); }
    Setting Offers(Texts f) const { return With(&Setting::offered, std::move(f)); }
    Setting PairedWith(const layout::Field& f) const { return With(&Setting::partner, &f); }
    // Read and written by the model's own code; a loaded value applied by `rule` (or, without
    // one, as the control takes it).
    Setting OwnCode(Special rule = nullptr) const {
        Setting copy = With(&Setting::special, std::move(rule));
        copy.ownCode = true;
        return copy;
    }
    Setting WholeRecord() const { return With(&Setting::wholeRecord, true); }
    Setting InGroup(int g) const { return With(&Setting::group, g); }
    Setting InRecord(int r) const { return With(&Setting::record, r); }
    Setting NotOffered(const char* why) const { return With(&Setting::notOffered, why); }

    int EntryCount(const Model& m) const {
        return entries ? static_cast<int>(entries(m).size()) : 0;
    }
    // The selection (or carried value) as the control holds it.
    int Get(const Model& m) const {
        if (get) return get(m);
        return control == Control::Check ? m.*check : m.*index;
    }
    // Sets the selection (or carried value) as read, without consequences.
    void Set(Model& m, int value) const {
        if (put)
            put(m, value);
        else if (control == Control::Check)
            m.*check = value != 0;
        else
            m.*index = value;
    }
    // A user's choice: through the model's own rule where it has one.
    void Choose(Model& m, int value) const {
        if (choose)
            (m.*choose)(value);
        else
            Set(m, value);
    }
    void ChooseText(Model& m, const std::string& t) const {
        (chooseText ? chooseText : putText)(m, t);
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
    ListWording listWording = ListWording::NotAnEntry;
    CheckWording checkWording = CheckWording::NotZeroOrOne;
    // Shows group g (a tab of the form) before its lines are applied or changed; a group's
    // first problem ends the loading of its lines.
    std::function<void(Model&, int)> visit = nullptr;
    // Whether a load stops at its first problem rather than reporting every line's.
    bool firstProblemOnly = false;

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

// A list the model keeps in an array: get and put its selection.
template <class Model, class Entries>
Setting<Model> Accessed(std::string key, const layout::Field& field,
                        typename Setting<Model>::Getter get, typename Setting<Model>::Putter put,
                        Entries entries) {
    Setting<Model> s;
    s.key = std::move(key);
    s.field = &field;
    s.get = std::move(get);
    s.put = std::move(put);
    s.entries = std::move(entries);
    return s;
}

// List n of a model that keeps its lists' selections and entries in two arrays.
template <class Model, class Selections, class EntryLists>
Setting<Model> ArrayList(std::string key, const layout::Field& field, Selections Model::*selected,
                         EntryLists Model::*entries, int n) {
    return Accessed<Model>(
        std::move(key), field, [selected, n](const Model& m) { return (m.*selected)[n]; },
        [selected, n](Model& m, int index) { (m.*selected)[n] = index; },
        [entries, n](const Model& m) { return (m.*entries)[n]; });
}

// A text field, or record `record` of a table of texts (keyed "<field>.<record>").
template <class Model>
Setting<Model> TextField(std::string key, const layout::Field& field, int record,
                         typename Setting<Model>::GetText get,
                         typename Setting<Model>::PutText put) {
    Setting<Model> s;
    s.key = std::move(key);
    s.field = &field;
    s.record = record;
    s.control = Control::Text;
    s.text = std::move(get);
    s.putText = std::move(put);
    return s;
}

// A typed whole number (a sign allowed) from min to max, as the field keeps it ("+5" is "5");
// nullopt and why not otherwise.
inline std::optional<std::string> WholeNumberIn(const std::string& text, int min, int max,
                                                std::string& why) {
    long n = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    auto [end, ec] = std::from_chars(first, last, n);
    if (ec == std::errc() && end == last && first != last && n >= min && n <= max)
        return std::to_string(n);
    why = "expected a whole number from " + std::to_string(min) + " to " + std::to_string(max);
    return std::nullopt;
}

// ---- loading and storing the plain fields ----

// Reads every setting that has a field. A field the image does not hold (beyond a short
// image's end) reads as 0, as an empty byte always has; a list index outside the list
// becomes no selection, or the entry the setting names for it.
template <class Model>
void LoadSettings(const Description<Model>& d, Model& m, const CodeplugImage& image) {
    for (const auto& s : d.settings) {
        if (!s.field || s.partner || s.ownCode) continue;
        if (s.control == Control::Check) {
            s.Set(m, layout::ReadFlag(image, *s.field, s.record).value_or(false));
            continue;
        }
        if (s.control == Control::Text) {
            if (s.textOfStored)
                s.putText(m,
                          s.textOfStored(m, layout::Read(image, *s.field, s.record).value_or(0)));
            else
                s.putText(m, layout::ReadText(image, *s.field, s.record).value_or(""));
            continue;
        }
        const int stored = layout::Read(image, *s.field, s.record).value_or(0);
        const int value = s.read ? s.read(m, stored) : stored;
        if (s.control == Control::Carried) {
            s.Set(m, value);
        } else {
            s.Set(m, value >= 0 && value < s.EntryCount(m) ? value : s.readOutsideList);
        }
    }
}

// Writes every setting that has a field, each into its own bits: the other bits of a shared
// byte are read now, not when the form opened. A list without a selection keeps its bits
// (or stores its declared value), a text is written only when its rule allows; nothing is
// written beyond the image's end.
template <class Model>
void StoreSettings(const Description<Model>& d, const Model& m, CodeplugImage& image) {
    for (const auto& s : d.settings) {
        if (!s.field || s.partner || s.ownCode) continue;
        if (s.control == Control::Check) {
            layout::WriteFlag(image, *s.field, s.record, s.Get(m) != 0);
            continue;
        }
        if (s.control == Control::Text) {
            if (s.storedWhen && !s.storedWhen(m)) continue;
            if (s.storedOfText)
                layout::Write(image, *s.field, s.record, s.storedOfText(m, s.text(m)));
            else
                layout::WriteText(image, *s.field, s.record, s.text(m));
            continue;
        }
        int value = s.Get(m);
        if (s.control == Control::List || s.control == Control::ChannelList) {
            if (value < 0 || value >= s.EntryCount(m)) {
                if (s.storedWithoutSelection >= 0)
                    layout::Write(image, *s.field, s.record, s.storedWithoutSelection);
                continue;
            }
        }
        if (s.write) value = s.write(m, value);
        if (value >= 0) layout::Write(image, *s.field, s.record, value);
    }
}

}  // namespace vgr47::settings
