// The 2-tone form: an encode page (timing and the encode table with its in-place editor) and
// a decode page whose inner tabs show the four decoder sets. A thin view over TwoToneModel.
#pragma once

#include <array>
#include <functional>

#include "editors/common/form_view.h"
#include "editors/two_tone/two_tone_model.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTabBar;
class QTabWidget;
class QTableWidget;

namespace vgr47 {

class TwoToneView : public FormView {
    Q_OBJECT
  public:
    TwoToneView(CodeplugImage& image, const TextCatalogue& texts, QWidget* parent = nullptr);

    TwoToneModel& model() { return model_; }
    QTabWidget* pages() const { return pages_; }
    QTableWidget* grid() const { return grid_; }
    QLineEdit* cellEditor() const { return cellEditor_; }
    QTabBar* setTabs() const { return setTabs_; }
    QComboBox* decode1() const { return decode1_; }
    QComboBox* decode2() const { return decode2_; }
    QLineEdit* toneField(int letter) const { return tones_[letter]; }
    // Asks before Delete all; replaceable for tests.
    std::function<bool()> confirmDeleteAll;

    void Ok();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* BuildEncodePage();
    QWidget* BuildDecodePage();
    void RefreshEncode();
    void RefreshCell(int entry);
    void RefreshDecode();
    void OpenEditor(int row, int column);
    void PlaceEditor();

    TwoToneModel model_;
    const TextCatalogue& texts_;
    QTabWidget* pages_ = nullptr;
    QCheckBox* sideTone_ = nullptr;
    QCheckBox* singleTone_ = nullptr;
    std::array<QLineEdit*, 4> timing_{};
    QTableWidget* grid_ = nullptr;
    QLineEdit* cellEditor_ = nullptr;
    QTabBar* setTabs_ = nullptr;
    QComboBox* decode1_ = nullptr;
    QComboBox* decode2_ = nullptr;
    std::array<QLineEdit*, 4> tones_{};
    QComboBox* autoReset_ = nullptr;
    QComboBox* callAlert_ = nullptr;
    QComboBox* autoAnswer_ = nullptr;
};

}  // namespace vgr47
