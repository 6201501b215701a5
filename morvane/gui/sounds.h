#pragma once
// The viewer's sounds ("start.wav", "ende.wav", "cool.wav"), played by file name without waiting.
// A file that is not there, or a machine without audio, stays silent and costs no time.
#include <QObject>
#include <QSoundEffect>
#include <QString>
#include <memory>
#include <string>
#include <vector>

namespace morvane {

class SoundPlayer : public QObject {
  Q_OBJECT
 public:
  explicit SoundPlayer(QObject* parent = nullptr) : QObject(parent) {}
  // Folders searched in turn after the current directory (the program directory's PROGRAMS folder).
  void SetFolders(std::vector<std::string> folders) { folders_ = std::move(folders); }
  // The file a name stands for; empty when there is none.
  QString Find(const QString& name) const;
  // Starts playing; returns false (and does nothing) when the file is not found.
  bool Play(const QString& name);

 private:
  std::vector<std::string> folders_;
  std::vector<std::unique_ptr<QSoundEffect>> effects_;
};

}  // namespace morvane
