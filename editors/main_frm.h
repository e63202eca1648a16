// The channel form: a read-only grid with one row per channel, refilled whenever the whole
// image changes. Double-click or C on a row asks for the channel dialog.
#pragma once

#include <QWidget>

#include "editors/channel_model.h"

class QTableWidget;

namespace vgr47 {

class CMainFrm : public QWidget {
    Q_OBJECT
public:
    CMainFrm(ChannelModel& model, const TextCatalogue& texts, QWidget* parent = nullptr);

    // Lays the grid out for the current model and fills every row from the image.
    void Refill();
    void RefreshRow(int row);
    // The row the channel dialog works on: white on blue until the highlight is removed.
    void HighlightRow(int row);
    void RemoveHighlight();
    int currentRow() const { return currentRow_; }
    QTableWidget* grid() const { return grid_; }

signals:
    void channelDialogRequested(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PaintRow(int row);

    ChannelModel& model_;
    const TextCatalogue& texts_;
    QTableWidget* grid_;
    int currentRow_ = 1;
    bool highlighted_ = false;
};

}  // namespace vgr47
