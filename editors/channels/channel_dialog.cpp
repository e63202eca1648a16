#include "editors/channels/channel_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/text_ids.h"

namespace vgr47 {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

void SyncCheck(QAbstractButton* box, const DlgCheck& check) {
    box->setChecked(check.checked);
    box->setEnabled(check.enabled);
}

void SyncEdit(QLineEdit* edit, const DlgEdit& value) {
    // setText also ends the edit: the field is no longer modified.
    if (edit->text() != Q(value.text)) edit->setText(Q(value.text));
    edit->setModified(false);
    edit->setEnabled(value.enabled);
}

void SyncList(QComboBox* box, const DlgList& list) {
    QSignalBlocker block(box);
    QStringList items;
    for (const std::string& item : list.items) items << Q(item);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
    if (items != shown) {
        box->clear();
        box->addItems(items);
    }
    box->setCurrentIndex(list.hasSelection() ? list.index : -1);
    box->setEnabled(list.enabled);
}

}  // namespace

ChannelDialog::ChannelDialog(ChannelGridView& form, ChannelModel& channels, CodeplugImage& image,
                             const TextCatalogue& texts, int row, QWidget* parent)
    : QDialog(parent), form_(form), texts_(texts), model_(channels, image, texts) {
    setWindowTitle(Q(texts_.GetText(kTextChannelDialogTitle)));
    setModal(true);

    channel_ = new ChannelNumberBox(this);
    channel_->setObjectName("channel");
    channel_->setWrapping(true);
    channel_->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    channel_->setFixedWidth(70);
    channelOn_ = Check(kTextChannelOn, "channelOn");
    txOn_ = Check(kTextTxOn, "txOn");
    rx_ = new QLineEdit(this);
    rx_->setObjectName("rx");
    tx_ = new QLineEdit(this);
    tx_->setObjectName("tx");
    decodeTone_ = List("decodeTone");
    encodeTone_ = List("encodeTone");
    busyLock_ = Check(kTextBusyLock, "busyLock");
    busyLockMode_ = List("busyLockMode");
    compander_ = Check(kTextCompander, "compander");
    scan_ = Check(kTextScan, "scan");
    wide_ = Check(kTextWide, "wide");
    tailElimination_ = Check(kTextTailElimination, "tailElimination");
    relationLabel_ = Label(kTextSignallingRelation);
    relationAnd_ = new QRadioButton(Q(texts_.GetText(kTextAnd)), this);
    relationAnd_->setObjectName("relationAnd");
    relationOr_ = new QRadioButton(Q(texts_.GetText(kTextOr)), this);
    relationOr_->setObjectName("relationOr");
    // The model decides which of the two is on, including neither for an empty channel.
    relationAnd_->setAutoExclusive(false);
    relationOr_->setAutoExclusive(false);
    signallingType_ = List("signallingType");
    decodeNumber_ = List("decodeNumber");
    pttIdType_ = List("pttIdType");
    pttIdMode_ = List("pttIdMode");
    txStartCode_ = List("txStartCode");
    txEndCode_ = List("txEndCode");
    call1Code_ = List("call1Code");
    call2Code_ = List("call2Code");
    txWithoutDecode_ = Check(kTextTxWithoutDecode, "txWithoutDecode");
    signallingSwitchable_ = Check(kTextSignallingSwitchable, "signallingSwitchable");
    saveAsDefault_ = new QPushButton(Q(texts_.GetText(kTextSaveAsDefault)), this);
    saveAsDefault_->setObjectName("saveAsDefault");
    deleteAll_ = new QPushButton(Q(texts_.GetText(kTextDeleteAllChannels)), this);
    deleteAll_->setObjectName("deleteAll");
    exit_ = new QPushButton(Q(texts_.GetText(kTextMenuExit)), this);
    exit_->setObjectName("exit");
    // Return in a frequency field applies it; it must not close the dialog.
    for (QPushButton* b : {saveAsDefault_, deleteAll_, exit_}) b->setAutoDefault(false);

    if (model_.signalling())
        BuildSignallingLayout();
    else
        BuildBasicLayout();

    confirmDeleteAll = [this] { return AskDeleteAll(); };
    Connect();
    SetTabOrder();
    model_.Open(row);
    Moved();
    rx_->setFocus();
}

QLabel* ChannelDialog::Label(int text) { return new QLabel(Q(texts_.GetText(text)), this); }

