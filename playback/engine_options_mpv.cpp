#include "playback/engine_options_mpv.h"

#include "playback/hardware_decoding.h"

#include <filesystem>

namespace {

// ALSA is asked only when the machine has a sound card: without one, the ALSA
// library prints its failure to find a card on the terminal, which reads as
// an error of ours.
bool hasSoundCard()
{
  std::error_code error;
  for (const auto& device : std::filesystem::directory_iterator("/dev/snd", error))
    if (device.path().filename().string().starts_with("pcmC"))
      return true;
  return false;
}

// Audio-only files must play on a machine without a sound device, hence the
// null output at the end. Tests may pin the output; users have no switch.
QByteArray audioOutputs()
{
  const QByteArray pinned = qgetenv("KELVARINO_MPV_AO");
  if (!pinned.isEmpty())
    return pinned;
  return hasSoundCard() ? QByteArrayLiteral("pulse,alsa,null") : QByteArrayLiteral("pulse,null");
}

// Chinese text needs a CJK font; without one named, the fallback font for
// the first CJK character decides, and may draw Japanese forms.
constexpr const char* CjkFont = "Noto Sans CJK SC";

// With nothing chosen for an item, a Chinese subtitle track shows: the tags
// of Simplified Chinese first, then those of Chinese alone, then Traditional.
// Audio stays the file's default track.
constexpr const char* ChineseSubtitles = "zh-Hans,zh-CN,zh-SG,zh-cn,chs,sc,zh,chi,zho,chn,"
                                         "zh-Hant,zh-TW,zh-HK,zh-tw,cht,tc";

} // namespace

std::vector<MpvSession::Option> engineOptions()
{
  const HardwareDecoding hw = hardwareDecoding();
  return {
      {"vo", "libmpv"}, {"ao", audioOutputs()}, {"config", "no"}, {"terminal", "no"},
      {"idle", "yes"}, {"keep-open", "no"}, {"osc", "no"}, {"ytdl", "no"},
      {"input-default-bindings", "no"}, {"input-vo-keyboard", "no"}, {"load-scripts", "no"},
      {"load-stats-overlay", "no"}, {"load-osd-console", "no"}, {"load-auto-profiles", "no"},
      {"osd-level", "1"}, {"volume", "50"}, {"hwdec", hw.hwdec}, {"gpu-hwdec-interop", hw.interop},
      // Notes keep one size whatever the picture's: scaled with it they would
      // be unreadable over the low picture of an audio item and huge in full screen.
      {"osd-scale-by-window", "no"}, {"osd-font-size", "24"},
      // The files beside the media are found by SubtitleFilesMpv; a file that
      // is not UTF-8 is read as SubtitleEncoding decides, or as uchardet does.
      {"sub-auto", "no"}, {"sub-codepage", "auto"}, {"sub-font", CjkFont}, {"osd-font", CjkFont},
      {"slang", ChineseSubtitles}};
}
