// The channel form: a read-only grid with one row per channel, refilled whenever the whole
// image changes. Double-click, C or Enter on a row asks for the channel dialog. The grid's
// cursor (its focus frame) is the row the keys act on; the blue highlight is the row the
// dialog works on.
#pragma once

#include <QWidget>

#include "editors/channels/channel_model.h"

class QTableWidget;

namespace vgr47 {

class FrozenColumnTable;

class ChannelGridView : public QWidget {
    Q_OBJECT
public:
    ChannelGridView(ChannelModel& model, const TextCatalogue& texts, QWidget* parent = nullptr);

    // Lays the grid out for the current model and fills every row from the image.
    void Refill();
    void RefreshRow(int row);
    // Decodes every row from the image again, keeping the layout, the cursor and the
    // channel defaults (after an undo or redo).
    void Redecode();
    // The row the channel dialog works on: white on blue until the highlight is removed.
    void HighlightRow(int row);
    void RemoveHighlight();
    // The grid's current row (the cursor), 1 at least.
    int currentRow() const;
    int highlightedRow() const { return highlighted_ ? highlightedRow_ : 0; }
    QTableWidget* grid() const;

signals:
    void channelDialogRequested(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PaintRow(int row);

    ChannelModel& model_;
    const TextCatalogue& texts_;
    FrozenColumnTable* grid_;
    int highlightedRow_ = 1;
    bool highlighted_ = false;
};

}  // namespace vgr47
