#pragma once

#include "core/message_boxes.h"

class QWidget;

class MessageBoxesQt : public MessageBoxes {
public:
  explicit MessageBoxesQt(QWidget* parent) : m_parent(parent) {}
  Answer show(Icon icon, const QString& title, const QString& text, Buttons buttons) override;

private:
  QWidget* m_parent;
};
