// An edit field with a spin control whose rules live in a headless model: the text is
// whatever the user typed, the arrows ask the model for a step (which wraps at the ends),
// and focus leaving the field commits it. Validation and clamping are the model's.
#pragma once

#include <QAbstractSpinBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <functional>

namespace vgr47 {

class WrapSpinField : public QAbstractSpinBox {
  public:
    explicit WrapSpinField(QWidget* parent = nullptr) : QAbstractSpinBox(parent) {
        setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        setAccelerated(false);
        setKeyboardTracking(true);
        // Room for the longest value ("7000") beside the arrows.
        setMinimumWidth(76);
    }

    std::function<void(int)> onStep;  // +1 / -1 from the arrows or the arrow keys
    std::function<void()> onFocusIn;  // the field gained focus
    QLineEdit* edit() const { return lineEdit(); }
    void setText(const QString& text) {
        if (lineEdit()->text() != text) lineEdit()->setText(text);
    }
    QString text() const { return lineEdit()->text(); }

    void stepBy(int steps) override {
        if (onStep) onStep(steps > 0 ? 1 : -1);
    }

  protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
    void focusInEvent(QFocusEvent* event) override {
        QAbstractSpinBox::focusInEvent(event);
        if (onFocusIn) onFocusIn();
    }
};

}  // namespace vgr47
