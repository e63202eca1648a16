#include "editors/five_tone_codes/five_tone_codes_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/text_ids.h"
#include "editors/common/wrap_spin_field.h"

namespace vgr47 {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kGrey(212, 208, 200);
const QColor kFixed(236, 233, 216);
const QColor kLit(0, 255, 0);

constexpr int kTwipsPerPixel = 15;
const int kEncodeWidths[] = {800, 1200, 1200, 1200, 850, 850, 850};
const int kDecodeWidths[] = {900, 1400, 1400, 1400, 1500, 1400};
constexpr int kHeaderRowTwips = 560;
constexpr int kRowTwips = 280;
// The editor sits just inside the cell's grid lines.
constexpr int kEditorInset = 1;

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLabel* Label(const std::string& text, QWidget* parent) { return new QLabel(Q(text), parent); }

}  // namespace

FiveToneCodesView::FiveToneCodesView(CodeplugImage& image, const TextCatalogue& texts,
                                     Messages& messages, QWidget* parent)
    : FormView(parent),
      texts_(texts),
      model_(image, texts, messages),
      tabs_(new QTabWidget(this)),
      delete_(new QPushButton(Q(texts.GetText(kTextDelete)), this)),
      deleteAll_(new QPushButton(Q(texts.GetText(kTextDeleteAll)), this)),
      ok_(new QPushButton(Q(texts.GetText(kTextOk)), this)) {
    setWindowTitle(Q(Text(kTextEnDecodeTitle)));
    tabs_->addTab(BuildEncodePage(), Q(Text(kTextEncode)));
    tabs_->addTab(BuildDecodePage(), Q(Text(kTextDecode)));

    auto* cancel = new QPushButton(Q(Text(kTextCancel)), this);
    connect(delete_, &QPushButton::clicked, this, [this] {
        model_.DeleteRow(shownPage());
        Refresh();
    });
    connect(deleteAll_, &QPushButton::clicked, this, [this] {
        QMessageBox box(QMessageBox::Critical, Q(Text(kTextQuestionCaption)),
                        Q(Text(kTextDeleteAllEntriesQuestion)),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Cancel);
        if (box.exec() != QMessageBox::Ok) return;
        model_.DeleteAll(shownPage());
        Refresh();
    });
    connect(ok_, &QPushButton::clicked, this, [this] {
        model_.Write();
        emit closeRequested();
    });
    connect(cancel, &QPushButton::clicked, this, &FormView::closeRequested);
    SetOkCancel(ok_, cancel);
    SetPlacementOffset(QPoint(10, 25));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(delete_);
    buttons->addWidget(deleteAll_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
    Refresh();
}

FiveToneCodesView::Model::Page FiveToneCodesView::shownPage() const {
    return tabs_->currentIndex() == 1 ? Model::kDecodePage : Model::kEncodePage;
}

QWidget* FiveToneCodesView::BuildEncodePage() {
    auto* page = new QWidget;
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    const int timeTexts[Model::kTimeFieldCount] = {kTextDelay1, kTextDelay2, kTextDelay3,
                                                   kTextEndDelay, kTextFirstDigitLength};
    for (int f = 0; f < Model::kTimeFieldCount; ++f) {
        const auto field = static_cast<Model::TimeField>(f);
        auto* spin = new WrapSpinField(page);
        times_[f] = spin;
        connect(spin->edit(), &QLineEdit::textEdited, this,
                [this, field](const QString& t) { model_.SetTimeText(field, t.toStdString()); });
        connect(spin, &QAbstractSpinBox::editingFinished, this, [this, field] {
            model_.CommitTime(field);
            Refresh();
        });
        spin->onStep = [this, field](int delta) {
            model_.StepTime(field, delta);
            Refresh();
        };
        spin->onFocusIn = [this, field] {
            model_.FocusTimeField(field);
            RefreshDiagram();
        };
        // Three rows of fields, so the form fits the main window at its first size.
        fields->addWidget(Label(Text(timeTexts[f]), page), f % 3, 3 * (f / 3));
        fields->addWidget(spin, f % 3, 3 * (f / 3) + 1);
    }
    delay3Code_ = new QComboBox(page);
    delay2Code_ = new QComboBox(page);
    for (const std::string& s : model_.DelayCodeEntries()) {
        delay3Code_->addItem(Q(s));
        delay2Code_->addItem(Q(s));
    }
    connect(delay3Code_, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { model_.ChooseDelay3Code(i); });
    connect(delay2Code_, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { model_.ChooseDelay2Code(i); });
    sideTone_ = new QCheckBox(Q(Text(kTextSideTone)), page);
    connect(sideTone_, &QCheckBox::clicked, this, [this](bool on) { model_.SetSideTone(on); });
    fields->setColumnMinimumWidth(2, 16);
    fields->setColumnMinimumWidth(5, 16);
    fields->addWidget(sideTone_, 2, 3, 1, 2);
    fields->addWidget(Label(Text(kTextDelay3Code), page), 0, 6);
    fields->addWidget(delay3Code_, 0, 7);
    fields->addWidget(Label(Text(kTextDelay2Code), page), 1, 6);
    fields->addWidget(delay2Code_, 1, 7);
    fields->setColumnStretch(8, 1);

    // The timing diagram: delay 1, frame 1, delay 2, frame 2, delay 3, frame 3, end delay.
    auto* diagram = new QHBoxLayout;
    diagram->setSpacing(2);
    for (int b = 0; b < Model::kBoxCount; ++b) {
        const int frame = Model::BoxCaptionFrame(static_cast<Model::Box>(b));
        auto* box =
            new QLabel(frame ? Q(Text(kTextFrame) + " " + std::to_string(frame)) : QString(), page);
        box->setAlignment(Qt::AlignCenter);
        box->setFrameShape(QFrame::Box);
        box->setAutoFillBackground(true);
        box->setFixedSize(frame ? 64 : 36, 20);
        boxes_[b] = box;
        diagram->addWidget(box);
    }
    diagram->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(fields);
    layout->addLayout(diagram);
    PrepareGrid(Model::kEncodePage, page);
    layout->addWidget(pages_[Model::kEncodePage].grid, 1, Qt::AlignLeft);
    return page;
}

QWidget* FiveToneCodesView::BuildDecodePage() {
    auto* page = new QWidget;
    clearAutoAnswer_ = new QCheckBox(Q(Text(kTextClearAutoAnswer)), page);
    connect(clearAutoAnswer_, &QCheckBox::clicked, this,
            [this](bool on) { model_.SetClearAutoAnswer(on); });
    waitTime_ = new WrapSpinField(page);
    connect(waitTime_->edit(), &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.SetWaitTimeText(t.toStdString()); });
    connect(waitTime_, &QAbstractSpinBox::editingFinished, this, [this] {
        model_.CommitWaitTime();
        Refresh();
    });
    waitTime_->onStep = [this](int delta) {
        model_.StepWaitTime(delta);
        Refresh();
    };
    // The decode number list is kept for its byte but not offered.
    decodeNumber_ = new QComboBox(page);
    for (const std::string& s : model_.DecodeNumberEntries()) decodeNumber_->addItem(Q(s));
    auto* decodeNumberLabel = Label(Text(kTextDecodeNumber), page);
    decodeNumber_->hide();
    decodeNumberLabel->hide();
    autoReset_ = new QComboBox(page);
    autoReset_->setEditable(true);
    autoReset_->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& s : model_.AutoResetEntries()) autoReset_->addItem(Q(s));
    connect(autoReset_, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { model_.ChooseAutoReset(i); });
    connect(autoReset_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        // A typed text that is no entry counts as entry 0, as it is written.
        int i = autoReset_->findText(autoReset_->currentText().trimmed());
        model_.ChooseAutoReset(i < 0 ? 0 : i);
        Refresh();
    });

    auto* settings = new QGroupBox(Q(Text(kTextDecodeSettings)), page);
    auto* fields = new QGridLayout(settings);
    fields->setHorizontalSpacing(10);
    fields->addWidget(Label(Text(kTextNextDecodeWaitTime), settings), 0, 0);
    fields->addWidget(waitTime_, 0, 1);
    fields->addWidget(Label(Text(kTextAutoResetTime), settings), 1, 0);
    fields->addWidget(autoReset_, 1, 1);
    fields->addWidget(clearAutoAnswer_, 2, 0, 1, 2);
    fields->addWidget(decodeNumberLabel, 3, 0);
    fields->addWidget(decodeNumber_, 3, 1);
    fields->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(settings);
    PrepareGrid(Model::kDecodePage, page);
    layout->addWidget(pages_[Model::kDecodePage].grid, 0, Qt::AlignLeft);
    layout->addStretch(1);
    return page;
}

