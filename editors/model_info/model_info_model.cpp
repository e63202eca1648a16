#include "editors/model_info/model_info_model.h"

namespace vgr47 {

ModelInfoModel::ModelInfoModel(FileContext& ctx, ModelChangeHooks& hooks)
    : ctx_(ctx),
      hooks_(hooks),
      names_(ctx.model.ModelListNames()),
      selected_(ctx.model.ModelIndex()) {}

void ModelInfoModel::Select(int entry) {
    selected_ = entry >= 0 && entry < static_cast<int>(names_.size()) ? entry : -1;
}

ModelChangeResult ModelInfoModel::Apply() {
    ModelChangeResult result = ChangeModel(selected_, ctx_, hooks_);
    // After No the list shows the current model again; after a change it is the new one.
    if (result == ModelChangeResult::Declined || result == ModelChangeResult::Changed)
        selected_ = ctx_.model.ModelIndex();
    return result;
}

bool ModelInfoModel::ClosesForm(ModelChangeResult result) {
    return result == ModelChangeResult::Unchanged || result == ModelChangeResult::Changed;
}

}  // namespace vgr47
