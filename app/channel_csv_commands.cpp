#include "app/channel_csv_commands.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/safe_file.h"
#include "core/text_ids.h"
#include "editors/channels/channel_dlg_model.h"

namespace vgr47 {

namespace {

// A channel list of a few hundred rows is some 30 KiB; anything far larger is no channel list.
constexpr std::size_t kLargestCsv = 4u << 20;

QString Text(const TextCatalogue& texts, int number) {
    return QString::fromStdString(texts.GetText(number));
}

QString Filter(const TextCatalogue& texts) { return Text(texts, kTextCsvFileType); }

}  // namespace

ChannelCsvImportDialog::ChannelCsvImportDialog(const ChannelCsvImportPlan& plan,
                                               const TextCatalogue& texts, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Text(texts, kTextCsvImportTitle));
    auto* layout = new QVBoxLayout(this);
    const std::string report = ChannelCsvImportReport(plan, texts);
    auto* summary = new QLabel(QString::fromStdString(report.substr(0, report.find('\n'))), this);
    summary->setObjectName("summary");
    layout->addWidget(summary);
    if (!plan.skipped.empty()) {
        auto* skipped = new QPlainTextEdit(this);
        skipped->setObjectName("skipped");
        skipped->setReadOnly(true);
        skipped->setLineWrapMode(QPlainTextEdit::NoWrap);
        QString lines;
        for (const std::string& line : plan.skipped) lines += QString::fromStdString(line) + "\n";
        skipped->setPlainText(lines.trimmed());
        layout->addWidget(skipped);
    }
    auto* buttons = new QDialogButtonBox(this);
    if (!plan.empty()) {
        replace_ = new QCheckBox(Text(texts, kTextCsvReplace), this);
        layout->addWidget(replace_);
        buttons->addButton(Text(texts, kTextOk), QDialogButtonBox::AcceptRole);
        buttons->addButton(Text(texts, kTextCancel), QDialogButtonBox::RejectRole);
    } else {
        buttons->addButton(Text(texts, kTextOk), QDialogButtonBox::RejectRole);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, plan.skipped.empty() ? 120 : 320);
}

bool ChannelCsvImportDialog::replace() const { return replace_ && replace_->isChecked(); }

ChannelCsvCommands::ChannelCsvCommands(QWidget* parent, CodeplugImage& image,
                                       ChannelModel& channels, const TextCatalogue& texts,
                                       Messages& messages)
    : QObject(parent),
      parent_(parent),
      image_(image),
      channels_(channels),
      texts_(texts),
      messages_(messages) {
    askOpenPath = [this]() -> std::optional<std::string> {
        const QString path = QFileDialog::getOpenFileName(
            parent_, Text(texts_, kTextCsvImportTitle), QString(), Filter(texts_));
        if (path.isEmpty()) return std::nullopt;
        return path.toStdString();
    };
    askSavePath = [this]() -> std::optional<std::string> {
        QFileDialog dialog(parent_, QString(), QString(), Filter(texts_));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix("csv");
        dialog.selectFile("channels.csv");
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().first().toStdString();
    };
}

void ChannelCsvCommands::Export() {
    const auto path = askSavePath();
    if (!path) return;
    const SaveReport saved = SaveFileSafely(*path, ExportChannelCsv(channels_, texts_));
    if (!saved.ok())
        messages_.ShowMessage(*path + "\n" + texts_.GetText(SaveProblemText(saved.problem)));
}

void ChannelCsvCommands::Import() {
    if (report_) return;
    if (const auto path = askOpenPath()) ImportFrom(*path);
}

void ChannelCsvCommands::ImportFrom(const std::string& path) {
    std::string csv;
    const InputReport read = ReadTextInput(path, kLargestCsv, csv);
    if (!read.ok()) {
        messages_.ShowMessage(path + "\n" + texts_.GetText(kTextFileOpenFailed));
        return;
    }
    const ChannelCsvImportPlan plan = PlanChannelCsvImport(csv, channels_, texts_);
    report_ = new ChannelCsvImportDialog(plan, texts_, parent_);
    report_->setAttribute(Qt::WA_DeleteOnClose);
    connect(report_, &QDialog::accepted, this, [this, plan] {
        ChannelDlgModel dialog(channels_, image_, texts_);
        ApplyChannelCsvImport(plan, dialog, report_ && report_->replace());
        emit channelsImported();
    });
    // Window-modal and shown with open(): the program's loop keeps running.
    report_->open();
}

}  // namespace vgr47
