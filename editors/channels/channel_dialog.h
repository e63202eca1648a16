// The channel dialog: edits one channel at a time, every change going at once into the grid
// row and the image. A thin view over ChannelDlgModel.
#pragma once

#include <QAbstractSpinBox>
#include <QDialog>
#include <functional>

#include "editors/channels/channel_dlg_model.h"
#include "editors/channels/channel_grid_view.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vgr47 {

// The channel-number field with its spin: the user types a name or steps through the names;
// what either means is the model's business.
class ChannelNumberBox : public QAbstractSpinBox {
    Q_OBJECT
  public:
    using QAbstractSpinBox::QAbstractSpinBox;
    QLineEdit* edit() const { return lineEdit(); }
    void stepBy(int steps) override { emit stepped(steps); }
    QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }

  signals:
    void stepped(int steps);

  protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

class ChannelDialog : public QDialog {
    Q_OBJECT
  public:
    ChannelDialog(ChannelGridView& form, ChannelModel& channels, CodeplugImage& image,
                  const TextCatalogue& texts, int row, QWidget* parent = nullptr);

    const ChannelDlgModel& model() const { return model_; }
    // Asked before every channel is deleted; true goes on. A message box unless replaced.
    std::function<bool()> confirmDeleteAll;

    // The edit being typed into is applied before the dialog closes, however it closes.
    void done(int result) override;
    // The image changed under the dialog (undo, redo): the channel is loaded again.
    void ReloadChannel();

  signals:
    // A change was applied to the image (one step for undo).
    void imageEdited();
    // A line for the status bar: how a typed frequency was changed to be kept.
    void statusMessage(const QString& text);

  protected:
    // A typed frequency is applied before Tab moves on, so the fields it enables are next.
    bool focusNextPrevChild(bool next) override;

  private:
    QLabel* Label(int text);
    QCheckBox* Check(int text, const char* name);
    QComboBox* List(const char* name);
    void BuildBasicLayout();
    void BuildSignallingLayout();
    void Connect();
    void SetTabOrder();
    void CommitEdits();
    void Changed();
    void Moved();
    void Sync();
    bool AskDeleteAll();
    void DeleteAll();

    ChannelGridView& form_;
    const TextCatalogue& texts_;
    ChannelDlgModel model_;

    ChannelNumberBox* channel_;
    QCheckBox *channelOn_, *txOn_;
    QLineEdit *rx_, *tx_;
    QComboBox *decodeTone_, *encodeTone_;
    QCheckBox* busyLock_;
    QComboBox* busyLockMode_;
    QCheckBox *compander_, *scan_, *wide_, *tailElimination_;
    QLabel* relationLabel_;
    QRadioButton *relationAnd_, *relationOr_;
    QComboBox *signallingType_, *decodeNumber_, *pttIdType_, *pttIdMode_;
    QComboBox *txStartCode_, *txEndCode_, *call1Code_, *call2Code_;
    QCheckBox *txWithoutDecode_, *signallingSwitchable_;
    QPushButton *saveAsDefault_, *deleteAll_, *exit_;
};

}  // namespace vgr47