QCheckBox* ChannelDialog::Check(int text, const char* name) {
    auto* box = new QCheckBox(Q(texts_.GetText(text)), this);
    box->setObjectName(name);
    return box;
}

QComboBox* ChannelDialog::List(const char* name) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setMaxVisibleItems(16);
    return box;
}

namespace {

QHBoxLayout* ButtonRow(QPushButton* a, QPushButton* b, QPushButton* c) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : {a, b, c}) {
        button->setMinimumWidth(button == c ? 80 : 115);
        row->addWidget(button);
        row->addSpacing(12);
    }
    row->addStretch();
    return row;
}

}  // namespace

void ChannelDialog::BuildBasicLayout() {
    for (QWidget* w : std::initializer_list<QWidget*>{
             busyLockMode_, relationLabel_, relationAnd_, relationOr_, signallingType_,
             decodeNumber_, pttIdType_, pttIdMode_, txStartCode_, txEndCode_, call1Code_,
             call2Code_, txWithoutDecode_, signallingSwitchable_})
        w->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(Label(kTextChannel));
    top->addWidget(channel_);
    top->addSpacing(24);
    top->addWidget(channelOn_);
    top->addSpacing(12);
    top->addWidget(txOn_);
    top->addStretch();

    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(Label(kTextRxFrequencyLabel), 0, 0);
    grid->addWidget(rx_, 0, 1);
    grid->addWidget(Label(kTextTxFrequencyLabel), 1, 0);
    grid->addWidget(tx_, 1, 1);
    grid->addWidget(Label(kTextRxToneLabel), 2, 0);
    grid->addWidget(decodeTone_, 2, 1);
    grid->addWidget(Label(kTextTxToneLabel), 3, 0);
    grid->addWidget(encodeTone_, 3, 1);
    grid->setColumnMinimumWidth(2, 16);
    // Busy lock, wide and scan one below the other; compander and tail elimination beside them.
    grid->addWidget(busyLock_, 0, 3);
    grid->addWidget(wide_, 1, 3);
    grid->addWidget(scan_, 2, 3);
    grid->addWidget(compander_, 0, 4);
    grid->addWidget(tailElimination_, 1, 4);
    grid->setVerticalSpacing(8);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 14);
    layout->addLayout(top);
    layout->addWidget(group);
    layout->addSpacing(6);
    layout->addLayout(ButtonRow(saveAsDefault_, deleteAll_, exit_));
    setFixedSize(sizeHint().expandedTo(QSize(470, 0)));
}

void ChannelDialog::BuildSignallingLayout() {
    busyLock_->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(Label(kTextChannel));
    top->addWidget(channel_);
    top->addSpacing(24);
    top->addWidget(channelOn_);
    top->addSpacing(12);
    top->addWidget(txOn_);
    top->addStretch();

    auto* basic = new QGroupBox(this);
    auto* left = new QGridLayout(basic);
    int r = 0;
    auto addRow = [&](QGridLayout* grid, int& row, QWidget* label, QWidget* field) {
        if (label) grid->addWidget(label, row, 0);
        grid->addWidget(field, row, label ? 1 : 0, 1, label ? 1 : 2);
        ++row;
    };
    addRow(left, r, Label(kTextRxFrequencyLabel), rx_);
    addRow(left, r, Label(kTextTxFrequencyLabel), tx_);
    addRow(left, r, Label(kTextRxToneLabel), decodeTone_);
    addRow(left, r, Label(kTextTxToneLabel), encodeTone_);
    addRow(left, r, Label(kTextBusyLock), busyLockMode_);
    for (QCheckBox* box : {compander_, scan_, wide_, tailElimination_})
        addRow(left, r, nullptr, box);
    left->setRowStretch(r, 1);

    auto* signalling = new QGroupBox(this);
    auto* right = new QGridLayout(signalling);
    int s = 0;
    auto* relation = new QWidget(signalling);
    auto* relationRow = new QHBoxLayout(relation);
    relationRow->setContentsMargins(0, 0, 0, 0);
    relationRow->addWidget(relationAnd_);
    relationRow->addWidget(relationOr_);
    relationRow->addStretch();
    addRow(right, s, relationLabel_, relation);
    addRow(right, s, Label(kTextOptionalSignalling), signallingType_);
    addRow(right, s, Label(kTextDecodeNumber), decodeNumber_);
    addRow(right, s, Label(kTextPttIdType), pttIdType_);
    addRow(right, s, Label(kTextPttIdMode), pttIdMode_);
    addRow(right, s, Label(kTextTxStart), txStartCode_);
    addRow(right, s, Label(kTextTxEnd), txEndCode_);
    addRow(right, s, Label(kTextCall1), call1Code_);
    addRow(right, s, Label(kTextCall2), call2Code_);
    addRow(right, s, nullptr, txWithoutDecode_);
    addRow(right, s, nullptr, signallingSwitchable_);
    right->setRowStretch(s, 1);
    for (QComboBox* box : {signallingType_, decodeNumber_, pttIdType_, pttIdMode_, txStartCode_,
                           txEndCode_, call1Code_, call2Code_})
        box->setMinimumWidth(130);

    auto* columns = new QHBoxLayout;
    columns->addWidget(basic, 1);
    columns->addWidget(signalling, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 14);
    layout->addLayout(top);
    layout->addLayout(columns);
    layout->addSpacing(6);
    layout->addLayout(ButtonRow(saveAsDefault_, deleteAll_, exit_));
    setFixedSize(sizeHint());
}

