// The DTMF form: four tab pages over DtmfModel. Only OK writes the image.
#pragma once

#include <array>

#include "editors/common/form_view.h"
#include "editors/dtmf/dtmf_model.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace vgr47 {

class DtmfView : public FormView {
    Q_OBJECT
  public:
    DtmfView(CodeplugImage& image, const TextCatalogue& texts, Messages& messages,
             QWidget* parent = nullptr);

    const DtmfModel& model() const { return model_; }
    QTabWidget* tabs() const { return tabs_; }
    QComboBox* list(DtmfModel::List list) const { return lists_[list]; }
    QLineEdit* killCodeEdit() const { return killCode_; }
    QTableWidget* grid(DtmfModel::CodeList list) const { return grids_[list]; }
    QLineEdit* cellEditor(DtmfModel::CodeList list) const { return editors_[list]; }
    QPushButton* deleteAllButton(DtmfModel::CodeList list) const { return deleteAll_[list]; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    // Opens the in-place editor of a grid row (1..8) as a click on its cell does.
    void ClickCell(DtmfModel::CodeList list, int row);

  private:
    QString T(int number) const;
    QWidget* BuildListPage(const std::vector<std::pair<int, DtmfModel::List>>& rows,
                           bool withKillCode);
    QWidget* BuildCodePage(DtmfModel::CodeList list);
    void ShowCodes(DtmfModel::CodeList list);
    void CommitEditor(DtmfModel::CodeList list);
    void DeleteAll(DtmfModel::CodeList list);
    void LeaveKillCode();
    void Ok();

    const TextCatalogue& texts_;
    Messages& messages_;
    DtmfModel model_;
    QTabWidget* tabs_ = nullptr;
    std::array<QComboBox*, DtmfModel::kListCount> lists_{};
    QLineEdit* killCode_ = nullptr;
    std::array<QTableWidget*, 2> grids_{};
    std::array<QLineEdit*, 2> editors_{};
    std::array<QPushButton*, 2> deleteAll_{};
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace vgr47
