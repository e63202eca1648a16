#include "editors/dtmf/dtmf_view.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/text_ids.h"

namespace vgr47 {

namespace {

constexpr int kTwipsPerPixel = 15;
const QColor kWhite(255, 255, 255);

// Codes are bytes of the image: Latin-1 shows every byte as one character and gives it back.
QString FromBytes(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<int>(s.size()));
}
std::string ToBytes(const QString& s) { return s.toLatin1().toStdString(); }

}  // namespace

DtmfView::DtmfView(CodeplugImage& image, const TextCatalogue& texts, Messages& messages,
                   QWidget* parent)
    : FormView(parent), texts_(texts), messages_(messages), model_(image, texts, messages) {
    setWindowTitle(T(kTextEnDecodeTitle));
    tabs_ = new QTabWidget(this);
    tabs_->addTab(BuildListPage({{kTextDtmfRate, DtmfModel::kRate},
                                 {kTextFirstDigitTime, DtmfModel::kFirstDigitTime},
                                 {kTextFirstDigitDelay, DtmfModel::kFirstDigitDelay},
                                 {kTextStarHashTone, DtmfModel::kStarHashTone},
                                 {kTextDKeySetting, DtmfModel::kDKey},
                                 {kTextDtmfSideTone, DtmfModel::kSideTone}},
                                false),
                  T(kTextEncode));
    tabs_->addTab(BuildListPage({{kTextDtmfGroupCall, DtmfModel::kGroupCall},
                                 {kTextAutoResetTimer, DtmfModel::kAutoReset},
                                 {kTextDtmfCallAlert, DtmfModel::kCallAlert},
                                 {kTextDtmfAutoAnswer, DtmfModel::kAutoAnswer},
                                 {kTextClearAutoAnswer, DtmfModel::kClearAutoAnswer}},
                                true),
                  T(kTextDecode).trimmed());
    tabs_->addTab(BuildCodePage(DtmfModel::kDtmfCodes), T(kTextDtmfCode));
    tabs_->addTab(BuildCodePage(DtmfModel::kDigitCodes), T(kTextDigitCode));
    // Leaving a code page keeps what was typed there, checked.
    connect(tabs_, &QTabWidget::currentChanged, this, [this] {
        CommitEditor(DtmfModel::kDtmfCodes);
        CommitEditor(DtmfModel::kDigitCodes);
    });

    ok_ = new QPushButton(T(kTextOk), this);
    cancel_ = new QPushButton(T(kTextCancel), this);
    connect(ok_, &QPushButton::clicked, this, &DtmfView::Ok);
    connect(cancel_, &QPushButton::clicked, this, &FormView::closeRequested);
    SetOkCancel(ok_, cancel_);
    SetPlacementOffset(QPoint(5, 25));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
}

QString DtmfView::T(int number) const { return QString::fromStdString(texts_.GetText(number)); }

QWidget* DtmfView::BuildListPage(const std::vector<std::pair<int, DtmfModel::List>>& rows,
                                 bool withKillCode) {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (const auto& [label, list] : rows) {
        auto* combo = new QComboBox(page);
        for (const std::string& entry : model_.Entries(list))
            combo->addItem(QString::fromStdString(entry));
        combo->setCurrentIndex(model_.Selected(list));
        const DtmfModel::List which = list;
        connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this,
                [this, which](int index) { model_.Select(which, index); });
        lists_[list] = combo;
        form->addRow(T(label), combo);
    }
    if (withKillCode) {
        killCode_ = new QLineEdit(FromBytes(model_.killCode()), page);
        killCode_->setMaxLength(DtmfModel::kKillCodeLimit);
        connect(killCode_, &QLineEdit::editingFinished, this, &DtmfView::LeaveKillCode);
        form->addRow(T(kTextKillCode), killCode_);
    }
    return page;
}

