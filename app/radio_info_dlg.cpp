#include "app/radio_info_dlg.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "core/text_ids.h"
#include "link/transfer_report.h"

namespace vgr47 {

RadioInfoDialog::RadioInfoDialog(FormEnv& env, ConnectionMaker maker, QWidget* parent)
    : QDialog(parent), env_(env) {
    auto T = [&](int n) { return QString::fromStdString(env_.texts.GetText(n)); };
    setWindowTitle(T(kTextRadioInformation));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto field = [this] {
        auto* f = new QLineEdit(this);
        f->setReadOnly(true);
        return f;
    };
    model_ = field();
    firmware_ = field();
    software_ = field();
    form->addRow(T(kTextRadioInformation) + ":", model_);
    form->addRow(T(kTextFirmwareVersion), firmware_);
    form->addRow(T(kTextSoftwareVersion), software_);
    layout->addLayout(form);

    trace_ = new QPlainTextEdit(this);
    trace_->setReadOnly(true);
    trace_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    trace_->setMinimumHeight(160);
    trace_->setVisible(env_.values.debug);
    layout->addWidget(trace_, 1);
    if (!env_.values.debug) layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    ok_ = new QPushButton(T(kTextOk), this);
    ok_->setDefault(true);
    row->addWidget(ok_);
    layout->addLayout(row);
    setMinimumWidth(360);
    connect(ok_, &QPushButton::clicked, this, &QDialog::close);

    radio_ = std::make_unique<RadioThread>(this, std::move(maker));
    connect(radio_.get(), &RadioThread::traceChanged, this,
            [this](const QString& text, bool reset) {
                QString lines = text;
                lines.remove('\r');
                if (reset) trace_->clear();
                trace_->moveCursor(QTextCursor::End);
                trace_->insertPlainText(lines);
            });
}

RadioInfoDialog::~RadioInfoDialog() {
    radio_->Stop();
    radio_.reset();
    unsetCursor();
}

void RadioInfoDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!asked_) {
        asked_ = true;
        Ask();
    }
}

void RadioInfoDialog::Ask() {
    running_ = true;
    setCursor(Qt::WaitCursor);
    const ModelState model = env_.model;
    const std::string port = env_.values.portName;
    RadioThread* radio = radio_.get();
    radio_->Run([this, radio, model, port](const LinkContext& link, std::atomic<bool>&) {
        RadioInfo info = ReadRadioInfo(link, port, [&model](const std::string& identity) {
            return model.ModelDisplayName(identity);
        });
        radio->PostToUi([this, info] { Finish(info); });
    });
}

void RadioInfoDialog::Finish(const RadioInfo& info) {
    if (info.failure)
        env_.messages.ShowWarning(
            FailureText(*info.failure, [this](int n) { return env_.texts.GetText(n); }));
    running_ = false;
    unsetCursor();
    model_->setText(QString::fromStdString(info.model));
    firmware_->setText(QString::fromStdString(info.firmware));
    software_->setText(QString::fromStdString(info.software));
    for (QLineEdit* field : {model_, firmware_, software_}) {
        // Every field shows its whole text from its start: the model name first.
        field->setCursorPosition(0);
        const int needed = field->fontMetrics().horizontalAdvance(field->text()) + 24;
        if (field->minimumWidth() < needed) field->setMinimumWidth(needed);
    }
    adjustSize();
    if (info.complete) ok_->setFocus();
    emit exchangeFinished(info.complete);
    if (closePending_) close();
}

void RadioInfoDialog::closeEvent(QCloseEvent* event) {
    // The exchange is short and cannot be broken off; the window goes when it has ended.
    if (running_) {
        closePending_ = true;
        event->ignore();
        return;
    }
    event->accept();
}

void RadioInfoDialog::reject() {
    if (running_) {
        closePending_ = true;
        return;
    }
    QDialog::reject();
}

}  // namespace vgr47
