#pragma once

#include <QString>

// The store of file types, addressed by key paths under the classes root
// (".kq", "Kelvarino\\DefaultIcon", "Kelvarino\\Shell\\open\\Command", ...).
// Only default values exist.
class ClassStore {
public:
  virtual ~ClassStore() = default;
  // The default value of a key; false when the key cannot be opened.
  virtual bool readDefault(const QString& keyPath, QString* value) = 0;
  // Sets a key's default value, creating the key. Failures are not reported:
  // the next start finds the value missing and writes it again.
  virtual void setDefault(const QString& keyPath, const QString& value) = 0;
  // Makes the values set so far visible to the desktop at once. A store that
  // keeps its values in several files writes them here, each file once.
  virtual void flush() = 0;
};
