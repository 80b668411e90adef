#pragma once

#include "core/platform/MessageBox.h"

class QWidget;

// The message box shown to the user.
class WidgetMessageBox : public MessageBox {
public:
    explicit WidgetMessageBox(QWidget* parent = nullptr) : m_parent(parent) {}
    Answer show(const QString& text, Buttons buttons) override;

private:
    QWidget* m_parent;
};
