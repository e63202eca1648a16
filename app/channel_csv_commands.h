// File > Export channels... and Import channels...: the channel list as a CSV file. The import
// reads and checks the whole file first and shows what it will do (and which rows it skips, and
// why) in a window-modal report; only its Import button changes the codeplug, in one step.
#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>

#include "core/codeplug_image.h"
#include "core/messages.h"
#include "core/text_catalogue.h"
#include "editors/channels/channel_csv_model.h"
#include "editors/channels/channel_model.h"

class QCheckBox;

namespace vgr47 {

// The report of an import before it is applied.
class ChannelCsvImportDialog : public QDialog {
    Q_OBJECT
  public:
    ChannelCsvImportDialog(const ChannelCsvImportPlan& plan, const TextCatalogue& texts,
                           QWidget* parent);
    bool replace() const;

  private:
    QCheckBox* replace_ = nullptr;
};

class ChannelCsvCommands : public QObject {
    Q_OBJECT
  public:
    ChannelCsvCommands(QWidget* parent, CodeplugImage& image, ChannelModel& channels,
                       const TextCatalogue& texts, Messages& messages);

    void Export();
    void Import();
    // Reads the file and opens the report; the import is applied when the report is accepted.
    void ImportFrom(const std::string& path);
    // The report while it is open (for tests).
    ChannelCsvImportDialog* report() const { return report_; }

    // The file dialogs; replaced by tests. nullopt when the user cancels.
    std::function<std::optional<std::string>()> askOpenPath;
    std::function<std::optional<std::string>()> askSavePath;

  signals:
    // The import changed the channels: one undo step, and what shows them reads them again.
    void channelsImported();

  private:
    QWidget* parent_;
    CodeplugImage& image_;
    ChannelModel& channels_;
    const TextCatalogue& texts_;
    Messages& messages_;
    QPointer<ChannelCsvImportDialog> report_;
};

}  // namespace vgr47
