// The controls of the test-mode dialog and their layout: the test panel, the enter/leave
// adjusting and exit buttons, the alignment panel, the status line and the trace log.
#pragma once

#include <vector>

#include "link/tuning_panel.h"

class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabBar;
class QToolButton;
class QWidget;

namespace vgr47 {

class TextCatalogue;

struct TuningWidgets {
    // Test panel.
    QGroupBox* testBox;
    QComboBox* channelCombo;
    QComboBox* signallingCombo;
    QLabel* rxFrequency;
    QLabel* txFrequency;
    QLabel* rxMarker;
    QLabel* txMarker;
    QPushButton* wide;
    QPushButton* narrow;
    QPushButton* ptt;
    QLabel* wideLamp;
    QLabel* narrowLamp;
    QLabel* txLamp;
    // Between the panels.
    QPushButton* toggle;
    QPushButton* exit;
    // Alignment panel.
    QGroupBox* adjustBox;
    QListWidget* itemList;
    QPushButton* tune;
    QTabBar* pages;
    QLabel* refRx;
    QLabel* refTx;
    QSlider* slider;
    QLineEdit* valueField;
    QToolButton* valueUp;
    QToolButton* valueDown;
    QProgressBar* progress;
    QPushButton* adjWide;
    QPushButton* adjNarrow;
    QPushButton* adjPtt;
    QLabel* adjWideLamp;
    QLabel* adjNarrowLamp;
    QLabel* adjTxLamp;
    QPushButton* store;
    QPushButton* discard;
    QLabel* status;
    QPlainTextEdit* trace;

    // The controls that only take part while a value is adjusted.
    std::vector<QWidget*> ValueControls() const;
};

// Creates the controls in the dialog. Controls that hide and show keep their space, so
// nothing below them moves.
TuningWidgets BuildTuningWidgets(QDialog& dialog, const TextCatalogue& texts,
                                 const std::vector<TuningItem>& items, bool debug);

// A lamp lit in the receive or the transmit colour.
void LightLamp(QLabel* lamp, bool transmit);

}  // namespace vgr47
