#include "morvane/gui/sounds.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "common/qt/qt_text.h"

namespace morvane {

QString SoundPlayer::Find(const QString& name) const {
  if (QFileInfo(name).isFile()) return QFileInfo(name).absoluteFilePath();
  for (const std::string& folder : folders_) {
    const QString path = QDir(km::FromPath(folder)).filePath(name);
    if (QFileInfo(path).isFile()) return path;
  }
  return {};
}

bool SoundPlayer::Play(const QString& name) {
  const QString path = Find(name);
  if (path.isEmpty()) return false;
  // The effect loads and plays in the background; finished ones are let go at the next sound.
  std::erase_if(effects_, [](const std::unique_ptr<QSoundEffect>& e) { return !e->isPlaying() && e->status() != QSoundEffect::Loading; });
  auto effect = std::make_unique<QSoundEffect>();
  effect->setSource(QUrl::fromLocalFile(path));
  effect->play();
  effects_.push_back(std::move(effect));
  return true;
}

}  // namespace morvane
