#pragma once
// One application object for a whole test program that draws without windows, on the offscreen
// platform. Including this header in one source file of the program is enough.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

namespace km::testing {

struct QtEnvironment : ::testing::Environment {
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qt_tests", *argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  void TearDown() override { app.reset(); }
  std::unique_ptr<QGuiApplication> app;
};
inline const auto* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace km::testing
