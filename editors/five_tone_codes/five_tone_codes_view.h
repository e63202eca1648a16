// The 5-tone encode/decode form: two pages (encode table with its timings and diagram,
// decode table with its settings), each grid edited in place, written on OK.
#pragma once

#include "core/messages.h"
#include "editors/common/form_view.h"
#include "editors/five_tone_codes/five_tone_en_decode_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace vgr47 {

class WrapSpinField;

class FiveToneCodesView : public FormView {
    Q_OBJECT
  public:
    using Model = FiveToneEnDecodeModel;
    FiveToneCodesView(CodeplugImage& image, const TextCatalogue& texts, Messages& messages,
                      QWidget* parent = nullptr);

    Model& model() { return model_; }
    QTabWidget* tabs() const { return tabs_; }
    QTableWidget* grid(Model::Page page) const { return pages_[page].grid; }
    QLineEdit* cellEditor(Model::Page page) const { return pages_[page].editor; }
    QComboBox* cellChooser(Model::Page page) const { return pages_[page].chooser; }
    QLabel* diagramBox(int box) const { return boxes_[box]; }
    WrapSpinField* timeField(Model::TimeField f) const { return times_[f]; }
    WrapSpinField* waitTimeField() const { return waitTime_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* deleteAllButton() const { return deleteAll_; }

    // What a click on a grid cell does (also used by the tests).
    void ClickCell(Model::Page page, int row, int column);

  private:
    struct PageWidgets {
        QTableWidget* grid = nullptr;
        QLineEdit* editor = nullptr;
        QComboBox* chooser = nullptr;
        // The cell the editor or chooser was last opened on.
        int openRow = -1, openColumn = -1;
    };
    QWidget* BuildEncodePage();
    QWidget* BuildDecodePage();
    void PrepareGrid(Model::Page page, QWidget* pageWidget);
    void TakeEditorTexts();
    void Refresh();
    void RefreshGrid(Model::Page page);
    void RefreshDiagram();
    void PlaceEditors(Model::Page page);
    Model::Page shownPage() const;
    std::string Text(int number) const { return texts_.GetText(number); }

    const TextCatalogue& texts_;
    Model model_;
    QTabWidget* tabs_;
    PageWidgets pages_[2];
    QLabel* boxes_[Model::kBoxCount] = {};
    WrapSpinField* times_[Model::kTimeFieldCount] = {};
    QComboBox* delay2Code_ = nullptr;
    QComboBox* delay3Code_ = nullptr;
    QCheckBox* sideTone_ = nullptr;
    QCheckBox* clearAutoAnswer_ = nullptr;
    WrapSpinField* waitTime_ = nullptr;
    QComboBox* decodeNumber_ = nullptr;
    QComboBox* autoReset_ = nullptr;
    QPushButton* delete_;
    QPushButton* deleteAll_;
    QPushButton* ok_;
};

}  // namespace vgr47
