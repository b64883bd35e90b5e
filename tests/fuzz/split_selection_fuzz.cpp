// The open dialog's raw result, as any text, turned into paths; and what the
// dialog wrapper makes of a chosen set of files, turned back into it.
#include "dialogs/mod_cdl.h"
#include "tests/fuzz/invariant.h"

namespace {

// A dialog that "chooses" the given files.
class ChosenFiles : public FileDialogs {
public:
  explicit ChosenFiles(QStringList files) : m_files(std::move(files)) {}
  QStringList getOpenFileNames(const QString&, const QVector<FileFilter>&, bool) override { return m_files; }
  QString getOpenFileName(const QString&, const QString&, const QVector<FileFilter>&) override { return {}; }
  QString getSaveFileName(const QString&, const QString&, const QVector<FileFilter>&, const QString&) override
  {
    return {};
  }

private:
  QStringList m_files;
};

// The input's pieces as names of files in one folder, as a dialog lists them.
QStringList filesInOneFolder(const QString& text)
{
  QStringList files;
  for (const QString& name : text.split(u'/')) {
    if (!name.isEmpty() && !name.contains(QChar(0)) && name != u"." && name != u"..")
      files << QStringLiteral("/media/clips/") + name;
  }
  return files;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const QString raw = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  QStringList selected{QStringLiteral("left over from the last call")};
  const int n = ModCdl::SplitSelection(raw, selected);
  require(n >= 0, "the last index is never negative");
  require(selected.size() == n + 1, "the last index is the number of entries less one");

  const QStringList chosen = filesInOneFolder(raw);
  if (chosen.isEmpty())
    return 0;
  ChosenFiles dialogs(chosen);
  const QString result = ModCdl::ShowOpenDialog(dialogs, QStringLiteral("Open"), QString(), 1, 32767);
  if (result.isEmpty())
    return 0; // did not fit the buffer
  require(ModCdl::SplitSelection(result, selected) == chosen.size() - 1 && selected == chosen,
          "the chosen files come back from the dialog's result");
  return 0;
}