void FiveToneCodesView::PrepareGrid(Model::Page page, QWidget* pageWidget) {
    PageWidgets& w = pages_[page];
    w.grid = new QTableWidget(Model::Rows(page), Model::Columns(page), pageWidget);
    QTableWidget* g = w.grid;
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionMode(QAbstractItemView::NoSelection);
    g->setFocusPolicy(Qt::NoFocus);
    g->setWordWrap(true);
    const int* widths = page == Model::kEncodePage ? kEncodeWidths : kDecodeWidths;
    int total = 0;
    for (int c = 0; c < Model::Columns(page); ++c) {
        g->setColumnWidth(c, widths[c] / kTwipsPerPixel);
        total += widths[c] / kTwipsPerPixel;
    }
    for (int r = 0; r < Model::Rows(page); ++r) {
        g->setRowHeight(r, (r == 0 && page == Model::kEncodePage ? kHeaderRowTwips : kRowTwips) /
                               kTwipsPerPixel);
        for (int c = 0; c < Model::Columns(page); ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            g->setItem(r, c, item);
        }
    }
    // Header texts span their columns: the frames, then the flags (or answer and alert).
    g->setSpan(0, 1, 1, Model::kFrames);
    if (page == Model::kEncodePage)
        g->setSpan(0, 1 + Model::kFrames, 1, Model::kFrames);
    else
        g->setSpan(0, Model::kAnswerColumn, 1, 2);
    // The decode grid shows all its rows; the encode grid half of them and a scroll bar.
    int rowsHeight = 0;
    for (int r = 0; r < Model::Rows(page); ++r) rowsHeight += g->rowHeight(r);
    if (page == Model::kDecodePage) {
        g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        g->setFixedSize(total + 2 * g->frameWidth(), rowsHeight + 2 * g->frameWidth());
    } else {
        g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        g->setFixedWidth(total + g->verticalScrollBar()->sizeHint().width() + 2 * g->frameWidth());
        // The two header rows and eight entries; a larger window shows more.
        int shown = 0;
        for (int r = 0; r < 10 && r < Model::Rows(page); ++r) shown += g->rowHeight(r);
        g->setMinimumHeight(shown + 2 * g->frameWidth());
    }
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(g, &QTableWidget::cellClicked, this,
            [this, page](int row, int column) { ClickCell(page, row, column); });

    w.editor = new QLineEdit(g->viewport());
    w.editor->setMaxLength(Model::kMaxDigits);
    w.editor->hide();
    connect(w.editor, &QLineEdit::textEdited, this,
            [this, page](const QString& t) { model_.SetEditorText(page, t.toStdString()); });
    connect(w.editor, &QLineEdit::returnPressed, this, [this, page] {
        model_.CommitEdit(page);
        Refresh();
    });
    w.chooser = new QComboBox(g->viewport());
    w.chooser->hide();
    // activated comes only from a pick by the user; closing the list changes nothing.
    connect(w.chooser, qOverload<int>(&QComboBox::activated), this, [this, page](int i) {
        model_.ChooseEntry(page, i);
        Refresh();
    });
    connect(g->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this, page] { PlaceEditors(page); });
}

