// The test frequency form: the eight test frequency pairs in a grid, edited in place and
// written into the image on OK.
#pragma once

#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QPointer>

#include "core/text_catalogue.h"
#include "editors/common/form_view.h"
#include "editors/test_freq/test_freq_model.h"

class QTableWidget;

namespace vgr47 {

class TestFrequencyView : public FormView {
    Q_OBJECT
  public:
    TestFrequencyView(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts,
                      QWidget* parent = nullptr);

    QTableWidget* grid() const { return grid_; }
    const TestFreqModel& model() const { return model_; }
    // The in-place editor while a cell is being edited, else null.
    QLineEdit* editor() const { return editor_; }

    // A cell's text from the editor (row 1..8, column 1..2): through the model, then shown.
    void CommitCell(int row, int column, const QString& text);
    void Ok();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class FrequencyCellDelegate;
    void ShowCells();

    TestFreqModel model_;
    QTableWidget* grid_;
    QPointer<QLineEdit> editor_;
    QPersistentModelIndex editorIndex_;
};

}  // namespace vgr47
