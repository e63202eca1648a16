#include "editors/two_tone/two_tone_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/text_ids.h"

namespace vgr47 {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Grid geometry in twips, 15 to the pixel.
constexpr int kColumnTwips[3] = {800, 1600, 1600};
constexpr int kRowTwips = 280;
constexpr int kEditorInset = 1;  // 4 twips, rounded down to a pixel

void FillCombo(QComboBox* box, const std::vector<std::string>& entries, int index) {
    QSignalBlocker block(box);
    box->clear();
    for (const std::string& e : entries) box->addItem(Q(e));
    box->setCurrentIndex(index);
}

}  // namespace

TwoToneView::TwoToneView(CodeplugImage& image, const TextCatalogue& texts, QWidget* parent)
    : FormView(parent), model_(image, texts), texts_(texts) {
    setWindowTitle(Q(texts.GetText(kTextTwoTone)));
    confirmDeleteAll = [this] {
        QMessageBox box(QMessageBox::Critical, Q(texts_.GetText(kTextQuestionCaption)),
                        Q(texts_.GetText(kTextDeleteAllEntriesQuestion)),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok;
    };
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->addTab(BuildEncodePage(), Q(texts.GetText(kTextEncode)));
    pages_->addTab(BuildDecodePage(), Q(texts.GetText(kTextDecode)).trimmed());
    layout->addWidget(pages_);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(Q(texts.GetText(kTextOk)), this);
    auto* cancel = new QPushButton(Q(texts.GetText(kTextCancel)), this);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TwoToneView::Ok);
    connect(cancel, &QPushButton::clicked, this, &FormView::closeRequested);
    SetOkCancel(ok, cancel);
    SetPlacementOffset(QPoint(10, 25));
    RefreshEncode();
    RefreshDecode();
}

QWidget* TwoToneView::BuildEncodePage() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);

    grid_ = new QTableWidget(TwoToneModel::kEntries, 3, page);
    grid_->setHorizontalHeaderLabels(
        {"", Q(texts_.GetText(kTextFirstTone)), Q(texts_.GetText(kTextSecondTone))});
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    int width = 0;
    for (int c = 0; c < 3; ++c) {
        grid_->setColumnWidth(c, kColumnTwips[c] / 15);
        width += kColumnTwips[c] / 15;
    }
    for (int r = 0; r < TwoToneModel::kEntries; ++r) {
        grid_->setRowHeight(r, kRowTwips / 15);
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (c == 0) {
                item->setText(QString::number(r + 1));
                item->setBackground(QColor(236, 233, 216));
            }
            grid_->setItem(r, c, item);
        }
    }
    grid_->setMinimumWidth(width + grid_->verticalScrollBar()->sizeHint().width() + 4);
    grid_->setMinimumHeight(12 * kRowTwips / 15);
    cellEditor_ = new QLineEdit(grid_->viewport());
    cellEditor_->hide();
    cellEditor_->installEventFilter(this);
    connect(grid_, &QTableWidget::cellClicked, this, &TwoToneView::OpenEditor);
    connect(cellEditor_, &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.SetEditorText(t.toStdString()); });
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, &TwoToneView::PlaceEditor);
    row->addWidget(grid_, 1);

    auto* side = new QVBoxLayout;
    sideTone_ = new QCheckBox(Q(texts_.GetText(kTextSideTone)), page);
    singleTone_ = new QCheckBox(Q(texts_.GetText(kTextSingleTone)), page);
    singleTone_->hide();  // not offered on these radios; its bit is kept
    connect(sideTone_, &QCheckBox::toggled, this, [this](bool on) { model_.SetSideTone(on); });
    connect(singleTone_, &QCheckBox::toggled, this, [this](bool on) { model_.SetSingleTone(on); });
    side->addWidget(sideTone_);
    side->addWidget(singleTone_);
    const int labels[4] = {kTextFirstToneDuration, kTextSecondToneDuration, kTextLongToneDuration,
                           kTextToneGap};
    for (int i = 0; i < 4; ++i) {
        side->addWidget(new QLabel(Q(texts_.GetText(labels[i])), page));
        timing_[i] = new QLineEdit(page);
        const auto field = static_cast<TwoToneModel::Field>(i);
        connect(timing_[i], &QLineEdit::textEdited, this,
                [this, field](const QString& t) { model_.SetFieldText(field, t.toStdString()); });
        connect(timing_[i], &QLineEdit::editingFinished, this, [this, field, i] {
            model_.LeaveField(field);
            timing_[i]->setText(Q(model_.fieldText(field)));
        });
        side->addWidget(timing_[i]);
    }
    side->addStretch();
    auto* del = new QPushButton(Q(texts_.GetText(kTextDelete)), page);
    auto* delAll = new QPushButton(Q(texts_.GetText(kTextDeleteAll)), page);
    connect(del, &QPushButton::clicked, this, [this] {
        cellEditor_->hide();
        model_.DeleteCurrentEntry();
        RefreshEncode();
    });
    connect(delAll, &QPushButton::clicked, this, [this] {
        if (!confirmDeleteAll()) return;
        cellEditor_->hide();
        model_.DeleteAllEntries();
        RefreshEncode();
    });
    side->addWidget(del);
    side->addWidget(delAll);
    row->addLayout(side);
    return page;
}

