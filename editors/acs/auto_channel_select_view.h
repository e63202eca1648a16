// The auto-channel-select form over AcsModel: three lists and the eight-row channel grid
// with its chooser. Only OK writes the image.
#pragma once

#include <array>

#include "editors/acs/acs_model.h"
#include "editors/common/form_view.h"

class QComboBox;
class QPushButton;
class QTableWidget;

namespace vgr47 {

class AutoChannelSelectView : public FormView {
    Q_OBJECT
  public:
    AutoChannelSelectView(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts,
                          const ChannelModel& channels, QWidget* parent = nullptr);

    const AcsModel& model() const { return model_; }
    QComboBox* list(AcsModel::List list) const { return lists_[list]; }
    QTableWidget* grid() const { return grid_; }
    QComboBox* chooser() const { return chooser_; }
    QPushButton* deleteAllButton() const { return deleteAll_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    // A click on a grid row (1..8), as the grid reports it.
    void ClickCell(int row);

  private:
    QString T(int number) const;
    void ShowRows();

    const TextCatalogue& texts_;
    AcsModel model_;
    std::array<QComboBox*, AcsModel::kListCount> lists_{};
    QTableWidget* grid_ = nullptr;
    QComboBox* chooser_ = nullptr;
    QPushButton* deleteAll_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace vgr47
