// The sounds are looked up by name; a missing file, or a machine without audio, stays silent.
#include "morvane/gui/sounds.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/temp_dir.h"

namespace morvane {
namespace {

TEST(Sounds, AreFoundInTheProgramsFolderAndAMissingOneIsSilent) {
  QTemporaryDir dir;
  // A valid PCM wave file: 8000 Hz, 8 bits, mono, a tenth of a second of silence.
  km::testing::WriteBytes(dir.filePath("start.wav").toStdString(),
                          QByteArray::fromHex("524946464403000057415645666d7420100000000100010040"
                                              "1f0000401f0000010008006461746120030000") + QByteArray(800, '\x80'));
  {
    SoundPlayer sounds;
    EXPECT_FALSE(sounds.Play("start.wav"));
    sounds.SetFolders({dir.path().toStdString()});
    EXPECT_EQ(sounds.Find("start.wav"), dir.filePath("start.wav"));
    EXPECT_FALSE(sounds.Play("ende.wav"));
    // Playing returns at once, with or without an audio device.
    EXPECT_TRUE(sounds.Play("start.wav") && sounds.Play("start.wav"));
    // The samples load in the background; the test lets them finish before the player goes.
    QTest::qWait(300);
  }
  // What the sound effects hand back to the event loop on their way out is let go too.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

}  // namespace
}  // namespace morvane