QWidget* DtmfView::BuildCodePage(DtmfModel::CodeList list) {
    auto* page = new QWidget;
    auto* grid = new QTableWidget(DtmfModel::kCodeCount, 2, page);
    grid->setHorizontalHeaderLabels(
        {T(kTextNumberColumn), T(list == DtmfModel::kDtmfCodes ? kTextDtmfCode : kTextDigitCode)});
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setColumnWidth(0, 800 / kTwipsPerPixel);
    grid->setColumnWidth(1, 2500 / kTwipsPerPixel);
    const int rowHeight = std::max(240 / kTwipsPerPixel, grid->fontMetrics().height() + 4);
    for (int r = 0; r < DtmfModel::kCodeCount; ++r) {
        grid->setRowHeight(r, rowHeight);
        for (int c = 0; c < 2; ++c) {
            auto* item = new QTableWidgetItem(c == 0 ? QString::number(r + 1) : QString());
            item->setTextAlignment(c == 0 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
            item->setBackground(c == 0 ? QColor(236, 233, 216) : kWhite);
            grid->setItem(r, c, item);
        }
    }
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int width = grid->columnWidth(0) + grid->columnWidth(1) + 2 * grid->frameWidth();
    grid->setFixedSize(width, grid->horizontalHeader()->sizeHint().height() +
                                  DtmfModel::kCodeCount * rowHeight + 2 * grid->frameWidth());
    grids_[list] = grid;

    auto* editor = new QLineEdit(grid->viewport());
    editor->setMaxLength(list == DtmfModel::kDtmfCodes ? DtmfModel::kCodeLimit
                                                       : DtmfModel::kDigitCodeLimit);
    editor->hide();
    connect(editor, &QLineEdit::textEdited, this,
            [this, list](const QString& t) { model_.SetEditText(list, ToBytes(t)); });
    connect(editor, &QLineEdit::returnPressed, this, [this, list] { CommitEditor(list); });
    editors_[list] = editor;
    connect(grid, &QTableWidget::cellClicked, this,
            [this, list](int row, int) { ClickCell(list, row + 1); });

    auto* deleteAll = new QPushButton(T(kTextDeleteAll), page);
    connect(deleteAll, &QPushButton::clicked, this, [this, list] { DeleteAll(list); });
    deleteAll_[list] = deleteAll;

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(grid, 0, Qt::AlignTop);
    auto* side = new QVBoxLayout;
    side->addWidget(deleteAll);
    side->addStretch();
    layout->addLayout(side);
    layout->addStretch();
    ShowCodes(list);
    return page;
}

void DtmfView::ShowCodes(DtmfModel::CodeList list) {
    for (int r = 0; r < DtmfModel::kCodeCount; ++r)
        grids_[list]->item(r, 1)->setText(FromBytes(model_.Code(list, r)));
}

void DtmfView::ClickCell(DtmfModel::CodeList list, int row) {
    if (row == model_.EditingRow(list)) return;
    QLineEdit* editor = editors_[list];
    editor->hide();
    model_.ClickRow(list, row);  // commits the cell left; may show a message
    ShowCodes(list);
    if (model_.EditingRow(list) != row) return;
    QTableWidget* grid = grids_[list];
    QRect cell = grid->visualItemRect(grid->item(row - 1, 1));
    editor->setGeometry(cell.adjusted(1, 1, -1, -1));
    editor->setText(FromBytes(model_.EditText(list)));
    editor->selectAll();
    editor->show();
    editor->setFocus();
}

void DtmfView::CommitEditor(DtmfModel::CodeList list) {
    if (model_.EditingRow(list) == 0) return;
    editors_[list]->hide();
    model_.CommitEdit(list);
    ShowCodes(list);
}

void DtmfView::DeleteAll(DtmfModel::CodeList list) {
    Answer a = messages_.Ask(texts_.GetText(kTextDeleteAllEntriesQuestion),
                             texts_.GetText(kTextQuestionCaption), Buttons::OkCancel, true);
    if (a != Answer::Yes) return;
    editors_[list]->hide();
    editors_[list]->clear();
    model_.DeleteAll(list);
    ShowCodes(list);
}

void DtmfView::LeaveKillCode() {
    model_.SetKillCode(ToBytes(killCode_->text()));
    model_.LeaveKillCode();
    killCode_->setText(FromBytes(model_.killCode()));
}

void DtmfView::Ok() {
    // What is still being typed counts; the model checks it again before writing.
    model_.SetKillCode(ToBytes(killCode_->text()));
    for (DtmfModel::CodeList list : {DtmfModel::kDtmfCodes, DtmfModel::kDigitCodes}) {
        editors_[list]->hide();
        if (model_.EditingRow(list)) model_.SetEditText(list, ToBytes(editors_[list]->text()));
    }
    const bool written = model_.Apply();
    killCode_->setText(FromBytes(model_.killCode()));
    ShowCodes(DtmfModel::kDtmfCodes);
    ShowCodes(DtmfModel::kDigitCodes);
    if (written) emit closeRequested();
}

}  // namespace vgr47
