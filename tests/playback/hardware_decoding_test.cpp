#include "playback/hardware_decoding.h"

#include "temporary_files.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(HardwareDecoding, TriedOnlyWhereTheMachineHasAGpusDevice)
{
  QTemporaryDir dev;
  const auto tried = [&] {
    const HardwareDecoding hw = hardwareDecoding(dev.path());
    return hw.hwdec + " " + hw.interop;
  };
  ASSERT_TRUE(putContent(dev.filePath("nvidiactl"), "") && QDir(dev.path()).mkpath("dri"));
  EXPECT_EQ(tried(), "no no") << "no decoder: nothing probed, no interop";
  ASSERT_TRUE(putContent(dev.filePath("nvidia0"), ""));
  EXPECT_EQ(tried(), "auto-safe auto");
  ASSERT_TRUE(QFile::rename(dev.filePath("nvidia0"), dev.filePath("dri/renderD128")));
  EXPECT_EQ(tried(), "auto-safe auto");
}
