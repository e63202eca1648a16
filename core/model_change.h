// The image side of changing the model from the model-information form: confirm, offer to
// save, then replace the image with the default image of the chosen model.
#pragma once

#include "core/data_file.h"

namespace vgr47 {

class ModelChangeHooks {
  public:
    virtual ~ModelChangeHooks() = default;
    // The key assignment form holds the old model's key list; it must not write it back.
    virtual void CloseKeyAssignForm() {}
    // The save the user asked for before the image is replaced; true when it succeeded.
    virtual bool SaveImage(FileContext& ctx) { return SaveDataFile(ctx) == FileResult::Done; }
};

enum class ModelChangeResult {
    Unchanged,  // same model, or an edition with one model: the form closes
    Declined,   // No to the change: the selection goes back to the current model, form stays
    Cancelled,  // Cancel to the save question, or the save failed: the form stays open
    Changed,    // a new default image is installed, untitled and not modified
};

// entry is the selected position in the edition's model list.
ModelChangeResult ChangeModel(int entry, FileContext& ctx, ModelChangeHooks& hooks);

}  // namespace vgr47
