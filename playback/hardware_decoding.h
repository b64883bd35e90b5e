#pragma once

#include <QByteArray>
#include <QString>

// libmpv's options for hardware decoding. Where the machine has a GPU's device
// (a DRM render node, or NVIDIA's), the safe hardware decoders are tried in
// turn, any file they cannot decode falls back to software, and the picture
// gets the decoded frames without a copy where an interop allows. Where it has
// none, nothing is tried: probing costs start-up time for nothing, and the
// libraries probed print their failures on the terminal, which read as errors
// of ours.
struct HardwareDecoding {
  QByteArray hwdec;   // "hwdec"
  QByteArray interop; // "gpu-hwdec-interop"
};
HardwareDecoding hardwareDecoding(const QString& deviceFolder = QStringLiteral("/dev"));
