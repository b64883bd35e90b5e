// The player control's audio tracks, subtitle tracks and subtitle files: the
// bar's two track menus, the `#`, `j` and `v` keys, and the files beside the
// media that load by themselves.
#include "playback/engine_mpv.h"

#include "core/file_dialogs.h"
#include "core/file_name_bytes.h"
#include "playback/control_bar_qt.h"
#include "playback/player_view_qt.h"
#include "playback/subtitle_encoding.h"
#include "playback/subtitle_files_mpv.h"
#include "playback/track_buttons_qt.h"

#include <QFileInfo>
#include <algorithm>
#include <mpv/client.h>

namespace {

// Chinese text needs a CJK font; without one named, the fallback font for
// the first CJK character decides, and may draw Japanese forms.
constexpr const char* subtitleFont = "Noto Sans CJK SC";

const char* trackProperty(Track::Kind kind)
{
  return kind == Track::Kind::Audio ? "aid" : "sid";
}

} // namespace

void EngineMpv::initTracks()
{
  const std::pair<const char*, const char*> options[] = {
      // The files beside the media are found by SubtitleFilesMpv instead.
      {"sub-auto", "no"},
      // Left to uchardet unless SubtitleEncoding decides for a file.
      {"sub-codepage", "auto"},
      {"sub-font", subtitleFont},
      {"osd-font", subtitleFont}};
  for (const auto& [name, value] : options)
    mpv_set_option_string(m_mpv, name, value);
  m_subtitleFiles = std::make_unique<SubtitleFilesMpv>(m_mpv);

  TrackButtonsQt* buttons = m_view->bar()->tracks();
  connect(buttons, &TrackButtonsQt::audioChosen, this,
          [this](int id) { chooseTrack(Track::Kind::Audio, id); });
  connect(buttons, &TrackButtonsQt::subtitleChosen, this,
          [this](int id) { chooseTrack(Track::Kind::Subtitle, id); });
  connect(buttons, &TrackButtonsQt::subtitleFileWanted, this, &EngineMpv::loadSubtitleFile);
}

void EngineMpv::showTracks()
{
  m_view->bar()->tracks()->setTracks(m_properties.tracks, hasItem() && m_properties.hasPicture);
}

void EngineMpv::chooseTrack(Track::Kind kind, int id)
{
  const QByteArray value = id == TrackMenu::Off ? QByteArrayLiteral("no") : QByteArray::number(id);
  const char* text = value.constData();
  mpv_set_property_async(m_mpv, 0 /* no reply wanted */, trackProperty(kind), MPV_FORMAT_STRING, &text);
  // A chosen subtitle is one to be seen.
  if (kind == Track::Kind::Subtitle && id != TrackMenu::Off && !m_subtitlesVisible)
    toggleSubtitles();
  // Taken as done, so that a second key press goes on from here.
  for (Track& track : m_properties.tracks)
    if (track.kind == kind)
      track.selected = track.id == id;
  showNote(TrackMenu::note(m_properties.tracks, kind, id));
}

void EngineMpv::cycleTrack(Track::Kind kind)
{
  const auto ofKind = [kind](const Track& track) { return track.kind == kind; };
  if (std::none_of(m_properties.tracks.cbegin(), m_properties.tracks.cend(), ofKind))
    return; // nothing to go round
  chooseTrack(kind, TrackMenu::next(m_properties.tracks, kind));
}

void EngineMpv::toggleSubtitles()
{
  // With nothing to show, the key says so and changes nothing.
  if (TrackMenu::hasSubtitles(m_properties.tracks)) {
    m_subtitlesVisible = !m_subtitlesVisible;
    int on = m_subtitlesVisible;
    mpv_set_property_async(m_mpv, 0 /* no reply wanted */, "sub-visibility", MPV_FORMAT_FLAG, &on);
  }
  showNote(TrackMenu::visibilityNote(m_properties.tracks, m_subtitlesVisible));
}

void EngineMpv::loadSubtitleFile()
{
  if (!m_fileDialogs || !hasItem())
    return;
  const QFileInfo media(m_properties.path);
  // The dialog opens in the media's folder, where its subtitles usually are.
  const QString folder = media.isAbsolute() && media.exists() ? media.absolutePath() : QString();
  const QString chosen = m_fileDialogs->getOpenFileName(
      QStringLiteral("加载字幕文件"), folder,
      {{QStringLiteral("字幕文件"), QStringLiteral("*.srt;*.ass;*.ssa;*.vtt;*.sub;*.idx;*.sup;*.smi")},
       {QStringLiteral("所有文件"), QStringLiteral("*.*")}});
  if (chosen.isEmpty() || !hasItem())
    return;
  m_addingSubtitle = QFileInfo(chosen).fileName();
  const QByteArray path = encodeFileName(chosen);
  // Read as the files beside the media are; the option goes with the item.
  const QByteArray codePage = SubtitleEncoding::name(SubtitleEncoding::ofFile(chosen));
  const char* page = codePage.constData();
  mpv_set_property_async(m_mpv, 0 /* no reply wanted */, "file-local-options/sub-codepage",
                         MPV_FORMAT_STRING, &page);
  const char* args[] = {"sub-add", path.constData(), "select", nullptr};
  mpv_command_async(m_mpv, SubtitleFileReply, args);
}

void EngineMpv::subtitleFileAdded(bool added)
{
  if (added && !m_subtitlesVisible)
    toggleSubtitles();
  showNote(added ? QStringLiteral("字幕：") + m_addingSubtitle
                 : QStringLiteral("无法加载字幕：") + m_addingSubtitle);
}
