// The sounds are looked up by name; a missing file, or a machine without audio, stays silent.
#include "morvane/gui/sounds.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdint>

namespace morvane {
namespace {

// A valid PCM wave file of a tenth of a second of silence.
QByteArray SilentWave() {
  const uint32_t rate = 8000, samples = 800;
  QByteArray b;
  auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF)); };
  auto u16 = [&](uint16_t v) { b.append(static_cast<char>(v & 0xFF)); b.append(static_cast<char>(v >> 8)); };
  b.append("RIFF");
  u32(36 + samples);
  b.append("WAVEfmt ");
  u32(16), u16(1), u16(1), u32(rate), u32(rate), u16(1), u16(8);
  b.append("data");
  u32(samples);
  b.append(QByteArray(static_cast<int>(samples), '\x80'));
  return b;
}

TEST(Sounds, AreFoundInTheProgramsFolderAndAMissingOneIsSilent) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile f(dir.filePath("start.wav"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(SilentWave());
  f.close();
  {
    SoundPlayer sounds;
    EXPECT_TRUE(sounds.Find("start.wav").isEmpty());
    EXPECT_FALSE(sounds.Play("start.wav"));
    sounds.SetFolders({dir.path().toStdString()});
    EXPECT_EQ(sounds.Find("start.wav"), dir.filePath("start.wav"));
    EXPECT_FALSE(sounds.Play("ende.wav"));
    // Playing returns at once, with or without an audio device.
    EXPECT_TRUE(sounds.Play("start.wav"));
    EXPECT_TRUE(sounds.Play("start.wav"));
    // The samples load in the background; the test lets them finish before the player goes.
    QTest::qWait(300);
  }
  // What the sound effects hand back to the event loop on their way out is let go too.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

}  // namespace
}  // namespace morvane
