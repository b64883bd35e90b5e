#include "playback/hardware_decoding.h"

#include "temporary_files.h"
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(HardwareDecoding, TriedOnlyWhereTheMachineHasAGpusDevice)
{
  QTemporaryDir dev;
  const auto options = [&] {
    const HardwareDecoding hw = hardwareDecoding(dev.path());
    return hw.hwdec + " " + hw.interop;
  };
  ASSERT_TRUE(QDir(dev.path()).mkpath("dri"));
  ASSERT_TRUE(putContent(dev.filePath("dri/card0"), ""));
  ASSERT_TRUE(putContent(dev.filePath("nvidiactl"), ""));
  EXPECT_EQ(options(), "no no") << "a display card alone decodes nothing";

  ASSERT_TRUE(putContent(dev.filePath("nvidia0"), ""));
  EXPECT_EQ(options(), "auto-safe auto");
  ASSERT_TRUE(QFile::remove(dev.filePath("nvidia0")));
  ASSERT_TRUE(putContent(dev.filePath("dri/renderD128"), ""));
  EXPECT_EQ(options(), "auto-safe auto");
}