void ChannelDialog::Connect() {
    ChannelDlgModel* m = &model_;
    connect(channel_->edit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        CommitEdits();
        model_.TypeChannel(text.toStdString());
        Moved();
    });
    connect(channel_, &ChannelNumberBox::stepped, this, [this](int steps) {
        CommitEdits();
        model_.StepChannel(steps);
        Moved();
    });
    connect(rx_, &QLineEdit::editingFinished, this, [this] { CommitEdits(); });
    connect(tx_, &QLineEdit::editingFinished, this, [this] { CommitEdits(); });

    auto onCheck = [&](QAbstractButton* box, void (ChannelDlgModel::*set)(bool)) {
        connect(box, &QAbstractButton::clicked, this, [this, set](bool on) {
            CommitEdits();
            (model_.*set)(on);
            Changed();
        });
    };
    onCheck(channelOn_, &ChannelDlgModel::SetChannelOn);
    onCheck(txOn_, &ChannelDlgModel::SetTxOn);
    onCheck(busyLock_, &ChannelDlgModel::SetBusyLock);
    onCheck(compander_, &ChannelDlgModel::SetCompander);
    onCheck(scan_, &ChannelDlgModel::SetScan);
    onCheck(wide_, &ChannelDlgModel::SetWide);
    onCheck(tailElimination_, &ChannelDlgModel::SetTailElimination);
    onCheck(txWithoutDecode_, &ChannelDlgModel::SetTxWithoutDecode);
    onCheck(signallingSwitchable_, &ChannelDlgModel::SetSignallingSwitchable);
    connect(relationAnd_, &QAbstractButton::clicked, this, [this] {
        CommitEdits();
        model_.SetRelationAnd(true);
        Changed();
    });
    connect(relationOr_, &QAbstractButton::clicked, this, [this] {
        CommitEdits();
        model_.SetRelationAnd(false);
        Changed();
    });

    auto onList = [&](QComboBox* box, std::function<void(int)> select) {
        // activated comes from the user only, never from the view filling the list.
        connect(box, &QComboBox::activated, this, [this, select](int index) {
            CommitEdits();
            select(index);
            Changed();
        });
    };
    onList(decodeTone_, [m](int i) { m->SelectDecodeTone(i); });
    onList(encodeTone_, [m](int i) { m->SelectEncodeTone(i); });
    onList(busyLockMode_, [m](int i) { m->SelectBusyLockMode(i); });
    onList(signallingType_, [m](int i) { m->SelectSignallingType(i); });
    onList(decodeNumber_, [m](int i) { m->SelectDecodeNumber(i); });
    onList(pttIdType_, [m](int i) { m->SelectPttIdType(i); });
    onList(pttIdMode_, [m](int i) { m->SelectPttIdMode(i); });
    using L = ChannelDlgModel::CodeList;
    onList(txStartCode_, [m](int i) { m->SelectCode(L::TxStart, i); });
    onList(txEndCode_, [m](int i) { m->SelectCode(L::TxEnd, i); });
    onList(call1Code_, [m](int i) { m->SelectCode(L::Call1, i); });
    onList(call2Code_, [m](int i) { m->SelectCode(L::Call2, i); });

    connect(saveAsDefault_, &QPushButton::clicked, this, [this] {
        CommitEdits();
        model_.SaveAsDefault();
    });
    connect(deleteAll_, &QPushButton::clicked, this, [this] { DeleteAll(); });
    connect(exit_, &QPushButton::clicked, this, &QDialog::accept);
}

