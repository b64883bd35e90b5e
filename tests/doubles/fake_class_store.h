#pragma once

#include "core/class_store.h"
#include <QStringList>
#include <map>

// A class store in memory; `log` records every write and flush in order.
class FakeClassStore : public ClassStore {
public:
  std::map<QString, QString> values;
  QStringList log; // "set <key>=<value>", "flush"

  bool readDefault(const QString& keyPath, QString* value) override
  {
    const auto it = values.find(keyPath);
    if (it == values.end())
      return false;
    *value = it->second;
    return true;
  }
  void setDefault(const QString& keyPath, const QString& value) override
  {
    values[keyPath] = value;
    log << "set " + keyPath + "=" + value;
  }
  void flush() override { log << "flush"; }
};
