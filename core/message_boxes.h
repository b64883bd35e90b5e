#pragma once

#include <QString>

// Modal message boxes.
class MessageBoxes {
public:
  enum class Icon { None, Information, Warning, Error, Question };
  enum class Buttons { Ok, YesNo };
  enum class Answer { Ok, Yes, No };

  virtual ~MessageBoxes() = default;
  // With YesNo, Yes is the default button; closing the box answers No.
  virtual Answer show(Icon icon, const QString& title, const QString& text,
                      Buttons buttons = Buttons::Ok) = 0;
};