void ChannelDialog::SetTabOrder() {
    // The fields in the order they are read, the buttons last, Delete all at the very end.
    std::vector<QWidget*> order = {channel_, channelOn_, txOn_, rx_, tx_, decodeTone_, encodeTone_};
    if (model_.signalling()) {
        for (QWidget* w : std::initializer_list<QWidget*>{
                 busyLockMode_, compander_, scan_, wide_, tailElimination_, relationAnd_,
                 relationOr_, signallingType_, decodeNumber_, pttIdType_, pttIdMode_, txStartCode_,
                 txEndCode_, call1Code_, call2Code_, txWithoutDecode_, signallingSwitchable_})
            order.push_back(w);
    } else {
        for (QWidget* w :
             std::initializer_list<QWidget*>{busyLock_, wide_, scan_, compander_, tailElimination_})
            order.push_back(w);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{saveAsDefault_, exit_, deleteAll_})
        order.push_back(w);
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

bool ChannelDialog::focusNextPrevChild(bool next) {
    CommitEdits();
    return QDialog::focusNextPrevChild(next);
}

void ChannelDialog::CommitEdits() {
    // Applied to the channel the field was loaded for, before anything moves the dialog on.
    if (rx_->isModified()) {
        rx_->setModified(false);
        model_.EditRx(rx_->text().toStdString());
        Changed();
        if (!model_.frequencyNote().empty()) emit statusMessage(Q(model_.frequencyNote()));
    }
    if (tx_->isModified()) {
        tx_->setModified(false);
        model_.EditTx(tx_->text().toStdString());
        Changed();
        if (!model_.frequencyNote().empty()) emit statusMessage(Q(model_.frequencyNote()));
    }
}

void ChannelDialog::Changed() {
    form_.RefreshRow(model_.row());
    Sync();
    emit imageEdited();
}

void ChannelDialog::ReloadChannel() {
    model_.Open(model_.row());
    Moved();
}

void ChannelDialog::Moved() {
    form_.HighlightRow(model_.row());
    Sync();
}

void ChannelDialog::Sync() {
    const ChannelDlgState& s = model_.state();
    QLineEdit* number = channel_->edit();
    if (number->text() != Q(s.channelText)) {
        number->setText(Q(s.channelText));
        number->setCursorPosition(number->text().size());
    }
    SyncCheck(channelOn_, s.channelOn);
    SyncCheck(txOn_, s.txOn);
    SyncEdit(rx_, s.rx);
    SyncEdit(tx_, s.tx);
    SyncList(decodeTone_, s.decodeTone);
    SyncList(encodeTone_, s.encodeTone);
    SyncCheck(busyLock_, s.busyLock);
    SyncList(busyLockMode_, s.busyLockMode);
    SyncCheck(compander_, s.compander);
    SyncCheck(scan_, s.scan);
    SyncCheck(wide_, s.wide);
    SyncCheck(tailElimination_, s.tailElimination);
    SyncCheck(relationAnd_, s.relationAnd);
    SyncCheck(relationOr_, s.relationOr);
    relationLabel_->setEnabled(s.relationAnd.enabled);
    SyncList(signallingType_, s.signallingType);
    SyncList(decodeNumber_, s.decodeNumber);
    SyncList(pttIdType_, s.pttIdType);
    SyncList(pttIdMode_, s.pttIdMode);
    SyncList(txStartCode_, s.txStartCode);
    SyncList(txEndCode_, s.txEndCode);
    SyncList(call1Code_, s.call1Code);
    SyncList(call2Code_, s.call2Code);
    SyncCheck(txWithoutDecode_, s.txWithoutDecode);
    SyncCheck(signallingSwitchable_, s.signallingSwitchable);
    saveAsDefault_->setEnabled(s.saveAsDefaultEnabled);
}

bool ChannelDialog::AskDeleteAll() {
    QMessageBox box(QMessageBox::Question, Q(texts_.GetText(kTextQuestionCaption)),
                    Q(texts_.GetText(kTextDeleteAllChannelsQuestion)),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void ChannelDialog::DeleteAll() {
    CommitEdits();
    if (!confirmDeleteAll || !confirmDeleteAll()) return;
    model_.DeleteAllChannels();
    for (int row = 1; row < form_.grid()->rowCount(); ++row) form_.RefreshRow(row);
    Sync();
    emit imageEdited();
}

void ChannelDialog::done(int result) {
    CommitEdits();
    form_.RemoveHighlight();
    QDialog::done(result);
}

}  // namespace vgr47
