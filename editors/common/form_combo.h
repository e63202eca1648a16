// Small helpers the form views share: lists filled from a model's entries and selections moved
// without the change signals firing.
#pragma once

#include <QComboBox>
#include <QSignalBlocker>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

namespace vgr47 {

inline QString Qs(const std::string& text) { return QString::fromStdString(text); }

inline void FillCombo(QComboBox* box, const std::vector<std::string>& entries) {
    QSignalBlocker block(box);
    box->clear();
    for (const std::string& e : entries) box->addItem(Qs(e));
}

// -1 (or an index past the end) leaves the list without a selection, as the radio's value
// has no entry.
inline void SelectIndex(QComboBox* box, int index) {
    QSignalBlocker block(box);
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

}  // namespace vgr47