void FiveToneCodesView::ClickCell(Model::Page page, int row, int column) {
    model_.ClickCell(page, row, column);
    Refresh();
}

void FiveToneCodesView::Refresh() {
    for (int f = 0; f < Model::kTimeFieldCount; ++f)
        times_[f]->setText(Q(model_.timeText(static_cast<Model::TimeField>(f))));
    delay2Code_->setCurrentIndex(model_.delay2Code());
    delay3Code_->setCurrentIndex(model_.delay3Code());
    sideTone_->setChecked(model_.sideTone());
    clearAutoAnswer_->setChecked(model_.clearAutoAnswer());
    waitTime_->setText(Q(model_.waitTimeText()));
    decodeNumber_->setCurrentIndex(model_.decodeNumber());
    if (model_.autoReset() >= 0)
        autoReset_->setCurrentIndex(model_.autoReset());
    else
        autoReset_->setEditText(QString());
    for (Model::Page p : {Model::kEncodePage, Model::kDecodePage}) {
        RefreshGrid(p);
        PlaceEditors(p);
    }
    RefreshDiagram();
}

void FiveToneCodesView::RefreshGrid(Model::Page page) {
    QTableWidget* g = pages_[page].grid;
    for (int r = 0; r < Model::Rows(page); ++r)
        for (int c = 0; c < Model::Columns(page); ++c) {
            QTableWidgetItem* item = g->item(r, c);
            item->setText(Q(model_.CellText(page, r, c)).remove('\r'));
            const bool fixed = r < Model::kHeaderRows || c == 0;
            item->setBackground(fixed ? kFixed : model_.IsCellWhite(page, r, c) ? kWhite : kGrey);
        }
}