QWidget* TwoToneView::BuildDecodePage() {
    auto* page = new QWidget;
    auto* outer = new QVBoxLayout(page);
    setTabs_ = new QTabBar(page);
    for (int n = 1; n <= TwoToneModel::kSets; ++n)
        setTabs_->addTab(Q(texts_.GetText(kTextDecodeSet)) + QString(" %1").arg(n));
    // The tab takes no focus: the model applies the clamps itself before a set is stored.
    setTabs_->setFocusPolicy(Qt::NoFocus);
    connect(setTabs_, &QTabBar::currentChanged, this, [this](int n) {
        model_.SelectSet(n);
        RefreshDecode();
    });
    outer->addWidget(setTabs_);

    auto* panel = new QGroupBox(page);
    auto* grid = new QGridLayout(panel);
    const QString decode = Q(texts_.GetText(kTextDecode));
    QComboBox** lists[2] = {&decode1_, &decode2_};
    for (int g = 0; g < 2; ++g) {
        auto* box = new QGroupBox(decode + QString::number(g + 1), panel);
        auto* form = new QFormLayout(box);
        *lists[g] = new QComboBox(box);
        (*lists[g])->setMinimumContentsLength(8);
        form->addRow(Q(texts_.GetText(kTextCombination)), *lists[g]);
        grid->addWidget(box, 0, g);
    }
    connect(decode1_, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        model_.SelectDecode1(i);
        RefreshDecode();
    });
    connect(decode2_, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        model_.SelectDecode2(i);
        RefreshDecode();
    });

    auto* toneBox = new QFormLayout;
    for (int l = 0; l < 4; ++l) {
        tones_[l] = new QLineEdit(panel);
        const auto field = static_cast<TwoToneModel::Field>(TwoToneModel::kToneA + l);
        connect(tones_[l], &QLineEdit::textEdited, this,
                [this, field](const QString& t) { model_.SetFieldText(field, t.toStdString()); });
        connect(tones_[l], &QLineEdit::editingFinished, this, [this, field, l] {
            // A field disabled by a tab change loses the focus too; it was not edited.
            if (!model_.ToneEnabled(l)) return;
            model_.LeaveField(field);
            tones_[l]->setText(Q(model_.fieldText(field)));
        });
        toneBox->addRow(QString(QChar('A' + l)) + " " + Q(texts_.GetText(kTextToneLabel)) + "(Hz)",
                        tones_[l]);
    }
    grid->addLayout(toneBox, 1, 0);

    auto* other = new QFormLayout;
    autoReset_ = new QComboBox(panel);
    autoReset_->setEditable(true);
    autoReset_->setInsertPolicy(QComboBox::NoInsert);
    autoReset_->lineEdit()->installEventFilter(this);
    for (const std::string& e : model_.AutoResetEntries()) autoReset_->addItem(Q(e));
    connect(autoReset_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.SetAutoResetText(t.toStdString()); });
    connect(autoReset_, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { model_.SetAutoResetText(autoReset_->itemText(i).toStdString()); });
    callAlert_ = new QComboBox(panel);
    autoAnswer_ = new QComboBox(panel);
    connect(callAlert_, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { model_.SetCallAlert(i); });
    connect(autoAnswer_, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { model_.SetAutoAnswer(i); });
    other->addRow(Q(texts_.GetText(kTextCallAlert)), callAlert_);
    other->addRow(Q(texts_.GetText(kTextAutoAnswer)), autoAnswer_);
    other->addRow(Q(texts_.GetText(kTextAutoResetTime)), autoReset_);
    grid->addLayout(other, 1, 1, Qt::AlignTop);
    outer->addWidget(panel);
    outer->addStretch();
    return page;
}

