#pragma once

#include <QString>
#include <QVector>

// One group of a card drawn over the picture: a heading, then rows of two
// columns (a key and what it does).
struct CardSection {
  struct Row {
    QString left;
    QString right;
  };
  QString heading;
  QVector<Row> rows;
};