void FiveToneCodesView::PlaceEditors(Model::Page page) {
    PageWidgets& w = pages_[page];
    const int row = model_.editRow(page), column = model_.editColumn(page);
    const bool editor = model_.editorOpen(page), chooser = model_.chooserOpen(page);
    // A click from one cell straight to another reopens the editor with the new cell's text.
    const bool moved = row != w.openRow || column != w.openColumn;
    if (!editor && !chooser) w.openRow = w.openColumn = -1;
    QRect cell = row >= 0 ? w.grid->visualRect(w.grid->model()->index(row, column)) : QRect();
    if (editor) {
        w.editor->setGeometry(
            cell.adjusted(kEditorInset, kEditorInset, -kEditorInset, -kEditorInset));
        // The model's text wins: a click on the cell under edit commits it (upper-cased, or
        // emptied after a message) and reopens the editor on the result.
        if (w.editor->text() != Q(model_.editorText(page)))
            w.editor->setText(Q(model_.editorText(page)));
        if (moved || !w.editor->isVisible()) {
            w.editor->show();
            w.editor->selectAll();
            w.editor->setFocus();
        }
    } else {
        w.editor->hide();
    }
    if (chooser) {
        QStringList entries;
        for (const std::string& s : model_.ChooserEntries(page)) entries << Q(s);
        QStringList shown;
        for (int i = 0; i < w.chooser->count(); ++i) shown << w.chooser->itemText(i);
        // Refilled when the entries changed (an encode entry gained or lost its code).
        if (shown != entries) {
            w.chooser->clear();
            w.chooser->addItems(entries);
        }
        w.chooser->setCurrentIndex(model_.ChooserSelection(page));
        w.chooser->setGeometry(cell);
        if (moved || !w.chooser->isVisible()) {
            w.chooser->show();
            w.chooser->setFocus();
        }
    } else {
        w.chooser->hide();
    }
    if (editor || chooser) {
        w.openRow = row;
        w.openColumn = column;
    }
}

void FiveToneCodesView::RefreshDiagram() {
    for (int b = 0; b < Model::kBoxCount; ++b) {
        QPalette p = boxes_[b]->palette();
        p.setColor(QPalette::Window, b == model_.litBox() ? kLit : kGrey);
        boxes_[b]->setPalette(p);
    }
}

}  // namespace vgr47
