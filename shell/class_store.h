#pragma once

#include <QString>

// The store of file types, addressed by the key paths of the classes root
// (".kq", "Kelvarino\\Shell\\open\\Command", ...). Only default values exist.
class ClassStore {
public:
  virtual ~ClassStore() = default;
  // The default value of a key, or nothing when the key cannot be opened.
  virtual bool readDefault(const QString& keyPath, QString* value) = 0;
  // Writes a key's default value, creating the key.
  virtual void setDefault(const QString& keyPath, const QString& value) = 0;
};
