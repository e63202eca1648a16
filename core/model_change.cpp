#include "core/model_change.h"

#include "core/text_ids.h"

namespace vgr47 {

ModelChangeResult ChangeModel(int entry, FileContext& ctx, ModelChangeHooks& hooks) {
    if (ctx.model.edition() == Edition::Fzc85) return ModelChangeResult::Unchanged;
    if (entry == ctx.model.ModelIndex()) return ModelChangeResult::Unchanged;
    const std::string identity = ctx.model.CatalogueIdentityForListEntry(entry);
    if (identity.empty()) return ModelChangeResult::Unchanged;

    Answer answer = ctx.messages.Ask(ctx.texts.GetText(kTextChangeModelQuestion),
                                     ctx.texts.GetText(kTextQuestionCaption), Buttons::YesNo,
                                     /*defaultNo=*/true);
    if (answer != Answer::Yes) return ModelChangeResult::Declined;
    hooks.CloseKeyAssignForm();
    if (!ConfirmReplacingImage(ctx, [&] { return hooks.SaveImage(ctx); })) return ModelChangeResult::Cancelled;

    ctx.image.InstallModelChange(BuildModelImage(ctx.model, identity));
    return ModelChangeResult::Changed;
}

}  // namespace vgr47