void TwoToneView::RefreshCell(int entry) {
    for (int t = 0; t < 2; ++t) {
        QTableWidgetItem* item = grid_->item(entry, t + 1);
        const std::string& text = model_.cell(entry, t);
        item->setText(Q(text));
        // Empty cells of a row in use are shaded.
        bool used = !model_.cell(entry, 0).empty() || !model_.cell(entry, 1).empty();
        item->setBackground(used && text.empty() ? QColor(212, 208, 200) : QColor(255, 255, 255));
    }
}

void TwoToneView::RefreshEncode() {
    {
        QSignalBlocker a(sideTone_), b(singleTone_);
        sideTone_->setChecked(model_.sideTone());
        singleTone_->setChecked(model_.singleTone());
    }
    for (int i = 0; i < 4; ++i)
        timing_[i]->setText(Q(model_.fieldText(static_cast<TwoToneModel::Field>(i))));
    for (int e = 0; e < TwoToneModel::kEntries; ++e) RefreshCell(e);
}

void TwoToneView::RefreshDecode() {
    FillCombo(decode1_, model_.Decode1Entries(), model_.decode1Index());
    FillCombo(decode2_, model_.Decode2Entries(), model_.decode2Index());
    for (int l = 0; l < 4; ++l) {
        tones_[l]->setText(
            Q(model_.fieldText(static_cast<TwoToneModel::Field>(TwoToneModel::kToneA + l))));
        tones_[l]->setEnabled(model_.ToneEnabled(l));
    }
    FillCombo(callAlert_, model_.CallAlertEntries(), model_.shown().callAlert);
    FillCombo(autoAnswer_, model_.AutoAnswerEntries(), model_.shown().autoAnswer);
    QSignalBlocker block(autoReset_);
    autoReset_->setEditText(Q(model_.shown().autoReset));
}

void TwoToneView::OpenEditor(int row, int column) {
    if (column < 1) return;
    if (cellEditor_->isVisible()) model_.SetEditorText(cellEditor_->text().toStdString());
    std::optional<TwoToneModel::Cell> before = model_.editingCell();
    TwoToneModel::Cell cell = model_.BeginCellEdit(row, column - 1);
    if (before) RefreshCell(before->entry);
    grid_->setCurrentCell(cell.entry, cell.tone + 1);
    cellEditor_->setText(Q(model_.editorText()));
    PlaceEditor();
    cellEditor_->show();
    cellEditor_->selectAll();
    cellEditor_->setFocus();
}

void TwoToneView::PlaceEditor() {
    const auto& cell = model_.editingCell();
    if (!cell) return;
    QRect r = grid_->visualRect(grid_->model()->index(cell->entry, cell->tone + 1));
    cellEditor_->setGeometry(r.adjusted(kEditorInset, kEditorInset, -kEditorInset, -kEditorInset));
}

bool TwoToneView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == cellEditor_) {
                model_.SetEditorText(cellEditor_->text().toStdString());
                std::optional<TwoToneModel::Cell> cell = model_.editingCell();
                model_.CommitCellEdit();
                if (cell) RefreshCell(cell->entry);
                cellEditor_->hide();
                grid_->setFocus();
                return true;
            }
            if (watched == autoReset_->lineEdit()) {
                focusNextChild();
                return true;
            }
        }
    }
    if (event->type() == QEvent::FocusOut && watched == autoReset_->lineEdit()) {
        model_.LeaveAutoReset();
        QSignalBlocker block(autoReset_);
        autoReset_->setEditText(Q(model_.shown().autoReset));
    }
    return FormView::eventFilter(watched, event);
}

void TwoToneView::Ok() {
    if (cellEditor_->isVisible()) model_.SetEditorText(cellEditor_->text().toStdString());
    cellEditor_->hide();
    if (!model_.Ok()) return;
    emit closeRequested();
}

}  // namespace vgr47
