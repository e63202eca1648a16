// The model information form: the edition's model list with the current model selected, and
// the model change run by OK.
#pragma once

#include <string>
#include <vector>

#include "core/data_file.h"
#include "core/model_change.h"

namespace vgr47 {

class ModelInfoModel {
  public:
    // ctx.dialogs is used only when the hooks save through SaveDataFile.
    ModelInfoModel(FileContext& ctx, ModelChangeHooks& hooks);

    const std::vector<std::string>& names() const { return names_; }
    // The selected list position, -1 for none (an image of an unknown model).
    int selected() const { return selected_; }
    void Select(int entry);

    // OK. After No to the change the current model is selected again.
    ModelChangeResult Apply();
    // Whether the form closes after OK gave this result.
    static bool ClosesForm(ModelChangeResult result);

  private:
    FileContext& ctx_;
    ModelChangeHooks& hooks_;
    std::vector<std::string> names_;
    int selected_ = -1;
};

}  // namespace vgr47
