// The model information form: shows the model the codeplug is for and switches it to the
// default codeplug of another model.
#pragma once

#include <functional>

#include "editors/common/form_view.h"
#include "editors/model_info/model_info_model.h"

class QComboBox;

namespace vgr47 {

class ModelInfoView : public FormView {
    Q_OBJECT
  public:
    struct Actions {
        std::function<bool()> save;                // the Save command; true when saved
        std::function<void()> closeKeyAssignForm;  // it holds the old model's keys
        std::function<void()> imageReplaced;       // refills the channel form, retitles
    };

    ModelInfoView(CodeplugImage& image, ModelState& model, Messages& messages,
                  const TextCatalogue& texts, const std::string& version, Actions actions,
                  QWidget* parent = nullptr);

    QComboBox* list() const { return list_; }
    const ModelInfoModel& model() const { return model_; }
    void Ok();

  private:
    class Hooks : public ModelChangeHooks {
      public:
        explicit Hooks(ModelInfoView& form) : form_(form) {}
        void CloseKeyAssignForm() override;
        bool SaveImage(FileContext& ctx) override;

      private:
        ModelInfoView& form_;
    };
    // Saving goes through the window's Save command, which asks for a path itself.
    class NoFileDialogs : public FileDialogs {
      public:
        std::optional<std::string> AskOpenPath() override { return std::nullopt; }
        std::optional<std::string> AskSavePath() override { return std::nullopt; }
    };

    void ShowSelection();

    Actions actions_;
    NoFileDialogs dialogs_;
    FileContext ctx_;
    Hooks hooks_;
    ModelInfoModel model_;
    QComboBox* list_;
};

}  // namespace vgr47
