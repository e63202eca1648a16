// Which form or dialog each command of the main window opens. Every form adds one entry
// here; the shell looks commands up and does the window management.
#pragma once

#include <functional>
#include <vector>

#include "app/shell_rules.h"
#include "core/codeplug_image.h"
#include "core/messages.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "editors/channels/channel_model.h"
#include "editors/common/form_view.h"

namespace vgr47 {

class CMainFrame;
class RadioPorts;

// What a form or dialog may reach: the program's one image, model state, values and texts.
struct FormEnv {
    AppValues& values;
    const TextCatalogue& texts;
    CodeplugImage& image;
    ModelState& model;
    Messages& messages;
    ChannelModel& channels;
    CMainFrame& frame;
    // Refills the channel grid after a form changed bytes the grid shows.
    std::function<void()> refreshChannels;
    // After the whole image was replaced (a read, a model change): refills the channel form,
    // updates title and commands, and closes the other open forms.
    std::function<void()> imageReplaced;
    // The Save command; true when the image was saved.
    std::function<bool()> save;
    // Where the radio dialogs get their ports (a device, or the simulated radio `sim`).
    RadioPorts& ports;
};

// A form in a child window of the main window (one window per command).
struct FormEntry {
    int command;
    std::function<FormView*(FormEnv&)> create;
    // Whether the image holds what the form edits (a short image may not); the command is
    // greyed otherwise. Empty = always.
    std::function<bool(const FormEnv&)> available = {};
};

// A command that runs a dialog of its own (the radio dialogs, say).
struct DialogEntry {
    int command;
    std::function<void(FormEnv&)> run;
};

std::vector<FormEntry> FormEntries();
std::vector<DialogEntry> DialogEntries();

}  // namespace vgr47
